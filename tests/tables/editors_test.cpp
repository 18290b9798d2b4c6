// The state, city and non-resident table editors driven as a user would,
// with the profile files they read and write in a temporary folder.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

#include "core/windows/saveuser.h"
#include "editor_fixture.h"
#include "table_fixtures.h"
#include "tables/table_files.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"
#include "tables/windows/tables.h"
#include "window_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::Answer;
using platform::Forms;
using platform::Ui;

const QString kNonNumerial = QStringLiteral("You have entered a NON numerial.");
const QString kCheckNumbers = QStringLiteral("Check your numbers\r\nNo blanks\r\nOnly numbers");
// The four lines, and where the file's bytes are kept now.
QString corrupted(const QString &file)
{
    return QStringLiteral(
               "You have corupted a file.\r\nFind file,\r\n%1\r\nand delete it.\r\n"
               "A copy of it is kept as \"%1.damaged\".")
        .arg(file);
}

class Editors : public EditorTest {
protected:
    // The store's tables and the user information items the state table
    // file holds.
    struct TableStore {
        StateSettings settings;
        std::string stateStatus;
        std::int16_t stateExemptions, fedExempt, ssMediExempt, specialAlabama;
        float fedAdditional;
        bool operator==(const TableStore &) const = default;
    };
    static TableStore storeTables()
    {
        const ProgramState &st = state();
        const ProfileSettings &p = st.profile;
        return {st.stateSettings, p.StateStatus,    p.StateExemptions, p.FedExempt,
                p.SSMediExempt,   p.SpecialAlabama, p.FedAdditional};
    }
    // City and non-resident tables in the store that are not the built-in ones.
    void storeOtherTables()
    {
        DialogNonCity &n = nonCityEditor();
        type(n.txtNonPer, QStringLiteral("0.5"));
        n.OKButton->click();
        DialogCity &c = cityEditor();
        c.ckNoLocalTax->click();
        c.OKButton->click();
    }
    static bool editorsLoaded() { return Forms::isLoaded<DialogState>() || Forms::isLoaded<DialogCity>(); }
};

// ---------------------------------------------------------------- the live store

// What the user changes in the open state editor is what the next
// calculation computes, what it saves, and what the editor shows again.
TEST_F(Editors, TheOpenStateEditorCountsInTheSameCalculationAndIsSaved)
{
    struct Case {
        const char *what;
        std::function<void(DialogState &)> edit;
        const char *label;                            // the result label
        const char *shown;                            // its text
        std::function<QString(DialogState &)> saved;  // what the editor shows again
        const char *savedText;
    };
    auto on = [](QCheckBox *box) { return box->isChecked() ? QStringLiteral("on") : QStringLiteral("off"); };
    const Case cases[] = {
        {"adjustment", [](DialogState &d) { type(d.txtStateAdj, QStringLiteral("5")); }, "lbTaxDed(3)", "29.28",
         [](DialogState &d) { return d.txtStateAdj->text(); }, "5"},
        {"adjustment read leniently", [](DialogState &d) { type(d.txtStateAdj, QStringLiteral("1.5.5")); },
         "lbTaxDed(3)", "25.78", [](DialogState &d) { return d.txtStateAdj->text(); }, "1.5"},
        {"table line", [](DialogState &d) { type(d.txtStateAmtBS[4], QStringLiteral("57.42")); }, "lbTaxDed(3)",
         "34.28", [](DialogState &d) { return d.txtStateAmtBS[4]->text(); }, "57.42"},
        {"Round State", [](DialogState &d) { d.ckRoundOff->click(); }, "lbTaxDed(3)", "24.00",
         [on](DialogState &d) { return on(d.ckRoundOff); }, "on"},
        {"NO STATE TAX", [](DialogState &d) { d.ckNoStateTax->click(); }, "lbTaxDed(3)", ".00",
         [](DialogState &d) { return d.txtStateMinBS[0]->text(); }, "999999"},
        // Iowa's preset and formula: 600 - 75.50 federal - 28.85 standard
        // = 495.65 in weekly bracket 7, 23.80806 + 7.58 x .068 = 24.3235,
        // which its Round State brings to whole dollars.
        {"special state", [](DialogState &d) { d.ckIowa->click(); }, "lbTaxDed(3)", "24.00",
         [on](DialogState &d) { return on(d.ckIowa); }, "on"},
        {"SDI on its base",
         [](DialogState &d) {
             d.ckSDI->click();
             type(d.txtSDIpercent, QStringLiteral("1"));
             type(d.txtSDIwageBase, QStringLiteral("50000"));
         },
         "lbSDI", "6.00", [](DialogState &d) { return d.txtSDIpercent->text(); }, "1"},
        {"SUI flat", [](DialogState &d) { type(d.txtSUIwageBase, QStringLiteral("12.5")); }, "lbSUI", "12.50",
         [](DialogState &d) { return d.txtSUIwageBase->text(); }, "12.5"},
    };
    Form1 &f = start();
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        newProfile(f, QStringLiteral("case%1").arg(n++));
        payFifteen();
        c.edit(stateEditor());
        calculate(f);
        EXPECT_EQ(f.findChild<QLabel *>(QLatin1String(c.label))->text(), QLatin1String(c.shown));
        EXPECT_FALSE(editorsLoaded()) << "every calculation closes the editors";
        DialogState &again = stateEditor();
        EXPECT_EQ(c.saved(again), QLatin1String(c.savedText));
        again.CancelButton->click();
    }
}

