#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/ui.h"

namespace {

using platform::Form;
using platform::Forms;

// What each test form does in its handlers, by form name.
struct Hooks {
    std::function<void(Form &)> load;
    std::function<bool(Form &, bool fromCode)> query;
    std::function<void(Form &)> unload;
};
std::map<std::string, Hooks> hooks;
std::vector<std::string> events;
int made = 0;
int alive = 0;
// Forms outlive a test body (TearDown unloads them), so hooks read globals.
bool refusing = false;

class TestForm : public Form {
public:
    explicit TestForm(const char *name) : Form(name), serial(++made), name_(name), hooks_(hooks[name]) { ++alive; }
    ~TestForm() override { --alive; }
    void formLoad() override
    {
        events.push_back("load " + name_);
        if (hooks_.load)
            hooks_.load(*this);
    }
    bool formQueryUnload(bool fromCode) override
    {
        events.push_back("query " + name_ + (fromCode ? " code" : " user"));
        return hooks_.query ? hooks_.query(*this, fromCode) : true;
    }
    void formUnload() override
    {
        events.push_back("unload " + name_);
        if (hooks_.unload)
            hooks_.unload(*this);
    }
    const int serial;
    int uses = 0;  // a field of the form, outside its controls

private:
    std::string name_;
    Hooks hooks_;
};

using Events = std::vector<std::string>;

// Every form the tests made is gone at the end of each test.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hooks.clear();
        events.clear();
        alive = 0;
        refusing = false;
        for (const char *name : {"A", "B", "C"})
            Forms::define(name, [name] { return new TestForm(name); });
    }
    void TearDown() override
    {
        platform::Ui::setScripted(true);
        platform::Ui::reset();
        Forms::unloadAll();
        EXPECT_TRUE(Forms::loaded().empty());
        EXPECT_EQ(alive, 0) << "a form outlived unloadAll";
    }
};

