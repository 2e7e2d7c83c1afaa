#include "store/database.h"

#include "store/saved_queries.h"
#include "store/schema.h"
#include "store/statement.h"
#include "text/name_fold.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace store {

namespace {

QString quoteName(const QString &name)
{
    QString n = name;
    n.replace(u"\""_s, u"\"\""_s);
    return u"\""_s + n + u"\""_s;
}

// Numbered upgrade steps: step i brings a file of ours from version i to i + 1.
// Version 0 is a file with our tables that lacks the saved queries, indexes and
// triggers (or has older ones): they are made where missing.
void upgradeTo1(Database &db)
{
    const QStringList statements = schema::tableStatements();
    for (const QString &sql : statements)
        if (!sql.startsWith(u"CREATE TABLE"_s))
            db.exec(sql);
    for (const QString &sql : savedQueryStatements())
        db.exec(sql);
}

const std::function<void(Database &)> kUpgradeSteps[] = {upgradeTo1};
static_assert(std::size(kUpgradeSteps) == Database::kSchemaVersion);

} // namespace

Database::Database() = default;

Database::~Database()
{
    close();
}

void Database::openHandle(const QString &path, bool create)
{
    close();
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db))
                               : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw Error(msg + u" ("_s + path + u")"_s);
    }
    m_db = db;
    m_path = path;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
}

void Database::open(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw Error(u"ファイルがありません: "_s + path);
    openHandle(path, false);
    try {
        // SQLite reads the header only on first use: a file that is not a
        // database fails here.
        scalar(u"SELECT count(*) FROM sqlite_master"_s);
        upgrade();
    } catch (const Error &) {
        close();
        throw;
    }
}

void Database::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw Error(u"ファイルが既にあります: "_s + path);
    openHandle(path, true);
    try {
        Transaction t(*this);
        for (const QString &sql : schema::tableStatements())
            exec(sql);
        for (const QString &sql : savedQueryStatements())
            exec(sql);
        exec(u"INSERT INTO 選手 (選手ID, 選手名) VALUES (0, ?)"_s, {u"全　員"_s});
        exec(u"PRAGMA user_version = "_s + QString::number(kSchemaVersion));
        t.commit();
    } catch (const Error &) {
        close();
        QFile::remove(path);
        throw;
    }
}

void Database::upgrade()
{
    int version = schemaVersion();
    if (version >= kSchemaVersion || !hasTable(u"フレーム"_s))
        return;
    Transaction t(*this);
    for (; version < kSchemaVersion; ++version)
        kUpgradeSteps[version](*this);
    exec(u"PRAGMA user_version = "_s + QString::number(kSchemaVersion));
    t.commit();
}

void Database::close()
{
    m_catalog = Catalog();
    m_catalogVersion = -1;
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_path.clear();
}

void Database::exec(const QString &sql, const QVariantList &values)
{
    Statement(m_db, sql, values).run();
}

QList<QVariantList> Database::select(const QString &sql, const QVariantList &values) const
{
    Statement st(m_db, sql, values);
    QList<QVariantList> rows;
    while (st.step())
        rows << st.row();
    return rows;
}

QVariant Database::scalar(const QString &sql, const QVariantList &values) const
{
    Statement st(m_db, sql, values);
    if (!st.step() || st.columnCount() == 0)
        return QVariant();
    return st.value(0);
}

qint64 Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int Database::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

bool Database::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

namespace {

QStringList namesOfType(const Database &db, const QString &type)
{
    QStringList names;
    const auto rows = db.select(
        u"SELECT name FROM sqlite_master WHERE type = ? AND name NOT LIKE 'sqlite_%' ORDER BY rowid"_s,
        {type});
    for (const QVariantList &r : rows)
        names << r.at(0).toString();
    return names;
}

QString findFolded(const QStringList &names, const QString &name)
{
    const QString folded = text::foldName(name);
    for (const QString &n : names)
        if (text::foldName(n) == folded)
            return n;
    return QString();
}

} // namespace

QStringList Database::tableNames() const
{
    return namesOfType(*this, u"table"_s);
}

QStringList Database::viewNames() const
{
    return namesOfType(*this, u"view"_s);
}

bool Database::hasTable(const QString &name) const
{
    return !findFolded(tableNames(), name).isEmpty();
}

bool Database::hasView(const QString &name) const
{
    return !findFolded(viewNames(), name).isEmpty();
}

QString Database::storedName(const QString &name) const
{
    const QString t = findFolded(tableNames(), name);
    return t.isEmpty() ? findFolded(viewNames(), name) : t;
}

