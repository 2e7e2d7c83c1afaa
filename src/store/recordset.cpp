#include "store/recordset.h"

#include "store/database.h"
#include "store/statement.h"
#include "text/name_fold.h"

#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace store {

namespace {

const QString kRowidColumn = u"__store_rowid"_s;
const QString kPosColumn = u"__store_pos"_s;

QString quoteName(const QString &name)
{
    QString n = name;
    n.replace(u"\""_s, u"\"\""_s);
    return u"\""_s + n + u"\""_s;
}

// The saved queries that screens write through: the columns that identify a
// row, the table whose counter a new row takes, and that counter's column.
struct WritableView
{
    QString name;
    QStringList keys;
    QString counterTable;
    QString counterColumn;
};

const QList<WritableView> &writableViews()
{
    static const QList<WritableView> views{
        {u"シーズン降順"_s, {u"シーズンID"_s}, u"シーズン"_s, u"シーズンID"_s},
        {u"選手名とHDCP"_s, {u"ID"_s}, u"ハンデ"_s, u"ID"_s},
        {u"他データ読み込み用ダイナ"_s, {u"選手ID"_s, u"ハンデID"_s}, u"ハンデ"_s, u"ハンデID"_s},
    };
    return views;
}

const WritableView *writableView(const QString &name)
{
    for (const WritableView &v : writableViews())
        if (v.name == name)
            return &v;
    return nullptr;
}

QVariant counterValue(Database &db, const QString &table)
{
    return db.scalar(u"SELECT seq FROM sqlite_sequence WHERE name = ?"_s, {table});
}

// Primary key columns of a table; {"rowid"} when it has none declared.
QStringList primaryKey(const Database &db, const QString &table)
{
    QStringList keys;
    const auto rows = db.select(u"PRAGMA table_info("_s + quoteName(table) + u")"_s);
    for (const QVariantList &r : rows)
        if (r.at(5).toInt() > 0)
            keys << r.at(1).toString();
    return keys;
}

bool isIntegerPrimaryKey(const Database &db, const QString &table, const QString &column)
{
    const auto rows = db.select(u"PRAGMA table_info("_s + quoteName(table) + u")"_s);
    int keys = 0;
    bool match = false;
    for (const QVariantList &r : rows) {
        if (r.at(5).toInt() > 0) {
            ++keys;
            match = r.at(1).toString() == column
                && r.at(2).toString().compare(u"INTEGER"_s, Qt::CaseInsensitive) == 0;
        }
    }
    return keys == 1 && match;
}

QString stripSemicolons(QString sql)
{
    sql = sql.trimmed();
    while (sql.endsWith(u';')) {
        sql.chop(1);
        sql = sql.trimmed();
    }
    return sql;
}

[[noreturn]] void noCurrentRecord()
{
    throw Error(u"カレント レコードがありません。"_s);
}

// Packed row values: per value a tag byte, then an integer as a zigzag
// varint, a real as its 8 bytes, a text (UTF-8) or blob as a varint length
// and its bytes. A row of the whole scorebook takes a few hundred bytes
// instead of dozens of QVariants.
enum : char { kNull = 0, kInteger = 1, kReal = 2, kText = 3, kBlob = 4 };

void putVarint(QByteArray &out, quint64 v)
{
    while (v >= 0x80) {
        out.append(char((v & 0x7f) | 0x80));
        v >>= 7;
    }
    out.append(char(v));
}

quint64 getVarint(const char *&p)
{
    quint64 v = 0;
    int shift = 0;
    for (;;) {
        const auto b = static_cast<unsigned char>(*p++);
        v |= quint64(b & 0x7f) << shift;
        if (!(b & 0x80))
            return v;
        shift += 7;
    }
}

void packColumn(QByteArray &out, sqlite3_stmt *st, int column)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(st, column);
        out.append(kInteger);
        putVarint(out, (quint64(v) << 1) ^ quint64(v >> 63));
        return;
    }
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(st, column);
        out.append(kReal);
        out.append(reinterpret_cast<const char *>(&d), sizeof d);
        return;
    }
    case SQLITE_TEXT: {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(st, column));
        const int n = sqlite3_column_bytes(st, column);
        out.append(kText);
        putVarint(out, quint64(n));
        out.append(t, n);
        return;
    }
    case SQLITE_BLOB: {
        const auto *b = static_cast<const char *>(sqlite3_column_blob(st, column));
        const int n = sqlite3_column_bytes(st, column);
        out.append(kBlob);
        putVarint(out, quint64(n));
        if (n > 0)
            out.append(b, n);
        return;
    }
    default:
        out.append(kNull);
        return;
    }
}

