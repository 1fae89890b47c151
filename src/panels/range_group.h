#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "panels/control_state.h"

namespace qxed {

class PanelContext;
struct Element;

// The width and height fields of trends, bars and pictures, in panel dots. They commit when left or on
// Enter: a size below the kind's minimum, or one that would end the element beyond the preview, is
// refused. A picture's size is shown only.
class RangeGroup {
  public:
    // minDots 0: shown only.
    RangeGroup(std::string prefix, int32_t minDots);

    void Fill(int32_t width, int32_t height, const PanelContext& context, PanelState& state) const;
    // The size to store in editor units, or nullopt when refused.
    std::optional<int32_t> AcceptWidth(const Element& element, const PanelContext& context,
                                       int32_t dots) const;
    std::optional<int32_t> AcceptHeight(const Element& element, const PanelContext& context,
                                        int32_t dots) const;

  private:
    std::string prefix_;
    int32_t minDots_;
};

}  // namespace qxed
