#include "panels/panel_context.h"

#include "document/element_commands.h"
#include "text/language.h"
#include "workbench/element_placing.h"

namespace qxed {

PanelContext::PanelContext(Document& document, const Language& language, ElementPlacing& placing,
                           FileChooser& chooser)
    : document_(document), language_(language), placing_(placing), chooser_(chooser) {}

const PanelModel& PanelContext::Model() const {
    const PanelModel* model = FindPanelModel(document_.Contents().Settings.CurrentModel);
    return model != nullptr ? *model : *FindPanelModel(0);
}

Size PanelContext::Preview() const {
    const PreviewSize size = PreviewSizeOf(Model());
    return Size{size.Width, size.Height};
}

bool PanelContext::AsciiOnly() const {
    return language_.LanguageIndex() == 0;
}

bool PanelContext::EditSelected(std::string_view field, const std::function<void(Element&)>& edit) {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return false;
    Element changed = *selected;
    edit(changed);
    if (changed == *selected) return false;
    return document_.Apply(SetElement(document_.CurrentPageNumber(), 0, std::move(changed), FieldKey(field)));
}

std::string PanelContext::FieldKey(std::string_view field) const {
    return std::string(field) + " p" + std::to_string(document_.CurrentPageNumber()) + " e0";
}

bool HasNonAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

}  // namespace qxed
