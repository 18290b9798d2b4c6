// The profile settings files and the saved pay periods, on real files in a
// temporary folder, against hand-written bytes.
#include "core/profile_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <variant>

#include "legacy/seqfile.h"

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;

namespace {

class ProfileFilesTest : public wdtest::TempFolderTest {
protected:
    static void put(const fs::path &file, const std::string &bytes) { wdtest::put(file, bytes); }
    static std::string bytes(const fs::path &file) { return wdtest::slurp(file); }
};

// Reserved items of every kind: text, empty text, numbers, empty, Boolean.
const std::string kUseFile =
    "120.5,2400,2279.5\r\n"
    "48000,5,12.35\r\n"
    "7.5,0,3.25\r\n"
    "\"2\",\"Married\",0.05\r\n"
    "12.5,0,1.1\r\n"
    "20,3.5,1\r\n"
    "#FALSE#,#TRUE#,\"Credit\"\r\n"
    "\"Bond\",\"Dues\",\"Misc\",\"Tax9\"\r\n"
    "\"abc\",1.5,,#TRUE#\r\n"
    ",,,\r\n"
    "\"\",-2,\"x y\",\r\n"
    ",,,0.1\r\n";

const std::string kAndFile =
    "12,-6,1\r\n"
    "0.5,1.25,0\r\n"
    "0,0,3\r\n"
    "#FALSE#,#TRUE#,#FALSE#\r\n"
    "\"12 Main St\",\"Albany, NY 12207\",\"123-45-6789\"\r\n"
    "\"Pat Doe\",\"r9\",\"\"\r\n"
    "1,0,1,0\r\n"
    "0,5,-1\r\n"
    "1,1\r\n";

}  // namespace

TEST_F(ProfileFilesTest, UserSettingsFileReadsAndWritesBackByteForByte)
{
    const fs::path file = at("staff1.use");
    put(file, kUseFile);
    ProfileSettings p;
    OvertimeStore o;
    readUserSettingsFile(file, p, o);

    EXPECT_FLOAT_EQ(o.OTEarned, 120.5f);
    EXPECT_FLOAT_EQ(o.OTAvailable, 2279.5f);
    EXPECT_FLOAT_EQ(o.OTPresentRate, 12.35f);
    EXPECT_FLOAT_EQ(p.PayRate1, 7.5f);
    EXPECT_EQ(p.FedExemptions, "2");
    EXPECT_EQ(p.FedStatus, "Married");
    EXPECT_FLOAT_EQ(p.PensionPercent, 0.05f);
    EXPECT_EQ(p.NonCityResident, 1);
    EXPECT_EQ(p.WeeklyPay, kFalse);
    EXPECT_EQ(p.BiWeeklyPay, kTrue);
    EXPECT_EQ(p.TaxCaption[5], "Credit");
    EXPECT_EQ(p.TaxCaption[9], "Tax9");
    EXPECT_EQ(p.UseReserved[1], legacy::Variant(std::string("abc")));
    EXPECT_EQ(p.UseReserved[2], legacy::Variant(1.5));
    EXPECT_EQ(p.UseReserved[3], legacy::Variant(legacy::Empty{}));
    EXPECT_EQ(p.UseReserved[4], legacy::Variant(true));
    EXPECT_EQ(p.UseReserved[9], legacy::Variant(std::string()));
    EXPECT_EQ(p.UseReserved[12], legacy::Variant(legacy::Empty{}));

    const fs::path again = at("again.use");
    writeUserSettingsFile(again, p, o, o.OTAnnualSalary, o.OTApprovedPercent, o.OTLimit, o.OTAvailable);
    EXPECT_EQ(bytes(again), kUseFile);
}

TEST_F(ProfileFilesTest, UserSettingsFileOfANewDefaultProfile)
{
    ProfileSettings p;
    p.PayRate1 = 7.5f;
    p.FedExemptions = "0";
    p.FedStatus = "Single";
    p.WeeklyPay = kTrue;  // the caller has made a profile with neither flag weekly
    p.TaxCaption[5] = "Credit";
    OvertimeStore o;
    o.OTEarned = 0.1f;
    o.OTPresentRate = 12.345f;  // "##.##" rounds the half up

    const fs::path file = at(profileFileName("", kUserSettingsExt));
    EXPECT_EQ(file.filename(), ".use");
    writeUserSettingsFile(file, p, o, 48000.0, 0.1, 1234.56, -3.25);
    EXPECT_EQ(bytes(file),
              "0.1,1234.56,-3.25\r\n"
              "48000,0.1,12.35\r\n"
              "7.5,0,0\r\n"
              "\"0\",\"Single\",0\r\n"
              "0,0,0\r\n"
              "0,0,0\r\n"
              "#TRUE#,#FALSE#,\"Credit\"\r\n"
              "\"\",\"\",\"\",\"\"\r\n"
              ",,,\r\n"
              ",,,\r\n"
              ",,,\r\n"
              ",,,\r\n");
}