// CANCEL drops the edit: not in the store, the files or the next calculation.
TEST_F(Editors, ACancelledEditCountsNowhere)
{
    const std::function<void()> cancelled[] = {
        [] {
            DialogState &d = stateEditor();
            type(d.txtStateAdj, QStringLiteral("5"));
            d.CancelButton->click();
        },
        [] {
            DialogState &d = stateEditor();
            d.ckNoStateTax->click();
            d.CancelButton->click();
        },
        [] {
            DialogCity &c = cityEditor();
            type(c.txtCityAmtBS[4], QStringLiteral("99"));
            c.CancelButton->click();
        },
        [] {
            DialogCity &c = cityEditor();
            c.ckNoLocalTax->click();
            c.CancelButton->click();
        },
        [] {
            DialogNonCity &c = nonCityEditor();
            type(c.txtNonPer, QStringLiteral("0.5"));
            c.CancelButton->click();
        },
    };
    Form1 &f = startPaid();
    calculate(f);
    const TableStore before = storeTables();
    const QByteArray sta = read(QStringLiteral(".sta")), cti = read(QStringLiteral(".cti"));
    for (std::size_t i = 0; i < std::size(cancelled); ++i) {
        SCOPED_TRACE(i);
        cancelled[i]();
        EXPECT_EQ(storeTables(), before);
        calculate(f);
        EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("24.28"));
        EXPECT_EQ(f.lbTaxDed[4]->text(), QStringLiteral("15.05"));
        EXPECT_EQ(read(QStringLiteral(".sta")), sta);
        EXPECT_EQ(read(QStringLiteral(".cti")), cti);
    }
}

// A box that is not a number: the editor's message, the editor stays open,
// nothing is computed or written and the store keeps its values.
TEST_F(Editors, ABoxThatIsNotANumberKeepsTheEditorOpenAndWritesNothing)
{
    struct Case {
        const char *what;
        std::function<QWidget *()> open;
        std::function<void(QWidget *)> editAndPress;
        QString message;
    };
    auto stateOpen = []() -> QWidget * { return &stateEditor(); };
    auto asState = [](QWidget *w) -> DialogState & { return *static_cast<DialogState *>(w); };
    const Case cases[] = {
        {"state SAVE", stateOpen,
         [&](QWidget *w) {
             type(asState(w).txtStatePerBS[0], QStringLiteral("1.2.3"));
             asState(w).OKButton->click();
         },
         kNonNumerial},
        {"state Make Default", stateOpen,
         [&](QWidget *w) {
             type(asState(w).txtSUIpercent, QStringLiteral("-"));
             asState(w).cmdMkDefault->click();
         },
         kNonNumerial},
        {"Calculate with the state editor open", stateOpen,
         [&](QWidget *w) {
             type(asState(w).txtStateMarExp[9], QStringLiteral("."));
             calculate(Forms::get<Form1>());
         },
         kNonNumerial},
        {"city SAVE", []() -> QWidget * { return &cityEditor(); },
         [](QWidget *w) {
             auto &c = *static_cast<DialogCity *>(w);
             type(c.txtCityMinBM[3], QStringLiteral("5-7"));
             c.OKButton->click();
         },
         kCheckNumbers},
        {"non-resident SAVE", []() -> QWidget * { return &nonCityEditor(); },
         [](QWidget *w) {
             auto &c = *static_cast<DialogNonCity *>(w);
             type(c.txtNonPer, QStringLiteral("0..1"));
             c.OKButton->click();
         },
         kCheckNumbers},
    };
    Form1 &f = startPaid();
    calculate(f);
    const TableStore before = storeTables();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget *editor = c.open();
        removeAll();
        f.lbNet->clear();
        Ui::clearAsked();
        c.editAndPress(editor);
        EXPECT_EQ(lastAsked(), c.message);
        EXPECT_TRUE(Forms::isLoaded(editor->objectName().toStdString()) && editor->isVisible());
        EXPECT_TRUE(files().isEmpty()) << files().join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(f.lbNet->text().isEmpty());
        // A refused calculation leaves no editor loaded behind the user's back.
        EXPECT_FALSE(Forms::isLoaded<DialogCity>() && editor->objectName() != QLatin1String(DialogCity::kName));
        EXPECT_EQ(storeTables(), before);
        Forms::unload(editor->objectName().toStdString());
    }
}

// ---------------------------------------------------------------- files

