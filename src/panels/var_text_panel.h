#pragma once
#include <cstdint>
#include <string>

#include "panels/element_panel.h"
#include "panels/register_group.h"
#include "panels/text_entry.h"

namespace qxed {

// The variable text's panel: the register that selects the state, how it is read, and the state texts.
class VarTextPanel : public ElementPanel {
  public:
    explicit VarTextPanel(PanelContext& context);
    void ApplyPlcProfile(int plcType) override { register_.ApplyPlcProfile(plcType); }

    void VarTextRegStationSpinEditChange(int32_t station);
    void VarTextRegTypeComboBoxChange(int32_t index);
    void VarTextRegNoSpinEditChange(int32_t shown);
    void VarTextRegDecRadioButtonClick();
    void VarTextRegHexRadioButtonClick();
    // A key press in a cell keeps the cell's text as the previous text.
    void VarTextContentStringGridKeyPress(const std::string& current) { entry_.FocusIn(current); }
    // A cell of rows 1..255 was edited (text in the project's code page). The English version puts the
    // previous text back when the new one has bytes of 0x80 and above.
    void VarTextContentStringGridSetEditText(int row, const std::string& text);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void StoreAddress(const std::optional<PlcAddress>& address);

    RegisterGroup register_;
    TextEntry entry_;
};

}  // namespace qxed
