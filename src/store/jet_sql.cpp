#include "store/jet_sql.h"

#include "text/name_fold.h"

#include <QDate>
#include <QSet>

#include <deque>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace store {

namespace {

// Column of a list matched to its stored spelling: the exact spelling first,
// then one that only folds equal. Empty when there is none.
QString findColumn(const QStringList &columns, const QString &name)
{
    if (columns.contains(name))
        return name;
    const QString folded = text::foldName(name);
    for (const QString &c : columns) {
        if (text::foldName(c) == folded)
            return c;
    }
    return {};
}

QString fromUtf8Column(sqlite3_stmt *st, int column)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, column)) : QString();
}

} // namespace

// ---------------------------------------------------------------------------
// Catalog

Catalog::Catalog(const QList<Relation> &relations)
{
    for (const Relation &r : relations)
        add(r);
}

void Catalog::add(const Relation &relation)
{
    const QString key = text::foldName(relation.name);
    const auto it = m_index.constFind(key);
    if (it != m_index.constEnd()) {
        m_relations[*it] = relation;
    } else {
        m_index.insert(key, m_relations.size());
        m_relations.append(relation);
    }
}

void Catalog::add(const QString &name, const QStringList &columns, bool isView)
{
    add(Relation{name, columns, isView});
}

const Catalog::Relation *Catalog::relation(const QString &name) const
{
    const auto it = m_index.constFind(text::foldName(name));
    return it == m_index.constEnd() ? nullptr : &m_relations[*it];
}

QString Catalog::relationName(const QString &name) const
{
    const Relation *r = relation(name);
    return r ? r->name : QString();
}

QString Catalog::columnName(const QString &relationName, const QString &column) const
{
    const Relation *r = relation(relationName);
    return r ? findColumn(r->columns, column) : QString();
}

Catalog Catalog::fromDatabase(sqlite3 *db)
{
    Catalog catalog;
    if (!db)
        return catalog;

    QList<Relation> found;
    sqlite3_stmt *st = nullptr;
    const char *listSql = "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid";
    if (sqlite3_prepare_v2(db, listSql, -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            found.append(Relation{fromUtf8Column(st, 0), {}, fromUtf8Column(st, 1) == u"view"_s});
    }
    sqlite3_finalize(st);

    for (Relation &r : found) {
        QString name = r.name;
        name.replace(u'"', u"\"\""_s);
        const QByteArray sql = (u"PRAGMA table_info(\""_s + name + u"\")"_s).toUtf8();
        st = nullptr;
        // A view whose definition no longer compiles cannot list its columns;
        // it is still known by name.
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW)
                r.columns.append(fromUtf8Column(st, 1));
        }
        sqlite3_finalize(st);
        catalog.add(r);
    }
    return catalog;
}

// ---------------------------------------------------------------------------
// The rewrite

namespace {

enum class Kind { Space, Word, Bracket, String, Number, Date, Punct };

struct Token
{
    Kind kind = Kind::Punct;
    QString text;  // as written
    QString value; // name inside brackets, literal text without its quotes
    bool closed = true;
};

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isWordChar(QChar c)
{
    if (c.unicode() < 0x80)
        return c.isLetterOrNumber() || c == u'_';
    // Every other non-blank character may stand in a Japanese name
    // (katakana, full-width letters and digits, "ー", "＿", ...).
    return !c.isSpace();
}

// A Jet date literal #m/d/yyyy# (optionally with a time) as the ISO text the
// database stores; empty when the text is no date.
QString isoDateLiteral(const QString &inner)
{
    const QString s = inner.trimmed();
    static const char *const formats[] = {"M/d/yyyy H:mm:ss", "M/d/yyyy H:mm", "M/d/yyyy", "yyyy-MM-dd H:mm:ss",
                                          "yyyy-MM-dd", "yyyy/M/d H:mm:ss", "yyyy/M/d"};
    for (const char *f : formats) {
        const QString format = QString::fromLatin1(f);
        const QDateTime dt = QDateTime::fromString(s, format);
        if (dt.isValid()) {
            if (!format.contains(u'H'))
                return dt.date().toString(Qt::ISODate);
            return dt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
        }
    }
    return {};
}

QList<Token> tokenize(const QString &s)
{
    QList<Token> tokens;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        Token t;
        qsizetype j = i + 1;
        if (c.isSpace()) {
            while (j < n && s.at(j).isSpace())
                ++j;
            t.kind = Kind::Space;
        } else if (c == u'\'' || c == u'"') {
            t.kind = Kind::String;
            t.closed = false;
            while (j < n) {
                if (s.at(j) == c) {
                    if (j + 1 < n && s.at(j + 1) == c) {
                        t.value += c;
                        j += 2;
                        continue;
                    }
                    ++j;
                    t.closed = true;
                    break;
                }
                t.value += s.at(j);
                ++j;
            }
        } else if (c == u'[') {
            const qsizetype close = s.indexOf(u']', i + 1);
            if (close < 0) {
                t.kind = Kind::Punct; // left as written: SQLite reports it
                j = n;
            } else {
                t.kind = Kind::Bracket;
                t.value = s.mid(i + 1, close - i - 1);
                j = close + 1;
            }
        } else if (c == u'#') {
            const qsizetype close = s.indexOf(u'#', i + 1);
            const QString iso = close > i ? isoDateLiteral(s.mid(i + 1, close - i - 1)) : QString();
            if (!iso.isEmpty()) {
                t.kind = Kind::Date;
                t.value = iso;
                j = close + 1;
            } else {
                t.kind = Kind::Punct;
            }
        } else if (isAsciiDigit(c) || (c == u'.' && i + 1 < n && isAsciiDigit(s.at(i + 1)))) {
            // Digits end a number even when a word follows without a blank
            // ("選手ID=5and ...").
            t.kind = Kind::Number;
            j = i;
            while (j < n && isAsciiDigit(s.at(j)))
                ++j;
            if (j + 1 < n && s.at(j) == u'.' && isAsciiDigit(s.at(j + 1))) {
                ++j;
                while (j < n && isAsciiDigit(s.at(j)))
                    ++j;
            }
            if (j < n && (s.at(j) == u'e' || s.at(j) == u'E')) {
                qsizetype k = j + 1;
                if (k < n && (s.at(k) == u'+' || s.at(k) == u'-'))
                    ++k;
                if (k < n && isAsciiDigit(s.at(k))) {
                    j = k;
                    while (j < n && isAsciiDigit(s.at(j)))
                        ++j;
                }
            }
        } else if (isWordChar(c)) {
            t.kind = Kind::Word;
            while (j < n && isWordChar(s.at(j)))
                ++j;
        } else {
            t.kind = Kind::Punct;
            if (j < n) {
                const QString two = s.mid(i, 2);
                if (two == u"<="_s || two == u">="_s || two == u"<>"_s || two == u"!="_s || two == u"=="_s
                    || two == u"||"_s)
                    j = i + 2;
            }
        }
        t.text = s.mid(i, j - i);
        if (t.kind == Kind::Word || t.kind == Kind::Number)
            t.value = t.text;
        tokens.append(t);
        i = j;
    }
    return tokens;
}

