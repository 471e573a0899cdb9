#include "common/windowregistry.h"

#include "platform/dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiArea>

#include <array>

namespace {

std::array<QPointer<QWidget>, size_t(Slot::Count)> &registrySlots()
{
    static std::array<QPointer<QWidget>, size_t(Slot::Count)> s;
    return s;
}

const char *const closedProperty = "velmoraClosed";

// Hourglass while a window is being made; back to normal on every path.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

namespace WindowRegistry {

QWidget *window(Slot slot)
{
    QWidget *w = registrySlots()[size_t(slot)];
    return WindowIsAlive(w) ? w : nullptr;
}

bool WindowIsAlive(const QWidget *w)
{
    return w && !w->property(closedProperty).toBool();
}

QWidget *ShowAsChild(Slot slot, QMdiArea *area, const std::function<QWidget *()> &factory)
{
    QWidget *w = nullptr;
    {
        WaitCursor wait;
        w = window(slot);
        if (!w) {
            w = factory();
            // The window's own size is its client area; the frame grows around it.
            const QSize designed = w->size();
            auto *frame = new ChildFrame;
            frame->setWidget(w);
            frame->setAttribute(Qt::WA_DeleteOnClose);
            frame->setWindowIcon(w->windowIcon());
            area->addSubWindow(frame);
            registrySlots()[size_t(slot)] = w;
            frame->show();
            if (w->testAttribute(Qt::WA_Resized))
                frame->resize(frame->size() - w->size() + designed);
        }
    }
    if (QMdiSubWindow *frame = subWindowOf(w)) {
        if (frame->isMinimized())
            frame->showNormal();
        area->setActiveSubWindow(frame);
        frame->raise();
    } else {
        w->show();
        w->raise();
    }
    return w;
}

int ShowAsModal(Slot slot, const std::function<QDialog *()> &factory)
{
    QDialog *dialog = nullptr;
    {
        WaitCursor wait;
        dialog = qobject_cast<QDialog *>(window(slot));
        if (!dialog) {
            dialog = factory();
            registrySlots()[size_t(slot)] = dialog;
        }
        if (dialog->isMinimized())
            dialog->showNormal();
        dialog->hide();
    }
    int result = QDialog::Rejected;
    try {
        result = Dialogs::instance().runModal(dialog);
    } catch (...) {
        registrySlots()[size_t(slot)] = nullptr;
        delete dialog;
        throw;
    }
    registrySlots()[size_t(slot)] = nullptr;
    delete dialog;
    return result;
}

void release(const QWidget *w)
{
    if (!w)
        return;
    const_cast<QWidget *>(w)->setProperty(closedProperty, true);
    for (auto &s : registrySlots())
        if (s == w)
            s = nullptr;
}

QMdiSubWindow *subWindowOf(const QWidget *w)
{
    return w ? qobject_cast<QMdiSubWindow *>(w->parentWidget()) : nullptr;
}

void closeWindow(QWidget *w)
{
    if (QMdiSubWindow *frame = subWindowOf(w))
        frame->close();
    else if (w)
        w->close();
}

} // namespace WindowRegistry

ChildFrame::ChildFrame(QWidget *parent) : QMdiSubWindow(parent) {}

void ChildFrame::closeEvent(QCloseEvent *event)
{
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        WindowRegistry::release(widget());
}
