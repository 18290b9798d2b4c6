// The settings store: the values that the windows copy in and out and that
// the profile files save and restore. Plain values; the program holds its
// one store in the window layer and passes it to every computation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "legacy/numerics.h"
#include "legacy/seqfile.h"

namespace wagedesk {

// 16-bit Boolean of the stored files: True is -1.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// A variant number cell (the state and city tax): its value and the kind of
// number it holds, which decides the precision it is formatted at.
struct VariantNumber {
    enum class Kind { Integer, Single, Double };
    double value = 0;
    Kind kind = Kind::Integer;

    static VariantNumber integer(double v) { return {v, Kind::Integer}; }
    static VariantNumber single(float v) { return {v, Kind::Single}; }
    static VariantNumber dbl(double v) { return {v, Kind::Double}; }
    // The "#,###.00" text of the value at its own precision.
    std::string formatted(std::string_view pattern) const;
    bool operator==(const VariantNumber &) const = default;
};

// One line of a state or city bracket table: the wage from which the line
// applies, the amount withheld up to it and the percentage (a decimal
// fraction, 0.04 is 4 %) of the wage above the minimum.
struct BracketRow {
    float minimum = 0, amount = 0, percentage = 0;
    bool operator==(const BracketRow &) const = default;
};
// Ten lines; a minimum of 999999 marks a line that is not used.
using BracketTable = std::array<BracketRow, 10>;

// The withholding allowance by exemption count 0 to 9 (the special states
// give the two columns meanings of their own).
struct AllowanceRow {
    float single = 0, married = 0;
    bool operator==(const AllowanceRow &) const = default;
};
using AllowanceTable = std::array<AllowanceRow, 10>;

// A state or city withholding table: one bracket table for Single and one
// for Married, bi-weekly amounts (weekly pay halves them).
struct WithholdingTable {
    BracketTable single{}, married{};
    // Every bracket computation takes the Single table for the status
    // "Single" and the Married table for any other text.
    const BracketTable &forStatus(std::string_view status) const { return status == "Single" ? single : married; }
    bool operator==(const WithholdingTable &) const = default;
};

// One line of the non-resident city table: the wage from which it applies
// and the amount subtracted from the wage.
struct NonResidentRow {
    float minimum = 0, subtract = 0;
    bool operator==(const NonResidentRow &) const = default;
};
using NonResidentLines = std::array<NonResidentRow, 8>;
// Eight lines for bi-weekly and eight for weekly pay, one percentage.
struct NonResidentTable {
    NonResidentLines biWeekly{}, weekly{};
    float percentage = 0;
    bool operator==(const NonResidentTable &) const = default;
};

// One percentage-method table: 28 cells, index 1 to 28 (0 unused).
using FederalBracketTable = std::array<float, 29>;

struct ProfileSettings {
    // User information
    float PayRate1 = 0, PayRate2 = 0, TipsRate = 0;
    float DefaultPayRate = 0;
    std::string FedStatus, FedExemptions;
    std::string StateStatus;
    std::int16_t StateExemptions = 0;
    float KPlan = 0;
    std::int16_t KPlanIsPercent = 0, KPlanIsFixed = 0;
    float PensionPercent = 0;
    float CafeteriaPlan = 0;
    std::int16_t CafeDeductState = 0, SelfEmployed = 0;
    float FedAdditional = 0;
    std::int16_t FedExempt = 0, SSMediExempt = 0, NonCityResident = 0;
    float DeductMuni = 0, DeductBond = 0, DeductDues = 0, DeductMisc = 0;
    std::int16_t WeeklyPay = kFalse, BiWeeklyPay = kFalse;
    std::array<std::string, 10> TaxCaption;  // 5 to 9 used
    std::string EmployeeName, EmployeeAddress, EmployeeCityStateZip, EmployeeSSN;

    // User details kept for other windows
    float CheckHorzOffset = 0, CheckVertOffset = 0;
    std::int16_t SpouseWorks = 0;
    float CalAllow = 0;
    std::int16_t RoundState = 0, SpecialOkla = 0, SpecialWiscon = 0, SpecialAlabama = 0, SpecialNC = 0;

