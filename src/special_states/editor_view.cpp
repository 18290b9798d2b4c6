#include "special_states/editor_view.h"

namespace wagedesk::special_states {

std::string_view controlName(BracketColumn column)
{
    switch (column) {
    case BracketColumn::txtStateMinBS: return "txtStateMinBS";
    case BracketColumn::txtStateAmtBS: return "txtStateAmtBS";
    case BracketColumn::txtStatePerBS: return "txtStatePerBS";
    case BracketColumn::txtStateMinBM: return "txtStateMinBM";
    case BracketColumn::txtStateAmtBM: return "txtStateAmtBM";
    case BracketColumn::txtStatePerBM: return "txtStatePerBM";
    }
    return {};
}

std::string_view controlName(AllowanceColumn column)
{
    return column == AllowanceColumn::txtStateSgExp ? "txtStateSgExp" : "txtStateMarExp";
}

std::string_view controlName(StateBox box)
{
    switch (box) {
    case StateBox::txtSDIpercent: return "txtSDIpercent";
    case StateBox::txtSDIwageBase: return "txtSDIwageBase";
    case StateBox::txtSUIpercent: return "txtSUIpercent";
    case StateBox::txtSUIwageBase: return "txtSUIwageBase";
    case StateBox::txtStateAdj: return "txtStateAdj";
    case StateBox::txtCalAllow: return "txtCalAllow";
    }
    return {};
}

std::string_view controlName(StateCheck check)
{
    switch (check) {
    case StateCheck::ckNoStateTax: return "ckNoStateTax";
    case StateCheck::ckSDI: return "ckSDI";
    case StateCheck::ckSUI: return "ckSUI";
    case StateCheck::ckSpouse: return "ckSpouse";
    case StateCheck::ckRoundOff: return "ckRoundOff";
    }
    return {};
}

std::string controlName(std::string_view array, std::size_t row)
{
    return std::string(array) + "(" + std::to_string(row) + ")";
}

SwitchValues switchValues(const StateEditorView &view)
{
    SwitchValues values;
    for (const SpecialStateInfo &s : specialStates())
        values[s.state] = view.isOn(s.state);
    return values;
}

}  // namespace wagedesk::special_states
