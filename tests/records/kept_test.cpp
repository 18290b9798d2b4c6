// What the commands that let the records go (File Exit, the main window's
// closing, File Open, File New, Make Default) do with what the user has not
// saved: a ledger holding what its year file does not, and the values
// behind a save that was refused. Driven through the windows.
#include <QCheckBox>
#include <QComboBox>
#include <QMap>
#include <QPrinter>
#include <QPushButton>

#include <functional>
#include <span>
#include <vector>

#include "file_size_limit.h"
#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"
#include "records_fixture.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::Ui;

const QString kYearQuestion = QStringLiteral("     Do you want to save YTD");

class Kept : public RecordsTest {
protected:
    static frmYear &grid() { return Forms::get<frmYear>(); }
    static void paste(int week) { QTest::mouseClick(grid().Label2[week], Qt::LeftButton); }
    static void closeLedger(Answer answer)
    {
        Ui::script(answer);
        Forms::get<MDIForm1>().mnuClose->trigger();
    }
    static void pressSave(QWidget *w) { static_cast<frmSaveUser *>(w)->cmdSaveUser->click(); }
    static void pressNo(QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }
    // User Info with Bi-Weekly chosen and other values typed, among them one
    // the .cfe file holds (so more than one file is to be replaced), and OK.
    static void chooseBiWeeklyAndPressOk(frmTaxInfo &info)
    {
        info.optBiWeek->setChecked(true);
        type(info.txtTax5, QStringLiteral("Gym"));
        type(info.txtCafe, QStringLiteral("5"));
        info.cmdOk->click();
    }

    // The profile "pat" with one period calculated, titled as opened.
    Form1 &patWithAPeriod()
    {
        removeAll();
        Form1 &f = restart();
        ended = false;
        userInfo([](frmTaxInfo &info) { type(info.txtHourRate, QStringLiteral("15")); });
        saveAs(QStringLiteral("pat"));
        open(QStringLiteral("pat"));
        Forms::unload(MDIForm1::kName, true);
        calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
        return f;
    }

    // Long texts in every date box of the open leave record: a save would
    // write a file larger than the readers take, so it is refused.
    static DialogVac &oversizedLeaveRecord(Form1 &f)
    {
        f.Command1->click();
        DialogVac &d = Forms::get<DialogVac>();
        for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick})
            for (QLineEdit *box : a->txtDate)
                box->setText(QString(21000, QLatin1Char('7')));
        return d;
    }
    static void shorten(DialogVac &d)
    {
        for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick})
            for (QLineEdit *box : a->txtDate)
                box->clear();
    }
};

// A command that lets the records go asks the ledger's own question first
// when the ledger, open or set aside by a calculation, holds what its year
// file does not: Yes writes the file as the ledger's Close does, No lets the
// rows go (they count toward no wage base); then the command goes on.
TEST_F(Kept, AnUnsavedLedgerIsAskedForBeforeACommandLetsItGo)
{
    struct Command {
        const char *name;
        std::function<void(Form1 &)> run;  // answers its own questions: nothing saved
        bool ends;
    };
    const Command commands[] = {
        {"File Exit",
         [](Form1 &f) {
             Ui::script(Answer::No);
             f.mnuExitItem_Click();
         },
         true},
        {"the main window's closing",
         [](Form1 &f) {
             Ui::script(Answer::No);
             f.close();
         },
         true},
        {"File Open",
         [](Form1 &f) {
             Ui::script(Ui::ModalAction(pressNo));
             Ui::script(std::optional<QString>());  // the file dialog cancelled
             f.mnuOpen_Click();
         },
         false},
        {"File New",
         [](Form1 &f) {
             Ui::script(Answer::No);
             Ui::script(QStringLiteral("bob"));
             f.mnuNew_Click();
         },
         false},
    };
    for (const Command &c : commands)
        for (const bool setAside : {false, true})
            for (const Answer answer : {Answer::Yes, Answer::No}) {
                SCOPED_TRACE(std::string(c.name) + (setAside ? ", set aside" : ", open") +
                             (answer == Answer::Yes ? ", Yes" : ", No"));
                Form1 &f = patWithAPeriod();
                f.cmdYear->click();
                paste(0);
                if (setAside) {
                    calculate(f);
                    ASSERT_FALSE(Forms::isLoaded<MDIForm1>());
                }
                Ui::clearAsked();
                Ui::script(answer);
                c.run(f);
                ASSERT_FALSE(Ui::asked().empty());
                EXPECT_EQ(Ui::asked().front().text, kYearQuestion);
                EXPECT_EQ(Ui::asked().front().title, QStringLiteral("Save?"));
                EXPECT_EQ(Ui::pendingAnswers(), 0u);
                EXPECT_EQ(ended, c.ends);
                EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
                if (answer == Answer::Yes) {
                    ASSERT_TRUE(exists(QStringLiteral("pat.yrw")));
                    EXPECT_TRUE(lines(QStringLiteral("pat.yrw"))[0].startsWith(QStringLiteral("\"01/07/05\",")));
                } else {
                    EXPECT_FALSE(exists(QStringLiteral("pat.yrw")));
                    EXPECT_EQ(state().year.TotGross, legacy::Currency());
                }
            }

    // A ledger that holds what its file holds is let go without a word.
    Form1 &f = patWithAPeriod();
    f.cmdYear->click();
    paste(0);
    closeLedger(Answer::Yes);
    f.cmdYear->click();
    calculate(f);
    f.cmdYear->click();
    Ui::clearAsked();
    Ui::script(Answer::No);
    f.mnuExitItem_Click();
    EXPECT_TRUE(ended);
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(lastAsked(), QStringLiteral("     SAVE USER'S SETTINGS?"));
}

