// The profile's settings files (.use, .and, .cfe, .ovw/.ovb) and the saved
// pay-period files (.prv): their names, writers and readers. A writer puts
// its records into a legacy::SeqWriter (the path form writes the file
// whole: a temporary file renamed over the old one); a reader takes its
// items from a legacy::SeqReader and fills the store it is given only when
// the whole file has read, so a short or damaged file leaves the store as it
// was. Errors are legacy::FileAccessError / legacy::FileFormatError naming
// the file. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"
#include "legacy/seqfile.h"

namespace wagedesk {

// Extensions of the profile files.
inline constexpr const char *kUserSettingsExt = ".use";
inline constexpr const char *kUserDetailsExt = ".and";
inline constexpr const char *kCafeteriaExt = ".cfe";
inline constexpr const char *kOvertimeWeeklyExt = ".ovw";
inline constexpr const char *kOvertimeBiWeeklyExt = ".ovb";
inline constexpr const char *kPayPeriodExt = ".prv";

// Base name followed directly by the extension, no folder: the files lie in
// the current folder. The empty name gives the default profile (".use").
std::string profileFileName(const std::string &user, const char *ext);

// The overtime file and its row count follow the pay frequency.
inline const char *overtimeExtension(std::int16_t weeklyPay)
{
    return weeklyPay != kFalse ? kOvertimeWeeklyExt : kOvertimeBiWeeklyExt;
}
inline int overtimeRows(std::int16_t weeklyPay) { return weeklyPay != kFalse ? 52 : 26; }

// Why a name cannot be used as a file name. A profile name is a bare file
// name, never a path, so that a typed name cannot write outside the current
// folder.
enum class NameProblem {
    PathSeparator,     // contains "/" or "\"
    ControlCharacter,  // a character below 0x20, or 0x7F
    DotName,           // "." or ".."
    TooLong,           // its files' names would not fit the file system
};
// The longest name whose files, and the copies of them kept when one is
// found damaged ("NAME.use.damaged.999"), fit the file system.
inline constexpr std::size_t kLongestProfileName = legacy::kFileNameMax - 4 - legacy::kDamagedCopySuffixMax;
std::optional<NameProblem> classifyName(std::string_view name);
// Reason text for a message box ("it contains ...").
std::string nameProblemText(NameProblem problem);
// The reason a profile name is refused, or nothing when it is fine. The
// empty name (the default profile) is fine.
std::optional<std::string> profileNameProblem(std::string_view name);

// The copy of a damaged file kept beside it (legacy::keepDamagedCopy), or
// why none could be kept: made the moment the damage is found, so that the
// next save of the file cannot lose its bytes, and worded when it is told.
struct DamagedCopy {
    std::filesystem::path copy;  // absolute; empty when none could be kept
    std::string problem;         // why none could be kept
};
DamagedCopy keepCopyOf(const std::filesystem::path &file);
// The last line of the report: "A copy of it is kept as "NAME.damaged"."
// or "No copy of it could be kept: ... It will not be replaced until a
// copy of it can be kept." (no save replaces it meanwhile).
std::string copyLine(const DamagedCopy &copy);
// keepCopyOf, then copyLine: for a report made as the damage is found.
std::string damagedCopyLine(const std::filesystem::path &file);
// A file as a message names it: its name alone when it lies in the current
// folder, else its whole path.
std::string shownFile(const std::filesystem::path &file);

// A settings file found damaged, with its copy.
struct DamagedFile {
    legacy::FileFormatError error;
    DamagedCopy copy;
};

// A reading of the settings files found some of them damaged; each has
// its copy already.
class SettingsFilesDamaged : public std::runtime_error {
public:
    explicit SettingsFilesDamaged(std::vector<DamagedFile> damaged);
    std::vector<DamagedFile> files;
};

// A filing status as read from a file: every computation takes any text
// but "Single" as Married, so such a text is shown and stored as
// "Married". The texts the user information window's load makes "Single"
// (the empty text, and "0" for the state status) are left as they are.
std::string filingStatus(std::string text, bool stateStatus);

// --- Settings files ---

// Line 1: OTEarned, otLimit, otAvailable; line 2: annualSalary,
// approvedPercent, OTPresentRate rounded by "##.##"; lines 3-8 the user
// profile; lines 9-12 the sixteen reserved items, four a line.
void writeUserSettingsFile(legacy::SeqWriter &out, const ProfileSettings &profile, const OvertimeStore &overtime,
                           double annualSalary, double approvedPercent, double otLimit, double otAvailable);
void readUserSettingsFile(legacy::SeqReader &in, ProfileSettings &profile, OvertimeStore &overtime);
void writeUserSettingsFile(const std::filesystem::path &file, const ProfileSettings &profile,
                           const OvertimeStore &overtime, double annualSalary, double approvedPercent, double otLimit,
                           double otAvailable);
void readUserSettingsFile(const std::filesystem::path &file, ProfileSettings &profile, OvertimeStore &overtime);

// 9 lines: check offsets, state editor switches, employee identity, K-plan
// flags and the twelve reserved items.
void writeUserDetailsFile(legacy::SeqWriter &out, const ProfileSettings &profile);
void readUserDetailsFile(legacy::SeqReader &in, ProfileSettings &profile);
void writeUserDetailsFile(const std::filesystem::path &file, const ProfileSettings &profile);
void readUserDetailsFile(const std::filesystem::path &file, ProfileSettings &profile);

// 1 line: CafeteriaPlan, CafeDeductState, SelfEmployed.
void writeCafeteriaFile(legacy::SeqWriter &out, const ProfileSettings &profile);
void readCafeteriaFile(legacy::SeqReader &in, ProfileSettings &profile);
void writeCafeteriaFile(const std::filesystem::path &file, const ProfileSettings &profile);
void readCafeteriaFile(const std::filesystem::path &file, ProfileSettings &profile);

// Rows 0 to rows-1, two lines each: the date text, then the amount. The
// reader takes both as text into OTDate/OTAmount; rows past `rows` keep
// their values. rows is at most 52 (and at most the spans' sizes).
void writeOvertimeFile(legacy::SeqWriter &out, std::span<const std::string> dates, std::span<const double> amounts,
                       int rows);
void readOvertimeFile(legacy::SeqReader &in, OvertimeStore &overtime, int rows);
void writeOvertimeFile(const std::filesystem::path &file, std::span<const std::string> dates,
                       std::span<const double> amounts, int rows);
void readOvertimeFile(const std::filesystem::path &file, OvertimeStore &overtime, int rows);

// The settings of a profile none of whose files has been read: what File
// New starts from, and what File Open keeps for whatever the opened
// profile's files do not give, so nothing of another profile is carried
// over. DefaultPayRate is the program's fallback rate, 7.5.
ProfileSettings newProfileSettings();
// The store of such a profile named `user`: its settings, empty tables (the
// editors take the built-in ones), no overtime and no year; the federal
// tables and the print heading, which belong to no profile, stay.
ProgramState newProfileState(const ProgramState &current, std::string user);

// The four settings files of a profile into the store, each tested and
// read on its own (only when it exists; the overtime file of the frequency
// the settings file gives, or the store's when that file did not read). A
// damaged file costs only its own values, which keep what they held; it is
// kept as a copy at once and comes back in the list, in reading order.
std::vector<DamagedFile> readSettingsFiles(const std::string &user, ProfileSettings &profile, OvertimeStore &overtime);

// --- Saved pay periods ---

// Pay date with every "/" turned into "_", two blanks, the profile name,
// ".prv": "01/07/05" and "staff1" give "01_07_05  staff1.prv".
std::string payPeriodFileName(const std::string &payDateText, const std::string &user);
// The eight entry amounts, one 32-bit float a line.
void writePayPeriodFile(legacy::SeqWriter &out, const std::array<float, 8> &amounts);
std::array<float, 8> readPayPeriodFile(legacy::SeqReader &in);
void writePayPeriodFile(const std::filesystem::path &file, const std::array<float, 8> &amounts);
std::array<float, 8> readPayPeriodFile(const std::filesystem::path &file);
// The pay date back from a .prv file title: its first eight characters with
// every "_" turned into "/".
std::string payDateFromFileTitle(const std::string &title);

}  // namespace wagedesk
