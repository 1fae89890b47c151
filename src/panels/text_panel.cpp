#include "panels/text_panel.h"

#include "model/element_rules.h"
#include "workbench/model_layout.h"

namespace qxed {

TextPanel::TextPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::Text)) {}

void TextPanel::FillOwn(const Element& element, PanelState& state) const {
    state.Edit("TextContentEdit", element.As<TextFields>().Content,
               ModelLayoutOf(context_.Model().Index).TextMaxLength);
}

void TextPanel::TextContentEditChange(const std::string& text) {
    const bool refused = context_.AsciiOnly() && HasNonAscii(text);
    const std::string taken =
        CutAtCharacter(refused ? entry_.Previous() : text, kShortTextCapacity, context_.TextCodePage());
    const bool stored =
        Store<TextFields>("text", [&](Element&, TextFields& fields) { fields.Content = taken; });
    if (stored) FitWidth();
    if (refused) Refuse();
}

}  // namespace qxed