TEST_F(Editors, SaveWritesTheStateTableByteForByte)
{
    start();
    userInfo([](frmTaxInfo &info) {
        info.cboStatus2->setCurrentText(QStringLiteral("Married"));
        info.cboDepend2->setCurrentText(QStringLiteral("3"));
        info.ckSSMediExemp->setChecked(true);
        type(info.txtFedAddL, QStringLiteral("12.5"));
    });
    DialogState &d = stateEditor();
    d.ckSDI->click();
    type(d.txtSDIpercent, QStringLiteral("1.2"));
    type(d.txtSDIwageBase, QStringLiteral("7000"));
    type(d.txtSUIpercent, QStringLiteral("3.4"));
    type(d.txtSUIwageBase, QStringLiteral("8000"));
    type(d.txtStateAdj, QStringLiteral("-2.5"));
    d.txtStateMinBS[1]->clear();  // saved as its built-in value
    d.OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<DialogState>());
    EXPECT_EQ(read(QStringLiteral(".sta")).toStdString(), kNewYorkSta);
    // And back: the editor shows what was saved.
    DialogState &again = stateEditor();
    EXPECT_EQ(again.txtStateMinBS[1]->text(), QStringLiteral("308"));
    EXPECT_EQ(again.txtSDIpercent->text(), QStringLiteral("1.2"));
    EXPECT_EQ(again.Label26->text(), QStringLiteral("Wage Base"));
    EXPECT_EQ(again.Label23->text(), QStringLiteral("Flat Rate"));
}

TEST_F(Editors, CityAndNonResidentSaveWriteTheirTablesByteForByte)
{
    start();
    DialogCity &c = cityEditor();
    EXPECT_EQ(c.txtCityMinBS[3]->text(), QStringLiteral("557"));
    EXPECT_EQ(c.txtCityMinBM[3]->text(), QStringLiteral("577"));
    c.txtCityMarExp[1]->clear();
    c.OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<DialogCity>());
    EXPECT_EQ(read(QStringLiteral(".cti")).toStdString(), kNewYorkCti);

    DialogNonCity &n = nonCityEditor();
    n.txtNonMinBi[1]->clear();
    QTest::keyClick(&n, Qt::Key_Return);  // Enter presses SAVE
    EXPECT_FALSE(Forms::isLoaded<DialogNonCity>());
    EXPECT_EQ(read(QStringLiteral(".nci")).toStdString(), kDefaultNci);
}

// The editor's SAVE whose file cannot be written says so and stays, the
// settings as they were; SAVE again once the file's place is free.
TEST_F(Editors, ATableFileThatCannotBeWrittenIsReported)
{
    start();
    DialogCity &c = cityEditor();
    const StateSettings before = state().stateSettings;
    type(c.txtCityMinBS[0], QStringLiteral("999"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral(".cti")));  // no file can replace a folder
    Ui::clearAsked();
    c.OKButton->click();
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("\".cti\" could not be written"))) << lastAsked().toStdString();
    EXPECT_TRUE(Forms::isLoaded<DialogCity>());
    EXPECT_EQ(c.txtCityMinBS[0]->text(), QStringLiteral("999"));
    EXPECT_EQ(state().stateSettings, before);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral(".cti"))).isDir());

    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral(".cti")));
    c.OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<DialogCity>());
    EXPECT_EQ(state().stateSettings.CityTable.single[0].minimum, 999.0f);
    EXPECT_TRUE(read(QStringLiteral(".cti")).startsWith("999,"));
}

