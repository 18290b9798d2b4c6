// Sequential text files: reader and replace-on-commit writer.
#include "legacy/seqfile.h"

#include "legacy/numerics.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <random>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

namespace legacy {

namespace fs = std::filesystem;

#ifdef NAME_MAX
static_assert(kFileNameMax == NAME_MAX);
#endif

namespace {

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string errnoText(int err) { return std::generic_category().message(err); }

std::string quoteForMessage(std::string_view value, bool quoted)
{
    // Fuzzed or damaged files can hold huge items; a message needs only a hint.
    const std::string shown = textForMessage(value);
    return quoted ? '"' + shown + '"' : "'" + shown + "'";
}

// Parses a whole unquoted item as a finite number. Leading-dot forms are
// rewritten for from_chars, which (like the C locale's strtod) wants a
// digit before the point and no "+" sign.
bool parseNumber(std::string_view text, double &out)
{
    std::string buf;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return false;
    if (text[i] == '.') {
        if (i + 1 >= text.size() || !isDigit(text[i + 1]))
            return false;
        buf = "0";
    } else if (!isDigit(text[i])) {
        return false;  // also keeps out "inf" and "nan"
    }
    buf.append(text.substr(i));
    const char *first = buf.data();
    const char *last = buf.data() + buf.size();
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return false;
    out = negative ? -value : value;
    return true;
}

}  // namespace

namespace {

fs::path absoluteOf(const fs::path &file)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(file, ec);
    return ec ? file : absolute.lexically_normal();
}

}  // namespace

FileError::FileError(const fs::path &file, const std::string &what)
    : std::runtime_error(file.string() + ": " + what), file_(file), absolute_(absoluteOf(file))
{
}

NoCopyError::NoCopyError(const fs::path &file, std::string why)
    : FileAccessError(file, "no copy could be kept: " + why), why_(std::move(why))
{
}

DamagedFileError::DamagedFileError(const fs::path &file, std::string why)
    : FileAccessError(file, "cannot be written: it was found damaged and no copy of it could be kept (" + why + ")"),
      why_(std::move(why))
{
}

