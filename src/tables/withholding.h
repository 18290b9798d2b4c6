// The general state and the city withholding, over the bracket tables of the
// settings store. The tables hold bi-weekly amounts; weekly pay halves the
// minimums, amounts and allowance (never the percentages). The frequency
// and the non-resident switch are the live controls of the user information
// window, passed in; with neither frequency selected nothing is computed.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace wagedesk::tables {

// From r.GrossLessKPlan, r.StateAllowanceAmount and r.StateCafeteria and the
// table of the status ("Single", or Married for any other text): sets
// r.StateWages and, when a line matches, r.StateTax (a 32-bit amount). A wage
// below the first minimum leaves StateTax as it was (the calculation has set
// it to 0).
void GetStateTax(const WithholdingTable &table, const std::string &status, bool optBiWeek, bool optWeek, PayResult &r);

// City tax. ckNonCity is the value of the "NON-CITY Resident" box (on at
// exactly 1). Resident: the city table of the status on GrossLessKPlan less
// CityAllowanceAmount; sets r.CityWages and, on a match, r.CityTax.
// Non-resident: the non-resident lines of the frequency pick
// r.CityAllowanceAmount (kept when the wage is below the first line) and
// CityTax = (GrossLessKPlan - allowance) x the percentage; the bi-weekly
// case then ends without looking at the weekly option. Either way r.CityTax
// is never below 0 (a 32-bit 0 where it would be), whatever the wage and
// the tables.
void GetCityTax(const WithholdingTable &table, const NonResidentTable &nonResident, const std::string &status,
                bool optBiWeek, bool optWeek, std::int16_t ckNonCity, PayResult &r);

}  // namespace wagedesk::tables