const QSet<QString> &keywords()
{
    static const QSet<QString> set = {
        u"SELECT"_s, u"DISTINCT"_s, u"DISTINCTROW"_s, u"ALL"_s,      u"TOP"_s,     u"PERCENT"_s,  u"FROM"_s,
        u"WHERE"_s,  u"GROUP"_s,    u"BY"_s,          u"HAVING"_s,   u"ORDER"_s,   u"ASC"_s,      u"DESC"_s,
        u"AS"_s,     u"ON"_s,       u"JOIN"_s,        u"INNER"_s,    u"LEFT"_s,    u"RIGHT"_s,    u"FULL"_s,
        u"OUTER"_s,  u"CROSS"_s,    u"AND"_s,         u"OR"_s,       u"NOT"_s,     u"BETWEEN"_s,  u"IN"_s,
        u"IS"_s,     u"NULL"_s,     u"LIKE"_s,        u"UNION"_s,    u"EXCEPT"_s,  u"INTERSECT"_s, u"INSERT"_s,
        u"INTO"_s,   u"VALUES"_s,   u"UPDATE"_s,      u"SET"_s,      u"DELETE"_s,  u"CASE"_s,     u"WHEN"_s,
        u"THEN"_s,   u"ELSE"_s,     u"END"_s,         u"EXISTS"_s,   u"TRUE"_s,    u"FALSE"_s,    u"MOD"_s,
        u"ESCAPE"_s, u"LIMIT"_s,    u"OFFSET"_s,      u"COLLATE"_s,
    };
    return set;
}

const QSet<QString> &aggregateNames()
{
    static const QSet<QString> set = {u"COUNT"_s, u"SUM"_s,   u"AVG"_s,    u"MIN"_s, u"MAX"_s, u"FIRST"_s,
                                      u"LAST"_s,  u"STDEV"_s, u"STDEVP"_s, u"VAR"_s, u"VARP"_s};
    return set;
}

QString quoteName(const QString &name)
{
    QString q = name;
    q.replace(u'"', u"\"\""_s);
    return u'"' + q + u'"';
}

// A name that resolves nowhere. Double quotes would let SQLite take it for a
// string literal when no column matches; brackets make it report the name.
QString unknownName(const QString &name)
{
    if (!name.contains(u']'))
        return u'[' + name + u']';
    QString q = name;
    q.replace(u'`', u"``"_s);
    return u'`' + q + u'`';
}

QString quoteLiteral(const QString &value)
{
    QString q = value;
    q.replace(u'\'', u"''"_s);
    return u'\'' + q + u'\'';
}

// Jet's Like wildcards * and ? as LIKE's % and _; a literal % or _ of the
// pattern is escaped. Returns the literal and whether ESCAPE is needed.
QPair<QString, bool> likePattern(const QString &jet)
{
    QString out;
    bool escaped = false;
    for (const QChar c : jet) {
        if (c == u'*') {
            out += u'%';
        } else if (c == u'?') {
            out += u'_';
        } else if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
            out += c;
            escaped = true;
        } else {
            out += c;
        }
    }
    return {quoteLiteral(out), escaped};
}

struct Source
{
    QString name;  // as written in the output (stored spelling or alias)
    QString alias; // folded alias, empty when none
    QString relationKey; // folded relation name
    QStringList columns;
};

struct Item
{
    qsizetype from = 0; // significant positions, expression only
    qsizetype to = 0;
    QString alias;      // as written
    QString aliasKey;   // folded
    qsizetype aliasPos = -1;
    bool rendering = false;
};

struct Query
{
    Query *parent = nullptr;
    QList<Source> sources;
    QList<Item> items;
    qsizetype selectFrom = -1, selectTo = -1;
    bool otherAggregate = false; // GROUP BY or an aggregate other than First/Last
    bool fragment = false;
    QStringList outputColumns;
};

class Rewriter
{
public:
    Rewriter(const QString &jet, const Catalog &catalog, const QStringList &scope)
        : m_tokens(tokenize(jet)), m_catalog(catalog), m_scope(scope)
    {
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i].kind != Kind::Space)
                m_sig.append(i);
        }
        m_out.resize(m_tokens.size());
        m_inline.fill(nullptr, m_tokens.size());
        m_inlineItem.fill(-1, m_tokens.size());
        for (qsizetype i = 0; i < m_tokens.size(); ++i)
            m_out[i] = defaultText(m_tokens[i]);
        matchParens();
    }

    QString run()
    {
        qsizetype start = 0;
        for (qsizetype p = 0; p <= m_sig.size(); ++p) {
            if (p == m_sig.size() || tok(p).text == u";"_s) {
                if (p > start)
                    statement(start, p);
                start = p + 1;
            }
        }
        return render(0, m_tokens.size());
    }

