#include "store/database.h"

#include "store/recordset.h"
#include "store/saved_queries.h"
#include "store/schema.h"
#include "store/statement.h"
#include "text/name_fold.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

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
        if (!sql.startsWith(u"CREATE TABLE"_s) || sql.startsWith(u"CREATE TABLE IF NOT EXISTS"_s))
            db.exec(sql);
    for (const QString &sql : savedQueryStatements())
        db.exec(sql);
}

// Version 1 → 2: the per-match totals table is made and filled, and the
// saved queries are made again from their present definitions (a file keeps
// a view it already has), with the indexes and triggers that are missing.
void upgradeTo2(Database &db)
{
    for (const QString &sql : savedQueryStatements()) {
        static const QString prefix = u"CREATE VIEW IF NOT EXISTS "_s;
        if (!sql.startsWith(prefix))
            continue;
        const QString name = sql.mid(prefix.size(), sql.indexOf(u" AS "_s) - prefix.size());
        db.exec(u"DROP VIEW IF EXISTS "_s + quoteName(name));
    }
    upgradeTo1(db);
    for (const QString &sql : schema::matchTotalsRefill())
        db.exec(sql);
}

const std::function<void(Database &)> kUpgradeSteps[] = {upgradeTo1, upgradeTo2};
static_assert(std::size(kUpgradeSteps) == Database::kSchemaVersion);

} // namespace

struct Database::Internals
{
    // Recordsets whose statement has rows left to read.
    QList<const Recordset *> reading;

    // PRAGMA schema_version, prepared once.
    std::unique_ptr<Statement> cookie;

    // Prepared INSERTs by table and field names, with the schema version they
    // were made for; a change of the schema drops them.
    struct Insert
    {
        std::unique_ptr<Statement> statement;
    };
    int insertsCookie = -1;
    QHash<QString, QStringList> columns;        // table -> stored column names
    QHash<QString, std::shared_ptr<Insert>> inserts; // table + field names -> INSERT
    QHash<QString, QString> folded;             // field name -> folded name

    QString fold(const QString &name)
    {
        auto it = folded.constFind(name);
        if (it == folded.cend())
            it = folded.insert(name, text::foldName(name));
        return it.value();
    }
};

Database::Database() : m_internals(std::make_unique<Internals>())
{
}

Database::~Database()
{
    close();
}

void Database::readingStarted(const Recordset *rs)
{
    if (!m_internals->reading.contains(rs))
        m_internals->reading.append(rs);
}

void Database::readingEnded(const Recordset *rs)
{
    m_internals->reading.removeOne(rs);
}

void Database::finishReading()
{
    // Each recordset leaves the list when its statement is done.
    const QList<const Recordset *> pending = m_internals->reading;
    for (const Recordset *rs : pending)
        rs->fetchAll();
}

int Database::schemaCookie() const
{
    if (!m_internals->cookie)
        m_internals->cookie = std::make_unique<Statement>(m_db, u"PRAGMA schema_version"_s);
    Statement &st = *m_internals->cookie;
    st.rebind({});
    const int version = st.step() ? st.value(0).toInt() : -1;
    st.rebind({}); // done: no statement left running
    return version;
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
    // Recordsets still reading keep the rows they have; their statements and
    // the prepared ones go before the connection.
    const QList<const Recordset *> pending = m_internals->reading;
    for (const Recordset *rs : pending)
        rs->stopReading();
    m_internals->reading.clear();
    m_internals->cookie.reset();
    m_internals->inserts.clear();
    m_internals->columns.clear();
    m_internals->insertsCookie = -1;
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_path.clear();
}

void Database::exec(const QString &sql, const QVariantList &values)
{
    Statement st(m_db, sql, values);
    if (!st.isReadOnly())
        finishReading();
    st.run();
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
    const int version = schemaCookie();
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
    // VACUUM runs only when no other statement is.
    const QList<const Recordset *> pending = m_internals->reading;
    for (const Recordset *rs : pending)
        rs->fetchAll();
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
    Internals &in = *m_internals;
    const int cookie = schemaCookie();
    if (cookie != in.insertsCookie) {
        in.inserts.clear();
        in.columns.clear();
        in.insertsCookie = cookie;
    }
    // One prepared INSERT per table and set of field names (a map's keys come
    // sorted, so the same fields give the same key), bound again each time.
    QString key = table;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        key += u'\x1f' + it.key();
    QVariantList values;
    values.reserve(fields.size());
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        values << it.value();
    std::shared_ptr<Internals::Insert> &insert = in.inserts[key];
    if (!insert) {
        auto cols = in.columns.find(table);
        if (cols == in.columns.end())
            cols = in.columns.insert(table, columnNames(table));
        QStringList names;
        QStringList marks;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            QString col;
            const QString folded = in.fold(it.key());
            for (const QString &c : std::as_const(cols.value()))
                if (c == it.key() || (col.isEmpty() && in.fold(c) == folded))
                    col = c;
            if (col.isEmpty()) {
                in.inserts.remove(key);
                throw Error(u"フィールドがありません: "_s + table + u"."_s + it.key());
            }
            names << quoteName(col);
            marks << u"?"_s;
        }
        const QString sql = names.isEmpty()
            ? u"INSERT INTO "_s + quoteName(table) + u" DEFAULT VALUES"_s
            : u"INSERT INTO "_s + quoteName(table) + u" ("_s + names.join(u", "_s)
                + u") VALUES ("_s + marks.join(u", "_s) + u")"_s;
        auto made = std::make_shared<Internals::Insert>();
        try {
            made->statement = std::make_unique<Statement>(m_db, sql, values);
        } catch (const Error &) {
            in.inserts.remove(key);
            throw;
        }
        insert = made;
    } else {
        insert->statement->rebind(values);
    }
    finishReading();
    Statement &st = *insert->statement;
    st.run();
    return lastInsertId();
}

qint64 Database::insertGame(const QVariantMap &dataFields, const QVariantMap &markFields,
                            const QVariantMap &frameFields)
{
    Internals &in = *m_internals;
    Transaction t(*this);
    const qint64 id = insertRow(u"データ項目"_s, dataFields);

    // The game's identity, copied into the other two rows where missing.
    static const QString keys[] = {u"選手ID"_s, u"試合ID"_s, u"ｹﾞｰﾑ"_s};
    const QString idKey = in.fold(u"ID"_s);
    auto withKeys = [&](const QVariantMap &given) {
        QVariantMap fields;
        QStringList present;
        // The shared ID always wins over one given by the caller.
        for (auto it = given.cbegin(); it != given.cend(); ++it) {
            const QString folded = in.fold(it.key());
            if (folded == idKey)
                continue;
            present << folded;
            fields.insert(it.key(), it.value());
        }
        for (const QString &key : keys) {
            const QString folded = in.fold(key);
            if (present.contains(folded))
                continue;
            for (auto it = dataFields.cbegin(); it != dataFields.cend(); ++it)
                if (in.fold(it.key()) == folded)
                    fields.insert(key, it.value());
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
