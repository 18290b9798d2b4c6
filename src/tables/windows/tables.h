// What the paycheck core asks of the state, city and non-resident table
// editors (DialogState, DialogCity, DialogNonCity).
//
// The settings store holds the snapshot the editors took (fillVari, fillVar,
// fillVarib); the table files save and restore it. Outside a calculation an
// editor is loaded only while the user has it open (the non-resident editor
// also after its CANCEL, hidden): every profile change loads the editors to
// fill the store from the profile's files, or from the built-in tables when
// there are none, and unloads them again.
#pragma once

#include "core/paycalc.h"
#include "core/windows/services.h"
#include "tables/windows/editor_boxes.h"

namespace wagedesk::tables {

// The editors as the core's windows reach them; the application installs it.
TableEditors &editorService();

// Start-up: fills the store from the current profile's table files (or the
// built-in tables) and tells whether the state editor's Iowa switch is on.
bool iowaSwitchOn();

// Before a calculation, inside its save's transaction: loads the city and
// state editors. When the state editor is open its boxes are taken into the
// store first, so the figures computed are the figures saved; false (the
// user was told, and shown the box) when a box is not a number, or when a
// special state that is on cannot work with a count of the store: then
// nothing may be computed. A calculation refused after this unloads the
// editors it loaded; the transaction puts back what was taken.
bool loadEditorsForCalculation(SaveTransaction &save);
// The calculation's steps that read the state editor's switches and boxes.
CalcEnvironment &calcEnvironment();
// After a calculation: unloads the city and state editors.
void unloadEditorsAfterCalculation();

// The table files of the current profile, from the store. A file that
// cannot be written is reported (its old contents stay) and the caller goes
// on, or with RefuseTheSave the save is refused (writeTableFile). Given a
// batch, or called while one is made, the file is added to it and written
// with its save.
void SaveStateTables(legacy::SaveBatch *batch = nullptr, TableFileFailure failure = TableFileFailure::TellAndGoOn);
void SaveCityTables(legacy::SaveBatch *batch = nullptr, TableFileFailure failure = TableFileFailure::TellAndGoOn);
void SaveNonCityTables(legacy::SaveBatch *batch = nullptr, TableFileFailure failure = TableFileFailure::TellAndGoOn);
// Throws legacy::DamagedFileError when a table file was found damaged and
// its copy could not be kept.
void checkDamagedTableFiles();
// File Open: the opened profile's three table files into the store (the
// built-in tables for a file that is missing or damaged). Throws what the
// state editor's load cannot handle; the editors are unloaded then.
void openProfileTables();
// File New: the store holds the built-in tables and no switch of the
// previous profile is on.
void newProfileTables();
// The save-user dialog's closing, the main window's closing.
void unloadEditors();

// Menu commands.
void showStateEditor();
void showCityEditor();
void showNonCityEditor();

}  // namespace wagedesk::tables
