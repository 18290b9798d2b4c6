// The pay-period calculation without windows: a profile, the eight entries
// and the shipped federal tables in, the texts of the main window out.
#include "core/paycalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/federal.h"

using namespace wagedesk;

namespace {

const FederalTables &shippedTables()
{
    static const FederalTables t = readFederalFile(std::filesystem::path(WD_SOURCE_DIR) / "data" / "Federal.dat");
    return t;
}

// The state and city editors as a test sets them.
struct TestEnvironment : CalcEnvironment {
    std::optional<VariantNumber> stateTax, cityTax;
    SdiSuiBoxes boxes;
    bool round = false;
    int blanksZeroed = 0;
    // The California allowance and the adjustment as the state step found
    // them in the store.
    float calAllowSeen = -1, adjustSeen = -1;

    void stateStep(ProgramState &s) override
    {
        calAllowSeen = s.profile.CalAllow;
        adjustSeen = s.stateSettings.StateAdjust;
        if (stateTax)
            s.result.StateTax = *stateTax;
    }
    void zeroBlankStateFields() override { ++blanksZeroed; }
    void cityStep(ProgramState &s) override
    {
        if (cityTax)
            s.result.CityTax = *cityTax;
    }
    SdiSuiBoxes sdiSuiBoxes() override { return boxes; }
    bool roundStateOn() override { return round; }
};

// The labels, the eleven amount lines first, in lbTaxDed order.
enum class L {
    Fed,
    SS,
    Medi,
    State,
    City,
    Muni,
    Bond,
    Dues,
    Pension,
    Misc,
    KPlan,
    Gross,
    SDI,
    SUI,
    Cafe,
    Taxes,
    Deduct,
    Net,
    OverT,
    Tips
};

const std::string &label(const PayLabels &p, L which)
{
    switch (which) {
    case L::Gross: return p.Label13;
    case L::SDI: return p.lbSDI;
    case L::SUI: return p.lbSUI;
    case L::Cafe: return p.lbCafe;
    case L::Taxes: return p.lbTaxes;
    case L::Deduct: return p.lbDeduct;
    case L::Net: return p.lbNet;
    case L::OverT: return p.lbOverT;
    case L::Tips: return p.lbTips;
    default: return p.lbTaxDed[static_cast<std::size_t>(which)];
    }
}

using Setup = std::function<void(ProgramState &, PayEntries &, TestEnvironment &)>;
using Check = std::function<void(const ProgramState &, const PayEntries &, const PeriodValues &)>;
struct Case {
    const char *name;
    Setup setup;
    std::vector<std::pair<L, const char *>> want;
    Check more = nullptr;
};

class PayPeriod : public ::testing::Test {
protected:
    void SetUp() override
    {
        st.federal = shippedTables();
        ProfileSettings &p = st.profile;
        p.PayRate1 = 10;
        p.PayRate2 = 15;
        p.TipsRate = 2;
        p.DefaultPayRate = 7.5f;  // the window's load sets it
        p.FedStatus = p.StateStatus = "Single";
        p.FedExemptions = "0";
        p.KPlanIsPercent = 1;
        p.WeeklyPay = kTrue;
    }
    PayLabels run() { return computePayPeriod(st, in, values, env); }

    // One case from a fresh store; the labels it names checked.
    PayLabels runCase(const Case &c)
    {
        st = ProgramState{};
        in = PayEntries{};
        values = PeriodValues{};
        env = TestEnvironment{};
        SetUp();
        c.setup(st, in, env);
        const PayLabels shown = run();
        for (const auto &[which, text] : c.want)
            EXPECT_EQ(label(shown, which), text) << "label " << static_cast<int>(which);
        if (c.more)
            c.more(st, in, values);
        return shown;
    }

