#include "printing/windows/heading.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/windows/entry.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"
#include "printing/heading_file.h"

namespace wagedesk {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace printing {

void LoadHeader()
{
    if (!HeaderFileExists(kPrintHeadingFile))
        return;
    PrintHeading &heading = state().heading;
    try {
        heading = readHeaderFile(kPrintHeadingFile);
    } catch (const legacy::FileError &e) {
        // The dialog's load then puts the default names into every line.
        heading = PrintHeading{};
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
    }
}

void SaveHeader(legacy::SaveBatch *batch) { writeHeaderFile(kPrintHeadingFile, state().heading, batch); }

}  // namespace printing

DialogHeader::DialogHeader() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Print Out Heading"));
    for (int i = 0; i < 4; ++i)
        txtHeader[i] = named<QLineEdit>(indexed("txtHeader", i));
    txtHeader[0]->setAccessibleName(QStringLiteral("Company"));
    txtHeader[1]->setAccessibleName(QStringLiteral("Address"));
    txtHeader[2]->setAccessibleName(QStringLiteral("Zip Code"));
    txtHeader[3]->setAccessibleName(QStringLiteral("ID Number"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("OK"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    setDefaultButton(OKButton);
    setCancelButton(CancelButton);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    // The zip code line and the ID number share the third row, as they
    // share the printed line.
    auto *lines = new QGridLayout;
    lines->addWidget(txtHeader[0], 0, 0, 1, 2);
    lines->addWidget(txtHeader[1], 1, 0, 1, 2);
    lines->addWidget(txtHeader[2], 2, 0);
    lines->addWidget(txtHeader[3], 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *root = new QVBoxLayout(this);
    root->addLayout(lines);
    root->addLayout(buttons);
    resize(420, 150);
}

void DialogHeader::formLoad()
{
    printing::LoadHeader();
    PrintHeading &heading = state().heading;
    printing::fillDefaultHeading(heading);
    const auto lines = heading.lines();
    for (int i = 0; i < 4; ++i)
        txtHeader[i]->setText(QString::fromStdString(lines[i]));
}

void DialogHeader::OKButton_Click()
{
    std::array<std::string, 4> typed;
    for (int i = 0; i < 4; ++i) {
        typed[i] = txtHeader[i]->text().toStdString();
        // The file cannot hold a double quote; memory keeps what the file will.
        std::replace(typed[i].begin(), typed[i].end(), '"', '\'');
    }
    // Not saved, the heading is as it was: Cancel then changes nothing,
    // and the printouts keep the saved one.
    SaveTransaction save;
    state().heading = {typed[0], typed[1], typed[2], typed[3]};
    try {
        printing::SaveHeader(&save.batch());
        save.commit();
    } catch (const legacy::FileError &e) {
        // Not saved: the dialog stays with what was typed.
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
        return;
    }
    Forms::unload(kName);
}

void DialogHeader::CancelButton_Click() { Forms::unload(kName); }

}  // namespace wagedesk
