#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/set_qx200_ok_bottom_dlg.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int kMitsubishi = 0;
constexpr int kKoyo = 1;
constexpr int kSiemens = 2;
constexpr int kKeyence = 15;
constexpr int kQx210 = 0;
constexpr int kQx220 = 1;
constexpr int kQx420 = 2;
constexpr int kQx225 = 12;
using S = ProjectSettings;

ProjectSettings SettingsOf(int plcType, int model) {
    ProjectSettings settings;
    settings.PlcType = plcType;
    settings.CurrentModel = static_cast<uint8_t>(model);
    settings.CtrlReg = PlcAddress{1, 0, 0};
    return settings;
}

// The dialog as the window runs it: profile and model of the project, then shown on its settings.
struct Shown {
    Language language;
    SetQX200OKBottomDlg dialog{language};
    explicit Shown(const ProjectSettings& settings) {
        dialog.ApplyPlcProfile(settings.PlcType);
        dialog.ApplyModel(settings.CurrentModel);
        dialog.FormShow(settings);
    }
    const ControlState& At(const char* name) const { return dialog.State().At(name); }
    // The "对应" labels as shown: the text of each visible one, "-" for a hidden one.
    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (const CtrlOption& option : CtrlOptions()) {
            const ControlState& label = At(option.RegLabel);
            labels.push_back(label.Visible ? label.Caption.value_or("?") : "-");
        }
        return labels;
    }
};

TEST(SetQX200Dialog, BlockLabelsAdvanceByThePlcsOwnRegisterNumbering) {
    struct Case {
        const char* Name;
        int PlcType;
        int32_t Entered;
        uint8_t Options;
        std::vector<std::string> Labels;  // auto page, report page, analog, clock, status lamps
    };
    const Case cases[] = {
        {"four options, clock takes three",
         kMitsubishi,
         100,
         S::kAutoPageNo | S::kReportPageNo | S::kDateTime | S::kPanelStatusLed,
         {"对应 D100", "对应 D101", "-", "对应 D102", "对应 D105"}},
        {"Koyo counts in octal",
         kKoyo,
         2006,
         S::kAutoPageNo | S::kReportPageNo,
         {"对应 R2006", "对应 R2007", "-", "-", "-"}},
        {"Koyo's third register",
         kKoyo,
         2006,
         S::kAutoPageNo | S::kReportPageNo | S::kDateTime,
         {"对应 R2006", "对应 R2007", "-", "对应 R2010", "-"}},
        {"Siemens words at byte addresses",
         kSiemens,
         100,
         S::kAutoPageNo | S::kReportPageNo | S::kDateTime,
         {"对应 VW100", "对应 VW102", "-", "对应 VW104", "-"}},
        {"a gap where an option is off",
         kMitsubishi,
         7,
         S::kReportPageNo | S::kPanelStatusLed,
         {"-", "对应 D7", "-", "-", "对应 D8"}},
    };
    for (const Case& c : cases) {
        Shown shown(SettingsOf(c.PlcType, kQx420));
        shown.dialog.CtrlRegNoSpinEditChange(c.Entered);
        for (const CtrlOption& option : CtrlOptions())
            if (c.Options & option.Bit) shown.dialog.AutoPageNoCheckBoxClick(option.Bit, true);
        EXPECT_EQ(shown.Labels(), c.Labels) << c.Name;
        EXPECT_EQ(shown.dialog.OKBtnClick().CtrlFlags, c.Options) << c.Name;
    }
}

