#pragma once
#include <string>

#include "panels/element_panel.h"
#include "panels/text_entry.h"

namespace qxed {

// The font text's panel: its text and its font. The text is shortened from its end until the element fits
// the preview, and the element is then pulled inside it.
class FontTextPanel : public ElementPanel {
  public:
    explicit FontTextPanel(PanelContext& context);

    void FontTextContentEditEnter(const std::string& current) { entry_.FocusIn(current); }
    void FontTextContentEditReturn(const std::string& current) { entry_.EnterPressed(current); }
    void FontTextContentEditEscape() { FontTextContentEditChange(entry_.Previous()); }
    // Any bytes are accepted (text in the project's code page).
    void FontTextContentEditChange(const std::string& text);
    void FontTextFontButtonClick();

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void Fit();
    TextEntry entry_;
};

}  // namespace qxed
