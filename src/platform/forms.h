// Windows exist once each, are reached by name, are loaded on first touch
// and unloaded explicitly. The order of loads and unloads matters (a load
// reads and writes files), so it is explicit here.
//
// A window's controls are built once per run: its constructor runs on the
// first touch, and what it left in the controls is kept as the window's
// design state (platform/designstate.h). An unload hides the window and
// marks it unloaded; the next load puts every control back to its design
// state (with no handler running) and then runs formLoad(), so a load sees
// what it would see in a window just built. The window's C++ object and its
// member fields live on: they keep their values from one load to the next.
// Forms::unloadAll() ends the run: it unloads and destroys every window.
//
// Every window opens inside the available area of its screen, no larger
// than that area (its content scrolls when it would need more), and lies
// there whole, frame included, once on view: wherever the desktop put it,
// and after the program resizes it. A dialog
// belongs to a window, the main window unless it says otherwise: the
// desktop keeps it above that window (it is transient for it), and its
// first opening after a load is centred over that window, or just below
// the box it serves. Other windows
// open where the desktop puts them. A window placed since its load (by the
// program, or by an opening and then the user) opens where it was.
#pragma once

#include <QAbstractButton>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// What a form is to the desktop.
enum class FormRole {
    Dialog,  // belongs to the main window
    Window,  // a window of its own, beside the main window
    Main,    // the main window (one per program)
};

// Base of every window of the program. A form's object name is its name.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const char *name, QWidget *parent = nullptr);
    // A form destroyed other than by Forms::unloadAll() (its parent deleted
    // it) leaves the registry; the next touch builds a new one.
    ~Form() override;

    // Runs at every load: the first touch, and the first touch after each
    // unload (the controls are back in their design state by then). Make
    // controls and signal connections in the constructor: made here, they
    // would be made again at every load.
    virtual void formLoad() {}
    // Asked before an unload. Return false to cancel it (the form stays).
    // fromCode is true when the program unloads the form, false when the
    // user closes it.
    virtual bool formQueryUnload(bool fromCode)
    {
        (void)fromCode;
        return true;
    }
    // Runs just before the form is unloaded (and hidden).
    virtual void formUnload() {}

    // The user's close (title bar, Alt+F4, or close()) goes through
    // formQueryUnload(false): refused, the window stays open; accepted, the
    // form is unloaded at once (hidden, isLoaded() is false, and the next
    // get() loads it again from its design state).
    void closeEvent(QCloseEvent *event) override;

    // Shows the form modeless and raises it (loading it when needed happens
    // on touch).
    void showForm();
    // Unloads this form through the registry; false when it refused. A form
    // not loaded does nothing.
    bool unloadForm();
    // Hides the form, still loaded with what its controls hold, and forgets
    // where it was: its next opening places it as the first after a load
    // does (a dialog over its owner).
    void hideAndForgetPlace();

    // Resizes the window, at most to its screen's available area (its
    // content scrolls when it cannot shrink that far); a window on view is
    // moved back inside the area when it would pass an edge.
    void resizeOnScreen(const QSize &size);

    // Every opening of the window (hidden to shown) sizes and places it
    // first, as the comment at the top of this file says.
    void setVisible(bool visible) override;

    // Enter pressed in the window (and not taken by a box) presses its
    // default button; Esc presses its cancel button.
    void setDefaultButton(QAbstractButton *button) { defaultButton_ = button; }
    void setCancelButton(QAbstractButton *button) { cancelButton_ = button; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The box a dialog serves, in global coordinates: the dialog opens just
    // below it. Empty (the default): it opens centred over its owner.
    virtual QRect openingBox() const { return {}; }
    // The window a dialog belongs to: transient for it, and opening over it.
    // By default the main window.
    virtual QWidget *ownerWindow() const;

private:
    friend class Forms;
    // The size the window asks for at its opening.
    QSize wantedSize();
    // Sizes the window to `wanted`, at most `room` (platform::sizeWithin).
    void fit(const QSize &wanted, const QSize &room);
    // Makes the window no larger than `room`, asking for what it asked for.
    void cutTo(const QSize &room);

    QAbstractButton *defaultButton_ = nullptr;
    QAbstractButton *cancelButton_ = nullptr;
    // Set while the window holds less than it asked for: the size it asked
    // for and the size it got.
    QSize wanted_, given_;
};

// get() of a form that was unloaded (or destroyed) while its own load ran:
// there is no form to give.
struct FormUnloaded : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The registry of forms: one instance each, by name.
class Forms {
public:
    using Factory = std::function<Form *()>;

    // Registers how a form is made. Call once per form at start-up; defining
    // a name again replaces its factory. A form defined is a dialog until
    // given another role.
    static void define(const std::string &name, Factory factory);
    // What the form is to the desktop; call it after define() and before
    // the form's first touch. The last form made Main is the main window.
    static void setRole(const std::string &name, FormRole role);

    // The form of this name, loaded: built on the first touch of the run,
    // put back to its design state on the first touch after an unload, then
    // loaded. During its load the form is already reachable (a load may
    // touch itself, and a load touching another form loads that one first).
    // A load that throws leaves the form unloaded (and hidden). Throws
    // std::out_of_range for a name never defined, FormUnloaded when the form
    // was unloaded during its own load; also for a touch of it while that
    // load still runs, since a form's load never runs inside itself.
    static Form &get(const std::string &name);
    template <class T> static T &get() { return static_cast<T &>(get(T::kName)); }

    // Never creates.
    static bool isLoaded(const std::string &name);
    template <class T> static bool isLoaded() { return isLoaded(T::kName); }

    // Runs the form's unload rule (formQueryUnload(fromCode), then
    // formUnload()), then hides it and marks it unloaded at once. Nothing
    // happens (true) when it is not loaded. Returns false when the form
    // refused. A request made while the form's own unload handlers run is
    // ignored.
    static bool unload(const std::string &name, bool fromCode = true);
    template <class T> static bool unload() { return unload(T::kName); }

    // The end of a run, at program end and between tests: unloads every
    // loaded form, the last loaded first, from code (a form that refuses is
    // unloaded anyway: at program end nothing may stay), then destroys every
    // form, loaded or not, so the next get() builds a new one with fresh
    // fields. A form whose own handler is running (unloadAll called from
    // it) is destroyed once that handler returns, or after its close event
    // for the user's close; an unload of it under way still runs to its
    // end, and once it is unloaded get() builds a new one. When a handler
    // throws, the rest are still unloaded and destroyed and the first
    // exception is rethrown.
    static void unloadAll();
    // Destroys every form without running any unload rule (the second half
    // of unloadAll()): for the program's very end, after the event loop,
    // where the rules have had their say or must not run. Busy forms go as
    // for unloadAll().
    static void destroyAll();

    // The main window once it has been built, else nullptr.
    static Form *mainWindow();

    // Names of the loaded forms, in load order.
    static std::vector<std::string> loaded();
    // Names of every defined form.
    static std::vector<std::string> defined();

private:
    friend class Form;
    static void destroyed(Form *form);
    // Makes a form's window ready to be shown: transient for its owner when
    // a dialog; sized and placed.
    static void opening(Form *form);
    static bool unloadInstance(Form *form, bool fromCode, bool force);
};

// A control of a form by its object name ("txtAmount(3)" for an element of
// a control array); nullptr when there is none of that type.
template <class T> T *control(QWidget *form, const QString &name)
{
    return form ? form->findChild<T *>(name) : nullptr;
}
template <class T> T *control(QWidget *form, const QString &name, int index)
{
    return control<T>(form, QStringLiteral("%1(%2)").arg(name).arg(index));
}

}  // namespace platform
