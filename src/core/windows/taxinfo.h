// frmTaxInfo, "User Info": the employee's rates, statuses, exemptions,
// deductions and identity. Loaded hidden from start-up; other windows and the
// calculation read its options and switches live.
#pragma once

#include <array>

#include "platform/forms.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wagedesk {

class frmTaxInfo : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmTaxInfo";
    frmTaxInfo();

    void formLoad() override;  // Form_Load
    void ClearAll();
    // Copies the boxes into the settings store, shows the captions and
    // writes the settings files. Throws the errors of the strict readings
    // and of the writer.
    void fillVar_();
    // Shows the settings store in the boxes; withStateItems adds the state
    // status and count, the two exemptions and the additional federal
    // amount, which the state table file also holds.
    void showSettings(bool withStateItems);

    void cmdOk_Click();
    void Command1_Click();

    QComboBox *cboStatus, *cboDepend, *cboStatus2, *cboDepend2;
    QRadioButton *optWeek, *optBiWeek;
    QCheckBox *ckSelfEmp, *ckFedExemp, *ckNonCity, *ckSSMediExemp;
    QLineEdit *txtTax5, *txtTax6, *txtTax7, *txtTax8, *txtTax9;
    QLineEdit *txtMuni, *txtBond, *txtDues, *txtPension, *txtMisc;
    QLineEdit *txtKplan;
    QCheckBox *ckKpFix, *ckKpPer;
    QLineEdit *txtCafe;
    QCheckBox *ckCafeState;
    QLineEdit *txtHourRate, *txtHourRate2, *txtTipsRate, *txtFedAddL;
    QLineEdit *txtName, *txtAddress, *txtStateCityZip, *txtSSnum;
    QPushButton *cmdOk, *Command1;

    std::array<QLineEdit *, 5> captionBoxes() const { return {txtTax5, txtTax6, txtTax7, txtTax8, txtTax9}; }

private:
    void setStatus(QComboBox *box, const std::string &text);
};

}  // namespace wagedesk
