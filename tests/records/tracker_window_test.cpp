// The overtime tracker and its date picker driven as a user would, from the
// main window's OverTime button, with the settings files they reach.
#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMetaEnum>
#include <QPrinter>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>

#include <functional>
#include <optional>

#include "core/windows/datemain.h"
#include "platform/datepicker.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"
#include "records_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Forms;
using platform::Ui;

const QString kAttention = QStringLiteral("Please enter amounts in\r\nAnnual Salary and\r\nApproved Percent Boxes.");

class Tracker : public RecordsTest {
public:
    struct Results {
        QString earned, rate, limit, available;
        bool operator==(const Results &) const = default;
    };

protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        frmDate::today = [] { return QDate(2005, 3, 10); };
    }
    void TearDown() override
    {
        frmDate::today = [] { return QDate::currentDate(); };
        RecordsTest::TearDown();
    }
    static Form2 &tracker() { return Forms::get<Form2>(); }
    static Form2 &openTracker()
    {
        Forms::get<Form1>().cmdOT->click();
        return tracker();
    }
    static Results results(const Form2 &t)
    {
        return {t.lbEarned->text(), t.txtPercent->text(), t.lbMax->text(), t.lbAvail->text()};
    }
};

void PrintTo(const Tracker::Results &r, std::ostream *os)
{
    *os << r.earned.toStdString() << " " << r.rate.toStdString() << " " << r.limit.toStdString() << " "
        << r.available.toStdString();
}

