// The special-state formulas: tables of cases worked by hand from the
// states' rules and figures, at each bracket edge, cap and floor, in both
// pay frequencies and filing statuses.
#include "special_states/formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace wagedesk;
using namespace wagedesk::special_states;

namespace {

using Kind = VariantNumber::Kind;

enum class Pay { BiWeekly, Weekly, Neither };

FormulaInput base(Pay pay)
{
    FormulaInput in;
    in.optBiWeek = pay == Pay::BiWeekly;
    in.optWeek = pay == Pay::Weekly;
    in.FedStatus = in.StateStatus = in.cboStatus2 = "Single";
    return in;
}

// Rows 0 to 2 of a table, the others marked unused.
BracketTable table(std::initializer_list<BracketRow> rows)
{
    BracketTable t{};
    t.fill({999999, 0, 0});
    std::size_t i = 0;
    for (const BracketRow &r : rows)
        t[i++] = r;
    return t;
}

// Amounts within a float's precision of the hand-worked figure.
void expectAmount(const FormulaResult &r, std::optional<double> expected, Kind kind, double tolerance = 1e-4)
{
    if (!expected) {
        EXPECT_FALSE(r.stateTax) << "an amount of " << r.stateTax->value;
        return;
    }
    ASSERT_TRUE(r.stateTax);
    EXPECT_EQ(r.stateTax->kind, kind);
    EXPECT_NEAR(r.stateTax->value, *expected, tolerance);
}

// ---------------------------------------------------------------- Arizona

TEST(Arizona, AShareOfFederalWithholdingByTheFederalStatus)
{
    struct Case {
        const char *fedStatus;
        float fedTax;
        double tax;
    };
    const Case cases[] = {
        {"Single", 100, 10},   // the Single row 0 percentage, 0.1
        {"Married", 100, 20},  // the Married one, 0.2
        {"single", 100, 20},   // anything but "Single" is Married
        {"Single", 0, 0},      // federal exemption
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fedStatus);
        FormulaInput in = base(Pay::Neither);  // no frequency is read
        in.FedStatus = c.fedStatus;
        in.StateStatus = "Married";  // nor the state status
        in.FedTax = c.fedTax;
        in.single[0].percentage = 0.1f;
        in.married[0].percentage = 0.2f;
        const FormulaResult r = GetArizona(in);
        expectAmount(r, c.tax, Kind::Single);
        EXPECT_FALSE(r.turnsRoundStateOn);
    }
}

// ---------------------------------------------------------------- Louisiana

