#include "records/year_report.h"

namespace wagedesk::payrecords {

namespace {

using legacy::Currency;

// Tab columns of the sixteen columns, left to right.
constexpr std::array<int, 16> kColumns{5, 17, 30, 43, 56, 69, 82, 95, 108, 121, 134, 145, 156, 172, 182, 197};

// The deduction captions are fixed, whatever the user named them.
constexpr std::array<const char *, 16> kCaptions{"Week", "Federal", "SS",   "MediCare", "State", "City",
                                                 "MCU",  "Bond",    "Dues", "Pension",  "Misc",  "KPlan",
                                                 "Tips", "OT",      "Net",  "Gross"};

std::string total(float value) { return legacy::format(value, kLedgerPattern); }
std::string total(Currency value) { return legacy::format(value, kLedgerPattern); }

}  // namespace

std::string reportAmount(float value)
{
    std::string text = legacy::floatToText(value);
    const bool negative = text.front() == '-';
    const std::size_t digits = negative ? 1 : 0;
    if (text.compare(digits, 2, "0.") == 0)
        text.erase(digits, 1);
    return (negative ? "" : " ") + text + " ";
}

legacy::TextPage yearReport(const YearLedger &ledger, const YearReportInput &in)
{
    legacy::TextPage page;
    page.setLandscape(true);
    page.fontName("Arial");
    page.fontSize(10);
    page.printLine(in.heading[0]);
    page.printLine(in.heading[1]);
    page.print(in.heading[2]);
    page.printLine(in.heading[3], 134);

    page.fontSize(9);
    page.print("Employee:");
    page.print(in.CurrentUser, 17);
    page.printLine(in.today, 145);

    // The caption, row and totals lines are not ended: each next line starts
    // left of the print position, which begins a new line.
    page.fontSize(8);
    for (std::size_t k = 0; k < kColumns.size(); ++k)
        page.print(kCaptions[k], kColumns[k]);

    const int rows = activeRows(in.WeeklyPay);
    for (int i = 0; i < rows; ++i) {
        const YearRow &r = ledger.rows[i];
        const std::array<float, 15> amounts{r.Fed, r.SS,   r.Medi,  r.State, r.City, r.Muni, r.Bond, r.Dues,
                                            r.Pen, r.Misc, r.Kplan, r.Tips,  r.OT,   r.Net,  r.Gross};
        page.print(r.Date, kColumns[0]);
        for (std::size_t k = 0; k < amounts.size(); ++k)
            page.print(reportAmount(amounts[k]), kColumns[k + 1]);
    }

    page.printLine(std::string(291, '-'), 5);

    const YearTotals &t = ledger.totals;
    const std::array<std::string, 15> totals{total(t.TotFed),  total(t.TotSS),   total(t.TotMedi),  total(t.TotState),
                                             total(t.TotCity), total(t.TotMuni), total(t.TotBond),  total(t.TotDues),
                                             total(t.TotPen),  total(t.TotMisc), total(t.TotKplan), total(t.TotTips),
                                             total(t.TotOT),   total(t.TotNet),  total(t.TotGross)};
    page.print("TOTALS", kColumns[0]);
    for (std::size_t k = 0; k < totals.size(); ++k)
        page.print(totals[k], kColumns[k + 1]);

    page.print("Total Tips: ", 56);
    page.print(total(t.TotTips));
    page.print("Total SDI: ", 95);
    page.print(total(t.TotSDI));
    page.print("Total SUI: ", 121);
    page.print(total(t.TotSUI));
    page.print("Total Cafeteria: ", 145);
    page.printLine(total(t.TotCafe));
    page.endLine();

    page.fontSize(6);
    page.printLine("WAGEDESK 2005  Version  " + std::to_string(in.major) + "." + std::to_string(in.minor) + "." +
                       std::to_string(in.revision),
                   5);
    return page;
}

}  // namespace wagedesk::payrecords
