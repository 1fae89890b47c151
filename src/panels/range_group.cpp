#include "panels/range_group.h"

#include "model/editor_units.h"
#include "panels/panel_context.h"

namespace qxed {

RangeGroup::RangeGroup(std::string prefix, int32_t minDots) : prefix_(std::move(prefix)), minDots_(minDots) {}

void RangeGroup::Fill(int32_t width, int32_t height, const PanelContext& context, PanelState& state) const {
    const int z = context.Z();
    const bool editable = minDots_ > 0;
    const int32_t min = editable ? minDots_ : 0;
    state.Spin(prefix_ + "WidthSpinEdit", ToPanelDots(width, z), min, kUnboundedMax, editable);
    state.Spin(prefix_ + "HeightSpinEdit", ToPanelDots(height, z), min, kUnboundedMax, editable);
}

std::optional<int32_t> RangeGroup::AcceptWidth(const Element& element, const PanelContext& context,
                                               int32_t dots) const {
    if (minDots_ <= 0 || dots < minDots_) return std::nullopt;
    const int32_t width = ToEditorUnits(dots, context.Z());
    if (int64_t{element.X} + width > context.Preview().Width) return std::nullopt;
    return width;
}

std::optional<int32_t> RangeGroup::AcceptHeight(const Element& element, const PanelContext& context,
                                                int32_t dots) const {
    if (minDots_ <= 0 || dots < minDots_) return std::nullopt;
    const int32_t height = ToEditorUnits(dots, context.Z());
    if (int64_t{element.Y} + height > context.Preview().Height) return std::nullopt;
    return height;
}

}  // namespace qxed