TEST(Louisiana, BracketsOnGrossLessTheExemptionAmount)
{
    struct Case {
        const char *name;
        Pay pay;
        float personal, dependents, gross;
        double tax;
    };
    const Case cases[] = {
        // A = .021 x 1000 = 21; B = .0135 x (1000 - 480.77) = 7.009605;
        // C = .0135 x (1000 - 961.54) = .51921; E = 2 x 38.46 + 173.08 = 250,
        // F = 5.25: 23.278815
        {"bi-weekly, one personal, two dependents", Pay::BiWeekly, 1, 2, 1000, 23.278815},
        // T1 961.54, T2 1923.08: 21 + .51921 - .021 x 346.16
        {"two personal exemptions double the thresholds", Pay::BiWeekly, 2, 0, 1000, 14.24985},
        {"a typed 1.5 counts as 2", Pay::BiWeekly, 1.5f, 0, 1000, 14.24985},
        {"and 2.5 as 2 too", Pay::BiWeekly, 2.5f, 0, 1000, 14.24985},
        // 10.5 + .0135 x 259.62 + .0135 x 19.23 - .021 x 86.54
        {"weekly", Pay::Weekly, 1, 0, 500, 12.447135},
        {"neither option: weekly", Pay::Neither, 1, 0, 500, 12.447135},
        // E = 9 x 38.46 + 173.08 = 519.22 > T1: G = .0135 x 38.45
        {"exemption amount above the first threshold", Pay::BiWeekly, 1, 9, 1000, 28.528815 - 10.90362 - 0.519075},
        // gross exactly T1 adds nothing at 1.35 %: .021 x 480.77 - .021 x 173.08
        {"gross exactly the first threshold", Pay::BiWeekly, 1, 0, 480.77f, 10.09617 - 3.63468},
        {"no pay", Pay::BiWeekly, 0, 0, 0, 0},
        {"below the exemptions gives 0", Pay::BiWeekly, 2, 0, 100, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.allowance[0] = {c.personal, c.dependents};
        in.GrossPay = c.gross;
        expectAmount(GetLouisiana(in), c.tax, Kind::Single);
    }
}

TEST(Louisiana, ACountBeyondSixteenBitsIsRefused)
{
    FormulaInput in = base(Pay::BiWeekly);
    in.GrossPay = 1000;
    in.allowance[0] = {40000, 0};
    try {
        GetLouisiana(in);
        FAIL() << "no error";
    } catch (const SpecialStateError &e) {
        EXPECT_EQ(e.state, SpecialState::Louisiana);
        EXPECT_STREQ(e.what(),
                     "Louisiana withholding: the number of personal exemptions is 40000; it is beyond the "
                     "range of a count, -32768 to 32767.");
    }
    in.allowance[0] = {0, -1e6f};
    EXPECT_THROW(GetLouisiana(in), SpecialStateError);
}

// ---------------------------------------------------------------- Iowa

TEST(Iowa, NineBracketsAfterTheStandardDeductionLessTheCredit)
{
    struct Case {
        const char *name;
        bool prior;
        Pay pay;
        float grossLessKPlan, fedTax, cafeteria, standard, credit;
        double tax;
    };
    const Case cases[] = {
        // w = 1000 - 100 - 57.69 = 842.31, bracket 6: base .175716 + .351432
        // + 2.372166 + 10.9818 + 17.92242 = 31.803534, + 110.18 x .0648
        {"current, bi-weekly, bracket 6", false, Pay::BiWeekly, 1000, 100, 0, 57.69f, 1.54f, 38.943198 - 1.54},
        // w = 375 is prior bracket 4's top: 2.452419 + 209.62 x .0486
        {"prior, bi-weekly, on a limit", true, Pay::BiWeekly, 400, 0, 0, 25, 0, 12.639951},
        // w = 350 - 20 - 5 - 25 = 300, weekly bracket 5: base .08784 + .17568
        // + 1.18584 + 5.4909 = 6.94026, + 80.37 x .0612
        {"current, weekly, bracket 5", false, Pay::Weekly, 350, 20, 5, 25, 0.77f, 11.858904 - 0.77},
        {"neither option: weekly", false, Pay::Neither, 350, 20, 5, 25, 0.77f, 11.858904 - 0.77},
        // w = 200, prior weekly bracket 5: 6.320115 + 12.5 x .0653
        {"prior, weekly, bracket 5", true, Pay::Weekly, 200, 0, 0, 0, 0, 7.136365},
        // w = 3000 above the top: 138.79067 + 803.63 x .0898
        {"current, bi-weekly, top bracket", false, Pay::BiWeekly, 3000, 0, 0, 0, 0, 210.956644},
        // w exactly on the top of prior bracket 8, whose step into 9 is not
        // its width times its rate: 76.216837 + 615.39 x .0842
        {"prior, bi-weekly, on the last limit", true, Pay::BiWeekly, 1884.62f, 0, 0, 0, 0, 128.032675},
        {"a negative wage stays in bracket 1", false, Pay::BiWeekly, 50, 100, 0, 0, 0, -50 * 0.0036},
        {"a credit above the tax gives a negative amount", false, Pay::BiWeekly, 100, 0, 0, 57.69f, 13.86f,
         42.31 * 0.0036 - 13.86},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.StateExemptions = 3;
        in.allowance[3] = {c.standard, c.credit};
        in.GrossLessKPlan = c.grossLessKPlan;
        in.FedTax = c.fedTax;
        in.StateCafeteria = c.cafeteria;
        const FormulaResult r = c.prior ? GetIowaPrior(in) : GetIowa(in);
        expectAmount(r, c.tax, Kind::Single);
        EXPECT_FALSE(r.turnsRoundStateOn);  // the preset turns it on
    }
}

// ---------------------------------------------------------------- Missouri

TEST(Missouri, TenBracketsAfterTheCappedFederalTaxAndTwoDeductions)
{
    struct Case {
        const char *name;
        Pay pay;
        bool spouse;
        float grossLessKPlan, fedTax, standard, allowance;
        double tax;
    };
    const Case cases[] = {
        // limit 384.6154; t = 1850 - 384.62 - 92.3 = 1373.08:
        // 12.1275 + 1026.58 x .06
        {"bi-weekly, federal tax below the limit", Pay::BiWeekly, false, 2000, 150, 384.62f, 92.3f, 73.7223},
        // the limit 192.3077 is taken off: t = 1569.2323
        {"bi-weekly, federal tax above the limit", Pay::BiWeekly, true, 2000, 250, 192.31f, 46.15f, 85.491438},
        // 10000 a year without the working spouse: 300 comes off whole
        {"the limit follows the spouse alone", Pay::BiWeekly, false, 1000, 300, 192.31f, 0, 21.7989},
        {"and with the spouse it is 5000", Pay::BiWeekly, true, 1000, 300, 192.31f, 0, 28.260438},
        // t = 77 is bracket 2's top: .5775 + 38.5 x .02
        {"on a bracket's top", Pay::BiWeekly, false, 177, 0, 100, 0, 1.3475},
        // t = 100 weekly: .3 + .4 + .5 + .6 + 20 x .035
        {"weekly", Pay::Weekly, false, 150, 0, 50, 0, 2.5},
        // 10000 / 52 = 192.3077 comes off; 6.3 + (807.6923 - 180) x .06
        {"weekly limit", Pay::Weekly, false, 1000, 250, 0, 0, 43.961538},
        // neither option: the limit by 26, the weekly schedule
        {"neither option", Pay::Neither, false, 1000, 500, 0, 0, 6.3 + (615.3846 - 180) * 0.06},
        {"a negative taxable amount", Pay::BiWeekly, false, 50, 0, 60, 0, -0.15},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.StateStatus = in.cboStatus2 = "Married";
        in.StateExemptions = 2;
        in.allowance[2] = {c.standard, c.allowance};
        in.ckSpouse = c.spouse;
        in.GrossLessKPlan = c.grossLessKPlan;
        in.FedTax = c.fedTax;
        const FormulaResult r = GetMissouri(in);
        expectAmount(r, c.tax, Kind::Single);
        EXPECT_TRUE(r.turnsRoundStateOn);
    }
}

// ---------------------------------------------------------------- Massachusetts

TEST(Mass, FlatRateOnWagesLessAnExemptionAmount)
{
    struct Case {
        const char *name;
        Pay pay;
        float totSS, totMedi, gross;
        std::int16_t exemptions;
        double wages;
    };
    const Case cases[] = {
        {"bi-weekly: this period's taxes off", Pay::BiWeekly, 1000, 500, 1000, 2, 1000 - 62 - 14.5 - 177},
        {"weekly: half the exemption", Pay::Weekly, 1000, 500, 1000, 2, 1000 - 62 - 14.5 - 88.5},
        {"neither option: the whole exemption", Pay::Neither, 1000, 500, 1000, 2, 746.5},
        {"a year's 2000 exactly still takes them off", Pay::BiWeekly, 1700, 300, 1000, 2, 746.5},
        {"above 2000 they stay", Pay::BiWeekly, 1500, 500.5f, 1000, 2, 1000 - 177},
        {"no exemption", Pay::BiWeekly, 0, 0, 1000, 0, 923.5},
        {"negative wages", Pay::BiWeekly, 3000, 0, 100, 9, 100 - 450},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.StateStatus = "Single";  // the Married column counts whatever the status
        const float amounts[10] = {0, 138, 177, 216, 255, 294, 333, 372, 411, 450};
        for (std::size_t i = 0; i < 10; ++i)
            in.allowance[i] = {1, amounts[i]};
        in.single[0].percentage = 0.053f;
        in.married[0].percentage = 0.07f;
        in.GrossPay = c.gross;
        in.SocSecTax = 62;
        in.MedicareTax = 14.5f;
        in.TotSS = c.totSS;
        in.TotMedi = c.totMedi;
        in.StateExemptions = c.exemptions;
        const FormulaResult r = GetMass(in);
        ASSERT_TRUE(r.stateWages);
        EXPECT_NEAR(*r.stateWages, c.wages, 1e-4);
        expectAmount(r, c.wages * 0.053, Kind::Single);
    }
}

// ---------------------------------------------------------------- Oregon

TEST(Oregon, ThreeLinesOnGrossLessTheCappedFederalTax)
{
    // The preset's figures; the credit columns differ here to show which
    // one is read.
    const BracketTable biSingle = table({{0, 0, 0}, {12, 0, 0.07f}, {309, 21, 0.09f}});
    const BracketTable biMarried = table({{0, 0, 0}, {105, 0, 0.07f}, {618, 36, 0.09f}});
    const BracketTable wkSingle = table({{0, 0, 0}, {6, 0, 0.07f}, {154, 10, 0.09f}});
    const BracketTable wkMarried = table({{0, 0, 0}, {52, 0, 0.07f}, {309, 18, 0.09f}});
    struct Case {
        const char *name;
        Pay pay;
        const char *status;
        std::int16_t exemptions;
        float gross, fedTax;
        double wages;
        std::optional<double> tax;
        Kind kind = Kind::Single;
    };
    const std::vector<Case> cases{
        {"bi-weekly line 2", Pay::BiWeekly, "Single", 1, 1000, 100, 900, 591 * 0.09 + 21 - 5.5},
        {"federal tax above the cap of 135", Pay::BiWeekly, "Single", 1, 1000, 200, 865, 556 * 0.09 + 21 - 5.5},
        {"federal tax at the cap comes off whole", Pay::BiWeekly, "Single", 1, 1000, 135, 865, 556 * 0.09 + 21 - 5.5},
        {"weekly cap of 67", Pay::Weekly, "Single", 1, 500, 80, 433, 279 * 0.09 + 10 - 2.75},
        {"neither option: the cap of 67", Pay::Neither, "Single", 1, 1000, 100, 933, 624 * 0.09 + 21 - 5.5},
        {"Single with 2 exemptions: Single table", Pay::BiWeekly, "Single", 2, 400, 50, 350, 41 * 0.09 + 21 - 11},
        {"Single with 3: Married table and credit", Pay::BiWeekly, "Single", 3, 400, 50, 350, 245 * 0.07 - 21},
        {"lower-case status: Married", Pay::BiWeekly, "single", 0, 400, 50, 350, 245 * 0.07},
        {"exactly line 1's minimum", Pay::BiWeekly, "Single", 1, 112, 100, 12, -5.5},
        {"exactly line 2's minimum", Pay::BiWeekly, "Single", 1, 409, 100, 309, 21 - 5.5},
        {"line 0 gives a whole 0, no credit", Pay::BiWeekly, "Single", 1, 110, 100, 10, 0, Kind::Integer},
        {"below line 0: no amount", Pay::BiWeekly, "Single", 1, 50, 60, -10, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        const bool weekly = c.pay == Pay::Weekly;
        in.single = weekly ? wkSingle : biSingle;
        in.married = weekly ? wkMarried : biMarried;
        for (std::size_t i = 0; i < 10; ++i)
            in.allowance[i] = weekly ? AllowanceRow{2.75f * i, 3.5f * i} : AllowanceRow{5.5f * i, 7.f * i};
        in.StateStatus = c.status;
        in.StateExemptions = c.exemptions;
        in.GrossPay = c.gross;
        in.FedTax = c.fedTax;
        const FormulaResult r = GetOregon(in);
        ASSERT_TRUE(r.stateWages);
        EXPECT_NEAR(*r.stateWages, c.wages, 1e-4);
        expectAmount(r, c.tax, c.kind);
    }
}

// ---------------------------------------------------------------- Oklahoma

TEST(Oklahoma, AnnualSchedulesBroughtBackToWholeDollarsAPeriod)
{
    struct Case {
        const char *name;
        Pay pay;
        const char *status;  // the user information window's box
        bool spouse;
        std::int16_t exemptions;
        float gross;
        int tax;
    };
    const Case cases[] = {
        // a 13000, s 1950, x 4800, e 480, t 9570: 287.5 + .07 x 570 = 327.4;
        // / 26 = 12.59
        {"Single, bi-weekly", Pay::BiWeekly, "Single", false, 1, 500, 13},
        // a 10400, s 1560, x 5400, e 540, t 8300: 197.5 + .06 x 800 = 245.5;
        // / 26 = 9.44
        {"rounds down", Pay::BiWeekly, "Single", false, 0, 400, 9},
        // a 26000, c 22560, s 2000, x 17560, e 730 + .15 x 10260 = 2269,
        // t 18291: 867.5 + 229.1; excess .0665 x 3440 = 228.76; 1325.36 / 26
        {"capped pay and the excess", Pay::BiWeekly, "Single", false, 0, 1000, 51},
        // a 15600, s 2000, x -800, e 0, t 11600: 192 + .05 x 1200 = 252; / 52
        {"Married, weekly", Pay::Weekly, "Married", false, 2, 300, 5},
        // the single schedule: (392.5 + .08 x 1100) x 1.16 = 557.38; / 52
        {"Married with the spouse working", Pay::Weekly, "Married", true, 2, 300, 11},
        // no standard deduction, no schedule: 228.76 / 26 = 8.8
        {"another status text: only the excess", Pay::BiWeekly, "single", false, 0, 1000, 9},
        {"neither option: 52 periods", Pay::Neither, "Married", false, 2, 300, 5},
        {"low pay gives 0", Pay::BiWeekly, "Single", false, 9, 100, 0},
        // a 8440, s 1266, x 240, e 24, t 6150: 127.5 + .05 x 50 = 130;
        // / 52 = 2.5 exactly, half to the even dollar
        {"a half dollar goes to the even dollar below", Pay::Weekly, "Single", false, 1, 162.307693f, 2},
        // a 8920, s 1338, x 3920, e 392, t 7190: 127.5 + .05 x 1090 = 182;
        // / 52 = 3.5
        {"and to the even dollar above", Pay::Weekly, "Single", false, 0, 171.538467f, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.StateStatus = "Married";  // the box is read, not the store
        in.cboStatus2 = c.status;
        in.ckSpouse = c.spouse;
        in.StateExemptions = c.exemptions;
        in.GrossPay = c.gross;
        in.FedTax = 1000;  // not read
        const FormulaResult r = GetOkla(in);
        expectAmount(r, c.tax, Kind::Integer, 0);
        EXPECT_TRUE(r.turnsRoundStateOn);
    }
}

TEST(Oklahoma, APeriodTaxBeyondSixteenBitsIsAnAmountTooLarge)
{
    FormulaInput in = base(Pay::BiWeekly);
    in.GrossPay = 1e7f;  // about 665000 a period
    try {
        GetOkla(in);
        FAIL() << "no error";
    } catch (const legacy::OverflowError &e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("Oklahoma withholding: the period's tax is 6649", 0), 0u) << text;
        EXPECT_NE(text.find("; a whole-dollar amount can be at most 32767."), std::string::npos) << text;
    }
}

// ---------------------------------------------------------------- Alabama

TEST(Alabama, ThreeBandsAfterFourDeductions)
{
    struct Case {
        const char *name;
        Pay pay;
        const char *status;
        std::int16_t dependents;
        float gross, fedTax;
        double tax;
    };
    const Case cases[] = {
        // the deduction capped at 76.92; t = 1000 - 76.92 - 57.69 - 100 =
        // 765.39: .05 x 650.01 + .3846 + 3.846
        {"bi-weekly Single, 5 % band", Pay::BiWeekly, "Single", 0, 1000, 100, 36.7311},
        // t = 300 - 60 - 57.69 - 66.93 = 115.38, the top of the 4 % band
        {"on the 4 % band's top", Pay::BiWeekly, "Single", 0, 300, 66.93f, 4.2306},
        {"just above it", Pay::BiWeekly, "Single", 0, 300, 56.93f, 4.2306 + 0.5},
        // t = 96.15 - 19.23 - 57.69 = 19.23, the top of the 2 % band
        {"on the 2 % band's top", Pay::BiWeekly, "Single", 0, 96.15f, 0, 0.3846},
        // 20 % of 384.6 is the cap itself: t = 249.99
        {"20 % exactly the cap", Pay::BiWeekly, "Single", 0, 384.6f, 0, 0.05 * 134.61 + 4.2306},
        // t = 1000 - 153.85 - 115.38 - 50 - 23.08 = 657.69
        {"bi-weekly Married, two dependents", Pay::BiWeekly, "Married", 2, 1000, 50, 0.05 * 426.92 + 8.4616},
        {"weekly Married is bi-weekly Single", Pay::Weekly, "Married", 0, 1000, 100, 36.7311},
        {"but for the dependents' 5.77", Pay::Weekly, "Married", 1, 1000, 100, 0.05 * 644.24 + 4.2306},
        {"bi-weekly Single, one dependent", Pay::BiWeekly, "Single", 1, 1000, 100, 0.05 * 638.47 + 4.2306},
        // t = 500 - 38.46 - 28.85 - 20 = 412.69: .05 x 355 + .1924 + 1.9232
        {"neither option: weekly Single", Pay::Neither, "Single", 0, 500, 20, 19.8656},
        {"deductions above the pay", Pay::BiWeekly, "Single", 0, 100, 50, 0.02 * -27.69},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(c.pay);
        in.StateStatus = c.status;
        in.StateExemptions = c.dependents;
        in.GrossPay = c.gross;
        in.FedTax = c.fedTax;
        const FormulaResult r = GetAlabama(in);
        expectAmount(r, c.tax, Kind::Double);
        EXPECT_TRUE(r.turnsRoundStateOn);
    }
}

// ---------------------------------------------------------------- Kentucky

TEST(Kentucky, GraduatedOnGrossLessTheStandardDeductionWithThePresetsFigures)
{
    BracketTable t = table({});
    const float tops[5] = {115.38f, 153.84f, 192.3f, 307.69f, 615.37f};
    for (std::size_t i = 0; i < 5; ++i)
        t[i] = {tops[i], 73.46f, 0.02f + 0.01f * i};
    struct Case {
        float gross;
        std::int16_t exemptions;
        double tax;
    };
    const Case cases[] = {
        {150, 0, 76.54 * 0.02},                     // d 76.54, row 0
        {210, 0, 2.3076 + 21.16 * 0.03},            // d 136.54, row 1
        {250, 0, 2.3076 + 1.1538 + 22.7 * 0.04},    // d 176.54, row 2
        {300, 0, 4.9998 + 34.24 * 0.05},            // d 226.54, row 3
        {1000, 1, 10.7693 + 618.85 * 0.06 - 0.77},  // d 926.54, row 4, less the credit
        {50, 0, -23.46 * 0.02},                     // below the deduction
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.gross);
        FormulaInput in = base(Pay::Neither);  // no frequency is read
        in.single = in.married = t;
        for (std::size_t i = 0; i < 10; ++i)
            in.allowance[i] = {0.77f * i, 0.77f * i};
        in.GrossPay = c.gross;
        in.StateExemptions = c.exemptions;
        expectAmount(GetKentucky(in), c.tax, Kind::Single);
    }
}

TEST(Kentucky, RowEdgesStatusAndEditedAmounts)
{
    // Brackets up to 100, 200, 300, 400 at 1 % to 4 %, 5 % above; Married
    // at twice the rates and twice the credit.
    BracketTable single = table({});
    BracketTable married = table({});
    for (std::size_t i = 0; i < 5; ++i) {
        single[i] = {100.f * (i + 1), 50, 0.01f * (i + 1)};
        married[i] = {100.f * (i + 1), 50, 0.02f * (i + 1)};
    }
    struct Case {
        const char *name;
        const char *status;
        float gross;
        std::array<float, 5> amounts;
        std::optional<double> tax;
    };
    const std::array<float, 5> same{50, 50, 50, 50, 50};
    const std::vector<Case> cases{
        {"d exactly row 0's top", "Single", 150, same, 1 - 2.0},
        {"d exactly row 3's top", "Single", 450, same, 1 + 2 + 3 + 4 - 2.0},
        {"above row 3, no upper limit", "Single", 650, same, 10 + 200 * 0.05 - 2},
        {"Married rates and credit", "Married", 650, same, 2 * (10 + 10) - 4},
        {"lower-case status: Married", "single", 650, same, 36},
        // d(0) 350 puts row 3 in; d(1) 350, d(2) 200 put row 2 in too
        {"overlapping rows: the later counts", "Single", 400, {50, 50, 200, 50, 50}, 6 + 50 * 0.04 - 2},
        // d(0) 150, d(1) and d(2) 700: no row applies
        {"a gap between rows: no amount", "Single", 200, {50, -500, -500, 50, 50}, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormulaInput in = base(Pay::BiWeekly);
        in.single = single;
        in.married = married;
        for (std::size_t i = 0; i < 5; ++i)
            in.single[i].amount = in.married[i].amount = c.amounts[i];
        for (std::size_t i = 0; i < 10; ++i)
            in.allowance[i] = {1.f * i, 2.f * i};
        in.StateStatus = c.status;
        in.StateExemptions = 2;
        in.GrossPay = c.gross;
        expectAmount(GetKentucky(in), c.tax, Kind::Single);
    }
}

// ---------------------------------------------------------------- Wisconsin and North Carolina

// The presets' tables, Single rows then Married rows.
BracketTable wisconsin(bool singleStatus)
{
    if (singleStatus)
        return table({{0, 0, 0},
                      {153.85f, 0, 0.046f},
                      {408.46f, 11.73f, 0.05154f},
                      {454.81f, 14.12f, 0.06888f},
                      {716.5f, 32.15f, 0.0728f},
                      {1690.5f, 103.08f, 0.065f},
                      {4428.46f, 281.04f, 0.0675f}});
    return table({{0, 0, 0},
                  {211.54f, 0, 0.046f},
                  {518.08f, 14.12f, 0.0615f},
                  {575, 17.62f, 0.0738f},
                  {771.81f, 32.15f, 0.078f},
                  {1632.69f, 99.31f, 0.065f},
                  {4428.46f, 281.04f, 0.0675f}});
}

BracketTable northCarolina(bool singleStatus)
{
    if (singleStatus)
        return table({{0, 0, 0},
                      {115.38f, 6.92f, 0.06f},
                      {605.77f, 12.98f, 0.07f},
                      {2423.08f, 31.15f, 0.0775f},
                      {4730.77f, 54.8f, 0.0825f}});
    return table({{0, 0, 0},
                  {115.38f, 6.92f, 0.06f},
                  {524.04f, 12.16f, 0.07f},
                  {2038.46f, 27.45f, 0.0775f},
                  {3961.54f, 47.26f, 0.0825f}});
}

struct ScanCase {
    const char *name;
    Pay pay;
    const char *status;
    float grossLessKPlan, calAllow, cafeteria, allowance;
    std::optional<double> wages, tax;
};

FormulaResult runScan(const ScanCase &c, Formula formula, BracketTable (*tables)(bool))
{
    FormulaInput in = base(c.pay);
    in.single = tables(true);
    in.married = tables(false);
    in.StateStatus = c.status;
    in.GrossLessKPlan = c.grossLessKPlan;
    in.CalAllow = c.calAllow;
    in.StateCafeteria = c.cafeteria;
    in.StateAllowanceAmount = c.allowance;
    const FormulaResult r = formula(in);
    EXPECT_EQ(r.stateWages.has_value(), c.wages.has_value());
    if (r.stateWages && c.wages) {
        EXPECT_NEAR(*r.stateWages, *c.wages, 1e-4);
    }
    EXPECT_FALSE(r.turnsRoundStateOn);
    return r;
}

TEST(Wisconsin, TheLineOfTheWageLessTheCredit)
{
    const ScanCase cases[] = {
        // line 4: 283.5 x .0728 + 32.15, less 1.7
        {"bi-weekly Single", Pay::BiWeekly, "Single", 1000, 0, 0, 1.7f, 1000, 52.7888 - 1.7},
        {"California allowance and cafeteria off the wage", Pay::BiWeekly, "Single", 1100, 50, 50, 1.7f, 1000,
         52.7888 - 1.7},
        // halved line 4 from 358.25: 141.75 x .0728 + 16.075, less half of 1.7
        {"weekly: minimums, amounts and credit halved", Pay::Weekly, "Single", 600, 50, 50, 1.7f, 500, 26.3944 - 0.85},
        // Married line 4: 228.19 x .078 + 32.15
        {"Married", Pay::BiWeekly, "Married", 1000, 0, 0, 1.7f, 1000, 49.94882 - 1.7},
        {"lower-case status: Married", Pay::BiWeekly, "single", 1000, 0, 0, 0, 1000, 49.94882},
        {"exactly a line's minimum", Pay::BiWeekly, "Single", 716.5f, 0, 0, 0, 716.5, 32.15},
        {"exactly a halved minimum", Pay::Weekly, "Single", 358.25f, 0, 0, 0, 358.25, 16.075},
        {"the last line in use has no top", Pay::BiWeekly, "Single", 5000, 0, 0, 0, 5000, 571.54 * 0.0675 + 281.04},
        {"line 0 gives 0, the credit makes it negative", Pay::BiWeekly, "Single", 100, 0, 0, 1.7f, 100, -1.7},
        {"below line 0 the credit still comes off", Pay::BiWeekly, "Single", 10, 20, 0, 1.7f, -10, -1.7},
        {"neither option: only half the credit", Pay::Neither, "Single", 1000, 0, 0, 1.7f, std::nullopt, -0.85},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.name);
        expectAmount(runScan(c, GetWisconsin, wisconsin), c.tax, Kind::Single);
    }
}

TEST(NorthCarolina, WagesLessTheAllowanceTimesTheLineRateLessItsAmount)
{
    const ScanCase cases[] = {
        // w = 1000 - 96.15, line 2: 903.85 x .07 - 12.98
        {"bi-weekly Single", Pay::BiWeekly, "Single", 1000, 0, 0, 96.15f, 903.85, 50.2895},
        // w = 600 - 50 - 48.075 - 50, halved line 2: 451.925 x .07 - 6.49
        {"weekly: allowance and amounts halved", Pay::Weekly, "Single", 600, 50, 50, 96.15f, 451.925, 25.14475},
        // w = 807.7, Married line 2: 807.7 x .07 - 12.16
        {"Married", Pay::BiWeekly, "Married", 1000, 0, 0, 192.3f, 807.7, 44.379},
        {"exactly a line's minimum", Pay::BiWeekly, "Single", 605.77f, 0, 0, 0, 605.77, 605.77 * 0.07 - 12.98},
        {"below 115.38: line 1 withholds 0", Pay::BiWeekly, "Single", 100, 0, 0, 0, 100, 0},
        {"below line 0: no amount", Pay::BiWeekly, "Single", 50, 0, 0, 96.15f, -46.15, std::nullopt},
        {"999999 itself falls in line 9", Pay::BiWeekly, "Single", 999999, 0, 0, 0, 999999, 0},
        {"neither option: no amount", Pay::Neither, "Single", 1000, 0, 0, 0, std::nullopt, std::nullopt},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.name);
        expectAmount(runScan(c, GetNC, northCarolina), c.tax, Kind::Single);
    }
}

