#include "store/statement.h"

#include "store/error.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace store {

Statement::Statement(sqlite3 *db, const QString &sql, const QVariantList &values)
    : m_db(db), m_sql(sql), m_values(values)
{
    if (!db)
        throw Error(u"データベースが開かれていません"_s, sql, values);
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, &tail) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw Error(msg, sql, values);
    }
    if (!m_stmt)
        throw Error(u"empty SQL statement"_s, sql, values);
    if (tail && QByteArray(tail).trimmed().size() > 0) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw Error(u"more than one SQL statement"_s, sql, values);
    }
    const int wanted = sqlite3_bind_parameter_count(m_stmt);
    if (wanted != values.size()) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw Error(u"%1 values given for %2 parameters"_s.arg(values.size()).arg(wanted), sql,
                    values);
    }
    for (int i = 0; i < values.size(); ++i)
        bind(m_stmt, i + 1, values.at(i));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    if (value.isNull() || !value.isValid()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDate: {
        const QByteArray t = value.toDate().toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        // A date without a time of day is stored as a plain date, as the
        // date fields hold them.
        const QString s = dt.time() == QTime(0, 0) ? dt.date().toString(Qt::ISODate)
                                                   : dt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
        const QByteArray t = s.toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray t = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void Statement::rebind(const QVariantList &values)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    if (values.size() != sqlite3_bind_parameter_count(m_stmt))
        throw Error(u"%1 values given for %2 parameters"_s.arg(values.size())
                        .arg(sqlite3_bind_parameter_count(m_stmt)),
                    m_sql, values);
    m_values = values;
    for (int i = 0; i < values.size(); ++i)
        bind(m_stmt, i + 1, values.at(i));
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::fail() const
{
    throw Error(QString::fromUtf8(sqlite3_errmsg(m_db)), m_sql, m_values);
}

bool Statement::isReadOnly() const
{
    return sqlite3_stmt_readonly(m_stmt) != 0;
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::columnDeclType(int column) const
{
    const char *t = sqlite3_column_decltype(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

QString Statement::columnTableName(int column) const
{
    const char *t = sqlite3_column_table_name(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

QString Statement::columnOriginName(int column) const
{
    const char *t = sqlite3_column_origin_name(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)),
            sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant();
    }
}

QVariantList Statement::row() const
{
    QVariantList r;
    const int n = columnCount();
    r.reserve(n);
    for (int i = 0; i < n; ++i)
        r << value(i);
    return r;
}

} // namespace store
