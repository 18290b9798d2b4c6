#include "platform/forms.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <exception>
#include <list>

#include "platform/designstate.h"
#include "platform/focuslink.h"
#include "platform/placement.h"

namespace platform {

namespace {

// Querying and Unloading mark a form whose own unload handlers are running:
// a nested unload request for it is ignored.
enum class Phase { Loading, Loaded, Querying, Unloading };

// A loaded form.
struct Entry {
    std::string name;
    Form *form;
    Phase phase;
};

// A form built in this run, loaded or not.
struct Made {
    std::string name;
    Form *form;
    DesignState design;
    int busy = 0;         // its load, unload handlers or close event running now
    int loading = 0;      // its load running now
    bool doomed = false;  // out of the registry, destroyed once no longer busy
};

struct Registry {
    std::map<std::string, Forms::Factory> factories;
    std::map<std::string, FormRole> roles;
    std::string mainName;     // the form defined as the main window
    std::vector<Entry> live;  // in load order
    std::list<Made> made;     // in build order
};

Registry &reg()
{
    static Registry r;
    return r;
}

// Pointers into live and made do not survive a call that may load, unload
// or destroy forms.
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

Made *madeFor(const Form *form)
{
    auto &made = reg().made;
    auto it = std::find_if(made.begin(), made.end(), [&](const Made &m) { return m.form == form; });
    return it == made.end() ? nullptr : &*it;
}

Made *madeByName(const std::string &name)
{
    auto &made = reg().made;
    auto it = std::find_if(made.begin(), made.end(), [&](const Made &m) { return m.name == name && !m.doomed; });
    return it == made.end() ? nullptr : &*it;
}

FormRole roleNamed(const std::string &name)
{
    const auto it = reg().roles.find(name);
    return it == reg().roles.end() ? FormRole::Dialog : it->second;
}

FormRole roleOf(const Form *form)
{
    const Made *m = madeFor(form);
    return m ? roleNamed(m->name) : FormRole::Dialog;
}

// The main window when it has been built.
Form *mainForm()
{
    const Made *m = reg().mainName.empty() ? nullptr : madeByName(reg().mainName);
    return m ? m->form : nullptr;
}

// The frame to allow for around the form: its own once the desktop has told
// it (only once the form is on view), else the main window's.
QMargins frameFor(const Form *form) { return expectedFrame(form, mainForm()); }

// Marks a form's handler as running, so that unloadAll() called from it
// destroys the form only once the handler has returned.
class Busy {
public:
    explicit Busy(Form *form, bool load = false, bool closeEvent = false)
        : form_(form), load_(load), closeEvent_(closeEvent)
    {
        if (Made *m = madeFor(form)) {
            ++m->busy;
            if (load_)
                ++m->loading;
        }
    }
    ~Busy()
    {
        Made *m = form_ ? madeFor(form_) : nullptr;
        if (!m)
            return;
        --m->busy;
        if (load_)
            --m->loading;
        if (m->busy > 0 || !m->doomed)
            return;
        // Qt still handles the close event after the handler returns.
        if (closeEvent_)
            form_->deleteLater();
        else
            delete form_.data();
    }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    QPointer<Form> form_;
    bool load_;
    bool closeEvent_;
};

}  // namespace

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
    if (byForm(this)) {
        Busy busy(this, false, true);
        event->ignore();
        event->setAccepted(Forms::unloadInstance(this, false, false));
    } else {
        event->accept();  // not loaded
    }
    if (event->isAccepted())
        dropFocusLink(this);
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

bool Form::unloadForm() { return byForm(this) ? Forms::unloadInstance(this, true, false) : true; }

void Form::hideAndForgetPlace()
{
    hide();
    // A window not placed since its load is placed at its opening.
    setAttribute(Qt::WA_Moved, false);
}

void Form::setVisible(bool visible)
{
    if (visible && isWindow() && !isVisible())
        Forms::opening(this);
    QWidget::setVisible(visible);
}

QSize Form::wantedSize()
{
    ensurePolished();
    if (QLayout *l = layout())
        l->activate();
    if (given_.isValid() && size() == given_)
        return wanted_;
    if (testAttribute(Qt::WA_Resized))
        return size();
    if (windowScrollArea(this))
        return sizeHint().expandedTo(minimumSize());
    // As Qt sizes a window shown unsized, which it stays.
    adjustSize();
    setAttribute(Qt::WA_Resized, false);
    return size();
}

void Form::fit(const QSize &wanted, const QSize &room)
{
    const QSize given = sizeWithin(this, wanted, room);
    wanted_ = given == wanted ? QSize() : wanted;
    given_ = given == wanted ? QSize() : given;
}

void Form::cutTo(const QSize &room) { fit(given_.isValid() && size() == given_ ? wanted_ : size(), room); }

void Form::resizeOnScreen(const QSize &size)
{
    if (!isWindow()) {
        resize(size);
        return;
    }
    const QRect area = availableAreaAt(frameGeometry().center(), this);
    const QMargins margins = frameFor(this);
    fit(size, area.size().shrunkBy(margins));
    // A hidden window is placed when it opens; one shown but not yet on view
    // is where the desktop has still to place it, and kept whole once there.
    if (!isVisible() || placingOnView(this))
        return;
    const QRect frame(frameTopLeft(this, margins), this->size().grownBy(margins));
    const QRect inside = keptInside(frame, area);
    if (inside.topLeft() != frame.topLeft())
        moveFrameTo(this, inside.topLeft(), margins);
}

QWidget *Form::ownerWindow() const { return mainForm(); }

void Forms::opening(Form *form)
{
    const bool dialog = roleOf(form) == FormRole::Dialog;
    QWidget *owner = dialog && form->ownerWindow() ? form->ownerWindow()->window() : nullptr;
    if (owner == form)
        owner = nullptr;
    const QRect box = dialog ? form->openingBox() : QRect();
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : QRect();
    const QPoint at = !box.isEmpty()              ? box.center()
                      : dialog && !over.isEmpty() ? over.center()
                                                  : form->frameGeometry().center();
    const QRect area = availableAreaAt(at, form);
    const QMargins margins = frameFor(form);
    form->fit(form->wantedSize(), area.size().shrunkBy(margins));
    const QSize frame = form->size().grownBy(margins);
    if (form->testAttribute(Qt::WA_Moved)) {
        // Placed since its load (by the program, or at an opening and then
        // perhaps by the user): it stays there.
        moveFrameTo(form, keptInside(QRect(frameTopLeft(form, margins), frame), area).topLeft(), margins);
    } else if (dialog) {
        const QRect place = box.isEmpty() ? centredOver(frame, over, area) : besideBox(frame, box, area);
        moveFrameTo(form, place.topLeft(), margins);
    }
    // Else the desktop places it, as it does a new window. Wherever it lies
    // once on view (a desktop may put even a dialog elsewhere, or give it
    // another frame than the one allowed for), it is kept whole in the area.
    keepWhole(form, {[form] { return frameFor(form); }, [form](const QSize &room) { form->cutTo(room); }});
    if (owner && owner->windowHandle()) {
        // The desktop keeps a dialog above its owner, minimizes it with it,
        // and does not list it as a window of its own.
        form->winId();
        form->windowHandle()->setTransientParent(owner->windowHandle());
    }
}

void Forms::define(const std::string &name, Factory factory)
{
    reg().factories[name] = std::move(factory);
    setRole(name, FormRole::Dialog);
}

void Forms::setRole(const std::string &name, FormRole role)
{
    Registry &r = reg();
    r.roles[name] = role;
    if (role == FormRole::Main)
        r.mainName = name;
    else if (r.mainName == name)
        r.mainName.clear();
}

Form &Forms::get(const std::string &name)
{
    if (Entry *e = byName(name))
        return *e->form;
    Form *form = nullptr;
    if (Made *m = madeByName(name)) {
        if (m->loading > 0)
            throw FormUnloaded("form " + name + " was unloaded during its load, which still runs");
        form = m->form;
        m->design.restore();
    } else {
        const auto it = reg().factories.find(name);
        if (it == reg().factories.end())
            throw std::out_of_range("no form named " + name + " is defined");
        const Factory make = it->second;
        form = make();
        if (!form)
            throw std::logic_error("the factory of form " + name + " made no form");
        form->setObjectName(QString::fromStdString(name));
        // Only a dialog's window type makes the desktop keep it with the
        // window it is transient for.
        if (roleNamed(name) == FormRole::Dialog && form->windowType() == Qt::Window)
            form->setWindowFlags((form->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        try {
            reg().made.push_back({name, form, DesignState::capture(form)});
        } catch (...) {
            delete form;
            throw;
        }
    }
    // Reachable before its load runs, so the load may touch its own form.
    reg().live.push_back({name, form, Phase::Loading});
    QPointer<Form> alive(form);
    try {
        Busy busy(form, true);
        form->formLoad();
    } catch (...) {
        if (alive && byForm(form)) {
            forget(form);
            form->hide();
        }
        throw;
    }
    if (!alive)
        throw FormUnloaded("form " + name + " was destroyed during its load");
    Entry *e = byForm(form);
    if (!e)
        throw FormUnloaded("form " + name + " was unloaded during its load");
    if (e->phase == Phase::Loading)
        e->phase = Phase::Loaded;
    return *form;
}

bool Forms::isLoaded(const std::string &name) { return byName(name) != nullptr; }

bool Forms::unload(const std::string &name, bool fromCode)
{
    Entry *e = byName(name);
    return e ? unloadInstance(e->form, fromCode, false) : true;
}

bool Forms::unloadInstance(Form *form, bool fromCode, bool force)
{
    Entry *e = byForm(form);
    if (!e)
        return true;
    if (e->phase == Phase::Querying)
        return false;  // its own query decides
    if (e->phase == Phase::Unloading)
        return true;  // already on its way out
    const Phase before = e->phase;
    e->phase = Phase::Querying;
    QPointer<Form> alive(form);
    Busy busy(form);
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
    if (alive && byForm(form)) {
        forget(form);
        form->hide();
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
        try {
            unloadInstance(next->form, true, true);
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    destroyAll();
    if (first)
        std::rethrow_exception(first);
}

void Forms::destroyAll()
{
    // The last built first.
    std::vector<QPointer<Form>> all;
    for (auto it = reg().made.rbegin(); it != reg().made.rend(); ++it)
        all.emplace_back(it->form);
    for (const QPointer<Form> &form : all) {
        Made *m = form ? madeFor(form) : nullptr;
        if (!m)
            continue;
        // One whose own handler called this goes once the handler returns
        // (an unload under way still runs to its end).
        if (m->busy > 0) {
            m->doomed = true;
            continue;
        }
        delete form.data();
    }
}

Form *Forms::mainWindow() { return mainForm(); }

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

void Forms::destroyed(Form *form)
{
    forget(form);
    reg().made.remove_if([form](const Made &m) { return m.form == form; });
}

}  // namespace platform
