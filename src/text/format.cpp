#include "text/format.h"

#include "text/decimal_digits.h"
#include "text/str.h"

#include <QList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace text {

namespace {

// Splits a pattern at the `;` that are neither escaped nor quoted.
QStringList sections(const QString &pattern)
{
    QStringList out(QString {});
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (quoted) {
            quoted = c != u'"';
        } else if (c == u'\\' && i + 1 < pattern.size()) {
            out.last() += c;
            ++i;
            out.last() += pattern.at(i);
            continue;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            out.append(QString {});
            continue;
        }
        out.last() += c;
    }
    return out;
}

// Whether the pattern has an unescaped, unquoted one of `chars`.
bool hasPlaceholder(const QString &pattern, QStringView chars)
{
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (quoted)
            quoted = c != u'"';
        else if (c == u'\\')
            ++i;
        else if (c == u'"')
            quoted = true;
        else if (chars.contains(c))
            return true;
    }
    return false;
}

bool isTextPattern(const QString &pattern)
{
    return hasPlaceholder(pattern, u"@&");
}

bool isNamed(const QString &pattern, QStringView name)
{
    return pattern.compare(name, Qt::CaseInsensitive) == 0;
}

bool isDateName(const QString &pattern)
{
    for (QStringView n : { u"Short Date", u"Long Date", u"General Date", u"Short Time", u"Long Time" })
        if (isNamed(pattern, n)) return true;
    return false;
}

// --- numbers ---------------------------------------------------------------

struct NumToken
{
    enum Kind { Zero, Hash, Point, Percent, Comma, Literal } kind;
    QString text; // Literal only
};

QList<NumToken> numTokens(const QString &pattern)
{
    QList<NumToken> out;
    auto literal = [&out](const QString &s) {
        if (!out.isEmpty() && out.last().kind == NumToken::Literal)
            out.last().text += s;
        else
            out.append(NumToken { NumToken::Literal, s });
    };
    bool point = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\\') {
            if (i + 1 < pattern.size()) literal(QString(pattern.at(++i)));
        } else if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            literal(pattern.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'0') {
            out.append(NumToken { NumToken::Zero, {} });
        } else if (c == u'#') {
            out.append(NumToken { NumToken::Hash, {} });
        } else if (c == u'.' && !point) {
            point = true;
            out.append(NumToken { NumToken::Point, {} });
        } else if (c == u'%') {
            out.append(NumToken { NumToken::Percent, {} });
        } else if (c == u',' && !point) {
            out.append(NumToken { NumToken::Comma, {} });
        } else {
            literal(QString(c));
        }
    }
    return out;
}

bool isDigit(const NumToken &t)
{
    return t.kind == NumToken::Zero || t.kind == NumToken::Hash;
}

QString groupThousands(const QString &digits)
{
    QString r;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) r += u',';
        r += digits.at(i);
    }
    return r;
}

