#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class DataSet;
class DataField;

// The visible fields of a data set as a table, read straight from its snapshot (nothing is
// copied). Follows the data set's row and field changes.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DataSetModel(DataSet *dataSet, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_ds; }
    // The field shown in a column; nullptr outside.
    DataField *fieldAt(int column) const;
    // Cells can be edited (through the data set's edit and post) when set and the data set
    // can be modified.
    void setEditable(bool editable) { m_editable = editable; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void reset();
    void refreshColumns();

    QPointer<DataSet> m_ds;
    QList<DataField *> m_columns;
    bool m_editable = false;
};
