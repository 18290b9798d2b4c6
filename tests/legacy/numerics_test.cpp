// Tests of the legacy numerics: formats, readings, conversions, texts.
#include "legacy/numerics.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace legacy;

namespace {

struct FloatCase {
    float value;
    const char *pattern;
    const char *expected;
};
struct DoubleCase {
    double value;
    const char *pattern;
    const char *expected;
};
struct CurrencyCase {
    std::int64_t raw;
    const char *pattern;
    const char *expected;
};

constexpr std::int64_t kMaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinRaw = std::numeric_limits<std::int64_t>::min();

const std::vector<FloatCase> kFloatFormats = {
    // The figures of the documentation.
    {0.0f, "#,###.00", ".00"},
    {0.5f, "#,###.00", ".50"},
    {1234.5f, "#,###.00", "1,234.50"},
    {-5.0f, "#,###.00", "-5.00"},
    {-0.0f, "#,###.00", ".00"},
    // Ties: the float lies just below (0.775f is 0.77499997...) or exactly on
    // the half; the 7-digit text is the tie and it goes away from zero.
    {0.775f, "#,###.00", ".78"},
    {-0.775f, "#,###.00", "-.78"},
    {0.005f, "#,###.00", ".01"},   // 0.0049999999
    {0.015f, "#,###.00", ".02"},   // 0.0149999997
    {0.045f, "#,###.00", ".05"},   // 0.0450000018 (above)
    {1.005f, "#,###.00", "1.01"},  // 1.00499999
    {2.675f, "#,###.00", "2.68"},  // 2.67499995
    {0.125f, "#,###.00", ".13"},   // exact
    {-0.125f, "#,###.00", "-.13"},
    {0.375f, "#,###.00", ".38"},
    {1234.565f, "#,###.00", "1,234.57"},  // 1234.56494
    {999.995f, "#,###.00", "1,000.00"},
    {0.7749999f, "#,###.00", ".77"},  // 7-digit text 0.7749999
    {0.7750001f, "#,###.00", ".78"},
    {-0.004f, "#,###.00", ".00"},  // rounds to zero: no sign
    {-0.005f, "#,###.00", "-.01"},
    // An exact binary tie at the eighth digit goes away from zero too.
    {10000.125f, "#,###.00", "10,000.13"},
    // Only seven digits: the rest are zeros.
    {1234567.0f, "#,###.00", "1,234,567.00"},
    {12345678.0f, "#,###.00", "12,345,680.00"},
    {16777216.0f, "#,###.00", "16,777,220.00"},
    {1234.5678f, "#,###.00", "1,234.57"},
    {1.0049999f, "#,###.00", "1.01"},    // float 1.00499988: 7 digits 1.005000
    {0.0049999999f, "#,###.00", ".01"},  // float 0.00499999989
    {3.4028235e38f, "#,###.00", "340,282,300,000,000,000,000,000,000,000,000,000,000.00"},
    // The dollar pattern.
    {0.0f, "$#,###.00", "$.00"},
    {1234.5f, "$#,###.00", "$1,234.50"},
    {-5.0f, "$#,###.00", "-$5.00"},
    {0.005f, "$#,###.00", "$.01"},
    {1234567.5f, "$#,###.00", "$1,234,568.00"},
    // Optional decimals.
    {7.0f, "##.##", "7."},
    {0.5f, "##.##", ".5"},
    {12.345f, "##.##", "12.35"},
    {12.3f, "##.##", "12.3"},
    {12.001f, "##.##", "12."},
    {0.05f, "##.##", ".05"},
    {0.0f, "##.##", "."},
    {-0.5f, "##.##", "-.5"},
    {123.456f, "##.##", "123.46"},
    {9.995f, "##.##", "10."},
    // No grouping.
    {1234.5f, "#####.00", "1234.50"},
    {0.0f, "#####.00", ".00"},
    {123456.78f, "#####.00", "123456.80"},  // 7 digits: 123456.8
    {5.0f, "###.00", "5.00"},
    {-1234.5f, "###.00", "-1234.50"},
    // Forced integer digits.
    {12.5f, "000000.00", "000012.50"},
    {0.0f, "000000.00", "000000.00"},
    {1234567.0f, "000000.00", "1234567.00"},
    {-12.5f, "000000.00", "-000012.50"},
    {0.5f, "#,##0.00", "0.50"},
    {5.0f, "0,000.00", "0,005.00"},
    // One optional, then one forced decimal.
    {5.0f, "$#,###.#0", "$5.00"},
    {5.1f, "$#,###.#0", "$5.10"},
    {5.125f, "$#,###.#0", "$5.13"},
    {1234.0f, "$#,###.#0", "$1,234.00"},
    // No decimals.
    {1234.5f, "#,###", "1,235"},
    {2.5f, "#,###", "3"},
    {-2.5f, "#,###", "-3"},
    {0.4f, "#,###", ""},
};

const std::vector<DoubleCase> kDoubleFormats = {
    {0.0, "#,###.00", ".00"},
    {0.5, "#,###.00", ".50"},
    {1234.5, "#,###.00", "1,234.50"},
    {-5.0, "#,###.00", "-5.00"},
    {-5.0, "$#,###.00", "-$5.00"},
    // Just below the tie in binary; the 15-digit text is the tie.
    {2.675, "#,###.00", "2.68"},  // 2.67499999999999982
    {1.005, "#,###.00", "1.01"},  // 1.00499999999999989
    {0.285, "#,###.00", ".29"},   // 0.284999999999999976
    {-2.675, "#,###.00", "-2.68"},
    {1.015, "#,###.00", "1.02"},  // 1.01499999999999990
    {0.125, "#,###.00", ".13"},
    {-1234567.895, "#,###.00", "-1,234,567.90"},
    {123456789.125, "#,###.00", "123,456,789.13"},
    // Below the tie in fifteen digits too: a double keeps it, a float not.
    {1.0049999, "#,###.00", "1.00"},
    {0.0049999999, "#,###.00", ".00"},
    {1234567.5, "#,###.00", "1,234,567.50"},
    {12345678.0, "#,###.00", "12,345,678.00"},
    {-0.004, "#,###.00", ".00"},
    {-0.005, "#,###.00", "-.01"},
    // Large values.
    {1e15, "#,###.00", "1,000,000,000,000,000.00"},
    {123456789012345678.0, "#,###.00", "123,456,789,012,346,000.00"},
    {999999999999999.9, "#,###.00", "1,000,000,000,000,000.00"},  // 16 digits
    {9999999999999.995, "#,###.00", "9,999,999,999,999.99"},      // ...99.9941
    {1e20, "$#,###.00", "$100,000,000,000,000,000,000.00"},
    {1e-20, "#,###.00", ".00"},
    // Other patterns.
    {12.345, "##.##", "12.35"},
    {7.0, "##.##", "7."},
    {12.5, "000000.00", "000012.50"},
    {5.0, "$#,###.#0", "$5.00"},
    {5.1, "$#,###.#0", "$5.10"},
    {1234.5, "#####.00", "1234.50"},
};

const std::vector<CurrencyCase> kCurrencyFormats = {
    {0, "#,###.00", ".00"},
    {12345, "#,###.00", "1.23"},  // 1.2345
    {12350, "#,###.00", "1.24"},  // 1.235: exact, away from zero
    {12250, "#,###.00", "1.23"},  // 1.225: away, not even
    {-12350, "#,###.00", "-1.24"},
    {12349, "#,###.00", "1.23"},
    {50, "#,###.00", ".01"},  // 0.005
    {49, "#,###.00", ".00"},
    {-49, "#,###.00", ".00"},
    {-50, "$#,###.00", "-$.01"},
    {12345000, "$#,###.00", "$1,234.50"},
    {9999950, "#,###.00", "1,000.00"},  // 999.995
    {kMaxRaw, "#,###.00", "922,337,203,685,477.58"},
    {kMinRaw, "#,###.00", "-922,337,203,685,477.58"},
    {kMaxRaw, "##.##", "922337203685477.58"},
    {70000, "##.##", "7."},
    {125000, "000000.00", "000012.50"},
};

}  // namespace