// Esc or the close button on a question whose No lets entries go cancels
// the command that asked: nothing is saved, nothing is let go, every window
// and value stays as it was. Cancel stands for both on a message box; the
// save-user dialog is closed by its close button or by Esc.
TEST_F(Kept, EscOrTheCloseButtonOnAQuestionCancelsTheCommand)
{
    const auto closeBox = [](QWidget *) {};  // left on screen: closed as by its close button
    const auto escape = [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); };
    struct Case {
        const char *name;
        bool pasted;                          // the ledger open with a week pasted
        std::function<void(Form1 &)> answer;  // scripts the answers up to the one let go, then runs the command
    };
    const auto withAnswers = [](std::vector<Ui::Scripted> answers, std::function<void(Form1 &)> run) {
        return [answers, run](Form1 &f) {
            for (const Ui::Scripted &a : answers)
                Ui::script(a);
            run(f);
        };
    };
    const auto ledgerClose = [](Form1 &) { Forms::get<MDIForm1>().mnuClose->trigger(); };
    const auto exitItem = [](Form1 &f) { f.mnuExitItem_Click(); };
    const auto closing = [](Form1 &f) { f.close(); };
    const auto openItem = [](Form1 &f) { f.mnuOpen_Click(); };
    const auto newItem = [](Form1 &f) { f.mnuNew_Click(); };
    const Case cases[] = {
        {"the ledger's Close", true, withAnswers({Answer::Cancel}, ledgerClose)},
        {"File Exit, the ledger's question", true, withAnswers({Answer::Cancel}, exitItem)},
        {"File Exit, SAVE USER'S SETTINGS?", false, withAnswers({Answer::Cancel}, exitItem)},
        {"File Exit, the save dialog's close button", false,
         withAnswers({Answer::Yes, Ui::ModalAction(closeBox)}, exitItem)},
        {"File Exit, Esc on the save dialog", false, withAnswers({Answer::Yes, Ui::ModalAction(escape)}, exitItem)},
        {"the main window's closing, the ledger's question", true, withAnswers({Answer::Cancel}, closing)},
        {"the main window's closing, SAVE USER'S SETTINGS?", false, withAnswers({Answer::Cancel}, closing)},
        {"the main window's closing, the save dialog's close button", false,
         withAnswers({Answer::Yes, Ui::ModalAction(closeBox)}, closing)},
        {"File Open, the ledger's question", true, withAnswers({Answer::Cancel}, openItem)},
        {"File Open, the save dialog's close button", false, withAnswers({Ui::ModalAction(closeBox)}, openItem)},
        {"File Open, Esc on the save dialog", false, withAnswers({Ui::ModalAction(escape)}, openItem)},
        {"File New, the ledger's question", true, withAnswers({Answer::Cancel}, newItem)},
        {"File New, SAVE PREVIOUS USER?", false, withAnswers({Answer::Cancel}, newItem)},
        {"File New, the save dialog's close button", false,
         withAnswers({Answer::Yes, Ui::ModalAction(closeBox)}, newItem)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Form1 &f = patWithAPeriod();
        if (c.pasted) {
            f.cmdYear->click();
            paste(0);
        }
        f.cmdOT->click();
        type(Forms::get<Form2>().txtAnnual, QStringLiteral("41600"));
        const std::vector<std::string> loaded = Forms::loaded();
        QMap<QString, QByteArray> before;
        for (const QString &name : files())
            before[name] = read(name);
        const legacy::Currency year = state().year.TotGross;

        Ui::clearAsked();
        c.answer(f);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_FALSE(ended);
        // The save-user dialog may stay loaded, hidden, as after a refused save.
        std::vector<std::string> loadedAfter = Forms::loaded();
        std::erase(loadedAfter, std::string(frmSaveUser::kName));
        EXPECT_EQ(loadedAfter, loaded);
        EXPECT_FALSE(Forms::isLoaded<frmSaveUser>() && Forms::get<frmSaveUser>().isVisible());
        EXPECT_EQ(state().CurrentUser, "pat");
        EXPECT_EQ(f.windowTitle(), QStringLiteral("  User:  pat"));
        EXPECT_EQ(Forms::get<Form2>().txtAnnual->text(), QStringLiteral("41600"));
        if (c.pasted) {
            EXPECT_EQ(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
            EXPECT_EQ(state().year.TotGross, year);
        }
        QMap<QString, QByteArray> after;
        for (const QString &name : files())
            after[name] = read(name);
        EXPECT_EQ(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    }
}

// A ledger that holds nothing its year file does not, there being no file
// and nothing in it, is let go without a question, and no year file is
// written that nothing asked for.
TEST_F(Kept, AnEmptyLedgerWithoutAYearFileIsNotAskedFor)
{
    const struct {
        const char *name;
        std::function<void(Form1 &)> run;  // answers the command's own questions
    } commands[] = {
        {"File Exit",
         [](Form1 &f) {
             Ui::script(Answer::No);
             f.mnuExitItem_Click();
         }},
        {"File New",
         [](Form1 &f) {
             Ui::script(Answer::No);
             Ui::script(QStringLiteral("bob"));
             f.mnuNew_Click();
         }},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.name);
        removeAll();
        Form1 &f = restart();
        ended = false;
        Ui::script(Answer::No);
        Ui::script(QStringLiteral("pat"));
        f.mnuNew_Click();
        ASSERT_TRUE(exists(QStringLiteral("pat.use")));
        open(QStringLiteral("pat"));
        ASSERT_TRUE(Forms::isLoaded<MDIForm1>());
        Ui::clearAsked();
        c.run(f);
        EXPECT_FALSE(askedTexts().contains(kYearQuestion)) << askedTexts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_FALSE(exists(QStringLiteral("pat.yrw")));
    }
}

// Rows set aside go into the year file of the pay frequency they were
// pasted for, whatever the frequency is when the question is answered.
TEST_F(Kept, RowsSetAsideAreSavedForTheFrequencyTheyWerePastedFor)
{
    Form1 &f = patWithAPeriod();
    f.cmdYear->click();
    paste(0);
    userInfo([](frmTaxInfo &info) { info.optBiWeek->setChecked(true); });
    ASSERT_FALSE(Forms::isLoaded<MDIForm1>());
    ASSERT_EQ(state().profile.WeeklyPay, kFalse);
    Ui::clearAsked();
    Ui::script(Answer::Yes);  // the ledger's question
    Ui::script(Answer::No);   // SAVE USER'S SETTINGS?
    f.mnuExitItem_Click();
    EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
    EXPECT_TRUE(ended);
    ASSERT_TRUE(exists(QStringLiteral("pat.yrw")));
    EXPECT_TRUE(lines(QStringLiteral("pat.yrw"))[0].startsWith(QStringLiteral("\"01/07/05\",")));
    EXPECT_EQ(lines(QStringLiteral("pat.yrw")).size(), 52 * 4 + 3);
    EXPECT_FALSE(exists(QStringLiteral("pat.yrb")));
}

// Rows set aside for the weekly year are answered for before the bi-weekly
// ledger shows, by every way it shows: Yes writes them into the weekly year
// file, No lets them go, Cancel (Esc, the close button) shows nothing,
// prints nothing and keeps them set aside. The ledger then shown holds the
// bi-weekly year only: what it pastes, totals and saves goes into the
// bi-weekly year file.
TEST_F(Kept, RowsSetAsideForAnotherFrequencyAreSettledBeforeTheLedgerShows)
{
    // The ways the rows of the open weekly ledger are set aside; User
    // Info's OK with Bi-Weekly chosen follows each (the first is that OK
    // alone).
    struct Way {
        const char *name;
        void (*run)(Form1 &);
    };
    const Way ways[] = {
        {"User Info's OK", [](Form1 &) {}},
        {"a Calculate", [](Form1 &f) { calculate(f); }},
        {"File Save",
         [](Form1 &f) {
             Ui::script(Ui::ModalAction(pressSave));
             f.mnuSave_Click();
         }},
        {"Make Default",
         [](Form1 &f) {
             f.mnuState->trigger();
             Forms::get<DialogState>().cmdMkDefault->click();
         }},
    };
    // The ways the ledger shows, each scripting its own questions around
    // the ledger's answer; then, where the showing leaves the ledger hidden
    // or the period cleared, what shows it with the period to paste.
    const auto payStub = [](void (*press)(Form1 &)) {
        return [press](Form1 &f, Answer answer) {
            Ui::script(true);  // the command's printer dialog
            Ui::script(answer);
            if (answer != Answer::Cancel)
                Ui::script(true);  // the stub's own
            press(f);
        };
    };
    struct Showing {
        const char *name;
        std::function<void(Form1 &, Answer)> show;
        bool prints;
        void (*then)(Form1 &);
    };
    const Showing showings[] = {
        {"the Year to Date button",
         [](Form1 &f, Answer answer) {
             Ui::script(answer);
             f.cmdYear->click();
         },
         false, nullptr},
        {"the Year to Date menu",
         [](Form1 &f, Answer answer) {
             Ui::script(answer);
             f.mnuYear->trigger();
         },
         false, nullptr},
        {"the Print button", payStub([](Form1 &f) { f.cmdPrint->click(); }), true, nullptr},
        {"Print Sheet", payStub([](Form1 &f) { f.mnuPrintSheetItem->trigger(); }), true, nullptr},
        {"Print Check",
         [](Form1 &f, Answer answer) {
             f.mnuChecks->trigger();
             Forms::get<frmChecks>().mnuPrintCheck->trigger();
             Ui::script(true);  // the check's printer dialog
             Ui::script(answer);
             Forms::get<dlgPrintSet>().OKButton->click();
         },
         true, [](Form1 &f) { f.cmdYear->click(); }},
        {"File Open",
         [this](Form1 &f, Answer answer) {
             Ui::script(answer);
             if (answer != Answer::Cancel) {
                 Ui::script(Ui::ModalAction(pressNo));
                 Ui::script(std::optional<QString>(path(QStringLiteral(".use"))));
             }
             f.mnuOpen_Click();
         },
         false,
         [](Form1 &f) {
             calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
             f.cmdYear->click();
         }},
    };
    // The ledger's own ways of closing.
    struct Close {
        const char *name;
        void (*press)();
    };
    const Close closes[] = {
        {"the Close menu", [] { Forms::get<MDIForm1>().mnuClose->trigger(); }},
        {"the Close button", [] { grid().cmdBack->click(); }},
    };
    // Ways, answers and closes crossed for the first showing; every other
    // showing takes each answer, with the ways and the closes in turn (what
    // set the rows aside, and how the ledger closes afterwards, are the
    // same whatever showed it).
    struct Case {
        const Way &way;
        const Showing &showing;
        Answer answer;
        const Close &close;
    };
    const Answer answers[] = {Answer::Yes, Answer::No, Answer::Cancel};
    std::vector<Case> cases;
    for (const Way &way : ways)
        for (const Answer answer : answers)
            for (const Close &close : closes)
                cases.push_back({way, showings[0], answer, close});
    std::size_t turn = 0;
    for (const Showing &showing : std::span(showings).subspan(1))
        for (const Answer answer : answers) {
            cases.push_back({ways[turn % std::size(ways)], showing, answer, closes[turn % std::size(closes)]});
            ++turn;
        }
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.way.name) + ", " + c.showing.name + ", " +
                     (c.answer == Answer::Yes  ? "Yes"
                      : c.answer == Answer::No ? "No"
                                               : "Cancel") +
                     ", " + c.close.name);
        removeAll();
        Form1 &f = restart();
        ended = false;
        platform::forgetLastPrinted();
        Ui::currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        Ui::currentPrinter().setOutputFileName(path(QStringLiteral("printed.pdf")));
        calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
        f.cmdYear->click();
        paste(0);
        c.way.run(f);
        userInfo([](frmTaxInfo &info) { info.optBiWeek->setChecked(true); });
        ASSERT_FALSE(Forms::isLoaded<MDIForm1>());
        ASSERT_EQ(state().profile.WeeklyPay, kFalse);

        Ui::clearAsked();
        c.showing.show(f, c.answer);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
        if (c.answer == Answer::Cancel) {
            EXPECT_FALSE(Forms::isLoaded<MDIForm1>()) << "nothing shown";
            EXPECT_TRUE(platform::lastPrinted().page.items().empty()) << "nothing printed";
            EXPECT_FALSE(exists(QStringLiteral(".yrw")));
            EXPECT_FALSE(exists(QStringLiteral(".yrb")));
            // Still set aside: asked for again at the next showing.
            c.showing.show(f, Answer::Yes);
            EXPECT_EQ(Ui::pendingAnswers(), 0u);
            EXPECT_EQ(askedTexts().count(kYearQuestion), 2);
        }
        ASSERT_TRUE(Forms::isLoaded<MDIForm1>());
        EXPECT_EQ(platform::lastPrinted().page.items().empty(), !c.showing.prints);
        EXPECT_FALSE(exists(QStringLiteral(".yrb")));
        if (c.answer == Answer::No) {
            EXPECT_FALSE(exists(QStringLiteral(".yrw")));
        } else {
            ASSERT_TRUE(exists(QStringLiteral(".yrw")));
            EXPECT_TRUE(lines(QStringLiteral(".yrw"))[0].startsWith(QStringLiteral("\"01/07/05\",")));
            EXPECT_EQ(lines(QStringLiteral(".yrw")).size(), 52 * 4 + 3);
        }
        const QByteArray weekly = read(QStringLiteral(".yrw"));
        if (c.showing.then) {
            const int asked = askedTexts().count(kYearQuestion);
            c.showing.then(f);
            EXPECT_EQ(askedTexts().count(kYearQuestion), asked);
            ASSERT_TRUE(Forms::get<MDIForm1>().isVisible());
        }

        // The bi-weekly year, empty: nothing of the weekly week is shown or
        // counted.
        EXPECT_EQ(grid().txtDate[0]->text(), QString());
        EXPECT_EQ(Forms::get<frmYearTot>().txtTotNet->text(), QStringLiteral(".00"));
        EXPECT_EQ(state().year.TotGross, legacy::Currency());

        paste(1);
        EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(300));
        Ui::clearAsked();
        Ui::script(Answer::Yes);
        c.close.press();
        EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
        EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
        ASSERT_TRUE(exists(QStringLiteral(".yrb")));
        const QStringList biWeekly = lines(QStringLiteral(".yrb"));
        EXPECT_EQ(biWeekly.size(), 26 * 4 + 3);
        EXPECT_FALSE(biWeekly[0].startsWith(QStringLiteral("\"01/07/05\","))) << biWeekly[0].toStdString();
        EXPECT_TRUE(biWeekly[4].startsWith(QStringLiteral("\"01/07/05\","))) << biWeekly[4].toStdString();
        EXPECT_EQ(read(QStringLiteral(".yrw")), weekly);

        // Nothing of the weekly year is left to ask for.
        Ui::clearAsked();
        Ui::script(Answer::No);  // SAVE USER'S SETTINGS?
        f.mnuExitItem_Click();
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_FALSE(askedTexts().contains(kYearQuestion));
        EXPECT_TRUE(ended);
    }
}

