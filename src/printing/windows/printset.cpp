#include "printing/windows/printset.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/transaction.h"
#include "platform/ui.h"
#include "printing/offsets.h"
#include "printing/windows/checks.h"
#include "printing/windows/service.h"
#include "printing/windows/store.h"

namespace wagedesk {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

QComboBox *offsetBox(const char *name)
{
    auto *box = named<QComboBox>(QLatin1String(name));
    box->setEditable(true);
    // A typed text is an offset, not a new entry of the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaximumWidth(80);
    box->addItems({QStringLiteral("+5"), QStringLiteral("+4"), QStringLiteral("+3"), QStringLiteral("+2"),
                   QStringLiteral("+1"), QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-2"),
                   QStringLiteral("-3"), QStringLiteral("-4"), QStringLiteral("-5")});
    return box;
}

void tell(const QString &text) { Ui::message(text, Buttons::Ok, Icon::Exclamation); }

}  // namespace

dlgPrintSet::dlgPrintSet() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Printer Offset"));
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("OFFSET ADJUSTMENT"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Horizontal "));
    Label3 = named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Vertical"));
    cboHorz = offsetBox("cboHorz");
    cboVert = offsetBox("cboVert");
    Label2->setBuddy(cboHorz);
    Label3->setBuddy(cboVert);
    lbWeek = named<QLabel>(QStringLiteral("lbWeek"));
    Label4 = named<QLabel>(QStringLiteral("Label4"),
                           QStringLiteral("Before printing on actual checks, print on plain printer paper. Match up by "
                                          "holding the printed paper behind the actual blank check sheet and hold up "
                                          "to light. To adust change settings above until disired settings are "
                                          "achived"));
    Label4->setWordWrap(true);
    cmdApply = named<QPushButton>(QStringLiteral("cmdApply"), QStringLiteral("&Apply"));
    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("Print Check"));
    CancelButton = named<QPushButton>(QStringLiteral("CancelButton"), QStringLiteral("&Cancel"));
    OKButton->setDefault(true);
    setDefaultButton(OKButton);
    setCancelButton(CancelButton);
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    auto *boxes = new QGridLayout;
    boxes->addWidget(Label2, 0, 0);
    boxes->addWidget(cboHorz, 0, 1);
    boxes->addWidget(Label3, 1, 0);
    boxes->addWidget(cboVert, 1, 1);
    boxes->setColumnStretch(2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(cmdApply);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addLayout(boxes);
    left->addWidget(lbWeek);
    left->addWidget(Label4);
    auto *root = new QHBoxLayout(this);
    root->addLayout(left, 1);
    root->addLayout(buttons);
    resize(420, 240);
}

void dlgPrintSet::formLoad()
{
    try {
        // The offsets shown are those last saved with the profile.
        LoadUserSettings();
    } catch (const std::exception &e) {
        tell(describeError(e));
    }
    const ProfileSettings &p = state().profile;
    printing::CheckPrinting &check = printing::checkPrinting();
    check.CheckHorzCols = printing::wholeOffset(p.CheckHorzOffset);
    check.CheckVertLines = printing::wholeOffset(p.CheckVertOffset);
    cboHorz->setEditText(QString::number(check.CheckHorzCols));
    cboVert->setEditText(QString::number(check.CheckVertLines));
    lbWeek->setText(Forms::get<Form1>().txtWeek->text());
}

bool dlgPrintSet::cmdApply_Click()
{
    float horizontal = 0, vertical = 0;
    QComboBox *reading = cboHorz;
    try {
        horizontal = printing::readOffset(cboHorz->currentText().toStdString(), "Horizontal");
        reading = cboVert;
        vertical = printing::readOffset(cboVert->currentText().toStdString(), "Vertical");
    } catch (const printing::OffsetError &e) {
        tell(QString::fromUtf8(e.what()));
        reading->setFocus();
        return false;
    }
    // Refused, the save leaves the offsets as they were: Cancel then
    // changes nothing, and no later save writes them.
    SaveTransaction save;
    ProfileSettings &p = state().profile;
    p.CheckHorzOffset = horizontal;
    p.CheckVertOffset = vertical;
    try {
        SaveOT(&save.batch());
        save.commit();
    } catch (const std::exception &e) {
        tell(describeError(e));
        return false;
    }
    return true;
}

void dlgPrintSet::OKButton_Click()
{
    // Nothing printed (refused, cancelled or failed): the dialog stays, so
    // the check can be printed again.
    if (cmdApply_Click() && printing::PrintCheck())
        Forms::unload(kName);
}

void dlgPrintSet::CancelButton_Click() { Forms::unload(kName); }

QWidget *dlgPrintSet::ownerWindow() const
{
    // Asked at each opening: a closed check form is not loaded for it.
    if (Forms::isLoaded<frmChecks>()) {
        frmChecks &checks = Forms::get<frmChecks>();
        if (checks.isVisible() && !checks.isMinimized())
            return &checks;
    }
    return platform::Form::ownerWindow();
}

}  // namespace wagedesk
