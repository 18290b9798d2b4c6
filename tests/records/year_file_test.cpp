// The year-to-date file on real files in a temporary folder, against
// hand-written bytes; the load and save steps around it.
#include "records/year_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "legacy/seqfile.h"
#include "records/year_ledger.h"

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;
using namespace wagedesk::payrecords;
using legacy::Currency;

namespace {

const std::string kUnusedRow =
    "\"\",0,0,0,0\r\n"
    "0,0,0,0,0\r\n"
    "0,0,0,0,0\r\n"
    "0,0,0,0\r\n";
const std::string kDeletedRow =
    "\"0\",0,0,0,0\r\n"
    "0,0,0,0,0\r\n"
    "0,0,0,0,0\r\n"
    "0,0,0,0\r\n";
// Week 5: date, federal, SS, Medicare, state / city, the five deductions /
// ..., K plan, overtime, gross, net / SDI, SUI, cafeteria, tips.
const std::string kWeek5Row =
    "\"01/28/05\",123.45,61.2,14.31,40\r\n"
    "0,12.5,0,5,0\r\n"
    "3.25,50,45.5,987.65,650.41\r\n"
    "9.88,2.1,25,10.5\r\n";
const std::string kTotals =
    "123.45,61.2,14.31,40,0\r\n"
    "12.5,0,5,0,3.25\r\n"
    "50,45.5,987.65,650.41,10.5\r\n";

// Week 1 deleted, week 5 pasted, the others never used.
std::string yearFile(int rows, const std::string &totals = kTotals)
{
    std::string s = kDeletedRow + kUnusedRow + kUnusedRow + kUnusedRow + kWeek5Row;
    for (int i = 5; i < rows; ++i)
        s += kUnusedRow;
    return s + totals;
}

std::vector<std::string> linesOf(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
    return lines;
}

// The grid as the ledger's load shows a store.
YearScreen plainScreen(const YearLedger &ledger)
{
    YearScreen s;
    for (int i = 0; i < kYearRows; ++i)
        s.rows[i] = plainCells(ledger.rows[i]);
    return s;
}

class YearFileTest : public wdtest::TempFolderTest {};

}  // namespace

TEST(YearFileName, FollowsTheStoredFrequency)
{
    EXPECT_EQ(yearFileName("staff1", kTrue), "staff1.yrw");
    EXPECT_EQ(yearFileName("staff1", kFalse), "staff1.yrb");
    EXPECT_EQ(yearFileName("staff1", 1), "staff1.yrb");
    EXPECT_EQ(yearFileName("", kTrue), ".yrw");
}

TEST_F(YearFileTest, ReadsAndWritesBackByteForByteWeeklyAndBiWeekly)
{
    const struct {
        std::int16_t weeklyPay;
        int rows;
        std::size_t lines;
    } cases[] = {{kTrue, 52, 211}, {kFalse, 26, 107}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rows);
        const fs::path file = at(yearFileName("staff1", c.weeklyPay));
        const std::string bytes = yearFile(c.rows);
        wdtest::put(file, bytes);

        YearLedger ledger;
        ledger.rows[30].Fed = 7.f;  // beyond a bi-weekly year
        ledger.totals.TotSDI = 1.f;
        readYearFile(file, ledger, c.weeklyPay);

        EXPECT_EQ(ledger.rows[0].Date, "0");
        EXPECT_EQ(ledger.rows[1].Date, "");
        const YearRow week5{"01/28/05", 123.45f, 61.2f, 14.31f, 40.f,    0.f,     12.5f, 0.f,  5.f, 0.f,
                            3.25f,      50.f,    45.5f, 10.5f,  987.65f, 650.41f, 9.88f, 2.1f, 25.f};
        EXPECT_EQ(ledger.rows[4], week5);
        EXPECT_EQ(ledger.rows[30].Fed, c.rows == 52 ? 0.f : 7.f);
        EXPECT_EQ(ledger.totals.TotFed, 123.45f);
        EXPECT_EQ(ledger.totals.TotMisc, 3.25f);
        EXPECT_EQ(ledger.totals.TotKplan, 50.f);
        EXPECT_EQ(ledger.totals.TotOT, Currency::fromRaw(455000));
        EXPECT_EQ(ledger.totals.TotGross, Currency::fromRaw(9876500));
        EXPECT_EQ(ledger.totals.TotNet, Currency::fromRaw(6504100));
        EXPECT_EQ(ledger.totals.TotTips, Currency::fromRaw(105000));
        EXPECT_EQ(ledger.totals.TotSDI, 1.f);  // not stored

        const fs::path again = at("again" + std::string(c.rows == 52 ? ".yrw" : ".yrb"));
        writeYearFile(again, ledger, plainScreen(ledger), c.weeklyPay);
        const std::string written = wdtest::slurp(again);
        EXPECT_EQ(written, bytes);
        const auto lines = linesOf(written);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines[16], "\"01/28/05\",123.45,61.2,14.31,40");  // line 17
        EXPECT_EQ(lines[19], "9.88,2.1,25,10.5");                   // line 20
        EXPECT_EQ(lines[c.lines - 3], "123.45,61.2,14.31,40,0");
    }
}

