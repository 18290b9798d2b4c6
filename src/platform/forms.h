// Windows exist once each, are reached by name, are created and loaded on
// first touch and destroyed by an explicit unload. The order of loads and
// unloads matters (a load reads and writes files), so it is explicit here.
#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Base of every window of the program. A form's object name is its name.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const char *name, QWidget *parent = nullptr);

    // Runs once after construction, when the form is first touched.
    virtual void formLoad() {}
    // Asked before an unload. Return false to cancel it (the form stays).
    // fromCode is true when the program unloads the form, false when the
    // user closes it.
    virtual bool formQueryUnload(bool fromCode) { (void)fromCode; return true; }
    // Runs just before the form is destroyed.
    virtual void formUnload() {}

    // The user's close (title bar, Alt+F4) goes through formQueryUnload.
    void closeEvent(QCloseEvent *event) override;

    // Shows the form modeless (loading it when needed happens on touch).
    void showForm();
    // Unloads this form through the registry; false when it refused.
    bool unloadForm();
};

// The registry of forms: one instance each, by name.
class Forms {
public:
    using Factory = std::function<Form *()>;

    // Registers how a form is made. Call once per form at start-up.
    static void define(const std::string &name, Factory factory);

    // The form of this name: created and loaded on first touch. During its
    // load the form is already reachable (a load may touch itself).
    static Form &get(const std::string &name);
    template <class T> static T &get() { return static_cast<T &>(get(T::kName)); }

    static bool isLoaded(const std::string &name);
    template <class T> static bool isLoaded() { return isLoaded(T::kName); }

    // Runs the form's unload rule and destroys it. Nothing happens when it
    // is not loaded. Returns false when the form refused.
    static bool unload(const std::string &name, bool fromCode = true);
    template <class T> static bool unload() { return unload(T::kName); }

    // Unloads every loaded form, the last loaded first; used at program end
    // and between tests.
    static void unloadAll();

    // Names of the loaded forms, in load order.
    static std::vector<std::string> loaded();
    // Names of every defined form.
    static std::vector<std::string> defined();

private:
    friend class Form;
    static void destroyed(Form *form);
};

} // namespace platform
