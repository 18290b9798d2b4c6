#include "records/records.h"

#include "core/state.h"
#include "legacy/numerics.h"

namespace wagedesk::records {

bool available() { return false; }

OvertimeForSave overtimeForSave(int rows)
{
    OvertimeStore &ot = state().overtime;
    OvertimeForSave out;
    // The values of the texts a tracker would show (seven digits), not the
    // 32-bit values widened: "48000.1" is written back as it was read.
    const auto shown = [](float v) { return legacy::val(legacy::floatToText(v)); };
    out.annualSalary = shown(ot.OTAnnualSalary);
    out.approvedPercent = shown(ot.OTApprovedPercent);
    out.limit = shown(ot.OTLimit);
    out.available = shown(ot.OTAvailable);
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