TEST_F(FormsTest, LoadsNestAndAreListedInLoadOrder)
{
    hooks["A"].load = [](Form &) { Forms::get("B"); };
    hooks["B"].load = [](Form &) {
        EXPECT_TRUE(Forms::isLoaded("A")) << "a form is reachable while its load runs";
        Forms::get("C");
    };
    Forms::get("A");
    EXPECT_EQ(events, (Events{"load A", "load B", "load C"}));
    EXPECT_EQ(Forms::loaded(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(alive, 3);

    // Touching again neither makes nor loads anything.
    Forms::get("B");
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(FormsTest, ALoadThatTouchesItsOwnFormGetsTheSameInstance)
{
    Form *seen = nullptr;
    hooks["A"].load = [&](Form &self) {
        seen = &Forms::get("A");
        EXPECT_EQ(seen, &self);
    };
    Form &a = Forms::get("A");
    EXPECT_EQ(seen, &a);
    EXPECT_EQ(alive, 1);
}

TEST_F(FormsTest, IsLoadedNeverCreatesAndUnknownNamesThrow)
{
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(Forms::unload("A")) << "unloading a form not loaded does nothing";
    EXPECT_TRUE(events.empty());
    EXPECT_THROW(Forms::get("Nowhere"), std::out_of_range);
    const auto names = Forms::defined();
    for (const char *name : {"A", "B", "C"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST_F(FormsTest, ARefusedUnloadKeepsTheFormAndAnAcceptedOneUnloadsItAtOnce)
{
    refusing = true;
    hooks["A"].query = [](Form &, bool) { return !refusing; };
    QPointer<Form> a = &Forms::get("A");
    a->showForm();
    events.clear();

    EXPECT_FALSE(Forms::unload("A"));
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(events, (Events{"query A code"}));

    refusing = false;
    EXPECT_TRUE(a->unloadForm());
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_FALSE(a->isVisible()) << "hidden without waiting for the event loop";
    EXPECT_FALSE(a.isNull()) << "kept for the next load";
    EXPECT_EQ(events, (Events{"query A code", "query A code", "unload A"}));
    EXPECT_TRUE(a->unloadForm()) << "a form not loaded does nothing";
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(FormsTest, GetAfterUnloadLoadsTheSameFormAgainWithItsFields)
{
    const int before = made;
    auto &first = static_cast<TestForm &>(Forms::get("A"));
    first.uses = 5;
    ASSERT_TRUE(Forms::unload("A"));
    EXPECT_FALSE(Forms::isLoaded("A")) << "asking does not load it";
    EXPECT_EQ(events, (Events{"load A", "query A code", "unload A"}));
    auto &second = static_cast<TestForm &>(Forms::get("A"));
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.uses, 5) << "a form's fields live for the whole run";
    EXPECT_EQ(events, (Events{"load A", "query A code", "unload A", "load A"}));
    EXPECT_EQ(made, before + 1);
    EXPECT_EQ(alive, 1);
}

TEST_F(FormsTest, TheUsersCloseGoesThroughTheSameRule)
{
    refusing = true;
    hooks["A"].query = [](Form &, bool) { return !refusing; };
    QPointer<Form> a = &Forms::get("A");
    a->showForm();
    ASSERT_TRUE(a->isVisible());
    events.clear();

    EXPECT_FALSE(a->close());
    EXPECT_TRUE(a->isVisible());
    EXPECT_TRUE(Forms::isLoaded("A"));

    refusing = false;
    EXPECT_TRUE(a->close());
    EXPECT_EQ(events, (Events{"query A user", "query A user", "unload A"}));
    EXPECT_FALSE(Forms::isLoaded("A")) << "out of the registry as soon as the close is accepted";
    EXPECT_FALSE(a->isVisible());

    // Nothing waits for the event loop: the next touch loads the same form.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(a.isNull());
    EXPECT_EQ(&Forms::get("A"), a.data());
    EXPECT_EQ(events.back(), "load A");
    EXPECT_EQ(alive, 1);
}

// The application hears of every focus change in the active window, for the
// input method. A form the user has closed and opened again, as often as he
// likes, still tells it once per change.
TEST_F(FormsTest, AFormClosedAndOpenedAgainTellsTheApplicationOfAFocusChangeOnce)
{
    Form &a = Forms::get("A");
    auto *first = new QLineEdit(&a);
    auto *second = new QLineEdit(&a);
    second->move(0, 40);
    for (int i = 0; i < 3; ++i) {
        Forms::get("A").showForm();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
        ASSERT_TRUE(a.close());
    }
    Forms::get("A").showForm();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    first->setFocus();

    int told = 0;
    QObject counter;
    QObject::connect(qApp, &QGuiApplication::focusObjectChanged, &counter, [&](QObject *now) {
        EXPECT_EQ(now, second);
        ++told;
    });
    second->setFocus();
    EXPECT_EQ(told, 1);
}

TEST_F(FormsTest, AFormClosedByTheUserIsDestroyedByUnloadAll)
{
    QPointer<Form> a = &Forms::get("A");
    ASSERT_TRUE(a->close());
    ASSERT_FALSE(a.isNull());
    Forms::unloadAll();
    EXPECT_TRUE(a.isNull());
}

TEST_F(FormsTest, AModalFormItsScriptLeftOpenIsClosedAsByTheUser)
{
    using platform::Ui;
    hooks["A"].query = [](Form &, bool) { return !refusing; };
    Ui::script(Ui::ModalAction([](QWidget *) {}));
    Ui::showModal(&Forms::get("A"));
    EXPECT_EQ(events, (Events{"load A", "query A user", "unload A"}));
    EXPECT_FALSE(Forms::isLoaded("A"));

    refusing = true;
    Ui::script(Ui::ModalAction([](QWidget *) {}));
    Form &a = Forms::get("A");
    Ui::showModal(&a);
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_FALSE(a.isVisible()) << "hidden, so nothing waits for it";
}

TEST_F(FormsTest, TheUserClosingARealModalFormEndsTheWait)
{
    platform::Ui::setScripted(false);
    QPointer<Form> a = &Forms::get("A");
    QTimer::singleShot(0, [a] {
        EXPECT_EQ(QApplication::activeModalWidget(), a.data());
        if (a)
            a->close();  // the title bar's close button
    });
    platform::Ui::showModal(a);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(events, (Events{"load A", "query A user", "unload A"}));
    ASSERT_FALSE(a.isNull());
    EXPECT_FALSE(a->isVisible());

    // Loaded again, it is a window like a new one: not modal until shown so,
    // and the wait ends again when the user closes it.
    Form &again = Forms::get("A");
    EXPECT_EQ(&again, a.data());
    EXPECT_EQ(again.windowModality(), Qt::NonModal);
    EXPECT_FALSE(again.isVisible());
    QTimer::singleShot(0, [a] {
        EXPECT_EQ(QApplication::activeModalWidget(), a.data());
        if (a)
            a->close();
    });
    platform::Ui::showModal(&again);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(events, (Events{"load A", "query A user", "unload A", "load A", "query A user", "unload A"}));
}

TEST_F(FormsTest, UnloadRequestsFromInsideTheFormsOwnHandlersAreSafe)
{
    // From its own query: ignored, the query's answer decides.
    hooks["A"].query = [](Form &, bool) {
        EXPECT_FALSE(Forms::unload("A"));
        return false;
    };
    // From its own unload: ignored, the unload already runs.
    hooks["B"].unload = [](Form &self) { EXPECT_TRUE(self.unloadForm()); };
    Forms::get("A");
    Forms::get("B");
    events.clear();
    EXPECT_FALSE(Forms::unload("A"));
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_TRUE(Forms::unload("B"));
    EXPECT_EQ(events, (Events{"query A code", "query B code", "unload B"}));

    // A button of the form that unloads it, as a Close button does.
    Form &c = Forms::get("C");
    auto *button = new QPushButton(&c);
    QObject::connect(button, &QPushButton::clicked, &c, [&c] { c.unloadForm(); });
    button->click();
    EXPECT_FALSE(Forms::isLoaded("C"));
}

TEST_F(FormsTest, AFormUnloadedDuringItsOwnLoadIsNotGiven)
{
    refusing = true;  // here: the load unloads its own form
    hooks["A"].load = [](Form &self) {
        if (!refusing)
            return;
        self.show();
        Forms::unload("A");
        // Touched again while its load still runs: no load inside itself.
        EXPECT_THROW(Forms::get("A"), platform::FormUnloaded);
    };
    EXPECT_THROW(Forms::get("A"), platform::FormUnloaded);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(events, (Events{"load A", "query A code", "unload A"}));
    const int serial = made;

    // Once that load has returned, the next touch loads it as usual.
    refusing = false;
    Form &a = Forms::get("A");
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_FALSE(a.isVisible());
    EXPECT_EQ(static_cast<TestForm &>(a).serial, serial);
    EXPECT_EQ(alive, 1);
}

TEST_F(FormsTest, ALoadThatThrowsLeavesTheFormUnloaded)
{
    refusing = true;  // here: the load fails
    hooks["A"].load = [](Form &self) {
        self.show();
        if (refusing)
            throw std::runtime_error("no file");
    };
    EXPECT_THROW(Forms::get("A"), std::runtime_error);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_TRUE(Forms::loaded().empty());
    ASSERT_EQ(alive, 1);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("A")) {
            EXPECT_FALSE(w->isVisible()) << "a failed load leaves no window open";
        }
    }
    refusing = false;
    EXPECT_NO_THROW(Forms::get("A"));
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_EQ(alive, 1);
}

TEST_F(FormsTest, UnloadAllGoesLastLoadedFirstAndForcesPastRefusals)
{
    hooks["B"].query = [](Form &, bool) { return false; };
    Forms::get("A");
    Forms::get("C");
    Forms::get("B");
    events.clear();
    Forms::unloadAll();
    EXPECT_EQ(events, (Events{"query B code", "unload B", "query C code", "unload C", "query A code", "unload A"}));
    EXPECT_TRUE(Forms::loaded().empty());
    EXPECT_EQ(alive, 0);
}

TEST_F(FormsTest, UnloadAllDestroysEveryFormSoTheNextTouchBuildsANewOne)
{
    auto &a = static_cast<TestForm &>(Forms::get("A"));
    a.uses = 3;
    Forms::get("B");
    ASSERT_TRUE(Forms::unload("B"));
    ASSERT_EQ(alive, 2);
    events.clear();
    Forms::unloadAll();
    EXPECT_EQ(events, (Events{"query A code", "unload A"})) << "a form not loaded has no unload to run";
    EXPECT_EQ(alive, 0);
    auto &fresh = static_cast<TestForm &>(Forms::get("A"));
    EXPECT_EQ(fresh.serial, made);
    EXPECT_EQ(fresh.uses, 0);
}

TEST_F(FormsTest, DestroyAllRunsNoUnloadRule)
{
    hooks["A"].query = [](Form &, bool) { return false; };
    Forms::get("A");
    Forms::get("B");
    events.clear();
    Forms::destroyAll();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(Forms::loaded().empty());
    EXPECT_EQ(alive, 0);
    Forms::get("A");
    EXPECT_EQ(events, (Events{"load A"}));
}

TEST_F(FormsTest, UnloadAllCalledFromAFormsOwnHandlerDestroysItOnceTheHandlerReturns)
{
    // From its query, as the program's end does: its unload still runs.
    hooks["A"].query = [](Form &, bool) {
        Forms::unloadAll();
        EXPECT_EQ(alive, 1) << "the other forms go at once";
        return true;
    };
    QPointer<Form> a = &Forms::get("A");
    Forms::get("B");
    events.clear();
    EXPECT_TRUE(Forms::unload("A"));
    EXPECT_EQ(events, (Events{"query A code", "query B code", "unload B", "unload A"}));
    EXPECT_TRUE(a.isNull());
    EXPECT_EQ(alive, 0);

    // From the user's close: destroyed after the close event.
    a = &Forms::get("A");
    EXPECT_TRUE(a->close());
    EXPECT_FALSE(Forms::isLoaded("A"));
    ASSERT_FALSE(a.isNull());
    Forms::get("A");
    EXPECT_EQ(alive, 2) << "a new one while the old waits for its deletion";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(Forms::isLoaded("A"));
}

TEST_F(FormsTest, AFormDestroyedByItsParentLeavesTheRegistry)
{
    auto *parent = new QWidget;
    Forms::get("A").setParent(parent);
    delete parent;
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_TRUE(events == (Events{"load A"})) << "no unload handlers run";
    EXPECT_EQ(alive, 0);
}

TEST_F(FormsTest, ControlsAreFoundByTheirNames)
{
    Form &a = Forms::get("A");
    auto *box = new QLineEdit(&a);
    box->setObjectName(QStringLiteral("txtAmount(3)"));
    EXPECT_EQ(platform::control<QLineEdit>(&a, QStringLiteral("txtAmount(3)")), box);
    EXPECT_EQ(platform::control<QLineEdit>(&a, QStringLiteral("txtAmount"), 3), box);
    EXPECT_EQ(platform::control<QPushButton>(&a, QStringLiteral("txtAmount(3)")), nullptr);
    EXPECT_EQ(platform::control<QLineEdit>(&a, QStringLiteral("txtAmount"), 4), nullptr);
}

}  // namespace
