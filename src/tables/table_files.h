// The state (".sta"), city (".cti") and non-resident (".nci") table files of
// a profile.
//
// A reader takes a fixed number of items in order (a comma and a line end
// are alike; anything after the last item is ignored) straight into its
// targets. A number item that is not a number, or an empty one, reads as 0.
// A damaged file throws legacy::FileFormatError naming the file: too few
// items, an integer beyond 16 bits, a number beyond the 32-bit float range,
// a switch other than 0, 1 and 2, a state exemption count outside 0 to 9.
// The targets then hold every item read before the bad one, and the bad
// item and those after it keep what the caller put there, so a caller that
// puts the built-in values there loses nothing of a file but what it could
// not read.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/state.h"
#include "legacy/seqfile.h"

namespace wagedesk::tables {

// File names: the profile name followed by the extension, no folder (the
// current folder); the empty name is the default profile (".sta").
std::string stateTableFileName(std::string_view user);
std::string cityTableFileName(std::string_view user);
std::string nonResidentTableFileName(std::string_view user);

// The message for a damaged table file: "You have corupted a file.",
// "Find file,", the file's name, "and delete it.".
std::array<std::string, 4> corruptedFileLines(std::string_view fileName);

// The file opened for reading, or nothing when it is missing or cannot be
// opened (a reader skips such a file without a word).
std::optional<legacy::SeqReader> openTableFile(const std::filesystem::path &file);

// ".sta", 101 items: the state tables, NO STATE TAX, the allowances, SDI and
// SUI, the adjustment, eight special-state switches and five user
// information settings (StateStatus, StateExemptions, FedExempt,
// SSMediExempt, FedAdditional; also SpecialAlabama, which the user details
// file holds too).
void writeStateTable(legacy::SeqWriter &out, const StateSettings &settings, const ProfileSettings &profile);
void readStateTable(legacy::SeqReader &in, StateSettings &settings, ProfileSettings &profile);

// ".cti", 81 items: the city tables, NoLocalTax, the city allowances.
void writeCityTable(legacy::SeqWriter &out, const StateSettings &settings);
void readCityTable(legacy::SeqReader &in, StateSettings &settings);

// ".nci", 33 items: the non-resident table.
void writeNonResidentTable(legacy::SeqWriter &out, const NonResidentTable &table);
void readNonResidentTable(legacy::SeqReader &in, NonResidentTable &table);

// A profile's table file into the store as the editors take it: the
// built-in values first, then what the file gives, so that what a damaged
// file cannot give takes the built-in value and what it gave before the
// damage is kept. Missing (the store unchanged), read whole, or damaged
// (the caller reports it).
enum class FileRead { Missing, Whole, Damaged };
FileRead readStateTableFile(const std::filesystem::path &file, StateSettings &settings, ProfileSettings &profile);
FileRead readCityTableFile(const std::filesystem::path &file, StateSettings &settings);
FileRead readNonResidentTableFile(const std::filesystem::path &file, NonResidentTable &table);

// The whole file from the store, replacing the old one only once it is
// complete. Throw legacy::FileError when the file cannot be written; the
// old file is then left as it was.
void writeStateTable(const std::filesystem::path &file, const StateSettings &settings, const ProfileSettings &profile);
void writeCityTable(const std::filesystem::path &file, const StateSettings &settings);
void writeNonResidentTable(const std::filesystem::path &file, const NonResidentTable &table);

}  // namespace wagedesk::tables
