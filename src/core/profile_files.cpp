#include "core/profile_files.h"

#include <algorithm>
#include <stdexcept>

#include "legacy/numerics.h"
#include "legacy/seqfile.h"

namespace wagedesk {

namespace {

bool isControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

std::string replaceAll(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// The stored Booleans are 16-bit: any non-zero value is True.
bool asBool(std::int16_t value) { return value != kFalse; }
std::int16_t fromBool(bool value) { return value ? kTrue : kFalse; }

void checkRows(int rows, std::size_t available)
{
    if (rows < 0 || rows > 52 || static_cast<std::size_t>(rows) > available)
        throw std::invalid_argument("overtime rows out of range");
}

}  // namespace

std::string profileFileName(const std::string &user, const char *ext) { return user + ext; }

std::optional<NameProblem> classifyName(std::string_view name)
{
    if (name == "." || name == "..")
        return NameProblem::DotName;
    if (name.find_first_of("/\\") != std::string_view::npos)
        return NameProblem::PathSeparator;
    if (std::any_of(name.begin(), name.end(), isControl))
        return NameProblem::ControlCharacter;
    // Every profile file adds an extension of four characters, and the copy
    // of one found damaged adds its own ending to that.
    if (!legacy::fileNameFits(std::string(name) + kUserSettingsExt + std::string(legacy::kDamagedCopySuffixMax, 'x')))
        return NameProblem::TooLong;
    return std::nullopt;
}

std::string nameProblemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::PathSeparator: return "it contains \"/\" or \"\\\"; a name cannot include a folder.";
    case NameProblem::ControlCharacter: return "it contains a control character such as a tab.";
    case NameProblem::DotName: return "\".\" and \"..\" stand for folders.";
    case NameProblem::TooLong:
        return "it is too long for a file name (at most " + std::to_string(kLongestProfileName) + " bytes).";
    }
    return {};
}

std::optional<std::string> profileNameProblem(std::string_view name)
{
    if (auto problem = classifyName(name))
        return nameProblemText(*problem);
    return std::nullopt;
}

DamagedCopy keepCopyOf(const std::filesystem::path &file)
{
    try {
        std::filesystem::path copy = legacy::keepDamagedCopy(file);
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(copy, ec);
        return {ec ? copy : absolute.lexically_normal(), {}};
    } catch (const legacy::NoCopyError &e) {
        return {{}, e.why()};
    } catch (const legacy::FileError &e) {
        return {{}, e.what()};
    }
}

std::string copyLine(const DamagedCopy &copy)
{
    if (copy.copy.empty())
        return "No copy of it could be kept: " + copy.problem +
               ". It will not be replaced until a copy of it can be kept.";
    return "A copy of it is kept as \"" + shownFile(copy.copy) + "\".";
}

std::string damagedCopyLine(const std::filesystem::path &file) { return copyLine(keepCopyOf(file)); }

std::string shownFile(const std::filesystem::path &file)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec).lexically_normal();
    const std::filesystem::path current = std::filesystem::current_path(ec);
    if (ec || absolute.parent_path() == current.lexically_normal())
        return file.filename().string();
    return absolute.string();
}

SettingsFilesDamaged::SettingsFilesDamaged(std::vector<DamagedFile> damaged)
    : std::runtime_error(damaged.empty() ? std::string("damaged settings files") : damaged.front().error.what()),
      files(std::move(damaged))
{
}

std::string filingStatus(std::string text, bool stateStatus)
{
    if (text.empty() || text == "Single" || (stateStatus && text == "0"))
        return text;
    return "Married";
}

// --- .use ---

