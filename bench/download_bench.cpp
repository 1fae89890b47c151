// Times a download of a nearly full image (65000 bytes, sent as a prebuilt image, upgrade mode "N" so the
// image alone crosses the line) to qxed-panelsim beside the program, in-process with the real event loop,
// serial port and download. Measures from the first wake-up frame to the "OK" for the finish frame:
//   - with --line-rate: the time beside the least the 57600 bit/s line allows for the bytes exchanged
//     (request and reply bytes x 10 bits / 57600); fails above 105 % of it;
//   - without: the mean time per request and reply; fails at 1 ms or more.
// Usage: bench_download
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "bench_graphics.h"
#include "bench_prompts.h"
#include "link/comm.h"
#include "link/download.h"
#include "link/event_loop.h"
#include "model/project.h"
#include "text/settings_paths.h"

namespace {

using namespace qxed;
using Clock = std::chrono::steady_clock;

constexpr int kModel = 1;
constexpr int kPlcType = 21;
constexpr std::size_t kImageLength = 65000;
constexpr double kLineBitsPerByte = 10.0;  // start, 8 data bits, stop
constexpr double kBaudRate = 57600.0;
constexpr double kAllowedLineRatio = 1.05;
constexpr double kAllowedRoundTripMs = 1.0;

// A program started with its stdout on a pipe; killed and reaped when let go.
class Child {
  public:
    explicit Child(const std::vector<std::string>& args) {
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::dup2(out[1], 1) < 0) _exit(126);
            ::execv(argv[0], argv.data());
            _exit(127);
        }
        ::close(out[1]);
        out_ = ::fdopen(out[0], "r");
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            Wait();
        }
        if (out_ != nullptr) std::fclose(out_);
    }

    std::optional<std::string> ReadLine() {
        char line[4096];
        if (out_ == nullptr || std::fgets(line, sizeof line, out_) == nullptr) return std::nullopt;
        std::string text(line);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }
    int Wait() {
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    std::FILE* out_ = nullptr;
};

// The serial port with a meter: when the first frame went out, when the last byte came in, and the bytes
// in both directions.
class MeteredPort : public CommPort {
  public:
    explicit MeteredPort(TComm& inner) : inner_(inner) {
        inner_.OnReceiveData = [this](const uint8_t* buffer, uint16_t length) {
            BytesIn += length;
            LastReceived = Clock::now();
            if (OnReceiveData) OnReceiveData(buffer, length);
        };
    }
    void SetCommName(const std::string& name) override { inner_.SetCommName(name); }
    const std::string& CommName() const override { return inner_.CommName(); }
    void SetRtsControl(TRtsControl value) override { inner_.SetRtsControl(value); }
    void OpenPort() override { inner_.OpenPort(); }
    void ClosePort() override { inner_.ClosePort(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    bool WriteData(const uint8_t* buffer, size_t length) override {
        if (!FirstSent) FirstSent = Clock::now();
        BytesOut += length;
        ++Frames;
        return inner_.WriteData(buffer, length);
    }

    std::optional<Clock::time_point> FirstSent;
    Clock::time_point LastReceived;
    std::size_t BytesOut = 0;
    std::size_t BytesIn = 0;
    int Frames = 0;

  private:
    TComm& inner_;
};

class ClosingView : public DownloadView {
  public:
    explicit ClosingView(StdEventLoop& loop) : loop_(loop) {}
    void ShowLabel(const std::string&) override {}
    void ShowProgress(int, int) override {}
    void Finished(DownloadResult) override { loop_.Quit(); }

  private:
    StdEventLoop& loop_;
};

struct Measurement {
    bool Ok = false;
    double Seconds = 0;
    std::size_t Bytes = 0;
    int Frames = 0;
};

std::vector<uint8_t> SampleImage() {
    std::vector<uint8_t> bytes(kImageLength);
    uint32_t state = 12345;
    for (uint8_t& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

Measurement Run(const std::string& simulator, const std::string& dataDir, bool lineRate) {
    std::vector<std::string> args = {simulator, "--model", std::to_string(kModel), "--once"};
    if (lineRate) args.push_back("--line-rate");
    Child panel(args);
    const std::optional<std::string> port = panel.ReadLine();
    if (!port) return {};

    Project project;
    project.Settings.CurrentModel = kModel;
    project.Settings.PlcType = kPlcType;
    DownloadJob job;
    job.PortName = *port;
    job.UpgradeMode = std::string("N");  // the image alone crosses the line
    job.ProgramFolder = dataDir;
    job.Prebuilt = ScreenDataImage{SampleImage(), 0, 0};

    StdEventLoop loop;
    TComm comm(loop);
    ApplyDownloadLineSettings(comm);
    MeteredPort metered(comm);
    ClosingView view(loop);
    bench::ConfirmingPrompts prompts;
    Download download(loop, metered, view, prompts);
    download.Start(project, job);
    if (!download.IsFinished()) loop.Run();

    Measurement result;
    result.Ok = download.Result() == DownloadResult::Ok && metered.FirstSent.has_value();
    if (metered.FirstSent)
        result.Seconds = std::chrono::duration<double>(metered.LastReceived - *metered.FirstSent).count();
    result.Bytes = metered.BytesOut + metered.BytesIn;
    result.Frames = metered.Frames;
    const std::optional<std::string> confirmation = panel.ReadLine();
    if (confirmation) std::cout << "  " << *confirmation << '\n';
    result.Ok = result.Ok && panel.Wait() == 0;
    return result;
}

}  // namespace

int main() {
    const bench::OffscreenGraphics graphics;
    const std::string folder = ProgramFolder();
    const std::string simulator = folder + "/qxed-panelsim";
    char pattern[] = "/tmp/qxed-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    const std::string dataDir = pattern;
    int status = 1;
    {
        Child writer({simulator, "--model", std::to_string(kModel), "--write-drivers", dataDir, "--plc",
                      std::to_string(kPlcType)});
        while (writer.ReadLine()) {
        }
        if (writer.Wait() != 0) {
            std::cerr << "cannot write the driver files with " << simulator << '\n';
            std::filesystem::remove_all(dataDir);
            return 1;
        }
    }

    std::cout << "download of a " << kImageLength << "-byte image, upgrade mode N\n";
    const Measurement fast = Run(simulator, dataDir, false);
    const double roundTripMs = fast.Frames > 0 ? fast.Seconds * 1000.0 / fast.Frames : 0;
    std::printf(
        "without line rate: %.3f s for %d frames, mean round trip %.3f ms per frame (limit %.1f ms)\n",
        fast.Seconds, fast.Frames, roundTripMs, kAllowedRoundTripMs);

    const Measurement paced = Run(simulator, dataDir, true);
    const double minimum = static_cast<double>(paced.Bytes) * kLineBitsPerByte / kBaudRate;
    const double ratio = minimum > 0 ? paced.Seconds / minimum : 0;
    std::printf(
        "with line rate: %.3f s for %zu bytes exchanged, line-rate minimum %.3f s, ratio %.3f "
        "(limit %.2f)\n",
        paced.Seconds, paced.Bytes, minimum, ratio, kAllowedLineRatio);
    std::fflush(stdout);

    if (!fast.Ok || !paced.Ok)
        std::cerr << "a download failed\n";
    else if (roundTripMs >= kAllowedRoundTripMs)
        std::cerr << "the mean round trip is 1 ms or more\n";
    else if (ratio > kAllowedLineRatio)
        std::cerr << "the line-rate download takes more than 5 % above the line's minimum\n";
    else
        status = 0;
    std::filesystem::remove_all(dataDir);
    return status;
}
