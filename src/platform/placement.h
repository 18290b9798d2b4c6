// Where a window opens on the desktop, and how large it may be there. The
// rectangles here are frames: a window with the title bar and border the
// desktop draws around it. An area is what a screen leaves for windows (its
// available geometry: panels and docks taken off).
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QScrollArea;
class QWidget;

namespace platform {

// The frame moved the least way that puts it inside the area; a frame
// larger than the area is first cut to its size.
QRect keptInside(const QRect &frame, const QRect &area);
// A frame of this size centred over another window's frame (over the
// area's centre when `over` is empty), kept inside the area.
QRect centredOver(const QSize &frame, const QRect &over, const QRect &area);
// A frame of this size just below a box, left edges together; just above
// it when there is room only there; kept inside the area.
QRect besideBox(const QSize &frame, const QRect &box, const QRect &area);

// The available area of the screen that holds the point, or of the
// window's own screen when no screen does.
QRect availableAreaAt(const QPoint &point, const QWidget *window);
// What the desktop's frame adds to a window on each side: none until the
// window has been shown.
QMargins frameMargins(const QWidget *window);

// Where the top left corner of the window's frame is, and moving it there,
// given the frame the desktop puts around it. (Qt takes a position as the
// frame's before a window's first showing, and after it with the frame it
// knows of, which is none while the window is hidden on some desktops.)
QPoint frameTopLeft(const QWidget *window, const QMargins &frame);
void moveFrameTo(QWidget *window, const QPoint &topLeft, const QMargins &frame);

// Sizes a top-level window to `wanted`, at most `room`. A window that
// cannot be made that small (the least size of its layout, or controls
// placed by hand) first gets its content put into a scroll area, once:
// from then on its content scrolls where the window is too small for it.
// Returns the size given.
QSize sizeWithin(QWidget *window, const QSize &wanted, const QSize &room);
// The scroll area sizeWithin() put into a window; nullptr when none.
QScrollArea *windowScrollArea(const QWidget *window);

}  // namespace platform
