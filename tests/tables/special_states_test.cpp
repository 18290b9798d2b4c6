// The eleven special states through the windows: a switch pressed with the
// mouse or Space in the state editor, its preset in the real boxes, SAVE,
// Calculate and the state tax label, with the profile files in a temporary
// folder.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Forms;
using platform::Ui;

class SpecialStates : public EditorTest {
protected:
    // The box as the user presses it: the mouse on its square (a box is
    // wider than its caption in the layout), or Space.
    static void click(QCheckBox *box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, square.center());
    }
    static void space(QCheckBox *box) { QTest::keyClick(box, Qt::Key_Space); }

    static std::string on(const DialogState &d)
    {
        std::string names;
        for (const special_states::SpecialStateInfo &s : special_states::specialStates())
            if (d.switchOf(s.state)->isChecked())
                names += (names.empty() ? "" : " ") + std::string(s.switchName);
        return names;
    }
    static QString text(const DialogState &d, const char *name)
    {
        if (auto *box = d.findChild<QLineEdit *>(QLatin1String(name)))
            return box->text();
        return d.findChild<QLabel *>(QLatin1String(name))->text();
    }
    static bool enabled(const DialogState &d, const char *name)
    {
        return d.findChild<QWidget *>(QLatin1String(name))->isEnabled();
    }
};

// ---------------------------------------------------------------- withholding

// The worked example's employee, Single with no exemptions: weekly 40 hours
// make 600 with 75.50 federal (13.70 + 15 % over 188), 37.20 Social Security
// and 8.70 Medicare; bi-weekly 80 hours make 1200 with 150.95 federal
// (27.50 + 15 % over 377).
TEST_F(SpecialStates, EachStatePressedSavedAndCalculatedWithholdsByItsFormula)
{
    struct Case {
        const char *name;
        QCheckBox *DialogState::*box;
        bool biWeekly;
        std::function<void(DialogState &)> typed;  // what the user types before SAVE
        const char *state;
    };
    // clang-format off
    const std::vector<Case> cases{
        // 75.50 x the Single share typed into line 1's percentage
        {"Arizona", &DialogState::ckAriz, false, [](DialogState &d) { type(d.txtStatePerBS[0], QStringLiteral("0.2")); }, "15.10"},
        // one personal exemption: .021 x 1200 + .0135 x 719.23 + .0135 x
        // 238.46 - .021 x 173.08
        {"Louisiana", &DialogState::ckLouis, true, [](DialogState &d) { type(d.txtStateSgExp[0], QStringLiteral("1")); }, "34.49"},
        // 600 - 75.50 - 28.85 = 495.65: 23.80806 + 7.58 x .068, whole dollars
        {"Iowa weekly", &DialogState::ckIowa, false, nullptr, "24.00"},
        // 1200 - 150.95 - 57.69 = 991.36: 47.617326 + 15.19 x .068
        {"Iowa bi-weekly", &DialogState::ckIowa, true, nullptr, "49.00"},
        // before April 2005: 22.201099 + 72.57 x .0752 = 27.66
        {"Iowa, prior period", &DialogState::ckIowa, false,
         [](DialogState &) { Forms::get<Form1>().ckIowaPrior->click(); }, "28.00"},
        // 1200 - 150.95 - 192.31 = 856.74: 12.1275 + 510.24 x .06, whole dollars
        {"Missouri", &DialogState::ckMissouri, true, nullptr, "43.00"},
        // (600 - 37.20 - 8.70) x .053
        {"Mass", &DialogState::ckMass, false, nullptr, "29.37"},
        // the federal tax counts up to 135: (1065 - 309) x .09 + 21
        {"Oregon", &DialogState::ckOregon, true, nullptr, "89.04"},
        // a year 31200, capped 22560 less 2000 and 2269: 18291 taxed 1096.6,
        // .0665 x 8640 above the cap: 1671.16 / 52, whole dollars
        {"Oklahoma", &DialogState::ckOkla, false, nullptr, "32.00"},
        // 1200 - (76.92 + 57.69 + 150.95) = 914.44: .05 x 799.06 + 4.2306
        {"Alabama", &DialogState::ckAlabama, true, nullptr, "44.00"},
        // 600 - 36.73: 1.1538 + .5769 + .7692 + 2.885 + 409.42 x .06
        {"Kentucky", &DialogState::ckKentucky, false, nullptr, "29.95"},
        // 1200 on line 5: 483.5 x .0728 + 32.15
        {"Wisconsin", &DialogState::ckWiscon, true, nullptr, "67.35"},
        // the California allowance comes off the wage: 383.5 x .0728 + 32.15
        {"Wisconsin with a California allowance", &DialogState::ckWiscon, true,
         [](DialogState &d) { type(d.txtCalAllow, QStringLiteral("100")); }, "60.07"},
        // 600 x .07 - 12.98 / 2 = 35.51, whole dollars
        {"N.C.", &DialogState::ckNC, false, nullptr, "36.00"},
    };
    // clang-format on
    Form1 &f = start();
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        newProfile(f, QStringLiteral("case%1").arg(n++));
        payFifteen(c.biWeekly);
        DialogState &d = stateEditor();
        click(d.*c.box);
        ASSERT_EQ(on(d), (d.*c.box)->objectName().toStdString());
        if (c.typed)
            c.typed(d);
        d.OKButton->click();
        ASSERT_FALSE(Forms::isLoaded<DialogState>());
        calculate(f, QLatin1String(c.biWeekly ? "80" : "40"));
        EXPECT_EQ(f.lbTaxDed[0]->text(), QLatin1String(c.biWeekly ? "150.95" : "75.50"));
        EXPECT_EQ(f.lbTaxDed[3]->text(), QLatin1String(c.state));
        // And again: the editor's load lays the preset afresh each time.
        calculate(f, QLatin1String(c.biWeekly ? "80" : "40"));
        EXPECT_EQ(f.lbTaxDed[3]->text(), QLatin1String(c.state));
    }
}

