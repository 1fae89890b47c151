#pragma once
#include "panels/element_panel.h"
#include "panels/range_group.h"

namespace qxed {

// The picture's panel: its position; the size of the loaded picture is shown only.
class PicPanel : public ElementPanel {
  public:
    explicit PicPanel(PanelContext& context);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    RangeGroup range_;
};

}  // namespace qxed
