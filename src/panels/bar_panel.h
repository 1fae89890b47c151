#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "panels/graph_panel.h"

namespace qxed {

// The bar graph's panel: the graph fields and the direction it grows in.
class BarPanel : public GraphPanel {
  public:
    explicit BarPanel(PanelContext& context);

    // Between vertical and horizontal the size turns, and the bar is pulled back inside the preview.
    void BarDirectComboBoxChange(int32_t direct);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    std::vector<std::string> directions_;
};

}  // namespace qxed
