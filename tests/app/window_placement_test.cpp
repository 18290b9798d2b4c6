// Where the program's windows open, on a desktop of four screens: a laptop's
// 1366x768 and, to its right, a tiny 640x480 one; below them, 1024x768 and
// 1280x720 ones, where a few windows are cut. Every dialog is transient
// for the main window and opens over it (a date picker belongs to the window
// of its box and opens just below the box, the printer offsets to the check
// form that opens them), inside the available area of that window's screen;
// a window too large for that area is limited to it and its controls are
// reached by scrolling, the content hidden under a scroll bar only along a
// side the area cuts. Every question opens over the window that asks it.
// Wherever the desktop puts a window, and however the program sizes it on
// view, it lies whole in the area, frame included (the offscreen platform's
// frame is 2 pixels each side, known from the window's creation).
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <clocale>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "core/windows/about.h"
#include "core/windows/datemain.h"
#include "core/windows/saveuser.h"
#include "platform/placement.h"
#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"
#include "when_modal_shows.h"
#include "window_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Forms;
using platform::Ui;

// One window and how the user opens it.
struct Opening {
    const char *name;
    bool dialog;  // else a window of its own
    bool modal;
    std::function<void(Form1 &)> open;
    std::function<QLineEdit *()> box;        // the box a date picker serves
    const char *owner = nullptr;             // the form it belongs to, when not the main window
    std::function<QWidget *()> window = {};  // the window opened, when it is not a form
};

// The help viewer, once it has been made.
QWidget *helpViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpViewer"))
            return w;
    return nullptr;
}

const std::vector<Opening> &openings()
{
    static const std::vector<Opening> table{
        {frmTaxInfo::kName, true, true, [](Form1 &f) { f.mnuTaxInfoItem_Click(); }, {}},
        {frmSaveUser::kName, true, true, [](Form1 &f) { f.mnuSave_Click(); }, {}},
        {frmAboutSpcl::kName, true, true, [](Form1 &f) { f.mnuAboutItem_Click(); }, {}},
        {frmDateMain::kName, true, true, [](Form1 &f) { f.txtWeek_Click(); },
         [] { return Forms::get<Form1>().txtWeek; }},
        {DialogState::kName, true, false, [](Form1 &f) { f.mnuState_Click(); }, {}},
        {DialogCity::kName, true, false, [](Form1 &f) { f.mnuCity->trigger(); }, {}},
        {DialogNonCity::kName, true, false, [](Form1 &f) { f.mnuNonCity->trigger(); }, {}},
        {DialogVac::kName, true, false, [](Form1 &f) { f.mnuVac->trigger(); }, {}},
        {DialogHeader::kName, true, false, [](Form1 &f) { f.mnuHeader->trigger(); }, {}},
        {frmChecks::kName, true, false, [](Form1 &f) { f.mnuChecks->trigger(); }, {}},
        {dlgPrintSet::kName,
         true,
         false,
         [](Form1 &) { Forms::get<frmChecks>().mnuPrintCheck_Click(); },
         {},
         frmChecks::kName},
        {Form2::kName, false, false, [](Form1 &f) { f.mnuOtItem->trigger(); }, {}},
        {frmDate::kName, true, true, [](Form1 &) { Forms::get<Form2>().Text1_Click(0); },
         [] { return Forms::get<Form2>().Text1[0]; }},
        {MDIForm1::kName, false, false, [](Form1 &f) { f.mnuYear->trigger(); }, {}},
        {"HelpViewer", false, false, [](Form1 &f) { f.mnuHelpItem->trigger(); }, {}, nullptr, helpViewer},
    };
    return table;
}

QRect globalRect(const QWidget *w) { return {w->mapToGlobal(QPoint(0, 0)), w->size()}; }

// What a desktop does to the program's window of one name (it sees the
// window system's events before the program does), putting it at `place`.
class DesktopFor : public QObject {
public:
    DesktopFor(const char *window, const QPoint &place) : name_(QLatin1String(window)), place_(place)
    {
        qApp->installEventFilter(this);
    }
    ~DesktopFor() override { qApp->removeEventFilter(this); }
    DesktopFor(const DesktopFor &) = delete;
    DesktopFor &operator=(const DesktopFor &) = delete;