private:
    // -- token access over significant positions
    const Token &tok(qsizetype p) const { return m_tokens[m_sig[p]]; }
    QString &out(qsizetype p) { return m_out[m_sig[p]]; }
    bool isPunct(qsizetype p, const QString &text) const
    {
        return p >= 0 && p < m_sig.size() && tok(p).kind == Kind::Punct && tok(p).text == text;
    }
    bool isKeyword(qsizetype p) const
    {
        return p >= 0 && p < m_sig.size() && tok(p).kind == Kind::Word && keywords().contains(tok(p).text.toUpper());
    }
    bool isKw(qsizetype p, const QString &kw) const
    {
        return p >= 0 && p < m_sig.size() && tok(p).kind == Kind::Word && tok(p).text.toUpper() == kw;
    }
    bool isName(qsizetype p) const
    {
        if (p < 0 || p >= m_sig.size())
            return false;
        return tok(p).kind == Kind::Bracket || (tok(p).kind == Kind::Word && !isKeyword(p));
    }

    static QString defaultText(const Token &t)
    {
        switch (t.kind) {
        case Kind::String:
            // Jet also takes "text" as a literal; SQLite wants apostrophes.
            return t.closed ? quoteLiteral(t.value) : t.text;
        case Kind::Date:
            return quoteLiteral(t.value);
        default:
            return t.text;
        }
    }

    void matchParens()
    {
        m_match.fill(-1, m_sig.size());
        QList<qsizetype> stack;
        for (qsizetype p = 0; p < m_sig.size(); ++p) {
            if (isPunct(p, u"("_s)) {
                stack.append(p);
            } else if (isPunct(p, u")"_s) && !stack.isEmpty()) {
                const qsizetype open = stack.takeLast();
                m_match[open] = p;
                m_match[p] = open;
            }
        }
    }

    // -- statements

    void statement(qsizetype a, qsizetype b)
    {
        if (isKw(a, u"SELECT"_s)) {
            query(a, b, nullptr);
        } else if (isKw(a, u"INSERT"_s)) {
            // INSERT INTO t (...) SELECT ...: the SELECT is a query of its own.
            qsizetype sel = -1;
            for (qsizetype p = a; p < b; ++p) {
                if (isPunct(p, u"("_s) && m_match[p] > p) {
                    p = m_match[p];
                } else if (isKw(p, u"SELECT"_s)) {
                    sel = p;
                    break;
                }
            }
            query(a, sel < 0 ? b : sel, nullptr);
            if (sel >= 0)
                query(sel, b, nullptr);
        } else if (isKw(a, u"UPDATE"_s) || isKw(a, u"DELETE"_s)) {
            query(a, b, nullptr);
        } else {
            // A criterion or a sort text.
            Query *q = newQuery(nullptr);
            q->fragment = true;
            const auto subs = subqueries(a, b);
            resolveRange(q, a, b, {}, subs);
            for (const auto &sub : subs)
                query(sub.first + 1, sub.second, q);
            concatenation(a, b, subs);
        }
    }

    Query *newQuery(Query *parent)
    {
        m_queries.emplace_back();
        m_queries.back().parent = parent;
        return &m_queries.back();
    }

    // Subquery ranges "(SELECT ...)" directly inside [a, b): pairs of the
    // opening and closing parenthesis.
    QList<QPair<qsizetype, qsizetype>> subqueries(qsizetype a, qsizetype b) const
    {
        QList<QPair<qsizetype, qsizetype>> list;
        for (qsizetype p = a; p < b; ++p) {
            if (isPunct(p, u"("_s) && m_match[p] > p && isKw(p + 1, u"SELECT"_s)) {
                list.append({p, m_match[p]});
                p = m_match[p];
            }
        }
        return list;
    }

    static bool inside(const QList<QPair<qsizetype, qsizetype>> &ranges, qsizetype p)
    {
        for (const auto &r : ranges) {
            if (p > r.first && p < r.second)
                return true;
        }
        return false;
    }

    Query *query(qsizetype a, qsizetype b, Query *parent)
    {
        const auto subs = subqueries(a, b);

        // A compound query: each part resolves its own names.
        for (qsizetype p = a; p < b; ++p) {
            if (inside(subs, p))
                continue;
            if (isKw(p, u"UNION"_s) || isKw(p, u"EXCEPT"_s) || isKw(p, u"INTERSECT"_s)) {
                Query *first = query(a, p, parent);
                qsizetype next = p + 1;
                if (isKw(next, u"ALL"_s))
                    ++next;
                query(next, b, parent);
                return first;
            }
        }

        Query *q = newQuery(parent);
        QSet<qsizetype> done; // positions already given their output

        // Clause boundaries of this query level.
        qsizetype fromPos = -1;
        qsizetype fromEnd = b;
        for (qsizetype p = a; p < b; ++p) {
            if (inside(subs, p))
                continue;
            if (fromPos < 0 && isKw(p, u"FROM"_s)) {
                fromPos = p;
            } else if (fromPos >= 0 && fromEnd == b
                       && (isKw(p, u"WHERE"_s) || isKw(p, u"GROUP"_s) || isKw(p, u"HAVING"_s)
                           || isKw(p, u"ORDER"_s) || isKw(p, u"LIMIT"_s))) {
                fromEnd = p;
            }
            if (isKw(p, u"GROUP"_s))
                q->otherAggregate = true;
            if (tok(p).kind == Kind::Word && isPunct(p + 1, u"("_s)) {
                const QString f = tok(p).text.toUpper();
                if (f != u"FIRST"_s && f != u"LAST"_s && aggregateNames().contains(f))
                    q->otherAggregate = true;
            }
        }

        // DELETE * FROM t: SQLite deletes rows without naming columns.
        if (isKw(a, u"DELETE"_s) && fromPos > a + 1) {
            for (qsizetype p = a + 1; p < fromPos; ++p) {
                out(p).clear();
                done.insert(p);
            }
        }

        // Relations of the statement.
        auto addRelation = [&](qsizetype p) {
            const Catalog::Relation *rel = m_catalog.relation(tok(p).value);
            Source s;
            s.name = rel ? rel->name : tok(p).value;
            s.relationKey = text::foldName(s.name);
            if (rel)
                s.columns = rel->columns;
            out(p) = rel ? quoteName(rel->name) : unknownName(tok(p).value);
            done.insert(p);
            qsizetype ap = p + 1;
            if (isKw(ap, u"AS"_s))
                ++ap;
            if (isName(ap) && !isPunct(ap + 1, u"("_s)) {
                s.alias = text::foldName(tok(ap).value);
                s.name = tok(ap).value;
                out(ap) = quoteName(tok(ap).value);
                done.insert(ap);
            }
            q->sources.append(s);
        };
        if ((isKw(a, u"UPDATE"_s)) && isName(a + 1))
            addRelation(a + 1);
        if (isKw(a, u"INSERT"_s) && isKw(a + 1, u"INTO"_s) && isName(a + 2))
            addRelation(a + 2);
        if (fromPos >= 0) {
            // A relation stands after FROM, JOIN, a comma of the table list or
            // the opening parenthesis of a nested join; names in ON clauses
            // are columns.
            QList<qsizetype> open;
            QSet<qsizetype> joinGroups;
            auto relationPosition = [&](qsizetype p) {
                const qsizetype prev = p - 1;
                if (prev == fromPos || isKw(prev, u"JOIN"_s))
                    return true;
                if (isPunct(prev, u"("_s))
                    return joinGroups.contains(prev);
                if (isPunct(prev, u","_s))
                    return open.isEmpty() || joinGroups.contains(open.last());
                return false;
            };
            for (qsizetype p = fromPos + 1; p < fromEnd; ++p) {
                const auto sub = std::find_if(subs.begin(), subs.end(), [p](const auto &r) { return r.first == p; });
                if (sub != subs.end()) {
                    // A derived table: its output columns are what the outer
                    // query sees.
                    Query *inner = query(sub->first + 1, sub->second, parent);
                    Source s;
                    s.columns = inner->outputColumns;
                    qsizetype ap = sub->second + 1;
                    if (isKw(ap, u"AS"_s))
                        ++ap;
                    if (isName(ap)) {
                        s.alias = text::foldName(tok(ap).value);
                        s.name = tok(ap).value;
                        out(ap) = quoteName(tok(ap).value);
                        done.insert(ap);
                    }
                    q->sources.append(s);
                    p = sub->second;
                    continue;
                }
                if (isPunct(p, u"("_s)) {
                    if (relationPosition(p))
                        joinGroups.insert(p);
                    open.append(p);
                    continue;
                }
                if (isPunct(p, u")"_s)) {
                    if (!open.isEmpty())
                        open.removeLast();
                    continue;
                }
                if (!isName(p) || done.contains(p) || isPunct(p + 1, u"."_s) || isPunct(p + 1, u"("_s))
                    continue;
                if (relationPosition(p))
                    addRelation(p);
            }
        }

        // The SELECT list and its aliases.
        if (isKw(a, u"SELECT"_s)) {
            qsizetype p = a + 1;
            while (p < b) {
                if (isKw(p, u"DISTINCTROW"_s)) {
                    out(p).clear(); // every row of a join is distinct in SQLite's sense already
                    done.insert(p);
                    ++p;
                } else if (isKw(p, u"DISTINCT"_s) || isKw(p, u"ALL"_s)) {
                    out(p) = tok(p).text.toUpper();
                    done.insert(p);
                    ++p;
                } else if (isKw(p, u"TOP"_s) && p + 1 < b && tok(p + 1).kind == Kind::Number && !isKw(p + 2, u"PERCENT"_s)) {
                    out(p).clear();
                    out(p + 1).clear();
                    done.insert(p);
                    done.insert(p + 1);
                    m_out[m_sig[b - 1]] += u" LIMIT "_s + tok(p + 1).text;
                    p += 2;
                } else {
                    break;
                }
            }
            q->selectFrom = p;
            q->selectTo = fromPos >= 0 ? fromPos : b;
            qsizetype itemStart = p;
            for (qsizetype k = p; k <= q->selectTo; ++k) {
                if (k < q->selectTo && isPunct(k, u"("_s) && m_match[k] > k) {
                    k = m_match[k];
                    continue;
                }
                if (k == q->selectTo || isPunct(k, u","_s)) {
                    Item item;
                    item.from = itemStart;
                    item.to = k;
                    if (k - itemStart >= 3 && isKw(k - 2, u"AS"_s)
                        && (tok(k - 1).kind == Kind::Word || tok(k - 1).kind == Kind::Bracket
                            || tok(k - 1).kind == Kind::String)) {
                        item.to = k - 2;
                        item.alias = tok(k - 1).value;
                        item.aliasKey = text::foldName(item.alias);
                        item.aliasPos = k - 1;
                        out(k - 1) = quoteName(item.alias);
                        done.insert(k - 1);
                    }
                    q->items.append(item);
                    itemStart = k + 1;
                }
            }
        }

        resolveRange(q, a, b, done, subs);

        // Subqueries in expressions see this query's names.
        for (const auto &sub : subs) {
            if (fromPos >= 0 && sub.first > fromPos && sub.first < fromEnd)
                continue; // derived tables were done above
            query(sub.first + 1, sub.second, q);
        }

        concatenation(a, b, subs);
        nameResultColumns(q);
        q->outputColumns = outputColumns(q);
        return q;
    }

    // The stored name of a column that a SELECT item names alone (a bare or
    // qualified column); empty for expressions and for "*".
    QString itemColumn(const Query *q, const Item &item, QString *qualifier = nullptr) const
    {
        if (item.to - item.from == 1 && isName(item.from)) {
            for (const Source &s : q->sources) {
                const QString c = findColumn(s.columns, tok(item.from).value);
                if (!c.isEmpty())
                    return c;
            }
            return {};
        }
        if (item.to - item.from == 3 && isName(item.from) && isPunct(item.from + 1, u"."_s) && isName(item.from + 2)) {
            const Source *s = sourceFor(q, tok(item.from).value, false);
            const QString c = s ? findColumn(s->columns, tok(item.from + 2).value) : QString();
            if (qualifier && !c.isEmpty())
                *qualifier = s->name;
            return c;
        }
        return {};
    }

    // SQLite does not promise the names of unaliased result columns (a join
    // it rewrites internally calls a repeated one "ID:1"); the program reads
    // fields by name. Each column named alone gets its name as an alias; a
    // name that stands twice in the list is called "table.column", as Jet
    // calls it.
    void nameResultColumns(const Query *q)
    {
        QHash<QString, int> uses;
        for (const Item &item : q->items) {
            const QString c = !item.alias.isEmpty() ? item.alias : itemColumn(q, item);
            if (!c.isEmpty())
                ++uses[text::foldName(c)];
        }
        for (const Item &item : q->items) {
            if (!item.alias.isEmpty())
                continue;
            QString qualifier;
            const QString c = itemColumn(q, item, &qualifier);
            if (c.isEmpty())
                continue;
            const QString name = uses.value(text::foldName(c)) > 1 && !qualifier.isEmpty() ? qualifier + u'.' + c : c;
            m_out[m_sig[item.to - 1]] += u" AS "_s + quoteName(name);
        }
    }

    QStringList outputColumns(const Query *q) const
    {
        QStringList cols;
        for (const Item &item : q->items) {
            if (!item.alias.isEmpty()) {
                cols.append(item.alias);
            } else if (item.to - item.from == 1 && isPunct(item.from, u"*"_s)) {
                for (const Source &s : q->sources)
                    cols += s.columns;
            } else if (item.to - item.from == 3 && isPunct(item.from + 1, u"."_s) && isPunct(item.from + 2, u"*"_s)) {
                if (const Source *s = sourceFor(q, tok(item.from).value, false))
                    cols += s->columns;
            } else {
                const QString c = itemColumn(q, item);
                cols.append(c.isEmpty() ? tok(item.to - 1).value : c);
            }
        }
        return cols;
    }

    // The source a qualifier names: an alias or a relation of this query,
    // then of the enclosing ones.
    const Source *sourceFor(const Query *q, const QString &qualifier, bool outer = true) const
    {
        const QString key = text::foldName(qualifier);
        for (const Query *level = q; level; level = outer ? level->parent : nullptr) {
            for (const Source &s : level->sources) {
                if (!s.alias.isEmpty() ? s.alias == key : s.relationKey == key)
                    return &s;
            }
        }
        return nullptr;
    }

    void resolveRange(Query *q, qsizetype a, qsizetype b, const QSet<qsizetype> &done,
                      const QList<QPair<qsizetype, qsizetype>> &subs = {})
    {
        for (qsizetype p = a; p < b; ++p) {
            if (inside(subs, p) || done.contains(p))
                continue;
            const Token &t = tok(p);
            if (t.kind == Kind::Punct) {
                if (t.text == u"/"_s)
                    out(p) = u"*1.0/"_s; // Jet divides as floating point, SQLite's integers would truncate
                continue;
            }
            if (t.kind == Kind::Word && isKeyword(p)) {
                keyword(p);
                continue;
            }
            if (t.kind == Kind::Word && isPunct(p + 1, u"("_s)) {
                function(q, p);
                continue;
            }
            if (t.kind != Kind::Word && t.kind != Kind::Bracket)
                continue;
            if (isPunct(p + 1, u"."_s) && (isName(p + 2) || isPunct(p + 2, u"*"_s))) {
                qualified(q, p);
                p += 2;
                continue;
            }
            if (isKw(p - 1, u"AS"_s)) {
                out(p) = quoteName(t.value);
                continue;
            }
            bare(q, p);
        }
    }

    void keyword(qsizetype p)
    {
        const QString kw = tok(p).text.toUpper();
        if (kw == u"DISTINCTROW"_s) {
            out(p).clear();
        } else if (kw == u"MOD"_s) {
            out(p) = u"%"_s;
        } else if (kw == u"TRUE"_s) {
            out(p) = u"-1"_s; // Jet's True is -1
        } else if (kw == u"FALSE"_s) {
            out(p) = u"0"_s;
        } else if (kw == u"LIKE"_s && p + 1 < m_sig.size() && tok(p + 1).kind == Kind::String && tok(p + 1).closed) {
            out(p) = kw;
            const auto pattern = likePattern(tok(p + 1).value);
            out(p + 1) = pattern.first;
            if (pattern.second)
                out(p + 1) += u" ESCAPE '\\'"_s;
        } else {
            out(p) = kw;
        }
    }

    void function(Query *q, qsizetype p)
    {
        const QString name = tok(p).text.toUpper();
        if (name == u"FIRST"_s || name == u"LAST"_s) {
            // SQLite takes a bare column of an aggregate query from a row of
            // the group; the queries group so that every row of a group holds
            // the same value. Without another aggregate, max(NULL) makes the
            // query one.
            const qsizetype close = m_match[p + 1];
            if (q->otherAggregate || close < 0) {
                out(p).clear();
            } else {
                out(p) = u"coalesce"_s;
                m_out[m_sig[close]] = u", max(NULL))"_s;
            }
        }
    }

    void qualified(Query *q, qsizetype p)
    {
        const QString qualifier = tok(p).value;
        const Source *s = sourceFor(q, qualifier);
        QStringList columns;
        if (s) {
            out(p) = quoteName(s->name);
            columns = s->columns;
        } else if (const Catalog::Relation *rel = m_catalog.relation(qualifier)) {
            out(p) = quoteName(rel->name);
            columns = rel->columns;
        } else {
            out(p) = unknownName(qualifier);
        }
        if (isPunct(p + 2, u"*"_s))
            return;
        const QString column = findColumn(columns, tok(p + 2).value);
        out(p + 2) = column.isEmpty() ? unknownName(tok(p + 2).value) : quoteName(column);
    }

    void bare(Query *q, qsizetype p)
    {
        const QString name = tok(p).value;
        const QString key = text::foldName(name);

        // Columns of this query's relations, an exact spelling first.
        for (int pass = 0; pass < 2; ++pass) {
            for (const Source &s : q->sources) {
                for (const QString &c : s.columns) {
                    if (pass == 0 ? c == name : text::foldName(c) == key) {
                        out(p) = quoteName(c);
                        return;
                    }
                }
            }
        }
        // An alias of the same SELECT list: Jet lets a later column reuse it.
        if (p >= q->selectFrom && p < q->selectTo) {
            for (qsizetype i = 0; i < q->items.size(); ++i) {
                const Item &item = q->items[i];
                if (item.aliasKey == key && !(p >= item.from && p < item.to)) {
                    m_inline[m_sig[p]] = q;
                    m_inlineItem[m_sig[p]] = i;
                    out(p) = quoteName(item.alias);
                    return;
                }
            }
        }
        for (const Query *level = q->parent; level; level = level->parent) {
            for (const Source &s : level->sources) {
                const QString c = findColumn(s.columns, name);
                if (!c.isEmpty()) {
                    out(p) = quoteName(c);
                    return;
                }
            }
        }
        const QString inScope = findColumn(m_scope, name);
        if (!inScope.isEmpty()) {
            out(p) = quoteName(inScope);
            return;
        }
        for (const Item &item : q->items) {
            if (item.aliasKey == key) {
                out(p) = quoteName(item.alias);
                return;
            }
        }
        if (q->fragment) {
            // No relation to go by: a name that only one column of the
            // database spells this way.
            QStringList spellings;
            for (const Catalog::Relation &r : m_catalog.relations()) {
                for (const QString &c : r.columns) {
                    if (text::foldName(c) == key && !spellings.contains(c))
                        spellings.append(c);
                }
            }
            if (spellings.size() == 1 || spellings.contains(name)) {
                out(p) = quoteName(spellings.size() == 1 ? spellings.first() : name);
                return;
            }
        }
        if (const Catalog::Relation *rel = m_catalog.relation(name)) {
            out(p) = quoteName(rel->name);
            return;
        }
        out(p) = unknownName(name);
    }

    // Jet's & joins texts and binds looser than arithmetic; SQLite's ||
    // binds tighter than anything, and gives Null for a Null operand where
    // Jet takes an empty text. Each operand is wrapped: ifnull(a,'')||ifnull(b,'').
    void concatenation(qsizetype a, qsizetype b, const QList<QPair<qsizetype, qsizetype>> &subs)
    {
        for (qsizetype p = a; p < b; ++p) {
            if (!isPunct(p, u"&"_s) || inside(subs, p))
                continue;
            const qsizetype left = operandStart(p, a);
            const qsizetype right = operandEnd(p, b);
            if (left >= p || right <= p + 1)
                continue; // no operand: leave it for SQLite to report
            out(p) = u"||"_s;
            m_out[m_sig[left]].prepend(u"ifnull("_s);
            m_out[m_sig[p - 1]].append(u",'')"_s);
            m_out[m_sig[p + 1]].prepend(u"ifnull("_s);
            m_out[m_sig[right - 1]].append(u",'')"_s);
        }
    }

    bool operandBoundary(qsizetype p) const
    {
        const Token &t = tok(p);
        if (t.kind == Kind::Punct) {
            static const QStringList stops = {u","_s,  u"="_s,  u"<"_s,  u">"_s,  u"<="_s, u">="_s,
                                              u"<>"_s, u"!="_s, u"=="_s, u";"_s, u"("_s, u")"_s};
            return stops.contains(t.text);
        }
        if (t.kind == Kind::Word && isKeyword(p)) {
            const QString kw = t.text.toUpper();
            return kw != u"MOD"_s && kw != u"NULL"_s && kw != u"TRUE"_s && kw != u"FALSE"_s;
        }
        return false;
    }

    qsizetype operandStart(qsizetype amp, qsizetype a) const
    {
        qsizetype p = amp - 1;
        while (p >= a) {
            if (isPunct(p, u")"_s) && m_match[p] >= a && m_match[p] < p) {
                p = m_match[p] - 1;
                if (p >= a && tok(p).kind == Kind::Word && !isKeyword(p))
                    --p; // the function the parentheses belong to
                continue;
            }
            if (operandBoundary(p))
                break;
            --p;
        }
        return p + 1;
    }

    qsizetype operandEnd(qsizetype amp, qsizetype b) const
    {
        qsizetype p = amp + 1;
        while (p < b) {
            if (isPunct(p, u"("_s) && m_match[p] > p && m_match[p] < b) {
                p = m_match[p] + 1;
                continue;
            }
            if (tok(p).kind == Kind::Word && !isKeyword(p) && isPunct(p + 1, u"("_s)) {
                ++p;
                continue;
            }
            if (operandBoundary(p) || isPunct(p, u"&"_s))
                break;
            ++p;
        }
        return p;
    }

    // -- output

    static bool wordish(Kind k)
    {
        return k == Kind::Word || k == Kind::Bracket || k == Kind::String || k == Kind::Number || k == Kind::Date;
    }

    QString render(qsizetype from, qsizetype to)
    {
        QString s;
        for (qsizetype i = from; i < to; ++i) {
            const Token &t = m_tokens[i];
            if (t.kind == Kind::Space) {
                s += t.text;
                continue;
            }
            if (i > from && m_tokens[i - 1].kind != Kind::Space && wordish(m_tokens[i - 1].kind) && wordish(t.kind))
                s += u' '; // "5and" -> "5 AND"
            if (m_inline[i])
                s += inlined(m_inline[i], m_inlineItem[i], i);
            else
                s += m_out[i];
        }
        return s;
    }

    QString inlined(Query *q, qsizetype itemIndex, qsizetype token)
    {
        Item &item = q->items[itemIndex];
        if (item.rendering || item.to <= item.from)
            return m_out[token]; // a circular reference stays a plain name
        item.rendering = true;
        const QString expr = render(m_sig[item.from], m_sig[item.to - 1] + 1);
        item.rendering = false;
        return u'(' + expr + u')';
    }

    QList<Token> m_tokens;
    const Catalog &m_catalog;
    const QStringList &m_scope;
    QList<qsizetype> m_sig;
    QList<qsizetype> m_match;
    QList<QString> m_out;
    QList<Query *> m_inline;
    QList<qsizetype> m_inlineItem;
    std::deque<Query> m_queries;
};

