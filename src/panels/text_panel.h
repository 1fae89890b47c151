#pragma once
#include <string>

#include "panels/element_panel.h"
#include "panels/text_entry.h"

namespace qxed {

// The static text's panel: its content, at most as many characters as the panel model shows in a line.
class TextPanel : public ElementPanel {
  public:
    explicit TextPanel(PanelContext& context);

    // Texts are bytes of the project's code page.
    void TextContentEditEnter(const std::string& current) { entry_.FocusIn(current); }
    void TextContentEditReturn(const std::string& current) { entry_.EnterPressed(current); }
    void TextContentEditEscape() { TextContentEditChange(entry_.Previous()); }
    // The English version refuses bytes of 0x80 and above: the previous text comes back.
    void TextContentEditChange(const std::string& text);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    TextEntry entry_;
};

}  // namespace qxed
