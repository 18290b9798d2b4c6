// Feeds arbitrary bytes to every file reader: the profile and table files,
// the year-to-date file (weekly and bi-weekly), the leave record and the
// print heading. The first byte picks the kind of file; the rest is the
// file. A file that loads is saved, loaded again and saved again: the
// second save must be byte for byte the first. For the profile and tables
// a few pay periods are then computed from what was loaded. Only the errors
// the windows report may escape (a damaged file, a number that is not one
// or too large, an amount beyond its range), and every number read and
// every result must be finite; a crash, undefined behaviour or any other
// exception is a finding.
#include <stdlib.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

#include "core/federal.h"
#include "core/numbers.h"
#include "core/paycalc.h"
#include "core/profile_files.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "printing/heading_file.h"
#include "records/leave.h"
#include "records/year_file.h"
#include "records/year_ledger.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
#include "tables/withholding.h"

using namespace wagedesk;

namespace {

namespace fs = std::filesystem;

// New kinds go at the end, so the seeds keep their kind.
enum Kind { Use, And, Cfe, Ovw, Ovb, Prv, Sta, Cti, Nci, Federal, Yrw, Yrb, Hol, Header, Kinds };

const char *const kNames[Kinds] = {"fuzz.use", "fuzz.and", "fuzz.cfe", "fuzz.ovw",  "fuzz.ovb",
                                   "fuzz.prv", "fuzz.sta", "fuzz.cti", "fuzz.nci",  "Federal.dat",
                                   "fuzz.yrw", "fuzz.yrb", "fuzz.hol", "Header.sav"};

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The state and city steps as the program runs them without special states.
class TablesStep : public CalcEnvironment {
public:
    explicit TablesStep(bool biWeekly) : biWeekly_(biWeekly) {}
    void stateStep(ProgramState &st) override
    {
        tables::GetStateTax(st.stateSettings.StateTable, st.profile.StateStatus, biWeekly_, !biWeekly_, st.result);
    }
    void cityStep(ProgramState &st) override
    {
        tables::GetCityTax(st.stateSettings.CityTable, st.stateSettings.NonResident, st.profile.StateStatus, biWeekly_,
                           !biWeekly_, st.profile.NonCityResident, st.result);
    }
    SdiSuiBoxes sdiSuiBoxes() override { return sdi_; }
    bool roundStateOn() override { return round_; }

