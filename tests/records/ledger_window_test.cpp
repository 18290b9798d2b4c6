// The year-to-date window set driven as a user would: a calculation, the
// main window's Year to Date, clicks on week numbers, the menus, and the
// files, report and workbook they make.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>

#include <algorithm>
#include <clocale>
#include <optional>
#include <string>

#include "core/windows/services.h"
#include "printed_sheets.h"
#include "printing/windows/heading.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/stores.h"
#include "records/year_ledger.h"
#include "records_fixture.h"

namespace wagedesk::testing {
namespace {

using payrecords::twips;
using platform::Answer;
using platform::Forms;
using platform::Ui;

const QString kNonNumber = QStringLiteral("CHECK YOUR ENTRY FOR NON NUMBER TYPE");

// A weekly year-to-date file: row 0 dated 01/07/05 with the given gross,
// the other rows unused, the gross total as given (which need not be the
// rows' sum: the reader takes the stored total).
QByteArray weeklyYearFile(const char *rowGross, const char *totalGross)
{
    QByteArray file;
    for (int i = 0; i < 52; ++i) {
        file += i == 0 ? "\"01/07/05\",0,0,0,0\r\n" : "\"\",0,0,0,0\r\n";
        file += "0,0,0,0,0\r\n";
        file += i == 0 ? QByteArray("0,0,0,") + rowGross + ",0\r\n" : QByteArray("0,0,0,0,0\r\n");
        file += "0,0,0,0\r\n";
    }
    file += "0,0,0,0,0\r\n0,0,0,0,0\r\n";
    file += QByteArray("0,0,") + totalGross + ",0,0\r\n";
    return file;
}

class Ledger : public RecordsTest {
protected:
    static MDIForm1 &container() { return Forms::get<MDIForm1>(); }
    static frmYear &grid() { return Forms::get<frmYear>(); }
    static frmYearTot &totals() { return Forms::get<frmYearTot>(); }
    // The container's width for the width it asks for: at most what its
    // screen's available area holds with the desktop's frame.
    static int onScreen(int wanted)
    {
        const MDIForm1 &c = container();
        const int frame = c.frameGeometry().width() - c.width();
        return std::min(wanted, c.screen()->availableGeometry().width() - frame);
    }
    static void closeWith(Answer answer)
    {
        Ui::script(answer);
        container().mnuClose->trigger();
    }
    // A profile "pat" with the running profile's settings.
    void makePat(const QByteArray &yearFile = {})
    {
        write(QStringLiteral("pat.use"), read(QStringLiteral(".use")));
        if (!yearFile.isEmpty())
            write(QStringLiteral("pat.yrw"), yearFile);
    }
};

TEST_F(Ledger, APeriodPastedAndSavedReachesTheGridTheTotalsAndTheFile)
{
    Form1 &f = startPaid();
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.cmdYear->click();
    ASSERT_TRUE(container().isVisible());
    frmYear &g = grid();
    // The profile's deduction names head both blocks and the totals.
    EXPECT_EQ(g.upperHeadings[6]->text(), QStringLiteral("CrUnion"));
    EXPECT_EQ(g.findChild<QLabel *>(QStringLiteral("Label22"))->text(), QStringLiteral("Misc."));
    EXPECT_EQ(totals().Label7to11[0]->text(), QStringLiteral("CrUnion"));
    // An empty year after the opener: amounts in the ledger's pattern.
    EXPECT_EQ(g.txtFed[0]->text(), QStringLiteral(".00"));

    QTest::mouseClick(g.Label2[0], Qt::LeftButton);
    EXPECT_EQ(g.txtDate[0]->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(g.txtFed[0]->text(), QStringLiteral("57.04"));
    EXPECT_EQ(g.txtSS[0]->text(), QStringLiteral("37.20"));
    EXPECT_EQ(g.txtMedi[0]->text(), QStringLiteral("8.70"));
    EXPECT_EQ(g.txtState[0]->text(), QStringLiteral("24.28"));
    EXPECT_EQ(g.txtCity[0]->text(), QStringLiteral("15.05"));
    EXPECT_EQ(g.txtNet[0]->text(), QStringLiteral("600.00"));    // gross, under "Gross"
    EXPECT_EQ(g.txtGross[0]->text(), QStringLiteral("457.73"));  // net, under "Net"
    EXPECT_EQ(totals().txtTotFed->text(), QStringLiteral("57.04"));
    EXPECT_EQ(totals().txtTotNet->text(), QStringLiteral("600.00"));
    EXPECT_EQ(totals().txtTotGross->text(), QStringLiteral("457.73"));
    EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    EXPECT_FLOAT_EQ(state().year.TotSS, 37.2f);

    closeWith(Answer::Yes);
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    const QStringList yrw = lines(QStringLiteral(".yrw"));
    ASSERT_EQ(yrw.size(), 211);
    EXPECT_EQ(yrw[0], QStringLiteral("\"01/07/05\",57.04,37.2,8.7,24.28"));
    EXPECT_EQ(yrw[1], QStringLiteral("15.05,0,0,0,0"));
    EXPECT_EQ(yrw[2], QStringLiteral("0,0,0,600,457.73"));
    EXPECT_EQ(yrw[3], QStringLiteral("0,0,0,0"));
    EXPECT_EQ(yrw[4], QStringLiteral("\"\",0,0,0,0"));
    EXPECT_EQ(yrw[208], QStringLiteral("57.04,37.2,8.7,24.28,15.05"));
    EXPECT_EQ(yrw[209], QStringLiteral("0,0,0,0,0"));
    EXPECT_EQ(yrw[210], QStringLiteral("0,0,600,457.73,0"));

    // Opened again, the ledger shows the file.
    f.cmdYear->click();
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("600.00"));
    EXPECT_EQ(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
}

// A ledger that the program reads over (the pay stub) or closes without
// asking (a calculation's save) keeps what the user pasted and typed: the
// next opening shows it and its Close saves it. File Open lets it go.
TEST_F(Ledger, WhatAnOpenLedgerShowsSurvivesAPayStubAndACalculation)
{
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    type(grid().txtTips[0], QStringLiteral("12"));

    Ui::script(true);   // the command's printer dialog
    Ui::script(false);  // the stub's own, after it has read the year
    f.cmdPrint->click();
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("600.00"));
    EXPECT_EQ(grid().txtTips[0]->text(), QStringLiteral("12"));

    calculate(f, QStringLiteral("40"), QStringLiteral("01/14/05"));
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_FALSE(exists(QStringLiteral("pat.yrw")));
    EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    f.cmdYear->click();
    EXPECT_EQ(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(grid().txtTips[0]->text(), QStringLiteral("12"));
    QTest::mouseClick(grid().Label2[1], Qt::LeftButton);
    closeWith(Answer::Yes);
    const QStringList yrw = lines(QStringLiteral("pat.yrw"));
    ASSERT_EQ(yrw.size(), 211);
    EXPECT_EQ(yrw[0], QStringLiteral("\"01/07/05\",57.04,37.2,8.7,24.28"));
    EXPECT_EQ(yrw[3], QStringLiteral("0,0,0,12"));
    EXPECT_TRUE(yrw[4].startsWith(QStringLiteral("\"01/14/05\","))) << yrw[4].toStdString();

    // Set aside once more, the year file there: the set a pay stub opens
    // (the stub reads the year as saved) shows it again, and it is no
    // longer set aside. Then the profile opened anew: the ledger's question
    // once; answered No, the file wins.
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[2], Qt::LeftButton);
    calculate(f);
    ASSERT_FALSE(Forms::isLoaded<MDIForm1>());
    Ui::script(true);
    Ui::script(false);
    f.cmdPrint->click();
    ASSERT_TRUE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(grid().txtDate[2]->text(), QStringLiteral("01/14/05"));
    EXPECT_EQ(grid().txtNet[2]->text(), QStringLiteral("600.00"));
    Ui::clearAsked();
    Ui::script(Answer::No);
    open(QStringLiteral("pat"));
    EXPECT_EQ(askedTexts().count(QStringLiteral("     Do you want to save YTD")), 1);
    f.cmdYear->click();
    EXPECT_EQ(grid().txtDate[1]->text(), QStringLiteral("01/14/05"));
    EXPECT_EQ(grid().txtDate[2]->text(), QString());

    // Nothing unsaved: the set the pay stub opened (plain texts) is not set
    // aside, and the next opening shows the ledger's amounts as usual.
    closeWith(Answer::No);
    Ui::script(true);
    Ui::script(false);
    f.cmdPrint->click();
    ASSERT_EQ(grid().txtFed[2]->text(), QStringLiteral("0"));
    calculate(f);
    f.cmdYear->click();
    EXPECT_EQ(grid().txtFed[2]->text(), QStringLiteral(".00"));
}

TEST_F(Ledger, RightClickDeletesTheRowOtherButtonsDoNothingNoWritesTheFileNot)
{
    Form1 &f = startPaid();
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.cmdYear->click();
    frmYear &g = grid();
    Ui::clearAsked();
    QTest::mouseClick(g.Label2[1], Qt::LeftButton);
    QTest::mouseClick(g.Label2[4], Qt::LeftButton);
    EXPECT_EQ(totals().txtTotNet->text(), QStringLiteral("1200.00"));

    QTest::mouseClick(g.Label2[1], Qt::RightButton);
    for (QWidget *cell : std::initializer_list<QWidget *>{g.txtDate[1], g.txtFed[1], g.txtOT[1]})
        EXPECT_EQ(static_cast<QLabel *>(cell)->text(), QStringLiteral("0"));
    EXPECT_EQ(g.txtNet[1]->text(), QStringLiteral("0"));
    EXPECT_EQ(totals().txtTotNet->text(), QStringLiteral("600.00"));

    QTest::mouseClick(g.Label2[7], Qt::MiddleButton);
    EXPECT_EQ(g.txtDate[7]->text(), QStringLiteral(""));
    EXPECT_EQ(totals().txtTotNet->text(), QStringLiteral("600.00"));
    EXPECT_TRUE(Ui::asked().empty());

    closeWith(Answer::No);
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_FALSE(exists(QStringLiteral(".yrw")));
    // What was discarded counts toward no wage base: the year is what its
    // file holds, and there is none.
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
}

// The next period's Social Security counts the year-to-date gross that the
// file stores, against the 90 000 base: $1 000 at 6.2 %.
TEST_F(Ledger, SocialSecurityStopsAtTheBaseFromTheStoredYearToDateGross)
{
    Form1 &f = startPaid();
    makePat();
    struct Case {
        const char *storedGross;
        const char *socialSecurity;
    };
    for (const Case c : {Case{"0", "62.00"}, Case{"89500", "31.00"}, Case{"90000", ".00"}}) {
        SCOPED_TRACE(c.storedGross);
        // The rows hold less: the stored total is what counts.
        write(QStringLiteral("pat.yrw"), weeklyYearFile("100", c.storedGross));
        open(QStringLiteral("pat"));
        ASSERT_EQ(state().CurrentUser, "pat");
        EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(std::stod(c.storedGross)));
        type(f.txtAmount[6], QStringLiteral("1000"));
        f.cmdCal->click();
        EXPECT_EQ(f.lbTaxDed[1]->text(), QLatin1String(c.socialSecurity));
        EXPECT_EQ(f.lbTaxDed[2]->text(), QStringLiteral("14.50"));
    }
}

// The start reads the default profile's year file as File Open reads an
// opened one's: the first calculation of a run already counts the year, the
// same whether or not the ledger was looked at.
TEST_F(Ledger, TheFirstCalculationOfARunCountsTheSavedYear)
{
    startPaid();
    write(QStringLiteral(".yrw"), weeklyYearFile("95000", "95000"));
    Form1 &f = restart();
    EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(95000));
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>()) << "the start shows no ledger";
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[1]->text(), QStringLiteral(".00"));
    const QString first = f.lbNet->text();
    f.cmdYear->click();
    closeWith(Answer::No);
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[1]->text(), QStringLiteral(".00"));
    EXPECT_EQ(f.lbNet->text(), first);

    // A damaged file is told once and kept beside itself; the year starts
    // empty.
    const QByteArray damaged("\"01/07/05\",1,2\r\n");
    write(QStringLiteral(".yrw"), damaged);
    Ui::clearAsked();
    restart();
    int named = 0;
    for (const QString &text : askedTexts())
        named += text.contains(QStringLiteral(".yrw")) ? 1 : 0;
    EXPECT_EQ(named, 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(read(QStringLiteral(".yrw.damaged")), damaged);
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
}

