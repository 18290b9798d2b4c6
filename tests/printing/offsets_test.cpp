// The printer offsets: what a box's text stores, what a stored offset shows
// as, and the columns and lines check printing moves the check by.
#include "printing/offsets.h"

#include <gtest/gtest.h>

#include <string>

using namespace wagedesk::printing;

TEST(Offsets, BoxTextsWithinFiveStepsAreStoredAsTyped)
{
    const struct {
        const char *text;
        float stored;
    } cases[] = {
        {"0", 0.f},    {"+5", 5.f},   {"-5", -5.f},    {"+3", 3.f},   {"3", 3.f},
        {"2.5", 2.5f}, {"4.5", 4.5f}, {"-4.5", -4.5f}, {"5.4", 5.4f}, {" -2 ", -2.f},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readOffset(c.text, "Horizontal"), c.stored) << c.text;
}

TEST(Offsets, BoxTextsThatAreNoOffsetAreRefusedNamingTheBox)
{
    // 5.5 and -5.5 round (half to even) to 6 and -6.
    for (const char *text : {"5.5", "-5.5", "6", "-6", "1e1", "abc", "", "+", "3x"}) {
        try {
            readOffset(text, "Vertical");
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const OffsetError &e) {
            EXPECT_EQ(std::string(e.what()).rfind("Vertical: \"", 0), 0u) << e.what();
        }
    }
    try {
        readOffset("abc", "Horizontal");
        ADD_FAILURE() << "accepted abc";
    } catch (const OffsetError &e) {
        EXPECT_STREQ(e.what(), "Horizontal: \"abc\" is not a number.");
    }
}

TEST(Offsets, StoredOffsetShowsAsWholeStepsWithinTheRange)
{
    const struct {
        float stored;
        std::int16_t shown;
    } cases[] = {
        {0.f, 0}, {3.f, 3},  {-3.f, -3},  {2.5f, 2}, {3.5f, 4},  {-2.5f, -2},  {4.5f, 4},
        {5.f, 5}, {5.5f, 5}, {-5.5f, -5}, {7.f, 5},  {-7.f, -5}, {40000.f, 5}, {-1e30f, -5},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wholeOffset(c.stored), c.shown) << c.stored;
}

TEST(Offsets, PrintUnitsFromTheBoxTexts)
{
    const struct {
        const char *text;
        std::int16_t columns, lines;
    } cases[] = {
        {"0", 0, 3},    {"+5", 5, 8},     {"-5", -5, -2}, {"+3", 3, 6},
        {"-3", -3, 0},  {"-4", -4, -1},   {"2.5", 2, 6},  // 5.5 lines: half to even
        {"3.5", 4, 6},  {"1.5", 2, 4},                    // 4.5 lines, not 2 + 3
        {"-0.5", 0, 2}, {"-4.5", -4, -2},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(horizontalColumns(c.text), c.columns) << c.text;
        EXPECT_EQ(verticalLines(c.text), c.lines) << c.text;
    }
}
