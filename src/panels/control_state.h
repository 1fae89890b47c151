#pragma once
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qxed {

// What one control of a property panel shows. Which members matter depends on the control: spin edits use
// Value, Min and Max; check boxes and radio buttons Value (1 checked); combo boxes Items and Value (the
// selected item, -1 none); edit fields Text (bytes of the project's code page) and MaxLength (characters);
// state grids Rows; labels and group boxes Visible and Enabled, and Caption where the logic writes the text.
struct ControlState {
    bool Visible = true;
    bool Enabled = true;
    int32_t Value = 0;
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Step = 1;                    // spin edits: the arrow keys' step
    std::optional<std::string> Caption;  // UTF-8; labels whose text follows the state
    std::vector<std::string> Items;      // UTF-8
    std::string Text;
    int MaxLength = 0;
    // Grid rows 1..255: the state number (empty below the used rows) and the state's text (bytes).
    std::vector<std::pair<std::string, std::string>> Rows;

    bool Checked() const { return Value != 0; }
    bool operator==(const ControlState&) const = default;
};

constexpr int32_t kUnboundedMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kUnboundedMax = std::numeric_limits<int32_t>::max();

// Every control of the visible panel, by its name, and which group box is shown.
struct PanelState {
    std::string Group;  // "AttrGroupBox", "RegAttrGroupBox", ...
    std::map<std::string, ControlState, std::less<>> Controls;

    // The control of that name; a control the panel does not have is a programming error (std::out_of_range).
    const ControlState& At(std::string_view name) const;
    bool Has(std::string_view name) const { return Controls.find(name) != Controls.end(); }

    ControlState& Spin(const std::string& name, int32_t value, int32_t min, int32_t max, bool enabled = true);
    ControlState& Check(const std::string& name, bool checked, bool enabled = true);
    ControlState& Choice(const std::string& name, std::vector<std::string> items, int32_t selected,
                         bool enabled = true);
    ControlState& Edit(const std::string& name, std::string text, int maxLength);
    // A label, group box or button whose visibility or enabled state the panel decides.
    ControlState& Plain(const std::string& name, bool visible = true, bool enabled = true);

    bool operator==(const PanelState&) const = default;
};

}  // namespace qxed
