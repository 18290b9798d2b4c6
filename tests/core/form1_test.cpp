// The main window, the user information window and the profile commands,
// driven as a user would, with the files they write in a temporary folder.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <map>

#include "core/windows/about.h"
#include "core/windows/datemain.h"
#include "core/windows/saveuser.h"
#include "platform/datepicker.h"
#include "window_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::Ui;

class MainWindow : public WindowTest {};

TEST_F(MainWindow, StartUpWritesTheDefaultProfileAndShowsTheTable)
{
    Form1 &f = start();
    for (const char *name : {".use", ".and", ".cfe", ".ovw"})
        EXPECT_TRUE(exists(QLatin1String(name))) << name;
    EXPECT_EQ(f.lbTaxVer->text().toStdString(), "2005 Cir E Pub 15, Jan 2005");
    EXPECT_EQ(f.lbTableNotice->text(), QStringLiteral("Weekly Tax Tables"));
    EXPECT_EQ(f.lbTaxTag[5]->text(), QStringLiteral("CrUnion"));
    EXPECT_EQ(f.lbTaxTag[9]->text(), QStringLiteral("Misc."));
    EXPECT_FALSE(f.ckIowaPrior->isVisible());
    EXPECT_TRUE(Ui::asked().empty());
}

// IRS Publication 15's worked example, typed into the windows: a single
// employee paid $600 weekly with two allowances.
TEST_F(MainWindow, WorkedExampleThroughTheWindows)
{
    Form1 &f = start();
    userInfo([](frmTaxInfo &info) {
        type(info.txtHourRate, QStringLiteral("15"));
        info.cboStatus->setCurrentText(QStringLiteral("Single"));
        info.cboDepend->setCurrentText(QStringLiteral("2"));
        info.optWeek->setChecked(true);
    });
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();

    EXPECT_EQ(f.Label13->text(), QStringLiteral("$600.00"));
    EXPECT_EQ(f.lbTaxDed[0]->text(), QStringLiteral("57.04"));
    EXPECT_EQ(f.lbTaxDed[1]->text(), QStringLiteral("37.20"));
    EXPECT_EQ(f.lbTaxDed[2]->text(), QStringLiteral("8.70"));
    // State and city from the built-in New York tables, halved for weekly pay.
    EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("24.28"));
    EXPECT_EQ(f.lbTaxDed[4]->text(), QStringLiteral("15.05"));
    EXPECT_EQ(f.lbTaxes->text(), QStringLiteral("$142.27"));
    EXPECT_EQ(f.lbDeduct->text(), QStringLiteral("$.00"));
    EXPECT_EQ(f.lbNet->text(), QStringLiteral("$457.73"));
    // Zero boxes are blanked again, the hours stay.
    EXPECT_EQ(f.txtAmount[0]->text(), QStringLiteral("40"));
    EXPECT_EQ(f.txtAmount[1]->text(), QString());
    // The federal table is emptied after use, the version stays.
    EXPECT_EQ(state().federal.FedSingleWk[5], 0.0f);
    EXPECT_FALSE(f.lbTaxVer->text().isEmpty());
    // The calculation saved the profile with the new rate.
    EXPECT_TRUE(read(QStringLiteral(".use")).contains("15,0,0"));
}

TEST_F(MainWindow, EntryKeysMoveTheFocus)
{
    Form1 &f = start();
    f.show();
    QApplication::setActiveWindow(&f);
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    for (const Case c : {Case{7, Qt::Key_Return, 0}, Case{2, Qt::Key_Return, 3}, Case{0, Qt::Key_Up, 0},
                         Case{3, Qt::Key_Up, 2}, Case{7, Qt::Key_Down, 7}, Case{3, Qt::Key_Down, 4}}) {
        f.txtAmount[c.from]->setFocus();
        QTest::keyClick(f.txtAmount[c.from], c.key);
        EXPECT_TRUE(f.txtAmount[c.to]->hasFocus()) << c.from << " -> " << c.to;
    }
}

TEST_F(MainWindow, MenuKeysWinOverTheBoxesEditingKeys)
{
    Form1 &f = start();
    f.show();
    QApplication::setActiveWindow(&f);
    f.txtAmount[0]->setFocus();
    QTest::keyClicks(f.txtAmount[0], QStringLiteral("5"));
    QTest::keyClick(f.txtAmount[0], Qt::Key_C, Qt::ControlModifier);  // File, Clear
    EXPECT_TRUE(f.txtAmount[0]->text().isEmpty());
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("00/00/05"));
}

