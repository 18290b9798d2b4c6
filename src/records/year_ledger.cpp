#include "records/year_ledger.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "legacy/numerics.h"

namespace wagedesk::payrecords {

namespace {

using legacy::Currency;

using legacy::toSingle;

// The value of a cell or box text, in single precision.
float valueOf(const std::string &text) { return toSingle(legacy::val(text)); }
Currency fixedValueOf(const std::string &text) { return Currency::fromDouble(legacy::val(text)); }

// The running single total is kept at seven significant digits: the sum
// goes through its text after every addition.
float addSingle(float total, float value)
{
    const float sum = total + value;
    return legacy::toFloat(legacy::floatToText(sum));
}

// The fixed-point sum is exact; its trip through text keeps 15 digits.
Currency addFixed(Currency total, float value)
{
    const Currency sum = total + Currency::fromDouble(value);
    return Currency::fromDouble(legacy::toDouble(legacy::doubleToText(sum.toDouble())));
}

// A label text that is a number (thousands separators allowed) in the
// ledger's pattern; any other text as it stands.
std::string reformat(const std::string &text) { return legacy::formatText(text, kLedgerPattern); }

// The amount a label shows, rounded to cents; 0 for a text that is none.
float centsOf(const std::string &text)
{
    double value = 0;
    try {
        value = legacy::toDouble(text);
    } catch (const legacy::NumberFormatError &) {
        return 0;
    }
    return legacy::toFloat(legacy::format(value, kLedgerPattern));
}

struct SingleTotal {
    float YearRow::*value;
    float YearTotals::*total;
};
constexpr std::array<SingleTotal, 11> kSingleTotals{{
    {&YearRow::Fed, &YearTotals::TotFed},
    {&YearRow::SS, &YearTotals::TotSS},
    {&YearRow::Medi, &YearTotals::TotMedi},
    {&YearRow::State, &YearTotals::TotState},
    {&YearRow::City, &YearTotals::TotCity},
    {&YearRow::Muni, &YearTotals::TotMuni},
    {&YearRow::Bond, &YearTotals::TotBond},
    {&YearRow::Dues, &YearTotals::TotDues},
    {&YearRow::Pen, &YearTotals::TotPen},
    {&YearRow::Misc, &YearTotals::TotMisc},
    {&YearRow::Kplan, &YearTotals::TotKplan},
}};

struct FixedTotal {
    float YearRow::*value;
    Currency YearTotals::*total;
};
constexpr std::array<FixedTotal, 4> kFixedTotals{{
    {&YearRow::OT, &YearTotals::TotOT},
    {&YearRow::Tips, &YearTotals::TotTips},
    {&YearRow::Gross, &YearTotals::TotGross},
    {&YearRow::Net, &YearTotals::TotNet},
}};

// The boxes Update takes in, with their totals.
struct SingleBox {
    std::string YearTotBoxes::*box;
    float YearTotals::*total;
};
constexpr std::array<SingleBox, 11> kSingleBoxes{{
    {&YearTotBoxes::txtTotFed, &YearTotals::TotFed},
    {&YearTotBoxes::txtTotSS, &YearTotals::TotSS},
    {&YearTotBoxes::txtTotMedi, &YearTotals::TotMedi},
    {&YearTotBoxes::txtTotState, &YearTotals::TotState},
    {&YearTotBoxes::txtTotCity, &YearTotals::TotCity},
    {&YearTotBoxes::txtTotMuni, &YearTotals::TotMuni},
    {&YearTotBoxes::txtTotBond, &YearTotals::TotBond},
    {&YearTotBoxes::txtTotDues, &YearTotals::TotDues},
    {&YearTotBoxes::txtTotPen, &YearTotals::TotPen},
    {&YearTotBoxes::txtTotMisc, &YearTotals::TotMisc},
    {&YearTotBoxes::txtTotKplan, &YearTotals::TotKplan},
}};

struct FixedBox {
    std::string YearTotBoxes::*box;
    Currency YearTotals::*total;
};
constexpr std::array<FixedBox, 4> kFixedBoxes{{
    {&YearTotBoxes::txtTotOT, &YearTotals::TotOT},
    {&YearTotBoxes::txtTotTips, &YearTotals::TotTips},
    {&YearTotBoxes::txtTotNet, &YearTotals::TotGross},
    {&YearTotBoxes::txtTotGross, &YearTotals::TotNet},
}};

void checkRow(int row)
{
    if (row < 0 || row >= kYearRows)
        throw std::out_of_range("year-to-date row " + std::to_string(row) + " is not 0 to 51");
}

void setRowCells(YearCells &cells, const std::string &text)
{
    cells.txtDate = text;
    for (const AmountColumn &c : kAmountColumns)
        cells.*c.cell = text;
}

// Runs `edit` on copies of the store and the screen and keeps both only
// when the recomputation after it succeeds.
template <typename Edit>
bool editThenRecompute(YearLedger &ledger, YearScreen &screen, PayFrequency frequency, Edit edit)
{
    YearLedger nextLedger = ledger;
    YearScreen nextScreen = screen;
    try {
        edit(nextLedger, nextScreen);
    } catch (const legacy::OverflowError &) {
        return false;
    }
    if (!UpdateAndAdd(nextLedger, nextScreen, frequency))
        return false;
    ledger = std::move(nextLedger);
    screen = std::move(nextScreen);
    return true;
}

}  // namespace

bool AddAnnual(YearLedger &ledger, YearScreen &screen, std::int16_t weeklyPay)
{
    YearTotals t = ledger.totals;
    try {
        for (const SingleTotal &c : kSingleTotals)
            t.*c.total = 0;
        for (const FixedTotal &c : kFixedTotals)
            t.*c.total = Currency();
        const int rows = activeRows(weeklyPay);
        for (int i = 0; i < rows; ++i) {
            const YearRow &row = ledger.rows[i];
            for (const SingleTotal &c : kSingleTotals)
                t.*c.total = addSingle(t.*c.total, row.*c.value);
            for (const FixedTotal &c : kFixedTotals)
                t.*c.total = addFixed(t.*c.total, row.*c.value);
        }
        // SDI, SUI and cafeteria have no cells, so every entry counts,
        // whatever the frequency, in plain single arithmetic.
        float sdi = 0, sui = 0, cafe = 0;
        for (const YearRow &row : ledger.rows) {
            sdi += row.SDI;
            sui += row.SUI;
            cafe += row.Cafe;
        }
        if (!std::isfinite(sdi) || !std::isfinite(sui) || !std::isfinite(cafe))
            throw legacy::OverflowError("beyond the range of a single");
        t.TotSDI = sdi;
        t.TotSUI = sui;
        t.TotCafe = cafe;
    } catch (const legacy::OverflowError &) {
        return false;
    }
    ledger.totals = t;
    screen.totals = formattedTotals(t);
    return true;
}

bool Update(YearLedger &ledger, const YearScreen &screen, bool optWeek)
{
    YearLedger next = ledger;
    try {
        const int rows = optWeek ? 52 : 26;
        for (int i = 0; i < rows; ++i) {
            const YearCells &cells = screen.rows[i];
            YearRow &row = next.rows[i];
            row.Date = cells.txtDate;
            for (const AmountColumn &c : kAmountColumns)
                row.*c.value = valueOf(cells.*c.cell);
        }
        for (const SingleBox &b : kSingleBoxes)
            next.totals.*b.total = valueOf(screen.totals.*b.box);
        for (const FixedBox &b : kFixedBoxes)
            next.totals.*b.total = fixedValueOf(screen.totals.*b.box);
    } catch (const legacy::OverflowError &) {
        return false;
    }
    ledger = std::move(next);
    return true;
}

bool UpdateAndAdd(YearLedger &ledger, YearScreen &screen, PayFrequency frequency)
{
    YearLedger next = ledger;
    if (!Update(next, screen, frequency.optWeek))
        return false;
    // AddAnnual writes the screen only when it succeeds.
    if (!AddAnnual(next, screen, frequency.WeeklyPay))
        return false;
    ledger = std::move(next);
    return true;
}

bool PasteMe(YearLedger &ledger, YearScreen &screen, int row, const PastePeriod &period, PayFrequency frequency)
{
    checkRow(row);
    return editThenRecompute(ledger, screen, frequency, [&](YearLedger &l, YearScreen &s) {
        static constexpr std::array<std::string YearCells::*, 11> kLabelCells{
            &YearCells::txtFed,  &YearCells::txtSS,   &YearCells::txtMedi, &YearCells::txtState,
            &YearCells::txtCity, &YearCells::txtMuni, &YearCells::txtBond, &YearCells::txtDues,
            &YearCells::txtPen,  &YearCells::txtMisc, &YearCells::txtKplan};
        YearCells &cells = s.rows[row];
        cells.txtDate = period.txtWeek;
        for (std::size_t k = 0; k < kLabelCells.size(); ++k)
            cells.*kLabelCells[k] = reformat(period.lbTaxDed[k]);
        cells.txtOT = legacy::format(period.TotalOt, kLedgerPattern);
        cells.txtTips = legacy::format(period.TotalTips, kLedgerPattern);
        cells.txtNet = legacy::format(period.GrossPay, kLedgerPattern);
        cells.txtGross = legacy::format(period.NetPay, kLedgerPattern);
        YearRow &stored = l.rows[row];
        stored.SDI = centsOf(period.lbSDI);
        stored.SUI = centsOf(period.lbSUI);
        stored.Cafe = centsOf(period.lbCafe);
    });
}

bool DeleteRow(YearLedger &ledger, YearScreen &screen, int row, PayFrequency frequency)
{
    checkRow(row);
    return editThenRecompute(ledger, screen, frequency, [&](YearLedger &l, YearScreen &s) {
        setRowCells(s.rows[row], "0");
        l.rows[row].SDI = l.rows[row].SUI = l.rows[row].Cafe = 0;
    });
}

bool ClearAll(YearLedger &ledger, YearScreen &screen, PayFrequency frequency)
{
    return editThenRecompute(ledger, screen, frequency, [&](YearLedger &l, YearScreen &s) {
        const int rows = activeRows(frequency.WeeklyPay);
        for (int i = 0; i < rows; ++i)
            setRowCells(s.rows[i], "0");
        l.totals.TotSDI = l.totals.TotSUI = l.totals.TotCafe = 0;
        l.totals.TotTips = Currency();
        for (YearRow &r : l.rows)
            r.SDI = r.SUI = r.Cafe = 0;
        s.totals.txtTotSdi = s.totals.txtTotSui = s.totals.txtTotCafe = s.totals.txtTotTips = "0";
    });
}

}  // namespace wagedesk::payrecords
