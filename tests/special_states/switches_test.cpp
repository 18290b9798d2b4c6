// The special-state switches against a recording editor: a press (by mouse
// or keyboard) followed by the box's toggle, the presets run again at the
// editor's load and from the State Tax menu, and Spouse Works.
#include "special_states/switches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_view.h"

using namespace wagedesk;
using namespace wagedesk::special_states;
using wdtest::RecordingView;

namespace {

class Switches : public ::testing::Test {
protected:
    RecordingView view;
    ProgramState store;
    UserInfoLive biWeekly{false, true, "Married"};

    // The handler runs with the box's value before the toggle, then the
    // box toggles.
    void press(SpecialState s)
    {
        pressSwitch(s, view.isOn(s), view, store, biWeekly);
        view.toggle(s);
    }
    void turnOn(std::initializer_list<SpecialState> states)
    {
        for (SpecialState s : states)
            view.setOn(s, true);
    }
};

std::string name(SpecialState s) { return std::string(info(s).switchName); }

TEST_F(Switches, APressLeavesOnlyThePressedStateOn)
{
    for (const SpecialStateInfo &pressed : specialStates()) {
        SCOPED_TRACE(name(pressed.state));
        view = RecordingView{};
        for (const SpecialStateInfo &other : specialStates())
            view.setOn(other.state, other.state != pressed.state);
        press(pressed.state);
        EXPECT_EQ(view.switchesOn(), name(pressed.state));
    }
}

TEST_F(Switches, PressingASwitchThatIsOnTurnsItOffInItsStatesLayout)
{
    turnOn({SpecialState::Mass});
    press(SpecialState::Mass);
    EXPECT_EQ(view.switchesOn(), "");
    EXPECT_EQ(view.textOf("txtStatePerBS(0)"), "0.053");

    view = RecordingView{};
    turnOn({SpecialState::Iowa});
    press(SpecialState::Iowa);
    EXPECT_EQ(view.switchesOn(), "");
    EXPECT_EQ(view.captionOf("Label14"), "Standard");
}

TEST_F(Switches, SpouseWorksIsResetExceptForMissouriAndOklahoma)
{
    struct Case {
        SpecialState pressed;
        bool pressedWasOn;
        std::optional<bool> visible, value;  // no value: left as it was
    };
    const Case cases[] = {
        {SpecialState::Arizona, false, false, false},
        {SpecialState::Iowa, true, false, false},
        {SpecialState::NorthCarolina, false, false, false},
        {SpecialState::Missouri, false, true, std::nullopt},         // being turned on: shown
        {SpecialState::Missouri, true, std::nullopt, std::nullopt},  // being turned off: as it was
        {SpecialState::Oklahoma, false, true, std::nullopt},
        {SpecialState::Oklahoma, true, std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(name(c.pressed) + (c.pressedWasOn ? " on" : " off"));
        view = RecordingView{};
        view.checked["ckSpouse"] = true;
        // Missouri pressed with Oklahoma on (and the reverse) keeps the value.
        turnOn({c.pressed == SpecialState::Missouri ? SpecialState::Oklahoma : SpecialState::Missouri});
        if (c.pressedWasOn)
            turnOn({c.pressed});
        press(c.pressed);
        EXPECT_EQ(view.visibleOf("ckSpouse"), c.visible);
        EXPECT_EQ(view.checkedOf("ckSpouse"), c.value.value_or(true));
    }
}

TEST_F(Switches, RoundStateByState)
{
    store.profile.RoundState = 0;
    struct Case {
        SpecialState pressed;
        std::optional<bool> roundOff;  // no value: left as it was
    };
    const Case cases[] = {
        {SpecialState::NorthCarolina, true},                                   // by the press, before the preset
        {SpecialState::Oklahoma, true},        {SpecialState::Iowa, true},     // by the preset
        {SpecialState::Missouri, true},        {SpecialState::Oregon, false},  // the preset puts the stored value back
        {SpecialState::Arizona, std::nullopt}, {SpecialState::Louisiana, std::nullopt},
        {SpecialState::Mass, std::nullopt},    {SpecialState::Kentucky, std::nullopt},
        {SpecialState::Alabama, std::nullopt}, {SpecialState::Wisconsin, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(name(c.pressed));
        view = RecordingView{};
        press(c.pressed);
        EXPECT_EQ(view.checkedOf("ckRoundOff"), c.roundOff);
    }
}

TEST_F(Switches, EveryPressTurnsNoStateTaxOffAndShowsTheIowaBoxForIowaOnly)
{
    for (const SpecialStateInfo &s : specialStates()) {
        SCOPED_TRACE(name(s.state));
        view = RecordingView{};
        view.checked["ckNoStateTax"] = true;
        std::vector<bool> noStateTaxClicks;
        view.onClick = [&](StateCheck c, bool on) {
            if (c == StateCheck::ckNoStateTax)
                noStateTaxClicks.push_back(on);
        };
        press(s.state);
        EXPECT_EQ(view.checkedOf("ckNoStateTax"), false);
        EXPECT_EQ(noStateTaxClicks, std::vector<bool>{false});  // its handler ran once, turning it off
        EXPECT_EQ(view.visibleOf("ckIowaPrior"), s.state == SpecialState::Iowa);
        EXPECT_EQ(view.checkedOf("ckIowaPrior"), std::nullopt);  // its value is never touched
    }
}

TEST_F(Switches, OregonLeavesNoStoredStateOnBesideIt)
{
    // A profile saved with Kentucky: the editor's load turned Kentucky on.
    store.stateSettings.SpecialKentucky = 1;
    store.profile.SpecialOkla = 1;
    store.stateSettings.SpecialLouis = 1;
    turnOn({SpecialState::Kentucky});
    press(SpecialState::Oregon);
    EXPECT_EQ(view.switchesOn(), "ckOregon");
    // Its other restores stay: the stored tables and Round State.
    EXPECT_EQ(view.textOf("txtSDIpercent"), "0");
    EXPECT_EQ(view.checkedOf("ckRoundOff"), false);
    EXPECT_EQ(store.stateSettings.SpecialKentucky, 1);  // the store follows at the snapshot
    EXPECT_EQ(store.stateSettings.SpecialLouis, 0);

    // Pressing it again turns it off.
    press(SpecialState::Oregon);
    EXPECT_EQ(view.switchesOn(), "");
}

TEST_F(Switches, OregonWisconsinAndNorthCarolinaClearTheStoredLouisianaFlag)
{
    for (const SpecialStateInfo &s : specialStates()) {
        SCOPED_TRACE(name(s.state));
        store.stateSettings.SpecialLouis = 1;
        press(s.state);
        const bool clears = s.state == SpecialState::Oregon || s.state == SpecialState::Wisconsin ||
                            s.state == SpecialState::NorthCarolina;
        EXPECT_EQ(storedFlag(store, SpecialState::Louisiana), clears ? 0 : 1);
    }
}

TEST_F(Switches, TheStoredFlagsLiveWhereTheFilesKeepThem)
{
    ProgramState st;
    for (const SpecialStateInfo &s : specialStates())
        storedFlag(st, s.state) = static_cast<std::int16_t>(index(s.state) + 1);
    EXPECT_EQ(st.stateSettings.SpecialAriz, 1);
    EXPECT_EQ(st.stateSettings.SpecialLouis, 2);
    EXPECT_EQ(st.stateSettings.SpecialIowa, 3);
    EXPECT_EQ(st.stateSettings.SpecialMissouri, 4);
    EXPECT_EQ(st.stateSettings.SpecialMass, 5);
    EXPECT_EQ(st.stateSettings.SpecialOregon, 6);
    EXPECT_EQ(st.profile.SpecialOkla, 7);
    EXPECT_EQ(st.profile.SpecialAlabama, 8);
    EXPECT_EQ(st.stateSettings.SpecialKentucky, 9);
    EXPECT_EQ(st.profile.SpecialWiscon, 10);
    EXPECT_EQ(st.profile.SpecialNC, 11);
    const ProgramState &readOnly = st;
    EXPECT_EQ(storedFlag(readOnly, SpecialState::NorthCarolina), 11);
}

TEST_F(Switches, TheEditorsLoadShowsTheIowaBoxButNotSpouseWorks)
{
    const PresetInput in{storedSettings(store), biWeekly};
    turnOn({SpecialState::Iowa});
    rerunPresets(Occasion::EditorLoad, view, in);
    EXPECT_EQ(view.visibleOf("ckIowaPrior"), true);
    EXPECT_EQ(view.captionOf("Label15"), "Credit");

    RecordingView missouri;
    missouri.setOn(SpecialState::Missouri, true);
    rerunPresets(Occasion::EditorLoad, missouri, in);
    EXPECT_EQ(missouri.captionOf("Label15"), "W4 Allowance");
    EXPECT_EQ(missouri.visibleOf("ckSpouse"), std::nullopt);
}

TEST_F(Switches, TheStateMenuShowsSpouseWorksForMissouriAndOklahoma)
{
    const PresetInput in{storedSettings(store), biWeekly};
    struct Case {
        SpecialState on;
        std::optional<bool> spouse, iowaPrior;
    };
    const Case cases[] = {
        {SpecialState::Missouri, true, std::nullopt},
        {SpecialState::Oklahoma, true, std::nullopt},
        {SpecialState::Iowa, std::nullopt, std::nullopt},  // the preset only
        {SpecialState::Kentucky, std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(name(c.on));
        RecordingView v;
        v.setOn(c.on, true);
        rerunPresets(Occasion::StateMenu, v, in);
        EXPECT_EQ(v.visibleOf("ckSpouse"), c.spouse);
        EXPECT_EQ(v.visibleOf("ckIowaPrior"), c.iowaPrior);
        EXPECT_EQ(v.captionOf("Label27(9)"), "9");  // the preset ran
    }

    RecordingView none;
    rerunPresets(Occasion::StateMenu, none, in);
    EXPECT_TRUE(none.text.empty() && none.caption.empty() && none.visible.empty());
}

TEST_F(Switches, ThePresetsRunAgainInTheirOrderEachAsItsTurnComes)
{
    const PresetInput in{storedSettings(store), biWeekly};
    // Louisiana before Arizona: Arizona's captions are the last.
    turnOn({SpecialState::Arizona, SpecialState::Louisiana});
    rerunPresets(Occasion::EditorLoad, view, in);
    EXPECT_EQ(view.captionOf("Label14"), "Single");

    // A preset that turns a later switch off (Oregon clears Oklahoma) keeps
    // that one's preset from running.
    RecordingView v;
    v.setOn(SpecialState::Oregon, true);
    v.setOn(SpecialState::Oklahoma, true);
    rerunPresets(Occasion::EditorLoad, v, in);
    EXPECT_EQ(v.textOf("txtStateMinBS(1)"), "12");
}

TEST_F(Switches, SpouseWorksRerunsTheMissouriPresetOnly)
{
    const PresetInput in{storedSettings(store), biWeekly};
    turnOn({SpecialState::Missouri});
    view.checked["ckSpouse"] = true;
    spouseWorksChanged(view, in);
    EXPECT_EQ(view.textOf("txtStateSgExp(0)"), "192.31");
    view.checked["ckSpouse"] = false;
    spouseWorksChanged(view, in);
    EXPECT_EQ(view.textOf("txtStateSgExp(9)"), "384.62");

    RecordingView oklahoma;
    oklahoma.setOn(SpecialState::Oklahoma, true);
    spouseWorksChanged(oklahoma, in);
    EXPECT_TRUE(oklahoma.text.empty());
}

}  // namespace
