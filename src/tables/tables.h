// What the paycheck core asks of the state, city and non-resident table
// editors. Until those editors exist the state and city tax are 0 and the
// table files are not written.
#pragma once

#include "core/paycalc.h"

namespace wagedesk::tables {

// Whether the editors are part of this build (their menu items are enabled).
bool available();

// Start-up: whether the state editor's Iowa switch is on (loads the editor).
bool iowaSwitchOn();

// The calculation's hooks into the editors (steps that read their switches
// and boxes), and the loading and unloading around it.
void loadEditorsForCalculation();
CalcEnvironment &calcEnvironment();
void unloadEditorsAfterCalculation();

// Profile handling.
void SaveStateTables();
void SaveCityTables();
void SaveNonCityTables();
void openProfileTables();   // File Open: state, city and non-resident tables
void newProfileTables();    // File New: the built-in tables
void unloadEditors();       // the save-user dialog's closing

// Menu commands.
void showStateEditor();
void showCityEditor();
void showNonCityEditor();

} // namespace wagedesk::tables