TEST_F(Ledger, ACloseWhoseTotalsCannotBeFormedWritesNothingAndStaysOpen)
{
    Form1 &f = startPaid();
    calculate(f);
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    QTest::keyClicks(grid().txtTips[0], QStringLiteral("1E20"));
    Ui::clearAsked();
    closeWith(Answer::Yes);
    EXPECT_EQ(askedTexts(), (QStringList{QStringLiteral("     Do you want to save YTD"), kNonNumber}));
    EXPECT_FALSE(exists(QStringLiteral(".yrw")));
    EXPECT_TRUE(container().isVisible());
    EXPECT_TRUE(grid().isVisible());
    EXPECT_EQ(state().year.YearCloseAllowed, kFalse);
    // Mended, the close goes through.
    type(grid().txtTips[0], QStringLiteral("5"));
    closeWith(Answer::Yes);
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(lines(QStringLiteral(".yrw"))[3], QStringLiteral("0,0,0,5"));
}

TEST_F(Ledger, AYearFileThatCannotBeWrittenIsNamedAndTheSetStaysOpen)
{
    Form1 &f = startPaid();
    calculate(f);
    // A folder stands where the file would go: it cannot be replaced.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral(".yrw")));
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    Ui::clearAsked();
    closeWith(Answer::Yes);
    ASSERT_EQ(Ui::asked().size(), 2u);
    EXPECT_TRUE(lastAsked().contains(QStringLiteral(".yrw"))) << lastAsked().toStdString();
    EXPECT_TRUE(container().isVisible());
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("600.00"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral(".yrw"))).isDir());
}

