// frmChecks, "Check Printing": one paycheck on screen for the period last
// calculated (the pay date, the payee, the amount with its leading zeros as
// asterisks, the amount in words, a memo and the employee's identity), and
// the Print menu that opens the printer offset dialog.
#pragma once

#include <string>

#include "platform/forms.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;

namespace wagedesk {

class frmChecks : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmChecks";
    frmChecks();

    void formLoad() override;  // Form_Load: the refresh, and the pay date
    void Form_Click();         // the refresh
    void Form_GotFocus();      // the refresh
    void mnuPrintCheck_Click();

    // Made by FormatCheckAmount at the last refresh; kept between loads.
    std::string FormattedAmt;

    QMenuBar *menuBar;
    QAction *mnuPrintCheck;
    QLineEdit *txtCheckCompany, *txtCheckDate, *txtPayTo, *txtCheckAmt, *txtDollars, *txtMemo;
    QLineEdit *txtUserName, *txtUserAddress, *txtUserState, *txtUserSSnum;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;  // DATE, PAY TO THE ORDER OF, $, DOLLARS, MEMO

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The payee, identity, words and amount from the values in memory.
    void refresh();
};

}  // namespace wagedesk
