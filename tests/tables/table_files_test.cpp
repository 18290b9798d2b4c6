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
#include "tables/table_defaults.h"
#include "table_fixtures.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;
using namespace wagedesk::tables;
using namespace wagedesk::testing;

namespace {

// The store that kNewYorkSta holds.
void setNewYorkStaStore()
{
    ProgramState &st = state();
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
    void SetUp() override
    {
        resetState();
        TempFolderTest::SetUp();
    }
    void TearDown() override
    {
        TempFolderTest::TearDown();
        resetState();
    }
    fs::path file(const std::string &name) const { return dir_ / name; }
    static std::string slurp(const fs::path &p) { return wdtest::slurp(p); }
    static void put(const fs::path &p, const std::string &bytes) { wdtest::put(p, bytes); }

    // The store's state table items as the writer sees them.
    std::string staOfStore()
    {
        const fs::path p = file("snapshot.sta");
        writeStateTable(p);
        return slurp(p);
    }
    std::string ctiOfStore()
    {
        const fs::path p = file("snapshot.cti");
        writeCityTable(p);
        return slurp(p);
    }
    std::string nciOfStore()
    {
        const fs::path p = file("snapshot.nci");
        writeNonResidentTable(p);
        return slurp(p);
    }
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
    setNewYorkStaStore();
    writeStateTable(file("Ann.sta"));
    EXPECT_EQ(slurp(file("Ann.sta")), kNewYorkSta);
}

TEST_F(TableFiles, StateTableReadsBackIntoTheSameStore)
{
    put(file("Ann.sta"), kNewYorkSta);
    ASSERT_TRUE(readStateTable(file("Ann.sta")));

    const ProgramState &st = state();
    EXPECT_EQ(st.stateSettings.StatePerBS[2], legacy::toFloat("0.0525"));
    EXPECT_EQ(st.stateSettings.StatePerBM[6], legacy::toFloat("0.0814"));
    EXPECT_EQ(st.stateSettings.StateMinBS[9], 19231.0f);
    EXPECT_EQ(st.stateSettings.StateMarExp[7], 557.0f);
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
        resetState();
        applyNewYorkStateTable(state().stateSettings);
        c.field(state()) = 2;  // no other item of the New York file is 2
        const std::string written = staOfStore();
        const std::vector<std::string> all = items(written);
        ASSERT_EQ(all.size(), 101u);
        EXPECT_EQ(all[c.item], "2");
        EXPECT_EQ(std::count(all.begin(), all.end(), "2"), 1);

        resetState();
        put(file("Ann.sta"), written);
        ASSERT_TRUE(readStateTable(file("Ann.sta")));
        EXPECT_EQ(c.field(state()), 2);
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
        resetState();
        put(file("Ann.sta"), text);
        ASSERT_TRUE(readStateTable(file("Ann.sta")));
        EXPECT_EQ(staOfStore(), kNewYorkSta);
    }
}

TEST_F(TableFiles, StateTableLenientItems)
{
    std::string text = kNewYorkSta;
    text = withItem(text, 6, "abc");        // StateMinBS(1): not a number
    text = withItem(text, 7, "");           // StateAmtBS(1): empty
    text = withItem(text, 8, "\"0.5\"");    // StatePerBS(1): a quoted number
    text = withItem(text, 9, ".25");        // StateMinBM(1): leading point
    text = withItem(text, 60, "x");         // NoStateTax
    text = withItem(text, 93, "");          // StateExemptions
    text = withItem(text, 94, "");          // StateStatus
    text = withItem(text, 96, "12.5x");     // FedAdditional
    state().profile.StateExemptions = 5;
    state().profile.StateStatus = "Single";
    state().stateSettings.NoStateTax = 1;
    put(file("Ann.sta"), text);
    ASSERT_TRUE(readStateTable(file("Ann.sta")));

    const ProgramState &st = state();
    EXPECT_EQ(st.stateSettings.StateMinBS[1], 0.0f);
    EXPECT_EQ(st.stateSettings.StateAmtBS[1], 0.0f);
    EXPECT_EQ(st.stateSettings.StatePerBS[1], 0.5f);
    EXPECT_EQ(st.stateSettings.StateMinBM[1], 0.25f);
    EXPECT_EQ(st.stateSettings.NoStateTax, 0);
    EXPECT_EQ(st.profile.StateExemptions, 0);
    EXPECT_EQ(st.profile.StateStatus, "");
    EXPECT_EQ(st.profile.FedAdditional, 0.0f);
}