// Rows set aside for another frequency whose save is refused when the
// ledger is asked for, by the Year to Date button, the pay stub or the
// check: the user is told, nothing is shown or printed, and the rows stay
// set aside.
TEST_F(Kept, ARefusedSaveOfRowsSetAsideShowsNoLedger)
{
    Form1 &f = restart();
    platform::forgetLastPrinted();
    Ui::currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    Ui::currentPrinter().setOutputFileName(path(QStringLiteral("printed.pdf")));
    f.txtWeek->setText(QString(21000, QLatin1Char('1')));
    calculate(f);
    f.cmdYear->click();
    for (QLabel *week : grid().Label2)
        QTest::mouseClick(week, Qt::LeftButton);
    userInfo([](frmTaxInfo &info) { info.optBiWeek->setChecked(true); });
    ASSERT_FALSE(Forms::isLoaded<MDIForm1>());

    // Each answers the ledger's question with Yes; each finds the rows
    // still set aside.
    const struct {
        const char *name;
        void (*show)(Form1 &);
    } showings[] = {
        {"the Year to Date button",
         [](Form1 &main) {
             Ui::script(Answer::Yes);
             main.cmdYear->click();
         }},
        {"the pay stub",
         [](Form1 &main) {
             Ui::script(true);  // the command's printer dialog
             Ui::script(Answer::Yes);
             main.cmdPrint->click();
         }},
        {"the check",
         [](Form1 &main) {
             main.mnuChecks->trigger();
             Forms::get<frmChecks>().mnuPrintCheck->trigger();
             Ui::script(true);  // the check's printer dialog
             Ui::script(Answer::Yes);
             Forms::get<dlgPrintSet>().OKButton->click();
         }},
    };
    for (const auto &showing : showings) {
        SCOPED_TRACE(showing.name);
        Ui::clearAsked();
        showing.show(f);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
        EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \".yrw\" was not saved")))
            << lastAsked().toStdString();
        EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
        EXPECT_TRUE(platform::lastPrinted().page.items().empty());
        EXPECT_FALSE(exists(QStringLiteral(".yrw")));
        EXPECT_FALSE(exists(QStringLiteral(".yrb")));
    }

    // Still set aside: File Exit asks for them again.
    Ui::clearAsked();
    Ui::script(Answer::No);  // the ledger's question
    Ui::script(Answer::No);  // SAVE USER'S SETTINGS?
    f.mnuExitItem_Click();
    EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
    EXPECT_TRUE(ended);
}

