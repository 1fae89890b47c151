#include <gtest/gtest.h>

#include "model/element_rules.h"
#include "panel_bench.h"
#include "text/ini_file.h"

namespace qxed {
namespace {

using testing::PanelBench;

TEST(FuncKeyPanel, APasswordPageJumpIsNeverProtected) {
    PanelBench bench;
    bench.Place(ElementKind::FuncKey);
    FuncKeyPanel& key = bench.panel.FuncKey();
    key.EncryptCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Encrypt, 1);
    key.FunctionRadioClick(KeyAction::kPageJump);
    EXPECT_TRUE(bench.At("FuncKeyJmpCtrlGroupBox").Visible);
    EXPECT_FALSE(bench.At("FuncKeyCoilGroupBox").Visible);
    EXPECT_TRUE(bench.At("FuncKeyPageNoSpinEdit").Enabled);

    key.JumpRadioClick(1);
    const KeyAction& action = bench.Fields<FuncKeyFields>().Action;
    EXPECT_EQ(action.Jump, 1);
    EXPECT_EQ(action.Encrypt, 0);
    EXPECT_FALSE(bench.At("FuncKeyEncryptCheckBox").Checked());
    EXPECT_FALSE(bench.At("FuncKeyEncryptCheckBox").Enabled);
    EXPECT_FALSE(bench.At("FuncKeyPageNoSpinEdit").Enabled);
    key.EncryptCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Encrypt, 0);
    key.PageNoSpinEditChange(5);  // disabled for the password page
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.PageNo, 0);

    // Back on another function the protection is offered again.
    key.FunctionRadioClick(KeyAction::kSetCoil);
    EXPECT_TRUE(bench.At("FuncKeyEncryptCheckBox").Enabled);
}

TEST(FuncKeyPanel, AProtectedKeyTurnedToThePasswordPageLosesItsProtection) {
    PanelBench bench;
    Element element = NewElement(bench.document.Contents(), 4);
    element.As<FuncKeyFields>().Action.Jump = 1;
    element.As<FuncKeyFields>().Action.Encrypt = 1;
    bench.Put(element);
    bench.panel.FuncKey().FunctionRadioClick(KeyAction::kPageJump);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Function, KeyAction::kPageJump);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Encrypt, 0);
}

TEST(FuncKeyPanel, EachFunctionShowsOnlyItsGroup) {
    struct Case {
        uint8_t Function;
        const char* Radio;
        const char* Group;
    };
    const Case cases[] = {
        {KeyAction::kSetCoil, "FuncKeySetCoilRadioButton", "FuncKeyCoilGroupBox"},
        {KeyAction::kPageJump, "FuncKeyJmpCtrlRadioButton", "FuncKeyJmpCtrlGroupBox"},
        {KeyAction::kAdvanced, "FuncKeyAdvanceRadioButton", "FuncKeyAdvanceGroupBox"},
        {KeyAction::kSetData, "FuncKeySetRegRadioButton", "FuncKeyRegGroupBox"},
    };
    const char* groups[] = {"FuncKeyCoilGroupBox", "FuncKeyJmpCtrlGroupBox", "FuncKeyAdvanceGroupBox",
                            "FuncKeyRegGroupBox"};
    for (const Case& c : cases) {
        PanelBench bench(0, 1);  // Koyo offers the advanced functions
        bench.Place(ElementKind::FuncKey);
        bench.panel.FuncKey().FunctionRadioClick(c.Function);
        EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Function, c.Function);
        EXPECT_TRUE(bench.At(c.Radio).Checked()) << c.Radio;
        for (const char* group : groups)
            EXPECT_EQ(bench.At(group).Visible, std::string(group) == c.Group) << c.Radio << " " << group;
    }
    PanelBench halden;
    halden.Place(ElementKind::FuncKey);
    EXPECT_FALSE(halden.At("FuncKeyAdvanceRadioButton").Visible);
    EXPECT_TRUE(halden.At("FuncKeyJumpAlarmListRadioButton").Visible);
    PanelBench crouzet(0, 24);  // no alarm list
    crouzet.Place(ElementKind::FuncKey);
    EXPECT_FALSE(crouzet.At("FuncKeyJumpAlarmListRadioButton").Visible);
}

TEST(FuncKeyPanel, AnInvisibleKeyHasNeitherHandNorDoubleNorInverse) {
    PanelBench bench;
    bench.Place(ElementKind::FuncKey);
    bench.panel.FuncKey().DoubleCheckBoxClick(true);
    bench.panel.FuncKey().InverseCheckBoxClick(true);
    EXPECT_EQ(bench.Selected().Double, 1);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.WithHand, 1);

    bench.panel.FuncKey().DisappearCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.Disappear, 1);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.WithHand, 0);
    EXPECT_EQ(bench.Selected().Double, 0);
    EXPECT_EQ(bench.Selected().Inverse, 0);
    for (const char* name : {"FuncKeyWithHandCheckBox", "FuncKeyDoubleCheckBox", "FuncKeyInverseCheckBox"}) {
        EXPECT_FALSE(bench.At(name).Enabled) << name;
        EXPECT_FALSE(bench.At(name).Checked()) << name;
    }
    bench.panel.FuncKey().FuncKeyWithHandCheckBoxClick(true);
    bench.panel.FuncKey().DoubleCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<FuncKeyFields>().Action.WithHand, 0);
    EXPECT_EQ(bench.Selected().Double, 0);

    bench.panel.FuncKey().DisappearCheckBoxClick(false);
    EXPECT_TRUE(bench.At("FuncKeyWithHandCheckBox").Enabled);
}