TEST(NumericsFormat, FloatTable)
{
    for (const auto &c : kFloatFormats)
        EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(NumericsFormat, DoubleTable)
{
    for (const auto &c : kDoubleFormats)
        EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(NumericsFormat, CurrencyTable)
{
    for (const auto &c : kCurrencyFormats)
        EXPECT_EQ(format(Currency::fromRaw(c.raw), c.pattern), c.expected) << c.raw << " with " << c.pattern;
}

TEST(NumericsFormat, FloatAndDoublePrecisionDiffer)
{
    // The same written figure, held as float and as double.
    EXPECT_EQ(format(1.0049999f, "#,###.00"), "1.01");
    EXPECT_EQ(format(1.0049999, "#,###.00"), "1.00");
    EXPECT_EQ(format(12345678.0f, "#,###.00"), "12,345,680.00");
    EXPECT_EQ(format(12345678.0, "#,###.00"), "12,345,678.00");
    // The double of a float keeps the float's binary digits, not its text.
    EXPECT_EQ(format(0.775f, "#,###.00"), ".78");
    EXPECT_EQ(format(static_cast<double>(0.775f), "#,###.00"), ".77");
}

TEST(NumericsFormat, RoundsTheSevenDigitText)
{
    // Rounding a float is rounding the text it prints as: for any float,
    // the format equals the format of the double read from floatToText.
    std::mt19937 random(2005);
    std::uniform_int_distribution<int> mills(-20'000'000, 20'000'000);
    for (int i = 0; i < 20000; ++i) {
        const float value = static_cast<float>(mills(random) / 1000.0);
        const double fromText = toDouble(floatToText(value));
        ASSERT_EQ(format(value, "#,###.00"), format(fromText, "#,###.00")) << floatToText(value);
        ASSERT_EQ(format(value, "##.##"), format(fromText, "##.##")) << floatToText(value);
    }
}

TEST(NumericsFormat, RejectsUnknownPatterns)
{
    EXPECT_THROW(format(1.0f, "abc"), std::invalid_argument);
    EXPECT_THROW(format(1.0, "#.##%"), std::invalid_argument);
    EXPECT_THROW(format(Currency(), "#.#.#"), std::invalid_argument);
}

TEST(NumericsFormat, NonFiniteIsAnOverflow)
{
    EXPECT_THROW(format(std::numeric_limits<float>::infinity(), "#,###.00"), OverflowError);
    EXPECT_THROW(format(std::nan(""), "#,###.00"), OverflowError);
}

TEST(NumericsVal, Table)
{
    const std::vector<std::pair<const char *, double>> cases = {
        {"1 500", 1500}, {" 12", 12},   {"12-3", 12}, {"1.2.3", 1.2}, {"1,234", 1},    {"abc", 0},
        {"", 0},         {"-5", -5},    {".5", 0.5},  {"1e3", 1000},  {"1e", 1},       {"+3", 3},
        {"1 e 3", 1000}, {"1e+", 1},    {"- 5", -5},  {"--5", 0},     {"$5", 0},       {"1d2", 100},
        {"0.1", 0.1},    {"12abc", 12}, {"\t7\t", 7}, {".5.", 0.5},   {"-.25", -0.25}, {"1.5E-2", 0.015},
        {"3.", 3},       {".", 0},      {"-", 0},     {"e3", 0},      {"1e-999", 0},   {"0000012.50", 12.5},
        {"1\n2", 12},    {"12,5", 12},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(val(text), expected) << '"' << text << '"';
    EXPECT_THROW(val("1e999"), OverflowError);
}

TEST(NumericsToDouble, Accepts)
{
    const std::vector<std::pair<const char *, double>> cases = {
        {"1,234.56", 1234.56}, {"$5", 5},    {"-$5", -5},      {"$-5", -5},
        {" 12 ", 12},          {".50", 0.5}, {"-.50", -0.5},   {"1e3", 1000},
        {"1.5E-2", 0.015},     {"+3", 3},    {"5.", 5},        {"1,234,567", 1234567},
        {"12,34", 1234},       {"0", 0},     {"-0", 0},        {"\t3\t", 3},
        {"$1,234.50", 1234.5}, {"0.1", 0.1}, {"2.675", 2.675}, {"1e-400", 0},
        {"00012", 12},         {"+$7", 7},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(toDouble(text), expected) << '"' << text << '"';
}

TEST(NumericsToDouble, Rejects)
{
    for (const char *text : {"",          " ",  ".",    "-",     "+",   "$",    "1.2.3", "12-3", "abc",   "1 500",
                             ",5",        "5,", "1,,2", "1.2,3", "--5", "-$-5", "$$5",   "1e",   "1e+",   "5$",
                             "1,234.5,6", "e3", "0x10", "inf",   "nan", "1d2",  "- 5",   "$ 5",  "1e3.5", "12abc"}) {
        EXPECT_THROW(toDouble(text), NumberFormatError) << '"' << text << '"';
    }
    try {
        toDouble("12-3");
        FAIL();
    } catch (const NumberFormatError &e) {
        EXPECT_EQ(e.text(), "12-3");
    }
    EXPECT_THROW(toDouble("1e400"), OverflowError);
}

TEST(NumericsToFloat, RoundsAndOverflows)
{
    EXPECT_EQ(toFloat("1.5"), 1.5f);
    EXPECT_EQ(toFloat("0.1"), 0.1f);
    EXPECT_EQ(toFloat("$1,234.56"), 1234.56f);
    EXPECT_EQ(toFloat("3.4028235e38"), FLT_MAX);
    EXPECT_EQ(toFloat("3.40282356e38"), FLT_MAX);  // below the half to 2^128
    EXPECT_THROW(toFloat("3.4028236e38"), OverflowError);
    EXPECT_THROW(toFloat("-3.5e38"), OverflowError);
    EXPECT_THROW(toFloat("1e400"), OverflowError);
    EXPECT_THROW(toFloat("x"), NumberFormatError);
}

TEST(NumericsToSingle, RoundsToNearestAndRefusesInfinity)
{
    const std::vector<std::pair<double, float>> cases = {
        {1.5, 1.5f},
        {0.1, 0.1f},
        {-2.5, -2.5f},
        {1.0 + 0x1p-24, 1.0f},  // a tie goes to the even float
        {1.0 + 3 * 0x1p-24, 1.0f + 0x1p-22f},
        {FLT_MAX, FLT_MAX},
        {0x1.fffffefffffffp127, FLT_MAX},  // just below the half to 2^128
        {-0x1.fffffefffffffp127, -FLT_MAX},
        {1e-50, 0.0f},  // too small is zero, not an error
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(toSingle(value), expected) << value;
    for (double value : {0x1.ffffffp127, -0x1.ffffffp127, 1e39, DBL_MAX, std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_THROW(toSingle(value), OverflowError) << value;
}

// Texts typed or pasted into a box, or found in a damaged file. Each reading
// must end in its value or its error, and every message must stay short.
TEST(NumericsHostileTexts, BoundedMessagesAndNoSurprises)
{
    enum Kind { Value, Format, Overflow };
    struct Case {
        const char *name;
        std::string text;
        Kind valKind;
        double valValue;
        Kind strictKind;           // toDouble, toFloat, toCurrency and toInt16 alike
        double strictValue;        // what toDouble gives
        float single;              // what toFloat gives
        std::int64_t currencyRaw;  // what toCurrency gives
        int int16;                 // what toInt16 gives
    };
    std::string spacedOnes;
    for (int i = 0; i < 5000; ++i)
        spacedOnes += "1 ";
    const double third = 1.0 / 3.0;
    const std::vector<Case> cases = {
        {"310 digits", std::string(310, '1'), Overflow, 0, Overflow, 0, 0, 0, 0},
        {"minus and 310 digits", "-" + std::string(310, '9'), Overflow, 0, Overflow, 0, 0, 0, 0},
        {"1 1 1 ... 5000 times", spacedOnes, Overflow, 0, Format, 0, 0, 0, 0},
        {"400 digits after a point", "0." + std::string(400, '3'), Value, third, Value, third, 1.0f / 3.0f, 3333, 0},
        {"huge exponent", "1e999999999", Overflow, 0, Overflow, 0, 0, 0, 0},
        {"huge negative exponent", "1e-999999999", Value, 0, Value, 0, 0, 0, 0},
        {"minus alone", "-", Value, 0, Format, 0, 0, 0, 0},
        {"point alone", ".", Value, 0, Format, 0, 0, 0, 0},
        {"blank alone", " ", Value, 0, Format, 0, 0, 0, 0},
        {"10000 letters", std::string(10000, 'x'), Value, 0, Format, 0, 0, 0, 0},
    };
    constexpr std::size_t kShort = 100;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // Runs one reading; checks the error kind and the message length.
        auto expect = [&](Kind kind, const char *reader, auto read, auto check) {
            SCOPED_TRACE(reader);
            try {
                const auto value = read();
                EXPECT_EQ(kind, Value) << "no error";
                if (kind == Value)
                    check(value);
            } catch (const NumberFormatError &e) {
                EXPECT_EQ(kind, Format) << e.what();
                EXPECT_LE(std::string(e.what()).size(), kShort);
                EXPECT_EQ(e.text(), c.text) << "the full text stays available";
            } catch (const OverflowError &e) {
                EXPECT_EQ(kind, Overflow) << e.what();
                EXPECT_LE(std::string(e.what()).size(), kShort);
            }
        };
        expect(
            c.valKind, "val", [&] { return val(c.text); }, [&](double v) { EXPECT_EQ(v, c.valValue); });
        expect(
            c.strictKind, "toDouble", [&] { return toDouble(c.text); }, [&](double v) { EXPECT_EQ(v, c.strictValue); });
        expect(
            c.strictKind, "toFloat", [&] { return toFloat(c.text); }, [&](float v) { EXPECT_EQ(v, c.single); });
        expect(
            c.strictKind, "toCurrency", [&] { return toCurrency(c.text); },
            [&](Currency v) { EXPECT_EQ(v.raw(), c.currencyRaw); });
        expect(
            c.strictKind, "toInt16", [&] { return toInt16(std::string_view(c.text)); },
            [&](std::int16_t v) { EXPECT_EQ(v, c.int16); });
    }
}

TEST(NumericsHostileTexts, MessagesQuoteTheStartOfTheText)
{
    const std::string typed = "12345678901234567890123456789012345678901234567890x";
    try {
        toDouble(typed);
        FAIL() << "no error";
    } catch (const NumberFormatError &e) {
        EXPECT_EQ(std::string(e.what()), "not a number: \"1234567890123456789012345678901234567890...\"");
    }
    // A cut never splits a UTF-8 character: 39 letters, then a two-byte one.
    EXPECT_EQ(textForMessage(std::string(39, 'a') + "\xc3\xa9" + "zz"), std::string(39, 'a') + "...");
    EXPECT_EQ(textForMessage(std::string(40, 'a')), std::string(40, 'a'));
    EXPECT_EQ(textForMessage("short"), "short");
}

TEST(NumericsCurrency, FromDoubleHalfEven)
{
    EXPECT_EQ(Currency::fromDouble(0.03125).raw(), 312);  // exact half: even
    EXPECT_EQ(Currency::fromDouble(0.09375).raw(), 938);
    EXPECT_EQ(Currency::fromDouble(-0.03125).raw(), -312);
    EXPECT_EQ(Currency::fromDouble(0.00025).raw(), 3);  // binary a little above the half
    EXPECT_EQ(Currency::fromDouble(1.23456).raw(), 12346);
    EXPECT_EQ(Currency::fromDouble(0.1).raw(), 1000);
    EXPECT_EQ(Currency::fromDouble(0.00004).raw(), 0);
    EXPECT_EQ(Currency::fromDouble(0.99995).raw(), 10000);  // 0.999950000000000006
    EXPECT_EQ(Currency::fromDouble(-922337203685477.5).raw(), -9223372036854775000);
    EXPECT_EQ(Currency::fromDouble(0.5f).raw(), 5000);
    EXPECT_THROW(Currency::fromDouble(1e15), OverflowError);
    EXPECT_THROW(Currency::fromDouble(922337203685477.6), OverflowError);
    EXPECT_THROW(Currency::fromDouble(std::nan("")), OverflowError);
    EXPECT_THROW(Currency::fromDouble(-std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(NumericsCurrency, ExactSumsAndOverflow)
{
    Currency sum;
    for (int i = 0; i < 1000; ++i)
        sum += Currency::fromDouble(0.1);
    EXPECT_EQ(sum, Currency::fromWhole(100));
    EXPECT_EQ((Currency::fromDouble(0.1) + Currency::fromDouble(0.2)).raw(), 3000);
    EXPECT_EQ((Currency::fromRaw(kMaxRaw) + Currency::fromRaw(-1)).raw(), kMaxRaw - 1);
    EXPECT_EQ((Currency::fromRaw(kMinRaw) - Currency::fromRaw(-1)).raw(), kMinRaw + 1);
    EXPECT_THROW(Currency::fromRaw(kMaxRaw) + Currency::fromRaw(1), OverflowError);
    EXPECT_THROW(Currency::fromRaw(kMinRaw) + Currency::fromRaw(-1), OverflowError);
    EXPECT_THROW(Currency::fromRaw(kMinRaw) - Currency::fromRaw(1), OverflowError);
    EXPECT_THROW(Currency::fromRaw(kMaxRaw) - Currency::fromRaw(-1), OverflowError);
    EXPECT_THROW(-Currency::fromRaw(kMinRaw), OverflowError);
    EXPECT_EQ((-Currency::fromRaw(kMaxRaw)).raw(), -kMaxRaw);
    EXPECT_LT(Currency::fromRaw(-1), Currency());
}

TEST(NumericsCurrency, FromText)
{
    EXPECT_EQ(toCurrency("$1,234.50").raw(), 12345000);
    EXPECT_EQ(toCurrency("-$0.03125").raw(), -312);
    EXPECT_EQ(toCurrency("1.23456").raw(), 12346);
    EXPECT_THROW(toCurrency("1.2.3"), NumberFormatError);
    EXPECT_THROW(toCurrency("1e16"), OverflowError);
}

TEST(NumericsInt16, FromDouble)
{
    const std::vector<std::pair<double, int>> cases = {
        {12.5, 12},       {13.5, 14},     {-2.5, -2},       {0.5, 0},           {1.5, 2},  {2.4999, 2}, {2.5000001, 3},
        {-32768, -32768}, {32767, 32767}, {32767.4, 32767}, {-32768.5, -32768}, {-0.4, 0}, {7, 7},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(toInt16(value), expected) << value;
    for (double value :
         {32767.5, 32768.0, -32769.0, -32768.51, 1e10, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(toInt16(value), OverflowError) << value;
}

TEST(NumericsInt16, FromText)
{
    EXPECT_EQ(toInt16(std::string_view("12.5")), 12);
    EXPECT_EQ(toInt16(std::string_view(" 1,000 ")), 1000);
    EXPECT_EQ(toInt16(std::string_view("-3")), -3);
    EXPECT_THROW(toInt16(std::string_view("40000")), OverflowError);
    EXPECT_THROW(toInt16(std::string_view("abc")), NumberFormatError);
    EXPECT_THROW(toInt16(std::string_view("")), NumberFormatError);
}

TEST(NumericsRound, HalfEven)
{
    const std::vector<std::pair<double, double>> cases = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4, 2},
        {2.6, 3},
        {1e300, 1e300},
        {4503599627370497.0, 4503599627370497.0},
        {0.49999999999999994, 0},
        {4503599627370495.5, 4503599627370496.0},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(NumericsText, FloatToText)
{
    const std::vector<std::pair<float, const char *>> cases = {
        {999999.0f, "999999"},
        {0.0525f, "0.0525"},
        {7.5f, "7.5"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {-0.5f, "-0.5"},
        {123.456789f, "123.4568"},
        {1e7f, "1E+07"},
        {123456789.0f, "1.234568E+08"},
        {0.00001f, "1E-05"},
        {0.0001f, "0.0001"},
        {9999999.0f, "9999999"},
        {0.1f, "0.1"},
        {1.1f, "1.1"},
        {3493.15f, "3493.15"},
        {1e-10f, "1E-10"},
        {3.4028235e38f, "3.402823E+38"},
        {10000.125f, "10000.13"},
        {99999999.0f, "1E+08"},
        {0.775f, "0.775"},
        {-1234.5f, "-1234.5"},
        {0.000123456789f, "0.0001234568"},
        {1.5e-45f, "1.401298E-45"},
        {9999999.5f, "1E+07"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(floatToText(value), expected) << expected;
    EXPECT_THROW(floatToText(std::numeric_limits<float>::infinity()), OverflowError);
}

TEST(NumericsText, DoubleToText)
{
    const std::vector<std::pair<double, const char *>> cases = {
        {0.1, "0.1"},
        {2.675, "2.675"},
        {0.1 + 0.2, "0.3"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {1e-5, "1E-05"},
        {0.0001, "0.0001"},
        {1.0 / 3.0, "0.333333333333333"},
        {-2.5, "-2.5"},
        {1e100, "1E+100"},
        {5e-324, "4.94065645841247E-324"},
        {0.0, "0"},
        {716.5, "716.5"},
        {static_cast<double>(0.1f), "0.100000001490116"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(doubleToText(value), expected) << expected;
}

// The texts are made from the exact value of a double: checked here against
// its full expansion (all 767 digits a double can need), rounded by hand,
// for doubles of every size, denormals and the extremes included.
TEST(NumericsText, DoubleTextComesFromTheExactValue)
{
    // The first 15 significant digits of |v|, rounded half away from zero
    // from the exact expansion, and the decimal exponent of the first.
    auto reference = [](double v) {
        char buffer[800];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                             std::chars_format::scientific, 770);
        std::string text(buffer, end);
        const auto e = text.find('e');
        int exponent = std::stoi(text.substr(e + 1));
        std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
        const bool up = digits[15] >= '5';
        digits.resize(15);
        if (up) {
            int i = 14;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[i];
            }
        }
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        return std::pair{digits, exponent};
    };
    // The digits and exponent of a text made by doubleToText.
    auto digitsOf = [](const std::string &text) {
        std::string mantissa = text, digits;
        int exponent = 0;
        if (const auto e = text.find('E'); e != std::string::npos) {
            mantissa = text.substr(0, e);
            exponent = std::stoi(text.substr(e + 1));
        }
        const auto point = mantissa.find('.');
        int before = int(point == std::string::npos ? mantissa.size() : point);
        for (char c : mantissa)
            if (c >= '0' && c <= '9')
                digits += c;
        if (mantissa[0] == '-')
            --before;
        const auto first = digits.find_first_not_of('0');
        exponent += before - 1 - int(first);
        digits = digits.substr(first);
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        return std::pair{digits, exponent};
    };
    std::mt19937_64 random(20051231);
    std::vector<double> values{5e-324,     2.2250738585072014e-308, 1.7976931348623157e308, 0.1, 123.45, 0.125,
                               1e15 + 0.5, 999999999999999.5,       9.999999999999995};
    for (int i = 0; i < 20000; ++i) {
        double v;
        const std::uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v) && v != 0)
            values.push_back(v);
    }
    for (double v : values)
        EXPECT_EQ(digitsOf(legacy::doubleToText(v)), reference(v)) << legacy::doubleToText(v);
}

TEST(NumericsText, ShortestText)
{
    const std::vector<std::pair<double, const char *>> cases = {
        {716.5, "716.5"},
        {0.0525, "0.0525"},
        {999999, "999999"},
        {3493.15, "3493.15"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e20, "1E+20"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {0.0, "0"},
        {-0.5, "-0.5"},
        {1e-5, "1E-05"},
        {5e-324, "5E-324"},
        {0.0001, "0.0001"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(shortestText(value), expected) << expected;
    // It reads back as the same double.
    std::mt19937_64 random(42);
    for (int i = 0; i < 10000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 150);
        ASSERT_EQ(toDouble(shortestText(value)), value) << shortestText(value);
    }
}

TEST(NumericsText, FloatTextReadsBackAsTheFloat)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cents(-9'999'999, 9'999'999);
    for (int i = 0; i < 20000; ++i) {
        const int amount = cents(random);
        const float value = static_cast<float>(amount / 100.0);
        // Below 100000 a float is closer than half a cent to its amount:
        // the seven digits are the amount, and read back as the float.
        ASSERT_EQ(toDouble(floatToText(value)), amount / 100.0) << floatToText(value);
        ASSERT_EQ(toFloat(floatToText(value)), value) << floatToText(value);
    }
}

TEST(NumericsRoundCents, FloatAndDouble)
{
    EXPECT_EQ(roundCents(0.775f), 0.78f);
    EXPECT_EQ(roundCents(-0.125f), -0.13f);
    EXPECT_EQ(roundCents(1234.5678f), 1234.57f);
    EXPECT_EQ(roundCents(12345678.0f), 12345680.0f);
    EXPECT_EQ(roundCents(0.004f), 0.0f);
    EXPECT_EQ(roundCents(2.675), 2.68);
    EXPECT_EQ(roundCents(1.005), 1.01);
    EXPECT_EQ(roundCents(1.0049999), 1.0);
    EXPECT_EQ(roundCents(1234567.891), 1234567.89);
    EXPECT_EQ(roundCents(-5.0), -5.0);
}

TEST(NumericsLocale, SameUnderACommaDecimalLocale)
{
    const char *chosen = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    if (chosen == nullptr || std::string(std::localeconv()->decimal_point) != ",") {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    std::locale previous = std::locale::global(std::locale(chosen));

    for (const auto &c : kFloatFormats)
        EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    for (const auto &c : kDoubleFormats)
        EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    for (const auto &c : kCurrencyFormats)
        EXPECT_EQ(format(Currency::fromRaw(c.raw), c.pattern), c.expected) << c.raw << " with " << c.pattern;
    EXPECT_EQ(val("1.5"), 1.5);
    EXPECT_EQ(val("1,5"), 1.0);
    EXPECT_EQ(toDouble("1,234.56"), 1234.56);
    EXPECT_EQ(toFloat("0.1"), 0.1f);
    EXPECT_EQ(toCurrency("2.5").raw(), 25000);
    EXPECT_EQ(toInt16(std::string_view("12.5")), 12);
    EXPECT_EQ(floatToText(123.456789f), "123.4568");
    EXPECT_EQ(doubleToText(2.675), "2.675");
    EXPECT_EQ(shortestText(3493.15), "3493.15");
    EXPECT_EQ(roundCents(2.675), 2.68);

    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
}
