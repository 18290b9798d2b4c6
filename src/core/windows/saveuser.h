// frmSaveUser, "Save User": saves the whole profile under the name in its
// box. Every calculation presses its Save from code.
#pragma once

#include "platform/forms.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace wagedesk {

class frmSaveUser : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmSaveUser";
    frmSaveUser();

    void formLoad() override;
    // The close box (and Esc) on screen lets the question go unanswered:
    // the dialog is hidden without its unload rule, nothing is saved or
    // closed, a name typed into the box is let go, and the command that
    // showed it stops (outcome Cancelled).
    bool formQueryUnload(bool fromCode) override;
    void formUnload() override;

    // Save. Returns false when a step failed (the user was told which file
    // or box); nothing then changes: the profile name, the box (back to
    // that name), every window and file stay as they were, and a dialog on
    // screen closes so that the user can correct what was refused.
    bool cmdSaveUser_Click();
    void cmdEnd_Click();
    void cmdQuit_Click();

    // How the dialog on screen was left: No (NotSaved), Save that
    // succeeded or was refused, Quit, or its close box or Esc (Cancelled).
    enum class Outcome { NotSaved, Saved, Refused, Quit, Cancelled };
    Outcome outcome = Outcome::NotSaved;

    QLabel *Label1, *Label2;
    QLineEdit *txtSaveUser;
    QPushButton *cmdSaveUser, *cmdEnd, *cmdQuit;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The box back to the profile's own name, which every save takes from
    // it while the dialog is loaded.
    void showProfileName();
};

}  // namespace wagedesk