// The preset the editor's load runs is laid for the pay frequency chosen at
// that time, and the State Tax command shows it so.
TEST_F(SpecialStates, ThePresetFollowsThePayFrequencyChosenSince)
{
    Form1 &f = start();
    payFifteen(true);
    DialogState &d = stateEditor();
    click(d.ckKentucky);
    EXPECT_EQ(d.txtStateAmtBS[0]->text(), QStringLiteral("73.46"));
    d.OKButton->click();
    payFifteen(false);
    // Weekly figures: the 29.95 of the weekly case.
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("29.95"));
    DialogState &again = stateEditor();
    EXPECT_TRUE(again.ckKentucky->isChecked());
    EXPECT_EQ(again.txtStateAmtBS[0]->text(), QStringLiteral("36.73"));
    EXPECT_EQ(again.txtStateMinBM[4]->text(), QStringLiteral("307.69"));
    EXPECT_FALSE(again.Label19->isEnabled());
}

// ---------------------------------------------------------------- presets in the boxes

TEST_F(SpecialStates, APressLaysItsStatesPresetIntoTheEditorsBoxes)
{
    struct Check {
        const char *control;
        std::optional<const char *> text;
        std::optional<bool> enabled;
    };
    struct Case {
        const char *name;
        QCheckBox *DialogState::*box;
        bool biWeekly;
        std::vector<Check> checks;
    };
    // clang-format off
    const std::vector<Case> cases{
        {"Iowa weekly", &DialogState::ckIowa, false,
         {{"txtStateSgExp(2)", "69.23", {}}, {"txtStateMarExp(5)", "3.85", {}}, {"Label14", "Standard", {}},
          {"Label15", "Credit", {}}, {"Frame1", {}, false}, {"Label5", {}, false},
          {"txtStateMinBS(0)", "999999", false}, {"txtStatePerBM(9)", "0", false}}},
        {"Iowa bi-weekly", &DialogState::ckIowa, true,
         {{"txtStateSgExp(2)", "138.46", {}}, {"txtStateMarExp(5)", "7.7", {}}}},
        {"Missouri bi-weekly", &DialogState::ckMissouri, true,
         {{"txtStateSgExp(9)", "192.31", {}}, {"txtStateMarExp(3)", "138.45", {}}, {"Label15", "W4 Allowance", {}}}},
        {"Missouri weekly", &DialogState::ckMissouri, false,
         {{"txtStateSgExp(0)", "96.15", {}}, {"txtStateMarExp(2)", "46.16", {}}}},
        {"Louisiana", &DialogState::ckLouis, false,
         {{"Label21", "Enter Number Of", {}}, {"Label27(3)", "", {}}, {"txtStateSgExp(0)", "0", true},
          {"txtStateSgExp(1)", "0", false}, {"txtStatePerBS(0)", "0", false}}},
        {"Arizona", &DialogState::ckAriz, false,
         {{"txtStatePerBS(0)", "0.04", true}, {"txtStateMinBS(0)", "999999", false}, {"txtStateSgExp(4)", "0", false}}},
        {"Mass", &DialogState::ckMass, true,
         {{"txtStatePerBS(0)", "0.053", true}, {"txtStateMarExp(2)", "177", {}}, {"txtStateMinBM(1)", "999999", false}}},
        {"Oregon weekly", &DialogState::ckOregon, false,
         {{"Label19", "WEEKLY", {}}, {"txtStateMinBM(1)", "52", true}, {"txtStateAmtBS(2)", "10", true},
          {"txtStateMinBS(3)", "999999", false}, {"txtStateSgExp(9)", "24.75", {}}}},
        {"Oregon bi-weekly", &DialogState::ckOregon, true,
         {{"Label20", "BIWEEKLY", {}}, {"txtStateMinBS(2)", "309", true}, {"txtStateMarExp(1)", "5.5", {}}}},
        {"Kentucky weekly", &DialogState::ckKentucky, false,
         {{"Label21", "BIWEEKLY ", false}, {"txtStateMinBS(3)", "153.85", true}, {"txtStateSgExp(3)", "1.155", {}},
          {"txtStateMinBM(5)", "999999", false}}},
        {"Kentucky bi-weekly", &DialogState::ckKentucky, true,
         {{"Label21", "BIWEEKLY ", true}, {"txtStateMinBS(4)", "615.37", true}, {"txtStateMarExp(9)", "6.93", {}}}},
        {"Oklahoma", &DialogState::ckOkla, true,
         {{"txtStateMinBS(0)", "", false}, {"txtStateSgExp(9)", "", false}, {"Label27(9)", "9", {}}}},
        {"Alabama", &DialogState::ckAlabama, false, {{"txtStatePerBM(4)", "", false}}},
        {"Wisconsin", &DialogState::ckWiscon, false,
         {{"txtStateMinBS(4)", "716.5", true}, {"txtStatePerBS(2)", "0.05154", true}, {"txtStateSgExp(3)", "2.55", {}},
          {"txtStateMinBM(7)", "999999", true}}},
        {"N.C.", &DialogState::ckNC, true,
         {{"txtStateAmtBS(4)", "54.8", true}, {"txtStateMinBM(2)", "524.04", true}, {"txtStateMarExp(2)", "192.3", {}}}},
    };
    // clang-format on
    Form1 &f = start();
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        newProfile(f, QStringLiteral("case%1").arg(n++));
        payFifteen(c.biWeekly);
        DialogState &d = stateEditor();
        click(d.*c.box);
        for (const Check &check : c.checks) {
            SCOPED_TRACE(check.control);
            if (check.text) {
                EXPECT_EQ(text(d, check.control), QLatin1String(*check.text));
            }
            if (check.enabled) {
                EXPECT_EQ(enabled(d, check.control), *check.enabled);
            }
        }
        d.CancelButton->click();
    }
}

