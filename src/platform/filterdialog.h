#pragma once

#include "platform/datasetmatch.h"

#include <QDialog>
#include <QMap>
#include <QPointer>

class DataSet;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Builds the data set's filter criteria field by field: a value (exact, at the beginning,
// anywhere) or a range, case-sensitive or not, matching or non-matching. OK applies them
// (refusing an empty set with a message), "remove filter" takes the filter off.
// Object name "FilterDialog"; widgets: "fieldList", "valueEdit", "minimumEdit",
// "maximumEdit", "byValueRadio", "byRangeRadio", "exactRadio", "beginningRadio",
// "anywhereRadio", "caseCheck", "nonMatchingCheck", "newSearchButton", "removeButton",
// "okButton", "cancelButton".
class FilterDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FilterDialog(DataSet *dataSet, QWidget *parent = nullptr);

    // Criteria as the dialog holds them (empty ones left out).
    QList<DataSetMatch::FilterCriterion> criteria() const;
    void setCriterion(const DataSetMatch::FilterCriterion &criterion);
    void clearCriteria();
    void selectField(const QString &name);
    QString selectedField() const;

    // OK: applies the criteria and closes; with none, tells so and stays open.
    bool apply();
    // Takes the filter off the data set and closes.
    void removeFilter();

private:
    void storeEditor();
    void loadEditor();
    void fillFieldList();
    void updateTexts();

    QPointer<DataSet> m_ds;
    QMap<QString, DataSetMatch::FilterCriterion> m_criteria; // by field name
    QString m_current;
    bool m_loading = false;

    QLabel *m_fieldsLabel;
    QListWidget *m_fields;
    QGroupBox *m_orderBox;
    QRadioButton *m_logical;
    QRadioButton *m_alphabetic;
    QGroupBox *m_kindBox;
    QRadioButton *m_byValue;
    QRadioButton *m_byRange;
    QLabel *m_valueLabel;
    QLineEdit *m_value;
    QPushButton *m_clearValue;
    QLabel *m_minimumLabel;
    QLineEdit *m_minimum;
    QPushButton *m_clearMinimum;
    QLabel *m_maximumLabel;
    QLineEdit *m_maximum;
    QPushButton *m_clearMaximum;
    QGroupBox *m_typeBox;
    QRadioButton *m_exact;
    QRadioButton *m_beginning;
    QRadioButton *m_anywhere;
    QCheckBox *m_case;
    QCheckBox *m_nonMatching;
    QPushButton *m_newSearch;
    QPushButton *m_remove;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
