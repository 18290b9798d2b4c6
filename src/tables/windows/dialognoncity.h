// DialogNonCity, "NON City Resident": the non-resident city table, eight
// lines of minimum and amount to subtract for bi-weekly and for weekly pay
// and one percentage. The calculation reads only the store that fillVarib
// fills.
#pragma once

#include <array>

#include "platform/forms.h"
#include "tables/windows/box_table.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wagedesk {

class DialogNonCity : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "DialogNonCity";
    DialogNonCity();

    // The profile's ".nci" (or nothing), then ChkFor and fillVarib.
    void formLoad() override;

    // The built-in table into all 33 boxes.
    void deFault();
    // The built-in value into every empty box.
    void ChkFor();
    // The boxes into the store, all or nothing: throws
    // tables::TableBoxError naming the first box that is not a number.
    void fillVarib();
    // The profile's ".nci" into the store and the boxes; missing: nothing
    // changes; damaged: reported, nothing changes.
    void LoadNonCityTables();

    void OKButton_Click();
    void CancelButton_Click();

    // The control arrays are the boxes of the two box tables.
    tables::NonResidentBoxes *biWeeklyTable, *weeklyTable;
    std::array<QLineEdit *, 8> txtNonMinBi, txtNonExpBi, txtNonMinWk, txtNonExpWk;
    QLineEdit *txtNonPer;
    QPushButton *cmdDefault, *OKButton, *CancelButton;
    // 0-7 the bi-weekly lines "1" to "8", 8-15 the weekly lines.
    std::array<QLabel *, 16> Label7;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label8, *Label9, *Label10, *Label11, *Label12,
        *Label13, *Label14;
    QFrame *Frame1, *Frame2, *Frame3;
};

}  // namespace wagedesk
