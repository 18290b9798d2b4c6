#include "tables/table_files.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

#include "core/profile_files.h"
#include "core/state.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"

namespace wagedesk::tables {

std::string stateTableFileName(std::string_view user) { return std::string(user) + ".sta"; }
std::string cityTableFileName(std::string_view user) { return std::string(user) + ".cti"; }
std::string nonResidentTableFileName(std::string_view user) { return std::string(user) + ".nci"; }

std::array<std::string, 4> corruptedFileLines(std::string_view fileName)
{
    return {"You have corupted a file.", "Find file,", std::string(fileName), "and delete it."};
}

namespace {

// Items as the table files need them. A number item that is not a number
// (or is empty) reads 0, as the files were always read; what cannot be held
// by its variable, or a switch a check box cannot show, is a damaged file.
class TableReader {
public:
    explicit TableReader(legacy::SeqReader &in) : in_(in) {}

    double number()
    {
        const legacy::Variant item = in_.variant();
        if (const double *v = std::get_if<double>(&item))
            return *v;
        if (const bool *b = std::get_if<bool>(&item))
            return *b ? -1 : 0;
        const std::string *text = std::get_if<std::string>(&item);
        if (!text)
            return 0;  // empty item
        double v = 0;
        try {
            v = legacy::toDouble(*text);  // a quoted number still counts
        } catch (const legacy::NumberFormatError &) {
            return 0;
        } catch (const legacy::OverflowError &) {
            damaged("number out of range");
        }
        return v;
    }

    float single()
    {
        // From here on a double rounds to float infinity.
        constexpr double kFloatLimit = 0x1.ffffffp127;
        const double v = number();
        if (!(std::fabs(v) < kFloatLimit))
            damaged("number out of range");
        return static_cast<float>(v);
    }

    std::int16_t integer()
    {
        try {
            return legacy::toInt16(number());
        } catch (const legacy::OverflowError &) {
            damaged("integer out of range");
        }
    }

    // A check box value: 0, 1 or 2 (grayed).
    std::int16_t flag()
    {
        const std::int16_t v = integer();
        if (v < 0 || v > 2)
            damaged("switch value out of range");
        return v;
    }

    std::string text() { return in_.text(); }

    template <std::size_t N>
    void singles(std::array<float, N> &target, std::size_t row) { target.at(row) = single(); }

