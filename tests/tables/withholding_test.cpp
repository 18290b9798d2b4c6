#include "tables/withholding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/state.h"
#include "tables/table_defaults.h"

using namespace wagedesk;
using namespace wagedesk::tables;

namespace {

enum class Pay { BiWeekly, Weekly, Neither, Both };
bool biWeekly(Pay p) { return p == Pay::BiWeekly || p == Pay::Both; }
bool weekly(Pay p) { return p == Pay::Weekly || p == Pay::Both; }

// A wage and allowance in, the wage and amount out; no amount means the
// tax cell keeps the 0 the calculation put there.
struct Case {
    const char *name;
    std::string status;
    Pay pay;
    float grossLessKPlan, allowance, cafeteria;
    float wage;
    std::optional<double> tax;
};

void expectTax(const VariantNumber &tax, const std::optional<double> &expected)
{
    if (!expected) {
        EXPECT_EQ(tax.kind, VariantNumber::Kind::Integer);
        EXPECT_EQ(tax.value, 0);
        return;
    }
    EXPECT_EQ(tax.kind, VariantNumber::Kind::Single);
    // Within float precision of the amount.
    EXPECT_NEAR(tax.value, *expected, 1e-6 + 1e-6 * std::abs(*expected));
}

class Withholding : public ::testing::Test {
protected:
    void SetUp() override
    {
        applyNewYorkStateTable(s);
        applyNewYorkCityTable(s);
        applyNonResidentTable(s);
    }

    void runStateCase(const Case &c)
    {
        SCOPED_TRACE(c.name);
        PayResult r;
        r.StateWages = -1;  // shows whether the wage was computed
        r.GrossLessKPlan = c.grossLessKPlan;
        r.StateAllowanceAmount = c.allowance;
        r.StateCafeteria = c.cafeteria;
        GetStateTax(s.StateTable, c.status, biWeekly(c.pay), weekly(c.pay), r);
        EXPECT_NEAR(r.StateWages, c.wage, 1e-3);
        expectTax(r.StateTax, c.tax);
        EXPECT_EQ(r.StateAllowanceAmount, c.allowance);
    }

    void runCityCase(const Case &c, std::int16_t ckNonCity = 0)
    {
        SCOPED_TRACE(c.name);
        PayResult r;
        r.CityWages = -1;
        r.GrossLessKPlan = c.grossLessKPlan;
        r.CityAllowanceAmount = c.allowance;
        GetCityTax(s.CityTable, s.NonResident, c.status, biWeekly(c.pay), weekly(c.pay), ckNonCity, r);
        EXPECT_NEAR(r.CityWages, c.wage, 1e-3);
        expectTax(r.CityTax, c.tax);
        EXPECT_EQ(r.CityAllowanceAmount, c.allowance);
    }

    // A non-resident wage and the resident allowance the calculation chose
    // in; the allowance and the amount out.
    struct NonCase {
        const char *name;
        Pay pay;
        float grossLessKPlan, residentAllowance;
        float allowance;
        double tax;
    };
    void runNonResidentCase(const NonCase &c)
    {
        SCOPED_TRACE(c.name);
        PayResult r;
        r.CityWages = -1;
        r.GrossLessKPlan = c.grossLessKPlan;
        r.CityAllowanceAmount = c.residentAllowance;
        GetCityTax(s.CityTable, s.NonResident, "Single", biWeekly(c.pay), weekly(c.pay), 1, r);
        EXPECT_EQ(r.CityAllowanceAmount, c.allowance);
        expectTax(r.CityTax, c.tax);
        EXPECT_EQ(r.CityWages, -1);
    }

    // Rows 0 to 2 in use, the rest marked 999999.
    static BracketTable threeRowTable()
    {
        const BracketRow rows[3] = {{100, 1, 0.05f}, {500, 21, 0.04f}, {2000, 81, 0.1f}};
        BracketTable t{};
        for (std::size_t i = 0; i < 10; ++i)
            t[i] = i < 3 ? rows[i] : BracketRow{999999, 0, 0};
        return t;
    }

