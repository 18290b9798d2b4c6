// The overtime tracker's model: totals, messages, filling and clearing, New
// Week, Back, Undo, and what the settings writer takes from the tracker.
#include "records/overtime.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/profile_files.h"
#include "core/state.h"
#include "legacy/numerics.h"

#include "temp_folder.h"

using namespace wagedesk;
using namespace wagedesk::payrecords;

namespace {

constexpr OvertimeLayout kWeekly = OvertimeLayout::Weekly;
constexpr OvertimeLayout kBiWeekly = OvertimeLayout::BiWeekly;

// Boxes with a salary, a percentage and the given amounts from row 0; the
// other amount boxes hold "0".
OvertimeTexts boxes(std::string salary, std::string percent, const std::vector<std::string> &amounts = {})
{
    OvertimeTexts t;
    t.txtAnnual = std::move(salary);
    t.txtApPercent = std::move(percent);
    t.txtOT.fill("0");
    for (std::size_t i = 0; i < amounts.size(); ++i)
        t.txtOT[i] = amounts[i];
    return t;
}

bool sameStore(const OvertimeStore &a, const OvertimeStore &b)
{
    return a.OTEarned == b.OTEarned && a.OTLimit == b.OTLimit && a.OTAvailable == b.OTAvailable &&
           a.OTAnnualSalary == b.OTAnnualSalary && a.OTApprovedPercent == b.OTApprovedPercent &&
           a.OTPresentRate == b.OTPresentRate && a.OTDate == b.OTDate && a.OTAmount == b.OTAmount;
}

// A store and results from an earlier TOTAL, so that "nothing changes" shows.
OvertimeStore earlierStore()
{
    OvertimeStore s;
    s.OTEarned = 10;
    s.OTLimit = 20;
    s.OTAvailable = 10;
    s.OTAnnualSalary = 1000;
    s.OTApprovedPercent = 2;
    s.OTPresentRate = 0.01f;
    s.OTDate[0] = "1/7/2005";
    s.OTAmount[0] = "10";
    return s;
}

void setEarlierResults(OvertimeTexts &t)
{
    t.lbEarned = "$10.00";
    t.txtPercent = "1.%";
    t.lbMax = "$20.00";
    t.lbAvail = "$10.00";
}

}  // namespace

TEST(OvertimeFormats, DollarAndPercentPatterns)
{
    const std::vector<std::pair<float, std::string>> dollars = {
        {1234.5f, "$1,234.50"},     {0.5f, "$.50"},    {0, "$.00"},
        {-50, "-$50.00"},           {2.345f, "$2.35"},  // the float's seven digits are 2.345: half away from zero
        {1234567, "$1,234,567.00"},
    };
    for (const auto &[value, text] : dollars)
        EXPECT_EQ(dollarText(value), text) << value;

    const std::vector<std::pair<float, std::string>> percents =
        {
            {0.1234f, "12.34%"},     {0.05f, "5.%"},          {0, ".%"},
            {0.0076923f, ".77%"},    {0.012820513f, "1.28%"}, {1.5f, "150.%"},
            {12.34567f, "1234.57%"}, {-0.05f, "-5.%"},        {0.00004f, ".%"},  // rounds to nothing: no sign, no digit
            {0.00005f, ".01%"},
        };
    for (const auto &[value, text] : percents)
        EXPECT_EQ(percentText(value), text) << value;
}

