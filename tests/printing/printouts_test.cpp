// The pay stub and the check page, item by item, for one worked pay period,
// and the values both work out before printing.
#include "printing/printouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "legacy/numerics.h"
#include "legacy/textpage.h"
#include "page_items.h"

using namespace wagedesk;
using namespace wagedesk::printing;
using legacy::Currency;
using legacy::PageItem;

namespace {

using wdtest::endLine;
using wdtest::font;
using wdtest::Items;
using wdtest::size;
using wdtest::text;

void add(Items &items, std::initializer_list<PageItem> more) { items.insert(items.end(), more); }
void endLines(Items &items, int count) { items.insert(items.end(), std::size_t(count), endLine()); }

// The items from the first text item equal to `first`, `count` of them.
Items from(const legacy::TextPage &page, const PageItem &first, std::size_t count, std::size_t occurrence = 0)
{
    const Items &all = page.items();
    auto it = all.begin();
    for (std::size_t n = 0;; ++n, ++it) {
        it = std::find(it, all.end(), first);
        if (it == all.end())
            return {};
        if (n == occurrence)
            break;
    }
    if (std::size_t(all.end() - it) < count)
        return {};
    return Items(it, it + long(count));
}

const std::string kRule198(198, '-');

// A week of 40 regular hours at 12.50, 2 hours of double time, 3 at time
// and a half, 8 holiday hours, 4 vacation hours, 10 tip hours at 2.25 and a
// 25.50 adjustment, with the main window's labels as the calculation shows
// them.
PeriodSources period()
{
    PeriodSources s;
    s.txtAmount = {"40", "0", "2", "3", "8", "4", "25.5", "0"};
    s.txtWeek = "03/04/05";
    s.opt1x = false;
    s.lbTaxDed = {"61.20", "48.59", "11.36", "20.00", ".50", "12.50", ".00", "5.00", ".25", "3.25", "50.00"};
    s.lbSDI = "4.02";
    s.lbSUI = "1.05";
    s.lbCafe = "25.00";
    s.Label13 = "$804.25";
    s.lbTaxes = "$146.72";
    s.lbDeduct = "$96.00";
    s.lbNet = "$1,234.56";
    s.PayRate = 12.5f;
    s.OtHrs = 3.f;
    s.TipsHrs = 10.f;
    s.VacDys = 4.f;
    s.Avas = 8.f;
    s.StrPay = 500.f;
    s.StrPay2 = 0.f;
    s.Addit = Currency::fromRaw(255000);
    s.PayRate1 = 12.5f;
    s.PayRate2 = 0.f;
    s.TipsRate = 2.25f;
    s.TaxCaption = {"Credit Union", "Bonds", "Union Dues", "Pension", "Misc"};
    payrecords::YearTotals &t = s.totals;
    t.TotFed = 123.45f;
    t.TotSS = 61.2f;
    t.TotMedi = 14.31f;
    t.TotState = 40.f;
    t.TotCity = 0.5f;
    t.TotSDI = 9.88f;
    t.TotSUI = 2.1f;
    t.TotCafe = 25.f;
    t.TotMuni = 12.5f;
    t.TotBond = 0.f;
    t.TotDues = 5.f;
    t.TotPen = 0.25f;
    t.TotMisc = 3.25f;
    t.TotKplan = 50.f;
    t.TotTips = Currency::fromRaw(105000);
    s.txtTotNet = "1,987.65";
    s.txtTotGross = "1,650.41";
    return s;
}

PayStubHead head()
{
    PayStubHead h;
    h.heading = {"Acme Tools", "12 Main St", "Albany NY 12207", "ID 14-1234567"};
    h.CurrentUser = "staff1";
    h.txtUserSSnum = "123-45-6789";
    h.today = "3/4/2005";
    h.major = 2;
    h.minor = 1;
    h.revision = 7;
    return h;
}

CheckFace face()
{
    CheckFace f;
    f.txtCheckDate = "03/11/05";
    f.txtPayTo = "Jane Roe********";
    f.txtCheckAmt = "**1234.56";
    f.CheckWords = " One Thousand Two Hundred Thirty Four and 56/100";
    f.txtUserName = "Jane Roe";
    f.txtUserSSnum = "123-45-6789";
    f.txtUserAddress = "1 Elm St";
    f.txtUserState = "Albany NY 12207";
    f.txtMemo = "Week 10";
    return f;
}

// The check page of period() and face(), worked by hand: every column is
// the page's own column plus h.
Items expectedCheckPage(int h, int emptyLinesAbove)
{
    Items p{font("Arial"), size(11)};
    endLines(p, emptyLinesAbove);
    // Laid out as the printed page: one source line for each printed line.
    // clang-format off
    add(p, {text("03/11/05", h + 107), endLine(), endLine(), endLine(),
            text("Jane Roe********", h + 15), text("**1234.56", h + 102), endLine(), endLine(),
            text("***** One Thousand Two Hundred Thirty Four and 56/100*****", h + 5), endLine(), endLine(),
            text("Jane Roe", h + 15), text("123-45-6789", h + 75), endLine(),
            text("1 Elm St", h + 15), endLine(),
            text("Albany NY 12207", h + 15), endLine(), endLine(),
            text("Week 10", h + 10), endLine()});

    const int D = h + 5, R = h + 30, H = h + 45, E = h + 55, T = h + 65, C = h + 102, Y = h + 125;
    const auto stub = [&](int emptyLinesBeforeTotals) {
        add(p, {text("Jane Roe********", D), text("123-45-6789", H), text("For Week Ending: 03/04/05", T),
                text("03/11/05", Y), endLine(),
                text("Description", D), text("Rate", R), text("Hours", H), text("Earnings", E),
                text("Taxes/Deduct", T), text("Current", C), text("YTD", Y),
                text(kRule198, D), endLine(),
                text("Regular1 Earning", D), text("12.50", R), text("40.00", H), text("500.00", E),
                text("Federal Tax", T), text("61.20", C), text("123.45", Y), endLine(),
                text("Regular2 Earning", D), text(".00", R), text(".00", H), text(".00", E),
                text("Social Security Tax", T), text("48.59", C), text("61.20", Y), endLine(),
                text("O.T. 1x / 2x Earned", D), text("25.00", R), text("2.00", H), text("50.00", E),
                text("Medicare Tax", T), text("11.36", C), text("14.31", Y), endLine(),
                text("O.T. 1.5x Earned", D), text("18.75", R), text("3.00", H), text("56.25", E),
                text("State Tax", T), text("20.00", C), text("40.00", Y), endLine(),
                text("Holiday", D), text("12.50", R), text("8.00", H), text("100.00", E),
                text("City Tax", T), text(".50", C), text(".50", Y), endLine(),
                text("Vacation/Sick", D), text("12.50", R), text("4.00", H), text("50.00", E),
                text("State Disability Ins", T), text("4.02", C), text("9.88", Y), endLine(),
                text("Adjustment", D), text("25.50", R), text("", H), text("25.50", E),
                text("State Unemployment Ins", T), text("1.05", C), text("2.10", Y), endLine(),
                text("Tips", D), text("2.25", R), text("10.00", H), text("22.50", E),
                text("Credit Union", T), text("12.50", C), text("12.50", Y), endLine(),
                text("Bonds", T), text(".00", C), text(".00", Y), endLine(),
                text("Union Dues", T), text("5.00", C), text("5.00", Y), endLine(),
                text("Pension", T), text(".25", C), text(".25", Y), endLine(),
                text("Misc", T), text("3.25", C), text("3.25", Y), endLine(),
                text("K-Plan", T), text("50.00", C), text("50.00", Y), endLine(),
                text("Cafeteria Plan", T), text("25.00", C), text("25.00", Y), endLine()});
        endLines(p, emptyLinesBeforeTotals);
        add(p, {text("Earnings", R), text("Taxes", h + 50), text("Deductions", T), text("Net Pay", h + 85), endLine(),
                text("Current", D), text("804.25", R), text("146.72", h + 50), text("96.00", T),
                text("1234.56", h + 85),
                // The year's taxes count the cafeteria plan: 251.44 + 25.00.
                text("YTD", D), text("1987.65", R), text("276.44", h + 50), text("71.00", T),
                text("1650.41", h + 85)});
    };
    // clang-format on
    add(p, {font("Arial"), size(8)});
    endLines(p, 10);
    stub(2);
    add(p, {font("Arial"), size(8)});
    // The first ends the pending YTD line, seven are empty.
    endLines(p, 8);
    stub(1);
    return p;
}

}  // namespace