    ProgramState st;
    PayEntries in;
    PeriodValues values;
    TestEnvironment env;
};

void hours(PayEntries &e, const char *h) { e.text[0] = h; }
void dollars(PayEntries &e, const char *d) { e.text[6] = d; }
void biWeekly(PayEntries &e) { e.optBiWeek = true, e.optWeek = false; }
void sdiBase(ProgramState &s, float percent, float base)
{
    s.stateSettings.SDIPercent = percent, s.stateSettings.SDIWageBase = base;
}

const Case kCases[] = {
    {"single weekly, 40 hours",
     [](auto &, auto &e, auto &) { hours(e, "40"); },
     {{L::Gross, "$400.00"},
      {L::Fed, "45.50"},
      {L::SS, "24.80"},
      {L::Medi, "5.80"},
      {L::State, ".00"},
      {L::City, ".00"},
      {L::Taxes, "$76.10"},
      {L::Deduct, "$.00"},
      {L::Net, "$323.90"},
      {L::OverT, "$.00"}}},
    {"IRS Publication 15: single weekly $600, 2 allowances",
     [](auto &s, auto &e, auto &) { dollars(e, "600"), s.profile.FedExemptions = "2"; },
     {{L::Gross, "$600.00"}, {L::Fed, "57.04"}, {L::SS, "37.20"}, {L::Medi, "8.70"}, {L::Net, "$497.06"}},
     [](const auto &s, const auto &, const auto &v) {
         EXPECT_EQ(legacy::format(s.result.FedWages, "#,###.00"), "476.92");
         EXPECT_EQ(v.Addit, legacy::Currency::fromWhole(600));
     }},
    {"married bi-weekly $740, 3 allowances doubled",
     [](auto &s, auto &e, auto &) {
         dollars(e, "740"), biWeekly(e);
         s.profile.FedStatus = "Married", s.profile.FedExemptions = "3";
     },
     {{L::Fed, "6.28"}, {L::SS, "45.88"}, {L::Medi, "10.73"}, {L::Net, "$677.11"}},
     [](const auto &s, const auto &, const auto &) { EXPECT_FLOAT_EQ(s.result.FedAllowanceAmount, 369.24f); }},
    {"married weekly",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.FedStatus = "Married"; },
     {{L::Fed, "24.60"}}},
    {"single bi-weekly, 1 allowance",
     [](auto &s, auto &e, auto &) { hours(e, "80"), biWeekly(e), s.profile.FedExemptions = "1"; },
     {{L::Gross, "$800.00"}, {L::Fed, "72.49"}, {L::SS, "49.60"}, {L::Medi, "11.60"}}},
    {"rate 2, holiday and vacation hours",
     [](auto &, auto &e, auto &) { e.text[1] = "8", e.text[4] = "8", e.text[5] = "8"; },
     {{L::Gross, "$280.00"}, {L::Fed, "27.50"}},
     [](const auto &, const auto &, const auto &v) {
         EXPECT_EQ(v.StrPay2, 120.0f);
         EXPECT_EQ(v.StrPay, 0.0f);
     }},
    {"K plan percent: off federal wages, not Social Security",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.KPlan = 5; },
     {{L::Gross, "$400.00"},
      {L::KPlan, "20.00"},
      {L::Fed, "42.50"},
      {L::SS, "24.80"},
      {L::Deduct, "$20.00"},
      {L::Net, "$306.90"}}},
    {"K plan fixed",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.KPlan = 25, s.profile.KPlanIsPercent = 0; },
     {{L::KPlan, "25.00"}, {L::Fed, "41.75"}, {L::Net, "$302.65"}}},
    {"pension",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.PensionPercent = 10; },
     {{L::Pension, "40.00"}, {L::Fed, "39.50"}, {L::Deduct, "$40.00"}, {L::Net, "$289.90"}}},
    {"cafeteria: off Social Security, Medicare and federal wages, not SDI or SUI",
     [](auto &s, auto &e, auto &env) {
         hours(e, "40");
         s.profile.CafeteriaPlan = 100, s.profile.CafeDeductState = 1;
         sdiBase(s, 1, 50000);
         s.stateSettings.SUIPercent = 0.5f, s.stateSettings.SUIWageBase = 10000;
         env.boxes.ckSDI = env.boxes.ckSUI = true;
     },
     {{L::Fed, "30.50"},
      {L::SS, "18.60"},
      {L::Medi, "4.35"},
      {L::SDI, "4.00"},
      {L::SUI, "2.00"},
      {L::Cafe, "100.00"},
      {L::Taxes, "$59.45"},
      {L::Deduct, "$100.00"},
      {L::Net, "$240.55"}},
     [](const auto &s, const auto &, const auto &) { EXPECT_EQ(s.result.StateCafeteria, 100.0f); }},
    {"tips: in the gross, out of the net",
     [](auto &, auto &e, auto &) { hours(e, "40"), e.text[7] = "10"; },
     {{L::Gross, "$420.00"},
      {L::Fed, "48.50"},
      {L::SS, "26.04"},
      {L::Medi, "6.09"},
      {L::Tips, "$20.00"},
      {L::Taxes, "$80.63"},
      {L::Net, "$319.37"}}},
    {"overtime at 1X counts once",
     [](auto &, auto &e, auto &) { hours(e, "40"), e.text[2] = "3", e.text[3] = "2"; },
     {{L::Gross, "$460.00"}, {L::OverT, "$60.00"}}},
    {"overtime at 2X counts twice",
     [](auto &, auto &e, auto &) { hours(e, "40"), e.text[2] = "3", e.text[3] = "2", e.opt1x = false; },
     {{L::Gross, "$490.00"}, {L::OverT, "$90.00"}},
     [](const auto &, const auto &e, const auto &v) {
         EXPECT_EQ(v.OtVar, 6.0f);
         EXPECT_EQ(e.text[2], "3");
     }},
    {"additional federal",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.FedAdditional = 10; },
     {{L::Fed, "55.50"}}},
    {"federal exemption, also of the additional amount",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.FedAdditional = 10, e.ckFedExemp = true; },
     {{L::Fed, ".00"}, {L::SS, "24.80"}, {L::Net, "$369.40"}}},
    {"Social Security and Medicare exemption",
     [](auto &, auto &e, auto &) { hours(e, "40"), e.ckSSMediExemp = true; },
     {{L::Fed, "45.50"}, {L::SS, ".00"}, {L::Medi, ".00"}}},
    {"self-employed doubles both",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.SelfEmployed = 1; },
     {{L::SS, "49.60"}, {L::Medi, "11.60"}}},
    {"year 5000 below the base, period 3000: all taxed",
     [](auto &s, auto &e, auto &) { dollars(e, "3000"), s.year.TotGross = legacy::Currency::fromWhole(85000); },
     {{L::SS, "186.00"}, {L::Medi, "43.50"}}},
    {"year 2000 below the base, period 2000: reaches it exactly, all taxed",
     [](auto &s, auto &e, auto &) { dollars(e, "2000"), s.year.TotGross = legacy::Currency::fromWhole(88000); },
     {{L::SS, "124.00"}}},
    {"year 1000 below the base, period 2000: the part below only",
     [](auto &s, auto &e, auto &) { dollars(e, "2000"), s.year.TotGross = legacy::Currency::fromWhole(89000); },
     {{L::SS, "62.00"}}},
    {"year at the base: no Social Security, Medicare still",
     [](auto &s, auto &e, auto &) { dollars(e, "2000"), s.year.TotGross = legacy::Currency::fromWhole(90000); },
     {{L::SS, ".00"}, {L::Medi, "29.00"}}},
    {"self-employed crossing the base",
     [](auto &s, auto &e, auto &) {
         dollars(e, "2000"), s.year.TotGross = legacy::Currency::fromWhole(89000), s.profile.SelfEmployed = 1;
     },
     {{L::SS, "124.00"}, {L::Medi, "58.00"}}},
    {"self-employed past the base",
     [](auto &s, auto &e, auto &) {
         dollars(e, "2000"), s.year.TotGross = legacy::Currency::fromWhole(95000), s.profile.SelfEmployed = 1;
     },
     {{L::SS, ".00"}, {L::Medi, "58.00"}}},
    {"SDI use base: the part below the base; SUI past its base",
     [](auto &s, auto &e, auto &env) {
         dollars(e, "1000"), s.year.TotGross = legacy::Currency::fromWhole(49500);
         sdiBase(s, 1, 50000);
         s.stateSettings.SUIPercent = 1, s.stateSettings.SUIWageBase = 10000;
         env.boxes.ckSDI = env.boxes.ckSUI = true;
     },
     {{L::SDI, "5.00"}, {L::SUI, ".00"}},
     [](const auto &s, const auto &, const auto &) { EXPECT_EQ(s.result.SDIYtdGross, 50500.0f); }},
    {"SDI use base, year at the base",
     [](auto &s, auto &e, auto &env) {
         dollars(e, "1000"), s.year.TotGross = legacy::Currency::fromWhole(50000);
         sdiBase(s, 1, 50000), env.boxes.ckSDI = true;
     },
     {{L::SDI, ".00"}}},
    {"SDI and SUI without base: the box is a flat amount",
     [](auto &s, auto &e, auto &) {
         hours(e, "40"), sdiBase(s, 1, 12.5f), s.stateSettings.SUIPercent = 1, s.stateSettings.SUIWageBase = 3;
     },
     {{L::SDI, "12.50"}, {L::SUI, "3.00"}, {L::Taxes, "$91.60"}}},
    {"an exact half cent goes up",
     [](auto &s, auto &e, auto &) { hours(e, "35"), s.profile.DeductMuni = 1.005f; },
     {{L::Medi, "5.08"}, {L::SS, "21.70"}, {L::Muni, "1.01"}},
     [](const auto &s, const auto &, const auto &) { EXPECT_EQ(s.profile.DeductMuni, 1.01f); }},
    {"city amount to cents",
     [](auto &, auto &e, auto &env) { hours(e, "40"), env.cityTax = VariantNumber::single(3.456f); },
     {{L::City, "3.46"}, {L::Taxes, "$79.56"}}},
    {"state amount without Round State",
     [](auto &, auto &e, auto &env) { hours(e, "40"), env.stateTax = VariantNumber::single(12.5f); },
     {{L::State, "12.50"}, {L::Taxes, "$88.60"}}},
    {"Round State: 12.50 to the even 12",
     [](auto &, auto &e, auto &env) { hours(e, "40"), env.stateTax = VariantNumber::single(12.5f), env.round = true; },
     {{L::State, "12.00"}, {L::Taxes, "$88.10"}, {L::Net, "$311.90"}}},
    {"Round State: 13.50 to the even 14",
     [](auto &, auto &e, auto &env) { hours(e, "40"), env.stateTax = VariantNumber::single(13.5f), env.round = true; },
     {{L::State, "14.00"}}},
    {"state adjustment added",
     [](auto &, auto &e, auto &env) {
         hours(e, "40"), env.stateTax = VariantNumber::single(5), env.boxes.txtStateAdj = "2.5";
     },
     {{L::State, "7.50"}},
     [](const auto &s, const auto &, const auto &) { EXPECT_EQ(s.stateSettings.StateAdjust, 2.5f); }},
    {"a negative state amount shows 0",
     [](auto &, auto &e, auto &env) {
         hours(e, "40"), env.stateTax = VariantNumber::single(5), env.boxes.txtStateAdj = "-8";
     },
     {{L::State, ".00"}, {L::Taxes, "$76.10"}}},
    {"all entries empty or blank",
     [](auto &, auto &e, auto &) { e.text[0] = "", e.text[3] = "  ", e.text[7] = " "; },
     {{L::Gross, ""},
      {L::Fed, ".00"},
      {L::SS, ".00"},
      {L::Medi, ".00"},
      {L::State, ".00"},
      {L::KPlan, ".00"},
      {L::Taxes, "$.00"},
      {L::Net, "$.00"},
      {L::OverT, "$.00"},
      {L::Tips, "$.00"}},
     [](const auto &, const auto &e, const auto &) {
         for (const std::string &t : e.text)
             EXPECT_EQ(t, "0");
     }},
    {"a K plan of the whole gross leaves the gross label empty",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.KPlan = 100; },
     {{L::Gross, ""}, {L::KPlan, "400.00"}}},
    {"rate 1 of 0 computes with 7.50",
     [](auto &s, auto &e, auto &) { hours(e, "40"), s.profile.PayRate1 = 0; },
     {{L::Gross, "$300.00"}},
     [](const auto &, const auto &, const auto &v) { EXPECT_EQ(v.PayRate, 7.5f); }},
};

