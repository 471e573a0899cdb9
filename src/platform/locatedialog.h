#pragma once

#include "platform/datasetmatch.h"

#include <QDialog>
#include <QPointer>

class DataSet;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

// Finds a row by one field's value: first match from the top, or the next one after the
// current row. Nothing found is told through Dialogs::information. Object name
// "LocateDialog"; its widgets: "fieldCombo", "valueEdit", "exactRadio", "beginningRadio",
// "anywhereRadio", "caseCheck", "firstButton", "nextButton", "closeButton".
class LocateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LocateDialog(DataSet *dataSet, QWidget *parent = nullptr);

    void setFieldName(const QString &name);
    QString fieldName() const;
    void setValue(const QString &value);
    void setMatchType(DataSetMatch::MatchType match);
    DataSetMatch::MatchType matchType() const;
    void setCaseSensitive(bool on);

    // The two searches; true when a row was found (the data set then stands on it).
    bool findFirst();
    bool findNext();

private:
    bool find(int from, bool first);
    void updateTexts();

    QPointer<DataSet> m_ds;
    QLabel *m_fieldLabel;
    QComboBox *m_field;
    QLabel *m_valueLabel;
    QLineEdit *m_value;
    QGroupBox *m_typeBox;
    QRadioButton *m_exact;
    QRadioButton *m_beginning;
    QRadioButton *m_anywhere;
    QCheckBox *m_case;
    QPushButton *m_first;
    QPushButton *m_next;
    QPushButton *m_close;
};
