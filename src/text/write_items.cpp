#include "text/write_items.h"

#include "text/str.h"

#include <QDate>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace text {

namespace {

QString item(const QVariant &v)
{
    if (!v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::QString: {
        QString s = v.toString();
        s.replace(u'"', u"\"\""_s);
        return u'"' + s + u'"';
    }
    case QMetaType::Bool:
        return v.toBool() ? u"#TRUE#"_s : u"#FALSE#"_s;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char:
        return QString::number(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
        return QString::number(v.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return plainNumber(v.toDouble(), false);
    case QMetaType::QDate:
        return u'#' + v.toDate().toString(u"yyyy-MM-dd"_s) + u'#';
    default:
        throw std::invalid_argument(std::string("Write # cannot write a value of type ") + v.typeName());
    }
}

} // namespace

QString writeItems(const QVariantList &items)
{
    QString line;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0) line += u',';
        line += item(items.at(i));
    }
    return line;
}

} // namespace text
