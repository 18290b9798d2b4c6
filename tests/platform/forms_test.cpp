#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
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

private:
    std::string name_;
    Hooks hooks_;
};

using Events = std::vector<std::string>;

int serialOf(const std::string &name) { return static_cast<TestForm &>(Forms::get(name)).serial; }

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

TEST_F(FormsTest, ARefusedUnloadKeepsTheFormAndAnAcceptedOneDestroysItAtOnce)
{
    refusing = true;
    hooks["A"].query = [](Form &, bool) { return !refusing; };
    QPointer<Form> a = &Forms::get("A");
    events.clear();

    EXPECT_FALSE(Forms::unload("A"));
    EXPECT_TRUE(Forms::isLoaded("A"));
    EXPECT_FALSE(a.isNull());
    EXPECT_EQ(events, (Events{"query A code"}));

    refusing = false;
    EXPECT_TRUE(a->unloadForm());
    EXPECT_TRUE(a.isNull()) << "destroyed without waiting for the event loop";
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(events, (Events{"query A code", "query A code", "unload A"}));
}

TEST_F(FormsTest, GetAfterUnloadMakesAFreshInstanceAndLoadsItAgain)
{
    const int first = serialOf("A");
    ASSERT_TRUE(Forms::unload("A"));
    const int second = serialOf("A");
    EXPECT_NE(first, second);
    EXPECT_EQ(events, (Events{"load A", "query A code", "unload A", "load A"}));
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
    const int fresh = serialOf("A");
    EXPECT_NE(fresh, static_cast<TestForm *>(a.data())->serial);
    // The closed instance is no longer the form: it cannot unload the fresh one.
    EXPECT_TRUE(a->unloadForm());
    EXPECT_TRUE(Forms::isLoaded("A"));

    // Deleted once its event is over.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.isNull());
    EXPECT_EQ(alive, 1);
}

TEST_F(FormsTest, AFormClosedByTheUserIsDeletedByUnloadAllWhenNoEventLoopRan)
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
            a->close(); // the title bar's close button
    });
    platform::Ui::showModal(a);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(events, (Events{"load A", "query A user", "unload A"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.isNull());
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
    hooks["A"].load = [](Form &) { Forms::unload("A"); };
    EXPECT_THROW(Forms::get("A"), platform::FormUnloaded);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(events, (Events{"load A", "query A code", "unload A"}));
}

TEST_F(FormsTest, ALoadThatThrowsLeavesNoFormBehind)
{
    hooks["A"].load = [](Form &) { throw std::runtime_error("no file"); };
    EXPECT_THROW(Forms::get("A"), std::runtime_error);
    EXPECT_FALSE(Forms::isLoaded("A"));
    EXPECT_EQ(alive, 0);
}

TEST_F(FormsTest, UnloadAllGoesLastLoadedFirstAndForcesPastRefusals)
{
    hooks["B"].query = [](Form &, bool) { return false; };
    Forms::get("A");
    Forms::get("C");
    Forms::get("B");
    events.clear();
    Forms::unloadAll();
    EXPECT_EQ(events,
              (Events{"query B code", "unload B", "query C code", "unload C", "query A code", "unload A"}));
    EXPECT_TRUE(Forms::loaded().empty());
    EXPECT_EQ(alive, 0);
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

} // namespace