TEST_F(Ledger, ADamagedYearFileIsNamedOnceAndTheYearStartsEmpty)
{
    Form1 &f = startPaid();
    calculate(f);
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    closeWith(Answer::Yes);
    ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));

    makePat("\"01/07/05\",1,2\r\n");
    Ui::clearAsked();
    open(QStringLiteral("pat"));
    int named = 0;
    for (const QString &text : askedTexts())
        named += text.contains(QStringLiteral("pat.yrw")) ? 1 : 0;
    EXPECT_EQ(named, 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
    // File Open went on with an empty year, nothing of the file half-read.
    EXPECT_EQ(f.windowTitle(), QStringLiteral("  User:  pat"));
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
    EXPECT_EQ(grid().txtDate[0]->text(), QString());
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(payrecords::yearLedger(), payrecords::YearLedger{});
}

TEST_F(Ledger, AnotherProfileWithoutFilesStartsItsYearEmpty)
{
    Form1 &f = startPaid();
    makePat(weeklyYearFile("5000", "5000"));
    write(QStringLiteral("kim.use"), read(QStringLiteral(".use")));
    open(QStringLiteral("pat"));
    ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(5000));
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("5000"));

    open(QStringLiteral("kim"));
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
    EXPECT_EQ(grid().txtNet[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(grid().txtDate[0]->text(), QString());

    // The profile that is open, opened again: its year is what its file
    // holds, a period pasted and discarded with No counting nowhere.
    calculate(f);
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[2], Qt::LeftButton);
    closeWith(Answer::No);
    open(QStringLiteral("kim"));
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
    EXPECT_EQ(grid().txtNet[2]->text(), QStringLiteral("0"));
}