QString formatNumberSection(double value, const QString &pattern, bool withSign)
{
    const QList<NumToken> tokens = numTokens(pattern);
    qsizetype pointAt = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens.at(i).kind == NumToken::Point) pointAt = i;
    const qsizetype intEnd = pointAt < 0 ? tokens.size() : pointAt;

    // Integer placeholders, their first `0`, the fraction placeholders and
    // their last `0`; a comma between integer placeholders groups thousands.
    int intCount = 0, firstZero = -1, fracCount = 0, lastZero = -1, percents = 0;
    bool grouping = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const NumToken &t = tokens.at(i);
        if (t.kind == NumToken::Percent) ++percents;
        if (!isDigit(t)) continue;
        if (i < intEnd) {
            if (t.kind == NumToken::Zero && firstZero < 0) firstZero = intCount;
            ++intCount;
        } else {
            if (t.kind == NumToken::Zero) lastZero = fracCount;
            ++fracCount;
        }
    }
    // A comma with integer placeholders after it groups thousands; one that
    // ends the integer placeholders divides by 1000. Neither is shown; a
    // comma before any placeholder stands for itself.
    int thousands = 0;
    QList<bool> commaShown(tokens.size(), false);
    for (qsizetype i = 0; i < intEnd; ++i) {
        if (tokens.at(i).kind != NumToken::Comma) continue;
        bool before = false, after = false;
        for (qsizetype j = 0; j < i; ++j)
            before = before || isDigit(tokens.at(j));
        for (qsizetype j = i + 1; j < intEnd; ++j)
            after = after || isDigit(tokens.at(j));
        if (before && after)
            grouping = true;
        else if (before)
            ++thousands;
        else
            commaShown[i] = true;
    }

    DecimalDigits d(value);
    d.shift(2 * percents - 3 * thousands);
    d.round(fracCount);

    QString whole = QString::fromLatin1(d.integerDigits());
    const int minDigits = firstZero < 0 ? 0 : intCount - firstZero;
    if (whole.size() < minDigits) whole = QString(minDigits - whole.size(), u'0') + whole;
    QString frac = QString::fromLatin1(d.fractionDigits(fracCount));
    qsizetype fracShown = frac.size();
    while (fracShown > lastZero + 1 && frac.at(fracShown - 1) == u'0')
        --fracShown;

    // Integer digits fill their placeholders from the right; what does not
    // fit goes with the first placeholder (grouped digits all go there).
    QList<QString> intOut(intCount);
    if (grouping) {
        if (intCount > 0) intOut[0] = groupThousands(whole);
    } else {
        for (int k = 0; k < intCount; ++k) {
            const qsizetype src = whole.size() - 1 - k;
            if (src >= 0) intOut[intCount - 1 - k] = whole.at(src);
        }
        if (intCount > 0 && whole.size() > intCount) intOut[0] = whole.left(whole.size() - intCount + 1);
    }

    QString out;
    bool wholePlaced = intCount > 0;
    int intIndex = 0, fracIndex = 0;
    for (qsizetype ti = 0; ti < tokens.size(); ++ti) {
        const NumToken &t = tokens.at(ti);
        switch (t.kind) {
        case NumToken::Zero:
        case NumToken::Hash:
            if (intIndex < intCount) {
                out += intOut.at(intIndex++);
            } else {
                if (fracIndex < fracShown) out += frac.at(fracIndex);
                ++fracIndex;
            }
            break;
        case NumToken::Point:
            if (!wholePlaced) {
                out += whole;
                wholePlaced = true;
            }
            out += u'.';
            break;
        case NumToken::Percent:
            if (!wholePlaced) {
                out += whole;
                wholePlaced = true;
            }
            out += u'%';
            break;
        case NumToken::Comma:
            if (commaShown.at(ti)) out += u',';
            break;
        case NumToken::Literal:
            out += t.text;
            break;
        }
    }
    if (!wholePlaced) out += whole;
    if (withSign && d.negative() && !d.isZero()) out.prepend(u'-');
    return out;
}

QString formatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value)) return plainNumber(value, true);
    if (pattern.isEmpty() || isNamed(pattern, u"General Number")) return plainNumber(value, true);
    if (isNamed(pattern, u"Fixed")) return formatNumberSection(value, u"0.00"_s, true);
    if (isNamed(pattern, u"Standard")) return formatNumberSection(value, u"#,##0.00"_s, true);
    if (isNamed(pattern, u"Percent")) return formatNumberSection(value, u"0.00%"_s, true);

    const QStringList parts = sections(pattern);
    if (value < 0 && parts.size() >= 2 && !parts.at(1).isEmpty())
        return formatNumberSection(-value, parts.at(1), false);
    if (value == 0 && parts.size() >= 3 && !parts.at(2).isEmpty())
        return formatNumberSection(0, parts.at(2), false);
    return formatNumberSection(value, parts.at(0), true);
}

// --- texts -----------------------------------------------------------------

QString formatText(const QString &value, const QString &pattern)
{
    struct Piece
    {
        bool placeholder;
        QChar ch; // '@' or '&' for a placeholder, else the literal character
    };
    QList<Piece> pieces;
    bool leftToRight = false;
    int caseChange = 0; // -1 lower, +1 upper
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\\') {
            if (i + 1 < pattern.size()) pieces.append(Piece { false, pattern.at(++i) });
        } else if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            for (qsizetype j = i + 1; j < stop; ++j)
                pieces.append(Piece { false, pattern.at(j) });
            i = stop;
        } else if (c == u'@' || c == u'&') {
            pieces.append(Piece { true, c });
        } else if (c == u'!') {
            leftToRight = true;
        } else if (c == u'<') {
            caseChange = -1;
        } else if (c == u'>') {
            caseChange = 1;
        } else {
            pieces.append(Piece { false, c });
        }
    }
    const QString s = caseChange < 0 ? value.toLower() : caseChange > 0 ? value.toUpper() : value;

    qsizetype slots = 0;
    for (const Piece &p : pieces)
        slots += p.placeholder ? 1 : 0;

    QString out;
    qsizetype slot = 0;
    const qsizetype pad = slots - s.size(); // < 0: text longer than the pattern
    for (const Piece &p : pieces) {
        if (!p.placeholder) {
            out += p.ch;
            continue;
        }
        QString filled;
        if (leftToRight) {
            // The last placeholder takes what is left of a longer text.
            if (slot < s.size()) filled = slot == slots - 1 ? s.mid(slot) : QString(s.at(slot));
        } else if (pad >= 0) {
            if (slot >= pad) filled = s.at(slot - pad);
        } else {
            filled = slot == 0 ? s.left(1 - pad) : QString(s.at(slot - pad));
        }
        if (filled.isEmpty() && p.ch == u'@') filled = u" "_s;
        out += filled;
        ++slot;
    }
    if (slots == 0) out.prepend(s);
    return out;
}

