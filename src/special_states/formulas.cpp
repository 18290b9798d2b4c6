#include "special_states/formulas.h"

#include <cmath>
#include <cstddef>
#include <string_view>
#include <utility>

#include "legacy/numerics.h"
#include "special_states/presets.h"

namespace wagedesk::special_states {

namespace {

// Expressions are worked in double; a 32-bit cell keeps the rounded result
// (one beyond a float's range stops the calculation as too large).
float single(double value) { return legacy::toSingle(value); }

std::string figureText(float value)
{
    return std::isfinite(value) ? legacy::floatToText(value) : std::string("not a number");
}

// The count indexes the allowance rows 0 to 9; a file can hold any count.
std::size_t exemptionRow(SpecialState s, std::int16_t count)
{
    if (count < 0 || count > 9)
        throw SpecialStateError(s, "the state exemption count", std::to_string(count), "it must be 0 to 9");
    return static_cast<std::size_t>(count);
}

// Louisiana's two counts typed into row 0 of the allowance columns, the
// personal exemptions and the dependents, to the nearest whole number (half
// to even).
std::pair<int, int> louisianaCounts(const FormulaInput &in)
{
    auto count = [](float typed, const char *figure) -> int {
        try {
            return legacy::toInt16(static_cast<double>(typed));
        } catch (const legacy::OverflowError &) {
            throw SpecialStateError(SpecialState::Louisiana, figure, figureText(typed),
                                    "it is beyond the range of a count, -32768 to 32767");
        }
    };
    return {count(in.allowance[0].single, "the number of personal exemptions"),
            count(in.allowance[0].married, "the number of dependents")};
}

const BracketTable &tableOf(const FormulaInput &in, bool single) { return single ? in.single : in.married; }

float creditOf(const AllowanceRow &row, bool single) { return single ? row.single : row.married; }

FormulaResult amount(VariantNumber tax)
{
    FormulaResult r;
    r.stateTax = tax;
    return r;
}

// A graduated schedule of N brackets: bracket 1 up to and including
// limit[0], bracket k from limit[k-2] (excluded) to limit[k-1] (included),
// the last one without a top. The base of each bracket is the sum of the
// steps into it, summed as a 32-bit value; the steps are constants of the
// schedule, not worked out from the limits.
template <std::size_t N> struct Schedule {
    std::array<float, N - 1> limit;
    std::array<double, N> rate;
    std::array<double, N - 1> step;  // into brackets 2 to N
};

template <std::size_t N> float graduated(const Schedule<N> &s, float w)
{
    if (w <= s.limit[0])
        return single(w * s.rate[0]);
    float base = 0;
    for (std::size_t k = 1; k < N - 1; ++k) {
        base = single(static_cast<double>(base) + s.step[k - 1]);
        if (w <= s.limit[k])
            return single(base + (static_cast<double>(w) - s.limit[k - 1]) * s.rate[k]);
    }
    base = single(static_cast<double>(base) + s.step[N - 2]);
    return single(base + (static_cast<double>(w) - s.limit[N - 2]) * s.rate[N - 1]);
}

// ---------------------------------------------------------------- Iowa

constexpr std::array<double, 9> kIowaRates{0.0036, 0.0072, 0.0243, 0.045, 0.0612, 0.0648, 0.068, 0.0792, 0.0898};
constexpr std::array<double, 9> kIowaPriorRates{0.0036, 0.0072, 0.0243, 0.0486, 0.0653, 0.0698, 0.0752, 0.0842, 0.0898};

const Schedule<9> kIowaBiWeekly{
    {48.81f, 97.62f, 195.24f, 439.28f, 732.13f, 976.17f, 1464.25f, 2196.37f},
    kIowaRates,
    {0.175716, 0.351432, 2.372166, 10.9818, 17.92242, 15.813792, 33.18944, 57.983904},
};
// Its own table, not half of the bi-weekly one.
const Schedule<9> kIowaWeekly{
    {24.40f, 48.80f, 97.61f, 219.63f, 366.05f, 488.07f, 732.11f, 1098.17f},
    kIowaRates,
    {0.08784, 0.17568, 1.18584, 5.4909, 8.960904, 7.906896, 16.59472, 28.991952},
};
// Pay periods before April 1st 2005.
const Schedule<9> kIowaPriorBiWeekly{
    {42.31f, 82.69f, 165.38f, 375.f, 625.f, 846.15f, 1269.23f, 1884.62f},
    kIowaPriorRates,
    {0.152316, 0.290736, 2.009367, 10.187532, 16.325, 15.43627, 31.815616, 51.814996},
};
const Schedule<9> kIowaPriorWeekly{
    {21.16f, 41.35f, 82.69f, 187.5f, 312.5f, 423.08f, 634.62f, 942.31f},
    kIowaPriorRates,
    {0.076176, 0.145368, 1.004805, 5.093766, 8.1625, 7.718484, 15.907808, 25.907498},
};

// Wages less federal tax, cafeteria and the Standard deduction, through the
// schedule, less the Credit.
FormulaResult iowa(const FormulaInput &in, SpecialState s, const Schedule<9> &biWeekly, const Schedule<9> &weekly)
{
    const AllowanceRow &row = in.allowance[exemptionRow(s, in.StateExemptions)];
    float w = single(static_cast<double>(in.GrossLessKPlan) - in.FedTax - in.StateCafeteria);
    w = single(static_cast<double>(w) - row.single);
    const float tax = graduated(in.optBiWeek ? biWeekly : weekly, w);
    return amount(VariantNumber::single(single(static_cast<double>(tax) - row.married)));
}

// ---------------------------------------------------------------- Missouri

constexpr std::array<double, 10> kMissouriRates{0.015, 0.02, 0.025, 0.03, 0.035, 0.04, 0.045, 0.05, 0.055, 0.06};
const Schedule<10> kMissouriBiWeekly{
    {38.5f, 77.f, 115.5f, 154.f, 192.5f, 231.f, 269.5f, 308.f, 346.5f},
    kMissouriRates,
    {0.5775, 0.77, 0.9625, 1.155, 1.3475, 1.54, 1.7325, 1.925, 2.1175},
};
const Schedule<10> kMissouriWeekly{
    {20.f, 40.f, 60.f, 80.f, 100.f, 120.f, 140.f, 160.f, 180.f},
    kMissouriRates,
    {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1},
};

// ---------------------------------------------------------------- Oklahoma

// One row of an annual schedule: above lower, up to upper.
struct AnnualRow {
    double lower, upper, rate, base;
};

constexpr std::array<AnnualRow, 10> kOklaMarried{{
    {0, 2000, 0.005, 0},
    {2000, 5000, 0.01, 10},
    {5000, 7500, 0.02, 40},
    {7500, 8900, 0.03, 90},
    {8900, 10400, 0.04, 132},
    {10400, 12000, 0.05, 192},
    {12000, 13250, 0.06, 272},
    {13250, 15000, 0.07, 347},
    {15000, 18000, 0.08, 469.5},
    {18000, 0, 0.09, 709.5},
}};
constexpr std::array<AnnualRow, 11> kOklaSingle{{
    {0, 1000, 0.005, 0},
    {1000, 2500, 0.01, 5},
    {2500, 3750, 0.02, 20},
    {3750, 4900, 0.03, 45},
    {4900, 6100, 0.04, 79.5},
    {6100, 7500, 0.05, 127.5},
    {7500, 9000, 0.06, 197.5},
    {9000, 10500, 0.07, 287.5},
    {10500, 12500, 0.08, 392.5},
    {12500, 16000, 0.09, 552.5},
    {16000, 0, 0.1, 867.5},
}};

// A row holds t above its lower bound up to and including its upper one;
// the last row starts at its bound included, so the row before it stops
// just below. No row for t of 0 or less.
template <std::size_t N> std::optional<double> annualTax(const std::array<AnnualRow, N> &rows, float t)
{
    std::optional<double> tax;
    for (std::size_t i = 0; i < N; ++i) {
        const AnnualRow &r = rows[i];
        bool holds;
        if (i == N - 1)
            holds = t >= r.lower;
        else if (i == N - 2)
            holds = t > r.lower && t < r.upper;
        else
            holds = t > r.lower && t <= r.upper;
        if (holds)
            tax = r.base + r.rate * (static_cast<double>(t) - r.lower);
    }
    return tax;
}

constexpr double kOklaCap = 22560;

// ---------------------------------------------------------------- Alabama

struct AlabamaFigures {
    double perDependent, standardCap, personal, top2, top4, tax2, tax4;
};
constexpr AlabamaFigures kAlabamaBiWeeklySingle{11.54, 76.92, 57.69, 19.23, 115.38, 0.3846, 3.846};
constexpr AlabamaFigures kAlabamaBiWeeklyMarried{11.54, 153.85, 115.38, 38.46, 230.77, 0.7692, 7.6924};
constexpr AlabamaFigures kAlabamaWeeklySingle{5.77, 38.46, 28.85, 9.62, 57.69, 0.1924, 1.9232};
constexpr AlabamaFigures kAlabamaWeeklyMarried{5.77, 76.92, 57.69, 19.23, 115.38, 0.3846, 3.846};

// ---------------------------------------------------------------- the scan of Wisconsin and N.C.

// Lines 0 to 8 hold wages from their minimum up to the next line's, line 9
// from its minimum up; h = 2 halves the minimums (as 32-bit values) for
// weekly pay. Every line that applies overwrites the amount.
template <class LineTax> std::optional<float> scanLines(const BracketTable &t, float w, double h, LineTax lineTax)
{
    auto minimum = [&](std::size_t i) { return single(t[i].minimum / h); };
    std::optional<float> tax;
    for (std::size_t i = 0; i < 9; ++i)
        if (minimum(i) <= w && w < minimum(i + 1))
            tax = lineTax(t[i], minimum(i));
    if (w >= minimum(9))
        tax = lineTax(t[9], minimum(9));
    return tax;
}

}  // namespace

void FormulaResult::applyTo(PayResult &result) const
{
    if (stateTax)
        result.StateTax = *stateTax;
    if (stateWages)
        result.StateWages = *stateWages;
}

FormulaInput formulaInput(const ProgramState &store, const FormulaLive &live)
{
    const PayResult &r = store.result;
    const ProfileSettings &p = store.profile;
    FormulaInput in;
    in.single = store.stateSettings.StateTable.single;
    in.married = store.stateSettings.StateTable.married;
    in.allowance = store.stateSettings.StateAllowance;
    in.GrossPay = r.GrossPay;
    in.GrossLessKPlan = r.GrossLessKPlan;
    in.FedTax = r.FedTax;
    in.SocSecTax = r.SocSecTax;
    in.MedicareTax = r.MedicareTax;
    in.StateAllowanceAmount = r.StateAllowanceAmount;
    in.StateCafeteria = r.StateCafeteria;
    in.CalAllow = p.CalAllow;
    in.FedStatus = p.FedStatus;
    in.StateStatus = p.StateStatus;
    in.StateExemptions = p.StateExemptions;
    in.TotSS = store.year.TotSS;
    in.TotMedi = store.year.TotMedi;
    in.optWeek = live.optWeek;
    in.optBiWeek = live.optBiWeek;
    in.cboStatus2 = live.cboStatus2;
    in.ckSpouse = live.ckSpouse;
    in.ckIowaPrior = live.ckIowaPrior;
    return in;
}

FormulaResult GetArizona(const FormulaInput &in)
{
    // By the federal status: the share is of federal withholding.
    const float share = in.FedStatus == "Single" ? in.single[0].percentage : in.married[0].percentage;
    return amount(VariantNumber::single(single(static_cast<double>(in.FedTax) * share)));
}

FormulaResult GetLouisiana(const FormulaInput &in)
{
    const auto [p, d] = louisianaCounts(in);

    const bool bi = in.optBiWeek;
    const float perPersonal = bi ? 173.08f : 86.54f;
    const float perDependent = bi ? 38.46f : 19.23f;
    // Two personal exemptions double the thresholds.
    const float t1 = p == 2 ? (bi ? 961.54f : 480.77f) : (bi ? 480.77f : 240.38f);
    const float t2 = p == 2 ? (bi ? 1923.08f : 961.54f) : (bi ? 961.54f : 480.77f);

    const float g = in.GrossPay;
    const float a = g > 0 ? single(0.021 * g) : 0.f;
    const float b = g > t1 ? single(0.0135 * (static_cast<double>(g) - t1)) : 0.f;
    const float c = g > t2 ? single(0.0135 * (static_cast<double>(g) - t2)) : 0.f;
    const float e = single(d * static_cast<double>(perDependent) + p * static_cast<double>(perPersonal));
    const float f = single(0.021 * e);
    // Only the first threshold applies to the exemption amount.
    const float h = e > t1 ? single(0.0135 * (static_cast<double>(e) - t1)) : 0.f;
    const float tax = single((static_cast<double>(a) + b + c) - (static_cast<double>(f) + h));
    return amount(VariantNumber::single(tax > 0 ? tax : 0.f));
}

FormulaResult GetIowa(const FormulaInput &in) { return iowa(in, SpecialState::Iowa, kIowaBiWeekly, kIowaWeekly); }

FormulaResult GetIowaPrior(const FormulaInput &in)
{
    return iowa(in, SpecialState::Iowa, kIowaPriorBiWeekly, kIowaPriorWeekly);
}

FormulaResult GetMissouri(const FormulaInput &in)
{
    const AllowanceRow &row = in.allowance[exemptionRow(SpecialState::Missouri, in.StateExemptions)];
    // The federal tax counts up to a yearly limit that depends on the
    // working spouse alone, not on the filing status.
    const double periods = in.optWeek ? 52 : 26;
    const float limit = single((in.ckSpouse ? 5000.0 : 10000.0) / periods);
    const float federal = in.FedTax <= limit ? in.FedTax : limit;
    const float w = single(static_cast<double>(in.GrossLessKPlan) - federal - in.StateCafeteria);
    const float t = single(static_cast<double>(w) - row.single - row.married);
    FormulaResult r = amount(VariantNumber::single(graduated(in.optBiWeek ? kMissouriBiWeekly : kMissouriWeekly, t)));
    r.turnsRoundStateOn = true;
    return r;
}

FormulaResult GetMass(const FormulaInput &in)
{
    const std::size_t n = exemptionRow(SpecialState::Mass, in.StateExemptions);
    // Social Security and Medicare come off until the year's total passes
    // 2000; this period's are taken whole.
    const float year = single(static_cast<double>(in.TotSS) + in.TotMedi);
    float w = year <= 2000 ? single(static_cast<double>(in.GrossPay) - in.SocSecTax - in.MedicareTax) : in.GrossPay;
    // Always the Married column and the Single table's rate.
    const float exemption = in.allowance[n].married;
    w = in.optWeek ? single(w - exemption / 2.0) : single(static_cast<double>(w) - exemption);
    FormulaResult r = amount(VariantNumber::single(single(static_cast<double>(w) * in.single[0].percentage)));
    r.stateWages = w;
    return r;
}

FormulaResult GetOregon(const FormulaInput &in)
{
    const std::size_t n = exemptionRow(SpecialState::Oregon, in.StateExemptions);
    const double cap = in.optBiWeek ? 135 : 67;
    const float w = in.FedTax <= cap ? single(static_cast<double>(in.GrossPay) - in.FedTax) : single(in.GrossPay - cap);
    // A single person with three or more exemptions is taxed as married.
    const bool singleTable = in.StateStatus == "Single" && n < 3;
    const BracketTable &t = tableOf(in, singleTable);
    const float credit = creditOf(in.allowance[n], singleTable);

    FormulaResult r;
    r.stateWages = w;
    auto line = [&](const BracketRow &row) {
        return VariantNumber::single(
            single((static_cast<double>(w) - row.minimum) * row.percentage + row.amount - credit));
    };
    if (t[0].minimum <= w && w < t[1].minimum)
        r.stateTax = VariantNumber::integer(0);
    if (t[1].minimum <= w && w < t[2].minimum)
        r.stateTax = line(t[1]);
    if (w >= t[2].minimum)
        r.stateTax = line(t[2]);
    return r;
}

FormulaResult GetOkla(const FormulaInput &in)
{
    const int n = static_cast<int>(exemptionRow(SpecialState::Oklahoma, in.StateExemptions));
    const std::string &status = in.cboStatus2;
    const bool isSingle = status == "Single", isMarried = status == "Married";
    const double periods = in.optBiWeek ? 26 : 52;

    const float a = single(in.GrossPay * periods);
    const float c = a <= kOklaCap ? a : static_cast<float>(kOklaCap);
    const float federalStandard = isSingle ? 5000.f : 10000.f;
    // From the uncapped pay, held between 1000 and 2000.
    float standard = 0;
    if (isSingle || isMarried) {
        standard = single(0.15 * a);
        if (standard < 1000)
            standard = 1000;
        if (standard > 2000)
            standard = 2000;
    }
    // An estimate of the annual federal tax.
    const float x = single(static_cast<double>(c) - federalStandard - 3200.0 * n);
    const double band = isSingle ? 7300 : 14600;
    float federal = 0;
    if (x > 0 && x <= band)
        federal = single(0.10 * x);
    else if (x > band)
        federal = single(band * 0.10 + 0.15 * (x - band));
    const float t = single(static_cast<double>(c) - (1000.0 * n + standard + federal));

    float annual = 0;
    std::optional<double> scheduled;
    if (isMarried && !in.ckSpouse)
        scheduled = annualTax(kOklaMarried, t);
    else if (isMarried || isSingle)
        scheduled = annualTax(kOklaSingle, t);
    if (scheduled)
        annual = single(isMarried && in.ckSpouse ? *scheduled * 1.16 : *scheduled);
    const float excess = a > kOklaCap ? single(0.0665 * (a - kOklaCap)) : 0.f;

    const float period = single((static_cast<double>(annual) + excess) / periods);
    std::int16_t whole;
    try {
        whole = legacy::toInt16(static_cast<double>(period));
    } catch (const legacy::OverflowError &) {
        // An amount too large for its cell, as anywhere in the calculation;
        // only pay far beyond any real one gets here.
        throw legacy::OverflowError("Oklahoma withholding: the period's tax is " + figureText(period) +
                                    "; a whole-dollar amount can be at most 32767.");
    }
    FormulaResult r = amount(VariantNumber::integer(whole));
    r.turnsRoundStateOn = true;
    return r;
}

FormulaResult GetAlabama(const FormulaInput &in)
{
    const std::int16_t count = static_cast<std::int16_t>(exemptionRow(SpecialState::Alabama, in.StateExemptions));
    const bool isSingle = in.StateStatus == "Single";
    const AlabamaFigures &f = in.optBiWeek ? (isSingle ? kAlabamaBiWeeklySingle : kAlabamaBiWeeklyMarried)
                                           : (isSingle ? kAlabamaWeeklySingle : kAlabamaWeeklyMarried);
    const double dependents = count * f.perDependent;
    double standard = 0.2 * in.GrossPay;
    if (standard > f.standardCap)
        standard = f.standardCap;
    const float t = single(in.GrossPay - (standard + f.personal + in.FedTax + dependents));
    double tax;
    if (t <= f.top2)
        tax = 0.02 * t;
    else if (t <= f.top4)
        tax = 0.04 * (t - f.top2) + f.tax2;
    else
        tax = 0.05 * (t - f.top4) + f.tax2 + f.tax4;
    FormulaResult r = amount(VariantNumber::dbl(tax));
    r.turnsRoundStateOn = true;
    return r;
}

FormulaResult GetKentucky(const FormulaInput &in)
{
    const std::size_t n = exemptionRow(SpecialState::Kentucky, in.StateExemptions);
    const bool isSingle = in.StateStatus == "Single";
    const BracketTable &t = tableOf(in, isSingle);
    const double credit = creditOf(in.allowance[n], isSingle);
    // Minimum Range holds each bracket's top, Amount the standard deduction.
    const double g = in.GrossPay;
    auto m = [&](std::size_t i) { return static_cast<double>(t[i].minimum); };
    auto a = [&](std::size_t i) { return static_cast<double>(t[i].amount); };
    auto p = [&](std::size_t i) { return static_cast<double>(t[i].percentage); };
    auto d = [&](std::size_t i) { return single(g - a(i)); };
    // The tax on the full brackets below bracket k.
    auto full = [&](std::size_t k) {
        double sum = m(0) * p(0);
        for (std::size_t i = 1; i < k; ++i)
            sum += (m(i) - m(i - 1)) * p(i);
        return sum;
    };

    std::optional<float> tax;
    if (d(0) <= m(0))
        tax = single((g - a(0)) * p(0) - credit);
    if (d(0) > m(0) && d(1) <= m(1))
        tax = single(full(1) + (g - a(1) - m(0)) * p(1) - credit);
    if (d(1) > m(1) && d(2) <= m(2))
        tax = single(full(2) + (g - a(2) - m(1)) * p(2) - credit);
    if (d(0) > m(2) && d(0) <= m(3))
        tax = single(full(3) + (g - a(3) - m(2)) * p(3) - credit);
    if (d(0) > m(3))
        tax = single(full(4) + (g - a(4) - m(3)) * p(4) - credit);

    FormulaResult r;
    if (tax)
        r.stateTax = VariantNumber::single(*tax);
    return r;
}

FormulaResult GetWisconsin(const FormulaInput &in)
{
    const BracketTable &t = tableOf(in, in.StateStatus == "Single");
    FormulaResult r;
    std::optional<float> tax;
    const float w = single(static_cast<double>(in.GrossLessKPlan) - in.CalAllow - in.StateCafeteria);
    if (in.optBiWeek) {
        r.stateWages = w;
        if (auto line = scanLines(t, w, 1, [&](const BracketRow &row, float minimum) {
                return single((static_cast<double>(w) - minimum) * row.percentage + row.amount);
            }))
            tax = line;
    }
    if (in.optWeek) {
        r.stateWages = w;
        if (auto line = scanLines(t, w, 2, [&](const BracketRow &row, float minimum) {
                return single((static_cast<double>(w) - minimum) * row.percentage + row.amount / 2.0);
            }))
            tax = line;
    }
    // The credit comes off whether or not a line applied.
    const double credit = in.optBiWeek ? in.StateAllowanceAmount : in.StateAllowanceAmount / 2.0;
    r.stateTax = VariantNumber::single(single(static_cast<double>(tax.value_or(0.f)) - credit));
    return r;
}

FormulaResult GetNC(const FormulaInput &in)
{
    const BracketTable &t = tableOf(in, in.StateStatus == "Single");
    FormulaResult r;
    std::optional<float> tax;
    // The allowance comes off the wages; the Amount column off the product.
    if (in.optBiWeek) {
        const float w = single(static_cast<double>(in.GrossLessKPlan) - in.CalAllow - in.StateAllowanceAmount -
                               in.StateCafeteria);
        r.stateWages = w;
        if (auto line = scanLines(t, w, 1, [&](const BracketRow &row, float) {
                return single(static_cast<double>(w) * row.percentage - row.amount);
            }))
            tax = line;
    }
    if (in.optWeek) {
        const float w = single(static_cast<double>(in.GrossLessKPlan) - in.CalAllow - in.StateAllowanceAmount / 2.0 -
                               in.StateCafeteria);
        r.stateWages = w;
        if (auto line = scanLines(t, w, 2, [&](const BracketRow &row, float) {
                return single(static_cast<double>(w) * row.percentage - row.amount / 2.0);
            }))
            tax = line;
    }
    if (tax)
        r.stateTax = VariantNumber::single(*tax);
    return r;
}

void checkFigures(const SwitchValues &switches, const FormulaInput &in)
{
    for (SpecialState s : kDispatchOrder) {
        if (!switches[s])
            continue;
        switch (s) {
        case SpecialState::Arizona:
        case SpecialState::Wisconsin:
        case SpecialState::NorthCarolina:
            // No count and no row of their own: the calculation looks the
            // allowance up.
            break;
        case SpecialState::Louisiana: louisianaCounts(in); break;
        default: exemptionRow(s, in.StateExemptions); break;
        }
    }
}

std::optional<FormulaResult> dispatch(const SwitchValues &switches, const FormulaInput &in)
{
    std::optional<FormulaResult> out;
    for (SpecialState s : kDispatchOrder) {
        if (!switches[s])
            continue;
        const SpecialStateInfo &i = info(s);
        const Formula formula = i.priorPeriodFormula && in.ckIowaPrior ? i.priorPeriodFormula : i.formula;
        const FormulaResult r = formula(in);
        if (!out) {
            out = r;
            continue;
        }
        // Each formula writes only what it finds, over what an earlier one
        // left; Round State stays on once one has turned it on.
        if (r.stateTax)
            out->stateTax = r.stateTax;
        if (r.stateWages)
            out->stateWages = r.stateWages;
        out->turnsRoundStateOn = out->turnsRoundStateOn || r.turnsRoundStateOn;
    }
    return out;
}

}  // namespace wagedesk::special_states
