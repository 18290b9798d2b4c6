// The special-state withholding formulas, as plain functions of what the
// calculation holds at its state step. Each gives the period's state amount
// in the number type of its state (32-bit for most, 16-bit whole dollars
// for Oklahoma, 64-bit for Alabama), or no amount, in which case StateTax
// keeps the 0 the calculation put there. The calculation then adds the
// adjustment, rounds and raises a negative amount to 0.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/state.h"
#include "special_states/special_state.h"

namespace wagedesk::special_states {

struct FormulaInput {
    // The snapshot of the state editor's tables.
    BracketTable single{}, married{};
    AllowanceTable allowance{};
    // The period as the calculation holds it at the state step; FedTax
    // before the additional federal amount is added.
    float GrossPay = 0, GrossLessKPlan = 0, FedTax = 0, SocSecTax = 0, MedicareTax = 0;
    float StateAllowanceAmount = 0, StateCafeteria = 0, CalAllow = 0;
    std::string FedStatus, StateStatus;
    std::int16_t StateExemptions = 0;
    // The year totals of Social Security and Medicare.
    float TotSS = 0, TotMedi = 0;
    // Read live: the user information window's frequency options and state
    // status box, the editor's "Spouse Works", the main window's Iowa box.
    bool optWeek = false, optBiWeek = false;
    std::string cboStatus2;
    bool ckSpouse = false, ckIowaPrior = false;
};

struct FormulaResult {
    // No value: the formula found no amount.
    std::optional<VariantNumber> stateTax;
    // The state wages, where the formula works them out.
    std::optional<float> stateWages;
    // The formula turns "Round State" (ckRoundOff) on.
    bool turnsRoundStateOn = false;

    // StateTax and StateWages where the formula set them.
    void applyTo(PayResult &result) const;
};

// The live controls the formulas read.
struct FormulaLive {
    bool optWeek = false, optBiWeek = false;
    std::string cboStatus2;
    bool ckSpouse = false, ckIowaPrior = false;
};
// The input from the settings store and the period's result cells.
FormulaInput formulaInput(const ProgramState &store, const FormulaLive &live);

// Each throws SpecialStateError for a figure of the store it cannot work
// with (an exemption count outside 0 to 9, a Louisiana count beyond 16
// bits), and legacy::OverflowError for an amount too large for its cell
// (Oklahoma's whole dollars, only for absurd pay).
// The frequency each reads, the other one counting otherwise: Louisiana,
// Iowa, Oregon (its cap), Oklahoma and Alabama optBiWeek; Mass optWeek;
// Missouri optWeek for the periods of its limit and optBiWeek for its
// schedule; Wisconsin and N.C. a bi-weekly block when optBiWeek is on and
// a weekly one when optWeek is on; Arizona and Kentucky none.
FormulaResult GetArizona(const FormulaInput &in);
FormulaResult GetLouisiana(const FormulaInput &in);
FormulaResult GetIowa(const FormulaInput &in);
FormulaResult GetIowaPrior(const FormulaInput &in);
FormulaResult GetMissouri(const FormulaInput &in);
FormulaResult GetMass(const FormulaInput &in);
FormulaResult GetOregon(const FormulaInput &in);
FormulaResult GetOkla(const FormulaInput &in);
FormulaResult GetAlabama(const FormulaInput &in);
FormulaResult GetKentucky(const FormulaInput &in);
FormulaResult GetWisconsin(const FormulaInput &in);
FormulaResult GetNC(const FormulaInput &in);

// The figures of the store that the formulas of the switches that are on
// count or index with, checked before a calculation starts: throws the
// SpecialStateError a formula would, so the calculation can be refused
// before anything changes.
void checkFigures(const SwitchValues &switches, const FormulaInput &in);

// The state step's special states: every switch that is on runs its
// formula (Iowa's prior-period schedule while ckIowaPrior is on), in the
// calculation's order, each over what the earlier ones left, so the later
// amount counts and Round State stays on once a formula turned it on. The
// editor keeps one switch on at most; a hand-edited file can hold more. No
// value when no switch is on: the general computation runs then.
std::optional<FormulaResult> dispatch(const SwitchValues &switches, const FormulaInput &in);

}  // namespace wagedesk::special_states
