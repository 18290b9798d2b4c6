// The records' stores of the run, which the windows show and the files
// save: they outlive the windows (closing a window or changing the profile
// keeps them until the profile's files are read). The core reads the year's
// totals through its own small view, state().year.
#pragma once

#include "records/leave.h"
#include "records/year_store.h"

namespace wagedesk::payrecords {

YearLedger &yearLedger();
LeaveRecord &leaveRecord();

}  // namespace wagedesk::payrecords
