// A state editor that records what the presets and switches write: the
// last text, Enabled state, caption, value and visibility of every control
// by its object name. A control that nothing wrote is absent.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "special_states/editor_view.h"

namespace wdtest {

using namespace wagedesk::special_states;

class RecordingView : public StateEditorView {
public:
    std::map<std::string, std::string, std::less<>> text, caption;
    std::map<std::string, bool, std::less<>> enabled, checked, visible;
    // The other check boxes' values as set (0, 1, 2); checked holds value 1.
    std::map<std::string, std::int16_t, std::less<>> values;
    std::optional<UserInfoShown> userInfo;
    // Runs when a check box other than the switches changes value, as the
    // window's click handlers would.
    std::function<void(StateCheck, bool)> onClick;

    void setBracketText(BracketColumn c, std::size_t row, std::string_view t) override
    {
        text[controlName(controlName(c), row)] = std::string(t);
    }
    void setBracketEnabled(BracketColumn c, std::size_t row, bool on) override
    {
        enabled[controlName(controlName(c), row)] = on;
    }
    void setAllowanceText(AllowanceColumn c, std::size_t row, std::string_view t) override
    {
        text[controlName(controlName(c), row)] = std::string(t);
    }
    void setAllowanceEnabled(AllowanceColumn c, std::size_t row, bool on) override
    {
        enabled[controlName(controlName(c), row)] = on;
    }
    void setBoxText(StateBox box, std::string_view t) override { text[std::string(controlName(box))] = std::string(t); }
    void setCaption(std::string_view label, std::string_view c) override
    {
        caption[std::string(label)] = std::string(c);
    }
    void setEnabled(std::string_view control, bool on) override { enabled[std::string(control)] = on; }
    bool isOn(SpecialState s) const override { return value(info(s).switchName); }
    void setOn(SpecialState s, bool on) override { checked[std::string(info(s).switchName)] = on; }
    bool isChecked(StateCheck c) const override { return value(controlName(c)); }
    void setChecked(StateCheck c, bool on) override { setValue(c, on ? 1 : 0); }
    void setValue(StateCheck c, std::int16_t v) override
    {
        const std::string name(controlName(c));
        // A test may have set only checked beforehand.
        const std::int16_t before = valueOf(name).value_or(lookup(checked, name).value_or(false) ? 1 : 0);
        const bool changed = before != v;
        values[name] = v;
        checked[name] = v == 1;
        if (changed && onClick)
            onClick(c, v == 1);
    }
    void setSpouseVisible(bool v) override { visible["ckSpouse"] = v; }
    void setIowaPriorVisible(bool v) override { visible["ckIowaPrior"] = v; }
    void setUserInfo(const UserInfoShown &shown) override { userInfo = shown; }

    // What the platform does after the press handler: the box toggles.
    void toggle(SpecialState s) { setOn(s, !isOn(s)); }

    // "<untouched>" for a control nothing wrote.
    std::string textOf(std::string_view name) const { return find(text, name, std::string("<untouched>")); }
    std::string captionOf(std::string_view name) const { return find(caption, name, std::string("<untouched>")); }
    std::optional<bool> enabledOf(std::string_view name) const { return lookup(enabled, name); }
    std::optional<bool> visibleOf(std::string_view name) const { return lookup(visible, name); }
    std::optional<bool> checkedOf(std::string_view name) const { return lookup(checked, name); }
    std::optional<std::int16_t> valueOf(std::string_view name) const { return lookup(values, name); }
    // The switches that are on.
    std::string switchesOn() const
    {
        std::string on;
        for (const SpecialStateInfo &s : specialStates())
            if (isOn(s.state))
                on += (on.empty() ? "" : " ") + std::string(s.switchName);
        return on;
    }

private:
    bool value(std::string_view name) const { return lookup(checked, name).value_or(false); }
    template <class T>
    static std::optional<T> lookup(const std::map<std::string, T, std::less<>> &m, std::string_view name)
    {
        const auto it = m.find(name);
        if (it == m.end())
            return std::nullopt;
        return it->second;
    }
    template <class T> static T find(const std::map<std::string, T, std::less<>> &m, std::string_view name, T fallback)
    {
        return lookup(m, name).value_or(fallback);
    }
};

}  // namespace wdtest
