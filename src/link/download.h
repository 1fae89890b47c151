#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/image_build.h"
#include "link/comm_port.h"
#include "link/driver_file.h"
#include "link/event_loop.h"
#include "model/user_prompts.h"

namespace qxed {

class Project;
class TComm;

enum class DownloadResult { Ok, Abort, Cancel };

// What the download window shows. The widgets and the command line's progress bar implement it.
class DownloadView {
  public:
    virtual ~DownloadView() = default;
    virtual void ShowLabel(const std::string& text) = 0;       // UTF-8
    virtual void ShowProgress(int position, int maximum) = 0;  // position already clamped
    // The download has ended (after its message, if any); the window closes with the result.
    virtual void Finished(DownloadResult result) = 0;
    // Which attempt at waking the panel is under way, from 1 up to the limit; a window may show it so that
    // a panel that does not answer is seen at once.
    virtual void ShowAttempt(int attempt, int limit) {
        (void)attempt;
        (void)limit;
    }
    // One line about the exchange with the panel: every request and reply, each time-out and retry.
    virtual void Trace(const std::string& line) { (void)line; }
};

// Everything the download needs besides the project.
struct DownloadJob {
    std::string PortName;           // "COM" + (CommPort + 1), or a device path
    std::string UpgradeMode = "S";  // "S" decide by the panel, "U" always rewrite the driver, "N" never
    std::string ProgramFolder;      // holds fsc/, the PLC driver files
    ImageBuildContext Build;        // texts (messages, captions), text language, glyph folder
    // An imported image, sent as it is instead of building the project's pages (the project then supplies
    // only the model and the PLC type).
    std::optional<ScreenDataImage> Prebuilt;
    // Start-up delays and reply time-outs; the defaults are the panel's, tests may shorten them.
    std::chrono::milliseconds OpenDelay{10};
    std::chrono::milliseconds WakeDelay{2500};
    std::chrono::milliseconds WakeTimeout{100};
    std::chrono::milliseconds ReplyTimeout{10000};
};

// The download of a project to the panel, without a window: opens the port, wakes the panel, asks for its
// version and identity, builds the image, checks model and driver file, erases and writes the flash and
// ends with the finish frame. Driven by the port's received bytes and two timers on the event loop. Every
// failure shows one message (caption "DownloadFormCaption") and finishes with Abort.
//
// The image build and the message boxes may process events (the editor's boxes are modal and spin the
// loop); a reply or a time-out that arrives meanwhile never starts another step inside the one that is
// running. The view's Finished is called once no call into the download is left on the stack, so the view
// may let the download go there; it must not do so from any other callback of the view or the prompts.
class Download {
  public:
    Download(EventLoop& loop, CommPort& port, DownloadView& view, UserPrompts& prompts);
    ~Download();  // runs the close step if the download has not finished
    Download(const Download&) = delete;
    Download& operator=(const Download&) = delete;

    // The window was shown: starts the download. The project must outlive the download.
    void Start(const Project& project, DownloadJob job);
    // The user asked to cancel: asks "ReallyCancelDownload"; when confirmed, runs the close step and
    // finishes with Cancel and returns true; when declined the download goes on and false is returned.
    // Confirmed while the image builds, the build stops at its next step, and the view hears the result
    // when the build has returned. After the download has finished, or while the message of its success
    // or failure is up, it asks nothing, keeps that result and returns true.
    bool Cancel();

    bool IsFinished() const;
    std::optional<DownloadResult> Result() const;

    // After a result Ok: the image sent and the driver file used (what the data export writes).
    const ScreenDataImage& Image() const;
    const std::string& DriverFilePath() const;

    // Frames sent so far and retries, for the command line's summary and the benchmark.
    int FramesSent() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The download's fixed line: 57600 bit/s, 8 data bits, no parity, 1 stop bit, DTR enabled, RTS disabled, no
// flow control, read interval time-out 1 ms and the other time-outs 0.
void ApplyDownloadLineSettings(TComm& comm);

}  // namespace qxed