QVariant unpackValue(const char *&p)
{
    switch (*p++) {
    case kInteger: {
        const quint64 z = getVarint(p);
        return QVariant(qlonglong(qint64(z >> 1) ^ -qint64(z & 1)));
    }
    case kReal: {
        double d = 0;
        std::memcpy(&d, p, sizeof d);
        p += sizeof d;
        return QVariant(d);
    }
    case kText: {
        const auto n = qsizetype(getVarint(p));
        const QString t = QString::fromUtf8(p, n);
        p += n;
        return QVariant(t);
    }
    case kBlob: {
        const auto n = qsizetype(getVarint(p));
        const QByteArray b(p, n);
        p += n;
        return QVariant(b);
    }
    default:
        return QVariant();
    }
}

} // namespace

struct Recordset::Rows
{
    struct Row
    {
        Bookmark bookmark = 0;
        QVariant rowid;      // rowid of a table source
        QByteArray packed;   // the values as read
        QVariantList values; // the values after an edit (packed is empty then)
    };

    QList<Row> list;
    // The statement reading the rest of the rows; null once all are read.
    std::unique_ptr<Statement> cursor;
    int rowidAt = -1;
    QList<int> fieldAt;
    Bookmark nextBookmark = 1;
    // The last row unpacked, by bookmark.
    Bookmark decodedBookmark = 0;
    QVariantList decoded;

    // The values of row i, unpacked when needed (the last one unpacked is kept).
    const QVariantList &values(qsizetype i, const QList<Column> &columns)
    {
        const Row &row = list.at(i);
        if (row.packed.isEmpty())
            return row.values;
        if (decodedBookmark != row.bookmark) {
            decoded.clear();
            decoded.reserve(columns.size());
            const char *p = row.packed.constData();
            for (const Column &c : columns)
                decoded << fromStoredValue(unpackValue(p), c.kind);
            decodedBookmark = row.bookmark;
        }
        return decoded;
    }

    void forget(Bookmark b)
    {
        if (decodedBookmark == b)
            decodedBookmark = 0;
    }

    // Row i takes the values of an edit.
    void setValues(qsizetype i, const QVariantList &v)
    {
        Row &row = list[i];
        if (decodedBookmark == row.bookmark)
            decodedBookmark = 0;
        row.packed.clear();
        row.values = v;
    }

    static void readColumns(const Statement &st, QList<Column> *columns, int *rowidAt,
                            QList<int> *fieldAt)
    {
        columns->clear();
        const int n = st.columnCount();
        for (int i = 0; i < n; ++i) {
            const QString name = st.columnName(i);
            if (name == kRowidColumn) {
                *rowidAt = i;
                continue;
            }
            if (name == kPosColumn)
                continue;
            Column c;
            c.name = name;
            c.kind = fieldKindOf(st.columnDeclType(i));
            c.originTable = st.columnTableName(i);
            c.originColumn = st.columnOriginName(i);
            *columns << c;
            *fieldAt << i;
        }
    }
};

Recordset::Recordset(Database &db, RecordsetType type)
    : m_db(db), m_type(type), m_rows(std::make_unique<Rows>())
{
}

