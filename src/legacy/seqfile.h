// Sequential text files: the comma-separated record format every profile
// file uses. One record per line ending CR LF; text items between double
// quotes with no escape; numbers as decimal text with a period; "#TRUE#" and
// "#FALSE#"; an empty variant as nothing between commas. Standard library
// only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
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
    // The file as it was named, and as it lay when the error arose (the
    // current folder may have changed before it is reported).
    const std::filesystem::path &file() const { return file_; }
    const std::filesystem::path &absoluteFile() const { return absolute_; }

private:
    std::filesystem::path file_;
    std::filesystem::path absolute_;
};

// The file cannot be opened, created, written or replaced; also a file that
// is not a regular file (a folder, a FIFO, a device), and a write-protected
// target.
class FileAccessError : public FileError {
public:
    using FileError::FileError;
};

// The file ends before all items are read, or an item has the wrong kind;
// also a file larger than any sequential file can be (kMaxFileSize).
class FileFormatError : public FileError {
public:
    using FileError::FileError;
};

// A save refused because the file would be larger than the readers take
// (kMaxFileSize): nothing is written. item() is the label its writer gave
// the longest text item ("" when it gave none), itemLength() that item's
// length in bytes, so that a message can name what made the file too large.
class FileTooLargeError : public FileAccessError {
public:
    FileTooLargeError(const std::filesystem::path &file, std::string item, std::size_t itemLength);
    const std::string &item() const { return item_; }
    std::size_t itemLength() const { return itemLength_; }

private:
    std::string item_;
    std::size_t itemLength_;
};

// Why keepDamagedCopy could keep no copy: what() names the file, why() is
// the reason alone ("No space left on device").
class NoCopyError : public FileAccessError {
public:
    NoCopyError(const std::filesystem::path &file, std::string why);
    const std::string &why() const { return why_; }

private:
    std::string why_;
};

// A save refused because it would replace a file that was found damaged
// and whose bytes could not be kept in a copy (keepDamagedCopy failed):
// those bytes would be lost. why() says why no copy could be kept. Nothing
// of the save is written.
class DamagedFileError : public FileAccessError {
public:
    DamagedFileError(const std::filesystem::path &file, std::string why);
    const std::string &why() const { return why_; }

private:
    std::string why_;
};

// A variant item as read: empty, text, number or Boolean. Written back as
// it was read.
struct Empty {
    bool operator==(const Empty &) const = default;
};
using Variant = std::variant<Empty, std::string, double, bool>;

// The longest file name, in bytes of one path component, that the file
// systems hold (NAME_MAX on Linux).
inline constexpr std::size_t kFileNameMax = 255;

// True when the name, taken as one path component, has 1 to kFileNameMax
// bytes. A profile name is usable only when its longest file name fits.
bool fileNameFits(std::string_view name);

// No sequential file of this program comes near this size; a larger one is
// damaged (or is something else), and is refused before it is read.
inline constexpr std::uintmax_t kMaxFileSize = 1 << 20;  // 1 MiB

// Every reader opens only regular files, after following symbolic links to
// their target. A folder, a FIFO, a device or a socket is refused with
// FileAccessError, without blocking: the type is checked before the file is
// opened, and again on the open file (opened non-blocking), so a file
// swapped in between cannot stall the program. A regular file larger than
// kMaxFileSize is refused with FileFormatError, as damaged.

// True when the file is a regular file (a link is followed) that can be
// opened for reading; it is closed again at once. False for a missing file,
// a folder, a FIFO, a device. A regular file too large to read still gives
// true: the read then reports it as damaged rather than skipping it.
bool canOpenForReading(const std::filesystem::path &file);

// Removes the temporary files that writers killed during a save left in the
// folder (see SeqWriter for their name). Only regular files with exactly
// that name pattern go; links (never followed), folders and anything else
// stay. A temporary that a save is still writing, in this process or
// another, stays too: the writer holds a lock on it (flock) until it has
// renamed it, and only a temporary whose lock can be taken at once is
// removed. Errors are ignored: a file that cannot be removed stays. Call it
// once when the program starts in a folder (an empty path is the current
// folder).
void removeStaleTemporaries(const std::filesystem::path &folder) noexcept;

// Keeps the bytes of a file found damaged or too large as a copy beside it,
// so that no later save of the file can lose what it held: "NAME.damaged",
// or "NAME.damaged.2", ".3" and so on up to ".999" when that name holds
// other bytes. A copy that already holds the same bytes is used again, so
// reporting the same file twice makes one copy. The copy is on disk when
// this returns. Returns its path; throws FileAccessError when no copy can
// be made (NoCopyError). Until a copy of it is kept, such a file is never
// replaced: no SeqWriter commits over it while it holds what it held then
// (the same file, size and modification time), refusing with
// DamagedFileError. The guard lives in this process only: a new run knows
// of it once the file is read and found damaged again.
std::filesystem::path keepDamagedCopy(const std::filesystem::path &file);
// Before a save replaces the file: when the file is a damaged one whose
// copy could not be kept, the copy is tried again (made when there is room
// now), and DamagedFileError thrown when it still cannot be kept. Given the
// bytes the save will write, a file that holds exactly those is let
// through (writing them loses nothing); without them, as in a check made
// before the save knows what it will write, it is refused too. Nothing
// else is touched.
void keepCopyOrRefuse(const std::filesystem::path &file, const std::string *writing = nullptr);
// What the copy's name adds to the file's name at the most (".damaged.999").
inline constexpr std::size_t kDamagedCopySuffixMax = 12;

