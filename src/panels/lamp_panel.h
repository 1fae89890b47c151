#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "panels/coil_group.h"
#include "panels/element_panel.h"

namespace qxed {

// The lamp's panel: its shape, its coil and its logic.
class LampPanel : public ElementPanel {
  public:
    explicit LampPanel(PanelContext& context);
    void ApplyPlcProfile(int plcType) override { coil_.ApplyPlcProfile(plcType); }

    void LampTypeComboBoxChange(int32_t index);
    void LampCoilStationSpinEditChange(int32_t station);
    void LampCoilTypeComboBoxChange(int32_t index);
    void LampCoilNoSpinEditChange(int32_t word);
    void LampCoilNoComboBoxChange(int32_t bit);
    void LampPosLogicRadioButtonClick();
    void LampNegLogicRadioButtonClick();

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void StoreCoil(const std::optional<PlcAddress>& coil);

    CoilGroup coil_;
    std::vector<std::string> lampTypes_;
};

}  // namespace qxed
