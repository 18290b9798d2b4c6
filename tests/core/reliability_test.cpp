// Hostile names, values and files met through the windows: each is refused
// with one clear message, and no save stops half-way.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <sys/stat.h>

#include <string>

#include "core/windows/saveuser.h"
#include "window_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::Ui;

class Reliability : public WindowTest {
protected:
    void openProfile(Form1 &f, const QString &name)
    {
        Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
        Ui::script(std::optional<QString>(path(name + QStringLiteral(".use"))));
        f.mnuOpen_Click();
    }
    void newProfile(Form1 &f, const QString &name)
    {
        Ui::script(Answer::No);
        Ui::script(name);
        f.mnuNew_Click();
    }
};

// A name whose files the file system cannot hold, or the copies kept of
// them when one is found damaged ("NAME.use.damaged.999"), is refused at
// once, with one message, before anything changes.
TEST_F(Reliability, ANameTooLongForTheFileSystemIsRefusedAtOnce)
{
    Form1 &f = start();
    for (const int length : {252, 251, 244, 240}) {
        SCOPED_TRACE(length);
        removeAll();
        Ui::clearAsked();
        newProfile(f, QString(length, QLatin1Char('n')));
        ASSERT_EQ(Ui::asked().size(), 3u);  // the save question, the name, the refusal
        EXPECT_TRUE(lastAsked().contains(QStringLiteral("too long"))) << lastAsked().toStdString();
        EXPECT_TRUE(lastAsked().contains(QStringLiteral("at most 239 bytes"))) << lastAsked().toStdString();
        EXPECT_EQ(state().CurrentUser, "");
        EXPECT_TRUE(files().isEmpty());
    }

    // The longest name that fits makes a profile that saves, and a damaged
    // file of it is kept as a copy.
    const QString longest(239, QLatin1Char('n'));
    newProfile(f, longest);
    EXPECT_EQ(state().CurrentUser, std::string(239, 'n'));
    ASSERT_TRUE(exists(longest + QStringLiteral(".use")));
    write(longest + QStringLiteral(".cfe"), "\"x\"\r\n");
    Ui::clearAsked();
    type(f.txtAmount[0], QStringLiteral("1"));
    f.cmdCal->click();
    EXPECT_TRUE(exists(longest + QStringLiteral(".cfe.damaged")));
}

// Every number typed is checked the same way: the message names the box and
// says whether the text is not a number or too large; nothing is computed,
// stored or written.
TEST_F(Reliability, HostileNumbersInTheBoxesGiveOneMessageNamingTheBox)
{
    Form1 &f = start();
    struct Case {
        const char *what;
        QString text;
        QString box, says;
    };
    const std::vector<Case> cases{
        {"310 digits", QString(310, QLatin1Char('9')), QStringLiteral("STRAIGHT TIME HOURS 1"),
         QStringLiteral("is too large.")},
        {"1 1 1 ...", QStringLiteral("1 ").repeated(2000), QStringLiteral("STRAIGHT TIME HOURS 1"),
         QStringLiteral("is too large.")},
        {"two points", QStringLiteral("1.2.3"), QStringLiteral("STRAIGHT TIME HOURS 1"),
         QStringLiteral("is not a number.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        removeAll();
        Ui::clearAsked();
        f.txtAmount[0]->setText(c.text);
        f.cmdCal->click();
        ASSERT_EQ(Ui::asked().size(), 1u);
        EXPECT_TRUE(lastAsked().startsWith(c.box + QStringLiteral(": \""))) << lastAsked().toStdString();
        EXPECT_TRUE(lastAsked().endsWith(c.says)) << lastAsked().toStdString();
        EXPECT_LT(lastAsked().size(), 120);
        EXPECT_TRUE(files().isEmpty());
    }
    f.txtAmount[0]->clear();

    // The user information window: a rate of 400 digits, a deduction of 40
    // nines. The window stays open and the store keeps its values.
    const ProfileSettings before = state().profile;
    for (auto [fill, name] : std::initializer_list<std::pair<QLineEdit * frmTaxInfo::*, const char *>>{
             {&frmTaxInfo::txtHourRate2, "Hourly Rate 2"}, {&frmTaxInfo::txtMuni, "CrUnion"}}) {
        SCOPED_TRACE(name);
        Ui::clearAsked();
        const QString digits(fill == &frmTaxInfo::txtMuni ? 40 : 400, QLatin1Char('9'));
        userInfo([&](frmTaxInfo &info) { (info.*fill)->setText(digits); });
        ASSERT_FALSE(Ui::asked().empty());
        bool named = false;
        for (const platform::Question &q : Ui::asked())
            named = named ||
                    (q.text.startsWith(QLatin1String(name)) && q.text.endsWith(QStringLiteral("is too large.")));
        EXPECT_TRUE(named);
        EXPECT_EQ(state().profile, before);
        Forms::unload(frmTaxInfo::kName);
    }
}

// An overtime file holding a value no number can hold is damage, found when
// it is read: the profile is not opened and no save starts half-way.
TEST_F(Reliability, AnOvertimeValueOutOfRangeIsDamageAndNoSaveStopsHalfWay)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("pat"));
    QByteArray ovw = read(QStringLiteral("pat.ovw"));
    ovw.replace(ovw.indexOf("\r\n0\r\n"), 5, "\r\n1e400\r\n");
    write(QStringLiteral("pat.ovw"), ovw);
    Form1 &again = [&]() -> Form1 & {
        Forms::unloadAll();
        resetState();
        return start();
    }();
    openProfile(again, QStringLiteral("pat"));
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("pat.ovw"))) << lastAsked().toStdString();
    EXPECT_EQ(state().CurrentUser, "");
    const QByteArray use = read(QStringLiteral(".use"));
    type(again.txtAmount[0], QStringLiteral("40"));
    again.cmdCal->click();
    EXPECT_FALSE(read(QStringLiteral(".sta")).isEmpty());
    EXPECT_TRUE(read(QStringLiteral("pat.ovw")).contains("1e400"));  // the damaged file is left to the user
}

