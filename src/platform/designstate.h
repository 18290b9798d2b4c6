// The state a window's constructor left in the window and its controls,
// taken once, so that a window can be started again from it without
// building its controls anew. The window registry takes it for every form
// before its first load and puts it back before every later load.
#pragma once

#include <cstddef>
#include <memory>

class QWidget;

namespace platform {

// What is kept, by control type (only values the program can change):
// - every control: enabled, explicitly hidden (not for windows of their
//   own), tool tip, style sheet;
// - the window: title, modality, minimized/maximized state, position and
//   size, the focus (the control that has it or gets it when the window is
//   shown; none when the constructor gave it to none);
// - labels: text; buttons: caption, checkable, checked; check boxes also
//   tri-state and the check state (grayed included); radio buttons also
//   when none of a group is on;
// - line edits: text, read-only, modified; combo boxes: the items (texts
//   and data), the selection, the edit text;
// - date and time edits: the date and time, the range; group boxes: title,
//   checkable, checked;
// - actions (menu items): text, enabled, checkable, checked, visible.
// The controls inside other controls (a combo box's list, a date edit's
// box, Qt's own parts named "qt_...") are their owners' business; a child
// Form is a window of its own and is left out. Controls made after the
// capture are left as they are; controls deleted since are skipped.
class DesignState {
public:
    DesignState();
    ~DesignState();
    DesignState(DesignState &&) noexcept;
    DesignState &operator=(DesignState &&) noexcept;

    static DesignState capture(QWidget *window);

    // Puts back every kept value that differs from the present one, with the
    // signals of the window, its controls, actions and button groups
    // blocked, so no handler runs. Cheap when little differs: a value is
    // compared before it is set.
    void restore() const;
    // The same for the controls and actions only: the window's title,
    // place, size and focus stay as they are now.
    void restoreControls() const;

    // How many controls and actions were taken (the window included).
    std::size_t size() const;

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

}  // namespace platform