// With nothing set aside, a ledger shown after the pay frequency changed is
// the new frequency's year, read from its own file, by every way it shows:
// the weekly year saved before (in this run, or read at the start of the
// next) is neither shown, nor counted, nor written into the bi-weekly
// file, and comes back when weekly is chosen again.
TEST_F(Kept, TheLedgerShownIsTheCurrentFrequencysYear)
{
    const struct {
        const char *name;
        void (*show)(Form1 &);
    } showings[] = {
        {"the Year to Date button", [](Form1 &f) { f.cmdYear->click(); }},
        {"the Year to Date menu", [](Form1 &f) { f.mnuYear->trigger(); }},
        {"the pay stub",
         [](Form1 &f) {
             Ui::script(true);   // the command's printer dialog
             Ui::script(false);  // the stub's own, after it has read the year
             f.cmdPrint->click();
         }},
    };
    for (const bool nextRun : {false, true})
        for (const auto &showing : showings) {
            SCOPED_TRACE(std::string(showing.name) + (nextRun ? ", the next run" : ", the same run"));
            removeAll();
            Form1 *f = &restart();
            calculate(*f, QStringLiteral("40"), QStringLiteral("01/07/05"));
            f->cmdYear->click();
            paste(0);
            closeLedger(Answer::Yes);
            const QByteArray weekly = read(QStringLiteral(".yrw"));
            ASSERT_EQ(lines(QStringLiteral(".yrw")).size(), 52 * 4 + 3);
            if (nextRun) {
                f = &restart();
                ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(300));
            }
            userInfo([](frmTaxInfo &info) { info.optBiWeek->setChecked(true); });

            Ui::clearAsked();
            showing.show(*f);
            EXPECT_EQ(Ui::pendingAnswers(), 0u);
            EXPECT_FALSE(askedTexts().contains(kYearQuestion));
            ASSERT_TRUE(Forms::isLoaded<MDIForm1>());
            EXPECT_NE(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
            EXPECT_EQ(state().year.TotGross, legacy::Currency());
            closeLedger(Answer::Yes);
            ASSERT_TRUE(exists(QStringLiteral(".yrb")));
            EXPECT_EQ(lines(QStringLiteral(".yrb")).size(), 26 * 4 + 3);
            EXPECT_FALSE(lines(QStringLiteral(".yrb"))[0].startsWith(QStringLiteral("\"01/07/05\",")));
            EXPECT_EQ(read(QStringLiteral(".yrw")), weekly);

            userInfo([](frmTaxInfo &info) { info.optWeek->setChecked(true); });
            f->cmdYear->click();
            EXPECT_EQ(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
            EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(300));
        }
}

// A ledger whose save the command asked for is refused: the command stops
// and the ledger stays as it was, for the user to correct it.
TEST_F(Kept, ARefusedLedgerSaveStopsTheCommand)
{
    Form1 &f = patWithAPeriod();
    f.txtWeek->setText(QString(21000, QLatin1Char('1')));
    f.cmdYear->click();
    for (QLabel *week : grid().Label2)
        QTest::mouseClick(week, Qt::LeftButton);
    Ui::clearAsked();
    Ui::script(Answer::Yes);
    f.mnuExitItem_Click();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \"pat.yrw\" was not saved")))
        << lastAsked().toStdString();
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
    ASSERT_TRUE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(grid().txtDate[0]->text().size(), 21000);
    EXPECT_FALSE(exists(QStringLiteral("pat.yrw")));
}

// Make Default closes an open ledger as a calculation does: what it showed
// comes back at the next Year to Date.
TEST_F(Kept, MakeDefaultKeepsAnOpenLedgerAsACalculationDoes)
{
    Form1 &f = patWithAPeriod();
    f.cmdYear->click();
    paste(0);
    closeLedger(Answer::Yes);  // a year file is there
    calculate(f, QStringLiteral("40"), QStringLiteral("01/14/05"));
    f.cmdYear->click();
    paste(1);

    f.mnuState->trigger();
    Forms::get<DialogState>().cmdMkDefault->click();
    EXPECT_FALSE(Forms::isLoaded<MDIForm1>());
    EXPECT_EQ(state().CurrentUser, "pat");
    EXPECT_TRUE(exists(QStringLiteral(".sta")));
    f.cmdYear->click();
    EXPECT_EQ(grid().txtDate[0]->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(grid().txtDate[1]->text(), QStringLiteral("01/14/05"));
}

// Make Default gives the default profile the open profile's leave record,
// the leave window open or not.
TEST_F(Kept, MakeDefaultGivesTheDefaultProfileTheProfilesLeaveRecord)
{
    for (const bool windowOpen : {false, true}) {
        SCOPED_TRACE(windowOpen ? "the leave record open" : "the leave record closed");
        removeAll();
        Form1 &f = restart();
        const auto leaveDays = [&f](const QString &days) {
            f.Command1->click();
            DialogVac &d = Forms::get<DialogVac>();
            type(d.Vac.txtBal, days);
            d.OKButton->click();
        };
        leaveDays(QStringLiteral("8"));
        saveAs(QStringLiteral("hc"));
        open(QStringLiteral("hc"));
        leaveDays(QStringLiteral("20"));
        ASSERT_FALSE(Forms::isLoaded<DialogVac>());
        const QByteArray hc = read(QStringLiteral("hc.hol"));
        ASSERT_NE(hc, read(QStringLiteral(".hol")));
        if (windowOpen)
            f.Command1->click();

        f.mnuState->trigger();
        Forms::get<DialogState>().cmdMkDefault->click();
        EXPECT_EQ(state().CurrentUser, "hc");
        EXPECT_EQ(read(QStringLiteral(".hol")), hc);
        EXPECT_EQ(read(QStringLiteral("hc.hol")), hc);
        f.Command1->click();
        EXPECT_EQ(Forms::get<DialogVac>().Vac.txtBal->text(), QStringLiteral("20")) << "the profile keeps its own";
    }
}

// No at the ledger's Close discards: every later calculation uses the year
// the user kept, whether or not the ledger was looked at before.
TEST_F(Kept, NoAtTheLedgersCloseDiscardsWhatItChanged)
{
    Form1 &f = patWithAPeriod();
    f.cmdYear->click();
    paste(0);
    closeLedger(Answer::Yes);
    ASSERT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    const auto socialSecurity = [&f] {
        f.Clear_All();
        type(f.txtAmount[6], QStringLiteral("922337203685477"));
        f.cmdCal->click();
        return f.lbTaxDed[1]->text();
    };
    // (90 000 - 600) x 6.2 %: the part of the base the year has left.
    EXPECT_EQ(socialSecurity(), QStringLiteral("5,542.80"));

    f.cmdYear->click();
    Forms::get<MDIForm1>().mnuClearAll->trigger();
    closeLedger(Answer::No);
    EXPECT_EQ(state().year.TotGross, legacy::Currency::fromDouble(600));
    EXPECT_EQ(socialSecurity(), QStringLiteral("5,542.80"));

    f.cmdYear->click();
    paste(1);
    QTest::mouseClick(grid().Label2[0], Qt::RightButton);
    closeLedger(Answer::No);
    EXPECT_EQ(socialSecurity(), QStringLiteral("5,542.80"));
}

// A save refused (here: a leave record too large to read back) changes
// nothing: the name typed into the box does not become the profile, and
// no file is written under it.
TEST_F(Kept, ARefusedSaveSwitchesNoProfile)
{
    Form1 &f = patWithAPeriod();
    ASSERT_EQ(f.windowTitle(), QStringLiteral("  User:  pat"));
    DialogVac &leave = oversizedLeaveRecord(f);
    Ui::clearAsked();
    saveAs(QStringLiteral("bob"));
    EXPECT_TRUE(lastAsked().endsWith(QStringLiteral("Nothing was written."))) << lastAsked().toStdString();
    EXPECT_EQ(state().CurrentUser, "pat");
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("pat"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("  User:  pat"));

    shorten(leave);
    calculate(f);
    EXPECT_EQ(state().CurrentUser, "pat");
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("bob*")}).isEmpty())
        << files().join(QLatin1Char(' ')).toStdString();
}