TEST_F(MainWindow, EscapeClearsButKeepsTheMultiplier)
{
    Form1 &f = start();
    f.opt2x->setChecked(true);
    type(f.txtAmount[0], QStringLiteral("8"));
    f.cmdCal->click();
    ASSERT_FALSE(f.lbNet->text().isEmpty());
    QTest::keyClick(&f, Qt::Key_Escape);
    for (QLineEdit *box : f.txtAmount)
        EXPECT_TRUE(box->text().isEmpty());
    for (QLabel *l : f.lbTaxDed)
        EXPECT_TRUE(l->text().isEmpty());
    EXPECT_TRUE(f.lbNet->text().isEmpty());
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("00/00/05"));
    EXPECT_TRUE(f.opt2x->isChecked());
}

// Only a blank box counts as 0: any other text that is not one number,
// even one the key filter lets through ("-", "."), is refused by name and
// stays in its box for a correction.
TEST_F(MainWindow, AnEntryThatIsNotANumberIsRefusedBeforeAnyFileIsWritten)
{
    Form1 &f = start();
    struct Case {
        int box;
        const char *text, *label;
    };
    for (const Case &c : {Case{3, "1.2.3", "O.T. TIME AND 1/2 (1.5X)"}, Case{0, "1 2", "STRAIGHT TIME HOURS 1"},
                          Case{0, "-", "STRAIGHT TIME HOURS 1"}, Case{1, ".", "STRAIGHT TIME HOURS 2"},
                          Case{6, "--5", "PAY IN DOLLAR AMOUNT"}}) {
        SCOPED_TRACE(c.text);
        removeAll();
        Ui::clearAsked();
        for (QLineEdit *box : f.txtAmount)
            box->clear();
        type(f.txtAmount[c.box], QLatin1String(c.text));
        f.cmdCal->click();
        ASSERT_EQ(Ui::asked().size(), 1u);
        EXPECT_EQ(lastAsked(),
                  QStringLiteral("%1: \"%2\" is not a number.").arg(QLatin1String(c.label), QLatin1String(c.text)));
        EXPECT_TRUE(files().isEmpty());
        EXPECT_EQ(f.txtAmount[c.box]->text(), QLatin1String(c.text));
    }
    // Blanks are no entry at all.
    for (QLineEdit *box : f.txtAmount)
        box->clear();
    type(f.txtAmount[0], QStringLiteral("  "));
    type(f.txtAmount[6], QStringLiteral("100"));
    Ui::clearAsked();
    f.cmdCal->click();
    EXPECT_TRUE(Ui::asked().empty());
    EXPECT_EQ(f.Label13->text(), QStringLiteral("$100.00"));
}

// A refused period shows none of the last period's figures.
TEST_F(MainWindow, ARefusedCalculationEmptiesTheResultsFirst)
{
    Form1 &f = start();
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    ASSERT_FALSE(f.lbNet->text().isEmpty());
    type(f.txtAmount[0], QStringLiteral("1.2.3"));
    f.cmdCal->click();
    ASSERT_TRUE(lastAsked().contains(QStringLiteral("1.2.3")));
    for (QLabel *l : f.lbTaxDed)
        EXPECT_TRUE(l->text().isEmpty()) << l->objectName().toStdString();
    for (QLabel *l : {f.Label13, f.lbTaxes, f.lbDeduct, f.lbNet, f.lbOverT, f.lbTips, f.lbSDI, f.lbSUI, f.lbCafe})
        EXPECT_TRUE(l->text().isEmpty()) << l->objectName().toStdString();
}

TEST_F(MainWindow, F10OpensTheMenuBar)
{
    Form1 &f = start();
    f.show();
    QApplication::setActiveWindow(&f);
    f.txtAmount[0]->setFocus();
    QTest::keyClick(f.txtAmount[0], Qt::Key_F10);
    QMenu *file = f.findChild<QMenu *>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->isVisible());
    file->close();
}

