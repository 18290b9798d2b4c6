// The profile's settings as the windows hold them: the one settings writer
// (SaveOT) and the one reader (LoadUserSettings), and the strict readings of
// the boxes with the messages that name them.
#pragma once

#include <QString>

#include <stdexcept>
#include <string>

#include "core/numbers.h"

class QLineEdit;
class QComboBox;

namespace legacy {
class SaveBatch;
}

namespace wagedesk {

// A box whose text is not a number where one is required, or one too large
// for the value it goes to.
class BoxError : public std::runtime_error {
public:
    BoxError(const QString &box, const QString &text, NumberProblem problem = NumberProblem::NotANumber);
    QString message() const;  // for the message box, naming the box
    QString box, text;
    NumberProblem problem;
};

// A profile name that cannot be used as a file name.
class NameError : public std::runtime_error {
public:
    NameError(const std::string &name, const std::string &reason);
    QString message() const;
    std::string name, reason;
};

// The readings of core/numbers.h for a box; label names it in the message.
float strictFloat(const QLineEdit *box, const QString &label);
std::int16_t strictInt16(const QComboBox *box, const QString &label);
float lenientFloat(const QLineEdit *box, const QString &label);
double lenientValue(const QLineEdit *box, const QString &label);

// Throws NameError for a name that is not a plain file name.
void checkProfileName(const std::string &name);

// The settings writer: takes the name from the save-user dialog, the rates
// from the user information window, the overtime rows from the tracker, and
// writes the .use, .and, .cfe and overtime files, all four or none. Throws
// BoxError, NameError or legacy::FileError. Given a batch, or called while
// one is made (legacy::SaveBatch::current(), a save's transaction), the
// files are made and added to it, and written with the rest of its save.
void SaveOT(legacy::SaveBatch *batch = nullptr);
// Before a calculation loads anything: throws legacy::DamagedFileError when
// one of the current profile's settings files was found damaged and still
// has no copy (legacy::keepCopyOrRefuse), whatever the save would write:
// the loads would tell it again, and the save refuse it. Reads and changes
// nothing else.
void checkDamagedSettingsFiles();

// The settings reader: reads the profile's four files (each only when it
// exists, each on its own) and shows the values. A damaged file costs only
// its own values: the others are read and shown, then SettingsFilesDamaged
// reports it (its copy is kept already).
// How a reading of the settings files treats the overtime tracker's store.
enum class SettingsRead {
    // The re-reads of the windows' loads, in a calculation, a save or a
    // printout: values the user put into the tracker since the files were
    // last read or written stay, and an open tracker keeps what it shows.
    KeepTracker,
    // The tracker's Undo: the tracker takes the files' values.
    Refill,
    // File Open: as Refill, but a profile with a damaged settings file is
    // not taken at all: SettingsFilesDamaged comes before anything changes.
    Open,
};
void LoadUserSettings(SettingsRead read = SettingsRead::KeepTracker);

// A message for an error of the profile commands, naming the file or box.
QString describeError(const std::exception &error);

}  // namespace wagedesk
