#include "panels/lamp_panel.h"

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

LampPanel::LampPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::Lamp)), coil_("LampCoil") {
    lampTypes_ = {context.Texts().TextUtf8(texts::CircleLamp), context.Texts().TextUtf8(texts::SquareLamp)};
}

void LampPanel::FillOwn(const Element& element, PanelState& state) const {
    const LampFields& lamp = element.As<LampFields>();
    state.Choice("LampTypeComboBox", lampTypes_, lamp.LampType);
    coil_.Fill(lamp.Coil, state);
    state.Check("LampPosLogicRadioButton", lamp.PosLogic != 0);
    state.Check("LampNegLogicRadioButton", lamp.PosLogic == 0);
}

void LampPanel::LampTypeComboBoxChange(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(lampTypes_.size())) return Refuse();
    Store<LampFields>("lamp type", [&](Element&, LampFields& lamp) { lamp.LampType = index; });
}

void LampPanel::StoreCoil(const std::optional<PlcAddress>& coil) {
    if (!coil) return Refuse();
    Store<LampFields>("lamp coil", [&](Element&, LampFields& lamp) { lamp.Coil = *coil; });
}

void LampPanel::LampCoilStationSpinEditChange(int32_t station) {
    if (const LampFields* lamp = SelectedFields<LampFields>())
        StoreCoil(coil_.StationSpinEditChange(lamp->Coil, station));
}

void LampPanel::LampCoilTypeComboBoxChange(int32_t index) {
    if (const LampFields* lamp = SelectedFields<LampFields>())
        StoreCoil(coil_.TypeComboBoxChange(lamp->Coil, index));
}

void LampPanel::LampCoilNoSpinEditChange(int32_t word) {
    if (const LampFields* lamp = SelectedFields<LampFields>())
        StoreCoil(coil_.NoSpinEditChange(lamp->Coil, word));
}

void LampPanel::LampCoilNoComboBoxChange(int32_t bit) {
    if (const LampFields* lamp = SelectedFields<LampFields>())
        StoreCoil(coil_.NoComboBoxChange(lamp->Coil, bit));
}

void LampPanel::LampPosLogicRadioButtonClick() {
    Store<LampFields>("lamp logic", [&](Element&, LampFields& lamp) { lamp.PosLogic = 1; });
}

void LampPanel::LampNegLogicRadioButtonClick() {
    Store<LampFields>("lamp logic", [&](Element&, LampFields& lamp) { lamp.PosLogic = 0; });
}

}  // namespace qxed