// A gross of a million dollars (and far more) shows whole, "$" included.
TEST_F(MainWindow, SevenFigureResultsAreNotCut)
{
    Form1 &f = start();
    f.show();
    type(f.txtAmount[6], QStringLiteral("1000000"));
    f.cmdCal->click();
    ASSERT_EQ(f.Label13->text(), QStringLiteral("$1,000,000.00"));
    for (QLabel *l : {f.Label13, f.lbNet, f.lbTaxes}) {
        const QString widest = QStringLiteral("-$922,337,203,685,477.58");
        EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(widest))
            << l->objectName().toStdString();
    }
}

// A cafeteria plan above the pay leaves wages below 0: no tax is negative.
TEST_F(MainWindow, ACafeteriaPlanAboveThePayWithholdsNoNegativeTax)
{
    Form1 &f = start();
    userInfo([](frmTaxInfo &info) { type(info.txtCafe, QStringLiteral("100")); });
    type(f.txtAmount[0], QStringLiteral("4"));
    f.cmdCal->click();
    EXPECT_EQ(f.Label13->text(), QStringLiteral("$30.00"));
    EXPECT_EQ(f.lbTaxDed[1]->text(), QStringLiteral(".00"));  // Social Security, not -4.34
    EXPECT_EQ(f.lbTaxDed[2]->text(), QStringLiteral(".00"));  // Medicare, not -1.02
    EXPECT_FALSE(f.lbTaxes->text().contains(QLatin1Char('-'))) << f.lbTaxes->text().toStdString();
}

TEST_F(MainWindow, TheKeyFilterLetsOnlyNumberCharactersThrough)
{
    Form1 &f = start();
    QTest::keyClicks(f.txtAmount[0], QStringLiteral("1a2-b.5 x"));
    EXPECT_EQ(f.txtAmount[0]->text(), QStringLiteral("12-.5 "));
}

TEST_F(MainWindow, AMissingFederalTableIsReportedAndWithholdsNoFederalTax)
{
    Form1 &f = start();
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();  // a calculation empties the tables after use
    // A damaged table in the working folder counts as a missing one.
    write(QStringLiteral("Federal.dat"), "1,2,3\r\n");
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    ASSERT_FALSE(Ui::asked().empty());
    EXPECT_TRUE(Ui::asked().front().text.contains(QStringLiteral("Federal.dat")));
    EXPECT_EQ(f.lbTaxDed[0]->text(), QStringLiteral(".00"));
    QFile::remove(path(QStringLiteral("Federal.dat")));
    Ui::clearAsked();
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    EXPECT_TRUE(Ui::asked().empty());
    EXPECT_NE(f.lbTaxDed[0]->text(), QStringLiteral(".00"));
}

class Profiles : public WindowTest {};

TEST_F(Profiles, FileNewWritesTheNewProfileAndRefusesAnExistingName)
{
    Form1 &f = start();
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("staff1"));
    f.mnuNew_Click();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("  User:  staff1"));
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("staff1"));
    for (const char *ext : {".use", ".and", ".cfe", ".ovw"})
        EXPECT_TRUE(exists(QStringLiteral("staff1") + QLatin1String(ext))) << ext;

    Ui::clearAsked();
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("staff1"));
    f.mnuNew_Click();
    EXPECT_EQ(lastAsked(), QStringLiteral("........staff1 already exists. Use Open"));
    EXPECT_EQ(state().CurrentUser, "staff1");
}

TEST_F(Profiles, ANameThatIsAPathIsRefused)
{
    Form1 &f = start();
    for (const QString &name :
         {QStringLiteral("../evil"), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("tab\there")}) {
        Ui::clearAsked();
        Ui::script(Answer::No);
        Ui::script(name);
        f.mnuNew_Click();
        EXPECT_TRUE(lastAsked().contains(QStringLiteral("cannot be used as a name"))) << name.toStdString();
        EXPECT_EQ(state().CurrentUser, "") << name.toStdString();
    }
    // The save dialog refuses it too, and nothing is written under it.
    frmSaveUser &save = Forms::get<frmSaveUser>();
    save.txtSaveUser->setText(QStringLiteral("../x"));
    EXPECT_FALSE(save.cmdSaveUser_Click());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("../x.use"))));
}