// A name typed into the Save dialog and then let go (Esc, its close button)
// leaves no trace: every save that reads the dialog's box goes under the
// profile's own name, the dialog offers that name again, and the foot of
// the main window shows it.
TEST_F(Kept, ANameTypedIntoTheSaveDialogAndLetGoNamesNothing)
{
    const std::pair<const char *, Ui::ModalAction> cancels[] = {
        {"Esc", [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"the close button", [](QWidget *) {}},  // left on screen: closed as by its close button
    };
    // Each route answers its own questions; `offered` gets what the dialog's
    // box holds when the route shows it.
    struct Route {
        const char *name;
        std::function<void(Form1 &, QString &offered)> run;
    };
    // The dialog on screen: what its box offers is kept, then a button pressed.
    const auto showing = [](QString &offered, void (*press)(QWidget *)) {
        return Ui::ModalAction([&offered, press](QWidget *w) {
            offered = static_cast<frmSaveUser *>(w)->txtSaveUser->text();
            press(w);
        });
    };
    const Route routes[] = {
        {"Calculate", [](Form1 &f, QString &) { calculate(f); }},
        {"User Info's OK", [this](Form1 &, QString &) { userInfo([](frmTaxInfo &) {}); }},
        {"the state editor's OK",
         [](Form1 &f, QString &) {
             f.mnuState->trigger();
             Forms::get<DialogState>().OKButton->click();
         }},
        {"the city editor's OK",
         [](Form1 &f, QString &) {
             f.mnuCity->trigger();
             Forms::get<DialogCity>().OKButton->click();
         }},
        {"the non-resident editor's OK",
         [](Form1 &f, QString &) {
             f.mnuNonCity->trigger();
             Forms::get<DialogNonCity>().OKButton->click();
         }},
        {"Make Default",
         [](Form1 &f, QString &) {
             f.mnuState->trigger();
             Forms::get<DialogState>().cmdMkDefault->click();
         }},
        {"File Save",
         [&](Form1 &f, QString &offered) {
             Ui::script(showing(offered, pressSave));
             f.mnuSave_Click();
         }},
        {"File Open",
         [&](Form1 &f, QString &offered) {
             Ui::script(showing(offered, pressNo));
             Ui::script(std::optional<QString>());  // the file dialog cancelled
             f.mnuOpen_Click();
         }},
        {"File New",
         [&](Form1 &f, QString &offered) {
             Ui::script(Answer::Yes);
             Ui::script(showing(offered, pressSave));
             Ui::script(QStringLiteral("carl"));
             f.mnuNew_Click();
         }},
        {"File Exit",
         [&](Form1 &f, QString &offered) {
             Ui::script(Answer::Yes);
             Ui::script(showing(offered, pressSave));
             f.mnuExitItem_Click();
         }},
    };
    for (const auto &[cancelName, cancel] : cancels)
        for (const Route &route : routes) {
            SCOPED_TRACE(std::string(route.name) + " after " + cancelName);
            removeAll();
            Form1 &f = restart();
            ended = false;
            Ui::script(Ui::ModalAction([&cancel](QWidget *w) {
                type(static_cast<frmSaveUser *>(w)->txtSaveUser, QStringLiteral("bob"));
                cancel(w);
            }));
            f.mnuSave_Click();
            ASSERT_EQ(Ui::pendingAnswers(), 0u);

            const QString footBefore = f.lbUser->text();  // the design caption until a save names the profile
            QString offered = QStringLiteral("(not shown)");
            route.run(f, offered);
            EXPECT_EQ(Ui::pendingAnswers(), 0u);
            EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("bob*")}, QDir::Files).isEmpty())
                << files().join(QLatin1Char(' ')).toStdString();
            if (offered != QStringLiteral("(not shown)")) {
                EXPECT_EQ(offered, QString()) << "the dialog offers the profile's own name";
            }
            const std::string profile = route.name == std::string("File New") ? "carl" : "";
            EXPECT_EQ(state().CurrentUser, profile);
            if (!ended) {
                EXPECT_TRUE(f.lbUser->text() == QString::fromStdString(profile) || f.lbUser->text() == footBefore)
                    << f.lbUser->text().toStdString();
            }
        }
}

// The ways another program can leave a settings file that cannot be
// replaced: a folder in its place, or a file that cannot be written. Taken
// away, the file is as it was.
struct Obstruction {
    const char *name;
    std::function<void(const QString &path)> put, takeAway;
};
const Obstruction kObstructions[] = {
    {"a folder where .cfe was",
     [](const QString &path) {
         QFile::rename(path, path + QStringLiteral(".kept"));
         QDir().mkdir(path);
     },
     [](const QString &path) {
         QDir().rmdir(path);
         QFile::rename(path + QStringLiteral(".kept"), path);
     }},
    {"a write-protected .cfe",
     [](const QString &path) { QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup); },
     [](const QString &path) { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner); }},
};

