// The leave record driven as a user would, from the main window's Vacation
// button, with the ".hol" files it reads and writes; and the tracker's and
// the leave record's contents through File Save, a restart and File Open.
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

#include "records/windows/leave_window.h"
#include "records/windows/tracker.h"
#include "records_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Forms;
using platform::Ui;

class Leave : public RecordsTest {
protected:
    static DialogVac &openLeave()
    {
        Forms::get<Form1>().Command1->click();
        return Forms::get<DialogVac>();
    }
};

TEST_F(Leave, BalancesFollowEveryKeystroke)
{
    startPaid();
    QFile::remove(path(QStringLiteral(".hol")));
    DialogVac &d = openLeave();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Vacation / Holiday / Sick"));
    struct Case {
        const char *name, *start;
        std::vector<const char *> taken;
        const char *balance;
    };
    const Case cases[] = {
        {"whole and half days", "10", {"2", "1.5"}, "6.5"},
        // 2.1 is summed in single precision: the error shows.
        {"a fraction", "10", {"2.1"}, "7.90000009536743"},
        {"a day given back", "10", {"-1"}, "11"},
        {"more than the balance", "1", {"2"}, "-1"},
        {"blanks skipped, empty start", "", {"1 2"}, "-12"},
        {"all twenty rows", "20", std::vector<const char *>(20, "1"), "0"},
    };
    DialogVac::Account *accounts[] = {&d.Vac, &d.Hol, &d.Sick};
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DialogVac::Account &a = *accounts[n++ % 3];
        d.cmdClear->click();
        type(a.txtBal, QLatin1String(c.start));
        for (std::size_t i = 0; i < c.taken.size(); ++i)
            type(a.txtCnt[i], QLatin1String(c.taken[i]));
        EXPECT_EQ(a.lbBal->text(), QLatin1String(c.balance));
    }
    // The boxes take number characters only; the dates any text.
    d.Vac.txtCnt[0]->clear();
    QTest::keyClicks(d.Vac.txtCnt[0], QStringLiteral("1a,5"));
    EXPECT_EQ(d.Vac.txtCnt[0]->text(), QStringLiteral("15"));
    EXPECT_FALSE(exists(QStringLiteral(".hol")));
}

// A balance has fifteen significant digits and its sign, plain down to
// 0.0001 and in exponent form beyond: the longest of each show whole.
TEST_F(Leave, TheLongestBalancesShowWhole)
{
    startPaid();
    DialogVac &d = openLeave();
    struct Case {
        const char *start, *taken, *balance;
    };
    const Case cases[] = {
        {"10", "2.1", "7.90000009536743"},
        {"-0.000123456789012345678", "0", "-0.000123456789012346"},
        {"0", "340000000000000000000000000000000000000", "-3.39999995214436E+38"},
        {"-300000000000000000000000000000000000000", "340000000000000000000000000000000000000",
         "-6.39999995214436E+38"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.balance);
        for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick}) {
            type(a->txtBal, QLatin1String(c.start));
            type(a->txtCnt[0], QLatin1String(c.taken));
            ASSERT_EQ(a->lbBal->text(), QLatin1String(c.balance));
            EXPECT_TRUE(showsWhole(a->lbBal)) << a->lbBal->objectName().toStdString();
        }
    }
}

