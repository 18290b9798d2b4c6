// The general state and the city withholding, over the bracket tables of the
// settings store. The tables hold bi-weekly amounts; weekly pay halves the
// minimums, amounts and allowance (never the percentages). Frequency and
// the non-resident switch are the live controls of the user information
// window, passed in; with neither frequency selected nothing is computed.
#pragma once

#include <cstdint>

namespace wagedesk::tables {

// From result.GrossLessKPlan, StateAllowanceAmount and StateCafeteria and
// the table of profile.StateStatus ("Single", or Married for any other
// text): sets result.StateWages and, when a row matches, result.StateTax
// (a 32-bit amount). A wage below the first minimum leaves StateTax as it
// was (the calculation has set it to 0).
void GetStateTax(bool optBiWeek, bool optWeek);

// City tax. ckNonCity is the value of the "NON-CITY Resident" box (on at
// exactly 1). Resident: the city table of profile.StateStatus on
// GrossLessKPlan less CityAllowanceAmount; sets result.CityWages and, on a
// match, result.CityTax. Non-resident: the non-resident table of the
// frequency picks result.CityAllowanceAmount (kept when the wage is below
// the first line) and CityTax = (GrossLessKPlan - allowance) x NonPer; the
// bi-weekly case then ends without looking at the weekly option.
void GetCityTax(bool optBiWeek, bool optWeek, std::int16_t ckNonCity);

} // namespace wagedesk::tables