Recordset::Recordset(Database &db, const QString &source, RecordsetType type)
    : m_db(db), m_type(type), m_rows(std::make_unique<Rows>())
{
    QString name = source.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']') && name.count(u'[') == 1)
        name = name.mid(1, name.size() - 2);
    const QString stored = db.storedName(name);
    if (!stored.isEmpty() && db.hasTable(stored)) {
        m_kind = SourceKind::Table;
        m_sourceName = stored;
        m_baseSql = u"SELECT rowid AS "_s + quoteName(kRowidColumn) + u", * FROM "_s
            + quoteName(stored);
    } else if (!stored.isEmpty()) {
        m_kind = SourceKind::View;
        m_sourceName = stored;
        m_baseSql = u"SELECT * FROM "_s + quoteName(stored);
    } else {
        m_kind = SourceKind::Sql;
        m_baseSql = stripSemicolons(db.rewrite(source));
        // Fails here, as opening the recordset would, when the text is wrong;
        // a statement that writes is no source of rows (reading them would
        // run it).
        Statement check(db.handle(), m_baseSql);
        if (!check.isReadOnly() || check.columnCount() == 0)
            throw Error(u"行を返すクエリではありません。"_s, m_baseSql);
    }
}

Recordset::~Recordset()
{
    stopReading();
}

bool Recordset::isUpdatable() const
{
    if (m_type == RecordsetType::Snapshot)
        return false;
    if (m_kind == SourceKind::Table || writableView(m_sourceName))
        return true;
    ensureColumns();
    for (const Column &c : m_columns)
        if (!c.originTable.isEmpty() && primaryKey(m_db, c.originTable).contains(c.originColumn))
            return true;
    return false;
}

QString Recordset::selectSql() const
{
    if (m_filterSql.isEmpty() && m_sortSql.isEmpty())
        return m_baseSql;
    // A plain filter keeps the source's order and lets SQLite take the
    // criterion into the source (an index on the filtered column is used).
    QString rows = m_baseSql;
    if (!m_filterSql.isEmpty())
        rows = u"SELECT * FROM ("_s + m_baseSql + u") WHERE ("_s + m_filterSql + u")"_s;
    if (m_sortSql.isEmpty())
        return rows;
    // Numbering the rows keeps their order for rows that sort equal.
    return u"SELECT * FROM (SELECT row_number() OVER () AS "_s + quoteName(kPosColumn)
        + u", * FROM ("_s + rows + u")) ORDER BY "_s + m_sortSql + u", "_s
        + quoteName(kPosColumn);
}

void Recordset::ensureLoaded() const
{
    if (!m_loaded)
        load();
}

void Recordset::ensureColumns() const
{
    if (m_haveColumns)
        return;
    // The fields are known from the prepared statement; no row is read.
    Statement st(m_db.handle(), selectSql());
    int rowidAt = -1;
    QList<int> fieldAt;
    Rows::readColumns(st, &m_columns, &rowidAt, &fieldAt);
    m_haveColumns = true;
}

void Recordset::load() const
{
    stopReading();
    Rows &rows = *m_rows;
    rows.list.clear();
    rows.decodedBookmark = 0;
    rows.rowidAt = -1;
    rows.fieldAt.clear();
    rows.cursor = std::make_unique<Statement>(m_db.handle(), selectSql());
    Rows::readColumns(*rows.cursor, &m_columns, &rows.rowidAt, &rows.fieldAt);
    m_haveColumns = true;
    m_loaded = true;
    m_db.readingStarted(this);
    m_pos = fetchTo(0) ? 0 : -1;
}

bool Recordset::fetchTo(qsizetype i) const
{
    Rows &rows = *m_rows;
    while (i >= rows.list.size() && rows.cursor) {
        Statement &st = *rows.cursor;
        bool more = false;
        try {
            more = st.step();
        } catch (const Error &) {
            stopReading();
            throw;
        }
        if (!more) {
            stopReading();
            break;
        }
        Rows::Row r;
        r.bookmark = rows.nextBookmark++;
        sqlite3_stmt *h = st.handle();
        if (rows.rowidAt >= 0)
            r.rowid = st.value(rows.rowidAt);
        for (int at : std::as_const(rows.fieldAt))
            packColumn(r.packed, h, at);
        r.packed.squeeze();
        if (m_lastModifiedRowid.isValid() && r.rowid == m_lastModifiedRowid) {
            m_lastModified = r.bookmark;
            m_lastModifiedRowid = QVariant();
        }
        rows.list.append(std::move(r));
    }
    return i >= 0 && i < rows.list.size();
}