TEST(OvertimeTotal, ResultsWorkedByHand)
{
    struct Case {
        const char *name;
        OvertimeLayout layout;
        OvertimeTexts texts;
        std::string earned, rate, limit, available;
        float storedEarned, storedLimit, storedAvailable, storedSalary, storedPercent;
    };
    OvertimeTexts biWeekly = boxes("26000", "10", {"100"});
    biWeekly.txtOT[25] = "50";
    biWeekly.txtOT[26] = "1000";  // outside the bi-weekly layout: not counted
    const std::vector<Case> cases = {
        {"two rows of 100", kWeekly, boxes("15600", "15", {"100", "100"}), "$200.00", "1.28%", "$2,340.00", "$2,140.00",
         200, 2340, 2140, 15600, 15},
        {"percentage 0", kWeekly, boxes("15600", "0", {"120"}), "$120.00", ".77%", "$.00", "-$120.00", 120, 0, -120,
         15600, 0},
        // "1 500" is 1500, "12-3" is 12, the empty box 0: 1512 of 1560.
        {"lenient amounts", kWeekly, boxes("15600", "10", {"1 500", "12-3", ""}), "$1,512.00", "9.69%", "$1,560.00",
         "$48.00", 1512, 1560, 48, 15600, 10},
        {"bi-weekly rows only", kBiWeekly, biWeekly, "$150.00", ".58%", "$2,600.00", "$2,450.00", 150, 2600, 2450,
         26000, 10},
        {"row 51 counts weekly", kWeekly,
         [] {
             auto t = boxes("10000", "5");
             t.txtOT[51] = "25.5";
             return t;
         }(),
         "$25.50", ".26%", "$500.00", "$474.50", 25.5f, 500, 474.5f, 10000, 5},
        {"blanks around the salary", kWeekly, boxes(" 20000 ", "2.5", {"-100"}), "-$100.00", "-.5%", "$500.00",
         "$600.00", -100, 500, 600, 20000, 2.5f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OvertimeStore store = earlierStore();
        OvertimeTexts texts = c.texts;
        EXPECT_EQ(cmdADD_Click(store, texts, c.layout), std::nullopt);
        EXPECT_EQ(texts.lbEarned, c.earned);
        EXPECT_EQ(texts.txtPercent, c.rate);
        EXPECT_EQ(texts.lbMax, c.limit);
        EXPECT_EQ(texts.lbAvail, c.available);
        EXPECT_EQ(store.OTEarned, c.storedEarned);
        EXPECT_EQ(store.OTLimit, c.storedLimit);
        EXPECT_EQ(store.OTAvailable, c.storedAvailable);
        EXPECT_EQ(store.OTAnnualSalary, c.storedSalary);
        EXPECT_EQ(store.OTApprovedPercent, c.storedPercent);
        // The layout's rows the total was made from go into the store, the
        // empty amounts as "0"; the rows beyond the layout stay.
        for (int i = 0; i < 52; ++i) {
            const bool inLayout = i < rowCount(c.layout);
            EXPECT_EQ(store.OTDate[i], inLayout ? c.texts.Text1[i] : earlierStore().OTDate[i]) << i;
            EXPECT_EQ(store.OTAmount[i], inLayout ? texts.txtOT[i] : earlierStore().OTAmount[i]) << i;
            if (inLayout) {
                EXPECT_EQ(texts.txtOT[i], c.texts.txtOT[i].empty() ? "0" : c.texts.txtOT[i]) << i;
            }
        }
    }
}

TEST(OvertimeTotal, StoresThePresentRateAsASingle)
{
    OvertimeStore store;
    OvertimeTexts texts = boxes("15600", "15", {"100", "100"});
    cmdADD_Click(store, texts, kWeekly);
    EXPECT_EQ(store.OTPresentRate, static_cast<float>(200.0 / 15600.0));
}

TEST(OvertimeTotal, EmptyAmountBoxesOfTheLayoutBecomeZero)
{
    OvertimeStore store;
    OvertimeTexts texts = boxes("26000", "10");
    texts.txtOT[3] = "";
    texts.txtOT[25] = "";
    texts.txtOT[26] = "";
    cmdADD_Click(store, texts, kBiWeekly);
    EXPECT_EQ(texts.txtOT[3], "0");
    EXPECT_EQ(texts.txtOT[25], "0");
    EXPECT_EQ(texts.txtOT[26], "");  // not a row of the bi-weekly layout
}

TEST(OvertimeTotal, MissingOrUnusableBoxesGiveTheMessageAndChangeNothing)
{
    struct Case {
        const char *salary, *percent;
        const char *text;
    };
    const std::string attention = "Please enter amounts in\r\nAnnual Salary and\r\nApproved Percent Boxes.";
    const std::string tooLarge = "These amounts are too large to add up.\r\nPlease check the boxes.";
    const std::string fortyDigits = "1" + std::string(40, '0');
    const std::string tiny = "0." + std::string(44, '0') + "1";  // 1E-45: 100 of it is beyond a single
    const std::vector<std::pair<Case, std::string>> cases = {
        {{"", "15", "empty salary"}, attention},
        {{"15600", "", "empty percentage"}, attention},
        {{"0", "0", "both 0"}, attention},
        {{"0", "15", "salary 0: no division by zero"}, attention},
        {{"0.00", "15", "salary 0.00"}, attention},
        {{"-", "15", "lone minus"}, attention},
        {{".", "15", "lone point"}, attention},
        {{" ", "15", "lone blank"}, attention},
        {{"15600", "-", "percentage lone minus"}, attention},
        {{"1 000", "15", "blank inside the salary"}, attention},
        {{"15600", "12-3", "percentage 12-3"}, attention},
        {{fortyDigits.c_str(), "15", "salary beyond a single"}, tooLarge},
        {{tiny.c_str(), "15", "rate beyond a single"}, tooLarge},
    };
    for (const auto &[c, message] : cases) {
        SCOPED_TRACE(c.text);
        OvertimeStore store = earlierStore();
        OvertimeTexts texts = boxes(c.salary, c.percent, {"100", ""});
        setEarlierResults(texts);
        const OvertimeTexts before = texts;

        const auto answer = cmdADD_Click(store, texts, kWeekly);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->title, "Attention");
        EXPECT_EQ(answer->text, message);
        EXPECT_EQ(texts, before);  // the empty amount box is not zero-filled either
        EXPECT_TRUE(sameStore(store, earlierStore()));

        // Painting computes quietly: no message, and still nothing changes.
        Form_Paint(texts, kWeekly);
        EXPECT_EQ(texts, before);
    }
}

