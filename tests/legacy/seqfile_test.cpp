#include "legacy/seqfile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "child_process.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using legacy::Empty;
using legacy::FileAccessError;
using legacy::FileFormatError;
using legacy::SeqReader;
using legacy::SeqWriter;
using legacy::Variant;

namespace {

class SeqFileDir : public wdtest::TempFolderTest {
protected:
    static std::string slurp(const fs::path &p) { return wdtest::slurp(p); }
    static void put(const fs::path &p, const std::string &bytes) { wdtest::put(p, bytes); }
};

// Every item kind, as the writer must put it and the reader must take it.
const std::string kFixture =
    "\"Doe, Jane\",0.0525,1234.56789012345,-7,100000,#TRUE#,#FALSE#,\r\n"
    ",,,\r\n"
    "\"x\",2.5,#FALSE#,\r\n"
    "\"say 'hi'\"\r\n";

TEST_F(SeqFileDir, RoundTripWritesExactBytesAndReadsThemBack)
{
    fs::path file = dir_ / "Fixture.dat";
    {
        SeqWriter w(file);
        w.text("Doe, Jane")
            .number(0.0525f)
            .number(1234.56789012345)
            .number(std::int16_t{-7})
            .number(std::int32_t{100000})
            .boolean(true)
            .boolean(false)
            .empty()
            .endRecord();
        w.empty().empty().empty().empty().endRecord();
        w.variant(std::string("x")).variant(2.5).variant(false).variant(Empty{}).endRecord();
        w.text("say \"hi\"");  // the record is ended by commit()
        w.commit();
    }
    EXPECT_EQ(slurp(file), kFixture);
    EXPECT_EQ(entries(), 1u) << "the temporary file must be gone";

    SeqReader r(file);
    EXPECT_EQ(r.text(), "Doe, Jane");
    EXPECT_EQ(r.numberF(), 0.0525f);
    EXPECT_EQ(r.number(), 1234.56789012345);
    EXPECT_EQ(r.int16(), -7);
    EXPECT_EQ(r.number(), 100000.0);
    EXPECT_TRUE(r.boolean());
    EXPECT_FALSE(r.boolean());
    EXPECT_EQ(r.variant(), Variant(Empty{}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r.variant(), Variant(Empty{})) << i;
    EXPECT_EQ(r.variant(), Variant(std::string("x")));
    EXPECT_EQ(r.variant(), Variant(2.5));
    EXPECT_EQ(r.variant(), Variant(false));
    EXPECT_EQ(r.variant(), Variant(Empty{}));
    EXPECT_EQ(r.text(), "say 'hi'");
    EXPECT_TRUE(r.atEnd());
}

struct ReadCase {
    const char *name;
    std::string input;
    std::vector<Variant> items;  // read with variant() until atEnd()
};

Variant s(const char *t) { return std::string(t); }
const Variant E = Empty{};

TEST(SeqReaderCut, ItemsAsTheReaderTakesThem)
{
    const std::vector<ReadCase> cases = {
        {"LF alone", "1\n2\n", {1.0, 2.0}},
        {"CR alone", "1\r2", {1.0, 2.0}},
        {"line end separates", "a,b\r\nc", {s("a"), s("b"), s("c")}},
        {"leading dot", ".0525,-.5,+.5", {0.0525, -0.5, 0.5}},
        {"exponent", "1E+20,1e-05,-2.5E3", {1e20, 1e-05, -2500.0}},
        {"quoted commas", "\"a, b\",c", {s("a, b"), s("c")}},
        {"quoted line end", "\"a\r\nb\"\r\n", {s("a\r\nb")}},
        {"after closing quote skip to comma", "\"a\" junk,2", {s("a"), 2.0}},
        {"unclosed quote runs to end", "\"abc", {s("abc")}},
        {"empty middle", "1,,3", {1.0, E, 3.0}},
        {"four empties then more", ",,,\r\n5\r\n", {E, E, E, E, 5.0}},
        {"four empties at end", ",,,", {E, E, E, E}},
        {"trailing comma promises an item", "a,", {s("a"), E}},
        {"empty line is one item", "1\r\n\r\n2\r\n", {1.0, E, 2.0}},
        {"blanks around items", "  1 ,\t\"x\" , y z \r\n", {1.0, s("x"), s("y z")}},
        {"blanks after last line end", "1\r\n \t", {1.0}},
        {"booleans", "#TRUE#,#FALSE#", {true, false}},
        {"not numbers stay text", "1.2.3,inf,.,-,1e", {s("1.2.3"), s("inf"), s("."), s("-"), s("1e")}},
        {"quoted number is text", "\"5\"", {s("5")}},
        {"nothing", "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SeqReader r(c.input, "case");
        std::vector<Variant> got;
        while (!r.atEnd() && got.size() <= c.items.size())
            got.push_back(r.variant());
        EXPECT_EQ(got, c.items);
    }
}

TEST(SeqReaderKinds, TypedReadsConvert)
{
    SeqReader r(",#TRUE#,0,-1,,12.5,13.5,-.5,3.4028235e38", "kinds");
    EXPECT_EQ(r.number(), 0.0);     // empty reads 0
    EXPECT_EQ(r.text(), "#TRUE#");  // unquoted text as it stands
    EXPECT_FALSE(r.boolean());
    EXPECT_TRUE(r.boolean());
    EXPECT_FALSE(r.boolean());  // empty
    EXPECT_EQ(r.int16(), 12);   // half to even
    EXPECT_EQ(r.int16(), 14);
    EXPECT_EQ(r.numberF(), -0.5f);
    EXPECT_EQ(r.numberF(), 3.4028235e38f);
    EXPECT_TRUE(r.atEnd());
}

TEST(SeqReaderErrors, ShortFileAndWrongKindNameTheFile)
{
    struct Case {
        const char *name;
        std::string input;
        std::function<void(SeqReader &)> read;
        const char *says;
    };
    const std::vector<Case> cases = {
        {"short", "1,2\r\n",
         [](SeqReader &r) {
             r.number();
             r.number();
             r.number();
         },
         "ends too early"},
        {"short after four empties", ",,,\r\n",
         [](SeqReader &r) {
             for (int i = 0; i < 5; ++i)
                 r.skip();
         },
         "ends too early"},
        {"quoted as number", "\"5\"", [](SeqReader &r) { r.number(); }, "not a number"},
        {"true as number", "#TRUE#", [](SeqReader &r) { r.number(); }, "not a number"},
        {"text as number", "abc", [](SeqReader &r) { r.number(); }, "not a number"},
        {"quoted as boolean", "\"#TRUE#\"", [](SeqReader &r) { r.boolean(); }, "true or false"},
        {"int16 range", "40000", [](SeqReader &r) { r.int16(); }, "16-bit"},
        {"float range", "1e39", [](SeqReader &r) { r.numberF(); }, "float"},
        {"double range", "1e999", [](SeqReader &r) { r.number(); }, "not a number"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SeqReader r(c.input, "Profile7.dat");
        try {
            c.read(r);
            ADD_FAILURE() << "no error";
        } catch (const FileFormatError &e) {
            std::string what = e.what();
            EXPECT_EQ(what.rfind("Profile7.dat: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.says), std::string::npos) << what;
            EXPECT_EQ(e.file(), fs::path("Profile7.dat"));
        }
    }
    // The message points at the line of the bad item.
    SeqReader r("1\r\n2\nx", "f");
    r.skip();
    r.skip();
    try {
        r.number();
        ADD_FAILURE() << "no error";
    } catch (const FileFormatError &e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

TEST_F(SeqFileDir, OpeningForReading)
{
    fs::path file = dir_ / "a.dat";
    put(file, "1\r\n");
    EXPECT_TRUE(legacy::canOpenForReading(file));
    EXPECT_FALSE(legacy::canOpenForReading(dir_ / "missing.dat"));
    EXPECT_FALSE(legacy::canOpenForReading(dir_));
    EXPECT_EQ(SeqReader(file).number(), 1.0);
    try {
        SeqReader missing(dir_ / "missing.dat");
        ADD_FAILURE() << "no error";
    } catch (const FileAccessError &e) {
        EXPECT_NE(std::string(e.what()).find("missing.dat"), std::string::npos) << e.what();
    }
    EXPECT_THROW(SeqReader{dir_}, FileAccessError);
}

TEST_F(SeqFileDir, UncommittedWriterLeavesOldFileWhole)
{
    fs::path file = dir_ / "Emp.dat";
    put(file, "\"old\"\r\n");
    {
        SeqWriter w(file);
        w.text("new").endRecord();
        EXPECT_EQ(entries(), 1u);  // nothing touches the disk before commit()
    }
    EXPECT_EQ(slurp(file), "\"old\"\r\n");
    EXPECT_EQ(entries(), 1u);

    // An interrupted writer that never reached commit() leaves no target either.
    {
        SeqWriter w(dir_ / "New.dat");
        w.text("x");
    }
    EXPECT_FALSE(fs::exists(dir_ / "New.dat"));
}

TEST_F(SeqFileDir, CommitReplacesAndKeepsPermissions)
{
    fs::path file = dir_ / "Emp.dat";
    put(file, "\"old\"\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    SeqWriter w(file);
    w.number(std::int32_t{1}).commit();
    EXPECT_EQ(slurp(file), "1\r\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SeqFileDir, UnwritableTargetsThrowNamingTheFile)
{
    fs::path plain = dir_ / "plain";
    put(plain, "data");
    std::vector<fs::path> targets = {
        dir_ / "no-such-folder" / "Emp.dat",
        plain / "Emp.dat",  // the parent is a regular file
        dir_,               // the target is a folder
    };
    for (const auto &t : targets) {
        SCOPED_TRACE(t.string());
        try {
            SeqWriter w(t);
            w.text("x").commit();
            ADD_FAILURE() << "no error";
        } catch (const FileAccessError &e) {
            EXPECT_NE(std::string(e.what()).find(t.string()), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(slurp(plain), "data");
    EXPECT_TRUE(fs::is_directory(dir_));
}

TEST_F(SeqFileDir, ReadOnlyFolderThrowsAndLeavesOldFile)
{
    fs::path file = dir_ / "Emp.dat";
    put(file, "\"old\"\r\n");
    // The file itself may be written by anyone: only the folder stops the save.
    fs::permissions(file, fs::perms(0666));
    fs::permissions(dir_, fs::perms(0555));
    // Permission bits do not bind root, so the save runs as "nobody" then.
    const int outcome = wdtest::inChildProcess(
        [&] {
            try {
                SeqWriter w(file);
                w.text("new").commit();
            } catch (const FileAccessError &e) {
                return std::string(e.what()).find(file.string()) != std::string::npos ? 0 : 3;
            }
            return 1;
        },
        true);
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(outcome, 0) << "1: no error, 3: the message does not name the file";
    EXPECT_EQ(slurp(file), "\"old\"\r\n");
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