QStringList Database::columnNames(const QString &tableOrView) const
{
    const QString stored = storedName(tableOrView);
    if (stored.isEmpty())
        throw Error(u"テーブルまたはクエリがありません: "_s + tableOrView);
    QStringList cols;
    const auto rows = select(u"PRAGMA table_info("_s + quoteName(stored) + u")"_s);
    for (const QVariantList &r : rows)
        cols << r.at(1).toString();
    return cols;
}

const Catalog &Database::catalog() const
{
    const int version = scalar(u"PRAGMA schema_version"_s).toInt();
    if (version != m_catalogVersion) {
        m_catalog = Catalog::fromDatabase(m_db);
        m_catalogVersion = version;
    }
    return m_catalog;
}

QString Database::rewrite(const QString &jetSql) const
{
    QString sql = store::toSqlite(jetSql, catalog()).trimmed();
    while (sql.endsWith(u';'))
        sql.chop(1);
    return sql;
}

void Database::execJet(const QString &jetSql, const QVariantList &values)
{
    exec(rewrite(jetSql), values);
}

int Database::schemaVersion() const
{
    return scalar(u"PRAGMA user_version"_s).toInt();
}

QStringList Database::integrityCheck() const
{
    QStringList found;
    const auto rows = select(u"PRAGMA integrity_check"_s);
    for (const QVariantList &r : rows)
        found << r.at(0).toString();
    return found;
}

void Database::compactInto(const QString &newPath) const
{
    Statement(m_db, u"VACUUM INTO ?"_s, {QFileInfo(newPath).absoluteFilePath()}).run();
}

void Database::compactFile(const QString &source, const QString &target)
{
    try {
        Database from;
        from.open(source);
        const QStringList found = from.integrityCheck();
        if (found != QStringList{u"ok"_s})
            throw Error(found.join(u"\n"_s), u"PRAGMA integrity_check"_s);
        from.compactInto(target);
        from.close();
        Database copy;
        copy.open(target);
        const QStringList copied = copy.integrityCheck();
        if (copied != QStringList{u"ok"_s})
            throw Error(copied.join(u"\n"_s), u"PRAGMA integrity_check"_s);
    } catch (const Error &) {
        if (QFileInfo::exists(target) && QFileInfo(target) != QFileInfo(source))
            QFile::remove(target);
        throw;
    }
}

qint64 Database::insertRow(const QString &table, const QVariantMap &fields)
{
    const QStringList cols = columnNames(table);
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QString col = findFolded(cols, it.key());
        if (col.isEmpty())
            throw Error(u"フィールドがありません: "_s + table + u"."_s + it.key());
        names << quoteName(col);
        marks << u"?"_s;
        values << it.value();
    }
    const QString sql = names.isEmpty()
        ? u"INSERT INTO "_s + quoteName(table) + u" DEFAULT VALUES"_s
        : u"INSERT INTO "_s + quoteName(table) + u" ("_s + names.join(u", "_s) + u") VALUES ("_s
            + marks.join(u", "_s) + u")"_s;
    exec(sql, values);
    return lastInsertId();
}

qint64 Database::insertGame(const QVariantMap &dataFields, const QVariantMap &markFields,
                            const QVariantMap &frameFields)
{
    Transaction t(*this);
    const qint64 id = insertRow(u"データ項目"_s, dataFields);

    // The game's identity, copied into the other two rows where missing.
    auto withKeys = [&](QVariantMap fields) {
        const QStringList keys{u"選手ID"_s, u"試合ID"_s, u"ｹﾞｰﾑ"_s};
        for (const QString &key : keys) {
            const QString folded = text::foldName(key);
            bool inTarget = false;
            for (auto it = fields.cbegin(); it != fields.cend() && !inTarget; ++it)
                inTarget = text::foldName(it.key()) == folded;
            if (inTarget)
                continue;
            for (auto it = dataFields.cbegin(); it != dataFields.cend(); ++it)
                if (text::foldName(it.key()) == folded)
                    fields.insert(key, it.value());
        }
        // The shared ID always wins over one given by the caller.
        for (auto it = fields.begin(); it != fields.end();) {
            if (text::foldName(it.key()) == text::foldName(u"ID"_s))
                it = fields.erase(it);
            else
                ++it;
        }
        fields.insert(u"ID"_s, id);
        return fields;
    };
    insertRow(u"マーク"_s, withKeys(markFields));
    insertRow(u"フレーム"_s, withKeys(frameFields));
    t.commit();
    return id;
}

void Database::deleteGame(qint64 id)
{
    Transaction t(*this);
    // The delete triggers remove the other two rows; the explicit deletes also
    // clear rows left without their データ項目 row.
    exec(u"DELETE FROM データ項目 WHERE ID = ?"_s, {id});
    exec(u"DELETE FROM マーク WHERE ID = ?"_s, {id});
    exec(u"DELETE FROM フレーム WHERE ID = ?"_s, {id});
    t.commit();
}

} // namespace store
