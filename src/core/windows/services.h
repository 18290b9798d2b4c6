// What the core's windows ask of the subsystems built on top of the core:
// the state, city and non-resident table editors, the year-to-date ledger,
// the overtime tracker and leave record, and the printouts. The core owns
// these interfaces and calls only them; the application installs each
// subsystem's implementation at start-up. A service not installed does
// what the program does without that subsystem: nothing, or what the core
// can do from its own store.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/paycalc.h"

namespace legacy {
class SaveBatch;
}

namespace wagedesk {

class SaveTransaction;

class TableEditors {
public:
    virtual ~TableEditors() = default;
    // Whether the editors are in the program (their menu items are enabled).
    virtual bool available() const { return false; }
    // Start-up: fills the store from the current profile's table files and
    // tells whether the state editor's Iowa switch is on.
    virtual bool iowaSwitchOn() { return false; }
    // Before a calculation, inside its save's transaction, which puts back
    // what it takes and unloads what it loads when the calculation is
    // refused; false (the user was told) when nothing may be computed.
    virtual bool loadEditorsForCalculation(SaveTransaction &save)
    {
        (void)save;
        return true;
    }
    // The calculation's steps that belong to the tables.
    virtual CalcEnvironment &calcEnvironment();
    virtual void unloadEditorsAfterCalculation() {}
    // The current profile's table files, from the store; a file that cannot
    // be written is reported and the save goes on. Given a batch, the file
    // is added to it and written with the rest of its save.
    virtual void SaveStateTables(legacy::SaveBatch *batch = nullptr) { (void)batch; }
    virtual void SaveCityTables(legacy::SaveBatch *batch = nullptr) { (void)batch; }
    virtual void SaveNonCityTables(legacy::SaveBatch *batch = nullptr) { (void)batch; }
    // Before a calculation loads anything: throws legacy::DamagedFileError
    // when a table file was found damaged and its copy could not be kept
    // (the loads would tell it again, and the save refuse it).
    virtual void checkDamagedTableFiles() {}
    // File Open and File New.
    virtual void openProfileTables() {}
    virtual void newProfileTables() {}
    virtual void unloadEditors() {}
    virtual void showStateEditor() {}
    virtual void showCityEditor() {}
    virtual void showNonCityEditor() {}
};

// The overtime tracker's boxes as the settings writer takes them: the
// values of the box texts, the rows of the layout (52 or 26).
struct OvertimeForSave {
    double annualSalary = 0, approvedPercent = 0;  // values of txtAnnual, txtApPercent
    double limit = 0, available = 0;               // OTLimit, OTAvailable
    std::array<std::string, 52> dates{};           // Text1
    std::array<double, 52> amounts{};              // values of txtOT
};

class Records {
public:
    virtual ~Records() = default;
    virtual bool available() const { return false; }
    // What the settings writer writes for the tracker, rows 52 or 26; the
    // store takes the rows. Throws BoxError for a box whose value the
    // settings files cannot hold. Without the tracker: the store's values
    // as the files held them (the empty amounts of the store become "0").
    virtual OvertimeForSave overtimeForSave(OvertimeStore &store, int rows);
    // After every reading of the settings files (LoadUserSettings), with
    // the tracker's store as it stood before the reading; refill for File
    // Open and Undo, which give an open tracker the files' values.
    virtual void settingsRead(const OvertimeStore &before, bool refill)
    {
        (void)before;
        (void)refill;
    }
    // File Open, in this order: openStarting() before the file dialog (the
    // profile open until now); after the profile's settings are read,
    // LoadYearToDate(), GetVac() and FillInOT(); openFailed() when the open
    // stops after it began reading, so the records are as at openStarting().
    virtual void openStarting() {}
    virtual void LoadYearToDate() {}
    // At start-up, once the default profile's settings are read: its year
    // file for its pay frequency into the year store, as File Open reads an
    // opened profile's, without showing the ledger, so the year's gross
    // counts from the first calculation. A missing file leaves the year
    // empty; a damaged one is reported and copied.
    virtual void readSavedYear() {}
    virtual void GetVac() {}
    virtual void FillInOT() {}
    virtual void openFailed() {}
    // The leave record's file, by the save-user Save and Make Default.
    // Throws legacy::FileAccessError when it cannot be written. Given a
    // batch, the file is added to it and written with the rest of its save.
    virtual void SaveVac(legacy::SaveBatch *batch = nullptr) { (void)batch; }
    // Make Default: the leave record of `profile` (the open window's, else
    // that profile's file) written under the current name, as SaveVac.
    virtual void SaveVacOf(const std::string &profile, legacy::SaveBatch *batch)
    {
        (void)profile;
        (void)batch;
    }
    // Keeps the records' own stores that a save may take boxes into (the
    // leave record) as they are now: the function returned puts them back,
    // for a save that is refused.
    virtual std::function<void()> keepStores() { return {}; }
    // Before a calculation loads anything: throws legacy::DamagedFileError
    // when the leave file was found damaged and its copy could not be kept.
    virtual void checkDamagedLeaveFile() {}
    // File New.
    virtual void clearForNewProfile() {}
    // Before File Exit, the main window's closing, File Open and File New:
    // a year-to-date ledger holding what its file does not is not let go
    // unasked (the ledger's own save question). False when its save was
    // refused (the user was told) or the question was let go unanswered:
    // the command stops.
    virtual bool settleYearToDate() { return true; }
    // Closes the tracker, the ledger windows and, when asked, the leave
    // record, without saving.
    virtual void closeWindows(bool alsoLeaveRecord) { (void)alsoLeaveRecord; }
    virtual void showYearToDate() {}
    virtual void showOvertime() {}
    virtual void showVacation() {}
};

class Printouts {
public:
    virtual ~Printouts() = default;
    virtual bool available() const { return false; }
    // The pay stub of the current result, on the current printer that the
    // command's dialog set up: reads the profile's files again, asks for the
    // printer once more and prints; tells the user why nothing was printed.
    virtual void PrintText() {}
    virtual void showChecks() {}
    virtual void showHeader() {}
    // Start-up: the print heading from its file, so that every printout
    // carries what the user saved.
    virtual void readHeading() {}
    virtual void unloadChecks() {}
};

// The services in use. Each is the core's own until the application
// installs another; installing nullptr puts the core's back.
TableEditors &tableEditors();
Records &records();
Printouts &printouts();
void installTableEditors(TableEditors *service);
void installRecords(Records *service);
void installPrintouts(Printouts *service);

}  // namespace wagedesk
