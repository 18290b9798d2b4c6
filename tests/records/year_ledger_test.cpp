// Totals, the grid taken into the store, paste, delete and Clear All, with
// figures worked by hand in single precision and fixed point.
#include "records/year_ledger.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace wagedesk;
using namespace wagedesk::payrecords;
using legacy::Currency;

namespace {

constexpr PayFrequency kWeekly{kTrue, true};
constexpr PayFrequency kBiWeekly{kFalse, false};

// A grid whose every amount cell reads 0, as after Clear All.
YearScreen zeroGrid()
{
    YearScreen s;
    for (YearCells &c : s.rows) {
        c.txtDate = "0";
        for (const AmountColumn &col : kAmountColumns)
            c.*col.cell = "0";
    }
    return s;
}

}  // namespace

TEST(YearLedger, OnlyTrueMeansTheWeeklyYear)
{
    EXPECT_EQ(activeRows(kTrue), 52);
    EXPECT_EQ(activeRows(kFalse), 26);
    EXPECT_EQ(activeRows(1), 26);  // a stray value is not True
}

TEST(YearLedger, WindowLoadsShowPlainTextsAndRecomputationsTheLedgerPattern)
{
    YearRow row{"01/07/05", 0.5f, 0.f, 12.25f};
    row.Gross = 1234.5f;
    EXPECT_EQ(plainCells(row), (YearCells{"01/07/05", "0.5", "0", "12.25", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                          "0", "0", "1234.5"}));
    EXPECT_EQ(formattedCells(row), (YearCells{"01/07/05", ".50", ".00", "12.25", ".00", ".00", ".00", ".00", ".00",
                                              ".00", ".00", ".00", ".00", ".00", ".00", "1234.50"}));

    YearTotals t;
    t.TotFed = 0.5f;
    t.TotGross = Currency::fromRaw(12345601);  // up to four decimals
    t.TotNet = Currency::fromWhole(999);
    t.TotSDI = 3.75f;
    const YearTotBoxes plain = plainTotals(t);
    EXPECT_EQ(plain.txtTotFed, "0.5");
    EXPECT_EQ(plain.txtTotNet, "1234.5601");
    EXPECT_EQ(plain.txtTotGross, "999");
    EXPECT_EQ(plain.txtTotSdi, "3.75");
    EXPECT_EQ(plain.txtTotTips, "0");
    const YearTotBoxes shown = formattedTotals(t);
    EXPECT_EQ(shown.txtTotFed, ".50");
    EXPECT_EQ(shown.txtTotNet, "1234.56");
    EXPECT_EQ(shown.txtTotGross, "999.00");
    EXPECT_EQ(shown.txtTotTips, ".00");
}

struct SingleCase {
    const char *name;
    std::vector<float> federal;  // one row each, from row 0
    float total;
    const char *box;
};

void PrintTo(const SingleCase &c, std::ostream *os) { *os << c.name; }

class SingleTotals : public ::testing::TestWithParam<SingleCase> {};

// The running total goes through its seven-digit text after each addition.
TEST_P(SingleTotals, FederalColumn)
{
    const SingleCase &c = GetParam();
    YearLedger ledger;
    for (std::size_t i = 0; i < c.federal.size(); ++i)
        ledger.rows[i].Fed = c.federal[i];
    YearScreen screen;
    ASSERT_TRUE(AddAnnual(ledger, screen, kTrue));
    EXPECT_EQ(ledger.totals.TotFed, c.total);
    EXPECT_EQ(screen.totals.txtTotFed, c.box);
}

INSTANTIATE_TEST_SUITE_P(
    YearLedger, SingleTotals,
    ::testing::Values(SingleCase{"Empty", {}, 0.f, ".00"},
                      // 99999.99f + 0.02f is 100000.015625f; its text is "100000".
                      SingleCase{"SevenDigitsAfterAnAddition", {99999.99f, 0.02f}, 100000.f, "100000.00"},
                      // Rounded at each step: 100000 - 0.02 gives 99999.98; summed plainly
                      // the three would come back to 99999.99.
                      SingleCase{"RoundedAtEveryStep", {99999.99f, 0.02f, -0.02f}, 99999.98f, "99999.98"},
                      SingleCase{"LargeTotalKeepsSevenDigits", {123456.78f}, 123456.8f, "123456.80"},
                      // 1234566.5 is exact in a float; its seven digits round the half up.
                      SingleCase{"TieGoesAwayFromZero", {1234566.5f}, 1234567.f, "1234567.00"},
                      SingleCase{"HalfDollar", {0.5f}, 0.5f, ".50"}, SingleCase{"Negative", {-5.f}, -5.f, "-5.00"}),
    [](const auto &test) { return std::string(test.param.name); });

