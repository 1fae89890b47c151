#pragma once
#include <cstdint>

#include "panels/element_panel.h"
#include "panels/register_group.h"

namespace qxed {

// The ASCII string's panel: its first register, how many registers hold it and how many characters are
// shown. The registers fit the panel model's string budget (16 or 32 bytes).
class ASCIITextPanel : public ElementPanel {
  public:
    explicit ASCIITextPanel(PanelContext& context);
    void ApplyPlcProfile(int plcType) override { register_.ApplyPlcProfile(plcType); }

    void ASCIITextRegStationSpinEditChange(int32_t station);
    // The register-count maximum follows the new type's width; a count beyond it is lowered with it.
    void ASCIITextRegTypeComboBoxChange(int32_t index);
    void ASCIITextRegNoSpinEditChange(int32_t shown);
    void ASCIITextRegNumSpinEditChange(int32_t count);
    void ASCIITextCharNumSpinEditChange(int32_t characters);

    // The string budget in bytes, and the register count that fills it for a register type.
    int32_t BudgetBytes() const;
    int32_t RegisterCountMax(int32_t typeIndex) const;

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    RegisterGroup register_;
};

}  // namespace qxed
