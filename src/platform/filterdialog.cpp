#include "platform/filterdialog.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "platform/navigatortexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using T = NavigatorTexts;
using DataSetMatch::FilterCriterion;
using DataSetMatch::MatchType;

namespace {

template<typename W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

FilterDialog::FilterDialog(DataSet *dataSet, QWidget *parent) : QDialog(parent), m_ds(dataSet)
{
    setObjectName(QStringLiteral("FilterDialog"));
    m_fieldsLabel = new QLabel(this);
    m_fields = named(new QListWidget(this), "fieldList");
    m_fieldsLabel->setBuddy(m_fields);
    m_orderBox = new QGroupBox(this);
    m_logical = named(new QRadioButton(m_orderBox), "logicalRadio");
    m_alphabetic = named(new QRadioButton(m_orderBox), "alphabeticRadio");
    m_logical->setChecked(true);
    auto *orderLayout = new QHBoxLayout(m_orderBox);
    orderLayout->addWidget(m_logical);
    orderLayout->addWidget(m_alphabetic);

    m_kindBox = new QGroupBox(this);
    m_byValue = named(new QRadioButton(m_kindBox), "byValueRadio");
    m_byRange = named(new QRadioButton(m_kindBox), "byRangeRadio");
    m_byValue->setChecked(true);
    auto *kindLayout = new QHBoxLayout(m_kindBox);
    kindLayout->addWidget(m_byValue);
    kindLayout->addWidget(m_byRange);

    auto lineWithClear = [this](QLabel *&label, QLineEdit *&edit, QPushButton *&clear, const char *name,
                                const char *clearName) {
        label = new QLabel(this);
        edit = named(new QLineEdit(this), name);
        label->setBuddy(edit);
        clear = named(new QPushButton(this), clearName);
        connect(clear, &QPushButton::clicked, edit, &QLineEdit::clear);
    };
    lineWithClear(m_valueLabel, m_value, m_clearValue, "valueEdit", "clearValueButton");
    lineWithClear(m_minimumLabel, m_minimum, m_clearMinimum, "minimumEdit", "clearMinimumButton");
    lineWithClear(m_maximumLabel, m_maximum, m_clearMaximum, "maximumEdit", "clearMaximumButton");

    m_typeBox = new QGroupBox(this);
    m_exact = named(new QRadioButton(m_typeBox), "exactRadio");
    m_beginning = named(new QRadioButton(m_typeBox), "beginningRadio");
    m_anywhere = named(new QRadioButton(m_typeBox), "anywhereRadio");
    m_beginning->setChecked(true);
    auto *typeLayout = new QVBoxLayout(m_typeBox);
    typeLayout->addWidget(m_exact);
    typeLayout->addWidget(m_beginning);
    typeLayout->addWidget(m_anywhere);
    m_case = named(new QCheckBox(this), "caseCheck");
    m_nonMatching = named(new QCheckBox(this), "nonMatchingCheck");

    m_newSearch = named(new QPushButton(this), "newSearchButton");
    m_remove = named(new QPushButton(this), "removeButton");
    m_ok = named(new QPushButton(this), "okButton");
    m_ok->setDefault(true);
    m_cancel = named(new QPushButton(this), "cancelButton");

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_fieldsLabel, 0, 0);
    grid->addWidget(m_fields, 1, 0, 8, 1);
    grid->addWidget(m_orderBox, 9, 0);
    grid->addWidget(m_kindBox, 0, 1, 2, 2);
    grid->addWidget(m_valueLabel, 2, 1);
    grid->addWidget(m_value, 3, 1);
    grid->addWidget(m_clearValue, 3, 2);
    grid->addWidget(m_minimumLabel, 4, 1);
    grid->addWidget(m_minimum, 5, 1);
    grid->addWidget(m_clearMinimum, 5, 2);
    grid->addWidget(m_maximumLabel, 6, 1);
    grid->addWidget(m_maximum, 7, 1);
    grid->addWidget(m_clearMaximum, 7, 2);
    grid->addWidget(m_typeBox, 8, 1, 1, 2);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_case);
    checks->addWidget(m_nonMatching);
    grid->addLayout(checks, 9, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_newSearch);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 10, 0, 1, 3);

    auto enableKind = [this] {
        const bool range = m_byRange->isChecked();
        for (QWidget *w : std::initializer_list<QWidget *>{m_value, m_clearValue, m_valueLabel, m_typeBox})
            w->setEnabled(!range);
        for (QWidget *w : std::initializer_list<QWidget *>{m_minimum, m_maximum, m_clearMinimum, m_clearMaximum,
                                                            m_minimumLabel, m_maximumLabel})
            w->setEnabled(range);
    };
    connect(m_byRange, &QRadioButton::toggled, this, enableKind);
    enableKind();

    if (m_ds)
        for (const auto &c : m_ds->filterCriteria())
            m_criteria.insert(c.field, c);
    fillFieldList();
    connect(m_fields, &QListWidget::currentRowChanged, this, [this] {
        storeEditor();
        loadEditor();
    });
    connect(m_alphabetic, &QRadioButton::toggled, this, [this] {
        storeEditor();
        fillFieldList();
    });
    connect(m_newSearch, &QPushButton::clicked, this, &FilterDialog::clearCriteria);
    connect(m_remove, &QPushButton::clicked, this, [this] { Guard::run([this] { removeFilter(); }, this); });
    connect(m_ok, &QPushButton::clicked, this, [this] { Guard::run([this] { apply(); }, this); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    updateTexts();
    connect(&NavigatorTexts::instance(), &NavigatorTexts::changed, this, &FilterDialog::updateTexts);
}

void FilterDialog::updateTexts()
{
    setWindowTitle(T::get(T::FilterCaption));
    m_fieldsLabel->setText(T::get(T::FilterFields));
    m_orderBox->setTitle(T::get(T::FilterFieldOrder));
    m_logical->setText(T::get(T::FilterLogical));
    m_alphabetic->setText(T::get(T::FilterAlphabetic));
    m_byValue->setText(T::get(T::FilterByValue));
    m_byRange->setText(T::get(T::FilterByRange));
    m_valueLabel->setText(T::get(T::FilterFieldValue));
    m_minimumLabel->setText(T::get(T::FilterStartingRange));
    m_maximumLabel->setText(T::get(T::FilterEndingRange));
    for (QPushButton *b : {m_clearValue, m_clearMinimum, m_clearMaximum})
        b->setText(T::get(T::FilterClear));
    m_typeBox->setTitle(T::get(T::FilterSearchType));
    m_exact->setText(T::get(T::FilterExact));
    m_beginning->setText(T::get(T::FilterBeginning));
    m_anywhere->setText(T::get(T::FilterAnywhere));
    m_case->setText(T::get(T::FilterCaseSensitive));
    m_nonMatching->setText(T::get(T::FilterNonMatching));
    m_newSearch->setText(T::get(T::FilterNewSearch));
    m_newSearch->setToolTip(T::get(T::FilterNewSearchHint));
    m_remove->setText(T::get(T::FilterRemove));
    m_ok->setText(T::get(T::OkCaption));
    m_cancel->setText(T::get(T::CancelCaption));
}

// Fields in their logical order or by name; a field with a criterion is marked.
void FilterDialog::fillFieldList()
{
    if (!m_ds)
        return;
    QList<DataField *> fields = m_ds->fields();
    if (m_alphabetic->isChecked())
        std::stable_sort(fields.begin(), fields.end(), [](const DataField *a, const DataField *b) {
            return a->displayLabel().compare(b->displayLabel(), Qt::CaseInsensitive) < 0;
        });
    const QString keep = m_current;
    {
        QScopedValueRollback<bool> guard(m_loading, true);
        m_fields->clear();
        for (const DataField *f : fields) {
            auto *item = new QListWidgetItem(f->displayLabel(), m_fields);
            item->setData(Qt::UserRole, f->fieldName());
        }
    }
    m_current.clear();
    selectField(keep.isEmpty() && m_fields->count() ? m_fields->item(0)->data(Qt::UserRole).toString() : keep);
}

void FilterDialog::selectField(const QString &name)
{
    for (int i = 0; i < m_fields->count(); ++i)
        if (m_fields->item(i)->data(Qt::UserRole).toString().compare(name, Qt::CaseInsensitive) == 0) {
            if (m_fields->currentRow() == i && m_current.isEmpty())
                loadEditor();
            m_fields->setCurrentRow(i);
        }
}

QString FilterDialog::selectedField() const
{
    return m_current;
}

void FilterDialog::storeEditor()
{
    if (m_loading || m_current.isEmpty())
        return;
    FilterCriterion c;
    c.field = m_current;
    c.byRange = m_byRange->isChecked();
    c.value = m_value->text();
    c.minimum = m_minimum->text();
    c.maximum = m_maximum->text();
    c.match = m_exact->isChecked() ? MatchType::Exact : m_beginning->isChecked() ? MatchType::Beginning : MatchType::Anywhere;
    c.caseSensitive = m_case->isChecked();
    c.nonMatching = m_nonMatching->isChecked();
    if (c.isEmpty())
        m_criteria.remove(m_current);
    else
        m_criteria.insert(m_current, c);
}

void FilterDialog::loadEditor()
{
    if (m_loading)
        return;
    QListWidgetItem *item = m_fields->currentItem();
    m_current = item ? item->data(Qt::UserRole).toString() : QString();
    const FilterCriterion c = m_criteria.value(m_current);
    (c.byRange ? m_byRange : m_byValue)->setChecked(true);
    m_value->setText(c.value);
    m_minimum->setText(c.minimum);
    m_maximum->setText(c.maximum);
    (c.match == MatchType::Exact ? m_exact : c.match == MatchType::Beginning ? m_beginning : m_anywhere)->setChecked(true);
    m_case->setChecked(c.caseSensitive);
    m_nonMatching->setChecked(c.nonMatching);
}

QList<FilterCriterion> FilterDialog::criteria() const
{
    const_cast<FilterDialog *>(this)->storeEditor();
    return m_criteria.values();
}

void FilterDialog::setCriterion(const FilterCriterion &criterion)
{
    storeEditor();
    if (criterion.isEmpty())
        m_criteria.remove(criterion.field);
    else
        m_criteria.insert(criterion.field, criterion);
    m_current.clear();
    selectField(criterion.field);
    loadEditor();
}

void FilterDialog::clearCriteria()
{
    m_criteria.clear();
    loadEditor();
}

bool FilterDialog::apply()
{
    const QList<FilterCriterion> all = criteria();
    if (all.isEmpty()) {
        Dialogs::instance().information(this, T::get(T::MsgNoCriteria));
        return false;
    }
    if (m_ds)
        m_ds->setFilterCriteria(all);
    accept();
    return true;
}

void FilterDialog::removeFilter()
{
    if (m_ds)
        m_ds->clearFilter();
    m_criteria.clear();
    accept();
}