    // Reserved items, written back exactly as read.
    std::array<legacy::Variant, 17> UseReserved{};  // 1 to 16
    std::array<float, 9> AndReservedF{};            // 1 to 8: 1-5 floats (6-8 unused here)
    std::array<bool, 9> AndReservedB{};             // 6 to 8 Booleans
    std::array<std::string, 11> AndReservedS{};     // 9, 10 texts
    std::array<std::int16_t, 13> AndReservedI{};    // 11, 12 integers
    bool operator==(const ProfileSettings &) const = default;
};

struct OvertimeStore {
    float OTEarned = 0, OTLimit = 0, OTAvailable = 0;
    float OTAnnualSalary = 0, OTApprovedPercent = 0, OTPresentRate = 0;
    std::array<std::string, 52> OTDate{}, OTAmount{};
    bool operator==(const OvertimeStore &) const = default;
};

struct FederalTables {
    FederalBracketTable FedSingleBi{}, FedSingleWk{}, FedMarriedBi{}, FedMarriedWk{};
    std::array<float, 20> FedAllowance{};  // 0-9 Single, 10-19 Married
    std::string TaxVersion;
    bool operator==(const FederalTables &) const = default;
};

// The state and city snapshot that the table editors copy in.
struct StateSettings {
    WithholdingTable StateTable;
    AllowanceTable StateAllowance{};  // StateSgExp / StateMarExp
    WithholdingTable CityTable;
    AllowanceTable CityAllowance{};  // CitySgExp / CityMarExp
    float SDIPercent = 0, SDIWageBase = 0, SUIPercent = 0, SUIWageBase = 0;
    float StateAdjust = 0;
    // Switches of the state editor kept in the state table file: check box
    // values (0, 1, or 2 for a grayed box). The other special states and
    // Round State live in ProfileSettings (the user details file).
    std::int16_t NoStateTax = 0, SDIUseBase = 0, SUIUseBase = 0;
    std::int16_t SpecialAriz = 0, SpecialLouis = 0, SpecialIowa = 0, SpecialMass = 0;
    std::int16_t SpecialOregon = 0, SpecialKentucky = 0, SpecialMissouri = 0;
    // The city editor's NO LOCAL TAX box; no computation reads it.
    std::int16_t NoLocalTax = 0;
    NonResidentTable NonResident;
    bool operator==(const StateSettings &) const = default;
};

// One pay period's result cells.
struct PayResult {
    float GrossPay = 0, GrossLessKPlan = 0;
    float FedAllowanceAmount = 0, FedWages = 0, FedTax = 0;
    float SocSecTax = 0, MedicareTax = 0;
    float StateAllowanceAmount = 0, CityAllowanceAmount = 0, StateCafeteria = 0;
    float StateWages = 0, CityWages = 0;
    VariantNumber StateTax, CityTax;
    float PensionAmount = 0, CafeteriaAmount = 0;
    float SDIAmount = 0, SUIAmount = 0;
    float SDIYtdGross = 0, SUIYtdGross = 0;
    float NetPay = 0;
    bool operator==(const PayResult &) const = default;
};

// The year totals the core reads (kept by the ledger).
struct YearStore {
    legacy::Currency TotGross;
    float TotSS = 0, TotMedi = 0;
    std::int16_t YearCloseAllowed = 0;
    bool operator==(const YearStore &) const = default;
};

// The print heading: four free-text lines that head the pay stub and the
// year-to-date report. It belongs to the installation, not to a profile:
// read from its file at start-up (empty without one), and set by the
// heading dialog.
struct PrintHeading {
    std::string HeadingLine1, HeadingLine2, HeadingLine3, HeadingLine4;
    std::array<std::string, 4> lines() const { return {HeadingLine1, HeadingLine2, HeadingLine3, HeadingLine4}; }
    bool operator==(const PrintHeading &) const = default;
};

struct ProgramState {
    std::string CurrentUser;
    ProfileSettings profile;
    OvertimeStore overtime;
    // The tracker's store as the settings files last gave or took it. A
    // store that differs holds what the user put into it since (TOTAL,
    // Back), which a save must write and only a refill may drop.
    OvertimeStore overtimeOnFile;
    FederalTables federal;
    StateSettings stateSettings;
    PayResult result;
    YearStore year;
    PrintHeading heading;
    bool operator==(const ProgramState &) const = default;
};

}  // namespace wagedesk
