// Legacy numerics. Every conversion to text, and every rounding, goes
// through one decimal digit string: the value's exact decimal expansion (or
// the digits that were read), rounded by one engine, roundDigits().
#include "legacy/numerics.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace legacy {

std::string textForMessage(std::string_view text)
{
    // A box or a damaged file can hold thousands of characters; a message
    // needs only enough to recognise the entry.
    constexpr std::size_t kMax = 40;
    if (text.size() <= kMax)
        return std::string(text);
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;  // do not split a UTF-8 character
    return std::string(text.substr(0, cut)) + "...";
}

NumberFormatError::NumberFormatError(const std::string &text)
    : std::runtime_error("not a number: \"" + textForMessage(text) + "\""), text_(text)
{
}

namespace {

// A decimal number: 0.d1d2d3... x 10^point, so `point` is the number of
// digits before the decimal point (it may be negative or beyond the digits).
// The digits have no leading or trailing zeros; zero has none at all.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
    // The digit at the given place, counted from the first digit; 0 outside.
    int at(long place) const
    {
        return place >= 0 && place < long(digits.size()) ? digits[std::size_t(place)] - '0' : 0;
    }
};

void normalize(Decimal &d)
{
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d = Decimal{};
        return;
    }
    d.digits.erase(0, first);
    d.point -= int(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

enum class Tie { AwayFromZero, ToEven };

// The rounding engine: keeps the first `keep` digits (keep <= 0 keeps none)
// and rounds the rest off; an exact half goes as `tie` says. Since the
// digits are exact, "the next digit is at least 5" is "at least half".
void roundDigits(Decimal &d, long keep, Tie tie)
{
    if (keep >= long(d.digits.size()))
        return;
    bool up = false;
    if (keep >= 0) {
        const int next = d.at(keep);
        const bool exactHalf = next == 5 && keep + 1 == long(d.digits.size());
        up = next > 5 || (next == 5 && (!exactHalf || tie == Tie::AwayFromZero || d.at(keep - 1) % 2 == 1));
    }
    d.digits.resize(std::size_t(std::max(keep, 0L)));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (d.digits.empty()) {  // 0.999.. or 0.5 at the first place: 10^point
            d.digits = "1";
            ++d.point;
        } else {
            ++d.digits.back();
        }
    }
    normalize(d);
}

