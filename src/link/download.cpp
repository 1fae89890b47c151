#include "link/download.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "image/image_format.h"
#include "link/download_plan.h"
#include "link/frames.h"
#include "model/project.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// The steps of the exchange; the sector number of the erase steps is kept beside the step.
enum class Step {
    Idle,
    WakeUp,
    Version,
    Identity,
    DriverErase,
    DriverData,
    ImageErase,
    ImageData,
    Finish,
    Done
};

constexpr int kWakeUpRetryLimit = 300;
constexpr int kReplyRetryLimit = 3;
constexpr int kInitialProgressMaximum = 100;
constexpr int kEraseExtraProgress = 6;
// Versions 2 and older of the panel's system know only the short version request.
constexpr uint8_t kLastOldVersionSystem = 2;
constexpr uint8_t kLowestSystemVersion = 33;
constexpr uint8_t kDisplayFlagBits = 0xE0;
// Driver files are about 200 KiB; anything far larger is no driver file.
constexpr std::size_t kLargestDriverFile = 16u << 20;

constexpr std::array<uint8_t, 4> kMarker = {0xA5, 0x5A, 0xA5, 0x5A};
constexpr std::string_view kStdReply = "STD";
constexpr std::string_view kOkReply = "OK";
constexpr std::string_view kNgReply = "NG";

bool SameByte(uint8_t byte, char c) {
    return byte == static_cast<uint8_t>(c);
}

bool Equals(const std::vector<uint8_t>& bytes, std::string_view text) {
    return std::equal(bytes.begin(), bytes.end(), text.begin(), text.end(), SameByte);
}

bool StartsWith(const std::vector<uint8_t>& bytes, std::string_view text) {
    return bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin(),
                                                     [](char c, uint8_t byte) { return SameByte(byte, c); });
}

}  // namespace

// The window's state; it is also the build's progress display, so the build advances the same bar and
// sees a confirmed cancel.
struct Download::State final : BuildProgress {
    State(EventLoop& loop, CommPort& port, DownloadView& view, UserPrompts& prompts)
        : Loop(loop), Port(port), View(view), Prompts(prompts) {}

    EventLoop& Loop;
    CommPort& Port;
    DownloadView& View;
    UserPrompts& Prompts;

    const Project* Proj = nullptr;
    DownloadJob Job;
    bool Started = false;
    bool Finished = false;
    bool Asking = false;  // the cancel question is up
    std::optional<DownloadResult> Outcome;
    int FramesSent = 0;

    Step CurrentStep = Step::Idle;
    int Sector = 0;
    std::vector<uint8_t> LastRequest;
    std::vector<uint8_t> Received;
    int RetryCount = 0;
    int RetryLimit = kWakeUpRetryLimit;
    std::chrono::milliseconds ReplyTimeout{0};
    std::optional<TimerId> Timer1;
    std::optional<TimerId> Timer2;

    uint8_t SystemVersion = 0;
    PanelIdentity Identity{};
    DriverValues Values;
    std::string DriverFilePath;
    std::optional<std::vector<uint8_t>> DriverFile;  // held from the checks to the close step
    std::vector<uint8_t> DriverBytes;
    bool Upgrade = false;
    ImageSectorFlags SectorFlags{};
    uint32_t WriteAddress = 0;
    std::size_t WritePosition = 0;
    bool ErasePending = false;
    ScreenDataImage Image;

    int Position = 0;
    int Maximum = kInitialProgressMaximum;

    // BuildProgress: the build runs inside the identity step and keeps the window responsive.
    void Begin(const std::string& label, int maximum) override {
        View.ShowLabel(label);
        Position = 0;
        Maximum = maximum;
        ShowProgress();
    }
    void Advance() override {
        ++Position;
        ShowProgress();
        Loop.ProcessPending();
    }
    bool CancelRequested() override { return Finished; }

    const Language& Texts() const {
        static const Language builtin;
        return Job.Build.Texts != nullptr ? *Job.Build.Texts : builtin;
    }
    std::string Text(const TextKey& key) const { return Texts().TextUtf8(key); }
    MessageResult Show(const std::string& text, MessageIcon icon,
                       MessageButtons buttons = MessageButtons::Ok) {
        return Prompts.ShowMessage(text, Text(texts::DownloadFormCaption), icon, buttons);
    }

    void ShowProgress() { View.ShowProgress(std::clamp(Position, 0, std::max(Maximum, 0)), Maximum); }
    void AddProgress(int steps) {
        Position += steps;
        ShowProgress();
    }
    std::vector<uint8_t> Frame(std::span<const uint8_t> payload) const {
        return MakeFrame(ProgressByte(Position, Maximum), payload);
    }

