#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// One prepared SQLite statement with its values bound; finalised on
// destruction. Failures raise store::Error with the SQL and its values.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql, const QVariantList &values = {});
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Runs to the next row; false when there are no more rows.
    bool step();
    // Runs to the end, ignoring rows.
    void run();
    // Makes the statement ready to run again with other values.
    void rebind(const QVariantList &values);

    // True for a statement that only reads (a SELECT).
    bool isReadOnly() const;

    int columnCount() const;
    QString columnName(int column) const;
    // The declared type of a column that comes straight from a table column
    // (also through views), empty for expressions.
    QString columnDeclType(int column) const;
    // The table column behind a result column, empty for expressions.
    QString columnTableName(int column) const;
    QString columnOriginName(int column) const;
    QVariant value(int column) const;
    QVariantList row() const;
    // The prepared statement, for reading values without making QVariants.
    sqlite3_stmt *handle() const { return m_stmt; }

    // Converts a value for binding: QDate → "yyyy-MM-dd", bool → 0/1 …
    static void bind(sqlite3_stmt *stmt, int index, const QVariant &value);

private:
    [[noreturn]] void fail() const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    QVariantList m_values;
};

} // namespace store
