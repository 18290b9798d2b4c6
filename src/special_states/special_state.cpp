#include "special_states/special_state.h"

#include <utility>

#include "special_states/formulas.h"
#include "special_states/presets.h"

namespace wagedesk::special_states {

namespace {

using S = SpecialState;
using C = Companion;

// Where the store keeps each switch's copy: most in the state table file,
// Oklahoma, Alabama, Wisconsin and N.C. in the user details file.
template <std::int16_t StateSettings::*Flag> std::int16_t &tableFlag(ProgramState &s) { return s.stateSettings.*Flag; }
template <std::int16_t ProfileSettings::*Flag> std::int16_t &detailsFlag(ProgramState &s) { return s.profile.*Flag; }

// Indexed by SpecialState. The last two columns are how a press on the
// switch differs beside its companion: it clears the stored Louisiana flag,
// it turns Round State on.
const std::array<SpecialStateInfo, kSpecialStateCount> kStates{{
    {S::Arizona, "ckAriz", "Arizona", "Arizona", ArizonaSet, GetArizona, nullptr,
     tableFlag<&StateSettings::SpecialAriz>, C::None, false, false},
    {S::Louisiana, "ckLouis", "Louisiana", "Louisiana", LouisianaSet, GetLouisiana, nullptr,
     tableFlag<&StateSettings::SpecialLouis>, C::None, false, false},
    {S::Iowa, "ckIowa", "Iowa", "Iowa", IowaSet, GetIowa, GetIowaPrior, tableFlag<&StateSettings::SpecialIowa>,
     C::IowaPrior, false, false},
    {S::Missouri, "ckMissouri", "Missouri", "Missouri", MissouriSet, GetMissouri, nullptr,
     tableFlag<&StateSettings::SpecialMissouri>, C::Spouse, false, false},
    {S::Mass, "ckMass", "Mass", "Massachusetts", MassSet, GetMass, nullptr, tableFlag<&StateSettings::SpecialMass>,
     C::None, false, false},
    {S::Oregon, "ckOregon", "Oregon", "Oregon", OregonSet, GetOregon, nullptr, tableFlag<&StateSettings::SpecialOregon>,
     C::None, true, false},
    {S::Oklahoma, "ckOkla", "Oklahoma", "Oklahoma", OklaSet, GetOkla, nullptr,
     detailsFlag<&ProfileSettings::SpecialOkla>, C::Spouse, false, true},
    {S::Alabama, "ckAlabama", "Alabama", "Alabama", AlabamaSet, GetAlabama, nullptr,
     detailsFlag<&ProfileSettings::SpecialAlabama>, C::None, false, false},
    {S::Kentucky, "ckKentucky", "Kentucky", "Kentucky", KentuckySet, GetKentucky, nullptr,
     tableFlag<&StateSettings::SpecialKentucky>, C::None, false, false},
    {S::Wisconsin, "ckWiscon", "Wisconsin", "Wisconsin", WisconsinSet, GetWisconsin, nullptr,
     detailsFlag<&ProfileSettings::SpecialWiscon>, C::None, true, false},
    {S::NorthCarolina, "ckNC", "N.C.", "North Carolina", NCSet, GetNC, nullptr,
     detailsFlag<&ProfileSettings::SpecialNC>, C::None, true, true},
}};

}  // namespace

const std::array<SpecialStateInfo, kSpecialStateCount> &specialStates() { return kStates; }

const SpecialStateInfo &info(SpecialState s) { return kStates[index(s)]; }

std::int16_t &storedFlag(ProgramState &store, SpecialState s) { return info(s).storedFlag(store); }

std::int16_t storedFlag(const ProgramState &store, SpecialState s)
{
    // Only read through the accessor.
    return info(s).storedFlag(const_cast<ProgramState &>(store));
}

SpecialStateError::SpecialStateError(SpecialState s, std::string f, std::string v, std::string_view rule)
    : CalculationRefused(std::string(info(s).stateName) + " withholding: " + f + " is " + v + "; " + std::string(rule) +
                         "."),
      state(s), figure(std::move(f)), value(std::move(v))
{
}

}  // namespace wagedesk::special_states