    void StopTimer1() {
        if (Timer1) Loop.StopTimer(*Timer1);
        Timer1.reset();
    }
    void StopTimer2() {
        if (Timer2) Loop.StopTimer(*Timer2);
        Timer2.reset();
    }

    void Start(const Project& project, DownloadJob job) {
        Proj = &project;
        Job = std::move(job);
        Started = true;
        Port.OnReceiveData = [this](const uint8_t* buffer, uint16_t length) { Receive(buffer, length); };
        View.ShowLabel(Text(texts::PreparePageContent));
        Position = 0;
        Maximum = kInitialProgressMaximum;
        ShowProgress();
        Timer1 = Loop.StartTimer(Job.OpenDelay, false, [this] {
            Timer1.reset();
            OpenStep();
        });
    }

    void OpenStep() {
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsEnable);
        Port.SetCommName(Job.PortName);
        try {
            Port.OpenPort();
        } catch (const ECommsError&) {
            Fail(Text(texts::CanNotOpenCommPort) + Job.PortName + " !", MessageIcon::Warning);
            return;
        }
        Timer1 = Loop.StartTimer(Job.WakeDelay, false, [this] {
            Timer1.reset();
            WakeStep();
        });
    }

    void WakeStep() {
        const uint8_t payload[] = {kWakeUp};
        RetryLimit = kWakeUpRetryLimit;
        ReplyTimeout = Job.WakeTimeout;
        Request(Step::WakeUp, payload, texts::CommunicateWrong1);
    }

    // Sends the last request afresh. The reply time-out runs from here; a failed send ends the download
    // with the step's text. Nothing of the state may be used after it returns, since the download may have
    // finished (and its owner may have let it go) inside.
    void SendRequest(const TextKey& errorText) {
        Received.clear();
        StopTimer2();
        Timer2 = Loop.StartTimer(ReplyTimeout, false, [this] {
            Timer2.reset();
            TimeOut();
        });
        // A copy: a port that answers at once may replace the last request while it still reads the frame.
        const std::vector<uint8_t> frame = LastRequest;
        ++FramesSent;
        if (!Port.WriteData(frame.data(), frame.size())) {
            --FramesSent;
            StopTimer2();
            Fail(Text(errorText), MessageIcon::Error);
        }
    }

    void TimeOut() {
        if (Finished || CurrentStep == Step::Idle) return;
        ++RetryCount;
        if (RetryCount < RetryLimit)
            SendRequest(texts::CommunicateWrong5);
        else
            Fail(Text(texts::TimeOutPleaseCheckDownloadAgain), MessageIcon::Warning);
    }

    void Receive(const uint8_t* buffer, uint16_t length) {
        if (Finished || CurrentStep == Step::Idle || buffer == nullptr) return;
        Received.insert(Received.end(), buffer, buffer + length);
        switch (CurrentStep) {
            case Step::WakeUp:
                return WakeUpReply();
            case Step::Version:
                return VersionReply();
            case Step::Identity:
                return IdentityReply();
            default:
                return Acknowledgement();
        }
    }

    // A complete binary reply: exactly its length, checksum included. Anything shorter waits for more bytes,
    // anything longer waits for the time-out.
    bool ReplyComplete(int length) const {
        return Received.size() == static_cast<std::size_t>(length) && ChecksumHolds(Received);
    }

    void WakeUpReply() {
        if (StartsWith(Received, kStdReply)) {
            // The panel is still in its start-up screen: wake it again at once, not counted as a retry.
            StopTimer2();
            RetryCount = 0;
            SendRequest(texts::CommunicateWrong1);
            return;
        }
        if (!ReplyComplete(kWakeUpReplyLength)) return;
        StopTimer2();
        SystemVersion = Received[0];
        static constexpr uint8_t kOldRequest[] = {kOldVersionRequest};
        static constexpr uint8_t kNewRequest[] = {kVersionRequest, 0x01};
        RetryLimit = kReplyRetryLimit;
        ReplyTimeout = Job.ReplyTimeout;
        if (SystemVersion <= kLastOldVersionSystem)
            Request(Step::Version, kOldRequest, texts::CommunicateWrong6);
        else
            Request(Step::Version, kNewRequest, texts::CommunicateWrong6);
    }

    void VersionReply() {
        if (!ReplyComplete(kVersionReplyLength)) return;
        StopTimer2();
        if ((Received[1] & kDisplayFlagBits) == 0)
            return Fail(Text(texts::PleaseUseV80QXED), MessageIcon::Information);
        if (SystemVersion < kLowestSystemVersion)
            return Fail(Text(texts::PleaseUseV933QXED), MessageIcon::Information);
        const uint8_t payload[] = {kIdentityRequest, 0x02};
        Request(Step::Identity, payload, texts::CommunicateWrong7);
    }

    void IdentityReply() {
        if (!ReplyComplete(kIdentityReplyLength)) return;
        StopTimer2();
        std::copy_n(Received.begin(), Identity.size(), Identity.begin());
        // The build processes events: bytes arriving meanwhile answer no request.
        CurrentStep = Step::Idle;
        if (!PrepareImage()) return;
        View.ShowLabel(Text(texts::DownloadPageContent));

        const int model = Proj->Settings.CurrentModel;
        if ((Identity[1] & kModelCodeIndexBits) != model + 1)
            return Fail(Text(texts::NotCompatibleCanNotDownload), MessageIcon::Error);

        DriverFilePath = DriverFolder(Job.ProgramFolder, static_cast<int>(Job.Build.Language),
                                      (Identity[0] & kGtkDisplay) != 0) +
                         "/" + DriverFileName(model, Proj->Settings.PlcType);
        DriverFile = file_access::ReadRegularFile(DriverFilePath, kLargestDriverFile);
        const std::optional<DriverValues> values = DriverFile ? ReadDriverValues(*DriverFile) : std::nullopt;
        Maximum = FullProgressMaximum(Image.Length());
        Position = 0;
        ShowProgress();
        if (!values) return Fail(Text(texts::NotSupportPLCType), MessageIcon::Information);
        Values = *values;
        if (Values.D4 < kLowestDriverSystemVersion)
            return Fail(Text(texts::PLCFileWrong) + " SysVer < 36", MessageIcon::Error);
        if (Values.D1 != Identity[1]) return Fail(Text(texts::NotSupportPLCType), MessageIcon::Information);
        if ((Identity[0] & kCheckPlcProtocol) != 0 && Values.D2 != Identity[6])
            return Fail(Text(texts::NotSupportPLCType), MessageIcon::Error);

        Upgrade = DecideUpgrade(Job.UpgradeMode, Identity, Values);
        if (!Upgrade) Maximum -= kDriverProgressWeight;
        AddProgress(1);
        if (Upgrade) DriverBytes = *DriverArea(*DriverFile);
        SectorFlags = ImageSectors(Image.Length());
        Maximum -= UnusedSectorWeight(SectorFlags, Image.Length());
        ShowProgress();

        CurrentStep = Step::DriverErase;
        Sector = kFirstDriverSector;
        RunSender();
    }

    // The image to send: the imported one, or the project built now. False when the download has ended.
    bool PrepareImage() {
        if (Job.Prebuilt) {
            // An imported image larger than the panel's image area would be written past the flash.
            if (Job.Prebuilt->Length() > image_format::kLargestImage) {
                Fail(Text(texts::PleaseAdjust) + "," + Text(texts::PageContentOver),
                     MessageIcon::Information);
                return false;
            }
            Image = *Job.Prebuilt;
            return true;
        }
        BuildOutcome outcome = PreparePageContent(*Proj, Job.Build, *this, Prompts);
        if (Finished) return false;  // cancelled while building
        if (outcome.Status != BuildStatus::Built) {
            // The build has shown its message.
            CloseAndFinish(DownloadResult::Abort);
            return false;
        }
        Image = std::move(outcome.Image);
        return true;
    }

    void Acknowledgement() {
        if (Equals(Received, kOkReply)) {
            StopTimer2();
            AddProgress(ErasePending ? 1 + kEraseExtraProgress : 1);
            ErasePending = false;
            RunSender();
        } else if (Equals(Received, kNgReply)) {
            StopTimer2();
            Fail("receive \"NG\" when send \"" + HexBytes(LastRequest) + "\"", MessageIcon::Warning);
        }
    }

    // A request of the start-up exchange in its step, its retries counted from zero.
    void Request(Step step, std::span<const uint8_t> payload, const TextKey& errorText) {
        LastRequest = Frame(payload);
        CurrentStep = step;
        RetryCount = 0;
        SendRequest(errorText);
    }

    // A request of the sender chain, whose steps set their own next step.
    void SendNext(std::span<const uint8_t> payload) {
        LastRequest = Frame(payload);
        RetryCount = 0;
        SendRequest(texts::CommunicateWrong3);
    }
    void SendErase(int sector) {
        ErasePending = true;
        SendNext(ErasePayload(static_cast<uint8_t>(sector)));
    }
    void SendBlock(std::span<const uint8_t> source) {
        const std::size_t count = std::min<std::size_t>(kWriteBlock, source.size() - WritePosition);
        const std::vector<uint8_t> payload = WritePayload(WriteAddress, source.subspan(WritePosition, count));
        WriteAddress += static_cast<uint32_t>(count);
        WritePosition += count;
        SendNext(payload);
    }

    // Walks the chain of steps until one request is ready and sends it; steps that send nothing advance
    // the progress and fall through.
    void RunSender() {
        for (;;) {
            switch (CurrentStep) {
                case Step::DriverErase:
                    if (Sector > kLastDriverSector) {
                        WriteAddress = kDriverAreaAddress;
                        WritePosition = 0;
                        CurrentStep = Step::DriverData;
                        break;
                    }
                    if (Upgrade) return SendErase(Sector++);
                    AddProgress(1);
                    ++Sector;
                    break;
                case Step::DriverData:
                    if (Upgrade && WritePosition < DriverBytes.size()) return SendBlock(DriverBytes);
                    AddProgress(1);
                    CurrentStep = Step::ImageErase;
                    Sector = kFirstImageSector;
                    break;
                case Step::ImageErase:
                    if (Sector == kFirstImageSector) return SendErase(Sector++);
                    if (Sector > kLastImageSector) {
                        WriteAddress = image_format::kImageBase;
                        WritePosition = 0;
                        CurrentStep = Step::ImageData;
                        break;
                    }
                    if (SectorFlags[Sector - kFirstImageSector - 1]) return SendErase(Sector++);
                    AddProgress(1);
                    ++Sector;
                    break;
                case Step::ImageData:
                    if (WritePosition < Image.Bytes.size()) return SendBlock(Image.Bytes);
                    CurrentStep = Step::Finish;
                    return SendNext(WritePayload(kMarkerAddress, kMarker));
                case Step::Finish: {
                    CurrentStep = Step::Done;
                    const uint8_t payload[] = {kFinish};
                    return SendNext(payload);
                }
                case Step::Done:
                    return Succeed();
                default:
                    return;
            }
        }
    }

    void Succeed() {
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsDisable);
        StopTimer2();
        Show(Text(texts::DownloadSuccessfully), MessageIcon::Information);
        if (Finished) return;
        CloseAndFinish(DownloadResult::Ok);
    }

    // One message, then the download ends with Abort. Nothing received or timed acts while it is shown.
    void Fail(const std::string& text, MessageIcon icon) {
        CurrentStep = Step::Idle;
        StopTimer1();
        StopTimer2();
        Show(text, icon);
        if (Finished) return;  // cancelled while the message was up
        CloseAndFinish(DownloadResult::Abort);
    }

    // The close step and the one report of the result. The view may let the download go when told, so
    // this is the last thing any handler does.
    void CloseAndFinish(DownloadResult result) {
        Finished = true;
        Outcome = result;
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsDisable);
        Port.ClosePort();
        StopTimer1();
        StopTimer2();
        DriverFile.reset();
        DriverBytes.clear();
        DriverBytes.shrink_to_fit();
        View.Finished(result);
    }

    bool Cancel() {
        if (Finished) return true;
        if (Asking) return false;
        Asking = true;
        const MessageResult answer =
            Show(Text(texts::ReallyCancelDownload), MessageIcon::Question, MessageButtons::OkCancel);
        Asking = false;
        if (Finished) return true;  // the download ended while the question was up
        if (answer != MessageResult::Ok) return false;
        CloseAndFinish(DownloadResult::Cancel);
        return true;
    }
};

Download::Download(EventLoop& loop, CommPort& port, DownloadView& view, UserPrompts& prompts)
    : state_(std::make_unique<State>(loop, port, view, prompts)) {}

Download::~Download() {
    if (!state_->Started) return;
    if (!state_->Finished) state_->CloseAndFinish(DownloadResult::Cancel);
    state_->Port.OnReceiveData = nullptr;
}

void Download::Start(const Project& project, DownloadJob job) {
    if (state_->Started) return;
    state_->Start(project, std::move(job));
}

bool Download::Cancel() {
    return state_->Cancel();
}

bool Download::IsFinished() const {
    return state_->Finished;
}

std::optional<DownloadResult> Download::Result() const {
    return state_->Outcome;
}

const ScreenDataImage& Download::Image() const {
    return state_->Image;
}

const std::string& Download::DriverFilePath() const {
    return state_->DriverFilePath;
}

int Download::FramesSent() const {
    return state_->FramesSent;
}

}  // namespace qxed