void writeUserSettingsFile(legacy::SeqWriter &w, const ProfileSettings &p, const OvertimeStore &o, double annualSalary,
                           double approvedPercent, double otLimit, double otAvailable)
{
    w.number(o.OTEarned).number(otLimit).number(otAvailable).endRecord();
    const double presentRate = legacy::val(legacy::format(o.OTPresentRate, "##.##"));
    w.number(annualSalary).number(approvedPercent).number(presentRate).endRecord();
    w.number(p.PayRate1).number(p.PayRate2).number(p.TipsRate).endRecord();
    w.text(p.FedExemptions).text(p.FedStatus).number(p.PensionPercent).endRecord();
    w.number(p.DeductMuni).number(p.DeductBond).number(p.DeductMisc).endRecord();
    w.number(p.DeductDues).number(p.KPlan).number(p.NonCityResident).endRecord();
    w.boolean(asBool(p.WeeklyPay)).boolean(asBool(p.BiWeeklyPay)).text(p.TaxCaption[5]).endRecord();
    w.text(p.TaxCaption[6]).text(p.TaxCaption[7]).text(p.TaxCaption[8]).text(p.TaxCaption[9]).endRecord();
    for (int line = 0; line < 4; ++line) {
        for (int i = 1; i <= 4; ++i)
            w.variant(p.UseReserved[line * 4 + i]);
        w.endRecord();
    }
}

void writeUserSettingsFile(const std::filesystem::path &file, const ProfileSettings &p, const OvertimeStore &o,
                           double annualSalary, double approvedPercent, double otLimit, double otAvailable)
{
    legacy::SeqWriter w(file);
    writeUserSettingsFile(w, p, o, annualSalary, approvedPercent, otLimit, otAvailable);
    w.commit();
}

void readUserSettingsFile(legacy::SeqReader &r, ProfileSettings &profile, OvertimeStore &overtime)
{
    ProfileSettings p = profile;
    OvertimeStore o = overtime;
    o.OTEarned = r.numberF();
    o.OTLimit = r.numberF();
    o.OTAvailable = r.numberF();
    o.OTAnnualSalary = r.numberF();
    o.OTApprovedPercent = r.numberF();
    o.OTPresentRate = r.numberF();
    p.PayRate1 = r.numberF();
    p.PayRate2 = r.numberF();
    p.TipsRate = r.numberF();
    p.FedExemptions = r.text();
    p.FedStatus = filingStatus(r.text(), false);
    p.PensionPercent = r.numberF();
    p.DeductMuni = r.numberF();
    p.DeductBond = r.numberF();
    p.DeductMisc = r.numberF();
    p.DeductDues = r.numberF();
    p.KPlan = r.numberF();
    p.NonCityResident = r.int16();
    p.WeeklyPay = fromBool(r.boolean());
    p.BiWeeklyPay = fromBool(r.boolean());
    for (int i = 5; i <= 9; ++i)
        p.TaxCaption[i] = r.text();
    for (int i = 1; i <= 16; ++i)
        p.UseReserved[i] = r.variant();
    profile = std::move(p);
    overtime = std::move(o);
}

void readUserSettingsFile(const std::filesystem::path &file, ProfileSettings &profile, OvertimeStore &overtime)
{
    legacy::SeqReader r(file);
    readUserSettingsFile(r, profile, overtime);
}

// --- .and ---

void writeUserDetailsFile(legacy::SeqWriter &w, const ProfileSettings &p)
{
    w.number(p.CheckHorzOffset).number(p.CheckVertOffset).number(p.SpouseWorks).endRecord();
    w.number(p.CalAllow).number(p.AndReservedF[1]).number(p.AndReservedF[2]).endRecord();
    w.number(p.AndReservedF[3]).number(p.AndReservedF[4]).number(p.AndReservedF[5]).endRecord();
    w.boolean(p.AndReservedB[6]).boolean(p.AndReservedB[7]).boolean(p.AndReservedB[8]).endRecord();
    w.text(p.EmployeeAddress).text(p.EmployeeCityStateZip).text(p.EmployeeSSN).endRecord();
    w.text(p.EmployeeName).text(p.AndReservedS[9]).text(p.AndReservedS[10]).endRecord();
    w.number(p.RoundState).number(p.SpecialOkla).number(p.SpecialWiscon).number(p.SpecialAlabama).endRecord();
    w.number(p.SpecialNC).number(p.AndReservedI[11]).number(p.AndReservedI[12]).endRecord();
    w.number(p.KPlanIsPercent).number(p.KPlanIsFixed).endRecord();
}

