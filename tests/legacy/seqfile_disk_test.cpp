// The sequential files on a real disk: what the writer replaces and what it
// refuses, what the readers open, and the writer's temporary files.
#include "legacy/seqfile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <regex>
#include <string>
#include <vector>

#include "child_process.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using legacy::FileAccessError;
using legacy::FileFormatError;
using legacy::SeqReader;
using legacy::SeqWriter;

namespace {

// `count` times the two-byte letter "é".
std::string accents(int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += "\xc3\xa9";
    return s;
}

class SeqFileDisk : public wdtest::TempFolderTest {
protected:
    static std::string slurp(const fs::path &p) { return wdtest::slurp(p); }
    static fs::path put(const fs::path &p, const std::string &bytes) { return wdtest::put(p, bytes); }

    // Makes a FIFO; a reader that opened it the blocking way would wait for
    // a writer that never comes.
    static fs::path fifo(const fs::path &p)
    {
        EXPECT_EQ(::mkfifo(p.c_str(), 0644), 0) << p;
        return p;
    }

    static void save(const fs::path &file, const std::string &text)
    {
        SeqWriter w(file);
        w.text(text).commit();
    }

    // Saves under a file size limit of eight bytes, so the write stops
    // half-way and SIGXFSZ goes to `atLimit` (in a child process only).
    static void saveCutOff(const fs::path &file, void (*atLimit)(int))
    {
        std::signal(SIGXFSZ, atLimit);
        struct rlimit small {};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 8;
        ::setrlimit(RLIMIT_FSIZE, &small);
        save(file, "a record longer than eight bytes");
    }

    static ino_t inode(const fs::path &p)
    {
        struct stat st {};
        EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
        return st.st_ino;
    }

