// The overtime tracker without its window: the texts of its boxes and
// labels, and the operations over them and the tracker's store
// (OvertimeStore, the tracker group of the settings store). The window
// (Form2) reads its controls into OvertimeTexts, calls one of these and
// writes the texts back. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/state.h"

namespace wagedesk::payrecords {

// The weekly layout uses rows 0 to 51, the bi-weekly layout rows 0 to 25;
// every row operation leaves the rows outside the layout alone.
enum class OvertimeLayout { Weekly, BiWeekly };
// Weekly when WeeklyPay is True (any non-zero value, as the settings files
// read it).
OvertimeLayout overtimeLayout(std::int16_t weeklyPay);
int rowCount(OvertimeLayout layout);

// The texts of the tracker window's boxes and labels, by control name.
struct OvertimeTexts {
    std::array<std::string, 52> Text1{};  // week-ending date of each row
    std::array<std::string, 52> txtOT{};  // overtime amount of each row
    std::string txtAnnual;                // annual salary
    std::string txtApPercent;             // approved percentage
    // Results.
    std::string lbEarned;    // overtime earned, "$#,###.#0"
    std::string txtPercent;  // present rate, "##.##%"
    std::string lbMax;       // limit, "$#,###.#0"
    std::string lbAvail;     // available, "$#,###.#0"
    bool operator==(const OvertimeTexts &) const = default;
};

// A message box for the window to show: exclamation icon, OK button.
struct OvertimeMessage {
    std::string title;
    std::string text;  // lines joined by CR LF
};

// Salary or percentage missing, not a number, or a salary of 0.
inline constexpr const char *kAttentionTitle = "Attention";
inline constexpr const char *kAttentionText = "Please enter amounts in\r\nAnnual Salary and\r\nApproved Percent Boxes.";
// A result that a single-precision value cannot hold.
inline constexpr const char *kOutOfRangeText = "These amounts are too large to add up.\r\nPlease check the boxes.";

// The number patterns of the results. "$#,###.#0": 1234.5 gives
// "$1,234.50", 0 "$.00", -50 "-$50.00". "##.##%": the value times 100 with
// at most two decimals and the point always shown: 0.1234 gives "12.34%",
// 0.05 "5.%", 0 ".%".
std::string dollarText(float value);
std::string percentText(float value);

// Loading the window: FillInOT, then every one of the 52 amount boxes that
// is empty gets "0", whatever the layout.
void Form_Load(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

// Salary and percentage boxes from the store (the salary box "15600" when
// the stored salary gives an empty text or 0; the store keeps its value),
// then the date and amount boxes of the layout's rows. Results untouched.
void FillInOT(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

// File New's reset: rows to an empty date and "0" (boxes and store), the
// salary box "11440" unless it holds another number, the percentage box
// "0", the store's salary 11440 and percentage, earned, rate, limit and
// available 0, the results shown.
void ClearAll(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

// TOTAL: empty amount boxes of the layout get "0"; earned, present rate,
// limit and available are computed into the store and shown; the salary
// and percentage go into the store, and so do the layout's rows the total
// was made from (as Back takes them). The files are not touched.
//
// When the salary or percentage box is empty or not a number, or the
// salary is 0, nothing changes and the "Attention" message comes back;
// when a result would lie beyond the single-precision range, nothing
// changes and the out-of-range message comes back. Otherwise no message.
std::optional<OvertimeMessage> cmdADD_Click(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

// Painting: the results TOTAL would show, shown, but never a message (a box
// left empty cannot bring it back at every repaint), and nothing stored or
// filled in: whether and when the desktop paints must not change what is
// kept or saved.
void Form_Paint(OvertimeTexts &texts, OvertimeLayout layout);

// New Week: the rows of the layout move up by one, the last row gets an
// empty date and "0". Boxes only: the store and the results stay.
void cmdAdvance_Click(OvertimeTexts &texts, OvertimeLayout layout);

// Back, and the window's close button: the date and amount boxes of the
// layout's rows go into the store as they stand (an empty amount stays
// empty), and with them the results of those rows, the salary and the
// percentage as TOTAL keeps them, when the boxes give a total (no message
// when they do not). The window then unloads.
void cmdClose_Click(OvertimeStore &store, const OvertimeTexts &texts, OvertimeLayout layout);

// Undo, after the window has had the saved settings re-read
// (wagedesk::LoadUserSettings, which ends with FillInOT): the rows of the
// layout from the store, and the salary and percentage boxes from the store
// without the "15600" default (a stored salary of 0 shows "0"). The layout
// is the one in effect after the re-read. Results untouched.
void showSavedOvertime(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

// What the settings writer takes from the tracker. Line 1 of the ".use"
// file: OTEarned, limit, available; line 2: annualSalary, approvedPercent,
// OTPresentRate; the overtime file: rows 0 to rows-1 of dates and amounts.
struct OvertimeForSettings {
    double annualSalary = 0, approvedPercent = 0;  // values of txtAnnual, txtApPercent
    double limit = 0, available = 0;               // OTLimit, OTAvailable
    int rows = 0;                                  // 52 or 26
    std::array<std::string, 52> dates{};           // Text1
    std::array<double, 52> amounts{};              // values of txtOT
};

// The settings writer's part in the tracker: every empty amount box of the
// layout gets "0" and the layout's rows go into OTDate and OTAmount; the
// result holds the values of the box texts as typed ("48000.1" stays
// 48000.1). The limit and available are the store's OTLimit and
// OTAvailable, kept with OTEarned, as their captions show them ("$2,340.00"
// is 2340): not the captions themselves, which a painting may have changed
// since.
// Throws legacy::OverflowError for a box whose value is beyond the range of
// a double, before anything changes.
OvertimeForSettings takeForSettings(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout);

}  // namespace wagedesk::payrecords
