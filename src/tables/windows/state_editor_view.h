// The state editor as the special states' presets and switches see it: the
// abstract view of special_states over DialogState's boxes, labels, frames
// and check boxes, the main window's Iowa prior-period box and the five
// user information controls the Oregon preset puts back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "special_states/editor_view.h"

class QCheckBox;
class QLineEdit;
class QWidget;

namespace wagedesk {

class DialogState;

namespace tables {

class DialogStateView final : public special_states::StateEditorView {
public:
    explicit DialogStateView(DialogState &editor) : d_(editor) {}

    void setBracketText(special_states::BracketColumn column, std::size_t row, std::string_view text) override;
    void setBracketEnabled(special_states::BracketColumn column, std::size_t row, bool enabled) override;
    void setAllowanceText(special_states::AllowanceColumn column, std::size_t row, std::string_view text) override;
    void setAllowanceEnabled(special_states::AllowanceColumn column, std::size_t row, bool enabled) override;
    void setBoxText(special_states::StateBox box, std::string_view text) override;
    void setCaption(std::string_view label, std::string_view caption) override;
    void setEnabled(std::string_view control, bool enabled) override;
    bool isOn(special_states::SpecialState s) const override;
    // No handler runs: the switches have none besides their press.
    void setOn(special_states::SpecialState s, bool on) override;
    bool isChecked(special_states::StateCheck check) const override;
    // The editor's own handlers run when the value changes.
    void setChecked(special_states::StateCheck check, bool on) override;
    void setValue(special_states::StateCheck check, std::int16_t value) override;
    void setSpouseVisible(bool visible) override;
    void setIowaPriorVisible(bool visible) override;
    void setUserInfo(const special_states::UserInfoShown &shown) override;

private:
    QLineEdit *bracketBox(special_states::BracketColumn column, std::size_t row) const;
    QLineEdit *allowanceBox(special_states::AllowanceColumn column, std::size_t row) const;
    QCheckBox *checkBox(special_states::StateCheck check) const;
    // A label or frame of the editor by its object name; a name the editor
    // does not have is a fault of the program.
    QWidget *control(std::string_view name) const;

    DialogState &d_;
};

}  // namespace tables
}  // namespace wagedesk