// Whenever a profile becomes current its city and non-resident tables are
// its files or the built-in ones, never zeros nobody filled, nor the tables
// of the profile before.
TEST_F(Editors, AProfileWithoutTableFilesGetsTheBuiltInTables)
{
    struct Case {
        const char *what;
        std::function<QString()> becomeCurrent;  // returns the profile name
    };
    const Case cases[] = {
        {"start-up",
         [this] {
             restart();
             return QString();
         }},
        {"File New",
         [this] {
             storeOtherTables();
             newProfile(Forms::get<Form1>(), QStringLiteral("fresh"));
             return QStringLiteral("fresh");
         }},
        {"File Open",
         [this] {
             newProfile(Forms::get<Form1>(), QStringLiteral("bare"));
             for (const char *ext : {".sta", ".cti", ".nci"})
                 QFile::remove(path(QStringLiteral("bare") + QLatin1String(ext)));
             newProfile(Forms::get<Form1>(), QStringLiteral("other"));
             storeOtherTables();
             openProfile(Forms::get<Form1>(), QStringLiteral("bare"));
             return QStringLiteral("bare");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        removeAll();
        restart();
        const QString name = c.becomeCurrent();
        calculate(Forms::get<Form1>());
        EXPECT_EQ(read(name + QStringLiteral(".cti")).toStdString(), kNewYorkCti);
        EXPECT_EQ(read(name + QStringLiteral(".nci")).toStdString(), kDefaultNci);
        EXPECT_EQ(line(name + QStringLiteral(".sta"), 1), QByteArray("0,0,0.04,0,0,0.04"));
    }
}

// Each damaged table file gives the four-line message with its name and the
// copy of its bytes; the profile keeps what the file gave and takes the
// built-in values only for what could not be read.
TEST_F(Editors, ADamagedTableFileIsReportedAndKeepsWhatItGave)
{
    auto firstLine = [](const std::string &file, const std::string &line) {
        return line + file.substr(file.find("\r\n"));
    };
    struct Case {
        const char *ext;
        std::string after;  // the file after the next calculation, "" to check line 1 only
    };
    const Case cases[] = {
        {".sta", ""}, {".cti", firstLine(kNewYorkCti, "1,2,3,0,0,0.019")}, {".nci", firstLine(kDefaultNci, "1,2,3,0")}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ext);
        removeAll();
        Form1 &f = restart();
        newProfile(f, QStringLiteral("pat"));
        const QString file = QStringLiteral("pat") + QLatin1String(c.ext);
        write(file, "1,2,3\r\n");
        Form1 &again = restart();
        Ui::clearAsked();
        openProfile(again, QStringLiteral("pat"));
        EXPECT_EQ(lastAsked(), corrupted(file));
        EXPECT_EQ(state().CurrentUser, "pat");
        calculate(again);
        // The save wrote over the damaged file; its bytes are in the copy.
        EXPECT_EQ(read(file + QStringLiteral(".damaged")), QByteArray("1,2,3\r\n"));
        if (c.after.empty())
            EXPECT_EQ(line(file, 1), QByteArray("1,2,3,0,0,0.04"));
        else
            EXPECT_EQ(read(file).toStdString(), c.after);
        Ui::clearAsked();
        calculate(again);
        EXPECT_TRUE(Ui::asked().empty());
    }
}

// One switch a check box cannot take never costs the profile its tables.
TEST_F(Editors, ABadSwitchInAStateTableKeepsTheTables)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("pat"));
    std::string sta = kNewYorkSta;
    sta.replace(sta.find("308,12.31"), 3, "300");   // the profile's own table
    sta.replace(sta.rfind(",0\r\n"), 4, ",5\r\n");  // Missouri 5
    write(QStringLiteral("pat.sta"), QByteArray::fromStdString(sta));
    Form1 &again = restart();
    openProfile(again, QStringLiteral("pat"));
    EXPECT_EQ(lastAsked(), corrupted(QStringLiteral("pat.sta")));
    calculate(again);
    EXPECT_EQ(line(QStringLiteral("pat.sta"), 2), QByteArray("300,12.31,0.045,308,12.31,0.045"));
    EXPECT_EQ(line(QStringLiteral("pat.sta"), 22), QByteArray("1.2,3.4,7000,8000,-2.5,1,0,1,0"));
    EXPECT_EQ(line(QStringLiteral("pat.sta"), 23), QByteArray("0,0,0,3,\"Married\",0,12.5,0,0,0,0"));
}

// ---------------------------------------------------------------- profiles

TEST_F(Editors, FileNewStartsWithoutThePreviousProfilesSwitches)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("old"));
    DialogState &d = stateEditor();
    d.ckNoStateTax->click();
    d.OKButton->click();
    DialogState &d2 = stateEditor();
    ASSERT_TRUE(d2.ckNoStateTax->isChecked());
    for (QCheckBox *box : {d2.ckIowa, d2.ckOkla, d2.ckRoundOff, d2.ckSpouse})
        box->setChecked(true);
    d2.OKButton->click();
    ASSERT_EQ(state().stateSettings.SpecialIowa, 1);
    calculate(f);  // which also closes the user information window

    newProfile(f, QStringLiteral("fresh"));
    const StateSettings &s = state().stateSettings;
    const ProfileSettings &p = state().profile;
    for (std::int16_t flag : {s.NoStateTax, s.SpecialIowa, p.SpecialOkla, p.RoundState, p.SpouseWorks})
        EXPECT_EQ(flag, 0);
    EXPECT_EQ(line(QStringLiteral("fresh.sta"), 11), QByteArray("0"));
    EXPECT_EQ(line(QStringLiteral("fresh.sta"), 23), QByteArray("0,0,0,0,\"Single\",0,0,0,0,0,0"));
    EXPECT_EQ(line(QStringLiteral("fresh.sta"), 2), QByteArray("308,12.31,0.045,308,12.31,0.045"));
    DialogState &fresh = stateEditor();
    EXPECT_FALSE(fresh.specialStateOn());
    EXPECT_FALSE(fresh.ckNoStateTax->isChecked());
    EXPECT_FALSE(fresh.ckRoundOff->isChecked());
    EXPECT_TRUE(f.ckIowaPrior->isHidden());
}