    SdiSuiBoxes sdi_;
    bool round_ = false;

private:
    bool biWeekly_;
};

// A profile as the program holds it before reading a file: the built-in
// tables, the new-profile settings.
ProgramState startingStore()
{
    ProgramState st = newProfileState(ProgramState{}, "fuzz");
    tables::applyNewYorkStateTable(st.stateSettings);
    tables::applyNewYorkCityTable(st.stateSettings);
    tables::applyNonResidentTable(st.stateSettings);
    return st;
}

double shown(float v) { return legacy::val(legacy::floatToText(v)); }

// Loads the file into the store; false when it is damaged as a whole (the
// program reports it and keeps nothing). The table files keep what they
// gave before a damage, as the editors do.
bool load(Kind kind, const std::string &bytes, ProgramState &st)
{
    legacy::SeqReader in(bytes, kNames[kind]);
    try {
        switch (kind) {
        case Use: readUserSettingsFile(in, st.profile, st.overtime); break;
        case And: readUserDetailsFile(in, st.profile); break;
        case Cfe: readCafeteriaFile(in, st.profile); break;
        case Ovw: readOvertimeFile(in, st.overtime, 52); break;
        case Ovb: readOvertimeFile(in, st.overtime, 26); break;
        case Prv: {
            const std::array<float, 8> amounts = readPayPeriodFile(in);
            for (float a : amounts)
                check(std::isfinite(a));
            break;
        }
        case Federal: st.federal = readFederalFile(in); break;
        case Sta: {
            tables::builtInStateFileItems(st.stateSettings, st.profile);
            tables::readStateTable(in, st.stateSettings, st.profile);
            break;
        }
        case Cti: tables::readCityTable(in, st.stateSettings); break;
        case Nci: tables::readNonResidentTable(in, st.stateSettings.NonResident); break;
        default: break;
        }
    } catch (const legacy::FileFormatError &) {
        return kind == Sta || kind == Cti || kind == Nci;
    }
    return true;
}

// What the program saves of that kind, or nothing for a file it never writes.
std::string save(Kind kind, const ProgramState &st, const std::string &loaded)
{
    legacy::SeqWriter out(kNames[kind]);
    const ProfileSettings &p = st.profile;
    const OvertimeStore &o = st.overtime;
    switch (kind) {
    case Use:
        writeUserSettingsFile(out, p, o, shown(o.OTAnnualSalary), shown(o.OTApprovedPercent), shown(o.OTLimit),
                              shown(o.OTAvailable));
        break;
    case And: writeUserDetailsFile(out, p); break;
    case Cfe: writeCafeteriaFile(out, p); break;
    case Ovw:
    case Ovb: {
        const int rows = kind == Ovw ? 52 : 26;
        std::array<double, 52> amounts{};
        for (int i = 0; i < rows; ++i)
            amounts[i] = lenientDouble(o.OTAmount[i]);
        writeOvertimeFile(out, o.OTDate, amounts, rows);
        break;
    }
    case Prv: {
        legacy::SeqReader in(loaded, kNames[kind]);
        writePayPeriodFile(out, readPayPeriodFile(in));
        break;
    }
    case Sta: tables::writeStateTable(out, st.stateSettings, p); break;
    case Cti: tables::writeCityTable(out, st.stateSettings); break;
    case Nci: tables::writeNonResidentTable(out, st.stateSettings.NonResident); break;
    default: return {};
    }
    return out.contents();
}

bool finite(const PayResult &r)
{
    for (float v :
         {r.GrossPay, r.GrossLessKPlan, r.FedAllowanceAmount, r.FedWages, r.FedTax, r.SocSecTax, r.MedicareTax,
          r.StateAllowanceAmount, r.CityAllowanceAmount, r.StateCafeteria, r.StateWages, r.CityWages, r.PensionAmount,
          r.CafeteriaAmount, r.SDIAmount, r.SUIAmount, r.SDIYtdGross, r.SUIYtdGross, r.NetPay})
        if (!std::isfinite(v))
            return false;
    return std::isfinite(r.StateTax.value) && std::isfinite(r.CityTax.value);
}

void computePeriods(ProgramState st)
{
    const std::array<std::array<std::string, 8>, 3> periods{{
        {"40", "", "", "", "", "", "", ""},
        {"80", "8", "2", "3.5", "8", "4", "125.50", "6"},
        {"0", "", "", "", "", "", "1000000", ""},
    }};
    for (bool biWeekly : {false, true}) {
        for (const auto &texts : periods) {
            TablesStep env(biWeekly);
            const StateSettings &s = st.stateSettings;
            env.sdi_ = {s.SDIUseBase, s.SUIUseBase, legacy::shortestText(s.StateAdjust),
                        legacy::shortestText(st.profile.CalAllow)};
            env.round_ = st.profile.RoundState == 1;
            PayEntries entries;
            entries.text = texts;
            entries.optBiWeek = biWeekly;
            entries.optWeek = !biWeekly;
            entries.ckFedExemp = st.profile.FedExempt == 1;
            entries.ckSSMediExemp = st.profile.SSMediExempt == 1;
            PeriodValues values;
            try {
                const PayLabels shownLabels = computePayPeriod(st, entries, values, env);
                check(finite(st.result));
                check(!shownLabels.lbNet.empty());
            } catch (const EntryError &) {
            } catch (const StateBoxError &) {
            } catch (const NumberError &) {
            } catch (const legacy::OverflowError &) {
                // "too large to compute": the store is as it was.
            }
        }
    }
}

// The year-to-date, leave and heading readers take a file, as the program
// hands them one: each input gets a folder of its own under the system's
// temporary folder (TMPDIR), removed afterwards, so no input sees the files
// of another.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "wd_loaders_fuzz_XXXXXX").string();
        check(::mkdtemp(pattern.data()) != nullptr);
        dir_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // NAME in the sub-folder SUB, which is made when missing.
    fs::path at(const char *sub, const char *name) const
    {
        fs::create_directories(dir_ / sub);
        return dir_ / sub / name;
    }

private:
    fs::path dir_;
};

