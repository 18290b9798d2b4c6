#include "platform/forms.h"

#include <QKeyEvent>

#include <QCloseEvent>
#include <QPointer>

#include <algorithm>
#include <exception>

namespace platform {

namespace {

// Querying and Unloading mark a form whose own unload handlers are running:
// a nested unload request for it is ignored.
enum class Phase { Loading, Loaded, Querying, Unloading };

struct Entry {
    std::string name;
    Form *form;
    Phase phase;
};

struct Registry {
    std::map<std::string, Forms::Factory> factories;
    std::vector<Entry> live; // in load order
    // Unloaded by the user's close; deleted after their close event.
    std::vector<QPointer<Form>> closed;
    // Inside their own close event right now: not to be deleted yet.
    std::vector<const Form *> closing;
};

Registry &reg()
{
    static Registry r;
    return r;
}

// Pointers into live do not survive a call that may load or unload forms.
Entry *byName(const std::string &name)
{
    auto &live = reg().live;
    auto it = std::find_if(live.begin(), live.end(), [&](const Entry &e) { return e.name == name; });
    return it == live.end() ? nullptr : &*it;
}

Entry *byForm(const Form *form)
{
    auto &live = reg().live;
    auto it = std::find_if(live.begin(), live.end(), [&](const Entry &e) { return e.form == form; });
    return it == live.end() ? nullptr : &*it;
}

void forget(const Form *form)
{
    auto &live = reg().live;
    live.erase(std::remove_if(live.begin(), live.end(), [&](const Entry &e) { return e.form == form; }), live.end());
}

bool inCloseEvent(const Form *form)
{
    const auto &c = reg().closing;
    return std::find(c.begin(), c.end(), form) != c.end();
}

} // namespace

Form::Form(const char *name, QWidget *parent) : QWidget(parent) { setObjectName(QString::fromUtf8(name)); }

Form::~Form() { Forms::destroyed(this); }

void Form::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton_ && defaultButton_->isEnabled()) {
        defaultButton_->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isEnabled()) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent *event)
{
    if (!byForm(this)) {
        event->accept(); // already unloaded
        return;
    }
    reg().closing.push_back(this);
    struct Leave {
        const Form *form;
        ~Leave()
        {
            auto &c = reg().closing;
            c.erase(std::find(c.begin(), c.end(), form));
        }
    } leave{this};
    event->ignore();
    event->setAccepted(Forms::unloadInstance(this, false, false, true));
}

void Form::showForm()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

bool Form::unloadForm() { return byForm(this) ? Forms::unloadInstance(this, true, false, false) : true; }

void Forms::define(const std::string &name, Factory factory) { reg().factories[name] = std::move(factory); }

Form &Forms::get(const std::string &name)
{
    if (Entry *e = byName(name))
        return *e->form;
    const auto it = reg().factories.find(name);
    if (it == reg().factories.end())
        throw std::out_of_range("no form named " + name + " is defined");
    const Factory make = it->second;
    Form *form = make();
    if (!form)
        throw std::logic_error("the factory of form " + name + " made no form");
    form->setObjectName(QString::fromStdString(name));
    // Reachable before its load runs, so the load may touch its own form.
    reg().live.push_back({name, form, Phase::Loading});
    QPointer<Form> alive(form);
    try {
        form->formLoad();
    } catch (...) {
        forget(form);
        delete alive.data();
        throw;
    }
    if (!alive)
        throw FormUnloaded("form " + name + " was destroyed during its load");
    Entry *e = byForm(form);
    if (!e) {
        // Its unload ran during the load; the deletion waited for the load.
        delete form;
        throw FormUnloaded("form " + name + " was unloaded during its load");
    }
    if (e->phase == Phase::Loading)
        e->phase = Phase::Loaded;
    return *form;
}

bool Forms::isLoaded(const std::string &name) { return byName(name) != nullptr; }

bool Forms::unload(const std::string &name, bool fromCode)
{
    Entry *e = byName(name);
    return e ? unloadInstance(e->form, fromCode, false, false) : true;
}

bool Forms::unloadInstance(Form *form, bool fromCode, bool force, bool deferDelete)
{
    Entry *e = byForm(form);
    if (!e)
        return true;
    if (e->phase == Phase::Querying)
        return false; // its own query decides
    if (e->phase == Phase::Unloading)
        return true; // already on its way out
    const Phase before = e->phase;
    e->phase = Phase::Querying;
    QPointer<Form> alive(form);
    std::exception_ptr error;
    bool accepted = false;
    try {
        accepted = form->formQueryUnload(fromCode);
    } catch (...) {
        error = std::current_exception();
    }
    e = alive ? byForm(form) : nullptr;
    if (!e) {
        if (error)
            std::rethrow_exception(error);
        return true;
    }
    if (!accepted && !force) {
        e->phase = before;
        if (error)
            std::rethrow_exception(error);
        return false;
    }
    e->phase = Phase::Unloading;
    try {
        form->formUnload();
    } catch (...) {
        if (!error)
            error = std::current_exception();
    }
    forget(form);
    // A form unloaded during its own load is deleted by get() once the
    // load returns; one in its close event once the event is over.
    if (alive && before != Phase::Loading) {
        if (deferDelete) {
            auto &closed = reg().closed;
            closed.erase(std::remove(closed.begin(), closed.end(), nullptr), closed.end());
            closed.push_back(form);
            form->deleteLater();
        } else {
            delete form;
        }
    }
    if (error)
        std::rethrow_exception(error);
    return true;
}

void Forms::unloadAll()
{
    std::exception_ptr first;
    for (;;) {
        const auto &live = reg().live;
        const auto next = std::find_if(live.rbegin(), live.rend(), [](const Entry &e) {
            return e.phase == Phase::Loaded || e.phase == Phase::Loading;
        });
        if (next == live.rend())
            break;
        Form *form = next->form;
        try {
            unloadInstance(form, true, true, inCloseEvent(form));
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    std::vector<QPointer<Form>> closed;
    closed.swap(reg().closed);
    for (const QPointer<Form> &form : closed) {
        if (!form)
            continue;
        if (inCloseEvent(form))
            reg().closed.push_back(form);
        else
            delete form.data();
    }
    if (first)
        std::rethrow_exception(first);
}

std::vector<std::string> Forms::loaded()
{
    std::vector<std::string> names;
    for (const Entry &e : reg().live)
        names.push_back(e.name);
    return names;
}

std::vector<std::string> Forms::defined()
{
    std::vector<std::string> names;
    for (const auto &[name, factory] : reg().factories)
        names.push_back(name);
    return names;
}

void Forms::destroyed(Form *form) { forget(form); }

} // namespace platform