TEST(OvertimeTotal, AmountsBeyondASingleGiveTheMessageAndChangeNothing)
{
    const std::string fortyDigits = "1" + std::string(40, '0');
    const std::string twoE38 = "2" + std::string(38, '0');              // a single each, not their sum
    const std::string fourHundredDigits = "1" + std::string(400, '0');  // beyond a double
    for (const std::vector<std::string> &amounts :
         {std::vector<std::string>{fortyDigits}, {twoE38, twoE38}, {fourHundredDigits}}) {
        OvertimeStore store = earlierStore();
        OvertimeTexts texts = boxes("15600", "15", amounts);
        texts.txtOT[5] = "";
        const OvertimeTexts before = texts;
        const auto answer = cmdADD_Click(store, texts, kWeekly);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->text, "These amounts are too large to add up.\r\nPlease check the boxes.");
        EXPECT_EQ(texts, before);
        EXPECT_TRUE(sameStore(store, earlierStore()));
    }
}

// Painting shows what TOTAL shows, and nothing more: no box is filled in
// (the store it cannot reach).
TEST(OvertimeTotal, PaintingShowsTheResultsOfTotalAndFillsNoBox)
{
    OvertimeStore clicked;
    const OvertimeTexts typed = boxes("15600", "15", {"100", "", "100"});
    OvertimeTexts a = typed, b = typed;
    cmdADD_Click(clicked, a, kWeekly);
    Form_Paint(b, kWeekly);
    EXPECT_EQ(b.lbAvail, "$2,140.00");
    OvertimeTexts expected = typed;
    expected.lbEarned = a.lbEarned;
    expected.txtPercent = a.txtPercent;
    expected.lbMax = a.lbMax;
    expected.lbAvail = a.lbAvail;
    EXPECT_EQ(b, expected);
}

