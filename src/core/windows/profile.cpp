#include "core/windows/profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

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

BoxError::BoxError(const QString &b, const QString &t, NumberProblem p)
    : std::runtime_error(numberMessage(b.toStdString(), p, t.toStdString())), box(b), text(t), problem(p)
{
}

QString BoxError::message() const
{
    return QString::fromStdString(numberMessage(box.toStdString(), problem, text.toStdString()));
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

namespace {

template <class Read> auto boxReading(const QString &text, const QString &label, Read read)
{
    try {
        return read(text.toStdString());
    } catch (const NumberError &e) {
        throw BoxError(label, text, e.problem);
    }
}

}  // namespace

float strictFloat(const QLineEdit *box, const QString &label)
{
    return boxReading(box->text(), label, [](const std::string &t) { return strictSingle(t); });
}

std::int16_t strictInt16(const QComboBox *box, const QString &label)
{
    return boxReading(box->currentText(), label, [](const std::string &t) { return wagedesk::strictInt16(t); });
}

float lenientFloat(const QLineEdit *box, const QString &label)
{
    return boxReading(box->text(), label, [](const std::string &t) { return lenientSingle(t); });
}

double lenientValue(const QLineEdit *box, const QString &label)
{
    return boxReading(box->text(), label, [](const std::string &t) { return lenientDouble(t); });
}

void checkProfileName(const std::string &name)
{
    if (auto problem = profileNameProblem(name))
        throw NameError(name, *problem);
}

namespace {

QString shown(const legacy::FileError &e) { return QString::fromStdString(shownFile(e.absoluteFile())); }

QString damagedText(const legacy::FileFormatError &e, const DamagedCopy &copy)
{
    return QStringLiteral("The file \"%1\" is damaged or too short.\r\n%2\r\n%3")
        .arg(shown(e), QString::fromUtf8(e.what()), QString::fromStdString(copyLine(copy)));
}

}  // namespace

QString describeError(const std::exception &error)
{
    if (auto *e = dynamic_cast<const BoxError *>(&error))
        return e->message();
    if (auto *e = dynamic_cast<const NameError *>(&error))
        return e->message();
    if (auto *e = dynamic_cast<const StateBoxError *>(&error))
        return QString::fromStdString(e->message());
    if (auto *e = dynamic_cast<const legacy::FileTooLargeError *>(&error)) {
        QString text = QStringLiteral(
                           "The file \"%1\" was not saved: it would be larger than %2 MiB, more than "
                           "the program can read back.")
                           .arg(shown(*e))
                           .arg(legacy::kMaxFileSize >> 20);
        if (!e->item().empty())
            text += QStringLiteral("\r\nThe box \"%1\" holds %2 characters: shorten it, then save again.")
                        .arg(QString::fromStdString(e->item()))
                        .arg(e->itemLength());
        return text + QStringLiteral("\r\nNothing was written.");
    }
    if (auto *e = dynamic_cast<const legacy::DamagedFileError *>(&error))
        return QStringLiteral(
                   "The file \"%1\" was not saved: it was found damaged, and no copy of it could be "
                   "kept (%2), so its bytes would be lost.\r\nMake room for a copy, or move the file "
                   "elsewhere, then save again.\r\nNothing was written.")
            .arg(shown(*e), QString::fromStdString(e->why()));
    if (auto *e = dynamic_cast<const legacy::FileAccessError *>(&error))
        return QStringLiteral("The file \"%1\" could not be written or read.\r\n%2")
            .arg(shown(*e), QString::fromUtf8(e->what()));
    if (auto *e = dynamic_cast<const legacy::FileFormatError *>(&error))
        return damagedText(*e, keepCopyOf(e->absoluteFile()));
    if (auto *e = dynamic_cast<const SettingsFilesDamaged *>(&error)) {
        QStringList reports;
        for (const DamagedFile &f : e->files)
            reports << damagedText(f.error, f.copy);
        return reports.join(QStringLiteral("\r\n\r\n"));
    }
    return QString::fromUtf8(error.what());
}

void SaveOT(legacy::SaveBatch *batch)
{
    // Called behind a save being made (a window's load), the files go with it.
    if (!batch)
        batch = legacy::SaveBatch::current();
    ProgramState &st = state();
    ProfileSettings &p = st.profile;
    // The name in the save-user dialog's box; a dialog not loaded would
    // load with the current name in it, so that is the name then.
    const std::string name = Forms::isLoaded<frmSaveUser>()
                                 ? Forms::get<frmSaveUser>().txtSaveUser->text().toStdString()
                                 : st.CurrentUser;
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

    const int rows = p.WeeklyPay != kFalse ? 52 : 26;

    // All four files are made before any is written, so a value that cannot
    // be written, or a file too large to read back, stops the save before
    // it has begun.
    const std::string &user = st.CurrentUser;
    std::vector<std::unique_ptr<legacy::SeqWriter>> files;
    for (const char *ext : {kUserSettingsExt, kUserDetailsExt, kCafeteriaExt, overtimeExtension(p.WeeklyPay)})
        files.push_back(std::make_unique<legacy::SeqWriter>(profileFileName(user, ext)));
    writeUserSettingsFile(*files[0], p, st.overtime, ot.annualSalary, ot.approvedPercent, ot.limit, ot.available);
    writeUserDetailsFile(*files[1], p);
    writeCafeteriaFile(*files[2], p);
    writeOvertimeFile(*files[3], ot.dates, ot.amounts, rows);
    // The tracker's values are on file once the files are.
    const auto written = [&st, onFile = st.overtime] { st.overtimeOnFile = onFile; };
    if (batch) {
        batch->add(std::move(files), written);
    } else {
        legacy::commitAll({files[0].get(), files[1].get(), files[2].get(), files[3].get()});
        written();
    }

    // The details file holds the two flags as they were before this.
    if (p.KPlanIsPercent == 1) {
        info.ckKpPer->setChecked(true);
        p.KPlanIsFixed = 0;
    } else if (p.KPlanIsFixed == 1) {
        info.ckKpFix->setChecked(true);
        p.KPlanIsPercent = 0;
    }
}

void checkDamagedSettingsFiles()
{
    const ProgramState &st = state();
    for (const char *ext : {kUserSettingsExt, kUserDetailsExt, kCafeteriaExt, overtimeExtension(st.profile.WeeklyPay)})
        legacy::keepCopyOrRefuse(profileFileName(st.CurrentUser, ext));
}

void LoadUserSettings(SettingsRead read)
{
    ProgramState &st = state();
    ProfileSettings profile = st.profile;
    OvertimeStore overtime = st.overtime;
    std::vector<DamagedFile> damaged = readSettingsFiles(st.CurrentUser, profile, overtime);
    if (read == SettingsRead::Open && !damaged.empty())
        throw SettingsFilesDamaged(std::move(damaged));

    const OvertimeStore before = st.overtime;
    const bool unsaved = st.overtime != st.overtimeOnFile;
    st.profile = std::move(profile);
    st.overtime = std::move(overtime);
    if (read == SettingsRead::KeepTracker && unsaved)
        st.overtime = before;
    else
        st.overtimeOnFile = st.overtime;

    Forms::get<Form1>().showTableNotice();

    Forms::get<frmTaxInfo>().showSettings(false);

    records().settingsRead(before, read != SettingsRead::KeepTracker);
    // What the damaged files held is lost to this reading only: the intact
    // files are read and shown first.
    if (!damaged.empty())
        throw SettingsFilesDamaged(std::move(damaged));
}

}  // namespace wagedesk
