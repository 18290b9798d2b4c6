// Nothing of a profile is lost to a save: a file the readers would refuse
// is never written, and a file reported damaged or too large keeps its
// bytes in a copy beside it before any save can replace it. Each case is
// driven through the windows where a user meets it.
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

#include "file_size_limit.h"

#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"
#include "records_fixture.h"
#include "tables/windows/dialogstate.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::Ui;

class Safekeeping : public RecordsTest {
protected:
    // Every file of the folder with its bytes.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> all;
        for (const QString &name : files())
            all[name] = read(name);
        return all;
    }
    // Every name a copy of the file could take holds other bytes: no copy
    // of it can be kept.
    void takeEveryCopyName(const QString &file) const
    {
        write(file + QStringLiteral(".damaged"), "taken");
        for (int n = 2; n <= 999; ++n)
            write(file + QStringLiteral(".damaged.%1").arg(n), "taken");
    }
    static bool askedContains(const QString &text)
    {
        for (const platform::Question &q : Ui::asked())
            if (q.text.contains(text))
                return true;
        return false;
    }

    // The default profile with a value of each settings file: the rate in
    // ".use", the employee's name in ".and", the cafeteria plan in ".cfe",
    // and the tracker's salary (".use") and first week (".ovw").
    Form1 &startWithEveryFile()
    {
        removeAll();
        Form1 &f = restart();
        userInfo([](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("52.43"));
            type(info.txtCafe, QStringLiteral("12.5"));
            info.txtName->setText(QStringLiteral("Pat Doe"));
        });
        f.cmdOT->click();
        Form2 &t = Forms::get<Form2>();
        type(t.txtAnnual, QStringLiteral("41600"));
        type(t.txtApPercent, QStringLiteral("10"));
        type(t.txtOT[0], QStringLiteral("250.5"));
        t.cmdADD->click();
        t.cmdClose->click();
        calculate(f);
        return f;
    }
    // What the store holds of each file.
    static void expectValuesOf(const QStringList &files)
    {
        const ProgramState &st = state();
        if (files.contains(QStringLiteral(".use"))) {
            EXPECT_EQ(st.profile.PayRate1, 52.43f);
            EXPECT_EQ(st.overtime.OTAnnualSalary, 41600.0f);
        }
        if (files.contains(QStringLiteral(".and"))) {
            EXPECT_EQ(st.profile.EmployeeName, "Pat Doe");
        }
        if (files.contains(QStringLiteral(".cfe"))) {
            EXPECT_EQ(st.profile.CafeteriaPlan, 12.5f);
        }
        if (files.contains(QStringLiteral(".ovw"))) {
            EXPECT_EQ(st.overtime.OTAmount[0], "250.5");
        }
    }
};

const QStringList kSettingsFiles{QStringLiteral(".use"), QStringLiteral(".and"), QStringLiteral(".cfe"),
                                 QStringLiteral(".ovw")};