FileTooLargeError::FileTooLargeError(const fs::path &file, std::string item, std::size_t itemLength)
    : FileAccessError(file, "cannot be written: it would be larger than " + std::to_string(kMaxFileSize >> 20) +
                                " MiB, more than the program reads back"),
      item_(std::move(item)), itemLength_(itemLength)
{
}

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Opens a regular file (a link is followed) for reading. Returns the
// descriptor and fills `info`, or returns -1 with `why` set. The type is
// checked before the open, so no FIFO or device is ever opened in the
// ordinary case, and on the open descriptor, which closes the race with a
// file swapped in between; O_NONBLOCK keeps that open of a FIFO from waiting
// for a writer.
int openRegular(const fs::path &file, struct stat &info, std::string &why)
{
    if (::stat(file.c_str(), &info) != 0) {
        why = errnoText(errno);
        return -1;
    }
    const auto notRegular = [&why](const struct stat &st) {
        why = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
    };
    if (!S_ISREG(info.st_mode)) {
        notRegular(info);
        return -1;
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = errnoText(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        notRegular(info);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to `limit` bytes, then one more to see whether there is more.
// Returns false on a read error (errno set).
bool readUpTo(int fd, std::uintmax_t limit, std::string &out)
{
    out.clear();
    char chunk[65536];
    while (out.size() <= limit) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        out.append(chunk, static_cast<std::size_t>(n));
    }
    return true;
}

// True when `file` (already known to be a regular file of `info`) holds
// exactly `bytes`. Any trouble reading it counts as "not equal".
bool holdsExactly(const fs::path &file, const struct stat &info, const std::string &bytes)
{
    if (static_cast<std::uintmax_t>(info.st_size) != bytes.size())
        return false;
    struct stat opened {};
    std::string why;
    Descriptor fd(openRegular(file, opened, why));
    if (fd.get() < 0 || opened.st_ino != info.st_ino || opened.st_dev != info.st_dev)
        return false;
    std::string current;
    return readUpTo(fd.get(), bytes.size(), current) && current == bytes;
}

[[noreturn]] void cannotWrite(const fs::path &file, const std::string &why)
{
    throw FileAccessError(file, "cannot be written: " + why);
}

// Writes all the bytes; returns 0 or the errno of the failure (a full disk,
// a file size limit).
int writeAll(int fd, std::string_view bytes)
{
    const char *data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

// Follows symbolic links from `file` to the path that is not a link (which
// may not exist yet). Only the last component matters: links among the
// folders lead the rename to the same place anyway.
fs::path finalTarget(const fs::path &file)
{
    constexpr int kMaxLinks = 40;  // as the kernel allows
    fs::path at = file;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return at;
        if (links == kMaxLinks)
            cannotWrite(file, errnoText(ELOOP));
        std::error_code ec;
        fs::path to = fs::read_symlink(at, ec);
        if (ec)
            cannotWrite(file, ec.message());
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
}

// ".NAME.<16 hex>.tmp", NAME cut so that the whole fits in kFileNameMax.
constexpr std::string_view kTempEnd = ".tmp";
constexpr std::size_t kTempHexDigits = 16;
constexpr std::size_t kTempExtra = 1 + 1 + kTempHexDigits + kTempEnd.size();  // 22

std::string temporaryName(std::string_view base, std::uint64_t random)
{
    if (base.size() > kFileNameMax - kTempExtra) {
        std::size_t cut = kFileNameMax - kTempExtra;
        while (cut > 1 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base = base.substr(0, cut);
    }
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random));
    return "." + std::string(base) + suffix + std::string(kTempEnd);
}

bool isTemporaryName(std::string_view name)
{
    if (name.size() < kTempExtra + 1 || name.front() != '.' || !name.ends_with(kTempEnd))
        return false;
    const std::size_t hex = name.size() - kTempEnd.size() - kTempHexDigits;
    if (name[hex - 1] != '.')
        return false;
    for (std::size_t i = hex; i < hex + kTempHexDigits; ++i) {
        const char c = name[i];
        if (!(isDigit(c) || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// How a save and the removal of stale temporaries keep out of each other's
// way, also between processes (a second program starting in the folder):
// - The writer creates its temporary (O_EXCL), takes an exclusive flock()
//   on it without waiting, and checks that the name still refers to the
//   file it holds. It keeps the lock until the temporary has been renamed
//   over the target, and only then closes it.
// - The remover opens a candidate, takes its lock without waiting (it
//   skips the file when it cannot), checks that the name still refers to
//   the file it locked, and unlinks the name while it holds the lock.
// Only a lock holder ever unlinks a temporary, so:
// - A save that holds its lock is never disturbed: the remover cannot lock
//   its temporary, and after the rename the temporary's name is gone.
// - A remover that locks a new temporary before its writer does (the
//   moment between creation and lock) wins it: the writer's lock then
//   fails, or comes after the unlink, when the name no longer refers to the
//   writer's file. Either way the writer drops that file before writing a
//   byte and starts over under a new name: the save goes on.
// - A remover that opened a temporary whose writer has renamed it since
//   gets the lock of what is now the target; its name check finds the
//   temporary's name gone (or naming another file) and it leaves it.
// Where the file system has no flock() (the writer's lock fails with
// another error than EWOULDBLOCK), the writer saves without a lock and the
// remover, unable to lock either, leaves every temporary there.

// True when the name refers to the open file.
bool namesFile(const fs::path &name, int fd)
{
    struct stat named {
    }, opened{};
    return ::lstat(name.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// The writer's lock on the temporary it has just created. False when a
// remover has taken it or already removed it: the file is lost to the
// writer, which must make another.
bool lockNewTemporary(int fd, const fs::path &temp)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK)
            return false;
        break;  // no locks on this file system: saving still works
    }
    return namesFile(temp, fd);
}

// Opens a temporary and takes its lock without waiting: the descriptor, or
// -1 when it cannot be opened, is not a regular file, or is locked.
int openLocked(const fs::path &entry)
{
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    // Read access serves, unless the temporary has the mode of a target its
    // owner may write but not read, or flock() is emulated by record locks
    // (NFS), where an exclusive lock needs a file open for writing.
    for (const int access : {O_RDONLY, O_WRONLY}) {
        Descriptor fd(::open(entry.c_str(), access | kFlags));
        if (fd.get() < 0) {
            if (errno == EACCES)
                continue;
            return -1;
        }
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return -1;
        int locked;
        while ((locked = ::flock(fd.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (locked == 0)
            return fd.release();
        if (errno != EBADF)
            return -1;
    }
    return -1;
}

// Removes one temporary if no save holds it; see above.
void removeIfStale(const fs::path &entry)
{
    struct stat info {};
    // lstat first: a link is never followed, a folder or a FIFO never opened.
    if (::lstat(entry.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    Descriptor fd(openLocked(entry));
    if (fd.get() >= 0 && namesFile(entry, fd.get()))
        ::unlink(entry.c_str());
}

// Errors of a folder flush that mean the data may not be on disk. Others
// (a file system that cannot flush folders says EINVAL) are no news.
bool isFlushFailure(int err) { return err == EIO || err == ENOSPC || err == EDQUOT; }

}  // namespace

bool fileNameFits(std::string_view name) { return !name.empty() && name.size() <= kFileNameMax; }

bool canOpenForReading(const fs::path &file)
{
    struct stat info {};
    std::string why;
    Descriptor fd(openRegular(file, info, why));
    return fd.get() >= 0;
}

void removeStaleTemporaries(const fs::path &folder) noexcept
{
    try {
        std::error_code ec;
        const fs::path where = folder.empty() ? fs::path(".") : folder;
        for (fs::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path &entry = it->path();
            if (isTemporaryName(entry.filename().native()))
                removeIfStale(entry);
        }
    } catch (...) {
        // Cleaning up is a courtesy; it never stops the program.
    }
}

namespace {

// True when the two open files hold the same bytes.
bool sameBytes(int a, const struct stat &aInfo, int b, const struct stat &bInfo)
{
    if (aInfo.st_size != bInfo.st_size)
        return false;
    char left[65536], right[65536];
    for (off_t at = 0; at < aInfo.st_size;) {
        const ssize_t n = ::pread(a, left, sizeof left, at);
        if (n <= 0 || ::pread(b, right, static_cast<std::size_t>(n), at) != n)
            return false;
        if (std::memcmp(left, right, static_cast<std::size_t>(n)) != 0)
            return false;
        at += n;
    }
    return true;
}

// Copies all of `from` into `to`; 0 or the errno of the failure.
int copyBytes(int from, int to)
{
    char chunk[65536];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(from, chunk, sizeof chunk, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (const int err = writeAll(to, std::string_view(chunk, static_cast<std::size_t>(n))))
            return err;
        at += n;
    }
}

[[noreturn]] void cannotCopy(const fs::path &file, const std::string &why) { throw NoCopyError(file, why); }

// A damaged file whose copy could not be kept, as it was then: while a file
// still is that file with that size and time, no save replaces it.
struct Guard {
    dev_t device;
    ino_t inode;
    off_t size;
    struct timespec modified;
    std::string why;
};

std::vector<Guard> &guards()
{
    static std::vector<Guard> g;
    return g;
}

bool sameFile(const Guard &g, const struct stat &info)
{
    return g.device == info.st_dev && g.inode == info.st_ino && g.size == info.st_size &&
           g.modified.tv_sec == info.st_mtim.tv_sec && g.modified.tv_nsec == info.st_mtim.tv_nsec;
}

void forgetGuard(const struct stat &info)
{
    auto &g = guards();
    g.erase(std::remove_if(g.begin(), g.end(),
                           [&](const Guard &x) { return x.device == info.st_dev && x.inode == info.st_ino; }),
            g.end());
}

const Guard *guardOf(const struct stat &info)
{
    for (const Guard &g : guards())
        if (sameFile(g, info))
            return &g;
    return nullptr;
}

// The copy itself; throws FileAccessError with the reason.
fs::path copyBeside(const fs::path &file, int source, const struct stat &info)
{
    constexpr int kMaxCopies = 999;
    const std::string base = file.filename().native() + ".damaged";
    for (int n = 1; n <= kMaxCopies; ++n) {
        const fs::path copy = file.parent_path() / (n == 1 ? base : base + "." + std::to_string(n));
        if (copy.filename().native().size() > kFileNameMax)
            cannotCopy(file, "the name of the copy is too long");
        // O_EXCL: a copy is never written over, whatever it holds.
        Descriptor out(::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, info.st_mode & 0666));
        if (out.get() < 0) {
            if (errno != EEXIST)
                cannotCopy(file, errnoText(errno));
            struct stat copyInfo {};
            std::string ignored;
            Descriptor existing(openRegular(copy, copyInfo, ignored));
            if (existing.get() >= 0 && sameBytes(source, info, existing.get(), copyInfo))
                return copy;
            continue;
        }
        int err = copyBytes(source, out.get());
        if (err == 0 && ::fsync(out.get()) != 0)
            err = errno;
        if (::close(out.release()) != 0 && err == 0)
            err = errno;
        if (err != 0) {
            ::unlink(copy.c_str());
            cannotCopy(file, errnoText(err));
        }
        const fs::path folder = copy.parent_path();
        Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0)
            (void)::fsync(dir.get());
        return copy;
    }
    cannotCopy(file, "there are too many copies already");
}

}  // namespace

fs::path keepDamagedCopy(const fs::path &file)
{
    struct stat info {};
    std::string why;
    Descriptor source(openRegular(file, info, why));
    if (source.get() < 0)
        cannotCopy(file, why);
    try {
        fs::path copy = copyBeside(file, source.get(), info);
        forgetGuard(info);
        return copy;
    } catch (const NoCopyError &e) {
        forgetGuard(info);
        guards().push_back({info.st_dev, info.st_ino, info.st_size, info.st_mtim, e.why()});
        throw;
    }
}

// ---------------------------------------------------------------- writer

SeqWriter::SeqWriter(fs::path file) : file_(std::move(file))
{
    const std::string name = file_.filename().native();
    if (name.size() > kFileNameMax)
        throw FileAccessError(file_, "cannot be written: the file name is longer than " + std::to_string(kFileNameMax) +
                                         " bytes");
    std::error_code ec;
    if (name.empty() || fs::is_directory(file_, ec))
        throw FileAccessError(file_, "cannot be written: it is a folder");
}

SeqWriter::~SeqWriter() { drop(); }

void SeqWriter::separate()
{
    if (recordStarted_)
        buffer_ += ',';
    recordStarted_ = true;
}

SeqWriter &SeqWriter::text(std::string_view value, std::string_view label)
{
    separate();
    if (value.size() > longestText_) {
        longestText_ = value.size();
        longestLabel_ = label;
    }
    buffer_ += '"';
    for (char c : value)
        buffer_ += c == '"' ? '\'' : c;
    buffer_ += '"';
    return *this;
}

SeqWriter &SeqWriter::number(float value)
{
    separate();
    buffer_ += floatToText(value);
    return *this;
}

SeqWriter &SeqWriter::number(double value)
{
    separate();
    buffer_ += doubleToText(value);
    return *this;
}

SeqWriter &SeqWriter::number(std::int16_t value)
{
    separate();
    buffer_ += std::to_string(value);
    return *this;
}

SeqWriter &SeqWriter::number(std::int32_t value)
{
    separate();
    buffer_ += std::to_string(value);
    return *this;
}

SeqWriter &SeqWriter::boolean(bool value)
{
    separate();
    buffer_ += value ? kTrue : kFalse;
    return *this;
}

SeqWriter &SeqWriter::empty()
{
    separate();
    return *this;
}

SeqWriter &SeqWriter::variant(const Variant &value)
{
    std::visit(
        [this](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Empty>)
                empty();
            else if constexpr (std::is_same_v<T, std::string>)
                text(v);
            else if constexpr (std::is_same_v<T, double>)
                number(v);
            else
                boolean(v);
        },
        value);
    return *this;
}

SeqWriter &SeqWriter::endRecord()
{
    buffer_ += "\r\n";
    recordStarted_ = false;
    return *this;
}

void SeqWriter::checkSize() const
{
    if (contents().size() > kMaxFileSize)
        throw FileTooLargeError(file_, longestLabel_, longestText_);
}

namespace {

// The target of a commit that is about to be replaced: when it is a damaged
// file whose copy could not be kept, the copy is tried again (there may be
// room for it now), and the commit refused when it still fails.
void keepOrRefuse(const fs::path &file, const fs::path &target, const struct stat &info)
{
    if (!guardOf(info))
        return;
    try {
        keepDamagedCopy(target);
    } catch (const NoCopyError &e) {
        throw DamagedFileError(file, e.why());
    }
}

}  // namespace

void keepCopyOrRefuse(const fs::path &file, const std::string *writing)
{
    const fs::path target = finalTarget(file);
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || !guardOf(info))
        return;
    // Writing the very bytes it holds loses nothing.
    if (writing && holdsExactly(target, info, *writing))
        return;
    keepOrRefuse(file, target, info);
}

void SeqWriter::keepCopyOrRefuse() const
{
    const std::string bytes = contents();
    legacy::keepCopyOrRefuse(file_, &bytes);
}

namespace {

// Why an existing regular target may not be replaced, or nothing: its
// owner must be able to write it, and so must the process.
std::optional<std::string> whyNotWritable(const fs::path &target, const struct stat &old)
{
    // The rename would replace the file whatever its mode, and root
    // passes every access() test, so the owner's write bit decides.
    if ((old.st_mode & S_IWUSR) == 0)
        return "the file is write-protected";
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errnoText(errno);
    return std::nullopt;
}

// The final target of a commit, lstat into `old`: false when there is
// none; a folder or any other kind of file than a regular one is refused.
bool existingTarget(const fs::path &file, const fs::path &target, struct stat &old)
{
    if (::lstat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            cannotWrite(file, errnoText(errno));
        return false;
    }
    if (S_ISDIR(old.st_mode))
        cannotWrite(file, "it is a folder");
    if (!S_ISREG(old.st_mode))
        cannotWrite(file, "it is not a regular file");
    return true;
}

// The random part of temporary names.
std::uint64_t randomName()
{
    thread_local std::mt19937_64 gen = [] {
        std::random_device rd;
        return std::mt19937_64((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
    }();
    return gen();
}

// Creates a temporary beside `target` and takes its lock: the descriptor,
// with `temp` its name, or -1 with `why` set. O_EXCL makes the creation
// exclusive, so two writers never share a file; a name taken, or a
// temporary lost to a remover at once, gives way to another name.
int createLocked(const fs::path &target, fs::path &temp, std::string &why)
{
    const fs::path folder = target.parent_path();
    const std::string base = target.filename().native();
    int err = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp = folder / temporaryName(base, randomName());
        Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (fd.get() < 0) {
            err = errno;
            if (err == EEXIST)
                continue;
            break;
        }
        if (lockNewTemporary(fd.get(), temp))
            return fd.release();
        err = EBUSY;
    }
    why = errnoText(err);
    return -1;
}

// Keeps a copy of the file at `target` on disk under a temporary's name,
// `old`, until a save of several files is complete, on a file system that
// cannot swap the file with its temporary. (Not a second link to it: in a
// shared folder with the sticky bit, a link to another user's file could
// not be removed again.) `fd` holds its lock, so that no cleanup removes it
// meanwhile. False, with `why` set, when it cannot be kept.
bool keepAside(const fs::path &target, fs::path &old, int &fd, std::string &why)
{
    struct stat info {};
    Descriptor source(openRegular(target, info, why));
    if (source.get() < 0)
        return false;
    Descriptor copy(createLocked(target, old, why));
    if (copy.get() < 0)
        return false;
    (void)::fchmod(copy.get(), info.st_mode & 07777);
    int err = copyBytes(source.get(), copy.get());
    if (err == 0 && ::fsync(copy.get()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(old.c_str());
        why = errnoText(err);
        return false;
    }
    fd = copy.release();
    return true;
}

bool &swapsAllowed()
{
    static bool allowed = true;
    return allowed;
}

// Flushes a folder, so the renames in it reach the disk: 0, or the errno
// of a failure that means they may not have.
int flushFolder(const fs::path &folder)
{
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0 && ::fsync(dir.get()) != 0 && isFlushFailure(errno))
        return errno;
    return 0;
}

}  // namespace

// The steps of commits, for SeqWriter, commitAll and SaveBatch.
struct CommitSteps {
    static std::vector<std::exception_ptr> together(const std::vector<std::vector<SeqWriter *>> &groups,
                                                    const std::vector<bool> &mayFail);
};

namespace {

}  // namespace

void SeqWriter::checkReplaceable() const
{
    const fs::path target = finalTarget(file_);
    struct stat old {};
    if (!existingTarget(file_, target, old))
        return;
    const std::optional<std::string> why = whyNotWritable(target, old);
    // Read the file only when it would be refused: its very bytes pass.
    if (why && !holdsExactly(target, old, contents()))
        cannotWrite(file_, *why);
}

namespace {

// What a commit of several files asks of each before it writes any. A file
// the save may go on without is not asked whether it can be replaced: it is
// told when it fails.
void checkBeforeWriting(const SeqWriter &w, bool mayFail)
{
    w.checkSize();
    w.keepCopyOrRefuse();
    if (!mayFail)
        w.checkReplaceable();
}

}  // namespace

void commitAll(std::initializer_list<SeqWriter *> writers)
{
    for (const SeqWriter *w : writers)
        checkBeforeWriting(*w, false);
    CommitSteps::together({std::vector<SeqWriter *>(writers)}, {false});
}

namespace {

SaveBatch *&currentBatch()
{
    static SaveBatch *batch = nullptr;
    return batch;
}

}  // namespace

SaveBatch::SaveBatch() : outer_(currentBatch()), uncaught_(std::uncaught_exceptions()) { currentBatch() = this; }

SaveBatch::~SaveBatch()
{
    // Files silently dropped are a save that never happened.
    assert(ended_ || std::uncaught_exceptions() > uncaught_);
    leave();
}

void SaveBatch::leave()
{
    if (std::exchange(current_, false) && currentBatch() == this)
        currentBatch() = outer_;
}

SaveBatch *SaveBatch::current() { return currentBatch(); }

void SaveBatch::add(std::vector<std::unique_ptr<SeqWriter>> files, Written written, Failed failed)
{
    // Written twice, a file would hold what was written last.
    for (const auto &added : files)
        for (Group &g : groups_)
            std::erase_if(g.files, [&](const std::unique_ptr<SeqWriter> &w) { return w->file() == added->file(); });
    groups_.push_back({std::move(files), std::move(written), std::move(failed)});
}

void SaveBatch::add(std::unique_ptr<SeqWriter> file, Written written, Failed failed)
{
    std::vector<std::unique_ptr<SeqWriter>> files;
    files.push_back(std::move(file));
    add(std::move(files), std::move(written), std::move(failed));
}

void SaveBatch::checkAndKeepCopies() const
{
    for (const Group &g : groups_)
        for (const auto &w : g.files)
            checkBeforeWriting(*w, static_cast<bool>(g.failed));
}

void SaveBatch::discard()
{
    ended_ = true;
    leave();
    groups_.clear();
}

void SaveBatch::commit()
{
    ended_ = true;
    leave();
    checkAndKeepCopies();
    std::vector<std::vector<SeqWriter *>> files;
    std::vector<bool> mayFail;
    for (const Group &g : groups_) {
        files.emplace_back();
        for (const auto &w : g.files)
            files.back().push_back(w.get());
        mayFail.push_back(static_cast<bool>(g.failed));
    }
    const std::vector<std::exception_ptr> failures = CommitSteps::together(files, mayFail);
    for (std::size_t i = 0; i < groups_.size(); ++i)
        if (!failures[i] && groups_[i].written)
            groups_[i].written();
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        if (!failures[i])
            continue;
        try {
            std::rethrow_exception(failures[i]);
        } catch (const FileError &e) {
            groups_[i].failed(e);
        }
    }
}

void SeqWriter::commit()
{
    if (stage_ == Stage::Done)
        throw FileAccessError(file_, "already written");
    CommitSteps::together({{this}}, {false});
}

void SeqWriter::makeReady()
{
    drop();
    checkSize();
    if (recordStarted_)
        endRecord();

    target_ = finalTarget(file_);
    struct stat old {};
    existed_ = existingTarget(file_, target_, old);
    // Most saves write what is there already: leave the disk alone.
    if (existed_ && holdsExactly(target_, old, buffer_)) {
        stage_ = Stage::Unchanged;
        return;
    }
    if (existed_) {
        keepOrRefuse(file_, target_, old);
        if (const std::optional<std::string> why = whyNotWritable(target_, old))
            cannotWrite(file_, *why);
    }

    std::string why;
    Descriptor fd(createLocked(target_, temp_, why));
    if (fd.get() < 0)
        cannotWrite(file_, why);
    if (existed_)
        (void)::fchmod(fd.get(), old.st_mode & 07777);  // best effort
    int err = writeAll(fd.get(), buffer_);
    // The data must be on disk before the name points at it, or a power cut
    // can leave a file of the right size full of zero bytes.
    if (err == 0 && ::fsync(fd.get()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp_.c_str());  // still under the lock: no remover is at it
        cannotWrite(file_, errnoText(err));
    }
    tempFd_ = fd.release();
    stage_ = Stage::Ready;
}

void SeqWriter::replaceTarget(bool keepOld)
{
    if (stage_ != Stage::Ready)
        return;
    if (keepOld && existed_) {
        // Swapped in one step, the old file is kept under the temporary's
        // name at once.
        const int swapped = swapsAllowed()
                                ? ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE)
                                : (errno = EINVAL, -1);
        if (swapped == 0) {
            old_ = temp_;
            oldFd_ = openLocked(old_);
            ::close(std::exchange(tempFd_, -1));
            stage_ = Stage::Replaced;
            return;
        }
        std::string why;
        if (errno != EINVAL && errno != ENOSYS && errno != EXDEV && errno != EOPNOTSUPP) {
            why = errnoText(errno);
            drop();
            cannotWrite(file_, why);
        }
        // A file system (or kernel) that cannot swap: the old file is kept
        // by a copy.
        if (!keepAside(target_, old_, oldFd_, why)) {
            drop();
            cannotWrite(file_, "the file it would replace could not be kept until the save is complete: " + why);
        }
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        forgetOld();  // nothing was replaced
        drop();
        cannotWrite(file_, errnoText(err));
    }
    // The lock goes with the descriptor, after the rename. The flush before
    // it has reported any write error: closing has nothing left to tell.
    ::close(std::exchange(tempFd_, -1));
    stage_ = Stage::Replaced;
}

void SeqWriter::putBackOld() noexcept
{
    if (stage_ != Stage::Replaced)
        return;
    if (!old_.empty()) {
        // Should even this fail, the old bytes stay where they were kept,
        // not removed.
        (void)::rename(old_.c_str(), target_.c_str());
        old_.clear();
    } else if (!existed_) {
        ::unlink(target_.c_str());
    }
    forgetOld();
    stage_ = Stage::Open;
}

void SeqWriter::forgetOld() noexcept
{
    if (!old_.empty())
        ::unlink(old_.c_str());  // under its lock, when it could be taken
    old_.clear();
    if (oldFd_ >= 0)
        ::close(std::exchange(oldFd_, -1));
}

void SeqWriter::finish() noexcept
{
    forgetOld();
    if (stage_ == Stage::Replaced || stage_ == Stage::Unchanged)
        stage_ = Stage::Done;
}

void SeqWriter::drop() noexcept
{
    if (stage_ == Stage::Ready) {
        ::unlink(temp_.c_str());  // still under the lock
        ::close(std::exchange(tempFd_, -1));
    }
    if (stage_ != Stage::Done)
        stage_ = Stage::Open;
}

// Commits groups of writers together, as the comment on SeqWriter says.
// A group that may fail (mayFail) is left out alone when one of its files
// cannot be written or replaced: its error is returned at its place, and
// the rest is written. Any other failure puts back what was replaced and
// is thrown.
std::vector<std::exception_ptr> CommitSteps::together(const std::vector<std::vector<SeqWriter *>> &groups,
                                                      const std::vector<bool> &mayFail)
{
    std::vector<std::exception_ptr> failures(groups.size());
    std::vector<SeqWriter *> replaced;
    const auto putBack = [&replaced](std::size_t from) {
        while (replaced.size() > from) {
            replaced.back()->putBackOld();
            replaced.pop_back();
        }
    };
    const auto dropAll = [&groups] {
        for (const auto &g : groups)
            for (SeqWriter *w : g)
                w->drop();
    };
    // Every temporary written and on disk before any target changes.
    for (std::size_t i = 0; i < groups.size(); ++i) {
        try {
            for (SeqWriter *w : groups[i])
                w->makeReady();
        } catch (const FileError &) {
            for (SeqWriter *w : groups[i])
                w->drop();
            if (!mayFail[i]) {
                dropAll();
                throw;
            }
            failures[i] = std::current_exception();
        }
    }
    // A lone file to replace needs nothing kept aside: its rename happens
    // or not.
    std::size_t ready = 0;
    for (const auto &g : groups)
        ready += std::count_if(g.begin(), g.end(),
                               [](const SeqWriter *w) { return w->stage_ == SeqWriter::Stage::Ready; });
    const bool keepOld = ready > 1;
    // Then the targets, in order.
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (failures[i])
            continue;
        const std::size_t mark = replaced.size();
        try {
            for (SeqWriter *w : groups[i]) {
                w->replaceTarget(keepOld);
                if (w->stage_ == SeqWriter::Stage::Replaced)
                    replaced.push_back(w);
            }
        } catch (const FileError &) {
            if (!mayFail[i]) {
                putBack(0);
                dropAll();
                throw;
            }
            putBack(mark);
            for (SeqWriter *w : groups[i])
                w->drop();
            failures[i] = std::current_exception();
        }
    }
    // And the renames on disk: a folder flushed once for all its files.
    std::vector<fs::path> folders;
    for (SeqWriter *w : replaced) {
        fs::path folder = w->target_.parent_path();
        if (std::find(folders.begin(), folders.end(), folder) != folders.end())
            continue;
        const int err = flushFolder(folder);
        if (err == 0) {
            folders.push_back(std::move(folder));
            continue;
        }
        const fs::path file = w->file_;
        if (!keepOld) {
            w->finish();
            throw FileAccessError(file, "was replaced, but the folder could not be flushed to disk: " + errnoText(err));
        }
        putBack(0);
        dropAll();
        (void)flushFolder(folder);
        cannotWrite(file, "the folder could not be flushed to disk: " + errnoText(err));
    }
    for (const auto &g : groups)
        for (SeqWriter *w : g)
            w->finish();
    return failures;
}

// ---------------------------------------------------------------- reader

SeqReader::SeqReader(fs::path file) : file_(std::move(file))
{
    struct stat info {};
    std::string why;
    Descriptor fd(openRegular(file_, info, why));
    if (fd.get() < 0)
        throw FileAccessError(file_, "cannot be read: " + why);
    const std::string tooLarge = "is larger than any file of its kind (over " + std::to_string(kMaxFileSize >> 20) +
                                 " MiB)";
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileSize)
        throw FileFormatError(file_, tooLarge);
    data_.reserve(static_cast<std::size_t>(info.st_size));
    if (!readUpTo(fd.get(), kMaxFileSize, data_))
        throw FileAccessError(file_, "cannot be read: " + errnoText(errno));
    // It may have grown since it was measured.
    if (data_.size() > kMaxFileSize)
        throw FileFormatError(file_, tooLarge);
}

SeqReader::SeqReader(std::string contents, fs::path name) : file_(std::move(name)), data_(std::move(contents)) {}

bool SeqReader::atEnd() const
{
    std::size_t p = pos_;
    while (p < data_.size() && isBlank(data_[p]))
        ++p;
    return p >= data_.size() && !afterComma_;
}

void SeqReader::fail(const std::string &what) const { throw FileFormatError(file_, what); }

void SeqReader::wrongKind(const Item &item, const std::string &kind) const
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < item.start && i < data_.size(); ++i) {
        if (data_[i] == '\n' || (data_[i] == '\r' && (i + 1 >= data_.size() || data_[i + 1] != '\n')))
            ++line;
    }
    fail("line " + std::to_string(line) + ", item " + std::to_string(items_) + ": " +
         quoteForMessage(item.value, item.quoted) + " is not " + kind);
}