void Recordset::fetchAll() const
{
    fetchTo(std::numeric_limits<qsizetype>::max());
}

void Recordset::stopReading() const
{
    if (!m_rows->cursor)
        return;
    m_rows->cursor.reset();
    m_db.readingEnded(this);
}

Bookmark Recordset::lastModified() const
{
    ensureLoaded();
    if (m_lastModifiedRowid.isValid())
        fetchAll(); // the row added before the rows were read
    return m_lastModified;
}

// Navigation ---------------------------------------------------------------

void Recordset::moveFirst()
{
    ensureLoaded();
    m_currentDeleted = false;
    m_pos = fetchTo(0) ? 0 : -1;
}

void Recordset::moveLast()
{
    ensureLoaded();
    fetchAll();
    m_currentDeleted = false;
    m_pos = int(m_rows->list.size()) - 1;
}

void Recordset::moveNext()
{
    ensureLoaded();
    if (m_currentDeleted) {
        // The row after the deleted one has moved into its place.
        m_currentDeleted = false;
        return;
    }
    if (m_pos < 0 || fetchTo(m_pos))
        ++m_pos;
}

void Recordset::movePrevious()
{
    ensureLoaded();
    m_currentDeleted = false;
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::move(int rows)
{
    ensureLoaded();
    if (m_currentDeleted) {
        m_currentDeleted = false;
        if (rows > 0)
            --rows;
    }
    const qint64 target = qint64(m_pos) + rows;
    if (target >= 0)
        fetchTo(target);
    m_pos = int(std::clamp<qint64>(target, -1, m_rows->list.size()));
}

bool Recordset::eof() const
{
    ensureLoaded();
    if (!fetchTo(0))
        return true;
    return m_pos >= 0 && !fetchTo(m_pos);
}

bool Recordset::bof() const
{
    ensureLoaded();
    return !fetchTo(0) || m_pos < 0;
}

int Recordset::recordCount() const
{
    ensureLoaded();
    fetchAll();
    return int(m_rows->list.size());
}

int Recordset::absolutePosition() const
{
    ensureLoaded();
    if (m_currentDeleted || m_pos < 0 || !fetchTo(m_pos))
        return -1;
    return m_pos;
}

void Recordset::setAbsolutePosition(int position)
{
    ensureLoaded();
    if (position < 0 || !fetchTo(position))
        throw Error(u"位置が範囲外です: "_s + QString::number(position));
    m_currentDeleted = false;
    m_pos = position;
}

Bookmark Recordset::bookmark() const
{
    currentValues();
    return m_rows->list.at(m_pos).bookmark;
}

void Recordset::setBookmark(Bookmark bookmark)
{
    ensureLoaded();
    // Rows keep the order of their bookmarks; a bookmark is handed out only
    // for a row that has been read.
    const QList<Rows::Row> &list = m_rows->list;
    const auto it = std::lower_bound(list.cbegin(), list.cend(), bookmark,
                                     [](const Rows::Row &r, Bookmark b) { return r.bookmark < b; });
    if (it == list.cend() || it->bookmark != bookmark)
        throw Error(u"ブックマークが無効です。"_s);
    m_currentDeleted = false;
    m_pos = int(it - list.cbegin());
}

const QVariantList &Recordset::currentValues() const
{
    ensureLoaded();
    if (m_currentDeleted || m_pos < 0 || !fetchTo(m_pos))
        noCurrentRecord();
    return m_rows->values(m_pos, m_columns);
}

// Look-ups -----------------------------------------------------------------

int Recordset::find(const QString &criterion, int from, int step) const
{
    ensureLoaded();
    const QStringList names = fieldNames();
    const QString where = stripSemicolons(toSqlite(criterion, m_db.catalog(), names));
    // The criterion is evaluated by SQLite over one row at a time, with the
    // row's values bound under the field names.
    QString select = u"SELECT 1 FROM (SELECT "_s;
    for (int i = 0; i < names.size(); ++i) {
        if (i)
            select += u", "_s;
        select += u"? AS "_s + quoteName(names.at(i));
    }
    if (names.isEmpty())
        select += u"1"_s;
    select += u") WHERE ("_s + where + u")"_s;
    QVariantList none;
    for (int i = 0; i < names.size(); ++i)
        none << QVariant();
    Statement st(m_db.handle(), select, none);
    for (int i = from; i >= 0 && fetchTo(i); i += step) {
        st.rebind(m_rows->values(i, m_columns));
        if (st.step())
            return i;
    }
    return -1;
}

void Recordset::findFirst(const QString &criterion)
{
    const int i = find(criterion, 0, 1);
    m_noMatch = i < 0;
    if (i >= 0) {
        m_pos = i;
        m_currentDeleted = false;
    }
}

void Recordset::findLast(const QString &criterion)
{
    const int i = find(criterion, recordCount() - 1, -1);
    m_noMatch = i < 0;
    if (i >= 0) {
        m_pos = i;
        m_currentDeleted = false;
    }
}

void Recordset::findNext(const QString &criterion)
{
    ensureLoaded();
    const int start = m_currentDeleted ? m_pos : m_pos + 1;
    const int i = find(criterion, std::max(start, 0), 1);
    m_noMatch = i < 0;
    if (i >= 0) {
        m_pos = i;
        m_currentDeleted = false;
    }
}

void Recordset::findPrevious(const QString &criterion)
{
    ensureLoaded();
    const int start = std::min(m_pos - 1, int(m_rows->list.size()) - 1);
    const int i = find(criterion, start, -1);
    m_noMatch = i < 0;
    if (i >= 0) {
        m_pos = i;
        m_currentDeleted = false;
    }
}

// Filter and sort ----------------------------------------------------------

std::unique_ptr<Recordset> Recordset::openRecordset(RecordsetType type) const
{
    std::unique_ptr<Recordset> rs(new Recordset(m_db, type));
    rs->m_kind = m_kind;
    rs->m_sourceName = m_sourceName;
    rs->m_baseSql = m_baseSql;
    const QStringList scope = fieldNames();
    QString filterSql = m_filterSql;
    if (!m_filter.trimmed().isEmpty()) {
        const QString f = stripSemicolons(toSqlite(m_filter, m_db.catalog(), scope));
        filterSql = filterSql.isEmpty() ? f : u"("_s + filterSql + u") AND ("_s + f + u")"_s;
    }
    rs->m_filterSql = filterSql;
    rs->m_sortSql = m_sort.trimmed().isEmpty()
        ? m_sortSql
        : stripSemicolons(toSqlite(m_sort, m_db.catalog(), scope));
    // A wrong filter or sort fails here, not at the first move.
    Statement check(m_db.handle(), rs->selectSql());
    return rs;
}

// Fields -------------------------------------------------------------------

int Recordset::fieldCount() const
{
    ensureColumns();
    return int(m_columns.size());
}

QStringList Recordset::fieldNames() const
{
    ensureColumns();
    QStringList names;
    for (const Column &c : m_columns)
        names << c.name;
    return names;
}

int Recordset::fieldIndex(const QString &name) const
{
    ensureColumns();
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (m_columns.at(i).name == name)
            return i;
    const QString folded = text::foldName(name);
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (text::foldName(m_columns.at(i).name) == folded)
            return i;
    return -1;
}

int Recordset::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(u"コレクションにアイテムがありません: "_s + name);
    return i;
}