TEST(OvertimeFill, FillInOTShowsTheStoreWithTheSalaryDefault)
{
    OvertimeStore store;
    store.OTAnnualSalary = 0;
    store.OTApprovedPercent = 15;
    for (std::size_t i = 0; i < 52; ++i) {
        store.OTDate[i] = "d" + std::to_string(i);
        store.OTAmount[i] = std::to_string(i);
    }
    OvertimeTexts texts;
    texts.Text1.fill("old");
    texts.txtOT.fill("");
    texts.lbMax = "$9.00";

    FillInOT(store, texts, kBiWeekly);
    EXPECT_EQ(texts.txtAnnual, "15600");
    EXPECT_EQ(store.OTAnnualSalary, 0);  // the store keeps 0
    EXPECT_EQ(texts.txtApPercent, "15");
    EXPECT_EQ(texts.Text1[25], "d25");
    EXPECT_EQ(texts.txtOT[25], "25");
    EXPECT_EQ(texts.Text1[26], "old");  // outside the bi-weekly layout
    EXPECT_EQ(texts.txtOT[26], "");
    EXPECT_EQ(texts.lbMax, "$9.00");  // results are left to the painting

    store.OTAnnualSalary = 48000.1f;
    FillInOT(store, texts, kWeekly);
    EXPECT_EQ(texts.txtAnnual, "48000.1");
    EXPECT_EQ(texts.Text1[51], "d51");
}

TEST(OvertimeFill, LoadZeroFillsEveryEmptyAmountBoxWhateverTheLayout)
{
    OvertimeStore store;
    store.OTAmount[2] = "12.5";
    OvertimeTexts texts;
    texts.txtOT[40] = "7";
    Form_Load(store, texts, kBiWeekly);
    EXPECT_EQ(texts.txtOT[0], "0");
    EXPECT_EQ(texts.txtOT[2], "12.5");
    EXPECT_EQ(texts.txtOT[30], "0");
    EXPECT_EQ(texts.txtOT[40], "7");
    EXPECT_EQ(texts.txtAnnual, "15600");
}

TEST(OvertimeClear, ClearAllResetsTheLayoutRowsAndTheStore)
{
    struct Case {
        const char *salaryBefore, *salaryAfter;
    };
    // Another salary stays in the box; a missing, zero or unusable one gets 11440.
    for (const Case &c : {Case{"20000", "20000"}, Case{"", "11440"}, Case{"0", "11440"}, Case{"-", "11440"}}) {
        SCOPED_TRACE(c.salaryBefore);
        OvertimeStore store = earlierStore();
        store.OTDate[30] = "kept";
        store.OTAmount[30] = "30";
        OvertimeTexts texts = boxes(c.salaryBefore, "15", {"100"});
        texts.Text1.fill("1/7/2005");
        texts.txtOT[30] = "30";
        setEarlierResults(texts);

        ClearAll(store, texts, kBiWeekly);
        EXPECT_EQ(texts.txtAnnual, c.salaryAfter);
        EXPECT_EQ(texts.txtApPercent, "0");
        EXPECT_EQ(texts.lbEarned, "$.00");
        EXPECT_EQ(texts.txtPercent, ".%");
        EXPECT_EQ(texts.lbMax, "$.00");
        EXPECT_EQ(texts.lbAvail, "$.00");
        EXPECT_EQ(store.OTAnnualSalary, 11440);  // whatever the box shows
        EXPECT_EQ(store.OTApprovedPercent, 0);
        EXPECT_EQ(store.OTEarned, 0);
        EXPECT_EQ(store.OTPresentRate, 0);
        EXPECT_EQ(store.OTLimit, 0);
        EXPECT_EQ(store.OTAvailable, 0);
        for (std::size_t i : {0u, 25u}) {
            EXPECT_EQ(texts.Text1[i], "");
            EXPECT_EQ(texts.txtOT[i], "0");
            EXPECT_EQ(store.OTDate[i], "");
            EXPECT_EQ(store.OTAmount[i], "0");
        }
        EXPECT_EQ(texts.Text1[30], "1/7/2005");
        EXPECT_EQ(texts.txtOT[30], "30");
        EXPECT_EQ(store.OTDate[30], "kept");
        EXPECT_EQ(store.OTAmount[30], "30");
    }
}

