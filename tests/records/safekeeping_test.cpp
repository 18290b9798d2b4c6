// Nothing of a profile is lost to a save: a file the readers would refuse
// is never written, and a file reported damaged or too large keeps its
// bytes in a copy beside it before any save can replace it. Each case is
// driven through the windows where a user meets it.
#include <QPushButton>

#include <functional>

#include "printing/windows/heading.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"
#include "records_fixture.h"

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
    static bool askedContains(const QString &text)
    {
        for (const platform::Question &q : Ui::asked())
            if (q.text.contains(text))
                return true;
        return false;
    }
};

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

}  // namespace
}  // namespace wagedesk::testing
