// The leave record's model: balances, the ".hol" file against hand-written
// bytes, GetVac, SaveVac and clearVac, and the damaged and unwritable files.
#include "records/leave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "legacy/seqfile.h"

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk::payrecords;

namespace {

std::string repeat(const std::string &line, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += line;
    return out;
}

// A record with a comma inside a date, a negative balance and fractions.
LeaveRecord filledRecord()
{
    LeaveRecord r;
    r.Vac.Balance = 7.9f;
    r.Vac.Start = 10;
    r.Vac.Taken[0] = 2.1f;
    r.Vac.Date[0] = "Jan 3, 2005";
    r.Hol.Balance = -1;
    r.Hol.Start = 2;
    r.Hol.Taken[0] = 1;
    r.Hol.Taken[1] = 2;
    r.Hol.Date[0] = "Presidents' Day";
    r.Hol.Date[1] = "3/25/05";
    r.Sick.Balance = 6.5f;
    r.Sick.Start = 8;
    r.Sick.Taken[19] = 1.5f;
    r.Sick.Date[19] = "12/30/2005";
    return r;
}

const std::string kFilledHol =
    "7.9,10,-1,2,6.5,8\r\n"
    "2.1,1,0\r\n"
    "0,2,0\r\n" +
    repeat("0,0,0\r\n", 17) +
    "0,0,1.5\r\n"
    "\"Jan 3, 2005\",\"Presidents' Day\",\"\"\r\n"
    "\"\",\"3/25/05\",\"\"\r\n" +
    repeat("\"\",\"\",\"\"\r\n", 17) + "\"\",\"\",\"12/30/2005\"\r\n";

const std::string kEmptyHol = "0,0,0,0,0,0\r\n" + repeat("0,0,0\r\n", 20) + repeat("\"\",\"\",\"\"\r\n", 20);

// The window's boxes as a user filled them for filledRecord(), with the
// balances the change events computed.
LeaveTexts filledTexts()
{
    LeaveTexts t;
    for (LeaveFrameTexts *frame : {&t.Vac, &t.Hol, &t.Sick})
        frame->txtCnt.fill("0");
    t.Vac.txtBal = "10";
    t.Vac.txtCnt[0] = "2.1";
    t.Vac.txtCnt[5] = "";     // empty: 0
    t.Vac.txtCnt[6] = "abc";  // not a number: 0
    t.Vac.txtDate[0] = "Jan 3, 2005";
    t.Vac.lbBal = "7.90000009536743";
    t.Hol.txtBal = "2";
    t.Hol.txtCnt[0] = "1";
    t.Hol.txtCnt[1] = "2";
    t.Hol.txtDate[0] = "Presidents\" Day";  // the file cannot hold the double quote
    t.Hol.txtDate[1] = "3/25/05";
    t.Hol.lbBal = "-1";
    t.Sick.txtBal = "8";
    t.Sick.txtCnt[19] = "1.5";
    t.Sick.txtDate[19] = "12/30/2005";
    t.Sick.lbBal = "6.5";
    return t;
}

class LeaveFileTest : public wdtest::TempFolderTest {};

}  // namespace

TEST(LeaveBalance, StartLessTheDaysTakenSummedAsSingles)
{
    struct Case {
        std::string start;
        std::vector<std::string> taken;
        std::string balance;
    };
    const std::string threeE38 = "3" + std::string(38, '0');
    const std::vector<Case> cases = {
        {"10", {"2", "1.5"}, "6.5"},
        {"10", {"2.1"}, "7.90000009536743"},  // 10 less the single 2.0999999046...
        {"10", {"1.2.3"}, "8.79999995231628"},
        {"5", {"-1"}, "6"},  // a negative entry adds a day back
        {"1", {"2"}, "-1"},
        {"", {"1"}, "-1"},     // an empty start counts as 0
        {"20", {"1 2"}, "8"},  // blanks inside are skipped
        {"10", {"1-2"}, "9"},
        {"abc", {"x", ""}, "0"},
        {"0.1", {}, "0.1"},  // the start is read as a double
        {"25", std::vector<std::string>(20, "1"), "5"},
        {"1" + std::string(40, '0'), {"1"}, "-1"},  // beyond a single: counts as 0
        {"0", {threeE38, threeE38}, ""},            // the sum leaves the single range
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start + " less " + std::to_string(c.taken.size()) + " entries");
        LeaveFrameTexts frame;
        frame.txtBal = c.start;
        for (std::size_t i = 0; i < c.taken.size(); ++i)
            frame.txtCnt[i] = c.taken[i];
        EXPECT_EQ(balanceText(frame), c.balance);
        updateBalance(frame);
        EXPECT_EQ(frame.lbBal, c.balance);
    }
}