TEST(OvertimeWeek, NewWeekMovesTheLayoutRowsUp)
{
    OvertimeTexts weekly;
    for (std::size_t i = 0; i < 52; ++i) {
        weekly.Text1[i] = "d" + std::to_string(i);
        weekly.txtOT[i] = std::to_string(i * 10);
    }
    setEarlierResults(weekly);
    OvertimeTexts biWeekly = weekly;

    cmdAdvance_Click(weekly, kWeekly);
    EXPECT_EQ(weekly.Text1[0], "d1");
    EXPECT_EQ(weekly.txtOT[0], "10");
    EXPECT_EQ(weekly.Text1[50], "d51");
    EXPECT_EQ(weekly.txtOT[50], "510");
    EXPECT_EQ(weekly.Text1[51], "");
    EXPECT_EQ(weekly.txtOT[51], "0");
    EXPECT_EQ(weekly.lbAvail, "$10.00");  // the results wait for the next TOTAL

    cmdAdvance_Click(biWeekly, kBiWeekly);
    EXPECT_EQ(biWeekly.Text1[24], "d25");
    EXPECT_EQ(biWeekly.txtOT[24], "250");
    EXPECT_EQ(biWeekly.Text1[25], "");
    EXPECT_EQ(biWeekly.txtOT[25], "0");
    EXPECT_EQ(biWeekly.Text1[26], "d26");  // outside the layout: left alone
    EXPECT_EQ(biWeekly.txtOT[26], "260");
    EXPECT_EQ(biWeekly.txtOT[51], "510");
}

// Back takes the rows as they stand, and with them their totals, the salary
// and the percentage, when those give a total.
TEST(OvertimeWeek, BackTakesTheLayoutRowsAsTheyStandWithTheirTotals)
{
    for (OvertimeLayout layout : {kWeekly, kBiWeekly})
        for (const char *salary : {"99999", ""}) {
            SCOPED_TRACE(std::string(layout == kWeekly ? "weekly" : "bi-weekly") + ", salary \"" + salary + "\"");
            OvertimeStore store = earlierStore();
            store.OTDate[26] = "stored";
            OvertimeTexts texts = boxes(salary, "99");
            texts.Text1[0] = "2/4/2005";
            texts.txtOT[0] = "";
            texts.txtOT[1] = "12";
            texts.Text1[26] = "2/11/2005";
            texts.txtOT[26] = "5";

            cmdClose_Click(store, texts, layout);
            EXPECT_EQ(store.OTDate[0], "2/4/2005");
            EXPECT_EQ(store.OTAmount[0], "");  // an emptied amount stays empty
            EXPECT_EQ(store.OTAmount[1], "12");
            if (layout == kWeekly) {
                EXPECT_EQ(store.OTDate[26], "2/11/2005");
                EXPECT_EQ(store.OTAmount[26], "5");
            } else {
                EXPECT_EQ(store.OTDate[26], "stored");
                EXPECT_EQ(store.OTAmount[26], "");
            }
            if (*salary) {
                // The empty amount counts 0; row 26 only in the weekly layout.
                const float earned = layout == kWeekly ? 17 : 12;
                const float limit = static_cast<float>(99 * 0.01 * 99999);
                EXPECT_EQ(store.OTEarned, earned);
                EXPECT_EQ(store.OTPresentRate, static_cast<float>(earned / 99999.0));
                EXPECT_EQ(store.OTAnnualSalary, 99999);
                EXPECT_EQ(store.OTApprovedPercent, 99);
                EXPECT_EQ(store.OTLimit, limit);
                EXPECT_EQ(store.OTAvailable, limit - earned);
            } else {
                // No total without a salary: the results stay as kept.
                OvertimeStore rowsOnly = earlierStore();
                rowsOnly.OTDate = store.OTDate;
                rowsOnly.OTAmount = store.OTAmount;
                EXPECT_TRUE(sameStore(store, rowsOnly));
            }
        }
}