TEST_F(Profiles, AProfileComesBackWhole_AfterARestart)
{
    Form1 &f = start();
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("pat"));
    f.mnuNew_Click();
    userInfo([](frmTaxInfo &info) {
        type(info.txtHourRate, QStringLiteral("12.25"));
        info.cboStatus->setCurrentText(QStringLiteral("Married"));
        info.cboDepend->setCurrentText(QStringLiteral("3"));
        info.optBiWeek->setChecked(true);
        type(info.txtTax5, QStringLiteral("Credit"));
        type(info.txtMuni, QStringLiteral("4.5"));
        info.ckKpFix->setChecked(true);
        type(info.txtKplan, QStringLiteral("20"));
        type(info.txtName, QStringLiteral("Pat Doe"));
    });
    type(f.txtAmount[0], QStringLiteral("80"));
    f.cmdCal->click();
    const QString net = f.lbNet->text();
    const QByteArray use = read(QStringLiteral("pat.use"));

    // Restart: a new run starts on the default profile, then opens pat.
    Forms::unloadAll();
    resetState();
    Form1 &again = start();
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(path(QStringLiteral("pat.use"))));
    again.mnuOpen_Click();
    EXPECT_EQ(again.windowTitle(), QStringLiteral("  User:  pat"));
    EXPECT_EQ(again.lbTaxTag[5]->text(), QStringLiteral("Credit"));
    EXPECT_EQ(again.lbTableNotice->text(), QStringLiteral("Bi-Weekly Tax Tables"));
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    EXPECT_EQ(info.txtHourRate->text(), QStringLiteral("12.25"));
    EXPECT_EQ(info.cboStatus->currentText(), QStringLiteral("Married"));
    EXPECT_EQ(info.cboDepend->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(info.optBiWeek->isChecked());
    EXPECT_TRUE(info.ckKpFix->isChecked());
    EXPECT_FALSE(info.ckKpPer->isChecked());
    EXPECT_EQ(info.txtName->text(), QStringLiteral("Pat Doe"));
    type(again.txtAmount[0], QStringLiteral("80"));
    again.cmdCal->click();
    EXPECT_EQ(again.lbNet->text(), net);
    EXPECT_EQ(read(QStringLiteral("pat.use")), use);
}

TEST_F(Profiles, OpeningADamagedProfileSaysWhichFileAndChangesNothing)
{
    Form1 &f = start();
    write(QStringLiteral("bad.use"), "0,0,0\r\n1,2\r\n");
    const ProgramState before = state();
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(path(QStringLiteral("bad.use"))));
    f.mnuOpen_Click();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("bad.use")));
    EXPECT_EQ(state().CurrentUser, "");
    EXPECT_EQ(state().profile.PayRate1, before.profile.PayRate1);
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("USER"));
}

TEST_F(Profiles, ExitAnsweredNoEndsWithoutWritingAnything)
{
    Form1 &f = start();
    removeAll();
    Ui::script(Answer::No);
    f.mnuExitItem_Click();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Profiles, ClosingTheMainWindowAnsweredYesSavesFirst)
{
    Form1 &f = start();
    removeAll();
    Ui::script(Answer::Yes);
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdSaveUser->click(); }));
    f.close();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(exists(QStringLiteral(".use")));
}

TEST_F(Profiles, APayPeriodIsSavedAndReopened)
{
    Form1 &f = start();
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("staff1"));
    f.mnuNew_Click();
    f.txtWeek->setText(QStringLiteral("01/07/05"));
    type(f.txtAmount[0], QStringLiteral("40"));
    type(f.txtAmount[3], QStringLiteral("2.5"));
    f.cmdSavePrev->click();
    const QString name = QStringLiteral("01_07_05  staff1.prv");
    ASSERT_TRUE(exists(name));
    EXPECT_EQ(read(name), QByteArray("40\r\n0\r\n0\r\n2.5\r\n0\r\n0\r\n0\r\n0\r\n"));
    EXPECT_EQ(f.txtAmount[1]->text(), QStringLiteral("0"));

    f.Clear_All();
    Ui::script(std::optional<QString>(path(name)));
    f.cmdPeriod->click();
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(f.txtAmount[3]->text(), QStringLiteral("2.5"));
    EXPECT_FALSE(f.lbNet->text().isEmpty());
}

