#include "tables/table_files.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/profile_files.h"
#include "legacy/numerics.h"
#include "tables/table_defaults.h"

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
        try {
            return legacy::toSingle(number());
        } catch (const legacy::OverflowError &) {
            damaged("number out of range");
        }
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

    void row(BracketRow &r)
    {
        r.minimum = single();
        r.amount = single();
        r.percentage = single();
    }

    [[noreturn]] void damaged(const std::string &what) const { throw legacy::FileFormatError(in_.file(), what); }

private:
    legacy::SeqReader &in_;
};

void writeRow(legacy::SeqWriter &out, const BracketRow &r)
{
    out.number(r.minimum).number(r.amount).number(r.percentage);
}

// Lines 1 to 10 (a Single and a Married line each), the switch, then the
// allowance lines: the layout the state and city files share.
void writeTables(legacy::SeqWriter &out, const WithholdingTable &table, std::int16_t noTax,
                 const AllowanceTable &allowance)
{
    for (std::size_t r = 0; r < 10; ++r) {
        writeRow(out, table.single[r]);
        writeRow(out, table.married[r]);
        out.endRecord();
    }
    out.number(noTax).endRecord();
    for (const AllowanceRow &a : allowance)
        out.number(a.single).number(a.married).endRecord();
}

void readTables(TableReader &in, WithholdingTable &table, std::int16_t &noTax, AllowanceTable &allowance)
{
    for (std::size_t r = 0; r < 10; ++r) {
        in.row(table.single[r]);
        in.row(table.married[r]);
    }
    noTax = in.flag();
    for (AllowanceRow &a : allowance) {
        a.single = in.single();
        a.married = in.single();
    }
}

template <class Write> void writeWhole(const std::filesystem::path &file, Write write)
{
    legacy::SeqWriter out(file);
    write(out);
    out.commit();
}

}  // namespace

std::optional<legacy::SeqReader> openTableFile(const std::filesystem::path &file)
{
    if (!legacy::canOpenForReading(file))
        return std::nullopt;
    try {
        return legacy::SeqReader(file);
    } catch (const legacy::FileAccessError &) {
        return std::nullopt;
    }
}

void writeStateTable(legacy::SeqWriter &out, const StateSettings &s, const ProfileSettings &p)
{
    writeTables(out, s.StateTable, s.NoStateTax, s.StateAllowance);
    out.number(s.SDIPercent).number(s.SUIPercent).number(s.SDIWageBase).number(s.SUIWageBase);
    out.number(s.StateAdjust).number(s.SDIUseBase).number(s.SUIUseBase);
    out.number(p.SSMediExempt).number(p.SpecialAlabama).endRecord();
    out.number(s.SpecialAriz).number(s.SpecialLouis).number(s.SpecialIowa);
    out.number(p.StateExemptions).text(p.StateStatus).number(p.FedExempt).number(p.FedAdditional);
    out.number(s.SpecialMass).number(s.SpecialOregon).number(s.SpecialKentucky).number(s.SpecialMissouri);
    out.endRecord();
}

void readStateTable(legacy::SeqReader &reader, StateSettings &s, ProfileSettings &p)
{
    TableReader in(reader);
    readTables(in, s.StateTable, s.NoStateTax, s.StateAllowance);
    s.SDIPercent = in.single();
    s.SUIPercent = in.single();
    s.SDIWageBase = in.single();
    s.SUIWageBase = in.single();
    s.StateAdjust = in.single();
    s.SDIUseBase = in.flag();
    s.SUIUseBase = in.flag();
    p.SSMediExempt = in.flag();
    p.SpecialAlabama = in.flag();
    s.SpecialAriz = in.flag();
    s.SpecialLouis = in.flag();
    s.SpecialIowa = in.flag();
    const std::int16_t exemptions = in.integer();
    // The count indexes the allowance tables and picks a list entry.
    if (exemptions < 0 || exemptions > 9)
        in.damaged("state exemption count out of range");
    p.StateExemptions = exemptions;
    p.StateStatus = filingStatus(in.text(), true);
    p.FedExempt = in.flag();
    p.FedAdditional = in.single();
    s.SpecialMass = in.flag();
    s.SpecialOregon = in.flag();
    s.SpecialKentucky = in.flag();
    s.SpecialMissouri = in.flag();
}

