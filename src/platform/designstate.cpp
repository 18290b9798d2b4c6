#include "platform/designstate.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <variant>
#include <vector>

#include "platform/forms.h"

namespace platform {

namespace {

struct LabelState {
    QString text;
};

struct ButtonState {
    QString text;
    bool checkable;
    bool checked;
    bool checkBox;  // a QCheckBox: its check state says it all
    bool tristate;
    Qt::CheckState state;
};

struct LineEditState {
    QString text;
    bool readOnly;
    bool modified;
};

struct ComboState {
    QStringList texts;
    QVariantList data;
    int current;
    bool editable;
    QString editText;
};

struct DateState {
    QDateTime value;
    QDateTime min;
    QDateTime max;
    QString shown;
};

struct GroupState {
    QString title;
    bool checkable;
    bool checked;
};

using Kind = std::variant<std::monostate, LabelState, ButtonState, LineEditState, ComboState, DateState, GroupState>;

struct Control {
    QPointer<QWidget> widget;
    bool window;    // a window of its own: shown and hidden by its owner
    bool disabled;  // disabled itself, not through a disabled parent
    bool hidden;    // hidden itself
    QString toolTip;
    QString styleSheet;
    Kind kind;
};

struct ActionState {
    QPointer<QAction> action;
    QString text;
    bool enabled;
    bool checkable;
    bool checked;
    bool visible;
};

struct WindowState {
    QString title;
    Qt::WindowModality modality;
    Qt::WindowStates states;
    QPoint pos;
    QSize size;
    bool moved;    // placed by the program
    bool resized;  // sized by the program
    QPointer<QWidget> focus;
};

Kind kindOf(QWidget *w)
{
    if (auto *box = qobject_cast<QComboBox *>(w)) {
        ComboState s{
            {}, {}, box->currentIndex(), box->isEditable(), box->isEditable() ? box->currentText() : QString()};
        for (int i = 0; i < box->count(); ++i) {
            s.texts << box->itemText(i);
            s.data << box->itemData(i);
        }
        return s;
    }
    if (auto *date = qobject_cast<QDateTimeEdit *>(w))
        return DateState{date->dateTime(), date->minimumDateTime(), date->maximumDateTime(), date->text()};
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return LineEditState{edit->text(), edit->isReadOnly(), edit->isModified()};
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        const auto *box = qobject_cast<QCheckBox *>(w);
        return ButtonState{button->text(), button->isCheckable(),    button->isChecked(),
                           box != nullptr, box && box->isTristate(), box ? box->checkState() : Qt::Unchecked};
    }
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return GroupState{group->title(), group->isCheckable(), group->isChecked()};
    if (auto *label = qobject_cast<QLabel *>(w))
        return LabelState{label->text()};
    return std::monostate{};
}

// Controls whose children are their own parts.
bool compound(QWidget *w)
{
    return qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
           qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w) || qobject_cast<QAbstractSlider *>(w) ||
           qobject_cast<QProgressBar *>(w) || qobject_cast<QTabBar *>(w) || qobject_cast<QCalendarWidget *>(w) ||
           (qobject_cast<QAbstractScrollArea *>(w) && !qobject_cast<QScrollArea *>(w));
}

}  // namespace

struct DesignState::Data {
    QPointer<QWidget> window;
    WindowState win;
    std::vector<Control> controls;  // the window first, parents before children
    std::vector<ActionState> actions;
    std::vector<QPointer<QObject>> groups;  // button and action groups

    void add(QWidget *w)
    {
        controls.push_back({w, w->isWindow(), w->testAttribute(Qt::WA_ForceDisabled), !w->isWindow() && w->isHidden(),
                            w->toolTip(), w->styleSheet(), kindOf(w)});
    }

    void addAction(QAction *a)
    {
        actions.push_back({a, a->text(), a->isEnabled(), a->isCheckable(), a->isChecked(), a->isVisible()});
    }

    void visit(QWidget *w)
    {
        add(w);
        if (auto *area = qobject_cast<QScrollArea *>(w)) {
            // Its page sits in Qt's own viewport.
            if (area->widget() && !qobject_cast<Form *>(area->widget()))
                visit(area->widget());
            return;
        }
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (QWidget *page = tabs->widget(i))
                    visit(page);
            return;
        }
        // A tool bar's buttons follow its actions.
        if (qobject_cast<QToolBar *>(w)) {
            walk(w, true);
            return;
        }
        if (!compound(w))
            walk(w, false);
    }

    void walk(QObject *node, bool actionsOnly)
    {
        for (QObject *child : node->children()) {
            if (auto *a = qobject_cast<QAction *>(child)) {
                addAction(a);
                continue;
            }
            if (qobject_cast<QButtonGroup *>(child)) {
                groups.push_back(child);
                continue;
            }
            if (auto *g = qobject_cast<QActionGroup *>(child)) {
                groups.push_back(g);
                walk(g, true);
                continue;
            }
            auto *w = qobject_cast<QWidget *>(child);
            if (actionsOnly || !w || qobject_cast<Form *>(w) || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            visit(w);
        }
    }

    // Runs `put` with the signals of the window, its controls, actions and
    // groups blocked: a restore must not look like a user's or a handler's
    // change.
    template <class Put> void withSignalsBlocked(Put put) const;
    void restoreWindow() const;
    void restoreControls() const;
    void restoreChecks() const;
    void restoreActions() const;
    void restoreFocus() const;
};