TEST(SetQX200Dialog, SiemensStoresByteAddressesAndServesOneModule) {
    ProjectSettings settings = SettingsOf(kSiemens, kQx420);
    settings.ModuleNum = 3;
    settings.CtrlFlags = S::kAutoPageNo;
    Shown shown(settings);
    EXPECT_EQ(shown.At("CtrlRegTypeComboBox").Items, std::vector<std::string>{"VW"});
    shown.dialog.CtrlRegNoSpinEditChange(100);
    EXPECT_EQ(shown.dialog.OKBtnClick().CtrlReg.Number, 800);
    EXPECT_EQ(shown.At("CtrlRegNoSpinEdit").Value, 100);
    EXPECT_EQ(shown.dialog.OKBtnClick().ModuleNum, 1);

    // Each of the three fields forces the count, even when it changes nothing itself.
    struct Change {
        const char* Name;
        void (*Apply)(SetQX200OKBottomDlg&);
    };
    const Change changes[] = {
        {"type", [](SetQX200OKBottomDlg& d) { d.CtrlRegTypeComboBoxChange(0); }},
        {"number", [](SetQX200OKBottomDlg& d) { d.CtrlRegNoSpinEditChange(100); }},
        {"module count", [](SetQX200OKBottomDlg& d) { d.ModuleNumSpinEditChange(2); }},
    };
    for (const Change& change : changes) {
        Shown again(settings);
        change.Apply(again.dialog);
        EXPECT_EQ(again.dialog.OKBtnClick().ModuleNum, 1) << change.Name;
    }
    // Other PLC types keep their count.
    ProjectSettings mitsubishi = settings;
    mitsubishi.PlcType = kMitsubishi;
    Shown other(mitsubishi);
    other.dialog.CtrlRegNoSpinEditChange(100);
    EXPECT_EQ(other.dialog.OKBtnClick().ModuleNum, 3);
}

TEST(SetQX200Dialog, RegisterFieldsFollowTheOptionsAndKeepTheRegister) {
    ProjectSettings settings = SettingsOf(kMitsubishi, kQx220);
    settings.CtrlReg = PlcAddress{3, 2, 450};
    Shown shown(settings);
    const char* fields[] = {"CtrlRegNoLabel", "CtrlRegTypeComboBox", "CtrlRegNoSpinEdit",
                            "CtrlRegStationNoLabel", "CtrlRegStationSpinEdit"};
    for (const char* field : fields)
        EXPECT_FALSE(shown.At(field).Enabled) << field;
    EXPECT_EQ(shown.dialog.OKBtnClick().CtrlReg, settings.CtrlReg);

    shown.dialog.AutoPageNoCheckBoxClick(S::kReportPageNo, true);
    for (const char* field : fields)
        EXPECT_TRUE(shown.At(field).Enabled) << field;
    EXPECT_TRUE(shown.At("ReportPageNoDirectLabel").Enabled);
    EXPECT_FALSE(shown.At("AutoPageNoDirectLabel").Enabled);
    shown.dialog.AutoPageNoCheckBoxClick(S::kReportPageNo, false);
    for (const char* field : fields)
        EXPECT_FALSE(shown.At(field).Enabled) << field;
    EXPECT_EQ(shown.dialog.OKBtnClick().CtrlReg, settings.CtrlReg);
    EXPECT_EQ(shown.dialog.OKBtnClick().CtrlFlags, 0);
}

TEST(SetQX200Dialog, ScreenSaverAndLampCountSurviveOk) {
    Shown shown(SettingsOf(kMitsubishi, kQx420));
    EXPECT_EQ(shown.At("ScreenSaveTimeComboBox").Items.size(), 11u);
    EXPECT_EQ(shown.At("ScreenSaveTimeComboBox").Items.front(), "从不");
    EXPECT_TRUE(shown.At("ScreenSaveTurnOffLightRadioButton").Checked());
    EXPECT_FALSE(shown.At("ScreenSavePageNoSpinEdit").Enabled);
    // The page field is refused while the backlight goes off.
    shown.dialog.ScreenSavePageNoSpinEditChange(9);
    EXPECT_EQ(shown.dialog.OKBtnClick().ScreenSavePageNo, 1);

    shown.dialog.ScreenSaveDispPageRadioButtonClick();
    EXPECT_TRUE(shown.At("ScreenSavePageNoSpinEdit").Enabled);
    shown.dialog.ScreenSavePageNoSpinEditChange(12);
    shown.dialog.ScreenSaveTimeComboBoxChange(10);
    shown.dialog.PanelStatusLedNumComboBoxChange(1);
    ProjectSettings ok = shown.dialog.OKBtnClick();
    EXPECT_EQ(ok.ScreenSaveTurnOffLight, 0);
    EXPECT_EQ(ok.ScreenSavePageNo, 12);
    EXPECT_EQ(ok.ScreenSaveTime, 10);
    EXPECT_EQ(ok.PanelStatusLedNum, 2);

    Shown again(ok);
    EXPECT_TRUE(again.At("ScreenSaveDispPageRadioButton").Checked());
    EXPECT_EQ(again.At("PanelStatusLedNumComboBox").Value, 1);
    again.dialog.ScreenSaveTurnOffLightRadioButtonClick();
    EXPECT_FALSE(again.At("ScreenSavePageNoSpinEdit").Enabled);
    EXPECT_EQ(again.dialog.OKBtnClick().ScreenSaveTurnOffLight, 1);
    EXPECT_EQ(again.dialog.OKBtnClick().ScreenSavePageNo, 12);
}