// A long text in each date box of a record makes its file larger than the
// readers take: the save that would write it writes nothing at all, and
// says which file and which box.
TEST_F(Safekeeping, AFileTooLargeToReadBackIsNeverWritten)
{
    const QString date(21000, QLatin1Char('7'));
    struct Case {
        const char *file;
        std::function<void(Form1 &)> fill;  // the long texts, as pasted into the boxes
        std::function<void(Form1 &)> save;
        const char *box;
    };
    const Case cases[] = {
        {"pat.hol",
         [&](Form1 &f) {
             f.Command1->click();
             DialogVac &d = Forms::get<DialogVac>();
             for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick})
                 for (QLineEdit *box : a->txtDate)
                     box->setText(date);
         },
         [](Form1 &) { Forms::get<DialogVac>().OKButton->click(); }, "Vacation Dates, row 1"},
        // The calculation's save, with the record still open and a new
        // salary in the tracker: the settings files are not written either,
        // and the longest text is named.
        {"pat.hol",
         [&](Form1 &f) {
             f.cmdOT->click();
             type(Forms::get<Form2>().txtAnnual, QStringLiteral("41600"));
             Forms::get<Form2>().cmdADD->click();
             Forms::get<Form2>().cmdClose->click();
             f.Command1->click();
             DialogVac &d = Forms::get<DialogVac>();
             for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick})
                 for (QLineEdit *box : a->txtDate)
                     box->setText(date);
             d.Sick.txtDate[4]->setText(date + QStringLiteral("1"));
         },
         [](Form1 &f) { f.cmdCal->click(); }, "Sick Dates, row 5"},
        {"pat.ovw",
         [&](Form1 &f) {
             f.cmdOT->click();
             Form2 &t = Forms::get<Form2>();
             for (QLineEdit *box : t.Text1)
                 box->setText(date);
             t.cmdClose->click();
         },
         [](Form1 &f) { f.cmdCal->click(); }, "Week Ending, week 1"},
        {"pat.yrw",
         [&](Form1 &f) {
             f.txtWeek->setText(date);
             f.cmdYear->click();
             for (QLabel *week : Forms::get<frmYear>().Label2)
                 QTest::mouseClick(week, Qt::LeftButton);
         },
         [](Form1 &) {
             Ui::script(Answer::Yes);
             Forms::get<MDIForm1>().mnuClose_Click();
         },
         "Date, week 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        removeAll();
        restart();
        Form1 &f = startPaid();
        saveAs(QStringLiteral("pat"));
        calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
        f.cmdYear->click();
        QTest::mouseClick(Forms::get<frmYear>().Label2[0], Qt::LeftButton);
        Ui::script(Answer::Yes);
        Forms::get<MDIForm1>().mnuClose_Click();
        const QMap<QString, QByteArray> before = snapshot();

        c.fill(f);
        Ui::clearAsked();
        c.save(f);
        EXPECT_EQ(snapshot(), before) << "nothing of the save is written";
        ASSERT_FALSE(Ui::asked().empty());
        const QString message = Ui::asked().back().text;
        EXPECT_TRUE(message.startsWith(QStringLiteral("The file \"%1\" was not saved").arg(QLatin1String(c.file))))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("The box \"%1\" holds").arg(QLatin1String(c.box))))
            << message.toStdString();
    }
    // The windows that were not saved stay open with what was typed.
    EXPECT_TRUE(Forms::isLoaded<MDIForm1>());
}

// A profile or table file found damaged or too large is kept as
// "NAME.damaged" the moment it is reported, and the message says so; the
// save that follows replaces the file, and the copy still holds its bytes.
TEST_F(Safekeeping, ADamagedFileIsKeptBesideItWhenReported)
{
    const QByteArray damaged("1,2\r\n");
    const auto calculateAgain = [](Form1 &f) { f.cmdCal->click(); };
    const auto openLedger = [](Form1 &f) { f.cmdYear->click(); };
    const auto saveLedger = [](Form1 &) {
        QTest::mouseClick(Forms::get<frmYear>().Label2[0], Qt::LeftButton);
        Ui::script(Answer::Yes);
        Forms::get<MDIForm1>().mnuClose_Click();
    };
    struct Case {
        const char *file;
        std::function<void(Form1 &)> report;  // after the restart, which may report it already
        std::function<void(Form1 &)> save;
    };
    const Case cases[] = {
        {".use", [](Form1 &) {}, calculateAgain},
        {".and", [](Form1 &) {}, calculateAgain},
        {".cfe", [](Form1 &) {}, calculateAgain},
        {".ovw", [](Form1 &) {}, calculateAgain},
        {".sta", [](Form1 &) {}, calculateAgain},
        {".cti", [](Form1 &) {}, calculateAgain},
        {".nci", [](Form1 &) {}, calculateAgain},
        // Reported by the calculation's own save, before it writes.
        {".hol", [](Form1 &) {}, calculateAgain},
        {".yrw", openLedger, saveLedger},
        {"Header.sav", [](Form1 &f) { f.mnuHeader->trigger(); },
         [](Form1 &) { Forms::get<DialogHeader>().OKButton->click(); }},
    };
    for (const Case &c : cases) {
        const QString file = QLatin1String(c.file);
        SCOPED_TRACE(c.file);
        removeAll();
        restart();
        Form1 &first = startPaid();
        calculate(first);
        write(file, damaged);

        Ui::clearAsked();
        Form1 &f = restart();
        c.report(f);
        c.save(f);
        EXPECT_TRUE(askedContains(QStringLiteral("A copy of it is kept as \"%1.damaged\".").arg(file)));
        EXPECT_NE(read(file), damaged) << "the save replaced the file";
        EXPECT_EQ(read(file + QStringLiteral(".damaged")), damaged);
    }
}