// A File Open that stops after the records have read the opened profile
// (the core puts its store back) leaves the records of the profile that
// stays open, the leave window's boxes included.
TEST_F(Ledger, AnOpenThatFailsLeavesTheRecordsAsTheyWere)
{
    Form1 &f = startPaid();
    calculate(f);
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    closeWith(Answer::Yes);
    f.Command1->click();
    DialogVac &leave = Forms::get<DialogVac>();
    type(leave.Vac.txtBal, QStringLiteral("10"));
    makePat(weeklyYearFile("5000", "5000"));

    const ProgramState before = state();
    Records &service = records();
    service.openStarting();
    state().CurrentUser = "pat";
    service.LoadYearToDate();
    service.GetVac();
    ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(5000));
    ASSERT_EQ(leave.Vac.txtBal->text(), QStringLiteral("0"));
    state() = before;
    service.openFailed();

    EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    EXPECT_FLOAT_EQ(payrecords::yearLedger().rows[0].Gross, 600);
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(leave.Vac.txtBal->text(), QStringLiteral("10"));
}

TEST_F(Ledger, TheCloseBoxIsRefusedAndNothingTypedIsLost)
{
    Form1 &f = startPaid();
    f.cmdYear->click();
    type(grid().txtNet[3], QStringLiteral("250"));
    Ui::clearAsked();
    EXPECT_FALSE(container().close());
    EXPECT_EQ(askedTexts(), QStringList{QStringLiteral("USE CLOSE INSTEAD")});
    EXPECT_EQ(Ui::asked().front().title, QStringLiteral("WageDesk"));
    EXPECT_TRUE(container().isVisible());
    EXPECT_TRUE(grid().isVisible());
    EXPECT_TRUE(totals().isVisible());
    EXPECT_EQ(grid().txtNet[3]->text(), QStringLiteral("250"));
    // The Close button asks as the menu does.
    Ui::script(Answer::Yes);
    grid().cmdBack->click();
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(lines(QStringLiteral(".yrw"))[14], QStringLiteral("0,0,0,250,0"));
}

TEST_F(Ledger, TheGridIsAsHighAsTheFrequencyWantsAndTheTotalsSitBelowIt)
{
    struct Case {
        bool biWeekly;
        int height;
    };
    for (const Case c : {Case{false, 12075}, Case{true, 6130}}) {
        SCOPED_TRACE(c.height);
        Form1 &f = startPaid(c.biWeekly);
        f.cmdYear->click();
        QMdiSubWindow *g = container().gridFrame();
        QMdiSubWindow *t = container().totalsFrame();
        EXPECT_EQ(g->pos(), QPoint(0, 0));
        EXPECT_EQ(g->height(), twips(c.height));
        EXPECT_EQ(t->pos(), QPoint(0, twips(c.height)));
        EXPECT_EQ(container().width(), onScreen(g->width() + twips(425)));
        // The second block lies below the grid's edge in the 26-row layout.
        const QPoint row27 = grid().Label2[26]->mapTo(g, QPoint(0, 0));
        EXPECT_EQ(row27.y() < g->height(), !c.biWeekly);
        // Activated again after the user widened it, the width comes back.
        container().resize(container().width() + 100, container().height());
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&container(), &activate);
        EXPECT_EQ(container().width(), onScreen(g->width() + twips(425)));
        Forms::unloadAll();
        resetState();
        defineForms();
    }
}

