#pragma once

#include "platform/placement.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class FieldLayoutTarget;
class IniStore;
class QMdiSubWindow;
class QWidget;

// Keeps one window's placement, grid layouts and a few named values in the settings store.
//
// The storage watches its window: the first show restores (unless a restore already ran),
// a granted close saves, and destroying the storage saves when nothing was saved since the
// last restore. Make it a member of the window declared after everything its callbacks
// and layout targets use, so that it goes first; the store must outlive it (a storage
// whose store is gone does nothing).
//
// Placement of an MDI child (a widget inside a QMdiSubWindow) is that of its sub-window,
// relative to the MDI area's viewport; a top-level window's is in screen coordinates.
class FormStorage : public QObject
{
    Q_OBJECT

public:
    // A window may name the class used for its grid sections through this property;
    // otherwise its meta-object's class name is used.
    static constexpr const char *ClassNameProperty = "formClassName";

    enum class ValueKind { Integer, Text, Boolean };

    FormStorage(IniStore &store, QWidget *window,
                const QString &storagePath = QStringLiteral("%FORM_NAME%\\"), QObject *parent = nullptr);
    ~FormStorage() override;

    // "Group" or "Group\": a trailing backslash is added when missing. "%FORM_NAME%" stands
    // for the window's objectName and is replaced before every restore and save.
    void setStoragePath(const QString &path);
    QString storagePath() const { return m_storagePath; }
    QString resolvedStoragePath() const; // placeholder replaced, ends with a backslash
    QString groupName() const;           // resolved, without the trailing backslash
    QString layoutSection() const;       // "<group>\<window class name>"

    // Reads "FormVersion"; when it is at least 0: placement, grid layouts, onRestore, stored
    // values. Counts as restored afterwards in any case, also when an AppError (a bad
    // integer) escapes from here.
    void restore();
    // Writes "FormVersion" = 0; when restored during this life also the placement, grid
    // layouts, onSave and the stored values.
    void save();
    bool isRestored() const { return m_restored; }
    bool isSavedSinceRestore() const { return m_saved; }

    // Not owned; each must outlive the storage or be removed first.
    void addLayoutTarget(FieldLayoutTarget *target);
    void removeLayoutTarget(FieldLayoutTarget *target);

    // Called with the store and the resolved storage path (ending in a backslash), after
    // the grid layouts and before the stored values.
    std::function<void(IniStore &store, const QString &storagePath)> onRestore;
    std::function<void(IniStore &store, const QString &storagePath)> onSave;

    // A value kept under <storage path><name>. On restore the current value (from get) is
    // the default passed to the read.
    void addStoredValue(const QString &name, ValueKind kind, std::function<QVariant()> get,
                        std::function<void(const QVariant &)> set);

    // The placement the window has now, as it would be saved.
    WindowPlacement currentPlacement() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct StoredValue
    {
        QString name;
        ValueKind kind;
        std::function<QVariant()> get;
        std::function<void(const QVariant &)> set;
    };

    bool storeAlive() const { return !m_storeLife.expired(); }
    QMdiSubWindow *subWindow() const;
    void watchSubWindow();
    void applyPlacement(const WindowPlacement &placement);
    void restoreLayouts();
    void saveLayouts();
    bool closeWindow(QEvent *event);

    IniStore &m_store;
    std::weak_ptr<const int> m_storeLife;
    QPointer<QWidget> m_window;
    QObject *m_windowObject = nullptr; // for comparing only, also while the window is being destroyed
    QPointer<QObject> m_subWindow; // QObject: it is compared while being destroyed
    QRect m_subNormalGeometry; // the MDI child's last normal rectangle, kept while min/maximised
    QString m_storagePath;
    QList<FieldLayoutTarget *> m_layoutTargets;
    QList<StoredValue> m_storedValues;
    bool m_restored = false;
    bool m_saved = false;
    bool m_restoring = false;
    bool m_closing = false;
};
