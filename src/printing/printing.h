// What the main window asks of the pay stub, check and heading printouts.
#pragma once

class QPrinter;

namespace wagedesk::printing {

bool available();
// Prints the pay stub of the current result on the printer.
void PrintText(QPrinter &printer);
void showChecks();
void showHeader();
void unloadChecks();

} // namespace wagedesk::printing
