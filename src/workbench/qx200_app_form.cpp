#include "workbench/qx200_app_form.h"

#include <filesystem>
#include <utility>

#include "document/project_commands.h"
#include "files/project_file.h"
#include "link/comm_port_setting.h"
#include "model/panel_model.h"
#include "plc/plc_profile.h"
#include "text/language.h"
#include "text/texts.h"
#include "workbench/model_change.h"

namespace qxed {

namespace {

std::string FileNameOnly(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

// The actions that an imported project disables; all of them are usable while a project is edited.
constexpr ActionId kEditingActions[] = {
    ActionId::FileSave,        ActionId::FileSaveAs,  ActionId::FileOutport,  ActionId::FilePlcSelect,
    ActionId::FileQx200Select, ActionId::EditDel,     ActionId::ToolNewPage,  ActionId::ToolPageAttr,
    ActionId::ToolCopyPage,    ActionId::ToolDelPage, ActionId::ToolSetQx200, ActionId::ToolHFuncKey,
    ActionId::ToolDispGrid,
};

// The model's rules on the settings: the options it does not offer are switched off, and the models with
// their own global keys set the count.
void ApplyModelRules(ProjectSettings& settings, int32_t& globalKeyCount) {
    settings.CtrlFlags &= static_cast<uint8_t>(~CtrlFlagsClearedBy(settings.CurrentModel));
    if (const std::optional<int32_t> count = GlobalKeyCountOf(settings.CurrentModel)) globalKeyCount = *count;
}

// No PLC type offers analog modules.
void ApplyPlcRules(ProjectSettings& settings) {
    settings.CtrlFlags &= static_cast<uint8_t>(~ProjectSettings::kAnalogInputOutput);
}

}  // namespace

std::string ChangeFileExt(const std::string& fileName, std::string_view extension) {
    return WithoutExt(fileName) + std::string(extension);
}

std::string WithoutExt(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return fileName;
    return fileName.substr(0, dot);
}

QX200AppForm::QX200AppForm(Document& document, const Language& language, WorkbenchPlaces places,
                           AboutBox& about, UserPrompts& prompts, EditorDialogs& dialogs,
                           FileChooser& chooser)
    : document_(document),
      language_(language),
      places_(std::move(places)),
      prompts_(prompts),
      dialogs_(dialogs),
      chooser_(chooser),
      settings_(places_.SettingsPath),
      about_(about),
      appName_(language.TextUtf8(texts::AppName)),
      untitledName_(language.TextUtf8(texts::FileName)),
      languages_(ShippedLanguages(places_.ProgramFolder)) {
    for (const ActionRow& row : Actions()) {
        ActionState& action = state_.Action(row.Id);
        action.Enabled = row.EnabledAtStart;
        action.Visible = row.VisibleAtStart;
        action.Checked = row.CheckedAtStart;
    }
    document_.SetProjectFileName(untitledName_);
    documentChanges_ = document_.Changed.Connect([this](const Change& change) { OnDocumentChanged(change); });
    Publish();
}

void QX200AppForm::SetView(QX200AppFormView* view) {
    view_ = view;
    Publish();
}

void QX200AppForm::FormShow(const std::vector<std::string>& arguments) {
    settings_.Load();
    state_.GridShown = settings_.Grid();
    state_.RecentFiles = settings_.RecentFiles();
    state_.Action(ActionId::ToolDispGrid).Checked = settings_.Grid();

    // Every start begins with the line parameters of the PLC type the settings name.
    Project edited = document_.Contents();
    ProjectSettings& settings = edited.Settings;
    PlcLink link = settings.Link();
    link.PlcType = settings_.PlcType();
    if (const std::optional<LineSettings> line = DefaultLineSettings(link.PlcType))
        ApplyLineSettings(link, *line);
    settings.SetLink(link);
    ApplyPlcProfile(edited);
    // The alarm list waits for the profile of the first project.
    alarmListByPlc_ = false;

    const ModelSelectConfig models = ReadModelSelectConfig(places_.ProgramFolder);
    modelSelectEnabled_ = models.ModelSelectEnabled;
    defaultModel_ = models.DefaultModel;
    EditorDefaults defaults = document_.Defaults();
    defaults.DefaultModel = defaultModel_;
    document_.SetDefaults(defaults);
    settings.CurrentModel = static_cast<uint8_t>(defaultModel_);
    if (models.Present) ApplyModel(edited);

    const EditionConfig edition = ReadEditionConfig(places_.ProgramFolder);
    plcTypeLocked_ = edition.Special;
    if (edition.PlcType) {
        // The edition's type with its own line parameters and profile, as if it had been read from the
        // settings.
        link = settings.Link();
        link.PlcType = *edition.PlcType;
        if (const std::optional<LineSettings> line = DefaultLineSettings(link.PlcType))
            ApplyLineSettings(link, *line);
        settings.SetLink(link);
        ApplyPlcProfile(edited);
        alarmListByPlc_ = false;
    }
    document_.Apply(SetSettingsAndKeyCount(edited.Settings, edited.GlobalKeyCount));
    document_.SetModified(false);
    Publish();

    if (!arguments.empty()) {
        const std::string fileName = std::filesystem::absolute(arguments.front()).lexically_normal().string();
        RememberFolderOf(fileName);
        if (QuerySaveChanges()) OpenProjectFile(fileName);
    }
}

bool QX200AppForm::QuerySaveChanges() {
    if (document_.Modified()) {
        const std::string fileName = ChangeFileExt(document_.ProjectFileName(), ".qx2");
        document_.SetProjectFileName(fileName);
        const std::string question =
            language_.TextUtf8(texts::SaveChange) + fileName + language_.TextUtf8(texts::Interrogation);
        const MessageResult answer =
            prompts_.ShowMessage(question, appName_, MessageIcon::Question, MessageButtons::YesNoCancel);
        if (answer == MessageResult::Cancel) return false;
        if (answer == MessageResult::Yes) {
            FileSaveExecute();
            // A save that failed or was not done keeps the project: the changes would be lost otherwise.
            if (document_.Modified()) return false;
        }
    }
    // The pages go; the settings stay for the project that comes next.
    Project emptied = document_.Contents();
    emptied.ClearPages();
    emptied.AddPage(1, "");
    document_.Replace(std::move(emptied), document_.ProjectFileName(), document_.ImportedData());
    return true;
}

void QX200AppForm::FileNewExecute() {
    if (!QuerySaveChanges()) return;
    StartNewProject();
}

void QX200AppForm::StartNewProject() {
    Project fresh = document_.Contents();
    fresh.ClearPages();
    fresh.AddPage(1, "");
    int keptModel = fresh.Settings.CurrentModel;
    if (modelSelectEnabled_) {
        if (const std::optional<int> chosen = dialogs_.SelectModel(keptModel, moreModels_))
            keptModel = *chosen;
    }
    const PlcSelection plc = dialogs_.SelectPlc(fresh.Settings.Link(), plcTypeLocked_);
    if (plc.Result == ModalResult::Ok) fresh.Settings.SetLink(plc.Link);

    fresh.Defaults = document_.Defaults();
    ResetProject(fresh);
    if (modelSelectEnabled_) fresh.Settings.CurrentModel = static_cast<uint8_t>(keptModel);
    fresh.Settings.PanelStation = plc.StationField;
    ApplyModel(fresh);
    // A new project may have another PLC type than the last one: its operand lists and options apply.
    ApplyPlcProfile(fresh);

    imported_.reset();
    document_.Replace(std::move(fresh), untitledName_, false);
    UpdateMainWindowState();
}

bool QX200AppForm::OpenProjectFile(const std::string& fileName) {
    Project loaded(document_.Defaults());
    if (!LoadProject(loaded, fileName, language_, prompts_)) {
        StartNewProject();
        return false;
    }
    ApplyModel(loaded);
    ApplyPlcProfile(loaded);
    // What the preview would show off the screen is stored where it shows, before anything is edited.
    PullBackOffScreen(loaded);
    imported_.reset();
    document_.Replace(std::move(loaded), fileName, false);
    settings_.AddRecentFile(fileName);
    UpdateMainWindowState();
    return true;
}

void QX200AppForm::FileOpenRecentExecute(std::size_t index) {
    if (index >= settings_.RecentFiles().size()) return;
    const std::string fileName = settings_.RecentFiles()[index];
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        // The message the open would give, before the project in the window is put at risk.
        ShowFileMessage(prompts_, language_, fileName, language_.TextUtf8(texts::FileFormatWrong));
        settings_.RemoveRecentFile(fileName);
        Publish();
        return;
    }
    RememberFolderOf(fileName);
    if (!QuerySaveChanges()) return;
    OpenProjectFile(fileName);
}

void QX200AppForm::FileOpenExecute() {
    const std::optional<std::string> chosen =
        ChooseFile(FileRequest::Kind::Open, ".qx2", texts::QXEDProjectFilter, "");
    if (!chosen) return;
    RememberFolderOf(*chosen);
    if (!QuerySaveChanges()) return;
    OpenProjectFile(*chosen);
}

bool QX200AppForm::SaveTo(const std::string& fileName) {
    if (!SaveProject(document_.Contents(), fileName, language_, prompts_)) return false;
    document_.SetModified(false);
    settings_.AddRecentFile(fileName);
    Publish();
    return true;
}

void QX200AppForm::FileSaveExecute() {
    if (WithoutExt(document_.ProjectFileName()) == untitledName_) {
        FileSaveAsExecute();
        return;
    }
    const std::string fileName = ChangeFileExt(document_.ProjectFileName(), ".qx2");
    document_.SetProjectFileName(fileName);
    SaveTo(fileName);
}

void QX200AppForm::FileSaveAsExecute() {
    const std::optional<std::string> chosen =
        ChooseFile(FileRequest::Kind::Save, ".qx2", texts::QXEDProjectFilter, "QX2");
    if (!chosen) return;
    RememberFolderOf(*chosen);
    document_.SetProjectFileName(*chosen);
    SaveTo(*chosen);
    UpdateMainWindowState();
}

void QX200AppForm::FileImportExecute() {
    const std::optional<std::string> chosen =
        ChooseFile(FileRequest::Kind::Open, ".odp", texts::QXEDObjectFilter, "");
    if (!chosen || !QuerySaveChanges()) return;
    document_.SetProjectFileName(*chosen);
    std::optional<DataFileContents> contents = ImportData(*chosen, language_, prompts_);
    if (!contents) {
        StartNewProject();
        return;
    }
    Project project = document_.Contents();
    project.Settings.CurrentModel = contents->CurrentModel;
    // The file keeps the type's low byte only; the other bytes stay.
    project.Settings.PlcType = (project.Settings.PlcType & ~0xFF) | contents->PlcTypeLow;
    imported_ = std::move(contents);
    document_.Replace(std::move(project), *chosen, true);
    UpdateMainWindowState();
}

void QX200AppForm::FileOutportExecute() {
    const std::optional<std::string> chosen =
        ChooseFile(FileRequest::Kind::Save, ".odp", texts::QXEDObjectFilter, "odp");
    if (!chosen) return;
    const DownloadOutcome outcome = RunDownload();
    if (outcome.Result != DownloadResult::Ok) return;
    document_.SetProjectFileName(*chosen);
    const ProjectSettings& settings = document_.Contents().Settings;
    DataFileContents contents;
    contents.CurrentModel = settings.CurrentModel;
    contents.PlcTypeLow = static_cast<uint8_t>(settings.PlcType & 0xFF);
    contents.HeaderLength = static_cast<uint16_t>(outcome.Image.HeaderLength);
    contents.GlyphLength = static_cast<uint16_t>(outcome.Image.GlyphLength);
    contents.Image = outcome.Image.Bytes;
    ExportData(*chosen, contents, outcome.DriverFilePath, language_, prompts_);
    UpdateMainWindowState();
}

void QX200AppForm::FileQx200SelectExecute() {
    const std::optional<int> chosen =
        dialogs_.SelectModel(document_.Contents().Settings.CurrentModel, moreModels_);
    if (!chosen) return;
    ProjectSettings settings = document_.Contents().Settings;
    int32_t keyCount = document_.Contents().GlobalKeyCount;
    settings.CurrentModel = static_cast<uint8_t>(*chosen);
    ApplyModelRules(settings, keyCount);
    layout_ = ModelLayoutOf(settings.CurrentModel);
    document_.Apply(ChangeModel(settings, keyCount));
    Publish();
}

void QX200AppForm::FilePlcSelectExecute() {
    const PlcSelection selection = dialogs_.SelectPlc(document_.Contents().Settings.Link(), plcTypeLocked_);
    if (selection.Result != ModalResult::Ok) return;
    ProjectSettings settings = document_.Contents().Settings;
    settings.SetLink(selection.Link);
    ApplyPlcRules(settings);
    alarmListByPlc_ = PlcProfileOf(settings.PlcType).AlarmListAvailable;
    document_.Apply(SetSettings(settings));
    settings_.SetPlcType(settings.PlcType);
    UpdateMainWindowState();
}

void QX200AppForm::FileSelectCommPortExecute() {
    if (const std::optional<int> port = dialogs_.SelectComPort(settings_.CommPort()))
        settings_.SetCommPort(*port);
}

void QX200AppForm::FileDownExecute() {
    RunDownload();
}

void QX200AppForm::FileExitExecute() {
    if (view_ != nullptr) view_->CloseWindow();
}

bool QX200AppForm::FormCloseQuery() {
    return QuerySaveChanges();
}

void QX200AppForm::EditUndoExecute() {
    if (!document_.ImportedData()) document_.Undo();
}

void QX200AppForm::EditRedoExecute() {
    if (!document_.ImportedData()) document_.Redo();
}

void QX200AppForm::ToolDispGridExecute() {
    const bool grid = !state_.GridShown;
    settings_.SetGrid(grid);
    state_.GridShown = grid;
    state_.Action(ActionId::ToolDispGrid).Checked = grid;
    Publish();
}

void QX200AppForm::ToolSetQx200Execute() {
    if (!projectOpen_ || document_.ImportedData()) return;
    if (const std::optional<ProjectSettings> settings = dialogs_.SetQX200(document_.Contents()))
        document_.Apply(SetSettings(*settings));
}

void QX200AppForm::ToolAlarmListExecute() {
    if (!state_.Action(ActionId::ToolAlarmList).Enabled) return;
    if (std::optional<AlarmListChoice> list = dialogs_.AlarmList(document_.Contents()))
        document_.Apply(SetAlarmList(list->Count, list->Coil, std::move(list->Texts)));
}

void QX200AppForm::ToolHFuncKeyExecute() {
    if (!projectOpen_ || document_.ImportedData() || !state_.Layout.GlobalKeysVisible) return;
    if (const std::optional<GlobalKeyChoice> keys = dialogs_.HFuncKey(document_.Contents()))
        document_.Apply(SetGlobalKeys(keys->Count, keys->Keys));
}

void QX200AppForm::HelpAboutExecute() {
    dialogs_.ShowAbout();
}

void QX200AppForm::Qx200ModelStatusBarDblClick() {
    modelSelectEnabled_ = true;
    moreModels_ = true;
    Publish();
}

void QX200AppForm::HelpLanguageExecute(const std::string& id) {
    for (const ShippedLanguage& shipped : languages_) {
        if (shipped.Id != id) continue;
        // The choice lies beside the user's settings.
        const std::string folder = std::filesystem::path(places_.SettingsPath).parent_path().string();
        if (ChooseLanguage(shipped, folder)) {
            prompts_.ShowMessage(language_.TextUtf8(texts::LanguageChosen), appName_,
                                 MessageIcon::Information);
        } else {
            ShowFileMessage(prompts_, language_, folder + "/Language.Ini",
                            language_.TextUtf8(texts::CanNotSaveFile));
        }
    }
}

void QX200AppForm::UpdateMainWindowState() {
    projectOpen_ = true;
    const bool editable = !document_.ImportedData();
    state_.ViewImagePanelEnabled = true;
    state_.Image1Visible = editable;
    state_.SpeedButtonPanelVisible = editable;
    state_.PageGroupBoxEnabled = editable;
    state_.PropertyBoxesVisible = editable;
    for (const ActionId id : kEditingActions)
        state_.Action(id).Enabled = editable;
    state_.Action(ActionId::FileDown).Enabled = true;
    state_.Action(ActionId::ToolVirtualPanel).Enabled = true;
    Publish();
}

void QX200AppForm::ApplyModel(Project& project) {
    ApplyModelRules(project.Settings, project.GlobalKeyCount);
    layout_ = ModelLayoutOf(project.Settings.CurrentModel);
}

void QX200AppForm::ApplyPlcProfile(Project& project) {
    ApplyPlcRules(project.Settings);
    alarmListByPlc_ = PlcProfileOf(project.Settings.PlcType).AlarmListAvailable;
}

DownloadOutcome QX200AppForm::RunDownload() {
    DownloadJob job;
    job.PortName = CommPortName(settings_.CommPort());
    job.UpgradeMode = about_.UpgradeMode();
    job.ProgramFolder = places_.ProgramFolder;
    job.Build.Texts = &language_;
    job.Build.Language = static_cast<TextLanguage>(language_.LanguageIndex());
    job.Build.GlyphFolder = places_.ProgramFolder;
    if (imported_)
        job.Prebuilt = ScreenDataImage{imported_->Image, imported_->HeaderLength, imported_->GlyphLength};
    return dialogs_.RunDownload(document_.Contents(), std::move(job));
}

std::optional<std::string> QX200AppForm::ChooseFile(FileRequest::Kind kind, const std::string& proposed,
                                                    const TextKey& filter, const std::string& extension) {
    FileRequest request;
    request.Mode = kind;
    request.Folder = settings_.LastDir();
    request.ProposedName = FileNameOnly(ChangeFileExt(document_.ProjectFileName(), proposed));
    request.Filter = language_.TextUtf8(filter);
    request.DefaultExtension = extension;
    request.OverwritePrompt = kind == FileRequest::Kind::Save;
    return chooser_.ChooseFile(request);
}

void QX200AppForm::RememberFolderOf(const std::string& fileName) {
    settings_.SetLastDir(FolderOf(fileName));
}

void QX200AppForm::OnDocumentChanged(const Change&) {
    // The title, the model's name and whether there is anything to undo follow the document.
    Publish();
}

void QX200AppForm::Publish() {
    const bool editable = !document_.ImportedData();
    state_.Caption = projectOpen_ ? appName_ + " - " + document_.ProjectFileName() : appName_;
    state_.Layout = layout_ ? *layout_ : DesignedLayout();
    state_.RecentFiles = settings_.RecentFiles();
    state_.ModelStatus =
        language_.DisplayUtf8(ModelName(language_, document_.Contents().Settings.CurrentModel));
    state_.Action(ActionId::FileQx200Select).Visible = modelSelectEnabled_;
    state_.Action(ActionId::ToolHFuncKey).Visible = state_.Layout.GlobalKeysVisible;
    state_.Action(ActionId::ToolAlarmList).Enabled = projectOpen_ && alarmListByPlc_ && editable;
    state_.Action(ActionId::EditUndo).Enabled = projectOpen_ && editable && document_.CanUndo();
    state_.Action(ActionId::EditRedo).Enabled = projectOpen_ && editable && document_.CanRedo();
    if (view_ != nullptr) view_->ShowState(state_);
}

}  // namespace qxed