// The figures the Oklahoma and Alabama presets empty are filled with the
// built-in ones when the snapshot is taken, still locked; the State Tax
// command runs the preset again and shows them empty.
TEST_F(SpecialStates, TheEmptiedTablesReachTheStoreAsTheBuiltInOnes)
{
    start();
    DialogState &d = stateEditor();
    click(d.ckAlabama);
    d.OKButton->click();
    EXPECT_FLOAT_EQ(state().stateSettings.StateTable.single[1].minimum, 308);
    EXPECT_EQ(state().profile.SpecialAlabama, 1);
    DialogState &again = stateEditor();
    EXPECT_EQ(again.txtStateMinBS[1]->text(), QString());
    EXPECT_FALSE(again.txtStateMinBS[1]->isEnabled());
}

// Spouse Works shows with Missouri and Oklahoma, and a change of it lays
// Missouri's standard deduction again.
TEST_F(SpecialStates, SpouseWorksFollowsMissouri)
{
    start();
    userInfo([](frmTaxInfo &info) {
        info.optBiWeek->setChecked(true);
        info.cboStatus2->setCurrentText(QStringLiteral("Married"));
    });
    DialogState &d = stateEditor();
    EXPECT_FALSE(d.ckSpouse->isVisible());
    click(d.ckMissouri);
    EXPECT_TRUE(d.ckSpouse->isVisible());
    EXPECT_EQ(d.txtStateSgExp[0]->text(), QStringLiteral("384.62"));  // 10000 / 26
    d.ckSpouse->click();
    EXPECT_EQ(d.txtStateSgExp[0]->text(), QStringLiteral("192.31"));  // 5000 / 26
    // Oklahoma keeps the box as it is; Iowa turns it off and hides it.
    click(d.ckOkla);
    EXPECT_TRUE(d.ckSpouse->isVisible() && d.ckSpouse->isChecked());
    click(d.ckIowa);
    EXPECT_FALSE(d.ckSpouse->isVisible() || d.ckSpouse->isChecked());
}