TEST(PrintoutValues, WorkedPeriod)
{
    const PrintoutValues v = workOut(period());
    EXPECT_EQ(v.multiplier, 2);
    EXPECT_EQ(v.otRate, 25.f);
    EXPECT_EQ(v.otEarnings, 50.f);
    EXPECT_EQ(v.halfRate, 18.75f);
    EXPECT_EQ(v.halfEarnings, 56.25f);
    EXPECT_EQ(v.holidayEarnings, 100.f);
    EXPECT_EQ(v.vacationEarnings, 50.f);
    EXPECT_EQ(v.MyTips, 22.5f);
    EXPECT_EQ(v.yearTaxes, 276.44f);
    EXPECT_EQ(v.yearDeductions, 71.f);
}

TEST(PrintoutValues, OvertimeAtOnceOrTwiceTheRate)
{
    PeriodSources s = period();
    s.PayRate = 7.5f;
    s.txtAmount[2] = "2.1";
    // The hours are read as a double and the product rounded once: a single
    // 2.1 would give 15.749999.
    s.opt1x = true;
    PrintoutValues v = workOut(s);
    EXPECT_EQ(v.multiplier, 1);
    EXPECT_EQ(v.otRate, 7.5f);
    EXPECT_EQ(v.otEarnings, 15.75f);
    s.opt1x = false;
    v = workOut(s);
    EXPECT_EQ(v.multiplier, 2);
    EXPECT_EQ(v.otRate, 15.f);
    EXPECT_EQ(v.otEarnings, 31.5f);
}

