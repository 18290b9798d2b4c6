// The vacation, holiday and sick record without its window: the record's
// fields, which outlive the window, the texts of the window's boxes and
// labels, the leave file (".hol") and the operations the window and the
// profile handling call. The window (DialogVac) reads its controls into
// LeaveTexts, calls one of these and writes the texts back. Standard
// library only.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace legacy {
class SaveBatch;
}

namespace wagedesk::payrecords {

inline constexpr const char *kLeaveExt = ".hol";
inline constexpr int kLeaveRows = 20;

// The profile name followed by ".hol", no folder; the empty name is the
// default profile's ".hol".
std::string leaveFileName(const std::string &user);

// One account's fields (VacBalance, VacStart, VacTaken(i), VacDate(i) for
// the vacation account, and so on).
struct LeaveAccount {
    float Balance = 0;  // as last saved or loaded
    float Start = 0;    // start balance
    std::array<float, kLeaveRows> Taken{};
    std::array<std::string, kLeaveRows> Date{};
    bool operator==(const LeaveAccount &) const = default;
};

// The record's fields: everything the leave file stores. Days are plain
// numbers, fractions and negative entries allowed.
struct LeaveRecord {
    LeaveAccount Vac, Hol, Sick;
    bool operator==(const LeaveRecord &) const = default;
};

// The texts of one account's frame: start box (txtVacBal, txtHolBal,
// txtSickBal), balance label (lbVacBal ...), days-taken boxes (txtVcnt,
// txtHcnt, txtScnt) and date boxes (txtVdate, txtHdate, txtSdate).
struct LeaveFrameTexts {
    std::string txtBal;
    std::string lbBal;
    std::array<std::string, kLeaveRows> txtCnt{};
    std::array<std::string, kLeaveRows> txtDate{};
};
struct LeaveTexts {
    LeaveFrameTexts Vac, Hol, Sick;
};

// --- The leave file ---
// 41 lines: the six balances and start balances (vacation, holiday, sick),
// twenty lines of the three days-taken values of a row, twenty lines of
// the three dates of a row. Numbers in single precision, texts in double
// quotes; a double quote inside a date is written as a single quote, since
// the format cannot hold it.

// Throws legacy::FileAccessError naming the file (legacy::FileTooLargeError
// when the dates would make it larger than the readers take); the old file
// then stays.
void writeLeaveFile(const std::filesystem::path &file, const LeaveRecord &record);
// All or nothing: throws legacy::FileFormatError naming the file when it is
// short or an item has the wrong kind (a text or a value beyond the
// single-precision range where a number stands), and then leaves the record
// as it was; legacy::FileAccessError when it cannot be read.
void readLeaveFile(const std::filesystem::path &file, LeaveRecord &record);

// --- Balances ---

// The number value of a start or days-taken box: its leading number, blanks
// anywhere skipped ("1 2" is 12, "1-2" is 1, "1.2.3" is 1.2), 0 when there
// is none. A value the single-precision fields cannot hold counts as 0,
// like a text that is not a number.
double leaveValue(std::string_view text);

// The balance an account's frame shows: the start box's value less the sum
// of the twenty days-taken values (summed in single precision), as a
// double's text ("7.90000009536743" for 10 less 2.1). Empty when the sum
// leaves the single-precision range.
std::string balanceText(const LeaveFrameTexts &frame);
// UpdateVacBalance, UpdateHolBalance, UpdateSickBalance: the label follows
// the boxes. The window calls it on every change of the start box or of a
// days-taken box of the frame.
void updateBalance(LeaveFrameTexts &frame);

// --- Operations of the window ---

// Reads the leave file into the fields when it can be opened (a missing
// file changes nothing), then shows the fields: each label its stored
// balance, each box its field; an account whose boxes changed by this shows
// its recomputed balance instead. Returns true when the file was read.
// A damaged or short file empties the record, shows it and then throws
// the legacy::FileFormatError naming the file, for the caller to report.
bool GetVac(LeaveRecord &fields, LeaveTexts &texts, const std::filesystem::path &file);

// The window's load on new, empty boxes: GetVac, the fields shown once
// more, and the three balances recomputed. Throws as GetVac does, after the
// load has finished.
void Form_Load(LeaveRecord &fields, LeaveTexts &texts, const std::filesystem::path &file);

// Takes the boxes and labels into the fields (values of the boxes, a
// label's text as a single-precision number: "7.90000009536743" is 7.9, a
// label without a number 0) and writes the leave file. Throws
// legacy::FileAccessError naming the file when it cannot be written: the
// save has then not happened and the old file is as it was. Given a batch,
// or called while one is made (legacy::SaveBatch::current()), the file is
// made and added to it, to be written with its save.
void SaveVac(LeaveRecord &fields, const LeaveTexts &texts, const std::filesystem::path &file,
             legacy::SaveBatch *batch = nullptr);

// Clear All and File New: every date empty, every days-taken box and start
// box "0", the fields 0 and empty, the balances "0". Writes nothing.
void clearVac(LeaveRecord &fields, LeaveTexts &texts);

}  // namespace wagedesk::payrecords
