#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "support/recording_prompts.h"
#include "text/language.h"
#include "support/temp_folder.h"
#include "workbench/editor_dialogs.h"
#include "workbench/qx200_app_form.h"

namespace qxed::testing {

// Dialogs answered by the test: each call is recorded, each answer comes from its queue (Cancel when empty).
class ScriptedDialogs : public EditorDialogs {
  public:
    std::vector<std::string> Calls;
    std::deque<std::optional<int>> ModelAnswers;
    std::deque<PlcSelection> PlcAnswers;
    std::deque<std::optional<int>> PortAnswers;
    std::deque<DownloadOutcome> DownloadAnswers;
    std::deque<std::optional<ProjectSettings>> SettingsAnswers;
    std::deque<std::optional<AlarmListChoice>> AlarmAnswers;
    std::deque<std::optional<GlobalKeyChoice>> KeyAnswers;
    std::vector<DownloadJob> Downloads;
    std::vector<VirtualPanel> Panels;
    bool LastMoreModels = false;
    bool LastTypeLocked = false;
    PlcLink LastLink;

    std::optional<int> SelectModel(int, bool moreModels) override {
        Calls.push_back("model");
        LastMoreModels = moreModels;
        return Take(ModelAnswers, std::optional<int>());
    }
    PlcSelection SelectPlc(const PlcLink& link, bool typeLocked) override {
        Calls.push_back("plc");
        LastLink = link;
        LastTypeLocked = typeLocked;
        PlcSelection cancelled;
        cancelled.Link = link;
        cancelled.StationField = link.PanelStation;
        return Take(PlcAnswers, cancelled);
    }
    std::optional<int> SelectComPort(int) override {
        Calls.push_back("port");
        return Take(PortAnswers, std::optional<int>());
    }
    void ShowAbout() override { Calls.push_back("about"); }
    std::optional<ProjectSettings> SetQX200(const Project&) override {
        Calls.push_back("settings");
        return Take(SettingsAnswers, std::optional<ProjectSettings>());
    }
    std::optional<AlarmListChoice> AlarmList(const Project&) override {
        Calls.push_back("alarms");
        return Take(AlarmAnswers, std::optional<AlarmListChoice>());
    }
    std::optional<GlobalKeyChoice> HFuncKey(const Project&) override {
        Calls.push_back("keys");
        return Take(KeyAnswers, std::optional<GlobalKeyChoice>());
    }
    void ShowVirtualPanel(VirtualPanel panel) override {
        Calls.push_back("panel");
        Panels.push_back(std::move(panel));
    }
    DownloadOutcome RunDownload(const Project&, DownloadJob job) override {
        Calls.push_back("download");
        Downloads.push_back(std::move(job));
        return Take(DownloadAnswers, DownloadOutcome{});
    }

    // An OK of the PLC dialog that chooses the type with its line parameters and keeps the station.
    static PlcSelection ChoosePlc(int plcType, int32_t station = 1) {
        PlcSelection selection;
        selection.Result = ModalResult::Ok;
        selection.Link.PlcType = plcType;
        if (const auto line = DefaultLineSettings(plcType)) ApplyLineSettings(selection.Link, *line);
        selection.Link.PanelStation = station;
        selection.StationField = station;
        return selection;
    }

  private:
    template <class T>
    static T Take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

// File dialogs answered by the test; every question is kept.
class ScriptedChooser : public FileChooser {
  public:
    std::vector<FileRequest> Requests;
    std::deque<std::optional<std::string>> Files;

    std::optional<std::string> ChooseFile(const FileRequest& request) override {
        Requests.push_back(request);
        if (Files.empty()) return std::nullopt;
        std::optional<std::string> file = Files.front();
        Files.pop_front();
        return file;
    }
    std::optional<FontDesc> ChooseFont(const FontDesc&) override { return std::nullopt; }
};

// The main window's logic with everything around it: a program folder and a settings file in a fresh
// folder, the built-in texts (or a language file), scripted dialogs and a recording person.
class Workbench {
  public:
    explicit Workbench(const std::string& languageFile = {}) {
        std::filesystem::create_directories(ProgramFolder());
        if (!languageFile.empty()) WriteBytes(ProgramFolder() + "/Language.Ini", languageFile);
        language = Language::Load(ProgramFolder());
        document.emplace(EditorDefaultsOf(language));
    }

    std::string ProgramFolder() const { return folder.File("program"); }
    std::string SettingsPath() const { return folder.File("config/qxed/Qx200.Ini"); }
    // A file beside the program, such as the configuration files.
    void WriteProgramFile(const std::string& name, const std::string& bytes) const {
        WriteBytes(ProgramFolder() + "/" + name, bytes);
    }
    std::string Settings() const { return ReadBytes(SettingsPath()); }

    // Creates the window's logic and runs its show step.
    QX200AppForm& Show(const std::vector<std::string>& arguments = {}) {
        about.emplace(language, ReadAboutConfig(ProgramFolder()));
        form.emplace(*document, language, WorkbenchPlaces{ProgramFolder(), SettingsPath()}, *about, prompts,
                     dialogs, chooser);
        form->FormShow(arguments);
        return *form;
    }

    bool Enabled(ActionId id) const { return form->State().Action(id).Enabled; }
    bool Visible(ActionId id) const { return form->State().Action(id).Visible; }

    TempFolder folder;
    Language language;
    std::optional<Document> document;
    RecordingPrompts prompts;
    ScriptedDialogs dialogs;
    ScriptedChooser chooser;
    std::optional<AboutBox> about;
    std::optional<QX200AppForm> form;
};

}  // namespace qxed::testing
