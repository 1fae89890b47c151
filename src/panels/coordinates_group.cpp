#include "panels/coordinates_group.h"

#include "model/editor_units.h"
#include "panels/panel_context.h"
#include "workbench/element_placing.h"
#include "workbench/model_layout.h"

namespace qxed {

CoordinatesGroup::CoordinatesGroup(std::string prefix, bool xFollowsModel)
    : prefix_(std::move(prefix)), xFollowsModel_(xFollowsModel) {}

void CoordinatesGroup::Fill(const Element& element, const PanelContext& context, PanelState& state) const {
    const int z = context.Z();
    const bool xEnabled = !xFollowsModel_ || ModelLayoutOf(context.Model().Index).XFieldsEnabled;
    state.Spin(prefix_ + "CoordXSpinEdit", ToPanelDots(element.X, z), 0, kUnboundedMax, xEnabled);
    state.Spin(prefix_ + "CoordYSpinEdit", ToPanelDots(element.Y, z), 0, kUnboundedMax);
}

void CoordinatesGroup::CoordXSpinEditExit(PanelContext& context, int32_t panelX) const {
    if (!context.Placing().CommitX(panelX)) context.ShowStoredAgain();
}

void CoordinatesGroup::CoordYSpinEditExit(PanelContext& context, int32_t panelY) const {
    if (!context.Placing().CommitY(panelY)) context.ShowStoredAgain();
}

}  // namespace qxed
