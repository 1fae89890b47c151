#pragma once
#include <cstdint>
#include <optional>

#include "model/key_action.h"
#include "panels/element_panel.h"
#include "panels/key_action_group.h"

namespace qxed {

// What the function key and the touch key panels share: the key action group on the element's action.
// The handlers are named after the controls without the panel's prefix (FuncKey..., TouchKey...), since
// both panels forward their controls of the same name here.
class KeyPanel : public ElementPanel {
  public:
    KeyPanel(PanelContext& context, int32_t kind, KeyActionGroup::Options options);
    void ApplyPlcProfile(int plcType) override { group_.ApplyPlcProfile(plcType); }

    virtual void DisappearCheckBoxClick(bool checked) = 0;
    void EncryptCheckBoxClick(bool checked);
    // SetCoilRadioButton 0, JmpCtrlRadioButton 1, AdvanceRadioButton 2, SetRegRadioButton 4.
    virtual void FunctionRadioClick(uint8_t function);
    // SetOnRadioButton .. MomentOnRadioButton: 0..3.
    void CoilActionRadioClick(uint8_t coilAction);
    // JumpPageRadioButton .. JumpDateTimeRadioButton: 0..3.
    void JumpRadioClick(uint8_t jump);
    void PageNoSpinEditChange(int32_t pageNo);
    // PlcRunRadioButton 0, PlcStopRadioButton 1.
    void PlcStopRadioClick(uint8_t plcStop);
    void CoilStationSpinEditChange(int32_t station);
    void CoilTypeComboBoxChange(int32_t index);
    void CoilNoSpinEditChange(int32_t word);
    void CoilNoComboBoxChange(int32_t bit);
    void RegStationSpinEditChange(int32_t station);
    void RegTypeComboBoxChange(int32_t index);
    void RegNoSpinEditChange(int32_t shown);
    void RegNumSpinEditChange(int32_t count);
    void SetValueSpinEditChange(int32_t value);

  protected:
    void FillAction(const KeyAction& action, PanelState& state) const;
    const KeyAction* SelectedAction() const;
    // Stores the changed action; extra: more changes of the element in the same step.
    bool StoreAction(std::string_view field, const std::optional<KeyAction>& action,
                     const std::function<void(Element&)>& extra = {});

    KeyActionGroup group_;
};

}  // namespace qxed