TEST_F(TableFiles, DamagedStateTableLeavesTheStoreAlone)
{
    std::string lines22 = kNewYorkSta.substr(0, kNewYorkSta.rfind("0,0,0,3"));
    struct Case {
        const char *name;
        std::string text;
    };
    const std::vector<Case> cases{
        {"22 lines", lines22},
        {"100 items", kNewYorkSta.substr(0, kNewYorkSta.size() - 4) + "\r\n"},
        {"empty file", ""},
        {"exemption count 12", withItem(kNewYorkSta, 93, "12")},
        {"exemption count -1", withItem(kNewYorkSta, 93, "-1")},
        {"integer beyond 16 bits", withItem(kNewYorkSta, 93, "40000")},
        {"NO STATE TAX 3", withItem(kNewYorkSta, 60, "3")},
        {"Missouri -1", withItem(kNewYorkSta, 100, "-1")},
        {"Social Security exemption #TRUE#", withItem(kNewYorkSta, 88, "#TRUE#")},
        {"number beyond a float", withItem(kNewYorkSta, 0, "1e39")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        resetState();
        state().stateSettings.StateMinBS[0] = 77;
        state().stateSettings.SpecialIowa = 1;
        state().profile.StateStatus = "Single";
        state().profile.StateExemptions = 4;
        const std::string before = staOfStore();

        put(file("Ann.sta"), c.text);
        try {
            readStateTable(file("Ann.sta"));
            ADD_FAILURE() << "no error";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file("Ann.sta"));
        }
        EXPECT_EQ(staOfStore(), before);
    }
}

TEST_F(TableFiles, MissingTableFilesChangeNothing)
{
    state().stateSettings.StateMinBS[0] = 77;
    state().stateSettings.CityMinBS[0] = 78;
    state().stateSettings.NonMinBi[0] = 79;
    const std::string sta = staOfStore(), cti = ctiOfStore(), nci = nciOfStore();

    EXPECT_FALSE(readStateTable(file("Nobody.sta")));
    EXPECT_FALSE(readCityTable(file("Nobody.cti")));
    EXPECT_FALSE(readNonResidentTable(file("Nobody.nci")));
    fs::create_directory(file("Folder.sta"));
    EXPECT_FALSE(readStateTable(file("Folder.sta")));

    EXPECT_EQ(staOfStore(), sta);
    EXPECT_EQ(ctiOfStore(), cti);
    EXPECT_EQ(nciOfStore(), nci);
}

TEST_F(TableFiles, WritersReportFilesThatCannotBeWritten)
{
    const fs::path nowhere = file("no such folder");
    EXPECT_THROW(writeStateTable(nowhere / "Ann.sta"), legacy::FileError);
    EXPECT_THROW(writeCityTable(nowhere / "Ann.cti"), legacy::FileError);
    EXPECT_THROW(writeNonResidentTable(nowhere / "Ann.nci"), legacy::FileError);
    EXPECT_FALSE(fs::exists(nowhere));
}

// ---------------------------------------------------------------- .cti

TEST_F(TableFiles, CityTableRoundTripsByteForByte)
{
    applyNewYorkCityTable(state().stateSettings);
    writeCityTable(file("Ann.cti"));
    EXPECT_EQ(slurp(file("Ann.cti")), kNewYorkCti);

    resetState();
    const std::string noLocalTax = withItem(kNewYorkCti, 60, "1");
    put(file("Ann.cti"), noLocalTax);
    ASSERT_TRUE(readCityTable(file("Ann.cti")));
    EXPECT_EQ(state().stateSettings.NoLocalTax, 1);
    EXPECT_EQ(state().stateSettings.CityMinBS[3], 557.0f);
    EXPECT_EQ(state().stateSettings.CityMinBM[3], 577.0f);
    EXPECT_EQ(ctiOfStore(), noLocalTax);
}

