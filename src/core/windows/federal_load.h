// LoadFederalTables: the federal table file read for the program, with the
// user's message when the file cannot be used.
#pragma once

#include <filesystem>

#include "core/state.h"

namespace wagedesk {

// Finds and reads the file into state.federal (whole, replacing what was
// there) and returns true. A missing, unreadable or damaged file is told to
// the user in one message box and leaves the tables and TaxVersion as they
// were; the result is then false.
bool LoadFederalTables(ProgramState &state, const std::filesystem::path &programFolder);

}  // namespace wagedesk
