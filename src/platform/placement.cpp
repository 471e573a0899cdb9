#include "platform/placement.h"

#include "platform/inistore.h"

#include <QStringList>
#include <algorithm>

namespace Placement {

namespace {

// How much of a window's top edge must show for the user to take hold of it.
constexpr int Grip = 48;

bool parseInts(const QString &text, int count, QList<int> &out)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return false;
    out.clear();
    for (const QString &part : parts) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok)
            return false;
        out.append(v);
    }
    return true;
}

QString readScreenKey(const IniStore &store, const QString &path, const QString &suffix, bool &found)
{
    if (store.valueExists(path + suffix)) {
        found = true;
        return store.readString(path + suffix);
    }
    if (store.valueExists(path)) {
        found = true;
        return store.readString(path);
    }
    found = false;
    return QString();
}

} // namespace

QString screenSuffix(const QSize &screen)
{
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

QString formatRect(const QRect &rect)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.left())
        .arg(rect.top())
        .arg(rect.left() + rect.width())
        .arg(rect.top() + rect.height());
}

QRect parseRect(const QString &text)
{
    QList<int> v;
    if (!parseInts(text, 4, v) || v[2] <= v[0] || v[3] <= v[1])
        return QRect();
    return QRect(QPoint(v[0], v[1]), QSize(v[2] - v[0], v[3] - v[1]));
}

void write(IniStore &store, const QString &storagePath, const WindowPlacement &p, const QSize &screen)
{
    const QString suffix = screenSuffix(screen);
    const QString minMax = QStringLiteral("%1,%2,%3,%4")
                               .arg(p.minPosition.x())
                               .arg(p.minPosition.y())
                               .arg(p.maxPosition.x())
                               .arg(p.maxPosition.y());
    const QString norm = formatRect(p.normalRect);
    store.writeInteger(storagePath + QLatin1String("ShowCmd"), p.showCmd);
    store.writeInteger(storagePath + QLatin1String("Flags"), p.flags);
    store.writeInteger(storagePath + QLatin1String("PixelsPerInch"), p.pixelsPerInch);
    store.writeString(storagePath + QLatin1String("MinMaxPos"), minMax);
    store.writeString(storagePath + QLatin1String("MinMaxPos") + suffix, minMax);
    store.writeString(storagePath + QLatin1String("NormPos"), norm);
    store.writeString(storagePath + QLatin1String("NormPos") + suffix, norm);
}

std::optional<WindowPlacement> read(const IniStore &store, const QString &storagePath, const QSize &screen)
{
    const QString suffix = screenSuffix(screen);
    const QString showCmdPath = storagePath + QLatin1String("ShowCmd");
    bool normFound = false, minMaxFound = false;
    const QString norm = readScreenKey(store, storagePath + QLatin1String("NormPos"), suffix, normFound);
    const QString minMax = readScreenKey(store, storagePath + QLatin1String("MinMaxPos"), suffix, minMaxFound);
    if (!normFound && !store.valueExists(showCmdPath))
        return std::nullopt;

    WindowPlacement p;
    p.showCmd = store.readInteger(showCmdPath, WindowPlacement::Normal);
    p.flags = store.readInteger(storagePath + QLatin1String("Flags"), 0);
    p.pixelsPerInch = store.readInteger(storagePath + QLatin1String("PixelsPerInch"), 0);
    p.normalRect = parseRect(norm);
    QList<int> v;
    if (minMaxFound && parseInts(minMax, 4, v)) {
        p.minPosition = QPoint(v[0], v[1]);
        p.maxPosition = QPoint(v[2], v[3]);
    }
    return p;
}

QRect keepReachable(const QRect &rect, const QList<QRect> &areas)
{
    if (!rect.isValid() || areas.isEmpty())
        return rect;
    // The area the window overlaps most; failing that, the one nearest to it (a window
    // left below the second screen goes back onto the second screen).
    QRect area = areas.first();
    qint64 bestOverlap = 0;
    qint64 bestDistance = -1;
    for (const QRect &a : areas) {
        const QRect overlap = a.intersected(rect);
        const qint64 size = overlap.isValid() ? qint64(overlap.width()) * overlap.height() : 0;
        if (size > bestOverlap) {
            bestOverlap = size;
            area = a;
        }
        if (bestOverlap == 0) {
            const qint64 dx = std::max({0, a.left() - rect.right(), rect.left() - a.right()});
            const qint64 dy = std::max({0, a.top() - rect.bottom(), rect.top() - a.bottom()});
            const qint64 distance = dx * dx + dy * dy;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                area = a;
            }
        }
    }
    if (!area.isValid())
        return rect;

    QRect r = rect;
    const bool shrunk = r.width() > area.width() || r.height() > area.height();
    r.setSize(QSize(std::min(r.width(), area.width()), std::min(r.height(), area.height())));

    const int grip = std::min(Grip, r.width());
    const int overlapX = std::min(r.right(), area.right()) - std::max(r.left(), area.left()) + 1;
    const bool topReachable = r.top() >= area.top() && r.top() <= area.bottom() - std::min(Grip, r.height()) + 1;
    if (!shrunk && topReachable && overlapX >= grip)
        return r;

    r.moveLeft(std::clamp(r.left(), area.left(), area.left() + area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.top() + area.height() - r.height()));
    return r;
}

} // namespace Placement
