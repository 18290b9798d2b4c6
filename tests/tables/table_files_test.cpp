#include "tables/table_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

#include "core/state.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "table_fixtures.h"
#include "tables/table_defaults.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;
using namespace wagedesk::tables;
using namespace wagedesk::testing;

namespace {

// The store that kNewYorkSta holds.
void setNewYorkStaStore(ProgramState &st)
{
    applyNewYorkStateTable(st.stateSettings);
    st.stateSettings.SDIPercent = 1.2f;
    st.stateSettings.SUIPercent = 3.4f;
    st.stateSettings.SDIWageBase = 7000;
    st.stateSettings.SUIWageBase = 8000;
    st.stateSettings.StateAdjust = -2.5f;
    st.stateSettings.SDIUseBase = 1;
    st.profile.SSMediExempt = 1;
    st.profile.StateExemptions = 3;
    st.profile.StateStatus = "Married";
    st.profile.FedAdditional = 12.5f;
}

// The items of a file in order, a comma and a line end alike.
std::vector<std::string> items(const std::string &text)
{
    std::vector<std::string> out;
    std::string item;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' || c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty())
        out.push_back(item);
    return out;
}

// The file with item `index` replaced, line breaks kept.
std::string withItem(const std::string &text, std::size_t index, const std::string &value)
{
    std::string out;
    std::size_t current = 0;
    bool replaced = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' || c == '\r' || c == '\n') {
            out += c;
            if (!(c == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                ++current;
            continue;
        }
        if (current == index) {
            if (!replaced)
                out += value;
            replaced = true;
        } else {
            out += c;
        }
    }
    return out;
}

class TableFiles : public wdtest::TempFolderTest {
protected:
    fs::path file(const std::string &name) const { return dir_ / name; }
    static std::string slurp(const fs::path &p) { return wdtest::slurp(p); }
    static void put(const fs::path &p, const std::string &bytes) { wdtest::put(p, bytes); }

    // The readers over a file into the store; false when it is missing.
    bool readSta(const fs::path &p)
    {
        auto in = openTableFile(p);
        if (in)
            readStateTable(*in, st.stateSettings, st.profile);
        return bool(in);
    }
    bool readCti(const fs::path &p)
    {
        auto in = openTableFile(p);
        if (in)
            readCityTable(*in, st.stateSettings);
        return bool(in);
    }
    bool readNci(const fs::path &p)
    {
        auto in = openTableFile(p);
        if (in)
            readNonResidentTable(*in, st.stateSettings.NonResident);
        return bool(in);
    }

    // The store's items as the writers see them.
    std::string staOfStore()
    {
        const fs::path p = file("snapshot.sta");
        writeStateTable(p, st.stateSettings, st.profile);
        return slurp(p);
    }
    std::string ctiOfStore()
    {
        const fs::path p = file("snapshot.cti");
        writeCityTable(p, st.stateSettings);
        return slurp(p);
    }
    std::string nciOfStore()
    {
        const fs::path p = file("snapshot.nci");
        writeNonResidentTable(p, st.stateSettings.NonResident);
        return slurp(p);
    }

