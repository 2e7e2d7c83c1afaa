#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace store {

// The names a database holds: every table and view with its columns, each in
// its stored spelling and order. Look-ups match without regard to letter case
// or character width (text::foldName), the way the program's SQL texts and
// field names expect.
class Catalog
{
public:
    struct Relation
    {
        QString name;
        QStringList columns;
        bool isView = false;
    };

    Catalog() = default;
    explicit Catalog(const QList<Relation> &relations);

    // Reads the tables and views of an open database (sqlite_master and
    // PRAGMA table_info, which also lists the columns of a view). Internal
    // sqlite_ tables are left out; a view whose columns cannot be read (its
    // definition no longer compiles) is listed without columns.
    static Catalog fromDatabase(sqlite3 *db);

    // Adds a relation, or replaces the one of the same (folded) name.
    void add(const Relation &relation);
    void add(const QString &name, const QStringList &columns, bool isView = false);

    const QList<Relation> &relations() const { return m_relations; }
    bool isEmpty() const { return m_relations.isEmpty(); }

    // The relation of that name (any case or width); null when there is none.
    // The pointer stays valid until the catalog is changed.
    const Relation *relation(const QString &name) const;
    // Stored spelling of a table or view name; empty when there is none.
    QString relationName(const QString &name) const;
    // Stored spelling of a column of a relation; empty when either is unknown.
    // A column spelt exactly as asked wins over one that only folds equal.
    QString columnName(const QString &relation, const QString &column) const;

private:
    QList<Relation> m_relations;
    QHash<QString, qsizetype> m_index; // folded name -> position in m_relations
};

// Rewrites a Jet-dialect SQL text, or a criterion / sort text used as a
// recordset's Filter, FindFirst or Sort, into SQL that SQLite runs with the
// same result:
//  - names (bare, [bracketed], table.column) are matched to their stored
//    spelling without regard to case or width and written double-quoted;
//    names found nowhere are written in brackets, so SQLite reports them
//    instead of reading them as string literals;
//  - DISTINCTROW is dropped; First()/Last() in an aggregate query take the
//    value of the group; `/` divides as floating point; Mod and `&` become
//    % and || (a Null operand of & counts as an empty text);
//  - a column alias used again in the same SELECT list is replaced by the
//    aliased expression;
//  - a SELECT item that names one column gets that name as its alias, so the
//    result's field names are the column names; a name that stands twice in
//    one list is called "table.column", as Jet calls it;
//  - pieces joined without a blank ("5and", ")and") are separated;
//  - keywords are written in upper case; 'text' literals are kept as they
//    are and "text" literals become 'text'; True/False become -1/0;
//    Like patterns with * and ? become % and _.
// `scope` names the columns that a bare name in a fragment (a criterion or a
// sort text, which has no FROM clause) refers to: the fields of the
// recordset it is applied to. Without it a fragment's names are matched
// against the columns of every relation of the catalog. In a full statement
// the scope is consulted after the statement's own tables.
QString toSqlite(const QString &jet, const Catalog &catalog, const QStringList &scope = {});

} // namespace store