    [[noreturn]] void damaged(const std::string &what) const { throw legacy::FileFormatError(in_.file(), what); }

private:
    legacy::SeqReader &in_;
};

// Opens a table file for reading, or nothing when it is missing or cannot
// be opened (a reader skips such a file without a word).
std::optional<legacy::SeqReader> openTable(const std::filesystem::path &file)
{
    if (!legacy::canOpenForReading(file))
        return std::nullopt;
    try {
        return legacy::SeqReader(file);
    } catch (const legacy::FileAccessError &) {
        return std::nullopt;
    }
}

} // namespace

void writeStateTable(const std::filesystem::path &file)
{
    const StateSettings &s = state().stateSettings;
    const ProfileSettings &p = state().profile;
    legacy::SeqWriter out(file);
    for (std::size_t r = 0; r < 10; ++r) {
        out.number(s.StateMinBS[r]).number(s.StateAmtBS[r]).number(s.StatePerBS[r]);
        out.number(s.StateMinBM[r]).number(s.StateAmtBM[r]).number(s.StatePerBM[r]).endRecord();
    }
    out.number(s.NoStateTax).endRecord();
    for (std::size_t n = 0; n < 10; ++n)
        out.number(s.StateSgExp[n]).number(s.StateMarExp[n]).endRecord();
    out.number(s.SDIPercent).number(s.SUIPercent).number(s.SDIWageBase).number(s.SUIWageBase);
    out.number(s.StateAdjust).number(s.SDIUseBase).number(s.SUIUseBase);
    out.number(p.SSMediExempt).number(p.SpecialAlabama).endRecord();
    out.number(s.SpecialAriz).number(s.SpecialLouis).number(s.SpecialIowa);
    out.number(p.StateExemptions).text(p.StateStatus).number(p.FedExempt).number(p.FedAdditional);
    out.number(s.SpecialMass).number(s.SpecialOregon).number(s.SpecialKentucky).number(s.SpecialMissouri);
    out.endRecord();
    out.commit();
}

bool readStateTable(const std::filesystem::path &file)
{
    ProgramState &st = state();
    return readStateTable(file, st.stateSettings, st.profile);
}

bool readStateTable(const std::filesystem::path &file, StateSettings &settings, ProfileSettings &profile)
{
    auto opened = openTable(file);
    if (!opened)
        return false;
    TableReader in(*opened);

    StateSettings s = settings;
    for (std::size_t r = 0; r < 10; ++r) {
        in.singles(s.StateMinBS, r);
        in.singles(s.StateAmtBS, r);
        in.singles(s.StatePerBS, r);
        in.singles(s.StateMinBM, r);
        in.singles(s.StateAmtBM, r);
        in.singles(s.StatePerBM, r);
    }
    s.NoStateTax = in.flag();
    for (std::size_t n = 0; n < 10; ++n) {
        in.singles(s.StateSgExp, n);
        in.singles(s.StateMarExp, n);
    }
    s.SDIPercent = in.single();
    s.SUIPercent = in.single();
    s.SDIWageBase = in.single();
    s.SUIWageBase = in.single();
    s.StateAdjust = in.single();
    s.SDIUseBase = in.flag();
    s.SUIUseBase = in.flag();
    const std::int16_t ssMediExempt = in.flag();
    const std::int16_t specialAlabama = in.flag();
    s.SpecialAriz = in.flag();
    s.SpecialLouis = in.flag();
    s.SpecialIowa = in.flag();
    const std::int16_t exemptions = in.integer();
    // The count indexes the allowance tables and picks a list entry.
    if (exemptions < 0 || exemptions > 9)
        in.damaged("state exemption count out of range");
    std::string status = filingStatus(in.text(), true);
    const std::int16_t fedExempt = in.flag();
    const float fedAdditional = in.single();
    s.SpecialMass = in.flag();
    s.SpecialOregon = in.flag();
    s.SpecialKentucky = in.flag();
    s.SpecialMissouri = in.flag();

    settings = s;
    profile.SSMediExempt = ssMediExempt;
    profile.SpecialAlabama = specialAlabama;
    profile.StateExemptions = exemptions;
    profile.StateStatus = std::move(status);
    profile.FedExempt = fedExempt;
    profile.FedAdditional = fedAdditional;
    return true;
}

void writeCityTable(const std::filesystem::path &file)
{
    const StateSettings &s = state().stateSettings;
    legacy::SeqWriter out(file);
    for (std::size_t i = 0; i < 10; ++i) {
        out.number(s.CityMinBS[i]).number(s.CityAmtBS[i]).number(s.CityPerBS[i]);
        out.number(s.CityMinBM[i]).number(s.CityAmtBM[i]).number(s.CityPerBM[i]).endRecord();
    }
    out.number(s.NoLocalTax).endRecord();
    for (std::size_t i = 0; i < 10; ++i)
        out.number(s.CitySgExp[i]).number(s.CityMarExp[i]).endRecord();
    out.commit();
}

bool readCityTable(const std::filesystem::path &file)
{
    auto opened = openTable(file);
    if (!opened)
        return false;
    TableReader in(*opened);

    StateSettings s = state().stateSettings;
    for (std::size_t i = 0; i < 10; ++i) {
        in.singles(s.CityMinBS, i);
        in.singles(s.CityAmtBS, i);
        in.singles(s.CityPerBS, i);
        in.singles(s.CityMinBM, i);
        in.singles(s.CityAmtBM, i);
        in.singles(s.CityPerBM, i);
    }
    s.NoLocalTax = in.flag();
    for (std::size_t i = 0; i < 10; ++i) {
        in.singles(s.CitySgExp, i);
        in.singles(s.CityMarExp, i);
    }
    state().stateSettings = s;
    return true;
}

void writeNonResidentTable(const std::filesystem::path &file)
{
    const StateSettings &s = state().stateSettings;
    legacy::SeqWriter out(file);
    for (std::size_t i = 0; i < 8; ++i)
        out.number(s.NonMinBi[i]).number(s.NonExpBi[i]).number(s.NonMinWk[i]).number(s.NonExpWk[i]).endRecord();
    out.number(s.NonPer).endRecord();
    out.commit();
}

bool readNonResidentTable(const std::filesystem::path &file)
{
    auto opened = openTable(file);
    if (!opened)
        return false;
    TableReader in(*opened);

    StateSettings s = state().stateSettings;
    for (std::size_t i = 0; i < 8; ++i) {
        in.singles(s.NonMinBi, i);
        in.singles(s.NonExpBi, i);
        in.singles(s.NonMinWk, i);
        in.singles(s.NonExpWk, i);
    }
    s.NonPer = in.single();
    state().stateSettings = s;
    return true;
}

} // namespace wagedesk::tables
