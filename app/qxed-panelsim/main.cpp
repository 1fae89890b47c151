// qxed-panelsim: a QX200 panel on a pseudo-terminal, for download tests and demonstrations. Exit codes: 0
// success, 1 a violation or a failure (with --once also: no download finished), 2 bad usage.
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "driver_samples.h"
#include "model/panel_model.h"
#include "panel_port.h"
#include "panel_server.h"
#include "simulated_panel.h"
#include "simulator_options.h"
#include "text/file_access.h"
#include "version.h"

namespace qxed::panelsim {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kFirstDriverSector = 3;
constexpr int kLastDriverSector = 15;

void Complain(const std::string& message) {
    std::cerr << "qxed-panelsim: " << message << std::endl;
}

int WriteDrivers(const SimulatorOptions& options) {
    std::string error;
    const bool gtk = (options.Panel.IdentityFlags & 0x40) != 0;
    const auto paths = WriteSampleDriverFiles(options.WriteDriversDir, options.Panel.ModelIndex, gtk,
                                              options.PlcType, options.DriverFileValues, error);
    if (!paths) {
        Complain(error);
        return kExitFailure;
    }
    for (const std::string& path : *paths)
        std::cout << path << '\n';
    std::cout.flush();
    return kExitOk;
}

// The symbolic link to the port, replaced atomically when one is there; an existing file that is not a link
// is left alone.
class PortLink {
  public:
    bool Make(const std::string& path, const std::string& target) {
        struct stat existing {};
        if (lstat(path.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
            Complain(path + " exists and is not a symbolic link");
            return false;
        }
        const std::string temporary = path + ".qxed-panelsim-" + std::to_string(getpid());
        unlink(temporary.c_str());
        if (symlink(target.c_str(), temporary.c_str()) != 0 || rename(temporary.c_str(), path.c_str()) != 0) {
            unlink(temporary.c_str());
            Complain("cannot link " + path + " to " + target);
            return false;
        }
        path_ = path;
        target_ = target;
        return true;
    }

    // Removes the link unless somebody has pointed it elsewhere since.
    ~PortLink() {
        if (path_.empty()) return;
        char linked[4096];
        const ssize_t length = readlink(path_.c_str(), linked, sizeof linked);
        if (length > 0 && std::string(linked, static_cast<size_t>(length)) == target_) unlink(path_.c_str());
    }

  private:
    std::string path_;
    std::string target_;
};

// Signals that end the simulator cleanly, delivered as a readable descriptor.
int StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// Reports each finished download and writes the dumps.
class FinishReporter {
  public:
    FinishReporter(const SimulatorOptions& options, const SimulatedPanel& panel)
        : options_(options), panel_(panel) {}

    bool Report() {
        const std::vector<uint8_t> image = panel_.ReceivedImage();
        const std::vector<int>& erased = panel_.ErasedSectors();
        bool driverRewritten = false;
        for (size_t i = erasedSeen_; i < erased.size(); ++i)
            driverRewritten |= erased[i] >= kFirstDriverSector && erased[i] <= kLastDriverSector;
        const PanelModel* model = FindPanelModel(options_.Panel.ModelIndex);
        std::cout << "panel " << (model != nullptr ? std::string(model->Code) : "?") << " received "
                  << image.size() << " image bytes in " << panel_.Requests() - requestsSeen_
                  << " frames, marker " << (panel_.MarkerWritten() ? "written" : "missing")
                  << ", driver area " << (driverRewritten ? "rewritten" : "kept") << std::endl;
        erasedSeen_ = erased.size();
        requestsSeen_ = panel_.Requests();
        Dump(options_.DumpPath, image);
        Dump(options_.DumpFlashPath, panel_.Flash());
        ++finished_;
        return !options_.Once;
    }

    int Finished() const { return finished_; }
    bool DumpFailed() const { return dumpFailed_; }

  private:
    void Dump(const std::string& path, const std::vector<uint8_t>& bytes) {
        if (path.empty() || file_access::ReplaceFile(path, bytes, std::nullopt)) return;
        Complain("cannot write " + path);
        dumpFailed_ = true;
    }

    const SimulatorOptions& options_;
    const SimulatedPanel& panel_;
    size_t erasedSeen_ = 0;
    int requestsSeen_ = 0;
    int finished_ = 0;
    bool dumpFailed_ = false;
};

int Serve(const SimulatorOptions& options) {
    const int stopFd = StopSignals();
    if (stopFd < 0) {
        Complain("cannot catch the stop signals");
        return kExitFailure;
    }
    PanelPort port;
    if (!port.Open()) {
        Complain(port.Error());
        return kExitFailure;
    }
    PortLink link;
    if (!options.LinkPath.empty()) {
        if (!link.Make(options.LinkPath, port.SlavePath())) return kExitFailure;
    } else {
        std::cout << port.SlavePath() << std::endl;
    }

    SimulatedPanel panel(options.Panel);
    PanelServer server(panel, port, options.LineRate);
    FinishReporter reporter(options, panel);
    server.OnFinished = [&reporter] { return reporter.Report(); };
    server.OnViolation = [](const std::string& violation) { Complain("violation: " + violation); };
    server.OnLineFault = [](const std::string& fault) { Complain(fault); };
    const bool lineHeld = server.Run(stopFd);
    close(stopFd);
    if (!lineHeld) Complain("the line failed: " + port.Error());

    const bool faults = !lineHeld || server.LineFaults() > 0 || reporter.DumpFailed();
    const bool unfinished = options.Once && reporter.Finished() == 0;
    return !panel.Violations().empty() || faults || unfinished ? kExitFailure : kExitOk;
}

}  // namespace

}  // namespace qxed::panelsim

int main(int argc, char** argv) {
    using namespace qxed::panelsim;
    if (argc == 2 && (std::string_view(argv[1]) == "--version" || std::string_view(argv[1]) == "-V")) {
        std::cout << VersionLine("qxed-panelsim");
        return kExitOk;
    }
    SimulatorOptions options;
    std::string error;
    if (!ParseSimulatorOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "qxed-panelsim: " << error << "\nTry 'qxed-panelsim --help'.\n";
        return kExitUsage;
    }
    if (options.Help) {
        std::cout << kSimulatorHelp;
        return kExitOk;
    }
    if (!options.WriteDriversDir.empty()) return WriteDrivers(options);
    return Serve(options);
}