// Each settings file is tested and read on its own: one found damaged at
// the start is reported and kept as a copy, and costs only its own values;
// the intact files are read, and none of them is written with values it did
// not hold.
TEST_F(Safekeeping, ADamagedSettingsFileCostsOnlyItsOwnValues)
{
    const QByteArray damaged("\"x\"\r\n");
    for (const QString &bad : kSettingsFiles) {
        SCOPED_TRACE(bad.toStdString());
        startWithEveryFile();
        const QMap<QString, QByteArray> before = snapshot();
        write(bad, damaged);

        Ui::clearAsked();
        restart();
        EXPECT_TRUE(askedContains(QStringLiteral("The file \"%1\" is damaged").arg(bad)));
        EXPECT_TRUE(askedContains(QStringLiteral("A copy of it is kept as \"%1.damaged\".").arg(bad)));
        EXPECT_EQ(read(bad + QStringLiteral(".damaged")), damaged);
        QStringList intact = kSettingsFiles;
        intact.removeAll(bad);
        for (const QString &file : intact)
            EXPECT_EQ(read(file), before[file]) << file.toStdString();
        expectValuesOf(intact);
    }

    // The same for the rereadings: the others are kept and no value is
    // lost; a reading whose loads write the settings files replaces the
    // damaged file from the values in memory.
    struct Reread {
        const char *name;
        std::function<void(Form1 &)> open, run;  // the window it needs, then the reading
    };
    const Reread rereads[] = {
        {"a calculation", [](Form1 &) {}, [](Form1 &f) { calculate(f); }},
        // Its reading reports the damage, and it prints nothing then.
        {"the pay stub", [](Form1 &) {},
         [](Form1 &f) {
             Ui::script(true);
             f.cmdPrint->click();
         }},
        {"the offset dialog", [](Form1 &f) { f.mnuChecks->trigger(); },
         [](Form1 &) { Forms::get<frmChecks>().mnuPrintCheck_Click(); }},
        {"the tracker's Undo", [](Form1 &f) { f.cmdOT->click(); },
         [](Form1 &) { Forms::get<Form2>().cmdUndo->click(); }},
    };
    for (const Reread &r : rereads) {
        SCOPED_TRACE(r.name);
        Form1 &f = startWithEveryFile();
        r.open(f);
        const QMap<QString, QByteArray> before = snapshot();
        write(QStringLiteral(".use"), damaged);
        Ui::clearAsked();
        r.run(f);
        EXPECT_TRUE(askedContains(QStringLiteral("A copy of it is kept as \".use.damaged\".")));
        for (const QString &file : kSettingsFiles) {
            if (file != QStringLiteral(".use") || read(file) != damaged) {
                EXPECT_EQ(read(file), before[file]) << file.toStdString();
            }
        }
        expectValuesOf(kSettingsFiles);
    }
}

