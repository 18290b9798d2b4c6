#include "core/paycalc.h"

#include <utility>

namespace wagedesk {

using legacy::Currency;

namespace {

constexpr double kSocSecBase = 90000;
constexpr double kSocSecRate = 0.062;
constexpr double kMedicareRate = 0.0145;

constexpr const char *kLine = "#,###.00";
constexpr const char *kTotal = "$#,###.00";

// Expressions are worked in double; a 32-bit cell keeps the rounded result
// (an amount beyond a 32-bit float's range stops the calculation).
float single(double value) { return legacy::toSingle(value); }

Currency cur(double value) { return Currency::fromDouble(value); }

const Currency kSocSecBaseCur = Currency::fromWhole(90000);

// Wages below 0 (a cafeteria plan above the pay, a negative amount entered)
// owe no tax: a percentage of them would be a refund.
float noRefundOnWagesBelowZero(double wages, float tax) { return wages < 0 && tax <= 0 ? 0 : tax; }

// Strict reading of a state editor box, which the calculation has already
// set to "0" when it was empty.
float stateBox(const std::string &text, const char *box, const char *caption)
{
    if (text.empty())
        return 0;
    try {
        return strictSingle(text);
    } catch (const NumberError &e) {
        throw StateBoxError(box, caption, text, e.problem);
    }
}

// SDI or SUI: a percentage of the whole gross up
// to the base, or the base box's amount as a flat sum.
float insurance(std::int16_t useBase, float percent, float wageBase, float ytdGross, Currency yearGross, float gross)
{
    if (useBase == 0)
        return wageBase;
    if (useBase != 1)
        return 0;
    if (yearGross.toDouble() >= wageBase)
        return 0;
    float amount = single(percent * 0.01 * gross);
    if (ytdGross > wageBase)
        amount = single((cur(wageBase) - yearGross).toDouble() * percent * 0.01);
    return noRefundOnWagesBelowZero(gross, amount);
}

// The "#,###.00" text of a variant cell, held by its value as the text is.
VariantNumber asRoundedText(const VariantNumber &cell)
{
    return VariantNumber::dbl(legacy::toDouble(cell.formatted(kLine)));
}

// A running sum of variants: an integer plus a single stays single, each
// step rounded; anything plus a text or a double is a double.
struct VariantSum {
    double value;
    bool isDouble;
    void add(float x)
    {
        if (isDouble)
            value += x;
        else
            value = single(value + x);
    }
    void addText(const VariantNumber &text)
    {
        value += text.value;
        isDouble = true;
    }
};

}  // namespace

EntryError::EntryError(std::size_t i, std::string t, NumberProblem p)
    : std::runtime_error("entry " + std::to_string(i) + ": " + numberMessage("", p, t)), index(i), text(std::move(t)),
      problem(p)
{
}

StateBoxError::StateBoxError(std::string b, std::string c, std::string t, NumberProblem p)
    : std::runtime_error(b + ": " + numberMessage("", p, t)), box(std::move(b)), caption(std::move(c)),
      text(std::move(t)), problem(p)
{
}

std::string StateBoxError::message() const { return numberMessage("State table, " + caption, problem, text); }

FederalTableError::FederalTableError() : legacy::OverflowError("a federal table figure is too large to compute with") {}

void validateEntries(const std::array<std::string, 8> &entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string &t = entries[i];
        try {
            // Only a blank box counts as 0: "-" or "." is no number either,
            // though it starts none.
            if (lenientDouble(t) == 0 && t.find_first_not_of(" \t") == std::string::npos)
                continue;
            if (i == 6)
                strictCurrency(t);
            else
                strictSingle(t);
        } catch (const NumberError &e) {
            throw EntryError(i, t, e.problem);
        }
    }
}

