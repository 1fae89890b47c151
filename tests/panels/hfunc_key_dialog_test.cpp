#include <gtest/gtest.h>

#include <string>

#include "panels/hfunc_key_ok_bottom_dlg.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int kMitsubishi = 0;
constexpr int kKoyo = 1;
constexpr int kQx220 = 1;
constexpr int kQx420 = 2;
constexpr int kQx222 = 4;
constexpr int kQx325 = 10;

std::array<KeyAction, kGlobalKeySlots> ResetKeys() {
    std::array<KeyAction, kGlobalKeySlots> keys{};
    for (KeyAction& key : keys)
        key.Function = KeyAction::kNoFunction;
    return keys;
}

struct Shown {
    Language language;
    HFuncKeyOKBottomDlg dialog{language};
    Shown(int plcType, int model, const std::array<KeyAction, kGlobalKeySlots>& keys = ResetKeys()) {
        dialog.ApplyPlcProfile(plcType);
        dialog.ApplyModel(model);
        dialog.FormShow(keys);
    }
    const ControlState& At(const char* name) const { return dialog.State().At(name); }
    const KeyAction& Key(int index) const { return dialog.Keys()[static_cast<size_t>(index)]; }
};

TEST(HFuncKeyDialog, CellsAreCaptionedAndMappedByModel) {
    struct Case {
        int Model;
        int Keys;
        int Row, Column;
        const char* Caption;
        int Key;  // -1: the cell has no key and hides the function group
    };
    const Case cases[] = {
        {kQx420, 20, 0, 0, "  K1", 0},   {kQx420, 20, 0, 9, "  K10", 9}, {kQx420, 20, 1, 0, "  F1", 10},
        {kQx420, 20, 1, 9, "  F10", 19}, {kQx222, 8, 0, 7, "  F8", 7},   {kQx222, 8, 0, 8, "     ", -1},
        {kQx222, 8, 1, 0, "     ", -1},  {kQx325, 4, 0, 3, "  F4", 3},   {kQx325, 4, 0, 4, "     ", -1},
        {kQx325, 4, 0, 5, "     ", -1},  {kQx325, 4, 1, 2, "     ", -1}, {kQx220, 0, 0, 0, "     ", -1},
    };
    for (const Case& c : cases) {
        Shown shown(kMitsubishi, c.Model);
        EXPECT_EQ(shown.dialog.KeyCount(), c.Keys) << c.Model;
        EXPECT_EQ(shown.dialog.CellCaptions()[static_cast<size_t>(c.Row * 10 + c.Column)], c.Caption)
            << c.Model << " " << c.Row << "," << c.Column;
        shown.dialog.HFuncKeyStringGridSelectCell(c.Row, c.Column);
        EXPECT_EQ(shown.dialog.KeyOfCell(c.Row, c.Column), c.Key);
        EXPECT_EQ(shown.At("HFuncKeyContentGroupBox").Visible, c.Key >= 0)
            << c.Model << " " << c.Row << "," << c.Column;
        // A cell without key takes no edit.
        shown.dialog.FunctionRadioClick(KeyAction::kSetCoil);
        int changed = 0;
        for (const KeyAction& key : shown.dialog.Keys())
            changed += key.Function == KeyAction::kSetCoil ? 1 : 0;
        EXPECT_EQ(changed, c.Key >= 0 ? 1 : 0);
        if (c.Key >= 0) EXPECT_EQ(shown.Key(c.Key).Function, KeyAction::kSetCoil);
    }
}

TEST(HFuncKeyDialog, ProtectionNeedsAFunctionAndNeverGuardsThePasswordPage) {
    struct Step {
        const char* Name;
        void (*Apply)(HFuncKeyOKBottomDlg&);
        uint8_t Function;
        uint8_t Encrypt;
        bool EncryptEnabled;
    };
    const Step steps[] = {
        {"not set: the box does nothing", [](HFuncKeyOKBottomDlg& d) { d.EncryptCheckBoxClick(true); },
         KeyAction::kNoFunction, 0, false},
        {"a coil key", [](HFuncKeyOKBottomDlg& d) { d.FunctionRadioClick(KeyAction::kSetCoil); },
         KeyAction::kSetCoil, 0, true},
        {"protected", [](HFuncKeyOKBottomDlg& d) { d.EncryptCheckBoxClick(true); }, KeyAction::kSetCoil, 1,
         true},
        {"not set clears the protection", [](HFuncKeyOKBottomDlg& d) { d.NoFuncRadioClick(); },
         KeyAction::kNoFunction, 0, false},
        {"a page jump", [](HFuncKeyOKBottomDlg& d) { d.FunctionRadioClick(KeyAction::kPageJump); },
         KeyAction::kPageJump, 0, true},
        {"protected jump", [](HFuncKeyOKBottomDlg& d) { d.EncryptCheckBoxClick(true); }, KeyAction::kPageJump,
         1, true},
        {"to the password page", [](HFuncKeyOKBottomDlg& d) { d.JumpRadioClick(1); }, KeyAction::kPageJump, 0,
         false},
        {"still unprotected", [](HFuncKeyOKBottomDlg& d) { d.EncryptCheckBoxClick(true); },
         KeyAction::kPageJump, 0, false},
        {"back to a page", [](HFuncKeyOKBottomDlg& d) { d.JumpRadioClick(0); }, KeyAction::kPageJump, 0,
         true},
    };
    Shown shown(kMitsubishi, kQx420);
    shown.dialog.HFuncKeyStringGridSelectCell(1, 2);
    for (const Step& step : steps) {
        step.Apply(shown.dialog);
        EXPECT_EQ(shown.Key(12).Function, step.Function) << step.Name;
        EXPECT_EQ(shown.Key(12).Encrypt, step.Encrypt) << step.Name;
        EXPECT_EQ(shown.At("HFuncKeyEncryptCheckBox").Enabled, step.EncryptEnabled) << step.Name;
        EXPECT_EQ(shown.At("HFuncKeyEncryptCheckBox").Checked(), step.Encrypt != 0) << step.Name;
        EXPECT_EQ(shown.At("HFuncKeyNoFuncRadioButton").Checked(), step.Function == KeyAction::kNoFunction)
            << step.Name;
    }
}

