#pragma once

#include <QTableView>

class DataSet;
class DataSetModel;

// A grid over a data set: one column per visible field, widths from the fields' display
// widths (characters), rows 17 pixels high. The selected row and the data set's current row
// follow each other. Read-only unless setReadOnly(false).
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);

    void setDataSet(DataSet *dataSet);
    DataSet *dataSet() const { return m_ds; }
    DataSetModel *dataSetModel() const { return m_model; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Pixels for a width in characters, as the grid sizes its columns.
    int pixelsForCharacters(int characters) const;

private:
    void applyColumnWidths();
    void selectCurrentRow();
    void onCurrentRowChanged(const QModelIndex &current);
    void onSectionResized(int logical, int oldSize, int newSize);

    DataSet *m_ds = nullptr;
    DataSetModel *m_model = nullptr;
    bool m_readOnly = true;
    bool m_syncing = false;
};