void GetSocSec(ProgramState &st)
{
    PayResult &r = st.result;
    const Currency year = st.year.TotGross;
    const double wages = static_cast<double>(r.GrossPay) - r.CafeteriaAmount;
    const Currency ytd = year + cur(r.GrossPay) - cur(r.CafeteriaAmount);
    const float ytdWages = ytd.toFloat();
    const float remaining = (kSocSecBaseCur - ytd).toFloat();

    if (remaining < 0)
        r.SocSecTax = 0;
    else
        r.SocSecTax = single(wages * kSocSecRate);
    // The period that crosses the base pays on the part below it only.
    if (year < kSocSecBaseCur && ytdWages > kSocSecBase)
        r.SocSecTax = single((kSocSecBaseCur - year).toDouble() * kSocSecRate);
    r.SocSecTax = noRefundOnWagesBelowZero(wages, r.SocSecTax);
    if (r.SocSecTax > 0 && st.profile.SelfEmployed == 1)
        r.SocSecTax = 2 * r.SocSecTax;
}

namespace {

// The adjustment and the California allowance from the editor's boxes into
// the settings store.
void takeStateBoxes(ProgramState &st, const SdiSuiBoxes &boxes)
{
    const float adjust = stateBox(boxes.txtStateAdj, "txtStateAdj",
                                  "Enter figure to add to State Tax. Place a (-)Minus to subtract.");
    const float calAllow = stateBox(boxes.txtCalAllow, "txtCalAllow", "California Exempt Allowance");
    st.stateSettings.StateAdjust = adjust;
    st.profile.CalAllow = calAllow;
}

}  // namespace

void GetSDI_SUI(ProgramState &st, const SdiSuiBoxes &boxes)
{
    takeStateBoxes(st, boxes);

    PayResult &r = st.result;
    const StateSettings &s = st.stateSettings;
    const Currency year = st.year.TotGross;
    r.SDIYtdGross = r.SUIYtdGross = (year + cur(r.GrossPay)).toFloat();
    r.SDIAmount = insurance(boxes.ckSDI, s.SDIPercent, s.SDIWageBase, r.SDIYtdGross, year, r.GrossPay);
    r.SUIAmount = insurance(boxes.ckSUI, s.SUIPercent, s.SUIWageBase, r.SUIYtdGross, year, r.GrossPay);
}