TEST(LeaveBalance, BoxValues)
{
    EXPECT_EQ(leaveValue("1 2"), 12);
    EXPECT_EQ(leaveValue("1.2.3"), 1.2);
    EXPECT_EQ(leaveValue("-3"), -3);
    EXPECT_EQ(leaveValue(""), 0);
    EXPECT_EQ(leaveValue("1" + std::string(400, '0')), 0);  // beyond a double
}

TEST(LeaveFileName, ProfileNameAndExtension)
{
    EXPECT_EQ(leaveFileName("staff1"), "staff1.hol");
    EXPECT_EQ(leaveFileName(""), ".hol");
}

TEST_F(LeaveFileTest, WritesAndReadsTheFortyOneLines)
{
    const fs::path file = at("staff1.hol");
    writeLeaveFile(file, filledRecord());
    EXPECT_EQ(wdtest::slurp(file), kFilledHol);

    LeaveRecord read;
    readLeaveFile(file, read);
    EXPECT_EQ(read, filledRecord());

    writeLeaveFile(at(".hol"), LeaveRecord{});
    EXPECT_EQ(wdtest::slurp(at(".hol")), kEmptyHol);
}

TEST_F(LeaveFileTest, ReaderTakesTheItemsInOrderWhateverTheLines)
{
    // Numbers without a leading zero and in exponent form, LF line ends, and
    // the items spread over other lines: only the order counts.
    const fs::path file = wdtest::put(at("forms.hol"), ".5,1E+07,-.25,0\n0,0\n" + repeat("0,0,0\n", 20) +
                                                           "\"a, b\",\"\",\"c\"\n" + repeat("\"\",\"\",\"\"\n", 19));
    LeaveRecord r;
    readLeaveFile(file, r);
    EXPECT_EQ(r.Vac.Balance, 0.5f);
    EXPECT_EQ(r.Vac.Start, 1e7f);
    EXPECT_EQ(r.Hol.Balance, -0.25f);
    EXPECT_EQ(r.Vac.Date[0], "a, b");
    EXPECT_EQ(r.Sick.Date[0], "c");
}

TEST_F(LeaveFileTest, DamagedFileIsReportedByNameAndChangesNothing)
{
    const std::vector<std::pair<const char *, std::string>> damaged = {
        {"short", kFilledHol.substr(0, kFilledHol.rfind("\"\",\"\",\"12/30/2005\""))},
        {"text for a number", "7.9,10,abc,2,6.5,8\r\n" + kFilledHol.substr(kFilledHol.find("\r\n") + 2)},
        {"beyond a single", "1E+39,10,-1,2,6.5,8\r\n" + kFilledHol.substr(kFilledHol.find("\r\n") + 2)},
        {"empty", ""},
    };
    for (const auto &[what, bytes] : damaged) {
        SCOPED_TRACE(what);
        const fs::path file = wdtest::put(at("damaged.hol"), bytes);
        LeaveRecord record = filledRecord();
        try {
            readLeaveFile(file, record);
            ADD_FAILURE() << "no error";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file);
            EXPECT_NE(std::string(e.what()).find("damaged.hol"), std::string::npos);
        }
        EXPECT_EQ(record, filledRecord());
    }
}

TEST_F(LeaveFileTest, LoadShowsTheFileWithRecomputedBalances)
{
    const fs::path file = wdtest::put(at("staff1.hol"), kFilledHol);
    LeaveRecord fields;
    LeaveTexts texts;
    Form_Load(fields, texts, file);
    EXPECT_EQ(fields, filledRecord());
    EXPECT_EQ(texts.Vac.txtBal, "10");
    EXPECT_EQ(texts.Vac.txtCnt[0], "2.1");
    EXPECT_EQ(texts.Vac.txtCnt[1], "0");
    EXPECT_EQ(texts.Vac.txtDate[0], "Jan 3, 2005");
    EXPECT_EQ(texts.Hol.txtDate[0], "Presidents' Day");
    EXPECT_EQ(texts.Sick.txtCnt[19], "1.5");
    EXPECT_EQ(texts.Vac.lbBal, "7.90000009536743");
    EXPECT_EQ(texts.Hol.lbBal, "-1");
    EXPECT_EQ(texts.Sick.lbBal, "6.5");
}

TEST_F(LeaveFileTest, GetVacShowsTheStoredBalanceUnlessABoxChanges)
{
    LeaveRecord fields;
    LeaveTexts texts;
    Form_Load(fields, texts, wdtest::put(at("staff1.hol"), kFilledHol));

    // Same boxes, other stored balances: the labels show what the file says.
    LeaveRecord stale = filledRecord();
    stale.Vac.Balance = 3;
    stale.Sick.Balance = 1;
    stale.Sick.Start = 9;  // this frame's start box changes: recomputed
    writeLeaveFile(at("other.hol"), stale);
    EXPECT_TRUE(GetVac(fields, texts, at("other.hol")));
    EXPECT_EQ(fields, stale);
    EXPECT_EQ(texts.Vac.lbBal, "3");
    EXPECT_EQ(texts.Hol.lbBal, "-1");
    EXPECT_EQ(texts.Sick.txtBal, "9");
    EXPECT_EQ(texts.Sick.lbBal, "7.5");
}