TEST(PrintoutValues, ProductsAreRoundedOnceToASingle)
{
    PeriodSources s = period();
    s.OtHrs = 0.2f;
    s.PayRate = 15.55f;
    const PrintoutValues v = workOut(s);
    EXPECT_EQ(v.halfRate, 23.325f);
    // Rounded after each step it would be 4.6650004.
    EXPECT_EQ(v.halfEarnings, 4.665f);
}

TEST(PrintoutValues, ProfileRateOfZeroLeavesTheFallBackRateToTheOthers)
{
    PeriodSources s = period();
    s.PayRate1 = 0.f;
    s.PayRate = 7.5f;
    s.opt1x = true;
    const PrintoutValues v = workOut(s);
    EXPECT_EQ(v.holidayEarnings, 0.f);
    EXPECT_EQ(v.vacationEarnings, 30.f);
    EXPECT_EQ(v.otRate, 7.5f);
    EXPECT_EQ(v.otEarnings, 15.f);
    EXPECT_EQ(v.halfRate, 11.25f);
    EXPECT_EQ(v.halfEarnings, 33.75f);
}

TEST(PrintoutValues, CafeteriaPlanCountsAmongTheYearTaxes)
{
    using T = payrecords::YearTotals;
    const struct {
        float T::*total;
        const char *name;
        bool tax;
    } cases[] = {
        {&T::TotFed, "TotFed", true},     {&T::TotSS, "TotSS", true},        {&T::TotMedi, "TotMedi", true},
        {&T::TotState, "TotState", true}, {&T::TotCity, "TotCity", true},    {&T::TotSDI, "TotSDI", true},
        {&T::TotSUI, "TotSUI", true},     {&T::TotCafe, "TotCafe", true},    {&T::TotMuni, "TotMuni", false},
        {&T::TotBond, "TotBond", false},  {&T::TotDues, "TotDues", false},   {&T::TotPen, "TotPen", false},
        {&T::TotMisc, "TotMisc", false},  {&T::TotKplan, "TotKplan", false},
    };
    for (const auto &c : cases) {
        PeriodSources s;
        s.txtAmount.fill("0");
        s.totals.*c.total = 3.5f;
        const PrintoutValues v = workOut(s);
        EXPECT_EQ(v.yearTaxes, c.tax ? 3.5f : 0.f) << c.name;
        EXPECT_EQ(v.yearDeductions, c.tax ? 0.f : 3.5f) << c.name;
    }
}