// A damaged profile opened in another folder: the copy is made of that very
// file, beside it, and the message, told back in the folder before, names
// the other folder.
TEST_F(Safekeeping, ADamagedProfileOpenedElsewhereIsCopiedWhereItLies)
{
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    const QByteArray healthy = read(QStringLiteral("pat.use"));
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    const QString otherUse = QDir(other.path()).filePath(QStringLiteral("pat.use"));
    {
        QFile file(otherUse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\"x\"\r\n");
    }
    const QMap<QString, QByteArray> before = snapshot();

    Ui::clearAsked();
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(otherUse));
    f.mnuOpen_Click();
    EXPECT_EQ(QDir::currentPath(), QDir(folder.path()).canonicalPath());
    EXPECT_EQ(state().CurrentUser, "pat");
    EXPECT_EQ(snapshot(), before) << "nothing copied or written in the folder of the program";
    QFile copy(otherUse + QStringLiteral(".damaged"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("\"x\"\r\n"));
    const QString otherPath = QFileInfo(otherUse).absoluteFilePath();
    EXPECT_TRUE(askedContains(QStringLiteral("The file \"%1\" is damaged").arg(otherPath)))
        << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(askedContains(QStringLiteral("A copy of it is kept as \"%1.damaged\".").arg(otherPath)));
    EXPECT_EQ(read(QStringLiteral("pat.use")), healthy);
}

// A file reported damaged whose copy cannot be kept (a file size limit
// stands for the nearly full disk) is never replaced: the save that would
// replace it refuses, saying why, and writes nothing. Once a copy can be
// kept, the next save replaces it.
TEST_F(Safekeeping, ADamagedFileWithoutACopyIsNeverReplaced)
{
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    calculate(f);
    // 230 KB of leave dates whose first item is no number.
    QByteArray damaged = "\"" + QByteArray(230 * 1024, 'd') + "\"\r\n";
    write(QStringLiteral("pat.hol"), damaged);
    const QMap<QString, QByteArray> before = snapshot();

    Ui::clearAsked();
    wdtest::withFileSizeLimit(100 * 1024, [&] { calculate(f); });
    EXPECT_TRUE(askedContains(QStringLiteral("No copy of it could be kept: ")))
        << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \"pat.hol\" was not saved: it was found damaged")))
        << lastAsked().toStdString();
    EXPECT_TRUE(lastAsked().endsWith(QStringLiteral("Nothing was written.")));
    EXPECT_EQ(snapshot(), before);

    // Every later save is refused as long as no copy can be kept, the user
    // information window's included; a calculation before anything is
    // written, even with new values to save.
    wdtest::withFileSizeLimit(100 * 1024, [&] {
        Ui::clearAsked();
        userInfo([](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("16"));
            info.cmdOk->click();
            EXPECT_TRUE(info.isVisible()) << "not saved: the window stays";
        });
        EXPECT_TRUE(askedContains(QStringLiteral("The file \"pat.hol\" was not saved")))
            << askedTexts().join(QStringLiteral(" | ")).toStdString();
        Ui::clearAsked();
        calculate(f);
        ASSERT_EQ(askedTexts().size(), 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \"pat.hol\" was not saved")));
    });
    EXPECT_EQ(snapshot(), before);

    // Room again: the copy is kept, and the save replaces the file.
    calculate(f);
    EXPECT_EQ(read(QStringLiteral("pat.hol.damaged")), damaged);
    EXPECT_NE(read(QStringLiteral("pat.hol")), damaged);
}

