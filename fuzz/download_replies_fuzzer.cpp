// Plays the panel's side of a download with replies the input chooses: the simulated panel's true reply, that
// reply in two pieces, raw bytes from the input, or silence. Whatever arrives on the line, the download must
// end exactly once, with at most one message, the port closed and nothing sent after the end.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/comm_port.h"
#include "link/download.h"
#include "link/driver_file.h"
#include "link/event_loop.h"
#include "model/project.h"
#include "model/user_prompts.h"
#include "simulated_panel.h"
#include "text/language.h"

namespace {

using namespace qxed;
using Bytes = std::vector<uint8_t>;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "download fuzzer: %s\n", what);
    std::abort();
}

// The input read front to back; once it runs out the panel falls silent.
class InputReader {
  public:
    explicit InputReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    std::optional<uint8_t> Next() {
        if (at_ >= bytes_.size()) return std::nullopt;
        return bytes_[at_++];
    }
    Bytes Take(std::size_t count) {
        count = std::min(count, bytes_.size() - at_);
        Bytes taken(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + count));
        at_ += count;
        return taken;
    }

  private:
    std::span<const uint8_t> bytes_;
    std::size_t at_ = 0;
};

class FuzzedPort : public CommPort {
  public:
    FuzzedPort(VirtualClockLoop& loop, InputReader& input, panelsim::SimulatedPanel& panel)
        : loop_(loop), input_(input), panel_(panel) {}

    bool Ended = false;

    void SetCommName(const std::string& name) override { name_ = name; }
    const std::string& CommName() const override { return name_; }
    void SetRtsControl(TRtsControl) override {}
    void OpenPort() override {
        if (open_) Fail("opened twice");
        open_ = true;
    }
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool WriteData(const uint8_t* buffer, size_t length) override {
        if (Ended) Fail("a frame was sent after the download ended");
        if (!open_ || length == 0) return false;
        const Bytes frame(buffer, buffer + length);
        Bytes reply;
        for (const Bytes& piece : panel_.Receive(frame))
            reply.insert(reply.end(), piece.begin(), piece.end());
        const std::optional<uint8_t> choice = input_.Next();
        if (!choice) return true;  // silence
        switch (*choice % 4) {
            case 0:
                Deliver(reply);
                break;
            case 1: {
                const std::size_t cut = reply.empty() ? 0 : *choice % reply.size();
                Deliver(Bytes(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(cut)));
                Deliver(Bytes(reply.begin() + static_cast<std::ptrdiff_t>(cut), reply.end()));
                break;
            }
            case 2:
                Deliver(input_.Take(*choice / 4 % 32));
                break;
            default:
                break;  // silence: the time-out resends
        }
        return true;
    }

  private:
    void Deliver(Bytes bytes) {
        if (bytes.empty()) return;
        loop_.Post([this, bytes = std::move(bytes)] {
            if (OnReceiveData) OnReceiveData(bytes.data(), static_cast<uint16_t>(bytes.size()));
        });
    }

    VirtualClockLoop& loop_;
    InputReader& input_;
    panelsim::SimulatedPanel& panel_;
    std::string name_;
    bool open_ = false;
};

class CountingView : public DownloadView {
  public:
    int Finishes = 0;
    void ShowLabel(const std::string&) override {}
    void ShowProgress(int position, int maximum) override {
        if (maximum > 0 && (position < 0 || position > maximum)) Fail("progress outside the bar");
    }
    void Finished(DownloadResult) override { ++Finishes; }
};

class CountingPrompts : public UserPrompts {
  public:
    int Shown = 0;
    MessageResult ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        ++Shown;
        return MessageResult::Ok;
    }
};

// A driver file for the simulated QX model 0 panel and PLC type 21, in a folder of its own.
const std::string& ProgramFolder() {
    static const std::string folder = [] {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("qxed-download-fuzz-" + std::to_string(::getpid()));
        const std::filesystem::path drivers = path / "fsc" / "En" / "HD6";
        std::filesystem::create_directories(drivers);
        const Bytes file = MakeDriverFile(DriverValues{1, 5, 0, 40, 1}, Bytes(kDriverAreaLength, 0x5A));
        std::FILE* out = std::fopen((drivers / DriverFileName(0, 21)).c_str(), "wb");
        if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size())
            Fail("driver file");
        std::fclose(out);
        return path.string();
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(std::span<const uint8_t>(data, size));
    const std::optional<uint8_t> setup = input.Next();
    if (!setup) return 0;

    panelsim::PanelOptions options;
    options.Installed = DriverValues{0, 5, 0, 40, 1};
    options.PlcProtocol = 5;
    options.IdentityFlags = static_cast<uint8_t>(0x01 | (*setup & 0x80));
    panelsim::SimulatedPanel panel(options);

    VirtualClockLoop loop;
    FuzzedPort port(loop, input, panel);
    CountingView view;
    CountingPrompts prompts;
    static const Language language;
    const Project project;

    DownloadJob job;
    job.PortName = "COM1";
    job.UpgradeMode = (*setup & 1) != 0 ? "N" : "S";
    job.ProgramFolder = ProgramFolder();
    job.Build.Texts = &language;
    ScreenDataImage image;
    image.Bytes.assign(40 + (*setup >> 1 & 0x3F) * 7, 0x33);  // up to 481 bytes: a few write frames
    job.Prebuilt = image;
    {
        Download download(loop, port, view, prompts);
        download.Start(project, job);
        loop.RunUntil([&] { return download.IsFinished(); }, std::chrono::hours(2));
        if (!download.IsFinished()) Fail("the download never ended");
        port.Ended = true;
        loop.Advance(std::chrono::minutes(1));  // late replies and timers must do nothing
    }
    if (view.Finishes != 1) Fail("the view did not hear the end exactly once");
    if (prompts.Shown > 1) Fail("more than one message");
    if (port.IsOpen()) Fail("the port was left open");
    return 0;
}