// SQLite runs `A RIGHT JOIN B ON c` by scanning B whole, so a criterion on B
// cannot use an index; `B LEFT JOIN A ON c` gives the same rows and lets it.
// Every RIGHT JOIN of a FROM clause made of tables, aliased subqueries and
// parenthesised joins is turned round that way (a chain of joins that stands
// on the left is put in parentheses). A SELECT * over such a clause lists
// the sources as table.* in their written order, so its columns keep their
// order. A clause of another shape (a comma list, CROSS or FULL joins) is
// left as written.
class RightJoins
{
public:
    explicit RightJoins(const QString &jet) : m_tokens(tokenize(jet))
    {
        bool space = false;
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i].kind == Kind::Space) {
                space = true;
                continue;
            }
            m_sig.append(i);
            m_spaceBefore.append(space);
            space = false;
        }
        m_match.fill(-1, m_sig.size());
        QList<qsizetype> stack;
        for (qsizetype p = 0; p < m_sig.size(); ++p) {
            if (isPunct(p, u"("_s)) {
                stack.append(p);
            } else if (isPunct(p, u")"_s) && !stack.isEmpty()) {
                const qsizetype open = stack.takeLast();
                m_match[open] = p;
                m_match[p] = open;
            }
        }
    }

    // The text with its RIGHT JOINs turned round; empty when there was none.
    QString run()
    {
        const QString out = range(0, m_sig.size());
        return m_changed ? out : QString();
    }

