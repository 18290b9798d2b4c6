// DialogState, "Biweekly State Tax": the state bracket tables, allowances,
// SDI and SUI, the adjustment and the state switches of the current
// profile. Its switches, "Round State", "Spouse Works", the two "Use Base"
// switches and the adjustment and California boxes are read live by the
// calculation; everything else reaches it through the snapshot that
// fillVari takes into the settings store.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/state.h"
#include "platform/forms.h"
#include "special_states/formulas.h"
#include "special_states/switches.h"
#include "tables/windows/box_table.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wagedesk {

namespace tables {
class DialogStateView;
}

class SaveTransaction;

class DialogState : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "DialogState";
    DialogState();
    ~DialogState() override;

    // Reads the profile's settings files and state table, runs the preset
    // of a special state that is on and takes the snapshot.
    void formLoad() override;

    // Every box whose text is exactly empty gets its built-in New York text.
    void CheckFor();
    // CheckFor, then every box and switch into the settings store, all or
    // nothing: throws tables::TableBoxError naming the first box that is not
    // a number (the adjustment and California boxes are read leniently).
    // Settings taken by Get Default for the user information window are
    // applied here too.
    void fillVari();
    // fillVari for a save (SAVE, Make Default, a calculation with the
    // editor open) inside its transaction, which puts back the boxes, the
    // stores and the editor's own members should the save be refused;
    // false, the editor on view and the user told which box, when one is
    // not a number.
    bool takeBoxes(SaveTransaction &save);

    // The profile's ".sta" into the store, then into the boxes and switches
    // and the user information window. A missing file leaves the boxes; a
    // damaged one is reported and changes nothing.
    void LoadStateTables();
    // Get Default: the default profile's state settings (".sta" and the
    // editor's items of ".and") into the boxes only; the store follows at
    // SAVE or Make Default.
    void LoadDefaultStateTables();

    // Whether any of the eleven special-state switches is on.
    bool specialStateOn() const;
    // The "S&tate Tax" command's part, after showing the editor: the preset
    // of each ticked switch, for the pay frequency chosen now.
    void runTickedPresets();

    // The special states' side of the editor: its switches, what their
    // presets read (the store and the user information window's live
    // options) and what their formulas read live.
    QCheckBox *switchOf(special_states::SpecialState s) const;
    special_states::SwitchValues switchValues() const;
    special_states::PresetInput presetInput() const;
    special_states::FormulaLive formulaLive() const;
    // A press on a special-state switch, by the mouse or the keyboard
    // (Space), before the box toggles.
    void switch_MouseDown(special_states::SpecialState s);

    void OKButton_Click();
    void CancelButton_Click();
    void cmdClearAll_Click();
    void cmdDefault_Click();
    void cmdGetDefault_Click();
    void cmdMkDefault_Click();

    // Controls. The control arrays are the boxes of the three box tables.
    tables::BracketBoxes *singleTable, *marriedTable;
    tables::AllowanceBoxes *allowanceTable;
    std::array<QLineEdit *, 10> txtStateMinBS, txtStateAmtBS, txtStatePerBS;
    std::array<QLineEdit *, 10> txtStateMinBM, txtStateAmtBM, txtStatePerBM;
    std::array<QLineEdit *, 10> txtStateSgExp, txtStateMarExp;
    QLineEdit *txtSDIpercent, *txtSDIwageBase, *txtSUIpercent, *txtSUIwageBase, *txtStateAdj, *txtCalAllow;
    QCheckBox *ckSDI, *ckSUI, *ckNoStateTax, *ckRoundOff, *ckSpouse;
    QCheckBox *ckAlabama, *ckAriz, *ckIowa, *ckKentucky, *ckLouis;
    QCheckBox *ckMass, *ckMissouri, *ckNC, *ckOkla, *ckOregon, *ckWiscon;
    QPushButton *cmdDefault, *OKButton, *CancelButton, *cmdClearAll, *cmdMkDefault, *cmdGetDefault;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label8, *Label9, *Label10, *Label11;
    QLabel *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20, *Label21;
    QLabel *Label22, *Label23, *Label24, *Label25, *Label26, *Label28, *Label29;
    QLabel *Label30, *Label31, *Label32, *Label33;
    std::array<QLabel *, 16> Label7;
    std::array<QLabel *, 10> Label27;
    QFrame *Frame1, *Frame2, *Frame3;
    QGroupBox *Frame4, *Frame5, *Frame6;

private:
    // What NO STATE TAX shows as "stored": the last snapshot, or what Get
    // Default read, so that a cancelled Get Default changes no store.
    struct Shown {
        StateSettings settings;
        float calAllow = 0;
        std::int16_t roundState = 0;
    };
    // The five user information settings that Get Default read.
    struct UserInfoItems {
        std::string stateStatus;
        std::int16_t stateExemptions = 0, fedExempt = 0, ssMediExempt = 0;
        float fedAdditional = 0;
    };

    std::array<QCheckBox *, 11> specialSwitches() const;
    // The tables, the allowances and the six single boxes, from a store.
    void showBoxes(const StateSettings &s, float calAllow);
    // The SDI, SUI, adjustment and California boxes alone.
    void showSingleBoxes(const StateSettings &s, float calAllow);
    // Their built-in texts into the ones that are empty.
    void fillSingleBoxes();
    // The boxes and switches from a state table as read; the boxes and the
    // NO STATE TAX and Use Base switches only when a file was read.
    void showTables(const StateSettings &s, const ProfileSettings &p, bool fileRead);
    void showUserInfo(const UserInfoItems &items);
    void SetNoStateTax();
    void ckNoStateTax_Click(bool on);
    void useBaseClicked(QCheckBox *box, QLabel *caption, QLineEdit *rate);
    void LoadNewYorkTable();
    void ckSpouse_Click();

    Shown shown_;
    std::optional<UserInfoItems> pendingUserInfo_;
    std::unique_ptr<tables::DialogStateView> view_;
};

}  // namespace wagedesk