SeqReader::Item SeqReader::next()
{
    const std::size_t size = data_.size();
    while (pos_ < size && isBlank(data_[pos_]))
        ++pos_;

    Item item;
    item.start = pos_;
    if (pos_ >= size) {
        if (!afterComma_)
            fail("the file ends too early (item " + std::to_string(items_ + 1) + " is missing)");
        // A final comma still promised one (empty) item.
        afterComma_ = false;
        ++items_;
        return item;
    }

    // Consumes the comma or line end at pos_, if any, and notes which it was.
    auto endItem = [this, size] {
        afterComma_ = false;
        if (pos_ >= size)
            return;
        if (data_[pos_] == ',') {
            afterComma_ = true;
            ++pos_;
        } else if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < size && data_[pos_] == '\n')
                ++pos_;
        } else if (data_[pos_] == '\n') {
            ++pos_;
        }
    };

    if (data_[pos_] == '"') {
        item.quoted = true;
        std::size_t close = data_.find('"', pos_ + 1);
        if (close == std::string::npos)
            close = size;  // unclosed: the rest is the text
        item.value.assign(data_, pos_ + 1, close - pos_ - 1);
        pos_ = close < size ? close + 1 : size;
        while (pos_ < size && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
        endItem();
    } else {
        std::size_t end = pos_;
        while (end < size && data_[end] != ',' && !isLineEnd(data_[end]))
            ++end;
        std::size_t last = end;
        while (last > pos_ && isBlank(data_[last - 1]))
            --last;
        item.value.assign(data_, pos_, last - pos_);
        pos_ = end;
        endItem();
    }
    ++items_;
    return item;
}

