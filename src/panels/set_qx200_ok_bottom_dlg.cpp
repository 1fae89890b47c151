#include "panels/set_qx200_ok_bottom_dlg.h"

#include <algorithm>

#include "plc/operand_numbers.h"
#include "plc/plc_profile.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

constexpr int kSiemens = 2;
constexpr int32_t kPageNoMin = 1;
constexpr int32_t kPageNoMax = 65535;
constexpr int32_t kPasswordMax = 99999999;
constexpr int kRegistersPerModule = 16;
constexpr int kStatusLedCounts = 2;  // "16", "32"

using S = ProjectSettings;
constexpr CtrlOption kOptions[] = {
    {S::kAutoPageNo, "AutoPageNoCheckBox", "AutoPageNoDirectLabel", "AutoPageNoRegLabel", 1},
    {S::kReportPageNo, "ReportPageNoCheckBox", "ReportPageNoDirectLabel", "ReportPageNoRegLabel", 1},
    {S::kAnalogInputOutput, "AnalogInputOutputCheckBox", "AnalogInputOutputDirectLabel",
     "AnalogInputOutputRegLabel", 0},
    {S::kDateTime, "DateTimeCheckBox", "DateTimeDirectLabel", "DateTimeRegLabel", 3},
    {S::kPanelStatusLed, "PanelStatusLedCheckBox", "PanelStatusLedDirectLabel", "PanelStatusLedRegLabel", 3},
};
constexpr uint8_t kAllOptions =
    S::kAutoPageNo | S::kReportPageNo | S::kAnalogInputOutput | S::kDateTime | S::kPanelStatusLed;

uint8_t Flag(bool checked) {
    return checked ? 1 : 0;
}

}  // namespace

std::span<const CtrlOption> CtrlOptions() {
    return kOptions;
}

SetQX200OKBottomDlg::SetQX200OKBottomDlg(const Language& language)
    : correspond_(language.TextUtf8(texts::Correspond)),
      register_("CtrlReg", RegisterList::WordAlone, RegisterCountRule::Profile),
      layout_(ModelLayoutOf(0)) {
    for (const std::string& item : language.ScreenSaveList())
        screenSaveList_.push_back(language.DisplayUtf8(item));
    ApplyPlcProfile(settings_.PlcType);
}

void SetQX200OKBottomDlg::ApplyPlcProfile(int plcType) {
    const PlcProfile profile = PlcProfileOf(plcType);
    plcType_ = plcType;
    register_.ApplyPlcProfile(plcType);
    moduleMax_ = profile.AnalogModuleMax > 0 ? profile.AnalogModuleMax : UndefinedAnalogModuleMax;
    clockModule_ = profile.ClockModuleAvailable;
    KeepOfferedOptions();
    Publish();
}

void SetQX200OKBottomDlg::ApplyModel(int model) {
    layout_ = ModelLayoutOf(model);
    KeepOfferedOptions();
    Publish();
}

