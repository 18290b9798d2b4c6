// The built-in tables: the New York state and city tables and the
// non-resident city table, as the texts their editor boxes receive, and the
// same figures put straight into the settings store.
#pragma once

#include <array>
#include <string_view>

#include "core/state.h"

namespace wagedesk::tables {

// A column of ten bracket lines or allowance rows (index = row 0 to 9).
using TextColumn = std::array<std::string_view, 10>;
// A column of the eight non-resident lines.
using NonResidentTextColumn = std::array<std::string_view, 8>;

// The state editor's 86 boxes, named after the boxes.
struct StateTableTexts {
    TextColumn txtStateMinBS, txtStateAmtBS, txtStatePerBS;
    TextColumn txtStateMinBM, txtStateAmtBM, txtStatePerBM;
    TextColumn txtStateSgExp, txtStateMarExp;
    std::string_view txtSDIpercent, txtSDIwageBase, txtStateAdj, txtCalAllow, txtSUIpercent, txtSUIwageBase;
};

// The city editor's 80 boxes.
struct CityTableTexts {
    TextColumn txtCityMinBS, txtCityAmtBS, txtCityPerBS;
    TextColumn txtCityMinBM, txtCityAmtBM, txtCityPerBM;
    TextColumn txtCitySgExp, txtCityMarExp;
};

// The non-resident editor's 33 boxes.
struct NonResidentTableTexts {
    NonResidentTextColumn txtNonMinBi, txtNonExpBi, txtNonMinWk, txtNonExpWk;
    std::string_view txtNonPer;
};

// Bi-weekly New York withholding, shortest decimal texts ("17.5", "0.0525").
extern const StateTableTexts kNewYorkStateTexts;
// Bi-weekly New York City withholding; line 4 has Single "557", Married "577".
extern const CityTableTexts kNewYorkCityTexts;
// The non-resident table of the DEFAULT button.
extern const NonResidentTableTexts kNonResidentTexts;

// The figures those texts read as, into the store. State: the two bracket
// tables and the allowance columns (rows 0 to 9); SDI, SUI, the adjustment
// and the switches are left alone, as the New York button leaves filled
// boxes alone. City: the bracket tables and allowances; NoLocalTax is left
// alone. Non-resident: all 33 values.
void applyNewYorkStateTable(StateSettings &store);
void applyNewYorkCityTable(StateSettings &store);
void applyNonResidentTable(StateSettings &store);

} // namespace wagedesk::tables