    ProgramState st;
};

TEST(TableFileNames, ProfileNamePlusExtensionEmptyNameIsTheDefaultProfile)
{
    EXPECT_EQ(stateTableFileName("Ann"), "Ann.sta");
    EXPECT_EQ(cityTableFileName("Ann"), "Ann.cti");
    EXPECT_EQ(nonResidentTableFileName("Ann"), "Ann.nci");
    EXPECT_EQ(stateTableFileName(""), ".sta");
    EXPECT_EQ(cityTableFileName(""), ".cti");
    EXPECT_EQ(nonResidentTableFileName(""), ".nci");

    const std::array<std::string, 4> expected{"You have corupted a file.", "Find file,", "Ann.cti", "and delete it."};
    EXPECT_EQ(corruptedFileLines("Ann.cti"), expected);
}

// ---------------------------------------------------------------- .sta

TEST_F(TableFiles, StateTableIsWrittenByteForByte)
{
    setNewYorkStaStore(st);
    writeStateTable(file("Ann.sta"), st.stateSettings, st.profile);
    EXPECT_EQ(slurp(file("Ann.sta")), kNewYorkSta);
}

TEST_F(TableFiles, StateTableReadsBackIntoTheSameStore)
{
    put(file("Ann.sta"), kNewYorkSta);
    ASSERT_TRUE(readSta(file("Ann.sta")));

    EXPECT_EQ(st.stateSettings.StateTable.single[2].percentage, legacy::toFloat("0.0525"));
    EXPECT_EQ(st.stateSettings.StateTable.married[6].percentage, legacy::toFloat("0.0814"));
    EXPECT_EQ(st.stateSettings.StateTable.single[9].minimum, 19231.0f);
    EXPECT_EQ(st.stateSettings.StateAllowance[7].married, 557.0f);
    EXPECT_EQ(st.stateSettings.SUIWageBase, 8000.0f);
    EXPECT_EQ(st.profile.StateStatus, "Married");
    EXPECT_EQ(st.profile.StateExemptions, 3);
    EXPECT_EQ(st.profile.FedAdditional, 12.5f);
    // Everything read goes out again as it came.
    EXPECT_EQ(staOfStore(), kNewYorkSta);
}

// Each switch and the exemption count, at its own place in the file.
TEST_F(TableFiles, StateTableSwitchesHaveTheirPlaces)
{
    struct Case {
        const char *name;
        std::function<std::int16_t &(ProgramState &)> field;
        std::size_t item;
    };
    const std::vector<Case> cases{
        {"NoStateTax", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.NoStateTax; }, 60},
        {"SDIUseBase", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SDIUseBase; }, 86},
        {"SUIUseBase", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SUIUseBase; }, 87},
        {"SSMediExempt", [](ProgramState &s) -> std::int16_t & { return s.profile.SSMediExempt; }, 88},
        {"SpecialAlabama", [](ProgramState &s) -> std::int16_t & { return s.profile.SpecialAlabama; }, 89},
        {"SpecialAriz", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialAriz; }, 90},
        {"SpecialLouis", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialLouis; }, 91},
        {"SpecialIowa", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialIowa; }, 92},
        {"StateExemptions", [](ProgramState &s) -> std::int16_t & { return s.profile.StateExemptions; }, 93},
        {"FedExempt", [](ProgramState &s) -> std::int16_t & { return s.profile.FedExempt; }, 95},
        {"SpecialMass", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialMass; }, 97},
        {"SpecialOregon", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialOregon; }, 98},
        {"SpecialKentucky", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialKentucky; }, 99},
        {"SpecialMissouri", [](ProgramState &s) -> std::int16_t & { return s.stateSettings.SpecialMissouri; }, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        st = ProgramState{};
        applyNewYorkStateTable(st.stateSettings);
        c.field(st) = 2;  // no other item of the New York file is 2
        const std::string written = staOfStore();
        const std::vector<std::string> all = items(written);
        ASSERT_EQ(all.size(), 101u);
        EXPECT_EQ(all[c.item], "2");
        EXPECT_EQ(std::count(all.begin(), all.end(), "2"), 1);

        st = ProgramState{};
        put(file("Ann.sta"), written);
        ASSERT_TRUE(readSta(file("Ann.sta")));
        EXPECT_EQ(c.field(st), 2);
    }
}

