#include "tables/windows/tables.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

#include "core/windows/entry.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/taxinfo.h"
#include "core/windows/transaction.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "special_states/formulas.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"
#include "tables/windows/editor_boxes.h"
#include "tables/withholding.h"

namespace wagedesk::tables {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

// The calculation's view of the state editor, which it loaded.
class EditorEnvironment : public CalcEnvironment {
public:
    void stateStep(ProgramState &st) override
    {
        // A special state that is on replaces the general computation.
        DialogState &d = Forms::get<DialogState>();
        const std::optional<special_states::FormulaResult> special = special_states::dispatch(
            d.switchValues(), special_states::formulaInput(st, d.formulaLive()));
        if (special) {
            special->applyTo(st.result);
            // Before Round State is read: these states withhold whole dollars.
            if (special->turnsRoundStateOn)
                setSwitch(d.ckRoundOff, 1);
            return;
        }
        const frmTaxInfo &info = Forms::get<frmTaxInfo>();
        GetStateTax(st.stateSettings.StateTable, st.profile.StateStatus, info.optBiWeek->isChecked(),
                    info.optWeek->isChecked(), st.result);
    }

    void zeroBlankStateFields() override
    {
        DialogState &d = Forms::get<DialogState>();
        for (QLineEdit *box :
             {d.txtSDIpercent, d.txtSDIwageBase, d.txtStateAdj, d.txtCalAllow, d.txtSUIpercent, d.txtSUIwageBase})
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
    }

    void cityStep(ProgramState &st) override
    {
        const frmTaxInfo &info = Forms::get<frmTaxInfo>();
        const StateSettings &s = st.stateSettings;
        GetCityTax(s.CityTable, s.NonResident, st.profile.StateStatus, info.optBiWeek->isChecked(),
                   info.optWeek->isChecked(), switchValue(info.ckNonCity), st.result);
    }

    SdiSuiBoxes sdiSuiBoxes() override
    {
        DialogState &d = Forms::get<DialogState>();
        // The adjustment and allowance are read leniently, as the snapshot
        // took them: a stray character never stops a calculation.
        auto lenient = [](QLineEdit *box) {
            try {
                return legacy::shortestText(static_cast<double>(lenientBox(box)));
            } catch (const TableBoxError &e) {
                throw StateBoxError(box->objectName().toStdString(), box->accessibleName().toStdString(),
                                    box->text().toStdString(), e.problem);
            }
        };
        return {switchValue(d.ckSDI), switchValue(d.ckSUI), lenient(d.txtStateAdj), lenient(d.txtCalAllow)};
    }

    bool roundStateOn() override { return isOn(Forms::get<DialogState>().ckRoundOff); }
};

void tell(const std::exception &e) { Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation); }

void unloadQuietly(const char *name)
{
    try {
        Forms::unload(name);
    } catch (const std::exception &e) {
        tell(e);
    }
}

// Loads the three editors afresh, which fills the store from the current
// profile's files or the built-in tables, and unloads them again.
void fillStoreFromFiles()
{
    unloadEditors();
    try {
        Forms::get<DialogState>();
        Forms::get<DialogCity>();
        Forms::get<DialogNonCity>();
    } catch (...) {
        unloadEditors();
        throw;
    }
    unloadEditors();
}

// At start-up the store is filled from the profile's table files as the
// editors' loads fill it, but without building the editors when nothing
// needs them (that is most of the start's time). An editor's load shows each
// figure in a box and its snapshot reads the box again, so a figure comes
// back as its seven-digit text reads.
float throughBox(float value) { return legacy::toFloat(legacy::floatToText(value)); }

void throughBoxes(BracketTable &table)
{
    for (BracketRow &row : table)
        row = {throughBox(row.minimum), throughBox(row.amount), throughBox(row.percentage)};
}

void throughBoxes(AllowanceTable &table)
{
    for (AllowanceRow &row : table)
        row = {throughBox(row.single), throughBox(row.married)};
}

// What NO STATE TAX and NO LOCAL TAX put into the tables' boxes.
void blankTables(WithholdingTable &table, AllowanceTable &allowance)
{
    table.single.fill({999999, 0, 0});
    table.married.fill({999999, 0, 0});
    allowance.fill({0, 0});
}

bool anySpecialStateOn(const StateSettings &s, const ProfileSettings &p)
{
    for (std::int16_t flag :
         {s.SpecialAriz, s.SpecialLouis, s.SpecialIowa, s.SpecialMass, s.SpecialOregon, s.SpecialKentucky,
          s.SpecialMissouri, p.SpecialOkla, p.SpecialWiscon, p.SpecialAlabama, p.SpecialNC})
        if (flag == 1)
            return true;
    return false;
}

