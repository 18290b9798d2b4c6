// The printed year-to-date report: the print heading, the employee line,
// sixteen columns with one line per row of the year store, the totals and
// the version line, as a legacy::TextPage in landscape. It prints the store
// (as last taken from the grid), not the grid. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "legacy/textpage.h"
#include "records/year_store.h"

namespace wagedesk::payrecords {

// What the report reads besides the store.
struct YearReportInput {
    std::array<std::string, 4> heading;      // HeadingLine1 to HeadingLine4, empty until loaded
    std::string CurrentUser;                 // empty for the default profile
    std::int16_t WeeklyPay = kFalse;         // True (-1): 52 rows, else 26
    std::string today;                       // today's date in the system's short format
    int major = 0, minor = 0, revision = 0;  // the program's version
};

// The document, item by item: fonts, tab columns and texts.
legacy::TextPage yearReport(const YearLedger &ledger, const YearReportInput &input);

// A row amount as the report prints it: its plain text between a blank (or
// the minus sign) and a blank, no "0" before the point: " 12.5 ", " .25 ",
// "-.5 ", " 0 ".
std::string reportAmount(float value);

}  // namespace wagedesk::payrecords
