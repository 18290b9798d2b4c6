#include "core/federal.h"

#include <system_error>

#include "legacy/numerics.h"
#include "legacy/seqfile.h"

namespace wagedesk {

namespace {

void readTable(legacy::SeqReader &in, FederalBracketTable &table)
{
    for (std::size_t cell = 1; cell <= 28; ++cell)
        table[cell] = in.numberF();
}

// A bracket's amount, worked in double and stored as a 32-bit float.
float bracketTax(float wages, float excessOver, float rate, float plus)
{
    return legacy::toSingle((static_cast<double>(wages) - excessOver) * rate + plus);
}

}  // namespace

FederalTables readFederalFile(const std::filesystem::path &file)
{
    legacy::SeqReader in(file);
    return readFederalFile(in);
}

FederalTables readFederalFile(legacy::SeqReader &in)
{
    const std::filesystem::path file = in.file();
    FederalTables t;
    try {
        for (FederalBracketTable *table : {&t.FedSingleBi, &t.FedSingleWk, &t.FedMarriedBi, &t.FedMarriedWk}) {
            readTable(in, *table);
            in.skip();  // the heading of the next block
        }
        for (float &amount : t.FedAllowance)
            amount = in.numberF();
        t.TaxVersion = in.text();
    } catch (const legacy::OverflowError &e) {
        // A number too large for its cell is as damaged as a missing one.
        throw legacy::FileFormatError(file, e.what());
    } catch (const legacy::NumberFormatError &e) {
        throw legacy::FileFormatError(file, e.what());
    }
    return t;
}

std::optional<std::filesystem::path> findFederalFile(const std::filesystem::path &programFolder)
{
    const std::filesystem::path here(kFederalFileName);
    if (legacy::canOpenForReading(here)) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(here, ec);
        return ec ? here : absolute;
    }
    const std::filesystem::path beside = programFolder / kFederalFileName;
    if (!programFolder.empty() && legacy::canOpenForReading(beside))
        return beside;
    return std::nullopt;
}

float fedTaxFromTable(const FederalBracketTable &t, float w, float fedTaxBefore)
{
    float tax = fedTaxBefore;
    if (t[1] < w && w <= t[2])
        tax = bracketTax(w, t[3], t[4], 0);
    // Brackets 2 to 5: Over, NotOver, ExcessOver, Rate, Plus from cell 5 on.
    for (std::size_t first = 5; first <= 20; first += 5)
        if (t[first] < w && w <= t[first + 1])
            tax = bracketTax(w, t[first + 2], t[first + 3], t[first + 4]);
    if (w > t[25])
        tax = bracketTax(w, t[26], t[27], t[28]);
    return tax;
}

float GetFedTax(const FederalTables &tables, bool single, bool optBiWeek, bool optWeek, float fedWages,
                float fedTaxBefore)
{
    float tax = fedTaxBefore;
    if (optBiWeek)
        tax = fedTaxFromTable(single ? tables.FedSingleBi : tables.FedMarriedBi, fedWages, tax);
    if (optWeek)
        tax = fedTaxFromTable(single ? tables.FedSingleWk : tables.FedMarriedWk, fedWages, tax);
    return tax;
}

void zeroFederalTables(FederalTables &tables)
{
    for (FederalBracketTable *table :
         {&tables.FedSingleBi, &tables.FedSingleWk, &tables.FedMarriedBi, &tables.FedMarriedWk})
        table->fill(0);
    tables.FedAllowance.fill(0);
}

}  // namespace wagedesk
