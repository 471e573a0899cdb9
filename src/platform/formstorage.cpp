#include "platform/formstorage.h"

#include "platform/fieldlayout.h"
#include "platform/guard.h"
#include "platform/inistore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <numeric>

namespace {

const QString FormNamePlaceholder = QStringLiteral("%FORM_NAME%");

QSize primaryScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

int primaryScreenDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

constexpr Qt::WindowStates MinMax = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

FormStorage::FormStorage(IniStore &store, QWidget *window, const QString &storagePath, QObject *parent)
    : QObject(parent), m_store(store), m_storeLife(store.lifetime()), m_window(window), m_windowObject(window)
{
    setStoragePath(storagePath);
    if (window)
        window->installEventFilter(this);
}

FormStorage::~FormStorage()
{
    if (m_subWindow)
        m_subWindow->removeEventFilter(this);
    if (!m_window)
        return;
    m_window->removeEventFilter(this);
    if (m_restored && !m_saved)
        Guard::run([this] { save(); });
}

void FormStorage::setStoragePath(const QString &path)
{
    m_storagePath = path;
    if (!m_storagePath.isEmpty() && !m_storagePath.endsWith(QLatin1Char('\\')))
        m_storagePath += QLatin1Char('\\');
}

QString FormStorage::resolvedStoragePath() const
{
    QString path = m_storagePath;
    if (m_window)
        path.replace(FormNamePlaceholder, m_window->objectName(), Qt::CaseInsensitive);
    return path;
}

QString FormStorage::groupName() const
{
    QString path = resolvedStoragePath();
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}

QString FormStorage::layoutSection() const
{
    QString className;
    if (m_window) {
        className = m_window->property(ClassNameProperty).toString();
        if (className.isEmpty())
            className = QString::fromLatin1(m_window->metaObject()->className());
    }
    return groupName() + QLatin1Char('\\') + className;
}

void FormStorage::addLayoutTarget(FieldLayoutTarget *target)
{
    if (target && !m_layoutTargets.contains(target))
        m_layoutTargets.append(target);
}

void FormStorage::removeLayoutTarget(FieldLayoutTarget *target)
{
    m_layoutTargets.removeAll(target);
}

void FormStorage::addStoredValue(const QString &name, ValueKind kind, std::function<QVariant()> get,
                                 std::function<void(const QVariant &)> set)
{
    m_storedValues.append({name, kind, std::move(get), std::move(set)});
}

void FormStorage::restore()
{
    if (!m_window || !storeAlive())
        return;
    m_saved = false;
    m_restoring = true;
    // Counts as restored even when a bad value stops it half-way: the next save then
    // writes every value again, replacing the bad one.
    const auto done = qScopeGuard([this] {
        m_restored = true;
        m_restoring = false;
    });
    const QString path = resolvedStoragePath();
    if (m_store.readInteger(path + QLatin1String("FormVersion"), 0) < 0)
        return;
    if (const auto placement = Placement::read(m_store, path, primaryScreenSize()))
        applyPlacement(*placement);
    restoreLayouts();
    if (onRestore)
        onRestore(m_store, path);
    for (const StoredValue &v : std::as_const(m_storedValues)) {
        const QString key = path + v.name;
        const QVariant current = v.get ? v.get() : QVariant();
        QVariant read;
        switch (v.kind) {
        case ValueKind::Integer:
            read = m_store.readInteger(key, current.toInt());
            break;
        case ValueKind::Text:
            read = m_store.readString(key, current.toString());
            break;
        case ValueKind::Boolean:
            read = m_store.readBool(key, current.toBool());
            break;
        }
        if (v.set)
            v.set(read);
    }
}

void FormStorage::save()
{
    if (!m_window || !storeAlive())
        return;
    const auto done = qScopeGuard([this] { m_saved = true; });
    const QString path = resolvedStoragePath();
    m_store.writeInteger(path + QLatin1String("FormVersion"), 0);
    // Before a restore the window's state says nothing about what the user left there.
    if (!m_restored)
        return;
    Placement::write(m_store, path, currentPlacement(), primaryScreenSize());
    saveLayouts();
    if (onSave)
        onSave(m_store, path);
    for (const StoredValue &v : std::as_const(m_storedValues)) {
        const QString key = path + v.name;
        const QVariant value = v.get ? v.get() : QVariant();
        switch (v.kind) {
        case ValueKind::Integer:
            m_store.writeInteger(key, value.toInt());
            break;
        case ValueKind::Text:
            m_store.writeString(key, value.toString());
            break;
        case ValueKind::Boolean:
            m_store.writeBool(key, value.toBool());
            break;
        }
    }
}

QMdiSubWindow *FormStorage::subWindow() const
{
    if (!m_window)
        return nullptr;
    auto *sub = qobject_cast<QMdiSubWindow *>(m_window->parentWidget());
    return sub && sub->widget() == m_window ? sub : nullptr;
}

// QMdiSubWindow keeps its normal rectangle to itself while minimised or maximised, so
// the storage follows it as long as the child is in the normal state.
void FormStorage::watchSubWindow()
{
    QMdiSubWindow *sub = subWindow();
    if (static_cast<QObject *>(sub) == m_subWindow)
        return;
    if (m_subWindow)
        m_subWindow->removeEventFilter(this);
    m_subWindow = sub;
    m_subNormalGeometry = QRect();
    if (sub) {
        sub->installEventFilter(this);
        if (!(sub->windowState() & MinMax))
            m_subNormalGeometry = sub->geometry();
    }
}

WindowPlacement FormStorage::currentPlacement() const
{
    WindowPlacement p;
    p.pixelsPerInch = primaryScreenDpi();
    if (!m_window)
        return p;
    if (QMdiSubWindow *sub = subWindow()) {
        const Qt::WindowStates state = sub->windowState();
        p.normalRect = sub->geometry();
        if (state & MinMax) {
            if (static_cast<QObject *>(sub) == m_subWindow && m_subNormalGeometry.isValid())
                p.normalRect = m_subNormalGeometry;
        }
        if (state & Qt::WindowMinimized) {
            p.showCmd = WindowPlacement::Minimized;
            p.flags |= WindowPlacement::SetMinPosition;
            p.minPosition = sub->pos();
        } else if (state & Qt::WindowMaximized) {
            p.showCmd = WindowPlacement::Maximized;
        }
        return p;
    }
    const Qt::WindowStates state = m_window->windowState();
    p.normalRect = m_window->normalGeometry();
    if (!p.normalRect.isValid())
        p.normalRect = m_window->geometry();
    if (state & Qt::WindowMinimized) {
        p.showCmd = WindowPlacement::Minimized;
        if (state & Qt::WindowMaximized)
            p.flags |= WindowPlacement::RestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        p.showCmd = WindowPlacement::Maximized;
    }
    return p;
}

void FormStorage::applyPlacement(const WindowPlacement &p)
{
    if (QMdiSubWindow *sub = subWindow()) {
        watchSubWindow();
        QList<QRect> areas;
        // An area not laid out yet has no meaningful size to check against.
        if (QMdiArea *area = sub->mdiArea(); area && area->viewport()->isVisible())
            areas.append(area->viewport()->rect());
        if (sub->windowState() & MinMax)
            sub->setWindowState(sub->windowState() & ~MinMax);
        if (p.normalRect.isValid()) {
            const QRect r = Placement::keepReachable(p.normalRect, areas);
            sub->setGeometry(r);
            m_subNormalGeometry = r;
        }
        if (p.showCmd == WindowPlacement::Maximized) {
            sub->setWindowState(Qt::WindowMaximized);
        } else if (p.showCmd == WindowPlacement::Minimized) {
            sub->setWindowState(Qt::WindowMinimized);
            if ((p.flags & WindowPlacement::SetMinPosition) && p.minPosition.x() >= 0 && p.minPosition.y() >= 0)
                sub->move(Placement::keepReachable(QRect(p.minPosition, sub->size()), areas).topLeft());
        }
        return;
    }

    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    // A top-level window does not open minimised, where it is easily lost: it comes back
    // as it was before it was minimised.
    const bool maximize = p.showCmd == WindowPlacement::Maximized
                          || (p.showCmd == WindowPlacement::Minimized && (p.flags & WindowPlacement::RestoreToMaximized));
    if (m_window->windowState() & MinMax)
        m_window->setWindowState(m_window->windowState() & ~MinMax);
    if (p.normalRect.isValid())
        m_window->setGeometry(Placement::keepReachable(p.normalRect, areas));
    if (maximize)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void FormStorage::restoreLayouts()
{
    const QString section = layoutSection() + QLatin1Char('\\');
    for (FieldLayoutTarget *target : std::as_const(m_layoutTargets)) {
        const QString prefix = target->layoutKeyPrefix();
        QList<FieldLayout> fields = target->fieldLayouts();
        for (qsizetype i = 0; i < fields.size(); ++i) {
            FieldLayout &f = fields[i];
            f.position = int(i);
            const QString key = section + prefix + f.fieldName;
            if (!m_store.valueExists(key))
                continue;
            const QStringList parts = m_store.readString(key).split(QLatin1Char(','));
            bool ok = false;
            const int position = parts.value(0).trimmed().toInt(&ok);
            if (ok)
                f.position = position;
            const int width = parts.value(1).trimmed().toInt(&ok);
            if (ok && width >= 0)
                f.displayWidth = width;
        }
        // Stored positions may clash with current ones of fields the file does not know:
        // order by position, ties in current order, and hand over positions 0..n-1.
        QList<qsizetype> order(fields.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](qsizetype a, qsizetype b) { return fields[a].position < fields[b].position; });
        for (qsizetype rank = 0; rank < order.size(); ++rank)
            fields[order[rank]].position = int(rank);
        target->applyFieldLayouts(fields);
    }
}

void FormStorage::saveLayouts()
{
    const QString section = layoutSection() + QLatin1Char('\\');
    for (FieldLayoutTarget *target : std::as_const(m_layoutTargets)) {
        const QString prefix = target->layoutKeyPrefix();
        const QList<FieldLayout> fields = target->fieldLayouts();
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const FieldLayout &f = fields[i];
            m_store.writeString(section + prefix + f.fieldName, QStringLiteral("%1,%2,%3")
                                                                     .arg(i)
                                                                     .arg(f.displayWidth)
                                                                     .arg(f.visible ? 1 : 0));
        }
    }
}

// Lets the window decide on the close first, so that only a granted close saves.
bool FormStorage::closeWindow(QEvent *event)
{
    QPointer<FormStorage> self(this);
    QPointer<QWidget> window(m_window);
    m_closing = true;
    // QWidget::event is protected; through QObject it is the same virtual call Qt makes.
    static_cast<QObject *>(window.data())->event(event);
    if (!self)
        return true;
    m_closing = false;
    if (window && event->isAccepted())
        Guard::run([this] { save(); }, window);
    return true;
}

bool FormStorage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_windowObject && !m_window.isNull()) {
        switch (event->type()) {
        case QEvent::Show:
            watchSubWindow();
            if (!m_restored && !m_restoring) {
                QWidget *window = m_window;
                Guard::run([this] { restore(); }, window);
            }
            break;
        case QEvent::Close:
            if (!m_closing)
                return closeWindow(event);
            break;
        default:
            break;
        }
    } else if (watched == m_subWindow && m_subWindow) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (auto *sub = qobject_cast<QMdiSubWindow *>(watched); sub && !(sub->windowState() & MinMax))
                m_subNormalGeometry = sub->geometry();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
