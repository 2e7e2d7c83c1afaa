#include "store/field_value.h"

#include "store/error.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace store {

FieldKind fieldKindOf(const QString &declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.isEmpty())
        return FieldKind::Any;
    if (t.contains(u"DATE"_s) || t.contains(u"TIME"_s))
        return FieldKind::Date;
    if (t.contains(u"INT"_s))
        return FieldKind::Integer;
    if (t.contains(u"CHAR"_s) || t.contains(u"TEXT"_s) || t.contains(u"CLOB"_s))
        return FieldKind::Text;
    if (t.contains(u"REAL"_s) || t.contains(u"FLOA"_s) || t.contains(u"DOUB"_s)
        || t.contains(u"NUM"_s) || t.contains(u"DEC"_s))
        return FieldKind::Real;
    return FieldKind::Any;
}

namespace {

[[noreturn]] void mismatch(const QVariant &value, const QString &fieldName)
{
    throw Error(u"型が一致しません: "_s + fieldName + u" = '"_s + value.toString() + u"'"_s);
}

QDate parseDate(const QString &text)
{
    static const QStringList formats{u"yyyy-MM-dd"_s, u"yyyy/M/d"_s, u"yyyy-M-d"_s,
                                     u"yyyy.M.d"_s,   u"yy/M/d"_s,   u"yyyyMMdd"_s};
    for (const QString &f : formats) {
        QDate d = QDate::fromString(text, f);
        if (d.isValid()) {
            if (f.startsWith(u"yy/"_s) && d.year() < 1930)
                d = d.addYears(100);
            return d;
        }
    }
    // A date with a time of day keeps its date part.
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (dt.isValid())
        return dt.date();
    const int blank = text.indexOf(u' ');
    if (blank > 0)
        return parseDate(text.left(blank));
    return QDate();
}

bool isNumeric(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

QVariant toFieldValue(const QVariant &value, FieldKind kind, const QString &fieldName)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    if (value.typeId() == QMetaType::Bool && (kind == FieldKind::Integer || kind == FieldKind::Real))
        return QVariant(qlonglong(value.toBool() ? -1 : 0)); // Jet's True is -1

    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::Real: {
        double number = 0;
        if (isNumeric(value)) {
            if (kind == FieldKind::Integer && value.typeId() != QMetaType::Double
                && value.typeId() != QMetaType::Float)
                return QVariant(value.toLongLong());
            number = value.toDouble();
        } else if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QChar) {
            const QString t = value.toString().normalized(QString::NormalizationForm_KC).trimmed();
            if (t.isEmpty())
                return QVariant();
            bool ok = false;
            number = t.toDouble(&ok);
            if (!ok)
                number = QString(t).remove(u',').toDouble(&ok);
            if (!ok)
                mismatch(value, fieldName);
        } else {
            mismatch(value, fieldName);
        }
        if (kind == FieldKind::Real)
            return QVariant(number);
        if (!std::isfinite(number) || std::fabs(number) > 9.2e18)
            mismatch(value, fieldName);
        // Whole-number fields round halves to even, as the engine does.
        return QVariant(qlonglong(std::nearbyint(number)));
    }
    case FieldKind::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().date());
        const QString t = value.toString().normalized(QString::NormalizationForm_KC).trimmed();
        if (t.isEmpty())
            return QVariant();
        const QDate d = parseDate(t);
        if (!d.isValid())
            mismatch(value, fieldName);
        return QVariant(d);
    }
    case FieldKind::Text:
        if (value.typeId() == QMetaType::QDate)
            return QVariant(value.toDate().toString(u"yyyy/MM/dd"_s));
        return QVariant(value.toString());
    case FieldKind::Any:
        break;
    }
    return value;
}

QVariant fromStoredValue(const QVariant &stored, FieldKind kind)
{
    if (stored.isNull() || !stored.isValid())
        return QVariant();
    if (stored.typeId() == QMetaType::QString
        && (kind == FieldKind::Date || kind == FieldKind::Any)) {
        static const QRegularExpression iso(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
        const QString t = stored.toString();
        if (iso.match(t).hasMatch()) {
            const QDate d = QDate::fromString(t, Qt::ISODate);
            if (d.isValid())
                return QVariant(d);
        }
    }
    return stored;
}

} // namespace store
