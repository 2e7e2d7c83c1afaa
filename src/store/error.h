#pragma once

#include <QString>
#include <QVariantList>

#include <stdexcept>

namespace store {

// The one error of the store: what failed, the SQL that failed with the values
// bound to it, and SQLite's own message. Callers decide whether to skip, show
// or abandon.
class Error : public std::runtime_error
{
public:
    Error(const QString &message, const QString &sql = QString(), const QVariantList &values = {});

    // SQLite's message (or the store's own, for failures before SQLite).
    const QString &message() const { return m_message; }
    const QString &sql() const { return m_sql; }
    const QVariantList &values() const { return m_values; }

    // "message" + the SQL + the bound values, one text for a log or a box.
    QString describe() const;

private:
    QString m_message;
    QString m_sql;
    QVariantList m_values;
};

} // namespace store
