#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/element.h"
#include "panels/control_state.h"
#include "panels/coordinates_group.h"
#include "panels/panel_context.h"
#include "panels/panel_table.h"
#include "panels/special_group.h"

namespace qxed {

// The panel of one element kind: the shared position groups here, the kind's own controls in the derived
// class. Fill produces the state of every control from the element and writes nothing; the handlers act
// on the selected element and store through the document only what differs.
class ElementPanel {
  public:
    ElementPanel(PanelContext& context, int32_t kind);
    virtual ~ElementPanel() = default;
    ElementPanel(const ElementPanel&) = delete;
    ElementPanel& operator=(const ElementPanel&) = delete;

    const PanelRow& Row() const { return row_; }
    // The lists and bounds of the kind's operand groups.
    virtual void ApplyPlcProfile(int /*plcType*/) {}
    PanelState Fill(const Element& element) const;

    // <Prefix>CoordXSpinEdit, <Prefix>CoordYSpinEdit: left or Enter pressed.
    void CoordXSpinEditExit(int32_t panelX);
    void CoordYSpinEditExit(int32_t panelY);
    // <Prefix>DoubleCheckBox, <Prefix>InverseCheckBox.
    virtual void DoubleCheckBoxClick(bool checked);
    virtual void InverseCheckBoxClick(bool checked);

  protected:
    virtual void FillOwn(const Element& element, PanelState& state) const = 0;
    std::string Name(std::string_view control) const {
        return std::string(row_.Prefix) + std::string(control);
    }

    // Edits the selected element when it is of this kind; true when something was stored.
    template <class Fields>
    bool Store(std::string_view field, const std::function<void(Element&, Fields&)>& edit) {
        return context_.EditSelected(field, [&](Element& element) {
            if (element.Kind != row_.Kind) return;
            if (Fields* fields = element.If<Fields>()) edit(element, *fields);
        });
    }
    template <class Fields>
    const Fields* SelectedFields() const {
        const Element* selected = context_.Selected();
        if (selected == nullptr || selected->Kind != row_.Kind) return nullptr;
        return selected->If<Fields>();
    }
    // A refused entry: the field shows the stored value again.
    void Refuse() { context_.ShowStoredAgain(); }
    void FitWidth();
    void FitHeight();

    PanelContext& context_;
    const PanelRow& row_;
    CoordinatesGroup coordinates_;
    SpecialGroup special_;
};

}  // namespace qxed
