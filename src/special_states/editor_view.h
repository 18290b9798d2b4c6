// The state table editor as the special states see it: the boxes, labels,
// frames and check boxes that their presets and switches write, named as
// the editor names its controls. The editor window implements it over its
// widgets; the presets never touch a widget themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "special_states/special_state.h"

namespace wagedesk::special_states {

// The six box columns of the two bracket tables (row i is line i + 1).
enum class BracketColumn {
    txtStateMinBS,
    txtStateAmtBS,
    txtStatePerBS,
    txtStateMinBM,
    txtStateAmtBM,
    txtStatePerBM,
};
// A row's six boxes in the order the presets go through them: Single
// Minimum, Amount, Percentage, then the same of Married.
inline constexpr BracketColumn kRowColumns[] = {
    BracketColumn::txtStateMinBS, BracketColumn::txtStateAmtBS, BracketColumn::txtStatePerBS,
    BracketColumn::txtStateMinBM, BracketColumn::txtStateAmtBM, BracketColumn::txtStatePerBM,
};

// The two allowance columns, row = number of exemptions 0 to 9.
enum class AllowanceColumn { txtStateSgExp, txtStateMarExp };

// The single boxes of the SDI, SUI and adjustment frames.
enum class StateBox { txtSDIpercent, txtSDIwageBase, txtSUIpercent, txtSUIwageBase, txtStateAdj, txtCalAllow };

// The editor's check boxes other than the eleven switches.
enum class StateCheck { ckNoStateTax, ckSDI, ckSUI, ckSpouse, ckRoundOff };

// The object names of the controls.
std::string_view controlName(BracketColumn column);
std::string_view controlName(AllowanceColumn column);
std::string_view controlName(StateBox box);
std::string_view controlName(StateCheck check);
// An element of a control array: "txtStateMinBS(3)", "Label27(0)".
std::string controlName(std::string_view array, std::size_t row);

// The user information window's controls that the Oregon preset restores
// from the store, as they are to show (the check boxes as stored values).
struct UserInfoShown {
    std::string cboDepend2, cboStatus2, txtFedAddL;
    std::int16_t ckFedExemp = 0, ckSSMediExemp = 0;
    bool operator==(const UserInfoShown &) const = default;
};

class StateEditorView {
public:
    virtual ~StateEditorView() = default;

    // Bracket and allowance boxes, row 0 to 9.
    virtual void setBracketText(BracketColumn column, std::size_t row, std::string_view text) = 0;
    virtual void setBracketEnabled(BracketColumn column, std::size_t row, bool enabled) = 0;
    virtual void setAllowanceText(AllowanceColumn column, std::size_t row, std::string_view text) = 0;
    virtual void setAllowanceEnabled(AllowanceColumn column, std::size_t row, bool enabled) = 0;
    virtual void setBoxText(StateBox box, std::string_view text) = 0;

    // A label's caption by object name: "Label14", "Label27(3)".
    virtual void setCaption(std::string_view label, std::string_view caption) = 0;
    // A frame's or label's Enabled state by object name: "Frame1", "Label19".
    virtual void setEnabled(std::string_view control, bool enabled) = 0;

    // The eleven special-state switches. Setting one runs nothing.
    virtual bool isOn(SpecialState s) const = 0;
    virtual void setOn(SpecialState s, bool on) = 0;
    // The other check boxes. Setting one to another value runs its click
    // handler, as a user's click would (NO STATE TAX, Use Base, Spouse Works).
    virtual bool isChecked(StateCheck check) const = 0;
    virtual void setChecked(StateCheck check, bool on) = 0;
    // The same with a value as the store keeps it: 0 off, 1 on, 2 grayed.
    virtual void setValue(StateCheck check, std::int16_t value) = 0;
    virtual void setSpouseVisible(bool visible) = 0;

    // The main window's Iowa prior-period box ckIowaPrior; its value is
    // never touched here.
    virtual void setIowaPriorVisible(bool visible) = 0;
    // frmTaxInfo's cboDepend2, cboStatus2, txtFedAddL, ckFedExemp and
    // ckSSMediExemp.
    virtual void setUserInfo(const UserInfoShown &shown) = 0;
};

// The values of the eleven switches as the view holds them.
SwitchValues switchValues(const StateEditorView &view);

}  // namespace wagedesk::special_states