TEST_F(PayPeriod, Cases)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        runCase(c);
        EXPECT_EQ(env.blanksZeroed, 1);
    }
}

// Wages below 0, a cafeteria plan above the pay or a negative amount
// entered, must not turn a tax into a refund.
const Case kBelowZeroCases[] = {
    {"cafeteria above the pay: Social Security and Medicare",
     [](auto &s, auto &e, auto &) { hours(e, "4"), s.profile.PayRate1 = 0, s.profile.CafeteriaPlan = 100; },
     {{L::Gross, "$30.00"}, {L::Fed, ".00"}, {L::SS, ".00"}, {L::Medi, ".00"}, {L::Taxes, "$.00"}}},
    {"self-employed doubles nothing below 0",
     [](auto &s, auto &e, auto &) {
         hours(e, "4"), s.profile.PayRate1 = 0, s.profile.CafeteriaPlan = 100, s.profile.SelfEmployed = 1;
     },
     {{L::SS, ".00"}, {L::Medi, ".00"}, {L::Taxes, "$.00"}}},
    {"a negative gross: SDI and SUI by percentage",
     [](auto &s, auto &e, auto &env) {
         dollars(e, "-200");
         sdiBase(s, 1, 50000);
         s.stateSettings.SUIPercent = 0.5f, s.stateSettings.SUIWageBase = 10000;
         env.boxes.ckSDI = env.boxes.ckSUI = 1;
     },
     {{L::Gross, "-$200.00"}, {L::SS, ".00"}, {L::Medi, ".00"}, {L::SDI, ".00"}, {L::SUI, ".00"}}},
};