TEST_F(Profiles, QuitAsksTheSaveQuestionAndEnds)
{
    Form1 &f = start();
    removeAll();
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdQuit->click(); }));
    Ui::script(Answer::Yes);
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdSaveUser->click(); }));
    f.mnuSave_Click();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(exists(QStringLiteral(".use")));
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
}

// Quit in the save dialog ends the program at once wherever the dialog is
// shown: nothing is asked or written after the closing question.
TEST_F(Profiles, QuitInTheSaveDialogEndsAtOnceFromEveryCommand)
{
    struct Case {
        const char *command;
        bool askFirst;  // the command asks Yes/No before showing the dialog
        std::function<void(Form1 &)> run;
    };
    const std::vector<Case> cases{
        {"File New", true, [](Form1 &f) { f.mnuNew_Click(); }},
        {"File Open", false, [](Form1 &f) { f.mnuOpen_Click(); }},
        {"File Save", false, [](Form1 &f) { f.mnuSave_Click(); }},
        {"File Exit", true, [](Form1 &f) { f.mnuExitItem_Click(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        Forms::unloadAll();
        resetState();
        Form1 &f = start();
        ended = false;
        removeAll();
        Ui::clearAsked();
        if (c.askFirst)
            Ui::script(Answer::Yes);
        Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdQuit->click(); }));
        Ui::script(Answer::No);  // the closing question: do not save
        c.run(f);
        EXPECT_TRUE(ended);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_EQ(lastAsked(), QStringLiteral("     SAVE USER'S SETTINGS?"));
        EXPECT_TRUE(files().isEmpty()) << files().join(QLatin1Char(' ')).toStdString();
        Ui::reset();
    }
}

// Any status text but "Single" takes the Married branch: it is shown and
// stored as "Married".
TEST_F(Profiles, AStatusOutsideTheListsIsShownAndStoredAsMarried)
{
    Form1 &f = start();
    QByteArray use = read(QStringLiteral(".use"));
    use.replace("\"Single\"", "\"married\"");
    write(QStringLiteral("pat.use"), use);
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(path(QStringLiteral("pat.use"))));
    f.mnuOpen_Click();
    EXPECT_EQ(Forms::get<frmTaxInfo>().cboStatus->currentText(), QStringLiteral("Married"));
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    EXPECT_TRUE(read(QStringLiteral("pat.use")).contains("\"Married\""));
    EXPECT_FALSE(read(QStringLiteral("pat.use")).contains("\"married\""));
}

// The overtime values of the settings file are written back as they were
// read, without the noise of a widened 32-bit value.
TEST_F(Profiles, OvertimeValuesOfTheSettingsFileComeBackAsWritten)
{
    Form1 &f = start();
    QList<QByteArray> lines = read(QStringLiteral(".use")).split('\n');
    lines[0] = "10.3,2400.7,2390.4\r";
    lines[1] = "48000.1,5.3,0\r";
    write(QStringLiteral("pat.use"), lines.join('\n'));
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(path(QStringLiteral("pat.use"))));
    f.mnuOpen_Click();
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    const QList<QByteArray> saved = read(QStringLiteral("pat.use")).split('\n');
    EXPECT_EQ(saved[0], QByteArray("10.3,2400.7,2390.4\r"));
    EXPECT_EQ(saved[1].left(13), QByteArray("48000.1,5.3,0"));
}

TEST_F(Profiles, SaveUnderATypedNameSwitchesTheProfile)
{
    Form1 &f = start();
    Ui::script(Ui::ModalAction([](QWidget *w) {
        auto *save = static_cast<frmSaveUser *>(w);
        type(save->txtSaveUser, QStringLiteral("other"));
        save->cmdSaveUser->click();
    }));
    f.mnuSave_Click();
    EXPECT_TRUE(exists(QStringLiteral("other.use")));
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("other"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("WageDesk"));  // the caption is not changed by Save
    type(f.txtAmount[0], QStringLiteral("1"));
    QFile::remove(path(QStringLiteral("other.cfe")));
    f.cmdCal->click();
    EXPECT_TRUE(exists(QStringLiteral("other.cfe")));
}

