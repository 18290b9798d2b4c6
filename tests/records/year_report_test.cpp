// The printed year-to-date report, item by item.
#include "records/year_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_items.h"

using namespace wagedesk;
using namespace wagedesk::payrecords;
using legacy::Currency;
using legacy::PageItem;

namespace {

using wdtest::endLine;
using wdtest::font;
using wdtest::Items;
using wdtest::size;
using wdtest::text;

Items slice(const legacy::TextPage &page, std::size_t from, std::size_t count)
{
    const Items &all = page.items();
    if (from + count > all.size())
        return {};
    return Items(all.begin() + long(from), all.begin() + long(from + count));
}

// A year with week 5 pasted and week 1 deleted.
YearLedger sampleYear()
{
    YearLedger l;
    l.rows[0].Date = "0";
    l.rows[4] = YearRow{"01/28/05", 123.45f, 61.2f, 14.31f, 40.f,    0.f,     12.5f, 0.f,  5.f, 0.25f,
                        3.25f,      50.f,    45.5f, 10.5f,  987.65f, 650.41f, 9.88f, 2.1f, 25.f};
    YearTotals &t = l.totals;
    t.TotFed = 123.45f;
    t.TotSS = 61.2f;
    t.TotMedi = 14.31f;
    t.TotState = 40.f;
    t.TotMuni = 12.5f;
    t.TotDues = 5.f;
    t.TotPen = 0.25f;
    t.TotMisc = 3.25f;
    t.TotKplan = 50.f;
    t.TotOT = Currency::fromRaw(455000);
    t.TotGross = Currency::fromRaw(9876500);
    t.TotNet = Currency::fromRaw(6504100);
    t.TotTips = Currency::fromRaw(105000);
    t.TotSDI = 9.88f;
    t.TotSUI = 2.1f;
    t.TotCafe = 25.f;
    return l;
}

YearReportInput input(std::int16_t weeklyPay)
{
    YearReportInput in;
    in.heading = {"Acme Tools", "12 Main St", "Albany NY 12207", "ID 14-1234567"};
    in.CurrentUser = "staff1";
    in.WeeklyPay = weeklyPay;
    in.today = "3/4/2005";
    in.major = 2;
    in.minor = 1;
    in.revision = 7;
    return in;
}

const Items kCaptions{text("Week", 5),   text("Federal", 17),  text("SS", 30),    text("MediCare", 43),
                      text("State", 56), text("City", 69),     text("MCU", 82),   text("Bond", 95),
                      text("Dues", 108), text("Pension", 121), text("Misc", 134), text("KPlan", 145),
                      text("Tips", 156), text("OT", 172),      text("Net", 182),  text("Gross", 197)};

constexpr std::size_t kHead = 15 + 16;  // heading, employee line, captions
constexpr std::size_t kTail = 31;       // rule, totals, further totals, version

}  // namespace

