#pragma once
#include <cstdint>
#include <string>

#include "panels/control_state.h"
#include "panels/text_entry.h"

namespace qxed {

class PanelContext;

// The page attribute panel, shown while no element is selected: the current page's title and the pages
// the panel's up and down keys lead to.
class AttrPanel {
  public:
    static constexpr int kTitleLength = 40;
    static constexpr int32_t kPageNoMax = 65535;

    explicit AttrPanel(PanelContext& context);

    PanelState Fill() const;

    void PageTitleEditEnter(const std::string& current) { entry_.FocusIn(current); }
    void PageTitleEditReturn(const std::string& current) { entry_.EnterPressed(current); }
    // Escape: the remembered title comes back and is stored like any change.
    void PageTitleEditEscape() { PageTitleEditChange(entry_.Previous()); }
    // Bytes of the project's code page, cut to 40.
    void PageTitleEditChange(const std::string& title);
    void PrvPageNoSpinEditChange(int32_t pageNo);
    void NxtPageNoSpinEditChange(int32_t pageNo);

  private:
    PanelContext& context_;
    TextEntry entry_;
};

}  // namespace qxed
