#pragma once
#include <cstdint>
#include <string>

#include "panels/key_panel.h"
#include "panels/text_entry.h"

namespace qxed {

// The touch key's panel: its caption and font (as a font text), the indicator of the set-coil function,
// the invisible key, and its action. An invisible key shows neither inverse nor indicator.
class TouchKeyPanel : public KeyPanel {
  public:
    explicit TouchKeyPanel(PanelContext& context);

    void TouchKeyContentEditEnter(const std::string& current) { entry_.FocusIn(current); }
    void TouchKeyContentEditReturn(const std::string& current) { entry_.EnterPressed(current); }
    void TouchKeyContentEditEscape() { TouchKeyContentEditChange(entry_.Previous()); }
    // Any bytes are accepted; the caption is shortened until the key fits the preview.
    void TouchKeyContentEditChange(const std::string& text);
    void TouchKeyFontButtonClick();
    void TouchKeyIndicateCheckBoxClick(bool checked);
    void DisappearCheckBoxClick(bool checked) override;
    void FunctionRadioClick(uint8_t function) override;
    void InverseCheckBoxClick(bool checked) override;

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    void Fit();
    TextEntry entry_;
};

}  // namespace qxed
