// Where windows open: the geometry of placing a frame in a screen's
// available area, and the registry's windows as they open on the test
// screen (transient for the main window, placed, limited, scrolled).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/forms.h"
#include "platform/placement.h"
#include "platform/ui.h"

namespace {

using platform::Form;
using platform::FormRole;
using platform::Forms;

// A screen of 1366x768 with a panel of 24 pixels along its top.
const QRect kArea(0, 24, 1366, 744);

TEST(Placement, AFrameIsMovedTheLeastWayInsideTheAreaAndCutToIt)
{
    struct Case {
        const char *what;
        QRect frame, placed;
    };
    const Case cases[] = {
        {"inside: stays", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"past the right and the bottom edge", {1200, 600, 400, 300}, {966, 468, 400, 300}},
        {"past the left edge and under the panel", {-50, 0, 400, 300}, {0, 24, 400, 300}},
        {"taller than the area", {100, 100, 400, 900}, {100, 24, 400, 744}},
        {"larger both ways", {500, 500, 2000, 1000}, {0, 24, 1366, 744}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(platform::keptInside(c.frame, kArea), c.placed) << c.what;
}

TEST(Placement, ADialogGoesCentredOverItsWindowAndAPickerBelowItsBox)
{
    struct Case {
        const char *what;
        QRect placed, expected;
    };
    const QSize dialog(400, 300), picker(200, 150);
    const Case cases[] = {
        {"over the main window", platform::centredOver(dialog, {200, 100, 800, 600}, kArea), {400, 250, 400, 300}},
        {"over a main window past the bottom right corner",
         platform::centredOver(dialog, {1000, 500, 800, 600}, kArea),
         {966, 468, 400, 300}},
        {"no main window: the area's centre", platform::centredOver(dialog, {}, kArea), {483, 246, 400, 300}},
        {"larger than the area", platform::centredOver({1500, 900}, {200, 100, 800, 600}, kArea), kArea},
        {"below the box", platform::besideBox(picker, {100, 200, 120, 20}, kArea), {100, 220, 200, 150}},
        {"above a box near the bottom", platform::besideBox(picker, {100, 700, 120, 20}, kArea), {100, 550, 200, 150}},
        {"a box at the right edge", platform::besideBox(picker, {1300, 200, 60, 20}, kArea), {1166, 220, 200, 150}},
        {"no room above nor below: inside, over the box",
         platform::besideBox({200, 500}, {100, 300, 120, 20}, kArea),
         {100, 268, 200, 500}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.placed, c.expected) << c.what;
}

// ---- the registry's windows on the test screen ----

// Larger than any screen a test runs on.
const QSize kHuge(3000, 2000);

class MainForm : public Form {
public:
    static constexpr const char *kName = "PlacedMain";
    MainForm() : Form(kName)
    {
        box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("box"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(box);
        layout->addStretch();
        resize(400, 300);
    }
    QLineEdit *box;
};

// A dialog of a box and a default button, or one of the sizes asked for:
// laid out with a menu bar, its boxes at the corners of a page larger than
// the screen; or its controls placed by hand on such a page.
class TestDialog : public Form {
public:
    enum class Kind { Small, LaidOut, ByHand };
    TestDialog(const char *name, Kind kind) : Form(name)
    {
        first = new QLineEdit;
        first->setObjectName(QStringLiteral("first"));
        last = new QLineEdit;
        last->setObjectName(QStringLiteral("last"));
        ok = new QPushButton(QStringLiteral("OK"));
        ok->setObjectName(QStringLiteral("ok"));
        setDefaultButton(ok);
        connect(ok, &QPushButton::clicked, this, [this] { ++pressed; });
        if (kind == Kind::ByHand) {
            for (QWidget *w : std::vector<QWidget *>{first, last, ok})
                w->setParent(this);
            first->setGeometry(10, 10, 100, 20);
            ok->setGeometry(120, 10, 60, 20);
            last->setGeometry(kHuge.width() - 110, kHuge.height() - 30, 100, 20);
            resize(kHuge);
        } else {
            auto *layout = new QVBoxLayout(this);
            if (kind == Kind::LaidOut) {
                menu = new QMenuBar;
                menu->setObjectName(QStringLiteral("menuBar"));
                menu->addAction(QStringLiteral("&File"));
                layout->setMenuBar(menu);
                layout->addWidget(first, 0, Qt::AlignLeft | Qt::AlignTop);
                layout->addSpacing(kHuge.height());
                auto *row = new QHBoxLayout;
                row->addSpacing(kHuge.width());
                row->addWidget(last);
                layout->addLayout(row);
            } else {
                layout->addWidget(first);
            }
            layout->addWidget(ok, 0, Qt::AlignLeft);
        }
        first->setFocus();
    }
    QLineEdit *first, *last;
    QPushButton *ok;
    QMenuBar *menu = nullptr;
    int pressed = 0;
};

// A dialog that serves the main window's box.
class PickerForm : public TestDialog {
public:
    static constexpr const char *kName = "PlacedPicker";
    PickerForm() : TestDialog(kName, Kind::Small) {}

protected:
    QRect openingBox() const override
    {
        const QLineEdit *b = Forms::get<MainForm>().box;
        return {b->mapToGlobal(QPoint(0, 0)), b->size()};
    }
};

// A window of its own whose layout holds a large control, hidden at first.
class GrowingForm : public Form {
public:
    static constexpr const char *kName = "PlacedGrowing";
    GrowingForm() : Form(kName)
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLineEdit);
        large = new QWidget;
        large->setMinimumSize(300, 250);
        large->hide();
        layout->addWidget(large);
    }
    QWidget *large;
};

// A window larger than the area one way only (`longer`), a button at the far
// corner of its page: laid out under a line of wrapping text (taller where
// narrower), or its controls placed by hand.
class OneWayForm : public Form {
public:
    OneWayForm(const char *name, Qt::Orientation way, bool byHand) : Form(name)
    {
        const QSize a = QGuiApplication::primaryScreen()->availableGeometry().size();
        const QSize page = way == Qt::Horizontal ? QSize(a.width() + 300, a.height() / 2)
                                                 : QSize(a.width() / 2, a.height() + 300);
        far = new QPushButton(QStringLiteral("OK"));
        far->setObjectName(QStringLiteral("far"));
        if (byHand) {
            far->setParent(this);
            far->setGeometry(page.width() - 70, page.height() - 30, 60, 20);
            resize(page);
            return;
        }
        auto *text = new QLabel(
            QStringLiteral("Every word of this line takes its room, and the line wraps where the "
                           "window is narrower than the line, so that the text takes more "
                           "lines and the page grows taller the narrower it is."));
        text->setWordWrap(true);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(text);
        layout->addSpacing(page.height());
        auto *row = new QHBoxLayout;
        row->addSpacing(page.width());
        row->addWidget(far);
        layout->addLayout(row);
    }
    QPushButton *far;
};

class PlacedWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Forms::define(MainForm::kName, [] { return new MainForm; });
        Forms::setRole(MainForm::kName, FormRole::Main);
        Forms::define("PlacedDialog", [] { return new TestDialog("PlacedDialog", TestDialog::Kind::Small); });
        Forms::define("PlacedOwn", [] { return new TestDialog("PlacedOwn", TestDialog::Kind::Small); });
        Forms::setRole("PlacedOwn", FormRole::Window);
        Forms::define("PlacedLaidOut", [] { return new TestDialog("PlacedLaidOut", TestDialog::Kind::LaidOut); });
        Forms::define("PlacedByHand", [] { return new TestDialog("PlacedByHand", TestDialog::Kind::ByHand); });
        Forms::define(PickerForm::kName, [] { return new PickerForm; });
        Forms::define(GrowingForm::kName, [] { return new GrowingForm; });
        for (const auto &[name, longer, byHand] : kOneWay)
            Forms::define(
                name, [name = name, longer = longer, byHand = byHand] { return new OneWayForm(name, longer, byHand); });
        Forms::setRole(GrowingForm::kName, FormRole::Window);
    }
    void TearDown() override
    {
        Forms::unloadAll();
        platform::Ui::reset();
    }

    struct OneWay {
        const char *name;
        Qt::Orientation longer;
        bool byHand;
    };
    static constexpr OneWay kOneWay[] = {
        {"PlacedWide", Qt::Horizontal, false},
        {"PlacedWideByHand", Qt::Horizontal, true},
        {"PlacedTall", Qt::Vertical, false},
        {"PlacedTallByHand", Qt::Vertical, true},
    };

    static QRect area() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The main window on view, its frame at this place.
    static MainForm &mainAt(const QPoint &place)
    {
        MainForm &m = Forms::get<MainForm>();
        m.move(place);
        m.showForm();
        return m;
    }
    static TestDialog &open(const char *name)
    {
        auto &d = static_cast<TestDialog &>(Forms::get(name));
        d.showForm();
        return d;
    }
    static bool transientFor(const QWidget &w, const QWidget &main)
    {
        return w.windowHandle() && main.windowHandle() && w.windowHandle()->transientParent() == main.windowHandle();
    }
    // The two centres no more than a pixel apart each way.
    static bool centredOver(const QRect &frame, const QRect &over)
    {
        const QPoint d = frame.center() - over.center();
        return std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1;
    }
};

TEST_F(PlacedWindows, ADialogIsTransientForTheMainWindowAndOpensOverItInsideTheArea)
{
    const QRect a = area();
    MainForm &main = mainAt(a.topLeft() + QPoint(40, 30));
    TestDialog &d = open("PlacedDialog");
    EXPECT_EQ(d.windowType(), Qt::Dialog) << "the desktop keeps only a dialog with its window";
    EXPECT_TRUE(transientFor(d, main));
    EXPECT_TRUE(centredOver(d.frameGeometry(), main.frameGeometry()));

    // A window of its own is neither.
    TestDialog &own = open("PlacedOwn");
    EXPECT_EQ(own.windowType(), Qt::Window);
    EXPECT_EQ(own.windowHandle()->transientParent(), nullptr);
    EXPECT_TRUE(a.contains(own.frameGeometry()));

    // Under a main window half past the area's bottom right corner the
    // dialog still lies inside the area, against the corner.
    ASSERT_TRUE(Forms::unload("PlacedDialog"));
    main.move(a.x() + a.width() - 200, a.y() + a.height() - 150);
    TestDialog &again = open("PlacedDialog");
    const QRect frame = again.frameGeometry();
    EXPECT_TRUE(a.contains(frame));
    EXPECT_EQ(frame.x() + frame.width(), a.x() + a.width());
    EXPECT_EQ(frame.y() + frame.height(), a.y() + a.height());
    EXPECT_TRUE(transientFor(again, main));
}

TEST_F(PlacedWindows, AnOpeningAfterALoadIsCentredAgainOneWithoutKeepsThePlace)
{
    const QRect a = area();
    MainForm &main = mainAt(a.topLeft() + QPoint(40, 30));
    TestDialog &d = open("PlacedDialog");
    // The user moves it, closes it without an unload, opens it again.
    const QPoint put = a.topLeft() + QPoint(5, 7);
    d.move(put);
    d.hide();
    d.showForm();
    EXPECT_EQ(d.pos(), put);
    // Unloaded, it opens over the main window, wherever that went.
    ASSERT_TRUE(Forms::unload("PlacedDialog"));
    main.move(a.topLeft() + QPoint(a.width() / 3, a.height() / 4));
    open("PlacedDialog");
    EXPECT_TRUE(centredOver(d.frameGeometry(), main.frameGeometry()));
}

TEST_F(PlacedWindows, APickerOpensJustBelowItsBoxLeftEdgesTogether)
{
    MainForm &main = mainAt(area().topLeft() + QPoint(60, 50));
    TestDialog &p = open(PickerForm::kName);
    const QRect box(main.box->mapToGlobal(QPoint(0, 0)), main.box->size());
    EXPECT_EQ(p.frameGeometry().topLeft(), QPoint(box.x(), box.y() + box.height()));
    EXPECT_TRUE(transientFor(p, main));
}

// A window larger than the area: as large as the area, its content in a
// scroll area that reaches every control, keeping its menu bar above, its
// focus, its default button, and its reloads.
TEST_F(PlacedWindows, AWindowLargerThanTheAreaIsLimitedToItAndItsContentScrolls)
{
    mainAt(area().topLeft());
    for (const char *name : {"PlacedLaidOut", "PlacedByHand"}) {
        SCOPED_TRACE(name);
        TestDialog &d = open(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QRect a = area();
        EXPECT_TRUE(a.contains(d.frameGeometry()));
        EXPECT_EQ(d.frameGeometry().size(), a.size());
        QScrollArea *scroll = platform::windowScrollArea(&d);
        ASSERT_NE(scroll, nullptr);
        EXPECT_GE(scroll->widget()->width(), kHuge.width());
        EXPECT_GE(scroll->widget()->height(), kHuge.height());
        if (d.menu) {
            EXPECT_FALSE(scroll->isAncestorOf(d.menu)) << "the menu scrolls out of reach";
            EXPECT_EQ(d.menu->y(), 0);
        }
        QWidget *view = scroll->viewport();
        for (QWidget *w : std::vector<QWidget *>{d.last, d.first, d.ok}) {
            // Scrolled as far as it goes towards the control's top left.
            const QPoint at = w->mapTo(scroll->widget(), QPoint(0, 0));
            scroll->horizontalScrollBar()->setValue(at.x());
            scroll->verticalScrollBar()->setValue(at.y());
            EXPECT_TRUE(view->rect().contains(QRect(w->mapTo(view, QPoint(0, 0)), w->size())))
                << w->objectName().toStdString() << " out of reach";
        }
        EXPECT_EQ(d.focusWidget(), d.first);
        QTest::keyClick(d.first, Qt::Key_Return);
        EXPECT_EQ(d.pressed, 1) << "Enter no longer reaches the window";

        // A reload puts the boxes back, and it opens limited again.
        d.first->setText(QStringLiteral("typed"));
        ASSERT_TRUE(Forms::unload(name));
        open(name);
        EXPECT_TRUE(d.first->text().isEmpty());
        EXPECT_TRUE(a.contains(d.frameGeometry()));
        EXPECT_EQ(platform::windowScrollArea(&d), scroll);
    }
}

// A window cut to the area one way only makes room the other way for the
// scroll bar, where the area has it: nothing of its page lies under the bar,
// and scrolling the cut way alone brings its far corner into view.
TEST_F(PlacedWindows, AWindowCutOneWayMakesRoomForTheScrollBarTheOtherWay)
{
    mainAt(area().topLeft());
    for (const OneWay &o : kOneWay) {
        SCOPED_TRACE(o.name);
        auto &w = static_cast<OneWayForm &>(Forms::get(o.name));
        w.showForm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QRect a = area(), frame = w.frameGeometry();
        EXPECT_TRUE(a.contains(frame));
        QScrollArea *scroll = platform::windowScrollArea(&w);
        ASSERT_NE(scroll, nullptr);
        const bool wide = o.longer == Qt::Horizontal;
        QScrollBar *along = wide ? scroll->horizontalScrollBar() : scroll->verticalScrollBar();
        QScrollBar *across = wide ? scroll->verticalScrollBar() : scroll->horizontalScrollBar();
        EXPECT_EQ(wide ? frame.width() : frame.height(), wide ? a.width() : a.height()) << "not cut to the area";
        EXPECT_LT(wide ? frame.height() : frame.width(), wide ? a.height() : a.width()) << "no room was left";
        EXPECT_EQ(across->maximum(), 0) << "part of the page lies under the scroll bar";
        along->setValue(along->maximum());
        QWidget *view = scroll->viewport();
        EXPECT_TRUE(view->rect().contains(QRect(w.far->mapTo(view, QPoint(0, 0)), w.far->size())))
            << "the far corner is out of reach";
    }
}

TEST_F(PlacedWindows, AWindowOnViewGrownPastTheEdgeIsMovedBackAndLimited)
{
    const QRect a = area();
    mainAt(a.topLeft());
    TestDialog &own = open("PlacedOwn");
    own.move(a.x() + a.width() - 100, a.y() + 20);
    own.resizeOnScreen(QSize(a.width() / 2, a.height() / 2));
    EXPECT_TRUE(a.contains(own.frameGeometry()));
    EXPECT_EQ(own.size(), QSize(a.width() / 2, a.height() / 2));
    own.resizeOnScreen(QSize(a.width() * 2, 100));
    EXPECT_TRUE(a.contains(own.frameGeometry()));
    EXPECT_EQ(own.frameGeometry().width(), a.width());
}

// A window on view against the area's bottom right corner that the program
// makes larger, by any route, is moved back to lie whole in the area.
TEST_F(PlacedWindows, AWindowOnViewThatGrowsStaysWholeInTheArea)
{
    const struct {
        const char *what;
        std::function<void(GrowingForm &)> grow;
    } cases[] = {
        {"a control shows and the layout makes room for it", [](GrowingForm &w) { w.large->show(); }},
        {"it resizes itself", [](GrowingForm &w) { w.resize(w.width() + 200, w.height() + 100); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect a = area();
        mainAt(a.topLeft());
        auto &w = Forms::get<GrowingForm>();
        w.showForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QSize before = w.frameGeometry().size();
        w.move(a.bottomRight() - QPoint(before.width() - 1, before.height() - 1));
        c.grow(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        const QRect frame = w.frameGeometry();
        ASSERT_GT(frame.height(), before.height()) << "it did not grow";
        EXPECT_TRUE(a.contains(frame)) << "past the edge of the area";
        EXPECT_EQ(frame.bottomRight(), a.bottomRight()) << "not moved the least way";
        Forms::unloadAll();
    }
}

}  // namespace
