#pragma once

#include "store/error.h"
#include "store/jet_sql.h"
#include "store/quote_text.h"
#include "store/transaction.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

struct sqlite3;

namespace store {

class Recordset;

// The program's database file (a SQLite file, kept under the name Pinora.mdb).
// Not copyable; recordsets and transactions refer to it and must not outlive it.
// Every failure raises store::Error. A statement that writes, run through
// exec(), execJet() or insertGame(), first makes every open recordset read
// the rest of its rows, so a recordset keeps the rows as they were when it
// was opened.
class Database
{
public:
    // The layout version written to PRAGMA user_version by create() and by
    // the upgrade steps run in open().
    static constexpr int kSchemaVersion = 2;

    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens an existing file. Raises Error when the file is missing or is not
    // a SQLite database. A file of ours written by an older version is brought
    // up to date by the upgrade steps; a database without our tables is left
    // as it is (the caller tests hasTable(u"フレーム"_s)).
    void open(const QString &path);
    // Makes a new file with the whole schema, the saved queries and the
    // all-players row (選手ID 0, "全　員"). Raises Error when the file exists.
    void create(const QString &path);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // SQLite SQL with ? placeholders bound to values in order.
    void exec(const QString &sql, const QVariantList &values = {});
    // Rows of a query, each value as Statement::value gives it.
    QList<QVariantList> select(const QString &sql, const QVariantList &values = {}) const;
    // First column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;

    qint64 lastInsertId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;
    bool inTransaction() const;

    // Tables and views, found without regard to case or width ("ﾌﾚｰﾑ" finds
    // "フレーム"). storedName() gives the name as stored, empty when there is none.
    bool hasTable(const QString &name) const;
    bool hasView(const QString &name) const;
    QString storedName(const QString &name) const;
    // Names of the tables (not views) and views as stored.
    QStringList tableNames() const;
    QStringList viewNames() const;
    // Column names of a table or view in stored order.
    QStringList columnNames(const QString &tableOrView) const;

    int schemaVersion() const;

    // The names of the database for rewriting Jet SQL; read again after the
    // schema changes.
    const Catalog &catalog() const;
    // A Jet-dialect SQL text rewritten for SQLite against this database's names.
    QString rewrite(const QString &jetSql) const;
    // Runs a Jet-dialect statement ("DELETE FROM データ項目 WHERE ID=12").
    void execJet(const QString &jetSql, const QVariantList &values = {});

    // PRAGMA integrity_check: {"ok"} for a sound file, otherwise SQLite's findings.
    QStringList integrityCheck() const;
    // Writes a compacted copy of the open database to newPath (VACUUM INTO).
    // Raises Error when newPath exists or the copy fails.
    void compactInto(const QString &newPath) const;
    // The maintenance step on files: checks source, writes its compacted copy
    // to target and checks the copy. Raises Error (with SQLite's findings)
    // when the source is damaged or the copy is not sound; no target is left
    // behind then, so the caller keeps its file and skips the renaming.
    static void compactFile(const QString &source, const QString &target);

    // One stored game: inserts the データ項目 row, then the マーク and フレーム
    // rows with the same ID. Field names match without regard to case or width;
    // 選手ID, 試合ID and the game number are copied from the データ項目 fields
    // when the other two maps lack them. Returns the shared ID. Run it inside a
    // Transaction so the three rows are stored together.
    qint64 insertGame(const QVariantMap &dataFields, const QVariantMap &markFields,
                      const QVariantMap &frameFields);
    // Removes a stored game from all three game tables.
    void deleteGame(qint64 id);

    sqlite3 *handle() const { return m_db; }

private:
    friend class Recordset;
    // Caches of the prepared INSERTs and the recordsets still reading rows.
    struct Internals;

    void openHandle(const QString &path, bool create);
    // Recordsets whose statement has rows left register here.
    void readingStarted(const Recordset *rs);
    void readingEnded(const Recordset *rs);
    void finishReading();
    int schemaCookie() const;
    void upgrade();
    qint64 insertRow(const QString &table, const QVariantMap &fields);

    sqlite3 *m_db = nullptr;
    QString m_path;
    mutable Catalog m_catalog;
    mutable int m_catalogVersion = -1;
    std::unique_ptr<Internals> m_internals;
};

} // namespace store