// The row items come from the grid cells in double precision; the totals
// keep seven digits, or four decimals in fixed point.
TEST_F(YearFileTest, APastedRowSavedWithBiWeeklyPay)
{
    PastePeriod p;
    p.txtWeek = "01/28/05";
    p.lbTaxDed = {"123,456.78", "76.54", "17.90", "45.00", ".50", "", "12.00", ".00", "5.25", "", "50.00"};
    p.lbSDI = "9.88";
    p.lbSUI = "2.10";
    p.lbCafe = "25.00";
    p.TotalOt = 45.5f;
    p.TotalTips = 10.5f;
    p.GrossPay = 987.65f;
    p.NetPay = 650.41f;

    YearLedger ledger;
    YearScreen screen;
    ASSERT_TRUE(PasteMe(ledger, screen, 4, p, {kFalse, false}));
    screen.rows[6].txtTips = "12abc";  // typed: written as its leading number

    const fs::path file = at("staff1.yrb");
    ASSERT_TRUE(SaveAnnual(ledger, screen, file, kFalse));

    std::string expected = kUnusedRow + kUnusedRow + kUnusedRow + kUnusedRow;
    expected +=
        "\"01/28/05\",123456.78,76.54,17.9,45\r\n"
        "0.5,0,12,0,5.25\r\n"
        "0,50,45.5,987.65,650.41\r\n"
        "9.88,2.1,25,10.5\r\n";
    expected += kUnusedRow;
    expected +=
        "\"\",0,0,0,0\r\n"
        "0,0,0,0,0\r\n"
        "0,0,0,0,0\r\n"
        "0,0,0,12\r\n";
    for (int i = 7; i < 26; ++i)
        expected += kUnusedRow;
    expected +=
        "123456.8,76.54,17.9,45,0.5\r\n"
        "0,12,0,5.25,0\r\n"
        "50,45.5,987.65,650.41,10.5\r\n";
    EXPECT_EQ(wdtest::slurp(file), expected);
    EXPECT_EQ(linesOf(expected).size(), 107u);
}

TEST_F(YearFileTest, ADamagedFileIsRefusedWholeAndNamed)
{
    const std::string good = yearFile(52);
    auto replaced = [&](const std::string &from, const std::string &to) {
        std::string s = good;
        return s.replace(s.find(from), from.size(), to);
    };
    const struct {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"last line missing", good.substr(0, good.size() - std::string("50,45.5,987.65,650.41,10.5\r\n").size())},
        {"cut inside a row", good.substr(0, 300)},
        {"letters for a number", replaced("123.45,61.2,14.31,40\r\n0,12.5", "abc,61.2,14.31,40\r\n0,12.5")},
        {"a row amount beyond a single", replaced("9.88,2.1", "1E39,2.1")},
        {"a fixed-point total beyond its range", replaced("\r\n50,45.5,987.65", "\r\n50,45.5,1E20")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = wdtest::put(at("staff1.yrw"), c.bytes);
        YearLedger ledger;
        ledger.rows[0].Date = "kept";
        ledger.rows[4].Fed = 1.f;
        ledger.totals.TotGross = Currency::fromWhole(5);
        const YearLedger before = ledger;
        try {
            readYearFile(file, ledger, kTrue);
            ADD_FAILURE() << "read a damaged file";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file);
            EXPECT_NE(std::string(e.what()).find("staff1.yrw"), std::string::npos) << e.what();
        }
        EXPECT_EQ(ledger, before);
    }
}

TEST_F(YearFileTest, LoadingAMissingFileKeepsTheStoreAndShowsItPlainly)
{
    YearLedger ledger;
    ledger.rows[0] = YearRow{"01/07/05", 0.5f};
    ledger.rows[0].Gross = 100.f;
    YearScreen screen;
    const LoadResult r = LoadYearToDate(ledger, screen, at("nobody.yrw"), kTrue);
    EXPECT_FALSE(r.read);
    EXPECT_FALSE(r.totalsFailed);
    EXPECT_FALSE(r.fileProblem);
    EXPECT_EQ(ledger.rows[0].Date, "01/07/05");
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromWhole(100));  // recomputed first
    EXPECT_EQ(screen.totals.txtTotNet, "100.00");
    EXPECT_EQ(screen.rows[0].txtDate, "01/07/05");
    EXPECT_EQ(screen.rows[0].txtFed, "0.5");
    EXPECT_EQ(screen.rows[0].txtSS, "0");
    EXPECT_EQ(screen.rows[0].txtNet, "100");
    EXPECT_EQ(screen.rows[51].txtDate, "");
    EXPECT_EQ(screen.rows[51].txtFed, "0");
}

