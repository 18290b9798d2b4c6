#include "printing/printouts.h"

#include "legacy/numerics.h"

namespace wagedesk::printing {

namespace {

using legacy::TextPage;

constexpr const char *kRatePattern = "###.00";      // rates and hours
constexpr const char *kAmountPattern = "#####.00";  // every amount

std::string rate(float value) { return legacy::format(value, kRatePattern); }
std::string rate(const std::string &text) { return legacy::formatText(text, kRatePattern); }
std::string amount(float value) { return legacy::format(value, kAmountPattern); }
std::string amount(legacy::Currency value) { return legacy::format(value, kAmountPattern); }
std::string amount(const std::string &text) { return legacy::formatText(text, kAmountPattern); }

// The entry box's hours; a text that holds no number reads 0.
double strictHours(const std::string &text)
{
    try {
        return legacy::toDouble(text);
    } catch (const legacy::NumberFormatError &) {
        return 0;
    }
}

// One earnings row of either printout: description, rate, hours, earnings.
struct EarningsRow {
    const char *description;
    std::string rate, hours, earnings;
};

// The earnings rows in the pay stub's order; the check stub puts tips last.
std::array<EarningsRow, 8> earningsRows(const PeriodSources &s, const PrintoutValues &v)
{
    return {{
        {"Regular1 Earning", rate(s.PayRate1), rate(s.txtAmount[0]), amount(s.StrPay)},
        {"Regular2 Earning", rate(s.PayRate2), rate(s.txtAmount[1]), amount(s.StrPay2)},
        {"O.T. 1x / 2x Earned", rate(v.otRate), rate(s.txtAmount[2]), amount(v.otEarnings)},
        {"O.T. 1.5x Earned", rate(v.halfRate), rate(s.txtAmount[3]), amount(v.halfEarnings)},
        {"Tips", rate(s.TipsRate), rate(s.TipsHrs), amount(v.MyTips)},
        {"Holiday", rate(s.PayRate1), rate(s.txtAmount[4]), amount(v.holidayEarnings)},
        {"Vacation/Sick", rate(s.PayRate1), rate(s.txtAmount[5]), amount(v.vacationEarnings)},
        // The dollar amount as typed stands in the rate column; no hours.
        {"Adjustment", rate(s.txtAmount[6]), std::string(), amount(s.Addit)},
    }};
}
constexpr std::size_t kTipsRow = 4;

// One tax or deduction row: its name, the current label and the year total.
struct TaxRow {
    std::string name, current, year;
};

std::array<TaxRow, 14> taxRows(const PeriodSources &s)
{
    const payrecords::YearTotals &t = s.totals;
    return {{
        {"Federal Tax", amount(s.lbTaxDed[0]), amount(t.TotFed)},
        {"Social Security Tax", amount(s.lbTaxDed[1]), amount(t.TotSS)},
        {"Medicare Tax", amount(s.lbTaxDed[2]), amount(t.TotMedi)},
        {"State Tax", amount(s.lbTaxDed[3]), amount(t.TotState)},
        {"City Tax", amount(s.lbTaxDed[4]), amount(t.TotCity)},
        {"State Disability Ins", amount(s.lbSDI), amount(t.TotSDI)},
        {"State Unemployment Ins", amount(s.lbSUI), amount(t.TotSUI)},
        {s.TaxCaption[0], amount(s.lbTaxDed[5]), amount(t.TotMuni)},
        {s.TaxCaption[1], amount(s.lbTaxDed[6]), amount(t.TotBond)},
        {s.TaxCaption[2], amount(s.lbTaxDed[7]), amount(t.TotDues)},
        {s.TaxCaption[3], amount(s.lbTaxDed[8]), amount(t.TotPen)},
        {s.TaxCaption[4], amount(s.lbTaxDed[9]), amount(t.TotMisc)},
        {"K-Plan", amount(s.lbTaxDed[10]), amount(t.TotKplan)},
        {"Cafeteria Plan", amount(s.lbCafe), amount(t.TotCafe)},
    }};
}

// The summary's two rows: earnings, taxes, deductions and net pay.
struct Summary {
    std::array<std::string, 4> current, year;
};

Summary summary(const PeriodSources &s, const PrintoutValues &v)
{
    return {{amount(s.Label13), amount(s.lbTaxes), amount(s.lbDeduct), amount(s.lbNet)},
            {amount(s.txtTotNet), amount(v.yearTaxes), amount(v.yearDeductions), amount(s.txtTotGross)}};
}

void endLines(TextPage &page, int count)
{
    for (int i = 0; i < count; ++i)
        page.endLine();
}

}  // namespace

PrintoutValues workOut(const PeriodSources &s)
{
    using legacy::toSingle;
    PrintoutValues v;
    v.multiplier = s.opt1x ? 1 : 2;
    v.otRate = toSingle(v.multiplier * double(s.PayRate));
    v.otEarnings = toSingle(strictHours(s.txtAmount[2]) * double(v.otRate));
    v.halfRate = toSingle(double(s.PayRate) * 1.5);
    v.halfEarnings = toSingle(double(s.OtHrs) * 1.5 * double(s.PayRate));
    v.holidayEarnings = toSingle(double(s.PayRate1) * double(s.Avas));
    v.vacationEarnings = toSingle(double(s.VacDys) * double(s.PayRate));
    v.MyTips = toSingle(double(s.TipsRate) * double(s.TipsHrs));
    const payrecords::YearTotals &t = s.totals;
    v.yearTaxes = toSingle(double(t.TotSS) + t.TotFed + t.TotMedi + t.TotState + t.TotCity + t.TotSDI + t.TotSUI +
                           t.TotCafe);
    v.yearDeductions = toSingle(double(t.TotMuni) + t.TotPen + t.TotBond + t.TotDues + t.TotMisc + t.TotKplan);
    return v;
}

legacy::TextPage payStub(const PeriodSources &s, const PrintoutValues &v, const PayStubHead &head)
{
    TextPage page;
    page.fontName("Arial");
    page.fontSize(11);
    page.endLine();
    page.printLine(head.heading[0]);
    page.printLine(head.heading[1]);
    page.print(head.heading[2]);
    page.printLine(head.heading[3], 85);

    page.fontSize(10);
    page.printLine(std::string(203, '-'));
    page.print("Employee:");
    page.print(head.CurrentUser, 20);
    page.printLine(head.txtUserSSnum, 50);
    page.endLine();
    page.print("Date:", 5);
    page.print(head.today, 15);
    page.printLine("For Week Ending: " + s.txtWeek, 85);
    page.endLine();
    page.print("WAGEDESK 2005", 45);
    page.printLine("Version  " + std::to_string(head.major) + "." + std::to_string(head.minor) + "." +
                       std::to_string(head.revision),
                   65);
    endLines(page, 5);

    // Headings are not ended: the rule below them starts left of the print
    // position, which begins its line.
    page.print("Description", 5);
    page.print("Rate", 30);
    page.print("Hours", 50);
    page.print("Earnings", 65);
    page.printLine(std::string(198, '-'), 5);
    const auto earnings = earningsRows(s, v);
    for (std::size_t k = 0; k < earnings.size(); ++k) {
        const EarningsRow &row = earnings[k];
        page.print(row.description, 5);
        page.print(row.rate, 30);
        page.print(row.hours, 50);
        page.print(row.earnings, 65);
        // The year's tips, headed by the "YTD" of the row above them.
        if (k == kTipsRow - 1)
            page.print("YTD", 85);
        if (k == kTipsRow)
            page.print(amount(s.totals.TotTips), 85);
        page.endLine();
    }
    endLines(page, 7);

    page.print("Taxes / Deductions", 65);
    page.print("Current", 100);
    page.print("YTD", 115);
    page.printLine(std::string(198, '-'), 5);
    for (const TaxRow &row : taxRows(s)) {
        page.print(row.name, 65);
        page.print(row.current, 100);
        page.printLine(row.year, 115);
    }
    endLines(page, 5);

    page.print("Earnings", 30);
    page.print("Taxes", 50);
    page.print("Deductions", 65);
    page.print("Net Pay", 85);
    page.print("Period Ending", 100);
    page.printLine(std::string(198, '-'), 5);
    page.endLine();
    // The year row and the last rule each start a new line by their column.
    const Summary sum = summary(s, v);
    constexpr std::array<int, 4> kSummaryColumns{30, 50, 65, 85};
    page.print("Current", 5);
    for (std::size_t k = 0; k < 4; ++k)
        page.print(sum.current[k], kSummaryColumns[k]);
    page.print("YTD", 5);
    for (std::size_t k = 0; k < 4; ++k)
        page.print(sum.year[k], kSummaryColumns[k]);
    page.print(s.txtWeek, 100);
    page.print(std::string(198, '-'), 5);
    return page;
}

legacy::TextPage checkPage(const PeriodSources &s, const PrintoutValues &v, const CheckFace &face,
                           std::int16_t CheckHorzCols, std::int16_t CheckVertLines)
{
    // Every column moves with the horizontal offset.
    const auto at = [h = int(CheckHorzCols)](int column) { return h + column; };
    TextPage page;
    // The check and its stubs are printed on one pre-printed sheet: a second
    // sheet would be spent and the stubs would miss theirs.
    page.setOneSheet(true);
    page.fontName("Arial");
    page.fontSize(11);
    for (int i = 0; i <= CheckVertLines; ++i)
        page.endLine();

    page.printLine(face.txtCheckDate, at(107));
    endLines(page, 2);
    page.print(face.txtPayTo, at(15));
    page.printLine(face.txtCheckAmt, at(102));
    page.endLine();
    page.printLine("*****" + face.CheckWords + "*****", at(5));
    page.endLine();
    page.print(face.txtUserName, at(15));
    page.printLine(face.txtUserSSnum, at(75));
    page.printLine(face.txtUserAddress, at(15));
    page.printLine(face.txtUserState, at(15));
    page.endLine();
    page.printLine(face.txtMemo, at(10));

    const int D = at(5), R = at(30), H = at(45), E = at(55), T = at(65), C = at(102), Y = at(125);
    const auto earnings = earningsRows(s, v);
    const auto taxes = taxRows(s);
    const Summary sum = summary(s, v);
    // The check stub; its "YTD" line is left for the next line end.
    const auto stub = [&](int emptyLinesBeforeTotals) {
        page.print(face.txtPayTo, D);
        page.print(face.txtUserSSnum, H);
        page.print("For Week Ending: " + s.txtWeek, T);
        page.printLine(face.txtCheckDate, Y);

        page.print("Description", D);
        page.print("Rate", R);
        page.print("Hours", H);
        page.print("Earnings", E);
        page.print("Taxes/Deduct", T);
        page.print("Current", C);
        page.print("YTD", Y);
        page.printLine(std::string(198, '-'), D);

        // Tips come last of the earnings here.
        constexpr std::array<std::size_t, 8> kOrder{0, 1, 2, 3, 5, 6, 7, kTipsRow};
        for (std::size_t k = 0; k < taxes.size(); ++k) {
            if (k < kOrder.size()) {
                const EarningsRow &row = earnings[kOrder[k]];
                page.print(row.description, D);
                page.print(row.rate, R);
                page.print(row.hours, H);
                page.print(row.earnings, E);
            }
            page.print(taxes[k].name, T);
            page.print(taxes[k].current, C);
            page.printLine(taxes[k].year, Y);
        }
        endLines(page, emptyLinesBeforeTotals);

        page.print("Earnings", R);
        page.print("Taxes", at(50));
        page.print("Deductions", T);
        page.printLine("Net Pay", at(85));
        const std::array<int, 4> columns{R, at(50), T, at(85)};
        page.print("Current", D);
        for (std::size_t k = 0; k < 4; ++k)
            page.print(sum.current[k], columns[k]);
        page.print("YTD", D);
        for (std::size_t k = 0; k < 4; ++k)
            page.print(sum.year[k], columns[k]);
    };

    page.fontName("Arial");
    page.fontSize(8);
    endLines(page, 10);
    stub(2);
    page.fontName("Arial");
    page.fontSize(8);
    endLines(page, 8);
    stub(1);
    return page;
}

}  // namespace wagedesk::printing