void SetQX200OKBottomDlg::SetView(SetQX200OKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void SetQX200OKBottomDlg::FormShow(const ProjectSettings& settings) {
    settings_ = settings;
    KeepOfferedOptions();
    Publish();
}

bool SetQX200OKBottomDlg::OptionOffered(uint8_t bit) const {
    switch (bit) {
        case S::kAnalogInputOutput:
            return layout_.AnalogVisible;
        case S::kDateTime:
            return layout_.DateTimeOptionVisible;
        case S::kPanelStatusLed:
            return layout_.StatusLedVisible;
        default:
            return true;
    }
}

bool SetQX200OKBottomDlg::OptionEnabled(uint8_t bit) const {
    // No PLC type offers analog modules: the option is shown but never enabled.
    if (bit == S::kAnalogInputOutput) return false;
    if (bit == S::kDateTime) return clockModule_;
    return true;
}

// Options the model does not show or the PLC type does not serve are cleared, so that OK never stores a
// register block the user cannot see or change.
void SetQX200OKBottomDlg::KeepOfferedOptions() {
    for (const CtrlOption& option : kOptions)
        if (!OptionOffered(option.Bit) || !OptionEnabled(option.Bit))
            settings_.CtrlFlags = static_cast<uint8_t>(settings_.CtrlFlags & ~option.Bit);
}

void SetQX200OKBottomDlg::HomePageNoSpinEditChange(int32_t value) {
    if (value >= kPageNoMin && value <= kPageNoMax) settings_.HomePageNo = value;
    Publish();
}

void SetQX200OKBottomDlg::PasswordSpinEditChange(int32_t value) {
    if (value >= 0 && value <= kPasswordMax) settings_.Password = value;
    Publish();
}

void SetQX200OKBottomDlg::ScreenSaveTimeComboBoxChange(int32_t index) {
    if (index >= 0 && index < static_cast<int32_t>(screenSaveList_.size())) settings_.ScreenSaveTime = index;
    Publish();
}

void SetQX200OKBottomDlg::ScreenSaveDispPageRadioButtonClick() {
    settings_.ScreenSaveTurnOffLight = 0;
    Publish();
}

void SetQX200OKBottomDlg::ScreenSaveTurnOffLightRadioButtonClick() {
    settings_.ScreenSaveTurnOffLight = 1;
    Publish();
}

void SetQX200OKBottomDlg::ScreenSavePageNoSpinEditChange(int32_t value) {
    if (value >= kPageNoMin && value <= kPageNoMax && settings_.ScreenSaveTurnOffLight == 0)
        settings_.ScreenSavePageNo = value;
    Publish();
}

void SetQX200OKBottomDlg::BlueGroundWhiteTextCheckBoxClick(bool checked) {
    settings_.BlueGroundWhiteText = Flag(checked);
    Publish();
}

void SetQX200OKBottomDlg::PowerBeepCheckBoxClick(bool checked) {
    settings_.PowerBeep = Flag(checked);
    Publish();
}

void SetQX200OKBottomDlg::ExchangeWordCheckBoxClick(bool checked) {
    settings_.ExchangeWord = Flag(checked);
    Publish();
}

void SetQX200OKBottomDlg::WriteNWordsCheckBoxClick(bool checked) {
    settings_.WriteNWords = Flag(checked);
    Publish();
}

void SetQX200OKBottomDlg::CtrlStationSpinEditChange(int32_t station) {
    if (const auto changed = register_.StationSpinEditChange(settings_.CtrlReg, station))
        settings_.CtrlReg = *changed;
    Publish();
}

void SetQX200OKBottomDlg::CtrlRegTypeComboBoxChange(int32_t index) {
    if (const auto changed = register_.TypeComboBoxChange(settings_.CtrlReg, index))
        settings_.CtrlReg = *changed;
    ModuleCountAfterRegisterChange();
    Publish();
}

void SetQX200OKBottomDlg::CtrlRegNoSpinEditChange(int32_t shown) {
    if (const auto changed = register_.NoSpinEditChange(settings_.CtrlReg, shown))
        settings_.CtrlReg = *changed;
    ModuleCountAfterRegisterChange();
    Publish();
}

void SetQX200OKBottomDlg::AutoPageNoCheckBoxClick(uint8_t bit, bool checked) {
    if ((bit & kAllOptions) == 0 || (bit & (bit - 1)) != 0) return;
    if (OptionOffered(bit) && OptionEnabled(bit)) {
        settings_.CtrlFlags =
            static_cast<uint8_t>(checked ? settings_.CtrlFlags | bit : settings_.CtrlFlags & ~bit);
    }
    Publish();
}

void SetQX200OKBottomDlg::ModuleNumSpinEditChange(int32_t count) {
    if (count >= 1 && count <= moduleMax_ && (settings_.CtrlFlags & S::kAnalogInputOutput) != 0)
        settings_.ModuleNum = count;
    ModuleCountAfterRegisterChange();
    Publish();
}

void SetQX200OKBottomDlg::PanelStatusLedNumComboBoxChange(int32_t index) {
    if (index >= 0 && index < kStatusLedCounts) settings_.PanelStatusLedNum = index + 1;
    Publish();
}

// Siemens registers are byte addresses that the block lays out word by word; the panel serves one analog
// module there.
void SetQX200OKBottomDlg::ModuleCountAfterRegisterChange() {
    if (plcType_ == kSiemens) settings_.ModuleNum = 1;
}

std::vector<std::string> SetQX200OKBottomDlg::BlockLabels() const {
    const std::vector<std::string>& types = register_.TypeNames();
    const int32_t index = settings_.CtrlReg.TypeIndex;
    const std::string typeName =
        index >= 0 && index < static_cast<int32_t>(types.size()) ? types[static_cast<size_t>(index)] : "";
    int32_t number = ShownRegisterNumber(plcType_, settings_.CtrlReg.Number);
    std::vector<std::string> labels;
    for (const CtrlOption& option : kOptions) {
        if ((settings_.CtrlFlags & option.Bit) == 0) {
            labels.emplace_back();
            continue;
        }
        labels.push_back(correspond_ + " " + typeName + std::to_string(number));
        const int registers =
            option.Registers > 0 ? option.Registers : kRegistersPerModule * std::max(settings_.ModuleNum, 1);
        for (int i = 0; i < registers; ++i)
            number = NextRegisterNumber(plcType_, number);
    }
    return labels;
}

void SetQX200OKBottomDlg::Publish() {
    PanelState state;
    const ProjectSettings& s = settings_;
    state.Spin("HomePageNoSpinEdit", s.HomePageNo, kPageNoMin, kPageNoMax);
    state.Spin("PasswordSpinEdit", s.Password, 0, kPasswordMax);
    // A delay outside the list selects nothing and stays stored.
    state.Choice("ScreenSaveTimeComboBox", screenSaveList_, s.ScreenSaveTime);
    const bool showsPage = s.ScreenSaveTurnOffLight == 0;
    state.Check("ScreenSaveDispPageRadioButton", showsPage);
    state.Check("ScreenSaveTurnOffLightRadioButton", !showsPage);
    state.Spin("ScreenSavePageNoSpinEdit", s.ScreenSavePageNo, kPageNoMin, kPageNoMax, showsPage);
    state.Check("BlueGroundWhiteTextCheckBox", s.BlueGroundWhiteText != 0).Visible =
        layout_.BlueGroundWhiteTextVisible;
    state.Check("PowerBeepCheckBox", s.PowerBeep != 0);
    state.Check("ExchangeWordCheckBox", s.ExchangeWord != 0);
    state.Check("WriteNWordsCheckBox", s.WriteNWords != 0);

    const bool anyOption = (s.CtrlFlags & kAllOptions) != 0;
    register_.Fill(s.CtrlReg, 0, 0, state);
    state.Plain("CtrlRegNoLabel");
    for (const char* control : {"CtrlRegNoLabel", "CtrlRegTypeComboBox", "CtrlRegNoSpinEdit",
                                "CtrlRegStationNoLabel", "CtrlRegStationSpinEdit"})
        state.Controls[control].Enabled = anyOption;

    const std::vector<std::string> labels = BlockLabels();
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        const CtrlOption& option = kOptions[i];
        const bool offered = OptionOffered(option.Bit);
        const bool checked = (s.CtrlFlags & option.Bit) != 0;
        state.Check(option.CheckBox, checked, OptionEnabled(option.Bit)).Visible = offered;
        state.Plain(option.DirectLabel, offered, checked);
        state.Plain(option.RegLabel, offered && checked).Caption = labels[i];
    }
    state.Plain("CtrlBeepLabel");
    const bool analog = (s.CtrlFlags & S::kAnalogInputOutput) != 0;
    state.Plain("ModuleNumLabel", layout_.AnalogVisible, analog);
    state.Spin("ModuleNumSpinEdit", s.ModuleNum, 1, moduleMax_, analog).Visible = layout_.AnalogVisible;
    const bool leds = (s.CtrlFlags & S::kPanelStatusLed) != 0;
    state.Plain("PanelStatusLedNumLabel", layout_.StatusLedVisible, leds);
    state.Choice("PanelStatusLedNumComboBox", {"16", "32"}, s.PanelStatusLedNum - 1, leds).Visible =
        layout_.StatusLedVisible;

    state_ = std::move(state);
    if (view_ != nullptr) view_->ShowState(state_);
}

}  // namespace qxed
