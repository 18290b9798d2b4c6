// The pay stub and the check page with its two check stubs, as
// legacy::TextPage documents: fonts, tab columns, texts and line ends.
// Standard library only: the windows gather what the pages read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "legacy/numerics.h"
#include "legacy/textpage.h"
#include "records/year_store.h"

namespace wagedesk::printing {

// What both printouts read of the pay period: the main window's entries,
// option and result labels as they stand, its values from the last
// calculation, the profile's rates and deduction names, and the year.
struct PeriodSources {
    std::array<std::string, 8> txtAmount;  // empty boxes already "0"
    std::string txtWeek;
    bool opt1x = true;
    std::array<std::string, 11> lbTaxDed;
    std::string lbSDI, lbSUI, lbCafe;
    std::string Label13, lbTaxes, lbDeduct, lbNet;
    // The main window's values of the last calculation.
    float PayRate = 0, OtHrs = 0, TipsHrs = 0, VacDys = 0, Avas = 0, StrPay = 0, StrPay2 = 0;
    legacy::Currency Addit;
    // The profile's.
    float PayRate1 = 0, PayRate2 = 0, TipsRate = 0;
    std::array<std::string, 5> TaxCaption;  // TaxCaption5 to TaxCaption9
    // The year totals in memory, and the totals window's two pay boxes.
    payrecords::YearTotals totals;
    std::string txtTotNet;    // the year's gross pay
    std::string txtTotGross;  // the year's net pay
};

// The values both printouts work out before printing, single precision
// (each product or sum rounded once, when it is stored).
struct PrintoutValues {
    int multiplier = 1;                    // O.T. 1x/2x: 1 when opt1x is selected, else 2
    float otRate = 0, otEarnings = 0;      // O.T. 1x/2x
    float halfRate = 0, halfEarnings = 0;  // O.T. 1.5x
    float holidayEarnings = 0;             // the profile's rate 1, without the fall-back
    float vacationEarnings = 0;
    float MyTips = 0;     // the tips earnings
    float yearTaxes = 0;  // the year's taxes, the cafeteria plan among them
    float yearDeductions = 0;
};

// The O.T. 1x/2x hours are the text of txtAmount(2) converted strictly; a
// text the entry box lets through but that is no number ("." or "-")
// counts as 0. Throws legacy::OverflowError for an amount beyond a single.
PrintoutValues workOut(const PeriodSources &sources);

// What the pay stub prints besides the period.
struct PayStubHead {
    std::array<std::string, 4> heading;  // the print heading in memory
    std::string CurrentUser;             // the profile name
    std::string txtUserSSnum;            // the check form's box
    std::string today;                   // the system date, short format
    int major = 0, minor = 0, revision = 0;
};

// PayStub: the heading, the employee, the dates and version, the earnings
// rows, the taxes and deductions with their year amounts and the summary.
legacy::TextPage payStub(const PeriodSources &sources, const PrintoutValues &values, const PayStubHead &head);

// The check form's boxes as check printing reads them, and the words.
struct CheckFace {
    std::string txtCheckDate, txtPayTo, txtCheckAmt;
    std::string CheckWords;  // as the check form last built them, not its words box
    std::string txtUserName, txtUserSSnum, txtUserAddress, txtUserState, txtMemo;
};

// CheckPage: the check, moved right by CheckHorzCols columns and starting
// below CheckVertLines + 1 empty lines, then two check stubs; all on one
// sheet.
legacy::TextPage checkPage(const PeriodSources &sources, const PrintoutValues &values, const CheckFace &face,
                           std::int16_t CheckHorzCols, std::int16_t CheckVertLines);

}  // namespace wagedesk::printing
