#pragma once
#include <cstdint>
#include <string>

#include "panels/control_state.h"

namespace qxed {

class PanelContext;
struct Element;

// The X and Y fields, in panel dots. They commit when left or on Enter; a refused position (negative, or
// the element would end beyond the preview) shows the stored one again.
class CoordinatesGroup {
  public:
    // xFollowsModel: the large panels disable this kind's X field (X then changes only by dragging).
    CoordinatesGroup(std::string prefix, bool xFollowsModel);

    void Fill(const Element& element, const PanelContext& context, PanelState& state) const;
    void CoordXSpinEditExit(PanelContext& context, int32_t panelX) const;
    void CoordYSpinEditExit(PanelContext& context, int32_t panelY) const;

  private:
    std::string prefix_;
    bool xFollowsModel_;
};

}  // namespace qxed
