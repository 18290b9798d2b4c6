// DialogCity, "City (Local) Tax Tables": the resident city bracket tables
// and allowances of the current profile. The boxes are a working copy; the
// calculation reads only the snapshot that fillVar takes into the store.
#pragma once

#include <array>

#include "platform/forms.h"
#include "tables/windows/box_table.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wagedesk {

class DialogCity : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "DialogCity";
    DialogCity();

    // The profile's ".cti" (or nothing), then CheckFor and fillVar.
    void formLoad() override;

    // Every empty box gets its built-in New York text.
    void CheckFor();
    // The boxes and NO LOCAL TAX into the store, all or nothing: throws
    // tables::TableBoxError naming the first box that is not a number.
    void fillVar();
    // The profile's ".cti" into the store and the boxes; missing: nothing
    // changes; damaged: reported, nothing changes.
    void LoadCityTables();

    void OKButton_Click();
    void CancelButton_Click();
    void cmdClearMe_Click();
    void cmdDefault_Click();

    // The control arrays are the boxes of the three box tables.
    tables::BracketBoxes *singleTable, *marriedTable;
    tables::AllowanceBoxes *allowanceTable;
    std::array<QLineEdit *, 10> txtCityMinBS, txtCityAmtBS, txtCityPerBS;
    std::array<QLineEdit *, 10> txtCityMinBM, txtCityAmtBM, txtCityPerBM;
    std::array<QLineEdit *, 10> txtCitySgExp, txtCityMarExp;
    QCheckBox *ckNoLocalTax;
    QPushButton *cmdDefault, *cmdClearMe, *OKButton, *CancelButton;
    QFrame *Frame1, *Frame2, *Frame3;
    // 0-9 the Single lines "1" to "10", 10-19 the Married lines, 20-29 the
    // exemption counts "0" to "9".
    std::array<QLabel *, 30> Label7;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label8, *Label9, *Label10, *Label11;
    QLabel *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20, *Label21;

private:
    void ckNoLocalTax_Click(bool on);
    void ApplyNoLocalTax();
    void showSnapshot();
};

}  // namespace wagedesk
