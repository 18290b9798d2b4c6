// The pay-period calculation (Calcu_late) as plain functions over the
// settings store: gross pay, federal, Social Security, Medicare, SDI, SUI,
// deductions and net pay. The window feeds it its live controls and shows
// the texts it returns; the state and city steps come in through
// CalcEnvironment.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "core/federal.h"
#include "core/numbers.h"
#include "core/state.h"
#include "legacy/numerics.h"

namespace wagedesk {

// The live controls the calculation reads: the eight entry boxes and the
// overtime option of the main window, the pay frequency and the two
// exemption switches of the user information window.
struct PayEntries {
    std::array<std::string, 8> text;
    bool opt1x = true;
    bool optBiWeek = false, optWeek = true;
    bool ckFedExemp = false, ckSSMediExemp = false;
};

// The main window's public and private values that the calculation sets.
struct PeriodValues {
    float PayRate = 0;
    float StrHrs = 0, StrHrs2 = 0, OtHrs = 0, OtVar = 0, Avas = 0, VacDys = 0, TipsHrs = 0;
    legacy::Currency Addit;
    float TotalOt = 0, TotalTips = 0;
    float StrPay = 0, StrPay2 = 0, TipsPay = 0, KPlanAmount = 0;
    double TaxDeduct = 0;  // a sum of variants that always ends as a double
    float TotDeduct = 0;
    // The tips amount of the printouts, set when one is printed; the
    // calculation neither sets nor reads it.
    float MyTips = 0;
};

// The texts the calculation shows in the main window.
struct PayLabels {
    std::string Label13, lbTaxes, lbDeduct, lbNet, lbOverT, lbTips;
    std::array<std::string, 11> lbTaxDed;
    std::string lbSDI, lbSUI, lbCafe;
};

// What GetSDI_SUI reads live from the state table editor.
struct SdiSuiBoxes {
    // The Use Base switches' values: 1 a percentage up to the base, 0 the
    // base box as a flat amount, 2 (grayed) neither, so nothing is withheld.
    std::int16_t ckSDI = 0, ckSUI = 0;
    std::string txtStateAdj = "0", txtCalAllow = "0";
};

// The steps of the calculation that belong to the state and city tables.
// The defaults do nothing: no state or city tax, no SDI/SUI base switches.
class CalcEnvironment {
public:
    virtual ~CalcEnvironment() = default;
    // The special states or the general state computation; leaves the
    // amount in state.result.StateTax (it may be negative).
    virtual void stateStep(ProgramState &) {}
    // ZeroBlankStateFields: empty SDI, SUI, adjustment and allowance boxes
    // get "0".
    virtual void zeroBlankStateFields() {}
    // GetCityTax: leaves the amount in state.result.CityTax.
    virtual void cityStep(ProgramState &) {}
    virtual SdiSuiBoxes sdiSuiBoxes() { return {}; }
    // The editor's "Round State" switch (ckRoundOff).
    virtual bool roundStateOn() { return false; }
};

// An entry box whose text is not a number (and does not count as blank), or
// one too large for its value.
class EntryError : public std::runtime_error {
public:
    EntryError(std::size_t index, std::string text, NumberProblem problem);
    std::size_t index;  // the box, 0 to 7
    std::string text;
    NumberProblem problem;
};

// The state editor's adjustment or California allowance box holds a text
// that is not a number, or one too large.
class StateBoxError : public std::runtime_error {
public:
    StateBoxError(std::string box, std::string caption, std::string text, NumberProblem problem);
    std::string box;      // "txtStateAdj" or "txtCalAllow"
    std::string caption;  // how the editor names the box
    std::string text;
    NumberProblem problem;
    std::string message() const;  // for the message box
};

// A figure one of the environment's steps cannot work with (a state's own
// method refusing a count, say); what() is the message for the user.
class CalculationRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A rate or amount of the federal table too large to compute with.
class FederalTableError : public legacy::OverflowError {
public:
    FederalTableError();
};

// Refuses the first entry whose text is not a number or is too large. An
// empty text, or one of blanks only, passes: the calculation sets it to
// "0". Any other text must be one whole number ("-", "." and "--5" are not).
void validateEntries(const std::array<std::string, 8> &entries);

// GetSocSec: Social Security on the period's gross less the cafeteria plan,
// against the 90000 base counted with the year's gross (state.year.TotGross);
// 0 when those wages are below 0.
void GetSocSec(ProgramState &state);

// GetSDI_SUI: takes StateAdjust and CalAllow from the boxes (strictly; a
// blank box reads 0), then SDI and SUI as a percentage up to the base (no
// refund on a gross below 0), or the flat amount of the base box when the
// Use Base switch is off.
// Throws StateBoxError.
void GetSDI_SUI(ProgramState &state, const SdiSuiBoxes &boxes);

// Calcu_late from the reset to the totals shown (everything but reloading
// the federal tables, loading the editors, blanking the zero boxes,
// emptying the federal tables and saving, which are the window's). Writes
// the entry texts back after the blank rule ("0" for a blank box).
// Throws EntryError, StateBoxError, FederalTableError, legacy::OverflowError
// (amounts beyond the range of their values) or whatever the environment
// throws; the settings
// store, the entries and the values are then as they were before the call.
PayLabels computePayPeriod(ProgramState &state, PayEntries &entries, PeriodValues &values, CalcEnvironment &env);

}  // namespace wagedesk
