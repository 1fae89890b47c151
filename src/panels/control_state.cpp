#include "panels/control_state.h"

#include <stdexcept>

namespace qxed {

const ControlState& PanelState::At(std::string_view name) const {
    const auto found = Controls.find(name);
    if (found == Controls.end()) throw std::out_of_range("no control " + std::string(name));
    return found->second;
}

ControlState& PanelState::Spin(const std::string& name, int32_t value, int32_t min, int32_t max,
                               bool enabled) {
    ControlState& control = Controls[name];
    control.Value = value;
    control.Min = min;
    control.Max = max;
    control.Enabled = enabled;
    return control;
}

ControlState& PanelState::Check(const std::string& name, bool checked, bool enabled) {
    ControlState& control = Controls[name];
    control.Value = checked ? 1 : 0;
    control.Enabled = enabled;
    return control;
}

ControlState& PanelState::Choice(const std::string& name, std::vector<std::string> items, int32_t selected,
                                 bool enabled) {
    ControlState& control = Controls[name];
    control.Items = std::move(items);
    control.Value = selected >= 0 && selected < static_cast<int32_t>(control.Items.size()) ? selected : -1;
    control.Enabled = enabled;
    return control;
}

ControlState& PanelState::Edit(const std::string& name, std::string text, int maxLength) {
    ControlState& control = Controls[name];
    control.Text = std::move(text);
    control.MaxLength = maxLength;
    return control;
}

ControlState& PanelState::Plain(const std::string& name, bool visible, bool enabled) {
    ControlState& control = Controls[name];
    control.Visible = visible;
    control.Enabled = enabled;
    return control;
}

}  // namespace qxed
