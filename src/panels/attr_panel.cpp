#include "panels/attr_panel.h"

#include "document/page_commands.h"
#include "model/element_rules.h"
#include "panels/panel_context.h"

namespace qxed {

AttrPanel::AttrPanel(PanelContext& context) : context_(context) {}

PanelState AttrPanel::Fill() const {
    const Page& page = context_.Doc().CurrentPage();
    PanelState state;
    state.Group = "AttrGroupBox";
    state.Edit("PageTitleEdit", page.Title, kTitleLength);
    state.Spin("PrvPageNoSpinEdit", page.PrvPageNo, 0, kPageNoMax);
    state.Spin("NxtPageNoSpinEdit", page.NxtPageNo, 0, kPageNoMax);
    return state;
}

void AttrPanel::PageTitleEditChange(const std::string& title) {
    Document& document = context_.Doc();
    const Page& page = document.CurrentPage();
    const std::string cut = CutAtCharacter(title, kTitleLength, context_.TextCodePage());
    if (!document.Apply(SetPageAttributes(page.Number, cut, page.PrvPageNo, page.NxtPageNo,
                                          "page title p" + std::to_string(page.Number))))
        context_.ShowStoredAgain();
}

void AttrPanel::PrvPageNoSpinEditChange(int32_t pageNo) {
    Document& document = context_.Doc();
    const Page& page = document.CurrentPage();
    if (pageNo < 0 || pageNo > kPageNoMax) return context_.ShowStoredAgain();
    document.Apply(SetPageAttributes(page.Number, page.Title, static_cast<uint16_t>(pageNo), page.NxtPageNo,
                                     "page prv p" + std::to_string(page.Number)));
}

void AttrPanel::NxtPageNoSpinEditChange(int32_t pageNo) {
    Document& document = context_.Doc();
    const Page& page = document.CurrentPage();
    if (pageNo < 0 || pageNo > kPageNoMax) return context_.ShowStoredAgain();
    document.Apply(SetPageAttributes(page.Number, page.Title, page.PrvPageNo, static_cast<uint16_t>(pageNo),
                                     "page nxt p" + std::to_string(page.Number)));
}

}  // namespace qxed
