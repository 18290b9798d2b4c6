// The program's one settings store. The windows read and write it and pass
// it, or the parts they need, to the computations and the files.
#pragma once

#include "core/state.h"

namespace wagedesk {

ProgramState &state();
// Back to the values at program start (tests).
void resetState();

}  // namespace wagedesk
