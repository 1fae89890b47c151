#include "panels/font_text_panel.h"

#include "model/element_rules.h"
#include "panels/font_choice.h"

namespace qxed {

FontTextPanel::FontTextPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::FontText)) {}

void FontTextPanel::FillOwn(const Element& element, PanelState& state) const {
    state.Edit("FontTextContentEdit", element.As<FontTextFields>().Content, kLongTextCapacity);
}

void FontTextPanel::Fit() {
    FitWidth();
    FitHeight();
}

void FontTextPanel::FontTextContentEditChange(const std::string& text) {
    const std::string taken = CutAtCharacter(text, kLongTextCapacity, context_.TextCodePage());
    const bool stored =
        Store<FontTextFields>("fonttext content", [&](Element& element, FontTextFields& fields) {
            if (fields.Content == taken) return;
            fields.Content = taken;
            ShortenToFit(element, context_.TextCodePage(), context_.Z(), context_.Preview().Width);
        });
    if (stored)
        Fit();
    else
        Refuse();
}

void FontTextPanel::FontTextFontButtonClick() {
    const FontTextFields* text = SelectedFields<FontTextFields>();
    if (text == nullptr) return;
    const std::optional<FontDesc> font = ChooseElementFont(context_.Chooser(), text->Font);
    if (!font) return;
    const bool stored = Store<FontTextFields>("fonttext font", [&](Element& element, FontTextFields& fields) {
        fields.Font = *font;
        ShortenToFit(element, context_.TextCodePage(), context_.Z(), context_.Preview().Width);
    });
    if (stored) Fit();
}

}  // namespace qxed
