#include "panels/special_group.h"

#include "model/element.h"
#include "panels/panel_table.h"

namespace qxed {

SpecialGroup::SpecialGroup(const PanelRow& row)
    : prefix_(row.Prefix), double_(row.Double), inverse_(row.Inverse) {}

void SpecialGroup::Fill(const Element& element, PanelState& state) const {
    if (double_) state.Check(DoubleName(), element.Double != 0);
    if (inverse_) state.Check(InverseName(), element.Inverse != 0);
}

void SpecialGroup::SetDouble(Element& element, bool checked) const {
    if (double_) element.Double = checked ? 1 : 0;
}

void SpecialGroup::SetInverse(Element& element, bool checked) const {
    if (inverse_) element.Inverse = checked ? 1 : 0;
}

}  // namespace qxed
