#include "panels/touch_key_panel.h"

#include "model/element_rules.h"
#include "panels/font_choice.h"

namespace qxed {

TouchKeyPanel::TouchKeyPanel(PanelContext& context)
    : KeyPanel(context, static_cast<int32_t>(ElementKind::TouchKey),
               KeyActionGroup::Options{"TouchKey", false, false, true, RegisterCountRule::Profile}) {}

void TouchKeyPanel::FillOwn(const Element& element, PanelState& state) const {
    const TouchKeyFields& touch = element.As<TouchKeyFields>();
    state.Edit("TouchKeyContentEdit", touch.Content, kLongTextCapacity);
    FillAction(touch.Action, state);
    const bool visible = touch.Action.Disappear == 0;
    state.Controls[special_.InverseName()].Enabled = visible;
    ControlState& indicate = state.Check("TouchKeyIndicateCheckBox", touch.Indicate != 0, visible);
    indicate.Visible = touch.Action.Function == KeyAction::kSetCoil;
}

void TouchKeyPanel::Fit() {
    FitWidth();
    FitHeight();
}

void TouchKeyPanel::TouchKeyContentEditChange(const std::string& text) {
    const std::string taken = CutAtCharacter(text, kLongTextCapacity, context_.TextCodePage());
    const bool stored = Store<TouchKeyFields>("touch content", [&](Element& element, TouchKeyFields& touch) {
        if (touch.Content == taken) return;
        touch.Content = taken;
        ShortenToFit(element, context_.TextCodePage(), context_.Z(), context_.Preview().Width);
    });
    if (stored)
        Fit();
    else
        Refuse();
}

void TouchKeyPanel::TouchKeyFontButtonClick() {
    const TouchKeyFields* touch = SelectedFields<TouchKeyFields>();
    if (touch == nullptr) return;
    const std::optional<FontDesc> font = ChooseElementFont(context_.Chooser(), touch->Font);
    if (!font) return;
    const bool stored = Store<TouchKeyFields>("touch font", [&](Element& element, TouchKeyFields& fields) {
        fields.Font = *font;
        ShortenToFit(element, context_.TextCodePage(), context_.Z(), context_.Preview().Width);
    });
    if (stored) Fit();
}

void TouchKeyPanel::TouchKeyIndicateCheckBoxClick(bool checked) {
    const TouchKeyFields* touch = SelectedFields<TouchKeyFields>();
    if (touch == nullptr) return;
    // The indicator belongs to a visible set-coil key.
    if (checked && (touch->Action.Function != KeyAction::kSetCoil || touch->Action.Disappear != 0))
        return Refuse();
    Store<TouchKeyFields>("touch indicate",
                          [&](Element&, TouchKeyFields& fields) { fields.Indicate = checked ? 1 : 0; });
}

void TouchKeyPanel::DisappearCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action == nullptr) return;
    StoreAction("key disappear", group_.DisappearCheckBoxClick(*action, checked),
                [checked](Element& element) {
                    if (!checked) return;
                    element.Inverse = 0;
                    element.As<TouchKeyFields>().Indicate = 0;
                });
}

void TouchKeyPanel::FunctionRadioClick(uint8_t function) {
    const KeyAction* action = SelectedAction();
    if (action == nullptr) return;
    // Another function than set coil takes the indicator with it.
    StoreAction("key function", group_.FunctionRadioClick(*action, function),
                [function](Element& element) { SetKeyFunction(element, function); });
}

void TouchKeyPanel::InverseCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action != nullptr && action->Disappear != 0) return Refuse();
    ElementPanel::InverseCheckBoxClick(checked);
}

}  // namespace qxed
