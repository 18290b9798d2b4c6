// Program set-up shared by the program, its tests and the tools.
#pragma once

namespace wagedesk {

// Defines every window of the program in the form registry.
void defineForms();

} // namespace wagedesk