// The state editor's load, without the editor: the settings files, then the
// state table file, into the store. False, with the store unchanged, when a
// special state is stored on: only the editor lays out its preset.
bool fillStateStoreFromFiles()
{
    try {
        LoadUserSettings();
    } catch (const std::exception &e) {
        // A damaged settings file is reported; the tables still load.
        tell(e);
    }
    ProgramState &st = state();
    StateSettings s = st.stateSettings;
    ProfileSettings p = st.profile;
    const std::string name = stateTableFileName(st.CurrentUser);
    const FileRead read = readStateTableFile(name, s, p);
    if (anySpecialStateOn(s, p))
        return false;
    if (read == FileRead::Damaged)
        tellCorrupted(name);
    if (read == FileRead::Missing) {
        // The editor's boxes stay blank and take the built-in texts, its
        // switches their design values.
        applyNewYorkStateTable(s);
        s.SDIPercent = s.SDIWageBase = s.SUIPercent = s.SUIWageBase = s.StateAdjust = 0;
        s.NoStateTax = s.SDIUseBase = s.SUIUseBase = 0;
        p.CalAllow = 0;
    } else if (s.NoStateTax == 1) {
        blankTables(s.StateTable, s.StateAllowance);
        p.SpouseWorks = 0;
    }
    throughBoxes(s.StateTable.single);
    throughBoxes(s.StateTable.married);
    throughBoxes(s.StateAllowance);
    for (float *box : {&s.SDIPercent, &s.SDIWageBase, &s.SUIPercent, &s.SUIWageBase, &s.StateAdjust, &p.CalAllow})
        *box = throughBox(*box);
    st.stateSettings = s;
    st.profile = p;
    // The user information window, loaded by the settings files' reading,
    // shows the five settings the state table file gave.
    Forms::get<frmTaxInfo>().showSettings(true);
    return true;
}

// The city and non-resident editors' loads likewise: the file, or the
// built-in tables where there is none; a stored NO LOCAL TAX leaves the city
// tables blanked, as its switch blanks the editor's boxes.
void fillCityStoresFromFiles()
{
    ProgramState &st = state();
    StateSettings &s = st.stateSettings;
    const std::string city = cityTableFileName(st.CurrentUser);
    switch (readCityTableFile(city, s)) {
    case FileRead::Missing: builtInCityFileItems(s); break;
    case FileRead::Damaged: tellCorrupted(city); [[fallthrough]];
    case FileRead::Whole:
        if (s.NoLocalTax == 1)
            blankTables(s.CityTable, s.CityAllowance);
        break;
    }
    throughBoxes(s.CityTable.single);
    throughBoxes(s.CityTable.married);
    throughBoxes(s.CityAllowance);
    NonResidentTable &n = s.NonResident;
    const std::string nonResident = nonResidentTableFileName(st.CurrentUser);
    switch (readNonResidentTableFile(nonResident, n)) {
    case FileRead::Missing: applyNonResidentTable(s); break;
    case FileRead::Damaged: tellCorrupted(nonResident); break;
    case FileRead::Whole: break;
    }
    for (NonResidentLines *lines : {&n.biWeekly, &n.weekly})
        for (NonResidentRow &row : *lines)
            row = {throughBox(row.minimum), throughBox(row.subtract)};
    n.percentage = throughBox(n.percentage);
}

}  // namespace

bool iowaSwitchOn()
{
    // An editor already loaded (a load of the main window from inside an
    // editor's load) is the one that counts; one loaded here is unloaded
    // again.
    const bool wasLoaded = Forms::isLoaded<DialogState>();
    bool on = false;
    try {
        if (wasLoaded || !fillStateStoreFromFiles()) {
            on = isOn(Forms::get<DialogState>().ckIowa);
            if (!wasLoaded)
                unloadQuietly(DialogState::kName);
        }
        if (!Forms::isLoaded<DialogCity>())
            fillCityStoresFromFiles();
    } catch (const std::exception &e) {
        tell(e);
    }
    return on;
}

bool loadEditorsForCalculation(SaveTransaction &save)
{
    const bool cityWasLoaded = Forms::isLoaded<DialogCity>(), stateWasLoaded = Forms::isLoaded<DialogState>();
    // Refused, the calculation leaves loaded only the editors it found
    // loaded; an open one stays with what was typed.
    save.also([cityWasLoaded, stateWasLoaded] {
        if (!cityWasLoaded)
            unloadQuietly(DialogCity::kName);
        if (!stateWasLoaded)
            unloadQuietly(DialogState::kName);
    });
    try {
        if (stateWasLoaded && !Forms::get<DialogState>().takeBoxes(save))
            return false;
        Forms::get<DialogCity>();
        DialogState &editor = Forms::get<DialogState>();
        // A count the special state's formula cannot work with (typed into
        // the open editor) refuses the calculation before anything changes.
        try {
            special_states::checkFigures(editor.switchValues(),
                                         special_states::formulaInput(state(), editor.formulaLive()));
        } catch (const special_states::SpecialStateError &e) {
            Ui::message(QString::fromStdString(e.what()), Buttons::Ok, Icon::Exclamation);
            return false;
        }
        return true;
    } catch (const std::exception &e) {
        tell(e);
        return false;
    }
}

