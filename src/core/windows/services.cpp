#include "core/windows/services.h"

#include "core/windows/profile.h"
#include "legacy/numerics.h"

namespace wagedesk {

CalcEnvironment &TableEditors::calcEnvironment()
{
    static CalcEnvironment none;
    return none;
}

OvertimeForSave Records::overtimeForSave(OvertimeStore &ot, int rows)
{
    OvertimeForSave out;
    // The values of the texts a tracker would show (seven digits), not the
    // 32-bit values widened: "48000.1" is written back as it was read.
    const auto shown = [](float v) { return legacy::val(legacy::floatToText(v)); };
    out.annualSalary = shown(ot.OTAnnualSalary);
    out.approvedPercent = shown(ot.OTApprovedPercent);
    out.limit = shown(ot.OTLimit);
    out.available = shown(ot.OTAvailable);
    for (int i = 0; i < rows; ++i) {
        try {
            out.amounts[i] = lenientDouble(ot.OTAmount[i]);
        } catch (const NumberError &e) {
            throw BoxError(QStringLiteral("Overtime, row %1").arg(i + 1), QString::fromStdString(e.text), e.problem);
        }
    }
    for (int i = 0; i < rows; ++i) {
        if (ot.OTAmount[i].empty())
            ot.OTAmount[i].push_back('0');  // not = "0": g++ 12 warns falsely (-Wrestrict)
        out.dates[i] = ot.OTDate[i];
    }
    return out;
}

namespace {

struct Installed {
    TableEditors ownTables;
    Records ownRecords;
    Printouts ownPrintouts;
    TableEditors *tables = &ownTables;
    Records *records = &ownRecords;
    Printouts *printouts = &ownPrintouts;
};

Installed &installed()
{
    static Installed s;
    return s;
}

}  // namespace

TableEditors &tableEditors() { return *installed().tables; }
Records &records() { return *installed().records; }
Printouts &printouts() { return *installed().printouts; }

void installTableEditors(TableEditors *service) { installed().tables = service ? service : &installed().ownTables; }
void installRecords(Records *service) { installed().records = service ? service : &installed().ownRecords; }
void installPrintouts(Printouts *service) { installed().printouts = service ? service : &installed().ownPrintouts; }

}  // namespace wagedesk
