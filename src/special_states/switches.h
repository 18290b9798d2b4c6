// The special-state switches of the state editor: a press on one, and the
// presets run again when the editor loads, from the State Tax menu command
// and when Spouse Works changes. All through the view; the window calls
// these from its handlers.
#pragma once

#include "core/state.h"
#include "special_states/editor_view.h"
#include "special_states/presets.h"
#include "special_states/special_state.h"

namespace wagedesk::special_states {

// A press on a switch, by the mouse or the keyboard, before the box
// toggles: wasOn is the box's value before the toggle. Turns the other ten
// off, resets what belongs to other states (the Iowa prior-period box,
// Spouse Works, NO STATE TAX), takes the state's own steps and runs its
// preset; the window then lets the box toggle. Writes the stored Louisiana
// flag for Oregon, Wisconsin and N.C.; the preset reads the store as it is
// then and the user information window's live options.
void pressSwitch(SpecialState pressed, bool wasOn, StateEditorView &view, ProgramState &store,
                 const UserInfoLive &userInfo);

// When the presets of the switches that are on run again.
enum class Occasion {
    // The editor's load, after the files are read and before the snapshot:
    // Iowa shows the main window's prior-period box first.
    EditorLoad,
    // The State Tax menu command, after showing the editor: Missouri and
    // Oklahoma show Spouse Works after their preset.
    StateMenu,
};
// Tests the switches in the preset order, each when its turn comes.
void rerunPresets(Occasion occasion, StateEditorView &view, const PresetInput &in);

// Spouse Works changed (by the user or by code): Missouri's standard
// deduction follows it.
void spouseWorksChanged(StateEditorView &view, const PresetInput &in);

}  // namespace wagedesk::special_states