TEST_F(TableFiles, StateTableItemsMayBeSplitOverOtherLines)
{
    std::string oneLine = kNewYorkSta;
    for (std::size_t p; (p = oneLine.find("\r\n")) != std::string::npos && p + 2 < oneLine.size();)
        oneLine.replace(p, 2, ",");
    std::string itemPerLine = kNewYorkSta;
    for (char &c : itemPerLine)
        if (c == ',')
            c = '\n';
    const std::string trailing = kNewYorkSta + "5,6,\"x\"\r\n";

    for (const std::string &text : {oneLine, itemPerLine, trailing}) {
        st = ProgramState{};
        put(file("Ann.sta"), text);
        ASSERT_TRUE(readSta(file("Ann.sta")));
        EXPECT_EQ(staOfStore(), kNewYorkSta);
    }
}

TEST_F(TableFiles, StateTableLenientItems)
{
    std::string text = kNewYorkSta;
    text = withItem(text, 6, "abc");      // StateMinBS(1): not a number
    text = withItem(text, 7, "");         // StateAmtBS(1): empty
    text = withItem(text, 8, "\"0.5\"");  // StatePerBS(1): a quoted number
    text = withItem(text, 9, ".25");      // StateMinBM(1): leading point
    text = withItem(text, 60, "x");       // NoStateTax
    text = withItem(text, 93, "");        // StateExemptions
    text = withItem(text, 94, "");        // StateStatus
    text = withItem(text, 96, "12.5x");   // FedAdditional
    st.profile.StateExemptions = 5;
    st.profile.StateStatus = "Single";
    st.stateSettings.NoStateTax = 1;
    put(file("Ann.sta"), text);
    ASSERT_TRUE(readSta(file("Ann.sta")));

    EXPECT_EQ(st.stateSettings.StateTable.single[1].minimum, 0.0f);
    EXPECT_EQ(st.stateSettings.StateTable.single[1].amount, 0.0f);
    EXPECT_EQ(st.stateSettings.StateTable.single[1].percentage, 0.5f);
    EXPECT_EQ(st.stateSettings.StateTable.married[1].minimum, 0.25f);
    EXPECT_EQ(st.stateSettings.NoStateTax, 0);
    EXPECT_EQ(st.profile.StateExemptions, 0);
    EXPECT_EQ(st.profile.StateStatus, "");
    EXPECT_EQ(st.profile.FedAdditional, 0.0f);
}

// A damaged file is reported by name; every item before the bad one is
// read, the bad one and the rest keep what the store held.
TEST_F(TableFiles, DamagedStateTableKeepsWhatWasReadBeforeTheDamage)
{
    std::string lines22 = kNewYorkSta.substr(0, kNewYorkSta.rfind("0,0,0,3"));
    struct Case {
        const char *name;
        std::string text;
        std::size_t firstUnread;  // items before it hold the file's values
    };
    const std::vector<Case> cases{
        {"22 lines", lines22, 90},
        {"100 items", kNewYorkSta.substr(0, kNewYorkSta.size() - 4) + "\r\n", 100},
        {"empty file", "", 0},
        {"exemption count 12", withItem(kNewYorkSta, 93, "12"), 93},
        {"exemption count -1", withItem(kNewYorkSta, 93, "-1"), 93},
        {"integer beyond 16 bits", withItem(kNewYorkSta, 93, "40000"), 93},
        {"NO STATE TAX 3", withItem(kNewYorkSta, 60, "3"), 60},
        {"Missouri -1", withItem(kNewYorkSta, 100, "-1"), 100},
        {"Social Security exemption #TRUE#", withItem(kNewYorkSta, 88, "#TRUE#"), 88},
        {"number beyond a float", withItem(kNewYorkSta, 0, "1e39"), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A store that differs from the file in every item.
        st = ProgramState{};
        StateSettings &s = st.stateSettings;
        s.StateTable.single.fill({7, 7, 7});
        s.StateTable.married.fill({7, 7, 7});
        s.StateAllowance.fill({7, 7});
        s.SDIPercent = s.SUIPercent = s.SDIWageBase = s.SUIWageBase = s.StateAdjust = 7;
        s.NoStateTax = s.SDIUseBase = s.SUIUseBase = s.SpecialAriz = s.SpecialLouis = s.SpecialIowa = 2;
        s.SpecialMass = s.SpecialOregon = s.SpecialKentucky = s.SpecialMissouri = 2;
        st.profile.SSMediExempt = st.profile.SpecialAlabama = st.profile.FedExempt = 2;
        st.profile.StateExemptions = 7;
        st.profile.StateStatus = "Single";
        st.profile.FedAdditional = 7;
        const std::vector<std::string> before = items(staOfStore());

        put(file("Ann.sta"), c.text);
        try {
            readSta(file("Ann.sta"));
            ADD_FAILURE() << "no error";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file("Ann.sta"));
        }
        const std::vector<std::string> after = items(staOfStore());
        const std::vector<std::string> fromFile = items(kNewYorkSta);
        ASSERT_EQ(after.size(), 101u);
        for (std::size_t i = 0; i < 101; ++i)
            EXPECT_EQ(after[i], i < c.firstUnread ? fromFile[i] : before[i]) << "item " << i;
    }
}

