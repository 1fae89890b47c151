#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/image_fixture.h"
#include "link/comm_port.h"
#include "link/download.h"
#include "link/download_plan.h"
#include "link/driver_file.h"
#include "link/event_loop.h"
#include "link/frames.h"
#include "support/recording_prompts.h"
#include "text/language.h"
#include "text/settings_paths.h"
#include "support/temp_folder.h"
#include "text/texts.h"

namespace qxed::testing {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

inline Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// A binary reply of the given length: the leading bytes, zeros, and the checksum as last byte.
inline Bytes BinaryReply(std::size_t length, const Bytes& leading) {
    Bytes reply(length - 1, 0);
    std::copy(leading.begin(), leading.end(), reply.begin());
    reply.push_back(Checksum(reply));
    return reply;
}

// The virtual clock with what the re-entry tests need: how deep the download is inside ProcessPending (the
// image build calls it), a build that takes virtual time, and timers whose events still arrive after they
// were stopped, as from a loop that had already queued them.
class TestLoop : public VirtualClockLoop {
  public:
    int Nesting = 0;                           // ProcessPending calls under way
    std::chrono::milliseconds PendingCost{0};  // virtual time each ProcessPending lets pass
    bool KeepStoppedTimers = false;
    int LateEvents = 0;         // events of stopped timers delivered
    int LateEventsInBuild = 0;  // of them, those delivered inside ProcessPending

    void ProcessPending() override {
        ++Nesting;
        if (PendingCost.count() > 0)
            Advance(PendingCost);
        else
            VirtualClockLoop::ProcessPending();
        --Nesting;
    }
    TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) override {
        auto id = std::make_shared<TimerId>(0);
        *id = VirtualClockLoop::StartTimer(interval, repeating, [this, id, task = std::move(task)] {
            if (stopped_.count(*id) != 0) {
                ++LateEvents;
                if (Nesting > 0) ++LateEventsInBuild;
            }
            task();
        });
        return *id;
    }
    void StopTimer(TimerId id) override {
        if (KeepStoppedTimers)
            stopped_.insert(id);
        else
            VirtualClockLoop::StopTimer(id);
    }

  private:
    std::set<TimerId> stopped_;
};

// A serial port whose far end is the test: it records every frame written with the virtual time, lets a
// responder answer it (the answer arrives through the loop, as a real port delivers it) and can refuse to
// open or to send.
class ScriptedPort : public CommPort {
  public:
    struct Write {
        Bytes Frame;
        std::chrono::milliseconds At;
    };
    std::vector<Write> Writes;
    std::function<void(const Bytes& frame)> Responder;
    bool FailOpen = false;
    int FailWritesFrom = 0;  // the 1-based send attempt from which WriteData fails; 0 never
    std::vector<TRtsControl> Rts;
    int Opens = 0;

    explicit ScriptedPort(VirtualClockLoop& loop) : loop_(loop) {}

    void SetCommName(const std::string& name) override { name_ = name; }
    const std::string& CommName() const override { return name_; }
    void SetRtsControl(TRtsControl value) override { Rts.push_back(value); }
    void OpenPort() override {
        if (FailOpen || open_) throw ECommsError("Error opening serial port");
        open_ = true;
        ++Opens;
    }
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool WriteData(const uint8_t* buffer, size_t length) override {
        ++attempts_;
        if (!open_ || length == 0 || (FailWritesFrom > 0 && attempts_ >= FailWritesFrom)) return false;
        Writes.push_back({Bytes(buffer, buffer + length), loop_.Now()});
        if (Responder) Responder(Bytes(Writes.back().Frame));
        return true;
    }

    void Deliver(Bytes bytes) {
        loop_.Post([this, bytes = std::move(bytes)] {
            if (OnReceiveData) OnReceiveData(bytes.data(), static_cast<uint16_t>(bytes.size()));
        });
    }

  private:
    VirtualClockLoop& loop_;
    std::string name_;
    bool open_ = false;
    int attempts_ = 0;
};

class RecordingView : public DownloadView {
  public:
    std::vector<std::string> Labels;
    std::vector<std::pair<int, int>> Progress;  // position, maximum
    std::vector<DownloadResult> Results;

    void ShowLabel(const std::string& text) override { Labels.push_back(text); }
    void ShowProgress(int position, int maximum) override { Progress.emplace_back(position, maximum); }
    void Finished(DownloadResult result) override { Results.push_back(result); }
};

// What a request frame asks for.
inline uint8_t Code(const Bytes& frame) {
    return frame.size() > 2 ? frame[2] : 0;
}
inline bool IsErase(const Bytes& frame) {
    return Code(frame) == kEraseSector;
}
inline bool IsWrite(const Bytes& frame) {
    return Code(frame) == kWriteData;
}
inline uint32_t WriteAddressOf(const Bytes& frame) {
    return uint32_t{frame.at(3)} << 24 | frame.at(4) << 16 | frame.at(5) << 8 | frame.at(6);
}
inline Bytes WriteDataOf(const Bytes& frame) {
    return Bytes(frame.begin() + 7, frame.end() - 1);
}

// The panel model 0 with PLC type 3, a driver file for it, and a panel that answers every request the
// usual way unless a test intercepts the request.
class DownloadTest : public ::testing::Test {
  protected:
    static constexpr int kModel = 0;
    static constexpr DriverValues kDriver{1, 5, 0, 40, 2};

