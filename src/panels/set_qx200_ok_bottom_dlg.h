#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/project_settings.h"
#include "panels/control_state.h"
#include "panels/register_group.h"
#include "workbench/model_layout.h"

namespace qxed {

class Language;

// One option of the control register block: its bit of CtrlFlags, its controls and how many registers it
// occupies (0: sixteen per analog module).
struct CtrlOption {
    uint8_t Bit;
    const char* CheckBox;
    const char* DirectLabel;
    const char* RegLabel;  // "对应 D100": where the option's registers begin
    int Registers;
};

// The options in the order their registers follow each other from CtrlReg.
std::span<const CtrlOption> CtrlOptions();

class SetQX200OKBottomDlgView {
  public:
    virtual ~SetQX200OKBottomDlgView() = default;
    virtual void ShowState(const PanelState& state) = 0;
};

// The panel settings dialog: master page, password, screen saver, display and word order options, and the
// control register block with its options. It works on a copy of the settings; OK gives the copy back,
// Cancel drops it.
//
// The clock module option follows the PLC type's profile: it is enabled only where the profile offers a
// clock module, and a project whose type offers none shows it cleared and stores it cleared on OK, as the
// analog option is. Enabling it again on every show would let the user switch on a block the PLC type
// cannot serve.
class SetQX200OKBottomDlg {
  public:
    explicit SetQX200OKBottomDlg(const Language& language);

    // The register types and bounds of the control registers, the module count bound, the clock option.
    void ApplyPlcProfile(int plcType);
    // Which peripheral options the model offers, and the dialog's rows.
    void ApplyModel(int model);
    const ModelLayout& Layout() const { return layout_; }

    const PanelState& State() const { return state_; }
    void SetView(SetQX200OKBottomDlgView* view);

    void FormShow(const ProjectSettings& settings);

    void HomePageNoSpinEditChange(int32_t value);
    void PasswordSpinEditChange(int32_t value);
    void ScreenSaveTimeComboBoxChange(int32_t index);
    void ScreenSaveDispPageRadioButtonClick();
    void ScreenSaveTurnOffLightRadioButtonClick();
    void ScreenSavePageNoSpinEditChange(int32_t value);
    void BlueGroundWhiteTextCheckBoxClick(bool checked);
    void PowerBeepCheckBoxClick(bool checked);
    void ExchangeWordCheckBoxClick(bool checked);
    void WriteNWordsCheckBoxClick(bool checked);
    void CtrlStationSpinEditChange(int32_t station);
    void CtrlRegTypeComboBoxChange(int32_t index);
    // The number as shown; Siemens stores it x 8.
    void CtrlRegNoSpinEditChange(int32_t shown);
    // Any of the five option boxes, by its bit of CtrlFlags.
    void AutoPageNoCheckBoxClick(uint8_t bit, bool checked);
    void ModuleNumSpinEditChange(int32_t count);
    void PanelStatusLedNumComboBoxChange(int32_t index);

    // The settings as the dialog leaves them.
    const ProjectSettings& OKBtnClick() const { return settings_; }

    // The "对应" labels of the checked options, by option, for the settings as they are.
    std::vector<std::string> BlockLabels() const;

  private:
    bool OptionOffered(uint8_t bit) const;
    bool OptionEnabled(uint8_t bit) const;
    void KeepOfferedOptions();
    void ModuleCountAfterRegisterChange();
    void Publish();

    std::string correspond_;  // UTF-8
    std::vector<std::string> screenSaveList_;
    RegisterGroup register_;
    int plcType_ = -1;
    int32_t moduleMax_ = 1;
    bool clockModule_ = true;
    ModelLayout layout_;
    ProjectSettings settings_;
    PanelState state_;
    SetQX200OKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
