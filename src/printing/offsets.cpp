#include "printing/offsets.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "legacy/numerics.h"

namespace wagedesk::printing {

float readOffset(std::string_view text, std::string_view box)
{
    float value = 0;
    try {
        value = strictSingle(text);
    } catch (const NumberError &e) {
        throw OffsetError(numberMessage(box, e.problem, text));
    }
    // The whole steps the check is printed with come from the text itself.
    if (std::abs(legacy::roundHalfEven(legacy::toDouble(text))) > kOffsetLimit)
        throw OffsetError(std::string(box) + ": \"" + legacy::textForMessage(text) +
                          "\" is not an offset from -5 to +5.");
    return value;
}

std::int16_t wholeOffset(float stored)
{
    if (std::isnan(stored))
        return 0;
    const double limit = kOffsetLimit;
    return legacy::toInt16(std::clamp(legacy::roundHalfEven(stored), -limit, limit));
}

std::int16_t horizontalColumns(std::string_view text) { return legacy::toInt16(legacy::toDouble(text)); }

std::int16_t verticalLines(std::string_view text) { return legacy::toInt16(legacy::toDouble(text) + 3.0); }

}  // namespace wagedesk::printing
