#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>

class QDialog;
class QMdiArea;

// One slot per kind of window, so that each kind exists at most once.
enum class Slot {
    RezepturEigen,
    Info2k,
    Info1k,
    Rezeptur1K,
    Rezeptur2K,
    Farbverbrauch,
    Optionen,
    ImportRezepturen,
    ImportFarbverbrauch,
    About,
    Count
};

namespace WindowRegistry {

// The window a slot names, or nullptr.
QWidget *window(Slot slot);

// True when w is a live window that has not been closed for good.
bool WindowIsAlive(const QWidget *w);

// Creates the slot's window with factory when the slot holds no live window, shows it as a
// child of area, restores it when minimised and brings it to the front. Returns the window.
// An error while constructing propagates and leaves the slot empty.
QWidget *ShowAsChild(Slot slot, QMdiArea *area, const std::function<QWidget *()> &factory);

// Creates the slot's dialog when needed, runs it modally through the Dialogs seam, then
// frees it and empties the slot whatever happened. Returns the dialog's result.
int ShowAsModal(Slot slot, const std::function<QDialog *()> &factory);

// Empties every slot that names w (a child window's close handler calls this).
void release(const QWidget *w);

// The MDI frame around w, if it is shown as a child.
QMdiSubWindow *subWindowOf(const QWidget *w);

// Closes w's MDI frame when it has one, else w itself.
void closeWindow(QWidget *w);

} // namespace WindowRegistry

// The frame of every child window: a granted close frees the window and empties its slot,
// so the next menu command creates a fresh one.
class ChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit ChildFrame(QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
};