TEST(HFuncKeyDialog, TheAdvancedChoiceStopsOrRunsThePlcWhereOffered) {
    Shown koyo(kKoyo, kQx420);
    EXPECT_TRUE(koyo.At("HFuncKeyAdvanceRadioButton").Visible);
    koyo.dialog.FunctionRadioClick(KeyAction::kAdvanced);
    EXPECT_EQ(koyo.Key(0).Function, KeyAction::kAdvanced);
    EXPECT_TRUE(koyo.At("HFuncKeyAdvanceRadioButton").Checked());
    EXPECT_TRUE(koyo.At("HFuncKeyAdvanceGroupBox").Visible);
    EXPECT_FALSE(koyo.At("HFuncKeyCoilGroupBox").Visible);
    koyo.dialog.PlcStopRadioClick(1);
    EXPECT_EQ(koyo.Key(0).PlcStop, 1);
    EXPECT_TRUE(koyo.At("HFuncKeyPlcStopRadioButton").Checked());

    Shown mitsubishi(kMitsubishi, kQx420);
    EXPECT_FALSE(mitsubishi.At("HFuncKeyAdvanceRadioButton").Visible);
    mitsubishi.dialog.FunctionRadioClick(KeyAction::kAdvanced);
    EXPECT_EQ(mitsubishi.Key(0).Function, KeyAction::kNoFunction);
}

TEST(HFuncKeyDialog, EditsStayWithTheirKeyAndOkGivesTheModelsKeys) {
    std::array<KeyAction, kGlobalKeySlots> keys = ResetKeys();
    keys[9].Function = KeyAction::kSetData;
    keys[9].RegNum = 1;
    Shown shown(kMitsubishi, kQx222, keys);
    shown.dialog.HFuncKeyStringGridSelectCell(0, 1);
    shown.dialog.FunctionRadioClick(KeyAction::kSetData);
    EXPECT_TRUE(shown.At("HFuncKeyRegGroupBox").Visible);
    EXPECT_TRUE(shown.At("HFuncKeyRegNumSpinEdit").Enabled);
    shown.dialog.RegNoSpinEditChange(300);
    shown.dialog.RegNumSpinEditChange(2);
    shown.dialog.SetValueSpinEditChange(-5);
    shown.dialog.HFuncKeyStringGridSelectCell(0, 2);
    shown.dialog.FunctionRadioClick(KeyAction::kSetCoil);
    shown.dialog.CoilNoSpinEditChange(12);
    shown.dialog.CoilActionRadioClick(3);
    shown.dialog.HFuncKeyStringGridSelectCell(0, 1);
    EXPECT_EQ(shown.At("HFuncKeyRegNoSpinEdit").Value, 300);
    EXPECT_EQ(shown.At("HFuncKeySetValueSpinEdit").Value, -5);

    const GlobalKeyChoice choice = shown.dialog.OKBtnClick();
    EXPECT_EQ(choice.Count, 8);
    EXPECT_EQ(choice.Keys[1].RegAddress.Number, 300);
    EXPECT_EQ(choice.Keys[1].RegNum, 2);
    EXPECT_EQ(choice.Keys[1].SetValue, -5);
    EXPECT_EQ(choice.Keys[2].Coil.Number, 12);
    EXPECT_EQ(choice.Keys[2].CoilAction, 3);
    EXPECT_EQ(choice.Keys[0], keys[0]);
    // Keys beyond the model's count are carried as they were.
    EXPECT_EQ(choice.Keys[9], keys[9]);
}

}  // namespace
}  // namespace qxed