// Make Default writes the default profile and goes back to the profile that
// was current, whatever the main window's label shows.
TEST_F(Editors, MakeDefaultWritesTheDefaultProfileAndKeepsTheCurrentOne)
{
    for (const QString &name : {QString(), QStringLiteral("ann")}) {
        SCOPED_TRACE(name.toStdString());
        removeAll();
        Form1 &f = restart();
        if (!name.isEmpty())
            newProfile(f, name);
        f.lbUser->setText(QStringLiteral("USER"));
        removeAll();
        DialogState &d = stateEditor();
        type(d.txtStateAdj, QStringLiteral("3"));
        d.cmdMkDefault->click();
        EXPECT_EQ(state().CurrentUser, name.toStdString());
        EXPECT_FALSE(editorsLoaded() || Forms::isLoaded<DialogNonCity>());
        for (const char *ext : {".use", ".and", ".cfe", ".ovw", ".sta", ".cti", ".nci"})
            EXPECT_TRUE(exists(QLatin1String(ext))) << ext;
        for (const char *ext : {".use", ".and", ".sta"})
            EXPECT_TRUE(exists(name + QLatin1String(ext))) << ext;
        EXPECT_EQ(line(QStringLiteral(".sta"), 22), QByteArray("0,0,0,0,3,0,0,0,0"));
        EXPECT_EQ(read(QStringLiteral(".cti")).toStdString(), kNewYorkCti);

        // Later saves go on to the same profile.
        removeAll();
        calculate(f);
        EXPECT_TRUE(exists(name + QStringLiteral(".use")));
        EXPECT_FALSE(exists(QStringLiteral("USER.use")));
        EXPECT_EQ(files().contains(QStringLiteral(".use")), name.isEmpty());
    }
}

// Get Default brings the default profile's state settings whole into the
// editor; the store and the files follow only at SAVE.
TEST_F(Editors, GetDefaultTakesTheDefaultWholeAndOnlySaveKeepsIt)
{
    Form1 &f = start();
    userInfo([](frmTaxInfo &info) { info.cboStatus2->setCurrentText(QStringLiteral("Married")); });
    DialogState &d = stateEditor();
    d.ckOkla->setChecked(true);
    d.ckRoundOff->setChecked(true);
    type(d.txtStateMinBS[1], QStringLiteral("300"));
    type(d.txtCalAllow, QStringLiteral("40"));
    d.cmdMkDefault->click();

    newProfile(f, QStringLiteral("bob"));
    DialogState &b = stateEditor();
    b.ckIowa->setChecked(true);
    b.OKButton->click();
    const QByteArray bobSta = read(QStringLiteral("bob.sta"));

    DialogState &g = stateEditor();
    // As the load left it: Iowa's preset and its snapshot.
    const TableStore bobStore = storeTables();
    g.cmdGetDefault->click();
    EXPECT_TRUE(g.ckOkla->isChecked());
    EXPECT_FALSE(g.ckIowa->isChecked()) << "never two special states on";
    EXPECT_TRUE(g.ckRoundOff->isChecked());
    EXPECT_EQ(g.txtStateMinBS[1]->text(), QStringLiteral("300"));
    EXPECT_EQ(g.txtCalAllow->text(), QStringLiteral("40"));
    EXPECT_EQ(Forms::get<frmTaxInfo>().cboStatus2->currentText(), QStringLiteral("Single"));
    g.CancelButton->click();
    EXPECT_EQ(storeTables(), bobStore);
    EXPECT_EQ(state().profile.SpecialOkla, 0);
    EXPECT_EQ(read(QStringLiteral("bob.sta")), bobSta);

    // A SAVE whose save is refused (a folder where bob.cfe was) takes
    // nothing, not even the default's user information; SAVE once more
    // still brings it.
    DialogState &h = stateEditor();
    h.cmdGetDefault->click();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("bob.cfe"))));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("bob.cfe")));
    h.OKButton->click();
    EXPECT_TRUE(h.isVisible());
    EXPECT_EQ(storeTables(), bobStore);
    EXPECT_EQ(state().profile.SpecialOkla, 0);
    EXPECT_EQ(state().profile.StateStatus, "Single");
    EXPECT_EQ(Forms::get<frmTaxInfo>().cboStatus2->currentText(), QStringLiteral("Single"));
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("bob.cfe")));
    h.OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<DialogState>());
    EXPECT_EQ(read(QStringLiteral("bob.sta")), read(QStringLiteral(".sta")));
    EXPECT_EQ(state().profile.SpecialOkla, 1);
    EXPECT_EQ(state().profile.StateStatus, "Married");
    EXPECT_EQ(Forms::get<frmTaxInfo>().cboStatus2->currentText(), QStringLiteral("Married"));

    // A damaged default is reported under its own name and changes nothing.
    write(QStringLiteral(".sta"), "1,2\r\n");
    DialogState &k = stateEditor();
    const QString before = k.txtStateMinBS[1]->text();
    k.cmdGetDefault->click();
    EXPECT_EQ(lastAsked(), corrupted(QStringLiteral(".sta")));
    EXPECT_EQ(k.txtStateMinBS[1]->text(), before);
}