TEST(SetQX200Dialog, ModelAndProfileDecideTheOptions) {
    struct Case {
        const char* Name;
        int PlcType;
        int Model;
        bool Clock, ClockEnabled, Leds, Analog, BlueText;
        int DialogHeight;
    };
    const Case cases[] = {
        {"large panel", kMitsubishi, kQx420, true, true, true, true, true, 587},
        {"small panel without clock", kMitsubishi, kQx210, false, false, false, true, false, 510},
        {"64 rows with clock", kMitsubishi, kQx220, true, true, false, true, false, 534},
        {"lamps in place of the clock", kMitsubishi, kQx225, false, false, true, false, false, 534},
        {"PLC without clock module", kKeyence, kQx420, true, false, true, true, true, 587},
    };
    for (const Case& c : cases) {
        ProjectSettings settings = SettingsOf(c.PlcType, c.Model);
        settings.CtrlFlags = S::kDateTime | S::kPanelStatusLed | S::kAnalogInputOutput | S::kAutoPageNo;
        Shown shown(settings);
        EXPECT_EQ(shown.At("DateTimeCheckBox").Visible, c.Clock) << c.Name;
        if (c.Clock) EXPECT_EQ(shown.At("DateTimeCheckBox").Enabled, c.ClockEnabled) << c.Name;
        EXPECT_EQ(shown.At("PanelStatusLedCheckBox").Visible, c.Leds) << c.Name;
        EXPECT_EQ(shown.At("PanelStatusLedNumComboBox").Visible, c.Leds) << c.Name;
        EXPECT_EQ(shown.At("AnalogInputOutputCheckBox").Visible, c.Analog) << c.Name;
        EXPECT_FALSE(shown.At("AnalogInputOutputCheckBox").Enabled) << c.Name;
        EXPECT_FALSE(shown.At("ModuleNumSpinEdit").Enabled) << c.Name;
        EXPECT_EQ(shown.At("BlueGroundWhiteTextCheckBox").Visible, c.BlueText) << c.Name;
        EXPECT_EQ(shown.dialog.Layout().SettingsRows.DialogHeight, c.DialogHeight) << c.Name;
        // What cannot be chosen is not stored: analog always, the rest by model and profile.
        const uint8_t expected = static_cast<uint8_t>(S::kAutoPageNo | (c.ClockEnabled ? S::kDateTime : 0) |
                                                      (c.Leds ? S::kPanelStatusLed : 0));
        EXPECT_EQ(shown.dialog.OKBtnClick().CtrlFlags, expected) << c.Name;
        shown.dialog.AutoPageNoCheckBoxClick(S::kAnalogInputOutput, true);
        EXPECT_EQ(shown.dialog.OKBtnClick().CtrlFlags & S::kAnalogInputOutput, 0) << c.Name;
        if (!c.ClockEnabled) {
            shown.dialog.AutoPageNoCheckBoxClick(S::kDateTime, true);
            EXPECT_EQ(shown.dialog.OKBtnClick().CtrlFlags & S::kDateTime, 0) << c.Name;
        }
    }
}

TEST(SetQX200Dialog, OutOfRangeEntriesKeepTheStoredValues) {
    ProjectSettings settings = SettingsOf(kMitsubishi, kQx420);
    settings.HomePageNo = 7;
    settings.Password = 1234;
    Shown shown(settings);
    shown.dialog.HomePageNoSpinEditChange(0);
    shown.dialog.HomePageNoSpinEditChange(70000);
    shown.dialog.PasswordSpinEditChange(-1);
    shown.dialog.PasswordSpinEditChange(100000000);
    shown.dialog.ScreenSaveTimeComboBoxChange(11);
    shown.dialog.PanelStatusLedNumComboBoxChange(2);
    shown.dialog.AutoPageNoCheckBoxClick(0x08, true);  // no option has this bit
    EXPECT_EQ(shown.dialog.OKBtnClick(), settings);
    shown.dialog.PasswordSpinEditChange(99999999);
    EXPECT_EQ(shown.dialog.OKBtnClick().Password, 99999999);
}

}  // namespace
}  // namespace qxed