CalcEnvironment &calcEnvironment()
{
    static EditorEnvironment environment;
    return environment;
}

void unloadEditorsAfterCalculation()
{
    unloadQuietly(DialogCity::kName);
    unloadQuietly(DialogState::kName);
}

void SaveStateTables(legacy::SaveBatch *batch, TableFileFailure failure)
{
    const ProgramState &st = state();
    writeTableFile(
        stateTableFileName(st.CurrentUser),
        [&st](legacy::SeqWriter &out) { writeStateTable(out, st.stateSettings, st.profile); }, batch, failure);
}

void SaveCityTables(legacy::SaveBatch *batch, TableFileFailure failure)
{
    const ProgramState &st = state();
    writeTableFile(
        cityTableFileName(st.CurrentUser), [&st](legacy::SeqWriter &out) { writeCityTable(out, st.stateSettings); },
        batch, failure);
}

void SaveNonCityTables(legacy::SaveBatch *batch, TableFileFailure failure)
{
    const ProgramState &st = state();
    writeTableFile(
        nonResidentTableFileName(st.CurrentUser),
        [&st](legacy::SeqWriter &out) { writeNonResidentTable(out, st.stateSettings.NonResident); }, batch, failure);
}

void checkDamagedTableFiles()
{
    const std::string &user = state().CurrentUser;
    // Whatever the save would write: the loads before it report the damage
    // again and show figures that the save would then refuse. (A table file
    // that cannot be written is the save's to report; it goes on without.)
    for (const std::string &file : {stateTableFileName(user), cityTableFileName(user), nonResidentTableFileName(user)})
        legacy::keepCopyOrRefuse(file);
}

void openProfileTables() { fillStoreFromFiles(); }

void newProfileTables()
{
    unloadEditors();
    // The store first, and the new profile's settings files with it: they
    // were written from the previous profile's switches when the user
    // information window was reset, and every load of the state editor
    // reads them back.
    ProgramState &st = state();
    st.stateSettings = StateSettings{};
    applyNewYorkStateTable(st.stateSettings);
    applyNewYorkCityTable(st.stateSettings);
    applyNonResidentTable(st.stateSettings);
    ProfileSettings &p = st.profile;
    p.SpouseWorks = p.RoundState = p.SpecialOkla = p.SpecialWiscon = p.SpecialAlabama = p.SpecialNC = 0;
    p.CalAllow = 0;
    try {
        SaveOT();
        // Then the New York buttons, as the user would press them, and
        // their snapshot: nothing of the previous profile is carried over.
        DialogState &editor = Forms::get<DialogState>();
        editor.hide();
        editor.cmdDefault_Click();
        editor.fillVari();
        unloadQuietly(DialogState::kName);
        DialogCity &city = Forms::get<DialogCity>();
        city.hide();
        city.cmdDefault_Click();
        city.fillVar();
        unloadQuietly(DialogCity::kName);
        Forms::get<DialogNonCity>();
        unloadQuietly(DialogNonCity::kName);
    } catch (const std::exception &e) {
        tell(e);
        unloadEditors();
    }
}

void unloadEditors()
{
    unloadQuietly(DialogState::kName);
    unloadQuietly(DialogCity::kName);
    unloadQuietly(DialogNonCity::kName);
}

void showStateEditor()
{
    guarded([] {
        DialogState &editor = Forms::get<DialogState>();
        editor.showForm();
        editor.runTickedPresets();
    });
}

void showCityEditor()
{
    guarded([] { Forms::get<DialogCity>().showForm(); });
}

void showNonCityEditor()
{
    guarded([] { Forms::get<DialogNonCity>().showForm(); });
}

namespace {

class EditorService : public TableEditors {
public:
    bool available() const override { return true; }
    bool iowaSwitchOn() override { return tables::iowaSwitchOn(); }
    bool loadEditorsForCalculation(SaveTransaction &save) override { return tables::loadEditorsForCalculation(save); }
    CalcEnvironment &calcEnvironment() override { return tables::calcEnvironment(); }
    void unloadEditorsAfterCalculation() override { tables::unloadEditorsAfterCalculation(); }
    void SaveStateTables(legacy::SaveBatch *batch) override { tables::SaveStateTables(batch); }
    void SaveCityTables(legacy::SaveBatch *batch) override { tables::SaveCityTables(batch); }
    void SaveNonCityTables(legacy::SaveBatch *batch) override { tables::SaveNonCityTables(batch); }
    void checkDamagedTableFiles() override { tables::checkDamagedTableFiles(); }
    void openProfileTables() override { tables::openProfileTables(); }
    void newProfileTables() override { tables::newProfileTables(); }
    void unloadEditors() override { tables::unloadEditors(); }
    void showStateEditor() override { tables::showStateEditor(); }
    void showCityEditor() override { tables::showCityEditor(); }
    void showNonCityEditor() override { tables::showNonCityEditor(); }
};

}  // namespace

TableEditors &editorService()
{
    static EditorService service;
    return service;
}

}  // namespace wagedesk::tables
