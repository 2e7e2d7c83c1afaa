#include "store/error.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace store {

namespace {

QString describeParts(const QString &message, const QString &sql, const QVariantList &values)
{
    QString text = message;
    if (!sql.isEmpty())
        text += u"\nSQL: "_s + sql;
    if (!values.isEmpty()) {
        QStringList shown;
        for (const QVariant &v : values)
            shown << (v.isNull() ? u"NULL"_s : u"'"_s + v.toString() + u"'"_s);
        text += u"\nvalues: "_s + shown.join(u", "_s);
    }
    return text;
}

} // namespace

Error::Error(const QString &message, const QString &sql, const QVariantList &values)
    : std::runtime_error(describeParts(message, sql, values).toStdString()),
      m_message(message), m_sql(sql), m_values(values)
{
}

QString Error::describe() const
{
    return describeParts(m_message, m_sql, m_values);
}

} // namespace store