void writeUserDetailsFile(const std::filesystem::path &file, const ProfileSettings &p)
{
    legacy::SeqWriter w(file);
    writeUserDetailsFile(w, p);
    w.commit();
}

void readUserDetailsFile(legacy::SeqReader &r, ProfileSettings &profile)
{
    ProfileSettings p = profile;
    p.CheckHorzOffset = r.numberF();
    p.CheckVertOffset = r.numberF();
    p.SpouseWorks = r.int16();
    p.CalAllow = r.numberF();
    for (int i = 1; i <= 5; ++i)
        p.AndReservedF[i] = r.numberF();
    for (int i = 6; i <= 8; ++i)
        p.AndReservedB[i] = r.boolean();
    p.EmployeeAddress = r.text();
    p.EmployeeCityStateZip = r.text();
    p.EmployeeSSN = r.text();
    p.EmployeeName = r.text();
    p.AndReservedS[9] = r.text();
    p.AndReservedS[10] = r.text();
    p.RoundState = r.int16();
    p.SpecialOkla = r.int16();
    p.SpecialWiscon = r.int16();
    p.SpecialAlabama = r.int16();
    p.SpecialNC = r.int16();
    p.AndReservedI[11] = r.int16();
    p.AndReservedI[12] = r.int16();
    p.KPlanIsPercent = r.int16();
    p.KPlanIsFixed = r.int16();
    profile = std::move(p);
}

void readUserDetailsFile(const std::filesystem::path &file, ProfileSettings &profile)
{
    legacy::SeqReader r(file);
    readUserDetailsFile(r, profile);
}

// --- .cfe ---

void writeCafeteriaFile(legacy::SeqWriter &w, const ProfileSettings &p)
{
    w.number(p.CafeteriaPlan).number(p.CafeDeductState).number(p.SelfEmployed).endRecord();
}

void writeCafeteriaFile(const std::filesystem::path &file, const ProfileSettings &p)
{
    legacy::SeqWriter w(file);
    writeCafeteriaFile(w, p);
    w.commit();
}

void readCafeteriaFile(legacy::SeqReader &r, ProfileSettings &profile)
{
    const float plan = r.numberF();
    const std::int16_t cafeState = r.int16();
    const std::int16_t selfEmployed = r.int16();
    profile.CafeteriaPlan = plan;
    profile.CafeDeductState = cafeState;
    profile.SelfEmployed = selfEmployed;
}

void readCafeteriaFile(const std::filesystem::path &file, ProfileSettings &profile)
{
    legacy::SeqReader r(file);
    readCafeteriaFile(r, profile);
}

// --- .ovw / .ovb ---

void writeOvertimeFile(legacy::SeqWriter &w, std::span<const std::string> dates, std::span<const double> amounts,
                       int rows)
{
    checkRows(rows, std::min(dates.size(), amounts.size()));
    for (int i = 0; i < rows; ++i) {
        w.text(dates[i], "Week Ending, week " + std::to_string(i + 1)).endRecord();
        w.number(amounts[i]).endRecord();
    }
}

void writeOvertimeFile(const std::filesystem::path &file, std::span<const std::string> dates,
                       std::span<const double> amounts, int rows)
{
    legacy::SeqWriter w(file);
    writeOvertimeFile(w, dates, amounts, rows);
    w.commit();
}

void readOvertimeFile(const std::filesystem::path &file, OvertimeStore &overtime, int rows)
{
    legacy::SeqReader r(file);
    readOvertimeFile(r, overtime, rows);
}

void readOvertimeFile(legacy::SeqReader &r, OvertimeStore &overtime, int rows)
{
    checkRows(rows, overtime.OTDate.size());
    std::array<std::string, 52> dates = overtime.OTDate, amounts = overtime.OTAmount;
    for (int i = 0; i < rows; ++i) {
        dates[i] = r.text();
        amounts[i] = r.text();
        // The amount is kept as its text but saved again as its value: one
        // that no number can hold is damage, found now rather than at the save.
        try {
            legacy::val(amounts[i]);
        } catch (const legacy::OverflowError &) {
            throw legacy::FileFormatError(r.file(), "row " + std::to_string(i + 1) + ": the amount \"" +
                                                        legacy::textForMessage(amounts[i]) + "\" is too large");
        }
    }
    overtime.OTDate = std::move(dates);
    overtime.OTAmount = std::move(amounts);
}

