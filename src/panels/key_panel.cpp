#include "panels/key_panel.h"

#include "model/element_rules.h"
#include "model/key_codes.h"
#include "text/language.h"
#include "workbench/model_layout.h"

namespace qxed {

KeyPanel::KeyPanel(PanelContext& context, int32_t kind, KeyActionGroup::Options options)
    : ElementPanel(context, kind), group_(std::move(options)) {}

void KeyPanel::FillAction(const KeyAction& action, PanelState& state) const {
    const PanelModel& model = context_.Model();
    KeyListing listing;
    listing.Model = model.Index;
    for (const std::string& name : context_.Texts().KeypadKeyNames(KeypadSection(model.KeypadLayout)))
        listing.KeyNames.push_back(context_.Texts().DisplayUtf8(name));
    listing.DateTimeJumpVisible = ModelLayoutOf(model.Index).DateTimeJumpVisible;
    group_.Fill(action, listing, state);
}

const KeyAction* KeyPanel::SelectedAction() const {
    const Element* selected = context_.Selected();
    if (selected == nullptr || selected->Kind != row_.Kind) return nullptr;
    return ActionOf(*selected);
}

bool KeyPanel::StoreAction(std::string_view field, const std::optional<KeyAction>& action,
                           const std::function<void(Element&)>& extra) {
    if (!action) {
        Refuse();
        return false;
    }
    return context_.EditSelected(field, [&](Element& element) {
        if (element.Kind != row_.Kind) return;
        if (KeyAction* stored = ActionOf(element)) *stored = *action;
        if (extra) extra(element);
    });
}

void KeyPanel::EncryptCheckBoxClick(bool checked) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key encrypt", group_.EncryptCheckBoxClick(*action, checked));
}

void KeyPanel::FunctionRadioClick(uint8_t function) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key function", group_.FunctionRadioClick(*action, function));
}

void KeyPanel::CoilActionRadioClick(uint8_t coilAction) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key coil action", group_.CoilActionRadioClick(*action, coilAction));
}

void KeyPanel::JumpRadioClick(uint8_t jump) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key jump", group_.JumpRadioClick(*action, jump));
}

void KeyPanel::PageNoSpinEditChange(int32_t pageNo) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key page", group_.PageNoSpinEditChange(*action, pageNo));
}

void KeyPanel::PlcStopRadioClick(uint8_t plcStop) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key plc", group_.PlcStopRadioClick(*action, plcStop));
}

void KeyPanel::CoilStationSpinEditChange(int32_t station) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key coil", KeyActionGroup::WithCoil(
                                    *action, group_.Coil().StationSpinEditChange(action->Coil, station)));
}

void KeyPanel::CoilTypeComboBoxChange(int32_t index) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key coil",
                    KeyActionGroup::WithCoil(*action, group_.Coil().TypeComboBoxChange(action->Coil, index)));
}

void KeyPanel::CoilNoSpinEditChange(int32_t word) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key coil",
                    KeyActionGroup::WithCoil(*action, group_.Coil().NoSpinEditChange(action->Coil, word)));
}

void KeyPanel::CoilNoComboBoxChange(int32_t bit) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key coil",
                    KeyActionGroup::WithCoil(*action, group_.Coil().NoComboBoxChange(action->Coil, bit)));
}

void KeyPanel::RegStationSpinEditChange(int32_t station) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key reg", KeyActionGroup::WithRegister(*action, group_.Register().StationSpinEditChange(
                                                                         action->RegAddress, station)));
}

void KeyPanel::RegTypeComboBoxChange(int32_t index) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key reg", KeyActionGroup::WithRegister(
                                   *action, group_.Register().TypeComboBoxChange(action->RegAddress, index)));
}

void KeyPanel::RegNoSpinEditChange(int32_t shown) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key reg", KeyActionGroup::WithRegister(
                                   *action, group_.Register().NoSpinEditChange(action->RegAddress, shown)));
}

void KeyPanel::RegNumSpinEditChange(int32_t count) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key reg num", group_.RegNumSpinEditChange(*action, count));
}

void KeyPanel::SetValueSpinEditChange(int32_t value) {
    if (const KeyAction* action = SelectedAction())
        StoreAction("key value", group_.SetValueSpinEditChange(*action, value));
}

}  // namespace qxed
