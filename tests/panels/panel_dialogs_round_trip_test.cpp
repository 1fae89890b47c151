#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/document.h"
#include "document/project_commands.h"
#include "files/project_file.h"
#include "image/image_fixture.h"
#include "image/image_reader.h"
#include "panels/alarm_list_ok_bottom_dlg.h"
#include "panels/hfunc_key_ok_bottom_dlg.h"
#include "panels/set_qx200_ok_bottom_dlg.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace qxed {
namespace {

using ::testing::HasSubstr;
using S = ProjectSettings;

constexpr int kMitsubishi = 0;
constexpr int kQx420 = 2;

// What the three dialogs store survives a save and a load and reaches the panel's image: the settings
// block, the alarm directory and the global key table, as the image reader (and so `qxed-cli inspect`)
// reads them back.
TEST(PanelDialogsRoundTrip, DialogValuesReachTheFileAndTheImage) {
    const Language language(IniFile::FromBytes("[Font]\nVersion=sCh\n"));
    Document document;
    {
        Project project;
        project.Settings.PlcType = kMitsubishi;
        ResetProject(project);
        project.Settings.CurrentModel = kQx420;
        project.GlobalKeyCount = 20;
        project.ClearPages();
        project.AddPage(1, "");
        document.Replace(std::move(project), "", false);
    }

    SetQX200OKBottomDlg settings(language);
    settings.ApplyPlcProfile(kMitsubishi);
    settings.ApplyModel(kQx420);
    settings.FormShow(document.Contents().Settings);
    settings.HomePageNoSpinEditChange(5);
    settings.CtrlRegNoSpinEditChange(100);
    settings.AutoPageNoCheckBoxClick(S::kAutoPageNo, true);
    settings.AutoPageNoCheckBoxClick(S::kPanelStatusLed, true);
    settings.PanelStatusLedNumComboBoxChange(1);
    settings.ScreenSaveDispPageRadioButtonClick();
    settings.ScreenSavePageNoSpinEditChange(3);
    ASSERT_TRUE(document.Apply(SetSettings(settings.OKBtnClick())));

    AlarmListOKBottomDlg alarms(language);
    alarms.ApplyPlcProfile(kMitsubishi);
    alarms.ApplyModel(kQx420);
    alarms.FormShow(document.Contents().Settings, document.Contents().AlarmTexts, CodePage::Gbk);
    alarms.AlarmCoilNoSpinEditChange(10);
    alarms.AlarmListStringGridSetEditText(0, "HOT");
    alarms.AlarmListStringGridSetEditText(1, "STOP");
    const AlarmListChoice list = alarms.OKBtnClick();
    ASSERT_TRUE(document.Apply(SetAlarmList(list.Count, list.Coil, list.Texts)));

    HFuncKeyOKBottomDlg keys(language);
    keys.ApplyPlcProfile(kMitsubishi);
    keys.ApplyModel(kQx420);
    keys.FormShow(document.Contents().GlobalKeys);
    keys.HFuncKeyStringGridSelectCell(1, 0);
    keys.FunctionRadioClick(KeyAction::kSetData);
    keys.SetValueSpinEditChange(42);
    keys.EncryptCheckBoxClick(true);
    const GlobalKeyChoice chosen = keys.OKBtnClick();
    ASSERT_TRUE(document.Apply(SetGlobalKeys(chosen.Count, chosen.Keys)));

    testing::TempFolder folder;
    testing::RecordingPrompts prompts;
    const std::string fileName = folder.File("dialogs.qx2");
    ASSERT_TRUE(SaveProject(document.Contents(), fileName, language, prompts));
    Project loaded;
    ASSERT_TRUE(LoadProject(loaded, fileName, language, prompts));
    EXPECT_EQ(loaded, document.Contents());
    EXPECT_EQ(loaded.Settings.CtrlReg.Number, 100);
    EXPECT_EQ(loaded.Settings.CtrlFlags, S::kAutoPageNo | S::kPanelStatusLed);
    EXPECT_EQ(loaded.Settings.AlarmCount, 2);
    EXPECT_EQ(loaded.GlobalKeys[10].SetValue, 42);

    testing::WriteGlyphFiles(folder);
    testing::CountingProgress progress;
    const ImageBuildContext context{&language, TextLanguage::sCh, folder.Path().string()};
    const BuildOutcome built = PreparePageContent(loaded, context, progress, prompts);
    ASSERT_EQ(built.Status, BuildStatus::Built);
    const ImageReadResult read = ReadScreenDataImage(built.Image.Bytes, kQx420);
    ASSERT_TRUE(read.Image) << read.Error;
    const ImageSettings& block = read.Image->Settings;
    EXPECT_EQ(block.HomePageNo, 5);
    EXPECT_EQ(block.CtrlReg.Number, 100);
    EXPECT_EQ(block.PanelStatusLedNum, 2);
    EXPECT_EQ(block.ScreenSaveTurnOffLight, 0);
    EXPECT_EQ(block.ScreenSavePageNo, 3);
    EXPECT_EQ(block.AlarmCount, 2);
    EXPECT_EQ(block.AlarmCoil.Number, 10);
    EXPECT_EQ(read.Image->Alarms.size(), 2u);
    ASSERT_EQ(block.GlobalKeys.size(), 20u);
    EXPECT_EQ(block.GlobalKeys[10].Attribute, 0x40);
    EXPECT_EQ(block.GlobalKeys[10].Action.Function, KeyAction::kSetData);
    EXPECT_EQ(block.GlobalKeys[10].Action.SetValue, 42u);
    EXPECT_EQ(block.GlobalKeys[0].Action.Function, KeyAction::kNoFunction);

    const std::string inspected = FormatScreenDataImage(*read.Image);
    EXPECT_THAT(inspected, HasSubstr("\n  HomePageNo: 5\n"));
    EXPECT_THAT(inspected, HasSubstr("\n  AlarmCount: 2\n"));
    EXPECT_THAT(inspected, HasSubstr("\n  CtrlReg: station 1, type code"));
    EXPECT_THAT(inspected, HasSubstr("\n    key 11: attribute 0x40 Encrypt, function 4"));
    EXPECT_THAT(inspected, HasSubstr("SetValue 42\n"));
}

}  // namespace
}  // namespace qxed