    QPoint place() const { return place_; }

protected:
    // The window of that name whose native window this is; nullptr when none.
    QWidget *windowOf(const QObject *watched) const
    {
        const auto *window = qobject_cast<const QWindow *>(watched);
        if (!window)
            return nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window && w->objectName() == name_)
                return w;
        return nullptr;
    }

private:
    QString name_;
    QPoint place_;
};

// A desktop that puts a window where it likes: each time the window of this
// name is shown, it puts the window's frame with its top left corner at
// `place`, whatever the program asked for, before the window is on view.
class Desktop : public DesktopFor {
public:
    using DesktopFor::DesktopFor;

    // The window's frame as the desktop put it.
    QRect placed() const { return placed_; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWidget *w = event->type() == QEvent::Show ? windowOf(watched) : nullptr;
        if (w) {
            w->windowHandle()->setFramePosition(place());
            placed_ = QRect(place(), w->frameGeometry().size());
        }
        return false;
    }

private:
    QRect placed_;
};

class WindowPlacement : public WindowTest {
protected:
    static QScreen *screenNamed(const char *name)
    {
        for (QScreen *s : QGuiApplication::screens())
            if (s->name() == QLatin1String(name))
                return s;
        return nullptr;
    }

    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_NE(screenNamed("laptop"), nullptr) << "the two test screens are not configured";
        ASSERT_NE(screenNamed("tiny"), nullptr);
    }

    void TearDown() override
    {
        Ui::closeHelp();
        WindowTest::TearDown();
    }

    // The main window shown with its frame at this place.
    Form1 &mainAt(const QPoint &place)
    {
        Form1 &f = start();
        f.hide();
        f.move(place);
        f.showForm();
        return f;
    }

    // Opens every window of the table as the user does and checks it where
    // it opened. `placed`: the main window leaves room for a dialog centred
    // over it, so each dialog must be exactly there. `ownAt`: where the
    // desktop puts a window of its own (else where it is). Returns the names
    // of the windows whose content scrolls.
    std::set<std::string> openEach(Form1 &main, bool placed, std::optional<QPoint> ownAt = {})
    {
        std::set<std::string> scrolled;
        for (const Opening &o : openings()) {
            SCOPED_TRACE(o.name);
            std::optional<Desktop> desktop;
            if (ownAt && !o.dialog)
                desktop.emplace(o.name, *ownAt);
            auto look = [&](QWidget *w) {
                ASSERT_NE(w, nullptr);
                ASSERT_TRUE(w->isVisible());
                if (lookAt(*w, o, main, placed))
                    scrolled.insert(o.name);
            };
            if (o.modal)
                Ui::script(Ui::ModalAction(look));
            o.open(main);
            if (o.window) {
                look(o.window());
            } else if (!o.modal) {
                EXPECT_TRUE(Forms::isLoaded(o.name)) << "not opened";
                if (Forms::isLoaded(o.name))
                    look(&Forms::get(o.name));
            }
            EXPECT_EQ(Ui::pendingAnswers(), 0u) << "the window did not open modally";
        }
        return scrolled;
    }

    // Checks one window on view; true when its content scrolls.
    static bool lookAt(QWidget &w, const Opening &o, const Form1 &main, bool placed)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QRect frame = w.frameGeometry();
        const QLineEdit *box = o.box ? o.box() : nullptr;
        // A date picker belongs to the window of its box.
        const QWidget *owner = box ? box->window() : o.owner ? &Forms::get(o.owner) : &main;
        if (o.dialog) {
            EXPECT_EQ(w.windowType(), Qt::Dialog);
            EXPECT_TRUE(w.windowHandle() && w.windowHandle()->transientParent() == owner->windowHandle())
                << "not transient for " << owner->objectName().toStdString();
        } else {
            EXPECT_EQ(w.windowHandle()->transientParent(), nullptr);
        }
        // A dialog goes to the screen of its owner (of its box); a window of
        // its own stays on the screen it opened on.
        const QPoint at = box ? globalRect(box).center() : o.dialog ? owner->frameGeometry().center() : frame.center();
        const QRect area = QGuiApplication::screenAt(at)->availableGeometry();
        EXPECT_TRUE(area.contains(frame)) << "passes the edge of the screen's available area";
        if (placed && box) {
            const QRect b = globalRect(box);
            EXPECT_EQ(frame.topLeft(), QPoint(b.x(), b.y() + b.height())) << "not just below its box";
        } else if (placed && o.dialog) {
            const QPoint d = frame.center() - owner->frameGeometry().center();
            EXPECT_TRUE(std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1)
                << "not centred over " << owner->objectName().toStdString();
        }
        QScrollArea *scroll = platform::windowScrollArea(&w);
        if (!scroll)
            return false;
        // Its content is hidden under a scroll bar only along a side the
        // area cuts: cut one way, the window makes room for the bar the
        // other way where the area has it.
        if (scroll->verticalScrollBar()->maximum() > 0) {
            EXPECT_EQ(frame.height(), area.height()) << "its content scrolls down with room left below";
        }
        if (scroll->horizontalScrollBar()->maximum() > 0) {
            EXPECT_EQ(frame.width(), area.width()) << "its content scrolls across with room left beside";
        }
        // Every named control on view fits the view, or is brought into it
        // by scrolling.
        QWidget *view = scroll->viewport();
        for (QWidget *c : scroll->widget()->findChildren<QWidget *>()) {
            if (!c->isVisible() || c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")) ||
                c->width() > view->width() || c->height() > view->height())
                continue;
            const QPoint p = c->mapTo(scroll->widget(), QPoint(0, 0));
            scroll->horizontalScrollBar()->setValue(p.x());
            scroll->verticalScrollBar()->setValue(p.y());
            EXPECT_TRUE(view->rect().contains(QRect(c->mapTo(view, QPoint(0, 0)), c->size())))
                << c->objectName().toStdString() << " cannot be scrolled into view";
        }
        return true;
    }
};