std::string slurp(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    check(in.good());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool finite(const payrecords::YearLedger &ledger)
{
    for (const payrecords::YearRow &r : ledger.rows)
        for (float v : {r.Fed, r.SS, r.Medi, r.State, r.City, r.Muni, r.Bond, r.Dues, r.Pen, r.Misc, r.Kplan, r.OT,
                        r.Tips, r.Gross, r.Net, r.SDI, r.SUI, r.Cafe})
            if (!std::isfinite(v))
                return false;
    const payrecords::YearTotals &t = ledger.totals;
    for (float v : {t.TotFed, t.TotSS, t.TotMedi, t.TotState, t.TotCity, t.TotMuni, t.TotBond, t.TotDues, t.TotPen,
                    t.TotMisc, t.TotKplan, t.TotSDI, t.TotSUI, t.TotCafe})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool finite(const payrecords::LeaveRecord &record)
{
    for (const payrecords::LeaveAccount *a : {&record.Vac, &record.Hol, &record.Sick}) {
        if (!std::isfinite(a->Balance) || !std::isfinite(a->Start))
            return false;
        for (float v : a->Taken)
            if (!std::isfinite(v))
                return false;
    }
    return true;
}

// The ledger as its windows open it (fillBoxes, then Update and Add) and
// save it on a close with Yes (Update and Add, then SaveAnnual): the bytes
// saved, or nothing when the file is reported damaged or a total cannot be
// formed (the window then says so and writes nothing).
std::optional<std::string> yearRoundTrip(const fs::path &from, const fs::path &to, Kind kind)
{
    using namespace payrecords;
    const std::int16_t weeklyPay = kind == Yrw ? kTrue : kFalse;
    const PayFrequency frequency{weeklyPay, kind == Yrw};
    YearLedger ledger;
    YearScreen screen;
    const LoadResult loaded = fillBoxes(ledger, screen, from, weeklyPay);
    if (loaded.fileProblem)
        return std::nullopt;
    check(loaded.read);
    check(finite(ledger));
    if (!UpdateAndAdd(ledger, screen, frequency) || !SaveAnnual(ledger, screen, to, weeklyPay))
        return std::nullopt;
    check(finite(ledger));
    return slurp(to);
}

// The leave record as the program saves it with its window closed: the
// window's load, then SaveVac. Nothing when the file is reported damaged.
std::optional<std::string> leaveRoundTrip(const fs::path &from, const fs::path &to)
{
    using namespace payrecords;
    LeaveRecord fields;
    LeaveTexts texts;
    try {
        Form_Load(fields, texts, from);
    } catch (const legacy::FileFormatError &) {
        return std::nullopt;
    }
    check(finite(fields));
    SaveVac(fields, texts, to);
    check(finite(fields));
    return slurp(to);
}

// The print heading: LoadHeader's read, SaveHeader's write.
std::optional<std::string> headingRoundTrip(const fs::path &from, const fs::path &to)
{
    PrintHeading heading;
    try {
        heading = printing::readHeaderFile(from);
    } catch (const legacy::FileFormatError &) {
        return std::nullopt;
    }
    printing::writeHeaderFile(to, heading);
    return slurp(to);
}

std::optional<std::string> roundTrip(Kind kind, const fs::path &from, const fs::path &to)
{
    switch (kind) {
    case Yrw:
    case Yrb: return yearRoundTrip(from, to, kind);
    case Hol: return leaveRoundTrip(from, to);
    default: return headingRoundTrip(from, to);
    }
}

// Load, save, reload, save: the second save must be the first.
void roundTripFile(Kind kind, const std::string &bytes)
{
    const ScratchFolder folder;
    const fs::path given = folder.at("given", kNames[kind]);
    const fs::path saved = folder.at("saved", kNames[kind]);
    const fs::path again = folder.at("again", kNames[kind]);
    {
        std::ofstream out(given, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        check(out.good());
    }
    const std::optional<std::string> first = roundTrip(kind, given, saved);
    if (!first)
        return;
    const std::optional<std::string> second = roundTrip(kind, saved, again);
    check(second.has_value());
    check(*second == *first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Kind kind = Kind(data[0] % Kinds);
    const std::string bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    if (kind >= Yrw) {
        roundTripFile(kind, bytes);
        return 0;
    }

    ProgramState st = startingStore();
    if (!load(kind, bytes, st))
        return 0;
    if (kind != Federal) {  // the federal table is only ever read
        const std::string first = save(kind, st, bytes);
        ProgramState again = startingStore();
        check(load(kind, first, again));
        check(save(kind, again, first) == first);
    }
    computePeriods(st);
    return 0;
}