// User Info's OK whose save is refused changes no setting: the window keeps
// what was typed, a Close after it leaves the settings as they were, and no
// file is written.
TEST_F(Kept, ARefusedUserInfoOkChangesNoSetting)
{
    for (const Obstruction &o : kObstructions) {
        SCOPED_TRACE(o.name);
        removeAll();
        Form1 &f = restart();
        calculate(f);
        ASSERT_EQ(f.lbTaxDed[0]->text(), QStringLiteral("30.50"));
        QMap<QString, QByteArray> before;
        for (const QString &name : files())
            before[name] = read(name);
        const ProfileSettings settings = state().profile;
        o.put(path(QStringLiteral(".cfe")));

        Ui::clearAsked();
        Ui::script(Ui::ModalAction([](QWidget *w) {
            auto &info = static_cast<frmTaxInfo &>(*w);
            chooseBiWeeklyAndPressOk(info);
            EXPECT_TRUE(info.isVisible()) << "the window stays with what was typed";
            EXPECT_TRUE(info.optBiWeek->isChecked());
            info.Command1->click();
        }));
        f.mnuTaxInfoItem_Click();
        EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \".cfe\" could not be written or read")))
            << lastAsked().toStdString();
        o.takeAway(path(QStringLiteral(".cfe")));
        EXPECT_EQ(state().profile, settings);
        EXPECT_EQ(f.lbTableNotice->text(), QStringLiteral("Weekly Tax Tables"));
        EXPECT_EQ(f.lbTaxTag[5]->text(), QStringLiteral("CrUnion"));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(read(it.key()), it.value()) << it.key().toStdString();

        calculate(f);
        EXPECT_EQ(f.lbTaxDed[0]->text(), QStringLiteral("30.50")) << "the weekly figure";
        EXPECT_EQ(f.lbTaxTag[5]->text(), QStringLiteral("CrUnion"));
    }
}

// Every command that takes a window's boxes into the settings before it
// saves, and every command that writes a save of several files, refused at
// its first, a middle or its last file (a folder stands in its place) or
// part-way through its writing (the disk full: a file size limit that the
// small files pass), writes nothing and puts back all it took, also what a
// window's load made inside it: a Cancel after it leaves the program as it
// was, so the next save writes, and the next calculation uses, nothing that
// was let go. The press says so once, and the window stays with what was
// typed.
TEST_F(Kept, ACommandWhoseSaveIsRefusedPutsBackWhatItTook)
{
    const auto refused = &pressRefused;
    // Each command types, presses its save, finds its window still there,
    // and lets what it typed go. It is refused with a folder in the place
    // of each file named, in turn (a name starting with "!": that file
    // write-protected, which only what the command takes changes), and with
    // the file size limit when one is given.
    struct Command {
        const char *name;
        std::vector<const char *> files;
        rlim_t sizeLimit;    // 0: not tried
        bool fileComesBack;  // false: it stays away, so a later save reads nothing back from it
        std::function<void(Form1 &)> refusedThenLetGo;
    };
    // A window the main window's menu opens: a box typed into, a save
    // pressed, then CANCEL.
    const auto inWindow = [refused]<class W>(QAction *Form1::*menu, QLineEdit *(*box)(W &), const char *text,
                                             QPushButton *W::*save) {
        return [=](Form1 &f) {
            (f.*menu)->trigger();
            W &d = Forms::get<W>();
            type(box(d), QLatin1String(text));
            refused([&] { (d.*save)->click(); });
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(box(d)->text(), QLatin1String(text));
            d.CancelButton->click();
        };
    };
    const auto stateEditor = [inWindow](QPushButton *DialogState::*save) {
        return inWindow(
            &Form1::mnuState, +[](DialogState &d) { return d.txtStateMinBS[0]; }, "999", save);
    };
    // The tracker's rows typed, then a save of the profile.
    const auto trackerThen = [refused](const std::function<void(Form1 &)> &save) {
        return [=](Form1 &f) {
            f.cmdOT->click();
            Form2 &t = Forms::get<Form2>();
            type(t.txtOT[0], QStringLiteral("5"));
            const QString emptyRow = t.txtOT[1]->text();
            refused([&] { save(f); });
            EXPECT_TRUE(t.isVisible());
            EXPECT_EQ(t.txtOT[0]->text(), QStringLiteral("5"));
            EXPECT_EQ(t.txtOT[1]->text(), emptyRow);
            // The tracker's close keeps what it shows, as its Back does:
            // its Undo lets the typed row go.
            t.cmdUndo->click();
            t.close();
        };
    };
    const Command commands[] = {
        {"the state editor's SAVE", {"pat.sta", "pat.and", "pat.ovw"}, 0, true, stateEditor(&DialogState::OKButton)},
        {"the state editor's SAVE after Get Default, User Info closed",
         {"pat.sta", "pat.ovw"},
         0,
         true,
         [refused](Form1 &f) {
             // User Info's load, made by the SAVE, writes the settings
             // files back: inside the refused save, it writes nothing.
             f.mnuState->trigger();
             Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmTaxInfo *>(w)->Command1->click(); }));
             f.mnuTaxInfoItem_Click();
             ASSERT_FALSE(Forms::isLoaded<frmTaxInfo>());
             DialogState &d = Forms::get<DialogState>();
             d.cmdGetDefault->click();
             d.ckRoundOff->setChecked(true);
             refused([&] { d.OKButton->click(); });
             EXPECT_TRUE(d.isVisible());
             EXPECT_TRUE(d.ckRoundOff->isChecked());
             d.CancelButton->click();
         }},
        {"the state editor's Make Default",
         {"pat.sta", "pat.cfe", ".use", ".sta"},
         0,
         true,
         stateEditor(&DialogState::cmdMkDefault)},
        {"the city editor's SAVE",
         {"pat.cti"},
         0,
         true,
         inWindow(
             &Form1::mnuCity, +[](DialogCity &d) { return d.txtCityMinBS[0]; }, "999", &DialogCity::OKButton)},
        {"the non-resident editor's SAVE",
         {"pat.nci"},
         0,
         true,
         inWindow(
             &Form1::mnuNonCity, +[](DialogNonCity &d) { return d.txtNonPer; }, "0.5", &DialogNonCity::OKButton)},
        {"User Info's OK",
         {"pat.use", "pat.cfe", "pat.hol"},
         150,
         true,
         [refused](Form1 &f) {
             Ui::script(Ui::ModalAction([refused](QWidget *w) {
                 auto &info = static_cast<frmTaxInfo &>(*w);
                 type(info.txtHourRate, QStringLiteral("0"));
                 refused([&] { chooseBiWeeklyAndPressOk(info); });
                 EXPECT_TRUE(info.isVisible());
                 EXPECT_EQ(info.txtHourRate->text(), QStringLiteral("0")) << "what was typed, not the 7.5 taken";
                 EXPECT_TRUE(info.optBiWeek->isChecked());
                 info.Command1->click();
             }));
             f.mnuTaxInfoItem_Click();
         }},
        {"the leave record's Save",
         {"pat.hol"},
         0,
         false,
         [refused](Form1 &f) {
             f.Command1->click();
             DialogVac &d = Forms::get<DialogVac>();
             type(d.Vac.txtBal, QStringLiteral("12"));
             refused([&] { d.OKButton->click(); });
             EXPECT_TRUE(d.isVisible());
             d.close();
         }},
        {"the tracker's rows, File Save", {"pat.use", "pat.cfe", "pat.hol"}, 150, true, trackerThen([](Form1 &f) {
             Ui::script(Ui::ModalAction(pressSave));
             f.mnuSave_Click();
         })},
        {"the tracker's rows, File Exit's save",
         {"pat.use", "pat.cfe", "pat.hol"},
         150,
         true,
         trackerThen([this](Form1 &f) {
             Ui::script(Answer::Yes);
             Ui::script(Ui::ModalAction(pressSave));
             f.mnuExitItem_Click();
             EXPECT_FALSE(ended) << "the program goes on";
         })},
        {"the tracker's rows, Calculate", {"pat.use", "pat.cfe", "pat.hol"}, 150, true, trackerThen([](Form1 &f) {
             calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
             EXPECT_TRUE(f.lbNet->text().isEmpty());
         })},
        {"Calculate with the state editor open",
         {"pat.use", "pat.cfe", "pat.hol", "!pat.and"},
         0,
         true,
         [refused](Form1 &f) {
             // The figures the open editor holds are taken for the press,
             // its blank box gets New York's figure: refused, the editor
             // stays open as it was, and the press shows nothing.
             f.mnuState->trigger();
             DialogState &d = Forms::get<DialogState>();
             d.ckRoundOff->setChecked(true);  // kept in pat.and
             d.ckSDI->setChecked(true);
             type(d.txtSDIpercent, QStringLiteral("0.0777"));
             type(d.txtSDIwageBase, QStringLiteral("8765"));
             type(d.txtStateMinBS[9], QString());
             refused([&] { calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05")); });
             EXPECT_TRUE(f.lbNet->text().isEmpty());
             EXPECT_TRUE(d.isVisible());
             EXPECT_TRUE(d.ckRoundOff->isChecked());
             EXPECT_TRUE(d.ckSDI->isChecked());
             EXPECT_EQ(d.txtSDIpercent->text(), QStringLiteral("0.0777"));
             EXPECT_EQ(d.txtSDIwageBase->text(), QStringLiteral("8765"));
             EXPECT_EQ(d.txtStateMinBS[9]->text(), QString());
             d.CancelButton->click();
         }},
        {"the printer offsets' Apply",
         {"pat.use", "pat.and", "pat.ovw"},
         0,
         true,
         [refused](Form1 &f) {
             f.mnuChecks->trigger();
             Forms::get<frmChecks>().mnuPrintCheck->trigger();
             dlgPrintSet &d = Forms::get<dlgPrintSet>();
             d.cboHorz->setCurrentText(QStringLiteral("3"));
             refused([&] { d.cmdApply->click(); });
             EXPECT_TRUE(d.isVisible());
             d.CancelButton->click();
             Forms::unload(frmChecks::kName);
         }},
        {"the heading's OK",
         {"Header.sav"},
         0,
         true,
         inWindow(
             &Form1::mnuHeader, +[](DialogHeader &d) { return d.txtHeader[0]; }, "Acme", &DialogHeader::OKButton)},
    };
    // A folder in the place of a file, or (none) the file size limit.
    std::vector<std::pair<const Command *, const char *>> runs;
    for (const Command &c : commands) {
        for (const char *file : c.files)
            runs.emplace_back(&c, file);
        if (c.sizeLimit)
            runs.emplace_back(&c, nullptr);
    }
    for (const auto &[command, folderAt] : runs) {
        const Command &c = *command;
        SCOPED_TRACE(std::string(c.name) + ", " +
                     (!folderAt            ? std::string("the disk full")
                      : folderAt[0] == '!' ? std::string("a write-protected ") + (folderAt + 1)
                                           : std::string("a folder at ") + folderAt));
        Form1 &f = patWithAPeriod();
        // A heading saved, so that its dialog's load puts nothing into it.
        f.mnuHeader->trigger();
        Forms::get<DialogHeader>().OKButton->click();
        ASSERT_TRUE(exists(QStringLiteral("Header.sav")));
        const QString net = f.lbNet->text();
        QMap<QString, QByteArray> before;
        for (const QString &name : files())
            before[name] = read(name);
        const PrintHeading heading = state().heading;

        if (folderAt && folderAt[0] == '!') {
            const QString file = path(QString::fromLatin1(folderAt + 1));
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
            c.refusedThenLetGo(f);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        } else if (folderAt) {
            const QString file = QString::fromLatin1(folderAt);
            const bool wasThere = exists(file);
            if (wasThere) {
                ASSERT_TRUE(QFile::rename(path(file), path(file + QStringLiteral(".kept"))));
            }
            ASSERT_TRUE(QDir(folder.path()).mkdir(file));
            c.refusedThenLetGo(f);
            ASSERT_TRUE(QDir(folder.path()).rmdir(file));
            if (wasThere && c.fileComesBack) {
                ASSERT_TRUE(QFile::rename(path(file + QStringLiteral(".kept")), path(file)));
            } else if (wasThere) {
                ASSERT_TRUE(QFile::remove(path(file + QStringLiteral(".kept"))));
            }
        } else {
            wdtest::withFileSizeLimit(c.sizeLimit, [&] { c.refusedThenLetGo(f); });
        }
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        // Nothing written, by the save or by a window's load inside it (a
        // file kept away stays away).
        QStringList made = files();
        for (const QString &name : before.keys())
            made.removeAll(name);
        EXPECT_TRUE(made.isEmpty()) << made.join(QStringLiteral(" ")).toStdString();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (exists(it.key())) {
                EXPECT_EQ(read(it.key()), it.value()) << "written by the refused save: " << it.key().toStdString();
            }
        }

        // The next save writes every file as it was; the next calculation
        // gives what it gave, and the printouts keep their heading.
        Ui::script(Ui::ModalAction(pressSave));
        f.mnuSave_Click();
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(read(it.key()), it.value()) << it.key().toStdString();
        EXPECT_TRUE(state().heading == heading) << state().heading.HeadingLine1;
        calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
        EXPECT_EQ(f.lbNet->text(), net);
    }
}

