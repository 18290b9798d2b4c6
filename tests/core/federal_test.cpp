// The federal table file and the percentage-method brackets: the shipped
// file, damaged copies of it in a temporary folder, and the bracket edges.
#include "core/federal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace wagedesk;

namespace {

const fs::path kShipped = fs::path(WD_SOURCE_DIR) / "data" / "Federal.dat";

std::string shippedBytes()
{
    std::ifstream in(kShipped, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class FederalFileCopies : public wdtest::TempFolderTest {
protected:
    static fs::path put(const fs::path &file, const std::string &bytes) { return wdtest::put(file, bytes); }
};

TEST(FederalFile, TheShippedFileReadsIntoTheFourTablesTheAllowancesAndTheVersion)
{
    const FederalTables t = readFederalFile(kShipped);
    EXPECT_EQ(t.FedSingleBi[1], 102.0f);
    EXPECT_EQ(t.FedSingleBi[4], 0.1f);  // written ".1"
    EXPECT_EQ(t.FedSingleBi[28], 3493.15f);
    EXPECT_EQ(t.FedSingleWk[9], 13.7f);
    EXPECT_EQ(t.FedMarriedBi[1], 308.0f);
    EXPECT_EQ(t.FedMarriedWk[25], 6409.0f);
    EXPECT_EQ(t.FedMarriedWk[28], 1698.56f);
    EXPECT_EQ(t.FedAllowance[0], 0.0f);
    EXPECT_EQ(t.FedAllowance[2], 123.08f);
    EXPECT_EQ(t.FedAllowance[12], 123.08f);
    EXPECT_EQ(t.FedAllowance[19], 553.86f);
    EXPECT_EQ(t.TaxVersion, "2005 Cir E Pub 15, Jan 2005");
}

// A typo in the shipped figures shows as a jump in the tax at a bracket
// bound: each bracket must start where the last ended, at the amount the
// last one reaches there.
TEST(FederalFile, TheShippedTablesAreContinuous)
{
    const FederalTables t = readFederalFile(kShipped);
    const std::pair<const char *, const FederalBracketTable *> tables[] = {{"FedSingleBi", &t.FedSingleBi},
                                                                           {"FedSingleWk", &t.FedSingleWk},
                                                                           {"FedMarriedBi", &t.FedMarriedBi},
                                                                           {"FedMarriedWk", &t.FedMarriedWk}};
    for (const auto &[name, table] : tables) {
        const FederalBracketTable &b = *table;
        // Over, NotOver, ExcessOver, Rate, Plus of brackets 1 to 6.
        const std::size_t over[] = {1, 5, 10, 15, 20, 25};
        for (std::size_t k = 0; k < 5; ++k) {
            const std::size_t o = over[k], next = over[k + 1];
            SCOPED_TRACE(::testing::Message() << name << ", bracket " << k + 1);
            const float notOver = b[o + 1];
            EXPECT_EQ(b[o + 2], b[o]) << "ExcessOver is Over";
            EXPECT_EQ(b[next], notOver);
            const float plus = k == 0 ? 0 : b[o + 4];
            EXPECT_NEAR((notOver - b[o + 2]) * b[o + 3] + plus, b[next == 25 ? 28 : next + 4], 0.005);
        }
        EXPECT_EQ(b[26], b[25]);
    }
}

TEST(FederalFile, IrsPublication15ExamplesComeOutOfTheShippedTables)
{
    const FederalTables t = readFederalFile(kShipped);
    // Single, weekly, $600 less 2 allowances; married, bi-weekly, $740 less
    // 3 allowances taken twice.
    const float singleWages = 600 - t.FedAllowance[2];
    EXPECT_EQ(legacy::format(singleWages, "#,###.00"), "476.92");
    EXPECT_EQ(legacy::roundCents(GetFedTax(t, true, false, true, singleWages, 0)), 57.04f);
    const float marriedWages = 740 - 2 * t.FedAllowance[13];
    EXPECT_EQ(legacy::roundCents(GetFedTax(t, false, true, false, marriedWages, 0)), 6.28f);
}

TEST_F(FederalFileCopies, ADamagedFileIsAFormatErrorAndYieldsNoTables)
{
    const std::string good = shippedBytes();
    const std::size_t version = good.rfind(",\"2005");
    const std::size_t firstHeading = good.find("\"SINGLE WEEKLY\"");
    ASSERT_NE(version, std::string::npos);
    ASSERT_NE(firstHeading, std::string::npos);
    std::string textForNumber = good;
    textForNumber.replace(textForNumber.find("377"), 3, "\"abc\"");
    std::string commaInHeading = good;
    commaInHeading.replace(firstHeading, 15, "SINGLE, WEEKLY");  // unquoted: two items
    const struct {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut before the version", good.substr(0, version)},
        {"cut after the first table", good.substr(0, firstHeading)},
        {"text where a number belongs", textForNumber},
        {"a heading with an unquoted comma", commaInHeading},
        {"a number beyond a float", "1e39," + good},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = put(dir_ / "Federal.dat", c.bytes);
        FederalTables held = readFederalFile(kShipped);
        held.FedSingleWk[5] = 0;
        const FederalTables before = held;
        try {
            held = readFederalFile(file);
            ADD_FAILURE() << "read without error";
        } catch (const legacy::FileFormatError &e) {
            EXPECT_EQ(e.file(), file);
        }
        EXPECT_EQ(held.FedSingleWk, before.FedSingleWk);
        EXPECT_EQ(held.TaxVersion, before.TaxVersion);
    }
    EXPECT_THROW(readFederalFile(dir_ / "none" / "Federal.dat"), legacy::FileAccessError);
}

// The current folder is changed and restored around each case.
class FindFederalFile : public FederalFileCopies {
protected:
    void SetUp() override
    {
        FederalFileCopies::SetUp();
        before_ = fs::current_path();
        fs::create_directories(dir_ / "work");
        fs::current_path(dir_ / "work");
    }
    void TearDown() override
    {
        fs::current_path(before_);
        FederalFileCopies::TearDown();
    }
    fs::path before_;
};

TEST_F(FindFederalFile, TheCurrentFolderComesFirstThenTheProgramFolder)
{
    const fs::path program = dir_ / "program";
    EXPECT_EQ(findFederalFile(program), std::nullopt);

    put(program / "Federal.dat", "x");
    EXPECT_EQ(findFederalFile(program), program / "Federal.dat");

    put(dir_ / "work" / "Federal.dat", "x");
    const std::optional<fs::path> found = findFederalFile(program);
    ASSERT_TRUE(found);
    EXPECT_TRUE(fs::equivalent(*found, dir_ / "work" / "Federal.dat"));
    // The path still leads to the file when the current folder changes.
    fs::current_path(dir_);
    EXPECT_TRUE(fs::exists(*found));
}

TEST_F(FindFederalFile, AFolderNamedLikeTheFileIsPassedOver)
{
    const fs::path program = dir_ / "program";
    fs::create_directories(dir_ / "work" / "Federal.dat");
    EXPECT_EQ(findFederalFile(program), std::nullopt);
    put(program / "Federal.dat", "x");
    EXPECT_EQ(findFederalFile(program), program / "Federal.dat");
}

TEST(FederalBrackets, EdgesOfTheShippedSingleWeeklyTable)
{
    const FederalBracketTable &t = readFederalFile(kShipped).FedSingleWk;
    const struct {
        float wages, before, tax;
    } cases[] = {
        {0, 0, 0},
        {51, 0, 0},          // at the first Over: no bracket
        {51, 3.25f, 3.25f},  // no match keeps what was there
        {40, 3.25f, 3.25f},
        {-10, 0, 0},
        {51.5f, 0, 0.05f},
        {188, 0, 13.70f},  // on NotOver: the lower bracket, equal to the next one's Plus
        {188.01f, 0, 13.70f},
        {606, 0, 76.40f},
        {6069, 0, 1746.59f},
        {7000, 0, 2072.44f},  // above bracket 6: no upper bound
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wages);
        EXPECT_EQ(legacy::roundCents(fedTaxFromTable(t, c.wages, c.before)), c.tax);
    }
}

TEST(FederalBrackets, EveryBracketIsTestedAndTheLastMatchCounts)
{
    FederalBracketTable t{};
    // Brackets 1 and 2 overlap: 10 % and 20 % of the whole wage; bracket 6
    // starts at 1000.
    t[1] = 0, t[2] = 500, t[3] = 0, t[4] = 0.1f;
    t[5] = 0, t[6] = 500, t[7] = 0, t[8] = 0.2f, t[9] = 0;
    for (std::size_t c = 10; c <= 24; c += 5)
        t[c] = t[c + 1] = 999999;
    t[25] = 1000, t[26] = 1000, t[27] = 0.5f, t[28] = 7;
    EXPECT_FLOAT_EQ(fedTaxFromTable(t, 100, 0), 20);
    EXPECT_FLOAT_EQ(fedTaxFromTable(t, 1100, 0), 57);
    EXPECT_FLOAT_EQ(fedTaxFromTable(t, 700, 1.5f), 1.5f);

    const FederalBracketTable zero{};
    EXPECT_EQ(fedTaxFromTable(zero, 500, 0), 0.0f);
}

TEST(FederalBrackets, TheTableFollowsStatusAndFrequency)
{
    FederalTables t;
    // Each table gives its own flat amount for any wage above 0.
    const std::pair<FederalBracketTable *, float> amounts[] = {
        {&t.FedSingleBi, 1}, {&t.FedSingleWk, 2}, {&t.FedMarriedBi, 3}, {&t.FedMarriedWk, 4}};
    for (auto [table, amount] : amounts) {
        (*table)[1] = (*table)[5] = (*table)[10] = (*table)[15] = (*table)[20] = 999999;
        (*table)[2] = (*table)[6] = (*table)[11] = (*table)[16] = (*table)[21] = 999999;
        (*table)[25] = 0, (*table)[28] = amount;
    }
    const struct {
        bool single, bi, week;
        float tax;
    } cases[] = {
        {true, true, false, 1},   {true, false, true, 2}, {false, true, false, 3},
        {false, false, true, 4},  {true, true, true, 2},  // both selected: the weekly test runs second
        {true, false, false, -1},                         // neither: as it was
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.single << c.bi << c.week);
        EXPECT_EQ(GetFedTax(t, c.single, c.bi, c.week, 100, -1), c.tax);
    }
}

TEST(FederalTablesZeroed, EveryCellButTheVersion)
{
    FederalTables t = readFederalFile(kShipped);
    zeroFederalTables(t);
    for (const FederalBracketTable *table : {&t.FedSingleBi, &t.FedSingleWk, &t.FedMarriedBi, &t.FedMarriedWk})
        EXPECT_EQ(*table, FederalBracketTable{});
    EXPECT_EQ(t.FedAllowance, (std::array<float, 20>{}));
    EXPECT_EQ(t.TaxVersion, "2005 Cir E Pub 15, Jan 2005");
}

}  // namespace