TEST_F(Leave, SaveWritesTheFortyOneLinesAndTheLoadReadsThemBack)
{
    startPaid();
    DialogVac &d = openLeave();
    type(d.Vac.txtBal, QStringLiteral("10"));
    type(d.Vac.txtCnt[0], QStringLiteral("2.1"));
    type(d.Vac.txtDate[0], QStringLiteral("1/3/05"));
    type(d.Hol.txtDate[0], QStringLiteral("a, b"));
    // The file cannot hold a double quote inside a text.
    type(d.Sick.txtDate[0], QStringLiteral("5\"x"));
    d.OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<DialogVac>());
    const QStringList hol = lines(QStringLiteral(".hol"));
    ASSERT_EQ(hol.size(), 41);
    EXPECT_EQ(hol[0], QStringLiteral("7.9,10,0,0,0,0"));
    EXPECT_EQ(hol[1], QStringLiteral("2.1,0,0"));
    EXPECT_EQ(hol[20], QStringLiteral("0,0,0"));
    EXPECT_EQ(hol[21], QStringLiteral("\"1/3/05\",\"a, b\",\"5'x\""));
    EXPECT_EQ(hol[40], QStringLiteral("\"\",\"\",\"\""));

    DialogVac &again = openLeave();
    EXPECT_EQ(again.Vac.txtBal->text(), QStringLiteral("10"));
    EXPECT_EQ(again.Vac.txtCnt[0]->text(), QStringLiteral("2.1"));
    EXPECT_EQ(again.Vac.lbBal->text(), QStringLiteral("7.90000009536743"));
    EXPECT_EQ(again.Hol.txtDate[0]->text(), QStringLiteral("a, b"));
    EXPECT_EQ(again.Sick.txtDate[0]->text(), QStringLiteral("5'x"));

    // Clear All empties the window and writes nothing.
    again.cmdClear->click();
    EXPECT_EQ(again.Vac.txtBal->text(), QStringLiteral("0"));
    EXPECT_EQ(again.Vac.lbBal->text(), QStringLiteral("0"));
    EXPECT_EQ(again.Vac.txtDate[0]->text(), QString());
    EXPECT_EQ(lines(QStringLiteral(".hol"))[0], QStringLiteral("7.9,10,0,0,0,0"));
}

// The pay stub reads the leave file again; an open record keeps what the
// user typed there, and the next calculation saves it.
TEST_F(Leave, AnOpenRecordKeepsWhatWasTypedThroughAPayStub)
{
    Form1 &f = startPaid();
    calculate(f);
    DialogVac &d = openLeave();
    type(d.Vac.txtBal, QStringLiteral("10"));
    type(d.Vac.txtDate[0], QStringLiteral("3/1/05"));
    Ui::script(true);   // the command's printer dialog
    Ui::script(false);  // the stub's own, after its readings
    f.cmdPrint->click();
    EXPECT_EQ(d.Vac.txtBal->text(), QStringLiteral("10"));
    EXPECT_EQ(d.Vac.txtDate[0]->text(), QStringLiteral("3/1/05"));
    calculate(f);
    EXPECT_EQ(lines(QStringLiteral(".hol"))[0], QStringLiteral("10,10,0,0,0,0"));
    EXPECT_EQ(lines(QStringLiteral(".hol"))[21], QStringLiteral("\"3/1/05\",\"\",\"\""));
}

TEST_F(Leave, HelpShowsTheShippedDocument)
{
    startPaid();
    DialogVac &d = openLeave();
    Ui::clearAsked();
    d.mnuHelp->trigger();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked().front().kind, platform::Question::Kind::Help);
    EXPECT_EQ(QFileInfo(lastAsked()).fileName(), QStringLiteral("Wdk2k.html"));
    Ui::closeHelp();
}

TEST_F(Leave, ADamagedFileIsNamedTheRecordStartsEmptyAndTheSaveGoesOn)
{
    startPaid();
    write(QStringLiteral("pat.use"), read(QStringLiteral(".use")));
    write(QStringLiteral("pat.hol"), "5,10,0,0\r\n");
    Ui::clearAsked();
    open(QStringLiteral("pat"));
    ASSERT_EQ(state().CurrentUser, "pat");
    EXPECT_EQ(askedTexts().filter(QStringLiteral("pat.hol")).size(), 1)
        << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(openLeave().Vac.txtBal->text(), QStringLiteral("0"));

    // The profile's save writes the empty record and the table files after it.
    ASSERT_FALSE(exists(QStringLiteral("pat.sta")));
    saveAs(QStringLiteral("pat"));
    EXPECT_TRUE(exists(QStringLiteral("pat.sta")));
    EXPECT_EQ(lines(QStringLiteral("pat.hol"))[0], QStringLiteral("0,0,0,0,0,0"));
    EXPECT_EQ(lines(QStringLiteral("pat.hol")).size(), 41);
}

