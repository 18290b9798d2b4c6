// Legacy numerics: the number types, formats and conversions the stored
// profiles and the printed figures depend on. Standard library only.
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace legacy {

// A text that is not a number where one is required. The message quotes
// at most the first 40 characters of the text; text() holds all of it.
class NumberFormatError : public std::runtime_error {
public:
    explicit NumberFormatError(const std::string &text);
    const std::string &text() const { return text_; }

private:
    std::string text_;
};

// A value outside the range of the target type (16-bit integer, single,
// currency). A message that quotes the input quotes at most 40 characters.
class OverflowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fixed-point currency: a 64-bit integer scaled by 10^4. No implicit
// conversion from floating point: say how the value is rounded at the call.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromWhole(std::int64_t units) { return Currency(units * kScale); }
    // Rounds the exact binary value to four decimals, an exact half going to
    // the even last digit (0.00025 is a little above the half: 0.0003).
    // Throws OverflowError outside the currency range.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / kScale; }
    float toFloat() const { return static_cast<float>(toDouble()); }

    // Sums and differences are exact; an overflow throws OverflowError.
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    Currency &operator+=(Currency other) { return *this = *this + other; }
    Currency &operator-=(Currency other) { return *this = *this - other; }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

// Number patterns, as the printouts and the boxes use them: an optional
// leading "$", digit placeholders "#" (digit or nothing) and "0" (digit or zero),
// an optional "," for thousands grouping, and a "." with the decimal
// placeholders. Examples: "#,###.00", "$#,###.00", "##.##", "#####.00",
// "###.00", "000000.00", "$#,###.#0". Rounding is to the pattern's number of
// decimals, an exact half going away from zero, and is done on the decimal
// text of the value at its own precision: seven significant digits for a
// float, fifteen for a double, the exact value for currency. A negative
// value gets a leading "-" (unless it rounds to zero), before the "$". The
// seven or fifteen digits are the value rounded half away from zero, as the
// stored files and printouts have them (also at an exact binary tie such as
// 10000.125f, which gives 10000.13). Decimal "#" placeholders drop trailing
// zeros up to the last "0" placeholder ("##.##": 7 gives "7."). The process
// locale never changes the result. Throws OverflowError for an infinity or
// NaN, std::invalid_argument for a pattern outside this grammar.
std::string format(float value, std::string_view pattern);
std::string format(double value, std::string_view pattern);
std::string format(Currency value, std::string_view pattern);
// A pattern applied to a text (a box or a label): the number the text holds
// (strict reading, so "$" and thousands commas are taken) formatted as a
// double; an empty text gives "", and a text that is not a number, or one
// beyond a double, is returned unchanged.
std::string formatText(std::string_view text, std::string_view pattern);

// Lenient reading: the number at the start of the text, blanks skipped
// (also between digits: "1 500" is 1500), stopping at the first character
// that cannot continue it ("12-3" is 12, "1.2.3" is 1.2, "1,234" is 1);
// an optional exponent ("1e3", also "1d3" with the "d" exponent letter of
// double-precision figures).
// Blanks are spaces, tabs and linefeeds. 0 when the text does not start with
// one. Throws OverflowError beyond the range of a double.
double val(std::string_view text);

// Strict reading: the whole text must be one number. Leading and trailing
// blanks, a leading sign, a leading "$", thousands commas in the integer
// part (a comma only between two digits) and an exponent ("e") are
// accepted; "-$5" and "$-5" both read as -5. Blanks are spaces and tabs.
// Throws NumberFormatError otherwise (also for an empty text), OverflowError
// beyond the range of a double.
double toDouble(std::string_view text);
// Strict reading rounded to a 32-bit float (toDouble, then toSingle);
// OverflowError beyond its range.
float toFloat(std::string_view text);
// Strict reading into currency: toDouble, then Currency::fromDouble.
Currency toCurrency(std::string_view text);

// Rounding to a 32-bit float, to nearest. Throws OverflowError when the
// result would be infinite: for |value| >= 0x1.ffffffp127 (halfway between
// the largest float and 2^128), an infinity or NaN. Use it wherever a
// double becomes a single: a plain cast of such a value is undefined.
float toSingle(double value);
// Whether toSingle takes the value (false for an infinity or NaN too).
bool fitsSingle(double value);

// Conversion to a 16-bit integer: nearest integer, an exact half going to
// the even one (12.5 gives 12, 13.5 gives 14). OverflowError outside
// -32768..32767 (also for NaN).
std::int16_t toInt16(double value);
// Strict reading of a text, then toInt16.
std::int16_t toInt16(std::string_view text);

// Rounding to a whole number, half to even, as a double (no range limit).
double roundHalfEven(double value);

// Plain number texts: no grouping, "." as the point, a leading zero below 1,
// no trailing zeros, "-" when negative, the value rounded half away from
// zero to the digits of the type. Plain digits while the decimal exponent is
// from -4 to 6 (float) or -4 to 14 (double), otherwise exponent form with a
// sign and at least two digits ("1E+07", "1.234568E+08", "1E-05"), as the
// stored files have them. Throws OverflowError for an infinity or NaN.
std::string floatToText(float value);    // up to 7 significant digits: "0.0525", "7.5", "999999", "0"
std::string doubleToText(double value);  // up to 15 significant digits
// The shortest text that reads back as the same double ("716.5"), for the
// built-in figures typed by presets and default tables; the style of
// doubleToText, but up to 17 significant digits.
std::string shortestText(double value);

// The text of a value quoted in a message: at most its first 40 bytes (not
// cutting a UTF-8 character), then "..." when there was more.
std::string textForMessage(std::string_view text);

// The "rounding to cents" of the calculation: format with "#,###.00" and
// read the text back.
float roundCents(float value);
double roundCents(double value);

}  // namespace legacy