// A press whose save would be refused says which file, once, and shows
// nothing; with the file's place free again the next press saves and shows.
TEST_F(Profiles, ASaveThatWouldFailSaysWhichFileOnceAndShowsNothing)
{
    Form1 &f = start();
    // A folder where the settings file should be: it cannot be replaced.
    QFile::remove(path(QStringLiteral(".use")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral(".use")));
    type(f.txtAmount[0], QStringLiteral("40"));
    Ui::clearAsked();
    f.cmdCal->click();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \".use\" could not be written")))
        << lastAsked().toStdString();
    EXPECT_TRUE(f.lbNet->text().isEmpty());

    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral(".use")));
    Ui::clearAsked();
    f.cmdCal->click();
    EXPECT_TRUE(Ui::asked().empty()) << lastAsked().toStdString();
    EXPECT_FALSE(f.lbNet->text().isEmpty());
    EXPECT_TRUE(exists(QStringLiteral(".use")));
}

TEST_F(Profiles, CancelledPrinterDialogPrintsNothing)
{
    Form1 &f = start();
    Ui::script(false);
    f.mnuPrintItem_Click();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked().front().kind, platform::Question::Kind::Printer);
}

class UserInfo : public WindowTest {};

TEST_F(UserInfo, EnterPressesSave)
{
    Form1 &f = start();
    Ui::script(Ui::ModalAction([](QWidget *w) {
        auto &info = static_cast<frmTaxInfo &>(*w);
        type(info.txtHourRate, QStringLiteral("9"));
        QTest::keyClick(info.txtHourRate, Qt::Key_Return);
    }));
    f.mnuTaxInfoItem_Click();
    EXPECT_EQ(state().profile.PayRate1, 9.0f);
    EXPECT_FALSE(Forms::isLoaded(frmTaxInfo::kName) && Forms::get<frmTaxInfo>().isVisible());
}

TEST_F(UserInfo, KPlanSwitchesTakeOneClick)
{
    start();
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    ASSERT_TRUE(info.ckKpPer->isChecked());
    info.ckKpFix->click();
    EXPECT_TRUE(info.ckKpFix->isChecked());
    EXPECT_FALSE(info.ckKpPer->isChecked());
    info.ckKpPer->click();
    EXPECT_TRUE(info.ckKpPer->isChecked());
    EXPECT_FALSE(info.ckKpFix->isChecked());
    info.ckKpPer->click();  // clearing the ticked box leaves both clear
    EXPECT_FALSE(info.ckKpPer->isChecked());
    EXPECT_FALSE(info.ckKpFix->isChecked());
}

TEST_F(UserInfo, ARate1OfZeroIsStoredAs7_5AndBadRatesKeepTheWindowOpen)
{
    Form1 &f = start();
    userInfo([](frmTaxInfo &info) { type(info.txtHourRate, QStringLiteral("0")); });
    EXPECT_EQ(state().profile.PayRate1, 7.5f);
    EXPECT_FALSE(Forms::isLoaded(frmTaxInfo::kName) && Forms::get<frmTaxInfo>().isVisible());

    // Opening the window writes the settings; Save with a bad rate writes
    // nothing more and keeps the window open for a correction.
    bool stayedOpen = false;
    Ui::script(Ui::ModalAction([&](QWidget *w) {
        auto &info = static_cast<frmTaxInfo &>(*w);
        removeAll();
        type(info.txtHourRate2, QStringLiteral("1.2.3"));
        info.cmdOk->click();
        stayedOpen = Forms::isLoaded(frmTaxInfo::kName) && info.isVisible();
    }));
    f.mnuTaxInfoItem_Click();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("Hourly Rate 2")));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(files().isEmpty());
}

// The user types at most seven characters into a caption box; a longer
// caption from a file is shown and saved whole.
TEST_F(UserInfo, CaptionsLimitTheTypingOnly)
{
    start();
    QByteArray use = read(QStringLiteral(".use"));
    use.replace("\"CrUnion\"", "\"Credit Union\"");
    write(QStringLiteral(".use"), use);
    Forms::unloadAll();
    resetState();
    Form1 &again = start();
    EXPECT_EQ(again.lbTaxTag[5]->text(), QStringLiteral("Credit Union"));
    type(again.txtAmount[0], QStringLiteral("40"));
    again.cmdCal->click();
    EXPECT_TRUE(read(QStringLiteral(".use")).contains("\"Credit Union\""));

    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    info.txtTax6->selectAll();
    QTest::keyClicks(info.txtTax6, QStringLiteral("Savings Bond"));
    EXPECT_EQ(info.txtTax6->text(), QStringLiteral("Savings"));
    QTest::keyClick(info.txtTax5, Qt::Key_End);
    QTest::keyClicks(info.txtTax5, QStringLiteral("x"));
    EXPECT_EQ(info.txtTax5->text(), QStringLiteral("Credit Union"));  // full: nothing more is typed
    QTest::keyClick(info.txtTax5, Qt::Key_Backspace);
    EXPECT_EQ(info.txtTax5->text(), QStringLiteral("Credit Unio"));
}

