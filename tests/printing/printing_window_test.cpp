// The pay stub, the check form, the printer offsets, the print heading and
// the check page, driven as a user would from the main window, printed to
// PDF files and read back from the text printer's recording.
#include <QComboBox>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/version.h"
#include "legacy/numerics.h"
#include "platform/textprinter.h"
#include "printed_sheets.h"
#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "printing/windows/store.h"
#include "records/windows/ledger.h"
#include "records_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::PlacedText;
using platform::Ui;

class Printouts : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        platform::forgetLastPrinted();
    }

    // $15 an hour, Single with two federal allowances, and an identity for
    // the check; saved as the profile "pat".
    Form1 &startEmployee(bool biWeekly = true, const QString &misc = {})
    {
        Form1 &f = start();
        userInfo([biWeekly, misc](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("15"));
            info.cboDepend->setCurrentText(QStringLiteral("2"));
            (biWeekly ? info.optBiWeek : info.optWeek)->setChecked(true);
            info.txtName->setText(QStringLiteral("Pat Doe"));
            info.txtAddress->setText(QStringLiteral("12 Main St"));
            info.txtStateCityZip->setText(QStringLiteral("Albany, NY 12207"));
            info.txtSSnum->setText(QStringLiteral("123-45-6789"));
            if (!misc.isEmpty())
                type(info.txtMisc, misc);
        });
        saveAs(QStringLiteral("pat"));
        return f;
    }

    static MDIForm1 &container() { return Forms::get<MDIForm1>(); }
    static frmChecks &checks() { return Forms::get<frmChecks>(); }
    static dlgPrintSet &offsets() { return Forms::get<dlgPrintSet>(); }

    // Calculates 80 hours for the pay date, pastes the period into the
    // ledger's row and closes the ledger with Yes.
    void periodInLedger(Form1 &f, const QString &date, int row)
    {
        calculate(f, QStringLiteral("80"), date);
        f.cmdYear->click();
        QTest::mouseClick(Forms::get<frmYear>().Label2[row], Qt::LeftButton);
        Ui::script(Answer::Yes);
        container().mnuClose->trigger();
        ASSERT_FALSE(Forms::isLoaded<MDIForm1>());
    }

    // The bi-weekly employee with the periods of 01/07/05 and 01/21/05 in
    // the ledger; the second is the current one.
    Form1 &twoPeriods()
    {
        Form1 &f = startEmployee();
        periodInLedger(f, QStringLiteral("01/07/05"), 0);
        periodInLedger(f, QStringLiteral("01/21/05"), 1);
        return f;
    }

    // The current printer prints to a PDF file in the test's folder.
    void printToPdf(const QString &name)
    {
        QPrinter &printer = Ui::currentPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(name));
    }

    void setHeading(const QStringList &lines)
    {
        Forms::get<Form1>().mnuHeader->trigger();
        DialogHeader &h = Forms::get<DialogHeader>();
        for (int i = 0; i < 4; ++i)
            h.txtHeader[i]->setText(lines[i]);
        h.OKButton->click();
    }

    // The texts of the last printed document, in printing order.
    static const std::vector<PlacedText> &printed() { return platform::lastPrinted().layout.texts; }
    static const PlacedText *find(const std::string &text, int occurrence = 0)
    {
        for (const PlacedText &t : printed())
            if (t.text == text && occurrence-- == 0)
                return &t;
        return nullptr;
    }

    // pdftotext -layout of a file, or nothing when poppler is not installed.
    std::optional<QString> pdfText(const QString &name) const
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            return std::nullopt;
        QProcess p;
        p.start(tool, {QStringLiteral("-layout"), path(name), QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};

// ---- the recording, line by line ----

// One printed line: each text with the tab column it stands at.
using Line = std::vector<std::pair<int, std::string>>;
using Page = std::map<int, Line>;

// The last printed document as lines of the first sheet (it has one).
Page printedLines()
{
    Page page;
    for (const PlacedText &t : platform::lastPrinted().layout.texts) {
        EXPECT_EQ(t.page, 0) << t.text;
        page[t.line].emplace_back(int(std::lround(t.column)), t.text);
    }
    return page;
}

void expectPage(const Page &want)
{
    const Page got = printedLines();
    for (const auto &[line, texts] : want) {
        const auto it = got.find(line);
        ASSERT_NE(it, got.end()) << "nothing printed on line " << line;
        EXPECT_EQ(it->second, texts) << "line " << line;
    }
    for (const auto &[line, texts] : got)
        EXPECT_TRUE(want.count(line)) << "line " << line << " should be empty, holds " << texts.front().second;
}

const std::string kRule198(198, '-');

std::string version()
{
    return "Version  " + std::to_string(kVersion.major) + "." + std::to_string(kVersion.minor) + "." +
           std::to_string(kVersion.revision);
}

std::string today() { return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(); }

// The two periods of 01/07/05 and 01/21/05, 80 hours at $15, Single with
// two allowances, bi-weekly: gross 1200.00; federal 27.50 + 15 % of
// (1200 - 2 x 123.08 - 377) = 114.03; Social Security 74.40; Medicare
// 17.40; state and city from the New York default tables.
struct Period {
    std::string state, city, taxes, net;
};

Period periodShown(const Form1 &f)
{
    auto plain = [](const QLabel *l) { return legacy::formatText(l->text().toStdString(), "#####.00"); };
    return {plain(f.lbTaxDed[3]), plain(f.lbTaxDed[4]), plain(f.lbTaxes), plain(f.lbNet)};
}

std::string twice(const std::string &amount) { return legacy::format(2 * legacy::toDouble(amount), "#####.00"); }

TEST_F(Printouts, PayStubOfTheSecondPeriodWithTheYearOfBoth)
{
    Form1 &f = twoPeriods();
    const Period p = periodShown(f);
    EXPECT_EQ(p.state, "48.56");  // as the state and city tables give them
    EXPECT_EQ(p.city, "30.09");
    setHeading({QStringLiteral("Acme Tools"), QStringLiteral("12 Main St"), QStringLiteral("Albany NY 12207"),
                QStringLiteral("ID 14-1234567")});
    printToPdf(QStringLiteral("stub.pdf"));
    Ui::clearAsked();
    Ui::script(true);  // the command's printer dialog
    Ui::script(true);  // and the stub's own
    f.cmdPrint->click();
    ASSERT_EQ(Ui::asked().size(), 2u) << lastAsked().toStdString();
    ASSERT_TRUE(exists(QStringLiteral("stub.pdf")));
    // The Social Security number came from the check form, loaded unseen.
    EXPECT_TRUE(Forms::isLoaded<frmChecks>());
    EXPECT_FALSE(checks().isVisible());

    Page want{
        {1, {{1, "Acme Tools"}}},
        {2, {{1, "12 Main St"}}},
        {3, {{1, "Albany NY 12207"}, {85, "ID 14-1234567"}}},
        {4, {{1, std::string(203, '-')}}},
        {5, {{1, "Employee:"}, {20, "pat"}, {50, "123-45-6789"}}},
        {7, {{5, "Date:"}, {15, today()}, {85, "For Week Ending: 01/21/05"}}},
        {9, {{45, "WAGEDESK 2005"}, {65, version()}}},
        {15, {{5, "Description"}, {30, "Rate"}, {50, "Hours"}, {65, "Earnings"}}},
        {16, {{5, kRule198}}},
        {17, {{5, "Regular1 Earning"}, {30, "15.00"}, {50, "80.00"}, {65, "1200.00"}}},
        {18, {{5, "Regular2 Earning"}, {30, ".00"}, {50, ".00"}, {65, ".00"}}},
        {19, {{5, "O.T. 1x / 2x Earned"}, {30, "15.00"}, {50, ".00"}, {65, ".00"}}},
        {20, {{5, "O.T. 1.5x Earned"}, {30, "22.50"}, {50, ".00"}, {65, ".00"}, {85, "YTD"}}},
        {21, {{5, "Tips"}, {30, ".00"}, {50, ".00"}, {65, ".00"}, {85, ".00"}}},
        {22, {{5, "Holiday"}, {30, "15.00"}, {50, ".00"}, {65, ".00"}}},
        {23, {{5, "Vacation/Sick"}, {30, "15.00"}, {50, ".00"}, {65, ".00"}}},
        {24, {{5, "Adjustment"}, {30, ".00"}, {50, ""}, {65, ".00"}}},
        {32, {{65, "Taxes / Deductions"}, {100, "Current"}, {115, "YTD"}}},
        {33, {{5, kRule198}}},
        {34, {{65, "Federal Tax"}, {100, "114.03"}, {115, "228.06"}}},
        {35, {{65, "Social Security Tax"}, {100, "74.40"}, {115, "148.80"}}},
        {36, {{65, "Medicare Tax"}, {100, "17.40"}, {115, "34.80"}}},
        {37, {{65, "State Tax"}, {100, p.state}, {115, twice(p.state)}}},
        {38, {{65, "City Tax"}, {100, p.city}, {115, twice(p.city)}}},
        {39, {{65, "State Disability Ins"}, {100, ".00"}, {115, ".00"}}},
        {40, {{65, "State Unemployment Ins"}, {100, ".00"}, {115, ".00"}}},
        {41, {{65, "CrUnion"}, {100, ".00"}, {115, ".00"}}},
        {42, {{65, "Bond"}, {100, ".00"}, {115, ".00"}}},
        {43, {{65, "Dues"}, {100, ".00"}, {115, ".00"}}},
        {44, {{65, "Pension"}, {100, ".00"}, {115, ".00"}}},
        {45, {{65, "Misc."}, {100, ".00"}, {115, ".00"}}},
        {46, {{65, "K-Plan"}, {100, ".00"}, {115, ".00"}}},
        {47, {{65, "Cafeteria Plan"}, {100, ".00"}, {115, ".00"}}},
        {53, {{30, "Earnings"}, {50, "Taxes"}, {65, "Deductions"}, {85, "Net Pay"}, {100, "Period Ending"}}},
        {54, {{5, kRule198}}},
        {56, {{5, "Current"}, {30, "1200.00"}, {50, p.taxes}, {65, ".00"}, {85, p.net}}},
        {57, {{5, "YTD"}, {30, "2400.00"}, {50, twice(p.taxes)}, {65, ".00"}, {85, twice(p.net)}, {100, "01/21/05"}}},
        {58, {{5, kRule198}}},
    };
    expectPage(want);
    // Arial 11 for the heading, 10 from the first rule on.
    EXPECT_EQ(find("ID 14-1234567")->font, (platform::PageFont{"Arial", 11}));
    EXPECT_EQ(find("Employee:")->font, (platform::PageFont{"Arial", 10}));

    const std::optional<QString> text = pdfText(QStringLiteral("stub.pdf"));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (Debian's poppler-utils; scripts/setup.sh installs it)";
    const QStringList lines = text->split(QLatin1Char('\n'));
    const auto federal = std::find_if(lines.begin(), lines.end(),
                                      [](const QString &l) { return l.contains(QStringLiteral("Federal Tax")); });
    ASSERT_NE(federal, lines.end()) << text->toStdString();
    EXPECT_LT(federal->indexOf(QStringLiteral("114.03")), federal->indexOf(QStringLiteral("228.06")));
    EXPECT_GT(federal->indexOf(QStringLiteral("Federal Tax")), 0);
    EXPECT_TRUE(text->contains(QStringLiteral("Acme Tools")));
    EXPECT_TRUE(text->contains(QStringLiteral("WAGEDESK 2005")));
}

// The check, moved two columns right and one line up, and its two stubs.
TEST_F(Printouts, CheckPageMovedByTheOffsets)
{
    Form1 &f = twoPeriods();
    const Period p = periodShown(f);
    f.mnuChecks->trigger();
    type(checks().txtMemo, QStringLiteral("January"));
    checks().mnuPrintCheck->trigger();
    offsets().cboHorz->setCurrentText(QStringLiteral("+2"));
    offsets().cboVert->setCurrentText(QStringLiteral("-1"));
    printToPdf(QStringLiteral("check.pdf"));
    Ui::clearAsked();
    Ui::script(true);  // no printer chosen yet: the dialog asks for one
    offsets().OKButton->click();
    ASSERT_EQ(Ui::asked().size(), 1u) << lastAsked().toStdString();
    EXPECT_EQ(Ui::asked().front().kind, platform::Question::Kind::Printer);
    EXPECT_FALSE(Forms::isLoaded<dlgPrintSet>()) << "printed: the dialog closes";
    EXPECT_EQ(printing::checkPrinting().CheckHorzCols, 2);
    EXPECT_EQ(printing::checkPrinting().CheckVertLines, 2);
    EXPECT_TRUE(Forms::isLoaded<MDIForm1>());
    EXPECT_FALSE(container().isVisible()) << "the year's window set is read hidden";

    // Three empty lines above the check date (-1 + 3 + 1), every column two
    // to the right.
    const std::string words = "***** Nine Hundred Fifteen and 52/100*****";
    ASSERT_EQ(p.net, "915.52");
    Page want{
        {3, {{109, "01/21/05"}}},   {6, {{17, "Pat Doe********"}, {104, "***915.52"}}},
        {8, {{7, words}}},          {10, {{17, "Pat Doe"}, {77, "123-45-6789"}}},
        {11, {{17, "12 Main St"}}}, {12, {{17, "Albany, NY 12207"}}},
        {14, {{12, "January"}}},
    };
    // clang-format off
    // Ten empty lines in Arial 8, the first stub; seven, the second.
    const Line rows[14] = {
        {{7, "Regular1 Earning"}, {32, "15.00"}, {47, "80.00"}, {57, "1200.00"}, {67, "Federal Tax"}, {104, "114.03"}, {127, "228.06"}},
        {{7, "Regular2 Earning"}, {32, ".00"}, {47, ".00"}, {57, ".00"}, {67, "Social Security Tax"}, {104, "74.40"}, {127, "148.80"}},
        {{7, "O.T. 1x / 2x Earned"}, {32, "15.00"}, {47, ".00"}, {57, ".00"}, {67, "Medicare Tax"}, {104, "17.40"}, {127, "34.80"}},
        {{7, "O.T. 1.5x Earned"}, {32, "22.50"}, {47, ".00"}, {57, ".00"}, {67, "State Tax"}, {104, p.state}, {127, twice(p.state)}},
        {{7, "Holiday"}, {32, "15.00"}, {47, ".00"}, {57, ".00"}, {67, "City Tax"}, {104, p.city}, {127, twice(p.city)}},
        {{7, "Vacation/Sick"}, {32, "15.00"}, {47, ".00"}, {57, ".00"}, {67, "State Disability Ins"}, {104, ".00"}, {127, ".00"}},
        {{7, "Adjustment"}, {32, ".00"}, {47, ""}, {57, ".00"}, {67, "State Unemployment Ins"}, {104, ".00"}, {127, ".00"}},
        {{7, "Tips"}, {32, ".00"}, {47, ".00"}, {57, ".00"}, {67, "CrUnion"}, {104, ".00"}, {127, ".00"}},
        {{67, "Bond"}, {104, ".00"}, {127, ".00"}},
        {{67, "Dues"}, {104, ".00"}, {127, ".00"}},
        {{67, "Pension"}, {104, ".00"}, {127, ".00"}},
        {{67, "Misc."}, {104, ".00"}, {127, ".00"}},
        {{67, "K-Plan"}, {104, ".00"}, {127, ".00"}},
        {{67, "Cafeteria Plan"}, {104, ".00"}, {127, ".00"}},
    };
    // clang-format on
    for (const auto &[top, empty] : {std::pair{25, 2}, std::pair{54, 1}}) {
        want[top] = {{7, "Pat Doe********"}, {47, "123-45-6789"}, {67, "For Week Ending: 01/21/05"}, {127, "01/21/05"}};
        want[top + 1] = {{7, "Description"},   {32, "Rate"},     {47, "Hours"}, {57, "Earnings"},
                         {67, "Taxes/Deduct"}, {104, "Current"}, {127, "YTD"}};
        want[top + 2] = {{7, kRule198}};
        for (int r = 0; r < 14; ++r)
            want[top + 3 + r] = rows[r];
        const int totals = top + 17 + empty;
        want[totals] = {{32, "Earnings"}, {52, "Taxes"}, {67, "Deductions"}, {87, "Net Pay"}};
        want[totals + 1] = {{7, "Current"}, {32, "1200.00"}, {52, p.taxes}, {67, ".00"}, {87, p.net}};
        want[totals + 2] = {{7, "YTD"}, {32, "2400.00"}, {52, twice(p.taxes)}, {67, ".00"}, {87, twice(p.net)}};
    }
    expectPage(want);
    EXPECT_EQ(find("January")->font, (platform::PageFont{"Arial", 11}));
    EXPECT_EQ(find("Description")->font, (platform::PageFont{"Arial", 8}));

    const std::optional<QString> text = pdfText(QStringLiteral("check.pdf"));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (Debian's poppler-utils; scripts/setup.sh installs it)";
    EXPECT_TRUE(text->contains(QString::fromStdString(words))) << text->toStdString();
    EXPECT_EQ(text->count(QStringLiteral("Regular1 Earning")), 2);
}

TEST_F(Printouts, CheckOffsetsOfZeroAndTheEndsOfTheRange)
{
    Form1 &f = twoPeriods();
    f.mnuChecks->trigger();
    printToPdf(QStringLiteral("check.pdf"));
    const struct {
        const char *horizontal, *vertical;
        int dateLine, wordsColumn, firstStub, lastYtd;
    } cases[] = {
        {"0", "0", 4, 5, 26, 75},
        {"+5", "+5", 9, 10, 31, 80},
        {"-3", "-3", 1, 2, 23, 72},
        // h + 5 is column 0, printed at column 1; -4 and -5 leave no line.
        {"-5", "-5", 0, 1, 22, 71},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.horizontal) + "/" + c.vertical);
        checks().mnuPrintCheck->trigger();
        offsets().cboHorz->setCurrentText(QLatin1String(c.horizontal));
        offsets().cboVert->setCurrentText(QLatin1String(c.vertical));
        Ui::script(true);  // a file is never replaced unasked
        offsets().OKButton->click();
        ASSERT_FALSE(Forms::isLoaded<dlgPrintSet>());
        const Page page = printedLines();
        ASSERT_TRUE(page.count(c.dateLine));
        EXPECT_EQ(page.at(c.dateLine).front().second, "01/21/05");
        ASSERT_TRUE(page.count(c.dateLine + 5));
        EXPECT_EQ(page.at(c.dateLine + 5).front().first, c.wordsColumn);
        ASSERT_TRUE(page.count(c.firstStub));
        EXPECT_EQ(page.at(c.firstStub).front().second, "Pat Doe********");
        ASSERT_TRUE(page.count(c.lastYtd));
        EXPECT_EQ(page.at(c.lastYtd).front().second, "YTD");
        EXPECT_EQ(page.rbegin()->first, c.lastYtd);
    }
}

// The check and both stubs go on one sheet of Letter or of A4 at the ends
// of the offsets' range: in the recording every text lies within the
// printable area, and the PDF file has one page. A check that fits keeps
// the fonts' own line spacing, so an offset moves it by whole lines.
TEST_F(Printouts, TheCheckFitsOneSheetAtEveryOffset)
{
    Form1 &f = twoPeriods();
    f.mnuChecks->trigger();
    const std::pair<const char *, const char *> moves[] = {
        {"-5", "-5"}, {"+5", "+5"}, {"-5", "+5"}, {"+5", "-5"}, {"0", "0"}};
    for (const wdtest::Paper &paper : wdtest::kPapers) {
        for (const auto &[horizontal, vertical] : moves) {
            const QString file = QStringLiteral("check %1 %2 %3.pdf")
                                     .arg(QLatin1String(paper.name), QLatin1String(horizontal),
                                          QLatin1String(vertical));
            SCOPED_TRACE(file.toStdString());
            printToPdf(file);
            Ui::currentPrinter().setPageSize(QPageSize(paper.id));
            checks().mnuPrintCheck->trigger();
            offsets().cboHorz->setCurrentText(QLatin1String(horizontal));
            offsets().cboVert->setCurrentText(QLatin1String(vertical));
            Ui::script(true);  // a file is never replaced unasked
            offsets().OKButton->click();
            ASSERT_FALSE(Forms::isLoaded<dlgPrintSet>()) << lastAsked().toStdString();

            const platform::TextLayout &layout = platform::lastPrinted().layout;
            wdtest::expectWithinPages(layout, 1);
            ASSERT_NE(find("YTD", 3), nullptr);
            EXPECT_EQ(printed().back().line, find("YTD", 3)->line) << "the second stub ends the page";
            if (std::string(vertical) == "0") {
                const double pitch = QFontMetricsF(QFont(QStringLiteral("Arial"), 11), &Ui::currentPrinter())
                                         .lineSpacing();
                EXPECT_NEAR(find("01/21/05")->y, 4 * pitch, 1e-6 * pitch);
            }
            if (const std::optional<int> pages = wdtest::pdfPages(path(file))) {
                EXPECT_EQ(*pages, 1);
            }
        }
    }
}

// The pay stub, one page as it is laid out, stays on one sheet of either
// paper.
TEST_F(Printouts, ThePayStubFitsOneSheet)
{
    Form1 &f = twoPeriods();
    setHeading({QStringLiteral("Acme Tools"), QStringLiteral("12 Main St"), QStringLiteral("Albany NY 12207"),
                QStringLiteral("ID 14-1234567")});
    for (const wdtest::Paper &paper : wdtest::kPapers) {
        SCOPED_TRACE(paper.name);
        const QString file = QStringLiteral("stub %1.pdf").arg(QLatin1String(paper.name));
        printToPdf(file);
        Ui::currentPrinter().setPageSize(QPageSize(paper.id));
        Ui::script(true);
        Ui::script(true);
        f.cmdPrint->click();
        ASSERT_TRUE(exists(file)) << lastAsked().toStdString();
        // Its rules are longer than the paper is wide.
        wdtest::expectWithinPages(platform::lastPrinted().layout, 1, true);
        if (const std::optional<int> pages = wdtest::pdfPages(path(file))) {
            EXPECT_EQ(*pages, 1);
        }
    }
}

// ---- the check form ----

TEST_F(Printouts, CheckFormShowsThePeriodInWordsAndAsterisks)
{
    Form1 &f = startEmployee(false);
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    ASSERT_EQ(f.lbNet->text(), QStringLiteral("$457.73"));
    EXPECT_TRUE(f.mnuChecks->isEnabled());
    f.mnuChecks->trigger();
    frmChecks &c = checks();
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Check Printing"));
    EXPECT_EQ(c.txtCheckDate->text(), QStringLiteral("01/07/05"));
    EXPECT_EQ(c.txtCheckDate->toolTip(), QStringLiteral("Change on Previous Form"));
    EXPECT_EQ(c.txtPayTo->text(), QStringLiteral("Pat Doe********"));
    EXPECT_EQ(c.txtCheckAmt->text(), QStringLiteral("***457.73"));
    EXPECT_EQ(c.txtDollars->text(), QStringLiteral(" Four Hundred Fifty Seven and 73/100"));
    EXPECT_EQ(c.txtUserName->text(), QStringLiteral("Pat Doe"));
    EXPECT_EQ(c.txtUserAddress->text(), QStringLiteral("12 Main St"));
    EXPECT_EQ(c.txtUserState->text(), QStringLiteral("Albany, NY 12207"));
    EXPECT_EQ(c.txtUserSSnum->text(), QStringLiteral("123-45-6789"));

    // A click on the window refreshes from memory; the date stays as loaded.
    f.txtWeek->setText(QStringLiteral("01/14/05"));
    c.txtDollars->setText(QStringLiteral("typed over"));
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(2, c.height() - 2));
    EXPECT_EQ(c.txtDollars->text(), QStringLiteral(" Four Hundred Fifty Seven and 73/100"));
    EXPECT_EQ(c.txtCheckDate->text(), QStringLiteral("01/07/05"));
    // Every calculation closes it; opened again, it shows the new period.
    calculate(f, QStringLiteral("8"));
    EXPECT_FALSE(Forms::isLoaded<frmChecks>());
    f.mnuChecks->trigger();
    EXPECT_EQ(checks().txtCheckDate->text(), QStringLiteral("01/14/05"));
    EXPECT_EQ(checks().txtCheckAmt->text(), QStringLiteral("***%1").arg(f.lbNet->text().mid(1)));
}