// ---------------------------------------------------------------- one state at a time

// Only one special state is ever on, whether the switches are pressed with
// the mouse or toggled with Space; the keyboard runs the same steps.
TEST_F(SpecialStates, OnlyOneSpecialStateIsEverOnByMouseOrKeyboard)
{
    Form1 &f = startPaid();
    DialogState &d = stateEditor();
    struct Step {
        const char *what;
        std::function<void(DialogState &)> press;
        const char *on;
        bool iowaPrior;
        const char *label14;  // shows whose preset ran last
    };
    const Step steps[] = {
        {"mouse on Iowa", [](DialogState &e) { click(e.ckIowa); }, "ckIowa", true, "Standard"},
        {"Space on Louisiana", [](DialogState &e) { space(e.ckLouis); }, "ckLouis", false, "Personal"},
        {"Space on Arizona", [](DialogState &e) { space(e.ckAriz); }, "ckAriz", false, "Single"},
        {"Space on Iowa", [](DialogState &e) { space(e.ckIowa); }, "ckIowa", true, "Standard"},
        {"mouse on N.C.", [](DialogState &e) { click(e.ckNC); }, "ckNC", false, "Standard"},
        // pressing the one that is on leaves none on, in its layout
        {"Space on N.C. again", [](DialogState &e) { space(e.ckNC); }, "", false, "Standard"},
        {"mouse on Louisiana", [](DialogState &e) { click(e.ckLouis); }, "ckLouis", false, "Personal"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        s.press(d);
        EXPECT_EQ(on(d), s.on);
        EXPECT_EQ(!f.ckIowaPrior->isHidden(), s.iowaPrior);
        EXPECT_EQ(d.Label14->text(), QLatin1String(s.label14));
    }
    EXPECT_TRUE(d.ckRoundOff->isChecked()) << "N.C. turned it on";

    // A switch pressed turns NO STATE TAX off, and its handler brings the
    // tables of the snapshot back before the preset.
    d.ckNoStateTax->click();
    ASSERT_FALSE(d.ckLouis->isChecked());
    space(d.ckMass);
    EXPECT_FALSE(d.ckNoStateTax->isChecked());
    EXPECT_EQ(on(d), "ckMass");
    EXPECT_EQ(d.txtStateMinBS[1]->text(), QStringLiteral("999999"));
    EXPECT_EQ(d.txtStateMarExp[3]->text(), QStringLiteral("216"));

    // What the file keeps after SAVE: Mass alone, which the calculation
    // computes: (600 - 37.20 - 8.70) x .053.
    d.OKButton->click();
    EXPECT_EQ(line(QStringLiteral(".sta"), 23), QByteArray("0,0,0,0,\"Single\",0,0,1,0,0,0"));
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("29.37"));
}