DesignState::DesignState() = default;
DesignState::~DesignState() = default;
DesignState::DesignState(DesignState &&) noexcept = default;
DesignState &DesignState::operator=(DesignState &&) noexcept = default;

DesignState DesignState::capture(QWidget *window)
{
    DesignState state;
    if (!window)
        return state;
    state.d_ = std::make_unique<Data>();
    Data &d = *state.d_;
    d.window = window;
    d.win = {window->windowTitle(),
             window->windowModality(),
             window->windowState(),
             window->pos(),
             window->size(),
             window->testAttribute(Qt::WA_Moved),
             window->testAttribute(Qt::WA_Resized),
             window->focusWidget()};
    d.add(window);
    d.walk(window, false);
    return state;
}

std::size_t DesignState::size() const { return d_ ? d_->controls.size() + d_->actions.size() : 0; }

namespace {

void restoreCommon(const Control &c)
{
    QWidget *w = c.widget;
    if (w->styleSheet() != c.styleSheet)
        w->setStyleSheet(c.styleSheet);
    if (w->testAttribute(Qt::WA_ForceDisabled) != c.disabled)
        w->setEnabled(!c.disabled);
    if (!c.window && w->isHidden() != c.hidden)
        w->setVisible(!c.hidden);
    if (w->toolTip() != c.toolTip)
        w->setToolTip(c.toolTip);
}

struct RestoreKind {
    QWidget *w;
    void operator()(std::monostate) const {}
    void operator()(const LabelState &s) const
    {
        auto *label = static_cast<QLabel *>(w);
        if (label->text() != s.text)
            label->setText(s.text);
    }
    void operator()(const ButtonState &s) const
    {
        // The check states follow once every caption is back.
        auto *button = static_cast<QAbstractButton *>(w);
        if (button->text() != s.text)
            button->setText(s.text);
        if (button->isCheckable() != s.checkable)
            button->setCheckable(s.checkable);
    }
    void operator()(const LineEditState &s) const
    {
        auto *edit = static_cast<QLineEdit *>(w);
        if (edit->text() != s.text)
            edit->setText(s.text);
        if (edit->isReadOnly() != s.readOnly)
            edit->setReadOnly(s.readOnly);
        if (edit->isModified() != s.modified)
            edit->setModified(s.modified);
    }
    void operator()(const ComboState &s) const
    {
        auto *box = static_cast<QComboBox *>(w);
        bool same = box->count() == s.texts.size();
        for (int i = 0; same && i < box->count(); ++i)
            same = box->itemText(i) == s.texts[i] && box->itemData(i) == s.data[i];
        if (!same) {
            box->clear();
            for (qsizetype i = 0; i < s.texts.size(); ++i)
                box->addItem(s.texts[i], s.data[i]);
        }
        if (box->currentIndex() != s.current)
            box->setCurrentIndex(s.current);
        if (s.editable && box->isEditable() && box->currentText() != s.editText)
            box->setEditText(s.editText);
    }
    void operator()(const DateState &s) const
    {
        auto *edit = static_cast<QDateTimeEdit *>(w);
        // The range first: setting it may move the date.
        if (edit->minimumDateTime() != s.min || edit->maximumDateTime() != s.max)
            edit->setDateTimeRange(s.min, s.max);
        // Setting the same date also puts back a half-typed text.
        if (edit->dateTime() != s.value || edit->text() != s.shown)
            edit->setDateTime(s.value);
    }
    void operator()(const GroupState &s) const
    {
        auto *group = static_cast<QGroupBox *>(w);
        if (group->title() != s.title)
            group->setTitle(s.title);
        if (group->isCheckable() != s.checkable)
            group->setCheckable(s.checkable);
        if (s.checkable && group->isChecked() != s.checked)
            group->setChecked(s.checked);
    }
};

// The last button on in an exclusive group cannot be put off directly.
void putOff(QAbstractButton *button)
{
    if (QButtonGroup *group = button->group(); group && group->exclusive()) {
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    } else if (!button->group() && button->autoExclusive()) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    } else {
        button->setChecked(false);
    }
}

}  // namespace

