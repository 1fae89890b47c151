#include "workbench/qx200_app_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/element_commands.h"
#include "files/project_file.h"
#include "model/element_defaults.h"
#include "support/sample_project.h"
#include "text/texts.h"
#include "workbench_fixture.h"

namespace qxed {
namespace {

using testing::ScriptedDialogs;
using testing::Workbench;

// An edit that marks the project modified.
void Edit(Document& document) {
    document.Apply(PlaceElement(NewElement(document.Contents(), static_cast<int32_t>(ElementKind::Text))));
}

std::string SaveSample(Workbench& bench, const std::string& name, int model = 2) {
    Project project = testing::SampleProject();
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    const std::string fileName = bench.folder.File(name);
    EXPECT_TRUE(SaveProject(project, fileName, bench.language, bench.prompts));
    return fileName;
}

TEST(QX200AppForm, AtStartOnlyTheCommandsThatNeedNoProjectAreUsable) {
    Workbench bench;
    const QX200AppForm& form = bench.Show();
    const std::vector<ActionId> usable = {
        ActionId::FileNew,   ActionId::FileOpen,  ActionId::FileImport, ActionId::FileSelectCommPort,
        ActionId::FileExit,  ActionId::HelpAbout, ActionId::EditCut1,   ActionId::EditCopy1,
        ActionId::EditPaste1};
    for (const ActionRow& row : Actions()) {
        const bool expected = std::find(usable.begin(), usable.end(), row.Id) != usable.end();
        EXPECT_EQ(bench.Enabled(row.Id), expected) << row.Name;
    }
    EXPECT_FALSE(bench.Visible(ActionId::FileOutport));
    EXPECT_FALSE(bench.Visible(ActionId::FileQx200Select));
    EXPECT_FALSE(form.State().ViewImagePanelEnabled);
    EXPECT_FALSE(form.State().PageGroupBoxEnabled);
    EXPECT_TRUE(form.State().GridShown);
    // Without a language file the title is the empty application name.
    EXPECT_EQ(form.State().Caption, "");
    EXPECT_EQ(form.State().Layout.Rows.WindowHeight, 655);
    EXPECT_EQ(bench.document->Contents().Settings.PlcType, 21);
    EXPECT_FALSE(bench.document->Modified());
    EXPECT_TRUE(bench.prompts.Silent());
}

TEST(QX200AppForm, NewAsksForTheModelOnlyWhenModelsCanBeChosenThenForThePlc) {
    for (const bool modelSelect : {false, true}) {
        SCOPED_TRACE(modelSelect);
        Workbench bench;
        if (modelSelect) bench.WriteProgramFile("7460031.dat", "model select\r\n");
        QX200AppForm& form = bench.Show();
        bench.dialogs.ModelAnswers.push_back(2);
        bench.dialogs.PlcAnswers.push_back(ScriptedDialogs::ChoosePlc(11, 9));
        form.FileNewExecute();

        const std::vector<std::string> expected =
            modelSelect ? std::vector<std::string>{"model", "plc"} : std::vector<std::string>{"plc"};
        EXPECT_EQ(bench.dialogs.Calls, expected);
        const ProjectSettings& settings = bench.document->Contents().Settings;
        EXPECT_EQ(settings.PlcType, 11);
        EXPECT_EQ(settings.PanelStation, 9);
        EXPECT_EQ(settings.CurrentModel, modelSelect ? 2 : 0);
        EXPECT_EQ(form.State().Layout.Model, modelSelect ? 2 : 0);
        EXPECT_EQ(bench.document->ProjectFileName(), "未命名");
        EXPECT_EQ(form.State().Caption, " - 未命名");
        EXPECT_FALSE(bench.document->Modified());
        EXPECT_TRUE(bench.Enabled(ActionId::FileSave));
        EXPECT_TRUE(form.State().ViewImagePanelEnabled);
        // The new project's PLC type offers the alarm list.
        EXPECT_TRUE(bench.Enabled(ActionId::ToolAlarmList));
    }
}

TEST(QX200AppForm, AnUntitledProjectIsSavedUnderANameAndTheTitleShowsItsPath) {
    Workbench bench;
    QX200AppForm& form = bench.Show();
    form.FileNewExecute();
    Edit(*bench.document);
    const std::string file = bench.folder.File("docs/plant.qx2");
    std::filesystem::create_directories(bench.folder.File("docs"));
    bench.chooser.Files.push_back(file);
    form.FileSaveExecute();

    ASSERT_EQ(bench.chooser.Requests.size(), 1u);
    const FileRequest& request = bench.chooser.Requests[0];
    EXPECT_EQ(request.Mode, FileRequest::Kind::Save);
    EXPECT_EQ(request.ProposedName, "未命名.qx2");
    EXPECT_EQ(request.DefaultExtension, "QX2");
    EXPECT_TRUE(request.OverwritePrompt);
    EXPECT_EQ(request.Filter, "QXED画面数据文件 (*.qx2)|*.qx2|所有文件 (*.*)|*.*");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(bench.document->Modified());
    EXPECT_EQ(form.State().Caption, " - " + file);
    EXPECT_NE(bench.Settings().find("Dir=" + bench.folder.File("docs")), std::string::npos);

    // Saving again writes the same file without asking.
    Edit(*bench.document);
    form.FileSaveExecute();
    EXPECT_EQ(bench.chooser.Requests.size(), 1u);
    EXPECT_FALSE(bench.document->Modified());
}

// The save question before New, Open, Import and closing: Yes saves, No discards, Cancel keeps everything.
TEST(QX200AppForm, TheSaveQuestionDecidesWhetherAProjectMayGo) {
    struct Case {
        const char* name;
        std::function<bool(Workbench&)> run;  // true when the action went on
    };
    const std::vector<Case> actions = {
        {"new",
         [](Workbench& b) {
             const std::size_t before = b.dialogs.Calls.size();
             b.form->FileNewExecute();
             return b.dialogs.Calls.size() > before;
         }},
        {"open",
         [](Workbench& b) {
             b.chooser.Files.push_back(SaveSample(b, "other.qx2"));
             b.form->FileOpenExecute();
             return b.document->ProjectFileName() == b.folder.File("other.qx2");
         }},
        {"import",
         [](Workbench& b) {
             b.chooser.Files.push_back(b.folder.File("missing.odp"));
             b.form->FileImportExecute();
             return b.document->ProjectFileName() != b.folder.File("kept.qx2");
         }},
        {"close", [](Workbench& b) { return b.form->FormCloseQuery(); }},
    };
    for (const Case& action : actions) {
        for (const MessageResult answer : {MessageResult::Yes, MessageResult::No, MessageResult::Cancel}) {
            SCOPED_TRACE(std::string(action.name) + " answer " + std::to_string(static_cast<int>(answer)));
            Workbench bench;
            const std::string kept = SaveSample(bench, "kept.qx2");
            bench.Show({kept});
            Edit(*bench.document);
            const std::size_t elements = bench.document->CurrentPage().Elements.size();
            bench.prompts.Clear();
            bench.prompts.Answer(answer);

            const bool wentOn = action.run(bench);
            ASSERT_GE(bench.prompts.Messages.size(), 1u);
            const testing::RecordedMessage& question = bench.prompts.Messages[0];
            EXPECT_EQ(question.Text, "要将变更保存到　" + kept + " 吗？");
            EXPECT_EQ(question.Buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(question.Icon, MessageIcon::Question);
            EXPECT_EQ(wentOn, answer != MessageResult::Cancel);
            if (answer == MessageResult::Cancel) {
                EXPECT_TRUE(bench.document->Modified());
                EXPECT_EQ(bench.document->CurrentPage().Elements.size(), elements);
            }
            // Yes saved the edit into the file.
            Project reread;
            ASSERT_TRUE(LoadProject(reread, kept, bench.language, bench.prompts));
            EXPECT_EQ(reread.Pages().front().Elements.size(),
                      answer == MessageResult::Yes ? elements : elements - 1);
        }
    }
}

TEST(QX200AppForm, AYesWhoseSaveIsCancelledKeepsTheProject) {
    Workbench bench;
    QX200AppForm& form = bench.Show();
    form.FileNewExecute();
    Edit(*bench.document);
    bench.prompts.Answer(MessageResult::Yes);  // save, but then the save dialog is cancelled
    EXPECT_FALSE(form.FormCloseQuery());
    EXPECT_TRUE(bench.document->Modified());
    EXPECT_EQ(bench.document->CurrentPage().Elements.size(), 1u);
}

TEST(QX200AppForm, AProjectNamedOnTheCommandLineOpensAndItsFolderIsRemembered) {
    Workbench bench;
    const std::string file = SaveSample(bench, "plant.qx2", 7);
    QX200AppForm& form = bench.Show({file});
    EXPECT_EQ(bench.document->ProjectFileName(), file);
    EXPECT_EQ(bench.document->Contents().Pages().size(), testing::SampleProject().Pages().size());
    EXPECT_EQ(form.State().Layout.Model, 7);
    EXPECT_EQ(form.State().Caption, " - " + file);
    EXPECT_FALSE(bench.document->Modified());
    EXPECT_NE(bench.Settings().find("Dir=" + bench.folder.Path().string()), std::string::npos);

    // A file that does not open leaves a new project, dialogs included.
    Workbench broken;
    broken.WriteProgramFile("bad.qx2", "not a project");
    broken.Show({broken.ProgramFolder() + "/bad.qx2"});
    EXPECT_EQ(broken.prompts.Last().Text, "该文件格式不正确！");
    EXPECT_EQ(broken.prompts.Last().Caption, "bad.qx2 - ");
    EXPECT_EQ(broken.dialogs.Calls, std::vector<std::string>{"plc"});
    EXPECT_EQ(broken.document->ProjectFileName(), "未命名");
}

TEST(QX200AppForm, AFixedModelCanBeChosenOnlyAfterTheStatusBarIsDoubleClicked) {
    Workbench bench;
    bench.WriteProgramFile("7460031.dat", "QX325\n");
    QX200AppForm& form = bench.Show();
    EXPECT_EQ(bench.document->Contents().Settings.CurrentModel, 10);
    EXPECT_EQ(form.State().Layout.Model, 10);  // applied at once
    form.FileNewExecute();
    EXPECT_EQ(bench.dialogs.Calls, std::vector<std::string>{"plc"});
    EXPECT_FALSE(bench.Visible(ActionId::FileQx200Select));
    EXPECT_EQ(bench.document->Contents().GlobalKeyCount, 4);

    form.Qx200ModelStatusBarDblClick();
    EXPECT_TRUE(bench.Visible(ActionId::FileQx200Select));
    bench.dialogs.ModelAnswers.push_back(12);
    form.FileQx200SelectExecute();
    EXPECT_TRUE(bench.dialogs.LastMoreModels);
    EXPECT_EQ(bench.document->Contents().Settings.CurrentModel, 12);
    EXPECT_TRUE(bench.document->Modified());
    EXPECT_EQ(form.State().ModelStatus, "QX-D");
}

TEST(QX200AppForm, ASpecialEditionFixesThePlcTypeAndLocksItsChoice) {
    Workbench bench;
    bench.WriteProgramFile("7460011.dat", "Special Version\nSiemens\n");
    QX200AppForm& form = bench.Show();
    EXPECT_TRUE(form.PlcTypeLocked());
    EXPECT_EQ(bench.document->Contents().Settings.PlcType, 2);
    form.FileNewExecute();
    EXPECT_TRUE(bench.dialogs.LastTypeLocked);
    EXPECT_EQ(bench.dialogs.LastLink.PlcType, 2);

    // An unknown name keeps the type of the settings, still locked.
    Workbench unknown;
    unknown.WriteProgramFile("7460011.dat", "Special Version\nsiemens\n");
    EXPECT_TRUE(unknown.Show().PlcTypeLocked());
    EXPECT_EQ(unknown.document->Contents().Settings.PlcType, 21);
}

TEST(QX200AppForm, ThePlcAndPortChoicesAreKeptInTheSettings) {
    Workbench bench;
    QX200AppForm& form = bench.Show();
    form.FileNewExecute();
    bench.dialogs.PlcAnswers.push_back(ScriptedDialogs::ChoosePlc(24));
    form.FilePlcSelectExecute();
    EXPECT_EQ(bench.document->Contents().Settings.PlcType, 24);
    EXPECT_EQ(bench.document->Contents().Settings.BaudCode, 10);
    EXPECT_FALSE(bench.Enabled(ActionId::ToolAlarmList));  // Crouzet has no alarm list
    EXPECT_NE(bench.Settings().find("Type=24"), std::string::npos);

    bench.dialogs.PortAnswers.push_back(11);
    form.FileSelectCommPortExecute();
    form.FileDownExecute();
    ASSERT_EQ(bench.dialogs.Downloads.size(), 1u);
    EXPECT_EQ(bench.dialogs.Downloads[0].PortName, "COM12");
    EXPECT_EQ(bench.dialogs.Downloads[0].UpgradeMode, "S");
    EXPECT_NE(bench.Settings().find("Comm=11"), std::string::npos);

    // The next start reads both back; a new start takes the type's line parameters.
    Workbench again;
    std::filesystem::create_directories(again.folder.File("config/qxed"));
    testing::WriteBytes(again.SettingsPath(), bench.Settings() + "Grid=0\n");
    QX200AppForm& second = again.Show();
    EXPECT_EQ(second.Settings().CommPort(), 11);
    EXPECT_EQ(again.document->Contents().Settings.PlcType, 24);
    EXPECT_FALSE(second.State().GridShown);
}

TEST(QX200AppForm, EachModelLaysTheWindowOut) {
    struct Case {
        int model;
        std::array<bool, 4> markers;
        int windowHeight;
        bool globalKeys;
        bool touchKeys;
    };
    const std::vector<Case> cases = {
        {2, {true, true, true, true}, 655, true, false},
        {7, {true, true, false, false}, 515, true, false},
        {1, {false, false, false, false}, 499, false, false},
        {6, {false, false, false, false}, 499, true, true},
        {9, {false, false, false, false}, 499, false, true},
        {10, {false, false, false, false}, 499, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Workbench bench;
        bench.WriteProgramFile("7460031.dat", "model select");
        QX200AppForm& form = bench.Show();
        bench.dialogs.ModelAnswers.push_back(c.model);
        form.FileNewExecute();
        const ModelLayout& layout = form.State().Layout;
        EXPECT_EQ(layout.SideMarkers, c.markers);
        EXPECT_EQ(layout.Rows.WindowHeight, c.windowHeight);
        EXPECT_EQ(bench.Visible(ActionId::ToolHFuncKey), c.globalKeys);
        EXPECT_EQ(layout.ElementButtons[static_cast<int>(ElementKind::TouchKey)], c.touchKeys);
        const PanelModel& panel = *FindPanelModel(c.model);
        EXPECT_EQ(layout.Image.Width, (panel.ScreenWidth * panel.PreviewScale + 8) / 16);
        EXPECT_EQ(layout.Image.Left, (kViewImagePanel.Width - layout.Image.Width) / 2);
        EXPECT_EQ(layout.Image.Top, (layout.Rows.ViewImagePanelHeight - layout.Image.Height) / 2);
    }
}

TEST(QX200AppForm, LeavingTheLargePanelHidesTheGlobalKeysButKeepsTheirCount) {
    Workbench bench;
    bench.WriteProgramFile("7460031.dat", "model select");
    QX200AppForm& form = bench.Show();
    bench.dialogs.ModelAnswers.push_back(2);
    form.FileNewExecute();
    EXPECT_EQ(bench.document->Contents().GlobalKeyCount, 20);
    bench.dialogs.ModelAnswers.push_back(1);
    form.FileQx200SelectExecute();
    EXPECT_FALSE(bench.Visible(ActionId::ToolHFuncKey));
    EXPECT_EQ(bench.document->Contents().GlobalKeyCount, 20);
    EXPECT_EQ(form.State().Layout.Rows, (MainWindowRows{170, 212, 393, 331, 356, 433, 499}));
    EXPECT_EQ(form.State().Layout.SettingsRows, (PanelSettingsRows{105, 281, 468, 534}));
}

TEST(QX200AppForm, AnImportedProjectCanOnlyBeDownloadedAndAnExportRenamesTheProject) {
    Workbench bench;
    QX200AppForm& form = bench.Show();
    form.FileNewExecute();

    // Export: the download's image goes into the chosen data file, which then names the project.
    DownloadOutcome outcome;
    outcome.Result = DownloadResult::Ok;
    // A directory of 16 bytes and four more; a driver file of the shortest length there is.
    std::vector<uint8_t> image(20);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i);
    outcome.Image = ScreenDataImage{image, 16, 0};
    outcome.DriverFilePath = bench.folder.File("driver.dat");
    const std::size_t driverSize = 0x33814;
    testing::WriteBytes(outcome.DriverFilePath, std::string(driverSize, 'D'));
    bench.dialogs.DownloadAnswers.push_back(outcome);
    const std::string data = bench.folder.File("plant.odp");
    bench.chooser.Files.push_back(data);
    form.FileOutportExecute();
    EXPECT_EQ(bench.document->ProjectFileName(), data);
    EXPECT_EQ(form.State().Caption, " - " + data);
    EXPECT_EQ(std::filesystem::file_size(data), 30u + image.size() + driverSize);

    // A cancelled download exports nothing.
    bench.chooser.Files.push_back(bench.folder.File("none.odp"));
    form.FileOutportExecute();
    EXPECT_FALSE(std::filesystem::exists(bench.folder.File("none.odp")));

    bench.chooser.Files.push_back(data);
    form.FileImportExecute();
    EXPECT_TRUE(bench.document->ImportedData());
    for (const ActionId id :
         {ActionId::FileSave, ActionId::FileSaveAs, ActionId::FilePlcSelect, ActionId::EditDel,
          ActionId::ToolNewPage, ActionId::ToolSetQx200, ActionId::ToolAlarmList, ActionId::ToolDispGrid})
        EXPECT_FALSE(bench.Enabled(id)) << ActionOf(id).Name;
    EXPECT_FALSE(form.State().Image1Visible);
    EXPECT_FALSE(form.State().PropertyBoxesVisible);
    EXPECT_TRUE(bench.Enabled(ActionId::FileDown));
    form.FileDownExecute();
    ASSERT_TRUE(bench.dialogs.Downloads.back().Prebuilt.has_value());
    EXPECT_EQ(bench.dialogs.Downloads.back().Prebuilt->Bytes, image);

    // Opening a project unlocks editing again.
    bench.chooser.Files.push_back(SaveSample(bench, "again.qx2"));
    form.FileOpenExecute();
    EXPECT_FALSE(bench.document->ImportedData());
    EXPECT_TRUE(bench.Enabled(ActionId::FileSave));
    form.FileDownExecute();
    EXPECT_FALSE(bench.dialogs.Downloads.back().Prebuilt.has_value());
}

TEST(QX200AppForm, TheLanguageFileNamesTheApplicationAndTheUntitledProject) {
    Workbench bench("[Font]\nVersion=En\nFontCharset=0\n[Name]\nAppName=QXED\nFileName=Untitled\n");
    QX200AppForm& form = bench.Show();
    EXPECT_EQ(form.State().Caption, "QXED");
    form.FileNewExecute();
    EXPECT_EQ(form.State().Caption, "QXED - Untitled");
}

TEST(QX200AppForm, TheUpgradeModeStepsThroughItsThreeValues) {
    Workbench bench;
    bench.Show();
    AboutBox& about = *bench.about;
    std::string seen;
    for (int i = 0; i < 4; ++i) {
        seen += about.UpgradeMode();
        about.UpgradeModeLabelDblClick();
    }
    EXPECT_EQ(seen, "SUNS");
    EXPECT_EQ(about.Captions().VersionNumber, "V9.4.3");

    Workbench configured;
    configured.WriteProgramFile("7460001.dat", "\nmail@example.org\n");
    configured.WriteProgramFile("7460021.dat", "made here\n");
    configured.Show();
    const AboutBox::Texts& texts = configured.about->Captions();
    EXPECT_EQ(texts.Copyright, "制造商：");  // an empty line keeps the default
    EXPECT_EQ(texts.Comments, "mail@example.org");
    EXPECT_EQ(texts.IconHint, "made here");
}

TEST(QX200AppForm, AChosenLanguageBecomesTheUsersForTheNextStart) {
    Workbench bench;
    std::filesystem::create_directories(bench.ProgramFolder() + "/languages/en");
    const std::string english = "[Name]\nLanguageName=English\n";
    bench.WriteProgramFile("languages/en/Language.Ini", english);
    QX200AppForm& form = bench.Show();
    ASSERT_EQ(form.Languages().size(), 1u);
    EXPECT_EQ(form.Languages()[0].Name, "English");
    form.HelpLanguageExecute("en");
    EXPECT_EQ(testing::ReadBytes(bench.folder.File("config/qxed/Language.Ini")), english);
    EXPECT_EQ(bench.prompts.Last().Text, "所选语言将在下次启动程序时生效。");
    EXPECT_EQ(bench.prompts.Last().Icon, MessageIcon::Information);
    // The running editor keeps its texts.
    EXPECT_EQ(bench.language.TextUtf8(texts::FileName), "未命名");
}

TEST(QX200AppForm, TheLastProjectsAreOfferedNewestFirstAndAMissingOneLeavesTheList) {
    Workbench bench;
    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i)
        files.push_back(SaveSample(bench, "p" + std::to_string(i) + ".qx2"));
    QX200AppForm& form = bench.Show({files[0]});
    for (int i = 1; i < 10; ++i) {
        bench.chooser.Files.push_back(files[static_cast<std::size_t>(i)]);
        form.FileOpenExecute();
    }
    ASSERT_EQ(form.State().RecentFiles.size(), 8u);
    EXPECT_EQ(form.State().RecentFiles.front(), files[9]);
    EXPECT_EQ(form.State().RecentFiles.back(), files[2]);

    form.FileOpenRecentExecute(3);
    EXPECT_EQ(bench.document->ProjectFileName(), files[6]);
    EXPECT_EQ(form.State().RecentFiles.front(), files[6]);

    std::filesystem::remove(files[9]);
    Edit(*bench.document);
    bench.prompts.Clear();
    form.FileOpenRecentExecute(1);  // p9, gone: reported, dropped, and the edited project kept
    EXPECT_EQ(bench.prompts.Last().Text, "该文件格式不正确！");
    EXPECT_EQ(bench.prompts.Messages.size(), 1u);
    EXPECT_TRUE(bench.document->Modified());
    EXPECT_EQ(std::count(form.State().RecentFiles.begin(), form.State().RecentFiles.end(), files[9]), 0);

    // The list survives a new start.
    Workbench again;
    std::filesystem::create_directories(again.folder.File("config/qxed"));
    testing::WriteBytes(again.SettingsPath(), bench.Settings());
    EXPECT_EQ(again.Show().State().RecentFiles, form.State().RecentFiles);
}

TEST(FileNames, ExtensionsAreReplacedOnlyInTheFileName) {
    EXPECT_EQ(ChangeFileExt("/a/b.odp", ".qx2"), "/a/b.qx2");
    EXPECT_EQ(ChangeFileExt("/a.d/b", ".qx2"), "/a.d/b.qx2");
    EXPECT_EQ(ChangeFileExt("未命名", ".qx2"), "未命名.qx2");
    EXPECT_EQ(WithoutExt("未命名.qx2"), "未命名");
}

}  // namespace
}  // namespace qxed
