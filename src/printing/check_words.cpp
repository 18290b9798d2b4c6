#include "printing/check_words.h"

#include <array>

#include "legacy/numerics.h"

namespace wagedesk::printing {

namespace {

constexpr const char *kAmountPattern = "000000.00";

constexpr std::array<const char *, 20> kOnesWords{
    "",    "One",    "Two",    "Three",    "Four",     "Five",    "Six",     "Seven",     "Eight",    "Nine",
    "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
constexpr std::array<const char *, 10> kTensWords{"",      "Ten",   "Twenty",  "Thirty", "Forty",
                                                  "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

bool allZeros(const std::string &digits) { return digits.find_first_not_of('0') == std::string::npos; }

}  // namespace

void ConvertHundreds(CheckWordsState &words)
{
    const std::string &group = words.WordsGroup;
    const int hundreds = group[0] - '0', tens = group[1] - '0', units = group[2] - '0';
    if (hundreds > 0)
        words.CheckWords += std::string(" ") + kOnesWords[hundreds] + " Hundred";
    const int lastTwo = tens * 10 + units;
    if (lastTwo >= 20) {
        words.CheckWords += std::string(" ") + kTensWords[tens];
        if (units > 0)
            words.CheckWords += std::string(" ") + kOnesWords[units];
    } else if (lastTwo > 0) {
        words.CheckWords += std::string(" ") + kOnesWords[lastTwo];
    }
}

CheckFields FillCheckFields(float netPay, const ProfileSettings &profile, CheckWordsState &words)
{
    CheckFields f;
    f.txtPayTo = profile.EmployeeName + "********";
    f.txtUserName = profile.EmployeeName;
    f.txtUserAddress = profile.EmployeeAddress;
    f.txtUserState = profile.EmployeeCityStateZip;
    f.txtUserSSnum = profile.EmployeeSSN;

    words.CheckAmountText = legacy::format(netPay, kAmountPattern);
    words.CheckDollars = words.CheckAmountText.substr(0, 6);
    words.CheckCents = words.CheckAmountText.substr(words.CheckAmountText.size() - 2);
    // Decided on the text, after rounding to cents: a million or more has
    // seven digits before the point, which six-digit groups cannot spell.
    words.tooLarge = words.CheckAmountText.size() > 9;
    // Emptied first, so no words of an earlier amount stay behind to be
    // printed for one too large.
    words.CheckWords.clear();
    if (words.tooLarge) {
        f.txtDollars = kAmountTooLarge;
        return f;
    }

    if (allZeros(words.CheckDollars)) {
        words.CheckWords = "Zero";
    } else {
        words.WordsGroup = words.CheckDollars.substr(0, 3);
        if (!allZeros(words.WordsGroup)) {
            ConvertHundreds(words);
            words.CheckWords += " Thousand";
        }
        words.WordsGroup = words.CheckDollars.substr(3, 3);
        if (!allZeros(words.WordsGroup))
            ConvertHundreds(words);
    }
    if (words.CheckCents == "00")
        words.CheckCents = "No";
    words.CheckWords += " and " + words.CheckCents + "/100";
    f.txtDollars = words.CheckWords;
    return f;
}

std::string FormatCheckAmount(float netPay)
{
    std::string shown = legacy::format(netPay, kAmountPattern);
    const std::size_t first = shown.find_first_not_of('0');
    // Below one dollar every dollar digit is a zero: no asterisks.
    if (first != std::string::npos && first < 6)
        shown.replace(0, first, first, '*');
    return shown;
}

}  // namespace wagedesk::printing