namespace {

PayLabels compute(ProgramState &st, PayEntries &entries, PeriodValues &v, CalcEnvironment &env)
{
    ProfileSettings &p = st.profile;
    PayResult &r = st.result;
    PayLabels shown;

    // Every result of the last period goes.
    r.GrossLessKPlan = r.NetPay = 0;
    v.TotDeduct = 0;
    v.TaxDeduct = 0;
    r.FedTax = 0;
    r.StateTax = VariantNumber{};
    r.SDIAmount = r.SUIAmount = r.SDIYtdGross = r.SUIYtdGross = 0;
    r.CafeteriaAmount = p.CafeteriaPlan;
    r.CityTax = VariantNumber{};
    r.MedicareTax = r.SocSecTax = 0;

    // Rate 1, with the window's fallback.
    v.PayRate = p.PayRate1 == 0 ? p.DefaultPayRate : p.PayRate1;

    // Entries: a blank box becomes "0", then each whole text is read.
    for (std::string &t : entries.text)
        if (legacy::val(t) == 0)
            t = "0";
    const auto &e = entries.text;
    v.StrHrs = legacy::toFloat(e[0]);
    v.StrHrs2 = legacy::toFloat(e[1]);
    v.OtVar = legacy::toFloat(e[2]);
    v.OtHrs = legacy::toFloat(e[3]);
    v.Avas = legacy::toFloat(e[4]);
    v.VacDys = legacy::toFloat(e[5]);
    v.Addit = legacy::toCurrency(e[6]);
    v.TipsHrs = legacy::toFloat(e[7]);

    // Allowances; a status or count outside the lists leaves them.
    const double fedCount = legacy::val(p.FedExemptions);
    for (int k = 0; k <= 9; ++k) {
        if (fedCount != k)
            continue;
        if (p.FedStatus == "Single")
            r.FedAllowanceAmount = st.federal.FedAllowance[k];
        else if (p.FedStatus == "Married")
            r.FedAllowanceAmount = st.federal.FedAllowance[10 + k];
    }
    if (p.StateExemptions >= 0 && p.StateExemptions <= 9) {
        const auto k = static_cast<std::size_t>(p.StateExemptions);
        const StateSettings &s = st.stateSettings;
        if (p.StateStatus == "Single") {
            r.StateAllowanceAmount = s.StateAllowance[k].single;
            r.CityAllowanceAmount = s.CityAllowance[k].single;
        } else if (p.StateStatus == "Married") {
            r.StateAllowanceAmount = s.StateAllowance[k].married;
            r.CityAllowanceAmount = s.CityAllowance[k].married;
        }
    }

    // Overtime at 1x counts twice unless (1X) is chosen.
    if (!entries.opt1x)
        v.OtVar = 2 * v.OtVar;
    const double rate = v.PayRate;
    v.StrPay = single(v.StrHrs * rate);
    v.StrPay2 = single(static_cast<double>(p.PayRate2) * v.StrHrs2);
    v.TipsPay = single(static_cast<double>(p.TipsRate) * v.TipsHrs);
    v.TotalOt = single(v.OtHrs * 1.5 * rate + v.OtVar * rate);
    v.TotalTips = single(static_cast<double>(p.TipsRate) * v.TipsHrs);

    // Gross in currency: the first group summed before its conversion.
    const Currency gross = cur(static_cast<double>(p.PayRate2) * v.StrHrs2 + v.StrHrs * rate + v.OtHrs * 1.5 * rate +
                               v.Avas * rate) +
                           v.Addit + cur(v.OtVar * rate) + cur(rate * v.VacDys) +
                           cur(static_cast<double>(p.TipsRate) * v.TipsHrs);
    r.GrossPay = gross.toFloat();

    // K plan, pension, federal wages.
    v.KPlanAmount = p.KPlanIsPercent == 1 ? single(p.KPlan * 0.01 * r.GrossPay) : p.KPlan;
    r.PensionAmount = single(p.PensionPercent * 0.01 * r.GrossPay);
    r.GrossLessKPlan = single(static_cast<double>(r.GrossPay) - v.KPlanAmount);
    if (entries.optBiWeek)
        r.FedAllowanceAmount = 2 * r.FedAllowanceAmount;  // the file holds weekly amounts
    r.FedWages = single(static_cast<double>(r.GrossLessKPlan) - r.PensionAmount - r.FedAllowanceAmount -
                        r.CafeteriaAmount);

    // Federal, Social Security, Medicare.
    // The wages fit their cell, so a tax that does not comes from the table.
    try {
        if (!entries.ckFedExemp)
            r.FedTax = GetFedTax(st.federal, p.FedStatus == "Single", entries.optBiWeek, entries.optWeek, r.FedWages,
                                 r.FedTax);
    } catch (const legacy::OverflowError &) {
        throw FederalTableError();
    }
    GetSocSec(st);
    const double medicareWages = static_cast<double>(r.GrossPay) - r.CafeteriaAmount;
    r.MedicareTax = noRefundOnWagesBelowZero(medicareWages, single(medicareWages * kMedicareRate));
    if (p.SelfEmployed == 1)
        r.MedicareTax = 2 * r.MedicareTax;
    if (entries.ckSSMediExemp)
        r.MedicareTax = r.SocSecTax = 0;

    // State, the editor's blank boxes, city, SDI and SUI. The adjustment
    // and the California allowance are taken before the state step, whose
    // Wisconsin and N.C. formulas read the allowance: a changed box counts
    // in this calculation, not the next.
    r.StateCafeteria = p.CafeDeductState != 0 ? r.CafeteriaAmount : 0;
    const SdiSuiBoxes boxes = env.sdiSuiBoxes();
    takeStateBoxes(st, boxes);
    env.stateStep(st);
    env.zeroBlankStateFields();
    env.cityStep(st);
    GetSDI_SUI(st, boxes);

    // The gross is shown only for a period with pay; the additional
    // federal amount is withheld on top.
    if (r.GrossLessKPlan != 0)
        shown.Label13 = legacy::format(r.GrossPay, kTotal);
    r.FedTax = single(static_cast<double>(r.FedTax) + p.FedAdditional);

    // Cents; the four deductions stay rounded in the profile.
    for (float *cell : {&r.FedTax, &r.SocSecTax, &r.MedicareTax})
        *cell = legacy::roundCents(*cell);
    r.CityTax = asRoundedText(r.CityTax);
    for (float *cell : {&p.DeductMuni, &p.DeductBond, &p.DeductDues, &r.PensionAmount, &p.DeductMisc, &v.KPlanAmount,
                        &r.SDIAmount, &r.SUIAmount, &r.CafeteriaAmount})
        *cell = legacy::roundCents(*cell);

    // The exemption wins over the additional amount too.
    if (entries.ckFedExemp)
        r.FedTax = 0;

    // State finish: adjustment, cents, whole dollars (half to even)
    // under Round State, never below 0.
    {
        VariantNumber &tax = r.StateTax;
        const float adjust = st.stateSettings.StateAdjust;
        tax = tax.kind == VariantNumber::Kind::Double ? VariantNumber::dbl(tax.value + adjust)
                                                      : VariantNumber::single(single(tax.value + adjust));
        const std::string text = tax.formatted(kLine);
        tax = VariantNumber::dbl(legacy::toDouble(text));
        if (env.roundStateOn())
            tax = VariantNumber::integer(legacy::toInt16(std::string_view(text)));
        if (tax.value < 0)
            tax = VariantNumber::integer(0);
    }

    // Amount lines.
    shown.lbTaxDed = {
        legacy::format(r.FedTax, kLine),
        legacy::format(r.SocSecTax, kLine),
        legacy::format(r.MedicareTax, kLine),
        r.StateTax.formatted(kLine),
        r.CityTax.formatted(kLine),
        legacy::format(p.DeductMuni, kLine),
        legacy::format(p.DeductBond, kLine),
        legacy::format(p.DeductDues, kLine),
        legacy::format(r.PensionAmount, kLine),
        legacy::format(p.DeductMisc, kLine),
        legacy::format(v.KPlanAmount, kLine),
    };
    shown.lbSDI = legacy::format(r.SDIAmount, kLine);
    shown.lbSUI = legacy::format(r.SUIAmount, kLine);
    shown.lbCafe = legacy::format(r.CafeteriaAmount, kLine);

    // Totals and net pay.
    VariantSum taxes{r.StateTax.value, r.StateTax.kind == VariantNumber::Kind::Double};
    taxes.add(r.FedTax);
    taxes.add(r.SDIAmount);
    taxes.add(r.SUIAmount);
    taxes.addText(r.CityTax);
    taxes.add(r.MedicareTax);
    taxes.add(r.SocSecTax);
    v.TaxDeduct = taxes.value;
    v.TotDeduct = single(static_cast<double>(p.DeductBond) + p.DeductMuni + p.DeductMisc + p.DeductDues +
                         v.KPlanAmount + r.PensionAmount + r.CafeteriaAmount);
    r.NetPay = single(static_cast<double>(r.GrossPay) - (v.TaxDeduct + v.TotDeduct) - v.TipsPay);

    shown.lbTaxes = legacy::format(v.TaxDeduct, kTotal);
    shown.lbDeduct = legacy::format(v.TotDeduct, kTotal);
    shown.lbNet = legacy::format(r.NetPay, kTotal);
    shown.lbOverT = legacy::format(v.TotalOt, kTotal);
    shown.lbTips = legacy::format(v.TotalTips, kTotal);
    return shown;
}

}  // namespace

PayLabels computePayPeriod(ProgramState &st, PayEntries &entries, PeriodValues &values, CalcEnvironment &env)
{
    validateEntries(entries.text);
    // A failure half-way must not leave a mixture of two periods behind.
    const ProgramState stateBefore = st;
    const PayEntries entriesBefore = entries;
    const PeriodValues valuesBefore = values;
    try {
        return compute(st, entries, values, env);
    } catch (...) {
        st = stateBefore;
        entries = entriesBefore;
        values = valuesBefore;
        throw;
    }
}

}  // namespace wagedesk