TEST_F(PayPeriod, TaxesOnWagesBelowZeroAreZero)
{
    for (const Case &c : kBelowZeroCases) {
        SCOPED_TRACE(c.name);
        runCase(c);
        const PayResult &r = st.result;
        for (const float tax : {r.FedTax, r.SocSecTax, r.MedicareTax, r.SDIAmount, r.SUIAmount})
            EXPECT_FALSE(std::signbit(tax)) << tax;
        EXPECT_GE(values.TaxDeduct, 0);
    }
}

// Figures the user states are withheld as typed, below 0 too, whatever the
// wages: the additional federal amount and a flat SDI amount.
TEST_F(PayPeriod, StatedFiguresKeepTheirSignOnWagesBelowZero)
{
    hours(in, "4");
    st.profile.PayRate1 = 0;
    st.profile.CafeteriaPlan = 100;
    st.profile.FedAdditional = -5;
    sdiBase(st, 1, -2);  // Use Base off: the box is the amount
    const PayLabels shown = run();
    EXPECT_EQ(shown.lbTaxDed[0], "-5.00");
    EXPECT_EQ(shown.lbSDI, "-2.00");
    EXPECT_EQ(shown.lbTaxes, "-$7.00");
}

TEST_F(PayPeriod, ResultCellsOfOneCalculation)
{
    hours(in, "40");
    in.text[2] = "1";
    st.profile.KPlan = 5;
    st.profile.DeductBond = 2.5f;
    env.stateTax = VariantNumber::single(10.25f);
    run();
    const PayResult &r = st.result;
    EXPECT_EQ(r.GrossPay, 410.0f);
    EXPECT_EQ(r.GrossLessKPlan, 389.5f);
    EXPECT_EQ(values.KPlanAmount, 20.5f);
    EXPECT_EQ(values.StrPay, 400.0f);
    EXPECT_EQ(values.TotalOt, 10.0f);
    EXPECT_DOUBLE_EQ(r.StateTax.value, 10.25);
    // Taxes 43.93 + 25.42 + 5.95 + 10.25, deductions 20.50 + 2.50.
    EXPECT_NEAR(values.TaxDeduct, 85.55, 1e-5);
    EXPECT_EQ(values.TotDeduct, 23.0f);
    EXPECT_FLOAT_EQ(r.NetPay, 301.45f);
}

