// The print heading's file "Header.sav" on real files in a temporary folder,
// against hand-written bytes; the heading dialog's default names.
#include "printing/heading_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/state.h"
#include "legacy/seqfile.h"

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;
using namespace wagedesk::printing;
using wdtest::put;
using wdtest::slurp;

namespace {

class HeadingFileTest : public wdtest::TempFolderTest {
protected:
    fs::path file() const { return at(kPrintHeadingFile); }
};

}  // namespace

TEST_F(HeadingFileTest, OneLineOfFourQuotedTexts)
{
    const PrintHeading heading{"Acme, Inc.", "12 Main St", " 1 ", ""};
    writeHeaderFile(file(), heading);
    EXPECT_EQ(slurp(file()), "\"Acme, Inc.\",\"12 Main St\",\" 1 \",\"\"\r\n");
    // Commas and blanks inside a line survive.
    EXPECT_EQ(readHeaderFile(file()), heading);
}

TEST_F(HeadingFileTest, WritingReplacesTheWholeFile)
{
    put(file(), "\"A much longer company name\",\"and a long address\",\"zip\",\"id\"\r\nmore\r\n");
    writeHeaderFile(file(), {"Co", "", "", "7"});
    EXPECT_EQ(slurp(file()), "\"Co\",\"\",\"\",\"7\"\r\n");
}

TEST_F(HeadingFileTest, DoubleQuoteIsStoredAsSingleQuote)
{
    writeHeaderFile(file(), {"\"Best\" Tools", "Main St", "Zip", "ID"});
    EXPECT_EQ(slurp(file()), "\"'Best' Tools\",\"Main St\",\"Zip\",\"ID\"\r\n");
    EXPECT_EQ(readHeaderFile(file()).HeadingLine1, "'Best' Tools");
}

TEST_F(HeadingFileTest, ReadsFourItemsWhateverSeparatesThem)
{
    put(file(), "\"Acme\"\r\n\"12 Main St\"\n\"Albany NY\",\"ID 7\"\r\n");
    EXPECT_EQ(readHeaderFile(file()), (PrintHeading{"Acme", "12 Main St", "Albany NY", "ID 7"}));
}

TEST_F(HeadingFileTest, FewerThanFourItemsIsDamage)
{
    for (const char *bytes : {"", "\r\n", "\"Acme\",\"12 Main St\",\"Albany NY\"\r\n"}) {
        put(file(), bytes);
        EXPECT_TRUE(HeaderFileExists(file()));
        EXPECT_THROW(readHeaderFile(file()), legacy::FileFormatError) << bytes;
    }
}

TEST_F(HeadingFileTest, OnlyAReadableFileExists)
{
    EXPECT_FALSE(HeaderFileExists(file()));
    EXPECT_THROW(readHeaderFile(file()), legacy::FileAccessError);

    fs::create_directory(file());
    EXPECT_FALSE(HeaderFileExists(file()));
    fs::remove(file());

    writeHeaderFile(file(), {});
    EXPECT_TRUE(HeaderFileExists(file()));
    EXPECT_EQ(slurp(file()), "\"\",\"\",\"\",\"\"\r\n");
}

TEST(HeadingDefaults, OnlyEmptyLinesTakeTheirNames)
{
    PrintHeading empty;
    fillDefaultHeading(empty);
    EXPECT_EQ(empty, (PrintHeading{"Company", "Address", "Zip Code", "ID Number"}));

    PrintHeading some{"Acme", "", " ", ""};
    fillDefaultHeading(some);
    EXPECT_EQ(some, (PrintHeading{"Acme", "Address", " ", "ID Number"}));
}