void writeCityTable(legacy::SeqWriter &out, const StateSettings &s)
{
    writeTables(out, s.CityTable, s.NoLocalTax, s.CityAllowance);
}

void readCityTable(legacy::SeqReader &reader, StateSettings &s)
{
    TableReader in(reader);
    readTables(in, s.CityTable, s.NoLocalTax, s.CityAllowance);
}

void writeNonResidentTable(legacy::SeqWriter &out, const NonResidentTable &t)
{
    for (std::size_t i = 0; i < t.biWeekly.size(); ++i) {
        out.number(t.biWeekly[i].minimum).number(t.biWeekly[i].subtract);
        out.number(t.weekly[i].minimum).number(t.weekly[i].subtract).endRecord();
    }
    out.number(t.percentage).endRecord();
}

void readNonResidentTable(legacy::SeqReader &reader, NonResidentTable &t)
{
    TableReader in(reader);
    for (std::size_t i = 0; i < t.biWeekly.size(); ++i) {
        t.biWeekly[i].minimum = in.single();
        t.biWeekly[i].subtract = in.single();
        t.weekly[i].minimum = in.single();
        t.weekly[i].subtract = in.single();
    }
    t.percentage = in.single();
}

namespace {

template <class Read> FileRead readWithBuiltIns(const std::filesystem::path &file, Read read)
{
    std::optional<legacy::SeqReader> in = openTableFile(file);
    if (!in)
        return FileRead::Missing;
    try {
        read(*in);
    } catch (const legacy::FileFormatError &) {
        return FileRead::Damaged;
    }
    return FileRead::Whole;
}

}  // namespace

FileRead readStateTableFile(const std::filesystem::path &file, StateSettings &settings, ProfileSettings &profile)
{
    StateSettings s = settings;
    ProfileSettings p = profile;
    builtInStateFileItems(s, p);
    const FileRead read = readWithBuiltIns(file, [&](legacy::SeqReader &in) { readStateTable(in, s, p); });
    if (read != FileRead::Missing) {
        settings = s;
        profile = p;
    }
    return read;
}

FileRead readCityTableFile(const std::filesystem::path &file, StateSettings &settings)
{
    StateSettings s = settings;
    builtInCityFileItems(s);
    const FileRead read = readWithBuiltIns(file, [&](legacy::SeqReader &in) { readCityTable(in, s); });
    if (read != FileRead::Missing)
        settings = s;
    return read;
}

FileRead readNonResidentTableFile(const std::filesystem::path &file, NonResidentTable &table)
{
    NonResidentTable t = nonResidentTable(kNonResidentTexts);
    const FileRead read = readWithBuiltIns(file, [&](legacy::SeqReader &in) { readNonResidentTable(in, t); });
    if (read != FileRead::Missing)
        table = t;
    return read;
}

void writeStateTable(const std::filesystem::path &file, const StateSettings &settings, const ProfileSettings &profile)
{
    writeWhole(file, [&](legacy::SeqWriter &out) { writeStateTable(out, settings, profile); });
}

void writeCityTable(const std::filesystem::path &file, const StateSettings &settings)
{
    writeWhole(file, [&](legacy::SeqWriter &out) { writeCityTable(out, settings); });
}

void writeNonResidentTable(const std::filesystem::path &file, const NonResidentTable &table)
{
    writeWhole(file, [&](legacy::SeqWriter &out) { writeNonResidentTable(out, table); });
}

}  // namespace wagedesk::tables
