#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "gfx/font_desc.h"
#include "link/download.h"
#include "model/project.h"
#include "plc/plc_link.h"
#include "vpanel/virtual_panel.h"

namespace qxed {

enum class ModalResult { Ok, Cancel };

// What the PLC selection dialog leaves: on OK the link to store. The panel station field is reported
// whatever the answer, since a new project keeps what the field shows.
struct PlcSelection {
    ModalResult Result = ModalResult::Cancel;
    PlcLink Link;
    int32_t StationField = 1;
};

// What the alarm list dialog leaves on OK: the count, the first coil and the texts (entries from Count on
// are empty).
struct AlarmListChoice {
    int32_t Count = 0;
    PlcAddress Coil;
    std::array<std::string, kMaxAlarmTexts> Texts;
};

// What the global function key dialog leaves on OK: the model's key count and the keys.
struct GlobalKeyChoice {
    int32_t Count = 0;
    std::array<KeyAction, kGlobalKeySlots> Keys;
};

// What a download window run leaves: its result and, after a success, what the data export needs.
struct DownloadOutcome {
    DownloadResult Result = DownloadResult::Cancel;
    ScreenDataImage Image;
    std::string DriverFilePath;
};

// The modal dialogs the main window opens, by what goes in and what comes out. The widgets show the real
// dialogs (each a view of its logic class); tests answer with scripts.
class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;
    // The model dialog on the current model; the chosen model after OK. moreModels: the models a double
    // click on the model status bar adds to the choice.
    virtual std::optional<int> SelectModel(int currentModel, bool moreModels) = 0;
    // The PLC selection dialog on the project's link; typeLocked: the edition fixes the PLC type.
    virtual PlcSelection SelectPlc(const PlcLink& link, bool typeLocked) = 0;
    // The port dialog on the download port index; the new index after OK.
    virtual std::optional<int> SelectComPort(int commPort) = 0;
    virtual void ShowAbout() = 0;
    // The panel settings dialog on the project's settings; the settings to store after OK.
    virtual std::optional<ProjectSettings> SetQX200(const Project& project) = 0;
    // The alarm list dialog on the project's list; the list to store after OK.
    virtual std::optional<AlarmListChoice> AlarmList(const Project& project) = 0;
    // The global function key dialog on the project's keys; the keys to store after OK.
    virtual std::optional<GlobalKeyChoice> HFuncKey(const Project& project) = 0;
    // The download window, run modally until the download ends.
    virtual DownloadOutcome RunDownload(const Project& project, DownloadJob job) = 0;
    // The panel window on the started panel; it runs beside the main window until it is closed.
    virtual void ShowVirtualPanel(VirtualPanel panel) = 0;
};

// A file dialog's question. Texts are UTF-8; the filter is the language file's "Name|*.ext|Name|*.ext" form.
struct FileRequest {
    enum class Kind { Open, Save };
    Kind Mode = Kind::Open;
    std::string Folder;
    std::string ProposedName;  // without folder
    std::string Filter;
    std::string DefaultExtension;  // appended on save when the name has none ("QX2")
    bool OverwritePrompt = false;
};

// The file and font dialogs.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The chosen file's full path; nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
    // The chosen font; nullopt when cancelled.
    virtual std::optional<FontDesc> ChooseFont(const FontDesc& current) = 0;
};

}  // namespace qxed
