#include "panels/func_key_panel.h"

namespace qxed {

FuncKeyPanel::FuncKeyPanel(PanelContext& context)
    : KeyPanel(context, static_cast<int32_t>(ElementKind::FuncKey),
               KeyActionGroup::Options{"FuncKey", true, true, true, RegisterCountRule::Profile}) {}

void FuncKeyPanel::FillOwn(const Element& element, PanelState& state) const {
    const KeyAction& action = element.As<FuncKeyFields>().Action;
    FillAction(action, state);
    const bool visible = action.Disappear == 0;
    state.Controls[Name("WithHandCheckBox")].Enabled = visible;
    state.Controls[special_.DoubleName()].Enabled = visible;
    state.Controls[special_.InverseName()].Enabled = visible;
}

void FuncKeyPanel::FuncKeyTypeComboBoxChange(int32_t position) {
    if (const KeyAction* action = SelectedAction())
        if (StoreAction("key type", group_.TypeComboBoxChange(*action, context_.Model().Index, position)))
            FitWidth();
}

void FuncKeyPanel::FuncKeyWithHandCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action == nullptr) return;
    if (action->Disappear != 0) return Refuse();
    if (StoreAction("key hand", group_.WithHandCheckBoxClick(*action, checked))) FitWidth();
}

void FuncKeyPanel::DisappearCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action == nullptr) return;
    StoreAction("key disappear", group_.DisappearCheckBoxClick(*action, checked),
                [checked](Element& element) {
                    if (!checked) return;
                    element.As<FuncKeyFields>().Action.WithHand = 0;
                    element.Double = 0;
                    element.Inverse = 0;
                });
}

void FuncKeyPanel::DoubleCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action != nullptr && action->Disappear != 0) return Refuse();
    ElementPanel::DoubleCheckBoxClick(checked);
}

void FuncKeyPanel::InverseCheckBoxClick(bool checked) {
    const KeyAction* action = SelectedAction();
    if (action != nullptr && action->Disappear != 0) return Refuse();
    ElementPanel::InverseCheckBoxClick(checked);
}

}  // namespace qxed
