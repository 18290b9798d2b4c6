// What the paycheck core asks of the pay-period records: the year-to-date
// ledger, the overtime tracker and the leave record, behind the core's
// wagedesk::Records.
//
// The records belong to the profile that is open. File Open of another
// profile starts the ledger and the leave record empty where that profile
// has no file of its own; File New empties them. Reopening the profile that
// is open keeps what they hold when a file is missing.
#pragma once

#include "core/windows/services.h"

namespace wagedesk::payrecords {

// The records as the core's windows reach them; the application installs it.
Records &recordsService();

// Back to the program's start: the year store and the leave record empty,
// nothing remembered of a File Open.
void resetRecords();

// GetVac: the leave record read again from the current profile's ".hol"
// into its fields and its window, which is loaded hidden when it is closed.
// A damaged file is reported and the record starts empty. With
// keepOpenWindow (the pay stub) an open window keeps what the user typed,
// for the next save to write; File Open shows the file.
void reloadLeaveRecord(bool keepOpenWindow = false);

// SaveVac: the leave record's boxes (of the window, or of its load when the
// window is closed) into its fields and the current profile's ".hol".
// Throws legacy::FileAccessError naming the file when it cannot be written.
// A damaged file met by the load is reported; the record then starts empty.
// Given a batch, the file is added to it and written with its save. Given
// `from`, a closed window's load reads that profile's ".hol" in place of
// the current profile's (Make Default writes the profile's record under the
// default name).
void saveLeaveRecord(legacy::SaveBatch *batch = nullptr, const std::string *from = nullptr);

}  // namespace wagedesk::payrecords
