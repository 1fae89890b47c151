#include "panels/pic_panel.h"

namespace qxed {

PicPanel::PicPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::Pic)), range_("Pic", 0) {}

void PicPanel::FillOwn(const Element& element, PanelState& state) const {
    const PicFields& pic = element.As<PicFields>();
    range_.Fill(pic.Width, pic.Height, context_, state);
}

}  // namespace qxed