QVariant Recordset::value(const QString &name) const
{
    return value(requireField(name));
}

QVariant Recordset::value(int ordinal) const
{
    ensureColumns();
    if (ordinal < 0 || ordinal >= int(m_columns.size()))
        throw Error(u"コレクションにアイテムがありません: "_s + QString::number(ordinal));
    if (m_editMode != EditMode::None)
        return m_buffer.at(ordinal);
    return currentValues().at(ordinal);
}

void Recordset::setValue(const QString &name, const QVariant &value)
{
    setValue(requireField(name), value);
}

void Recordset::setValue(int ordinal, const QVariant &value)
{
    ensureColumns();
    if (ordinal < 0 || ordinal >= int(m_columns.size()))
        throw Error(u"コレクションにアイテムがありません: "_s + QString::number(ordinal));
    if (m_editMode == EditMode::None)
        throw Error(u"AddNew または Edit を実行せずに値を設定しました。"_s);
    const Column &c = m_columns.at(ordinal);
    m_buffer[ordinal] = toFieldValue(value, c.kind, c.name);
    m_touched[ordinal] = true;
}

// Editing ------------------------------------------------------------------

void Recordset::addNew()
{
    // Adding to a table needs its fields only: the rows (the new one too)
    // are read when first needed, so storing into a large table stays quick.
    if (m_kind == SourceKind::Table)
        ensureColumns();
    else
        ensureLoaded();
    if (!isUpdatable())
        throw Error(u"このレコードセットは更新できません。"_s);
    m_buffer.clear();
    m_touched.clear();
    for (int i = 0; i < int(m_columns.size()); ++i) {
        m_buffer << QVariant();
        m_touched << false;
    }
    m_editMode = EditMode::Add;
}