TEST(OvertimeWeek, UndoShowsTheSavedSalaryWithoutTheDefault)
{
    OvertimeStore store;
    store.OTAnnualSalary = 0;
    store.OTApprovedPercent = 7.5f;
    store.OTDate[25] = "6/24/2005";
    store.OTAmount[25] = "40";
    OvertimeTexts texts = boxes("15600", "15");
    texts.Text1[26] = "typed";
    setEarlierResults(texts);

    showSavedOvertime(store, texts, kBiWeekly);
    EXPECT_EQ(texts.txtAnnual, "0");
    EXPECT_EQ(texts.txtApPercent, "7.5");
    EXPECT_EQ(texts.Text1[25], "6/24/2005");
    EXPECT_EQ(texts.txtOT[25], "40");
    EXPECT_EQ(texts.Text1[26], "typed");
    EXPECT_EQ(texts.lbMax, "$20.00");
}

TEST(OvertimeLayoutRule, WeeklyWhenWeeklyPayIsTrue)
{
    EXPECT_EQ(overtimeLayout(kTrue), kWeekly);
    EXPECT_EQ(overtimeLayout(1), kWeekly);
    EXPECT_EQ(overtimeLayout(kFalse), kBiWeekly);
    EXPECT_EQ(rowCount(kWeekly), 52);
    EXPECT_EQ(rowCount(kBiWeekly), 26);
}

// --- What the settings writer writes for a filled tracker ---

class OvertimeSaveTest : public wdtest::TempFolderTest {};

namespace {

// The first two lines of a file.
std::string firstTwoLines(const std::string &bytes)
{
    const auto end = bytes.find("\r\n", bytes.find("\r\n") + 2);
    return bytes.substr(0, end + 2);
}

std::string emptyRows(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "\"\"\r\n0\r\n";
    return out;
}

}  // namespace

TEST_F(OvertimeSaveTest, SettingsAndRowsOfAFilledBiWeeklyTracker)
{
    OvertimeStore store;
    OvertimeTexts texts = boxes("48000.1", "10", {"100", "", "12.5", "1 500", "12-3"});
    texts.Text1[0] = "1/7/2005";
    texts.Text1[1] = "1/21/2005";
    texts.Text1[3] = "2/18/2005";
    texts.txtOT[26] = "";  // outside the layout: neither filled nor written
    ASSERT_EQ(cmdADD_Click(store, texts, kBiWeekly), std::nullopt);
    // 100 + 0 + 12.5 + 1500 + 12 of a limit of 10 % of 48000.1.
    EXPECT_EQ(texts.lbEarned, "$1,624.50");
    EXPECT_EQ(texts.lbMax, "$4,800.01");
    EXPECT_EQ(texts.lbAvail, "$3,175.51");
    texts.txtOT[1] = "";  // emptied again after TOTAL

    const OvertimeForSettings save = takeForSettings(store, texts, kBiWeekly);
    EXPECT_EQ(save.rows, 26);
    EXPECT_EQ(texts.txtOT[1], "0");
    EXPECT_EQ(texts.txtOT[26], "");
    EXPECT_EQ(store.OTAmount[1], "0");
    EXPECT_EQ(store.OTAmount[3], "1 500");
    EXPECT_EQ(store.OTDate[1], "1/21/2005");

    ProfileSettings profile;
    const auto use = at("staff1.use");
    writeUserSettingsFile(use, profile, store, save.annualSalary, save.approvedPercent, save.limit, save.available);
    // Salary and limit as typed and shown, not as their singles
    // (48000.1015625, 4800.009765625); the rate 0.0338... by "##.##".
    EXPECT_EQ(firstTwoLines(wdtest::slurp(use)),
              "1624.5,4800.01,3175.51\r\n"
              "48000.1,10,0.03\r\n");

    const auto ovb = at("staff1.ovb");
    writeOvertimeFile(ovb, save.dates, save.amounts, save.rows);
    EXPECT_EQ(wdtest::slurp(ovb),
              "\"1/7/2005\"\r\n100\r\n"
              "\"1/21/2005\"\r\n0\r\n"
              "\"\"\r\n12.5\r\n"
              "\"2/18/2005\"\r\n1500\r\n"
              "\"\"\r\n12\r\n" +
                  emptyRows(21));
}

