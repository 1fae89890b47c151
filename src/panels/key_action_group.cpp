#include "panels/key_action_group.h"

#include <array>

#include "model/key_codes.h"
#include "plc/plc_profile.h"

namespace qxed {

namespace {

constexpr uint8_t kPasswordPage = 1;
constexpr uint8_t kPageJumpTarget = 0;

// Radio names by the value they store.
constexpr std::array<const char*, 4> kCoilActionRadios{"SetOnRadioButton", "SetOffRadioButton",
                                                       "ReverseRadioButton", "MomentOnRadioButton"};
constexpr std::array<const char*, 4> kJumpRadios{"JumpPageRadioButton", "JumpPasswordRadioButton",
                                                 "JumpAlarmListRadioButton", "JumpDateTimeRadioButton"};
constexpr std::array<const char*, 2> kPlcRadios{"PlcRunRadioButton", "PlcStopRadioButton"};

struct FunctionRadio {
    uint8_t Function;
    const char* Radio;
    const char* SubGroup;
};
constexpr std::array kFunctions{
    FunctionRadio{KeyAction::kSetCoil, "SetCoilRadioButton", "CoilGroupBox"},
    FunctionRadio{KeyAction::kPageJump, "JmpCtrlRadioButton", "JmpCtrlGroupBox"},
    FunctionRadio{KeyAction::kAdvanced, "AdvanceRadioButton", "AdvanceGroupBox"},
    FunctionRadio{KeyAction::kSetData, "SetRegRadioButton", "RegGroupBox"},
};

bool IsFunctionOfRadios(uint8_t function) {
    for (const FunctionRadio& radio : kFunctions)
        if (radio.Function == function) return true;
    return false;
}

template <class T>
std::optional<KeyAction> Changed(const KeyAction& action, T KeyAction::*field, T value) {
    if (action.*field == value) return std::nullopt;
    KeyAction changed = action;
    changed.*field = value;
    return changed;
}

}  // namespace

KeyActionGroup::KeyActionGroup(Options options)
    : options_(std::move(options)),
      coil_(options_.Prefix + "Coil"),
      register_(options_.Prefix + "Reg", RegisterList::Full, options_.RegisterCount) {}

void KeyActionGroup::ApplyPlcProfile(int plcType) {
    const PlcProfile profile = PlcProfileOf(plcType);
    coil_.ApplyPlcProfile(plcType);
    register_.ApplyPlcProfile(plcType);
    advanced_ = profile.AdvancedFunctions;
    alarmList_ = profile.AlarmListAvailable;
}

void KeyActionGroup::Fill(const KeyAction& action, const KeyListing& listing, PanelState& state) const {
    if (options_.KeyList)
        state.Choice(Name("TypeComboBox"), listing.KeyNames, ListPositionOf(listing.Model, action.Key));
    if (options_.Disappear) state.Check(Name("DisappearCheckBox"), action.Disappear != 0);
    if (options_.Hand) state.Check(Name("WithHandCheckBox"), action.WithHand != 0);

    const bool passwordJump = action.Function == KeyAction::kPageJump && action.Jump == kPasswordPage;
    state.Check(Name("EncryptCheckBox"), action.Encrypt != 0 && !passwordJump, !passwordJump);

    // A function outside the four radios (no function, global keys only) checks none and shows no group.
    for (const FunctionRadio& radio : kFunctions) {
        state.Check(Name(radio.Radio), action.Function == radio.Function);
        state.Plain(Name(radio.SubGroup), action.Function == radio.Function);
    }
    state.Controls[Name("AdvanceRadioButton")].Visible = advanced_;

    coil_.Fill(action.Coil, state);
    for (size_t i = 0; i < kCoilActionRadios.size(); ++i)
        state.Check(Name(kCoilActionRadios[i]), action.CoilAction == i);

    for (size_t i = 0; i < kJumpRadios.size(); ++i)
        state.Check(Name(kJumpRadios[i]), action.Jump == i);
    state.Controls[Name("JumpAlarmListRadioButton")].Visible = alarmList_;
    state.Controls[Name("JumpDateTimeRadioButton")].Visible = listing.DateTimeJumpVisible;
    const bool pageJump = action.Jump == kPageJumpTarget;
    state.Spin(Name("PageNoSpinEdit"), action.PageNo, kPageNoMin, kPageNoMax, pageJump);
    state.Plain(Name("JumpPageNoLabel"), true, pageJump);

    for (size_t i = 0; i < kPlcRadios.size(); ++i)
        state.Check(Name(kPlcRadios[i]), action.PlcStop == i);

    register_.Fill(action.RegAddress, action.RegNum, kRegNumMax, state);
    state.Spin(Name("SetValueSpinEdit"), action.SetValue, kUnboundedMin, kUnboundedMax);
}

std::optional<KeyAction> KeyActionGroup::TypeComboBoxChange(const KeyAction& action, int model,
                                                            int32_t position) const {
    return Changed(action, &KeyAction::Key, static_cast<int32_t>(KeyCodeAt(model, position, action.Key)));
}

std::optional<KeyAction> KeyActionGroup::DisappearCheckBoxClick(const KeyAction& action, bool checked) const {
    return Changed(action, &KeyAction::Disappear, static_cast<uint8_t>(checked ? 1 : 0));
}

std::optional<KeyAction> KeyActionGroup::WithHandCheckBoxClick(const KeyAction& action, bool checked) const {
    return Changed(action, &KeyAction::WithHand, static_cast<uint8_t>(checked ? 1 : 0));
}

std::optional<KeyAction> KeyActionGroup::EncryptCheckBoxClick(const KeyAction& action, bool checked) const {
    if (action.Function == KeyAction::kPageJump && action.Jump == kPasswordPage) return std::nullopt;
    return Changed(action, &KeyAction::Encrypt, static_cast<uint8_t>(checked ? 1 : 0));
}

std::optional<KeyAction> KeyActionGroup::FunctionRadioClick(const KeyAction& action, uint8_t function) const {
    if (!IsFunctionOfRadios(function)) return std::nullopt;
    std::optional<KeyAction> changed = Changed(action, &KeyAction::Function, function);
    // Jumping to the password page asks for the password there; the key itself stays unprotected.
    if (changed && function == KeyAction::kPageJump && changed->Jump == kPasswordPage) changed->Encrypt = 0;
    return changed;
}

std::optional<KeyAction> KeyActionGroup::CoilActionRadioClick(const KeyAction& action,
                                                              uint8_t coilAction) const {
    if (coilAction >= kCoilActionRadios.size()) return std::nullopt;
    return Changed(action, &KeyAction::CoilAction, coilAction);
}

std::optional<KeyAction> KeyActionGroup::JumpRadioClick(const KeyAction& action, uint8_t jump) const {
    if (jump >= kJumpRadios.size()) return std::nullopt;
    KeyAction changed = action;
    changed.Jump = jump;
    if (jump == kPasswordPage) changed.Encrypt = 0;
    if (changed == action) return std::nullopt;
    return changed;
}

std::optional<KeyAction> KeyActionGroup::PageNoSpinEditChange(const KeyAction& action, int32_t pageNo) const {
    if (pageNo < kPageNoMin || pageNo > kPageNoMax || action.Jump != kPageJumpTarget) return std::nullopt;
    return Changed(action, &KeyAction::PageNo, pageNo);
}

std::optional<KeyAction> KeyActionGroup::PlcStopRadioClick(const KeyAction& action, uint8_t plcStop) const {
    if (plcStop >= kPlcRadios.size()) return std::nullopt;
    return Changed(action, &KeyAction::PlcStop, plcStop);
}

std::optional<KeyAction> KeyActionGroup::SetValueSpinEditChange(const KeyAction& action,
                                                                int32_t value) const {
    return Changed(action, &KeyAction::SetValue, value);
}

std::optional<KeyAction> KeyActionGroup::RegNumSpinEditChange(const KeyAction& action, int32_t count) const {
    const std::optional<int32_t> changed = register_.NumSpinEditChange(action.RegNum, count, kRegNumMax);
    if (!changed) return std::nullopt;
    return Changed(action, &KeyAction::RegNum, *changed);
}

std::optional<KeyAction> KeyActionGroup::WithCoil(const KeyAction& action,
                                                  const std::optional<PlcAddress>& coil) {
    if (!coil) return std::nullopt;
    return Changed(action, &KeyAction::Coil, *coil);
}

std::optional<KeyAction> KeyActionGroup::WithRegister(const KeyAction& action,
                                                      const std::optional<PlcAddress>& reg) {
    if (!reg) return std::nullopt;
    return Changed(action, &KeyAction::RegAddress, *reg);
}

}  // namespace qxed