TEST_F(PayPeriod, ABadStateBoxIsRefusedAndNothingChanges)
{
    hours(in, "40");
    run();
    const PayResult before = st.result;
    const float adjustBefore = st.stateSettings.StateAdjust;

    in = PayEntries{};
    hours(in, "50");
    in.text[1] = " ";  // a blank the calculation would set to "0"
    env.boxes.txtCalAllow = "1.2.3";
    try {
        run();
        ADD_FAILURE() << "no error";
    } catch (const StateBoxError &e) {
        EXPECT_EQ(e.box, "txtCalAllow");
        EXPECT_EQ(e.text, "1.2.3");
        EXPECT_NE(e.message().find("California Exempt Allowance"), std::string::npos);
    }
    EXPECT_EQ(st.result.GrossPay, before.GrossPay);
    EXPECT_EQ(st.result.FedTax, before.FedTax);
    EXPECT_EQ(st.stateSettings.StateAdjust, adjustBefore);
    EXPECT_EQ(in.text[1], " ");
    EXPECT_EQ(values.StrHrs, 40.0f);
}

// The Wisconsin and N.C. formulas read the California allowance at the
// state step: the boxes of this calculation are in the store by then.
TEST_F(PayPeriod, TheStateStepSeesThisCalculationsAllowanceAndAdjustment)
{
    hours(in, "40");
    st.profile.CalAllow = 10;
    st.stateSettings.StateAdjust = 1;
    env.boxes.txtCalAllow = "50";
    env.boxes.txtStateAdj = "-2";
    env.stateTax = VariantNumber::single(10.25f);
    const PayLabels shown = run();
    EXPECT_EQ(env.calAllowSeen, 50);
    EXPECT_EQ(env.adjustSeen, -2);
    EXPECT_EQ(shown.lbTaxDed[3], "8.25");  // the adjustment is added once, at the end
}

