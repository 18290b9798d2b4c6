#include "tables/tables.h"

namespace wagedesk::tables {

bool available() { return false; }
bool iowaSwitchOn() { return false; }
void loadEditorsForCalculation() {}
CalcEnvironment &calcEnvironment()
{
    static CalcEnvironment none;
    return none;
}
void unloadEditorsAfterCalculation() {}
void SaveStateTables() {}
void SaveCityTables() {}
void SaveNonCityTables() {}
void openProfileTables() {}
void newProfileTables() {}
void unloadEditors() {}
void showStateEditor() {}
void showCityEditor() {}
void showNonCityEditor() {}

} // namespace wagedesk::tables