// A Calculate press whose save would be refused tells it once and shows
// nothing, as it does for a damaged file without a copy, whether the user
// information window is loaded (the first press of a run) or not (a press
// after a save); a file whose bytes would not change is no obstacle. With
// the obstacle gone, the next press saves and shows as usual.
TEST_F(Kept, ACalculationWhoseSaveWouldBeRefusedTellsItOnceAndShowsNothing)
{
    const auto folderFor = [this](const QString &name) {
        QFile::remove(path(name));
        QDir(folder.path()).mkdir(name);
    };
    const auto protect = [this](bool on) {
        QFile::setPermissions(path(QStringLiteral(".use")),
                              on ? QFile::ReadOwner | QFile::ReadGroup : QFile::ReadOwner | QFile::WriteOwner);
    };
    struct Obstacle {
        const char *name;
        const char *file;
        std::function<void()> put, takeAway;
        bool refused;
    };
    const Obstacle obstacles[] = {
        {"a folder where .cfe was", ".cfe", [&] { folderFor(QStringLiteral(".cfe")); },
         [&] { QDir(folder.path()).rmdir(QStringLiteral(".cfe")); }, true},
        {"a folder where .hol was", ".hol", [&] { folderFor(QStringLiteral(".hol")); },
         [&] { QDir(folder.path()).rmdir(QStringLiteral(".hol")); }, true},
        {"a write-protected .use that the tracker's salary changes", ".use",
         [&] {
             protect(true);
             Forms::get<Form1>().cmdOT->click();
             type(Forms::get<Form2>().txtAnnual, QStringLiteral("41600"));
         },
         [&] { protect(false); }, true},
        {"a write-protected .use that would not change", ".use", [&] { protect(true); }, [&] { protect(false); },
         false},
    };
    for (const Obstacle &o : obstacles)
        for (const bool afterASave : {false, true}) {
            SCOPED_TRACE(std::string(o.name) + (afterASave ? ", a press after a save" : ", the first press of a run"));
            removeAll();
            Form1 *run = &restart();
            userInfo([](frmTaxInfo &info) { type(info.txtHourRate, QStringLiteral("15")); });
            calculate(*run);
            const QString net = run->lbNet->text();
            ASSERT_FALSE(net.isEmpty());
            if (afterASave) {
                ASSERT_FALSE(Forms::isLoaded<frmTaxInfo>());
            } else {
                run = &restart();
                ASSERT_TRUE(Forms::isLoaded<frmTaxInfo>());
            }
            Form1 &f = *run;
            o.put();
            Ui::clearAsked();
            calculate(f);
            if (o.refused) {
                ASSERT_EQ(Ui::asked().size(), 1u) << askedTexts().join(QStringLiteral(" | ")).toStdString();
                EXPECT_TRUE(lastAsked().startsWith(
                    QStringLiteral("The file \"%1\" could not be written").arg(QLatin1String(o.file))))
                    << lastAsked().toStdString();
                EXPECT_TRUE(f.lbNet->text().isEmpty());
                o.takeAway();
                Ui::clearAsked();
                calculate(f);
            }
            EXPECT_TRUE(Ui::asked().empty()) << askedTexts().join(QStringLiteral(" | ")).toStdString();
            EXPECT_EQ(f.lbNet->text(), net);
            EXPECT_TRUE(QFileInfo(path(QString::fromLatin1(o.file))).isFile());
            protect(false);
        }
}