    StateSettings s;
};

// ---------------------------------------------------------------- state

TEST_F(Withholding, StateTaxFromTheNewYorkTable)
{
    const std::vector<Case> cases{
        {"bi-weekly, row 4", "Single", Pay::BiWeekly, 1000, 0, 0, 1000, 231 * 0.0685 + 37.42},
        {"weekly, half the wage gives half the amount", "Single", Pay::Weekly, 500, 0, 0, 500,
         (231 * 0.0685 + 37.42) / 2},
        {"bi-weekly, exactly on row 3's minimum", "Single", Pay::BiWeekly, 500, 0, 0, 500, 21.54},
        {"weekly, exactly on half of row 3's minimum", "Single", Pay::Weekly, 250, 0, 0, 250, 10.77},
        {"bi-weekly, allowance and cafeteria off the wage", "Single", Pay::BiWeekly, 1000, 200, 50, 750,
         250 * 0.059 + 21.54},
        {"weekly, allowance halved, cafeteria whole", "Single", Pay::Weekly, 600, 200, 50, 450, 65.5 * 0.0685 + 18.71},
        {"row 6 Single", "Single", Pay::BiWeekly, 3900, 0, 0, 3900, 54 * 0.0854 + 251.23},
        {"row 6 Married", "Married", Pay::BiWeekly, 3900, 0, 0, 3900, 54 * 0.0814 + 251.23},
        {"row 7, any status but Single is Married", "single", Pay::BiWeekly, 6000, 0, 0, 6000, 231 * 0.0895 + 407.85},
        {"row 9 has no upper bound", "Single", Pay::BiWeekly, 20000, 0, 0, 20000, 769 * 0.082 + 1474.12},
        {"weekly row 9", "Married", Pay::Weekly, 10000, 0, 0, 10000, (10000 - 9615.5) * 0.082 + 737.06},
        {"below row 0", "Single", Pay::BiWeekly, 100, 268.3f, 0, -168.3f, std::nullopt},
        {"both options: the weekly figures count", "Single", Pay::Both, 500, 0, 0, 500, (231 * 0.0685 + 37.42) / 2},
    };
    for (const Case &c : cases)
        runStateCase(c);
}

TEST_F(Withholding, StateTaxWithoutAFrequencyChangesNothing)
{
    PayResult r;
    r.StateWages = -1;
    r.GrossLessKPlan = 1000;
    GetStateTax(s.StateTable, "Single", false, false, r);
    EXPECT_EQ(r.StateWages, -1);
    expectTax(r.StateTax, std::nullopt);
}

TEST_F(Withholding, StateRowsMarkedUnusedMatchOnlyFrom999999)
{
    s.StateTable.single = threeRowTable();
    const std::vector<Case> cases{
        {"last row in use has no upper bound", "Single", Pay::BiWeekly, 5000, 0, 0, 5000, 3000 * 0.1 + 81},
        {"weekly, last row in use", "Single", Pay::Weekly, 5000, 0, 0, 5000, 4000 * 0.1 + 40.5},
        {"999999 itself is row 9's", "Single", Pay::BiWeekly, 999999, 0, 0, 999999, 0},
        {"below a row 0 minimum above 0", "Single", Pay::BiWeekly, 99, 0, 0, 99, std::nullopt},
        {"weekly, just below half of row 0", "Single", Pay::Weekly, 49.99f, 0, 0, 49.99f, std::nullopt},
        {"weekly, on half of row 0", "Single", Pay::Weekly, 50, 0, 0, 50, 0.5},
    };
    for (const Case &c : cases)
        runStateCase(c);
}

TEST_F(Withholding, StateRowsOutOfOrderLastMatchCounts)
{
    s.StateTable.married = threeRowTable();
    s.StateTable.married[1].minimum = 500;
    s.StateTable.married[2].minimum = 300;  // below row 1: rows 0 and 2 both match 400
    runStateCase({"rows 0 and 2 match", "Married", Pay::BiWeekly, 400, 0, 0, 400, 100 * 0.1 + 81});
}

// ---------------------------------------------------------------- city, resident

TEST_F(Withholding, ResidentCityTaxFromTheNewYorkCityTable)
{
    const std::vector<Case> cases{
        {"row 8 Single", "Single", Pay::BiWeekly, 8000, 0, 0, 8000, 308 * 0.044 + 331.58},
        {"row 8 Married", "Married", Pay::BiWeekly, 8000, 0, 0, 8000, 308 * 0.044 + 335.23},
        {"row 9 has no upper bound", "Single", Pay::BiWeekly, 20000, 0, 0, 20000, 769 * 0.048 + 839.27},
        {"line 4 Single starts at 557", "Single", Pay::BiWeekly, 560, 0, 0, 560, 3 * 0.037 + 14.08},
        {"line 4 Married starts at 577", "Married", Pay::BiWeekly, 560, 0, 0, 560, 226 * 0.031 + 6.58},
        {"allowance off the wage", "Single", Pay::BiWeekly, 600, 192.3f, 0, 407.7f, 73.7 * 0.031 + 6.58},
        {"weekly, on half of row 1", "Single", Pay::Weekly, 154, 0, 0, 154, 2.925},
        {"weekly, on half of row 0", "Single", Pay::Weekly, 0, 0, 0, 0, 0},
        {"weekly, allowance halved", "Single", Pay::Weekly, 300, 192.3f, 0, 203.85f, 36.85 * 0.031 + 3.29},
        {"below row 0", "Married", Pay::BiWeekly, 100, 211.5f, 0, -111.5f, std::nullopt},
        {"no frequency", "Single", Pay::Neither, 1000, 0, 0, -1, std::nullopt},
    };
    for (const Case &c : cases)
        runCityCase(c);
}

TEST_F(Withholding, NoLocalTaxTableWithholdsNothing)
{
    s.CityTable.single.fill({999999, 0, 0});
    runCityCase({"any wage", "Single", Pay::BiWeekly, 5000, 0, 0, 5000, std::nullopt});
    runCityCase({"from 999999", "Single", Pay::BiWeekly, 1000000, 0, 0, 1000000, 0});
}

// ---------------------------------------------------------------- city, non-resident

TEST_F(Withholding, NonResidentCityTax)
{
    const std::vector<NonCase> cases{
        {"bi-weekly line 1", Pay::BiWeekly, 100, 192.3f, 0, 100 * 0.0045},
        {"bi-weekly line 2", Pay::BiWeekly, 300, 192.3f, 115, 185 * 0.0045},
        {"bi-weekly on line 3's minimum", Pay::BiWeekly, 385, 192.3f, 77, 308 * 0.0045},
        {"bi-weekly line 5, the last in use", Pay::BiWeekly, 2000, 192.3f, 0, 2000 * 0.0045},
        {"weekly line 2", Pay::Weekly, 100, 192.3f, 58, 42 * 0.0045},
        {"weekly line 4", Pay::Weekly, 400, 192.3f, 19, 381 * 0.0045},
        {"bi-weekly ends it: the weekly table is not used", Pay::Both, 100, 192.3f, 0, 100 * 0.0045},
        {"below line 1 the resident allowance stays", Pay::BiWeekly, -10, 192.3f, 192.3f, 0},
        {"a wage below 0 owes nothing, weekly", Pay::Weekly, -10, 0, 0, 0},
    };
    for (const NonCase &c : cases)
        runNonResidentCase(c);
}

// A table whose first line starts above 0: a wage below it keeps the
// resident allowance, which may be more than the wage; that owes nothing,
// not a refund, and a smaller allowance still gives its tax.
TEST_F(Withholding, NonResidentCityTaxBelowAFirstLineAbove0IsNeverNegative)
{
    auto lines = [](NonResidentRow first, NonResidentRow second) {
        NonResidentLines l{};
        l.fill({999999, 0});
        l[0] = first;
        l[1] = second;
        return l;
    };
    s.NonResident.biWeekly = lines({200, 50}, {400, 20});
    s.NonResident.weekly = lines({100, 25}, {200, 10});
    const std::vector<NonCase> cases{
        {"bi-weekly, allowance above the wage", Pay::BiWeekly, 150, 192.3f, 192.3f, 0},
        {"bi-weekly, a wage of 0", Pay::BiWeekly, 0, 192.3f, 192.3f, 0},
        {"bi-weekly, allowance equal to the wage", Pay::BiWeekly, 150, 150, 150, 0},
        {"bi-weekly, allowance below the wage", Pay::BiWeekly, 150, 100, 100, 50 * 0.0045},
        {"bi-weekly, just below the first line", Pay::BiWeekly, 199.5f, 192.3f, 192.3f, (199.5 - 192.3f) * 0.0045},
        {"bi-weekly, on the first line", Pay::BiWeekly, 200, 192.3f, 50, 150 * 0.0045},
        {"bi-weekly, a wage below 0", Pay::BiWeekly, -10, 192.3f, 192.3f, 0},
        {"weekly, the allowance is not halved", Pay::Weekly, 50, 60, 60, 0},
        {"weekly, allowance below the wage", Pay::Weekly, 99, 60, 60, 39 * 0.0045},
        {"weekly, on the second line", Pay::Weekly, 250, 192.3f, 10, 240 * 0.0045},
        {"both: the bi-weekly lines count", Pay::Both, 150, 192.3f, 192.3f, 0},
    };
    for (const NonCase &c : cases)
        runNonResidentCase(c);

    // A 0 in place of a tax below 0 is +0, shown ".00" rather than "-.00".
    PayResult r;
    r.GrossLessKPlan = 150;
    r.CityAllowanceAmount = 192.3f;
    GetCityTax(s.CityTable, s.NonResident, "Single", true, false, 1, r);
    EXPECT_FALSE(std::signbit(r.CityTax.value));

    // A typed negative percentage owes nothing either.
    s.NonResident.percentage = -0.0045f;
    runNonResidentCase({"negative percentage", Pay::Weekly, 250, 192.3f, 10, 0});
}

// A typed negative amount or percentage in the resident table withholds
// nothing where its line would give a tax below 0, and leaves the lines
// that give 0 or more as they are.
TEST_F(Withholding, ResidentCityTaxFromNegativeFiguresIsNeverNegative)
{
    s.CityTable.single[0].amount = -5;
    s.CityTable.single[1].percentage = -0.5f;
    const std::vector<Case> cases{
        {"bi-weekly, negative amount", "Single", Pay::BiWeekly, 100, 0, 0, 100, 0},
        {"bi-weekly, negative amount outweighed", "Single", Pay::BiWeekly, 300, 0, 0, 300, 300 * 0.019 - 5},
        {"bi-weekly, negative percentage", "Single", Pay::BiWeekly, 320, 0, 0, 320, 0},
        {"bi-weekly, negative percentage on the line's minimum", "Single", Pay::BiWeekly, 308, 0, 0, 308, 5.85},
        {"weekly, half the negative amount", "Single", Pay::Weekly, 100, 0, 0, 100, 0},
        {"weekly, half the negative amount outweighed", "Single", Pay::Weekly, 150, 0, 0, 150, 150 * 0.019 - 2.5},
        {"weekly, negative percentage", "Single", Pay::Weekly, 160, 0, 0, 160, 0},
        {"both, the weekly line below 0 too", "Single", Pay::Both, 100, 0, 0, 100, 0},
        {"both, the weekly line not below 0", "Single", Pay::Both, 250, 192.3f, 0, 153.85f, 153.85 * 0.019 - 2.5},
        // A negative allowance puts the weekly wage below every line: the
        // bi-weekly line's amount stays, raised to 0.
        {"both, only the bi-weekly line matches", "Single", Pay::Both, -30, -40, 0, -10, 0},
        {"Married keeps its own table", "Married", Pay::BiWeekly, 100, 0, 0, 100, 1.9},
    };
    for (const Case &c : cases)
        runCityCase(c);
}

TEST_F(Withholding, NonResidentSwitchCountsOnlyAtOne)
{
    // A grayed box (2) is not on: the resident table applies.
    runCityCase({"grayed", "Single", Pay::BiWeekly, 8000, 0, 0, 8000, 308 * 0.044 + 331.58}, 2);
}

}  // namespace