// The limit and available are written as their captions show them, to the
// cent, whatever painting did to the captions since TOTAL kept them.
TEST_F(OvertimeSaveTest, TheLimitIsWrittenAsItsCaptionShowsIt)
{
    OvertimeStore store;
    OvertimeTexts texts = boxes("39002.5", "5", {"100"});
    ASSERT_EQ(cmdADD_Click(store, texts, kBiWeekly), std::nullopt);
    ASSERT_EQ(store.OTLimit, 1950.125f);
    const std::string shown = texts.lbMax;
    texts.lbMax = texts.lbAvail = "";  // as a painting of other boxes might leave them
    const OvertimeForSettings save = takeForSettings(store, texts, kBiWeekly);
    EXPECT_EQ(dollarText(static_cast<float>(save.limit)), shown);
    EXPECT_EQ(save.limit, legacy::toDouble(shown));
}

TEST_F(OvertimeSaveTest, WeeklyRowsAndResultsNeverComputed)
{
    // A tracker loaded without being shown: no painting, so no results.
    OvertimeStore store;
    store.OTEarned = 20;
    store.OTLimit = 2340;
    store.OTAvailable = -3.25f;
    store.OTAmount[51] = "7.25";
    store.OTDate[51] = "12/30/2005";
    OvertimeTexts texts;
    Form_Load(store, texts, kWeekly);
    ASSERT_EQ(texts.lbMax, "");

    const OvertimeForSettings save = takeForSettings(store, texts, kWeekly);
    EXPECT_EQ(save.limit, 2340);
    EXPECT_EQ(save.available, -3.25);

    ProfileSettings profile;
    const auto use = at(".use");
    writeUserSettingsFile(use, profile, store, save.annualSalary, save.approvedPercent, save.limit, save.available);
    EXPECT_EQ(firstTwoLines(wdtest::slurp(use)),
              "20,2340,-3.25\r\n"
              "15600,0,0\r\n");

    const auto ovw = at(".ovw");
    writeOvertimeFile(ovw, save.dates, save.amounts, save.rows);
    EXPECT_EQ(wdtest::slurp(ovw), emptyRows(51) + "\"12/30/2005\"\r\n7.25\r\n");
}

TEST_F(OvertimeSaveTest, ABoxBeyondADoubleStopsTheSaveBeforeAnythingChanges)
{
    OvertimeStore store = earlierStore();
    OvertimeTexts texts = boxes("15600", "15", {"1" + std::string(400, '0')});
    texts.txtOT[1] = "";
    texts.Text1[0] = "typed";
    const OvertimeTexts before = texts;
    EXPECT_THROW(takeForSettings(store, texts, kWeekly), legacy::OverflowError);
    EXPECT_EQ(texts, before);
    EXPECT_TRUE(sameStore(store, earlierStore()));
}
