#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "files/project_file.h"
#include "support/sample_project.h"
#include "workbench/qx200_app_form.h"
#include "workbench_fixture.h"

namespace qxed {
namespace {

using testing::Workbench;

// The panel settings, alarm list and global key commands: each OK is one undoable change through the
// document, each Cancel none.
TEST(PanelDialogCommands, OkIsOneUndoableChangeAndCancelNone) {
    struct Case {
        const char* Name;
        std::function<void(Workbench&, const Project&)> Answer;  // an OK that changes something
        std::function<void(QX200AppForm&)> Run;
        std::function<bool(const Project&)> Changed;
    };
    const Case cases[] = {
        {"settings",
         [](Workbench& bench, const Project& project) {
             ProjectSettings settings = project.Settings;
             settings.HomePageNo = 77;
             settings.CtrlFlags = ProjectSettings::kReportPageNo;
             bench.dialogs.SettingsAnswers.push_back(settings);
         },
         [](QX200AppForm& form) { form.ToolSetQx200Execute(); },
         [](const Project& project) { return project.Settings.HomePageNo == 77; }},
        {"alarms",
         [](Workbench& bench, const Project&) {
             AlarmListChoice list;
             list.Count = 2;
             list.Coil = PlcAddress{1, 0, 40};
             list.Texts[0] = "one";
             list.Texts[1] = "two";
             bench.dialogs.AlarmAnswers.push_back(list);
         },
         [](QX200AppForm& form) { form.ToolAlarmListExecute(); },
         [](const Project& project) {
             return project.Settings.AlarmCount == 2 && project.AlarmTexts[1] == "two" &&
                    project.Settings.AlarmCoil.Number == 40;
         }},
        {"keys",
         [](Workbench& bench, const Project& project) {
             GlobalKeyChoice keys{20, project.GlobalKeys};
             keys.Keys[3].Function = KeyAction::kSetData;
             keys.Keys[3].SetValue = 99;
             bench.dialogs.KeyAnswers.push_back(keys);
         },
         [](QX200AppForm& form) { form.ToolHFuncKeyExecute(); },
         [](const Project& project) { return project.GlobalKeys[3].SetValue == 99; }},
    };
    for (const Case& c : cases) {
        Workbench bench;
        Project sample = testing::SampleProject();
        sample.Settings.CurrentModel = 2;
        sample.Settings.PlcType = 0;
        const std::string fileName = bench.folder.File("sample.qx2");
        ASSERT_TRUE(SaveProject(sample, fileName, bench.language, bench.prompts));
        QX200AppForm& form = bench.Show({fileName});
        const Document& document = *bench.document;
        const Project before = document.Contents();
        int notices = 0;
        const Connection counting = bench.document->Changed.Connect([&notices](const Change&) { ++notices; });

        c.Run(form);  // no answer: Cancel
        EXPECT_EQ(document.Contents(), before) << c.Name;
        EXPECT_FALSE(document.Modified()) << c.Name;
        EXPECT_FALSE(document.CanUndo()) << c.Name;
        EXPECT_EQ(notices, 0) << c.Name;

        c.Answer(bench, before);
        c.Run(form);
        EXPECT_TRUE(c.Changed(document.Contents())) << c.Name;
        EXPECT_TRUE(document.Modified()) << c.Name;
        EXPECT_EQ(notices, 1) << c.Name;
        ASSERT_TRUE(bench.document->Undo()) << c.Name;
        EXPECT_EQ(document.Contents(), before) << c.Name;
        EXPECT_FALSE(document.CanUndo()) << c.Name;
        EXPECT_FALSE(document.Modified()) << c.Name;
    }
}

TEST(PanelDialogCommands, ImportedDataAndHiddenCommandsOpenNoDialog) {
    Workbench bench;
    Project sample = testing::SampleProject();
    sample.Settings.CurrentModel = 1;  // no global keys
    sample.Settings.PlcType = 24;      // no alarm list
    const std::string fileName = bench.folder.File("sample.qx2");
    ASSERT_TRUE(SaveProject(sample, fileName, bench.language, bench.prompts));
    QX200AppForm& form = bench.Show({fileName});
    bench.dialogs.Calls.clear();
    form.ToolAlarmListExecute();
    form.ToolHFuncKeyExecute();
    EXPECT_TRUE(bench.dialogs.Calls.empty());
    form.ToolSetQx200Execute();
    EXPECT_EQ(bench.dialogs.Calls, std::vector<std::string>{"settings"});
}

}  // namespace
}  // namespace qxed