TEST_F(Tracker, OpenedFromTheMainWindowTotalsTheTypedWeeks)
{
    Form1 &f = startPaid();
    type(f.txtAmount[3], QStringLiteral("2"));
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    Form2 &t = openTracker();
    EXPECT_TRUE(t.isVisible());
    EXPECT_EQ(t.windowTitle(), QStringLiteral("OverTime Percentage"));
    EXPECT_EQ(t.lb_OT->text(), f.lbOverT->text());
    EXPECT_EQ(t.lbWk->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(t.width(), t.windowWidth(true));
    EXPECT_FALSE(t.Frame5->isHidden());
    // A new profile's salary box shows the default.
    EXPECT_EQ(t.txtAnnual->text(), QStringLiteral("15600"));

    Ui::clearAsked();
    type(t.txtApPercent, QStringLiteral("15"));
    type(t.txtOT[0], QStringLiteral("100"));
    type(t.txtOT[1], QStringLiteral("100"));
    QTest::keyClick(t.txtOT[1], Qt::Key_Return);  // Enter presses TOTAL
    EXPECT_EQ(results(t), (Results{QStringLiteral("$200.00"), QStringLiteral("1.28%"), QStringLiteral("$2,340.00"),
                                   QStringLiteral("$2,140.00")}));
    EXPECT_TRUE(Ui::asked().empty());
}

TEST_F(Tracker, TotalsAndMessagesWorkedByHand)
{
    startPaid();
    struct Case {
        const char *name, *salary, *percent, *first, *second;
        bool attention;
        Results shown;  // when no message
    };
    const Case cases[] = {
        {"no salary", "", "15", "100", "", true, {}},
        {"both 0", "0", "0", "100", "", true, {}},
        // A salary of 0 divides: refused like a missing one.
        {"salary 0", "0", "15", "100", "", true, {}},
        {"a lone minus", "-", "15", "100", "", true, {}},
        {"percentage 0",
         "15600",
         "0",
         "120",
         "",
         false,
         {QStringLiteral("$120.00"), QStringLiteral(".77%"), QStringLiteral("$.00"), QStringLiteral("-$120.00")}},
        // "1 000" reads 1000 and "12-3" reads 12.
        {"leading numbers",
         "10000",
         "10",
         "1 000",
         "12-3",
         false,
         {QStringLiteral("$1,012.00"), QStringLiteral("10.12%"), QStringLiteral("$1,000.00"),
          QStringLiteral("-$12.00")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Form2 &t = openTracker();
        type(t.txtAnnual, QLatin1String(c.salary));
        type(t.txtApPercent, QLatin1String(c.percent));
        type(t.txtOT[0], QLatin1String(c.first));
        t.txtOT[1]->clear();
        QTest::keyClicks(t.txtOT[1], QLatin1String(c.second));
        const Results before = results(t);
        const OvertimeStore store = state().overtime;
        Ui::clearAsked();
        t.cmdADD->click();
        if (c.attention) {
            ASSERT_EQ(Ui::asked().size(), 1u);
            EXPECT_EQ(Ui::asked().front().title, QStringLiteral("Attention"));
            EXPECT_EQ(lastAsked(), kAttention);
            EXPECT_EQ(results(t), before);
            EXPECT_EQ(state().overtime, store);
            EXPECT_EQ(t.txtOT[1]->text(), QString()) << "no box is zero-filled";
            // Coming into view again computes quietly: no message, no loop.
            Ui::clearAsked();
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&t, &activate);
            t.hide();
            t.show();
            EXPECT_TRUE(Ui::asked().empty());
            EXPECT_EQ(results(t), before);
        } else {
            EXPECT_TRUE(Ui::asked().empty());
            EXPECT_EQ(results(t), c.shown);
            EXPECT_EQ(t.txtOT[1]->text(), QLatin1String(c.second[0] ? c.second : "0"));
        }
        t.cmdClose->click();
    }
}

// The results are singles: the largest of them, of either sign, show whole
// inside the middle column, and the bi-weekly window ends right of it, with
// the second half-year beyond its edge.
TEST_F(Tracker, TheLargestResultsShowWholeInBothLayouts)
{
    const char *largest = "340282346638528859811704183484516925440";
    const QString minus = QStringLiteral("-") + QLatin1String(largest);
    struct Case {
        QString salary, percent, overtime;
        Results shown;
    };
    const Case cases[] = {
        {QStringLiteral("1"),
         QStringLiteral("1"),
         minus,
         {QStringLiteral("-$340,282,300,000,000,000,000,000,000,000,000,000,000.00"),
          QStringLiteral("-34028230000000000000000000000000000000000.%"), QStringLiteral("$.01"),
          QStringLiteral("$340,282,300,000,000,000,000,000,000,000,000,000,000.00")}},
        {minus,
         QStringLiteral("100"),
         QStringLiteral("0"),
         {QStringLiteral("$.00"), QStringLiteral(".%"),
          QStringLiteral("-$340,282,300,000,000,000,000,000,000,000,000,000,000.00"),
          QStringLiteral("-$340,282,300,000,000,000,000,000,000,000,000,000,000.00")}},
    };
    for (const bool biWeekly : {false, true}) {
        SCOPED_TRACE(biWeekly ? "bi-weekly" : "weekly");
        startPaid(biWeekly);
        Form2 &t = openTracker();
        for (const Case &c : cases) {
            type(t.txtAnnual, c.salary);
            type(t.txtApPercent, c.percent);
            type(t.txtOT[0], c.overtime);
            t.cmdADD->click();
            ASSERT_EQ(results(t), c.shown);
            for (QLabel *l : {t.lbEarned, t.lbMax, t.lbAvail}) {
                EXPECT_TRUE(showsWhole(l)) << l->objectName().toStdString();
                EXPECT_TRUE(t.Frame3->rect().contains(l->geometry())) << l->objectName().toStdString();
            }
            EXPECT_TRUE(showsWhole(t.txtPercent));
            EXPECT_TRUE(t.Frame3->rect().contains(t.txtPercent->geometry()));
        }
        // This period's overtime, as the main window shows its largest.
        t.lb_OT->setText(QLatin1String(kWidestAmount));
        EXPECT_TRUE(showsWhole(t.lb_OT));
        EXPECT_EQ(t.width(), t.windowWidth(!biWeekly));
        const int middleRight = t.Frame3->geometry().right();
        EXPECT_LE(t.lb_OT->geometry().right(), middleRight);
        EXPECT_LT(middleRight, t.Frame5->x());
        if (biWeekly)
            EXPECT_LE(t.width(), t.Frame5->x());
        else
            EXPECT_GT(t.width(), t.Frame5->geometry().right());
        t.cmdClose->click();
    }
}

TEST_F(Tracker, NewWeekAndBackInBothLayouts)
{
    struct Case {
        bool biWeekly;
        int last;
    };
    for (const Case c : {Case{false, 51}, Case{true, 25}}) {
        SCOPED_TRACE(c.last);
        startPaid(c.biWeekly);
        Form2 &t = openTracker();
        EXPECT_EQ(t.width(), t.windowWidth(!c.biWeekly));
        EXPECT_EQ(t.Frame5->isHidden(), c.biWeekly);
        type(t.Text1[1], QStringLiteral("1/14/2005"));
        type(t.txtOT[1], QStringLiteral("5"));
        type(t.Text1[c.last], QStringLiteral("12/30/2005"));
        type(t.txtOT[c.last], QStringLiteral("9"));
        if (c.biWeekly)
            t.txtOT[26]->setText(QStringLiteral("7"));
        const QString earned = t.lbEarned->text();
        t.cmdAdvance->click();
        EXPECT_EQ(t.Text1[0]->text(), QStringLiteral("1/14/2005"));
        EXPECT_EQ(t.txtOT[0]->text(), QStringLiteral("5"));
        EXPECT_EQ(t.Text1[c.last - 1]->text(), QStringLiteral("12/30/2005"));
        EXPECT_EQ(t.Text1[c.last]->text(), QString());
        EXPECT_EQ(t.txtOT[c.last]->text(), QStringLiteral("0"));
        EXPECT_EQ(t.lbEarned->text(), earned) << "the results wait for TOTAL";
        if (c.biWeekly) {
            EXPECT_EQ(t.txtOT[26]->text(), QStringLiteral("7")) << "rows beyond the layout stay";
        }

        t.txtOT[3]->clear();
        t.cmdClose->click();
        EXPECT_FALSE(Forms::isLoaded<Form2>());
        EXPECT_EQ(state().overtime.OTDate[0], "1/14/2005");
        EXPECT_EQ(state().overtime.OTAmount[0], "5");
        EXPECT_EQ(state().overtime.OTAmount[3], "") << "an emptied box is stored empty";
        Forms::unloadAll();
        resetState();
        defineForms();
    }
}

// What the tracker shows is what the calculation's save writes, although
// the calculation reads the settings files again on its way.
TEST_F(Tracker, ACalculationSavesTheOpenTrackerAsItStands)
{
    Form1 &f = startPaid();
    Form2 &t = openTracker();
    type(t.txtAnnual, QStringLiteral("20000"));
    type(t.txtApPercent, QStringLiteral("10"));
    type(t.Text1[0], QStringLiteral("1/7/2005"));
    type(t.txtOT[0], QStringLiteral("150.5"));
    t.cmdADD->click();
    ASSERT_EQ(t.lbAvail->text(), QStringLiteral("$1,849.50"));
    // Typed after TOTAL: saved as typed, with the results last shown.
    type(t.Text1[1], QStringLiteral("1/14/2005"));
    type(t.txtOT[1], QStringLiteral("20"));
    calculate(f);
    EXPECT_FALSE(Forms::isLoaded<Form2>());

    const QStringList use = lines(QStringLiteral(".use"));
    EXPECT_EQ(use[0], QStringLiteral("150.5,2000,1849.5"));
    // The present rate 150.5 / 20000 = 0.007525, kept to two decimals.
    EXPECT_EQ(use[1], QStringLiteral("20000,10,0.01"));
    const QStringList rows = lines(QStringLiteral(".ovw"));
    ASSERT_EQ(rows.size(), 104);
    EXPECT_EQ(rows.mid(0, 6),
              (QStringList{QStringLiteral("\"1/7/2005\""), QStringLiteral("150.5"), QStringLiteral("\"1/14/2005\""),
                           QStringLiteral("20"), QStringLiteral("\"\""), QStringLiteral("0")}));

    // Opened again the tracker shows what was saved, and so does Undo.
    Form2 &again = openTracker();
    EXPECT_EQ(again.txtAnnual->text(), QStringLiteral("20000"));
    EXPECT_EQ(again.txtOT[1]->text(), QStringLiteral("20"));
    type(again.txtAnnual, QStringLiteral("30000"));
    type(again.txtOT[1], QStringLiteral("99"));
    type(again.txtApPercent, QStringLiteral("5"));
    again.cmdUndo->click();
    EXPECT_EQ(again.txtAnnual->text(), QStringLiteral("20000"));
    EXPECT_EQ(again.txtApPercent->text(), QStringLiteral("10"));
    EXPECT_EQ(again.txtOT[1]->text(), QStringLiteral("20"));
    EXPECT_EQ(again.Text1[0]->text(), QStringLiteral("1/7/2005"));
}

// What TOTAL and Back put into the tracker's store is the user's until a save
// writes it: the rereadings of the settings files by the pay stub and by the
// calculation's editor loads keep it. Undo and File Open are the readings
// that give the tracker the files' values.
TEST_F(Tracker, ValuesKeptByTotalAndBackSurviveTheRereadings)
{
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    calculate(f);
    Form2 &t = openTracker();
    type(t.txtAnnual, QStringLiteral("41600"));
    type(t.txtApPercent, QStringLiteral("10"));
    type(t.txtOT[0], QStringLiteral("250.5"));
    t.cmdADD->click();
    t.cmdClose->click();
    ASSERT_FALSE(Forms::isLoaded<Form2>());

    Ui::script(true);   // the command's printer dialog
    Ui::script(false);  // the stub's own, after its readings: nothing printed
    f.cmdPrint->click();
    calculate(f);
    // The present rate 250.5 / 41600 = 0.006, kept to two decimals.
    EXPECT_EQ(lines(QStringLiteral("pat.use"))[1], QStringLiteral("41600,10,0.01"));
    EXPECT_EQ(lines(QStringLiteral("pat.ovw"))[1], QStringLiteral("250.5"));

    // TOTAL alone, the tracker closed by its frame: the salary, the
    // percentage and the rows the total was made from are in the store and
    // saved, so the saved total and rows agree.
    Form2 &again = openTracker();
    type(again.txtApPercent, QStringLiteral("12"));
    type(again.Text1[0], QStringLiteral("1/7/2005"));
    type(again.txtOT[0], QStringLiteral("99"));
    again.cmdADD->click();
    again.close();
    ASSERT_FALSE(Forms::isLoaded<Form2>());
    calculate(f);
    EXPECT_EQ(lines(QStringLiteral("pat.use"))[0], QStringLiteral("99,4992,4893"));
    EXPECT_EQ(lines(QStringLiteral("pat.use"))[1], QStringLiteral("41600,12,0"));
    EXPECT_EQ(lines(QStringLiteral("pat.ovw")).mid(0, 2),
              (QStringList{QStringLiteral("\"1/7/2005\""), QStringLiteral("99")}));

    // Back with a change, then File Open of the profile itself: the files
    // win, and the tracker shows them.
    Form2 &third = openTracker();
    type(third.txtOT[0], QStringLiteral("7"));
    third.cmdClose->click();
    open(QStringLiteral("pat"));
    EXPECT_EQ(openTracker().txtOT[0]->text(), QStringLiteral("99"));
}

// What the tracker shows when the user closes it, by Back or by its close
// button, is kept, with the totals of its rows when its boxes give them; a
// save with the tracker open writes its rows as typed with the totals last
// kept. When the desktop paints or activates the window decides nothing:
// the same clicks, with or without the window coming into view between
// them, give the same files, at the next File Save and the next
// calculation. A refused save before the close changes nothing of that.
TEST_F(Tracker, TheSameClicksGiveTheSameFilesWhateverTheDesktopPaints)
{
    // A folder in the place of the profile's ".cfe" refuses every save.
    const auto obstruct = [this] {
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("pat.cfe")), path(QStringLiteral("pat.cfe.kept"))));
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("pat.cfe")));
    };
    const auto clear = [this] {
        ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("pat.cfe")));
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("pat.cfe.kept")), path(QStringLiteral("pat.cfe"))));
    };
    const auto fileSave = [](Form1 &f) {
        Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdSaveUser->click(); }));
        f.mnuSave_Click();
    };

    // What may or may not come between the clicks, as the desktop decides.
    struct Paint {
        const char *name;
        std::function<void(Form2 &)> happen;
    };
    const Paint paints[] = {
        {"nothing", [](Form2 &) {}},
        {"the events processed and a repaint",
         [](Form2 &t) {
             QCoreApplication::processEvents();
             t.repaint();
         }},
        {"the window activated",
         [](Form2 &t) {
             QEvent activate(QEvent::WindowActivate);
             QApplication::sendEvent(&t, &activate);
         }},
    };
    // 8765 earned on the salary box's 15600 at the 10 % typed: limit 1560.
    const char *kept = "8765,1560,-7205|15600,10,0.56";
    // The clicks after the typing, with the paint where the desktop may put
    // it, and the first two lines of the ".use" the next File Save writes.
    using Run = std::function<void(Form1 &, Form2 &, const std::function<void()> &)>;
    struct Clicks {
        const char *name;
        Run run;
        const char *use;
    };
    using Close = void (*)(Form2 &);
    const Close closeButton = [](Form2 &t) { t.close(); };
    const Close back = [](Form2 &t) { t.cmdClose->click(); };
    const auto painted = [](Close close) -> Run {
        return [close](Form1 &, Form2 &t, const std::function<void()> &paint) {
            paint();
            close(t);
        };
    };
    const auto afterARefused = [&](std::function<void(Form1 &)> save, Close close) -> Run {
        return [&, save, close](Form1 &f, Form2 &t, const std::function<void()> &paint) {
            obstruct();
            pressRefused([&] { save(f); });
            ASSERT_TRUE(t.isVisible());
            paint();
            close(t);
            clear();
        };
    };
    const Clicks clicks[] = {
        {"the close button", painted(closeButton), kept},
        {"Back", painted(back), kept},
        {"the close button after a refused File Save", afterARefused(fileSave, closeButton), kept},
        {"Back after a refused File Save", afterARefused(fileSave, back), kept},
        {"the close button after a refused calculation", afterARefused([](Form1 &f) { calculate(f); }, closeButton),
         kept},
        // A paint while the salary is there, then the salary emptied: the
        // close can make no total, so only the rows are kept.
        {"the close button, the salary emptied after the paint",
         [](Form1 &, Form2 &t, const std::function<void()> &paint) {
             paint();
             t.txtAnnual->clear();
             t.close();
         },
         "0,0,0|15600,0,0"},
        // Saves that close the tracker: the boxes as typed, the totals as
        // last kept (none since the profile was saved).
        {"a calculation with the tracker open",
         [](Form1 &f, Form2 &, const std::function<void()> &paint) {
             paint();
             calculate(f);
         },
         "0,0,0|15600,10,0"},
        {"File Save with the tracker open",
         [&](Form1 &f, Form2 &, const std::function<void()> &paint) {
             paint();
             fileSave(f);
         },
         "0,0,0|15600,10,0"},
    };

    using Files = QMap<QString, QByteArray>;
    const auto profileFiles = [this] {
        Files all;
        for (const QString &name : files())
            all[name] = read(name);
        return all;
    };
    const auto same = [](const Files &a, const Files &b, const char *when) {
        QStringList names = a.keys() + b.keys();
        names.removeDuplicates();
        for (const QString &name : names)
            EXPECT_EQ(a.value(name).toStdString(), b.value(name).toStdString()) << when << ": " << name.toStdString();
    };
    const auto firstLines = [this](const char *file, int n) {
        return lines(QLatin1String(file)).mid(0, n).join(QLatin1Char('|')).toStdString();
    };
    for (const Clicks &c : clicks) {
        std::optional<std::pair<Files, Files>> first;
        for (const Paint &p : paints) {
            SCOPED_TRACE(std::string(c.name) + ", " + p.name);
            removeAll();
            Form1 &f = restart();
            userInfo([](frmTaxInfo &info) { type(info.txtHourRate, QStringLiteral("15")); });
            saveAs(QStringLiteral("pat"));

            Form2 &t = openTracker();
            type(t.txtApPercent, QStringLiteral("10"));
            type(t.Text1[0], QStringLiteral("1/7/2005"));
            type(t.txtOT[0], QStringLiteral("8765"));
            c.run(f, t, [&] { p.happen(t); });
            ASSERT_FALSE(Forms::isLoaded<Form2>());

            fileSave(f);
            const Files saved = profileFiles();
            EXPECT_EQ(firstLines("pat.ovw", 2), "\"1/7/2005\"|8765") << "the row shown is kept";
            EXPECT_EQ(firstLines("pat.use", 2), c.use);
            calculate(f);
            const Files calculated = profileFiles();
            if (!first) {
                first.emplace(saved, calculated);
                continue;
            }
            same(saved, first->first, "after File Save");
            same(calculated, first->second, "after the calculation");
        }
    }
}

