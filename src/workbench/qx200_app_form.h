#pragma once
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "files/data_file.h"
#include "image/image_build.h"
#include "model/user_prompts.h"
#include "workbench/about_box.h"
#include "workbench/config_files.h"
#include "workbench/editor_dialogs.h"
#include "workbench/language_choice.h"
#include "workbench/main_window_state.h"
#include "workbench/program_settings.h"

namespace qxed {

class Language;

// Where the main window finds what lies outside the project.
struct WorkbenchPlaces {
    std::string ProgramFolder;  // configuration files, glyph files, element pictures, PLC drivers
    std::string SettingsPath;   // the user's Qx200.Ini
};

// The main window's behaviour without widgets: the file commands, the PLC, model and port choices, the
// download, the title and the state of every action and area. Handlers are named as the window's actions
// and events; the window forwards each to the handler of the same name.
class QX200AppForm {
  public:
    // The About box is the program's, shared with its window; the download reads its upgrade mode.
    QX200AppForm(Document& document, const Language& language, WorkbenchPlaces places, AboutBox& about,
                 UserPrompts& prompts, EditorDialogs& dialogs, FileChooser& chooser);
    QX200AppForm(const QX200AppForm&) = delete;
    QX200AppForm& operator=(const QX200AppForm&) = delete;

    // The view shows the state from now on; it gets the current state at once.
    void SetView(QX200AppFormView* view);

    // The show step: settings, configuration files, PLC profile, model, then the project named by the first
    // command-line argument, if any.
    void FormShow(const std::vector<std::string>& arguments);

    void FileNewExecute();
    void FileOpenExecute();
    // One of the File menu's last projects (0: the newest). A file that is gone is reported and leaves the
    // list.
    void FileOpenRecentExecute(std::size_t index);
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FileImportExecute();
    void FileOutportExecute();
    void FileQx200SelectExecute();
    void FilePlcSelectExecute();
    void FileSelectCommPortExecute();
    void FileDownExecute();
    // Compiles the project as the download does (or takes the imported image) and runs it in the panel
    // window.
    void ToolVirtualPanelExecute();
    void FileExitExecute();
    void EditUndoExecute();
    void EditRedoExecute();
    void ToolDispGridExecute();
    // The panel settings, alarm list and global key dialogs; each OK is one change of the project.
    void ToolSetQx200Execute();
    void ToolAlarmListExecute();
    void ToolHFuncKeyExecute();
    void HelpAboutExecute();
    void Qx200ModelStatusBarDblClick();
    // The Help menu's language choice: the shipped file becomes the user's, read at the next start.
    void HelpLanguageExecute(const std::string& id);
    const std::vector<ShippedLanguage>& Languages() const { return languages_; }
    // The window is about to close: true lets it close.
    bool FormCloseQuery();

    // The save-changes question; true when the caller may discard the project, which is then emptied.
    bool QuerySaveChanges();
    void UpdateMainWindowState();

    const MainWindowState& State() const { return state_; }
    const ProgramSettings& Settings() const { return settings_; }
    const std::string& AppName() const { return appName_; }
    const std::string& UntitledName() const { return untitledName_; }
    int DefaultModel() const { return defaultModel_; }
    bool ModelSelectEnabled() const { return modelSelectEnabled_; }
    bool PlcTypeLocked() const { return plcTypeLocked_; }
    // The models the status bar's double click adds to the model dialog.
    bool MoreModelsShown() const { return moreModels_; }
    // The image of the imported data file while the project is an imported one.
    const std::optional<DataFileContents>& ImportedImage() const { return imported_; }

  private:
    void StartNewProject();
    bool OpenProjectFile(const std::string& fileName);
    bool SaveTo(const std::string& fileName);
    // The model's rules on the project: option bits it cannot offer, its global key count; and its layout.
    void ApplyModel(Project& project);
    // The PLC type's rules on the project and on the window.
    void ApplyPlcProfile(Project& project);
    DownloadOutcome RunDownload();
    std::optional<std::string> ChooseFile(FileRequest::Kind kind, const std::string& proposed,
                                          const TextKey& filter, const std::string& extension);
    void RememberFolderOf(const std::string& fileName);
    void OnDocumentChanged(const Change& change);
    void Publish();

    Document& document_;
    const Language& language_;
    WorkbenchPlaces places_;
    UserPrompts& prompts_;
    EditorDialogs& dialogs_;
    FileChooser& chooser_;
    QX200AppFormView* view_ = nullptr;
    Connection documentChanges_;

    ProgramSettings settings_;
    AboutBox& about_;
    std::string appName_;
    std::string untitledName_;  // bytes of the language file
    int defaultModel_ = 0;
    bool modelSelectEnabled_ = false;
    bool plcTypeLocked_ = false;
    bool moreModels_ = false;
    bool projectOpen_ = false;     // a project was created, opened or imported
    bool alarmListByPlc_ = false;  // the PLC type offers the alarm list
    std::optional<DataFileContents> imported_;
    std::vector<ShippedLanguage> languages_;
    std::optional<ModelLayout> layout_;  // nullopt: the designed layout, before any model was applied
    MainWindowState state_;
};

// The file name with its extension (".qx2", with the dot) in place of the one it has, or appended.
std::string ChangeFileExt(const std::string& fileName, std::string_view extension);
// The file name without its extension.
std::string WithoutExt(const std::string& fileName);

}  // namespace qxed
