#include "records/windows/leave_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/transaction.h"
#include "platform/ui.h"
#include "records/windows/service.h"

namespace wagedesk {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

payrecords::LeaveFrameTexts frameTexts(const DialogVac::Account &a)
{
    payrecords::LeaveFrameTexts f;
    f.txtBal = a.txtBal->text().toStdString();
    f.lbBal = a.lbBal->text().toStdString();
    for (int i = 0; i < payrecords::kLeaveRows; ++i) {
        f.txtCnt[i] = a.txtCnt[i]->text().toStdString();
        f.txtDate[i] = a.txtDate[i]->text().toStdString();
    }
    return f;
}

void showFrame(DialogVac::Account &a, const payrecords::LeaveFrameTexts &f)
{
    showText(a.txtBal, f.txtBal);
    showText(a.lbBal, f.lbBal);
    for (int i = 0; i < payrecords::kLeaveRows; ++i) {
        showText(a.txtCnt[i], f.txtCnt[i]);
        showText(a.txtDate[i], f.txtDate[i]);
    }
}

}  // namespace

DialogVac::DialogVac() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Vacation / Holiday / Sick"));
    menuBar = named<QMenuBar>(QStringLiteral("menuBar"));
    mnuHelp = menuBar->addAction(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    connect(mnuHelp, &QAction::triggered, this, [this] { mnuHelp_Click(); });

    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("SAVED / ACCUMULATED DAYS"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    struct Names {
        const char *frame, *caption, *start, *balance, *taken, *date;
    };
    const std::array<std::pair<Account *, Names>, 3> accounts{{
        {&Vac, {"Frame1", "Vacation", "txtVacBal", "lbVacBal", "txtVcnt", "txtVdate"}},
        {&Hol, {"Frame2", "Holiday/Personel", "txtHolBal", "lbHolBal", "txtHcnt", "txtHdate"}},
        {&Sick, {"Frame3", "Sick", "txtSickBal", "lbSickBal", "txtScnt", "txtSdate"}},
    }};
    auto *frames = new QHBoxLayout;
    for (auto &[account, n] : accounts) {
        Account &a = *account;
        a.frame = named<QGroupBox>(QLatin1String(n.frame), QLatin1String(n.caption));
        auto *grid = new QGridLayout(a.frame);
        grid->setVerticalSpacing(1);
        grid->addWidget(new QLabel(QStringLiteral("Start Balance")), 0, 0);
        a.txtBal = named<QLineEdit>(QLatin1String(n.start));
        grid->addWidget(a.txtBal, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Balance")), 1, 0);
        a.lbBal = named<QLabel>(QLatin1String(n.balance));
        a.lbBal->setFrameShape(QFrame::Panel);
        a.lbBal->setFrameShadow(QFrame::Sunken);
        // The longest balances: fifteen significant digits and the sign,
        // plain down to 0.0001 and in exponent form beyond (start and days
        // are singles, so the exponent never has a third digit).
        a.lbBal->setMinimumWidth(
            widthToHold(a.lbBal, {QStringLiteral("-0.000000000000000000"), QStringLiteral("-0.00000000000000E+00")}));
        grid->addWidget(a.lbBal, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("#Taken")), 2, 0);
        grid->addWidget(new QLabel(QStringLiteral("Dates")), 2, 1);
        for (int i = 0; i < payrecords::kLeaveRows; ++i) {
            a.txtCnt[i] = named<QLineEdit>(indexed(n.taken, i));
            a.txtDate[i] = named<QLineEdit>(indexed(n.date, i));
            a.txtCnt[i]->setMaximumWidth(60);
            grid->addWidget(a.txtCnt[i], 3 + i, 0);
            grid->addWidget(a.txtDate[i], 3 + i, 1);
        }
        a.txtBal->setMaximumWidth(60);
        for (QLineEdit *box : a.txtCnt)
            makeNumericEntry(box);
        makeNumericEntry(a.txtBal);
        selectAllOnFocus(a.txtBal);
        for (int i = 0; i < payrecords::kLeaveRows; ++i) {
            selectAllOnFocus(a.txtCnt[i]);
            selectAllOnFocus(a.txtDate[i]);
        }
        // The balance follows every change of the start or a days-taken box.
        auto recompute = [this, account] { updateBalance(*account); };
        connect(a.txtBal, &QLineEdit::textChanged, this, recompute);
        for (QLineEdit *box : a.txtCnt)
            connect(box, &QLineEdit::textChanged, this, recompute);
        frames->addWidget(a.frame);
    }

    OKButton = named<QPushButton>(QStringLiteral("OKButton"), QStringLiteral("Save"));
    cmdClear = named<QPushButton>(QStringLiteral("cmdClear"), QStringLiteral("Clear All"));
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(cmdClear);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(Label1);
    layout->addLayout(frames);
    layout->addLayout(buttons);
}

payrecords::LeaveTexts DialogVac::texts() const { return {frameTexts(Vac), frameTexts(Hol), frameTexts(Sick)}; }

void DialogVac::showTexts(const payrecords::LeaveTexts &t)
{
    showing_ = true;
    showFrame(Vac, t.Vac);
    showFrame(Hol, t.Hol);
    showFrame(Sick, t.Sick);
    showing_ = false;
}

void DialogVac::updateBalance(Account &account)
{
    // The program's own writes come with their balances worked out.
    if (showing_)
        return;
    payrecords::LeaveFrameTexts f = frameTexts(account);
    payrecords::updateBalance(f);
    account.lbBal->setText(q(f.lbBal));
}

void DialogVac::formLoad()
{
    payrecords::LeaveTexts t = texts();
    QString damaged;
    try {
        payrecords::Form_Load(payrecords::leaveRecord(), t, payrecords::leaveFileName(state().CurrentUser));
    } catch (const legacy::FileFormatError &e) {
        // The record starts empty; the load has shown it.
        damaged = describeError(e);
    }
    showTexts(t);
    if (!damaged.isEmpty())
        Ui::message(damaged, Buttons::Ok, Icon::Exclamation);
}

void DialogVac::OKButton_Click()
{
    // Not saved, the record is as it was: a later save with the window
    // closed writes nothing that was let go.
    SaveTransaction save;
    try {
        payrecords::saveLeaveRecord(&save.batch());
        save.commit();
    } catch (const legacy::FileError &e) {
        // Not saved: the window stays open with what was typed.
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
        return;
    }
    Forms::unload(kName);
}

void DialogVac::cmdClear_Click()
{
    payrecords::LeaveTexts t = texts();
    payrecords::clearVac(payrecords::leaveRecord(), t);
    showTexts(t);
}

void DialogVac::mnuHelp_Click() { Forms::get<Form1>().mnuHelpItem_Click(); }

}  // namespace wagedesk
