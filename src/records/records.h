// What the paycheck core asks of the year-to-date ledger, the overtime
// tracker and the leave record. Until they exist the year gross is 0 and
// the overtime rows are saved from the settings store as read.
#pragma once

#include <array>
#include <string>

namespace wagedesk::records {

bool available();

// The overtime tracker's boxes as the settings writer takes them.
struct OvertimeForSave {
    double annualSalary = 0, approvedPercent = 0;  // values of txtAnnual, txtApPercent
    double limit = 0, available = 0;               // from lbMax, lbAvail
    std::array<std::string, 52> dates{};
    std::array<std::string, 52> amounts{};         // "0" where empty
};
// Takes the tracker's rows into the store (empty amounts become "0") and
// returns what the settings writer writes. rows is 52 or 26.
OvertimeForSave overtimeForSave(int rows);
// After the settings files are read: shows the tracker's values.
void FillInOT();

void LoadYearToDate();
void GetVac();
void SaveVac();
// File New.
void clearForNewProfile();
// Closes the tracker, the ledger windows and the leave record without saving.
void closeWindows(bool alsoLeaveRecord);

void showYearToDate();
void showOvertime();
void showVacation();

} // namespace wagedesk::records