TEST(PrintoutValues, YearSumsAreRoundedOnce)
{
    PeriodSources s;
    s.txtAmount.fill("0");
    payrecords::YearTotals &t = s.totals;
    // Summed in single steps these give 659.57996 and 611.42004.
    t.TotSS = 47.59f;
    t.TotFed = 108.85f;
    t.TotMedi = 73.99f;
    t.TotState = 120.78f;
    t.TotCity = 125.14f;
    t.TotSDI = 13.11f;
    t.TotSUI = 2.63f;
    t.TotCafe = 167.49f;
    t.TotMuni = 55.9f;
    t.TotPen = 183.27f;
    t.TotBond = 153.15f;
    t.TotDues = 31.92f;
    t.TotMisc = 159.43f;
    t.TotKplan = 27.75f;
    const PrintoutValues v = workOut(s);
    EXPECT_EQ(v.yearTaxes, 659.58f);
    EXPECT_EQ(v.yearDeductions, 611.42f);
}

TEST(PrintoutValues, OvertimeBoxWithoutANumberCountsAsNoHours)
{
    PeriodSources s = period();
    for (const char *box : {".", "-", "   ", ""}) {
        s.txtAmount[2] = box;
        EXPECT_EQ(workOut(s).otEarnings, 0.f) << '"' << box << '"';
    }
    s.txtAmount[2] = " 2 ";
    EXPECT_EQ(workOut(s).otEarnings, 50.f);
    s.txtAmount[2] = "1e300";
    EXPECT_THROW(workOut(s), legacy::OverflowError);
}

TEST(PayStub, WorkedPeriodFromHeadingToLastRule)
{
    const PeriodSources s = period();
    const legacy::TextPage page = payStub(s, workOut(s), head());

    // Laid out as the printed page: one source line for each printed line.
    // clang-format off
    Items p{font("Arial"), size(11), endLine(),
            text("Acme Tools"), endLine(),
            text("12 Main St"), endLine(),
            text("Albany NY 12207"), text("ID 14-1234567", 85), endLine(),
            size(10),
            text(std::string(203, '-')), endLine(),
            text("Employee:"), text("staff1", 20), text("123-45-6789", 50), endLine(),
            endLine(),
            text("Date:", 5), text("3/4/2005", 15), text("For Week Ending: 03/04/05", 85), endLine(),
            endLine(),
            text("WAGEDESK 2005", 45), text("Version  2.1.7", 65), endLine()};
    endLines(p, 5);
    add(p, {text("Description", 5), text("Rate", 30), text("Hours", 50), text("Earnings", 65),
            text(kRule198, 5), endLine(),
            text("Regular1 Earning", 5), text("12.50", 30), text("40.00", 50), text("500.00", 65), endLine(),
            text("Regular2 Earning", 5), text(".00", 30), text(".00", 50), text(".00", 65), endLine(),
            text("O.T. 1x / 2x Earned", 5), text("25.00", 30), text("2.00", 50), text("50.00", 65), endLine(),
            text("O.T. 1.5x Earned", 5), text("18.75", 30), text("3.00", 50), text("56.25", 65), text("YTD", 85),
            endLine(),
            text("Tips", 5), text("2.25", 30), text("10.00", 50), text("22.50", 65), text("10.50", 85), endLine(),
            text("Holiday", 5), text("12.50", 30), text("8.00", 50), text("100.00", 65), endLine(),
            text("Vacation/Sick", 5), text("12.50", 30), text("4.00", 50), text("50.00", 65), endLine(),
            text("Adjustment", 5), text("25.50", 30), text("", 50), text("25.50", 65), endLine()});
    endLines(p, 7);
    add(p, {text("Taxes / Deductions", 65), text("Current", 100), text("YTD", 115),
            text(kRule198, 5), endLine(),
            text("Federal Tax", 65), text("61.20", 100), text("123.45", 115), endLine(),
            text("Social Security Tax", 65), text("48.59", 100), text("61.20", 115), endLine(),
            text("Medicare Tax", 65), text("11.36", 100), text("14.31", 115), endLine(),
            text("State Tax", 65), text("20.00", 100), text("40.00", 115), endLine(),
            text("City Tax", 65), text(".50", 100), text(".50", 115), endLine(),
            text("State Disability Ins", 65), text("4.02", 100), text("9.88", 115), endLine(),
            text("State Unemployment Ins", 65), text("1.05", 100), text("2.10", 115), endLine(),
            text("Credit Union", 65), text("12.50", 100), text("12.50", 115), endLine(),
            text("Bonds", 65), text(".00", 100), text(".00", 115), endLine(),
            text("Union Dues", 65), text("5.00", 100), text("5.00", 115), endLine(),
            text("Pension", 65), text(".25", 100), text(".25", 115), endLine(),
            text("Misc", 65), text("3.25", 100), text("3.25", 115), endLine(),
            text("K-Plan", 65), text("50.00", 100), text("50.00", 115), endLine(),
            text("Cafeteria Plan", 65), text("25.00", 100), text("25.00", 115), endLine()});
    endLines(p, 5);
    add(p, {text("Earnings", 30), text("Taxes", 50), text("Deductions", 65), text("Net Pay", 85),
            text("Period Ending", 100),
            text(kRule198, 5), endLine(),
            endLine(),
            text("Current", 5), text("804.25", 30), text("146.72", 50), text("96.00", 65), text("1234.56", 85),
            text("YTD", 5), text("1987.65", 30), text("276.44", 50), text("71.00", 65), text("1650.41", 85),
            text("03/04/05", 100),
            text(kRule198, 5)});
    // clang-format on
    EXPECT_EQ(page.items(), p);
    EXPECT_FALSE(page.landscape());
}

