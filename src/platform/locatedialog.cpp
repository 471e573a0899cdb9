#include "platform/locatedialog.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "platform/navigatortexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using T = NavigatorTexts;

LocateDialog::LocateDialog(DataSet *dataSet, QWidget *parent) : QDialog(parent), m_ds(dataSet)
{
    setObjectName(QStringLiteral("LocateDialog"));
    m_valueLabel = new QLabel(this);
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("valueEdit"));
    m_valueLabel->setBuddy(m_value);
    m_fieldLabel = new QLabel(this);
    m_field = new QComboBox(this);
    m_field->setObjectName(QStringLiteral("fieldCombo"));
    m_fieldLabel->setBuddy(m_field);
    if (m_ds)
        for (const DataField *f : m_ds->visibleFields())
            m_field->addItem(f->displayLabel(), f->fieldName());

    m_typeBox = new QGroupBox(this);
    m_exact = new QRadioButton(m_typeBox);
    m_exact->setObjectName(QStringLiteral("exactRadio"));
    m_beginning = new QRadioButton(m_typeBox);
    m_beginning->setObjectName(QStringLiteral("beginningRadio"));
    m_anywhere = new QRadioButton(m_typeBox);
    m_anywhere->setObjectName(QStringLiteral("anywhereRadio"));
    m_beginning->setChecked(true);
    auto *typeLayout = new QVBoxLayout(m_typeBox);
    typeLayout->addWidget(m_exact);
    typeLayout->addWidget(m_beginning);
    typeLayout->addWidget(m_anywhere);
    m_case = new QCheckBox(this);
    m_case->setObjectName(QStringLiteral("caseCheck"));

    m_first = new QPushButton(this);
    m_first->setObjectName(QStringLiteral("firstButton"));
    m_first->setDefault(true);
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    connect(m_first, &QPushButton::clicked, this, [this] { Guard::run([this] { findFirst(); }, this); });
    connect(m_next, &QPushButton::clicked, this, [this] { Guard::run([this] { findNext(); }, this); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_valueLabel, 0, 0);
    grid->addWidget(m_value, 1, 0);
    grid->addWidget(m_fieldLabel, 2, 0);
    grid->addWidget(m_field, 3, 0);
    grid->addWidget(m_case, 4, 0);
    grid->addWidget(m_typeBox, 0, 1, 5, 1);
    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->addButton(m_first, QDialogButtonBox::ActionRole);
    buttons->addButton(m_next, QDialogButtonBox::ActionRole);
    buttons->addButton(m_close, QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 5, 0, 1, 2);

    updateTexts();
    connect(&NavigatorTexts::instance(), &NavigatorTexts::changed, this, &LocateDialog::updateTexts);
}

void LocateDialog::updateTexts()
{
    setWindowTitle(T::get(T::LocateCaption));
    m_valueLabel->setText(T::get(T::LocateFieldValue));
    m_value->setToolTip(T::get(T::LocateFieldValueHint));
    m_fieldLabel->setText(T::get(T::LocateFields));
    m_field->setToolTip(T::get(T::LocateFieldNameHint));
    m_typeBox->setTitle(T::get(T::LocateSearchType));
    m_exact->setText(T::get(T::LocateExact));
    m_exact->setToolTip(T::get(T::LocateExactHint));
    m_beginning->setText(T::get(T::LocateBeginning));
    m_beginning->setToolTip(T::get(T::LocateBeginningHint));
    m_anywhere->setText(T::get(T::LocateAnywhere));
    m_anywhere->setToolTip(T::get(T::LocateAnywhereHint));
    m_case->setText(T::get(T::LocateCaseSensitive));
    m_case->setToolTip(T::get(T::LocateCaseSensitiveHint));
    m_first->setText(T::get(T::LocateFirst));
    m_first->setToolTip(T::get(T::LocateFirstHint));
    m_next->setText(T::get(T::LocateNext));
    m_next->setToolTip(T::get(T::LocateNextHint));
    m_close->setText(T::get(T::LocateClose));
}

void LocateDialog::setFieldName(const QString &name)
{
    for (int i = 0; i < m_field->count(); ++i)
        if (m_field->itemData(i).toString().compare(name, Qt::CaseInsensitive) == 0)
            m_field->setCurrentIndex(i);
}

QString LocateDialog::fieldName() const
{
    return m_field->currentData().toString();
}

void LocateDialog::setValue(const QString &value)
{
    m_value->setText(value);
}

void LocateDialog::setMatchType(DataSetMatch::MatchType match)
{
    (match == DataSetMatch::MatchType::Exact       ? m_exact
     : match == DataSetMatch::MatchType::Beginning ? m_beginning
                                                   : m_anywhere)
        ->setChecked(true);
}

DataSetMatch::MatchType LocateDialog::matchType() const
{
    return m_exact->isChecked()       ? DataSetMatch::MatchType::Exact
         : m_beginning->isChecked() ? DataSetMatch::MatchType::Beginning
                                    : DataSetMatch::MatchType::Anywhere;
}

void LocateDialog::setCaseSensitive(bool on)
{
    m_case->setChecked(on);
}

bool LocateDialog::findFirst()
{
    return find(0, true);
}

bool LocateDialog::findNext()
{
    return m_ds ? find(m_ds->currentRow() + 1, false) : false;
}

bool LocateDialog::find(int from, bool first)
{
    if (!m_ds || !m_ds->isActive())
        return false;
    const DataField *f = m_ds->findField(fieldName());
    const int row = f ? m_ds->findRow(*f, m_value->text(), matchType(),
                                      m_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive, from)
                      : -1;
    if (row < 0) {
        Dialogs::instance().information(this, T::get(first ? T::MsgNoMatches : T::MsgNoMoreMatches));
        return false;
    }
    m_ds->setCurrentRow(row);
    return true;
}