// A profile saved with Kentucky on: pressing Oregon leaves Oregon alone on
// (its preset puts the stored settings back, but not the stored switches),
// and the file keeps Oregon alone.
TEST_F(SpecialStates, OregonLeavesNoStoredStateOnBesideIt)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("kent"));
    DialogState &d = stateEditor();
    click(d.ckKentucky);
    type(d.txtSDIpercent, QStringLiteral("1.5"));
    d.OKButton->click();

    DialogState &again = stateEditor();
    ASSERT_TRUE(again.ckKentucky->isChecked());
    type(again.txtSDIpercent, QStringLiteral("9"));  // unsaved: Oregon puts the stored 1.5 back
    click(again.ckOregon);
    EXPECT_EQ(on(again), "ckOregon");
    EXPECT_EQ(again.txtSDIpercent->text(), QStringLiteral("1.5"));
    again.OKButton->click();
    EXPECT_TRUE(line(QStringLiteral("kent.sta"), 23).endsWith(",0,1,0,0"))
        << line(QStringLiteral("kent.sta"), 23).toStdString();

    // Pressed again it goes off, though the store still holds it on.
    DialogState &third = stateEditor();
    click(third.ckOregon);
    EXPECT_EQ(on(third), "");
}

// ---------------------------------------------------------------- figures a formula cannot work with

// A count typed into the open editor that Louisiana cannot take refuses the
// calculation with a message naming it: no state amount, nothing written,
// the editor stays open. An absurd pay under Oklahoma is an amount too
// large, refused likewise.
TEST_F(SpecialStates, AFigureAFormulaCannotWorkWithRefusesTheCalculation)
{
    Form1 &f = startPaid();
    DialogState &d = stateEditor();
    click(d.ckLouis);
    type(d.txtStateSgExp[0], QStringLiteral("40000"));
    removeAll();
    Ui::clearAsked();
    calculate(f);
    EXPECT_EQ(lastAsked(), QStringLiteral("Louisiana withholding: the number of personal exemptions is 40000; it is "
                                          "beyond the range of a count, -32768 to 32767."));
    EXPECT_TRUE(f.lbTaxDed[3]->text().isEmpty());
    EXPECT_TRUE(f.lbNet->text().isEmpty());
    EXPECT_TRUE(files().isEmpty()) << files().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(Forms::isLoaded<DialogCity>());

    // Corrected, the same editor computes: 600 x .021 + .0135 x 359.62 +
    // .0135 x 119.23 - .021 x 86.54, weekly.
    type(d.txtStateSgExp[0], QStringLiteral("1"));
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("17.25"));

    DialogState &okla = stateEditor();
    click(okla.ckOkla);
    okla.OKButton->click();
    removeAll();
    Ui::clearAsked();
    calculate(f, QStringLiteral("600000"));  // 9 million a week
    EXPECT_EQ(lastAsked(),
              QStringLiteral("An amount is too large to compute. Check the entries and the User Info rates."));
    EXPECT_TRUE(f.lbTaxDed[3]->text().isEmpty());
    EXPECT_TRUE(files().isEmpty()) << files().join(QLatin1Char(' ')).toStdString();
}

}  // namespace
}  // namespace wagedesk::testing
