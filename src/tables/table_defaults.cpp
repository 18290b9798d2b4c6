#include "tables/table_defaults.h"

#include <cstddef>

#include "legacy/numerics.h"

namespace wagedesk::tables {

// Minimums are the same in both New York state tables; rows 6 and 7 differ.
const StateTableTexts kNewYorkStateTexts{
    {"0", "308", "423", "500", "769", "3462", "3846", "5769", "7692", "19231"},
    {"0", "12.31", "17.5", "21.54", "37.42", "221.85", "251.23", "415.46", "579.88", "1474.12"},
    {"0.04", "0.045", "0.0525", "0.059", "0.0685", "0.0764", "0.0854", "0.0855", "0.0775", "0.082"},
    {"0", "308", "423", "500", "769", "3462", "3846", "5769", "7692", "19231"},
    {"0", "12.31", "17.5", "21.54", "37.42", "221.85", "251.23", "407.85", "579.88", "1474.12"},
    {"0.04", "0.045", "0.0525", "0.059", "0.0685", "0.0764", "0.0814", "0.0895", "0.0775", "0.082"},
    // 268.3 + 38.5 n and 287.5 + 38.5 n
    {"268.3", "306.8", "345.3", "383.8", "422.3", "460.8", "499.3", "537.8", "576.3", "614.8"},
    {"287.5", "326", "364.5", "403", "441.5", "480", "518.5", "557", "595.5", "634"},
    "0", "0", "0", "0", "0", "0",
};

const CityTableTexts kNewYorkCityTexts{
    {"0", "308", "334", "557", "962", "2308", "3846", "5769", "7692", "19231"},
    {"0", "5.85", "6.58", "14.08", "28.31", "80.81", "142.35", "226.96", "331.58", "839.27"},
    {"0.019", "0.0265", "0.031", "0.037", "0.039", "0.04", "0.044", "0.0544", "0.044", "0.048"},
    {"0", "308", "334", "577", "962", "2308", "3846", "5769", "7692", "19231"},
    {"0", "5.85", "6.58", "14.08", "28.31", "80.81", "142.35", "219.27", "335.23", "842.92"},
    {"0.019", "0.0265", "0.031", "0.037", "0.039", "0.04", "0.04", "0.0603", "0.044", "0.048"},
    // 192.3 + 38.5 n and 211.5 + 38.5 n
    {"192.3", "230.8", "269.3", "307.8", "346.3", "384.8", "423.3", "461.8", "500.3", "538.8"},
    {"211.5", "250", "288.5", "327", "365.5", "404", "442.5", "481", "519.5", "558"},
};

const NonResidentTableTexts kNonResidentTexts{
    {"0", "145", "385", "769", "1154", "999999", "999999", "999999"},
    {"0", "115", "77", "38", "0", "0", "0", "0"},
    {"0", "78", "192", "385", "577", "999999", "999999", "999999"},
    {"0", "58", "38", "19", "0", "0", "0", "0"},
    "0.0045",
};

namespace {

template <std::size_t N, std::size_t M>
void put(std::array<float, M> &target, const std::array<std::string_view, N> &texts)
{
    static_assert(N <= M);
    for (std::size_t i = 0; i < N; ++i)
        target[i] = legacy::toFloat(texts[i]);
}

} // namespace

void applyNewYorkStateTable(StateSettings &store)
{
    const StateTableTexts &t = kNewYorkStateTexts;
    put(store.StateMinBS, t.txtStateMinBS);
    put(store.StateAmtBS, t.txtStateAmtBS);
    put(store.StatePerBS, t.txtStatePerBS);
    put(store.StateMinBM, t.txtStateMinBM);
    put(store.StateAmtBM, t.txtStateAmtBM);
    put(store.StatePerBM, t.txtStatePerBM);
    put(store.StateSgExp, t.txtStateSgExp);
    put(store.StateMarExp, t.txtStateMarExp);
}

void applyNewYorkCityTable(StateSettings &store)
{
    const CityTableTexts &t = kNewYorkCityTexts;
    put(store.CityMinBS, t.txtCityMinBS);
    put(store.CityAmtBS, t.txtCityAmtBS);
    put(store.CityPerBS, t.txtCityPerBS);
    put(store.CityMinBM, t.txtCityMinBM);
    put(store.CityAmtBM, t.txtCityAmtBM);
    put(store.CityPerBM, t.txtCityPerBM);
    put(store.CitySgExp, t.txtCitySgExp);
    put(store.CityMarExp, t.txtCityMarExp);
}

void applyNonResidentTable(StateSettings &store)
{
    const NonResidentTableTexts &t = kNonResidentTexts;
    put(store.NonMinBi, t.txtNonMinBi);
    put(store.NonExpBi, t.txtNonExpBi);
    put(store.NonMinWk, t.txtNonMinWk);
    put(store.NonExpWk, t.txtNonExpWk);
    store.NonPer = legacy::toFloat(t.txtNonPer);
}

} // namespace wagedesk::tables
