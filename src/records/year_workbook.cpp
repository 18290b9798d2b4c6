#include "records/year_workbook.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace wagedesk::payrecords {

namespace {

// Cells by (row, column), so a later write to a cell replaces the earlier.
using Cells = std::map<std::pair<int, int>, SheetCell>;

SheetCell &cellAt(Cells &cells, int row, int column)
{
    SheetCell &c = cells[{row, column}];
    c.row = row;
    c.column = column;
    return c;
}

void put(Cells &cells, int row, int column, std::string text, bool amount = false)
{
    SheetCell &c = cellAt(cells, row, column);
    c.text = std::move(text);
    c.amount = amount;
}

void font(Cells &cells, int row, int column, bool bold, FontColour colour)
{
    SheetCell &c = cellAt(cells, row, column);
    if (bold)
        c.bold = true;
    c.colour = colour;
}

// Grid cells in sheet column order A to P.
constexpr std::array<std::string YearCells::*, 16> kGridColumns{
    &YearCells::txtDate,  &YearCells::txtFed,  &YearCells::txtSS,    &YearCells::txtMedi,
    &YearCells::txtState, &YearCells::txtCity, &YearCells::txtMuni,  &YearCells::txtBond,
    &YearCells::txtDues,  &YearCells::txtPen,  &YearCells::txtMisc,  &YearCells::txtKplan,
    &YearCells::txtTips,  &YearCells::txtOT,   &YearCells::txtGross, &YearCells::txtNet};

// Total boxes in sheet column order B to P (A holds the label).
constexpr std::array<std::string YearTotBoxes::*, 15> kTotalColumns{
    &YearTotBoxes::txtTotFed,  &YearTotBoxes::txtTotSS,    &YearTotBoxes::txtTotMedi,  &YearTotBoxes::txtTotState,
    &YearTotBoxes::txtTotCity, &YearTotBoxes::txtTotMuni,  &YearTotBoxes::txtTotBond,  &YearTotBoxes::txtTotDues,
    &YearTotBoxes::txtTotPen,  &YearTotBoxes::txtTotMisc,  &YearTotBoxes::txtTotKplan, &YearTotBoxes::txtTotTips,
    &YearTotBoxes::txtTotOT,   &YearTotBoxes::txtTotGross, &YearTotBoxes::txtTotNet};

struct Layout {
    int rows;             // grid rows written
    int totalsRow;        // sheet row of the totals
    int blockCaptionRow;  // the SDI, SUI, cafeteria and tips block
    int blockColumns;     // columns coloured in the block rows
};
constexpr Layout kWeekly{52, 54, 56, 7};
constexpr Layout kBiWeekly{26, 28, 31, 6};

void writeLayout(Cells &cells, const YearScreen &screen, const Layout &layout)
{
    // Column A holds the date, which a deleted row shows as "0": text, as
    // on screen; the other columns hold amounts.
    for (int i = 0; i < layout.rows; ++i)
        for (std::size_t k = 0; k < kGridColumns.size(); ++k)
            put(cells, i + 2, int(k) + 1, screen.rows[i].*kGridColumns[k], k > 0);

    put(cells, layout.totalsRow, 1, "TOTALS=");
    for (std::size_t k = 0; k < kTotalColumns.size(); ++k)
        put(cells, layout.totalsRow, int(k) + 2, screen.totals.*kTotalColumns[k], true);

    const YearTotBoxes &t = screen.totals;
    const int captionRow = layout.blockCaptionRow, valueRow = layout.blockCaptionRow + 1;
    put(cells, captionRow, 3, "SDI");
    put(cells, captionRow, 4, "SUI");
    put(cells, captionRow, 5, "Cafe");
    put(cells, captionRow, 6, "Tips");
    put(cells, valueRow, 3, t.txtTotSdi, true);
    put(cells, valueRow, 4, t.txtTotSui, true);
    put(cells, valueRow, 5, t.txtTotCafe, true);
    put(cells, valueRow, 6, t.txtTotTips, true);

    for (int k = 1; k <= 16; ++k) {
        font(cells, 1, k, true, FontColour::Red);
        font(cells, layout.totalsRow, k, true, FontColour::Blue);
    }
    for (int k = 1; k <= layout.blockColumns; ++k) {
        font(cells, captionRow, k, true, FontColour::Red);
        font(cells, valueRow, k, false, FontColour::Blue);
    }
}

}  // namespace

const SheetCell *YearSheet::at(std::string_view address) const
{
    auto found = std::find_if(cells.begin(), cells.end(),
                              [&](const SheetCell &c) { return cellAddress(c.row, c.column) == address; });
    return found == cells.end() ? nullptr : &*found;
}

std::string cellAddress(int row, int column)
{
    std::string letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters + std::to_string(row);
}

YearSheet yearWorkbook(const YearScreen &screen, const std::string &currentUser, const ProfileSettings &profile)
{
    YearSheet sheet;
    Cells cells;

    const std::array<std::string, 16> headers{"Date",
                                              "Federal",
                                              "Soc Sec",
                                              "Medicare",
                                              "State",
                                              "City",
                                              profile.TaxCaption[5],
                                              profile.TaxCaption[6],
                                              profile.TaxCaption[7],
                                              profile.TaxCaption[8],
                                              profile.TaxCaption[9],
                                              "Kplan",
                                              "Tips",
                                              "OT",
                                              "Net",
                                              "Gross"};
    for (std::size_t k = 0; k < headers.size(); ++k)
        put(cells, 1, int(k) + 1, headers[k]);

    // Both tests are made; the frequency options keep exactly one True.
    // Each layout freezes the header row.
    if (profile.WeeklyPay == kTrue) {
        writeLayout(cells, screen, kWeekly);
        sheet.frozenRows = 1;
    }
    if (profile.BiWeeklyPay == kTrue) {
        writeLayout(cells, screen, kBiWeekly);
        sheet.frozenRows = 1;
    }

    for (auto &entry : cells)
        sheet.cells.push_back(std::move(entry.second));

    sheet.title = "File: " + currentUser + "   " + profile.EmployeeSSN;
    sheet.page.leftFooter = currentUser + "    " + profile.EmployeeSSN;
    sheet.page.centerFooter = "Wagedesk 2005\u00ae";
    return sheet;
}

std::string workbookFileName(const std::string &currentUser)
{
    return currentUser.empty() ? std::string("Year To Date.xlsx") : currentUser + " Year To Date.xlsx";
}

}  // namespace wagedesk::payrecords