// --- a new profile ---

ProfileSettings newProfileSettings()
{
    ProfileSettings p;
    p.DefaultPayRate = 7.5f;
    p.FedExemptions = "0";
    p.FedStatus = p.StateStatus = "Single";
    p.WeeklyPay = kTrue;
    p.BiWeeklyPay = kFalse;
    p.KPlanIsPercent = 1;
    p.KPlanIsFixed = 0;
    p.EmployeeName = "Employee's Name";
    p.EmployeeAddress = "Employee's Address for Check";
    p.EmployeeCityStateZip = "State, City Zip Code";
    p.EmployeeSSN = "Soc Sec #";
    p.TaxCaption[5] = "CrUnion";
    p.TaxCaption[6] = "Bond";
    p.TaxCaption[7] = "Dues";
    p.TaxCaption[8] = "Pension";
    p.TaxCaption[9] = "Misc.";
    return p;
}

ProgramState newProfileState(const ProgramState &current, std::string user)
{
    ProgramState st;
    st.CurrentUser = std::move(user);
    st.profile = newProfileSettings();
    st.federal = current.federal;
    // Every profile prints the same heading.
    st.heading = current.heading;
    return st;
}

// --- the four together ---

std::vector<DamagedFile> readSettingsFiles(const std::string &user, ProfileSettings &profile, OvertimeStore &overtime)
{
    std::vector<DamagedFile> damaged;
    // Each reader takes its file whole or leaves the values alone.
    const auto readOne = [&damaged](const std::string &name, const auto &read) {
        if (!legacy::canOpenForReading(name))
            return;
        try {
            read(name);
        } catch (const legacy::FileFormatError &e) {
            damaged.push_back({e, keepCopyOf(e.absoluteFile())});
        }
    };
    readOne(profileFileName(user, kUserSettingsExt),
            [&](const std::string &f) { readUserSettingsFile(f, profile, overtime); });
    // A settings file found damaged leaves the frequency unknown: the rows
    // read are those of the file the next save writes, so no save replaces
    // intact rows with others.
    const bool settingsDamaged = !damaged.empty();
    std::int16_t weekly = profile.WeeklyPay;
    if (settingsDamaged && profile.WeeklyPay == kFalse && profile.BiWeeklyPay == kFalse)
        weekly = kTrue;
    readOne(profileFileName(user, kUserDetailsExt), [&](const std::string &f) { readUserDetailsFile(f, profile); });
    readOne(profileFileName(user, kCafeteriaExt), [&](const std::string &f) { readCafeteriaFile(f, profile); });
    readOne(profileFileName(user, overtimeExtension(weekly)),
            [&](const std::string &f) { readOvertimeFile(f, overtime, overtimeRows(weekly)); });
    return damaged;
}

// --- .prv ---

std::string payPeriodFileName(const std::string &payDateText, const std::string &user)
{
    return replaceAll(payDateText, '/', '_') + "  " + user + kPayPeriodExt;
}

void writePayPeriodFile(legacy::SeqWriter &w, const std::array<float, 8> &amounts)
{
    for (float amount : amounts)
        w.number(amount).endRecord();
}

void writePayPeriodFile(const std::filesystem::path &file, const std::array<float, 8> &amounts)
{
    legacy::SeqWriter w(file);
    writePayPeriodFile(w, amounts);
    w.commit();
}

std::array<float, 8> readPayPeriodFile(legacy::SeqReader &r)
{
    std::array<float, 8> amounts{};
    for (float &amount : amounts)
        amount = r.numberF();
    return amounts;
}

std::array<float, 8> readPayPeriodFile(const std::filesystem::path &file)
{
    legacy::SeqReader r(file);
    return readPayPeriodFile(r);
}

std::string payDateFromFileTitle(const std::string &title) { return replaceAll(title.substr(0, 8), '_', '/'); }

}  // namespace wagedesk
