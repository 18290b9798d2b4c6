#include "tables/tables.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/entry.h"
#include "core/profile.h"
#include "core/state.h"
#include "core/taxinfo.h"
#include "legacy/numerics.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "tables/dialogcity.h"
#include "tables/dialognoncity.h"
#include "tables/dialogstate.h"
#include "tables/editor_boxes.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
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
    void stateStep(ProgramState &) override
    {
        // A special state that is on replaces the general computation; its
        // formula comes with the special states, until then it withholds 0.
        if (Forms::get<DialogState>().specialStateOn())
            return;
        const frmTaxInfo &info = Forms::get<frmTaxInfo>();
        GetStateTax(info.optBiWeek->isChecked(), info.optWeek->isChecked());
    }

    void zeroBlankStateFields() override
    {
        DialogState &d = Forms::get<DialogState>();
        for (QLineEdit *box : {d.txtSDIpercent, d.txtSDIwageBase, d.txtStateAdj, d.txtCalAllow, d.txtSUIpercent,
                               d.txtSUIwageBase})
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
    }

    void cityStep(ProgramState &) override
    {
        const frmTaxInfo &info = Forms::get<frmTaxInfo>();
        GetCityTax(info.optBiWeek->isChecked(), info.optWeek->isChecked(), switchValue(info.ckNonCity));
    }

    SdiSuiBoxes sdiSuiBoxes() override
    {
        DialogState &d = Forms::get<DialogState>();
        // The adjustment and allowance are read leniently, as the snapshot
        // took them: a stray character never stops a calculation.
        auto lenient = [](const QLineEdit *box) {
            return legacy::shortestText(static_cast<double>(lenientNumber(box->text())));
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

} // namespace

bool available() { return true; }

bool iowaSwitchOn()
{
    // Only the editors loaded here are unloaded again (a load of the
    // main window from inside an editor's load must not unload that one).
    const bool wasLoaded[] = {Forms::isLoaded<DialogState>(), Forms::isLoaded<DialogCity>(),
                              Forms::isLoaded<DialogNonCity>()};
    bool on = false;
    try {
        on = isOn(Forms::get<DialogState>().ckIowa);
        Forms::get<DialogCity>();
        Forms::get<DialogNonCity>();
    } catch (const std::exception &e) {
        tell(e);
    }
    if (!wasLoaded[2])
        unloadQuietly(DialogNonCity::kName);
    if (!wasLoaded[1])
        unloadQuietly(DialogCity::kName);
    if (!wasLoaded[0])
        unloadQuietly(DialogState::kName);
    return on;
}

bool loadEditorsForCalculation()
{
    try {
        if (Forms::isLoaded<DialogState>()) {
            DialogState &editor = Forms::get<DialogState>();
            try {
                editor.fillVari();
            } catch (const TableBoxError &e) {
                Ui::message(QStringLiteral("You have entered a NON numerial."), Buttons::Ok, Icon::Exclamation);
                editor.showForm();
                e.box->setFocus();
                return false;
            }
        }
        Forms::get<DialogCity>();
        Forms::get<DialogState>();
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

void SaveStateTables() { writeReporting(writeStateTable, stateTableFileName(state().CurrentUser)); }
void SaveCityTables() { writeReporting(writeCityTable, cityTableFileName(state().CurrentUser)); }
void SaveNonCityTables() { writeReporting(writeNonResidentTable, nonResidentTableFileName(state().CurrentUser)); }

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

} // namespace wagedesk::tables
