#pragma once

#include "platform/dataset.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <optional>

class QHBoxLayout;
class QToolButton;

// A row of 25 x 25 buttons that move through and change a data set. The window picks the
// standard buttons and their order and may put its own buttons among them. Hints come from
// the active navigator text set and follow it when it is switched.
//
// Object names of the standard buttons: "navFirst", "navPriorPage", "navPrior", "navNext",
// "navNextPage", "navLast", "navInsert", "navDelete", "navEdit", "navPost", "navCancel",
// "navRefresh", "navSaveBookmark", "navRestoreBookmark", "navFilter", "navLocate",
// "navRecordView". Custom buttons carry the name the window gives them.
class NavigatorBar : public QWidget
{
    Q_OBJECT

public:
    enum class Button {
        First,
        PriorPage,
        Prior,
        Next,
        NextPage,
        Last,
        Insert,
        Delete,
        Edit,
        Post,
        Cancel,
        Refresh,
        SaveBookmark,
        RestoreBookmark,
        FilterDialog,
        LocateDialog,
        RecordViewDialog
    };
    static constexpr int PageSize = 10;

    explicit NavigatorBar(QWidget *parent = nullptr);

    void setDataSet(DataSet *dataSet);
    DataSet *dataSet() const { return m_ds; }

    // Appends buttons in the order given.
    QToolButton *addButton(Button button);
    void addButtons(const QList<Button> &buttons);
    QToolButton *addCustomButton(const QString &objectName, const QIcon &icon, const QString &hint,
                                 const QString &caption = QString());
    QToolButton *button(Button button) const;
    static QString objectNameOf(Button button);

    bool hasBookmark() const { return m_bookmark.has_value(); }

    // The actions behind the buttons, for windows and tests; errors propagate.
    void trigger(Button button);

signals:
    // A custom button was clicked (also reachable through the button's own clicked()).
    void customButtonClicked(const QString &objectName);

private:
    void updateTexts();
    void updateState();
    void setupButton(QToolButton *b);

    QPointer<DataSet> m_ds;
    QHBoxLayout *m_layout;
    QList<std::pair<Button, QToolButton *>> m_buttons;
    std::optional<DataSet::Bookmark> m_bookmark;
};
