#include "tables/table_defaults.h"

#include <cstddef>

#include "legacy/numerics.h"

namespace wagedesk::tables {

// The Single and Married state tables share their minimums; lines 7 and 8
// differ.
const StateTableTexts kNewYorkStateTexts{
    {
        {{
            {"0", "0", "0.04"},
            {"308", "12.31", "0.045"},
            {"423", "17.5", "0.0525"},
            {"500", "21.54", "0.059"},
            {"769", "37.42", "0.0685"},
            {"3462", "221.85", "0.0764"},
            {"3846", "251.23", "0.0854"},
            {"5769", "415.46", "0.0855"},
            {"7692", "579.88", "0.0775"},
            {"19231", "1474.12", "0.082"},
        }},
        {{
            {"0", "0", "0.04"},
            {"308", "12.31", "0.045"},
            {"423", "17.5", "0.0525"},
            {"500", "21.54", "0.059"},
            {"769", "37.42", "0.0685"},
            {"3462", "221.85", "0.0764"},
            {"3846", "251.23", "0.0814"},
            {"5769", "407.85", "0.0895"},
            {"7692", "579.88", "0.0775"},
            {"19231", "1474.12", "0.082"},
        }},
    },
    // 268.3 + 38.5 n and 287.5 + 38.5 n
    {{
        {"268.3", "287.5"},
        {"306.8", "326"},
        {"345.3", "364.5"},
        {"383.8", "403"},
        {"422.3", "441.5"},
        {"460.8", "480"},
        {"499.3", "518.5"},
        {"537.8", "557"},
        {"576.3", "595.5"},
        {"614.8", "634"},
    }},
    "0",
    "0",
    "0",
    "0",
    "0",
    "0",
};

const CityTableTexts kNewYorkCityTexts{
    {
        {{
            {"0", "0", "0.019"},
            {"308", "5.85", "0.0265"},
            {"334", "6.58", "0.031"},
            {"557", "14.08", "0.037"},
            {"962", "28.31", "0.039"},
            {"2308", "80.81", "0.04"},
            {"3846", "142.35", "0.044"},
            {"5769", "226.96", "0.0544"},
            {"7692", "331.58", "0.044"},
            {"19231", "839.27", "0.048"},
        }},
        {{
            {"0", "0", "0.019"},
            {"308", "5.85", "0.0265"},
            {"334", "6.58", "0.031"},
            {"577", "14.08", "0.037"},
            {"962", "28.31", "0.039"},
            {"2308", "80.81", "0.04"},
            {"3846", "142.35", "0.04"},
            {"5769", "219.27", "0.0603"},
            {"7692", "335.23", "0.044"},
            {"19231", "842.92", "0.048"},
        }},
    },
    // 192.3 + 38.5 n and 211.5 + 38.5 n
    {{
        {"192.3", "211.5"},
        {"230.8", "250"},
        {"269.3", "288.5"},
        {"307.8", "327"},
        {"346.3", "365.5"},
        {"384.8", "404"},
        {"423.3", "442.5"},
        {"461.8", "481"},
        {"500.3", "519.5"},
        {"538.8", "558"},
    }},
};

const NonResidentTableTexts kNonResidentTexts{
    {{
        {"0", "0"},
        {"145", "115"},
        {"385", "77"},
        {"769", "38"},
        {"1154", "0"},
        {"999999", "0"},
        {"999999", "0"},
        {"999999", "0"},
    }},
    {{
        {"0", "0"},
        {"78", "58"},
        {"192", "38"},
        {"385", "19"},
        {"577", "0"},
        {"999999", "0"},
        {"999999", "0"},
        {"999999", "0"},
    }},
    "0.0045",
};

namespace {

float figure(std::string_view text) { return legacy::toFloat(text); }

BracketTable bracketTable(const BracketTexts &texts)
{
    BracketTable t{};
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = {figure(texts[i].minimum), figure(texts[i].amount), figure(texts[i].percentage)};
    return t;
}

NonResidentLines nonResidentLines(const NonResidentLineTexts &texts)
{
    NonResidentLines lines{};
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = {figure(texts[i].minimum), figure(texts[i].subtract)};
    return lines;
}

}  // namespace

WithholdingTable withholdingTable(const WithholdingTableTexts &texts)
{
    return {bracketTable(texts.single), bracketTable(texts.married)};
}

AllowanceTable allowanceTable(const AllowanceTexts &texts)
{
    AllowanceTable t{};
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = {figure(texts[i].single), figure(texts[i].married)};
    return t;
}

NonResidentTable nonResidentTable(const NonResidentTableTexts &texts)
{
    return {nonResidentLines(texts.biWeekly), nonResidentLines(texts.weekly), figure(texts.percentage)};
}

void applyNewYorkStateTable(StateSettings &store)
{
    store.StateTable = withholdingTable(kNewYorkStateTexts.table);
    store.StateAllowance = allowanceTable(kNewYorkStateTexts.allowance);
}

void applyNewYorkCityTable(StateSettings &store)
{
    store.CityTable = withholdingTable(kNewYorkCityTexts.table);
    store.CityAllowance = allowanceTable(kNewYorkCityTexts.allowance);
}

void applyNonResidentTable(StateSettings &store) { store.NonResident = nonResidentTable(kNonResidentTexts); }

void builtInStateFileItems(StateSettings &s, ProfileSettings &p)
{
    applyNewYorkStateTable(s);
    s.NoStateTax = 0;
    s.SDIPercent = s.SUIPercent = s.SDIWageBase = s.SUIWageBase = s.StateAdjust = 0;
    s.SDIUseBase = s.SUIUseBase = 0;
    s.SpecialAriz = s.SpecialLouis = s.SpecialIowa = s.SpecialMass = 0;
    s.SpecialOregon = s.SpecialKentucky = s.SpecialMissouri = 0;
    p.SSMediExempt = p.SpecialAlabama = p.FedExempt = 0;
    p.StateExemptions = 0;
    p.StateStatus = "Single";
    p.FedAdditional = 0;
}

void builtInCityFileItems(StateSettings &s)
{
    applyNewYorkCityTable(s);
    s.NoLocalTax = 0;
}

}  // namespace wagedesk::tables
