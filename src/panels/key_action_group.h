#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/key_action.h"
#include "panels/coil_group.h"
#include "panels/control_state.h"
#include "panels/register_group.h"

namespace qxed {

// What a key action shows besides the action itself: the function key list of the panel model and the
// model's date/time page.
struct KeyListing {
    int Model = 0;
    std::vector<std::string> KeyNames;  // UTF-8, in the keypad's list order
    bool DateTimeJumpVisible = false;
};

// What a key does: the function radios with their four sub-groups (coil, page jump, advanced, set data),
// the protection box and, where the owner has them, the key list, the invisible and the hand boxes. It
// edits a KeyAction value: each handler returns the changed action, or nullopt when nothing is to be
// stored. Controls are named with the prefix ("FuncKey", "TouchKey", "HFuncKey"): FuncKeySetCoilRadioButton,
// FuncKeyCoilGroupBox, FuncKeyCoilStationSpinEdit, FuncKeyJumpPageRadioButton, FuncKeyPageNoSpinEdit,
// FuncKeyRegNoSpinEdit, FuncKeySetValueSpinEdit, ...
class KeyActionGroup {
  public:
    struct Options {
        std::string Prefix;
        bool KeyList = false;    // FuncKeyTypeComboBox
        bool Hand = false;       // FuncKeyWithHandCheckBox
        bool Disappear = false;  // FuncKeyDisappearCheckBox
        RegisterCountRule RegisterCount = RegisterCountRule::Profile;
    };
    static constexpr int32_t kPageNoMin = 1;
    static constexpr int32_t kPageNoMax = 65535;
    static constexpr int32_t kRegNumMax = 2;

    explicit KeyActionGroup(Options options);

    // Coil and register types, the advanced function and the jump to the alarm list.
    void ApplyPlcProfile(int plcType);

    void Fill(const KeyAction& action, const KeyListing& listing, PanelState& state) const;

    std::optional<KeyAction> TypeComboBoxChange(const KeyAction& action, int model, int32_t position) const;
    std::optional<KeyAction> DisappearCheckBoxClick(const KeyAction& action, bool checked) const;
    std::optional<KeyAction> WithHandCheckBoxClick(const KeyAction& action, bool checked) const;
    // Refused while the key jumps to the password page, which asks for the password itself.
    std::optional<KeyAction> EncryptCheckBoxClick(const KeyAction& action, bool checked) const;
    std::optional<KeyAction> FunctionRadioClick(const KeyAction& action, uint8_t function) const;
    std::optional<KeyAction> CoilActionRadioClick(const KeyAction& action, uint8_t coilAction) const;
    // The password page clears the protection in the same step.
    std::optional<KeyAction> JumpRadioClick(const KeyAction& action, uint8_t jump) const;
    std::optional<KeyAction> PageNoSpinEditChange(const KeyAction& action, int32_t pageNo) const;
    std::optional<KeyAction> PlcStopRadioClick(const KeyAction& action, uint8_t plcStop) const;
    std::optional<KeyAction> SetValueSpinEditChange(const KeyAction& action, int32_t value) const;
    std::optional<KeyAction> RegNumSpinEditChange(const KeyAction& action, int32_t count) const;

    const CoilGroup& Coil() const { return coil_; }
    const RegisterGroup& Register() const { return register_; }
    // A changed coil or register operand as a changed action.
    static std::optional<KeyAction> WithCoil(const KeyAction& action, const std::optional<PlcAddress>& coil);
    static std::optional<KeyAction> WithRegister(const KeyAction& action,
                                                 const std::optional<PlcAddress>& reg);

    std::string Name(const char* control) const { return options_.Prefix + control; }

  private:
    Options options_;
    CoilGroup coil_;
    RegisterGroup register_;
    bool advanced_ = false;
    bool alarmList_ = false;
};

}  // namespace qxed
