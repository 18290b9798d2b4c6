// DialogVac, "Vacation / Holiday / Sick": three accounts of days, each a
// start balance, twenty rows of days taken with their dates, and the
// balance, which follows every keystroke. The record's fields are
// payrecords::leaveRecord(), which outlives the window.
#pragma once

#include <array>

#include "platform/forms.h"
#include "records/leave.h"
#include "records/windows/stores.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace wagedesk {

class DialogVac : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "DialogVac";
    DialogVac();

    void formLoad() override;  // Form_Load

    void OKButton_Click();  // Save
    void cmdClear_Click();  // Clear All
    void mnuHelp_Click();

    // One account's frame, its controls named as the account's.
    struct Account {
        QGroupBox *frame;
        QLineEdit *txtBal;                                        // txtVacBal, txtHolBal, txtSickBal
        QLabel *lbBal;                                            // lbVacBal, lbHolBal, lbSickBal
        std::array<QLineEdit *, payrecords::kLeaveRows> txtCnt;   // txtVcnt, txtHcnt, txtScnt
        std::array<QLineEdit *, payrecords::kLeaveRows> txtDate;  // txtVdate, txtHdate, txtSdate
    };
    Account Vac, Hol, Sick;

    payrecords::LeaveTexts texts() const;
    // Writes the texts without any balance being recomputed on the way.
    void showTexts(const payrecords::LeaveTexts &texts);

    QMenuBar *menuBar;
    QAction *mnuHelp;
    QLabel *Label1;  // the heading
    QPushButton *OKButton, *cmdClear;

private:
    // UpdateVacBalance, UpdateHolBalance, UpdateSickBalance.
    void updateBalance(Account &account);

    bool showing_ = false;
};

}  // namespace wagedesk
