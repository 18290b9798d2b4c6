// Qt links the focus window to the application, which tells the input
// method of every focus change in it, and unlinks it when another window
// takes the focus. A window closed while it has the focus loses its native
// window right after its close event, and the focus goes without the
// unlink. A window kept for the whole run and closed by the user again and
// again would gather one more link, and tell every focus change once more,
// at each close. Its accepted close drops the link; the next activation
// makes it again.
#pragma once

class QWidget;

namespace platform {

// Drops the focus links of a top-level window (nothing for a child widget
// or a window never shown).
void dropFocusLink(QWidget *window);

}  // namespace platform
