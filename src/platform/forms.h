// Windows exist once each, are reached by name, are created and loaded on
// first touch and destroyed by an explicit unload. The order of loads and
// unloads matters (a load reads and writes files), so it is explicit here.
#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// Base of every window of the program. A form's object name is its name.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const char *name, QWidget *parent = nullptr);
    // A form destroyed other than by an unload (its parent deleted it)
    // leaves the registry.
    ~Form() override;

    // Runs once after construction, when the form is first touched.
    virtual void formLoad() {}
    // Asked before an unload. Return false to cancel it (the form stays).
    // fromCode is true when the program unloads the form, false when the
    // user closes it.
    virtual bool formQueryUnload(bool fromCode) { (void)fromCode; return true; }
    // Runs just before the form is destroyed.
    virtual void formUnload() {}

    // The user's close (title bar, Alt+F4, or close()) goes through
    // formQueryUnload(false): refused, the window stays open; accepted, the
    // form is unloaded at once (isLoaded() is false, get() makes a fresh one)
    // and the instance is deleted after the close event.
    void closeEvent(QCloseEvent *event) override;

    // Shows the form modeless and raises it (loading it when needed happens
    // on touch).
    void showForm();
    // Unloads this form through the registry; false when it refused. An
    // instance already unloaded does nothing (it never unloads a newer
    // instance of the same name).
    bool unloadForm();

    // Enter pressed in the window (and not taken by a box) presses its
    // default button; Esc presses its cancel button.
    void setDefaultButton(QAbstractButton *button) { defaultButton_ = button; }
    void setCancelButton(QAbstractButton *button) { cancelButton_ = button; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAbstractButton *defaultButton_ = nullptr;
    QAbstractButton *cancelButton_ = nullptr;
};

// get() of a form that was unloaded while its own load ran: there is no
// form to give.
struct FormUnloaded : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The registry of forms: one instance each, by name.
class Forms {
public:
    using Factory = std::function<Form *()>;

    // Registers how a form is made. Call once per form at start-up; defining
    // a name again replaces its factory.
    static void define(const std::string &name, Factory factory);

    // The form of this name: created and loaded on first touch. During its
    // load the form is already reachable (a load may touch itself, and a
    // load touching another form loads that one first). A load that throws
    // leaves no form behind. Throws std::out_of_range for a name never
    // defined, FormUnloaded when the form was unloaded during its own load.
    static Form &get(const std::string &name);
    template <class T> static T &get() { return static_cast<T &>(get(T::kName)); }

    // Never creates.
    static bool isLoaded(const std::string &name);
    template <class T> static bool isLoaded() { return isLoaded(T::kName); }

    // Runs the form's unload rule (formQueryUnload(fromCode), then
    // formUnload()) and destroys it at once. Nothing happens (true) when it
    // is not loaded. Returns false when the form refused. A request made
    // while the form's own unload handlers run is ignored; a form unloaded
    // during its own load is destroyed when that load returns.
    static bool unload(const std::string &name, bool fromCode = true);
    template <class T> static bool unload() { return unload(T::kName); }

    // Unloads every loaded form, the last loaded first, from code; used at
    // program end and between tests. A form that refuses is destroyed
    // anyway: at program end nothing may stay. Forms closed by the user and
    // still waiting for their deferred deletion are deleted too. When a
    // handler throws, the rest are still destroyed and the first exception
    // is rethrown.
    static void unloadAll();

    // Names of the loaded forms, in load order.
    static std::vector<std::string> loaded();
    // Names of every defined form.
    static std::vector<std::string> defined();

private:
    friend class Form;
    static void destroyed(Form *form);
    static bool unloadInstance(Form *form, bool fromCode, bool force, bool deferDelete);
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

} // namespace platform