TEST(YearReport, RowAmountsArePlainNumbersBetweenBlanks)
{
    const struct {
        float value;
        const char *printed;
    } cases[] = {
        {12.5f, " 12.5 "}, {0.25f, " .25 "},   {0.5f, " .5 "},          {0.f, " 0 "},      {-0.f, " 0 "},
        {-0.5f, "-.5 "},   {-12.5f, "-12.5 "}, {1234.56f, " 1234.56 "}, {1e7f, " 1E+07 "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(reportAmount(c.value), c.printed) << c.value;
}

TEST(YearReport, WeeklyReportFromHeadingToVersion)
{
    const legacy::TextPage page = yearReport(sampleYear(), input(kTrue));
    EXPECT_TRUE(page.landscape());
    ASSERT_EQ(page.items().size(), kHead + 52 * 16 + kTail);

    Items head{font("Arial"),
               size(10),
               text("Acme Tools"),
               endLine(),
               text("12 Main St"),
               endLine(),
               text("Albany NY 12207"),
               text("ID 14-1234567", 134),
               endLine(),
               size(9),
               text("Employee:"),
               text("staff1", 17),
               text("3/4/2005", 145),
               endLine(),
               size(8)};
    head.insert(head.end(), kCaptions.begin(), kCaptions.end());
    EXPECT_EQ(slice(page, 0, kHead), head);

    // Net pay under "Net", gross pay under "Gross".
    const Items week5{text("01/28/05", 5), text(" 123.45 ", 17), text(" 61.2 ", 30),    text(" 14.31 ", 43),
                      text(" 40 ", 56),    text(" 0 ", 69),      text(" 12.5 ", 82),    text(" 0 ", 95),
                      text(" 5 ", 108),    text(" .25 ", 121),   text(" 3.25 ", 134),   text(" 50 ", 145),
                      text(" 10.5 ", 156), text(" 45.5 ", 172),  text(" 650.41 ", 182), text(" 987.65 ", 197)};
    EXPECT_EQ(slice(page, kHead + 4 * 16, 16), week5);
    EXPECT_EQ(slice(page, kHead, 2), (Items{text("0", 5), text(" 0 ", 17)}));
    EXPECT_EQ(slice(page, kHead + 51 * 16, 2), (Items{text("", 5), text(" 0 ", 17)}));

    const Items tail{text(std::string(291, '-'), 5),
                     endLine(),
                     text("TOTALS", 5),
                     text("123.45", 17),
                     text("61.20", 30),
                     text("14.31", 43),
                     text("40.00", 56),
                     text(".00", 69),
                     text("12.50", 82),
                     text(".00", 95),
                     text("5.00", 108),
                     text(".25", 121),
                     text("3.25", 134),
                     text("50.00", 145),
                     text("10.50", 156),
                     text("45.50", 172),
                     text("650.41", 182),
                     text("987.65", 197),
                     text("Total Tips: ", 56),
                     text("10.50"),
                     text("Total SDI: ", 95),
                     text("9.88"),
                     text("Total SUI: ", 121),
                     text("2.10"),
                     text("Total Cafeteria: ", 145),
                     text("25.00"),
                     endLine(),
                     endLine(),
                     size(6),
                     text("WAGEDESK 2005  Version  2.1.7", 5),
                     endLine()};
    EXPECT_EQ(slice(page, kHead + 52 * 16, kTail), tail);
}

TEST(YearReport, BiWeeklyReportOfTheDefaultProfileWithoutAHeading)
{
    YearReportInput in = input(kFalse);
    in.heading = {};
    in.CurrentUser = "";
    YearLedger empty;
    empty.rows[30].Fed = 9.f;  // beyond a bi-weekly year: not printed
    const legacy::TextPage page = yearReport(empty, in);

    // Empty heading lines are bare line ends.
    const Items head{font("Arial"),         size(10),  endLine(), endLine(),         text(""),
                     text("", 134),         endLine(), size(9),   text("Employee:"), text("", 17),
                     text("3/4/2005", 145), endLine(), size(8)};
    const std::size_t rowsStart = head.size() + 16;
    ASSERT_EQ(page.items().size(), rowsStart + 26 * 16 + kTail);
    EXPECT_EQ(slice(page, 0, head.size()), head);
    for (int i = 0; i < 26; ++i) {
        const Items row = slice(page, rowsStart + std::size_t(i) * 16, 16);
        ASSERT_EQ(row.size(), 16u);
        EXPECT_EQ(row[0], text("", 5)) << "row " << i;
        for (std::size_t k = 1; k < 16; ++k)
            EXPECT_EQ(row[k].text, " 0 ") << "row " << i << " column " << k;
    }
    const Items totals = slice(page, rowsStart + 26 * 16 + 2, 16);
    ASSERT_EQ(totals.size(), 16u);
    for (std::size_t k = 1; k < 16; ++k)
        EXPECT_EQ(totals[k].text, ".00") << k;
}
