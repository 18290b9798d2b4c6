// The special-state presets: each lays the state editor out for its state's
// formula, writing box texts, captions and Enabled states through the view.
// A built-in figure is written as its shortest decimal text ("716.5"), a
// stored value as the text of its 32-bit float ("0.0525"). The presets
// change nothing in the settings store: the editor's snapshot (fillVari)
// takes the boxes over.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"
#include "special_states/editor_view.h"

namespace wagedesk::special_states {

// The stored state settings the presets read.
struct StoredSettings {
    BracketTable single{}, married{};
    AllowanceTable allowance{};
    float SDIPercent = 0, SDIWageBase = 0, SUIPercent = 0, SUIWageBase = 0;
    float StateAdjust = 0, CalAllow = 0;
    std::int16_t NoStateTax = 0, SDIUseBase = 0, SUIUseBase = 0, SpouseWorks = 0, RoundState = 0;
    // The user information settings that Oregon puts back.
    std::string StateStatus;
    std::int16_t StateExemptions = 0;
    float FedAdditional = 0;
    std::int16_t FedExempt = 0, SSMediExempt = 0;
};

// What the presets read live from the user information window when they
// run: the pay frequency options and the state filing status box's text.
struct UserInfoLive {
    bool optWeek = false, optBiWeek = false;
    std::string cboStatus2;
};

struct PresetInput {
    StoredSettings stored;
    UserInfoLive userInfo;
};

// What the settings store holds now.
StoredSettings storedSettings(const ProgramState &store);

// Each preset tests the one pay frequency option its state names and takes
// the other frequency otherwise:
// - Iowa, Missouri (allowances), Kentucky: optBiWeek, else weekly figures;
// - Missouri (standard deduction): both options, six separate tests;
// - Oregon: optWeek, else bi-weekly figures;
// - the others have no frequency branch.
void LouisianaSet(StateEditorView &view, const PresetInput &in);
void ArizonaSet(StateEditorView &view, const PresetInput &in);
void IowaSet(StateEditorView &view, const PresetInput &in);
// Reads ckSpouse from the view and cboStatus2; turns Round State on.
void MissouriSet(StateEditorView &view, const PresetInput &in);
void MassSet(StateEditorView &view, const PresetInput &in);
// Puts the stored tables, boxes, check boxes (not the eleven switches) and
// five user information settings back, clears Oklahoma, then lays Oregon.
void OregonSet(StateEditorView &view, const PresetInput &in);
void KentuckySet(StateEditorView &view, const PresetInput &in);
void OklaSet(StateEditorView &view, const PresetInput &in);
void AlabamaSet(StateEditorView &view, const PresetInput &in);
void WisconsinSet(StateEditorView &view, const PresetInput &in);
void NCSet(StateEditorView &view, const PresetInput &in);

}  // namespace wagedesk::special_states