std::string SeqReader::text() { return next().value; }

double SeqReader::toNumber(const Item &item) const
{
    if (item.quoted)
        wrongKind(item, "a number");
    if (item.value.empty())
        return 0;
    double value = 0;
    if (!parseNumber(item.value, value))
        wrongKind(item, "a number");
    return value;
}

double SeqReader::number() { return toNumber(next()); }

float SeqReader::numberF()
{
    Item item = next();
    const double value = toNumber(item);
    try {
        return toSingle(value);
    } catch (const OverflowError &) {
    }
    wrongKind(item, "within the range of a float");
}

std::int16_t SeqReader::int16()
{
    Item item = next();
    double value = toNumber(item);
    try {
        return toInt16(value);
    } catch (const OverflowError &) {
    } catch (const NumberFormatError &) {
    }
    wrongKind(item, "a 16-bit integer");
}

bool SeqReader::boolean()
{
    Item item = next();
    if (item.quoted)
        wrongKind(item, "true or false");
    if (item.value == kTrue)
        return true;
    if (item.value == kFalse)
        return false;
    if (item.value.empty())
        return false;
    double value = 0;
    if (!parseNumber(item.value, value))
        wrongKind(item, "true or false");
    return value != 0;
}

Variant SeqReader::variant()
{
    Item item = next();
    if (item.quoted)
        return std::move(item.value);
    if (item.value.empty())
        return Empty{};
    if (item.value == kTrue)
        return true;
    if (item.value == kFalse)
        return false;
    double value = 0;
    if (parseNumber(item.value, value))
        return value;
    return std::move(item.value);
}

void SeqReader::skip() { next(); }

void testing::allowSwaps(bool allowed) { swapsAllowed() = allowed; }

}  // namespace legacy
