#pragma once
#include <cstdint>
#include <string>

#include "panels/element_panel.h"
#include "panels/register_group.h"

namespace qxed {

// The variable font text's panel: the register that selects the state, how it is read, the state texts and
// their font. Every entry is kept narrow enough for the preview, and the element's size is its widest entry.
class VarFontTextPanel : public ElementPanel {
  public:
    explicit VarFontTextPanel(PanelContext& context);
    void ApplyPlcProfile(int plcType) override { register_.ApplyPlcProfile(plcType); }

    void VarFontTextRegStationSpinEditChange(int32_t station);
    void VarFontTextRegTypeComboBoxChange(int32_t index);
    void VarFontTextRegNoSpinEditChange(int32_t shown);
    void VarFontTextRegDecRadioButtonClick();
    void VarFontTextRegHexRadioButtonClick();
    // A cell of rows 1..255 was edited (text in the project's code page).
    void VarFontTextContentStringGridSetEditText(int row, const std::string& text);
    void VarFontTextFontButtonClick();

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void StoreAddress(const std::optional<PlcAddress>& address);
    void Fit();

    RegisterGroup register_;
};

}  // namespace qxed
