#include "records/windows/stores.h"

namespace wagedesk::payrecords {

YearLedger &yearLedger()
{
    static YearLedger ledger;
    return ledger;
}

LeaveRecord &leaveRecord()
{
    static LeaveRecord record;
    return record;
}

}  // namespace wagedesk::payrecords
