#include "text/print_value.h"

#include "text/format.h"
#include "text/str.h"

using namespace Qt::StringLiterals;

namespace text {

QString printValue(const QVariant &value)
{
    if (value.isNull()) return u"Null"_s;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? u"True"_s : u"False"_s;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char:
        return Str(value.toLongLong()) + u' ';
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
        return Str(value.toULongLong()) + u' ';
    case QMetaType::Float:
    case QMetaType::Double:
        return Str(value.toDouble()) + u' ';
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Format(value, u"Short Date"_s);
    default:
        return value.toString();
    }
}

} // namespace text
