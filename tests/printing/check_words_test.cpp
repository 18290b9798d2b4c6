// The check's amount in words and its asterisk-filled figure, the payee
// and identity boxes, and what the words conversion keeps between calls.
#include "printing/check_words.h"

#include <gtest/gtest.h>

#include <string>

#include "core/state.h"

using namespace wagedesk;
using namespace wagedesk::printing;

namespace {

ProfileSettings employee(std::string name)
{
    ProfileSettings p;
    p.EmployeeName = std::move(name);
    p.EmployeeAddress = "1 Elm St";
    p.EmployeeCityStateZip = "Albany NY 12207";
    p.EmployeeSSN = "123-45-6789";
    return p;
}

struct Spelled {
    float netPay;
    const char *figure;  // the "$" box
    const char *words;   // CheckWords and the words box
};

}  // namespace

TEST(CheckWords, AmountsInWordsAndFigures)
{
    const Spelled cases[] = {
        {0.f, "000000.00", "Zero and No/100"},
        {0.07f, "000000.07", "Zero and 07/100"},
        {0.5f, "000000.50", "Zero and 50/100"},
        {1.f, "*****1.00", " One and No/100"},
        {5.25f, "*****5.25", " Five and 25/100"},
        {20.05f, "****20.05", " Twenty and 05/100"},
        {13.f, "****13.00", " Thirteen and No/100"},
        {20.f, "****20.00", " Twenty and No/100"},
        {45.f, "****45.00", " Forty Five and No/100"},
        {90.f, "****90.00", " Ninety and No/100"},
        {100.f, "***100.00", " One Hundred and No/100"},
        {110.f, "***110.00", " One Hundred Ten and No/100"},
        {305.5f, "***305.50", " Three Hundred Five and 50/100"},
        {999.f, "***999.00", " Nine Hundred Ninety Nine and No/100"},
        {1000.f, "**1000.00", " One Thousand and No/100"},
        {1015.f, "**1015.00", " One Thousand Fifteen and No/100"},
        {5000.f, "**5000.00", " Five Thousand and No/100"},
        {1234.56f, "**1234.56", " One Thousand Two Hundred Thirty Four and 56/100"},
        {12345.67f, "*12345.67", " Twelve Thousand Three Hundred Forty Five and 67/100"},
        // The single is 21999.990234.
        {21999.99f, "*21999.99", " Twenty One Thousand Nine Hundred Ninety Nine and 99/100"},
        {101010.10f, "101010.10", " One Hundred One Thousand Ten and 10/100"},
        {123456.5f, "123456.50", " One Hundred Twenty Three Thousand Four Hundred Fifty Six and 50/100"},
        // A single holds seven digits: 123456.78125 is 123456.8.
        {123456.78f, "123456.80", " One Hundred Twenty Three Thousand Four Hundred Fifty Six and 80/100"},
        // The largest single below a million, 999999.9375, is 999999.9.
        {999999.9375f, "999999.90", " Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine and 90/100"},
        // The form follows the digits after rounding to cents; 999.995 is
        // the single 999.99499511, whose seven digits end in the half.
        {0.995f, "*****1.00", " One and No/100"},
        {9.999f, "****10.00", " Ten and No/100"},
        {999.995f, "**1000.00", " One Thousand and No/100"},
        {9999.995f, "*10000.00", " Ten Thousand and No/100"},
    };
    for (const Spelled &c : cases) {
        CheckWordsState words;
        const CheckFields f = FillCheckFields(c.netPay, employee("Jane Roe"), words);
        EXPECT_EQ(f.txtDollars, c.words) << c.netPay;
        EXPECT_EQ(words.CheckWords, c.words) << c.netPay;
        EXPECT_FALSE(words.tooLarge) << c.netPay;
        EXPECT_EQ(FormatCheckAmount(c.netPay), c.figure) << c.netPay;
    }
}

