#include "text/str.h"

#include "text/decimal_digits.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace text {

QString plainNumber(double value, bool leadingZero)
{
    if (std::isnan(value)) return u"NaN"_s;
    if (std::isinf(value)) return value < 0 ? u"-Infinity"_s : u"Infinity"_s;
    const DecimalDigits d(value);
    if (d.isZero()) return u"0"_s;
    QString r;
    if (d.negative()) r += u'-';
    const QByteArray &digits = d.digits();
    const int exponent = d.point() - 1; // value = d.ddd × 10^exponent
    if (exponent >= 15 || exponent < -4) {
        r += QLatin1Char(digits.at(0));
        if (digits.size() > 1) r += u'.' + QString::fromLatin1(digits.mid(1));
        r += exponent < 0 ? u"E-"_s : u"E+"_s;
        r += QString::number(std::abs(exponent)).rightJustified(2, u'0');
        return r;
    }
    const QByteArray whole = d.integerDigits();
    if (whole.isEmpty()) {
        if (leadingZero) r += u'0';
    } else {
        r += QString::fromLatin1(whole);
    }
    const int decimals = int(digits.size()) - d.point();
    if (decimals > 0) r += u'.' + QString::fromLatin1(d.fractionDigits(decimals));
    return r;
}

QString Str(double value)
{
    const QString s = plainNumber(value, false);
    return s.startsWith(u'-') ? s : u' ' + s;
}

} // namespace text
