// dlgPrintSet, "Printer Offset": the check's horizontal and vertical
// offsets, whole steps from +5 to -5, saved with the profile; Print Check
// stores them and prints the check. It belongs to the check form that opens
// it from its Print menu.
#pragma once

#include "platform/forms.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace wagedesk {

class dlgPrintSet : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "dlgPrintSet";
    dlgPrintSet();

    void formLoad() override;  // Form_Load
    // Apply: both offsets stored and saved with the profile. False, with a
    // message and nothing stored, when a box holds no offset; false too
    // when the profile could not be saved.
    bool cmdApply_Click();
    void OKButton_Click();  // Print Check
    void CancelButton_Click();

    QLabel *Label1, *Label2, *Label3, *Label4;  // heading, "Horizontal ", "Vertical", instructions
    QLabel *lbWeek;
    QComboBox *cboHorz, *cboVert;
    QPushButton *cmdApply, *OKButton, *CancelButton;

protected:
    // The check form when it is on view, else the main window.
    QWidget *ownerWindow() const override;
};

}  // namespace wagedesk