// Writes a file whole. The records are kept in memory; commit() puts them
// in a temporary file beside the target, flushes it to disk, renames it over
// the target and flushes the folder, so a failed, interrupted or powered-off
// save leaves either the old file or the new one, never a short, empty or
// zero-filled file. A writer destroyed without commit() leaves everything as
// it was.
//
// The rules of commit():
// - Unchanged content: when the target is a regular file whose bytes equal
//   the new ones, nothing is done at all (no temporary file, no rename, no
//   flush). This also holds for a write-protected target: it already holds
//   the content, so there is nothing to refuse.
// - Links: a symbolic link is followed to its final target, which is the
//   file replaced; the temporary file goes beside that target and the link
//   stays a link. A missing final target is created there.
// - Only regular files are replaced: a final target that is a folder, a
//   FIFO, a device or a socket is refused (FileAccessError).
// - Write-protected targets: a target without write permission for its
//   owner is refused (FileAccessError, the old file stays), also when the
//   program runs as root, which the permission bits otherwise do not bind;
//   so is a target the process itself may not write.
// - The replaced file keeps the old file's permission bits; a new file gets
//   the usual ones (0666 less the umask).
// - Size: content larger than kMaxFileSize, which no reader would take
//   back, is refused with FileTooLargeError before anything is touched.
// - The temporary file is named ".NAME.<16 lowercase hex digits>.tmp",
//   NAME being the target's file name, cut to at most kFileNameMax - 22
//   bytes (at a UTF-8 character boundary) so that the temporary name fits
//   whenever the target name does. removeStaleTemporaries() knows the
//   pattern. The writer holds an exclusive flock() on its temporary from
//   its creation until it has been renamed, so that no cleanup takes it
//   away meanwhile; a temporary that a cleanup took at once is replaced by
//   another before anything is written to it, and the save goes on.
//
// Several files committed together (commitAll, SaveBatch) are all or
// nothing: every temporary is written and flushed first, so a full disk, a
// quota or a file that cannot be written is met before any target changes;
// only then are the targets replaced, in order, each old file kept under
// its temporary's name (swapped with it in one step; where the file system
// cannot swap, a copy of it) until all of them are
// replaced and the folder is flushed. A replacement or flush that fails
// after that puts every file already replaced back as it was (a file the
// save created is removed), and the commit throws.
class SeqWriter {
public:
    // Touches no file yet; a file name longer than kFileNameMax bytes, or a
    // target that is a folder, throws FileAccessError at once.
    explicit SeqWriter(std::filesystem::path file);
    ~SeqWriter();
    SeqWriter(const SeqWriter &) = delete;
    SeqWriter &operator=(const SeqWriter &) = delete;

    // Items of the current record; a comma goes between items.
    // A double quote inside a text is written as a single quote, since
    // the format cannot hold it. The label names where the text comes from
    // (a box, say), for the message when the file would be too large.
    SeqWriter &text(std::string_view value, std::string_view label = {});
    SeqWriter &number(float value);   // seven significant digits
    SeqWriter &number(double value);  // fifteen significant digits
    SeqWriter &number(std::int16_t value);
    SeqWriter &number(std::int32_t value);
    SeqWriter &boolean(bool value);  // "#TRUE#" / "#FALSE#"
    SeqWriter &empty();              // nothing between the commas
    SeqWriter &variant(const Variant &value);
    // Ends the record with CR LF.
    SeqWriter &endRecord();

    // Ends an unfinished record and replaces the target as described above;
    // throws FileAccessError naming the file, leaving the old file as it was
    // and no temporary file behind. (Only when the folder cannot be flushed
    // after the rename is the file already replaced when the error comes.)
    // A writer whose commit failed may commit again.
    void commit();
    // Throws FileTooLargeError when the content is larger than kMaxFileSize.
    void checkSize() const;
    // legacy::keepCopyOrRefuse(file()) for what commit() would write.
    void keepCopyOrRefuse() const;
    // Throws the FileAccessError commit() would throw before writing
    // anything: a target that is a folder or not a regular file, or a file
    // it would replace that is write-protected or that the process may not
    // write. A target that holds the bytes already passes, as in commit().
    void checkReplaceable() const;

