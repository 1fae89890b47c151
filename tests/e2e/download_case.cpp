#include "download_case.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <future>

#include "panel_process.h"

namespace qxed::testing {

namespace {

constexpr auto kDownloadTimeout = std::chrono::seconds(60);

// The first driver file below fsc/En: the one the download reads for the English texts.
std::string DriverFileIn(const std::filesystem::path& dataDir) {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dataDir / "fsc" / "En", error))
        if (entry.is_regular_file()) return ReadBytes(entry.path().string());
    return {};
}

}  // namespace

DownloadOutcome RunDownloadCase(const DownloadCase& downloadCase) {
    DownloadOutcome outcome;
    outcome.Folder = std::make_shared<TempFolder>();
    const std::string dataDir = outcome.Folder->File("data");
    std::filesystem::create_directories(dataDir);
    if (downloadCase.WriteDrivers)
        WriteDriverFiles(dataDir, downloadCase.Model, kExamplePlcType, downloadCase.DriverOptions);
    outcome.DriverFile = DriverFileIn(dataDir);

    const std::string dumpPath = outcome.Folder->File("dump.bin");
    const std::string flashPath = outcome.Folder->File("flash.bin");
    std::vector<std::string> panelArgs = {
        "--model", std::to_string(downloadCase.Model), "--once", "--dump", dumpPath, "--dump-flash",
        flashPath};
    panelArgs.insert(panelArgs.end(), downloadCase.Panel.begin(), downloadCase.Panel.end());
    PanelProcess panel(panelArgs);

    std::vector<std::string> cliArgs = {QXED_CLI, "--data-dir", dataDir, downloadCase.Command,
                                        downloadCase.File};
    if (downloadCase.PortFromSettings) {
        const std::string config = outcome.Folder->File("config");
        std::filesystem::create_directories(config + "/qxed");
        WriteBytes(config + "/qxed/Qx200.Ini",
                   "[Qx200]\r\nComm=6\r\n[Ports]\r\nCOM7=" + panel.Port() + "\r\n");
        cliArgs.insert(cliArgs.begin(), "XDG_CONFIG_HOME=" + config);
    } else {
        cliArgs.insert(cliArgs.end(),
                       {"--port", downloadCase.Port.empty() ? panel.Port() : downloadCase.Port});
    }
    cliArgs.insert(cliArgs.end(), downloadCase.Cli.begin(), downloadCase.Cli.end());
    // Through env, so the settings folder is the command's alone.
    ChildProcess cli("/usr/bin/env", cliArgs);
    outcome.Cli = cli.Wait(kDownloadTimeout);
    // A panel that never finished is stopped at once; one that did has already ended or is about to.
    outcome.Panel =
        panel.Finish(outcome.Cli.ExitCode == 0 ? std::chrono::seconds(5) : std::chrono::seconds(0));
    outcome.Dump = ReadBytes(dumpPath);
    outcome.Flash = ReadBytes(flashPath);
    return outcome;
}

std::vector<DownloadOutcome> RunDownloadCases(const std::vector<DownloadCase>& cases) {
    std::vector<std::future<DownloadOutcome>> running;
    for (const DownloadCase& downloadCase : cases)
        running.push_back(std::async(std::launch::async, RunDownloadCase, downloadCase));
    std::vector<DownloadOutcome> outcomes;
    for (auto& run : running)
        outcomes.push_back(run.get());
    return outcomes;
}

const ExampleBuild& BuiltExample() {
    static const ExampleBuild built = [] {
        TempFolder folder;
        const std::string path = folder.File("demo.bin");
        const RunResult run = RunProgram(QXED_CLI, {"build", QXED_EXAMPLE_QX2, "-o", path});
        std::string line = run.Out;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return ExampleBuild{ReadBytes(path), line};
    }();
    return built;
}

std::string MakeDataFile(int model, int plcType, const std::string& image, const std::string& driver) {
    std::string bytes = std::string("\x15NorvaleQXEDObjectData", 22);
    bytes += static_cast<char>(model);
    bytes += static_cast<char>(plcType);
    // H and the glyph length fit the image: nothing for an empty one, else the directory and two glyphs.
    bytes += image.empty() ? std::string(4, '\0') : std::string("\x10\x00\x20\x00", 4);
    bytes += static_cast<char>(image.size() & 0xFF);
    bytes += static_cast<char>(image.size() >> 8);
    // A driver copy is at least as long as the shortest driver file, which ends with its values at 0x33814.
    constexpr std::size_t kLeastDriverFile = 0x33814;
    return bytes + image + driver +
           std::string(kLeastDriverFile - std::min(driver.size(), kLeastDriverFile), '\0');
}

std::vector<uint8_t> ParseHex(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 3)
        bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

}  // namespace qxed::testing
