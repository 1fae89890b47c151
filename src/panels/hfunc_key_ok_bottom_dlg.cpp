#include "panels/hfunc_key_ok_bottom_dlg.h"

#include "plc/plc_profile.h"
#include "workbench/model_layout.h"

namespace qxed {

namespace {

constexpr char kNoKey[] = "     ";

}  // namespace

HFuncKeyOKBottomDlg::HFuncKeyOKBottomDlg(const Language&)
    : group_(KeyActionGroup::Options{"HFuncKey", false, false, false, RegisterCountRule::Always}) {
    ApplyPlcProfile(ProjectSettings{}.PlcType);
    ApplyModel(0);
}

void HFuncKeyOKBottomDlg::ApplyPlcProfile(int plcType) {
    group_.ApplyPlcProfile(plcType);
    advanced_ = PlcProfileOf(plcType).AdvancedFunctions;
    Publish();
}

void HFuncKeyOKBottomDlg::ApplyModel(int model) {
    const ModelLayout layout = ModelLayoutOf(model);
    model_ = layout.Model;
    keyCount_ = GlobalKeyCountOf(model_).value_or(0);
    dateTimeJump_ = layout.DateTimeJumpVisible;
    captions_.fill(kNoKey);
    if (keyCount_ == kGlobalKeySlots) {
        for (int column = 0; column < kColumns; ++column) {
            captions_[static_cast<size_t>(column)] = "  K" + std::to_string(column + 1);
            captions_[static_cast<size_t>(kColumns + column)] = "  F" + std::to_string(column + 1);
        }
    } else {
        for (int column = 0; column < keyCount_ && column < kColumns; ++column)
            captions_[static_cast<size_t>(column)] = "  F" + std::to_string(column + 1);
    }
    Publish();
}

int HFuncKeyOKBottomDlg::KeyOfCell(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return -1;
    const int key = keyCount_ == kGlobalKeySlots ? row * kColumns + column : row == 0 ? column : -1;
    return key < keyCount_ ? key : -1;
}

void HFuncKeyOKBottomDlg::SetView(HFuncKeyOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void HFuncKeyOKBottomDlg::FormShow(const std::array<KeyAction, kGlobalKeySlots>& keys) {
    keys_ = keys;
    row_ = 0;
    column_ = 0;
    Publish();
}

void HFuncKeyOKBottomDlg::HFuncKeyStringGridSelectCell(int row, int column) {
    if (row >= 0 && row < kRows && column >= 0 && column < kColumns) {
        row_ = row;
        column_ = column;
    }
    Publish();
}

KeyAction* HFuncKeyOKBottomDlg::Current() {
    const int key = KeyOfCell(row_, column_);
    return key < 0 ? nullptr : &keys_[static_cast<size_t>(key)];
}

void HFuncKeyOKBottomDlg::Store(const std::optional<KeyAction>& changed) {
    if (KeyAction* key = Current(); key != nullptr && changed) *key = *changed;
    Publish();
}

void HFuncKeyOKBottomDlg::NoFuncRadioClick() {
    KeyAction* key = Current();
    if (key == nullptr || key->Function == KeyAction::kNoFunction) return Publish();
    KeyAction changed = *key;
    changed.Function = KeyAction::kNoFunction;
    changed.Encrypt = 0;
    Store(changed);
}

void HFuncKeyOKBottomDlg::FunctionRadioClick(uint8_t function) {
    KeyAction* key = Current();
    if (key == nullptr || (function == KeyAction::kAdvanced && !advanced_)) return Publish();
    Store(group_.FunctionRadioClick(*key, function));
}

void HFuncKeyOKBottomDlg::EncryptCheckBoxClick(bool checked) {
    KeyAction* key = Current();
    if (key == nullptr || key->Function == KeyAction::kNoFunction) return Publish();
    Store(group_.EncryptCheckBoxClick(*key, checked));
}

void HFuncKeyOKBottomDlg::CoilActionRadioClick(uint8_t coilAction) {
    if (KeyAction* key = Current()) return Store(group_.CoilActionRadioClick(*key, coilAction));
    Publish();
}

void HFuncKeyOKBottomDlg::JumpRadioClick(uint8_t jump) {
    if (KeyAction* key = Current()) return Store(group_.JumpRadioClick(*key, jump));
    Publish();
}

void HFuncKeyOKBottomDlg::PageNoSpinEditChange(int32_t pageNo) {
    if (KeyAction* key = Current()) return Store(group_.PageNoSpinEditChange(*key, pageNo));
    Publish();
}

void HFuncKeyOKBottomDlg::PlcStopRadioClick(uint8_t plcStop) {
    if (KeyAction* key = Current()) return Store(group_.PlcStopRadioClick(*key, plcStop));
    Publish();
}

void HFuncKeyOKBottomDlg::CoilStationSpinEditChange(int32_t station) {
    if (KeyAction* key = Current())
        return Store(KeyActionGroup::WithCoil(*key, group_.Coil().StationSpinEditChange(key->Coil, station)));
    Publish();
}

void HFuncKeyOKBottomDlg::CoilTypeComboBoxChange(int32_t index) {
    if (KeyAction* key = Current())
        return Store(KeyActionGroup::WithCoil(*key, group_.Coil().TypeComboBoxChange(key->Coil, index)));
    Publish();
}

void HFuncKeyOKBottomDlg::CoilNoSpinEditChange(int32_t word) {
    if (KeyAction* key = Current())
        return Store(KeyActionGroup::WithCoil(*key, group_.Coil().NoSpinEditChange(key->Coil, word)));
    Publish();
}

void HFuncKeyOKBottomDlg::CoilNoComboBoxChange(int32_t bit) {
    if (KeyAction* key = Current())
        return Store(KeyActionGroup::WithCoil(*key, group_.Coil().NoComboBoxChange(key->Coil, bit)));
    Publish();
}

void HFuncKeyOKBottomDlg::RegStationSpinEditChange(int32_t station) {
    if (KeyAction* key = Current())
        return Store(KeyActionGroup::WithRegister(
            *key, group_.Register().StationSpinEditChange(key->RegAddress, station)));
    Publish();
}

void HFuncKeyOKBottomDlg::RegTypeComboBoxChange(int32_t index) {
    if (KeyAction* key = Current())
        return Store(
            KeyActionGroup::WithRegister(*key, group_.Register().TypeComboBoxChange(key->RegAddress, index)));
    Publish();
}

void HFuncKeyOKBottomDlg::RegNoSpinEditChange(int32_t shown) {
    if (KeyAction* key = Current())
        return Store(
            KeyActionGroup::WithRegister(*key, group_.Register().NoSpinEditChange(key->RegAddress, shown)));
    Publish();
}

void HFuncKeyOKBottomDlg::RegNumSpinEditChange(int32_t count) {
    if (KeyAction* key = Current()) return Store(group_.RegNumSpinEditChange(*key, count));
    Publish();
}

void HFuncKeyOKBottomDlg::SetValueSpinEditChange(int32_t value) {
    if (KeyAction* key = Current()) return Store(group_.SetValueSpinEditChange(*key, value));
    Publish();
}

GlobalKeyChoice HFuncKeyOKBottomDlg::OKBtnClick() const {
    return GlobalKeyChoice{keyCount_, keys_};
}

void HFuncKeyOKBottomDlg::Publish() {
    PanelState state;
    const int key = KeyOfCell(row_, column_);
    state.Plain("HFuncKeyContentGroupBox", key >= 0);
    if (key >= 0) {
        const KeyAction& action = keys_[static_cast<size_t>(key)];
        group_.Fill(action, KeyListing{model_, {}, dateTimeJump_}, state);
        const bool none = action.Function == KeyAction::kNoFunction;
        state.Check("HFuncKeyNoFuncRadioButton", none);
        if (none) state.Controls.at("HFuncKeyEncryptCheckBox").Enabled = false;
    }
    state_ = std::move(state);
    if (view_ != nullptr) view_->ShowState(state_);
}

}  // namespace qxed