TEST_F(LeaveFileTest, GetVacWithoutAFileKeepsAndShowsTheFields)
{
    LeaveRecord fields = filledRecord();
    LeaveTexts texts;
    EXPECT_FALSE(GetVac(fields, texts, at("missing.hol")));
    EXPECT_EQ(fields, filledRecord());
    EXPECT_EQ(texts.Hol.txtCnt[1], "2");
    EXPECT_EQ(texts.Vac.lbBal, "7.90000009536743");  // the start box changed: recomputed
}

TEST_F(LeaveFileTest, GetVacOfADamagedFileStartsEmptyAndReportsIt)
{
    const std::string bytes = "1,2,3\r\n";
    const fs::path file = wdtest::put(at("staff1.hol"), bytes);
    LeaveRecord fields = filledRecord();
    LeaveTexts texts = filledTexts();
    EXPECT_THROW(GetVac(fields, texts, file), legacy::FileFormatError);
    EXPECT_EQ(fields, LeaveRecord{});
    EXPECT_EQ(texts.Vac.txtBal, "0");
    EXPECT_EQ(texts.Vac.txtCnt[0], "0");
    EXPECT_EQ(texts.Vac.txtDate[0], "");
    EXPECT_EQ(texts.Vac.lbBal, "0");
    EXPECT_EQ(texts.Hol.lbBal, "0");
    EXPECT_EQ(wdtest::slurp(file), bytes);  // the file is left for the user to see

    // The window's load finishes, showing the empty record, and reports it.
    LeaveTexts fresh;
    fields = filledRecord();
    EXPECT_THROW(Form_Load(fields, fresh, file), legacy::FileFormatError);
    EXPECT_EQ(fields, LeaveRecord{});
    EXPECT_EQ(fresh.Sick.txtBal, "0");
    EXPECT_EQ(fresh.Sick.lbBal, "0");
}

TEST_F(LeaveFileTest, SaveVacTakesTheBoxesAndWritesTheFile)
{
    const fs::path file = at("staff1.hol");
    LeaveRecord fields;
    SaveVac(fields, filledTexts(), file);
    EXPECT_EQ(wdtest::slurp(file), kFilledHol);
    EXPECT_EQ(fields, filledRecord());
    EXPECT_EQ(fields.Vac.Balance, 7.9f);  // the label's 7.90000009536743 as a single
    EXPECT_EQ(fields.Hol.Date[0], "Presidents' Day");
}

TEST_F(LeaveFileTest, SaveVacThatCannotWriteSaysSoByName)
{
    const fs::path file = at("staff1.hol");
    fs::create_directory(file);  // a folder where the file should be
    LeaveRecord fields;
    try {
        SaveVac(fields, filledTexts(), file);
        ADD_FAILURE() << "no error";
    } catch (const legacy::FileAccessError &e) {
        EXPECT_EQ(e.file(), file);
        EXPECT_NE(std::string(e.what()).find("staff1.hol"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(LeaveFileTest, ClearVacEmptiesBoxesAndFieldsAndWritesNothing)
{
    const fs::path file = wdtest::put(at("staff1.hol"), kFilledHol);
    LeaveRecord fields = filledRecord();
    LeaveTexts texts = filledTexts();
    clearVac(fields, texts);
    EXPECT_EQ(fields, LeaveRecord{});
    for (const LeaveFrameTexts *frame : {&texts.Vac, &texts.Hol, &texts.Sick}) {
        EXPECT_EQ(frame->txtBal, "0");
        EXPECT_EQ(frame->lbBal, "0");
        for (int i = 0; i < kLeaveRows; ++i) {
            EXPECT_EQ(frame->txtCnt[i], "0");
            EXPECT_EQ(frame->txtDate[i], "");
        }
    }
    EXPECT_EQ(wdtest::slurp(file), kFilledHol);

    // A label that still showed a loaded balance over boxes of "0" shows 0.
    LeaveTexts zeros;
    clearVac(fields, zeros);
    zeros.Vac.lbBal = "3";
    clearVac(fields, zeros);
    EXPECT_EQ(zeros.Vac.lbBal, "0");

    // Saving afterwards writes the empty record; an emptied start box is 0.
    texts.Hol.txtBal = "";
    SaveVac(fields, texts, file);
    EXPECT_EQ(wdtest::slurp(file), kEmptyHol);
}
