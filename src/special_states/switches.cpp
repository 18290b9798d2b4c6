#include "special_states/switches.h"

namespace wagedesk::special_states {

void pressSwitch(SpecialState pressed, bool wasOn, StateEditorView &view, ProgramState &store,
                 const UserInfoLive &userInfo)
{
    const SpecialStateInfo &s = info(pressed);
    for (const SpecialStateInfo &other : specialStates())
        if (other.state != pressed)
            view.setOn(other.state, false);
    if (s.companion != Companion::IowaPrior)
        view.setIowaPriorVisible(false);
    if (s.companion != Companion::Spouse) {
        view.setChecked(StateCheck::ckSpouse, false);
        view.setSpouseVisible(false);
    }
    view.setChecked(StateCheck::ckNoStateTax, false);

    // The state's own steps. Spouse Works keeps its value for Missouri and
    // Oklahoma and shows when the switch is being turned on.
    if (s.companion == Companion::IowaPrior)
        view.setIowaPriorVisible(true);
    if (s.companion == Companion::Spouse && !wasOn)
        view.setSpouseVisible(true);
    if (s.pressClearsStoredLouisiana)
        storedFlag(store, SpecialState::Louisiana) = 0;
    if (s.pressTurnsRoundStateOn)
        view.setChecked(StateCheck::ckRoundOff, true);

    s.preset(view, {storedSettings(store), userInfo});
}

void rerunPresets(Occasion occasion, StateEditorView &view, const PresetInput &in)
{
    for (SpecialState state : kPresetOrder) {
        // Read as each turn comes: a preset may change the switches.
        if (!view.isOn(state))
            continue;
        const SpecialStateInfo &s = info(state);
        if (occasion == Occasion::EditorLoad && s.companion == Companion::IowaPrior)
            view.setIowaPriorVisible(true);
        s.preset(view, in);
        if (occasion == Occasion::StateMenu && s.companion == Companion::Spouse)
            view.setSpouseVisible(true);
    }
}

void spouseWorksChanged(StateEditorView &view, const PresetInput &in)
{
    if (view.isOn(SpecialState::Missouri))
        MissouriSet(view, in);
}

}  // namespace wagedesk::special_states
