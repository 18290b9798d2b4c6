// Check printing's values of the run, which outlive the windows: the words
// conversion's strings as the check form last built them, and the offsets
// in print units.
#pragma once

#include <cstdint>

#include "printing/check_words.h"

namespace wagedesk::printing {

struct CheckPrinting {
    CheckWordsState words;
    std::int16_t CheckHorzCols = 0;   // the horizontal offset in print columns
    std::int16_t CheckVertLines = 0;  // the vertical offset in lines, plus 3 once printed
};

CheckPrinting &checkPrinting();
// Back to the program's start (a new run, tests).
void resetCheckPrinting();

}  // namespace wagedesk::printing