TEST(PayStub, ProfileRateOfZeroPrintsNoRateWhileEarningsUseTheFallBack)
{
    PeriodSources s = period();
    s.PayRate1 = 0.f;
    s.PayRate = 7.5f;
    s.StrPay = 300.f;
    s.opt1x = true;
    const legacy::TextPage page = payStub(s, workOut(s), head());
    EXPECT_EQ(from(page, text("Regular1 Earning", 5), 4),
              (Items{text("Regular1 Earning", 5), text(".00", 30), text("40.00", 50), text("300.00", 65)}));
    EXPECT_EQ(from(page, text("O.T. 1x / 2x Earned", 5), 4),
              (Items{text("O.T. 1x / 2x Earned", 5), text("7.50", 30), text("2.00", 50), text("15.00", 65)}));
    EXPECT_EQ(from(page, text("Holiday", 5), 4),
              (Items{text("Holiday", 5), text(".00", 30), text("8.00", 50), text(".00", 65)}));
    EXPECT_EQ(from(page, text("Vacation/Sick", 5), 4),
              (Items{text("Vacation/Sick", 5), text(".00", 30), text("4.00", 50), text("30.00", 65)}));
}

// Before any calculation the labels are empty and the profile may name no
// deductions: the amounts stay blank, the rest still prints.
TEST(Printouts, EmptyLabelsPrintNothingWhileTheRestPrints)
{
    PeriodSources s = period();
    s.lbTaxDed.fill("");
    s.lbSDI = s.lbSUI = s.lbCafe = "";
    s.Label13 = s.lbTaxes = s.lbDeduct = s.lbNet = "";
    s.TaxCaption.fill("");

    const legacy::TextPage stub = payStub(s, workOut(s), head());
    EXPECT_EQ(from(stub, text("Federal Tax", 65), 4),
              (Items{text("Federal Tax", 65), text("", 100), text("123.45", 115), endLine()}));
    EXPECT_EQ(from(stub, text("State Unemployment Ins", 65), 8),
              (Items{text("State Unemployment Ins", 65), text("", 100), text("2.10", 115), endLine(), text("", 65),
                     text("", 100), text("12.50", 115), endLine()}));
    EXPECT_EQ(from(stub, text("Cafeteria Plan", 65), 3),
              (Items{text("Cafeteria Plan", 65), text("", 100), text("25.00", 115)}));
    EXPECT_EQ(from(stub, text("Current", 5), 11),
              (Items{text("Current", 5), text("", 30), text("", 50), text("", 65), text("", 85), text("YTD", 5),
                     text("1987.65", 30), text("276.44", 50), text("71.00", 65), text("1650.41", 85),
                     text("03/04/05", 100)}));
    // Earnings rows do not read the labels.
    EXPECT_EQ(from(stub, text("Holiday", 5), 4),
              (Items{text("Holiday", 5), text("12.50", 30), text("8.00", 50), text("100.00", 65)}));

    const legacy::TextPage check = checkPage(s, workOut(s), face(), 0, 3);
    for (std::size_t copy = 0; copy < 2; ++copy) {
        EXPECT_EQ(from(check, text("Regular1 Earning", 5), 8, copy),
                  (Items{text("Regular1 Earning", 5), text("12.50", 30), text("40.00", 45), text("500.00", 55),
                         text("Federal Tax", 65), text("", 102), text("123.45", 125), endLine()}))
            << "copy " << copy;
        EXPECT_EQ(from(check, text("Tips", 5), 8, copy),
                  (Items{text("Tips", 5), text("2.25", 30), text("10.00", 45), text("22.50", 55), text("", 65),
                         text("", 102), text("12.50", 125), endLine()}))
            << "copy " << copy;
        EXPECT_EQ(from(check, text("Current", 5), 10, copy),
                  (Items{text("Current", 5), text("", 30), text("", 50), text("", 65), text("", 85), text("YTD", 5),
                         text("1987.65", 30), text("276.44", 50), text("71.00", 65), text("1650.41", 85)}))
            << "copy " << copy;
    }
}

