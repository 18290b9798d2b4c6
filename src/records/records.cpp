#include "records/records.h"

#include "core/state.h"

namespace wagedesk::records {

bool available() { return false; }

OvertimeForSave overtimeForSave(int rows)
{
    OvertimeStore &ot = state().overtime;
    OvertimeForSave out;
    out.annualSalary = ot.OTAnnualSalary;
    out.approvedPercent = ot.OTApprovedPercent;
    out.limit = ot.OTLimit;
    out.available = ot.OTAvailable;
    for (int i = 0; i < rows; ++i) {
        if (ot.OTAmount[i].empty())
            ot.OTAmount[i].push_back('0');  // not = "0": g++ 12 warns falsely (-Wrestrict)
        out.dates[i] = ot.OTDate[i];
        out.amounts[i] = ot.OTAmount[i];
    }
    return out;
}

void FillInOT() {}
void LoadYearToDate() {}
void GetVac() {}
void SaveVac() {}
void clearForNewProfile() {}
void closeWindows(bool) {}
void showYearToDate() {}
void showOvertime() {}
void showVacation() {}

} // namespace wagedesk::records