// --- dates -----------------------------------------------------------------

QString formatDateTime(const QDateTime &value, const QString &pattern)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (pattern.isEmpty() || isNamed(pattern, u"General Date")) {
        QString r = formatDateTime(value, u"yyyy/mm/dd"_s);
        if (time.isValid() && time != QTime(0, 0)) r += u' ' + formatDateTime(value, u"h:nn:ss"_s);
        return r;
    }
    if (isNamed(pattern, u"Short Date")) return formatDateTime(value, u"yyyy/mm/dd"_s);
    if (isNamed(pattern, u"Long Date")) return formatDateTime(value, u"yyyy年m月d日"_s);
    if (isNamed(pattern, u"Short Time")) return formatDateTime(value, u"hh:nn"_s);
    if (isNamed(pattern, u"Long Time")) return formatDateTime(value, u"h:nn:ss"_s);

    struct Token
    {
        QChar letter; // lower-case y m d h n s, or null for a literal
        int length;
        QString text;
    };
    QList<Token> tokens;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const QChar lc = c.toLower();
        if (c == u'\\') {
            if (i + 1 < pattern.size()) tokens.append(Token { QChar(), 0, QString(pattern.at(++i)) });
        } else if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            tokens.append(Token { QChar(), 0, pattern.mid(i + 1, stop - i - 1) });
            i = stop;
        } else if (QStringView(u"ymdhns").contains(lc)) {
            qsizetype j = i;
            while (j + 1 < pattern.size() && pattern.at(j + 1).toLower() == lc)
                ++j;
            tokens.append(Token { lc, int(j - i + 1), {} });
            i = j;
        } else {
            tokens.append(Token { QChar(), 0, QString(c) });
        }
    }
    auto neighbour = [&tokens](qsizetype i, int step) -> QChar {
        for (qsizetype j = i + step; j >= 0 && j < tokens.size(); j += step)
            if (!tokens.at(j).letter.isNull()) return tokens.at(j).letter;
        return {};
    };
    auto num = [](int v, int len) {
        return len >= 2 ? QString::number(v).rightJustified(2, u'0') : QString::number(v);
    };
    QString out;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token &t = tokens.at(i);
        const int len = t.length;
        switch (t.letter.unicode()) {
        case u'y':
            out += len >= 3 ? QString::number(date.year()).rightJustified(4, u'0')
                            : QString::number(date.year() % 100).rightJustified(2, u'0');
            break;
        case u'm':
            if (neighbour(i, -1) == u'h' || neighbour(i, 1) == u's')
                out += num(time.minute(), len);
            else
                out += num(date.month(), len);
            break;
        case u'd':
            out += num(date.day(), len);
            break;
        case u'h':
            out += num(time.hour(), len);
            break;
        case u'n':
            out += num(time.minute(), len);
            break;
        case u's':
            out += num(time.second(), len);
            break;
        default:
            out += t.text;
        }
    }
    return out;
}

// A date held as text: ISO (2009-12-05, with an optional time) or y/m/d.
QDateTime parseDateText(const QString &s)
{
    const QString t = s.trimmed();
    QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    if (dt.isValid()) return dt;
    for (QStringView f : { u"yyyy-MM-dd", u"yyyy/M/d" }) {
        const QDate d = QDate::fromString(t, f.toString());
        if (d.isValid()) return QDateTime(d, QTime(0, 0));
    }
    return {};
}

} // namespace

QString Format(double value, const QString &pattern)
{
    if (isTextPattern(pattern)) return formatText(plainNumber(value, true), pattern);
    return formatNumber(value, pattern);
}

QString Format(const QString &value, const QString &pattern)
{
    if (pattern.isEmpty() || isTextPattern(pattern)) return formatText(value, pattern);
    if (isDateName(pattern)) {
        const QDateTime dt = parseDateText(value);
        return dt.isValid() ? formatDateTime(dt, pattern) : value;
    }
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok ? formatNumber(number, pattern) : value;
}

QString Format(const QDateTime &value, const QString &pattern)
{
    if (!value.isValid()) return {};
    return formatDateTime(value, pattern);
}

QString Format(const QDate &value, const QString &pattern)
{
    if (!value.isValid()) return {};
    return formatDateTime(QDateTime(value, QTime(0, 0)), pattern);
}

QString Format(const QVariant &value, const QString &pattern)
{
    if (value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        if (pattern.isEmpty()) return value.toBool() ? u"True"_s : u"False"_s;
        return Format(value.toBool() ? -1.0 : 0.0, pattern);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        return Format(value.toDouble(), pattern);
    case QMetaType::QDate:
        return Format(value.toDate(), pattern);
    case QMetaType::QDateTime:
        return Format(value.toDateTime(), pattern);
    default:
        return Format(value.toString(), pattern);
    }
}

} // namespace text
