#include "core/windows/profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/paycalc.h"
#include "core/profile_files.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/saveuser.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "legacy/seqfile.h"

namespace wagedesk {

using platform::Forms;

BoxError::BoxError(const QString &b, const QString &t)
    : std::runtime_error("not a number: " + t.toStdString()), box(b), text(t)
{
}

QString BoxError::message() const
{
    return QStringLiteral("%1: \"%2\" is not a number.").arg(box, text);
}

NameError::NameError(const std::string &n, const std::string &r)
    : std::runtime_error("bad profile name: " + n), name(n), reason(r)
{
}

QString NameError::message() const
{
    return QStringLiteral("\"%1\" cannot be used as a name: %2")
        .arg(QString::fromStdString(name), QString::fromStdString(reason));
}

float strictFloat(const QLineEdit *box, const QString &label)
{
    try {
        return legacy::toFloat(box->text().toStdString());
    } catch (const std::exception &) {
        throw BoxError(label, box->text());
    }
}

std::int16_t strictInt16(const QComboBox *box, const QString &label)
{
    try {
        return legacy::toInt16(std::string_view(box->currentText().toStdString()));
    } catch (const std::exception &) {
        throw BoxError(label, box->currentText());
    }
}

float lenientFloat(const QLineEdit *box)
{
    return static_cast<float>(legacy::val(box->text().toStdString()));
}

void checkProfileName(const std::string &name)
{
    if (auto problem = profileNameProblem(name))
        throw NameError(name, *problem);
}

QString describeError(const std::exception &error)
{
    if (auto *e = dynamic_cast<const BoxError *>(&error))
        return e->message();
    if (auto *e = dynamic_cast<const NameError *>(&error))
        return e->message();
    if (auto *e = dynamic_cast<const StateBoxError *>(&error))
        return QString::fromStdString(e->message());
    if (auto *e = dynamic_cast<const legacy::FileAccessError *>(&error))
        return QStringLiteral("The file \"%1\" could not be written or read.\r\n%2")
            .arg(QString::fromStdString(e->file().string()), QString::fromUtf8(e->what()));
    if (auto *e = dynamic_cast<const legacy::FileFormatError *>(&error))
        return QStringLiteral("The file \"%1\" is damaged or too short.\r\n%2")
            .arg(QString::fromStdString(e->file().string()), QString::fromUtf8(e->what()));
    return QString::fromUtf8(error.what());
}

void SaveOT()
{
    ProgramState &st = state();
    ProfileSettings &p = st.profile;
    const std::string name = Forms::get<frmSaveUser>().txtSaveUser->text().toStdString();
    checkProfileName(name);
    st.CurrentUser = name;

    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    const float rate1 = strictFloat(info.txtHourRate, QStringLiteral("Hourly Rate 1"));
    const float rate2 = strictFloat(info.txtHourRate2, QStringLiteral("Hourly Rate 2"));
    const float tips = strictFloat(info.txtTipsRate, QStringLiteral("Tips Rate"));
    p.PayRate1 = rate1;
    p.PayRate2 = rate2;
    p.TipsRate = tips;

    const bool weekly = p.WeeklyPay != kFalse || p.BiWeeklyPay == kFalse;
    const OvertimeForSave ot = records().overtimeForSave(state().overtime, weekly ? 52 : 26);

    if (p.WeeklyPay == kFalse && p.BiWeeklyPay == kFalse) {
        p.WeeklyPay = kTrue;
        info.optWeek->setChecked(true);
    }
    if (p.KPlanIsPercent == 0 && p.KPlanIsFixed == 0) {
        p.KPlanIsPercent = 1;
        info.ckKpPer->setChecked(true);
    }

    const std::string &user = st.CurrentUser;
    writeUserSettingsFile(profileFileName(user, ".use"), p, st.overtime, ot.annualSalary, ot.approvedPercent,
                          ot.limit, ot.available);
    writeUserDetailsFile(profileFileName(user, ".and"), p);
    writeCafeteriaFile(profileFileName(user, ".cfe"), p);
    const int rows = p.WeeklyPay != kFalse ? 52 : 26;
    std::array<double, 52> amounts{};
    for (int i = 0; i < rows; ++i)
        amounts[i] = legacy::val(ot.amounts[i]);
    writeOvertimeFile(profileFileName(user, p.WeeklyPay != kFalse ? ".ovw" : ".ovb"), ot.dates, amounts, rows);

    if (p.KPlanIsPercent == 1) {
        info.ckKpPer->setChecked(true);
        p.KPlanIsFixed = 0;
    } else if (p.KPlanIsFixed == 1) {
        info.ckKpFix->setChecked(true);
        p.KPlanIsPercent = 0;
    }
}

void LoadUserSettings()
{
    ProgramState &st = state();
    const std::string &user = st.CurrentUser;
    // Read everything into copies first: a damaged file changes nothing.
    ProfileSettings profile = st.profile;
    OvertimeStore overtime = st.overtime;
    const auto use = profileFileName(user, ".use");
    if (legacy::canOpenForReading(use))
        readUserSettingsFile(use, profile, overtime);
    const auto det = profileFileName(user, ".and");
    if (legacy::canOpenForReading(det))
        readUserDetailsFile(det, profile);
    const auto cfe = profileFileName(user, ".cfe");
    if (legacy::canOpenForReading(cfe))
        readCafeteriaFile(cfe, profile);
    const bool weekly = profile.WeeklyPay != kFalse;
    const auto rowsFile = profileFileName(user, weekly ? ".ovw" : ".ovb");
    if (legacy::canOpenForReading(rowsFile))
        readOvertimeFile(rowsFile, overtime, weekly ? 52 : 26);
    st.profile = profile;
    st.overtime = overtime;

    Forms::get<Form1>().showTableNotice();

    Forms::get<frmTaxInfo>().showSettings(false);

    records().FillInOT();
}

} // namespace wagedesk