// ---------------------------------------------------------------- withholding

// A new user keeps the New York tables, sets SDI and SUI, saves, and sees
// all four withheld.
TEST_F(Editors, StateCitySdiAndSuiAreWithheldAfterSave)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("newu"));
    payFifteen(true);
    DialogState &d = stateEditor();
    d.ckSDI->click();
    type(d.txtSDIpercent, QStringLiteral("1"));
    type(d.txtSDIwageBase, QStringLiteral("50000"));
    type(d.txtSUIwageBase, QStringLiteral("12.5"));
    d.OKButton->click();
    calculate(f, QStringLiteral("80"));
    EXPECT_EQ(f.Label13->text(), QStringLiteral("$1,200.00"));
    EXPECT_EQ(f.lbTaxDed[3]->text(), QStringLiteral("48.56"));  // (1200 - 268.3 - 769) x 0.0685 + 37.42 = 48.56495
    EXPECT_EQ(f.lbTaxDed[4]->text(), QStringLiteral("30.09"));  // (1200 - 192.3 - 962) x 0.039 + 28.31
    EXPECT_EQ(f.lbSDI->text(), QStringLiteral("12.00"));
    EXPECT_EQ(f.lbSUI->text(), QStringLiteral("12.50"));
}

// A stored switch value of 2 (grayed) stays grayed, counts as neither on
// nor off, and is saved back as 2.
TEST_F(Editors, AGrayedSwitchIsKeptAndCountsAsNeitherOnNorOff)
{
    Form1 &f = start();
    newProfile(f, QStringLiteral("pat"));
    payFifteen();
    std::string sta = kNewYorkSta;
    sta.replace(sta.find("-2.5,1,0,1,0"), 12, "-2.5,2,0,1,0");                // SDI Use Base grayed
    sta.replace(sta.find("0,0,0,3,\"Married\""), 17, "0,0,2,3,\"Married\"");  // Iowa grayed
    write(QStringLiteral("pat.sta"), QByteArray::fromStdString(sta));
    Form1 &again = restart();
    openProfile(again, QStringLiteral("pat"));
    DialogState &d = stateEditor();
    EXPECT_EQ(d.ckSDI->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(d.ckIowa->checkState(), Qt::PartiallyChecked);
    d.CancelButton->click();
    calculate(again);
    // Neither a percentage of the gross nor the flat 7000 of the base box.
    EXPECT_EQ(again.lbSDI->text(), QStringLiteral(".00"));
    // Iowa is not on, so the table computes: Married, 3 exemptions, weekly:
    // 600 - 403 / 2 = 398.5 on line 5, (398.5 - 384.5) x 0.0685 + 37.42 / 2
    // = 19.669, less the adjustment of 2.5.
    EXPECT_EQ(again.lbTaxDed[3]->text(), QStringLiteral("17.17"));
    EXPECT_EQ(line(QStringLiteral("pat.sta"), 22), QByteArray("1.2,3.4,7000,8000,-2.5,2,0,1,0"));
    EXPECT_TRUE(line(QStringLiteral("pat.sta"), 23).startsWith("0,0,2,3,"));

    // A click takes the grayed box on, and clicks never lead back to gray.
    DialogState &e = stateEditor();
    e.ckSDI->click();
    EXPECT_EQ(e.ckSDI->checkState(), Qt::Checked);
    e.ckSDI->click();
    e.ckSDI->click();
    EXPECT_EQ(e.ckSDI->checkState(), Qt::Checked);
}

TEST_F(Editors, NonResidentCityTax)
{
    struct Case {
        bool biWeekly;
        const char *hours;
        const char *percent;  // typed into the non-resident editor, or nullptr
        const char *city;
    };
    const Case cases[] = {
        {false, "10", nullptr, ".41"},   // (150 - 58) x 0.0045
        {false, "40", nullptr, "2.70"},  // 600 from the last line in use: nothing subtracted
        {true, "20", nullptr, ".83"},    // (300 - 115) x 0.0045
        {true, "80", "0.01", "12.00"},   // 1200 x 0.01
    };
    Form1 &f = start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hours);
        userInfo([&c](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("15"));
            (c.biWeekly ? info.optBiWeek : info.optWeek)->setChecked(true);
            info.ckNonCity->setChecked(true);
        });
        if (c.percent) {
            DialogNonCity &n = nonCityEditor();
            type(n.txtNonPer, QLatin1String(c.percent));
            n.OKButton->click();
        }
        calculate(f, QLatin1String(c.hours));
        EXPECT_EQ(f.lbTaxDed[4]->text(), QLatin1String(c.city));
    }
}

