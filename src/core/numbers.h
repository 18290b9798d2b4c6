// Numbers read from the texts the user types: one reading for every box,
// which tells a text that is not a number from one too large for the value
// it goes to, so every message can say which.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "legacy/numerics.h"

namespace wagedesk {

enum class NumberProblem { NotANumber, TooLarge };

class NumberError : public std::runtime_error {
public:
    NumberError(NumberProblem problem, std::string text);
    NumberProblem problem;
    std::string text;  // the whole text as typed
};

// The whole text one number (legacy::toDouble's rules), held by a 32-bit
// float, a 16-bit integer or currency.
float strictSingle(std::string_view text);
std::int16_t strictInt16(std::string_view text);
legacy::Currency strictCurrency(std::string_view text);
// The leading number of the text, 0 when there is none (legacy::val's
// rules); only a number too large for a 32-bit float fails.
float lenientSingle(std::string_view text);
double lenientDouble(std::string_view text);

// "<name>: "<text>" is not a number." or "<name>: "<text>" is too large.",
// the text cut short when it is long.
std::string numberMessage(std::string_view name, NumberProblem problem, std::string_view text);

}  // namespace wagedesk
