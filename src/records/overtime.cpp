#include "records/overtime.h"

#include <cmath>
#include <cstddef>

#include "legacy/numerics.h"

namespace wagedesk::payrecords {

namespace {

constexpr const char *kDollarPattern = "$#,###.#0";

std::size_t rows(OvertimeLayout layout) { return static_cast<std::size_t>(rowCount(layout)); }

void zeroFillEmpty(std::string &box)
{
    if (box.empty())
        box.push_back('0');  // not = "0": g++ 12 warns falsely (-Wrestrict)
}

// The present rate, limit and available as TOTAL computes them, before
// anything is stored.
struct Totals {
    float earned = 0, presentRate = 0, salary = 0, percent = 0, limit = 0, available = 0;
};

enum class TotalsProblem { None, Attention, OutOfRange };

// The salary and percentage must be numbers, the salary not 0: it divides.
// Anything a single cannot hold is refused as well, so a result never
// overflows into an infinity.
TotalsProblem computeTotals(const OvertimeTexts &t, OvertimeLayout layout, Totals &out)
{
    if (t.txtAnnual.empty() || t.txtApPercent.empty())
        return TotalsProblem::Attention;
    double salaryNumber = 0;
    try {
        salaryNumber = legacy::toDouble(t.txtAnnual);
        legacy::toDouble(t.txtApPercent);
    } catch (const legacy::NumberFormatError &) {
        return TotalsProblem::Attention;
    } catch (const legacy::OverflowError &) {
        return TotalsProblem::OutOfRange;
    }
    try {
        const double salaryValue = legacy::val(t.txtAnnual);
        if (salaryNumber == 0 || salaryValue == 0)
            return TotalsProblem::Attention;

        double sum = 0;
        for (std::size_t i = 0; i < rows(layout); ++i)
            sum += legacy::val(t.txtOT[i]);
        if (!legacy::fitsSingle(sum))
            return TotalsProblem::OutOfRange;
        out.earned = static_cast<float>(sum);

        const double rate = static_cast<double>(out.earned) / salaryValue;
        if (!legacy::fitsSingle(rate))
            return TotalsProblem::OutOfRange;
        out.presentRate = static_cast<float>(rate);

        out.salary = legacy::toFloat(t.txtAnnual);
        out.percent = legacy::toFloat(t.txtApPercent);

        const double limit = legacy::val(t.txtApPercent) * 0.01 * salaryValue;
        if (!legacy::fitsSingle(limit))
            return TotalsProblem::OutOfRange;
        out.limit = static_cast<float>(limit);
        out.available = out.limit - out.earned;
        if (!std::isfinite(out.available))
            return TotalsProblem::OutOfRange;
    } catch (const legacy::OverflowError &) {
        return TotalsProblem::OutOfRange;
    }
    return TotalsProblem::None;
}

// The results, and the salary and percentage they were made from, into the
// store.
void keepTotals(OvertimeStore &store, const Totals &r)
{
    store.OTEarned = r.earned;
    store.OTPresentRate = r.presentRate;
    store.OTAnnualSalary = r.salary;
    store.OTApprovedPercent = r.percent;
    store.OTLimit = r.limit;
    store.OTAvailable = r.available;
}

void showTotals(OvertimeTexts &t, const Totals &r)
{
    t.lbEarned = dollarText(r.earned);
    t.txtPercent = percentText(r.presentRate);
    t.lbMax = dollarText(r.limit);
    t.lbAvail = dollarText(r.available);
}

TotalsProblem total(OvertimeStore &store, OvertimeTexts &t, OvertimeLayout layout)
{
    Totals r;
    const TotalsProblem problem = computeTotals(t, layout, r);
    if (problem != TotalsProblem::None)
        return problem;
    // The rows the total was made from are kept with it, so that what is
    // saved never holds a total its own rows disagree with.
    for (std::size_t i = 0; i < rows(layout); ++i) {
        zeroFillEmpty(t.txtOT[i]);
        store.OTDate[i] = t.Text1[i];
        store.OTAmount[i] = t.txtOT[i];
    }
    keepTotals(store, r);
    showTotals(t, r);
    return TotalsProblem::None;
}

// A stored result as its caption shows it ("$2,340.00" is 2340), as the
// settings file has always held it; one no caption can show, as its
// seven-digit text reads (2400.7 stays 2400.7, not the widened
// 2400.69995...).
double storedAmount(float stored)
{
    try {
        return legacy::toDouble(dollarText(stored));
    } catch (const std::exception &) {
        return legacy::val(legacy::floatToText(stored));
    }
}

}  // namespace

OvertimeLayout overtimeLayout(std::int16_t weeklyPay)
{
    return weeklyPay != kFalse ? OvertimeLayout::Weekly : OvertimeLayout::BiWeekly;
}

int rowCount(OvertimeLayout layout) { return layout == OvertimeLayout::Weekly ? 52 : 26; }

std::string dollarText(float value) { return legacy::format(value, kDollarPattern); }

std::string percentText(float value)
{
    // Four decimals of the fraction are the two decimals of the percentage:
    // move the point two places to the right.
    std::string text = legacy::format(value, "0.0000");
    std::string sign;
    if (text.front() == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    const auto point = text.find('.');
    std::string whole = text.substr(0, point) + text.substr(point + 1, 2);
    std::string decimals = text.substr(point + 3);
    const auto firstDigit = whole.find_first_not_of('0');
    whole.erase(0, firstDigit == std::string::npos ? whole.size() : firstDigit);
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    return sign + whole + "." + decimals + "%";
}

void Form_Load(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    FillInOT(store, texts, layout);
    for (std::string &amount : texts.txtOT)
        zeroFillEmpty(amount);
}

void FillInOT(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    texts.txtAnnual = legacy::floatToText(store.OTAnnualSalary);
    texts.txtApPercent = legacy::floatToText(store.OTApprovedPercent);
    if (texts.txtAnnual.empty() || legacy::val(texts.txtAnnual) == 0)
        texts.txtAnnual = "15600";
    for (std::size_t i = 0; i < rows(layout); ++i) {
        texts.Text1[i] = store.OTDate[i];
        texts.txtOT[i] = store.OTAmount[i];
    }
}

void ClearAll(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    for (std::size_t i = 0; i < rows(layout); ++i) {
        texts.txtOT[i] = "0";
        store.OTAmount[i] = "0";
    }
    for (std::size_t i = 0; i < rows(layout); ++i) {
        texts.Text1[i].clear();
        store.OTDate[i].clear();
    }
    // A salary box that holds no number is treated like an empty one.
    bool keepSalary = false;
    try {
        keepSalary = !texts.txtAnnual.empty() && legacy::toDouble(texts.txtAnnual) != 0;
    } catch (const std::exception &) {
        keepSalary = false;
    }
    if (!keepSalary)
        texts.txtAnnual = "11440";
    texts.txtApPercent = "0";
    store.OTEarned = 0;
    texts.lbEarned = dollarText(store.OTEarned);
    store.OTPresentRate = 0;
    texts.txtPercent = percentText(store.OTPresentRate);
    store.OTAnnualSalary = 11440;
    store.OTApprovedPercent = 0;
    // The percentage box holds "0" now, so the limit is 0 whatever the salary.
    store.OTLimit = 0;
    texts.lbMax = dollarText(store.OTLimit);
    store.OTAvailable = store.OTLimit - store.OTEarned;
    texts.lbAvail = dollarText(store.OTAvailable);
}

std::optional<OvertimeMessage> cmdADD_Click(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    switch (total(store, texts, layout)) {
    case TotalsProblem::None: return std::nullopt;
    case TotalsProblem::Attention: return OvertimeMessage{kAttentionTitle, kAttentionText};
    case TotalsProblem::OutOfRange: return OvertimeMessage{kAttentionTitle, kOutOfRangeText};
    }
    return std::nullopt;
}

void Form_Paint(OvertimeTexts &texts, OvertimeLayout layout)
{
    Totals r;
    if (computeTotals(texts, layout, r) == TotalsProblem::None)
        showTotals(texts, r);
}

void cmdAdvance_Click(OvertimeTexts &texts, OvertimeLayout layout)
{
    const std::size_t last = rows(layout) - 1;
    for (std::size_t i = 0; i < last; ++i) {
        texts.txtOT[i] = texts.txtOT[i + 1];
        texts.Text1[i] = texts.Text1[i + 1];
    }
    texts.txtOT[last] = "0";
    texts.Text1[last].clear();
}

void cmdClose_Click(OvertimeStore &store, const OvertimeTexts &texts, OvertimeLayout layout)
{
    // The totals of the rows taken, as the window shows them when it comes
    // into view; an empty amount counts 0, as it does there.
    Totals r;
    if (computeTotals(texts, layout, r) == TotalsProblem::None)
        keepTotals(store, r);
    for (std::size_t i = 0; i < rows(layout); ++i) {
        store.OTDate[i] = texts.Text1[i];
        store.OTAmount[i] = texts.txtOT[i];
    }
}

void showSavedOvertime(const OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    for (std::size_t i = 0; i < rows(layout); ++i) {
        texts.Text1[i] = store.OTDate[i];
        texts.txtOT[i] = store.OTAmount[i];
    }
    texts.txtAnnual = legacy::floatToText(store.OTAnnualSalary);
    texts.txtApPercent = legacy::floatToText(store.OTApprovedPercent);
}

OvertimeForSettings takeForSettings(OvertimeStore &store, OvertimeTexts &texts, OvertimeLayout layout)
{
    OvertimeForSettings out;
    out.rows = rowCount(layout);
    // Every value first: a box beyond the range of a double stops the save
    // before a box or the store changes.
    out.annualSalary = legacy::val(texts.txtAnnual);
    out.approvedPercent = legacy::val(texts.txtApPercent);
    for (std::size_t i = 0; i < rows(layout); ++i)
        out.amounts[i] = legacy::val(texts.txtOT[i]);
    out.limit = storedAmount(store.OTLimit);
    out.available = storedAmount(store.OTAvailable);

    for (std::size_t i = 0; i < rows(layout); ++i) {
        zeroFillEmpty(texts.txtOT[i]);
        store.OTDate[i] = texts.Text1[i];
        store.OTAmount[i] = texts.txtOT[i];
        out.dates[i] = texts.Text1[i];
    }
    return out;
}

}  // namespace wagedesk::payrecords
