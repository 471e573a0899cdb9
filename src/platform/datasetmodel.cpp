#include "platform/datasetmodel.h"

#include "platform/dataset.h"
#include "platform/guard.h"

DataSetModel::DataSetModel(DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent), m_ds(dataSet)
{
    refreshColumns();
    if (!m_ds)
        return;
    connect(m_ds, &DataSet::dataReset, this, &DataSetModel::reset);
    connect(m_ds, &DataSet::fieldsChanged, this, &DataSetModel::reset);
    connect(m_ds, &DataSet::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(m_ds, &DataSet::rowInserted, this, [this] { endInsertRows(); });
    connect(m_ds, &DataSet::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(m_ds, &DataSet::rowRemoved, this, [this] { endRemoveRows(); });
    connect(m_ds, &DataSet::rowChanged, this, [this](int row) {
        if (row >= 0 && !m_columns.isEmpty())
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    });
    connect(m_ds, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_columns.clear();
        endResetModel();
    });
}

// The data set has already changed; a reset makes every view read it afresh.
void DataSetModel::reset()
{
    beginResetModel();
    refreshColumns();
    endResetModel();
}

void DataSetModel::refreshColumns()
{
    m_columns = m_ds ? m_ds->visibleFields() : QList<DataField *>();
}

DataField *DataSetModel::fieldAt(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column] : nullptr;
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_ds ? 0 : m_ds->recordCount();
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    const DataField *f = fieldAt(index.column());
    if (!f || !m_ds)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_ds->displayTextAt(index.row(), *f);
    case Qt::EditRole:
        return f->textOf(m_ds->valueAt(index.row(), *f));
    case Qt::TextAlignmentRole:
        return f->isNumeric() ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        if (const DataField *f = fieldAt(section))
            return f->displayLabel();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && m_ds && m_ds->canModify())
        flags |= Qt::ItemIsEditable;
    return flags;
}

// Called from inside Qt's delegate code: errors end here, in the guard.
bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    DataField *f = fieldAt(index.column());
    if (role != Qt::EditRole || !f || !m_ds)
        return false;
    return Guard::run([&] {
        if (m_ds->currentRow() != index.row())
            m_ds->setCurrentRow(index.row());
        if (!m_ds->isEditing())
            m_ds->edit();
        f->setAsString(value.toString());
    });
}
