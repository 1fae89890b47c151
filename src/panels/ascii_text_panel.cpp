#include "panels/ascii_text_panel.h"

#include <algorithm>

#include "plc/operand_numbers.h"

namespace qxed {

ASCIITextPanel::ASCIITextPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::ASCIIText)),
      register_("ASCIITextReg", RegisterList::WordAlone, RegisterCountRule::ProfileOrSiemens) {}

int32_t ASCIITextPanel::BudgetBytes() const {
    return context_.Model().AlarmCapacity / 8;
}

int32_t ASCIITextPanel::RegisterCountMax(int32_t typeIndex) const {
    return std::max(1, BudgetBytes() / std::max(1, RegisterWidth(context_.PlcType(), typeIndex)));
}

void ASCIITextPanel::FillOwn(const Element& element, PanelState& state) const {
    const ASCIITextFields& text = element.As<ASCIITextFields>();
    register_.Fill(text.Address, text.Num, RegisterCountMax(text.Address.TypeIndex), state);
    state.Spin("ASCIITextCharNumSpinEdit", text.CharNum, 1, BudgetBytes());
}

void ASCIITextPanel::ASCIITextRegStationSpinEditChange(int32_t station) {
    const ASCIITextFields* text = SelectedFields<ASCIITextFields>();
    if (text == nullptr) return;
    const std::optional<PlcAddress> address = register_.StationSpinEditChange(text->Address, station);
    if (!address) return Refuse();
    Store<ASCIITextFields>("ascii address",
                           [&](Element&, ASCIITextFields& fields) { fields.Address = *address; });
}

void ASCIITextPanel::ASCIITextRegTypeComboBoxChange(int32_t index) {
    const ASCIITextFields* text = SelectedFields<ASCIITextFields>();
    if (text == nullptr) return;
    const std::optional<PlcAddress> address = register_.TypeComboBoxChange(text->Address, index);
    if (!address) return Refuse();
    const int32_t countMax = RegisterCountMax(address->TypeIndex);
    Store<ASCIITextFields>("ascii address", [&](Element&, ASCIITextFields& fields) {
        fields.Address = *address;
        fields.Num = std::clamp(fields.Num, 1, countMax);
    });
}

void ASCIITextPanel::ASCIITextRegNoSpinEditChange(int32_t shown) {
    const ASCIITextFields* text = SelectedFields<ASCIITextFields>();
    if (text == nullptr) return;
    const std::optional<PlcAddress> address = register_.NoSpinEditChange(text->Address, shown);
    if (!address) return Refuse();
    Store<ASCIITextFields>("ascii address",
                           [&](Element&, ASCIITextFields& fields) { fields.Address = *address; });
}

void ASCIITextPanel::ASCIITextRegNumSpinEditChange(int32_t count) {
    const ASCIITextFields* text = SelectedFields<ASCIITextFields>();
    if (text == nullptr) return;
    const std::optional<int32_t> num =
        register_.NumSpinEditChange(text->Num, count, RegisterCountMax(text->Address.TypeIndex));
    if (!num) return Refuse();
    Store<ASCIITextFields>("ascii num", [&](Element&, ASCIITextFields& fields) { fields.Num = *num; });
}

void ASCIITextPanel::ASCIITextCharNumSpinEditChange(int32_t characters) {
    if (characters < 1 || characters > BudgetBytes()) return Refuse();
    if (Store<ASCIITextFields>("ascii charnum",
                               [&](Element&, ASCIITextFields& fields) { fields.CharNum = characters; }))
        FitWidth();
}

}  // namespace qxed
