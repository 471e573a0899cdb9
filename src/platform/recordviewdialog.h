#pragma once

#include <QDialog>
#include <QPointer>

class DataSet;
class QLabel;
class QLineEdit;
class QPushButton;

// The current row's fields, one label and box each. Read-only unless the data set can be
// modified; then "save" writes the changed boxes through edit and post, and closing with
// unsaved changes asks whether to save them. Object name "RecordViewDialog"; each box is
// named "edit_" + field name; buttons "saveButton", "closeButton".
class RecordViewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RecordViewDialog(DataSet *dataSet, QWidget *parent = nullptr);

    QLineEdit *valueEdit(const QString &fieldName) const;
    bool isEditable() const { return m_editable; }
    bool hasChanges() const;
    // Writes the changed values into the current row and posts it.
    void save();

    void done(int result) override;

private:
    void updateTexts();

    QPointer<DataSet> m_ds;
    bool m_editable = false;
    QList<std::pair<QString, QLabel *>> m_labels;
    QList<std::pair<QString, QLineEdit *>> m_edits;
    QPushButton *m_save;
    QPushButton *m_close;
};