// ---------------------------------------------------------------- counts and dispatch

TEST(SpecialStateFormulas, AnExemptionCountOutsideTheRowsIsRefusedWithTheStatesName)
{
    struct Case {
        Formula formula;
        const char *message;
    };
    const Case cases[] = {
        {GetIowa, "Iowa withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetIowaPrior, "Iowa withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetMissouri, "Missouri withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetMass, "Massachusetts withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetOregon, "Oregon withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetOkla, "Oklahoma withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetAlabama, "Alabama withholding: the state exemption count is 10; it must be 0 to 9."},
        {GetKentucky, "Kentucky withholding: the state exemption count is 10; it must be 0 to 9."},
    };
    for (const Case &c : cases) {
        FormulaInput in = base(Pay::BiWeekly);
        in.GrossPay = in.GrossLessKPlan = 1000;
        in.StateExemptions = 10;
        try {
            c.formula(in);
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const SpecialStateError &e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(e.figure, "the state exemption count");
            EXPECT_EQ(e.value, "10");
        }
        in.StateExemptions = -1;
        EXPECT_THROW(c.formula(in), SpecialStateError) << c.message;
        in.StateExemptions = 9;
        EXPECT_NO_THROW(c.formula(in)) << c.message;
    }
}

TEST(SpecialStateFormulas, EverySwitchOnRunsInTheCalculationsOrderAndTheLaterAmountCounts)
{
    FormulaInput in = base(Pay::BiWeekly);
    in.FedTax = 100;
    // Arizona's share in line 0; no line of the table is in use.
    in.single = table({{999999, 0, 0.5f}});
    in.GrossPay = in.GrossLessKPlan = 1000;
    in.allowance[0] = {1, 0};

    EXPECT_FALSE(dispatch(SwitchValues{}, in)) << "the general computation runs";

    struct Case {
        const char *name;
        std::vector<SpecialState> on;
        double tax;
        bool roundState;
        std::optional<double> wages;
    };
    const std::vector<Case> cases{
        // 100 x .5
        {"one switch", {SpecialState::Arizona}, 50, false, std::nullopt},
        // Louisiana after Arizona, one personal exemption: 21 + 7.009605 +
        // .51921 - .021 x 173.08
        {"the later amount counts", {SpecialState::Louisiana, SpecialState::Arizona}, 24.894135, false, std::nullopt},
        // Missouri turns Round State on; Wisconsin after it finds no line
        // and gives 0 less no credit.
        {"Round State stays on", {SpecialState::Wisconsin, SpecialState::Missouri}, 0, true, 1000},
        // N.C. after Arizona finds no line: Arizona's amount stays.
        {"a later formula without an amount leaves the earlier one",
         {SpecialState::NorthCarolina, SpecialState::Arizona},
         50,
         false,
         1000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SwitchValues switches;
        for (SpecialState s : c.on)
            switches[s] = true;
        const std::optional<FormulaResult> r = dispatch(switches, in);
        ASSERT_TRUE(r);
        expectAmount(*r, c.tax, Kind::Single);
        EXPECT_EQ(r->turnsRoundStateOn, c.roundState);
        EXPECT_EQ(r->stateWages.has_value(), c.wages.has_value());
        if (r->stateWages && c.wages) {
            EXPECT_NEAR(*r->stateWages, *c.wages, 1e-4);
        }
    }

    SwitchValues iowa;
    iowa[SpecialState::Iowa] = true;
    for (bool prior : {false, true}) {
        in.ckIowaPrior = prior;
        const double expected = (prior ? GetIowaPrior(in) : GetIowa(in)).stateTax->value;
        EXPECT_EQ(dispatch(iowa, in)->stateTax->value, expected);
    }
    EXPECT_NE(GetIowaPrior(in).stateTax->value, GetIowa(in).stateTax->value);
}

TEST(SpecialStateFormulas, TheFiguresAreCheckedBeforeACalculationForTheSwitchesThatAreOn)
{
    FormulaInput in = base(Pay::BiWeekly);
    in.StateExemptions = 12;
    in.allowance[0] = {40000, 0};
    struct Case {
        SpecialState on;
        const char *message;  // nullptr: nothing to refuse
    };
    const Case cases[] = {
        {SpecialState::Iowa, "Iowa withholding: the state exemption count is 12; it must be 0 to 9."},
        {SpecialState::Kentucky, "Kentucky withholding: the state exemption count is 12; it must be 0 to 9."},
        {SpecialState::Louisiana,
         "Louisiana withholding: the number of personal exemptions is 40000; it is beyond "
         "the range of a count, -32768 to 32767."},
        // They read neither: the calculation looks their allowance up.
        {SpecialState::Arizona, nullptr},
        {SpecialState::Wisconsin, nullptr},
        {SpecialState::NorthCarolina, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(info(c.on).stateName);
        SwitchValues switches;
        switches[c.on] = true;
        if (!c.message) {
            EXPECT_NO_THROW(checkFigures(switches, in));
            continue;
        }
        try {
            checkFigures(switches, in);
            ADD_FAILURE() << "no error";
        } catch (const SpecialStateError &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        // The same figure stops the formula itself.
        EXPECT_THROW(dispatch(switches, in), SpecialStateError);
    }
    EXPECT_NO_THROW(checkFigures(SwitchValues{}, in));
}

TEST(SpecialStateFormulas, TheInputComesFromTheStoreAndTheResultGoesBack)
{
    ProgramState st;
    st.stateSettings.StateTable.single[0].percentage = 0.053f;
    st.stateSettings.StateTable.married[9].minimum = 5;
    st.stateSettings.StateAllowance[4] = {1, 255};
    st.profile.StateExemptions = 4;
    st.profile.CalAllow = 7;
    st.profile.StateStatus = "Married";
    st.result.GrossPay = 1000;
    st.result.SocSecTax = 62;
    st.result.MedicareTax = 14.5f;
    st.year.TotSS = 1500;
    st.year.TotMedi = 600;
    const FormulaInput in = formulaInput(st, {true, false, "Married", true, false});
    EXPECT_EQ(in.married[9].minimum, 5);
    EXPECT_EQ(in.CalAllow, 7);
    EXPECT_TRUE(in.optWeek);
    EXPECT_TRUE(in.ckSpouse);

    // Weekly, the year past 2000: w = 1000 - 255 / 2
    const FormulaResult r = GetMass(in);
    r.applyTo(st.result);
    EXPECT_NEAR(st.result.StateTax.value, 872.5 * 0.053, 1e-4);
    EXPECT_NEAR(st.result.StateWages, 872.5, 1e-4);

    // No amount found: StateTax keeps its whole 0.
    st.result.StateTax = VariantNumber{};
    st.result.StateWages = 3;
    FormulaResult{}.applyTo(st.result);
    EXPECT_EQ(st.result.StateTax.kind, Kind::Integer);
    EXPECT_EQ(st.result.StateTax.value, 0);
    EXPECT_EQ(st.result.StateWages, 3);
}

}  // namespace
