// The federal table file "Federal.dat" and the percentage-method federal
// withholding computed from its brackets.
#pragma once

#include <filesystem>
#include <optional>

#include "core/state.h"
#include "legacy/seqfile.h"

namespace wagedesk {

// The file name, fixed: the program looks for it in the current folder and
// then beside the program.
inline constexpr const char *kFederalFileName = "Federal.dat";

// Reads the four bracket tables (28 numbers each, each followed by one
// heading item that is skipped), the twenty allowance amounts and the
// version text. Throws legacy::FileAccessError when the file cannot be
// opened and legacy::FileFormatError when it ends early or holds something
// else where a number belongs; the caller gets either the whole tables or
// an exception, never a part.
FederalTables readFederalFile(const std::filesystem::path &file);
FederalTables readFederalFile(legacy::SeqReader &in);

// "Federal.dat" in the current folder when it can be opened for reading,
// else the one in programFolder, else nothing.
std::optional<std::filesystem::path> findFederalFile(const std::filesystem::path &programFolder);

// One table's brackets for the wage of the period. Every bracket is tested:
// brackets 1 to 5 match when Over < wages <= NotOver, bracket 6 when
// wages > Over; a later match replaces an earlier one, and with no match
// the tax stays fedTaxBefore.
float fedTaxFromTable(const FederalBracketTable &table, float wages, float fedTaxBefore);

// GetFedTaxSingle / GetFedTaxMarried: the bi-weekly table when optBiWeek,
// then, separately, the weekly table when optWeek; neither leaves
// fedTaxBefore.
float GetFedTax(const FederalTables &tables, bool single, bool optBiWeek, bool optWeek, float fedWages,
                float fedTaxBefore);

// Every bracket and allowance cell to 0; the version text stays.
void zeroFederalTables(FederalTables &tables);

}  // namespace wagedesk
