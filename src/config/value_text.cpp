#include "config/value_text.h"

#include <QLocale>
#include <QRegularExpression>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace config {

namespace {

// Digits of a "&H" / "&O" text after the prefix, as an unsigned pattern of at
// most 32 bits.
std::optional<std::uint64_t> radixDigits(const QString &digits, int base, int maxDigits)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    bool ok = false;
    const std::uint64_t value = digits.toULongLong(&ok, base);
    if (!ok || value > 0xFFFFFFFFULL)
        return std::nullopt;
    return value;
}

template <typename T>
std::optional<T> toIntegral(const QString &text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    // Half to even, as the classic conversions round.
    const double rounded = std::nearbyint(*value);
    if (rounded < static_cast<double>(std::numeric_limits<T>::min())
        || rounded > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

std::optional<double> parseNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() > 2 && t.at(0) == u'&') {
        const QChar kind = t.at(1).toUpper();
        if (kind == u'H') {
            const std::optional<std::uint64_t> v = radixDigits(t.mid(2), 16, 8);
            if (!v)
                return std::nullopt;
            // Eight digits are a Long bit pattern: &HFFFFFFFF is -1.
            if (t.size() - 2 == 8 && *v > 0x7FFFFFFFULL)
                return static_cast<double>(static_cast<std::int64_t>(*v) - 0x100000000LL);
            return static_cast<double>(*v);
        }
        if (kind == u'O') {
            const std::optional<std::uint64_t> v = radixDigits(t.mid(2), 8, 11);
            if (!v)
                return std::nullopt;
            return static_cast<double>(*v);
        }
        return std::nullopt;
    }
    static const QRegularExpression decimal(
        u"^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?$"_s);
    if (!decimal.match(t).hasMatch())
        return std::nullopt;
    QString c = t;
    c.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> toInteger(const QString &text)
{
    return toIntegral<std::int16_t>(text);
}

std::optional<std::uint8_t> toByte(const QString &text)
{
    return toIntegral<std::uint8_t>(text);
}

std::optional<std::int32_t> toLong(const QString &text)
{
    return toIntegral<std::int32_t>(text);
}

std::optional<float> toSingle(const QString &text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value || std::fabs(*value) > static_cast<double>(FLT_MAX))
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<std::int64_t> parseHex(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() < 3 || t.at(0) != u'&' || t.at(1).toUpper() != u'H')
        return std::nullopt;
    const std::optional<std::uint64_t> v = radixDigits(t.mid(2), 16, 8);
    if (!v)
        return std::nullopt;
    return static_cast<std::int64_t>(*v);
}

QString hexText(std::int64_t value)
{
    const std::uint64_t bits = value < 0 ? static_cast<std::uint32_t>(value)
                                         : static_cast<std::uint64_t>(value);
    return u"&H"_s + QString::number(bits, 16).toUpper();
}

QString singleText(float value)
{
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace config