TEST(ValidateEntries, NumbersAndBlanksPassAnythingElseIsRefusedAndNamed)
{
    const struct {
        const char *text;
        bool ok;
    } cases[] = {
        {"", true},     {"   ", true},    {"0", true},     {"0.0", true}, {"12.5", true},  {"-3", true},
        {" 40 ", true}, {".5", true},     {"abc", false},  {"-", false},  {".", false},    {"--5", false},
        {"1 2", false}, {"1.2.3", false}, {"12-3", false}, {"4x", false}, {"1e39", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        std::array<std::string, 8> entries{};
        entries[5] = c.text;
        if (c.ok) {
            EXPECT_NO_THROW(validateEntries(entries));
            continue;
        }
        entries[7] = "1.2.3";
        try {
            validateEntries(entries);
            ADD_FAILURE() << "passed";
        } catch (const EntryError &e) {
            EXPECT_EQ(e.index, 5u);
            EXPECT_EQ(e.text, c.text);
        }
    }
    // The dollar amount is read as currency.
    std::array<std::string, 8> entries{};
    entries[6] = "1e16";
    EXPECT_THROW(validateEntries(entries), EntryError);
}

TEST_F(PayPeriod, ABadEntryIsRefusedBeforeAnythingChanges)
{
    st.result.GrossPay = 123;
    in.text = {"40", "", "abc", "12-3", "", "", "", ""};
    EXPECT_THROW(run(), EntryError);
    EXPECT_EQ(st.result.GrossPay, 123.0f);
    EXPECT_EQ(in.text[2], "abc");
    EXPECT_EQ(env.blanksZeroed, 0);
}

}  // namespace