TEST_F(Leave, AFileThatCannotBeWrittenIsNamedAndNothingIsReportedSaved)
{
    startPaid();
    DialogVac &d = openLeave();
    type(d.Vac.txtBal, QStringLiteral("10"));
    // A folder stands where the file would go: it cannot be replaced.
    QFile::remove(path(QStringLiteral(".hol")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral(".hol")));
    Ui::clearAsked();
    d.OKButton->click();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_TRUE(lastAsked().contains(QStringLiteral(".hol"))) << lastAsked().toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Vac.txtBal->text(), QStringLiteral("10"));

    // The profile's save stops there, with the message, before the tables.
    QFile::remove(path(QStringLiteral(".sta")));
    Ui::clearAsked();
    saveAs(QString());
    EXPECT_TRUE(askedTexts().filter(QStringLiteral(".hol")).size() == 1)
        << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_FALSE(exists(QStringLiteral(".sta")));
}

TEST_F(Leave, FileOpenOfAnotherProfileStartsTheRecordEmptyTheSameOneKeepsIt)
{
    startPaid();
    DialogVac &d = openLeave();
    type(d.Vac.txtBal, QStringLiteral("10"));
    d.OKButton->click();
    write(QStringLiteral("pat.use"), read(QStringLiteral(".use")));
    open(QStringLiteral("pat"));
    EXPECT_EQ(openLeave().Vac.txtBal->text(), QStringLiteral("0"));
    Forms::unload(DialogVac::kName);
    // The default profile again, whose ".hol" holds the record.
    open(QString());
    ASSERT_EQ(state().CurrentUser, "");
    EXPECT_EQ(openLeave().Vac.txtBal->text(), QStringLiteral("10"));
}

TEST_F(Leave, TheTrackerAndTheRecordComeBackThroughSaveRestartAndOpen)
{
    startPaid();
    Forms::get<Form1>().cmdOT->click();
    Form2 &t = Forms::get<Form2>();
    type(t.txtAnnual, QStringLiteral("48000"));
    type(t.txtApPercent, QStringLiteral("12.5"));
    type(t.Text1[0], QStringLiteral("1/7/2005"));
    type(t.txtOT[0], QStringLiteral("310.25"));
    t.cmdADD->click();
    DialogVac &d = openLeave();
    type(d.Sick.txtBal, QStringLiteral("5"));
    type(d.Sick.txtCnt[2], QStringLiteral("0.5"));
    type(d.Sick.txtDate[2], QStringLiteral("2/9/05"));
    saveAs(QStringLiteral("pat"));

    Form1 &f = restart();
    EXPECT_EQ(Forms::get<Form2>().txtAnnual->text(), QStringLiteral("15600")) << "a new run shows the default profile";
    Forms::unload(Form2::kName);
    open(QStringLiteral("pat"));
    ASSERT_EQ(f.windowTitle(), QStringLiteral("  User:  pat"));
    f.cmdOT->click();
    Form2 &tracker = Forms::get<Form2>();
    EXPECT_EQ(tracker.txtAnnual->text(), QStringLiteral("48000"));
    EXPECT_EQ(tracker.txtApPercent->text(), QStringLiteral("12.5"));
    EXPECT_EQ(tracker.Text1[0]->text(), QStringLiteral("1/7/2005"));
    EXPECT_EQ(tracker.txtOT[0]->text(), QStringLiteral("310.25"));
    EXPECT_EQ(tracker.lbEarned->text(), QStringLiteral("$310.25"));
    EXPECT_EQ(tracker.lbAvail->text(), QStringLiteral("$5,689.75"));  // 12.5 % of 48000 is 6000
    DialogVac &leave = openLeave();
    EXPECT_EQ(leave.Sick.txtBal->text(), QStringLiteral("5"));
    EXPECT_EQ(leave.Sick.txtCnt[2]->text(), QStringLiteral("0.5"));
    EXPECT_EQ(leave.Sick.txtDate[2]->text(), QStringLiteral("2/9/05"));
    EXPECT_EQ(leave.Sick.lbBal->text(), QStringLiteral("4.5"));
}

}  // namespace
}  // namespace wagedesk::testing
