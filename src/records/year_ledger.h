// Keeping the ledger's three views in step: the grid and totals window
// (YearScreen), the year store (YearLedger); pasting, deleting and clearing
// rows. Each operation either completes or, when a number cannot be taken
// or added, returns false and changes neither the store nor the screen; the
// window then shows kNonNumberMessage (OK button, the program's title) and
// goes on as before: a close does not save, a paste leaves the row as it
// was. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/year_store.h"

namespace wagedesk::payrecords {

inline constexpr const char *kNonNumberMessage = "CHECK YOUR ENTRY FOR NON NUMBER TYPE";

// The two places the ledger takes the pay frequency from: the stored flag
// WeeklyPay (totals, file, fill, Clear All) and the user information
// window's live Weekly option optWeek (the rows Update reads).
struct PayFrequency {
    std::int16_t WeeklyPay = kFalse;
    bool optWeek = false;
};

// Recomputes all eighteen totals from the store: the single-precision
// columns rounded to seven significant digits after every addition, the
// overtime, tips, gross and net columns in fixed point, each over the
// active rows of WeeklyPay; SDI, SUI and cafeteria over all 52 rows. On
// success the totals window's boxes get the totals with "#####.00". False
// when a sum leaves the range of its type (a tips cell of 1E20, say).
[[nodiscard]] bool AddAnnual(YearLedger &ledger, YearScreen &screen, std::int16_t weeklyPay);

// Takes the grid's rows (52 when optWeek, else 26) and the totals window's
// boxes into the store, each number by its value (leading number of the
// text, 0 when there is none: letters count as 0). The SDI, SUI and
// cafeteria entries and totals are left alone. False when a value is beyond
// the range of its type.
[[nodiscard]] bool Update(YearLedger &ledger, const YearScreen &screen, bool optWeek);

// Update, then AddAnnual, as one step: the Add menu, and what a close with
// Yes runs before it saves.
[[nodiscard]] bool UpdateAndAdd(YearLedger &ledger, YearScreen &screen, PayFrequency frequency);

// What a calculation left in the main window, as a paste reads it.
struct PastePeriod {
    std::string txtWeek;                   // the pay date text
    std::array<std::string, 11> lbTaxDed;  // "#,###.00" label texts, 0 federal .. 10 K plan
    std::string lbSDI, lbSUI, lbCafe;      // label texts
    float TotalOt = 0, TotalTips = 0;      // the main window's public values
    float GrossPay = 0, NetPay = 0;
};

// Pastes the period into grid row `row` (0 to 51): the date unchanged, each
// label amount that is a number reformatted with "#####.00" (a label that is
// not one, such as an empty label, copied as it stands), overtime, tips,
// gross and net formatted with "#####.00"; the SDI, SUI and cafeteria
// amounts, rounded to cents, into the store's row. Then UpdateAndAdd.
// Throws std::out_of_range for a row outside 0 to 51.
[[nodiscard]] bool PasteMe(YearLedger &ledger, YearScreen &screen, int row, const PastePeriod &period,
                           PayFrequency frequency);

// Sets the sixteen cells of the row, the date included, to "0" and its SDI,
// SUI and cafeteria entries to 0, then UpdateAndAdd. Throws
// std::out_of_range for a row outside 0 to 51.
[[nodiscard]] bool DeleteRow(YearLedger &ledger, YearScreen &screen, int row, PayFrequency frequency);

// Clear All (also File New): every cell of the rows of WeeklyPay to "0";
// the SDI, SUI and cafeteria entries of all 52 rows and their totals and
// the tips total to 0, their boxes to "0"; then UpdateAndAdd. The
// year-to-date file is not touched.
[[nodiscard]] bool ClearAll(YearLedger &ledger, YearScreen &screen, PayFrequency frequency);

}  // namespace wagedesk::payrecords