TEST_F(Tracker, UndoShowsAStoredSalaryOfZeroAsZero)
{
    startPaid();
    Form2 &t = openTracker();
    QStringList use = lines(QStringLiteral(".use"));
    use[1] = QStringLiteral("0,5,0");
    write(QStringLiteral(".use"), (use.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    t.cmdUndo->click();
    EXPECT_EQ(t.txtAnnual->text(), QStringLiteral("0"));
    EXPECT_EQ(t.txtApPercent->text(), QStringLiteral("5"));
}

TEST_F(Tracker, ASalaryBeyondA32BitNumberIsRefusedBeforeTheSave)
{
    Form1 &f = startPaid();
    const QByteArray before = read(QStringLiteral(".use"));
    Form2 &t = openTracker();
    type(t.txtAnnual, QString(40, QLatin1Char('9')));
    Ui::clearAsked();
    calculate(f);
    ASSERT_FALSE(Ui::asked().empty());
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("Annual Salary:"))) << lastAsked().toStdString();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("too large")));
    EXPECT_EQ(read(QStringLiteral(".use")), before);
}

TEST_F(Tracker, ArrowKeysFollowTheGrid)
{
    struct Case {
        bool biWeekly;
        bool fromDate;
        int row;
        Qt::Key key;
        bool toDate;
        int to;
    };
    const Case cases[] = {
        {false, true, 0, Qt::Key_Up, true, 0},       {false, true, 4, Qt::Key_Up, true, 3},
        {false, true, 4, Qt::Key_Down, true, 5},     {false, true, 4, Qt::Key_Right, false, 4},
        {false, true, 4, Qt::Key_Left, true, 4},     {false, false, 4, Qt::Key_Left, true, 4},
        {false, false, 4, Qt::Key_Right, false, 4},  {false, false, 51, Qt::Key_Down, false, 51},
        {false, false, 25, Qt::Key_Down, false, 26}, {true, false, 25, Qt::Key_Down, false, 25},
        {true, true, 0, Qt::Key_Down, true, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + " key " + std::to_string(c.key) + (c.biWeekly ? " bi-weekly" : ""));
        state().profile.WeeklyPay = c.biWeekly ? kFalse : kTrue;
        Form2 &t = tracker();
        t.show();
        QApplication::setActiveWindow(&t);
        QLineEdit *from = c.fromDate ? t.Text1[c.row] : t.txtOT[c.row];
        from->setFocus();
        QTest::keyClick(from, c.key);
        QLineEdit *to = c.toDate ? t.Text1[c.to] : t.txtOT[c.to];
        EXPECT_TRUE(to->hasFocus());
        Forms::unload(Form2::kName);
    }
}