TEST_F(ProfileFilesTest, DetailsAndCafeteriaFilesReadAndWriteBackByteForByte)
{
    const fs::path and_ = at("staff1.and");
    put(and_, kAndFile);
    ProfileSettings p;
    readUserDetailsFile(and_, p);
    EXPECT_FLOAT_EQ(p.CheckVertOffset, -6.f);
    EXPECT_EQ(p.SpouseWorks, 1);
    EXPECT_FLOAT_EQ(p.CalAllow, 0.5f);
    EXPECT_EQ(p.EmployeeCityStateZip, "Albany, NY 12207");
    EXPECT_EQ(p.EmployeeName, "Pat Doe");
    EXPECT_EQ(p.SpecialWiscon, 1);
    EXPECT_EQ(p.SpecialNC, 0);
    EXPECT_EQ(p.KPlanIsPercent, 1);
    EXPECT_EQ(p.KPlanIsFixed, 1);
    writeUserDetailsFile(at("again.and"), p);
    EXPECT_EQ(bytes(at("again.and")), kAndFile);

    const std::string cfeBytes = "25.5,1,0\r\n";
    put(at("staff1.cfe"), cfeBytes);
    readCafeteriaFile(at("staff1.cfe"), p);
    EXPECT_FLOAT_EQ(p.CafeteriaPlan, 25.5f);
    EXPECT_EQ(p.CafeDeductState, 1);
    EXPECT_EQ(p.SelfEmployed, 0);
    writeCafeteriaFile(at("again.cfe"), p);
    EXPECT_EQ(bytes(at("again.cfe")), cfeBytes);
}

TEST_F(ProfileFilesTest, OvertimeRowsWrittenAsDateAndNumberReadBackAsText)
{
    std::array<std::string, 52> dates{};
    std::array<double, 52> amounts{};
    dates[0] = "01/07/05";
    amounts[0] = 12.5;
    dates[1] = "01/14/05";
    amounts[1] = 0.1;
    const fs::path file = at(std::string("staff1") + overtimeExtension(kFalse));
    writeOvertimeFile(file, dates, amounts, overtimeRows(kFalse));

    std::string expected = "\"01/07/05\"\r\n12.5\r\n\"01/14/05\"\r\n0.1\r\n";
    for (int i = 2; i < 26; ++i)
        expected += "\"\"\r\n0\r\n";
    EXPECT_EQ(file.filename(), "staff1.ovb");
    EXPECT_EQ(bytes(file), expected);

    OvertimeStore o;
    o.OTDate[30] = "kept";
    readOvertimeFile(file, o, 26);
    EXPECT_EQ(o.OTDate[0], "01/07/05");
    EXPECT_EQ(o.OTAmount[0], "12.5");
    EXPECT_EQ(o.OTAmount[1], "0.1");
    EXPECT_EQ(o.OTAmount[25], "0");
    EXPECT_EQ(o.OTDate[30], "kept");

    // 26 rows are too few for a weekly reader.
    EXPECT_THROW(readOvertimeFile(file, o, 52), legacy::FileFormatError);
    EXPECT_EQ(o.OTDate[30], "kept");
}

TEST_F(ProfileFilesTest, DamagedFilesLeaveTheStoreUnchanged)
{
    const std::string useWrongKind = [] {
        std::string s = kUseFile;
        s.replace(s.find("7.5,0,3.25"), 10, "\"abc\",0,3.25");
        return s;
    }();
    const std::string andWrongKind = [] {
        std::string s = kAndFile;
        s.replace(s.find("1,0,1,0"), 7, "1,\"x\",1,0");
        return s;
    }();
    struct Case {
        const char *what;
        const char *name;
        std::string contents;
    };
    const Case cases[] = {
        {"short .use (11 lines)", "s.use", kUseFile.substr(0, kUseFile.rfind(",,,0.1"))},
        {"text for a rate", "w.use", useWrongKind},
        {"Boolean line of texts", "b.use",
         [] {
             std::string s = kUseFile;
             s.replace(s.find("#FALSE#,#TRUE#"), 14, "\"no\",\"yes\"");
             return s;
         }()},
        {"short .and", "s.and", kAndFile.substr(0, kAndFile.size() - 5)},
        {"text for a switch", "w.and", andWrongKind},
        {"short .cfe", "s.cfe", "25.5,1\r\n"},
        {"empty .use", "e.use", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = at(c.name);
        put(file, c.contents);
        ProfileSettings p;
        p.PayRate1 = 9.f;
        p.CheckHorzOffset = 4.f;
        p.CafeteriaPlan = 3.f;
        p.UseReserved[1] = std::string("old");
        OvertimeStore o;
        o.OTEarned = 77.f;
        try {
            const std::string ext = file.extension().string();
            if (ext == ".use")
                readUserSettingsFile(file, p, o);
            else if (ext == ".and")
                readUserDetailsFile(file, p);
            else
                readCafeteriaFile(file, p);
            ADD_FAILURE() << "no error";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file);
        }
        EXPECT_FLOAT_EQ(o.OTEarned, 77.f);
        EXPECT_FLOAT_EQ(p.PayRate1, 9.f);
        EXPECT_FLOAT_EQ(p.CheckHorzOffset, 4.f);
        EXPECT_FLOAT_EQ(p.CafeteriaPlan, 3.f);
        EXPECT_EQ(p.UseReserved[1], legacy::Variant(std::string("old")));
        EXPECT_TRUE(p.EmployeeName.empty());
    }
}

