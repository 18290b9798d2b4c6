#include "tables/windows/dialogstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/profile_files.h"
#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/saveuser.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
#include "tables/windows/editor_boxes.h"
#include "tables/windows/state_editor_view.h"
#include "tables/windows/tables.h"

namespace wagedesk {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;
using namespace tables;

namespace {

const QString kNonNumerial = QStringLiteral("You have entered a NON numerial.");

QCheckBox *check(const char *name, const char *caption)
{
    return named<QCheckBox>(QLatin1String(name), QString::fromUtf8(caption));
}

// A box that selects its whole text on focus.
QLineEdit *singleBox(const char *name)
{
    auto *box = named<QLineEdit>(QLatin1String(name));
    makeNumericEntry(box);
    selectAllOnFocus(box);
    box->setMaximumWidth(96);
    return box;
}

// The main window's Iowa prior-period box.
QCheckBox *iowaPrior() { return Forms::get<Form1>().ckIowaPrior; }

// The profile's state table file into the targets; a damaged one is
// reported.
FileRead readStateTableReporting(const std::string &name, StateSettings &settings, ProfileSettings &profile)
{
    const FileRead read = readStateTableFile(name, settings, profile);
    if (read == FileRead::Damaged)
        tellCorrupted(name);
    return read;
}

}  // namespace

DialogState::DialogState() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Biweekly State Tax"));

    Label1 = label("Label1", "Table for SINGLE Persons");
    Label2 = label("Label2", "Minimum Range");
    Label3 = label("Label3", "Amount to Withhold");
    Label4 = label("Label4", "Multiply by Percentage in Decimal");
    Label5 = label("Label5", "Table for MARRIED Persons");
    Label8 = label("Label8", "Minimum Range");
    Label9 = label("Label9", "Amount to Withhold");
    Label10 = label("Label10", "Multiply by Percentage in Decimal");
    Label6 = label("Label6", "Line");
    Label11 = label("Label11", "Line");
    for (QLabel *head : {Label2, Label3, Label4, Label8, Label9, Label10}) {
        head->setWordWrap(true);
        head->setAlignment(Qt::AlignCenter);
        head->setMaximumWidth(96);
    }
    Label19 = label("Label19", "BIWEEKLY ");
    Label20 = label("Label20", "BIWEEKLY ");
    Label21 = label("Label21", "BIWEEKLY ");
    Label16 = label("Label16", "Withholding Allowance");
    Label13 = label("Label13", "# of Exemp");
    Label14 = label("Label14", "SINGLE");
    Label15 = label("Label15", "MARRIED");
    Label12 = label("Label12",
                    "You MUST enter biweekly figures. The WEEKLY tables will auto adjust by "
                    "selecting weekly in \"User Info\".");
    Label12->setWordWrap(true);
    Label18 = redLabel("Label18", "WARNING!");
    Label17 = label("Label17", "Enter 999999 in any Minum Range Box that is not used.");
    Label29 = label("Label29", "Find your state: www.taxadmin.org/state-tax-agencies");
    Label29->setWordWrap(true);

    // Line numbers: the Single table's in Frame1, the Married table's in Frame2.
    for (int i = 0; i < 16; ++i)
        Label7[i] = named<QLabel>(indexed("Label7", i), QString::number(i < 10 ? i + 1 : i - 9));
    Label30 = label("Label30", "7");
    Label31 = label("Label31", "8");
    Label32 = label("Label32", "9");
    Label33 = label("Label33", "10");
    for (int i = 0; i < 10; ++i)
        Label27[i] = named<QLabel>(indexed("Label27", i), QString::number(i));

    txtSDIpercent = singleBox("txtSDIpercent");
    txtSDIwageBase = singleBox("txtSDIwageBase");
    txtSUIpercent = singleBox("txtSUIpercent");
    txtSUIwageBase = singleBox("txtSUIwageBase");
    txtStateAdj = singleBox("txtStateAdj");
    txtCalAllow = singleBox("txtCalAllow");
    Label25 = label("Label25", "% Rate");
    Label26 = label("Label26", "Flat Rate");
    Label22 = label("Label22", "% Rate");
    Label23 = label("Label23", "Flat Rate");
    Label24 = label("Label24", "Enter figure to add to State Tax. Place a (-)Minus to subtract.");
    Label24->setWordWrap(true);
    Label28 = label("Label28", "California Exempt Allowance");
    txtSDIpercent->setAccessibleName(QStringLiteral("State Disability Insurance, rate"));
    txtSDIwageBase->setAccessibleName(QStringLiteral("State Disability Insurance, wage base or flat rate"));
    txtSUIpercent->setAccessibleName(QStringLiteral("State UnEmployment Insurance, rate"));
    txtSUIwageBase->setAccessibleName(QStringLiteral("State UnEmployment Insurance, wage base or flat rate"));
    txtStateAdj->setAccessibleName(Label24->text());
    txtCalAllow->setAccessibleName(Label28->text());
    ckSDI = check("ckSDI", "Use Base");
    ckSUI = check("ckSUI", "Use Base");

