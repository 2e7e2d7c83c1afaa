#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace store {
class Recordset;
}

namespace setup {

// A table model over the rows of a store recordset, for a bound grid. The
// rows are read into the model by reload(); reading them leaves the
// recordset's current row where it was. Editing a cell of an editable column
// writes the row through the recordset at once.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // fields: the recordset's fields shown, in order; captions their headings.
    RecordsetModel(store::Recordset &rs, QStringList fields, QStringList captions, QSet<int> editable,
                   QObject *parent = nullptr);

    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Called with the error text when a write is refused by the database.
    void setOnError(std::function<void(const QString &)> onError) { m_onError = std::move(onError); }

private:
    store::Recordset &m_rs;
    QStringList m_fields;
    QStringList m_captions;
    QSet<int> m_editable;
    QList<QVariantList> m_rows;
    std::function<void(const QString &)> m_onError;
};

} // namespace setup
