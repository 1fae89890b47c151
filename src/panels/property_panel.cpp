#include "panels/property_panel.h"

namespace qxed {

PropertyPanel::PropertyPanel(Document& document, const Language& language, ElementPlacing& placing,
                             FileChooser& chooser)
    : document_(document),
      context_(document, language, placing, chooser),
      attr_(context_),
      text_(context_),
      reg_(context_),
      lamp_(context_),
      funcKey_(context_),
      trend_(context_),
      bar_(context_),
      pic_(context_),
      varText_(context_),
      fontText_(context_),
      touchKey_(context_),
      varFontText_(context_),
      asciiText_(context_) {
    panels_ = {nullptr, &text_,    &reg_,      &lamp_,     &funcKey_,     &trend_,    &bar_,
               &pic_,   &varText_, &fontText_, &touchKey_, &varFontText_, &asciiText_};
    context_.Republish = [this] { RefreshPropertyPanel(); };
    ApplyPlcProfile(document_.Contents().Settings.PlcType);
    documentChanges_ = document_.Changed.Connect([this](const Change& change) { OnDocumentChanged(change); });
    RefreshPropertyPanel();
}

void PropertyPanel::SetView(PropertyPanelView* view) {
    view_ = view;
    if (view_ != nullptr) view_->ShowPanel(state_);
}

ElementPanel* PropertyPanel::PanelOf(int32_t kind) {
    return kind >= 1 && kind <= 12 ? panels_[static_cast<size_t>(kind)] : nullptr;
}

const ElementPanel* PropertyPanel::PanelOf(int32_t kind) const {
    return kind >= 1 && kind <= 12 ? panels_[static_cast<size_t>(kind)] : nullptr;
}

PanelState PropertyPanel::FillPropertyPanel(const Element& element) const {
    const ElementPanel* panel = PanelOf(element.Kind);
    // An element of a kind the editor does not know (read from a damaged file) has no panel.
    if (panel == nullptr || element.Fields.index() != static_cast<size_t>(element.Kind)) return attr_.Fill();
    return panel->Fill(element);
}

void PropertyPanel::RefreshPropertyPanel() {
    const Element* selected = document_.SelectedElement();
    state_ = selected != nullptr ? FillPropertyPanel(*selected) : attr_.Fill();
    if (view_ != nullptr) view_->ShowPanel(state_);
}

void PropertyPanel::ApplyPlcProfile(int plcType) {
    plcType_ = plcType;
    for (ElementPanel* panel : panels_)
        if (panel != nullptr) panel->ApplyPlcProfile(plcType);
}

void PropertyPanel::OnDocumentChanged(const Change& change) {
    if ((change.Parts & ~static_cast<unsigned>(Change::FileState)) == 0) return;
    if (change.Has(Change::Settings) && document_.Contents().Settings.PlcType != plcType_)
        ApplyPlcProfile(document_.Contents().Settings.PlcType);
    RefreshPropertyPanel();
}

}  // namespace qxed