struct FixedCase {
    const char *name;
    std::vector<float> gross;
    std::int64_t raw;  // TotGross, 1/10000 dollars
    const char *box;   // txtTotNet
};

void PrintTo(const FixedCase &c, std::ostream *os) { *os << c.name; }

class FixedTotals : public ::testing::TestWithParam<FixedCase> {};

// Each float row is taken to four decimals of its exact binary value, half
// to even, then added exactly.
TEST_P(FixedTotals, GrossColumn)
{
    const FixedCase &c = GetParam();
    YearLedger ledger;
    for (std::size_t i = 0; i < c.gross.size(); ++i)
        ledger.rows[i].Gross = c.gross[i];
    YearScreen screen;
    ASSERT_TRUE(AddAnnual(ledger, screen, kTrue));
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromRaw(c.raw));
    EXPECT_EQ(screen.totals.txtTotNet, c.box);
    EXPECT_EQ(screen.totals.txtTotGross, ".00");  // the net total stays 0
}

INSTANTIATE_TEST_SUITE_P(YearLedger, FixedTotals,
                         ::testing::Values(
                             // 1234.56f is 1234.56005859375: 1234.5601 each.
                             FixedCase{"FloatNoiseInTheFourthDecimal", {1234.56f, 1234.56f}, 24691202, "2469.12"},
                             // 1/32 and 3/32 are exact ties at the fifth decimal: 0.0312 + 0.0938.
                             FixedCase{"TiesGoToEven", {0.03125f, 0.09375f}, 1250, ".13"},
                             FixedCase{"Cents", {0.1f, 0.2f}, 3000, ".30"},
                             FixedCase{"OneRow", {1234.5f}, 12345000, "1234.50"}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(YearLedger, GrossAndNetTotalsStandInTheBoxesNamedAgainstThem)
{
    YearLedger ledger;
    ledger.rows[3].Gross = 1234.5f;
    ledger.rows[3].Net = 999.f;
    ledger.rows[3].OT = 12.25f;
    ledger.rows[3].Tips = 7.f;
    YearScreen screen;
    ASSERT_TRUE(AddAnnual(ledger, screen, kTrue));
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromRaw(12345000));
    EXPECT_EQ(ledger.totals.TotNet, Currency::fromWhole(999));
    EXPECT_EQ(screen.totals.txtTotNet, "1234.50");
    EXPECT_EQ(screen.totals.txtTotGross, "999.00");
    EXPECT_EQ(screen.totals.txtTotOT, "12.25");
    EXPECT_EQ(screen.totals.txtTotTips, "7.00");
}

TEST(YearLedger, BiWeeklyTotalsSkipTheUnusedRowsButSdiSuiAndCafeteriaCountThemAll)
{
    YearLedger ledger;
    ledger.rows[0].Fed = 10.f;
    ledger.rows[0].SDI = 1.5f;
    ledger.rows[30].Fed = 100.f;  // left by an earlier weekly year
    ledger.rows[30].Gross = 500.f;
    ledger.rows[30].SDI = 2.25f;
    ledger.rows[30].SUI = 3.f;
    ledger.rows[51].Cafe = 4.5f;
    YearScreen screen;
    ASSERT_TRUE(AddAnnual(ledger, screen, kFalse));
    EXPECT_EQ(ledger.totals.TotFed, 10.f);
    EXPECT_EQ(ledger.totals.TotGross, Currency());
    EXPECT_EQ(ledger.totals.TotSDI, 3.75f);
    EXPECT_EQ(ledger.totals.TotSUI, 3.f);
    EXPECT_EQ(ledger.totals.TotCafe, 4.5f);
    EXPECT_EQ(screen.totals.txtTotSdi, "3.75");
    EXPECT_EQ(screen.totals.txtTotSui, "3.00");
    EXPECT_EQ(screen.totals.txtTotCafe, "4.50");

    ASSERT_TRUE(AddAnnual(ledger, screen, kTrue));
    EXPECT_EQ(ledger.totals.TotFed, 110.f);
    EXPECT_EQ(screen.totals.txtTotNet, "500.00");
}

TEST(YearLedger, TotalsThatCannotBeFormedChangeNothing)
{
    YearLedger ledger;
    ledger.rows[0].Gross = 100.f;
    YearScreen screen;
    ASSERT_TRUE(AddAnnual(ledger, screen, kTrue));

    struct Case {
        const char *what;
        void (*spoil)(YearLedger &);
    };
    const Case cases[] = {
        // Beyond the fixed-point range (about 9.2E+14).
        {"tips of 1E20", [](YearLedger &l) { l.rows[5].Tips = 1e20f; }},
        {"a single sum beyond 3.4E+38", [](YearLedger &l) { l.rows[1].Fed = l.rows[2].Fed = 3e38f; }},
        {"an SDI sum beyond 3.4E+38", [](YearLedger &l) { l.rows[1].SDI = l.rows[40].SDI = 3e38f; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        YearLedger spoilt = ledger;
        c.spoil(spoilt);
        const YearLedger before = spoilt;
        YearScreen shown = screen;
        EXPECT_FALSE(AddAnnual(spoilt, shown, kTrue));
        EXPECT_EQ(spoilt, before);
        EXPECT_EQ(shown, screen);
        EXPECT_EQ(shown.totals.txtTotNet, "100.00");
    }
}

TEST(YearLedger, UpdateReadsEachCellByItsLeadingNumber)
{
    const struct {
        const char *text;
        float value;
    } cases[] = {
        {"12.5", 12.5f}, {"1 500", 1500.f}, {"12-3", 12.f},    {"12abc", 12.f}, {"abc", 0.f},    {"", 0.f},
        {".00", 0.f},    {"-.5", -0.5f},    {"1,234.56", 1.f}, {"$5", 0.f},     {"1e3", 1000.f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        YearScreen screen = zeroGrid();
        screen.rows[7].txtCity = c.text;
        screen.rows[7].txtTips = c.text;
        screen.rows[7].txtNet = c.text;
        YearLedger ledger;
        ASSERT_TRUE(Update(ledger, screen, true));
        EXPECT_EQ(ledger.rows[7].City, c.value);
        EXPECT_EQ(ledger.rows[7].Tips, c.value);
        EXPECT_EQ(ledger.rows[7].Gross, c.value);  // txtNet holds gross pay
    }
}

TEST(YearLedger, UpdateTakesTheDatesTheRowsOfTheWeeklyOptionAndTheTotalsBoxes)
{
    YearScreen screen = zeroGrid();
    screen.rows[0].txtDate = "";
    screen.rows[1].txtDate = "01/14/05";
    screen.rows[2].txtGross = "650.41";  // net pay
    screen.rows[30].txtFed = "99";
    screen.totals.txtTotFed = "12.5";
    screen.totals.txtTotNet = "1234.5";  // gross total
    screen.totals.txtTotGross = "999";   // net total
    screen.totals.txtTotTips = "abc";

    YearLedger ledger;
    ledger.rows[2].SDI = 4.f;
    ledger.rows[30].Fed = 7.f;
    ledger.totals.TotSDI = 4.f;
    ledger.totals.TotTips = Currency::fromWhole(3);

    ASSERT_TRUE(Update(ledger, screen, false));  // 26 rows
    EXPECT_EQ(ledger.rows[0].Date, "");
    EXPECT_EQ(ledger.rows[1].Date, "01/14/05");
    EXPECT_EQ(ledger.rows[25].Date, "0");
    EXPECT_EQ(ledger.rows[26].Date, "");  // not read
    EXPECT_EQ(ledger.rows[2].Net, 650.41f);
    EXPECT_EQ(ledger.rows[2].SDI, 4.f);  // no cell: untouched
    EXPECT_EQ(ledger.rows[30].Fed, 7.f);
    EXPECT_EQ(ledger.totals.TotFed, 12.5f);
    EXPECT_EQ(ledger.totals.TotGross, Currency::fromRaw(12345000));
    EXPECT_EQ(ledger.totals.TotNet, Currency::fromWhole(999));
    EXPECT_EQ(ledger.totals.TotTips, Currency());
    EXPECT_EQ(ledger.totals.TotSDI, 4.f);

    ASSERT_TRUE(Update(ledger, screen, true));  // 52 rows
    EXPECT_EQ(ledger.rows[30].Fed, 99.f);
    EXPECT_EQ(ledger.rows[26].Date, "0");
}

TEST(YearLedger, AddRecomputesOverTotalsTypedByHand)
{
    YearScreen screen = zeroGrid();
    screen.rows[0].txtFed = "10.25";
    screen.rows[1].txtFed = "5";
    screen.totals.txtTotFed = "999";
    YearLedger ledger;
    ASSERT_TRUE(UpdateAndAdd(ledger, screen, kWeekly));
    EXPECT_EQ(ledger.totals.TotFed, 15.25f);
    EXPECT_EQ(screen.totals.txtTotFed, "15.25");
}

TEST(YearLedger, AGridValueOutOfRangeStopsTheRecomputationAndChangesNothing)
{
    const struct {
        const char *what;
        std::string YearCells::*cell;
        const char *text;
    } cases[] = {
        {"a tips cell of 1E20 (beyond the fixed point)", &YearCells::txtTips, "1E20"},
        {"a tips cell of 1E39 (beyond a single)", &YearCells::txtTips, "1E39"},
        {"a gross cell of 1E400 (beyond a double)", &YearCells::txtNet, "1E400"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        YearLedger ledger;
        ledger.rows[0].Fed = 3.f;
        YearScreen screen = zeroGrid();
        screen.rows[0].txtFed = "3";
        ASSERT_TRUE(UpdateAndAdd(ledger, screen, kWeekly));

        screen.rows[0].txtFed = "8";
        screen.rows[9].*c.cell = c.text;
        const YearLedger ledgerBefore = ledger;
        const YearScreen screenBefore = screen;
        EXPECT_FALSE(UpdateAndAdd(ledger, screen, kWeekly));
        EXPECT_EQ(ledger, ledgerBefore);
        EXPECT_EQ(screen, screenBefore);
        EXPECT_EQ(screen.totals.txtTotFed, "3.00");
    }

    YearLedger ledger;
    YearScreen screen = zeroGrid();
    screen.totals.txtTotOT = "1E20";  // the totals boxes take any text
    EXPECT_FALSE(Update(ledger, screen, true));
    EXPECT_EQ(ledger, YearLedger{});
}

namespace {

PastePeriod calculatedPeriod()
{
    PastePeriod p;
    p.txtWeek = "01/28/05";
    p.lbTaxDed = {"1,234.56", "76.54", "17.90", "45.00", ".50", "", "12.00", ".00", "5.25", "", "50.00"};
    p.lbSDI = "1,234.56";
    p.lbSUI = "2.10";
    p.lbCafe = "";
    p.TotalOt = 45.5f;
    p.TotalTips = 10.5f;
    p.GrossPay = 987.65f;
    p.NetPay = 650.41f;
    return p;
}

}  // namespace

TEST(YearLedger, PasteFillsTheRowFromTheMainWindowAndTotalsAtOnce)
{
    YearLedger ledger;
    YearScreen screen = zeroGrid();
    ASSERT_TRUE(PasteMe(ledger, screen, 4, calculatedPeriod(), kWeekly));

    const YearCells expected{"01/28/05", "1234.56", "76.54", "17.90", "45.00", ".50",   "",       "12.00",
                             ".00",      "5.25",    "",      "50.00", "10.50", "45.50", "650.41", "987.65"};
    EXPECT_EQ(screen.rows[4], expected);

    const YearRow &row = ledger.rows[4];
    EXPECT_EQ(row.Date, "01/28/05");
    EXPECT_EQ(row.Fed, 1234.56f);
    EXPECT_EQ(row.City, 0.5f);
    EXPECT_EQ(row.Muni, 0.f);  // the empty cell reads 0
    EXPECT_EQ(row.Gross, 987.65f);
    EXPECT_EQ(row.Net, 650.41f);
    EXPECT_EQ(row.SDI, 1234.56f);
    EXPECT_EQ(row.SUI, 2.1f);
    EXPECT_EQ(row.Cafe, 0.f);

    EXPECT_EQ(screen.totals.txtTotFed, "1234.56");
    EXPECT_EQ(screen.totals.txtTotCity, ".50");
    EXPECT_EQ(screen.totals.txtTotNet, "987.65");
    EXPECT_EQ(screen.totals.txtTotGross, "650.41");
    EXPECT_EQ(screen.totals.txtTotSdi, "1234.56");
    EXPECT_EQ(screen.totals.txtTotSui, "2.10");
    EXPECT_EQ(screen.totals.txtTotCafe, ".00");
}

TEST(YearLedger, PasteAfterTheMainWindowWasCleared)
{
    PastePeriod cleared;
    cleared.txtWeek = "00/00/05";  // labels empty, values 0
    YearLedger ledger;
    YearScreen screen = zeroGrid();
    ASSERT_TRUE(PasteMe(ledger, screen, 0, cleared, kBiWeekly));
    const YearCells expected{"00/00/05", "", "", "", "", "", "", "", "", "", "", "", ".00", ".00", ".00", ".00"};
    EXPECT_EQ(screen.rows[0], expected);
    EXPECT_EQ(ledger.rows[0].Date, "00/00/05");
    EXPECT_EQ(ledger.totals, YearTotals{});
}

TEST(YearLedger, PasteOverAGridThatCannotBeTotalledLeavesTheRowAsItWas)
{
    YearLedger ledger;
    YearScreen screen = zeroGrid();
    screen.rows[2].txtTips = "1E20";
    const YearScreen screenBefore = screen;
    EXPECT_FALSE(PasteMe(ledger, screen, 4, calculatedPeriod(), kWeekly));
    EXPECT_EQ(screen, screenBefore);
    EXPECT_EQ(ledger, YearLedger{});
    EXPECT_FALSE(DeleteRow(ledger, screen, 4, kWeekly));
    EXPECT_EQ(screen, screenBefore);
}

TEST(YearLedger, RowsOutsideTheYearAreRefused)
{
    YearLedger ledger;
    YearScreen screen;
    EXPECT_THROW((void)PasteMe(ledger, screen, 52, calculatedPeriod(), kWeekly), std::out_of_range);
    EXPECT_THROW((void)DeleteRow(ledger, screen, -1, kWeekly), std::out_of_range);
}

TEST(YearLedger, DeleteSetsEveryCellOfTheRowToZeroAndTotalsAgain)
{
    YearLedger ledger;
    YearScreen screen;  // a never-used grid: empty texts
    ASSERT_TRUE(PasteMe(ledger, screen, 4, calculatedPeriod(), kWeekly));
    ASSERT_TRUE(PasteMe(ledger, screen, 5, calculatedPeriod(), kWeekly));
    EXPECT_EQ(screen.totals.txtTotSdi, "2469.12");

    ASSERT_TRUE(DeleteRow(ledger, screen, 4, kWeekly));
    const YearCells zeros{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    EXPECT_EQ(screen.rows[4], zeros);
    EXPECT_EQ(ledger.rows[4], (YearRow{"0"}));
    EXPECT_EQ(screen.totals.txtTotFed, "1234.56");
    EXPECT_EQ(screen.totals.txtTotSdi, "1234.56");

    ASSERT_TRUE(DeleteRow(ledger, screen, 20, kWeekly));  // an empty row
    EXPECT_EQ(screen.rows[20], zeros);
    EXPECT_EQ(ledger.rows[20].Date, "0");
}

TEST(YearLedger, ClearAllOfABiWeeklyYear)
{
    YearLedger ledger;
    YearScreen screen;
    ASSERT_TRUE(PasteMe(ledger, screen, 3, calculatedPeriod(), kBiWeekly));
    ledger.rows[40].Fed = 77.f;  // from an earlier weekly year
    ledger.rows[40].SDI = 6.f;
    ledger.rows[40].Cafe = 2.f;
    screen.rows[40].txtFed = "77";

    ASSERT_TRUE(ClearAll(ledger, screen, kBiWeekly));
    const YearCells zeros{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(screen.rows[i], zeros) << "row " << i;
    EXPECT_EQ(ledger.rows[3], (YearRow{"0"}));
    EXPECT_EQ(screen.rows[40].txtFed, "77");
    EXPECT_EQ(ledger.rows[40].Fed, 77.f);
    EXPECT_EQ(ledger.rows[40].SDI, 0.f);
    EXPECT_EQ(ledger.rows[40].Cafe, 0.f);
    EXPECT_EQ(ledger.totals, YearTotals{});
    for (const std::string *box : {&screen.totals.txtTotFed, &screen.totals.txtTotNet, &screen.totals.txtTotSdi,
                                   &screen.totals.txtTotTips, &screen.totals.txtTotCafe})
        EXPECT_EQ(*box, ".00");
}
