// The check's amount: the net pay in words ("One Hundred Ten and No/100")
// and as the asterisk-filled figure of the check's "$" box. Standard
// library only.
#pragma once

#include <string>

#include "core/state.h"

namespace wagedesk::printing {

// The strings the words conversion keeps between calls, as the check
// form's last refresh left them. Check printing prints CheckWords.
struct CheckWordsState {
    std::string CheckAmountText;  // the net pay in "000000.00"
    std::string CheckDollars;     // its first six characters
    std::string CheckCents;       // its last two, "No" for "00"
    std::string CheckWords;       // the amount in words, "" when too large
    std::string WordsGroup;       // the three-digit group last taken from the dollars
    // More than 999999.99: no words, and no check may be printed.
    bool tooLarge = false;
    bool operator==(const CheckWordsState &) const = default;
};

// Shown in place of the words for an amount too large to spell, and the
// message when such a check is to be printed.
inline constexpr const char *kAmountTooLarge = "Dollar amount is too large";

// The check form's boxes that FillCheckFields fills.
struct CheckFields {
    std::string txtPayTo, txtUserName, txtUserAddress, txtUserState, txtUserSSnum;
    std::string txtDollars;
    bool operator==(const CheckFields &) const = default;
};

// FillCheckFields: the payee ("<name>********") and the employee's identity
// from the profile, and the amount in words from the net pay as the check
// shows it (the caller passes 0 for a negative net pay). Every word is
// preceded by one blank ("Zero" is not): " Forty Five and 05/100".
CheckFields FillCheckFields(float netPay, const ProfileSettings &profile, CheckWordsState &words);

// ConvertHundreds: appends the words of the three digits of
// words.WordsGroup to words.CheckWords.
void ConvertHundreds(CheckWordsState &words);

// FormatCheckAmount: the net pay in "000000.00" with its leading zeros
// replaced by asterisks ("***110.00"); below one dollar no asterisk at all
// ("000000.50"). An amount of a million or more is shown in full.
std::string FormatCheckAmount(float netPay);

}  // namespace wagedesk::printing