TEST(CheckWords, AmountOfAMillionOrMoreIsNotSpelled)
{
    const struct {
        float netPay;
        const char *figure, *dollars;
    } cases[] = {
        {1000000.f, "1000000.00", "100000"},
        {999999.99f, "1000000.00", "100000"},   // the nearest single is 1000000
        {1234567.89f, "1234568.00", "123456"},  // seven digits: 1234568
    };
    for (const auto &c : cases) {
        CheckWordsState words;
        const CheckFields f = FillCheckFields(c.netPay, employee("Jane Roe"), words);
        EXPECT_EQ(f.txtDollars, kAmountTooLarge) << c.netPay;
        EXPECT_EQ(f.txtDollars, "Dollar amount is too large");
        EXPECT_TRUE(words.tooLarge) << c.netPay;
        EXPECT_EQ(words.CheckWords, "") << c.netPay;
        EXPECT_EQ(f.txtPayTo, "Jane Roe********");
        EXPECT_EQ(words.CheckAmountText, c.figure) << c.netPay;
        EXPECT_EQ(words.CheckDollars, c.dollars) << c.netPay;
        EXPECT_EQ(words.CheckCents, "00") << c.netPay;  // not spelled, so not "No"
        // Shown in full, without asterisks.
        EXPECT_EQ(FormatCheckAmount(c.netPay), c.figure) << c.netPay;
    }
}

TEST(CheckWords, NoWordsOfAnEarlierAmountOutliveATooLargeOne)
{
    CheckWordsState words;
    FillCheckFields(1234.56f, employee("Jane Roe"), words);
    ASSERT_EQ(words.CheckWords, " One Thousand Two Hundred Thirty Four and 56/100");

    FillCheckFields(2000000.f, employee("Jane Roe"), words);
    EXPECT_TRUE(words.tooLarge);
    EXPECT_EQ(words.CheckWords, "");

    const CheckFields f = FillCheckFields(20.05f, employee("Jane Roe"), words);
    EXPECT_FALSE(words.tooLarge);
    EXPECT_EQ(words.CheckWords, " Twenty and 05/100");
    EXPECT_EQ(f.txtDollars, " Twenty and 05/100");
}

TEST(CheckWords, WordsAreRebuiltFromScratchOnEveryCall)
{
    CheckWordsState words;
    FillCheckFields(12345.67f, employee("Jane Roe"), words);
    FillCheckFields(1000.f, employee("Jane Roe"), words);
    EXPECT_EQ(words.CheckAmountText, "001000.00");
    EXPECT_EQ(words.CheckDollars, "001000");
    EXPECT_EQ(words.CheckCents, "No");
    EXPECT_EQ(words.CheckWords, " One Thousand and No/100");
    EXPECT_FALSE(words.tooLarge);
}

TEST(CheckWords, ConvertHundredsAppendsOneGroup)
{
    const struct {
        const char *group, *appended;
    } cases[] = {
        {"000", ""},
        {"001", " One"},
        {"010", " Ten"},
        {"019", " Nineteen"},
        {"020", " Twenty"},
        {"045", " Forty Five"},
        {"100", " One Hundred"},
        {"909", " Nine Hundred Nine"},
        {"990", " Nine Hundred Ninety"},
        {"999", " Nine Hundred Ninety Nine"},
    };
    for (const auto &c : cases) {
        CheckWordsState words;
        words.CheckWords = "Before";
        words.WordsGroup = c.group;
        ConvertHundreds(words);
        EXPECT_EQ(words.CheckWords, std::string("Before") + c.appended) << c.group;
    }
}

TEST(CheckWords, PayeeAndIdentityBoxesComeFromTheProfile)
{
    CheckWordsState words;
    const CheckFields f = FillCheckFields(110.f, employee("Jane Roe"), words);
    EXPECT_EQ(f, (CheckFields{"Jane Roe********", "Jane Roe", "1 Elm St", "Albany NY 12207", "123-45-6789",
                              " One Hundred Ten and No/100"}));

    const CheckFields unnamed = FillCheckFields(110.f, employee(""), words);
    EXPECT_EQ(unnamed.txtPayTo, "********");
    EXPECT_EQ(unnamed.txtUserName, "");
}
