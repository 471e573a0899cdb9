#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class IniStore;

// A window's state, size and position as the settings file keeps them.
struct WindowPlacement
{
    enum ShowCmd { Normal = 1, Minimized = 2, Maximized = 3 };
    enum Flag {
        SetMinPosition = 1,      // a minimised MDI child: restore it at minPosition
        RestoreToMaximized = 2,  // a minimised window that was maximised before
    };

    int showCmd = Normal;
    int flags = 0;
    int pixelsPerInch = 96;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    QRect normalRect; // null when the file holds none; stored as left, top, right, bottom
};

// Reading and writing the placement keys of one group, and keeping a restored rectangle
// where the user can reach it.
namespace Placement {

// "(1920x1080)": appended directly to MinMaxPos and NormPos.
QString screenSuffix(const QSize &screen);

// "l,t,r,b" with right and bottom just outside the rectangle, and back; a text that is
// not four whole numbers describing a non-empty rectangle gives a null rectangle.
QString formatRect(const QRect &rect);
QRect parseRect(const QString &text);

// Writes ShowCmd, Flags, PixelsPerInch, MinMaxPos, MinMaxPos<suffix>, NormPos and
// NormPos<suffix> into the group (a storage path ending in a backslash).
void write(IniStore &store, const QString &storagePath, const WindowPlacement &placement,
           const QSize &screen);

// Reads them back, taking the suffixed form of MinMaxPos/NormPos for this screen size
// when present, else the plain one. Nothing when the group holds neither ShowCmd nor
// NormPos. A bad integer raises AppError as any integer read does.
std::optional<WindowPlacement> read(const IniStore &store, const QString &storagePath,
                                    const QSize &screen);

// Keeps a window reachable inside one of areas (screens' available rectangles, or the
// MDI area's viewport): a size larger than the area is shrunk, and a rectangle whose top
// edge is not inside the area with at least a grip's width showing is moved fully inside.
// The area chosen is the one the rectangle overlaps most, else the nearest one.
QRect keepReachable(const QRect &rect, const QList<QRect> &areas);

} // namespace Placement