// Rows go into the year file of the pay frequency they were pasted for, on
// every route that saves the open set, also after User Info's OK was
// refused with another frequency chosen.
TEST_F(Kept, RowsOfTheOpenSetAreSavedForTheFrequencyTheyWerePastedFor)
{
    struct Route {
        const char *name;
        std::function<void(Form1 &)> run;  // answers Yes to the ledger's question, no to the rest
    };
    const Route routes[] = {
        {"the ledger's Close", [](Form1 &) { closeLedger(Answer::Yes); }},
        {"File Exit",
         [](Form1 &f) {
             Ui::script(Answer::Yes);
             Ui::script(Answer::No);
             f.mnuExitItem_Click();
         }},
        {"the main window's closing",
         [](Form1 &f) {
             Ui::script(Answer::Yes);
             Ui::script(Answer::No);
             f.close();
         }},
        {"File Open",
         [](Form1 &f) {
             Ui::script(Answer::Yes);
             Ui::script(Ui::ModalAction(pressNo));
             Ui::script(std::optional<QString>());
             f.mnuOpen_Click();
         }},
        {"File New",
         [](Form1 &f) {
             Ui::script(Answer::Yes);
             Ui::script(Answer::No);
             Ui::script(QStringLiteral("carl"));
             f.mnuNew_Click();
         }},
    };
    for (const Obstruction &o : kObstructions)
        for (const Route &route : routes) {
            SCOPED_TRACE(std::string(route.name) + ", " + o.name);
            removeAll();
            Form1 &f = restart();
            ended = false;
            calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
            f.cmdYear->click();
            paste(0);
            o.put(path(QStringLiteral(".cfe")));
            Ui::script(Ui::ModalAction([](QWidget *w) {
                auto &info = static_cast<frmTaxInfo &>(*w);
                chooseBiWeeklyAndPressOk(info);
                info.Command1->click();
            }));
            f.mnuTaxInfoItem_Click();
            o.takeAway(path(QStringLiteral(".cfe")));
            ASSERT_TRUE(Forms::isLoaded<MDIForm1>());

            Ui::clearAsked();
            route.run(f);
            EXPECT_EQ(Ui::pendingAnswers(), 0u);
            EXPECT_EQ(askedTexts().count(kYearQuestion), 1);
            ASSERT_TRUE(exists(QStringLiteral(".yrw")));
            EXPECT_TRUE(lines(QStringLiteral(".yrw"))[0].startsWith(QStringLiteral("\"01/07/05\",")));
            EXPECT_EQ(lines(QStringLiteral(".yrw")).size(), 52 * 4 + 3);
            EXPECT_FALSE(exists(QStringLiteral(".yrb")));
        }
}

// The save File Exit, the main window's closing and File Open asked for is
// refused: the command is cancelled and the user is back in the program
// with every window and value as before, free to correct the box; the
// command then goes on as usual.
TEST_F(Kept, ARefusedSaveCancelsTheCommandThatAskedForIt)
{
    struct Command {
        const char *name;
        bool askFirst;  // a Yes/No question before the dialog
        std::function<void(Form1 &)> run;
        std::function<void()> afterSave;  // answers the command's questions after a save
        bool ends;
    };
    const Command commands[] = {
        {"File Exit", true, [](Form1 &f) { f.mnuExitItem_Click(); }, [] {}, true},
        {"the main window's closing", true, [](Form1 &f) { f.close(); }, [] {}, true},
        {"File Open", false, [](Form1 &f) { f.mnuOpen_Click(); }, [] { Ui::script(std::optional<QString>()); }, false},
        {"File New", true, [](Form1 &f) { f.mnuNew_Click(); }, [] { Ui::script(QStringLiteral("bob")); }, false},
    };
    for (const Command &c : commands) {
        SCOPED_TRACE(c.name);
        Form1 &f = patWithAPeriod();
        f.cmdOT->click();
        type(Forms::get<Form2>().txtAnnual, QStringLiteral("41600"));
        DialogVac &leave = oversizedLeaveRecord(f);
        type(leave.Vac.txtBal, QStringLiteral("12"));
        const QByteArray use = read(QStringLiteral("pat.use"));

        Ui::clearAsked();
        if (c.askFirst)
            Ui::script(Answer::Yes);
        Ui::script(Ui::ModalAction(pressSave));
        c.run(f);
        EXPECT_FALSE(ended);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_TRUE(lastAsked().endsWith(QStringLiteral("Nothing was written."))) << lastAsked().toStdString();
        EXPECT_TRUE(Forms::isLoaded<Form1>());
        ASSERT_TRUE(Forms::isLoaded<DialogVac>());
        ASSERT_TRUE(Forms::isLoaded<Form2>());
        EXPECT_EQ(leave.Vac.txtBal->text(), QStringLiteral("12"));
        EXPECT_EQ(leave.Vac.txtDate[0]->text().size(), 21000);
        EXPECT_EQ(Forms::get<Form2>().txtAnnual->text(), QStringLiteral("41600"));
        EXPECT_EQ(read(QStringLiteral("pat.use")), use);
        EXPECT_FALSE(Forms::get<frmSaveUser>().isVisible());

        // Corrected, the same command saves and goes on.
        shorten(leave);
        if (c.askFirst)
            Ui::script(Answer::Yes);
        Ui::script(Ui::ModalAction(pressSave));
        c.afterSave();
        c.run(f);
        EXPECT_EQ(Ui::pendingAnswers(), 0u);
        EXPECT_EQ(ended, c.ends);
        EXPECT_TRUE(lines(QStringLiteral("pat.use"))[1].startsWith(QStringLiteral("41600,"))) << "the tracker is saved";
    }
}

}  // namespace
}  // namespace wagedesk::testing