TEST(Printouts, LabelsPrintAsTheNumberTheyHold)
{
    const struct {
        const char *label, *printed;
    } cases[] = {
        {"$1,234.56", "1234.56"}, {"1,234.56", "1234.56"}, {".50", ".50"}, {"0", ".00"},
        {"12.345", "12.35"},      {"-3.5", "-3.50"},       {"n/a", "n/a"}, {"", ""},
    };
    for (const auto &c : cases) {
        PeriodSources s = period();
        s.lbSUI = c.label;
        s.lbNet = c.label;
        const PrintoutValues v = workOut(s);
        const legacy::TextPage stub = payStub(s, v, head());
        EXPECT_EQ(from(stub, text("State Unemployment Ins", 65), 2).at(1), text(c.printed, 100)) << c.label;
        EXPECT_EQ(from(stub, text("Current", 5), 5).at(4), text(c.printed, 85)) << c.label;
        const legacy::TextPage check = checkPage(s, v, face(), 0, 3);
        EXPECT_EQ(from(check, text("State Unemployment Ins", 65), 2).at(1), text(c.printed, 102)) << c.label;
        EXPECT_EQ(from(check, text("Current", 5), 5).at(4), text(c.printed, 85)) << c.label;
    }
}

TEST(CheckPage, WorkedPeriodAtTheOffsets)
{
    const PeriodSources s = period();
    const PrintoutValues v = workOut(s);
    // The dialog's 0/0, +2/-1 and -5/0: h+5 is then column 0, printed at 1.
    const struct {
        std::int16_t h, v;
    } offsets[] = {{0, 3}, {2, 2}, {-5, 3}};
    for (const auto &o : offsets) {
        const legacy::TextPage page = checkPage(s, v, face(), o.h, o.v);
        EXPECT_EQ(page.items(), expectedCheckPage(o.h, o.v + 1)) << "h " << o.h << " v " << o.v;
        EXPECT_FALSE(page.landscape());
    }
}

TEST(CheckPage, EmptyLinesAboveTheCheck)
{
    const PeriodSources s = period();
    const PrintoutValues v = workOut(s);
    // The dialog's -5 to +5 give -2 to 8 lines.
    const struct {
        std::int16_t lines;
        int empty;
    } cases[] = {{8, 9}, {3, 4}, {0, 1}, {-1, 0}, {-2, 0}};
    for (const auto &c : cases) {
        const legacy::TextPage page = checkPage(s, v, face(), 0, c.lines);
        EXPECT_EQ(page.items(), expectedCheckPage(0, c.empty)) << c.lines;
    }
}
