#pragma once

#include "store/field_value.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

namespace store {

class Database;
class Statement;

// The kinds of recordset: table (1) and dynaset (2) are updatable, a
// snapshot (4) is read-only.
enum class RecordsetType { Table = 1, Dynaset = 2, Snapshot = 4 };

// A bookmark names one row of one recordset (and of the recordsets opened
// from it) for as long as the row exists.
using Bookmark = qint64;

// Rows of a table, a saved query or a Jet SQL text, with the navigation,
// look-up, filtering and editing of a DAO recordset.
//
// The rows are read as they are needed (a move, a look-up or a count reads
// as far as it must) and kept once read; recordCount() and moveLast() read
// them all. Field names match without regard to case or width ("優p" finds
// "優Ｐ"); ordinals follow the stored order. SQL
// texts, criteria and sort texts are in the Jet dialect and are rewritten
// for SQLite. Failures raise store::Error. Moving past either end is not an
// error: EOF or BOF becomes true and there is no current record; reading or
// writing a field without a current record raises store::Error.
class Recordset
{
public:
    Recordset(Database &db, const QString &source, RecordsetType type = RecordsetType::Dynaset);
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    RecordsetType type() const { return m_type; }
    bool isUpdatable() const;
    Database &database() const { return m_db; }

    // Navigation.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves by a number of rows from the current one (negative = back).
    void move(int rows);
    bool eof() const;
    bool bof() const;
    int recordCount() const;
    // 0-based position of the current row; -1 when there is none.
    int absolutePosition() const;
    void setAbsolutePosition(int position);
    Bookmark bookmark() const;
    void setBookmark(Bookmark bookmark);
    // The row added or changed last by update().
    Bookmark lastModified() const;

    // Look-ups with a Jet criterion ("選手ID = 5", "選手名 = 'O''Neil'").
    // Without a match the current row stays and noMatch() is true.
    void findFirst(const QString &criterion);
    void findNext(const QString &criterion);
    void findPrevious(const QString &criterion);
    void findLast(const QString &criterion);
    bool noMatch() const { return m_noMatch; }

    // Filter and sort texts take effect in the recordsets opened from this
    // one. Rows that sort equal keep their order.
    void setFilter(const QString &criterion) { m_filter = criterion; }
    QString filter() const { return m_filter; }
    void setSort(const QString &sort) { m_sort = sort; }
    QString sort() const { return m_sort; }
    std::unique_ptr<Recordset> openRecordset(RecordsetType type = RecordsetType::Dynaset) const;

    // Fields.
    int fieldCount() const;
    QStringList fieldNames() const;
    // Ordinal of a field (exact spelling first, then folded); -1 when none.
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    QVariant value(const QString &name) const;
    QVariant value(int ordinal) const;
    // Writes into the edit buffer of addNew() or edit(), converting texts for
    // numeric and date fields.
    void setValue(const QString &name, const QVariant &value);
    void setValue(int ordinal, const QVariant &value);

    // Editing.
    enum class EditMode { None, Edit, Add };
    EditMode editMode() const { return m_editMode; }
    void addNew();
    void edit();
    // Writes the buffer; an added row becomes the last row, the current row
    // stays where it was.
    void update();
    void cancelUpdate();
    // Deletes the current row; move to reach another one.
    void deleteRecord();

    // Reads the rows again and makes the first one current.
    void requery();

private:
    friend class Database;

    struct Column
    {
        QString name;
        FieldKind kind = FieldKind::Any;
        QString originTable;
        QString originColumn;
    };
    // The rows read so far (packed), and the statement that reads the rest.
    struct Rows;
    enum class SourceKind { Table, View, Sql };

    Recordset(Database &db, RecordsetType type);
    void ensureLoaded() const;
    void ensureColumns() const;
    void load() const;
    // Reads rows until row i has been read; false when there is no row i.
    bool fetchTo(qsizetype i) const;
    void fetchAll() const;
    // Finalises the reading statement, keeping the rows read so far.
    void stopReading() const;
    QString selectSql() const;
    // Values of the current row; raises Error when there is none.
    const QVariantList &currentValues() const;
    int requireField(const QString &name) const;
    int find(const QString &criterion, int from, int step) const;
    void writeUpdate();
    void writeInsert();
    QVariantList refetch(const QVariant &rowid, const QVariantList &values,
                         QVariant *newRowid) const;
    QStringList viewKeys() const;

    Database &m_db;
    RecordsetType m_type;
    SourceKind m_kind = SourceKind::Sql;
    QString m_sourceName;   // stored name of a table or view source
    QString m_baseSql;      // SQLite text of the source's rows
    QString m_filterSql;    // SQLite criterion of a recordset opened after Filter
    QString m_sortSql;      // SQLite sort of a recordset opened after Sort
    QString m_filter;
    QString m_sort;

    mutable bool m_loaded = false;
    mutable bool m_haveColumns = false;
    mutable QList<Column> m_columns;
    std::unique_ptr<Rows> m_rows;
    mutable int m_pos = -1; // row index; -1 = BOF side, past the last row = EOF side
    bool m_currentDeleted = false;
    bool m_noMatch = false;
    mutable Bookmark m_lastModified = 0;
    mutable QVariant m_lastModifiedRowid; // a row added before the rows were read

    EditMode m_editMode = EditMode::None;
    QVariantList m_buffer;
    QList<bool> m_touched;
};

} // namespace store