private:
    struct Node
    {
        QString text;
        QStringList sources; // names that qualify each source's columns, in written order
        bool single = true;  // one table, subquery or parenthesised join
        bool swapped = false;
        bool unnamed = false; // a subquery without an alias
    };

    const Token &tok(qsizetype p) const { return m_tokens[m_sig[p]]; }
    bool isPunct(qsizetype p, const QString &text) const
    {
        return p >= 0 && p < m_sig.size() && tok(p).kind == Kind::Punct && tok(p).text == text;
    }
    bool isKw(qsizetype p, const QString &kw) const
    {
        return p >= 0 && p < m_sig.size() && tok(p).kind == Kind::Word && tok(p).text.toUpper() == kw;
    }
    bool isName(qsizetype p) const
    {
        if (p < 0 || p >= m_sig.size())
            return false;
        return tok(p).kind == Kind::Bracket
            || (tok(p).kind == Kind::Word && !keywords().contains(tok(p).text.toUpper()));
    }
    bool group(qsizetype p, qsizetype b) const { return isPunct(p, u"("_s) && m_match[p] > p && m_match[p] < b; }

    static void add(QString &out, const QString &text, bool space)
    {
        if (space && !out.isEmpty())
            out += u' ';
        out += text;
    }

    // Tokens [a, b) as written, each SELECT in them rewritten.
    QString range(qsizetype a, qsizetype b)
    {
        QString out;
        qsizetype p = a;
        while (p < b) {
            if (group(p, b)) {
                add(out, u'(' + range(p + 1, m_match[p]) + u')', m_spaceBefore[p]);
                p = m_match[p] + 1;
            } else if (isKw(p, u"SELECT"_s)) {
                p = select(p, b, out);
            } else {
                add(out, tok(p).text, m_spaceBefore[p]);
                ++p;
            }
        }
        return out;
    }

    bool clauseEnd(qsizetype p) const
    {
        static const QStringList ends{u"WHERE"_s, u"GROUP"_s,     u"HAVING"_s,    u"ORDER"_s,
                                      u"LIMIT"_s, u"UNION"_s,     u"EXCEPT"_s,    u"INTERSECT"_s};
        if (isPunct(p, u";"_s))
            return true;
        for (const QString &kw : ends)
            if (isKw(p, kw))
                return true;
        return false;
    }

    // A SELECT at s: its list and FROM clause into out; returns where the
    // FROM clause ends (or s + 1 when it is written out as it stands).
    qsizetype select(qsizetype s, qsizetype b, QString &out)
    {
        qsizetype from = -1;
        for (qsizetype p = s + 1; p < b && from < 0; ++p) {
            if (group(p, b))
                p = m_match[p];
            else if (isKw(p, u"FROM"_s))
                from = p;
            else if (clauseEnd(p))
                break;
        }
        if (from < 0) {
            add(out, tok(s).text, m_spaceBefore[s]);
            return s + 1;
        }
        qsizetype end = from + 1;
        while (end < b && !clauseEnd(end))
            end = group(end, b) ? m_match[end] + 1 : end + 1;
        Node n;
        const bool saved = m_changed;
        if (!join(from + 1, end, n) || !n.swapped) {
            m_changed = saved;
            add(out, tok(s).text, m_spaceBefore[s]);
            return s + 1;
        }
        // The list, a bare * spelt out as the sources in written order.
        QString list;
        QStringList folded;
        for (const QString &src : std::as_const(n.sources))
            folded << text::foldName(src);
        const bool namesOk = !n.unnamed && QSet<QString>(folded.cbegin(), folded.cend()).size() == folded.size();
        for (qsizetype p = s + 1; p < from;) {
            if (group(p, from)) {
                add(list, u'(' + range(p + 1, m_match[p]) + u')', m_spaceBefore[p]);
                p = m_match[p] + 1;
                continue;
            }
            const bool item = isPunct(p, u"*"_s)
                && (p == s + 1 || isPunct(p - 1, u","_s) || isKw(p - 1, u"DISTINCT"_s)
                    || isKw(p - 1, u"DISTINCTROW"_s) || isKw(p - 1, u"ALL"_s)
                    || tok(p - 1).kind == Kind::Number || isKw(p - 1, u"PERCENT"_s))
                && (p + 1 == from || isPunct(p + 1, u","_s));
            if (item) {
                if (!namesOk) {
                    m_changed = saved;
                    add(out, tok(s).text, m_spaceBefore[s]);
                    return s + 1;
                }
                QStringList stars;
                for (const QString &src : std::as_const(n.sources))
                    stars << src + u".*"_s;
                add(list, stars.join(u", "_s), m_spaceBefore[p]);
            } else {
                add(list, tok(p).text, m_spaceBefore[p]);
            }
            ++p;
        }
        add(out, tok(s).text, m_spaceBefore[s]);
        add(out, list, true);
        add(out, tok(from).text + u' ' + n.text, true);
        return end;
    }

    bool joinStart(qsizetype p) const
    {
        if (isPunct(p, u","_s) || isKw(p, u"JOIN"_s) || isKw(p, u"INNER"_s) || isKw(p, u"CROSS"_s)
            || isKw(p, u"FULL"_s) || isKw(p, u"NATURAL"_s))
            return true;
        return (isKw(p, u"LEFT"_s) || isKw(p, u"RIGHT"_s)) && (isKw(p + 1, u"JOIN"_s) || isKw(p + 1, u"OUTER"_s));
    }

    // One table, aliased subquery or parenthesised join at p.
    bool primary(qsizetype &p, qsizetype b, Node &n)
    {
        if (group(p, b)) {
            const qsizetype close = m_match[p];
            if (isKw(p + 1, u"SELECT"_s)) {
                n.text = u'(' + range(p + 1, close) + u')';
                p = close + 1;
                if (isKw(p, u"AS"_s))
                    ++p;
                if (p < b && isName(p)) {
                    n.text += u" AS "_s + tok(p).text;
                    n.sources = {tok(p).text};
                    ++p;
                } else {
                    n.unnamed = true;
                }
                return true;
            }
            Node inner;
            if (!join(p + 1, close, inner))
                return false;
            n = inner;
            n.text = u'(' + inner.text + u')';
            n.single = true;
            p = close + 1;
            return true;
        }
        if (p >= b || !isName(p) || isPunct(p + 1, u"."_s) || isPunct(p + 1, u"("_s))
            return false;
        n.text = tok(p).text;
        n.sources = {tok(p).text};
        ++p;
        if (isKw(p, u"AS"_s) && p + 1 < b && isName(p + 1)) {
            n.text += u" AS "_s + tok(p + 1).text;
            n.sources = {tok(p + 1).text};
            p += 2;
        } else if (p < b && isName(p)) {
            n.text += u' ' + tok(p).text;
            n.sources = {tok(p).text};
            ++p;
        }
        return true;
    }

    // A join expression filling [a, b).
    bool join(qsizetype a, qsizetype b, Node &out)
    {
        qsizetype p = a;
        Node left;
        if (!primary(p, b, left))
            return false;
        while (p < b) {
            bool right = false;
            QString op;
            if (isKw(p, u"INNER"_s) && isKw(p + 1, u"JOIN"_s)) {
                op = u"INNER JOIN"_s;
                p += 2;
            } else if (isKw(p, u"JOIN"_s)) {
                op = u"JOIN"_s;
                ++p;
            } else if (isKw(p, u"LEFT"_s) || isKw(p, u"RIGHT"_s)) {
                right = isKw(p, u"RIGHT"_s);
                qsizetype q = p + 1;
                if (isKw(q, u"OUTER"_s))
                    ++q;
                if (!isKw(q, u"JOIN"_s))
                    return false;
                op = u"LEFT JOIN"_s;
                p = q + 1;
            } else {
                return false;
            }
            Node r;
            if (!primary(p, b, r) || !isKw(p, u"ON"_s))
                return false;
            const qsizetype c = p + 1;
            qsizetype e = c;
            while (e < b && !joinStart(e))
                e = group(e, b) ? m_match[e] + 1 : e + 1;
            if (e == c)
                return false;
            const QString on = tok(p).text + u' ' + range(c, e);
            if (right) {
                left.text = r.text + u" LEFT JOIN "_s
                    + (left.single ? left.text : u'(' + left.text + u')') + u' ' + on;
                left.swapped = true;
                m_changed = true;
            } else {
                left.text += u' ' + op + u' ' + r.text + u' ' + on;
            }
            left.sources += r.sources;
            left.swapped = left.swapped || r.swapped;
            left.unnamed = left.unnamed || r.unnamed;
            left.single = false;
            p = e;
        }
        out = left;
        return true;
    }

    QList<Token> m_tokens;
    QList<qsizetype> m_sig;
    QList<bool> m_spaceBefore;
    QList<qsizetype> m_match;
    bool m_changed = false;
};

} // namespace

QString toSqlite(const QString &jet, const Catalog &catalog, const QStringList &scope)
{
    const QString turned = RightJoins(jet).run();
    return Rewriter(turned.isEmpty() ? jet : turned, catalog, scope).run();
}

} // namespace store
