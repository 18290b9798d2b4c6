// Sequential text files: the comma-separated record format every profile
// file uses. One record per line ending CR LF; text items between double
// quotes with no escape; numbers as decimal text with a period; "#TRUE#" and
// "#FALSE#"; an empty variant as nothing between commas. Standard library
// only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace legacy {

// Any failure of a sequential file; the message names the file.
class FileError : public std::runtime_error {
public:
    FileError(const std::filesystem::path &file, const std::string &what);
    const std::filesystem::path &file() const { return file_; }

private:
    std::filesystem::path file_;
};

// The file cannot be opened, created, written or replaced.
class FileAccessError : public FileError {
public:
    using FileError::FileError;
};

// The file ends before all items are read, or an item has the wrong kind.
class FileFormatError : public FileError {
public:
    using FileError::FileError;
};

// A variant item as read: empty, text, number or Boolean. Written back as
// it was read.
struct Empty {
    bool operator==(const Empty &) const = default;
};
using Variant = std::variant<Empty, std::string, double, bool>;

// True when the file can be opened for reading (and is closed again at once).
bool canOpenForReading(const std::filesystem::path &file);

// Writes a file whole. The records go to a temporary file in the same
// folder, which commit() renames over the target, so a failed or interrupted
// write never leaves a short or empty file behind. A writer destroyed
// without commit() removes its temporary file and leaves the old file as it
// was.
class SeqWriter {
public:
    // Creates the temporary file at once, so a folder that cannot be written
    // is found before any record is made; throws FileAccessError.
    explicit SeqWriter(std::filesystem::path file);
    ~SeqWriter();
    SeqWriter(const SeqWriter &) = delete;
    SeqWriter &operator=(const SeqWriter &) = delete;

    // Items of the current record; a comma goes between items.
    // A double quote inside a text is written as a single quote, since
    // the format cannot hold it.
    SeqWriter &text(std::string_view value);
    SeqWriter &number(float value);         // seven significant digits
    SeqWriter &number(double value);        // fifteen significant digits
    SeqWriter &number(std::int16_t value);
    SeqWriter &number(std::int32_t value);
    SeqWriter &boolean(bool value);         // "#TRUE#" / "#FALSE#"
    SeqWriter &empty();                     // nothing between the commas
    SeqWriter &variant(const Variant &value);
    // Ends the record with CR LF.
    SeqWriter &endRecord();

    // Ends an unfinished record, writes the temporary file and renames it
    // over the target (the old file's permissions are kept); throws
    // FileAccessError, leaving the old file as it was.
    void commit();

    const std::filesystem::path &file() const { return file_; }

private:
    void separate();
    std::filesystem::path file_;
    std::filesystem::path temp_;
    std::string buffer_;
    bool recordStarted_ = false;
    bool committed_ = false;
};

// Reads items in order; a comma and a line end are alike. Accepts LF alone
// (and CR alone) as a line end and leading-dot numbers (".0525", "-.5").
//
// How the items are cut:
// - Spaces and tabs before an item are skipped.
// - A quoted item runs to the next double quote (commas and line ends
//   inside are part of the text); the reader then skips whatever follows up
//   to and including the next comma or line end.
// - An unquoted item runs to the next comma or line end, which is consumed;
//   spaces and tabs at its end are dropped. It may be empty.
// So every comma and every line end closes exactly one item: ",,,\r\n" is
// four empty items, "a,b\r\nc" is three items, "1,,3" has an empty middle,
// and an empty line is one empty item. At the end of the data, a line end
// (or nothing) promises no further item, so a file ending in "\r\n" has no
// extra item; a comma does, so "a," holds "a" and one empty item. Trailing
// spaces and tabs after the last line end are ignored.
class SeqReader {
public:
    explicit SeqReader(std::filesystem::path file);  // throws FileAccessError
    // Reads from memory; name is used in error messages.
    SeqReader(std::string contents, std::filesystem::path name);

    // Each throws FileFormatError when the file has no item left or the item
    // cannot be taken as the asked kind.
    std::string text();         // a quoted text, or an unquoted item as it stands
    double number();            // a number item; an empty item reads 0
    float numberF();            // number() rounded to float (range checked)
    std::int16_t int16();       // number() rounded half to even to 16 bits
    bool boolean();             // "#TRUE#" / "#FALSE#", or a number (non-zero is true)
    Variant variant();          // the item as it stands
    void skip();                // one item of any kind

    bool atEnd() const;
    const std::filesystem::path &file() const { return file_; }

private:
    struct Item {
        std::string value;
        bool quoted = false;
        std::size_t start = 0;  // offset in the data, for messages
    };
    Item next();
    double toNumber(const Item &item) const;
    [[noreturn]] void fail(const std::string &what) const;
    [[noreturn]] void wrongKind(const Item &item, const std::string &kind) const;

    std::filesystem::path file_;
    std::string data_;
    std::size_t pos_ = 0;
    std::size_t items_ = 0;    // items read so far
    bool afterComma_ = false;  // the last item ended with a comma
};

} // namespace legacy
