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
    void formUnload() override;

    // Save. Returns false when a step failed (the user was told which file
    // or box); the windows then stay loaded.
    bool cmdSaveUser_Click();
    void cmdEnd_Click();
    void cmdQuit_Click();

    QLabel *Label1, *Label2;
    QLineEdit *txtSaveUser;
    QPushButton *cmdSaveUser, *cmdEnd, *cmdQuit;
};

}  // namespace wagedesk