void Recordset::edit()
{
    if (!isUpdatable())
        throw Error(u"このレコードセットは更新できません。"_s);
    m_buffer = currentValues();
    m_touched.clear();
    for (int i = 0; i < int(m_columns.size()); ++i)
        m_touched << false;
    m_editMode = EditMode::Edit;
}

void Recordset::cancelUpdate()
{
    m_editMode = EditMode::None;
    m_buffer.clear();
    m_touched.clear();
}

void Recordset::update()
{
    if (m_editMode == EditMode::None)
        throw Error(u"AddNew または Edit を実行せずに Update を実行しました。"_s);
    // Every row is read before the database changes under the statement.
    if (m_loaded)
        fetchAll();
    if (m_editMode == EditMode::Add)
        writeInsert();
    else
        writeUpdate();
    m_editMode = EditMode::None;
    m_buffer.clear();
    m_touched.clear();
}

QStringList Recordset::viewKeys() const
{
    const WritableView *v = writableView(m_sourceName);
    return v ? v->keys : QStringList();
}

QVariantList Recordset::refetch(const QVariant &rowid, const QVariantList &values,
                                QVariant *newRowid) const
{
    QString sql;
    QVariantList args;
    if (m_kind == SourceKind::Table) {
        sql = u"SELECT rowid AS "_s + quoteName(kRowidColumn) + u", * FROM "_s
            + quoteName(m_sourceName) + u" WHERE rowid = ?"_s;
        args << rowid;
    } else if (writableView(m_sourceName)) {
        QStringList terms;
        for (const QString &k : viewKeys()) {
            terms << quoteName(k) + u" IS ?"_s;
            args << values.value(fieldIndex(k));
        }
        sql = u"SELECT * FROM "_s + quoteName(m_sourceName) + u" WHERE "_s
            + terms.join(u" AND "_s) + u" LIMIT 1"_s;
    } else {
        return values;
    }
    Statement st(m_db.handle(), sql, args);
    if (!st.step())
        return values;
    QVariantList out;
    int k = 0;
    for (int i = 0; i < st.columnCount(); ++i) {
        if (st.columnName(i) == kRowidColumn) {
            if (newRowid)
                *newRowid = st.value(i);
            continue;
        }
        if (k < int(m_columns.size()))
            out << fromStoredValue(st.value(i), m_columns.at(k).kind);
        ++k;
    }
    return out.size() == values.size() ? out : values;
}

