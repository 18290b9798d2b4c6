#include "tables/withholding.h"

#include <cstddef>

#include "legacy/numerics.h"

namespace wagedesk::tables {

namespace {

// Amounts are worked in double and kept as 32-bit floats; one beyond a
// float's range stops the calculation (legacy::toSingle throws).
//
// Every line is tested and every match writes the amount, so with minimums
// out of order the last matching line counts. divisor 2 gives the weekly
// figures: minimums compared as halved 32-bit values, amounts halved,
// percentages as they are.
void bracketTax(const BracketTable &t, float wage, double divisor, VariantNumber &tax)
{
    auto minimum = [&](std::size_t i) { return legacy::toSingle(t[i].minimum / divisor); };
    auto amount = [&](std::size_t i) {
        return VariantNumber::single(
            legacy::toSingle((static_cast<double>(wage) - minimum(i)) * t[i].percentage + t[i].amount / divisor));
    };
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (minimum(i) <= wage && wage < minimum(i + 1))
            tax = amount(i);
    if (wage >= minimum(t.size() - 1))
        tax = amount(t.size() - 1);
}

// Withholding is never a refund: a city tax below 0 becomes 0. A tax of 0
// or more, and the Integer 0 left where no line matched, stay exactly as
// they are.
void noRefund(VariantNumber &tax)
{
    if (tax.value < 0)
        tax = VariantNumber::single(0.f);
}

// The non-resident method: the line of the wage gives the amount to
// subtract; a wage below the first line keeps the allowance there is (the
// resident one the calculation chose), which may be more than the wage. A
// wage below 0 owes nothing (its -0 too becomes 0).
void nonResidentTax(const NonResidentLines &lines, float perc, PayResult &r)
{
    const float wage = r.GrossLessKPlan;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].minimum <= wage && wage < lines[i + 1].minimum)
            r.CityAllowanceAmount = lines[i].subtract;
    if (wage >= lines.back().minimum)
        r.CityAllowanceAmount = lines.back().subtract;
    const float tax = legacy::toSingle((static_cast<double>(wage) - r.CityAllowanceAmount) * perc);
    r.CityTax = VariantNumber::single(wage < 0 && tax <= 0 ? 0.f : tax);
    noRefund(r.CityTax);
}

}  // namespace

void GetStateTax(const WithholdingTable &table, const std::string &status, bool optBiWeek, bool optWeek, PayResult &r)
{
    const BracketTable &brackets = table.forStatus(status);
    if (optBiWeek) {
        r.StateWages = legacy::toSingle(static_cast<double>(r.GrossLessKPlan) - r.StateAllowanceAmount -
                                        r.StateCafeteria);
        bracketTax(brackets, r.StateWages, 1, r.StateTax);
    }
    if (optWeek) {
        r.StateWages = legacy::toSingle(static_cast<double>(r.GrossLessKPlan) - r.StateAllowanceAmount / 2.0 -
                                        r.StateCafeteria);
        bracketTax(brackets, r.StateWages, 2, r.StateTax);
    }
}

void GetCityTax(const WithholdingTable &table, const NonResidentTable &nonResident, const std::string &status,
                bool optBiWeek, bool optWeek, std::int16_t ckNonCity, PayResult &r)
{
    const bool nonCity = ckNonCity == 1;
    const BracketTable &brackets = table.forStatus(status);
    if (optBiWeek) {
        if (nonCity) {
            nonResidentTax(nonResident.biWeekly, nonResident.percentage, r);
            return;
        }
        r.CityWages = legacy::toSingle(static_cast<double>(r.GrossLessKPlan) - r.CityAllowanceAmount);
        bracketTax(brackets, r.CityWages, 1, r.CityTax);
    }
    if (optWeek) {
        if (nonCity) {
            nonResidentTax(nonResident.weekly, nonResident.percentage, r);
            return;
        }
        r.CityWages = legacy::toSingle(static_cast<double>(r.GrossLessKPlan) - r.CityAllowanceAmount / 2.0);
        bracketTax(brackets, r.CityWages, 2, r.CityTax);
    }
    // A typed negative amount or percentage can give a line a tax below 0.
    noRefund(r.CityTax);
}

}  // namespace wagedesk::tables