TEST(FuncKeyPanel, TheKeyListIsThePanelModelsKeypad) {
    // QX420 lists F1..F10 first; position 2 is F3 (code 24). QX210 starts with Home, Left.
    IniFile keys = IniFile::FromBytes("[Qx420Key]\nF1=\nF2=\nF3=\n[Qx210Key]\nHome=\nLeft=\n");
    PanelBench large(2, 21, Language(keys));
    large.Place(ElementKind::FuncKey);
    EXPECT_EQ(large.At("FuncKeyTypeComboBox").Items, (std::vector<std::string>{"F1", "F2", "F3"}));
    EXPECT_EQ(large.At("FuncKeyTypeComboBox").Value, 0);  // the new key is F1 (22)
    large.panel.FuncKey().FuncKeyTypeComboBoxChange(2);
    EXPECT_EQ(large.Fields<FuncKeyFields>().Action.Key, 24);
    EXPECT_EQ(large.At("FuncKeyTypeComboBox").Value, 2);
    EXPECT_TRUE(large.At("FuncKeyJumpDateTimeRadioButton").Visible);

    PanelBench small(0, 21, Language(keys));
    small.Place(ElementKind::FuncKey);
    EXPECT_EQ(small.At("FuncKeyTypeComboBox").Value, 1);  // Left (1)
    EXPECT_FALSE(small.At("FuncKeyJumpDateTimeRadioButton").Visible);
}

TEST(FuncKeyPanel, SetDataStoresTheRegisterAndTheValue) {
    PanelBench bench(0, 2);
    bench.Place(ElementKind::FuncKey);
    FuncKeyPanel& key = bench.panel.FuncKey();
    key.FunctionRadioClick(KeyAction::kSetData);
    key.RegTypeComboBoxChange(2);
    key.RegNoSpinEditChange(12);
    key.SetValueSpinEditChange(-500);
    key.CoilNoSpinEditChange(10);
    key.CoilNoComboBoxChange(3);
    const KeyAction& action = bench.Fields<FuncKeyFields>().Action;
    EXPECT_EQ(action.RegAddress.TypeIndex, 2);
    EXPECT_EQ(action.RegAddress.Number, 96);
    EXPECT_EQ(action.SetValue, -500);
    EXPECT_EQ(action.Coil.Number, 83);
    EXPECT_EQ(bench.At("FuncKeyRegNoSpinEdit").Value, 12);
}

TEST(TouchKeyPanel, TheIndicatorBelongsToAVisibleSetCoilKey) {
    PanelBench bench(6);  // QX223 offers touch keys
    bench.Place(ElementKind::TouchKey);
    TouchKeyPanel& key = bench.panel.TouchKey();
    key.TouchKeyIndicateCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<TouchKeyFields>().Indicate, 1);
    EXPECT_TRUE(bench.At("TouchKeyIndicateCheckBox").Visible);

    key.FunctionRadioClick(KeyAction::kPageJump);
    EXPECT_EQ(bench.Fields<TouchKeyFields>().Indicate, 0);
    EXPECT_FALSE(bench.At("TouchKeyIndicateCheckBox").Visible);
    key.TouchKeyIndicateCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<TouchKeyFields>().Indicate, 0);

    key.FunctionRadioClick(KeyAction::kSetCoil);
    EXPECT_TRUE(bench.At("TouchKeyIndicateCheckBox").Visible);
    key.TouchKeyIndicateCheckBoxClick(true);
    key.InverseCheckBoxClick(true);
    key.DisappearCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<TouchKeyFields>().Indicate, 0);
    EXPECT_EQ(bench.Selected().Inverse, 0);
    EXPECT_FALSE(bench.At("TouchKeyIndicateCheckBox").Enabled);
    EXPECT_FALSE(bench.At("TouchKeyInverseCheckBox").Enabled);
    EXPECT_FALSE(bench.State().Has("TouchKeyWithHandCheckBox"));
    EXPECT_FALSE(bench.State().Has("TouchKeyTypeComboBox"));
}

TEST(TouchKeyPanel, TheCaptionIsShortenedUntilTheKeyFits) {
    PanelBench bench(6);
    bench.Place(ElementKind::TouchKey, 200, 0);
    bench.panel.TouchKey().TouchKeyContentEditChange(std::string(120, 'W'));
    const TouchKeyFields& touch = bench.Fields<TouchKeyFields>();
    const CodePage codePage = bench.document.Defaults().TextCodePage;
    EXPECT_LT(touch.Content.size(), 120u);
    EXPECT_LE(MeasureFontTextUnits(touch.Font, touch.Content, codePage, 36).Width + 14, 432);
    EXPECT_GT(MeasureFontTextUnits(touch.Font, touch.Content + "W", codePage, 36).Width + 14, 432);
}

}  // namespace
}  // namespace qxed
