#include "platform/datagrid.h"

#include "platform/dataset.h"
#include "platform/datasetmodel.h"
#include "platform/guard.h"

#include <QHeaderView>
#include <QScopedValueRollback>

DataGrid::DataGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(17);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setFixedHeight(17);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &DataGrid::onSectionResized);
}

void DataGrid::setDataSet(DataSet *dataSet)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    delete m_model;
    m_model = nullptr;
    m_ds = dataSet;
    if (!m_ds) {
        setModel(nullptr);
        return;
    }
    m_model = new DataSetModel(m_ds, this);
    m_model->setEditable(!m_readOnly);
    setModel(m_model);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { onCurrentRowChanged(current); });
    // Re-applied after every reset of the model, which the model does on field changes too.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        selectCurrentRow();
    });
    connect(m_ds, &DataSet::afterScroll, this, &DataGrid::selectCurrentRow);
    connect(m_ds, &DataSet::rowRemoved, this, &DataGrid::selectCurrentRow);
    connect(m_ds, &DataSet::rowInserted, this, &DataGrid::selectCurrentRow);
    applyColumnWidths();
    selectCurrentRow();
}

void DataGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed);
    if (m_model)
        m_model->setEditable(!readOnly);
}

int DataGrid::pixelsForCharacters(int characters) const
{
    return characters * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 6;
}

void DataGrid::applyColumnWidths()
{
    if (!m_model)
        return;
    QScopedValueRollback guard(m_syncing, true);
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (const DataField *f = m_model->fieldAt(c))
            setColumnWidth(c, pixelsForCharacters(f->displayWidth()));
}

void DataGrid::selectCurrentRow()
{
    if (!m_model || !selectionModel() || m_syncing)
        return;
    QScopedValueRollback guard(m_syncing, true);
    const int row = m_ds->currentRow();
    if (row < 0 || m_model->columnCount() == 0) {
        selectionModel()->clear();
        return;
    }
    const int column = qMax(0, currentIndex().column());
    const QModelIndex idx = m_model->index(row, qMin(column, m_model->columnCount() - 1));
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(idx);
}

void DataGrid::onCurrentRowChanged(const QModelIndex &current)
{
    if (m_syncing || !m_ds || !current.isValid() || current.row() == m_ds->currentRow())
        return;
    {
        QScopedValueRollback guard(m_syncing, true);
        Guard::run([&] { m_ds->setCurrentRow(current.row()); }, this);
    }
    // A refused move (or a dropped new row) leaves the data set elsewhere: show where.
    if (m_ds->currentRow() != current.row())
        selectCurrentRow();
}

// A column the user widens keeps its width in the field, so the layout storage sees it.
void DataGrid::onSectionResized(int logical, int, int newSize)
{
    if (m_syncing || !m_model)
        return;
    DataField *f = m_model->fieldAt(logical);
    if (!f)
        return;
    const int charWidth = qMax(1, fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const QSignalBlocker block(m_ds);
    f->setDisplayWidth(qMax(1, (newSize - 6 + charWidth / 2) / charWidth));
}
