// The state (".sta"), city (".cti") and non-resident (".nci") table files of
// a profile, written from and read into the settings store (state()).
//
// A reader takes a fixed number of items in order (a comma and a line end
// are alike; anything after the last item is ignored) and is all or
// nothing: the file is parsed into a copy and the store changes only when
// the whole file has been read. A number item that is not a number, or an
// empty one, reads as 0.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace wagedesk {
struct ProfileSettings;
struct StateSettings;
} // namespace wagedesk

namespace wagedesk::tables {

// File names: the profile name followed by the extension, no folder (the
// current folder); the empty name is the default profile (".sta").
std::string stateTableFileName(std::string_view user);
std::string cityTableFileName(std::string_view user);
std::string nonResidentTableFileName(std::string_view user);

// The message for a damaged table file: "You have corupted a file.",
// "Find file,", the file's name, "and delete it.".
std::array<std::string, 4> corruptedFileLines(std::string_view fileName);

// Writers: the whole file from the store, replacing the old one only once
// it is complete. Throw legacy::FileError when the file cannot be written;
// the old file is then left as it was.
void writeStateTable(const std::filesystem::path &file);
void writeCityTable(const std::filesystem::path &file);
void writeNonResidentTable(const std::filesystem::path &file);

// Readers: false when the file is missing or cannot be opened (nothing
// changes), true when it was read into the store. A damaged file throws
// legacy::FileFormatError naming the file and leaves the store as it was:
// too few items, an integer beyond 16 bits, a number beyond the 32-bit
// float range, a switch other than 0, 1 and 2, a state exemption count
// outside 0 to 9.
//
// ".sta", 101 items: the state tables, NO STATE TAX, the allowances, SDI and
// SUI, the adjustment, eight special-state switches and five user
// information settings (StateStatus, StateExemptions, FedExempt,
// SSMediExempt, FedAdditional).
bool readStateTable(const std::filesystem::path &file);
// The same into the given copies instead of the store (the state settings
// and the five user information settings of the profile).
bool readStateTable(const std::filesystem::path &file, StateSettings &settings, ProfileSettings &profile);
// ".cti", 81 items: the city tables, NoLocalTax, the city allowances.
bool readCityTable(const std::filesystem::path &file);
// ".nci", 33 items: the non-resident table.
bool readNonResidentTable(const std::filesystem::path &file);

} // namespace wagedesk::tables