// Each column widens for the longest text it shows, cells, totals and the
// profile's deduction names alike; the window set follows, and the columns
// narrow again when the texts are gone.
TEST_F(Ledger, ColumnsWidenForTheirLongestTextAndNarrowAgain)
{
    Form1 &f = startPaid();
    f.cmdYear->click();
    const int designWidth = grid().width(), designTotals = totals().width();
    closeWith(Answer::No);
    userInfo([](frmTaxInfo &info) { type(info.txtTax5, QStringLiteral("Credit Union Dues and Fees")); });
    type(f.txtAmount[6], QStringLiteral("900000000000000"));
    calculate(f, QStringLiteral("0"), QStringLiteral("01/07/05"));
    ASSERT_EQ(f.Label13->text(), QStringLiteral("$900,000,000,000,000.00"));
    f.cmdYear->click();
    frmYear &g = grid();
    QTest::mouseClick(g.Label2[0], Qt::LeftButton);
    ASSERT_EQ(g.txtNet[0]->text(), QStringLiteral("900000000000000.00"));

    const std::vector<QLabel *> labels{
        g.txtDate[0], g.txtFed[0], g.txtSS[0],         g.txtMedi[0],       g.txtState[0],         g.txtCity[0],
        g.txtMuni[0], g.txtOT[0],  g.upperHeadings[6], g.lowerHeadings[6], totals().Label7to11[0]};
    for (QLabel *l : labels)
        EXPECT_TRUE(showsWhole(l)) << l->objectName().toStdString();
    frmYearTot &t = totals();
    for (QLineEdit *b : {g.txtGross[0], g.txtNet[0], t.txtTotFed, t.txtTotMedi, t.txtTotGross, t.txtTotNet})
        EXPECT_TRUE(showsWhole(b)) << b->objectName().toStdString();
    // Side by side still, row by row, and the frames and the container
    // as wide as the windows in them.
    const std::vector<QWidget *> row{g.txtDate[0],  g.txtFed[0],  g.txtSS[0],    g.txtMedi[0],
                                     g.txtState[0], g.txtCity[0], g.txtMuni[0],  g.txtBond[0],
                                     g.txtDues[0],  g.txtPen[0],  g.txtMisc[0],  g.txtKplan[0],
                                     g.txtTips[0],  g.txtOT[0],   g.txtGross[0], g.txtNet[0]};
    for (std::size_t c = 1; c < row.size(); ++c)
        EXPECT_LT(row[c - 1]->geometry().right(), row[c]->x()) << row[c]->objectName().toStdString();
    EXPECT_LE(row.back()->geometry().right(), g.width());
    EXPECT_GT(g.width(), designWidth);
    EXPECT_GT(t.width(), designTotals);
    EXPECT_GE(container().gridFrame()->width(), g.width());
    EXPECT_GE(container().totalsFrame()->width(), t.width());
    EXPECT_EQ(container().width(), onScreen(container().gridFrame()->width() + twips(425)));

    userInfo([](frmTaxInfo &info) { type(info.txtTax5, QStringLiteral("CrUnion")); });
    container().mnuClearAll->trigger();
    EXPECT_EQ(g.txtNet[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(g.width(), designWidth);
    EXPECT_EQ(t.width(), designTotals);
}

// A pay date far longer than the screen is wide, pasted into the ledger:
// the set stays inside the screen's available area, however near its edge
// it was, and its area scrolls across the grid, so the menu, the week
// numbers and the last column are all in reach.
TEST_F(Ledger, AGridWiderThanTheScreenScrollsInsideTheSet)
{
    Form1 &f = startPaid();
    const QString longDate(21000, u'1');
    calculate(f, QStringLiteral("40"), longDate);
    f.cmdYear->click();
    MDIForm1 &c = container();
    const QRect area = c.screen()->availableGeometry();
    c.move(area.x() + area.width() - 300, area.y() + 10);
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    ASSERT_EQ(grid().txtDate[0]->text(), longDate);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    ASSERT_GT(c.gridFrame()->width(), area.width());
    EXPECT_TRUE(area.contains(c.frameGeometry())) << "the set passes the screen's edge";
    EXPECT_EQ(c.width(), onScreen(c.gridFrame()->width() + twips(425)));
    EXPECT_TRUE(c.rect().contains(c.menuBar->geometry()));
    QScrollBar *across = c.area->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    // In view in the area at the scroll bar's value.
    QWidget *view = c.area->viewport();
    auto inView = [view](QWidget *w) { return view->rect().contains(QRect(w->mapTo(view, QPoint(0, 0)), w->size())); };
    across->setValue(0);
    EXPECT_TRUE(inView(grid().Label2[0]));
    across->setValue(across->maximum());
    EXPECT_TRUE(inView(grid().txtGross[0])) << "the last column out of reach";
}

TEST_F(Ledger, PayCellsTakeOnlyNumberCharactersTipsTakeAnyText)
{
    startPaid();
    Forms::get<Form1>().cmdYear->click();
    frmYear &g = grid();
    for (QLineEdit *box : {g.txtNet[0], g.txtGross[0], totals().txtTotNet, totals().txtTotGross}) {
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1a2,-b. 5"));
        EXPECT_EQ(box->text(), QStringLiteral("12-. 5")) << box->objectName().toStdString();
    }
    g.txtTips[0]->clear();
    QTest::keyClicks(g.txtTips[0], QStringLiteral("n/a"));
    EXPECT_EQ(g.txtTips[0]->text(), QStringLiteral("n/a"));
}

TEST_F(Ledger, FileNewStartsAnEmptyYear)
{
    Form1 &f = startPaid();
    calculate(f);
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[30], Qt::LeftButton);
    closeWith(Answer::Yes);
    ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("bob"));
    f.mnuNew_Click();
    EXPECT_EQ(state().CurrentUser, "bob");
    EXPECT_EQ(state().year.TotGross, legacy::Currency());
    // Cleared rows carry the date text "0"; the file is written only by a
    // close with Yes.
    EXPECT_EQ(payrecords::yearLedger().rows[30].Date, "0");
    EXPECT_EQ(payrecords::yearLedger().rows[30].Gross, 0);
    EXPECT_FALSE(exists(QStringLiteral("bob.yrw")));
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
}

// ---- the printed report ----

class LedgerReport : public Ledger {
protected:
    // A ledger holding one period in row 0, open, with the printer set to
    // a PDF file.
    void ledgerWithOnePeriod()
    {
        Form1 &f = startPaid();
        calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
        f.cmdYear->click();
        QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
        container().printer().setOutputFormat(QPrinter::PdfFormat);
        container().printer().setOutputFileName(path(QStringLiteral("report.pdf")));
    }
};

TEST_F(LedgerReport, CancellingThePrinterDialogPrintsNothing)
{
    ledgerWithOnePeriod();
    Ui::clearAsked();
    Ui::script(false);
    container().mnuPrint->trigger();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked().front().kind, platform::Question::Kind::Printer);
    EXPECT_FALSE(exists(QStringLiteral("report.pdf")));
}

