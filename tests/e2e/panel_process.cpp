#include "panel_process.h"

#include <csignal>

namespace qxed::testing {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStopTimeout = std::chrono::seconds(10);

}  // namespace

PanelProcess::PanelProcess(const std::vector<std::string>& args)
    : process_(std::make_unique<ChildProcess>(QXED_PANELSIM, args)) {
    port_ = process_->ReadLine(kStartTimeout).value_or("");
}

RunResult PanelProcess::Finish(std::chrono::milliseconds timeout) {
    if (!process_->Exited(timeout)) process_->Signal(SIGTERM);
    RunResult result = process_->Wait(kStopTimeout);
    // The port's path is no output of the download.
    const std::size_t firstEnd = result.Out.find('\n');
    result.Out.erase(0, firstEnd == std::string::npos ? result.Out.size() : firstEnd + 1);
    return result;
}

RunResult PanelProcess::Stop() {
    process_->Signal(SIGTERM);
    return process_->Wait(kStopTimeout);
}

bool WriteDriverFiles(const std::string& dir, int model, int plcType, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--model", std::to_string(model),  "--write-drivers", dir,
                                     "--plc",   std::to_string(plcType)};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(QXED_PANELSIM, args).ExitCode == 0;
}

}  // namespace qxed::testing
