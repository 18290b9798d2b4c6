#include "records/year_file.h"

#include <array>
#include <utility>

#include "core/profile_files.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "records/year_ledger.h"

namespace wagedesk::payrecords {

namespace {

using legacy::Currency;

// The value of a grid cell as the file takes it.
double cellValue(const std::string &text) { return legacy::val(text); }

// A single total is stored as the number its seven-digit text denotes,
// written as a double (plain digits up to fifteen).
double storedSingle(float total) { return legacy::toDouble(legacy::floatToText(total)); }

Currency fixedItem(legacy::SeqReader &r)
{
    const double value = r.number();
    try {
        return Currency::fromDouble(value);
    } catch (const legacy::OverflowError &) {
        throw legacy::FileFormatError(r.file(), "a total is beyond the range of the currency type");
    }
}

std::string problemText(const std::filesystem::path &file, const legacy::FileError &error)
{
    std::string text = "The year-to-date file \"" + file.filename().string() +
                       "\" is damaged or incomplete and was not read.\r\n" + error.what() +
                       "\r\nThe ledger starts empty.";
    if (dynamic_cast<const legacy::FileFormatError *>(&error))
        text += "\r\n" + damagedCopyLine(file);
    return text;
}

}  // namespace

std::string yearFileName(const std::string &currentUser, std::int16_t weeklyPay)
{
    return currentUser + (weeklyPay == kTrue ? kYearWeeklyExt : kYearBiWeeklyExt);
}

void writeYearFile(const std::filesystem::path &file, const YearLedger &ledger, const YearScreen &screen,
                   std::int16_t weeklyPay)
{
    legacy::SeqWriter w(file);
    const int rows = activeRows(weeklyPay);
    for (int i = 0; i < rows; ++i) {
        const YearRow &row = ledger.rows[i];
        const YearCells &c = screen.rows[i];
        w.text(row.Date, "Date, week " + std::to_string(i + 1)).number(cellValue(c.txtFed));
        w.number(cellValue(c.txtSS)).number(cellValue(c.txtMedi)).number(cellValue(c.txtState)).endRecord();
        w.number(cellValue(c.txtCity)).number(cellValue(c.txtMuni)).number(cellValue(c.txtBond));
        w.number(cellValue(c.txtDues)).number(cellValue(c.txtPen)).endRecord();
        w.number(cellValue(c.txtMisc)).number(cellValue(c.txtKplan)).number(cellValue(c.txtOT));
        w.number(cellValue(c.txtNet)).number(cellValue(c.txtGross)).endRecord();
        w.number(row.SDI).number(row.SUI).number(row.Cafe).number(cellValue(c.txtTips)).endRecord();
    }
    const YearTotals &t = ledger.totals;
    w.number(storedSingle(t.TotFed)).number(storedSingle(t.TotSS)).number(storedSingle(t.TotMedi));
    w.number(storedSingle(t.TotState)).number(storedSingle(t.TotCity)).endRecord();
    w.number(storedSingle(t.TotMuni)).number(storedSingle(t.TotBond)).number(storedSingle(t.TotDues));
    w.number(storedSingle(t.TotPen)).number(storedSingle(t.TotMisc)).endRecord();
    w.number(storedSingle(t.TotKplan)).number(t.TotOT.toDouble()).number(t.TotGross.toDouble());
    w.number(t.TotNet.toDouble()).number(t.TotTips.toDouble()).endRecord();
    w.commit();
}

void readYearFile(const std::filesystem::path &file, YearLedger &ledger, std::int16_t weeklyPay)
{
    legacy::SeqReader r(file);
    YearLedger next = ledger;
    const int rows = activeRows(weeklyPay);
    for (int i = 0; i < rows; ++i) {
        YearRow &row = next.rows[i];
        row.Date = r.text();
        for (float *v :
             {&row.Fed, &row.SS, &row.Medi, &row.State, &row.City, &row.Muni, &row.Bond, &row.Dues, &row.Pen, &row.Misc,
              &row.Kplan, &row.OT, &row.Gross, &row.Net, &row.SDI, &row.SUI, &row.Cafe, &row.Tips})
            *v = r.numberF();
    }
    YearTotals &t = next.totals;
    for (float *v : {&t.TotFed, &t.TotSS, &t.TotMedi, &t.TotState, &t.TotCity, &t.TotMuni, &t.TotBond, &t.TotDues,
                     &t.TotPen, &t.TotMisc, &t.TotKplan})
        *v = r.numberF();
    t.TotOT = fixedItem(r);
    t.TotGross = fixedItem(r);
    t.TotNet = fixedItem(r);
    t.TotTips = fixedItem(r);
    ledger = std::move(next);
}

LoadResult LoadYearToDate(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file,
                          std::int16_t weeklyPay)
{
    LoadResult result;
    result.totalsFailed = !AddAnnual(ledger, screen, weeklyPay);
    if (legacy::canOpenForReading(file)) {
        try {
            readYearFile(file, ledger, weeklyPay);
            result.read = true;
        } catch (const legacy::FileError &error) {
            result.fileProblem = problemText(file, error);
            ledger = YearLedger{};
        }
    }
    const int rows = activeRows(weeklyPay);
    for (int i = 0; i < rows; ++i)
        screen.rows[i] = plainCells(ledger.rows[i]);
    return result;
}

LoadResult fillBoxes(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file, std::int16_t weeklyPay)
{
    LoadResult result = LoadYearToDate(ledger, screen, file, weeklyPay);
    const int rows = activeRows(weeklyPay);
    for (int i = 0; i < rows; ++i)
        screen.rows[i] = formattedCells(ledger.rows[i]);
    return result;
}

bool SaveAnnual(YearLedger &ledger, YearScreen &screen, const std::filesystem::path &file, std::int16_t weeklyPay)
{
    YearLedger next = ledger;
    YearScreen shown = screen;
    if (!AddAnnual(next, shown, weeklyPay))
        return false;
    try {
        writeYearFile(file, next, shown, weeklyPay);
    } catch (const legacy::OverflowError &) {
        return false;
    }
    ledger = std::move(next);
    screen = std::move(shown);
    return true;
}

}  // namespace wagedesk::payrecords
