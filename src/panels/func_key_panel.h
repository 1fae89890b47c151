#pragma once
#include <cstdint>

#include "panels/key_panel.h"

namespace qxed {

// The function key's panel: which panel key, the hand symbol and the invisible key, and its action. An
// invisible key shows neither hand nor double size nor inverse: the boxes are cleared and disabled.
class FuncKeyPanel : public KeyPanel {
  public:
    explicit FuncKeyPanel(PanelContext& context);

    void FuncKeyTypeComboBoxChange(int32_t position);
    void FuncKeyWithHandCheckBoxClick(bool checked);
    void DisappearCheckBoxClick(bool checked) override;
    void DoubleCheckBoxClick(bool checked) override;
    void InverseCheckBoxClick(bool checked) override;

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;
};

}  // namespace qxed
