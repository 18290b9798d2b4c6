#include "records/year_store.h"

namespace wagedesk::payrecords {

namespace {

std::string currencyText(legacy::Currency value) { return legacy::doubleToText(value.toDouble()); }

template <typename Text> YearCells cellsOf(const YearRow &row, Text text)
{
    YearCells cells;
    cells.txtDate = row.Date;
    for (const AmountColumn &c : kAmountColumns)
        cells.*c.cell = text(row.*c.value);
    return cells;
}

template <typename SingleText, typename FixedText>
YearTotBoxes boxesOf(const YearTotals &t, SingleText single, FixedText fixed)
{
    YearTotBoxes b;
    b.txtTotFed = single(t.TotFed);
    b.txtTotSS = single(t.TotSS);
    b.txtTotMedi = single(t.TotMedi);
    b.txtTotState = single(t.TotState);
    b.txtTotCity = single(t.TotCity);
    b.txtTotMuni = single(t.TotMuni);
    b.txtTotBond = single(t.TotBond);
    b.txtTotDues = single(t.TotDues);
    b.txtTotPen = single(t.TotPen);
    b.txtTotMisc = single(t.TotMisc);
    b.txtTotKplan = single(t.TotKplan);
    b.txtTotOT = fixed(t.TotOT);
    b.txtTotGross = fixed(t.TotNet);
    b.txtTotNet = fixed(t.TotGross);
    b.txtTotCafe = single(t.TotCafe);
    b.txtTotSdi = single(t.TotSDI);
    b.txtTotSui = single(t.TotSUI);
    b.txtTotTips = fixed(t.TotTips);
    return b;
}

}  // namespace

int activeRows(std::int16_t weeklyPay) { return weeklyPay == kTrue ? 52 : 26; }

YearCells plainCells(const YearRow &row)
{
    return cellsOf(row, [](float v) { return legacy::floatToText(v); });
}

YearCells formattedCells(const YearRow &row)
{
    return cellsOf(row, [](float v) { return legacy::format(v, kLedgerPattern); });
}

YearTotBoxes plainTotals(const YearTotals &totals)
{
    return boxesOf(
        totals, [](float v) { return legacy::floatToText(v); }, currencyText);
}

YearTotBoxes formattedTotals(const YearTotals &totals)
{
    return boxesOf(
        totals, [](float v) { return legacy::format(v, kLedgerPattern); },
        [](legacy::Currency v) { return legacy::format(v, kLedgerPattern); });
}

}  // namespace wagedesk::payrecords