    const std::filesystem::path &file() const { return file_; }
    // The bytes commit() would write.
    std::string contents() const { return recordStarted_ ? buffer_ + "\r\n" : buffer_; }

private:
    friend struct CommitSteps;
    void separate();
    // The steps of a commit (see above), for one file or several together.
    // makeReady: the temporary written whole and flushed, the target left
    // alone (Unchanged when it holds the bytes already). replaceTarget: the
    // temporary renamed over the target; with keepOld, the old file is kept
    // aside first, so that putBackOld can undo the rename. finish: what was
    // kept aside goes, the writer is done. drop: back to a writer not yet
    // committed, its temporary removed.
    void makeReady();
    void replaceTarget(bool keepOld);
    void putBackOld() noexcept;
    void finish() noexcept;
    void drop() noexcept;
    void forgetOld() noexcept;

    enum class Stage { Open, Unchanged, Ready, Replaced, Done };
    std::filesystem::path file_;
    std::string buffer_;
    bool recordStarted_ = false;
    Stage stage_ = Stage::Open;
    std::filesystem::path target_, temp_, old_;  // final target, temporary, old file kept aside
    int tempFd_ = -1, oldFd_ = -1;               // each under its lock while it lies there
    bool existed_ = false;                       // the target was there before
    std::string longestLabel_;                   // of the longest text item
    std::size_t longestText_ = 0;
};

// Commits files that belong to one save, all or nothing (see SeqWriter):
// when any of them would be too large, would replace a damaged file that
// has no copy, could not replace its target (checkReplaceable), or cannot
// be written or replaced, none is.
void commitAll(std::initializer_list<SeqWriter *> writers);

// The files of one save that several writers make: each writer adds its
// files, made but not committed, and commit() first checks every one of
// them (checkSize, keepCopyOrRefuse, and checkReplaceable for a group
// added without a `failed` handler), then commits them together, all or
// nothing, in the order they were added (see SeqWriter): a file that
// cannot be written or replaced refuses the whole save (its FileError is
// thrown) and leaves every file as it was, unless its group was added with
// a `failed` handler: that group alone is left unwritten and the rest is
// written. Once the save is written, each group's `written` runs, then
// each failed group's handler is told why, in the order added; a refused
// save runs neither. A file added again (the same path) replaces the one
// added before, as writing it twice would.
//
// From its making to its commit, a batch is the current one (current()):
// a writer called without a batch in between, as a window's load behind
// the save may be, adds its files to it instead of writing them at once.
//
// Every batch ends in commit() or discard(); one destroyed with neither
// (other than by an exception on its way out) is a fault, which a debug
// build stops on.
class SaveBatch {
public:
    using Written = std::function<void()>;
    using Failed = std::function<void(const FileError &)>;

    SaveBatch();
    ~SaveBatch();
    SaveBatch(const SaveBatch &) = delete;
    SaveBatch &operator=(const SaveBatch &) = delete;

    static SaveBatch *current();

    void add(std::vector<std::unique_ptr<SeqWriter>> files, Written written = {}, Failed failed = {});
    void add(std::unique_ptr<SeqWriter> file, Written written = {}, Failed failed = {});
    void commit();
    // Lets every file added go unwritten: the save it was made for was
    // refused before its commit.
    void discard();

private:
    void leave();
    // What commit() does before it writes: checkSize and keepCopyOrRefuse
    // on every file, and checkReplaceable on every file of a group added
    // without a `failed` handler (so the copies of damaged files are made
    // here).
    void checkAndKeepCopies() const;

    struct Group {
        std::vector<std::unique_ptr<SeqWriter>> files;
        Written written;
        Failed failed;
    };
    std::vector<Group> groups_;
    SaveBatch *outer_;
    bool current_ = true;
    bool ended_ = false;  // committed (or tried) or discarded
    int uncaught_;        // exceptions on their way out at its making
};

namespace testing {
// Whether a commit of several files may swap a file with its temporary, as
// it does where the file system can; off, it keeps each old file by a copy,
// as it does where the file system cannot. For the tests of that way.
void allowSwaps(bool allowed);
}  // namespace testing

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
    // Reads the whole file at once: only a regular file of at most
    // kMaxFileSize bytes (see above). Throws FileAccessError when it cannot
    // be read or is not a regular file, FileFormatError when it is too large.
    explicit SeqReader(std::filesystem::path file);
    // Reads from memory; name is used in error messages.
    SeqReader(std::string contents, std::filesystem::path name);

    // Each throws FileFormatError when the file has no item left or the item
    // cannot be taken as the asked kind.
    std::string text();    // a quoted text, or an unquoted item as it stands
    double number();       // a number item; an empty item reads 0
    float numberF();       // number() rounded to float (range checked)
    std::int16_t int16();  // number() rounded half to even to 16 bits
    bool boolean();        // "#TRUE#" / "#FALSE#", or a number (non-zero is true)
    Variant variant();     // the item as it stands
    void skip();           // one item of any kind

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

}  // namespace legacy