void roundToPlaces(Decimal &d, int places, Tie tie) { roundDigits(d, long(d.point) + places, tie); }

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads "[sign]digits[.digits][e[sign]digits]" from the front of `s`, the
// integer digits optionally grouped by commas (a comma only between two
// digits). Returns the number and advances `s` past it, or nothing (and `s`
// unchanged) when no number starts there. An exponent that is not complete
// is not part of the number.
std::optional<Decimal> readNumber(std::string_view &s, bool commas, std::string_view exponentLetters)
{
    std::size_t i = 0;
    Decimal d;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    long point = 0;
    bool anyDigit = false;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            d.digits += s[i++];
            ++point;
            anyDigit = true;
        } else if (commas && s[i] == ',' && anyDigit && i + 1 < s.size() && isDigit(s[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == '.') {
        const std::size_t start = ++i;
        while (i < s.size() && isDigit(s[i]))
            d.digits += s[i++];
        anyDigit = anyDigit || i > start;
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < s.size() && exponentLetters.find(s[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            negativeExponent = s[j++] == '-';
        long exponent = 0;
        const std::size_t start = j;
        for (; j < s.size() && isDigit(s[j]); ++j)
            exponent = std::min(exponent * 10 + (s[j] - '0'), 100'000'000L);
        if (j > start) {
            point += negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    d.point = int(std::clamp(point, -1'000'000'000L, 1'000'000'000L));
    normalize(d);
    s.remove_prefix(i);
    return d;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The strict reading shared by toDouble and friends.
Decimal parseStrict(std::string_view text)
{
    std::string_view s = trimBlanks(text);
    bool negative = false;
    bool signSeen = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        signSeen = true;
        s.remove_prefix(1);
    }
    if (!s.empty() && s[0] == '$')
        s.remove_prefix(1);
    if (signSeen && !s.empty() && (s[0] == '+' || s[0] == '-'))
        throw NumberFormatError(std::string(text));
    auto d = readNumber(s, true, "eE");
    if (!d || !s.empty())
        throw NumberFormatError(std::string(text));
    d->negative = !d->isZero() && (d->negative != negative);
    return *d;
}

// `source` is the text the number was read from, for the message.
double toDoubleValue(const Decimal &d, std::string_view source)
{
    if (d.isZero())
        return d.negative ? -0.0 : 0.0;
    const double zero = d.negative ? -0.0 : 0.0;
    const auto tooLarge = [source] { return OverflowError("number too large: \"" + textForMessage(source) + "\""); };
    if (d.point > 400)
        throw tooLarge();
    if (d.point < -400)
        return zero;
    const std::string text = d.digits + "e" + std::to_string(long(d.point) - long(d.digits.size()));
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (d.point > 0)
            throw tooLarge();
        return zero;
    }
    return d.negative ? -value : value;
}

// The exact decimal expansion of a finite double (a float converts exactly).
Decimal exactDecimal(double value)
{
    if (!std::isfinite(value))
        throw OverflowError("not a finite number");
    // The value is m x 2^e with m odd, so its exact decimal expansion has the
    // digits of m x 5^-e (for e < 0) or of the integer itself: ask for just
    // those (a few more for safety), not for the 767 a double can need at
    // most, which are slow to make and to read.
    int precision = 0;
    if (value != 0) {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent);
        std::uint64_t m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        int e = exponent - 53;
        const int zeros = std::countr_zero(m);
        m >>= zeros;
        e += zeros;
        const double digits = e >= 0 ? std::log10(std::fabs(value)) : std::log10(double(m)) - e * std::log10(5.0);
        precision = std::clamp(int(digits) + 3, 1, 770);
    }
    // At most 767 significant digits for a double, plus sign, point, exponent.
    std::array<char, 800> buffer;
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::scientific, precision);
    std::string_view text(buffer.data(), std::size_t(end - buffer.data()));
    return *readNumber(text, false, "e");
}

// The value as its text holds it: rounded to `significant` digits, half
// away from zero.
Decimal decimalOf(double value, int significant)
{
    Decimal d = exactDecimal(value);
    roundDigits(d, significant, Tie::AwayFromZero);
    return d;
}

Decimal decimalOf(Currency value)
{
    const std::int64_t raw = value.raw();
    const std::uint64_t magnitude = raw < 0 ? 0 - std::uint64_t(raw) : std::uint64_t(raw);
    Decimal d{raw < 0, std::to_string(magnitude), 0};
    d.point = int(d.digits.size()) - 4;
    normalize(d);
    return d;
}

// Plain digits while the decimal exponent is in -4..maxPlainExponent,
// otherwise "d.dddE+XX".
std::string text(const Decimal &d, int maxPlainExponent)
{
    if (d.isZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int n = int(d.digits.size());
    const int exponent = d.point - 1;
    if (exponent >= -4 && exponent <= maxPlainExponent) {
        if (d.point <= 0)
            out += "0." + std::string(std::size_t(-d.point), '0') + d.digits;
        else if (d.point >= n)
            out += d.digits + std::string(std::size_t(d.point - n), '0');
        else
            out += d.digits.substr(0, std::size_t(d.point)) + "." + d.digits.substr(std::size_t(d.point));
        return out;
    }
    out += d.digits[0];
    if (n > 1)
        out += "." + d.digits.substr(1);
    const std::string e = std::to_string(std::abs(exponent));
    out += exponent < 0 ? "E-" : "E+";
    out += (e.size() < 2 ? "0" : "") + e;
    return out;
}

std::string formatDecimal(Decimal d, std::string_view pattern)
{
    const auto bad = [&] { return std::invalid_argument("unsupported number pattern: " + std::string(pattern)); };
    std::string_view p = pattern;
    const bool dollar = !p.empty() && p[0] == '$';
    if (dollar)
        p.remove_prefix(1);
    const auto pointAt = p.find('.');
    const std::string_view integerPart = p.substr(0, pointAt);
    const std::string_view decimalPart = pointAt == std::string_view::npos ? "" : p.substr(pointAt + 1);
    if (integerPart.find_first_not_of("#0,") != std::string_view::npos ||
        decimalPart.find_first_not_of("#0") != std::string_view::npos)
        throw bad();

    // Integer digits: at least as many as the placeholders from the first '0'.
    const bool grouping = integerPart.find(',') != std::string_view::npos;
    std::string placeholders(integerPart);
    std::erase(placeholders, ',');
    const auto firstZero = placeholders.find('0');
    const std::size_t minimumDigits = firstZero == std::string::npos ? 0 : placeholders.size() - firstZero;
    // Decimals: all the placeholders, trailing zeros shown up to the last '0'.
    const int places = int(decimalPart.size());
    const auto lastZero = decimalPart.rfind('0');
    const int forcedPlaces = lastZero == std::string_view::npos ? 0 : int(lastZero) + 1;

    roundToPlaces(d, places, Tie::AwayFromZero);

    std::string integer;
    for (long i = 0; i < d.point; ++i)
        integer += char('0' + d.at(i));
    if (integer.size() < minimumDigits)
        integer.insert(0, minimumDigits - integer.size(), '0');
    if (grouping)
        for (auto i = integer.size(); i > 3; i -= 3)
            integer.insert(i - 3, 1, ',');

    const int shownPlaces = std::clamp(int(d.digits.size()) - d.point, forcedPlaces, places);
    std::string out = d.negative && !d.isZero() ? "-" : "";
    if (dollar)
        out += '$';
    out += integer;
    if (pointAt != std::string_view::npos) {
        out += '.';
        for (int i = 0; i < shownPlaces; ++i)
            out += char('0' + d.at(long(d.point) + i));
    }
    return out;
}

}  // namespace

Currency Currency::fromDouble(double value)
{
    Decimal d = exactDecimal(value);
    roundToPlaces(d, 4, Tie::ToEven);
    if (d.isZero())
        return Currency();
    const long length = long(d.point) + 4;  // digits of the raw value
    if (length > 19)
        throw OverflowError("currency overflow");
    std::uint64_t magnitude = 0;
    for (long i = 0; i < length; ++i)
        magnitude = magnitude * 10 + std::uint64_t(d.at(i));
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (d.negative ? 1 : 0);
    if (magnitude > limit)
        throw OverflowError("currency overflow");
    return Currency(d.negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude));
}

Currency Currency::operator+(Currency other) const
{
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    if ((other.raw_ > 0 && raw_ > max - other.raw_) || (other.raw_ < 0 && raw_ < min - other.raw_))
        throw OverflowError("currency overflow");
    return Currency(raw_ + other.raw_);
}

Currency Currency::operator-(Currency other) const
{
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    if ((other.raw_ < 0 && raw_ > max + other.raw_) || (other.raw_ > 0 && raw_ < min + other.raw_))
        throw OverflowError("currency overflow");
    return Currency(raw_ - other.raw_);
}

Currency Currency::operator-() const { return Currency() - *this; }

std::string format(float value, std::string_view pattern) { return formatDecimal(decimalOf(value, 7), pattern); }
std::string format(double value, std::string_view pattern) { return formatDecimal(decimalOf(value, 15), pattern); }
std::string format(Currency value, std::string_view pattern) { return formatDecimal(decimalOf(value), pattern); }

std::string formatText(std::string_view text, std::string_view pattern)
{
    try {
        return format(toDouble(text), pattern);
    } catch (const NumberFormatError &) {
    } catch (const OverflowError &) {
    }
    return std::string(text);
}

double val(std::string_view text)
{
    std::string compact;
    for (char c : text)
        if (!isBlank(c) && c != '\n')
            compact += c;
    std::string_view s = compact;
    const auto d = readNumber(s, false, "eEdD");
    return d ? toDoubleValue(*d, text) : 0.0;
}

double toDouble(std::string_view text) { return toDoubleValue(parseStrict(text), text); }

bool fitsSingle(double value)
{
    // Halfway between the largest float and 2^128 and beyond rounds to
    // infinity (and the cast of such a double is undefined).
    constexpr double limit = 0x1.ffffffp127;
    return std::fabs(value) < limit;
}

float toSingle(double value)
{
    if (!fitsSingle(value))
        throw OverflowError("number too large for a single");
    return static_cast<float>(value);
}

float toFloat(std::string_view text)
{
    const double value = toDouble(text);
    try {
        return toSingle(value);
    } catch (const OverflowError &) {
        throw OverflowError("number too large for a single: \"" + textForMessage(text) + "\"");
    }
}

Currency toCurrency(std::string_view text) { return Currency::fromDouble(toDouble(text)); }

double roundHalfEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

std::int16_t toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw OverflowError("number out of the integer range");
    return static_cast<std::int16_t>(rounded);
}

std::int16_t toInt16(std::string_view text) { return toInt16(toDouble(text)); }

std::string floatToText(float value) { return text(decimalOf(value, 7), 6); }
std::string doubleToText(double value) { return text(decimalOf(value, 15), 14); }

std::string shortestText(double value)
{
    if (!std::isfinite(value))
        throw OverflowError("not a finite number");
    std::array<char, 32> buffer;
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string_view s(buffer.data(), std::size_t(end - buffer.data()));
    return text(*readNumber(s, false, "e"), 14);
}

float roundCents(float value) { return toFloat(format(value, "#,###.00")); }
double roundCents(double value) { return toDouble(format(value, "#,###.00")); }

}  // namespace legacy
