// The year-to-date workbook: the ledger as shown on screen (the grid cells
// and the totals boxes, typed values included) laid out as one sheet, with
// the fonts, frozen header row, page setup and title the workbook writer
// applies. The amount cells are written as numbers where their texts show
// numbers; every other cell (dates, headings, labels) keeps its text as
// shown. Standard library only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"
#include "records/year_store.h"

namespace wagedesk::payrecords {

enum class FontColour { Default, Red, Blue };

struct SheetCell {
    int row = 0;     // from 1
    int column = 0;  // from 1 (column A)
    std::string text;
    bool amount = false;  // an amount column of a data row, of the totals or of the block
    bool bold = false;
    FontColour colour = FontColour::Default;
    bool operator==(const SheetCell &) const = default;
};

struct SheetPageSetup {
    bool landscape = true;
    std::string centerHeader, leftFooter, centerFooter;
    int fitToPagesWide = 1, fitToPagesTall = 1;  // the zoom is off: fit to one page
    double topMargin = 0, headerMargin = 0, bottomMargin = 0, footerMargin = 0, leftMargin = 0, rightMargin = 0;
    bool centerHorizontally = true, centerVertically = false;
    bool operator==(const SheetPageSetup &) const = default;
};

struct YearSheet {
    // Ordered by row, then column; one entry per cell. A cell may carry a
    // font with an empty text (the block's uncaptioned columns).
    std::vector<SheetCell> cells;
    int frozenRows = 0;  // rows kept in view when scrolling (the header row)
    bool autoFitColumns = true;
    SheetPageSetup page;
    std::string title;  // "File: <profile>   <SSN>", the workbook's title

    // The cell at an address such as "B54", or nullptr when none was made.
    const SheetCell *at(std::string_view address) const;
};

// "A1" style address of a cell (row and column from 1).
std::string cellAddress(int row, int column);

// The sheet for the grid and totals texts. Reads the profile's deduction
// captions (TaxCaption 5 to 9), EmployeeSSN, WeeklyPay and BiWeeklyPay: 52
// data rows when WeeklyPay is True (-1), 26 when BiWeeklyPay is, only the
// header row when neither.
YearSheet yearWorkbook(const YearScreen &screen, const std::string &currentUser, const ProfileSettings &profile);

// "<profile> Year To Date.xlsx"; "Year To Date.xlsx" for the default profile.
std::string workbookFileName(const std::string &currentUser);

}  // namespace wagedesk::payrecords
