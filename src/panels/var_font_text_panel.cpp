#include "panels/var_font_text_panel.h"

#include "model/element_rules.h"
#include "panels/font_choice.h"
#include "panels/state_table.h"

namespace qxed {

VarFontTextPanel::VarFontTextPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::VarFontText)),
      register_("VarFontTextReg", RegisterList::WordAlone, RegisterCountRule::Profile) {}

void VarFontTextPanel::FillOwn(const Element& element, PanelState& state) const {
    const VarFontTextFields& text = element.As<VarFontTextFields>();
    register_.Fill(text.Address, 0, 0, state);
    state.Check("VarFontTextRegDecRadioButton", text.DecDisp != 0);
    state.Check("VarFontTextRegHexRadioButton", text.DecDisp == 0);
    state.Plain("VarFontTextContentStringGrid").Rows = StateRows(text.Texts, text.Count);
}

void VarFontTextPanel::StoreAddress(const std::optional<PlcAddress>& address) {
    if (!address) return Refuse();
    Store<VarFontTextFields>("varfonttext address",
                             [&](Element&, VarFontTextFields& text) { text.Address = *address; });
}

void VarFontTextPanel::Fit() {
    FitWidth();
    FitHeight();
}

void VarFontTextPanel::VarFontTextRegStationSpinEditChange(int32_t station) {
    if (const VarFontTextFields* text = SelectedFields<VarFontTextFields>())
        StoreAddress(register_.StationSpinEditChange(text->Address, station));
}

void VarFontTextPanel::VarFontTextRegTypeComboBoxChange(int32_t index) {
    if (const VarFontTextFields* text = SelectedFields<VarFontTextFields>())
        StoreAddress(register_.TypeComboBoxChange(text->Address, index));
}

void VarFontTextPanel::VarFontTextRegNoSpinEditChange(int32_t shown) {
    if (const VarFontTextFields* text = SelectedFields<VarFontTextFields>())
        StoreAddress(register_.NoSpinEditChange(text->Address, shown));
}

void VarFontTextPanel::VarFontTextRegDecRadioButtonClick() {
    Store<VarFontTextFields>("varfonttext format",
                             [](Element&, VarFontTextFields& text) { text.DecDisp = 1; });
}

void VarFontTextPanel::VarFontTextRegHexRadioButtonClick() {
    Store<VarFontTextFields>("varfonttext format",
                             [](Element&, VarFontTextFields& text) { text.DecDisp = 0; });
}

void VarFontTextPanel::VarFontTextContentStringGridSetEditText(int row, const std::string& text) {
    if (!IsStateRow(row)) return;
    const CodePage codePage = context_.TextCodePage();
    const std::string taken = CutAtCharacter(text, kLongTextCapacity, codePage);
    const bool stored =
        Store<VarFontTextFields>("varfonttext texts", [&](Element&, VarFontTextFields& fields) {
            fields.Texts[static_cast<size_t>(row - kFirstStateRow)] = taken;
            RefitVarFontText(fields, codePage, context_.Z(), context_.Preview().Width);
        });
    if (stored)
        Fit();
    else
        Refuse();
}

void VarFontTextPanel::VarFontTextFontButtonClick() {
    const VarFontTextFields* text = SelectedFields<VarFontTextFields>();
    if (text == nullptr) return;
    const std::optional<FontDesc> font = ChooseElementFont(context_.Chooser(), text->Font);
    if (!font) return;
    const bool stored =
        Store<VarFontTextFields>("varfonttext font", [&](Element&, VarFontTextFields& fields) {
            fields.Font = *font;
            RefitVarFontText(fields, context_.TextCodePage(), context_.Z(), context_.Preview().Width);
        });
    if (stored) Fit();
}

}  // namespace qxed