TEST_F(Tracker, TabFollowsTheRowsOfTheLayoutThenTheButtons)
{
    startPaid(true);
    Form2 &t = openTracker();
    QApplication::setActiveWindow(&t);
    t.Text1[25]->setFocus();
    QTest::keyClick(t.Text1[25], Qt::Key_Tab);
    EXPECT_TRUE(t.txtOT[25]->hasFocus());
    QTest::keyClick(t.txtOT[25], Qt::Key_Tab);
    EXPECT_TRUE(t.cmdADD->hasFocus()) << "the hidden rows 27 to 52 are skipped";
    t.txtApPercent->setFocus();
    QTest::keyClick(t.txtApPercent, Qt::Key_Tab);
    EXPECT_TRUE(t.Text1[0]->hasFocus());
}

TEST_F(Tracker, TheDatePickerChangesTheRowOnlyWhenTheUserPicks)
{
    startPaid();
    Form2 &t = openTracker();
    // An empty box: the picker opens at today and the box stays empty until
    // OK writes the date.
    Ui::script(Ui::ModalAction([&t](QWidget *w) {
        auto &picker = static_cast<frmDate &>(*w);
        EXPECT_EQ(picker.DTPicker1->date(), QDate(2005, 3, 10));
        EXPECT_EQ(t.Text1[3]->text(), QString());
        picker.Command1->click();
    }));
    QTest::mouseClick(t.Text1[3], Qt::LeftButton);
    EXPECT_EQ(t.DateRow, 3);
    EXPECT_EQ(t.Text1[3]->text(), QStringLiteral("3/10/2005"));

    // A date in the box: the picker starts there; a pick shows at once, and
    // closing without OK keeps it.
    type(t.Text1[4], QStringLiteral("3/4/2005"));
    Ui::script(Ui::ModalAction([&t](QWidget *w) {
        auto &picker = static_cast<frmDate &>(*w);
        EXPECT_EQ(picker.DTPicker1->date(), QDate(2005, 3, 4));
        picker.DTPicker1->setDate(QDate(2005, 8, 14));
        EXPECT_EQ(t.Text1[4]->text(), QStringLiteral("8/14/2005"));
    }));
    QTest::mouseClick(t.Text1[4], Qt::LeftButton);
    EXPECT_EQ(t.Text1[4]->text(), QStringLiteral("8/14/2005"));
    EXPECT_FALSE(Forms::isLoaded<frmDate>());

    // Text that is no date is replaced by today's at once.
    type(t.Text1[5], QStringLiteral("abc"));
    Ui::script(Ui::ModalAction([&t](QWidget *) { EXPECT_EQ(t.Text1[5]->text(), QStringLiteral("3/10/2005")); }));
    QTest::mouseClick(t.Text1[5], Qt::LeftButton);

    // Today after the picker's range: it opens on the range's last day, and
    // an empty box stays empty.
    frmDate::today = [] { return QDate(2024, 6, 1); };
    Ui::script(Ui::ModalAction([&t](QWidget *w) {
        EXPECT_EQ(static_cast<frmDate &>(*w).DTPicker1->date(), QDate(2005, 12, 31));
        EXPECT_EQ(t.Text1[6]->text(), QString());
    }));
    QTest::mouseClick(t.Text1[6], Qt::LeftButton);
    EXPECT_EQ(t.Text1[6]->text(), QString());
}