// A non-resident table whose first line starts above 0: a wage below it
// keeps the resident city allowance (192.30 for Single, no exemptions),
// and where that allowance is more than the wage nothing is withheld, not
// a refund.
TEST_F(Editors, NonResidentCityTaxBelowAFirstLineAbove0IsNeverNegative)
{
    struct Case {
        const char *hours;
        const char *city;
    };
    const Case cases[] = {
        {"4", ".00"},    // 60 - 192.30 below 0
        {"13", ".01"},   // (195 - 192.30) x 0.0045
        {"30", "1.80"},  // (450 - 50) x 0.0045 on the first line
    };
    Form1 &f = start();
    userInfo([](frmTaxInfo &info) {
        type(info.txtHourRate, QStringLiteral("15"));
        info.optWeek->setChecked(true);
        info.ckNonCity->setChecked(true);
    });
    DialogNonCity &n = nonCityEditor();
    type(n.txtNonMinWk[0], QStringLiteral("200"));
    type(n.txtNonExpWk[0], QStringLiteral("50"));
    for (std::size_t i = 1; i < 5; ++i)
        type(n.txtNonMinWk[i], QStringLiteral("999999"));
    n.OKButton->click();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hours);
        calculate(f, QLatin1String(c.hours));
        EXPECT_EQ(f.lbTaxDed[4]->text(), QLatin1String(c.city));
    }
}

// ---------------------------------------------------------------- editor commands

TEST_F(Editors, UseBaseNamesTheBoxAndOffClearsTheRate)
{
    start();
    DialogState &d = stateEditor();
    struct Case {
        QCheckBox *useBase;
        QLabel *caption;
        QLineEdit *rate;
    };
    for (const Case &c : {Case{d.ckSDI, d.Label26, d.txtSDIpercent}, Case{d.ckSUI, d.Label23, d.txtSUIpercent}}) {
        SCOPED_TRACE(c.useBase->objectName().toStdString());
        EXPECT_EQ(c.caption->text(), QStringLiteral("Flat Rate"));
        c.useBase->click();
        type(c.rate, QStringLiteral("2.5"));
        EXPECT_EQ(c.caption->text(), QStringLiteral("Wage Base"));
        c.useBase->click();
        EXPECT_EQ(c.caption->text(), QStringLiteral("Flat Rate"));
        EXPECT_EQ(c.rate->text(), QStringLiteral("0"));
    }
}

TEST_F(Editors, ClearAllThenNewYorkRestoresTheBuiltInTable)
{
    Form1 &f = start();
    DialogState &d = stateEditor();
    d.ckIowa->click();
    d.ckRoundOff->click();
    f.ckIowaPrior->setVisible(true);
    d.cmdClearAll->click();
    EXPECT_EQ(d.txtStateMinBM[3]->text(), QStringLiteral("999999"));
    EXPECT_EQ(d.txtStatePerBM[3]->text(), QStringLiteral("0"));
    EXPECT_EQ(d.txtStateSgExp[9]->text(), QStringLiteral("0"));
    EXPECT_FALSE(d.ckRoundOff->isChecked());
    EXPECT_TRUE(d.ckIowa->isChecked());
    d.CheckFor();  // nothing is blank after CLEAR ALL
    EXPECT_EQ(d.txtStateMinBM[3]->text(), QStringLiteral("999999"));

    d.cmdDefault->click();
    EXPECT_EQ(d.txtStateMinBM[3]->text(), QStringLiteral("500"));
    EXPECT_EQ(d.txtStatePerBM[6]->text(), QStringLiteral("0.0814"));
    EXPECT_EQ(d.txtStateMarExp[7]->text(), QStringLiteral("557"));
    EXPECT_FALSE(d.specialStateOn());
    EXPECT_TRUE(f.ckIowaPrior->isHidden());
    EXPECT_EQ(d.Label14->text(), QStringLiteral("Single"));
    EXPECT_EQ(d.Label21->text(), QStringLiteral("BiWeekly"));
}

TEST_F(Editors, NoLocalTaxBlanksTheTableAndClearingItShowsTheSnapshot)
{
    Form1 &f = startPaid();
    DialogCity &c = cityEditor();
    type(c.txtCityMinBS[2], QStringLiteral("400"));
    c.ckNoLocalTax->click();
    EXPECT_EQ(c.txtCityMinBS[2]->text(), QStringLiteral("999999"));
    EXPECT_EQ(c.txtCitySgExp[0]->text(), QStringLiteral("0"));
    c.ckNoLocalTax->click();
    EXPECT_EQ(c.txtCityMinBS[2]->text(), QStringLiteral("334"));  // the snapshot, not the edit
    c.ckNoLocalTax->click();
    c.OKButton->click();
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[4]->text(), QStringLiteral(".00"));
    EXPECT_EQ(line(QStringLiteral(".cti"), 11), QByteArray("1"));
    DialogCity &again = cityEditor();
    EXPECT_TRUE(again.ckNoLocalTax->isChecked());
    EXPECT_EQ(again.txtCityMinBM[9]->text(), QStringLiteral("999999"));
    again.cmdDefault->click();  // New York clears the switch
    EXPECT_FALSE(again.ckNoLocalTax->isChecked());
    EXPECT_EQ(again.txtCityMinBS[3]->text(), QStringLiteral("557"));
}

