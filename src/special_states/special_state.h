// The eleven special states: one table of what each one has (its switch in
// the state editor, its preset, its formula, its stored flag and how a
// press on its switch differs from the others) and the two orders in which
// the editor and the calculation walk them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/paycalc.h"
#include "core/state.h"

namespace wagedesk::special_states {

// In the order the calculation tests the switches.
enum class SpecialState {
    Arizona,
    Louisiana,
    Iowa,
    Missouri,
    Mass,
    Oregon,
    Oklahoma,
    Alabama,
    Kentucky,
    Wisconsin,
    NorthCarolina
};
inline constexpr std::size_t kSpecialStateCount = 11;

constexpr std::size_t index(SpecialState s) { return static_cast<std::size_t>(s); }

class StateEditorView;
struct PresetInput;
struct FormulaInput;
struct FormulaResult;

// A preset lays the editor out for its state's formula.
using Preset = void (*)(StateEditorView &, const PresetInput &);
using Formula = FormulaResult (*)(const FormulaInput &);

// The control that goes with a state's switch besides the editor's tables.
enum class Companion {
    None,
    // Iowa: the main window's prior-period box ckIowaPrior.
    IowaPrior,
    // Missouri and Oklahoma: "Spouse Works" (ckSpouse).
    Spouse,
};

struct SpecialStateInfo {
    SpecialState state;
    std::string_view switchName;  // the editor's check box: "ckAriz"
    std::string_view caption;     // its caption: "Arizona", "N.C."
    std::string_view stateName;   // in messages: "Massachusetts"
    Preset preset;
    Formula formula;
    Formula priorPeriodFormula;  // Iowa's schedule before April 2005; nullptr elsewhere
    // The switch's copy in the settings store (SpecialAriz, ... SpecialNC).
    std::int16_t &(*storedFlag)(ProgramState &);
    Companion companion;
    // A press sets the stored Louisiana flag to 0 before the preset.
    bool pressClearsStoredLouisiana;
    // A press turns "Round State" on before the preset.
    bool pressTurnsRoundStateOn;
};

// All eleven, indexed by SpecialState.
const std::array<SpecialStateInfo, kSpecialStateCount> &specialStates();
const SpecialStateInfo &info(SpecialState s);

// The editor's load and its State Tax menu command run the presets of the
// switches that are on in this order.
inline constexpr std::array<SpecialState, kSpecialStateCount> kPresetOrder{
    SpecialState::Louisiana, SpecialState::Arizona,   SpecialState::Iowa,          SpecialState::Missouri,
    SpecialState::Mass,      SpecialState::Oregon,    SpecialState::Oklahoma,      SpecialState::Alabama,
    SpecialState::Kentucky,  SpecialState::Wisconsin, SpecialState::NorthCarolina,
};
// The calculation's state step tests them in this order.
inline constexpr std::array<SpecialState, kSpecialStateCount> kDispatchOrder{
    SpecialState::Arizona,  SpecialState::Louisiana, SpecialState::Iowa,          SpecialState::Missouri,
    SpecialState::Mass,     SpecialState::Oregon,    SpecialState::Oklahoma,      SpecialState::Alabama,
    SpecialState::Kentucky, SpecialState::Wisconsin, SpecialState::NorthCarolina,
};

// The stored flag of a state, wherever the store keeps it.
std::int16_t &storedFlag(ProgramState &store, SpecialState s);
std::int16_t storedFlag(const ProgramState &store, SpecialState s);

// The values of the eleven switches, indexed by state.
struct SwitchValues {
    std::array<bool, kSpecialStateCount> on{};
    bool operator[](SpecialState s) const { return on[index(s)]; }
    bool &operator[](SpecialState s) { return on[index(s)]; }
};

// A figure from a file or a box that a formula cannot work with. The text
// names the state and the figure, for the window to show; the formula
// leaves no amount.
class SpecialStateError : public CalculationRefused {
public:
    SpecialStateError(SpecialState state, std::string figure, std::string value, std::string_view rule);
    SpecialState state;
    std::string figure;  // "the state exemption count"
    std::string value;   // as the formula found it: "12"
};

}  // namespace wagedesk::special_states