TEST_F(YearFileTest, LoadingAFileTakesItsTotalsAsStored)
{
    // The rows sum to 987.65 gross; the file says 5000.
    const fs::path file = wdtest::put(at("staff1.yrw"), yearFile(52,
                                                                 "123.45,61.2,14.31,40,0\r\n"
                                                                 "12.5,0,5,0,3.25\r\n"
                                                                 "50,45.5,5000,650.41,10.5\r\n"));
    YearLedger ledger;
    ledger.rows[7].SDI = 5.f;
    YearScreen screen;
    const LoadResult r = LoadYearToDate(ledger, screen, file, kTrue);
    EXPECT_TRUE(r.read);
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromWhole(5000));
    // SDI, SUI and cafeteria totals and the boxes still show the store as it
    // was before the read.
    EXPECT_EQ(ledger.rows[7].SDI, 0.f);
    EXPECT_EQ(ledger.totals.TotSDI, 5.f);
    EXPECT_EQ(screen.totals.txtTotSdi, "5.00");
    EXPECT_EQ(screen.totals.txtTotNet, ".00");
    EXPECT_EQ(screen.rows[4].txtFed, "123.45");
    EXPECT_EQ(screen.rows[4].txtSS, "61.2");
    EXPECT_EQ(screen.rows[0].txtDate, "0");

    const LoadResult again = fillBoxes(ledger, screen, file, kTrue);
    EXPECT_TRUE(again.read);
    EXPECT_EQ(screen.rows[4].txtSS, "61.20");
    EXPECT_EQ(screen.rows[4].txtNet, "987.65");
    EXPECT_EQ(screen.rows[4].txtGross, "650.41");
    EXPECT_EQ(screen.rows[0].txtFed, ".00");
    EXPECT_EQ(screen.rows[0].txtDate, "0");

    ASSERT_TRUE(UpdateAndAdd(ledger, screen, {kTrue, true}));
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromRaw(9876500));
}

TEST_F(YearFileTest, LoadingADamagedFileReportsItByNameAndStartsAnEmptyYear)
{
    const fs::path file = wdtest::put(at("staff1.yrb"), yearFile(20));
    YearLedger ledger;
    ledger.rows[2] = YearRow{"01/21/05", 12.f};
    YearScreen screen;
    const LoadResult r = LoadYearToDate(ledger, screen, file, kFalse);
    EXPECT_FALSE(r.read);
    ASSERT_TRUE(r.fileProblem);
    EXPECT_NE(r.fileProblem->find("\"staff1.yrb\""), std::string::npos) << *r.fileProblem;
    EXPECT_EQ(ledger, YearLedger{});
    EXPECT_EQ(screen.rows[2].txtDate, "");
    EXPECT_EQ(screen.rows[2].txtFed, "0");
}

TEST_F(YearFileTest, AFileThatCannotBeWrittenIsReportedByName)
{
    wdtest::put(at("notafolder"), "x");
    const fs::path file = at("notafolder") / "staff1.yrw";
    YearLedger ledger;
    YearScreen screen;
    try {
        (void)SaveAnnual(ledger, screen, file, kTrue);
        ADD_FAILURE() << "wrote into a file's folder";
    } catch (const legacy::FileAccessError &e) {
        EXPECT_EQ(e.file(), file);
        EXPECT_NE(std::string(e.what()).find("staff1.yrw"), std::string::npos) << e.what();
    }
    EXPECT_EQ(wdtest::slurp(at("notafolder")), "x");
}

TEST_F(YearFileTest, ASaveWhoseTotalsCannotBeFormedWritesNothing)
{
    const fs::path file = wdtest::put(at("staff1.yrw"), yearFile(52));
    const struct {
        const char *what;
        void (*spoil)(YearLedger &, YearScreen &);
    } cases[] = {
        {"tips of 1E20 in the store", [](YearLedger &l, YearScreen &) { l.rows[3].Tips = 1e20f; }},
        {"a grid cell beyond a double", [](YearLedger &, YearScreen &s) { s.rows[3].txtTips = "1E400"; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        YearLedger ledger;
        YearScreen screen;
        c.spoil(ledger, screen);
        const YearLedger ledgerBefore = ledger;
        const YearScreen screenBefore = screen;
        EXPECT_FALSE(SaveAnnual(ledger, screen, file, kTrue));
        EXPECT_EQ(wdtest::slurp(file), yearFile(52));
        EXPECT_EQ(ledger, ledgerBefore);
        EXPECT_EQ(screen, screenBefore);
        EXPECT_EQ(entries(), 1u);  // no temporary file left behind
    }
}