void Recordset::writeUpdate()
{
    const QVariantList rowValues = currentValues();
    const QVariant rowid = m_rows->list.at(m_pos).rowid;
    const Bookmark bookmark = m_rows->list.at(m_pos).bookmark;
    QStringList sets;
    QVariantList args;
    Transaction t(m_db);
    if (m_kind == SourceKind::Table || writableView(m_sourceName)) {
        for (int i = 0; i < int(m_columns.size()); ++i) {
            if (!m_touched.at(i))
                continue;
            sets << quoteName(m_columns.at(i).name) + u" = ?"_s;
            args << m_buffer.at(i);
        }
        if (!sets.isEmpty()) {
            QString where;
            if (m_kind == SourceKind::Table) {
                where = u"rowid = ?"_s;
                args << rowid;
            } else {
                QStringList terms;
                for (const QString &k : viewKeys()) {
                    terms << quoteName(k) + u" IS ?"_s;
                    args << rowValues.value(fieldIndex(k));
                }
                where = terms.join(u" AND "_s);
            }
            m_db.exec(u"UPDATE "_s + quoteName(m_sourceName) + u" SET "_s + sets.join(u", "_s)
                          + u" WHERE "_s + where,
                      args);
        }
        QVariant newRowid = rowid;
        if (m_kind == SourceKind::Table) {
            // A changed whole-number key is the row's new rowid.
            for (int i = 0; i < int(m_columns.size()); ++i)
                if (m_touched.at(i)
                    && isIntegerPrimaryKey(m_db, m_sourceName, m_columns.at(i).name))
                    newRowid = m_buffer.at(i);
        }
        QVariant fetchedRowid = newRowid;
        m_rows->setValues(m_pos, refetch(newRowid, m_buffer, &fetchedRowid));
        m_rows->list[m_pos].rowid = fetchedRowid;
    } else {
        // Each changed field goes to the table it comes from, found there by
        // that table's key among the recordset's fields.
        QHash<QString, QList<int>> byTable;
        for (int i = 0; i < int(m_columns.size()); ++i) {
            if (!m_touched.at(i))
                continue;
            const Column &c = m_columns.at(i);
            if (c.originTable.isEmpty())
                throw Error(u"フィールドを更新できません: "_s + c.name);
            byTable[c.originTable] << i;
        }
        for (auto it = byTable.cbegin(); it != byTable.cend(); ++it) {
            const QStringList keys = primaryKey(m_db, it.key());
            QStringList terms;
            QVariantList keyArgs;
            for (const QString &k : keys) {
                int at = -1;
                for (int i = 0; i < int(m_columns.size()) && at < 0; ++i)
                    if (m_columns.at(i).originTable == it.key() && m_columns.at(i).originColumn == k)
                        at = i;
                if (at < 0)
                    throw Error(u"フィールドを更新できません: "_s + m_columns.at(it.value().first()).name);
                terms << quoteName(k) + u" IS ?"_s;
                keyArgs << rowValues.at(at);
            }
            if (keys.isEmpty())
                throw Error(u"フィールドを更新できません: "_s + m_columns.at(it.value().first()).name);
            QStringList tableSets;
            QVariantList tableArgs;
            for (int i : it.value()) {
                tableSets << quoteName(m_columns.at(i).originColumn) + u" = ?"_s;
                tableArgs << m_buffer.at(i);
            }
            m_db.exec(u"UPDATE "_s + quoteName(it.key()) + u" SET "_s + tableSets.join(u", "_s)
                          + u" WHERE "_s + terms.join(u" AND "_s),
                      tableArgs + keyArgs);
        }
        m_rows->setValues(m_pos, m_buffer);
    }
    t.commit();
    m_lastModified = bookmark;
}

