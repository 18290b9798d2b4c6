// What the paycheck core asks of the pay stubs and checks, behind the
// core's wagedesk::Printouts: the pay stub, the check form, the heading.
#pragma once

#include "core/windows/services.h"

namespace wagedesk::printing {

// The printouts as the core's windows reach them; the application installs it.
Printouts &printoutsService();

// PrintCheck: the check with its two check stubs, from the check form's
// boxes (loading the form when it is closed), the offset dialog's boxes
// and the period last calculated, on the printer that prints without a
// dialog (platform::Ui::printerForPrinting). True when it was printed;
// otherwise the user was told why (an amount too large for words, a
// printer that failed), or cancelled the printer dialog.
bool PrintCheck();

}  // namespace wagedesk::printing