    // The names in a folder, sorted.
    static std::vector<std::string> names(const fs::path &folder)
    {
        std::vector<std::string> out;
        for (const auto &e : fs::directory_iterator(folder))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

// Expects `act` to throw E whose message names `file` and says `says`.
template <class E, class F> void expectError(F act, const fs::path &file, const std::string &says)
{
    try {
        act();
        ADD_FAILURE() << "no error";
    } catch (const E &e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(file.string()), std::string::npos) << what;
        EXPECT_NE(what.find(says), std::string::npos) << what;
    }
}

// ---------------------------------------------------------------- readers

TEST_F(SeqFileDisk, ReadersOpenOnlyRegularFilesAndNeverBlock)
{
    fs::create_directory(at("folder"));
    fifo(at("Bob.use"));
    fs::create_symlink(at("Bob.use"), at("ToFifo.use"));
    fs::create_symlink("/dev/zero", at("Zero.dat"));
    fs::create_symlink(at("folder"), at("ToFolder.dat"));
    fs::create_symlink(at("missing.dat"), at("Dangling.dat"));
    struct Case {
        fs::path file;
        const char *says;
    };
    const std::vector<Case> cases = {
        {at("Bob.use"), "not a regular file"},  {at("ToFifo.use"), "not a regular file"},
        {at("Zero.dat"), "not a regular file"}, {"/dev/null", "not a regular file"},
        {at("folder"), "it is a folder"},       {at("ToFolder.dat"), "it is a folder"},
        {at("missing.dat"), "No such file"},    {at("Dangling.dat"), "No such file"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.string());
        EXPECT_FALSE(legacy::canOpenForReading(c.file));
        expectError<FileAccessError>([&] { SeqReader r(c.file); }, c.file, c.says);
    }
    // A link to a regular file is read through.
    put(at("store/Real.dat"), "\"real\"\r\n");
    fs::create_symlink(at("store/Real.dat"), at("Link.dat"));
    EXPECT_TRUE(legacy::canOpenForReading(at("Link.dat")));
    EXPECT_EQ(SeqReader(at("Link.dat")).text(), "real");
}

TEST_F(SeqFileDisk, ReaderRefusesAFileLargerThanOneMebibyte)
{
    // Exactly 1 MiB is still read: blanks, then one number.
    const fs::path full = put(at("Full.dat"), std::string(1048576 - 3, ' ') + "7\r\n");
    EXPECT_EQ(SeqReader(full).number(), 7.0);

    // One byte more is damaged; the check comes before any byte is read.
    const fs::path big = at("Big.dat");
    put(big, "");
    fs::resize_file(big, 1048577);
    EXPECT_TRUE(legacy::canOpenForReading(big)) << "too large is damaged, not missing";
    expectError<FileFormatError>([&] { SeqReader r(big); }, big, "larger than any file of its kind");
}

// ---------------------------------------------------------------- writer

// What the writer would put on disk must read back: a file one byte over
// the readers' limit is refused before anything is replaced, and the error
// names the longest text and its label. commitAll() writes none of its
// files when one of them is too large.
TEST_F(SeqFileDisk, AFileTheReaderWouldRefuseIsNeverWritten)
{
    const fs::path old = put(at("Bob.hol"), "\"old\"\r\n");
    const fs::path other = put(at("Bob.use"), "\"old\"\r\n");
    // Two quotes and CR LF around the text: 1 MiB exactly still fits.
    {
        SeqWriter w(at("Fits.hol"));
        w.text(std::string(1048576 - 4, 'x'), "Dates, row 1").commit();
        EXPECT_EQ(SeqReader(at("Fits.hol")).text().size(), 1048576u - 4);
    }
    SeqWriter big(old);
    big.text("short", "Dates, row 1").text(std::string(1048576 - 9, 'x'), "Dates, row 2");
    try {
        big.checkSize();
        ADD_FAILURE() << "no error";
    } catch (const legacy::FileTooLargeError &e) {
        EXPECT_EQ(e.item(), "Dates, row 2");
        EXPECT_EQ(e.itemLength(), 1048576u - 9);
        EXPECT_NE(std::string(e.what()).find("larger than 1 MiB"), std::string::npos) << e.what();
    }
    SeqWriter small(other);
    small.text("new");
    EXPECT_THROW(legacy::commitAll({&small, &big}), legacy::FileTooLargeError);
    EXPECT_THROW(big.commit(), legacy::FileTooLargeError);
    EXPECT_EQ(slurp(old), "\"old\"\r\n");
    EXPECT_EQ(slurp(other), "\"old\"\r\n");
    EXPECT_EQ(names(dir_), (std::vector<std::string>{"Bob.hol", "Bob.use", "Fits.hol"}));
}

// A damaged file's bytes are kept beside it: one copy for the same bytes
// however often it is reported, a numbered one for other bytes, and no copy
// is ever written over.
TEST_F(SeqFileDisk, DamagedFilesAreKeptAsCopies)
{
    const fs::path file = put(at("Bob.hol"), "1,2,\"cut");
    EXPECT_EQ(legacy::keepDamagedCopy(file), at("Bob.hol.damaged"));
    EXPECT_EQ(legacy::keepDamagedCopy(file), at("Bob.hol.damaged"));
    EXPECT_EQ(slurp(at("Bob.hol.damaged")), "1,2,\"cut");

    put(file, "1,2,\"other");
    EXPECT_EQ(legacy::keepDamagedCopy(file), at("Bob.hol.damaged.2"));
    EXPECT_EQ(slurp(at("Bob.hol.damaged")), "1,2,\"cut");
    EXPECT_EQ(slurp(at("Bob.hol.damaged.2")), "1,2,\"other");

    // Larger than the readers take: copied whole all the same.
    const fs::path big = at("Bob.ovw");
    put(big, std::string(3 * 65536 + 7, 'z'));
    EXPECT_EQ(slurp(legacy::keepDamagedCopy(big)), std::string(3 * 65536 + 7, 'z'));

    expectError<FileAccessError>([&] { legacy::keepDamagedCopy(at("missing.hol")); }, at("missing.hol"),
                                 "no copy could be kept");
    // A folder that cannot be written: no copy, and the error says so.
    fs::create_directory(at("locked"));
    const fs::path inside = put(at("locked/Bob.sta"), "1,2");
    fs::permissions(at("locked"), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int code = wdtest::inChildProcess(
        [&] {
            try {
                legacy::keepDamagedCopy(inside);
            } catch (const FileAccessError &) {
                return fs::exists(at("locked/Bob.sta.damaged")) ? 2 : 0;
            }
            return 1;
        },
        true);
    fs::permissions(at("locked"), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(code, 0);
}

// A damaged file whose copy cannot be kept (the file size limit stands for
// a full disk) is never replaced while it holds those bytes: a commit, and
// the check of a save, refuse it, saying why; the same bytes may be written,
// and once a copy can be kept, the file is replaced as any other.
TEST_F(SeqFileDisk, ADamagedFileWithoutACopyIsNeverReplaced)
{
    const std::string damaged(64 * 1024, 'd');
    const fs::path file = put(at("Bob.hol"), damaged);
    std::string why, refused;
    wdtest::withFileSizeLimit(1024, [&] {
        try {
            legacy::keepDamagedCopy(file);
        } catch (const legacy::NoCopyError &e) {
            why = e.why();
        }
        try {
            save(file, "new");
        } catch (const legacy::DamagedFileError &e) {
            refused = e.why();
        }
    });
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(refused, why);
    EXPECT_EQ(slurp(file), damaged);
    EXPECT_FALSE(fs::exists(at("Bob.hol.damaged")));

    // Room again: the copy is kept first, then the file is replaced.
    save(file, "new");
    EXPECT_EQ(slurp(at("Bob.hol.damaged")), damaged);
    EXPECT_EQ(slurp(file), "\"new\"\r\n");
}

// Before a save that replaces the file whatever it writes, a damaged file
// without a copy is refused even when it is empty, which is what an empty
// writer holds; once a name for the copy is free, the copy is made.
TEST_F(SeqFileDisk, ADamagedFileWithoutACopyIsRefusedBeforeAnySaveOfIt)
{
    const fs::path file = put(at("Empty.sta"), "");
    put(at("Empty.sta.damaged"), "taken");
    for (int n = 2; n <= 999; ++n)
        put(at("Empty.sta.damaged." + std::to_string(n)), "taken");
    EXPECT_THROW(legacy::keepDamagedCopy(file), legacy::NoCopyError);
    EXPECT_NO_THROW(SeqWriter(file).keepCopyOrRefuse()) << "writing its very bytes loses nothing";
    EXPECT_THROW(legacy::keepCopyOrRefuse(file), legacy::DamagedFileError);

    fs::remove(at("Empty.sta.damaged.999"));
    EXPECT_NO_THROW(legacy::keepCopyOrRefuse(file));
    EXPECT_TRUE(fs::exists(at("Empty.sta.damaged.999")));
}

// A save of several files checks them all before it writes any; a file
// that may fail alone is reported and the save goes on; a writer called
// while the batch is made joins it.
TEST_F(SeqFileDisk, ABatchWritesAllItsFilesOrNone)
{
    const fs::path a = put(at("a"), "\"old\"\r\n"), b = put(at("b"), "\"old\"\r\n");
    auto writer = [](const fs::path &file, const std::string &text) {
        auto w = std::make_unique<SeqWriter>(file);
        w->text(text);
        return w;
    };
    {
        legacy::SaveBatch batch;
        bool written = false;
        batch.add(writer(a, "new"), [&] { written = true; });
        batch.add(writer(b, std::string(legacy::kMaxFileSize, 'x')));
        EXPECT_THROW(batch.commit(), legacy::FileTooLargeError);
        EXPECT_FALSE(written);
        EXPECT_EQ(slurp(a), "\"old\"\r\n");
    }
    {
        // A target the save could not replace stops it before the first
        // write: a write-protected file, or a folder come into a file's
        // place since its writer was made. A write-protected file that holds
        // the bytes already passes.
        const fs::path same = put(at("same"), "\"same\"\r\n");
        fs::permissions(same, fs::perms(0444));
        fs::permissions(b, fs::perms(0444));
        const fs::path folderLater = at("e");
        for (const fs::path &blocked : {b, folderLater}) {
            SCOPED_TRACE(blocked.filename().string());
            legacy::SaveBatch batch;
            batch.add(writer(a, "new"));
            batch.add(writer(same, "same"));
            batch.add(writer(blocked, "new"));
            SeqWriter first(a), last(blocked);
            first.text("new");
            last.text("new");
            if (blocked == folderLater)
                fs::create_directory(folderLater);
            EXPECT_THROW(batch.commit(), legacy::FileAccessError);
            EXPECT_EQ(slurp(a), "\"old\"\r\n");
            EXPECT_THROW(legacy::commitAll({&first, &last}), legacy::FileAccessError);
            EXPECT_EQ(slurp(a), "\"old\"\r\n");
        }
        fs::permissions(b, fs::perms(0644));
        fs::remove(folderLater);
    }
    {
        legacy::SaveBatch batch;
        EXPECT_EQ(legacy::SaveBatch::current(), &batch);
        auto blocked = writer(at("c"), "c");
        fs::create_directory(at("c"));  // after the check: a failure of the write itself
        std::string told;
        batch.add(std::move(blocked), {}, [&](const legacy::FileError &e) { told = e.what(); });
        batch.add(writer(b, "new"));
        batch.commit();
        EXPECT_EQ(legacy::SaveBatch::current(), nullptr);
        EXPECT_NE(told.find("folder"), std::string::npos) << told;
        EXPECT_EQ(slurp(b), "\"new\"\r\n");
    }
}

// A batch whose save was refused before its commit ends in discard(),
// writing none; one that ends in neither commit() nor discard() is a fault a
// debug build stops on (an exception on its way out is not).
TEST_F(SeqFileDisk, ABatchEndsCommittedOrDiscarded)
{
    const fs::path a = put(at("a"), "\"old\"\r\n");
    auto writer = [&a] {
        auto w = std::make_unique<SeqWriter>(a);
        w->text("new");
        return w;
    };
    {
        legacy::SaveBatch batch;
        batch.add(writer());
        batch.discard();
        EXPECT_EQ(legacy::SaveBatch::current(), nullptr);
    }
    EXPECT_EQ(slurp(a), "\"old\"\r\n");
    EXPECT_THROW(
        {
            legacy::SaveBatch batch;
            batch.add(writer());
            throw std::runtime_error("a step of the save failed");
        },
        std::runtime_error);
    EXPECT_EQ(slurp(a), "\"old\"\r\n");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEBUG_DEATH(
        {
            legacy::SaveBatch batch;
            batch.add(writer());
        },
        "");
    EXPECT_EQ(slurp(a), "\"old\"\r\n");
}

// A save of several files that fails part-way has written none of them. A
// full disk (here the file size limit) is met while the temporaries are
// written, before any target changes; a replacement refused after the first
// (a file of another user in a sticky folder, which only its owner may
// replace) puts back what was replaced, and removes a file the save made.
// A group that may fail alone is left out, told once the rest is written.
// Nothing is left behind but the files.
TEST_F(SeqFileDisk, ASaveOfSeveralFilesThatFailsPartWayWritesNone)
{
    const std::string old = "\"old\"\r\n";
    auto writer = [](const fs::path &file, const std::string &text) {
        auto w = std::make_unique<SeqWriter>(file);
        w->text(text);
        return w;
    };
    const std::string large(200, 'x');
    {
        SCOPED_TRACE("the disk fills");
        const fs::path a = put(at("a"), old), c = put(at("c"), old), made = at("made");
        for (const bool batched : {false, true}) {
            SCOPED_TRACE(batched ? "batch" : "commitAll");
            std::string error;
            wdtest::withFileSizeLimit(150, [&] {
                try {
                    auto first = writer(a, "new"), second = writer(made, "new"), last = writer(c, large);
                    if (batched) {
                        legacy::SaveBatch batch;
                        bool written = false;
                        batch.add(std::move(first), [&] { written = true; });
                        batch.add(std::move(second));
                        batch.add(std::move(last));
                        EXPECT_THROW(
                            try { batch.commit(); } catch (const FileAccessError &e) {
                                error = e.what();
                                throw;
                            },
                            FileAccessError);
                        EXPECT_FALSE(written);
                    } else {
                        legacy::commitAll({first.get(), second.get(), last.get()});
                    }
                } catch (const FileAccessError &e) {
                    error = e.what();
                }
            });
            EXPECT_NE(error.find(c.string()), std::string::npos) << error;
            EXPECT_EQ(slurp(a), old);
            EXPECT_EQ(slurp(c), old);
            EXPECT_EQ(names(dir_), (std::vector<std::string>{"a", "c"}));
        }
    }
    if (::geteuid() != 0)
        GTEST_SKIP() << "the sticky folder's rule needs a file of another user, which only root can make";
    SCOPED_TRACE("a replacement is refused");
    const fs::path shared = at("shared");
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms(01777));
    const fs::path mine = put(shared / "mine", old), theirs = put(shared / "theirs", old), made = shared / "made";
    ASSERT_EQ(::chown(mine.c_str(), wdtest::kNobody, wdtest::kNobody), 0);
    fs::permissions(theirs, fs::perms(0666));  // anyone may write it: only the rename is refused
    struct Case {
        const char *name;
        bool theirsMayFail;
        std::string mineAfter;
        std::vector<std::string> namesAfter;
    };
    // The old files swapped with their temporaries, or, as on a file system
    // that cannot swap, kept by copies.
    for (const bool swaps : {true, false})
        for (const Case &k : {Case{"all or nothing", false, old, {"mine", "theirs"}},
                              Case{"a group left out alone", true, "\"new\"\r\n", {"made", "mine", "theirs"}}}) {
            SCOPED_TRACE(std::string(k.name) + (swaps ? ", swapped" : ", copied"));
            legacy::testing::allowSwaps(swaps);
            const int outcome = wdtest::inChildProcess(
                [&] {
                    legacy::SaveBatch batch;
                    std::string told;
                    batch.add(writer(made, "new"));
                    batch.add(writer(mine, "new"));
                    batch.add(writer(theirs, "new"), {},
                              k.theirsMayFail
                                  ? legacy::SaveBatch::Failed([&](const legacy::FileError &e) { told = e.what(); })
                                  : legacy::SaveBatch::Failed());
                    try {
                        batch.commit();
                    } catch (const FileAccessError &e) {
                        return !k.theirsMayFail && std::string(e.what()).find(theirs.string()) != std::string::npos ? 0
                                                                                                                    : 2;
                    }
                    return k.theirsMayFail && told.find(theirs.string()) != std::string::npos ? 0 : 1;
                },
                true);
            EXPECT_EQ(outcome, 0) << "1: the refusal was not told, 2: not as wanted";
            EXPECT_EQ(slurp(mine), k.mineAfter);
            EXPECT_EQ(slurp(theirs), old);
            EXPECT_EQ(names(shared), k.namesAfter);
            fs::remove(made);
            put(mine, old);
            legacy::testing::allowSwaps(true);
        }
}

TEST_F(SeqFileDisk, SpecialFilesAreNeverReplaced)
{
    fifo(at("Pipe.dat"));
    fs::create_symlink(at("Pipe.dat"), at("ToPipe.dat"));
    for (const char *name : {"Pipe.dat", "ToPipe.dat"}) {
        SCOPED_TRACE(name);
        expectError<FileAccessError>([&] { save(at(name), "x"); }, at(name), "not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(at("Pipe.dat")));
    EXPECT_TRUE(fs::is_symlink(at("ToPipe.dat")));
    EXPECT_EQ(names(dir_), (std::vector<std::string>{"Pipe.dat", "ToPipe.dat"}));
}

TEST_F(SeqFileDisk, WriteProtectedTargetIsRefusedAlsoForRoot)
{
    // The owner's write bit decides, whoever runs the program.
    for (unsigned mode : {0444u, 0400u, 0464u, 0066u}) {
        SCOPED_TRACE(mode);
        const fs::path file = put(at("Emp.dat"), "\"old\"\r\n");
        fs::permissions(file, fs::perms(mode));
        expectError<FileAccessError>([&] { save(file, "new"); }, file, "write-protected");
        EXPECT_EQ(slurp(file), "\"old\"\r\n");
        EXPECT_EQ(static_cast<unsigned>(fs::status(file).permissions()), mode);
        EXPECT_EQ(entries(), 1u);
        fs::permissions(file, fs::perms(0644));
        fs::remove(file);
    }
    // Writable by its owner: replaced, the mode kept.
    for (unsigned mode : {0600u, 0644u}) {
        SCOPED_TRACE(mode);
        const fs::path file = put(at("Emp.dat"), "\"old\"\r\n");
        fs::permissions(file, fs::perms(mode));
        save(file, "new");
        EXPECT_EQ(slurp(file), "\"new\"\r\n");
        EXPECT_EQ(static_cast<unsigned>(fs::status(file).permissions()), mode);
        EXPECT_EQ(entries(), 1u);
    }
}

TEST_F(SeqFileDisk, UnchangedContentIsNotWrittenAgain)
{
    const fs::path file = at("Emp.dat");
    save(file, "same");
    const auto longAgo = fs::last_write_time(file) - std::chrono::hours(24 * 365);
    fs::last_write_time(file, longAgo);
    const ino_t before = inode(file);

    save(file, "same");
    EXPECT_EQ(inode(file), before) << "not replaced";
    EXPECT_EQ(fs::last_write_time(file), longAgo) << "not even rewritten in place";
    EXPECT_EQ(entries(), 1u);

    // A write-protected file that already holds the content: nothing to do,
    // so nothing to refuse.
    fs::permissions(file, fs::perms(0444));
    EXPECT_NO_THROW(save(file, "same"));
    EXPECT_EQ(inode(file), before);
    fs::permissions(file, fs::perms(0644));

    // Same size, other bytes: replaced.
    save(file, "sane");
    EXPECT_EQ(slurp(file), "\"sane\"\r\n");
    EXPECT_NE(inode(file), before);
    // Longer and shorter: replaced.
    save(file, "sane, longer");
    EXPECT_EQ(slurp(file), "\"sane, longer\"\r\n");
    save(file, "s");
    EXPECT_EQ(slurp(file), "\"s\"\r\n");
    // Missing: created.
    save(at("New.dat"), "s");
    EXPECT_EQ(slurp(at("New.dat")), "\"s\"\r\n");
    EXPECT_EQ(entries(), 2u);
}

TEST_F(SeqFileDisk, SaveThroughALinkUpdatesTheLinkedFile)
{
    const fs::path profiles = at("profiles");
    const fs::path store = at("store");
    fs::create_directories(profiles);
    put(store / "Emp.dat", "\"old\"\r\n");
    fs::permissions(store / "Emp.dat", fs::perms(0640));
    put(store / "Abs.dat", "\"old\"\r\n");
    put(store / "Chain.dat", "\"old\"\r\n");
    fs::create_symlink("../store/Emp.dat", profiles / "Emp.dat");  // relative
    fs::create_symlink(store / "Abs.dat", profiles / "Abs.dat");   // absolute
    fs::create_symlink("Middle.dat", profiles / "Chain.dat");      // link to a link
    fs::create_symlink("../store/Chain.dat", profiles / "Middle.dat");
    fs::create_symlink("../store/New.dat", profiles / "New.dat");  // target not there yet

    for (const char *name : {"Emp.dat", "Abs.dat", "Chain.dat", "New.dat"}) {
        SCOPED_TRACE(name);
        const fs::path link = profiles / name;
        const fs::path linkText = fs::read_symlink(link);
        save(link, "new");
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), linkText);
        EXPECT_EQ(slurp(store / name), "\"new\"\r\n");
    }
    EXPECT_EQ(static_cast<unsigned>(fs::status(store / "Emp.dat").permissions()), 0640u);
    EXPECT_EQ(names(profiles), (std::vector<std::string>{"Abs.dat", "Chain.dat", "Emp.dat", "Middle.dat", "New.dat"}));
    EXPECT_EQ(names(store), (std::vector<std::string>{"Abs.dat", "Chain.dat", "Emp.dat", "New.dat"}));

    // A loop of links cannot be written, and stays as it was.
    fs::create_symlink("B.dat", profiles / "A.dat");
    fs::create_symlink("A.dat", profiles / "B.dat");
    expectError<FileAccessError>([&] { save(profiles / "A.dat", "x"); }, profiles / "A.dat", "symbolic links");
    EXPECT_TRUE(fs::is_symlink(profiles / "A.dat"));
}

TEST_F(SeqFileDisk, NamesUpToTheFileSystemLimitCanBeSaved)
{
    struct Case {
        const char *name;
        std::string file;
    };
    // 255 bytes each: the longest name a folder holds.
    const std::vector<Case> cases = {
        {"letters", std::string(251, 'n') + ".use"},
        {"two-byte letters", accents(127) + "x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.file.size(), 255u);
        EXPECT_TRUE(legacy::fileNameFits(c.file));
        save(at(c.file), "long");
        EXPECT_EQ(SeqReader(at(c.file)).text(), "long");
        save(at(c.file), "longer");  // replacing it works too
        EXPECT_EQ(SeqReader(at(c.file)).text(), "longer");
        EXPECT_EQ(entries(), 1u);
        fs::remove(at(c.file));
    }

    const std::string tooLong = std::string(252, 'n') + ".use";
    EXPECT_FALSE(legacy::fileNameFits(tooLong));
    expectError<FileAccessError>([&] { save(at(tooLong), "x"); }, at(tooLong), "longer than 255 bytes");
    EXPECT_EQ(entries(), 0u);
}

TEST(SeqFileNames, FileNameFitsCountsBytes)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", false},
        {"a", true},
        {"Bob.use", true},
        {std::string(255, 'a'), true},
        {std::string(256, 'a'), false},
        {accents(127), true},   // 254 bytes
        {accents(128), false},  // 128 characters, 256 bytes
    };
    for (const auto &[name, fits] : cases)
        EXPECT_EQ(legacy::fileNameFits(name), fits) << name.size() << " bytes";
}

// The disk fills (here: the file size limit is reached) while the temporary
// file is written: the save fails by name, the old file stays whole and no
// temporary file is left. This binds root as well.
TEST_F(SeqFileDisk, WriteFailingHalfWayKeepsTheOldFile)
{
    const fs::path file = put(at("Emp.dat"), "\"old\"\r\n");
    std::string error;
    wdtest::withFileSizeLimit(8, [&] {
        try {
            save(file, "a record longer than eight bytes");
        } catch (const FileAccessError &e) {
            error = e.what();
        }
    });

    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    EXPECT_EQ(slurp(file), "\"old\"\r\n");
    EXPECT_EQ(names(dir_), std::vector<std::string>{"Emp.dat"});
}

// ---------------------------------------------------------------- temporaries

void exitAtOnce(int) { ::_exit(7); }

// A save cut off in the middle of writing (like a kill -9): the old file is
// untouched and a temporary file of the writer's pattern is left, which
// removeStaleTemporaries takes away.
TEST_F(SeqFileDisk, ASaveCutOffLeavesTheOldFileAndAStaleTemporary)
{
    struct Case {
        const char *name;
        std::string file;
        std::string tempStart;  // the temporary name up to its random part
    };
    const std::vector<Case> cases = {
        {"short name", "Emp.dat", ".Emp.dat."},
        // The 255-byte name is cut to 233 bytes, then back to 232 so as not to
        // split a two-byte letter: 116 of them.
        {"longest name", accents(127) + "x", "." + accents(116) + "."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = put(at(c.file), "\"old\"\r\n");
        const int outcome = wdtest::inChildProcess([&] {
            saveCutOff(file, exitAtOnce);
            return 0;
        });
        ASSERT_EQ(outcome, 7) << "the child must die in the middle of the write";
        EXPECT_EQ(slurp(file), "\"old\"\r\n");

        std::vector<std::string> left = names(dir_);
        ASSERT_EQ(left.size(), 2u);
        const std::string temp = left[0] == c.file ? left[1] : left[0];
        EXPECT_LE(temp.size(), 255u);
        ASSERT_EQ(temp.rfind(c.tempStart, 0), 0u) << temp;
        EXPECT_TRUE(std::regex_match(temp.substr(c.tempStart.size()), std::regex("[0-9a-f]{16}\\.tmp"))) << temp;

        legacy::removeStaleTemporaries(dir_);
        EXPECT_EQ(names(dir_), std::vector<std::string>{c.file});
        EXPECT_EQ(slurp(file), "\"old\"\r\n");
        fs::remove(file);
    }
}

// Where the child of the next test tells that its save has stopped.
int g_readyFd = -1;

// The save's write went over the file size limit: tell the test, then stay
// there, the temporary open, until the test ends the process.
void tellAndStay(int)
{
    const char c = 'w';
    if (::write(g_readyFd, &c, 1) == 1)
        for (;;)
            ::pause();
    ::_exit(8);
}

// A program starting in a folder removes what saves cut off left there,
// but never the temporary of a save that another process is still writing:
// that save would fail when it renames its temporary over the file.
TEST_F(SeqFileDisk, TheCleanupLeavesTheTemporaryOfASaveStillWriting)
{
    const fs::path file = put(at("Emp.dat"), "\"old\"\r\n");
    wdtest::RunningChild saver([&](int readyFd) {
        g_readyFd = readyFd;
        saveCutOff(file, tellAndStay);
        return 0;
    });
    ASSERT_TRUE(saver.waitReady()) << "the save must stop in the middle of writing";
    const std::vector<std::string> during = names(dir_);
    ASSERT_EQ(during.size(), 2u);

    legacy::removeStaleTemporaries(dir_);
    EXPECT_EQ(names(dir_), during) << "the running save keeps its temporary";

    // Killed in the middle of the save, the process leaves a stale one.
    EXPECT_EQ(saver.kill(), 128 + SIGKILL);
    legacy::removeStaleTemporaries(dir_);
    EXPECT_EQ(names(dir_), std::vector<std::string>{"Emp.dat"});
    EXPECT_EQ(slurp(file), "\"old\"\r\n");
}

// One process saves over and over while another cleans the folder up as
// fast as it can, as program starts in that folder do. Every save
// succeeds: neither the moment between a temporary's creation and its lock
// nor the one between its lock and its rename lets the cleanup take it.
TEST_F(SeqFileDisk, SavesBesideARepeatedCleanupAllSucceed)
{
    const fs::path file = at("Emp.dat");
    constexpr int kSaves = 400;
    wdtest::RunningChild saver([&](int) {
        int failed = 0;
        for (int i = 0; i < kSaves; ++i) {
            try {
                save(file, std::to_string(i));
            } catch (const FileAccessError &) {
                ++failed;
            }
        }
        return std::min(failed, 100);
    });
    ASSERT_TRUE(saver.started());
    int cleanups = 0;
    while (saver.running()) {
        legacy::removeStaleTemporaries(dir_);
        ++cleanups;
    }
    EXPECT_EQ(saver.wait(), 0) << "saves that failed (" << cleanups << " cleanups ran)";
    EXPECT_EQ(SeqReader(file).text(), std::to_string(kSaves - 1));
    EXPECT_EQ(names(dir_), std::vector<std::string>{"Emp.dat"});
}

TEST_F(SeqFileDisk, OnlyTheWritersOwnTemporariesAreRemoved)
{
    const std::string hex = "0123456789abcdef";
    const std::vector<std::string> stale = {
        ".Bob.use." + hex + ".tmp", ".Federal.dat.ffffffffffffffff.tmp", ".x." + hex + ".tmp",
        "..hidden.use." + hex + ".tmp",  // a profile file whose own name starts with a dot
    };
    const std::vector<std::string> lookAlikes = {
        "Bob.use",
        ".Bob.use",
        "Bob.use." + hex + ".tmp",         // no leading dot
        ".Bob.use.0123456789ABCDEF.tmp",   // capitals
        ".Bob.use.0123456789abcde.tmp",    // 15 digits
        ".Bob.use.0123456789abcdef0.tmp",  // 17 digits
        ".Bob.use-" + hex + ".tmp",        // no dot before the digits
        ".Bob.use." + hex + ".tmp.bak",
        ".Bob.use." + hex + ".TMP",
        ".." + hex + ".tmp",              // no name part
        ".Bob.use.0123456789abcdeg.tmp",  // not hex
    };
    for (const auto &n : stale)
        put(at(n), "partial");
    for (const auto &n : lookAlikes)
        put(at(n), "keep");
    // Things named like a temporary file that are not regular files.
    const fs::path outside = put(at("elsewhere/.Target.dat." + hex + ".tmp"), "keep");
    const std::string link = ".Link.dat." + hex + ".tmp";
    fs::create_symlink(outside, at(link));
    const std::string folder = ".Folder.dat." + hex + ".tmp";
    put(at(folder) / "inside.dat", "keep");
    const std::string emptyFolder = ".Empty.dat." + hex + ".tmp";
    fs::create_directory(at(emptyFolder));
    const std::string pipe = ".Pipe.dat." + hex + ".tmp";
    fifo(at(pipe));

    legacy::removeStaleTemporaries(dir_);

    std::vector<std::string> expected = lookAlikes;
    expected.insert(expected.end(), {"elsewhere", link, folder, emptyFolder, pipe});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(dir_), expected);
    EXPECT_EQ(slurp(outside), "keep") << "a link is never followed";
    EXPECT_EQ(slurp(at(folder) / "inside.dat"), "keep");

    // A folder that is missing or cannot be listed: nothing happens, nothing is thrown.
    EXPECT_NO_THROW(legacy::removeStaleTemporaries(at("missing")));
    EXPECT_NO_THROW(legacy::removeStaleTemporaries(at("Bob.use")));
}

}  // namespace
