#include "tables/dialognoncity.h"

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
using Column = std::array<QLineEdit *, 8>;
}

DialogNonCity::DialogNonCity() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("NON City Resident"));

    txtNonMinBi = makeBoxes<8>("txtNonMinBi");
    txtNonExpBi = makeBoxes<8>("txtNonExpBi");
    txtNonMinWk = makeBoxes<8>("txtNonMinWk");
    txtNonExpWk = makeBoxes<8>("txtNonExpWk");
    txtNonPer = named<QLineEdit>(QStringLiteral("txtNonPer"));
    makeNumericEntry(txtNonPer);
    txtNonPer->setAlignment(Qt::AlignRight);
    txtNonPer->setMaximumWidth(84);

    for (int i = 0; i < 16; ++i)
        Label7[i] = named<QLabel>(indexed("Label7", i), QString::number(i % 8 + 1));
    Label13 = label("Label13", "BIWEEKLY");
    Label12 = label("Label12", "NON Resident Table");
    Label6 = label("Label6", "Line");
    Label2 = label("Label2", "Minimum Range");
    Label3 = label("Label3", "Subtract");
    Label14 = label("Label14", "WEEKLY");
    Label11 = label("Label11", "NON Resident Table");
    Label10 = label("Label10", "Line");
    Label8 = label("Label8", "Minimum Range");
    Label9 = label("Label9", "Subtract");
    Label4 = label("Label4", "Multiply by Percentage in Decimal");
    Label5 = redLabel("Label5", "WARNING!");
    Label1 = label("Label1", "Enter 999999 in any Minimum Range Box that is not used.");
    Label1->setWordWrap(true);
    cmdDefault = named<QPushButton>(QStringLiteral("cmdDefault"), QStringLiteral("&DEFAULT"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("&SAVE"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("&CANCEL"));

    // Bi-weekly panel left, weekly right, the warning between them.
    auto *panels = new QHBoxLayout;
    panels->addLayout(tableGrid(Label13, Label12, {Label6, Label2, Label3}, Frame1, "Frame1",
                                std::vector<QLabel *>(Label7.begin(), Label7.begin() + 8),
                                {column(txtNonMinBi), column(txtNonExpBi)}));
    Frame3 = named<QFrame>(QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::StyledPanel);
    Frame3->setMaximumWidth(150);
    {
        auto *w = new QVBoxLayout(Frame3);
        w->addWidget(Label5, 0, Qt::AlignHCenter);
        w->addWidget(Label1);
        w->addStretch();
    }
    panels->addWidget(Frame3);
    panels->addLayout(tableGrid(Label14, Label11, {Label10, Label8, Label9}, Frame2, "Frame2",
                                std::vector<QLabel *>(Label7.begin() + 8, Label7.end()),
                                {column(txtNonMinWk), column(txtNonExpWk)}));
    auto *percent = new QHBoxLayout;
    percent->addWidget(Label4);
    percent->addWidget(txtNonPer);
    percent->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(cmdDefault);
    buttons->addStretch();
    auto *root = new QVBoxLayout(this);
    root->addLayout(panels);
    root->addLayout(percent);
    root->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, [this] { guarded([this] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { guarded([this] { CancelButton_Click(); }); });
    connect(cmdDefault, &QPushButton::clicked, this, [this] { guarded([this] { deFault(); }); });
    OKButton->setDefault(true);
    setDefaultButton(OKButton);
}

void DialogNonCity::formLoad()
{
    LoadNonCityTables();
    ChkFor();
    try {
        fillVarib();
    } catch (const TableBoxError &) {
        // Loaded boxes hold numbers; SAVE points out one that does not.
    }
}

void DialogNonCity::deFault()
{
    const NonResidentTableTexts &t = kNonResidentTexts;
    for (std::size_t i = 0; i < 8; ++i)
        setBox(txtNonMinBi[i], t.txtNonMinBi[i]);
    for (std::size_t i = 0; i < 8; ++i)
        setBox(txtNonExpBi[i], t.txtNonExpBi[i]);
    for (std::size_t i = 0; i < 8; ++i)
        setBox(txtNonMinWk[i], t.txtNonMinWk[i]);
    for (std::size_t i = 0; i < 8; ++i)
        setBox(txtNonExpWk[i], t.txtNonExpWk[i]);
    setBox(txtNonPer, t.txtNonPer);
}

void DialogNonCity::ChkFor()
{
    const NonResidentTableTexts &t = kNonResidentTexts;
    for (std::size_t i = 0; i < 8; ++i)
        fillBlank(txtNonMinBi[i], t.txtNonMinBi[i]);
    for (std::size_t i = 0; i < 8; ++i)
        fillBlank(txtNonExpBi[i], t.txtNonExpBi[i]);
    for (std::size_t i = 0; i < 8; ++i)
        fillBlank(txtNonMinWk[i], t.txtNonMinWk[i]);
    for (std::size_t i = 0; i < 8; ++i)
        fillBlank(txtNonExpWk[i], t.txtNonExpWk[i]);
    fillBlank(txtNonPer, t.txtNonPer);
}

void DialogNonCity::fillVarib()
{
    StateSettings s = state().stateSettings;
    for (std::size_t i = 0; i < 8; ++i) {
        s.NonMinBi[i] = strictBox(txtNonMinBi[i]);
        s.NonExpBi[i] = strictBox(txtNonExpBi[i]);
        s.NonMinWk[i] = strictBox(txtNonMinWk[i]);
        s.NonExpWk[i] = strictBox(txtNonExpWk[i]);
    }
    s.NonPer = strictBox(txtNonPer);
    state().stateSettings = s;
}

void DialogNonCity::LoadNonCityTables()
{
    const ProgramState &st = state();
    const std::string name = nonResidentTableFileName(st.CurrentUser);
    try {
        if (!readNonResidentTable(name))
            return;
    } catch (const legacy::FileFormatError &) {
        // Like the other table files: the boxes keep what they hold, and
        // a fresh window takes the built-in table.
        tellCorrupted(name);
        return;
    }
    const StateSettings &s = st.stateSettings;
    for (std::size_t i = 0; i < 8; ++i) {
        txtNonMinBi[i]->setText(boxText(s.NonMinBi[i]));
        txtNonExpBi[i]->setText(boxText(s.NonExpBi[i]));
        txtNonMinWk[i]->setText(boxText(s.NonMinWk[i]));
        txtNonExpWk[i]->setText(boxText(s.NonExpWk[i]));
    }
    txtNonPer->setText(boxText(s.NonPer));
}

void DialogNonCity::OKButton_Click()
{
    try {
        ChkFor();
        fillVarib();
    } catch (const TableBoxError &e) {
        // Nothing is taken or written; the window stays for a correction.
        tellCheckNumbers();
        e.box->setFocus();
        return;
    }
    tables::SaveNonCityTables();
    Forms::unload(kName);
}

// Hidden, not unloaded: the next showing has the boxes as they were left.
void DialogNonCity::CancelButton_Click() { hide(); }

} // namespace wagedesk
