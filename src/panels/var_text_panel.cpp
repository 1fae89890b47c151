#include "panels/var_text_panel.h"

#include "model/element_rules.h"
#include "panels/state_table.h"

namespace qxed {

VarTextPanel::VarTextPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::VarText)),
      register_("VarTextReg", RegisterList::WordAlone, RegisterCountRule::Profile) {}

void VarTextPanel::FillOwn(const Element& element, PanelState& state) const {
    const VarTextFields& text = element.As<VarTextFields>();
    register_.Fill(text.Address, 0, 0, state);
    state.Check("VarTextRegDecRadioButton", text.DecDisp != 0);
    state.Check("VarTextRegHexRadioButton", text.DecDisp == 0);
    state.Plain("VarTextContentStringGrid").Rows = StateRows(text.Texts, text.Count);
}

void VarTextPanel::StoreAddress(const std::optional<PlcAddress>& address) {
    if (!address) return Refuse();
    Store<VarTextFields>("vartext address", [&](Element&, VarTextFields& text) { text.Address = *address; });
}

void VarTextPanel::VarTextRegStationSpinEditChange(int32_t station) {
    if (const VarTextFields* text = SelectedFields<VarTextFields>())
        StoreAddress(register_.StationSpinEditChange(text->Address, station));
}

void VarTextPanel::VarTextRegTypeComboBoxChange(int32_t index) {
    if (const VarTextFields* text = SelectedFields<VarTextFields>())
        StoreAddress(register_.TypeComboBoxChange(text->Address, index));
}

void VarTextPanel::VarTextRegNoSpinEditChange(int32_t shown) {
    if (const VarTextFields* text = SelectedFields<VarTextFields>())
        StoreAddress(register_.NoSpinEditChange(text->Address, shown));
}

void VarTextPanel::VarTextRegDecRadioButtonClick() {
    Store<VarTextFields>("vartext format", [](Element&, VarTextFields& text) { text.DecDisp = 1; });
}

void VarTextPanel::VarTextRegHexRadioButtonClick() {
    Store<VarTextFields>("vartext format", [](Element&, VarTextFields& text) { text.DecDisp = 0; });
}

void VarTextPanel::VarTextContentStringGridSetEditText(int row, const std::string& text) {
    if (!IsStateRow(row)) return;
    const bool refused = context_.AsciiOnly() && HasNonAscii(text);
    const std::string& taken = refused ? entry_.Previous() : text;
    const int columns = context_.Model().CharsPerLine;
    const bool stored = Store<VarTextFields>("vartext texts", [&](Element&, VarTextFields& fields) {
        fields.Texts[static_cast<size_t>(row - kFirstStateRow)] = taken;
        RecountVarText(fields, columns, context_.TextCodePage());
    });
    if (stored) FitWidth();
    if (refused || !stored) Refuse();
}

}  // namespace qxed
