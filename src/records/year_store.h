// The year-to-date ledger's store: one row per pay period of the year (index
// i holds week number i + 1) and the column totals, and the texts that the
// ledger's two windows show for them. The windows keep no numbers of their
// own: they copy these texts into their cells and boxes and back.
// Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/state.h"
#include "legacy/numerics.h"

namespace wagedesk::payrecords {

inline constexpr int kYearRows = 52;

// The stored frequency flag decides the rows the file, the totals and the
// grid fill use: 52 when WeeklyPay is True (-1), 26 for any other value.
int activeRows(std::int16_t weeklyPay);

// One pay period. Amounts are single precision, in dollars.
struct YearRow {
    std::string Date;  // the pay date text as it stood when pasted
    float Fed = 0, SS = 0, Medi = 0, State = 0, City = 0;
    float Muni = 0, Bond = 0, Dues = 0, Pen = 0, Misc = 0;  // the five user-named deductions
    float Kplan = 0, OT = 0, Tips = 0, Gross = 0, Net = 0;
    float SDI = 0, SUI = 0, Cafe = 0;  // no grid cell: kept in the store and the file only
    bool operator==(const YearRow &) const = default;
};

// The column totals. Overtime, gross, net and tips are fixed point.
struct YearTotals {
    float TotFed = 0, TotSS = 0, TotMedi = 0, TotState = 0, TotCity = 0;
    float TotMuni = 0, TotBond = 0, TotDues = 0, TotPen = 0, TotMisc = 0;
    float TotKplan = 0;
    legacy::Currency TotOT, TotGross, TotNet, TotTips;
    float TotSDI = 0, TotSUI = 0, TotCafe = 0;  // not stored in the file
    bool operator==(const YearTotals &) const = default;
};

// The year store: all 52 rows, whatever the frequency (a bi-weekly year
// keeps, but does not use, rows 26 to 51), and the totals.
struct YearLedger {
    std::array<YearRow, kYearRows> rows{};
    YearTotals totals;
    bool operator==(const YearLedger &) const = default;
};

// One grid row as the grid window holds it, named as its controls, left to
// right on screen. The pay cells are named against their content.
struct YearCells {
    std::string txtDate, txtFed, txtSS, txtMedi, txtState, txtCity;
    std::string txtMuni, txtBond, txtDues, txtPen, txtMisc, txtKplan;
    std::string txtTips, txtOT;
    std::string txtGross;  // net pay, under "Net"
    std::string txtNet;    // gross pay, under "Gross"
    bool operator==(const YearCells &) const = default;
};

// The totals window's eighteen boxes, named as its controls.
struct YearTotBoxes {
    std::string txtTotFed, txtTotSS, txtTotMedi, txtTotState, txtTotCity;
    std::string txtTotMuni, txtTotBond, txtTotDues, txtTotPen, txtTotMisc, txtTotKplan;
    std::string txtTotOT;
    std::string txtTotGross;  // net total, under "Net"
    std::string txtTotNet;    // gross total, under "Gross"
    std::string txtTotCafe, txtTotSdi, txtTotSui, txtTotTips;
    bool operator==(const YearTotBoxes &) const = default;
};

// What the grid and the totals window show.
struct YearScreen {
    std::array<YearCells, kYearRows> rows{};
    YearTotBoxes totals;
    bool operator==(const YearScreen &) const = default;
};

// The fifteen amount columns of the grid: store field and grid cell, in
// screen order (the date cell is apart, SDI, SUI and cafeteria have none).
struct AmountColumn {
    float YearRow::*value;
    std::string YearCells::*cell;
};
inline constexpr std::array<AmountColumn, 15> kAmountColumns{{
    {&YearRow::Fed, &YearCells::txtFed},
    {&YearRow::SS, &YearCells::txtSS},
    {&YearRow::Medi, &YearCells::txtMedi},
    {&YearRow::State, &YearCells::txtState},
    {&YearRow::City, &YearCells::txtCity},
    {&YearRow::Muni, &YearCells::txtMuni},
    {&YearRow::Bond, &YearCells::txtBond},
    {&YearRow::Dues, &YearCells::txtDues},
    {&YearRow::Pen, &YearCells::txtPen},
    {&YearRow::Misc, &YearCells::txtMisc},
    {&YearRow::Kplan, &YearCells::txtKplan},
    {&YearRow::Tips, &YearCells::txtTips},
    {&YearRow::OT, &YearCells::txtOT},
    {&YearRow::Net, &YearCells::txtGross},
    {&YearRow::Gross, &YearCells::txtNet},
}};

// The pattern of the ledger's cells and totals: ".00" for 0, no grouping.
inline constexpr const char *kLedgerPattern = "#####.00";

// A row as the grid window's load shows it: the date unchanged, each amount
// as its plain text ("12.5", "0").
YearCells plainCells(const YearRow &row);
// A row as fillBoxes and a paste show it: amounts with "#####.00" (".00").
YearCells formattedCells(const YearRow &row);
// The totals as the totals window's load shows them: plain texts, the
// fixed-point totals with up to four decimals.
YearTotBoxes plainTotals(const YearTotals &totals);
// The totals as every recomputation shows them: "#####.00".
YearTotBoxes formattedTotals(const YearTotals &totals);

}  // namespace wagedesk::payrecords