    ckNoStateTax = check("ckNoStateTax", "NO STATE TAX");
    ckRoundOff = check("ckRoundOff", "Round State");
    ckSpouse = check("ckSpouse", "Spouse Works");
    for (QCheckBox *red : {ckRoundOff, ckSpouse})
        red->setStyleSheet(QStringLiteral("color: red;"));
    ckSpouse->setToolTip(QStringLiteral("For Married Persons"));
    ckSpouse->setVisible(false);
    ckAlabama = check("ckAlabama", "Alabama");
    ckAriz = check("ckAriz", "Arizona");
    ckIowa = check("ckIowa", "Iowa");
    ckKentucky = check("ckKentucky", "Kentucky");
    ckLouis = check("ckLouis", "Louisiana");
    ckMass = check("ckMass", "Mass");
    ckMissouri = check("ckMissouri", "Missouri");
    ckNC = check("ckNC", "N.C.");
    ckOkla = check("ckOkla", "Oklahoma");
    ckOregon = check("ckOregon", "Oregon");
    ckWiscon = check("ckWiscon", "Wisconsin");

    cmdDefault = named<QPushButton>(QStringLiteral("cmdDefault"), QStringLiteral("New York"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("SAVE"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("CANCEL"));
    cmdClearAll = named<QPushButton>(QStringLiteral("cmdClearAll"), QStringLiteral("CLEAR ALL"));
    cmdMkDefault = named<QPushButton>(QStringLiteral("cmdMkDefault"), QStringLiteral("Make Default"));
    cmdGetDefault = named<QPushButton>(QStringLiteral("cmdGetDefault"), QStringLiteral("Get Default"));

    // Layout: Single table left, Married table middle, allowances and the
    // switches on the right; the SDI, SUI and adjustment frames below the
    // tables, the buttons at the bottom left.
    std::vector<QLabel *> singleLines(Label7.begin(), Label7.begin() + 10);
    std::vector<QLabel *> marriedLines(Label7.begin() + 10, Label7.end());
    for (QLabel *l : {Label30, Label31, Label32, Label33})
        marriedLines.push_back(l);
    singleTable = new BracketBoxes({"txtStateMinBS", "txtStateAmtBS", "txtStatePerBS"}, kBracketFields,
                                   kBracketTextFields, Label19, Label1, {Label6, Label2, Label3, Label4}, "Frame1",
                                   singleLines);
    marriedTable = new BracketBoxes({"txtStateMinBM", "txtStateAmtBM", "txtStatePerBM"}, kBracketFields,
                                    kBracketTextFields, Label20, Label5, {Label11, Label8, Label9, Label10}, "Frame2",
                                    marriedLines);
    allowanceTable = new AllowanceBoxes({"txtStateSgExp", "txtStateMarExp"}, kAllowanceFields, kAllowanceTextFields,
                                        Label21, Label16, {Label13, Label14, Label15}, "Frame3",
                                        std::vector<QLabel *>(Label27.begin(), Label27.end()));
    txtStateMinBS = singleTable->column(0);
    txtStateAmtBS = singleTable->column(1);
    txtStatePerBS = singleTable->column(2);
    txtStateMinBM = marriedTable->column(0);
    txtStateAmtBM = marriedTable->column(1);
    txtStatePerBM = marriedTable->column(2);
    txtStateSgExp = allowanceTable->column(0);
    txtStateMarExp = allowanceTable->column(1);
    Frame1 = singleTable->frame();
    Frame2 = marriedTable->frame();
    Frame3 = allowanceTable->frame();

    auto *switches = new QGridLayout;
    int row = 0;
    for (QCheckBox *box : {ckAlabama, ckAriz, ckIowa, ckKentucky, ckLouis})
        switches->addWidget(box, row++, 0);
    row = 0;
    for (QCheckBox *box : {ckMass, ckMissouri, ckNC, ckOkla, ckOregon, ckWiscon})
        switches->addWidget(box, row++, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(allowanceTable);
    right->addSpacing(8);
    right->addLayout(switches);
    right->addWidget(cmdDefault);
    right->addWidget(Label29);
    auto *noTax = new QHBoxLayout;
    noTax->addWidget(ckNoStateTax);
    noTax->addWidget(ckSpouse);
    noTax->addWidget(ckRoundOff);
    noTax->addStretch();
    right->addLayout(noTax);
    right->addStretch();

    auto insurance = [](QGroupBox *&frame, const char *name, const char *caption, QLabel *rateLabel, QLineEdit *rate,
                        QLabel *baseLabel, QLineEdit *base, QCheckBox *useBase) {
        frame = named<QGroupBox>(QLatin1String(name), QString::fromUtf8(caption));
        auto *g = new QGridLayout(frame);
        g->addWidget(rateLabel, 0, 0);
        g->addWidget(rate, 0, 1);
        g->addWidget(baseLabel, 1, 0);
        g->addWidget(base, 1, 1);
        g->addWidget(useBase, 2, 0, 1, 2);
    };
    insurance(Frame4, "Frame4", "&State &Disability &Insurance", Label25, txtSDIpercent, Label26, txtSDIwageBase,
              ckSDI);
    insurance(Frame5, "Frame5", "&State &UnEmployment &Insurance", Label22, txtSUIpercent, Label23, txtSUIwageBase,
              ckSUI);
    Frame6 = named<QGroupBox>(QStringLiteral("Frame6"), QStringLiteral("Adustment"));
    {
        auto *g = new QGridLayout(Frame6);
        txtStateAdj->setMinimumWidth(80);
        txtCalAllow->setMinimumWidth(80);
        g->addWidget(Label24, 0, 0);
        g->addWidget(txtStateAdj, 0, 1);
        g->addWidget(Label28, 1, 0);
        g->addWidget(txtCalAllow, 1, 1);
    }

    auto *bothTables = new QHBoxLayout;
    bothTables->addWidget(singleTable, 0, Qt::AlignTop);
    bothTables->addSpacing(12);
    bothTables->addWidget(marriedTable, 0, Qt::AlignTop);
    bothTables->addStretch(1);
    auto *warning = new QHBoxLayout;
    warning->addWidget(Label18);
    warning->addWidget(Label17);
    warning->addStretch();
    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame4);
    frames->addWidget(Frame5);
    frames->addWidget(Frame6, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(bothTables);
    left->addWidget(Label12);
    left->addLayout(warning);
    left->addLayout(frames);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(right);
    auto *defaults = new QHBoxLayout;
    defaults->addWidget(cmdMkDefault);
    defaults->addWidget(cmdGetDefault);
    defaults->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(cmdClearAll);
    buttons->addStretch();
    auto *root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(defaults);
    root->addLayout(buttons);

    auto command = [this](QPushButton *button, void (DialogState::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    command(OKButton, &DialogState::OKButton_Click);
    command(CancelButton, &DialogState::CancelButton_Click);
    command(cmdClearAll, &DialogState::cmdClearAll_Click);
    command(cmdDefault, &DialogState::cmdDefault_Click);
    command(cmdGetDefault, &DialogState::cmdGetDefault_Click);
    command(cmdMkDefault, &DialogState::cmdMkDefault_Click);
    // The switches' handlers run on every change of their value (the
    // grayed state included), by the user or by code; "on" is the value 1.
    connect(ckNoStateTax, &QCheckBox::stateChanged, this,
            [this](int value) { guarded([this, value] { ckNoStateTax_Click(value == Qt::Checked); }); });
    connect(ckSDI, &QCheckBox::stateChanged, this,
            [this] { guarded([this] { useBaseClicked(ckSDI, Label26, txtSDIpercent); }); });
    connect(ckSUI, &QCheckBox::stateChanged, this,
            [this] { guarded([this] { useBaseClicked(ckSUI, Label23, txtSUIpercent); }); });
    connect(ckSpouse, &QCheckBox::stateChanged, this, [this] { guarded([this] { ckSpouse_Click(); }); });

    // The special-state switches: their steps run when the mouse button or
    // Space goes down, before the box toggles; a change by code runs
    // nothing.
    view_ = std::make_unique<tables::DialogStateView>(*this);
    for (const special_states::SpecialStateInfo &s : special_states::specialStates()) {
        const special_states::SpecialState which = s.state;
        connect(switchOf(which), &QAbstractButton::pressed, this,
                [this, which] { guarded([this, which] { switch_MouseDown(which); }); });
    }
}

DialogState::~DialogState() = default;

std::array<QCheckBox *, 11> DialogState::specialSwitches() const
{
    // In the order of special_states::SpecialState.
    return {ckAriz, ckLouis, ckIowa, ckMissouri, ckMass, ckOregon, ckOkla, ckAlabama, ckKentucky, ckWiscon, ckNC};
}

QCheckBox *DialogState::switchOf(special_states::SpecialState s) const
{
    return specialSwitches()[special_states::index(s)];
}

special_states::SwitchValues DialogState::switchValues() const { return special_states::switchValues(*view_); }

special_states::PresetInput DialogState::presetInput() const
{
    const frmTaxInfo &info = Forms::get<frmTaxInfo>();
    return {special_states::storedSettings(state()),
            {info.optWeek->isChecked(), info.optBiWeek->isChecked(), info.cboStatus2->currentText().toStdString()}};
}

special_states::FormulaLive DialogState::formulaLive() const
{
    const frmTaxInfo &info = Forms::get<frmTaxInfo>();
    return {info.optWeek->isChecked(), info.optBiWeek->isChecked(), info.cboStatus2->currentText().toStdString(),
            isOn(ckSpouse), isOn(iowaPrior())};
}

void DialogState::switch_MouseDown(special_states::SpecialState s)
{
    special_states::pressSwitch(s, isOn(switchOf(s)), *view_, state(), presetInput().userInfo);
}

void DialogState::ckSpouse_Click() { special_states::spouseWorksChanged(*view_, presetInput()); }

bool DialogState::specialStateOn() const
{
    for (const QCheckBox *box : specialSwitches())
        if (isOn(box))
            return true;
    return false;
}

void DialogState::formLoad()
{
    // A Get Default cancelled in an earlier showing counts no more.
    pendingUserInfo_.reset();
    const ProgramState &st = state();
    shown_ = {st.stateSettings, st.profile.CalAllow, st.profile.RoundState};
    try {
        LoadUserSettings();
    } catch (const std::exception &e) {
        // A damaged settings file is reported; the tables still load.
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
    }
    LoadStateTables();
    // The preset of a switch that is on lays its figures for the pay
    // frequency chosen now, before the snapshot takes them.
    special_states::rerunPresets(special_states::Occasion::EditorLoad, *view_, presetInput());
    try {
        fillVari();
    } catch (const TableBoxError &) {
        // The boxes come from a file or the built-in table, so they hold
        // numbers; a box that still does not is left for SAVE to point out.
    }
    Label26->setText(isOn(ckSDI) ? QStringLiteral("Wage Base") : QStringLiteral("Flat Rate"));
    Label23->setText(isOn(ckSUI) ? QStringLiteral("Wage Base") : QStringLiteral("Flat Rate"));
}

void DialogState::runTickedPresets()
{
    special_states::rerunPresets(special_states::Occasion::StateMenu, *view_, presetInput());
}

void DialogState::CheckFor()
{
    const StateTableTexts &t = kNewYorkStateTexts;
    singleTable->fillBlanks(t.table.single);
    marriedTable->fillBlanks(t.table.married);
    allowanceTable->fillBlanks(t.allowance);
    fillSingleBoxes();
}

void DialogState::fillVari()
{
    CheckFor();
    ProgramState &st = state();
    StateSettings s = st.stateSettings;
    s.NoStateTax = switchValue(ckNoStateTax);
    s.StateTable.single = singleTable->read(s.StateTable.single);
    s.StateTable.married = marriedTable->read(s.StateTable.married);
    s.StateAllowance = allowanceTable->read(s.StateAllowance);
    s.SDIPercent = strictBox(txtSDIpercent);
    s.SDIWageBase = strictBox(txtSDIwageBase);
    // Read as the calculation reads them: the leading number, else 0.
    s.StateAdjust = lenientBox(txtStateAdj);
    const float calAllow = lenientBox(txtCalAllow);
    s.SUIPercent = strictBox(txtSUIpercent);
    s.SUIWageBase = strictBox(txtSUIwageBase);
    s.SDIUseBase = switchValue(ckSDI);
    s.SUIUseBase = switchValue(ckSUI);
    s.SpecialAriz = switchValue(ckAriz);
    s.SpecialLouis = switchValue(ckLouis);
    s.SpecialIowa = switchValue(ckIowa);
    s.SpecialMass = switchValue(ckMass);
    s.SpecialOregon = switchValue(ckOregon);
    s.SpecialKentucky = switchValue(ckKentucky);
    s.SpecialMissouri = switchValue(ckMissouri);

    // Every box read: now the store changes, all at once.
    st.stateSettings = s;
    ProfileSettings &p = st.profile;
    p.CalAllow = calAllow;
    p.SpecialOkla = switchValue(ckOkla);
    p.SpecialAlabama = switchValue(ckAlabama);
    p.SpecialWiscon = switchValue(ckWiscon);
    p.SpecialNC = switchValue(ckNC);
    p.SpouseWorks = switchValue(ckSpouse);
    p.RoundState = switchValue(ckRoundOff);
    shown_ = {s, p.CalAllow, p.RoundState};
    if (pendingUserInfo_) {
        const UserInfoItems items = *pendingUserInfo_;
        pendingUserInfo_.reset();
        p.StateStatus = items.stateStatus;
        p.StateExemptions = items.stateExemptions;
        p.FedExempt = items.fedExempt;
        p.SSMediExempt = items.ssMediExempt;
        p.FedAdditional = items.fedAdditional;
        showUserInfo(items);
    }
}

void DialogState::showBoxes(const StateSettings &s, float calAllow)
{
    singleTable->show(s.StateTable.single);
    marriedTable->show(s.StateTable.married);
    allowanceTable->show(s.StateAllowance);
    showSingleBoxes(s, calAllow);
}

void DialogState::showSingleBoxes(const StateSettings &s, float calAllow)
{
    txtSDIpercent->setText(boxText(s.SDIPercent));
    txtSDIwageBase->setText(boxText(s.SDIWageBase));
    txtStateAdj->setText(boxText(s.StateAdjust));
    txtCalAllow->setText(boxText(calAllow));
    txtSUIpercent->setText(boxText(s.SUIPercent));
    txtSUIwageBase->setText(boxText(s.SUIWageBase));
}

void DialogState::fillSingleBoxes()
{
    const StateTableTexts &t = kNewYorkStateTexts;
    fillBlank(txtSDIpercent, t.txtSDIpercent);
    fillBlank(txtSDIwageBase, t.txtSDIwageBase);
    fillBlank(txtStateAdj, t.txtStateAdj);
    fillBlank(txtCalAllow, t.txtCalAllow);
    fillBlank(txtSUIpercent, t.txtSUIpercent);
    fillBlank(txtSUIwageBase, t.txtSUIwageBase);
}

void DialogState::showTables(const StateSettings &s, const ProfileSettings &p, bool fileRead)
{
    if (fileRead) {
        showBoxes(s, p.CalAllow);
        // After the boxes: a stored NO STATE TAX blanks what was just shown.
        setSwitch(ckNoStateTax, s.NoStateTax);
        setSwitch(ckSDI, s.SDIUseBase);
        setSwitch(ckSUI, s.SUIUseBase);
    }
    setSwitch(ckAriz, s.SpecialAriz);
    setSwitch(ckLouis, s.SpecialLouis);
    setSwitch(ckIowa, s.SpecialIowa);
    setSwitch(ckMass, s.SpecialMass);
    setSwitch(ckOregon, s.SpecialOregon);
    setSwitch(ckOkla, p.SpecialOkla);
    setSwitch(ckAlabama, p.SpecialAlabama);
    setSwitch(ckWiscon, p.SpecialWiscon);
    setSwitch(ckNC, p.SpecialNC);
    setSwitch(ckKentucky, s.SpecialKentucky);
    setSwitch(ckMissouri, s.SpecialMissouri);
    setSwitch(ckSpouse, p.SpouseWorks);
    setSwitch(ckRoundOff, p.RoundState);
}

void DialogState::showUserInfo(const UserInfoItems &items)
{
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    auto pick = [](QComboBox *box, const QString &text) {
        const int i = box->findText(text);
        if (i >= 0)
            box->setCurrentIndex(i);
    };
    pick(info.cboDepend2, QString::number(items.stateExemptions));
    pick(info.cboStatus2, QString::fromStdString(items.stateStatus));
    info.txtFedAddL->setText(boxText(items.fedAdditional));
    setSwitch(info.ckFedExemp, items.fedExempt);
    setSwitch(info.ckSSMediExemp, items.ssMediExempt);
}

void DialogState::LoadStateTables()
{
    ProgramState &st = state();
    const std::string name = stateTableFileName(st.CurrentUser);
    // A damaged file of the profile keeps what it gave: one bad item never
    // costs the profile its tables.
    const bool read = readStateTableReporting(name, st.stateSettings, st.profile) != FileRead::Missing;
    if (read)
        shown_ = {st.stateSettings, st.profile.CalAllow, st.profile.RoundState};
    showTables(st.stateSettings, st.profile, read);
    const ProfileSettings &p = st.profile;
    showUserInfo({p.StateStatus, p.StateExemptions, p.FedExempt, p.SSMediExempt, p.FedAdditional});
}

void DialogState::LoadDefaultStateTables()
{
    const std::string name = stateTableFileName("");
    const ProgramState &st = state();
    StateSettings s = st.stateSettings;
    ProfileSettings p = st.profile;
    const std::string details = profileFileName("", kUserDetailsExt);
    // The default profile's file replaces the editor's boxes only whole.
    if (readStateTableReporting(name, s, p) != FileRead::Whole)
        return;
    // The editor's items of the default settings file: with them the
    // default's special-state switches come whole, so two never end up on.
    ProfileSettings d;
    try {
        if (legacy::canOpenForReading(details))
            readUserDetailsFile(details, d);
    } catch (const legacy::FileError &) {
        tellCorrupted(details);
        return;
    }
    p.SpouseWorks = d.SpouseWorks;
    p.CalAllow = d.CalAllow;
    p.RoundState = d.RoundState;
    p.SpecialOkla = d.SpecialOkla;
    p.SpecialWiscon = d.SpecialWiscon;
    p.SpecialNC = d.SpecialNC;

    shown_ = {s, p.CalAllow, p.RoundState};
    showTables(s, p, true);
    pendingUserInfo_ = UserInfoItems{p.StateStatus, p.StateExemptions, p.FedExempt, p.SSMediExempt, p.FedAdditional};
}

void DialogState::SetNoStateTax()
{
    singleTable->setAll(kUnusedLine);
    marriedTable->setAll(kUnusedLine);
    allowanceTable->setAll(kNoAllowance);
    showSingleBoxes(shown_.settings, shown_.calAllow);
    const StateSettings &s = shown_.settings;
    setSwitch(ckSDI, s.SDIUseBase);
    setSwitch(ckSUI, s.SUIUseBase);
    setSwitch(ckRoundOff, shown_.roundState);
    for (QCheckBox *box : specialSwitches())
        box->setChecked(false);
    ckSpouse->setChecked(false);
    ckSpouse->setVisible(false);
    iowaPrior()->setVisible(false);
}

void DialogState::ckNoStateTax_Click(bool on)
{
    // The boxes change; the store follows only at SAVE or Make Default.
    if (on) {
        SetNoStateTax();
        return;
    }
    const Shown shown = shown_;  // the handlers below must not see it move
    const StateSettings &s = shown.settings;
    showBoxes(s, shown.calAllow);
    setSwitch(ckSDI, s.SDIUseBase);
    setSwitch(ckSUI, s.SUIUseBase);
}

void DialogState::useBaseClicked(QCheckBox *box, QLabel *caption, QLineEdit *rate)
{
    const std::int16_t value = switchValue(box);
    if (value == 1) {
        caption->setText(QStringLiteral("Wage Base"));
        return;
    }
    // The grayed state is neither: the rate and its caption stay.
    if (value != 0)
        return;
    caption->setText(QStringLiteral("Flat Rate"));
    rate->setText(QStringLiteral("0"));
}

void DialogState::LoadNewYorkTable()
{
    const StateTableTexts &t = kNewYorkStateTexts;
    singleTable->setTexts(t.table.single);
    marriedTable->setTexts(t.table.married);
    allowanceTable->setTexts(t.allowance);
    fillSingleBoxes();
    Label14->setText(QStringLiteral("Single"));
    Label15->setText(QStringLiteral("Married"));
    Label21->setText(QStringLiteral("BiWeekly"));
    Label13->setText(QStringLiteral("# of Exemp"));
    Label5->setText(QStringLiteral("Table for MARRIED Persons"));
    Frame1->setEnabled(true);
    for (QLabel *l :
         {Label1, Label2, Label3, Label4, Label6, Label19, Label5, Label8, Label9, Label10, Label11, Label20})
        l->setEnabled(true);
    singleTable->setBoxesEnabled(true);
}

void DialogState::cmdDefault_Click()
{
    ckNoStateTax->setChecked(false);
    for (QCheckBox *box : specialSwitches())
        box->setChecked(false);
    iowaPrior()->setVisible(false);
    ckSpouse->setChecked(false);
    ckSpouse->setVisible(false);
    ckRoundOff->setChecked(false);
    LoadNewYorkTable();
    Label14->setText(QStringLiteral("Single"));
    Label15->setText(QStringLiteral("Married"));
    Label21->setText(QStringLiteral("BiWeekly"));
    Label13->setText(QStringLiteral("# of Exemp"));
    for (int i = 0; i < 10; ++i)
        Label27[i]->setText(QString::number(i));
    for (auto *table : {singleTable, marriedTable})
        table->setBoxesEnabled(true);
    allowanceTable->setBoxesEnabled(true);
}

void DialogState::cmdClearAll_Click()
{
    singleTable->setAll(kUnusedLine);
    marriedTable->setAll(kUnusedLine);
    allowanceTable->setAll(kNoAllowance);
    ckRoundOff->setChecked(false);
    ckSpouse->setChecked(false);
    ckSpouse->setVisible(false);
}

void DialogState::cmdGetDefault_Click() { LoadDefaultStateTables(); }

bool DialogState::takeBoxes(SaveTransaction &save)
{
    // The blanks take New York's figures, and a Get Default's items go into
    // the user information window: a refused save shows what was there.
    save.keep(this);
    if (pendingUserInfo_ && Forms::isLoaded<frmTaxInfo>() && Forms::get<frmTaxInfo>().isVisible())
        save.keep(&Forms::get<frmTaxInfo>());
    save.also([this, shown = shown_, pending = pendingUserInfo_] {
        shown_ = shown;
        pendingUserInfo_ = pending;
    });
    try {
        fillVari();
    } catch (const TableBoxError &e) {
        showForm();
        tellBoxError(e, [] { Ui::message(kNonNumerial, Buttons::Ok, Icon::Exclamation); });
        return false;
    }
    return true;
}

void DialogState::OKButton_Click()
{
    // Refused, the save leaves the settings as they were: CANCEL then
    // changes nothing, and no later save writes the boxes let go. Both
    // files or neither.
    SaveTransaction save;
    if (!takeBoxes(save))
        return;
    tables::SaveStateTables(&save.batch(), TableFileFailure::RefuseTheSave);
    SaveOT(&save.batch());
    save.commit();
    Forms::unload(kName);
}

void DialogState::CancelButton_Click() { Forms::unload(kName); }

void DialogState::cmdMkDefault_Click()
{
    {
        SaveTransaction save;
        if (!takeBoxes(save))
            return;
        // Whatever happens below, the profile that was current stays
        // current (the name is not taken from a label that may show
        // something else), and is current again before any window closes:
        // a ledger set aside then is the profile's own.
        struct BackToProfile {
            std::string name = state().CurrentUser;
            ~BackToProfile()
            {
                state().CurrentUser = name;
                if (Forms::isLoaded<frmSaveUser>())
                    Forms::get<frmSaveUser>().txtSaveUser->setText(QString::fromStdString(name));
            }
        } back;
        // The profile's files and the default profile's: all or none.
        legacy::SaveBatch &batch = save.batch();
        tables::SaveStateTables(&batch, TableFileFailure::RefuseTheSave);
        SaveOT(&batch);
        // The default profile: the same files under the empty name.
        Forms::get<frmSaveUser>().txtSaveUser->clear();
        SaveOT(&batch);
        records().SaveVacOf(back.name, &batch);
        tables::SaveStateTables(&batch, TableFileFailure::RefuseTheSave);
        tables::SaveCityTables(&batch);
        tables::SaveNonCityTables(&batch);
        save.commit();
    }
    // From here on this window may be gone: touch none of its members.
    records().closeWindows(true);
    Forms::unload(frmSaveUser::kName);
    tables::unloadEditors();
}

}  // namespace wagedesk
