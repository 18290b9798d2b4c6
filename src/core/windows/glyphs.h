// The pictures of the main window's picture buttons, drawn by the program
// itself: no image files to decode when the window is first built.
#pragma once

#include <QIcon>

namespace wagedesk {

enum class Glyph { Clear, Calculate, YearToDate, Overtime, Vacation, Print };

// A 32 by 32 picture of the button's command.
QIcon glyphIcon(Glyph glyph);

}  // namespace wagedesk