TEST_F(LedgerReport, ColumnsFontsAndLinesOfTheLandscapeReport)
{
    ledgerWithOnePeriod();
    const platform::PrintOutcome out = grid().PrintYr(container().printer());
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_TRUE(platform::lastPrinted().page.landscape());
    EXPECT_EQ(container().printer().pageLayout().orientation(), QPageLayout::Portrait)
        << "the next document is not landscape unasked";
    const auto &texts = out.layout.texts;
    auto find = [&texts](const std::string &text) {
        return std::find_if(texts.begin(), texts.end(), [&](const platform::PlacedText &t) { return t.text == text; });
    };
    // The captions at their tab columns, in Arial 8.
    const std::pair<const char *, int> captions[] = {{"Week", 5},      {"Federal", 17}, {"SS", 30},    {"MediCare", 43},
                                                     {"Pension", 121}, {"KPlan", 145},  {"Tips", 156}, {"OT", 172},
                                                     {"Net", 182},     {"Gross", 197}};
    const auto week = find("Week");
    ASSERT_NE(week, texts.end());
    for (const auto &[caption, column] : captions) {
        SCOPED_TRACE(caption);
        const auto c = find(caption);
        ASSERT_NE(c, texts.end());
        EXPECT_EQ(c->line, week->line);
        EXPECT_NEAR(c->column, column, 0.01);
        EXPECT_EQ(c->font, (platform::PageFont{"Arial", 8}));
    }
    // 52 rows, the first holding the period; row amounts plain, totals in
    // the ledger's pattern.
    const auto date = find("01/07/05");
    ASSERT_NE(date, texts.end());
    EXPECT_EQ(date->line, week->line + 1);
    EXPECT_NE(find(" 57.04 "), texts.end());
    const auto totalsLabel = find("TOTALS");
    ASSERT_NE(totalsLabel, texts.end());
    EXPECT_EQ(totalsLabel->line - date->line, 53);  // 52 rows, then the rule
    const auto gross = find("600.00");
    ASSERT_NE(gross, texts.end());
    EXPECT_EQ(gross->line, totalsLabel->line);
    EXPECT_NEAR(gross->column, 197, 0.01);
    const auto employee = find("Employee:");
    ASSERT_NE(employee, texts.end());
    EXPECT_EQ(employee->font, (platform::PageFont{"Arial", 9}));
    EXPECT_EQ(employee->line, 3);  // below three empty heading lines
    const auto version = find("WAGEDESK 2005  Version  1.0.0");
    ASSERT_NE(version, texts.end());
    EXPECT_EQ(version->font.points, 6);
}

