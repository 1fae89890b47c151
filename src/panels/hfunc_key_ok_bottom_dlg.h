#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "model/project.h"
#include "panels/control_state.h"
#include "panels/key_action_group.h"
#include "workbench/editor_dialogs.h"

namespace qxed {

class Language;

class HFuncKeyOKBottomDlgView {
  public:
    virtual ~HFuncKeyOKBottomDlgView() = default;
    virtual void ShowState(const PanelState& state) = 0;
};

// The global function key dialog: a grid of 10 x 2 cells, one per hardware key of the model, and the key
// action of the current cell. It works on a copy of the project's keys; OK gives back as many keys as the
// model has, Cancel drops the copy.
//
// The handlers are named after the controls without the "HFuncKey" prefix, as the element key panels'
// are, so that one builder makes the key action controls of both windows.
//
// The advanced choice ("高级功能") is offered where the PLC type has advanced functions, as on the element
// keys: choosing it makes the key an advanced one, and its sub-group chooses between running and stopping
// the PLC, which the panel's image carries for such a key. No radio the user can click is without effect.
class HFuncKeyOKBottomDlg {
  public:
    static constexpr int kColumns = 10;
    static constexpr int kRows = 2;
    static constexpr int kCells = kColumns * kRows;

    explicit HFuncKeyOKBottomDlg(const Language& language);

    void ApplyPlcProfile(int plcType);
    // The key count, the cell captions and the date/time jump of the model.
    void ApplyModel(int model);
    int KeyCount() const { return keyCount_; }
    // By cell (row x 10 + column): "  K1", "  F1", ... or five blanks for a cell without key.
    const std::array<std::string, kCells>& CellCaptions() const { return captions_; }
    // The key a cell stands for, or -1.
    int KeyOfCell(int row, int column) const;

    void SetView(HFuncKeyOKBottomDlgView* view);
    const PanelState& State() const { return state_; }
    int CurrentRow() const { return row_; }
    int CurrentColumn() const { return column_; }
    // The working copy of the keys.
    const std::array<KeyAction, kGlobalKeySlots>& Keys() const { return keys_; }

    void FormShow(const std::array<KeyAction, kGlobalKeySlots>& keys);
    void HFuncKeyStringGridSelectCell(int row, int column);

    // HFuncKeyNoFuncRadioButton: the key does nothing, and so is not protected either.
    void NoFuncRadioClick();
    // SetCoilRadioButton 0, JmpCtrlRadioButton 1, AdvanceRadioButton 2, SetRegRadioButton 4.
    void FunctionRadioClick(uint8_t function);
    // Only a key with a function can be protected; a jump to the password page never is.
    void EncryptCheckBoxClick(bool checked);
    void CoilActionRadioClick(uint8_t coilAction);
    void JumpRadioClick(uint8_t jump);
    void PageNoSpinEditChange(int32_t pageNo);
    void PlcStopRadioClick(uint8_t plcStop);
    void CoilStationSpinEditChange(int32_t station);
    void CoilTypeComboBoxChange(int32_t index);
    void CoilNoSpinEditChange(int32_t word);
    void CoilNoComboBoxChange(int32_t bit);
    void RegStationSpinEditChange(int32_t station);
    void RegTypeComboBoxChange(int32_t index);
    void RegNoSpinEditChange(int32_t shown);
    void RegNumSpinEditChange(int32_t count);
    void SetValueSpinEditChange(int32_t value);

    GlobalKeyChoice OKBtnClick() const;

  private:
    KeyAction* Current();
    void Store(const std::optional<KeyAction>& changed);
    void Publish();

    KeyActionGroup group_;
    bool advanced_ = false;
    int model_ = 0;
    int keyCount_ = 0;
    bool dateTimeJump_ = false;
    std::array<std::string, kCells> captions_;
    std::array<KeyAction, kGlobalKeySlots> keys_{};
    int row_ = 0;
    int column_ = 0;
    PanelState state_;
    HFuncKeyOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