TEST_F(UserInfo, TheListsHoldOnlyWhatTheTablesCanLookUp)
{
    start();
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    for (QComboBox *box : {info.cboStatus, info.cboStatus2}) {
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->count(), 2);
    }
    for (QComboBox *box : {info.cboDepend, info.cboDepend2}) {
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->count(), 10);
    }
}

class SmallWindows : public WindowTest {};

TEST_F(SmallWindows, ThePayDatePickerFollowsTheBoxAndKeepsToItsRange)
{
    Form1 &f = start();
    frmDateMain::today = [] { return QDate(2026, 12, 10); };
    // A cleared box: today lies past the range, so the picker opens on its end.
    Ui::script(Ui::ModalAction([](QWidget *) {}));
    f.txtWeek_Click();
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("01/07/06"));

    f.txtWeek->setText(QStringLiteral("03/18/05"));
    Ui::script(Ui::ModalAction([](QWidget *w) {
        auto *picker = static_cast<frmDateMain *>(w);
        EXPECT_EQ(picker->DTPicker1->date(), QDate(2005, 3, 18));
        picker->DTPicker1->setDate(QDate(2005, 3, 25));
    }));
    f.txtWeek_Click();
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("03/25/05"));
    frmDateMain::today = [] { return QDate::currentDate(); };
}

// A date typed in a short form opens the picker on it; a click on a day of
// the calendar writes that day into the box, also when it is the day shown.
TEST_F(SmallWindows, ThePayDatePickerTakesShortFormsAndCalendarClicks)
{
    Form1 &f = start();
    f.txtWeek->setText(QStringLiteral("1/7/05"));
    Ui::script(Ui::ModalAction([](QWidget *w) {
        auto *picker = static_cast<frmDateMain *>(w);
        EXPECT_EQ(picker->DTPicker1->date(), QDate(2005, 1, 7));
        QCalendarWidget *calendar = picker->DTPicker1->calendarWidget();
        emit calendar->clicked(QDate(2005, 1, 7));
    }));
    f.txtWeek_Click();
    EXPECT_EQ(f.txtWeek->text(), QStringLiteral("01/07/05"));
}

TEST_F(SmallWindows, AboutShowsTheVersionWithoutLeadingZeros)
{
    EXPECT_EQ(versionLine({9, 3, 3}), QStringLiteral("Version 9.3.3"));
    Form1 &f = start();
    Ui::script(Ui::ModalAction(
        [](QWidget *w) { EXPECT_EQ(static_cast<frmAboutSpcl *>(w)->lblVersion->text(), versionLine(kVersion)); }));
    f.mnuAboutItem_Click();
}

// Help shows the shipped document in a window of the program's own, so it
// works on a desktop without a browser; a missing document is reported.
TEST_F(SmallWindows, HelpShowsTheShippedDocumentInItsOwnWindow)
{
    Form1 &f = start();
    f.mnuHelpItem_Click();
    ASSERT_FALSE(Ui::asked().empty());
    EXPECT_EQ(Ui::asked().back().kind, platform::Question::Kind::Help);
    EXPECT_TRUE(Ui::asked().back().text.endsWith(QStringLiteral("Wdk2k.html")));
    QTextBrowser *viewer = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpViewer"))
            viewer = qobject_cast<QTextBrowser *>(w);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->toPlainText().isEmpty());
    Ui::closeHelp();
}

