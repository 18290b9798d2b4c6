// The print heading's file "Header.sav": one line of four quoted strings
// (company, address, zip code line, ID number), in the current folder and
// shared by every profile. Standard library only.
#pragma once

#include <filesystem>

#include "core/state.h"

namespace legacy {
class SaveBatch;
}

namespace wagedesk::printing {

inline constexpr const char *kPrintHeadingFile = "Header.sav";

// HeaderFileExists: whether the file can be opened for reading.
bool HeaderFileExists(const std::filesystem::path &file);

// The four lines of the file, in order. Throws legacy::FileFormatError
// naming the file when it holds fewer than four items, FileAccessError
// when it cannot be read.
PrintHeading readHeaderFile(const std::filesystem::path &file);

// Writes the one line of the four lines (replace-on-write). A double quote
// in a line is written as a single quote, since the format cannot hold it.
// Throws legacy::FileAccessError naming the file. Given a batch, the file is
// made and added to it, to be written with its save.
void writeHeaderFile(const std::filesystem::path &file, const PrintHeading &heading,
                     legacy::SaveBatch *batch = nullptr);

// The heading dialog's defaults: every empty line takes its name,
// "Company", "Address", "Zip Code", "ID Number".
void fillDefaultHeading(PrintHeading &heading);

}  // namespace wagedesk::printing
