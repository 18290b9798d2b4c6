// The built-in tables: the New York state and city tables and the
// non-resident city table, as the texts their editor boxes receive (the
// shortest decimal texts: "17.5", "0.0525"), and the same figures as store
// values.
#pragma once

#include <array>
#include <string_view>

#include "core/state.h"

namespace wagedesk::tables {

// The texts of one bracket line, of one allowance row, of one non-resident line.
struct BracketTextRow {
    std::string_view minimum, amount, percentage;
};
using BracketTexts = std::array<BracketTextRow, 10>;
struct AllowanceTextRow {
    std::string_view single, married;
};
using AllowanceTexts = std::array<AllowanceTextRow, 10>;
struct NonResidentTextRow {
    std::string_view minimum, subtract;
};
using NonResidentLineTexts = std::array<NonResidentTextRow, 8>;

struct WithholdingTableTexts {
    BracketTexts single, married;
};

// The state editor's 86 boxes.
struct StateTableTexts {
    WithholdingTableTexts table;
    AllowanceTexts allowance;
    std::string_view txtSDIpercent, txtSDIwageBase, txtStateAdj, txtCalAllow, txtSUIpercent, txtSUIwageBase;
};

// The city editor's 80 boxes.
struct CityTableTexts {
    WithholdingTableTexts table;
    AllowanceTexts allowance;
};

// The non-resident editor's 33 boxes.
struct NonResidentTableTexts {
    NonResidentLineTexts biWeekly, weekly;
    std::string_view percentage;
};

// Bi-weekly New York withholding.
extern const StateTableTexts kNewYorkStateTexts;
// Bi-weekly New York City withholding; line 4 has Single "557", Married "577".
extern const CityTableTexts kNewYorkCityTexts;
// The non-resident table of the DEFAULT button.
extern const NonResidentTableTexts kNonResidentTexts;

// The figures the texts read as.
WithholdingTable withholdingTable(const WithholdingTableTexts &texts);
AllowanceTable allowanceTable(const AllowanceTexts &texts);
NonResidentTable nonResidentTable(const NonResidentTableTexts &texts);

// The built-in figures into the store. State: the two bracket tables and
// the allowances; SDI, SUI, the adjustment and the switches are left alone,
// as the New York button leaves filled boxes alone. City: the bracket
// tables and allowances; NoLocalTax is left alone. Non-resident: all 33
// values.
void applyNewYorkStateTable(StateSettings &store);
void applyNewYorkCityTable(StateSettings &store);
void applyNonResidentTable(StateSettings &store);

// Every item of a state table file as a profile without one has it: the
// New York tables, no SDI or SUI, no adjustment, every switch off, Single
// with no exemptions, no federal exemption or additional amount.
void builtInStateFileItems(StateSettings &store, ProfileSettings &profile);
// Every item of a city table file likewise: the New York city tables and
// NO LOCAL TAX off.
void builtInCityFileItems(StateSettings &store);

}  // namespace wagedesk::tables
