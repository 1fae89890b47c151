#pragma once
#include <cstdint>

#include "panels/display_format_group.h"
#include "panels/element_panel.h"
#include "panels/register_group.h"

namespace qxed {

// The register display's panel: its operand, the number format and the entry options. DecimalDigits never
// exceeds Digits; float and conversion exclude each other; the entry options need "设定".
class RegPanel : public ElementPanel {
  public:
    static constexpr int32_t kDigitsMin = 1;
    static constexpr int32_t kDigitsMax = 10;
    static constexpr int32_t kDecimalDigitsMax = 10;
    static constexpr int32_t kNumMax = 2;

    explicit RegPanel(PanelContext& context);
    void ApplyPlcProfile(int plcType) override { register_.ApplyPlcProfile(plcType); }

    void RegStationSpinEditChange(int32_t station);
    void RegTypeComboBoxChange(int32_t index);
    void RegNoSpinEditChange(int32_t shown);
    void RegNumSpinEditChange(int32_t count);
    void RegDigitsSpinEditChange(int32_t digits);
    void RegDecimalDigitsSpinEditChange(int32_t decimals);
    void RegPre0CheckBoxClick(bool checked);
    void RegFloatCheckBoxClick(bool checked);
    void RegDecDispRadioButtonClick();
    void RegHexDispRadioButtonClick();
    void RegSignedCheckBoxClick(bool checked);
    void RegNeedSetCheckBoxClick(bool checked);
    void RegEncryptCheckBoxClick(bool checked);
    void RegLimitCheckBoxClick(bool checked);
    void RegConvertCheckBoxClick(bool checked);
    void RegUpLimitSpinEditChange(int32_t value);
    void RegLowLimitSpinEditChange(int32_t value);
    void RegValUpLimitSpinEditChange(int32_t value);
    void RegValLowLimitSpinEditChange(int32_t value);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void StoreAddress(const std::optional<PlcAddress>& address);
    void StoreFormat(const std::optional<DisplayFormat>& format);

    RegisterGroup register_;
};

}  // namespace qxed