// At start-up the city tables come from the profile's file as the editor
// would take them: a stored NO LOCAL TAX withholds no city tax, and the
// file is saved back as it was.
TEST_F(Editors, AStoredNoLocalTaxCountsFromTheStart)
{
    const std::string cti = kNewYorkCti.substr(0, kNewYorkCti.find("0\r\n192.3")) + "1\r\n" +
                            kNewYorkCti.substr(kNewYorkCti.find("192.3"));
    write(QStringLiteral(".cti"), QByteArray::fromStdString(cti));
    Form1 &f = startPaid();
    EXPECT_FALSE(Forms::isLoaded<DialogCity>());
    calculate(f);
    EXPECT_EQ(f.lbTaxDed[4]->text(), QStringLiteral(".00"));
    EXPECT_EQ(line(QStringLiteral(".cti"), 11), QByteArray("1"));
    EXPECT_EQ(line(QStringLiteral(".cti"), 1), QByteArray("999999,0,0,999999,0,0"));
}

// Start-up fills the store from the table files without building the
// editors when no special state is on; the editors' own loads, run
// afterwards, find exactly the same store.
TEST_F(Editors, StartUpFillsTheStoreAsTheEditorsLoadsDo)
{
    auto withLine = [](std::string text, int line, const std::string &value) {
        std::size_t at = 0;
        for (int i = 1; i < line; ++i)
            at = text.find("\r\n", at) + 2;
        text.replace(at, text.find("\r\n", at) - at, value);
        return text;
    };
    struct Case {
        const char *what;
        std::string sta, cti;  // "" for no file
    };
    const std::vector<Case> cases{
        {"no table files", "", ""},
        {"the New York files", kNewYorkSta, kNewYorkCti},
        {"NO STATE TAX and NO LOCAL TAX", withLine(kNewYorkSta, 11, "1"), withLine(kNewYorkCti, 11, "1")},
        {"figures of more than seven digits", withLine(kNewYorkSta, 2, "308.123456,12.3456789,0.04512345,1,2,3"),
         withLine(kNewYorkCti, 2, "0.123456789,5.85,0.0265,308,5.85,0.0265")},
        {"a damaged state file", kNewYorkSta.substr(0, 200), ""},
        {"grayed switches", withLine(kNewYorkSta, 22, "1.2,3.4,7000,8000,-2.5,2,2,2,0"), ""},
        // Kentucky on: start-up loads the editor, whose preset lays the
        // tables; every later load lays the same.
        {"a special state on", withLine(kNewYorkSta, 23, "0,0,0,3,\"Married\",0,12.5,0,0,1,0"), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        removeAll();
        if (!c.sta.empty())
            write(QStringLiteral(".sta"), QByteArray::fromStdString(c.sta));
        if (!c.cti.empty())
            write(QStringLiteral(".cti"), QByteArray::fromStdString(c.cti));
        restart();
        EXPECT_FALSE(Forms::isLoaded<DialogState>());
        const TableStore atStart = storeTables();
        if (std::string_view(c.what) == "a special state on") {
            EXPECT_FLOAT_EQ(atStart.settings.StateTable.single[0].percentage, 0.02f) << "Kentucky's first rate";
        }
        const float calAllow = state().profile.CalAllow;
        const std::int16_t spouse = state().profile.SpouseWorks;
        frmTaxInfo &info = Forms::get<frmTaxInfo>();
        const QString status = info.cboStatus2->currentText(), count = info.cboDepend2->currentText();
        const bool ssExempt = info.ckSSMediExemp->isChecked();

        Ui::clearAsked();
        stateEditor().CancelButton->click();
        cityEditor().CancelButton->click();
        nonCityEditor().CancelButton->click();
        EXPECT_EQ(storeTables(), atStart);
        EXPECT_EQ(state().profile.CalAllow, calAllow);
        EXPECT_EQ(state().profile.SpouseWorks, spouse);
        EXPECT_EQ(info.cboStatus2->currentText(), status);
        EXPECT_EQ(info.cboDepend2->currentText(), count);
        EXPECT_EQ(info.ckSSMediExemp->isChecked(), ssExempt);
    }
}

TEST_F(Editors, NonResidentCancelHidesAndKeepsTheEdits)
{
    start();
    DialogNonCity &n = nonCityEditor();
    type(n.txtNonPer, QStringLiteral("0.01"));
    n.CancelButton->click();
    EXPECT_TRUE(Forms::isLoaded<DialogNonCity>());
    EXPECT_FALSE(n.isVisible());
    EXPECT_FLOAT_EQ(state().stateSettings.NonResident.percentage, 0.0045f);
    EXPECT_EQ(nonCityEditor().txtNonPer->text(), QStringLiteral("0.01"));
}

}  // namespace
}  // namespace wagedesk::testing