TEST_F(WindowPlacement, OnALaptopScreenEveryDialogOpensOverTheMainWindow)
{
    const QRect area = screenNamed("laptop")->availableGeometry();
    Form1 &f = mainAt(area.topLeft());
    // In the middle of the screen, where any dialog has room around it.
    const QSize frame = f.frameGeometry().size();
    f.move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    EXPECT_EQ(openEach(f, true), std::set<std::string>{}) << "a window scrolls on a screen it fits";
}

TEST_F(WindowPlacement, OnATinyScreenEveryWindowStaysInsideAndWhatDoesNotFitScrolls)
{
    const QRect tiny = screenNamed("tiny")->availableGeometry();
    Form1 &f = mainAt(tiny.topLeft());
    EXPECT_TRUE(tiny.contains(f.frameGeometry())) << "the main window passes the tiny screen's edge";
    const std::set<std::string> scrolled = openEach(f, false);
    // Both far wider than the tiny screen.
    EXPECT_NE(platform::windowScrollArea(&f), nullptr) << "the main window does not scroll";
    EXPECT_EQ(scrolled.count(DialogState::kName), 1u) << "the state editor does not scroll";
}

// On the screens of small laptops, with the windows of their own put there
// by the desktop too, a window cut to the area keeps in view what it holds
// across the cut: the state editor, cut to 1024 pixels, shows its buttons
// above its scroll bar.
TEST_F(WindowPlacement, OnSmallScreensAWindowCutOneWayKeepsItsContentInViewTheOtherWay)
{
    const struct {
        const char *screen;
        std::set<std::string> scrolled;  // at least these are cut
    } cases[] = {
        {"square", {DialogState::kName}},
        {"wide", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.screen);
        const QRect area = screenNamed(c.screen)->availableGeometry();
        Form1 &f = mainAt(area.topLeft());
        const std::set<std::string> scrolled = openEach(f, false, area.topLeft());
        for (const std::string &name : c.scrolled)
            EXPECT_EQ(scrolled.count(name), 1u) << name << " does not scroll";
        if (platform::windowScrollArea(&f))
            lookAt(f, {Form1::kName, false, false, {}, {}}, f, false);
        // As it opens, not scrolled.
        DialogState &editor = Forms::get<DialogState>();
        if (QScrollArea *scroll = platform::windowScrollArea(&editor)) {
            scroll->horizontalScrollBar()->setValue(0);
            scroll->verticalScrollBar()->setValue(0);
            QWidget *view = scroll->viewport();
            for (QWidget *button : std::vector<QWidget *>{editor.OKButton, editor.CancelButton, editor.cmdClearAll})
                EXPECT_TRUE(view->rect().contains(QRect(button->mapTo(view, QPoint(0, 0)), button->size())))
                    << button->objectName().toStdString() << " is not in view";
        }
        Ui::closeHelp();
        Forms::unloadAll();
        defineForms();
    }
}