void Recordset::writeInsert()
{
    Rows::Row row;
    row.bookmark = m_rows->nextBookmark++;
    Transaction t(m_db);
    if (m_kind == SourceKind::Table || writableView(m_sourceName)) {
        const WritableView *view = writableView(m_sourceName);
        const QVariant counterBefore = view ? counterValue(m_db, view->counterTable) : QVariant();
        QStringList names;
        QStringList marks;
        QVariantList args;
        for (int i = 0; i < int(m_columns.size()); ++i) {
            if (!m_touched.at(i))
                continue;
            names << quoteName(m_columns.at(i).name);
            marks << u"?"_s;
            args << m_buffer.at(i);
        }
        const QString target = quoteName(m_sourceName);
        m_db.exec(names.isEmpty() && !view
                      ? u"INSERT INTO "_s + target + u" DEFAULT VALUES"_s
                      : u"INSERT INTO "_s + target + u" ("_s + names.join(u", "_s)
                            + u") VALUES ("_s + marks.join(u", "_s) + u")"_s,
                  args);
        if (view) {
            // The new row's counter, when the insertion took one.
            const QVariant counterAfter = counterValue(m_db, view->counterTable);
            const int at = fieldIndex(view->counterColumn);
            if (at >= 0 && counterAfter != counterBefore)
                m_buffer[at] = counterAfter;
            row.values = refetch({}, m_buffer, nullptr);
        } else {
            row.rowid = m_db.lastInsertId();
            QVariant fetchedRowid = row.rowid;
            row.values = refetch(row.rowid, m_buffer, &fetchedRowid);
            row.rowid = fetchedRowid;
        }
    } else {
        // The table of the first field that comes from one takes the row.
        QString table;
        for (const Column &c : m_columns)
            if (table.isEmpty() && !c.originTable.isEmpty())
                table = c.originTable;
        if (table.isEmpty())
            throw Error(u"このレコードセットには追加できません。"_s);
        QStringList names;
        QStringList marks;
        QVariantList args;
        for (int i = 0; i < int(m_columns.size()); ++i) {
            const Column &c = m_columns.at(i);
            if (!m_touched.at(i))
                continue;
            if (c.originTable != table)
                throw Error(u"フィールドを更新できません: "_s + c.name);
            names << quoteName(c.originColumn);
            marks << u"?"_s;
            args << m_buffer.at(i);
        }
        m_db.exec(names.isEmpty()
                      ? u"INSERT INTO "_s + quoteName(table) + u" DEFAULT VALUES"_s
                      : u"INSERT INTO "_s + quoteName(table) + u" ("_s + names.join(u", "_s)
                            + u") VALUES ("_s + marks.join(u", "_s) + u")"_s,
                  args);
        const qint64 rowid = m_db.lastInsertId();
        for (int i = 0; i < int(m_columns.size()); ++i) {
            const Column &c = m_columns.at(i);
            if (c.originTable == table && !m_touched.at(i)
                && isIntegerPrimaryKey(m_db, table, c.originColumn))
                m_buffer[i] = rowid;
        }
        row.values = m_buffer;
    }
    t.commit();
    if (m_loaded) {
        // The added row comes after every row of the source.
        fetchAll();
        m_lastModified = row.bookmark;
        m_rows->list.append(std::move(row));
    } else {
        m_lastModifiedRowid = row.rowid;
    }
}

void Recordset::deleteRecord()
{
    if (!isUpdatable())
        throw Error(u"このレコードセットは更新できません。"_s);
    if (m_editMode != EditMode::None)
        cancelUpdate();
    // Every row is read before the database changes under the statement.
    fetchAll();
    const QVariantList rowValues = currentValues();
    if (m_kind == SourceKind::Table) {
        m_db.exec(u"DELETE FROM "_s + quoteName(m_sourceName) + u" WHERE rowid = ?"_s,
                  {m_rows->list.at(m_pos).rowid});
    } else if (writableView(m_sourceName)) {
        QStringList terms;
        QVariantList args;
        for (const QString &k : viewKeys()) {
            terms << quoteName(k) + u" IS ?"_s;
            args << rowValues.value(fieldIndex(k));
        }
        m_db.exec(u"DELETE FROM "_s + quoteName(m_sourceName) + u" WHERE "_s
                      + terms.join(u" AND "_s),
                  args);
    } else {
        // The row of the first field that is its table's key (the game row of
        // the scorebook, whose delete triggers take its marks and frames along).
        int at = -1;
        for (int i = 0; i < int(m_columns.size()) && at < 0; ++i) {
            const Column &c = m_columns.at(i);
            if (!c.originTable.isEmpty() && primaryKey(m_db, c.originTable) == QStringList{c.originColumn})
                at = i;
        }
        if (at < 0)
            throw Error(u"このレコードセットからは削除できません。"_s);
        const Column &c = m_columns.at(at);
        m_db.exec(u"DELETE FROM "_s + quoteName(c.originTable) + u" WHERE "_s
                      + quoteName(c.originColumn) + u" = ?"_s,
                  {rowValues.at(at)});
    }
    m_rows->forget(m_rows->list.at(m_pos).bookmark);
    m_rows->list.removeAt(m_pos);
    m_currentDeleted = true;
}

void Recordset::requery()
{
    cancelUpdate();
    m_currentDeleted = false;
    m_noMatch = false;
    load();
}

} // namespace store
