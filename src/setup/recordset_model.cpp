#include "setup/recordset_model.h"

#include "store/recordset.h"

#include <exception>

namespace setup {

namespace {

// Keeps the recordset's current row across reads and writes of other rows.
class PositionGuard
{
public:
    explicit PositionGuard(store::Recordset &rs) : m_rs(rs), m_pos(rs.absolutePosition()) {}
    ~PositionGuard()
    {
        if (m_pos >= 0 && m_pos < m_rs.recordCount())
            m_rs.setAbsolutePosition(m_pos);
    }
    PositionGuard(const PositionGuard &) = delete;
    PositionGuard &operator=(const PositionGuard &) = delete;

private:
    store::Recordset &m_rs;
    int m_pos;
};

} // namespace

RecordsetModel::RecordsetModel(store::Recordset &rs, QStringList fields, QStringList captions, QSet<int> editable,
                               QObject *parent)
    : QAbstractTableModel(parent)
    , m_rs(rs)
    , m_fields(std::move(fields))
    , m_captions(std::move(captions))
    , m_editable(std::move(editable))
{
    reload();
}

void RecordsetModel::reload()
{
    // During an addition the stored rows cannot be visited; the list keeps
    // what it shows until the new row is saved.
    if (m_rs.editMode() != store::Recordset::EditMode::None)
        return;
    beginResetModel();
    m_rows.clear();
    {
        PositionGuard keep(m_rs);
        const int count = m_rs.recordCount();
        for (int r = 0; r < count; ++r) {
            m_rs.setAbsolutePosition(r);
            QVariantList row;
            for (const QString &f : m_fields)
                row << m_rs.value(f);
            m_rows << row;
        }
    }
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordsetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const QVariant v = m_rows[index.row()].value(index.column());
        return v.isNull() ? QVariant(QString()) : v;
    }
    return {};
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_captions.value(section);
    return {};
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editable.contains(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool RecordsetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_editable.contains(index.column())
        || index.row() >= m_rs.recordCount() || m_rs.editMode() != store::Recordset::EditMode::None)
        return false;
    if (m_rows[index.row()].value(index.column()) == value)
        return true;
    {
        PositionGuard keep(m_rs);
        try {
            m_rs.setAbsolutePosition(index.row());
            m_rs.edit();
            m_rs.setValue(m_fields[index.column()], value);
            m_rs.update();
        } catch (const std::exception &e) {
            if (m_rs.editMode() != store::Recordset::EditMode::None)
                m_rs.cancelUpdate();
            if (m_onError)
                m_onError(QString::fromUtf8(e.what()));
            return false;
        }
        m_rows[index.row()][index.column()] = m_rs.value(m_fields[index.column()]);
    }
    Q_EMIT dataChanged(index, index, { Qt::DisplayRole, Qt::EditRole });
    return true;
}

} // namespace setup