// A window of the program the user asks from, and where it is put first:
// its frame's top left corner at a corner of a screen's available area.
struct Asker {
    const char *what;
    const char *screen;
    bool bottomRight;                               // else the top left corner
    std::function<platform::Form *(Form1 &)> open;  // shows the window
    bool userInfo = false;                          // then asks from User Info, shown modally over it
};

// One kind of question the platform layer asks (the test dismisses it).
struct Asked {
    const char *what;
    std::function<void()> ask;
};

// Every question (message box, input box, file dialog) belongs to the
// program's window it is asked from, the active one or the one shown
// modally: transient for it, centred over it, inside the available area of
// its screen; not at the centre of the first screen.
TEST_F(WindowPlacement, EveryQuestionOpensOverTheWindowThatAsksIt)
{
    const auto mainWindow = [](Form1 &f) -> platform::Form * { return &f; };
    const auto ledger = [](Form1 &f) -> platform::Form * {
        f.mnuYear->trigger();
        return &Forms::get<MDIForm1>();
    };
    const auto tracker = [](Form1 &f) -> platform::Form * {
        f.mnuOtItem->trigger();
        return &Forms::get<Form2>();
    };
    const Asker askers[] = {
        {"the main window", "laptop", false, mainWindow},
        {"the main window on the other screen", "tiny", true, mainWindow},
        {"the ledger set", "laptop", false, ledger},
        {"the tracker", "laptop", true, tracker},
        {"the tracker on the other screen", "tiny", false, tracker},
        {"User Info", "laptop", false, mainWindow, true},
    };
    const Asked questions[] = {
        {"a message box", [] { Ui::message(QStringLiteral("Enter numbers only"), platform::Buttons::YesNo); }},
        {"an input box", [] { Ui::input(QStringLiteral("Enter new user:"), QStringLiteral("File New")); }},
        {"a file dialog", [] { Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use")); }},
    };
    for (const Asker &a : askers) {
        for (const Asked &q : questions) {
            SCOPED_TRACE(std::string(a.what) + ", " + q.what);
            Form1 &f = mainAt(screenNamed("laptop")->availableGeometry().topLeft());
            platform::Form *window = a.open(f);
            const QRect screen = screenNamed(a.screen)->availableGeometry();
            const QSize size = window->frameGeometry().size();
            window->move(a.bottomRight ? screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1)
                                       : screen.topLeft());
            window->showForm();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            QWidget *asker = nullptr;
            QRect shown;
            QWindow *parent = nullptr;
            const auto ask = [&](QWidget *from) {
                asker = from;
                wdtest::whenModalShows([&](QWidget *question) {
                    shown = question->frameGeometry();
                    parent = question->windowHandle() ? question->windowHandle()->transientParent() : nullptr;
                    static_cast<QDialog *>(question)->reject();
                });
                q.ask();
            };
            Ui::setScripted(false);
            if (a.userInfo) {
                wdtest::whenModalShows([&](QWidget *info) {
                    ask(info);
                    info->close();
                });
                f.mnuTaxInfoItem_Click();
            } else {
                ask(window);
            }
            Ui::setScripted(true);
            ASSERT_NE(asker, nullptr);
            ASSERT_FALSE(shown.isNull()) << "no question showed";
            EXPECT_TRUE(parent && parent == asker->windowHandle()) << "not transient for the window that asks";
            const QRect over = asker->frameGeometry();
            const QRect area = QGuiApplication::screenAt(over.center())->availableGeometry();
            const QRect centred = platform::centredOver(shown.size(), over, area);
            EXPECT_LE((shown.topLeft() - centred.topLeft()).manhattanLength(), 2)
                << "at " << shown.x() << "," << shown.y() << ", not over the window that asks at " << over.x() << ","
                << over.y() << " inside its screen";
            Forms::unloadAll();
            defineForms();
        }
    }
}

// A date picker belongs to the window that holds its box: it is transient
// for that window, so the desktop keeps that window below it and not under
// the main window; and that window is on top and active once it closes.
TEST_F(WindowPlacement, ADatePickerBelongsToTheWindowOfItsBoxWhichIsActiveAgainWhenItCloses)
{
    const struct {
        const char *what;
        std::function<platform::Form *(Form1 &)> open;  // shows the box's window
        std::function<QLineEdit *()> box;
    } cases[] = {
        {"the main window's pay date", [](Form1 &f) -> platform::Form * { return &f; },
         [] { return Forms::get<Form1>().txtWeek; }},
        {"the tracker's week ending",
         [](Form1 &f) -> platform::Form * {
             f.mnuOtItem->trigger();
             return &Forms::get<Form2>();
         },
         [] { return Forms::get<Form2>().Text1[0]; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect laptop = screenNamed("laptop")->availableGeometry();
        Form1 &f = mainAt(laptop.topLeft());
        platform::Form *window = c.open(f);
        // Beside the main window, so that either one covers the other only in part.
        if (window != &f)
            window->move(laptop.bottomRight() -
                         QPoint(window->frameGeometry().width() - 1, window->frameGeometry().height() - 1));
        window->showForm();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QWindow *parent = nullptr;
        bool picked = false;
        Ui::setScripted(false);
        wdtest::whenModalShows([&](QWidget *picker) {
            parent = picker->windowHandle() ? picker->windowHandle()->transientParent() : nullptr;
            auto *ok = picker->findChild<QPushButton *>(QStringLiteral("Command1"));
            picked = ok != nullptr;
            if (ok)
                ok->click();
            else
                picker->close();
        });
        QTest::mouseClick(c.box(), Qt::LeftButton);
        Ui::setScripted(true);
        ASSERT_TRUE(picked) << "no date picker showed";
        EXPECT_TRUE(parent && parent == window->windowHandle()) << "not transient for the window of its box";
        EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << "the window of its box is not active again";
        Forms::unloadAll();
        defineForms();
    }
}

// The printer offsets belong to the check form whose Print menu opens them:
// transient for it and centred over it inside its screen, wherever it was
// moved away from the main window; to the main window when no check form is
// on view.
TEST_F(WindowPlacement, ThePrinterOffsetsOpenOverTheCheckFormThatOpensThem)
{
    const struct {
        const char *what;
        const char *screen;
        bool bottomRight;  // the check form's frame at that corner of the screen, else at the top left
    } cases[] = {
        {"beside the main window", "laptop", true},
        {"on the other screen", "tiny", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Form1 &f = mainAt(screenNamed("laptop")->availableGeometry().topLeft());
        f.mnuChecks->trigger();
        frmChecks &checks = Forms::get<frmChecks>();
        const QRect screen = screenNamed(c.screen)->availableGeometry();
        const QSize size = checks.frameGeometry().size();
        checks.move(c.bottomRight ? screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1)
                                  : screen.topLeft());
        checks.showForm();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&checks));
        // Far enough that a place over the one is not over the other.
        ASSERT_GT((checks.frameGeometry().center() - f.frameGeometry().center()).manhattanLength(), 100)
            << "the check form is still over the main window";

        QTest::mouseClick(checks.menuBar, Qt::LeftButton, {},
                          checks.menuBar->actionGeometry(checks.mnuPrintCheck).center());
        ASSERT_TRUE(Forms::isLoaded<dlgPrintSet>()) << "the Print menu opened no offsets";
        dlgPrintSet &offsets = Forms::get<dlgPrintSet>();
        ASSERT_TRUE(offsets.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_TRUE(offsets.windowHandle() && offsets.windowHandle()->transientParent() == checks.windowHandle())
            << "not transient for the check form";
        const QRect shown = offsets.frameGeometry();
        const QRect over = checks.frameGeometry();
        const QRect centred = platform::centredOver(shown.size(), over, screen);
        EXPECT_LE((shown.topLeft() - centred.topLeft()).manhattanLength(), 2)
            << "at " << shown.x() << "," << shown.y() << ", not over the check form at " << over.x() << "," << over.y()
            << " inside its screen";
        EXPECT_TRUE(screen.contains(shown)) << "not on the check form's screen";
        Forms::unloadAll();
        defineForms();
    }

    // Opened with no check form (as the printouts load them), they belong to
    // the main window, and asking whose they are loads no check form.
    Form1 &f = mainAt(screenNamed("laptop")->availableGeometry().topLeft());
    dlgPrintSet &offsets = Forms::get<dlgPrintSet>();
    offsets.showForm();
    EXPECT_FALSE(Forms::isLoaded<frmChecks>()) << "the offsets loaded the check form";
    EXPECT_TRUE(offsets.windowHandle() && offsets.windowHandle()->transientParent() == f.windowHandle())
        << "not transient for the main window";
}

// The non-resident editor's CANCEL hides it, still loaded with what was
// typed; it opens over the main window again, wherever that went, as every
// editor does.
TEST_F(WindowPlacement, TheNonResidentEditorOpensOverTheMainWindowAgainAfterItsCancel)
{
    const QRect laptop = screenNamed("laptop")->availableGeometry();
    Form1 &f = mainAt(laptop.topLeft());
    const QSize mainFrame = f.frameGeometry().size();
    const QPoint places[] = {
        laptop.topLeft(),
        laptop.topLeft() + QPoint(laptop.width() - mainFrame.width(), laptop.height() - mainFrame.height()),
        laptop.topLeft() + QPoint(laptop.width() / 4, 0),
    };
    for (const QPoint &place : places) {
        f.move(place);
        f.mnuNonCity->trigger();
        DialogNonCity &editor = Forms::get<DialogNonCity>();
        ASSERT_TRUE(editor.isVisible());
        const QPoint d = editor.frameGeometry().center() - f.frameGeometry().center();
        EXPECT_TRUE(std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1)
            << "at " << editor.x() << "," << editor.y() << ", not over the main window at " << f.x() << "," << f.y();
        editor.CancelButton->click();
        ASSERT_TRUE(Forms::isLoaded<DialogNonCity>());
        ASSERT_FALSE(editor.isVisible());
    }
}

// The frame once the window is on view and the desktop's events are in.
QRect frameOnView(QWidget *w)
{
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();
    return w->frameGeometry();
}

std::string text(const QRect &r)
{
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + " at " + std::to_string(r.x()) + "," +
           std::to_string(r.y());
}

// Checks a window the desktop put where it likes: once on view it lies
// whole in the available area of the screen there, moved the least way when
// it fits there (else cut to the area, its content scrolling). Then the user
// drags it half past the area's edge: it stays where he put it.
void lookAtPlaced(QWidget &w, const Desktop &desktop)
{
    const QRect frame = frameOnView(&w);
    const QRect area = QGuiApplication::screenAt(desktop.place())->availableGeometry();
    EXPECT_TRUE(area.contains(frame)) << text(frame) << " passes the edge of the area " << text(area);
    const QRect placed = desktop.placed();
    if (placed.width() <= area.width() && placed.height() <= area.height()) {
        const QRect least = platform::keptInside(QRect(placed.topLeft(), frame.size()), area);
        EXPECT_EQ(frame.topLeft(), least.topLeft()) << text(frame) << ", not moved the least way to " << text(least);
    }

    const QPoint dragged(area.x() + area.width() - frame.width() / 2, area.y() + 10);
    w.windowHandle()->setFramePosition(dragged);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.frameGeometry().topLeft(), dragged) << "moved back from where the user dragged it";
}

// Wherever the desktop puts a window as it shows it, past the edge of the
// laptop's area (the tracker's top at 275, its bottom below the screen) or
// on the tiny screen, it lies whole in that screen's area once on view: the
// main window at its first showing, and every window of the table.
TEST_F(WindowPlacement, WhereverTheDesktopPutsAWindowItLiesWholeInTheAreaOnceOnView)
{
    const QRect laptop = screenNamed("laptop")->availableGeometry();
    const QRect tiny = screenNamed("tiny")->availableGeometry();
    const struct {
        const char *what;
        QPoint place;  // the frame's top left corner, where the desktop puts it
    } places[] = {
        {"past the laptop's bottom edge", laptop.topLeft() + QPoint(600, 275)},
        {"past the tiny screen's edges", tiny.topLeft() + QPoint(100, 50)},
    };
    for (const auto &p : places) {
        SCOPED_TRACE(p.what);
        Form1 *main = nullptr;
        {
            SCOPED_TRACE(Form1::kName);
            const Desktop desktop(Form1::kName, p.place);
            main = &start();
            main->showForm();
            lookAtPlaced(*main, desktop);
        }
        for (const Opening &o : openings()) {
            SCOPED_TRACE(o.name);
            const Desktop desktop(o.name, p.place);
            const auto look = [&](QWidget *w) {
                ASSERT_NE(w, nullptr);
                ASSERT_TRUE(w->isVisible());
                lookAtPlaced(*w, desktop);
            };
            if (o.modal)
                Ui::script(Ui::ModalAction(look));
            o.open(*main);
            if (o.window)
                look(o.window());
            else if (!o.modal)
                look(Forms::isLoaded(o.name) ? &Forms::get(o.name) : nullptr);
            EXPECT_EQ(Ui::pendingAnswers(), 0u) << "the window did not open modally";
        }
        Ui::closeHelp();
        Forms::unloadAll();
        defineForms();
    }
}

// A desktop that places a window of this name as a window manager may: it
// tells where only once the window is on view (as one does when the program
// resized the window while it placed it). Until then the window system knows
// the window where it is before a desktop frames it: its own area at the
// screen's corner, its frame past the edges. It puts the window's frame with
// its top left corner at `place`, unless the program put it somewhere itself
// by then.
class WindowManager : public DesktopFor {
public:
    using DesktopFor::DesktopFor;

    bool placed() const { return stage_ == Stage::Told; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWidget *w = stage_ != Stage::Told ? windowOf(watched) : nullptr;
        if (!w)
            return false;
        QWindow *window = w->windowHandle();
        const QMargins frame = window->frameMargins();
        if (event->type() == QEvent::Move) {
            // Nothing told before the move to where it placed the window.
            const QPoint at = static_cast<QMoveEvent *>(event)->pos() - QPoint(frame.left(), frame.top());
            if (stage_ == Stage::Placing && at == place())
                stage_ = Stage::Told;
            return stage_ != Stage::Told;
        }
        if (event->type() == QEvent::Show && !w->testAttribute(Qt::WA_Moved)) {
            window->setFramePosition(-QPoint(frame.left(), frame.top()));
        } else if (event->type() == QEvent::Expose && window->isExposed() && stage_ == Stage::Hidden) {
            stage_ = Stage::OnView;
            QMetaObject::invokeMethod(
                this, [this, w] { placeIt(w); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    enum class Stage { Hidden, OnView, Placing, Told };

    // Where the program put it, it stays.
    void placeIt(QWidget *w)
    {
        if (w->testAttribute(Qt::WA_Moved)) {
            stage_ = Stage::Told;
            return;
        }
        stage_ = Stage::Placing;
        w->windowHandle()->setFramePosition(place());
    }

    Stage stage_ = Stage::Hidden;
};

// The first opening of a window of its own (the ledger set, the tracker, the
// Help window) is placed by the desktop, even one that tells where only once
// the window is on view: the program moves none of them, however it sizes
// them meanwhile.
TEST_F(WindowPlacement, AWindowOfItsOwnOpensWhereTheDesktopPlacesIt)
{
    const QRect laptop = screenNamed("laptop")->availableGeometry();
    const QPoint place = laptop.topLeft() + QPoint(300, 10);
    for (const Opening &o : openings()) {
        if (o.dialog)
            continue;
        SCOPED_TRACE(o.name);
        Form1 &f = mainAt(laptop.topLeft());
        const WindowManager manager(o.name, place);
        o.open(f);
        QWidget *w = o.window ? o.window() : Forms::isLoaded(o.name) ? &Forms::get(o.name) : nullptr;
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return manager.placed(); }));
        const QRect frame = frameOnView(w);
        EXPECT_EQ(frame.topLeft(), place) << "at " << text(frame) << ", not where the desktop placed it";
        Ui::closeHelp();
        Forms::unloadAll();
        defineForms();
    }
}

// A window on view that the program sizes again (a window that sizes
// itself, the Help window asked for again) stays whole in the available
// area of its screen, frame included.
TEST_F(WindowPlacement, AWindowTheProgramSizesOnViewStaysWholeInTheArea)
{
    const struct {
        const char *what;
        const char *screen;
        std::function<QWidget *(Form1 &)> open;
        std::function<void(Form1 &, QWidget *)> size;  // what makes the program size it
    } cases[] = {
        {"the ledger set, widening with its grid's columns", "laptop",
         [](Form1 &f) -> QWidget * {
             f.mnuYear->trigger();
             return &Forms::get<MDIForm1>();
         },
         [](Form1 &, QWidget *) {
             type(Forms::get<frmYear>().txtTips[0], QStringLiteral("99999999999999.99"));
             Forms::get<MDIForm1>().mnuAdd->trigger();
         }},
        {"the tracker, weekly after bi-weekly", "laptop",
         [](Form1 &f) -> QWidget * {
             Forms::get<frmTaxInfo>().optBiWeek->setChecked(true);
             f.mnuOtItem->trigger();
             return &Forms::get<Form2>();
         },
         [](Form1 &f, QWidget *) {
             Forms::get<frmTaxInfo>().optWeek->setChecked(true);
             f.mnuOtItem->trigger();
         }},
        {"the Help window, asked for again on the tiny screen", "tiny",
         [](Form1 &f) {
             f.mnuHelpItem->trigger();
             return helpViewer();
         },
         [](Form1 &f, QWidget *help) {
             help->close();
             f.mnuHelpItem->trigger();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Form1 &f = mainAt(screenNamed("laptop")->availableGeometry().topLeft());
        QWidget *w = c.open(f);
        ASSERT_NE(w, nullptr);
        frameOnView(w);
        // Against the area's bottom right corner; on a screen it does not
        // fit, at its top left corner.
        const QRect area = screenNamed(c.screen)->availableGeometry();
        const QSize size = w->frameGeometry().size();
        w->move(size.width() <= area.width() && size.height() <= area.height()
                    ? area.bottomRight() - QPoint(size.width() - 1, size.height() - 1)
                    : area.topLeft());
        const QRect before = frameOnView(w);
        c.size(f, w);
        const QRect frame = frameOnView(w);
        EXPECT_NE(frame.size(), before.size()) << "the program did not size it";
        EXPECT_TRUE(area.contains(frame)) << text(frame) << " passes the edge of the area " << text(area);
        Ui::closeHelp();
        Forms::unloadAll();
        defineForms();
    }
}

}  // namespace
}  // namespace wagedesk::testing

// Headless, on the screens of the test desktop unless the caller chose
// another platform; scripted questions; the C numeric locale.
int main(int argc, char **argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" WD_SCREENS);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    platform::Ui::setScripted(true);
    return RUN_ALL_TESTS();
}
