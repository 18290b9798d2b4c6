// The check's printer offsets: a horizontal offset in print columns and a
// vertical one in printed lines, each a whole step from -5 to +5, as the
// offset dialog reads them from its boxes and check printing uses them.
// Standard library only.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wagedesk::printing {

inline constexpr int kOffsetLimit = 5;

// An offset box whose text is not a number, or whose offset lies outside
// -5 to +5 once rounded to a whole step.
class OffsetError : public std::runtime_error {
public:
    explicit OffsetError(std::string message) : std::runtime_error(std::move(message)) {}
};

// The offset a box's text gives (Apply, Print Check): the text converted to
// a single-precision number, a leading sign accepted ("+5" is 5). A typed
// 2.5 is kept as 2.5; it counts as the step 2 (half to even). Throws
// OffsetError naming the box.
float readOffset(std::string_view text, std::string_view box);

// The offset's whole steps for the dialog's boxes: rounded half to even. A
// stored value outside -5 to +5 (a hand-edited file) shows as the nearer
// end, so no load breaks on it.
std::int16_t wholeOffset(float stored);

// Check printing's print units from the box texts, which readOffset has
// accepted: CheckHorzCols the horizontal text rounded half to even,
// CheckVertLines the vertical text plus 3, rounded the same way.
std::int16_t horizontalColumns(std::string_view text);
std::int16_t verticalLines(std::string_view text);

}  // namespace wagedesk::printing