TEST_F(TableFiles, MissingTableFilesChangeNothing)
{
    st.stateSettings.StateTable.single[0].minimum = 77;
    st.stateSettings.CityTable.single[0].minimum = 78;
    st.stateSettings.NonResident.biWeekly[0].minimum = 79;
    const std::string sta = staOfStore(), cti = ctiOfStore(), nci = nciOfStore();

    EXPECT_FALSE(readSta(file("Nobody.sta")));
    EXPECT_FALSE(readCti(file("Nobody.cti")));
    EXPECT_FALSE(readNci(file("Nobody.nci")));
    fs::create_directory(file("Folder.sta"));
    EXPECT_FALSE(readSta(file("Folder.sta")));

    EXPECT_EQ(staOfStore(), sta);
    EXPECT_EQ(ctiOfStore(), cti);
    EXPECT_EQ(nciOfStore(), nci);
}

TEST_F(TableFiles, WritersReportFilesThatCannotBeWritten)
{
    const fs::path nowhere = file("no such folder");
    EXPECT_THROW(writeStateTable(nowhere / "Ann.sta", st.stateSettings, st.profile), legacy::FileError);
    EXPECT_THROW(writeCityTable(nowhere / "Ann.cti", st.stateSettings), legacy::FileError);
    EXPECT_THROW(writeNonResidentTable(nowhere / "Ann.nci", st.stateSettings.NonResident), legacy::FileError);
    EXPECT_FALSE(fs::exists(nowhere));
}

// ---------------------------------------------------------------- .cti

TEST_F(TableFiles, CityTableRoundTripsByteForByte)
{
    applyNewYorkCityTable(st.stateSettings);
    writeCityTable(file("Ann.cti"), st.stateSettings);
    EXPECT_EQ(slurp(file("Ann.cti")), kNewYorkCti);

    st = ProgramState{};
    const std::string noLocalTax = withItem(kNewYorkCti, 60, "1");
    put(file("Ann.cti"), noLocalTax);
    ASSERT_TRUE(readCti(file("Ann.cti")));
    EXPECT_EQ(st.stateSettings.NoLocalTax, 1);
    EXPECT_EQ(st.stateSettings.CityTable.single[3].minimum, 557.0f);
    EXPECT_EQ(st.stateSettings.CityTable.married[3].minimum, 577.0f);
    EXPECT_EQ(ctiOfStore(), noLocalTax);
}

TEST_F(TableFiles, DamagedCityTableKeepsWhatWasReadBeforeTheDamage)
{
    const std::string cutAfterLine20 = kNewYorkCti.substr(0, kNewYorkCti.rfind("538.8"));
    for (const std::string &text : {cutAfterLine20, withItem(kNewYorkCti, 60, "3")}) {
        st = ProgramState{};
        st.stateSettings.CityAllowance[9].single = 1;
        st.stateSettings.CityTable.single[0].minimum = 2;
        st.stateSettings.NoLocalTax = 2;
        put(file("Ann.cti"), text);
        EXPECT_THROW(readCti(file("Ann.cti")), legacy::FileFormatError);
        // The tables before the damage are the file's; what follows is kept.
        EXPECT_EQ(st.stateSettings.CityTable, withholdingTable(kNewYorkCityTexts.table));
        EXPECT_EQ(st.stateSettings.CityAllowance[9].single, 1.0f);
    }
}