// A save checks every file it will write before it writes any, so "Nothing
// was written." is true: here a calculation with an oversized open leave
// record whose loads would write the changed settings first, and the state
// editor's SAVE and Make Default with an oversized tracker date, which
// would write the state table first.
TEST_F(Safekeeping, ASaveChecksEveryFileBeforeItWritesAny)
{
    const QString date(21000, QLatin1Char('7'));
    struct Case {
        const char *name;
        std::function<void(Form1 &)> prepare, save;
    };
    // The tracker's dates would make its file too large; the state editor
    // holds a figure its file does not.
    const auto trackerTooLargeAndAStateChange = [&](Form1 &f) {
        f.cmdOT->click();
        for (QLineEdit *box : Forms::get<Form2>().Text1)
            box->setText(date);
        f.mnuState->trigger();
        type(Forms::get<DialogState>().txtSDIpercent, QStringLiteral("1.5"));
    };
    const Case cases[] = {
        {"a calculation",
         [&](Form1 &f) {
             // The tracker changed since the last save, the user
             // information window closed: the calculation's loads would
             // write the settings files.
             f.cmdOT->click();
             type(Forms::get<Form2>().txtAnnual, QStringLiteral("41600"));
             type(Forms::get<Form2>().txtApPercent, QStringLiteral("10"));
             Forms::get<Form2>().cmdADD->click();
             Forms::get<Form2>().cmdClose->click();
             Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
             f.mnuSave_Click();
             ASSERT_FALSE(Forms::isLoaded<frmTaxInfo>());
             f.Command1->click();
             DialogVac &d = Forms::get<DialogVac>();
             for (DialogVac::Account *a : {&d.Vac, &d.Hol, &d.Sick})
                 for (QLineEdit *box : a->txtDate)
                     box->setText(date);
         },
         [](Form1 &f) { f.cmdCal->click(); }},
        {"the state editor's SAVE", trackerTooLargeAndAStateChange,
         [](Form1 &) { Forms::get<DialogState>().OKButton->click(); }},
        {"Make Default", trackerTooLargeAndAStateChange,
         [](Form1 &) { Forms::get<DialogState>().cmdMkDefault->click(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        removeAll();
        restart();
        Form1 &f = startPaid();
        saveAs(QStringLiteral("pat"));
        calculate(f);
        c.prepare(f);
        const QMap<QString, QByteArray> before = snapshot();
        Ui::clearAsked();
        c.save(f);
        EXPECT_TRUE(lastAsked().endsWith(QStringLiteral("Nothing was written."))) << lastAsked().toStdString();
        EXPECT_EQ(snapshot(), before);
    }
}

// An empty damaged table file whose copy cannot be kept holds what an empty
// writer would write: the calculation is refused all the same, before any
// figure is shown or the editors read it again, and says so once.
TEST_F(Safekeeping, AnEmptyDamagedFileWithoutACopyStopsTheCalculationFirst)
{
    for (const char *content : {"", "x"}) {
        SCOPED_TRACE(*content ? "a file of one byte" : "an empty file");
        removeAll();
        restart();
        startPaid();
        write(QStringLiteral(".sta"), content);
        takeEveryCopyName(QStringLiteral(".sta"));
        Form1 &f = restart();
        const QMap<QString, QByteArray> before = snapshot();
        Ui::clearAsked();
        calculate(f);
        ASSERT_EQ(askedTexts().size(), 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \".sta\" was not saved: it was found damaged")))
            << lastAsked().toStdString();
        EXPECT_EQ(f.lbNet->text(), QString());
        EXPECT_EQ(f.lbTaxDed[1]->text(), QString());
        EXPECT_EQ(snapshot(), before);
    }
}

// A damaged settings file whose copy cannot be kept, found at the start:
// the start tells the damage once, first (what is damaged, that no copy
// could be kept, that it will not be replaced until one can be), and no
// save the user never asked for is reported.
TEST_F(Safekeeping, TheStartTellsADamagedFileWithoutACopyOnceAndFirst)
{
    startPaid();
    write(QStringLiteral(".cfe"), "\"x\"\r\n");
    takeEveryCopyName(QStringLiteral(".cfe"));
    const QMap<QString, QByteArray> before = snapshot();
    Ui::clearAsked();
    restart();
    ASSERT_FALSE(askedTexts().isEmpty());
    const QString first = askedTexts().front();
    EXPECT_TRUE(first.startsWith(QStringLiteral("The file \".cfe\" is damaged"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("No copy of it could be kept: there are too many copies already")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("not be replaced until"))) << first.toStdString();
    int told = 0;
    for (const QString &text : askedTexts())
        told += text.contains(QStringLiteral(".cfe")) ? 1 : 0;
    EXPECT_EQ(told, 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(snapshot(), before);

    // A calculation is refused before anything is read again or shown.
    Form1 &f = Forms::get<Form1>();
    Ui::clearAsked();
    calculate(f);
    ASSERT_EQ(askedTexts().size(), 1) << askedTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The file \".cfe\" was not saved: it was found damaged")));
    EXPECT_EQ(f.lbNet->text(), QString());
    EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace wagedesk::testing
