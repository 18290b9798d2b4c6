#include "tables/withholding.h"

#include <cstddef>

#include "core/state.h"

namespace wagedesk::tables {

namespace {

struct Brackets {
    const TableColumn &min, &amt, &per;
};

// Every row is tested and every match writes the amount, so with minimums
// out of order the last matching row counts. divisor 2 gives the weekly
// figures: minimums compared as halved 32-bit values, amounts halved,
// percentages as they are.
void bracketTax(const Brackets &t, float wage, double divisor, VariantNumber &tax)
{
    auto minimum = [&](std::size_t i) { return static_cast<float>(t.min[i] / divisor); };
    auto amount = [&](std::size_t i) {
        return VariantNumber::single(static_cast<float>(
            (static_cast<double>(wage) - minimum(i)) * t.per[i] + t.amt[i] / divisor));
    };
    for (std::size_t i = 0; i < 9; ++i)
        if (minimum(i) <= wage && wage < minimum(i + 1))
            tax = amount(i);
    if (wage >= minimum(9))
        tax = amount(9);
}

Brackets stateTable(const StateSettings &s, bool single)
{
    if (single)
        return {s.StateMinBS, s.StateAmtBS, s.StatePerBS};
    return {s.StateMinBM, s.StateAmtBM, s.StatePerBM};
}

Brackets cityTable(const StateSettings &s, bool single)
{
    if (single)
        return {s.CityMinBS, s.CityAmtBS, s.CityPerBS};
    return {s.CityMinBM, s.CityAmtBM, s.CityPerBM};
}

// The non-resident method: the line of the wage gives the amount to
// subtract; a wage below the first line keeps the allowance there is.
void nonResidentTax(const NonResidentColumn &min, const NonResidentColumn &subtract, float perc, PayResult &r)
{
    const float wage = r.GrossLessKPlan;
    for (std::size_t i = 0; i < 7; ++i)
        if (min[i] <= wage && wage < min[i + 1])
            r.CityAllowanceAmount = subtract[i];
    if (wage >= min[7])
        r.CityAllowanceAmount = subtract[7];
    r.CityTax = VariantNumber::single(
        static_cast<float>((static_cast<double>(wage) - r.CityAllowanceAmount) * perc));
}

} // namespace

void GetStateTax(bool optBiWeek, bool optWeek)
{
    ProgramState &st = state();
    PayResult &r = st.result;
    const Brackets table = stateTable(st.stateSettings, st.profile.StateStatus == "Single");
    if (optBiWeek) {
        r.StateWages = static_cast<float>(static_cast<double>(r.GrossLessKPlan) - r.StateAllowanceAmount -
                                          r.StateCafeteria);
        bracketTax(table, r.StateWages, 1, r.StateTax);
    }
    if (optWeek) {
        r.StateWages = static_cast<float>(static_cast<double>(r.GrossLessKPlan) - r.StateAllowanceAmount / 2.0 -
                                          r.StateCafeteria);
        bracketTax(table, r.StateWages, 2, r.StateTax);
    }
}

void GetCityTax(bool optBiWeek, bool optWeek, std::int16_t ckNonCity)
{
    ProgramState &st = state();
    PayResult &r = st.result;
    const StateSettings &s = st.stateSettings;
    const bool nonResident = ckNonCity == 1;
    const Brackets table = cityTable(s, st.profile.StateStatus == "Single");
    if (optBiWeek) {
        if (nonResident) {
            nonResidentTax(s.NonMinBi, s.NonExpBi, s.NonPer, r);
            return;
        }
        r.CityWages = static_cast<float>(static_cast<double>(r.GrossLessKPlan) - r.CityAllowanceAmount);
        bracketTax(table, r.CityWages, 1, r.CityTax);
    }
    if (optWeek) {
        if (nonResident) {
            nonResidentTax(s.NonMinWk, s.NonExpWk, s.NonPer, r);
            return;
        }
        r.CityWages = static_cast<float>(static_cast<double>(r.GrossLessKPlan) - r.CityAllowanceAmount / 2.0);
        bracketTax(table, r.CityWages, 2, r.CityTax);
    }
}

} // namespace wagedesk::tables
