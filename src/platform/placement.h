// Where a window opens on the desktop, and how large it may be there. The
// rectangles here are frames: a window with the title bar and border the
// desktop draws around it. An area is what a screen leaves for windows (its
// available geometry: panels and docks taken off).
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>

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
// The frame to allow for around the window: its own once the desktop has
// told it, else that of `like` (another of the program's windows, on view),
// else about what a title bar and a border take.
QMargins expectedFrame(const QWidget *window, const QWidget *like);

// Where the top left corner of the window's frame is, and moving it there,
// given the frame the desktop puts around it. (Qt takes a position as the
// frame's before a window's first showing, and after it with the frame it
// knows of, which is none while the window is hidden on some desktops.)
QPoint frameTopLeft(const QWidget *window, const QMargins &frame);
void moveFrameTo(QWidget *window, const QPoint &topLeft, const QMargins &frame);

// Sizes a top-level window to `wanted`, at most `room`. A window that
// cannot be made that small (the least size of its layout, or controls
// placed by hand) first gets its content put into a scroll area, once:
// from then on its content scrolls where the window is too small for it,
// and the window takes room across a scroll bar, as far as `room` goes, so
// that the bar covers none of its content. Returns the size given.
QSize sizeWithin(QWidget *window, const QSize &wanted, const QSize &room);
// The scroll area sizeWithin() put into a window; nullptr when none.
QScrollArea *windowScrollArea(const QWidget *window);

// What keepWhole() needs of a window.
struct FrameRules {
    // The frame to allow for while the desktop has not told it.
    std::function<QMargins()> expectedFrame;
    // Makes the window no larger than `room`.
    std::function<void(const QSize &room)> cut;
};
// Keeps a top-level window whole, frame included, in the available area of
// its screen at the times the program answers for where it lies: once it is
// on view after an opening, wherever the desktop put it and with the frame
// the desktop gave it (known only then; where a desktop placed it may be
// told later still); and whenever the program resizes it on view. Where the
// user then moves or sizes it is his. Call it at each opening, before the
// window is shown.
void keepWhole(QWidget *window, FrameRules rules);
// True from such an opening of a window the program has not placed until
// the desktop has placed it and it is on view: till then it has no place of
// its own to keep or to move.
bool placingOnView(const QWidget *window);

}  // namespace platform
