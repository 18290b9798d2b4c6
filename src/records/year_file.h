// The year-to-date file (.yrw for weekly pay, .yrb for bi-weekly): four
// lines per row (52 or 26 rows), then three lines of totals; no header or
// count. Its reader and writer, and the load and save steps of the ledger
// around them. Standard library only.
//
// Errors: legacy::FileAccessError (cannot be opened, written or replaced)
// and legacy::FileFormatError (ends early, an item of the wrong kind), each
// naming the file. The writer replaces the file whole, so a failed write
// leaves the old file as it was; the reader fills the store only when the
// whole file has read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "records/year_store.h"

namespace wagedesk::payrecords {

inline constexpr const char *kYearWeeklyExt = ".yrw";
inline constexpr const char *kYearBiWeeklyExt = ".yrb";

// CurrentUser followed by ".yrw" when WeeklyPay is True (-1), else ".yrb";
// the empty name gives the default profile's file. No folder.
std::string yearFileName(const std::string &currentUser, std::int16_t weeklyPay);

// Writes the active rows and the totals. Per row: the date and the SDI, SUI
// and cafeteria entries from the store, every other item the value of its
// grid cell (leading number of the text, 0 when there is none) in double
// precision. The totals as their seven-digit (single) or four-decimal
// (fixed point) values. Throws FileAccessError; legacy::OverflowError for a
// cell whose number is beyond the range of a double, before anything is
// written.
void writeYearFile(const std::filesystem::path &file, const YearLedger &ledger, const YearScreen &screen,
                   std::int16_t weeklyPay);

// Reads the active rows and the fifteen stored totals into the ledger; the
// other rows and the SDI, SUI and cafeteria totals keep their values. All or
// nothing: throws FileAccessError or FileFormatError and leaves the ledger
// as it was.
void readYearFile(const std::filesystem::path &file, YearLedger &ledger, std::int16_t weeklyPay);

// What a load found, for the window to report.
struct LoadResult {
    bool read = false;          // the file was there and has been read
    bool totalsFailed = false;  // the recomputation before the read failed: show kNonNumberMessage
    // A file that was there but could not be read: the message naming it.
    // The ledger then starts empty.
    std::optional<std::string> fileProblem;
};

// The load of the ledger: recompute the totals from the store as it stands
// (AddAnnual, shown in the totals boxes); read `file` when it can be opened
// (a missing file changes nothing; a damaged one is reported and the year
// starts empty, never half-read); then the active rows of the grid get the
// store as plain texts ("12.5", "0"). The totals boxes are not refreshed
// after the read. The window also sets the deduction headings to the
// profile's captions.
LoadResult LoadYearToDate(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file,
                          std::int16_t weeklyPay);

// LoadYearToDate, then the active rows of the grid get the store with
// "#####.00" (".00", "12.50").
LoadResult fillBoxes(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file, std::int16_t weeklyPay);

// The save of a close with Yes (after UpdateAndAdd): AddAnnual, then the
// file. False, with nothing written, when a number cannot be taken (show
// kNonNumberMessage). Throws FileAccessError when the file cannot be
// written; the old file stays whole.
[[nodiscard]] bool SaveAnnual(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file,
                              std::int16_t weeklyPay);

}  // namespace wagedesk::payrecords