TEST_F(TableFiles, DamagedCityTableLeavesTheStoreAlone)
{
    const std::string cutAfterLine20 = kNewYorkCti.substr(0, kNewYorkCti.rfind("538.8"));
    for (const std::string &text : {cutAfterLine20, withItem(kNewYorkCti, 60, "3")}) {
        resetState();
        state().stateSettings.CitySgExp[9] = 1;
        state().stateSettings.CityMinBS[0] = 2;
        const std::string before = ctiOfStore();
        put(file("Ann.cti"), text);
        EXPECT_THROW(readCityTable(file("Ann.cti")), legacy::FileFormatError);
        EXPECT_EQ(ctiOfStore(), before);
    }
}

// ---------------------------------------------------------------- .nci

TEST_F(TableFiles, NonResidentTableRoundTripsByteForByte)
{
    applyNonResidentTable(state().stateSettings);
    writeNonResidentTable(file("Ann.nci"));
    EXPECT_EQ(slurp(file("Ann.nci")), kDefaultNci);

    resetState();
    // Distinct values show each column in its place.
    const std::string text = withItem(withItem(kDefaultNci, 5, "116"), 32, "0.005");
    put(file("Ann.nci"), text);
    ASSERT_TRUE(readNonResidentTable(file("Ann.nci")));
    EXPECT_EQ(state().stateSettings.NonExpBi[1], 116.0f);
    EXPECT_EQ(state().stateSettings.NonMinWk[1], 78.0f);
    EXPECT_EQ(state().stateSettings.NonExpWk[1], 58.0f);
    EXPECT_EQ(state().stateSettings.NonPer, 0.005f);
    EXPECT_EQ(nciOfStore(), text);
}

TEST_F(TableFiles, ShortNonResidentTableIsDamaged)
{
    state().stateSettings.NonPer = 0.01f;
    const std::string before = nciOfStore();
    put(file("Ann.nci"), kDefaultNci.substr(0, kDefaultNci.rfind("0.0045")));
    EXPECT_THROW(readNonResidentTable(file("Ann.nci")), legacy::FileFormatError);
    EXPECT_EQ(nciOfStore(), before);
}

// ---------------------------------------------------------------- built-in texts

// The texts are the shortest decimal forms, so a box filled from the store
// shows the built-in text again.
TEST(BuiltInTables, TextsAreWhatTheStoreShowsAgain)
{
    std::vector<std::string_view> texts;
    auto add = [&](const auto &column) { texts.insert(texts.end(), column.begin(), column.end()); };
    const StateTableTexts &s = kNewYorkStateTexts;
    for (const auto *c : {&s.txtStateMinBS, &s.txtStateAmtBS, &s.txtStatePerBS, &s.txtStateMinBM, &s.txtStateAmtBM,
                          &s.txtStatePerBM, &s.txtStateSgExp, &s.txtStateMarExp})
        add(*c);
    for (std::string_view t : {s.txtSDIpercent, s.txtSDIwageBase, s.txtStateAdj, s.txtCalAllow, s.txtSUIpercent,
                               s.txtSUIwageBase}) {
        EXPECT_EQ(t, "0");
        texts.push_back(t);
    }
    const CityTableTexts &c = kNewYorkCityTexts;
    for (const auto *col : {&c.txtCityMinBS, &c.txtCityAmtBS, &c.txtCityPerBS, &c.txtCityMinBM, &c.txtCityAmtBM,
                            &c.txtCityPerBM, &c.txtCitySgExp, &c.txtCityMarExp})
        add(*col);
    const NonResidentTableTexts &n = kNonResidentTexts;
    for (const auto *col : {&n.txtNonMinBi, &n.txtNonExpBi, &n.txtNonMinWk, &n.txtNonExpWk})
        add(*col);
    texts.push_back(n.txtNonPer);

    ASSERT_EQ(texts.size(), 86u + 80u + 33u);
    for (std::string_view t : texts)
        EXPECT_EQ(legacy::floatToText(legacy::toFloat(t)), t);
}

} // namespace
