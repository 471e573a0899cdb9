#include "platform/recordviewdialog.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "platform/navigatortexts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using T = NavigatorTexts;

RecordViewDialog::RecordViewDialog(DataSet *dataSet, QWidget *parent) : QDialog(parent), m_ds(dataSet)
{
    setObjectName(QStringLiteral("RecordViewDialog"));
    m_editable = m_ds && m_ds->canModify();
    auto *inner = new QWidget;
    auto *form = new QFormLayout(inner);
    if (m_ds) {
        for (const DataField *f : m_ds->fields()) {
            auto *label = new QLabel(f->displayLabel(), inner);
            auto *edit = new QLineEdit(f->asString(), inner);
            edit->setObjectName(QStringLiteral("edit_") + f->fieldName());
            edit->setReadOnly(!m_editable);
            edit->setModified(false);
            label->setBuddy(edit);
            form->addRow(label, edit);
            m_labels.append({f->fieldName(), label});
            m_edits.append({f->fieldName(), edit});
        }
    }
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);

    m_save = new QPushButton(this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_save->setVisible(m_editable);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, [this] { Guard::run([this] { save(); }, this); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    resize(420, 480);

    updateTexts();
    connect(&NavigatorTexts::instance(), &NavigatorTexts::changed, this, &RecordViewDialog::updateTexts);
}

void RecordViewDialog::updateTexts()
{
    setWindowTitle(T::get(T::RecordViewCaption));
    m_save->setText(T::get(T::RecordViewSave));
    m_close->setText(T::get(T::RecordViewClose));
}

QLineEdit *RecordViewDialog::valueEdit(const QString &fieldName) const
{
    for (const auto &[name, edit] : m_edits)
        if (name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return edit;
    return nullptr;
}

bool RecordViewDialog::hasChanges() const
{
    for (const auto &[name, edit] : m_edits)
        if (edit->isModified())
            return true;
    return false;
}

void RecordViewDialog::save()
{
    if (!m_ds || !m_editable || !hasChanges())
        return;
    if (!m_ds->isEditing())
        m_ds->edit();
    for (const auto &[name, edit] : m_edits)
        if (edit->isModified())
            m_ds->fieldByName(name).setAsString(edit->text());
    m_ds->post();
    for (const auto &[name, edit] : m_edits)
        edit->setModified(false);
}

// Closing with unsaved changes asks first; a refused or failed save keeps the dialog open.
void RecordViewDialog::done(int result)
{
    if (hasChanges() && Dialogs::instance().confirm(this, T::get(T::MsgRecordViewExit))) {
        if (!Guard::run([this] { save(); }, this))
            return;
    }
    QDialog::done(result);
}
