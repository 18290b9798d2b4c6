#include "special_states/presets.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "legacy/numerics.h"

namespace wagedesk::special_states {

namespace {

using B = BracketColumn;
using A = AllowanceColumn;

// One bracket line as the preset types it: Single Minimum, Amount,
// Percentage, then Married Minimum, Amount, Percentage.
using RowTexts = std::array<std::string_view, 6>;

constexpr RowTexts kUnusedRow{"999999", "0", "0", "999999", "0", "0"};
constexpr RowTexts kZeroRow{"0", "0", "0", "0", "0", "0"};
constexpr RowTexts kEmptyRow{"", "", "", "", "", ""};

// The frame and the headings of the bracket tables, which Iowa and Missouri
// grey.
constexpr std::string_view kTableHeadings[] = {"Frame1", "Label1", "Label2", "Label3",  "Label4",  "Label6", "Label19",
                                               "Label5", "Label8", "Label9", "Label10", "Label11", "Label20"};

// A built-in figure worked out by a rule (credit per exemption times the
// count): its decimal text to fifteen digits, so 96.15 x 3 reads "288.45".
std::string figure(double value) { return legacy::doubleToText(value); }

// Row i of a column that holds per x i, row 0 "0".
std::string perExemption(double per, std::size_t i)
{
    return i == 0 ? std::string("0") : figure(per * static_cast<double>(i));
}

// A stored 32-bit value.
std::string stored(float value) { return legacy::floatToText(value); }

void setRow(StateEditorView &v, std::size_t row, const RowTexts &texts)
{
    for (std::size_t c = 0; c < 6; ++c)
        v.setBracketText(kRowColumns[c], row, texts[c]);
}

void enableRow(StateEditorView &v, std::size_t row, bool enabled)
{
    for (BracketColumn c : kRowColumns)
        v.setBracketEnabled(c, row, enabled);
}

void setAllowanceRow(StateEditorView &v, std::size_t row, std::string_view text)
{
    v.setAllowanceText(A::txtStateSgExp, row, text);
    v.setAllowanceText(A::txtStateMarExp, row, text);
}

void enableAllowanceRow(StateEditorView &v, std::size_t row, bool enabled)
{
    v.setAllowanceEnabled(A::txtStateSgExp, row, enabled);
    v.setAllowanceEnabled(A::txtStateMarExp, row, enabled);
}

// The exemption rows numbered "0" to "9".
void numberExemptionRows(StateEditorView &v)
{
    for (std::size_t i = 0; i < 10; ++i)
        v.setCaption(controlName("Label27", i), std::to_string(i));
}

// Both allowance columns, row by row.
void allowanceRule(StateEditorView &v, double per)
{
    for (std::size_t i = 0; i < 10; ++i)
        setAllowanceRow(v, i, perExemption(per, i));
}

// The Single column from 0 to 9, then the Married column (Oregon and
// Kentucky write them in that order).
void allowanceRuleByColumn(StateEditorView &v, double per)
{
    for (A column : {A::txtStateSgExp, A::txtStateMarExp})
        for (std::size_t i = 0; i < 10; ++i)
            v.setAllowanceText(column, i, perExemption(per, i));
}

// Iowa and Missouri keep no bracket table: every line greyed and unused.
void lockTablesUnused(StateEditorView &v)
{
    for (std::string_view control : kTableHeadings)
        v.setEnabled(control, false);
    numberExemptionRows(v);
    for (std::size_t i = 0; i < 10; ++i) {
        enableRow(v, i, false);
        setRow(v, i, kUnusedRow);
    }
}

void LouisianaLayout(StateEditorView &v, const StoredSettings &s)
{
    v.setBracketText(B::txtStatePerBS, 0, "0");
    v.setBracketText(B::txtStatePerBM, 0, "0");
    for (std::size_t i = 1; i < 10; ++i)
        setRow(v, i, kUnusedRow);
    // Row 0's ranges and amounts are locked but keep their text.
    for (std::size_t i = 0; i < 10; ++i)
        enableRow(v, i, false);
    for (std::size_t i = 1; i < 10; ++i)
        setAllowanceRow(v, i, "0");
    v.setAllowanceText(A::txtStateSgExp, 0, stored(s.allowance[0].single));
    v.setAllowanceText(A::txtStateMarExp, 0, stored(s.allowance[0].married));
    for (std::size_t i = 1; i < 10; ++i)
        enableAllowanceRow(v, i, false);
}

void ArizonaLayout(StateEditorView &v, const StoredSettings &s)
{
    for (std::size_t i = 0; i < 10; ++i) {
        v.setBracketText(B::txtStateMinBS, i, "999999");
        v.setBracketText(B::txtStateAmtBS, i, "0");
        v.setBracketText(B::txtStateMinBM, i, "999999");
        v.setBracketText(B::txtStateAmtBM, i, "0");
        enableRow(v, i, false);
    }
    for (std::size_t i = 1; i < 10; ++i) {
        v.setBracketText(B::txtStatePerBM, i, "0");
        v.setBracketText(B::txtStatePerBS, i, "0");
    }
    for (std::size_t i = 0; i < 10; ++i) {
        setAllowanceRow(v, i, "0");
        enableAllowanceRow(v, i, false);
    }
    v.setCaption("Label14", "Single");
    v.setCaption("Label15", "Married");
    v.setCaption("Label21", "BiWeekly");
    v.setCaption("Label13", "# of Exemp");
    numberExemptionRows(v);
    v.setBracketEnabled(B::txtStatePerBM, 0, true);
    v.setBracketEnabled(B::txtStatePerBS, 0, true);
    v.setBracketText(B::txtStatePerBS, 0, stored(s.single[0].percentage));
    v.setBracketText(B::txtStatePerBM, 0, stored(s.married[0].percentage));
}

// Oklahoma and Alabama: the formulas read no table, so every box is
// emptied and locked.
void emptyAndLock(StateEditorView &v)
{
    numberExemptionRows(v);
    for (std::size_t i = 5; i < 10; ++i) {
        enableRow(v, i, false);
        setRow(v, i, kEmptyRow);
    }
    for (std::size_t i = 0; i < 5; ++i)
        enableRow(v, i, false);
    for (std::size_t i = 0; i < 5; ++i)
        setRow(v, i, kEmptyRow);
    for (std::size_t i = 0; i < 10; ++i) {
        setAllowanceRow(v, i, "");
        enableAllowanceRow(v, i, false);
    }
}

// Iowa's Standard and Credit columns, bi-weekly and weekly.
constexpr std::array<std::string_view, 10> kIowaStandardBiWeekly{"57.69",  "57.69",  "138.46", "138.46", "138.46",
                                                                 "138.46", "138.46", "138.46", "138.46", "138.46"};
constexpr std::array<std::string_view, 10> kIowaStandardWeekly{"28.85", "28.85", "69.23", "69.23", "69.23",
                                                               "69.23", "69.23", "69.23", "69.23", "69.23"};

// Oregon's lines 1 and 2 by frequency.
constexpr RowTexts kOregonWeekly1{"6", "0", "0.07", "52", "0", "0.07"};
constexpr RowTexts kOregonWeekly2{"154", "10", "0.09", "309", "18", "0.09"};
constexpr RowTexts kOregonBiWeekly1{"12", "0", "0.07", "105", "0", "0.07"};
constexpr RowTexts kOregonBiWeekly2{"309", "21", "0.09", "618", "36", "0.09"};

// Kentucky's lines 0 to 4: the bracket's upper limit, the standard
// deduction and the rate, Single and Married alike.
struct KentuckyLine {
    std::string_view minimum, amount, percentage;
};
constexpr std::array<KentuckyLine, 5> kKentuckyBiWeekly{{
    {"115.38", "73.46", "0.02"},
    {"153.84", "73.46", "0.03"},
    {"192.3", "73.46", "0.04"},
    {"307.69", "73.46", "0.05"},
    {"615.37", "73.46", "0.06"},
}};
constexpr std::array<KentuckyLine, 5> kKentuckyWeekly{{
    {"57.69", "36.73", "0.02"},
    {"76.92", "36.73", "0.03"},
    {"96.15", "36.73", "0.04"},
    {"153.85", "36.73", "0.05"},
    {"307.69", "36.73", "0.06"},
}};

constexpr std::array<RowTexts, 7> kWisconsin{{
    {"0", "0", "0", "0", "0", "0"},
    {"153.85", "0", "0.046", "211.54", "0", "0.046"},
    {"408.46", "11.73", "0.05154", "518.08", "14.12", "0.0615"},
    {"454.81", "14.12", "0.06888", "575", "17.62", "0.0738"},
    {"716.5", "32.15", "0.0728", "771.81", "32.15", "0.078"},
    {"1690.5", "103.08", "0.065", "1632.69", "99.31", "0.065"},
    {"4428.46", "281.04", "0.0675", "4428.46", "281.04", "0.0675"},
}};

// North Carolina's lines 1 to 4 (line 0 is all zeros). Its Amount column
// is subtracted from wages times rate.
constexpr std::array<RowTexts, 4> kNorthCarolina{{
    {"115.38", "6.92", "0.06", "115.38", "6.92", "0.06"},
    {"605.77", "12.98", "0.07", "524.04", "12.16", "0.07"},
    {"2423.08", "31.15", "0.0775", "2038.46", "27.45", "0.0775"},
    {"4730.77", "54.8", "0.0825", "3961.54", "47.26", "0.0825"},
}};

}  // namespace

StoredSettings storedSettings(const ProgramState &store)
{
    const StateSettings &s = store.stateSettings;
    const ProfileSettings &p = store.profile;
    StoredSettings out;
    out.single = s.StateTable.single;
    out.married = s.StateTable.married;
    out.allowance = s.StateAllowance;
    out.SDIPercent = s.SDIPercent;
    out.SDIWageBase = s.SDIWageBase;
    out.SUIPercent = s.SUIPercent;
    out.SUIWageBase = s.SUIWageBase;
    out.StateAdjust = s.StateAdjust;
    out.CalAllow = p.CalAllow;
    out.NoStateTax = s.NoStateTax;
    out.SDIUseBase = s.SDIUseBase;
    out.SUIUseBase = s.SUIUseBase;
    out.SpouseWorks = p.SpouseWorks;
    out.RoundState = p.RoundState;
    out.StateStatus = p.StateStatus;
    out.StateExemptions = p.StateExemptions;
    out.FedAdditional = p.FedAdditional;
    out.FedExempt = p.FedExempt;
    out.SSMediExempt = p.SSMediExempt;
    return out;
}

void LouisianaSet(StateEditorView &v, const PresetInput &in)
{
    const StoredSettings &s = in.stored;
    v.setCaption("Label14", "Personal");
    v.setCaption("Label15", "Dependent");
    v.setCaption("Label21", "Enter Number Of");
    v.setCaption("Label13", "");
    v.setCaption("Label5", "Table for MARRIED Persons");
    for (std::size_t i = 0; i < 10; ++i)
        v.setCaption(controlName("Label27", i), "");
    LouisianaLayout(v, s);
    // The limits test the stored counts, not what the boxes show.
    if (s.allowance[0].single > 2)
        v.setAllowanceText(A::txtStateSgExp, 0, "0");
    if (s.allowance[0].married > 6)
        v.setAllowanceText(A::txtStateMarExp, 0, "0");
    enableAllowanceRow(v, 0, true);
}

void ArizonaSet(StateEditorView &v, const PresetInput &in)
{
    ArizonaLayout(v, in.stored);
    v.setCaption("Label5", "Table for MARRIED Persons");
}

void IowaSet(StateEditorView &v, const PresetInput &in)
{
    v.setCaption("Label14", "Standard");
    v.setCaption("Label15", "Credit");
    v.setCaption("Label21", "BiWeekly");
    v.setCaption("Label13", "# of Exemp");
    lockTablesUnused(v);
    const bool biWeekly = in.userInfo.optBiWeek;
    const auto &standard = biWeekly ? kIowaStandardBiWeekly : kIowaStandardWeekly;
    const double credit = biWeekly ? 1.54 : 0.77;
    for (std::size_t i = 0; i < 10; ++i) {
        v.setAllowanceText(A::txtStateSgExp, i, standard[i]);
        v.setAllowanceText(A::txtStateMarExp, i, perExemption(credit, i));
    }
    v.setChecked(StateCheck::ckRoundOff, true);
}

void MissouriSet(StateEditorView &v, const PresetInput &in)
{
    v.setCaption("Label14", "Standard");
    v.setCaption("Label15", "W4 Allowance");
    v.setCaption("Label21", "BiWeekly");
    v.setCaption("Label13", "# of Exemp");
    lockTablesUnused(v);

    // Six separate tests; with another status text or no frequency chosen
    // the Standard column keeps what it shows.
    const UserInfoLive &u = in.userInfo;
    const bool spouse = v.isChecked(StateCheck::ckSpouse);
    struct StandardTest {
        bool biWeekly;
        std::string_view status;
        int spouse;  // -1: either
        std::string_view text;
    };
    static constexpr StandardTest kTests[] = {
        {true, "Single", -1, "192.31"},   // 5000 / 26
        {false, "Single", -1, "96.15"},   // 5000 / 52
        {true, "Married", 0, "384.62"},   // 10000 / 26
        {false, "Married", 0, "192.31"},  // 10000 / 52
        {true, "Married", 1, "192.31"},   // 5000 / 26
        {false, "Married", 1, "96.15"},   // 5000 / 52
    };
    for (const StandardTest &t : kTests) {
        const bool option = t.biWeekly ? u.optBiWeek : u.optWeek;
        if (option && u.cboStatus2 == t.status && (t.spouse < 0 || (t.spouse == 1) == spouse))
            for (std::size_t i = 0; i < 10; ++i)
                v.setAllowanceText(A::txtStateSgExp, i, t.text);
    }

    const double allowance = u.optBiWeek ? 46.15 : 23.08;
    for (std::size_t i = 0; i < 10; ++i)
        v.setAllowanceText(A::txtStateMarExp, i, perExemption(allowance, i));

    // Missouri is always brought to whole dollars (the formula turns the
    // switch on too; its amount here would be thrown away).
    v.setChecked(StateCheck::ckRoundOff, true);
}

void MassSet(StateEditorView &v, const PresetInput &)
{
    numberExemptionRows(v);
    for (std::size_t i = 1; i < 10; ++i) {
        enableRow(v, i, false);
        setRow(v, i, kUnusedRow);
    }
    enableRow(v, 0, true);
    setRow(v, 0, {"0", "0", "0.053", "0", "0", "0.053"});
    // 138 for one exemption and 39 more for each further one.
    for (std::size_t i = 0; i < 10; ++i)
        setAllowanceRow(v, i, i == 0 ? std::string("0") : figure(138.0 + 39.0 * static_cast<double>(i - 1)));
}

void OregonSet(StateEditorView &v, const PresetInput &in)
{
    const StoredSettings &s = in.stored;
    for (std::size_t i = 0; i < 10; ++i) {
        v.setBracketText(B::txtStateMinBS, i, stored(s.single[i].minimum));
        v.setBracketText(B::txtStateAmtBS, i, stored(s.single[i].amount));
        v.setBracketText(B::txtStatePerBS, i, stored(s.single[i].percentage));
        v.setBracketText(B::txtStateMinBM, i, stored(s.married[i].minimum));
        v.setBracketText(B::txtStateAmtBM, i, stored(s.married[i].amount));
        v.setBracketText(B::txtStatePerBM, i, stored(s.married[i].percentage));
    }
    for (std::size_t i = 0; i < 10; ++i) {
        v.setAllowanceText(A::txtStateSgExp, i, stored(s.allowance[i].single));
        v.setAllowanceText(A::txtStateMarExp, i, stored(s.allowance[i].married));
    }
    v.setBoxText(StateBox::txtSDIpercent, stored(s.SDIPercent));
    v.setBoxText(StateBox::txtSUIpercent, stored(s.SUIPercent));
    v.setBoxText(StateBox::txtSDIwageBase, stored(s.SDIWageBase));
    v.setBoxText(StateBox::txtSUIwageBase, stored(s.SUIWageBase));
    v.setBoxText(StateBox::txtStateAdj, stored(s.StateAdjust));
    v.setBoxText(StateBox::txtCalAllow, stored(s.CalAllow));
    // The eleven switches stay as they are: copying the stored flags back
    // would turn a saved state on beside the one just pressed.
    // As stored: a grayed Use Base stays grayed and withholds nothing.
    v.setValue(StateCheck::ckNoStateTax, s.NoStateTax);
    v.setValue(StateCheck::ckSDI, s.SDIUseBase);
    v.setValue(StateCheck::ckSUI, s.SUIUseBase);
    v.setValue(StateCheck::ckSpouse, s.SpouseWorks);
    v.setValue(StateCheck::ckRoundOff, s.RoundState);
    v.setOn(SpecialState::Oklahoma, false);
    v.setUserInfo(
        {std::to_string(s.StateExemptions), s.StateStatus, stored(s.FedAdditional), s.FedExempt, s.SSMediExempt});

    numberExemptionRows(v);
    for (std::size_t i = 3; i < 10; ++i) {
        enableRow(v, i, false);
        setRow(v, i, kUnusedRow);
    }
    for (std::size_t i = 0; i < 3; ++i)
        enableRow(v, i, true);
    setRow(v, 0, kZeroRow);
    const bool weekly = in.userInfo.optWeek;
    for (std::string_view label : {"Label19", "Label20", "Label21"})
        v.setCaption(label, weekly ? "WEEKLY" : "BIWEEKLY");
    setRow(v, 1, weekly ? kOregonWeekly1 : kOregonBiWeekly1);
    setRow(v, 2, weekly ? kOregonWeekly2 : kOregonBiWeekly2);
    allowanceRuleByColumn(v, weekly ? 2.75 : 5.5);
}

void KentuckySet(StateEditorView &v, const PresetInput &in)
{
    numberExemptionRows(v);
    const bool biWeekly = in.userInfo.optBiWeek;
    // Greyed, not recaptioned, for weekly figures.
    for (std::string_view label : {"Label19", "Label20", "Label21"})
        v.setEnabled(label, biWeekly);
    for (std::size_t i = 5; i < 10; ++i) {
        enableRow(v, i, false);
        setRow(v, i, kUnusedRow);
    }
    for (std::size_t i = 0; i < 5; ++i)
        enableRow(v, i, true);
    const auto &lines = biWeekly ? kKentuckyBiWeekly : kKentuckyWeekly;
    for (std::size_t i = 0; i < 5; ++i) {
        const KentuckyLine &l = lines[i];
        setRow(v, i, {l.minimum, l.amount, l.percentage, l.minimum, l.amount, l.percentage});
    }
    allowanceRuleByColumn(v, biWeekly ? 0.77 : 0.385);
}

void OklaSet(StateEditorView &v, const PresetInput &) { emptyAndLock(v); }

void AlabamaSet(StateEditorView &v, const PresetInput &) { emptyAndLock(v); }

void WisconsinSet(StateEditorView &v, const PresetInput &)
{
    numberExemptionRows(v);
    for (std::size_t i = 7; i < 10; ++i)
        setRow(v, i, kUnusedRow);
    for (std::size_t i = 0; i < 10; ++i)
        enableRow(v, i, true);
    for (std::size_t i = 0; i < kWisconsin.size(); ++i)
        setRow(v, i, kWisconsin[i]);
    allowanceRule(v, 0.85);
}

void NCSet(StateEditorView &v, const PresetInput &)
{
    numberExemptionRows(v);
    for (std::size_t i = 5; i < 10; ++i)
        setRow(v, i, kUnusedRow);
    for (std::size_t i = 0; i < 10; ++i)
        enableRow(v, i, true);
    setRow(v, 0, kZeroRow);
    for (std::size_t i = 0; i < kNorthCarolina.size(); ++i)
        setRow(v, i + 1, kNorthCarolina[i]);
    allowanceRule(v, 96.15);
}

}  // namespace wagedesk::special_states
