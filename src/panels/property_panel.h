#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "document/document.h"
#include "panels/ascii_text_panel.h"
#include "panels/attr_panel.h"
#include "panels/bar_panel.h"
#include "panels/control_state.h"
#include "panels/font_text_panel.h"
#include "panels/func_key_panel.h"
#include "panels/lamp_panel.h"
#include "panels/panel_context.h"
#include "panels/pic_panel.h"
#include "panels/reg_panel.h"
#include "panels/text_panel.h"
#include "panels/touch_key_panel.h"
#include "panels/trend_panel.h"
#include "panels/var_font_text_panel.h"
#include "panels/var_text_panel.h"

namespace qxed {

class ElementPlacing;
class FileChooser;
class Language;

// The property area as its widgets see it: one panel's state at a time.
class PropertyPanelView {
  public:
    virtual ~PropertyPanelView() = default;
    // Shows state.Group and hides every other group box, then gives each control its state.
    virtual void ShowPanel(const PanelState& state) = 0;
};

// The property area below the preview: the page attributes while nothing is selected, else the panel of
// the selected element's kind. It follows the document: every change notice fills the panel again, and a
// change of the PLC type gives every operand group the new profile.
class PropertyPanel {
  public:
    PropertyPanel(Document& document, const Language& language, ElementPlacing& placing,
                  FileChooser& chooser);
    PropertyPanel(const PropertyPanel&) = delete;
    PropertyPanel& operator=(const PropertyPanel&) = delete;

    void SetView(PropertyPanelView* view);

    // The state of every control of the element's panel; nothing is written.
    PanelState FillPropertyPanel(const Element& element) const;
    // The selected element's panel, or the page attributes without a selection; shown at once.
    void RefreshPropertyPanel();
    // The PLC type's operand lists, bounds and options into every operand group.
    void ApplyPlcProfile(int plcType);
    int AppliedPlcType() const { return plcType_; }

    const PanelState& State() const { return state_; }

    AttrPanel& Attr() { return attr_; }
    TextPanel& Text() { return text_; }
    RegPanel& Reg() { return reg_; }
    LampPanel& Lamp() { return lamp_; }
    FuncKeyPanel& FuncKey() { return funcKey_; }
    TrendPanel& Trend() { return trend_; }
    BarPanel& Bar() { return bar_; }
    PicPanel& Pic() { return pic_; }
    VarTextPanel& VarText() { return varText_; }
    FontTextPanel& FontText() { return fontText_; }
    TouchKeyPanel& TouchKey() { return touchKey_; }
    VarFontTextPanel& VarFontText() { return varFontText_; }
    ASCIITextPanel& ASCIIText() { return asciiText_; }
    // The panel of a kind code 1..12; nullptr otherwise.
    ElementPanel* PanelOf(int32_t kind);
    const ElementPanel* PanelOf(int32_t kind) const;

  private:
    void OnDocumentChanged(const Change& change);

    Document& document_;
    PanelContext context_;
    AttrPanel attr_;
    TextPanel text_;
    RegPanel reg_;
    LampPanel lamp_;
    FuncKeyPanel funcKey_;
    TrendPanel trend_;
    BarPanel bar_;
    PicPanel pic_;
    VarTextPanel varText_;
    FontTextPanel fontText_;
    TouchKeyPanel touchKey_;
    VarFontTextPanel varFontText_;
    ASCIITextPanel asciiText_;
    std::array<ElementPanel*, 13> panels_{};  // by kind code, 0 unused

    int plcType_ = -1;
    PanelState state_;
    PropertyPanelView* view_ = nullptr;
    Connection documentChanges_;
};

}  // namespace qxed
