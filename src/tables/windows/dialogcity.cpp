#include "tables/windows/dialogcity.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/program.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
#include "tables/windows/editor_boxes.h"
#include "tables/windows/tables.h"

namespace wagedesk {

using platform::Forms;
using namespace tables;

DialogCity::DialogCity() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("City (Local) Tax Tables"));

    ckNoLocalTax = named<QCheckBox>(QStringLiteral("ckNoLocalTax"), QStringLiteral("NO LOCAL TAX"));
    cmdDefault = named<QPushButton>(QStringLiteral("cmdDefault"), QStringLiteral("&New York"));
    cmdClearMe = named<QPushButton>(QStringLiteral("cmdClearMe"), QStringLiteral("CLEAR ALL"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("&SAVE"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("&CANCEL"));

    for (int i = 0; i < 30; ++i)
        Label7[i] = named<QLabel>(indexed("Label7", i), QString::number(i < 20 ? i % 10 + 1 : i - 20));
    Label1 = label("Label1", "Table for SINGLE Persons");
    Label5 = label("Label5", "Table for MARRIED Persons");
    Label2 = label("Label2", "Minimum Range");
    Label8 = label("Label8", "Minimum Range");
    Label3 = label("Label3", "Amount to Withhold");
    Label9 = label("Label9", "Amount to Withhold");
    Label4 = label("Label4", "Multiply by Percentage in Decimal");
    Label10 = label("Label10", "Multiply by Percentage in Decimal");
    for (QLabel *head : {Label2, Label3, Label4, Label8, Label9, Label10}) {
        head->setWordWrap(true);
        head->setAlignment(Qt::AlignCenter);
        head->setMaximumWidth(96);
    }
    Label6 = label("Label6", "Line");
    Label11 = label("Label11", "Line");
    Label16 = label("Label16", "Withholding Allowance");
    Label13 = label("Label13", "# of Exemp");
    Label14 = label("Label14", "SINGLE");
    Label15 = label("Label15", "MARRIED");
    Label19 = label("Label19", "BIWEEKLY ");
    Label20 = label("Label20", "BIWEEKLY ");
    Label21 = label("Label21", "BIWEEKLY ");
    Label18 = redLabel("Label18", "WARNING!");
    Label17 = label("Label17", "Enter 999999 in any Minimum Range Box that is not used.");
    Label12 = label("Label12",
                    "When you enter the above biweekly info, the weekly tables will be configured for half "
                    "the amount including the exemptions.");
    Label12->setWordWrap(true);

    // Three tables side by side, each with its line numbers in a column.
    auto slice = [this](int from) { return std::vector<QLabel *>(Label7.begin() + from, Label7.begin() + from + 10); };
    singleTable = new BracketBoxes({"txtCityMinBS", "txtCityAmtBS", "txtCityPerBS"}, kBracketFields, kBracketTextFields,
                                   Label19, Label1, {Label6, Label2, Label3, Label4}, "Frame1", slice(0));
    marriedTable = new BracketBoxes({"txtCityMinBM", "txtCityAmtBM", "txtCityPerBM"}, kBracketFields,
                                    kBracketTextFields, Label20, Label5, {Label11, Label8, Label9, Label10}, "Frame2",
                                    slice(10));
    allowanceTable = new AllowanceBoxes({"txtCitySgExp", "txtCityMarExp"}, kAllowanceFields, kAllowanceTextFields,
                                        Label21, Label16, {Label13, Label14, Label15}, "Frame3", slice(20));
    txtCityMinBS = singleTable->column(0);
    txtCityAmtBS = singleTable->column(1);
    txtCityPerBS = singleTable->column(2);
    txtCityMinBM = marriedTable->column(0);
    txtCityAmtBM = marriedTable->column(1);
    txtCityPerBM = marriedTable->column(2);
    txtCitySgExp = allowanceTable->column(0);
    txtCityMarExp = allowanceTable->column(1);
    Frame1 = singleTable->frame();
    Frame2 = marriedTable->frame();
    Frame3 = allowanceTable->frame();
    auto *tables = new QHBoxLayout;
    tables->addWidget(singleTable, 0, Qt::AlignTop);
    tables->addSpacing(12);
    tables->addWidget(marriedTable, 0, Qt::AlignTop);
    tables->addSpacing(12);
    tables->addWidget(allowanceTable, 0, Qt::AlignTop);

    auto *warning = new QHBoxLayout;
    warning->addWidget(Label18);
    warning->addWidget(Label17);
    warning->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(cmdClearMe);
    buttons->addWidget(cmdDefault);
    buttons->addSpacing(16);
    buttons->addWidget(ckNoLocalTax);
    buttons->addStretch();
    auto *root = new QVBoxLayout(this);
    root->addLayout(tables);
    root->addLayout(warning);
    root->addWidget(Label12);
    root->addLayout(buttons);

    auto command = [this](QPushButton *button, void (DialogCity::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    command(OKButton, &DialogCity::OKButton_Click);
    command(CancelButton, &DialogCity::CancelButton_Click);
    command(cmdClearMe, &DialogCity::cmdClearMe_Click);
    command(cmdDefault, &DialogCity::cmdDefault_Click);
    // Runs on every change of the value; only 1 blanks the tables.
    connect(ckNoLocalTax, &QCheckBox::stateChanged, this,
            [this](int value) { guarded([this, value] { ckNoLocalTax_Click(value == Qt::Checked); }); });
    OKButton->setDefault(true);
    setDefaultButton(OKButton);
}

void DialogCity::formLoad()
{
    LoadCityTables();
    CheckFor();
    try {
        fillVar();
    } catch (const TableBoxError &) {
        // Loaded boxes hold numbers; SAVE points out one that does not.
    }
}

void DialogCity::CheckFor()
{
    const CityTableTexts &t = kNewYorkCityTexts;
    singleTable->fillBlanks(t.table.single);
    marriedTable->fillBlanks(t.table.married);
    allowanceTable->fillBlanks(t.allowance);
}

void DialogCity::fillVar()
{
    StateSettings s = state().stateSettings;
    s.NoLocalTax = switchValue(ckNoLocalTax);
    s.CityTable.single = singleTable->read(s.CityTable.single);
    s.CityTable.married = marriedTable->read(s.CityTable.married);
    s.CityAllowance = allowanceTable->read(s.CityAllowance);
    state().stateSettings = s;
}

void DialogCity::showSnapshot()
{
    const StateSettings s = state().stateSettings;
    singleTable->show(s.CityTable.single);
    marriedTable->show(s.CityTable.married);
    allowanceTable->show(s.CityAllowance);
}

void DialogCity::LoadCityTables()
{
    ProgramState &st = state();
    const std::string name = cityTableFileName(st.CurrentUser);
    const FileRead read = readCityTableFile(name, st.stateSettings);
    if (read == FileRead::Missing)
        return;
    if (read == FileRead::Damaged)
        tellCorrupted(name);
    showSnapshot();
    // A stored 1 blanks the boxes just filled.
    setSwitch(ckNoLocalTax, st.stateSettings.NoLocalTax);
}

void DialogCity::ApplyNoLocalTax()
{
    singleTable->setAll(kUnusedLine);
    marriedTable->setAll(kUnusedLine);
    allowanceTable->setAll(kNoAllowance);
}

void DialogCity::ckNoLocalTax_Click(bool on)
{
    // Only the boxes change; the store follows at SAVE.
    if (on)
        ApplyNoLocalTax();
    else
        showSnapshot();
}

void DialogCity::cmdClearMe_Click() { ApplyNoLocalTax(); }

void DialogCity::cmdDefault_Click()
{
    ckNoLocalTax->setChecked(false);
    const CityTableTexts &t = kNewYorkCityTexts;
    singleTable->setTexts(t.table.single);
    marriedTable->setTexts(t.table.married);
    allowanceTable->setTexts(t.allowance);
}

void DialogCity::OKButton_Click()
{
    // Not written, the window stays for another try (the handler tells
    // why) with what was typed, and its CANCEL leaves the settings as they
    // were.
    SaveTransaction save;
    save.keep(this);
    try {
        CheckFor();
        fillVar();
    } catch (const TableBoxError &e) {
        // Nothing is taken or written; the window stays for a correction.
        tellBoxError(e, tellCheckNumbers);
        return;
    }
    tables::SaveCityTables(&save.batch(), TableFileFailure::RefuseTheSave);
    save.commit();
    Forms::unload(kName);
}

void DialogCity::CancelButton_Click() { Forms::unload(kName); }

}  // namespace wagedesk
