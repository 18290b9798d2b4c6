// Form1, the main window: one pay period's entries, the calculation, the
// results, and the menus that reach every other window.
#pragma once

#include <QCoreApplication>

#include <array>
#include <filesystem>
#include <functional>

#include "core/paycalc.h"
#include "core/windows/saveuser.h"
#include "platform/forms.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace wagedesk {

// The widest amount a result label shows, and the tracker's copy of the
// overtime: the gross is held in currency, so no result exceeds its range
// (sign and dollar included).
inline constexpr const char *kWidestAmount = "-$922,337,203,685,477.58";

class Form1 : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "Form1";
    Form1();

    void formLoad() override;                      // Form_Load
    bool formQueryUnload(bool fromCode) override;  // the closing rule

    void Clear_All();
    void CleartxtBox();
    // Runs the pay-period calculation. Returns false when an entry was
    // refused (the user was told which) and nothing was computed or saved.
    bool Calcu_late();
    void OpenFile();
    // Shows the save-user dialog modally and tells how it was left. After
    // Quit (the program has ended) the caller must stop at once; after a
    // refused save the command that asked for it is cancelled.
    frmSaveUser::Outcome showSaveUser();

    // Commands.
    void cmdCal_Click();
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuExitItem_Click();
    void mnuPrintSheetItem_Click();
    void mnuPrintItem_Click();
    void mnuTaxInfoItem_Click();
    void mnuState_Click();
    void mnuHelpItem_Click();
    void mnuAboutItem_Click();
    void cmdSavePrev_Click();
    void cmdPeriod_Click();
    void txtWeek_Click();

    // Shared by the user information window and the profile commands.
    void showDeductionCaptions();
    void showTableNotice();
    void showUser(bool caption);

    // Ends the program (File Exit, the main window's closing). Tests
    // replace it to see that the program would end.
    std::function<void()> endProgram = [] { QCoreApplication::exit(0); };

    // Public values of the last calculation.
    PeriodValues values;

    // Controls.
    QMenuBar *menuBar;
    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6;
    std::array<QLineEdit *, 8> txtAmount;
    std::array<QLabel *, 8> entryLabels;  // Label1, Label11, Label3, Label2, Label5, Label9, Label10, Label8
    QRadioButton *opt1x, *opt2x;
    QLabel *Label12;
    QLineEdit *txtWeek;
    QPushButton *cmdClear, *cmdCal;
    QLabel *Label13, *Label4, *lbTaxes, *Label6, *lbDeduct, *lbNet;
    std::array<QLabel *, 11> lbTaxDed;
    std::array<QLabel *, 18> lbTaxTag;
    QLabel *lbSDI, *lbSUI, *lbCafe, *lbOverT, *lbTips, *lbTaxVer, *Label7, *lbTableNotice, *lbUser;
    QCheckBox *ckIowaPrior;
    QPushButton *cmdSavePrev, *cmdPeriod, *cmdYear, *cmdOT, *Command1, *cmdPrint;
    QAction *mnuNew, *mnuOpen, *mnuSave, *mnuChecks, *mnuPrintSheetItem, *mnuPrintItem, *mnuClearIitem, *mnuExitItem;
    QAction *mnuVac, *mnuOtItem, *mnuYear, *mnuHeader, *mnuTaxInfoItem, *mnuState, *mnuCity, *mnuNonCity;
    QAction *mnuHelpItem, *mnuAboutItem;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void clearResultLabels();
    void clearAllResults();
    bool ending_ = false;
};

// The folder of the program, where the shipped files lie.
std::filesystem::path programFolder();

}  // namespace wagedesk