void DesignState::Data::restoreWindow() const
{
    QWidget *w = window;
    if (w->windowTitle() != win.title)
        w->setWindowTitle(win.title);
    if (w->windowModality() != win.modality)
        w->setWindowModality(win.modality);
    if (w->windowState() != win.states)
        w->setWindowState(win.states);
    // A window the constructor did not size or place is sized by its
    // layout and placed by the desktop when shown, as a new one would be.
    if (win.resized) {
        if (w->size() != win.size)
            w->resize(win.size);
    } else if (w->testAttribute(Qt::WA_Resized)) {
        w->resize(win.size);
        w->setAttribute(Qt::WA_Resized, false);
    }
    if (win.moved) {
        if (w->pos() != win.pos)
            w->move(win.pos);
    } else if (w->testAttribute(Qt::WA_Moved)) {
        w->move(win.pos);
        w->setAttribute(Qt::WA_Moved, false);
    }
}

void DesignState::Data::restoreChecks() const
{
    // First what must be on (a radio button put on puts its group's others
    // off), then what must still be put off.
    for (const bool on : {true, false}) {
        for (const Control &c : controls) {
            const auto *s = std::get_if<ButtonState>(&c.kind);
            if (!s || !c.widget)
                continue;
            if (s->checkBox) {
                if (on) {
                    auto *box = static_cast<QCheckBox *>(c.widget.data());
                    if (box->isTristate() != s->tristate)
                        box->setTristate(s->tristate);
                    if (box->checkState() != s->state)
                        box->setCheckState(s->state);
                }
                continue;
            }
            auto *button = static_cast<QAbstractButton *>(c.widget.data());
            if (!button->isCheckable() || s->checked != on || button->isChecked() == on)
                continue;
            if (on)
                button->setChecked(true);
            else
                putOff(button);
        }
    }
}

void DesignState::Data::restoreActions() const
{
    std::vector<QActionGroup *> regroup;
    for (const ActionState &s : actions) {
        QAction *a = s.action;
        if (!a)
            continue;
        if (a->text() != s.text)
            a->setText(s.text);
        if (a->isCheckable() != s.checkable)
            a->setCheckable(s.checkable);
        if (a->isEnabled() != s.enabled)
            a->setEnabled(s.enabled);
        if (a->isVisible() != s.visible)
            a->setVisible(s.visible);
        if (a->isChecked() != s.checked) {
            a->setChecked(s.checked);
            if (QActionGroup *g = a->actionGroup(); g && std::find(regroup.begin(), regroup.end(), g) == regroup.end())
                regroup.push_back(g);
        }
    }
    // An action group follows its actions' checks through their signals,
    // which were blocked: joining them again makes it read them afresh.
    for (QActionGroup *g : regroup) {
        const QList<QAction *> members = g->actions();
        for (QAction *a : members)
            g->removeAction(a);
        for (QAction *a : members)
            g->addAction(a);
    }
}

void DesignState::Data::restoreFocus() const
{
    QWidget *now = window->focusWidget();
    QWidget *wanted = win.focus;
    if (now == wanted)
        return;
    if (wanted)
        wanted->setFocus(Qt::OtherFocusReason);
    // None given by the constructor: the window picks its first control
    // when it is shown, as a new one does.
    if (now && window->focusWidget() == now)
        now->clearFocus();
}

template <class Put> void DesignState::Data::withSignalsBlocked(Put put) const
{
    std::vector<std::pair<QPointer<QObject>, bool>> blocked;
    blocked.reserve(controls.size() + actions.size() + groups.size());
    auto block = [&blocked](QObject *o) {
        if (o)
            blocked.emplace_back(o, o->blockSignals(true));
    };
    for (const Control &c : controls)
        block(c.widget);
    for (const ActionState &a : actions)
        block(a.action);
    for (const QPointer<QObject> &g : groups)
        block(g);
    put();
    for (auto it = blocked.rbegin(); it != blocked.rend(); ++it)
        if (it->first)
            it->first->blockSignals(it->second);
}

void DesignState::Data::restoreControls() const
{
    for (const Control &c : controls) {
        if (!c.widget)
            continue;
        restoreCommon(c);
        std::visit(RestoreKind{c.widget}, c.kind);
    }
    restoreChecks();
    restoreActions();
}

void DesignState::restore() const
{
    if (!d_ || !d_->window)
        return;
    d_->withSignalsBlocked([this] {
        d_->restoreWindow();
        d_->restoreControls();
        d_->restoreFocus();
    });
}

void DesignState::restoreControls() const
{
    if (!d_ || !d_->window)
        return;
    d_->withSignalsBlocked([this] { d_->restoreControls(); });
}

}  // namespace platform