// The shipped document as Help shows it: a section for every window, each
// naming the file it keeps, every contents link leading to a section, and
// the calculation's paragraph naming exactly the files a calculation writes.
TEST_F(SmallWindows, HelpExplainsEveryWindowAndWhatACalculationSaves)
{
    start().mnuHelpItem_Click();
    QTextBrowser *viewer = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpViewer"))
            viewer = qobject_cast<QTextBrowser *>(w);
    ASSERT_NE(viewer, nullptr);
    // The text of each section, by the anchor of its heading; the links.
    std::map<QString, QString> sections;
    QStringList anchors, links;
    QString section;
    for (QTextBlock b = viewer->document()->begin(); b.isValid(); b = b.next()) {
        QStringList names;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            names += format.anchorNames();
            if (format.anchorHref().startsWith(u'#'))
                links << format.anchorHref().mid(1);
        }
        anchors += names;
        if (b.blockFormat().headingLevel() == 2 && !names.isEmpty())
            section = names.front();
        sections[section] += b.text() + u'\n';
    }
    // Each window's section, and what it must say.
    struct Window {
        const char *anchor, *says;
    };
    const Window windows[] = {
        {"state", "NAME.sta"},
        {"city", "NAME.cti"},
        {"noncity", "NAME.nci"},
        {"ytd", "NAME.yrw"},
        {"ytd", "NAME Year To Date.xlsx"},
        {"ot", "NAME.ovw"},
        {"vacation", "NAME.hol"},
        {"checks", "Nothing of this window is saved"},
        {"offsets", "NAME.and"},
        {"header", "Header.sav"},
        {"paystub", "year-to-date file"},
        // What trying them showed.
        {"saveuser", "no Cancel"},
        {"saveuser", "Quit"},
        {"saveuser", "does not go on"},
        {"profiles", "Do you want to save YTD"},
        {"main", "\"1 2\", \"-\", \".\" or \"--5\" is refused"},
        {"main", "counts as 0"},
        {"userinfo", "Deduct State"},
        {"userinfo", "Self Employed"},
        {"userinfo", "Tab into a box selects"},
        {"header", "Tab into a box selects"},
        {"checks", "\"000000.00\""},
        {"offsets", "PDF file"},
        {"paystub", "twice"},
        {"ytd", "empty without one"},
        {"ot", "the rows they were worked out from"},
        {"safety", "no copy can be kept"},
        {"safety", "told once"},
        {"saveuser", "lets the question go"},
        {"saveuser", "title keeps"},
        {"profiles", "answers neither Yes nor No"},
        {"city", "New York brings the city tables back"},
        {"ytd", "whether or not the window is opened"},
        {"ytd", "the pay frequency the window was opened for"},
        {"saveuser", "A name typed into the box is let go"},
        {"userinfo", "nothing of it counts yet"},
        {"noncity", "No city tax is below zero"},
    };
    for (const Window &w : windows) {
        SCOPED_TRACE(w.anchor);
        ASSERT_TRUE(sections.count(QLatin1String(w.anchor)));
        EXPECT_TRUE(sections[QLatin1String(w.anchor)].contains(QLatin1String(w.says)));
    }
    for (const char *part : {"sdi", "default", "special", "ytdprint", "ytdexcel"})
        EXPECT_TRUE(anchors.contains(QLatin1String(part))) << part;
    for (const QString &link : links)
        EXPECT_TRUE(anchors.contains(link)) << link.toStdString();

    // A paragraph is one block: the calculation's names every file it
    // writes, and then the year-to-date file as one it does not.
    const QString main = sections[QStringLiteral("main")];
    const qsizetype at = main.indexOf(QStringLiteral("Every calculation saves"));
    const qsizetype notWritten = main.indexOf(
        QStringLiteral("It does not write the year-to-date file NAME.yrw or NAME.yrb"));
    ASSERT_GE(at, 0);
    ASSERT_GT(notWritten, at);
    const QString saved = main.mid(at, notWritten - at);
    for (const char *file :
         {"NAME.use", "NAME.and", "NAME.cfe", "NAME.ovw", "NAME.ovb", "NAME.hol", "NAME.sta", "NAME.cti", "NAME.nci"})
        EXPECT_TRUE(saved.contains(QLatin1String(file))) << file;
    EXPECT_FALSE(saved.contains(QStringLiteral(".yr")));
    Ui::closeHelp();
}

}  // namespace
}  // namespace wagedesk::testing