    TestLoop loop;
    ScriptedPort port{loop};
    RecordingView view;
    RecordingPrompts prompts;
    Language texts;
    TempFolder programFolder;
    Project project = SmallProject(kModel);
    DownloadJob job;
    std::unique_ptr<Download> download;

    // The panel's answers.
    uint8_t systemVersion = 40;
    uint8_t displayFlags = 0xE0;
    PanelIdentity identity{0x00, 0x01, kDriver.D2, kDriver.D4, kDriver.D5, 0, 0};
    // Called with the request's 0-based index first; true when it has answered (or kept silent) itself.
    std::function<bool(std::size_t index, const Bytes& frame)> intercept;

    void SetUp() override {
        job.PortName = "COM3";
        job.ProgramFolder = programFolder.Path().string();
        job.Build.Texts = &texts;
        job.Build.Language = TextLanguage::En;
        job.Build.GlyphFolder = ProgramFolder();
        WriteDriver(kDriver, false);
        port.Responder = [this](const Bytes& frame) {
            if (intercept && intercept(port.Writes.size() - 1, frame)) return;
            port.Deliver(UsualAnswer(frame));
        };
    }

    Bytes UsualAnswer(const Bytes& frame) const {
        switch (Code(frame)) {
            case kWakeUp:
                return BinaryReply(kWakeUpReplyLength, {systemVersion});
            case kOldVersionRequest:
            case kVersionRequest:
                return BinaryReply(kVersionReplyLength, {0x00, displayFlags});
            case kIdentityRequest:
                return BinaryReply(kIdentityReplyLength, Bytes(identity.begin(), identity.end()));
            default:
                return BytesOf("OK");
        }
    }

    static Bytes DriverBytes() {
        Bytes bytes(kDriverAreaLength);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
        return bytes;
    }
    std::string DriverPath(bool gtk) const {
        return DriverFolder(job.ProgramFolder, 0, gtk) + "/" +
               DriverFileName(kModel, project.Settings.PlcType);
    }
    void WriteDriver(const DriverValues& values, bool gtk) {
        std::filesystem::create_directories(DriverFolder(job.ProgramFolder, 0, gtk));
        const Bytes file = MakeDriverFile(values, DriverBytes());
        WriteBytes(DriverPath(gtk), std::string(file.begin(), file.end()));
    }

    // A prebuilt image whose bytes tell their positions apart.
    void UsePrebuilt(std::size_t length) {
        ScreenDataImage image;
        for (std::size_t i = 0; i < length; ++i)
            image.Bytes.push_back(static_cast<uint8_t>(i * 13 + i / 251));
        job.Prebuilt = image;
    }

    void StartDownload() {
        download = std::make_unique<Download>(loop, port, view, prompts);
        download->Start(project, job);
    }
    // Forgets what earlier downloads of the test sent and showed.
    void ClearRecords() {
        port.Writes.clear();
        view = RecordingView{};
        prompts.Clear();
    }

    // Runs the download to its end; then lets an hour pass, in which nothing may happen any more.
    void Run() {
        StartDownload();
        ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
        const std::size_t frames = port.Writes.size();
        loop.Advance(std::chrono::hours(1));
        EXPECT_EQ(port.Writes.size(), frames) << "frames sent after the end";
    }

    std::string Text(const TextKey& key) const { return texts.TextUtf8(key); }
    RecordedMessage Message(const std::string& text, MessageIcon icon) const {
        return {text, Text(texts::DownloadFormCaption), icon, MessageButtons::Ok};
    }

    // The close step ran once with this result: RTS off, port closed, one report to the view.
    void ExpectClosedWith(DownloadResult result) const {
        EXPECT_EQ(view.Results, std::vector<DownloadResult>{result});
        EXPECT_EQ(download->Result(), result);
        EXPECT_FALSE(port.IsOpen());
        ASSERT_FALSE(port.Rts.empty());
        EXPECT_EQ(port.Rts.back(), TRtsControl::RtsDisable);
    }
    void ExpectAbortWith(const std::string& text, MessageIcon icon) const {
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{Message(text, icon)});
        ExpectClosedWith(DownloadResult::Abort);
    }

    std::vector<Bytes> Frames() const {
        std::vector<Bytes> frames;
        for (const auto& write : port.Writes)
            frames.push_back(write.Frame);
        return frames;
    }
    std::vector<int> ErasedSectors() const {
        std::vector<int> sectors;
        for (const auto& write : port.Writes)
            if (IsErase(write.Frame)) sectors.push_back(write.Frame.at(3));
        return sectors;
    }
    // The data of the write frames whose addresses lie in from..to - 1, in the order sent.
    Bytes Written(uint32_t from, uint32_t to) const {
        Bytes bytes;
        for (const auto& write : port.Writes) {
            if (!IsWrite(write.Frame)) continue;
            const uint32_t address = WriteAddressOf(write.Frame);
            if (address < from || address >= to) continue;
            const Bytes data = WriteDataOf(write.Frame);
            bytes.insert(bytes.end(), data.begin(), data.end());
        }
        return bytes;
    }
};

}  // namespace qxed::testing
