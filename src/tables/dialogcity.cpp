#include "tables/dialogcity.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/entry.h"
#include "core/state.h"
#include "legacy/seqfile.h"
#include "tables/editor_boxes.h"
#include "tables/table_defaults.h"
#include "tables/table_files.h"
#include "tables/tables.h"

namespace wagedesk {

using platform::Forms;
using namespace tables;

namespace {

using Column = std::array<QLineEdit *, 10>;

void setColumn(const Column &boxes, const TableColumn &values)
{
    for (std::size_t i = 0; i < 10; ++i)
        boxes[i]->setText(boxText(values[i]));
}

void setColumn(const Column &boxes, const TextColumn &texts)
{
    for (std::size_t i = 0; i < 10; ++i)
        setBox(boxes[i], texts[i]);
}

void fillColumn(const Column &boxes, const TextColumn &texts)
{
    for (std::size_t i = 0; i < 10; ++i)
        fillBlank(boxes[i], texts[i]);
}

} // namespace

DialogCity::DialogCity() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("City (Local) Tax Tables"));

    txtCityMinBS = makeBoxes<10>("txtCityMinBS");
    txtCityAmtBS = makeBoxes<10>("txtCityAmtBS");
    txtCityPerBS = makeBoxes<10>("txtCityPerBS");
    txtCityMinBM = makeBoxes<10>("txtCityMinBM");
    txtCityAmtBM = makeBoxes<10>("txtCityAmtBM");
    txtCityPerBM = makeBoxes<10>("txtCityPerBM");
    txtCitySgExp = makeBoxes<10>("txtCitySgExp");
    txtCityMarExp = makeBoxes<10>("txtCityMarExp");

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
    Label12 = label("Label12", "When you enter the above biweekly info, the weekly tables will be configured for half "
                               "the amount including the exemptions.");
    Label12->setWordWrap(true);

    // Three tables side by side, each with its line numbers in a column.
    auto slice = [this](int from) { return std::vector<QLabel *>(Label7.begin() + from, Label7.begin() + from + 10); };
    auto *tables = new QHBoxLayout;
    tables->addLayout(tableGrid(Label19, Label1, {Label6, Label2, Label3, Label4}, Frame1, "Frame1", slice(0),
                                {column(txtCityMinBS), column(txtCityAmtBS), column(txtCityPerBS)}));
    tables->addSpacing(12);
    tables->addLayout(tableGrid(Label20, Label5, {Label11, Label8, Label9, Label10}, Frame2, "Frame2", slice(10),
                                {column(txtCityMinBM), column(txtCityAmtBM), column(txtCityPerBM)}));
    tables->addSpacing(12);
    tables->addLayout(tableGrid(Label21, Label16, {Label13, Label14, Label15}, Frame3, "Frame3", slice(20),
                                {column(txtCitySgExp), column(txtCityMarExp)}));

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
    fillColumn(txtCityMinBS, t.txtCityMinBS);
    fillColumn(txtCityAmtBS, t.txtCityAmtBS);
    fillColumn(txtCityPerBS, t.txtCityPerBS);
    fillColumn(txtCityMinBM, t.txtCityMinBM);
    fillColumn(txtCityAmtBM, t.txtCityAmtBM);
    fillColumn(txtCityPerBM, t.txtCityPerBM);
    fillColumn(txtCitySgExp, t.txtCitySgExp);
    fillColumn(txtCityMarExp, t.txtCityMarExp);
}

void DialogCity::fillVar()
{
    StateSettings s = state().stateSettings;
    s.NoLocalTax = switchValue(ckNoLocalTax);
    for (std::size_t i = 0; i < 10; ++i) {
        s.CityMinBS[i] = strictBox(txtCityMinBS[i]);
        s.CityAmtBS[i] = strictBox(txtCityAmtBS[i]);
        s.CityPerBS[i] = strictBox(txtCityPerBS[i]);
        s.CityMinBM[i] = strictBox(txtCityMinBM[i]);
        s.CityAmtBM[i] = strictBox(txtCityAmtBM[i]);
        s.CityPerBM[i] = strictBox(txtCityPerBM[i]);
    }
    for (std::size_t i = 0; i < 10; ++i) {
        s.CitySgExp[i] = strictBox(txtCitySgExp[i]);
        s.CityMarExp[i] = strictBox(txtCityMarExp[i]);
    }
    state().stateSettings = s;
}

void DialogCity::showSnapshot()
{
    const StateSettings s = state().stateSettings;
    setColumn(txtCityMinBS, s.CityMinBS);
    setColumn(txtCityAmtBS, s.CityAmtBS);
    setColumn(txtCityPerBS, s.CityPerBS);
    setColumn(txtCityMinBM, s.CityMinBM);
    setColumn(txtCityAmtBM, s.CityAmtBM);
    setColumn(txtCityPerBM, s.CityPerBM);
    setColumn(txtCitySgExp, s.CitySgExp);
    setColumn(txtCityMarExp, s.CityMarExp);
}

void DialogCity::LoadCityTables()
{
    const ProgramState &st = state();
    const std::string name = cityTableFileName(st.CurrentUser);
    try {
        if (!readCityTable(name))
            return;
    } catch (const legacy::FileFormatError &) {
        tellCorrupted(name);
        return;
    }
    showSnapshot();
    // A stored 1 blanks the boxes just filled.
    setSwitch(ckNoLocalTax, st.stateSettings.NoLocalTax);
}

void DialogCity::ApplyNoLocalTax()
{
    for (std::size_t i = 0; i < 10; ++i) {
        txtCityMinBS[i]->setText(QStringLiteral("999999"));
        txtCityAmtBS[i]->setText(QStringLiteral("0"));
        txtCityPerBS[i]->setText(QStringLiteral("0"));
        txtCityMinBM[i]->setText(QStringLiteral("999999"));
        txtCityAmtBM[i]->setText(QStringLiteral("0"));
        txtCityPerBM[i]->setText(QStringLiteral("0"));
    }
    for (std::size_t i = 0; i < 10; ++i) {
        txtCitySgExp[i]->setText(QStringLiteral("0"));
        txtCityMarExp[i]->setText(QStringLiteral("0"));
    }
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
    setColumn(txtCityMinBS, t.txtCityMinBS);
    setColumn(txtCityAmtBS, t.txtCityAmtBS);
    setColumn(txtCityPerBS, t.txtCityPerBS);
    setColumn(txtCityMinBM, t.txtCityMinBM);
    setColumn(txtCityAmtBM, t.txtCityAmtBM);
    setColumn(txtCityPerBM, t.txtCityPerBM);
    setColumn(txtCitySgExp, t.txtCitySgExp);
    setColumn(txtCityMarExp, t.txtCityMarExp);
}

void DialogCity::OKButton_Click()
{
    try {
        CheckFor();
        fillVar();
    } catch (const TableBoxError &e) {
        // Nothing is taken or written; the window stays for a correction.
        tellCheckNumbers();
        e.box->setFocus();
        return;
    }
    tables::SaveCityTables();
    Forms::unload(kName);
}

void DialogCity::CancelButton_Click() { Forms::unload(kName); }

} // namespace wagedesk
