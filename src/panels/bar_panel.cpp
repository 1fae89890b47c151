#include "panels/bar_panel.h"

#include "model/element_rules.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

BarPanel::BarPanel(PanelContext& context) : GraphPanel(context, static_cast<int32_t>(ElementKind::Bar)) {
    const Language& language = context.Texts();
    directions_ = {language.TextUtf8(texts::UpDirect), language.TextUtf8(texts::DownDirect),
                   language.TextUtf8(texts::RightDirect), language.TextUtf8(texts::LeftDirect)};
}

void BarPanel::FillOwn(const Element& element, PanelState& state) const {
    const BarFields& bar = element.As<BarFields>();
    FillGraph(bar, false, state);
    state.Choice("BarDirectComboBox", directions_, bar.Direct);
}

void BarPanel::BarDirectComboBoxChange(int32_t direct) {
    if (direct < 0 || direct >= static_cast<int32_t>(directions_.size())) return Refuse();
    const Size preview = context_.Preview();
    Store<BarFields>("bar direct",
                     [&](Element& element, BarFields&) { SetBarDirection(element, direct, preview); });
}

}  // namespace qxed