TEST_F(Printouts, ANegativeNetShowsAsZeroOnTheCheckOnly)
{
    Form1 &f = startEmployee(false, QStringLiteral("1000"));
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    ASSERT_EQ(f.lbNet->text(), QStringLiteral("-$542.27"));
    f.mnuChecks->trigger();
    EXPECT_EQ(checks().txtCheckAmt->text(), QStringLiteral("000000.00"));
    EXPECT_EQ(checks().txtDollars->text(), QStringLiteral("Zero and No/100"));
    EXPECT_LT(state().result.NetPay, 0) << "the check never changes the net pay";
    // The ledger still pastes the real net.
    f.cmdYear->click();
    QTest::mouseClick(Forms::get<frmYear>().Label2[0], Qt::LeftButton);
    EXPECT_EQ(Forms::get<frmYear>().txtGross[0]->text(), QStringLiteral("-542.27"));
}

// The longest amounts in words and the largest net pay show whole.
TEST_F(Printouts, TheLongestWordsAndTheLargestAmountShowWhole)
{
    Form1 &f = startEmployee(false);
    type(f.txtAmount[6], QStringLiteral("922337203685477"));
    calculate(f, QStringLiteral("0"), QStringLiteral("01/07/05"));
    f.mnuChecks->trigger();
    frmChecks &c = checks();
    ASSERT_EQ(c.txtCheckAmt->text().size(), 18);
    EXPECT_TRUE(showsWhole(c.txtCheckAmt)) << c.txtCheckAmt->text().toStdString();
    // The net pay as a calculation leaves it; the check follows at a click.
    for (const float net : {777777.7f, 373373.7f, 888888.0f}) {
        state().result.NetPay = net;
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(2, c.height() - 2));
        ASSERT_GT(c.txtDollars->text().size(), 70);
        EXPECT_TRUE(showsWhole(c.txtDollars)) << c.txtDollars->text().toStdString();
        EXPECT_TRUE(showsWhole(c.txtCheckAmt)) << c.txtCheckAmt->text().toStdString();
    }
}

