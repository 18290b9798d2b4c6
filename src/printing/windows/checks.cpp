#include "printing/windows/checks.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>

#include <algorithm>
#include <string>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "printing/check_words.h"
#include "printing/windows/printset.h"
#include "printing/windows/store.h"

namespace wagedesk {

using platform::Forms;

namespace {

// The longest amount in words: the widest three-digit group spoken twice,
// thousands and hundreds, then the cents.
int widestWordsWidth(const QLineEdit *box)
{
    const QFontMetrics metrics = box->fontMetrics();
    QString widest;
    for (int n = 1; n <= 999; ++n) {
        printing::CheckWordsState words;
        words.WordsGroup = std::to_string(1000 + n).substr(1);
        printing::ConvertHundreds(words);
        const QString group = QString::fromStdString(words.CheckWords);
        if (metrics.horizontalAdvance(group) > metrics.horizontalAdvance(widest))
            widest = group;
    }
    const QString dollars = widest + QStringLiteral(" Thousand") + widest;
    return widthToHold(box, {dollars + QStringLiteral(" and 00/100"), dollars + QStringLiteral(" and No/100")});
}

}  // namespace

frmChecks::frmChecks() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Check Printing"));
    menuBar = named<QMenuBar>(QStringLiteral("menuBar"));
    mnuPrintCheck = menuBar->addAction(QStringLiteral("Print"));
    mnuPrintCheck->setObjectName(QStringLiteral("mnuPrintCheck"));
    connect(mnuPrintCheck, &QAction::triggered, this, [this] { mnuPrintCheck_Click(); });

    auto box = [](const char *name) { return named<QLineEdit>(QLatin1String(name)); };
    txtCheckCompany = box("txtCheckCompany");
    txtCheckDate = box("txtCheckDate");
    txtCheckDate->setToolTip(QStringLiteral("Change on Previous Form"));
    txtPayTo = box("txtPayTo");
    txtCheckAmt = box("txtCheckAmt");
    txtDollars = box("txtDollars");
    txtMemo = box("txtMemo");
    txtUserName = box("txtUserName");
    txtUserAddress = box("txtUserAddress");
    txtUserState = box("txtUserState");
    txtUserSSnum = box("txtUserSSnum");
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("DATE"));
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("PAY TO THE ORDER OF"));
    Label3 = named<QLabel>(QStringLiteral("Label3"), QStringLiteral("$"));
    Label4 = named<QLabel>(QStringLiteral("Label4"), QStringLiteral("DOLLARS"));
    Label5 = named<QLabel>(QStringLiteral("Label5"), QStringLiteral("MEMO"));
    Label1->setBuddy(txtCheckDate);
    Label2->setBuddy(txtPayTo);
    Label3->setBuddy(txtCheckAmt);
    Label4->setBuddy(txtDollars);
    Label5->setBuddy(txtMemo);
    txtCheckAmt->setAlignment(Qt::AlignRight);
    // The largest net pay, a currency amount, has fifteen dollar digits.
    const int amountWidth = widthToHold(txtCheckAmt, {QStringLiteral("000000000000000.00")});
    txtCheckAmt->setMinimumWidth(amountWidth);
    txtCheckAmt->setMaximumWidth(std::max(120, amountWidth));
    txtDollars->setMinimumWidth(widestWordsWidth(txtDollars));
    txtCheckDate->setMaximumWidth(120);

    // Laid out as the check is printed: date top right, payee and amount,
    // the words, the employee's identity, the memo.
    auto *grid = new QGridLayout(this);
    grid->setMenuBar(menuBar);
    grid->setColumnStretch(1, 1);
    grid->addWidget(txtCheckCompany, 0, 0, 1, 2);
    grid->addWidget(Label1, 0, 2, Qt::AlignRight);
    grid->addWidget(txtCheckDate, 0, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtPayTo, 1, 1);
    grid->addWidget(Label3, 1, 2, Qt::AlignRight);
    grid->addWidget(txtCheckAmt, 1, 3);
    grid->addWidget(txtDollars, 2, 0, 1, 3);
    grid->addWidget(Label4, 2, 3);
    grid->addWidget(txtUserName, 3, 1);
    grid->addWidget(txtUserSSnum, 3, 3);
    grid->addWidget(txtUserAddress, 4, 1);
    grid->addWidget(txtUserState, 5, 1);
    grid->addWidget(Label5, 6, 0);
    grid->addWidget(txtMemo, 6, 1);
    resize(620, 260);
}

void frmChecks::refresh()
{
    // The check shows a negative net pay as zero; the net pay itself stays
    // as calculated, so the ledger still pastes it.
    const float net = std::max(state().result.NetPay, 0.0f);
    const printing::CheckFields f = printing::FillCheckFields(net, state().profile, printing::checkPrinting().words);
    FormattedAmt = printing::FormatCheckAmount(net);
    showText(txtPayTo, f.txtPayTo);
    showText(txtUserName, f.txtUserName);
    showText(txtUserAddress, f.txtUserAddress);
    showText(txtUserState, f.txtUserState);
    showText(txtUserSSnum, f.txtUserSSnum);
    showText(txtDollars, f.txtDollars);
    showText(txtCheckAmt, FormattedAmt);
}

void frmChecks::formLoad()
{
    refresh();
    txtCheckDate->setText(Forms::get<Form1>().txtWeek->text());
}

void frmChecks::Form_Click() { refresh(); }

void frmChecks::Form_GotFocus() { refresh(); }

void frmChecks::mnuPrintCheck_Click() { Forms::get<dlgPrintSet>().showForm(); }

void frmChecks::mousePressEvent(QMouseEvent *event)
{
    platform::Form::mousePressEvent(event);
    Form_Click();
}

void frmChecks::focusInEvent(QFocusEvent *event)
{
    platform::Form::focusInEvent(event);
    Form_GotFocus();
}

}  // namespace wagedesk