// The tracker's picker is red, its calendar is not: the drop-down shows its
// days in the program's colours, those of the main window's pay-date
// picker.
TEST_F(Tracker, TheDatePickerIsRedButItsCalendarDropsInTheProgramsColours)
{
    struct Painted {
        QWidget *popup = nullptr;  // the drop-down window
        std::vector<std::pair<const char *, QPalette>> palettes;
    };
    // Drops the picker's calendar with a click on its arrow, as the user does,
    // and keeps the palettes of what it paints with.
    const auto drop = [](platform::DateForm &picker) {
        Painted painted;
        QDateEdit *edit = picker.DTPicker1;
        QStyleOptionComboBox option;
        option.initFrom(edit);
        option.editable = true;
        option.subControls = QStyle::SC_All;
        const QRect arrow = edit->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, edit);
        QTest::mouseClick(edit, Qt::LeftButton, {}, arrow.center());
        QCalendarWidget *calendar = edit->calendarWidget();
        painted.popup = calendar->window();
        EXPECT_TRUE(painted.popup->isVisible()) << "the calendar did not drop";
        auto *days = calendar->findChild<QTableView *>();
        EXPECT_NE(days, nullptr);
        painted.palettes = {{"the drop-down", painted.popup->palette()}, {"the calendar", calendar->palette()}};
        if (days) {
            painted.palettes.emplace_back("its days", days->palette());
            painted.palettes.emplace_back("its days' viewport", days->viewport()->palette());
        }
        // The year's box, on view while the user types a year.
        auto *year = calendar->findChild<QSpinBox *>();
        EXPECT_NE(year, nullptr);
        if (year)
            painted.palettes.emplace_back("its year box", year->palette());
        painted.popup->hide();
        return painted;
    };

    Form1 &f = startPaid();
    Painted normal;
    Ui::script(Ui::ModalAction([&](QWidget *w) { normal = drop(static_cast<frmDateMain &>(*w)); }));
    f.txtWeek_Click();
    ASSERT_NE(normal.popup, nullptr) << "no pay-date picker showed";

    Form2 &t = openTracker();
    Painted tracker;
    QColor window;
    bool filled = false;
    Ui::script(Ui::ModalAction([&](QWidget *w) {
        auto &picker = static_cast<frmDate &>(*w);
        window = picker.palette().color(QPalette::Window);
        filled = picker.autoFillBackground();
        tracker = drop(picker);
    }));
    QTest::mouseClick(t.Text1[3], Qt::LeftButton);
    ASSERT_NE(tracker.popup, nullptr) << "no tracker's picker showed";
    EXPECT_EQ(window, QColor(Qt::red)) << "the picker is no longer red";
    EXPECT_TRUE(filled) << "the picker's red is not painted";

    ASSERT_EQ(tracker.palettes.size(), normal.palettes.size());
    const QPalette::ColorRole roles[] = {QPalette::Window,     QPalette::Base,           QPalette::AlternateBase,
                                         QPalette::Button,     QPalette::Light,          QPalette::Midlight,
                                         QPalette::Mid,        QPalette::Dark,           QPalette::Shadow,
                                         QPalette::Highlight,  QPalette::Text,           QPalette::WindowText,
                                         QPalette::ButtonText, QPalette::HighlightedText};
    for (std::size_t i = 0; i < tracker.palettes.size(); ++i) {
        const auto &[what, palette] = tracker.palettes[i];
        SCOPED_TRACE(what);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (const QPalette::ColorRole role : roles) {
                SCOPED_TRACE(::testing::Message()
                             << QMetaEnum::fromType<QPalette::ColorGroup>().valueToKey(group) << " "
                             << QMetaEnum::fromType<QPalette::ColorRole>().valueToKey(role));
                const std::string color = palette.color(group, role).name().toStdString();
                EXPECT_NE(color, QColor(Qt::red).name().toStdString()) << "red as the picker";
                EXPECT_EQ(color, normal.palettes[i].second.color(group, role).name().toStdString())
                    << "not as the pay-date picker's calendar";
            }
        }
    }
}

TEST_F(Tracker, PrintingWithTheDialogCancelledPrintsNothing)
{
    startPaid();
    Form2 &t = openTracker();
    t.printer().setOutputFormat(QPrinter::PdfFormat);
    t.printer().setOutputFileName(path(QStringLiteral("tracker.pdf")));
    Ui::script(false);
    t.cmdPrint->click();
    EXPECT_FALSE(exists(QStringLiteral("tracker.pdf")));
    Ui::script(true);
    t.cmdPrint->click();
    EXPECT_TRUE(exists(QStringLiteral("tracker.pdf")));
}

}  // namespace
}  // namespace wagedesk::testing