TEST_F(Printouts, AnAmountTooLargeForWordsIsNeverPrinted)
{
    Form1 &f = startEmployee(false);
    calculate(f, QStringLiteral("40"));
    f.mnuChecks->trigger();
    ASSERT_FALSE(printing::checkPrinting().words.CheckWords.empty());
    type(f.txtAmount[6], QStringLiteral("3000000"));
    calculate(f, QStringLiteral("40"));
    f.mnuChecks->trigger();
    EXPECT_EQ(checks().txtDollars->text(), QStringLiteral("Dollar amount is too large"));
    EXPECT_GE(checks().txtCheckAmt->text().size(), 10) << "the amount itself is shown whole";
    EXPECT_TRUE(printing::checkPrinting().words.CheckWords.empty()) << "no words of the earlier amount";

    checks().mnuPrintCheck->trigger();
    printToPdf(QStringLiteral("check.pdf"));
    Ui::clearAsked();
    offsets().OKButton->click();
    ASSERT_EQ(Ui::asked().size(), 1u) << "no printer dialog";
    EXPECT_EQ(lastAsked(), QStringLiteral("Dollar amount is too large"));
    EXPECT_FALSE(exists(QStringLiteral("check.pdf")));
    EXPECT_TRUE(offsets().isVisible());
}