TEST_F(LedgerReport, PrintedToAPdfThatReadsBack)
{
    ledgerWithOnePeriod();
    Ui::script(true);
    container().mnuPrint->trigger();
    ASSERT_TRUE(exists(QStringLiteral("report.pdf")));
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (Debian's poppler-utils; scripts/setup.sh installs it)";
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path(QStringLiteral("report.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QStringList lines = text.split(QLatin1Char('\n'));
    const auto row = std::find_if(lines.begin(), lines.end(),
                                  [](const QString &l) { return l.contains(QStringLiteral("01/07/05")); });
    ASSERT_NE(row, lines.end()) << text.toStdString();
    // The row's amounts in the columns' order, the last ones on the page too.
    const qsizetype fed = row->indexOf(QStringLiteral("57.04")), net = row->indexOf(QStringLiteral("457.73")),
                    gross = row->indexOf(QStringLiteral("600"));
    EXPECT_GT(fed, 0) << text.toStdString();
    EXPECT_LT(fed, net) << text.toStdString();
    EXPECT_LT(net, gross) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Employee:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total Cafeteria: .00")));
    EXPECT_TRUE(text.contains(QStringLiteral("WAGEDESK 2005 Version 1.0.0")) ||
                text.contains(QStringLiteral("WAGEDESK 2005  Version  1.0.0")));
}

// The weekly report, with a third heading line long enough to push the
// fourth below it, stays on one landscape sheet of either paper, its rule
// and last column included.
TEST_F(LedgerReport, TheReportFitsOneLandscapeSheet)
{
    ledgerWithOnePeriod();
    Forms::get<Form1>().mnuHeader->trigger();
    DialogHeader &heading = Forms::get<DialogHeader>();
    heading.txtHeader[2]->setText(QString(140, QLatin1Char('x')));
    heading.OKButton->click();
    for (const wdtest::Paper &paper : wdtest::kPapers) {
        SCOPED_TRACE(paper.name);
        const QString file = path(QStringLiteral("report %1.pdf").arg(QLatin1String(paper.name)));
        container().printer().setOutputFileName(file);
        container().printer().setPageSize(QPageSize(paper.id));
        Ui::script(true);
        container().mnuPrint->trigger();
        ASSERT_TRUE(QFileInfo::exists(file)) << lastAsked().toStdString();
        const platform::TextLayout &layout = platform::lastPrinted().layout;
        EXPECT_GT(layout.pageWidth, layout.pageHeight) << "landscape";
        EXPECT_EQ(layout.texts.back().text, "WAGEDESK 2005  Version  1.0.0");
        wdtest::expectWithinPages(layout, 1);
        if (const std::optional<int> pages = wdtest::pdfPages(file)) {
            EXPECT_EQ(*pages, 1);
        }
    }
}

TEST_F(LedgerReport, APrinterThatCannotPrintSaysSo)
{
    ledgerWithOnePeriod();
    container().printer().setOutputFileName(path(QStringLiteral("no such folder/report.pdf")));
    Ui::clearAsked();
    Ui::script(true);
    container().mnuPrint->trigger();
    ASSERT_EQ(Ui::asked().size(), 2u);
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The year-to-date report could not be printed.")));
}

// ---- the workbook ----

constexpr const char *kReadBack = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
def cell(a):
    c = ws[a]
    color = c.font.color.rgb if c.font and c.font.color is not None else None
    return {"value": c.value, "type": c.data_type, "format": c.number_format, "bold": bool(c.font.b),
            "color": color if isinstance(color, str) else None}
pr = ws.sheet_properties.pageSetUpPr
m = ws.page_margins
print(json.dumps({
    "title": wb.properties.title,
    "freeze": ws.freeze_panes,
    "orientation": ws.page_setup.orientation,
    "fitToPage": bool(pr is not None and pr.fitToPage),
    "fitWidth": 1 if ws.page_setup.fitToWidth is None else ws.page_setup.fitToWidth,
    "fitHeight": 1 if ws.page_setup.fitToHeight is None else ws.page_setup.fitToHeight,
    "margins": [m.left, m.right, m.top, m.bottom, m.header, m.footer],
    "hcenter": bool(ws.print_options.horizontalCentered),
    "footer": [ws.oddFooter.left.text or "", ws.oddFooter.center.text or ""],
    "cells": {a: cell(a) for a in sys.argv[2:]}}))
)PY";

QString python()
{
    for (const QString &candidate :
         {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (candidate.isEmpty() || !QFileInfo(candidate).isExecutable())
            continue;
        QProcess p;
        p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidate;
    }
    return {};
}

TEST_F(Ledger, TheWorkbookHoldsTheScreenUnderACommaLocale)
{
    const QString py = python();
    if (py.isEmpty())
        GTEST_SKIP() << "python3 with openpyxl is not installed (Debian's python3-openpyxl)";
    Form1 &f = startPaid();
    userInfo([](frmTaxInfo &info) { type(info.txtSSnum, QStringLiteral("123-45-6789")); });
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    type(grid().txtTips[1], QStringLiteral("12.5"));  // typed, not yet taken into the store

    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale (scripts/test.sh generates it)";
    Ui::clearAsked();
    Ui::script(true);  // the desktop's program opens it
    container().mnuExcel->trigger();
    std::setlocale(LC_ALL, before.c_str());
    std::setlocale(LC_NUMERIC, "C");

    const QString file = path(QStringLiteral("Year To Date.xlsx"));
    ASSERT_EQ(Ui::asked().size(), 1u) << lastAsked().toStdString();
    EXPECT_EQ(QFileInfo(lastAsked()).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
    QProcess p;
    p.start(py, {QStringLiteral("-c"), QString::fromUtf8(kReadBack), file, QStringLiteral("A1"), QStringLiteral("G1"),
                 QStringLiteral("A2"), QStringLiteral("B2"), QStringLiteral("O2"), QStringLiteral("P2"),
                 QStringLiteral("M3"), QStringLiteral("A54"), QStringLiteral("P54"), QStringLiteral("C56"),
                 QStringLiteral("F57")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject book = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(book["title"].toString(), QStringLiteral("File:    123-45-6789"));
    EXPECT_EQ(book["freeze"].toString(), QStringLiteral("A2"));
    EXPECT_EQ(book["orientation"].toString(), QStringLiteral("landscape"));
    EXPECT_TRUE(book["fitToPage"].toBool());
    EXPECT_EQ(book["fitWidth"].toInt(), 1);
    EXPECT_EQ(book["fitHeight"].toInt(), 1);
    EXPECT_EQ(book["margins"].toArray(), (QJsonArray{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(book["hcenter"].toBool());
    EXPECT_EQ(book["footer"].toArray(),
              (QJsonArray{QStringLiteral("    123-45-6789"), QStringLiteral("Wagedesk 2005\u00ae")}));

    const QJsonObject cells = book["cells"].toObject();
    struct Want {
        const char *at;
        QJsonValue value;
        const char *format;
        bool bold;
        QJsonValue colour;
    };
    const QJsonValue red = QStringLiteral("FFFF0000"), blue = QStringLiteral("FF0000FF"), none;
    const Want wants[] = {
        {"A1", QStringLiteral("Date"), "General", true, red},
        {"G1", QStringLiteral("CrUnion"), "General", true, red},
        {"A2", QStringLiteral("01/07/05"), "General", false, none},
        {"B2", 57.04, "0.00", false, none},
        {"O2", 457.73, "0.00", false, none},
        {"P2", 600.0, "0.00", false, none},
        {"M3", 12.5, "0.00", false, none},
        {"A54", QStringLiteral("TOTALS="), "General", true, blue},
        {"P54", 600.0, "0.00", true, blue},
        {"C56", QStringLiteral("SDI"), "General", true, red},
        {"F57", 0.0, "0.00", false, blue},
    };
    for (const Want &w : wants) {
        SCOPED_TRACE(w.at);
        const QJsonObject c = cells[QLatin1String(w.at)].toObject();
        EXPECT_EQ(c["value"], w.value);
        EXPECT_EQ(c["format"].toString(), QLatin1String(w.format));
        EXPECT_EQ(c["bold"].toBool(), w.bold);
        EXPECT_EQ(c["color"], w.colour);
    }
}

// A workbook exported before may hold the user's additions: it is replaced
// only on Yes; No writes nothing and opens nothing.
TEST_F(Ledger, AnExportedWorkbookIsNeverReplacedUnasked)
{
    Form1 &f = startPaid();
    f.cmdYear->click();
    const QString book = QDir::current().absoluteFilePath(QStringLiteral("Year To Date.xlsx"));
    write(QStringLiteral("Year To Date.xlsx"), "the user's own workbook");
    Ui::clearAsked();
    Ui::script(Answer::No);
    container().mnuExcel->trigger();
    ASSERT_EQ(Ui::asked().size(), 1u) << "nothing opened";
    const platform::Question &asked = Ui::asked().front();
    EXPECT_EQ(asked.text,
              QStringLiteral("The workbook \"%1\" already exists.\r\nDo you want to replace it?").arg(book));
    EXPECT_EQ(asked.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(asked.icon, platform::Icon::Question);
    EXPECT_EQ(read(QStringLiteral("Year To Date.xlsx")), QByteArray("the user's own workbook"));
    EXPECT_EQ(files().filter(QStringLiteral("xlsx")), QStringList{QStringLiteral("Year To Date.xlsx")})
        << "no file written beside it";

    Ui::clearAsked();
    Ui::script(Answer::Yes);
    Ui::script(true);  // the desktop's program opens it
    container().mnuExcel->trigger();
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
    ASSERT_EQ(Ui::asked().size(), 2u);
    EXPECT_EQ(Ui::asked().back().kind, platform::Question::Kind::Help);
    EXPECT_TRUE(read(QStringLiteral("Year To Date.xlsx")).startsWith("PK")) << "a workbook in its place";
}

// The workbook goes to the desktop's opener found on PATH, here a stand-in
// that notes what it was given and ends as told. The program does not wait
// for it; when nothing opened the workbook, the user learns where it is.
TEST_F(Ledger, TheUserLearnsWhereTheWorkbookWentWhenNothingOpensIt)
{
    Form1 &f = startPaid();
    f.cmdYear->click();
    const QString book = QDir::current().absoluteFilePath(QStringLiteral("Year To Date.xlsx"));
    const QString bin = path(QStringLiteral("bin")), opener = path(QStringLiteral("bin/xdg-open"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const struct PathKept {
        QByteArray before = qgetenv("PATH");
        ~PathKept() { qputenv("PATH", before); }
    } kept;
    qputenv("PATH", bin.toLocal8Bit());
    // The stand-ins write their arguments, one a line, to "given".
    const char *const notes = "#!/bin/sh\nprintf '%s\\n' \"$@\" > given\nexit ";
    const struct {
        const char *name;
        QByteArray opener;  // empty: none on PATH
        bool told;
    } cases[] = {
        {"opened", QByteArray(notes) + "0\n", false},
        {"no program for the type", QByteArray(notes) + "3\n", true},
        {"an opener that cannot start", "#!/no/such/shell\n", true},
        {"no opener", {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(book);
        QFile::remove(path(QStringLiteral("given")));
        QFile::remove(opener);
        if (!c.opener.isEmpty()) {
            write(QStringLiteral("bin/xdg-open"), c.opener);
            ASSERT_TRUE(QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        Ui::clearAsked();
        Ui::script(Ui::RunOpener{});
        container().mnuExcel->trigger();
        ASSERT_TRUE(QFileInfo::exists(book));
        if (c.opener.startsWith(notes)) {
            EXPECT_EQ(Ui::openersRunning(), 1u) << "the program does not wait for the opener";
        }
        ASSERT_TRUE(QTest::qWaitFor([] { return Ui::openersRunning() == 0; }, 30000));
        if (c.opener.startsWith(notes)) {
            EXPECT_EQ(read(QStringLiteral("given")), (book + QLatin1Char('\n')).toLocal8Bit()) << "one argument, whole";
        }
        if (!c.told) {
            EXPECT_EQ(Ui::asked().size(), 1u) << lastAsked().toStdString();
            continue;
        }
        ASSERT_EQ(Ui::asked().size(), 2u);
        EXPECT_EQ(
            lastAsked(),
            QStringLiteral("The workbook \"%1\" was written, but no program could be found to open it.").arg(book));
        EXPECT_EQ(Ui::asked().back().icon, platform::Icon::Information);
    }
}

// Only the amount columns are numbers: a deleted row's date "0" stays the
// text it shows.
TEST_F(Ledger, TheWorkbooksDatesStayTexts)
{
    const QString py = python();
    if (py.isEmpty())
        GTEST_SKIP() << "python3 with openpyxl is not installed (Debian's python3-openpyxl)";
    Form1 &f = startPaid();
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.cmdYear->click();
    QTest::mouseClick(grid().Label2[0], Qt::LeftButton);
    QTest::mouseClick(grid().Label2[1], Qt::LeftButton);
    QTest::mouseClick(grid().Label2[0], Qt::RightButton);
    ASSERT_EQ(grid().txtDate[0]->text(), QStringLiteral("0"));
    Ui::script(true);
    container().mnuExcel->trigger();

    QProcess p;
    p.start(py, {QStringLiteral("-c"), QString::fromUtf8(kReadBack), path(QStringLiteral("Year To Date.xlsx")),
                 QStringLiteral("A2"), QStringLiteral("B2"), QStringLiteral("A3"), QStringLiteral("B3")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject cells = QJsonDocument::fromJson(p.readAllStandardOutput()).object()["cells"].toObject();
    const struct {
        const char *at;
        QJsonValue value;
        const char *type, *format;
    } wants[] = {
        {"A2", QStringLiteral("0"), "s", "General"},
        {"B2", 0.0, "n", "0.00"},
        {"A3", QStringLiteral("01/07/05"), "s", "General"},
        {"B3", 57.04, "n", "0.00"},
    };
    for (const auto &w : wants) {
        SCOPED_TRACE(w.at);
        const QJsonObject c = cells[QLatin1String(w.at)].toObject();
        EXPECT_EQ(c["value"], w.value);
        EXPECT_EQ(c["type"].toString(), QLatin1String(w.type));
        EXPECT_EQ(c["format"].toString(), QLatin1String(w.format));
    }
}

TEST_F(Ledger, AWorkbookThatCannotBeWrittenIsNamed)
{
    Form1 &f = startPaid();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Year To Date.xlsx")));
    f.cmdYear->click();
    Ui::clearAsked();
    container().mnuExcel->trigger();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("Year To Date.xlsx"))) << lastAsked().toStdString();
    EXPECT_EQ(Ui::asked().front().kind, platform::Question::Kind::Message);
}

}  // namespace
}  // namespace wagedesk::testing
