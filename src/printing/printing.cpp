#include "printing/printing.h"

namespace wagedesk::printing {

bool available() { return false; }
void PrintText(QPrinter &) {}
void showChecks() {}
void showHeader() {}
void unloadChecks() {}

} // namespace wagedesk::printing