TEST_F(ProfileFilesTest, PayPeriodFileNamingWritingAndReading)
{
    EXPECT_EQ(payPeriodFileName("01/07/05", "staff1"), "01_07_05  staff1.prv");
    EXPECT_EQ(payPeriodFileName("01/07/05", ""), "01_07_05  .prv");
    EXPECT_EQ(payPeriodFileName("1/7/2005/x", "a"), "1_7_2005_x  a.prv");
    EXPECT_EQ(payDateFromFileTitle("01_07_05  staff1.prv"), "01/07/05");
    EXPECT_EQ(payDateFromFileTitle("1_7_2005  staff1.prv"), "1/7/2005");  // only eight characters come back
    EXPECT_EQ(payDateFromFileTitle("1_7.prv"), "1/7.prv");

    const fs::path file = at(payPeriodFileName("01/07/05", "staff1"));
    writePayPeriodFile(file, {9, 9, 9, 9, 9, 9, 9, 1234567.f});
    writePayPeriodFile(file, {8, 0.1f, 0, 2.5f, 0, 0, 0, 125.75f});  // replaces the first
    EXPECT_EQ(bytes(file), "8\r\n0.1\r\n0\r\n2.5\r\n0\r\n0\r\n0\r\n125.75\r\n");
    const std::array<float, 8> back = readPayPeriodFile(file);
    EXPECT_EQ(back, (std::array<float, 8>{8, 0.1f, 0, 2.5f, 0, 0, 0, 125.75f}));

    put(at("short.prv"), "8\r\n0\r\n0\r\n2.5\r\n0\r\n0\r\n0\r\n");
    EXPECT_THROW(readPayPeriodFile(at("short.prv")), legacy::FileFormatError);
    put(at("text.prv"), "8\r\n\"x\"\r\n0\r\n2.5\r\n0\r\n0\r\n0\r\n1\r\n");
    EXPECT_THROW(readPayPeriodFile(at("text.prv")), legacy::FileFormatError);
}

TEST(ProfileFileNames, DefaultProfileAndFrequency)
{
    EXPECT_EQ(profileFileName("", kUserSettingsExt), ".use");
    EXPECT_EQ(profileFileName("", kUserDetailsExt), ".and");
    EXPECT_EQ(profileFileName("", kCafeteriaExt), ".cfe");
    EXPECT_EQ(profileFileName("staff 1", ".use"), "staff 1.use");
    EXPECT_EQ(profileFileName("", overtimeExtension(kTrue)), ".ovw");
    EXPECT_EQ(profileFileName("", overtimeExtension(kFalse)), ".ovb");
    EXPECT_EQ(overtimeRows(kTrue), 52);
    EXPECT_EQ(overtimeRows(kFalse), 26);
}

TEST(ProfileFileNames, UnsafeNamesAreRefused)
{
    const struct {
        const char *name;
        std::optional<NameProblem> problem;
    } cases[] = {
        {"", std::nullopt},
        {"staff 1", std::nullopt},
        {"...", std::nullopt},
        {".x", std::nullopt},
        {"01_07_05  staff1.prv", std::nullopt},
        {"a/b", NameProblem::PathSeparator},
        {"a\\b", NameProblem::PathSeparator},
        {"/etc", NameProblem::PathSeparator},
        {"..", NameProblem::DotName},
        {".", NameProblem::DotName},
        {"x\ty", NameProblem::ControlCharacter},
        {"x\ny", NameProblem::ControlCharacter},
        {"x\x7Fy", NameProblem::ControlCharacter},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(classifyName(c.name), c.problem);
        EXPECT_EQ(profileNameProblem(c.name).has_value(), c.problem.has_value());
        if (c.problem) {
            EXPECT_FALSE(profileNameProblem(c.name)->empty());
        }
    }
    std::string withNul("a", 1);
    withNul += '\0';
    EXPECT_EQ(classifyName(withNul), NameProblem::ControlCharacter);
}
