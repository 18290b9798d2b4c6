#include "tables/windows/dialognoncity.h"

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

DialogNonCity::DialogNonCity() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("NON City Resident"));

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
    txtNonPer->setAccessibleName(Label4->text());
    cmdDefault = named<QPushButton>(QStringLiteral("cmdDefault"), QStringLiteral("&DEFAULT"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("&SAVE"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("&CANCEL"));

    // Bi-weekly panel left, weekly right, the warning between them.
    biWeeklyTable = new NonResidentBoxes({"txtNonMinBi", "txtNonExpBi"}, kNonResidentFields, kNonResidentTextFields,
                                         Label13, Label12, {Label6, Label2, Label3}, "Frame1",
                                         std::vector<QLabel *>(Label7.begin(), Label7.begin() + 8));
    weeklyTable = new NonResidentBoxes({"txtNonMinWk", "txtNonExpWk"}, kNonResidentFields, kNonResidentTextFields,
                                       Label14, Label11, {Label10, Label8, Label9}, "Frame2",
                                       std::vector<QLabel *>(Label7.begin() + 8, Label7.end()));
    txtNonMinBi = biWeeklyTable->column(0);
    txtNonExpBi = biWeeklyTable->column(1);
    txtNonMinWk = weeklyTable->column(0);
    txtNonExpWk = weeklyTable->column(1);
    Frame1 = biWeeklyTable->frame();
    Frame2 = weeklyTable->frame();
    auto *panels = new QHBoxLayout;
    panels->addWidget(biWeeklyTable, 0, Qt::AlignTop);
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
    panels->addWidget(weeklyTable, 0, Qt::AlignTop);
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
    biWeeklyTable->setTexts(t.biWeekly);
    weeklyTable->setTexts(t.weekly);
    setBox(txtNonPer, t.percentage);
}

void DialogNonCity::ChkFor()
{
    const NonResidentTableTexts &t = kNonResidentTexts;
    biWeeklyTable->fillBlanks(t.biWeekly);
    weeklyTable->fillBlanks(t.weekly);
    fillBlank(txtNonPer, t.percentage);
}

void DialogNonCity::fillVarib()
{
    NonResidentTable t = state().stateSettings.NonResident;
    t.biWeekly = biWeeklyTable->read(t.biWeekly);
    t.weekly = weeklyTable->read(t.weekly);
    t.percentage = strictBox(txtNonPer);
    state().stateSettings.NonResident = t;
}

void DialogNonCity::LoadNonCityTables()
{
    ProgramState &st = state();
    const std::string name = nonResidentTableFileName(st.CurrentUser);
    const FileRead read = readNonResidentTableFile(name, st.stateSettings.NonResident);
    if (read == FileRead::Missing)
        return;
    if (read == FileRead::Damaged)
        tellCorrupted(name);
    const NonResidentTable &t = st.stateSettings.NonResident;
    biWeeklyTable->show(t.biWeekly);
    weeklyTable->show(t.weekly);
    txtNonPer->setText(boxText(t.percentage));
}

void DialogNonCity::OKButton_Click()
{
    // Not written, the window stays for another try (the handler tells
    // why) with what was typed, and its CANCEL leaves the settings as they
    // were.
    SaveTransaction save;
    save.keep(this);
    try {
        ChkFor();
        fillVarib();
    } catch (const TableBoxError &e) {
        // Nothing is taken or written; the window stays for a correction.
        tellBoxError(e, tellCheckNumbers);
        return;
    }
    tables::SaveNonCityTables(&save.batch(), TableFileFailure::RefuseTheSave);
    save.commit();
    Forms::unload(kName);
}

// Hidden, not unloaded: the next showing has the boxes as they were left,
// and opens over the main window as every editor's does.
void DialogNonCity::CancelButton_Click() { hideAndForgetPlace(); }

}  // namespace wagedesk
