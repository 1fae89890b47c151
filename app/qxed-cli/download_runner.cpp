#include "download_runner.h"

#include <unistd.h>

#include <iostream>
#include <nlohmann/json.hpp>
#include <string_view>

#include "cancel_signals.h"
#include "files/data_file.h"
#include "link/comm.h"
#include "link/comm_port_setting.h"
#include "link/event_loop.h"
#include "progress_bar.h"
#include "text/ini_file.h"
#include "text/settings_paths.h"

namespace qxed::cli {

namespace {

constexpr const char* kUpgradeModes[] = {"S", "U", "N"};

std::string UpgradeModeOf(const std::string& mode) {
    for (const char* known : kUpgradeModes)
        if (SameLetters(mode, known)) return known;
    throw UsageError{"unknown upgrade mode " + mode + " (S, U or N)"};
}

// The project to download, and the image to send instead of building it when FILE is a data file.
struct DownloadSource {
    Project Proj;
    std::optional<ScreenDataImage> Prebuilt;
};

bool OpenSource(CliSession& session, const std::string& file, DownloadSource& source) {
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes) return false;
    if (IsDataFile(*bytes)) {
        const std::optional<DataFileContents> contents = ImportData(file, session.Lang(), session.Prompts());
        if (!contents) return false;
        // The data file names the model and the PLC type; the project holds nothing else the download uses.
        source.Proj.Settings.CurrentModel = contents->CurrentModel;
        source.Proj.Settings.PlcType = contents->PlcTypeLow;
        source.Prebuilt = ScreenDataImage{contents->Image, contents->HeaderLength, contents->GlyphLength};
        return true;
    }
    return OpenProjectBytes(session, file, *bytes, source.Proj);
}

// The session's messages, after the progress line has been ended. A cancel asked for by a signal is
// confirmed: the signal was the person's answer.
class DownloadPrompts : public UserPrompts {
  public:
    DownloadPrompts(UserPrompts& inner, ProgressBar& bar) : inner_(inner), bar_(bar) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        bar_.BreakLine();
        const MessageResult answer = inner_.ShowMessage(text, caption, icon, buttons);
        return confirming_ && buttons == MessageButtons::OkCancel ? MessageResult::Ok : answer;
    }
    MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) override {
        bar_.BreakLine();
        const MessageResult answer = inner_.ShowDetailedMessage(text, detail, caption, icon, buttons);
        return confirming_ && buttons == MessageButtons::OkCancel ? MessageResult::Ok : answer;
    }

    void SetConfirming(bool confirming) { confirming_ = confirming; }

  private:
    UserPrompts& inner_;
    ProgressBar& bar_;
    bool confirming_ = false;
};

}  // namespace

DownloadArgs ParseDownloadArgs(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const std::optional<std::string> port = TakeOption(rest, "--port");
    const std::optional<std::string> upgrade = TakeOption(rest, "--upgrade");
    const std::optional<std::string> language = TakeOption(rest, "--lang");
    const bool quiet = TakeFlag(rest, "-q");
    const bool verbose = TakeFlag(rest, "-v");
    const bool json = TakeFlag(rest, "--json");
    if (quiet && verbose) throw UsageError{"-q and -v exclude each other"};
    DownloadArgs parsed;
    parsed.Json = json;
    if (quiet) parsed.Detail = ProgressBar::Detail::Quiet;
    if (verbose) parsed.Detail = ProgressBar::Detail::Verbose;
    parsed.Parsed = ParseCommandArgs(rest);
    if (parsed.Parsed.Help) return parsed;
    if (port && port->empty()) throw UsageError{"--port needs a port name"};
    // Without --port, the port the editor downloads through: the "Comm" setting of the user's Qx200.Ini.
    parsed.Port = port ? *port : CommPortName(ReadCommPortSetting(IniFile::Load(UserSettingsPath())));
    if (upgrade) parsed.UpgradeMode = UpgradeModeOf(*upgrade);
    if (language) parsed.Language = LanguageOfName(*language);
    return parsed;
}

std::optional<DownloadReport> DownloadFile(CliSession& session, const DownloadArgs& args,
                                           const std::optional<std::string>& dataDir) {
    DownloadSource source{session.NewProject(), std::nullopt};
    if (!OpenSource(session, args.Parsed.Files.at(0), source)) return std::nullopt;

    DownloadJob job;
    job.PortName = args.Port;
    job.UpgradeMode = args.UpgradeMode;
    job.ProgramFolder = dataDir ? *dataDir : ProgramFolder();
    job.Build.Texts = &session.Lang();
    job.Build.Language =
        args.Language ? *args.Language : static_cast<TextLanguage>(session.Lang().LanguageIndex());
    // The glyph files are generated beside the program; a data folder holds the language file and drivers.
    job.Build.GlyphFolder = ProgramFolder();
    job.Prebuilt = std::move(source.Prebuilt);

    StdEventLoop loop;
    ProgressBar bar(std::cerr, ::isatty(STDERR_FILENO) == 1, args.Detail);
    bar.OnFinished = [&loop](DownloadResult) { loop.Quit(); };
    DownloadPrompts prompts(session.Prompts(), bar);
    TComm comm(loop);
    ApplyDownloadLineSettings(comm);
    Download download(loop, comm, bar, prompts);
    {
        CancelSignals signals([&loop, &download, &prompts] {
            loop.Post([&download, &prompts] {
                prompts.SetConfirming(true);
                download.Cancel();
                prompts.SetConfirming(false);
            });
        });
        download.Start(source.Proj, std::move(job));
        if (!download.IsFinished()) loop.Run();
    }

    DownloadReport report;
    report.Result = download.Result().value_or(DownloadResult::Cancel);
    report.Image = download.Image();
    report.DriverFilePath = download.DriverFilePath();
    report.FramesSent = download.FramesSent();
    report.CurrentModel = source.Proj.Settings.CurrentModel;
    report.PlcType = source.Proj.Settings.PlcType;
    return report;
}

std::string DownloadSummary(const DownloadReport& report, const DownloadArgs& args) {
    if (args.Json) {
        const nlohmann::ordered_json summary = {{"file", args.Parsed.Files.at(0)},
                                                {"port", args.Port},
                                                {"device", ResolvePortName(args.Port)},
                                                {"model", report.CurrentModel},
                                                {"plcType", report.PlcType},
                                                {"H", report.Image.HeaderLength},
                                                {"glyphs", report.Image.GlyphLength},
                                                {"L", report.Image.Length()},
                                                {"frames", report.FramesSent},
                                                {"driverFile", report.DriverFilePath}};
        return summary.dump(2);
    }
    return "H=" + std::to_string(report.Image.HeaderLength) +
           " glyphs=" + std::to_string(report.Image.GlyphLength) +
           " L=" + std::to_string(report.Image.Length()) + " frames=" + std::to_string(report.FramesSent);
}

}  // namespace qxed::cli