// ---------------------------------------------------------------- .nci

TEST_F(TableFiles, NonResidentTableRoundTripsByteForByte)
{
    applyNonResidentTable(st.stateSettings);
    writeNonResidentTable(file("Ann.nci"), st.stateSettings.NonResident);
    EXPECT_EQ(slurp(file("Ann.nci")), kDefaultNci);

    st = ProgramState{};
    // Distinct values show each column in its place.
    const std::string text = withItem(withItem(kDefaultNci, 5, "116"), 32, "0.005");
    put(file("Ann.nci"), text);
    ASSERT_TRUE(readNci(file("Ann.nci")));
    const NonResidentTable &t = st.stateSettings.NonResident;
    EXPECT_EQ(t.biWeekly[1].subtract, 116.0f);
    EXPECT_EQ(t.weekly[1].minimum, 78.0f);
    EXPECT_EQ(t.weekly[1].subtract, 58.0f);
    EXPECT_EQ(t.percentage, 0.005f);
    EXPECT_EQ(nciOfStore(), text);
}

TEST_F(TableFiles, ShortNonResidentTableIsDamaged)
{
    st.stateSettings.NonResident.percentage = 0.01f;
    put(file("Ann.nci"), kDefaultNci.substr(0, kDefaultNci.rfind("0.0045")));
    EXPECT_THROW(readNci(file("Ann.nci")), legacy::FileFormatError);
    // The lines were read; the missing percentage is kept.
    EXPECT_EQ(st.stateSettings.NonResident.biWeekly, nonResidentTable(kNonResidentTexts).biWeekly);
    EXPECT_EQ(st.stateSettings.NonResident.percentage, 0.01f);
}

// ---------------------------------------------------------------- built-in texts

// The texts are the shortest decimal forms, so a box filled from the store
// shows the built-in text again.
TEST(BuiltInTables, TextsAreWhatTheStoreShowsAgain)
{
    std::vector<std::string_view> texts;
    auto addBrackets = [&](const BracketTexts &rows) {
        for (const BracketTextRow &r : rows)
            texts.insert(texts.end(), {r.minimum, r.amount, r.percentage});
    };
    auto addAllowances = [&](const AllowanceTexts &rows) {
        for (const AllowanceTextRow &r : rows)
            texts.insert(texts.end(), {r.single, r.married});
    };
    const StateTableTexts &s = kNewYorkStateTexts;
    addBrackets(s.table.single);
    addBrackets(s.table.married);
    addAllowances(s.allowance);
    for (std::string_view t :
         {s.txtSDIpercent, s.txtSDIwageBase, s.txtStateAdj, s.txtCalAllow, s.txtSUIpercent, s.txtSUIwageBase}) {
        EXPECT_EQ(t, "0");
        texts.push_back(t);
    }
    const CityTableTexts &c = kNewYorkCityTexts;
    addBrackets(c.table.single);
    addBrackets(c.table.married);
    addAllowances(c.allowance);
    const NonResidentTableTexts &n = kNonResidentTexts;
    for (const auto *lines : {&n.biWeekly, &n.weekly})
        for (const NonResidentTextRow &r : *lines)
            texts.insert(texts.end(), {r.minimum, r.subtract});
    texts.push_back(n.percentage);

    ASSERT_EQ(texts.size(), 86u + 80u + 33u);
    for (std::string_view t : texts)
        EXPECT_EQ(legacy::floatToText(legacy::toFloat(t)), t);
}

}  // namespace