// A profile whose files do not give a setting takes the new-profile value,
// never the one of the profile open before.
TEST_F(Reliability, NoProfileInheritsAnothersSettings)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("exempt"));
    userInfo([](frmTaxInfo &info) {
        info.ckFedExemp->setChecked(true);
        info.ckSSMediExemp->setChecked(true);
        info.cboStatus2->setCurrentText(QStringLiteral("Married"));
        info.cboDepend2->setCurrentText(QStringLiteral("4"));
        type(info.txtFedAddL, QStringLiteral("25"));
    });
    newProfile(f, QStringLiteral("plain"));
    QFile::remove(path(QStringLiteral("plain.sta")));
    openProfile(f, QStringLiteral("exempt"));
    ASSERT_EQ(state().profile.FedExempt, 1);
    openProfile(f, QStringLiteral("plain"));
    const ProfileSettings &p = state().profile;
    EXPECT_EQ(p.FedExempt, 0);
    EXPECT_EQ(p.SSMediExempt, 0);
    EXPECT_EQ(p.StateStatus, "Single");
    EXPECT_EQ(p.StateExemptions, 0);
    EXPECT_EQ(p.FedAdditional, 0.0f);
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    EXPECT_FALSE(info.ckFedExemp->isChecked());
    EXPECT_FALSE(info.ckSSMediExemp->isChecked());
    EXPECT_EQ(info.cboStatus2->currentText(), QStringLiteral("Single"));
}

TEST_F(Reliability, AFederalRateTooLargeNamesTheFederalTable)
{
    Form1 &f = start();
    QFile shipped(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Federal.dat")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QByteArray table = shipped.readAll();
    // The rate of the single weekly table's second bracket (15 %).
    const qsizetype at = table.indexOf("188,606,188,.15,");
    ASSERT_GE(at, 0);
    table.replace(at + 12, 3, "3e38");
    write(QStringLiteral("Federal.dat"), table);
    type(f.txtAmount[0], QStringLiteral("40"));
    userInfo([](frmTaxInfo &info) { type(info.txtHourRate, QStringLiteral("15")); });
    Ui::clearAsked();
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("federal table \"Federal.dat\""))) << lastAsked().toStdString();
    EXPECT_TRUE(f.lbNet->text().isEmpty());
}

// Temporary files of saves cut short are removed when the program starts;
// other files that look like them stay.
TEST_F(Reliability, StaleTemporaryFilesGoAtStartUp)
{
    write(QStringLiteral(".pat.use.0123456789abcdef.tmp"), "half");
    write(QStringLiteral(".pat.use.0123456789ABCDEF.tmp"), "not ours");
    write(QStringLiteral("notes.tmp"), "mine");
    start();
    EXPECT_FALSE(exists(QStringLiteral(".pat.use.0123456789abcdef.tmp")));
    EXPECT_TRUE(exists(QStringLiteral(".pat.use.0123456789ABCDEF.tmp")));
    EXPECT_TRUE(exists(QStringLiteral("notes.tmp")));
}

// Special files never hang the program: a FIFO where the federal table or a
// profile file should be is passed over like a missing file.
TEST_F(Reliability, AFifoNeverHangsTheProgram)
{
    ASSERT_EQ(mkfifo(path(QStringLiteral("Federal.dat")).toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(mkfifo(path(QStringLiteral(".sta")).toLocal8Bit().constData(), 0600), 0);
    Form1 &f = start();
    // The federal table beside the program is used instead.
    EXPECT_FALSE(f.lbTaxVer->text().isEmpty());
    type(f.txtAmount[0], QStringLiteral("40"));
    f.cmdCal->click();
    EXPECT_FALSE(f.lbNet->text().isEmpty());
    EXPECT_FALSE(lastAsked().isEmpty());  // the state table could not be saved over the FIFO
    EXPECT_TRUE(lastAsked().contains(QStringLiteral(".sta"))) << lastAsked().toStdString();
}

}  // namespace
}  // namespace wagedesk::testing
