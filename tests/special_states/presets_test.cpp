// The presets against a recording editor: every box text, Enabled state
// and caption they write, for each pay frequency, as the state's figures
// give them; controls a preset leaves alone stay untouched.
#include "special_states/presets.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "recording_view.h"

using namespace wagedesk;
using namespace wagedesk::special_states;
using wdtest::RecordingView;

namespace {

// A bracket line: Single Minimum, Amount, Percentage, Married the same.
using Row = std::array<std::string, 6>;
using Column = std::array<std::string, 10>;
const Row kUnused{"999999", "0", "0", "999999", "0", "0"};
const std::string kUntouched = "<untouched>";

enum class Pay { BiWeekly, Weekly, Neither };
const char *payName(Pay p) { return p == Pay::BiWeekly ? "bi-weekly" : p == Pay::Weekly ? "weekly" : "neither"; }

PresetInput input(Pay pay, std::string status = "Single")
{
    PresetInput in;
    in.userInfo.optBiWeek = pay == Pay::BiWeekly;
    in.userInfo.optWeek = pay == Pay::Weekly;
    in.userInfo.cboStatus2 = std::move(status);
    return in;
}

std::string box(BracketColumn c, std::size_t row) { return controlName(controlName(c), row); }
std::string box(AllowanceColumn c, std::size_t row) { return controlName(controlName(c), row); }

void expectRows(const RecordingView &v, std::size_t first, std::size_t last, const Row &row)
{
    for (std::size_t i = first; i <= last; ++i)
        for (std::size_t c = 0; c < 6; ++c)
            EXPECT_EQ(v.textOf(box(kRowColumns[c], i)), row[c]) << box(kRowColumns[c], i);
}

void expectRowsEnabled(const RecordingView &v, std::size_t first, std::size_t last, std::optional<bool> on)
{
    for (std::size_t i = first; i <= last; ++i)
        for (BracketColumn c : kRowColumns)
            EXPECT_EQ(v.enabledOf(box(c, i)), on) << box(c, i);
}

void expectColumn(const RecordingView &v, AllowanceColumn c, const Column &texts)
{
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(v.textOf(box(c, i)), texts[i]) << box(c, i);
}

void expectAllowanceEnabled(const RecordingView &v, std::size_t first, std::size_t last, std::optional<bool> on)
{
    for (std::size_t i = first; i <= last; ++i)
        for (AllowanceColumn c : {AllowanceColumn::txtStateSgExp, AllowanceColumn::txtStateMarExp})
            EXPECT_EQ(v.enabledOf(box(c, i)), on) << box(c, i);
}

void expectExemptionRowsNumbered(const RecordingView &v)
{
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(v.captionOf(controlName("Label27", i)), std::to_string(i));
}

void expectCaptions(const RecordingView &v, const std::vector<std::pair<std::string, std::string>> &captions)
{
    for (const auto &[label, text] : captions)
        EXPECT_EQ(v.captionOf(label), text) << label;
}

const std::vector<std::string> kTableHeadings{"Frame1", "Label1", "Label2", "Label3",  "Label4",  "Label6", "Label19",
                                              "Label5", "Label8", "Label9", "Label10", "Label11", "Label20"};

// ---------------------------------------------------------------- Louisiana and Arizona

TEST(LouisianaPreset, TurnsTheEditorIntoTwoCounts)
{
    RecordingView v;
    PresetInput in = input(Pay::BiWeekly);
    in.stored.allowance[0] = {1, 2};
    in.stored.allowance[1] = {5, 5};  // rows 1 to 9 are not read
    LouisianaSet(v, in);

    expectCaptions(v, {{"Label14", "Personal"},
                       {"Label15", "Dependent"},
                       {"Label21", "Enter Number Of"},
                       {"Label13", ""},
                       {"Label5", "Table for MARRIED Persons"}});
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(v.captionOf(controlName("Label27", i)), "");
    // Row 0 keeps its ranges and amounts, its percentages read 0.
    expectRows(v, 0, 0, {kUntouched, kUntouched, "0", kUntouched, kUntouched, "0"});
    expectRows(v, 1, 9, kUnused);
    expectRowsEnabled(v, 0, 9, false);
    expectColumn(v, AllowanceColumn::txtStateSgExp, {"1", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    expectColumn(v, AllowanceColumn::txtStateMarExp, {"2", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    expectAllowanceEnabled(v, 0, 0, true);
    expectAllowanceEnabled(v, 1, 9, false);
    EXPECT_TRUE(v.checked.empty());
    EXPECT_TRUE(v.visible.empty());
}

TEST(LouisianaPreset, StoredCountsAboveTwoAndSixShowZero)
{
    struct Case {
        float personal, dependents;
        const char *personalText, *dependentText;
    };
    const Case cases[] = {
        {2, 6, "2", "6"},
        {3, 7, "0", "0"},
        {57.69f, 1.54f, "0", "1.54"},  // Iowa's Standard and Credit columns before
        {2.5f, 6.01f, "0", "0"},       // the stored value is tested, not its count
        {0, 0, "0", "0"},
    };
    for (const Case &c : cases) {
        RecordingView v;
        PresetInput in = input(Pay::Weekly);
        in.stored.allowance[0] = {c.personal, c.dependents};
        LouisianaSet(v, in);
        EXPECT_EQ(v.textOf("txtStateSgExp(0)"), c.personalText) << c.personal;
        EXPECT_EQ(v.textOf("txtStateMarExp(0)"), c.dependentText) << c.dependents;
    }
}

TEST(ArizonaPreset, LeavesOnlyTheTwoRowZeroPercentagesOpen)
{
    RecordingView v;
    PresetInput in = input(Pay::Weekly);
    in.stored.single[0] = {100, 5, 0.27f};
    in.stored.married[0] = {100, 5, 0.0525f};
    in.stored.single[1] = {200, 9, 0.5f};  // not shown
    ArizonaSet(v, in);

    expectRows(v, 0, 0, {"999999", "0", "0.27", "999999", "0", "0.0525"});
    expectRows(v, 1, 9, kUnused);
    expectRowsEnabled(v, 1, 9, false);
    EXPECT_EQ(v.enabledOf("txtStatePerBS(0)"), true);
    EXPECT_EQ(v.enabledOf("txtStatePerBM(0)"), true);
    for (const char *locked : {"txtStateMinBS(0)", "txtStateAmtBS(0)", "txtStateMinBM(0)", "txtStateAmtBM(0)"})
        EXPECT_EQ(v.enabledOf(locked), false) << locked;
    const Column zeros{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    expectColumn(v, AllowanceColumn::txtStateSgExp, zeros);
    expectColumn(v, AllowanceColumn::txtStateMarExp, zeros);
    expectAllowanceEnabled(v, 0, 9, false);
    expectCaptions(v, {{"Label14", "Single"},
                       {"Label15", "Married"},
                       {"Label21", "BiWeekly"},
                       {"Label13", "# of Exemp"},
                       {"Label5", "Table for MARRIED Persons"}});
    expectExemptionRowsNumbered(v);
    EXPECT_EQ(v.enabledOf("Frame1"), std::nullopt);
    EXPECT_TRUE(v.checked.empty());
}

// ---------------------------------------------------------------- Iowa and Missouri

TEST(IowaPreset, LocksTheTablesAndLaysStandardAndCreditByFrequency)
{
    const Column biStandard{"57.69",  "57.69",  "138.46", "138.46", "138.46",
                            "138.46", "138.46", "138.46", "138.46", "138.46"};
    const Column biCredit{"0", "1.54", "3.08", "4.62", "6.16", "7.7", "9.24", "10.78", "12.32", "13.86"};
    const Column wkStandard{"28.85", "28.85", "69.23", "69.23", "69.23", "69.23", "69.23", "69.23", "69.23", "69.23"};
    const Column wkCredit{"0", "0.77", "1.54", "2.31", "3.08", "3.85", "4.62", "5.39", "6.16", "6.93"};
    for (Pay pay : {Pay::BiWeekly, Pay::Weekly, Pay::Neither}) {
        SCOPED_TRACE(payName(pay));
        RecordingView v;
        IowaSet(v, input(pay));
        const bool bi = pay == Pay::BiWeekly;
        expectColumn(v, AllowanceColumn::txtStateSgExp, bi ? biStandard : wkStandard);
        expectColumn(v, AllowanceColumn::txtStateMarExp, bi ? biCredit : wkCredit);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectRows(v, 0, 9, kUnused);
        expectRowsEnabled(v, 0, 9, false);
        for (const std::string &heading : kTableHeadings)
            EXPECT_EQ(v.enabledOf(heading), false) << heading;
        expectCaptions(
            v, {{"Label14", "Standard"}, {"Label15", "Credit"}, {"Label21", "BiWeekly"}, {"Label13", "# of Exemp"}});
        expectExemptionRowsNumbered(v);
        EXPECT_EQ(v.checkedOf("ckRoundOff"), true);
    }
}

TEST(MissouriPreset, StandardDeductionByFrequencyStatusAndWorkingSpouse)
{
    struct Case {
        Pay pay;
        const char *status;
        bool spouse;
        const char *standard;  // in all ten rows
    };
    const Case cases[] = {
        {Pay::BiWeekly, "Single", false, "192.31"},
        {Pay::BiWeekly, "Single", true, "192.31"},
        {Pay::Weekly, "Single", false, "96.15"},
        {Pay::Weekly, "Single", true, "96.15"},
        {Pay::BiWeekly, "Married", false, "384.62"},
        {Pay::Weekly, "Married", false, "192.31"},
        {Pay::BiWeekly, "Married", true, "192.31"},
        {Pay::Weekly, "Married", true, "96.15"},
        // No test holds: the column keeps what it showed.
        {Pay::BiWeekly, "married", false, "<untouched>"},
        {Pay::Neither, "Married", false, "<untouched>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(payName(c.pay)) + " " + c.status + (c.spouse ? " spouse works" : ""));
        RecordingView v;
        v.checked["ckSpouse"] = c.spouse;
        MissouriSet(v, input(c.pay, c.status));
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_EQ(v.textOf(box(AllowanceColumn::txtStateSgExp, i)), c.standard) << i;
        EXPECT_EQ(v.checkedOf("ckSpouse"), c.spouse);  // read, never written
        EXPECT_EQ(v.checkedOf("ckRoundOff"), true);
    }
}

TEST(MissouriPreset, LocksTheTablesAndLaysTheW4AllowanceByFrequency)
{
    const Column bi{"0", "46.15", "92.3", "138.45", "184.6", "230.75", "276.9", "323.05", "369.2", "415.35"};
    const Column wk{"0", "23.08", "46.16", "69.24", "92.32", "115.4", "138.48", "161.56", "184.64", "207.72"};
    for (Pay pay : {Pay::BiWeekly, Pay::Weekly, Pay::Neither}) {
        SCOPED_TRACE(payName(pay));
        RecordingView v;
        MissouriSet(v, input(pay, "lower case matches no Standard test"));
        expectColumn(v, AllowanceColumn::txtStateMarExp, pay == Pay::BiWeekly ? bi : wk);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectRows(v, 0, 9, kUnused);
        expectRowsEnabled(v, 0, 9, false);
        for (const std::string &heading : kTableHeadings)
            EXPECT_EQ(v.enabledOf(heading), false) << heading;
        expectCaptions(
            v,
            {{"Label14", "Standard"}, {"Label15", "W4 Allowance"}, {"Label21", "BiWeekly"}, {"Label13", "# of Exemp"}});
        expectExemptionRowsNumbered(v);
    }
}

// ---------------------------------------------------------------- Massachusetts

TEST(MassPreset, OneRateLineAndTwoLikeExemptionColumns)
{
    for (Pay pay : {Pay::BiWeekly, Pay::Weekly}) {
        SCOPED_TRACE(payName(pay));
        RecordingView v;
        MassSet(v, input(pay));
        expectRows(v, 0, 0, {"0", "0", "0.053", "0", "0", "0.053"});
        expectRowsEnabled(v, 0, 0, true);
        expectRows(v, 1, 9, kUnused);
        expectRowsEnabled(v, 1, 9, false);
        const Column amounts{"0", "138", "177", "216", "255", "294", "333", "372", "411", "450"};
        expectColumn(v, AllowanceColumn::txtStateSgExp, amounts);
        expectColumn(v, AllowanceColumn::txtStateMarExp, amounts);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectExemptionRowsNumbered(v);
        // Only the row numbers are recaptioned; nothing else is greyed.
        EXPECT_EQ(v.caption.size(), 10u);
        for (const std::string &heading : kTableHeadings)
            EXPECT_EQ(v.enabledOf(heading), std::nullopt) << heading;
        EXPECT_TRUE(v.checked.empty());
    }
}

// ---------------------------------------------------------------- Oregon

// A store with a table of its own, SDI and SUI, an adjustment and the user
// information settings, taken as the editor's store holds them.
ProgramState oregonStore()
{
    ProgramState st;
    StateSettings &s = st.stateSettings;
    for (std::size_t i = 0; i < 10; ++i) {
        s.StateTable.single[i] = {100.f * i, 1.5f * i, 0.0525f};
        s.StateTable.married[i] = {200.f * i, 2.25f * i, 0.0665f};
        s.StateAllowance[i] = {10.f + i, 20.f + i};
    }
    s.SDIPercent = 1.2f;
    s.SDIWageBase = 7000;
    s.SUIPercent = 3.4f;
    s.SUIWageBase = 8000;
    s.StateAdjust = -2.5f;
    s.NoStateTax = 0;
    s.SDIUseBase = 1;
    s.SUIUseBase = 0;
    s.SpecialKentucky = 1;  // saved with Kentucky
    ProfileSettings &p = st.profile;
    p.CalAllow = 12.75f;
    p.SpouseWorks = 1;
    p.RoundState = 0;
    p.SpecialOkla = 1;
    p.StateStatus = "Married";
    p.StateExemptions = 3;
    p.FedAdditional = 12.5f;
    p.FedExempt = 0;
    p.SSMediExempt = 1;
    return st;
}

TEST(OregonPreset, PutsTheStoreBackThenLaysOregonByFrequency)
{
    struct Case {
        Pay pay;
        const char *caption;
        Row line1, line2;
        Column credit;
    };
    const Case cases[] = {
        {Pay::Weekly,
         "WEEKLY",
         {"6", "0", "0.07", "52", "0", "0.07"},
         {"154", "10", "0.09", "309", "18", "0.09"},
         {"0", "2.75", "5.5", "8.25", "11", "13.75", "16.5", "19.25", "22", "24.75"}},
        {Pay::BiWeekly,
         "BIWEEKLY",
         {"12", "0", "0.07", "105", "0", "0.07"},
         {"309", "21", "0.09", "618", "36", "0.09"},
         {"0", "5.5", "11", "16.5", "22", "27.5", "33", "38.5", "44", "49.5"}},
        {Pay::Neither,
         "BIWEEKLY",
         {"12", "0", "0.07", "105", "0", "0.07"},
         {"309", "21", "0.09", "618", "36", "0.09"},
         {"0", "5.5", "11", "16.5", "22", "27.5", "33", "38.5", "44", "49.5"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(payName(c.pay));
        RecordingView v;
        PresetInput in = input(c.pay);
        in.stored = storedSettings(oregonStore());
        OregonSet(v, in);

        expectRows(v, 0, 0, {"0", "0", "0", "0", "0", "0"});
        expectRows(v, 1, 1, c.line1);
        expectRows(v, 2, 2, c.line2);
        expectRows(v, 3, 9, kUnused);
        expectRowsEnabled(v, 0, 2, true);
        expectRowsEnabled(v, 3, 9, false);
        expectColumn(v, AllowanceColumn::txtStateSgExp, c.credit);
        expectColumn(v, AllowanceColumn::txtStateMarExp, c.credit);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectCaptions(v, {{"Label19", c.caption}, {"Label20", c.caption}, {"Label21", c.caption}});
        expectExemptionRowsNumbered(v);
        for (const char *untouched : {"Label13", "Label14", "Label15"})
            EXPECT_EQ(v.captionOf(untouched), kUntouched);

        // The single boxes, check boxes and user information from the store.
        EXPECT_EQ(v.textOf("txtSDIpercent"), "1.2");
        EXPECT_EQ(v.textOf("txtSUIpercent"), "3.4");
        EXPECT_EQ(v.textOf("txtSDIwageBase"), "7000");
        EXPECT_EQ(v.textOf("txtSUIwageBase"), "8000");
        EXPECT_EQ(v.textOf("txtStateAdj"), "-2.5");
        EXPECT_EQ(v.textOf("txtCalAllow"), "12.75");
        EXPECT_EQ(v.checkedOf("ckNoStateTax"), false);
        EXPECT_EQ(v.checkedOf("ckSDI"), true);
        EXPECT_EQ(v.checkedOf("ckSUI"), false);
        EXPECT_EQ(v.checkedOf("ckSpouse"), true);
        EXPECT_EQ(v.checkedOf("ckRoundOff"), false);
        ASSERT_TRUE(v.userInfo);
        EXPECT_EQ(*v.userInfo, (UserInfoShown{"3", "Married", "12.5", 0, 1}));
        // The switches: only Oklahoma is cleared; the stored Kentucky flag
        // does not come back.
        EXPECT_EQ(v.checkedOf("ckOkla"), false);
        EXPECT_EQ(v.checkedOf("ckKentucky"), std::nullopt);
        EXPECT_EQ(v.switchesOn(), "");
    }
}

TEST(OregonPreset, AStoredNoStateTaxComesBackAndTheRowsAreLaidAfterIt)
{
    RecordingView v;
    ProgramState st = oregonStore();
    st.stateSettings.NoStateTax = 1;
    // NO STATE TAX's handler blanks the tables, as the window's does.
    v.onClick = [&](StateCheck c, bool on) {
        if (c == StateCheck::ckNoStateTax && on)
            for (std::size_t i = 0; i < 10; ++i)
                for (BracketColumn col : kRowColumns)
                    v.setBracketText(col, i, "blank");
    };
    OregonSet(v, {storedSettings(st), input(Pay::BiWeekly).userInfo});
    EXPECT_EQ(v.checkedOf("ckNoStateTax"), true);
    expectRows(v, 1, 1, {"12", "0", "0.07", "105", "0", "0.07"});
    expectRows(v, 3, 9, kUnused);
}

TEST(OregonPreset, StoredSwitchValuesComeBackAsStoredGrayedIncluded)
{
    RecordingView v;
    ProgramState st = oregonStore();
    st.stateSettings.SDIUseBase = 2;  // grayed: no SDI at all, not a flat amount
    st.stateSettings.SUIUseBase = 1;
    st.profile.RoundState = 2;
    std::vector<std::string> clicks;
    v.onClick = [&](StateCheck c, bool) { clicks.emplace_back(controlName(c)); };
    OregonSet(v, {storedSettings(st), input(Pay::BiWeekly).userInfo});
    EXPECT_EQ(v.valueOf("ckSDI"), 2);
    EXPECT_EQ(v.valueOf("ckSUI"), 1);
    EXPECT_EQ(v.valueOf("ckRoundOff"), 2);
    EXPECT_EQ(v.checkedOf("ckRoundOff"), false);  // grayed is not on
    // Every box that changed ran its handler, in the preset's order.
    EXPECT_EQ(clicks, (std::vector<std::string>{"ckSDI", "ckSUI", "ckSpouse", "ckRoundOff"}));
}

// ---------------------------------------------------------------- Kentucky

TEST(KentuckyPreset, FiveLinesByFrequencyAndTheCaptionsGreyedForWeekly)
{
    struct Case {
        Pay pay;
        std::array<Row, 5> lines;
        Column credit;
        bool captionsEnabled;
    };
    const std::array<Row, 5> bi{{{"115.38", "73.46", "0.02", "115.38", "73.46", "0.02"},
                                 {"153.84", "73.46", "0.03", "153.84", "73.46", "0.03"},
                                 {"192.3", "73.46", "0.04", "192.3", "73.46", "0.04"},
                                 {"307.69", "73.46", "0.05", "307.69", "73.46", "0.05"},
                                 {"615.37", "73.46", "0.06", "615.37", "73.46", "0.06"}}};
    const std::array<Row, 5> wk{{{"57.69", "36.73", "0.02", "57.69", "36.73", "0.02"},
                                 {"76.92", "36.73", "0.03", "76.92", "36.73", "0.03"},
                                 {"96.15", "36.73", "0.04", "96.15", "36.73", "0.04"},
                                 {"153.85", "36.73", "0.05", "153.85", "36.73", "0.05"},
                                 {"307.69", "36.73", "0.06", "307.69", "36.73", "0.06"}}};
    const Column biCredit{"0", "0.77", "1.54", "2.31", "3.08", "3.85", "4.62", "5.39", "6.16", "6.93"};
    const Column wkCredit{"0", "0.385", "0.77", "1.155", "1.54", "1.925", "2.31", "2.695", "3.08", "3.465"};
    const Case cases[] = {
        {Pay::BiWeekly, bi, biCredit, true},
        {Pay::Weekly, wk, wkCredit, false},
        {Pay::Neither, wk, wkCredit, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(payName(c.pay));
        RecordingView v;
        KentuckySet(v, input(c.pay));
        for (std::size_t i = 0; i < 5; ++i)
            expectRows(v, i, i, c.lines[i]);
        expectRows(v, 5, 9, kUnused);
        expectRowsEnabled(v, 0, 4, true);
        expectRowsEnabled(v, 5, 9, false);
        expectColumn(v, AllowanceColumn::txtStateSgExp, c.credit);
        expectColumn(v, AllowanceColumn::txtStateMarExp, c.credit);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        for (const char *label : {"Label19", "Label20", "Label21"}) {
            EXPECT_EQ(v.enabledOf(label), c.captionsEnabled) << label;
            EXPECT_EQ(v.captionOf(label), kUntouched) << label;
        }
        expectExemptionRowsNumbered(v);
        EXPECT_TRUE(v.checked.empty());
    }
}

// ---------------------------------------------------------------- Oklahoma and Alabama

TEST(OklahomaAndAlabamaPresets, EmptyAndLockEveryTableAndAllowanceBox)
{
    for (Preset preset : {&OklaSet, &AlabamaSet}) {
        RecordingView v;
        preset(v, input(Pay::BiWeekly));
        expectRows(v, 0, 9, {"", "", "", "", "", ""});
        expectRowsEnabled(v, 0, 9, false);
        const Column empty{"", "", "", "", "", "", "", "", "", ""};
        expectColumn(v, AllowanceColumn::txtStateSgExp, empty);
        expectColumn(v, AllowanceColumn::txtStateMarExp, empty);
        expectAllowanceEnabled(v, 0, 9, false);
        expectExemptionRowsNumbered(v);
        EXPECT_EQ(v.caption.size(), 10u);
        EXPECT_TRUE(v.checked.empty());
        EXPECT_TRUE(v.visible.empty());
    }
}

// ---------------------------------------------------------------- Wisconsin and North Carolina

TEST(WisconsinPreset, SevenLinesForBothFrequenciesEveryLineOpen)
{
    const std::array<Row, 7> lines{{
        {"0", "0", "0", "0", "0", "0"},
        {"153.85", "0", "0.046", "211.54", "0", "0.046"},
        {"408.46", "11.73", "0.05154", "518.08", "14.12", "0.0615"},
        {"454.81", "14.12", "0.06888", "575", "17.62", "0.0738"},
        {"716.5", "32.15", "0.0728", "771.81", "32.15", "0.078"},
        {"1690.5", "103.08", "0.065", "1632.69", "99.31", "0.065"},
        {"4428.46", "281.04", "0.0675", "4428.46", "281.04", "0.0675"},
    }};
    const Column credit{"0", "0.85", "1.7", "2.55", "3.4", "4.25", "5.1", "5.95", "6.8", "7.65"};
    for (Pay pay : {Pay::BiWeekly, Pay::Weekly}) {
        SCOPED_TRACE(payName(pay));
        RecordingView v;
        WisconsinSet(v, input(pay));
        for (std::size_t i = 0; i < 7; ++i)
            expectRows(v, i, i, lines[i]);
        expectRows(v, 7, 9, kUnused);
        expectRowsEnabled(v, 0, 9, true);
        expectColumn(v, AllowanceColumn::txtStateSgExp, credit);
        expectColumn(v, AllowanceColumn::txtStateMarExp, credit);
        // The allowance boxes stay as an earlier preset left them.
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectExemptionRowsNumbered(v);
        EXPECT_EQ(v.caption.size(), 10u);
    }
}

TEST(NorthCarolinaPreset, FiveLinesWhoseAmountIsSubtractedAndAnAllowancePerExemption)
{
    for (Pay pay : {Pay::BiWeekly, Pay::Weekly}) {
        SCOPED_TRACE(payName(pay));
        RecordingView v;
        NCSet(v, input(pay));
        expectRows(v, 0, 0, {"0", "0", "0", "0", "0", "0"});
        expectRows(v, 1, 1, {"115.38", "6.92", "0.06", "115.38", "6.92", "0.06"});
        expectRows(v, 2, 2, {"605.77", "12.98", "0.07", "524.04", "12.16", "0.07"});
        expectRows(v, 3, 3, {"2423.08", "31.15", "0.0775", "2038.46", "27.45", "0.0775"});
        expectRows(v, 4, 4, {"4730.77", "54.8", "0.0825", "3961.54", "47.26", "0.0825"});
        expectRows(v, 5, 9, kUnused);
        expectRowsEnabled(v, 0, 9, true);
        const Column allowance{"0",      "96.15", "192.3",  "288.45", "384.6",
                               "480.75", "576.9", "673.05", "769.2",  "865.35"};
        expectColumn(v, AllowanceColumn::txtStateSgExp, allowance);
        expectColumn(v, AllowanceColumn::txtStateMarExp, allowance);
        expectAllowanceEnabled(v, 0, 9, std::nullopt);
        expectExemptionRowsNumbered(v);
        EXPECT_EQ(v.caption.size(), 10u);
        EXPECT_TRUE(v.enabled.size() == 60u);  // the bracket boxes only
    }
}

}  // namespace
