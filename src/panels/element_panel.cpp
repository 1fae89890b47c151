#include "panels/element_panel.h"

#include "workbench/element_placing.h"

namespace qxed {

ElementPanel::ElementPanel(PanelContext& context, int32_t kind)
    : context_(context),
      row_(PanelRowOf(kind)),
      coordinates_(std::string(row_.Prefix), row_.XFieldFollowsModel),
      special_(row_) {}

PanelState ElementPanel::Fill(const Element& element) const {
    PanelState state;
    state.Group = row_.GroupBox;
    coordinates_.Fill(element, context_, state);
    special_.Fill(element, state);
    FillOwn(element, state);
    return state;
}

void ElementPanel::CoordXSpinEditExit(int32_t panelX) {
    coordinates_.CoordXSpinEditExit(context_, panelX);
}

void ElementPanel::CoordYSpinEditExit(int32_t panelY) {
    coordinates_.CoordYSpinEditExit(context_, panelY);
}

void ElementPanel::DoubleCheckBoxClick(bool checked) {
    context_.EditSelected("double", [&](Element& element) { special_.SetDouble(element, checked); });
    FitWidth();
    FitHeight();
}

void ElementPanel::InverseCheckBoxClick(bool checked) {
    context_.EditSelected("inverse", [&](Element& element) { special_.SetInverse(element, checked); });
}

void ElementPanel::FitWidth() {
    context_.Placing().FitWidth();
}

void ElementPanel::FitHeight() {
    context_.Placing().FitHeight();
}

}  // namespace qxed