// ---- the printer offsets ----

TEST_F(Printouts, OffsetsAreSavedWithTheProfileAndShownAsWholeSteps)
{
    Form1 &f = startEmployee(false);
    calculate(f, QStringLiteral("40"), QStringLiteral("01/07/05"));
    f.mnuChecks->trigger();
    checks().mnuPrintCheck->trigger();
    dlgPrintSet &d = offsets();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Printer Offset"));
    EXPECT_EQ(d.cboHorz->currentText(), QStringLiteral("0"));
    EXPECT_EQ(d.cboVert->currentText(), QStringLiteral("0"));
    EXPECT_EQ(d.lbWeek->text(), QStringLiteral("01/07/05"));
    ASSERT_EQ(d.cboHorz->count(), 11);
    EXPECT_EQ(d.cboHorz->itemText(0), QStringLiteral("+5"));
    EXPECT_EQ(d.cboHorz->itemText(10), QStringLiteral("-5"));

    const struct {
        const char *horizontal, *vertical, *andLine, *shownH, *shownV;
    } cases[] = {
        {"+3", "-2", "3,-2,", "3", "-2"},
        // Kept as typed; shown half to even.
        {"2.5", "3.5", "2.5,3.5,", "2", "4"},
        {" -5 ", "+5", "-5,5,", "-5", "5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.horizontal);
        Forms::get<dlgPrintSet>().cboHorz->setCurrentText(QLatin1String(c.horizontal));
        Forms::get<dlgPrintSet>().cboVert->setCurrentText(QLatin1String(c.vertical));
        Forms::get<dlgPrintSet>().cmdApply->click();
        EXPECT_TRUE(Forms::get<dlgPrintSet>().isVisible()) << "Apply leaves the dialog open";
        EXPECT_TRUE(lines(QStringLiteral("pat.and")).front().startsWith(QLatin1String(c.andLine)))
            << lines(QStringLiteral("pat.and")).front().toStdString();
        Forms::get<dlgPrintSet>().CancelButton->click();
        checks().mnuPrintCheck->trigger();
        EXPECT_EQ(Forms::get<dlgPrintSet>().cboHorz->currentText(), QLatin1String(c.shownH));
        EXPECT_EQ(Forms::get<dlgPrintSet>().cboVert->currentText(), QLatin1String(c.shownV));
    }
}

TEST_F(Printouts, AnOffsetThatIsNoStepIsRefusedAndNothingIsStored)
{
    Form1 &f = startEmployee(false);
    calculate(f, QStringLiteral("40"));
    f.mnuChecks->trigger();
    checks().mnuPrintCheck->trigger();
    dlgPrintSet &d = offsets();
    d.cboHorz->setCurrentText(QStringLiteral("+1"));
    d.cmdApply->click();
    const QByteArray saved = read(QStringLiteral("pat.and"));
    const struct {
        const char *horizontal, *vertical, *message;
    } cases[] = {
        {"abc", "0", "Horizontal: \"abc\" is not a number."},
        {"", "0", "Horizontal: \"\" is not a number."},
        {"0", "-", "Vertical: \"-\" is not a number."},
        {"5.5", "0", "Horizontal: \"5.5\" is not an offset from -5 to +5."},
        {"0", "-6", "Vertical: \"-6\" is not an offset from -5 to +5."},
        {"40000", "0", "Horizontal: \"40000\" is not an offset from -5 to +5."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        d.cboHorz->setCurrentText(QLatin1String(c.horizontal));
        d.cboVert->setCurrentText(QLatin1String(c.vertical));
        Ui::clearAsked();
        d.OKButton->click();
        ASSERT_EQ(Ui::asked().size(), 1u) << "a message, and no printer dialog";
        EXPECT_EQ(lastAsked(), QLatin1String(c.message));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(read(QStringLiteral("pat.and")), saved);
        EXPECT_EQ(state().profile.CheckHorzOffset, 1.0f);
        EXPECT_EQ(state().profile.CheckVertOffset, 0.0f);
    }
    // Esc is Cancel, which drops what was not applied; the applied offset
    // stays. Enter in a box is Print Check.
    QTest::keyClick(d.cboHorz->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(Forms::isLoaded<dlgPrintSet>());
    checks().mnuPrintCheck->trigger();
    EXPECT_EQ(offsets().cboHorz->currentText(), QStringLiteral("1"));
    printToPdf(QStringLiteral("check.pdf"));
    Ui::script(true);
    QTest::keyClick(offsets().cboVert->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(exists(QStringLiteral("check.pdf")));
    EXPECT_FALSE(Forms::isLoaded<dlgPrintSet>());
}

TEST_F(Printouts, AStoredOffsetBeyondTheRangeShowsAsTheNearerEnd)
{
    Form1 &f = startEmployee(false);
    calculate(f, QStringLiteral("40"));
    QStringList details = lines(QStringLiteral("pat.and"));
    details.front().replace(QRegularExpression(QStringLiteral("^[^,]*,[^,]*,")), QStringLiteral("40000,-7.5,"));
    write(QStringLiteral("pat.and"), (details.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    f.mnuChecks->trigger();
    checks().mnuPrintCheck->trigger();
    EXPECT_EQ(offsets().cboHorz->currentText(), QStringLiteral("5"));
    EXPECT_EQ(offsets().cboVert->currentText(), QStringLiteral("-5"));
}

// ---- printers ----

TEST_F(Printouts, NothingIsPrintedWhenAPrinterDialogIsCancelled)
{
    Form1 &f = twoPeriods();
    printToPdf(QStringLiteral("out.pdf"));
    Ui::script(false);
    f.mnuPrintSheetItem->trigger();
    Ui::script(true);
    Ui::script(false);  // the stub's own dialog
    f.cmdPrint->click();
    EXPECT_FALSE(exists(QStringLiteral("out.pdf")));
    EXPECT_EQ(Ui::pendingAnswers(), 0u);

    f.mnuChecks->trigger();
    checks().mnuPrintCheck->trigger();
    Ui::script(false);
    offsets().OKButton->click();
    EXPECT_FALSE(exists(QStringLiteral("out.pdf")));
    EXPECT_TRUE(offsets().isVisible()) << "nothing printed: the dialog stays";
    EXPECT_TRUE(platform::lastPrinted().page.items().empty());
}

TEST_F(Printouts, APrinterThatFailsSaysSo)
{
    Form1 &f = twoPeriods();
    printToPdf(QStringLiteral("no such folder/stub.pdf"));
    Ui::clearAsked();
    Ui::script(true);
    Ui::script(true);
    f.cmdPrint->click();
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The pay stub could not be printed.")))
        << lastAsked().toStdString();

    f.mnuChecks->trigger();
    checks().mnuPrintCheck->trigger();
    Ui::script(true);
    offsets().OKButton->click();
    EXPECT_TRUE(lastAsked().startsWith(QStringLiteral("The check could not be printed."))) << lastAsked().toStdString();
    EXPECT_TRUE(offsets().isVisible());
}

// A stub printed before any calculation, with "." in the O.T. box: the
// empty boxes become "0", the empty labels print nothing, and the "." (which
// the box lets through) reads 0 instead of stopping the printout.
TEST_F(Printouts, PayStubBeforeAnyCalculation)
{
    Form1 &f = startEmployee();
    f.txtAmount[2]->setText(QStringLiteral("."));
    printToPdf(QStringLiteral("stub.pdf"));
    Ui::script(true);
    Ui::script(true);
    f.cmdPrint->click();
    ASSERT_FALSE(platform::lastPrinted().page.items().empty()) << lastAsked().toStdString();
    EXPECT_EQ(f.txtAmount[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(f.txtAmount[2]->text(), QStringLiteral("."));
    const Page page = printedLines();
    EXPECT_EQ(page.at(17), (Line{{5, "Regular1 Earning"}, {30, "15.00"}, {50, ".00"}, {65, ".00"}}));
    // No calculation has set the rate in force; a "." prints as typed.
    EXPECT_EQ(page.at(19), (Line{{5, "O.T. 1x / 2x Earned"}, {30, ".00"}, {50, "."}, {65, ".00"}}));
    EXPECT_EQ(page.at(34), (Line{{65, "Federal Tax"}, {100, ""}, {115, ".00"}}));
    EXPECT_EQ(page.at(56), (Line{{5, "Current"}, {30, ""}, {50, ""}, {65, ""}, {85, ""}}));

    // After a calculation a lone "-" typed into the box earns nothing too
    // (the calculation itself would refuse it, as it refuses the ".").
    f.txtAmount[2]->clear();
    calculate(f, QStringLiteral("80"));
    f.txtAmount[2]->setText(QStringLiteral("-"));
    Ui::script(true);
    Ui::script(true);
    f.cmdPrint->click();
    EXPECT_EQ(printedLines().at(19), (Line{{5, "O.T. 1x / 2x Earned"}, {30, "15.00"}, {50, "-"}, {65, ".00"}}));
}

// ---- the print heading ----

TEST_F(Printouts, HeadingDefaultsCancelAndTheFile)
{
    Form1 &f = startEmployee();
    EXPECT_EQ(state().heading, PrintHeading{}) << "empty until the dialog is opened";
    f.mnuHeader->trigger();
    DialogHeader &h = Forms::get<DialogHeader>();
    EXPECT_EQ(h.windowTitle(), QStringLiteral("Print Out Heading"));
    const QStringList defaults{QStringLiteral("Company"), QStringLiteral("Address"), QStringLiteral("Zip Code"),
                               QStringLiteral("ID Number")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(h.txtHeader[i]->text(), defaults[i]);
    h.CancelButton->click();
    EXPECT_FALSE(exists(QStringLiteral("Header.sav")));
    EXPECT_EQ(state().heading, (PrintHeading{"Company", "Address", "Zip Code", "ID Number"}));

    // An emptied box is an empty field; commas, blanks survive; a double
    // quote is stored as a single one.
    setHeading(
        {QStringLiteral("Acme \"Tools\", Inc."), QStringLiteral(" 12 Main St "), QString(), QStringLiteral("ID 14")});
    EXPECT_FALSE(Forms::isLoaded<DialogHeader>());
    EXPECT_EQ(read(QStringLiteral("Header.sav")),
              QByteArray("\"Acme 'Tools', Inc.\",\" 12 Main St \",\"\",\"ID 14\"\r\n"));
    EXPECT_EQ(state().heading.HeadingLine1, "Acme 'Tools', Inc.");
    f.mnuHeader->trigger();
    EXPECT_EQ(Forms::get<DialogHeader>().txtHeader[2]->text(), QStringLiteral("Zip Code"));
    EXPECT_EQ(Forms::get<DialogHeader>().txtHeader[1]->text(), QStringLiteral(" 12 Main St "));
    EXPECT_EQ(state().heading.HeadingLine3, "Zip Code");
    Forms::get<DialogHeader>().CancelButton->click();

    // Another profile prints the same heading.
    Ui::script(Answer::No);
    Ui::script(QStringLiteral("bob"));
    f.mnuNew_Click();
    EXPECT_EQ(state().CurrentUser, "bob");
    EXPECT_EQ(state().heading.HeadingLine1, "Acme 'Tools', Inc.");
}

// The saved heading is read when the program starts: the first pay stub
// of a run carries it, the dialog never opened.
TEST_F(Printouts, TheSavedHeadingHeadsTheFirstPrintoutOfARun)
{
    write(QStringLiteral("Header.sav"), "\"Acme Tools\",\"12 Main St\",\"Albany\",\"ID 7\"\r\n");
    Form1 &f = startEmployee();
    printToPdf(QStringLiteral("stub.pdf"));
    Ui::script(true);
    Ui::script(true);
    f.cmdPrint->click();
    const Page page = printedLines();
    EXPECT_EQ(page.at(1), (Line{{1, "Acme Tools"}}));
    EXPECT_EQ(page.at(3), (Line{{1, "Albany"}, {85, "ID 7"}}));

    // A damaged file is reported at the start and kept beside itself; the
    // printouts then carry no heading.
    write(QStringLiteral("Header.sav"), "\"Acme Tools\"\r\n");
    Ui::clearAsked();
    restart();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("Header.sav"))) << lastAsked().toStdString();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("A copy of it is kept as \"Header.sav.damaged\".")));
    EXPECT_EQ(read(QStringLiteral("Header.sav.damaged")), QByteArray("\"Acme Tools\"\r\n"));
    EXPECT_EQ(state().heading, PrintHeading{});
}

TEST_F(Printouts, ADamagedOrUnwritableHeadingFileIsNamed)
{
    Form1 &f = startEmployee();
    write(QStringLiteral("Header.sav"), "\"Acme Tools\",\"12 Main St\"\r\n");
    f.mnuHeader->trigger();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("Header.sav"))) << lastAsked().toStdString();
    DialogHeader &h = Forms::get<DialogHeader>();
    EXPECT_EQ(h.txtHeader[0]->text(), QStringLiteral("Company"));
    h.CancelButton->click();

    QFile::remove(path(QStringLiteral("Header.sav")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Header.sav")));
    f.mnuHeader->trigger();
    Forms::get<DialogHeader>().txtHeader[0]->setText(QStringLiteral("Acme"));
    Ui::clearAsked();
    Forms::get<DialogHeader>().OKButton->click();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("Header.sav"))) << lastAsked().toStdString();
    EXPECT_TRUE(Forms::get<DialogHeader>().isVisible()) << "not saved: the dialog stays";
}

}  // namespace
}  // namespace wagedesk::testing
