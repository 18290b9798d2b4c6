#include "core/numbers.h"

namespace wagedesk {

NumberError::NumberError(NumberProblem p, std::string t)
    : std::runtime_error(p == NumberProblem::TooLarge ? "number too large" : "not a number"), problem(p),
      text(std::move(t))
{
}

namespace {

template <class Read> auto reading(std::string_view text, Read read) -> decltype(read(text))
{
    try {
        return read(text);
    } catch (const legacy::NumberFormatError &) {
        throw NumberError(NumberProblem::NotANumber, std::string(text));
    } catch (const legacy::OverflowError &) {
        throw NumberError(NumberProblem::TooLarge, std::string(text));
    }
}

}  // namespace

float strictSingle(std::string_view text)
{
    return reading(text, [](std::string_view t) { return legacy::toFloat(t); });
}

std::int16_t strictInt16(std::string_view text)
{
    return reading(text, [](std::string_view t) { return legacy::toInt16(t); });
}

legacy::Currency strictCurrency(std::string_view text)
{
    return reading(text, [](std::string_view t) { return legacy::toCurrency(t); });
}

float lenientSingle(std::string_view text)
{
    return reading(text, [](std::string_view t) { return legacy::toSingle(legacy::val(t)); });
}

double lenientDouble(std::string_view text)
{
    return reading(text, [](std::string_view t) { return legacy::val(t); });
}

std::string numberMessage(std::string_view name, NumberProblem problem, std::string_view text)
{
    return std::string(name) + ": \"" + legacy::textForMessage(text) + "\" " +
           (problem == NumberProblem::TooLarge ? "is too large." : "is not a number.");
}

}  // namespace wagedesk
