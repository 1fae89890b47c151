#include "link/download.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "image/image_format.h"
#include "link/comm.h"
#include "link/download_plan.h"
#include "link/frames.h"
#include "link/sender_plan.h"
#include "link/step_gate.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// The steps of the exchange. The start-up requests have one each; the sending part is one step whose
// requests the sender plan hands out.
enum class Step { Idle, WakeUp, Version, Identity, Sending };

constexpr int kWakeUpRetryLimit = 300;
constexpr int kReplyRetryLimit = 3;
constexpr int kInitialProgressMaximum = 100;
// Versions 2 and older of the panel's system know only the short version request.
constexpr uint8_t kLastOldVersionSystem = 2;
constexpr uint8_t kLowestSystemVersion = 33;
constexpr uint8_t kDisplayFlagBits = 0xE0;
// Driver files are about 200 KiB; anything far larger is no driver file.
constexpr std::size_t kLargestDriverFile = 16u << 20;

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

// Every message of the image build refuses the image, so the download is failing from the moment one is
// shown: a cancel while it is up does not turn the failure into a cancel.
class BuildMessages final : public UserPrompts {
  public:
    BuildMessages(UserPrompts& inner, std::optional<DownloadResult>& outcome)
        : inner_(inner), outcome_(outcome) {}
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        if (!outcome_) outcome_ = DownloadResult::Abort;
        return inner_.ShowMessage(text, caption, icon, buttons);
    }
    MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) override {
        if (!outcome_) outcome_ = DownloadResult::Abort;
        return inner_.ShowDetailedMessage(text, detail, caption, icon, buttons);
    }

  private:
    UserPrompts& inner_;
    std::optional<DownloadResult>& outcome_;
};

// "0x17".
std::string Hex2(uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0x0F];
}

// A model index as a person knows it: "QX223 (model 6)"; an index outside the table by its number alone.
std::string ModelLabel(int model) {
    const PanelModel* row = FindPanelModel(model);
    return row != nullptr ? std::string(row->Code) + " (model " + std::to_string(model) + ")"
                          : "model " + std::to_string(model);
}

bool DriverFileMissing(const std::string& path) {
    std::error_code error;
    return !std::filesystem::exists(path, error);
}

std::string ModelMismatchDetail(int projectModel, int panelModel) {
    return "the project is for " + ModelLabel(projectModel) + ", the panel is " + ModelLabel(panelModel);
}

}  // namespace

// The window's state; it is also the build's progress display, so the build advances the same bar and
// sees a confirmed cancel.
//
// The download is entered by steps (a reply, a time-out, a start-up timer) and by the window's cancel. A
// step may process events: the image build does, to keep the cancel button usable, and so does every modal
// message box in the editor. So a step never runs inside another, and the view hears the end only once no
// call into the download is left on the stack, since it may let the download go when told.
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
    // The end, decided by the step that fails or succeeds (before its message) or by a confirmed cancel.
    std::optional<DownloadResult> Outcome;
    bool Finished = false;  // the close step has run
    bool Reported = false;  // the view has been told the result
    bool Asking = false;    // the cancel question is up
    // Steps and cancels; the view hears the end when the outermost has left.
    StepGate Gate{[this] { ReportEnd(); }};

    Step CurrentStep = Step::Idle;
    std::vector<uint8_t> LastRequest;
    std::vector<uint8_t> Received;
    int RetryCount = 0;
    int RetryLimit = kWakeUpRetryLimit;
    std::chrono::milliseconds ReplyTimeout{0};
    StepTimer Timer1{Loop, Gate};  // the start-up steps
    StepTimer Timer2{Loop, Gate};  // the reply time-out
    int FramesSent = 0;

    uint8_t SystemVersion = 0;
    PanelIdentity Identity{};
    std::string DriverFilePath;
    std::optional<std::vector<uint8_t>> DriverFile;  // held from the checks to the close step
    ScreenDataImage Image;
    std::optional<SenderPlan> Plan;
    int AnswerWeight = 0;  // what the "OK" to the plan's last request advances the bar by

    int Position = 0;
    int Maximum = kInitialProgressMaximum;

    void ReportEnd() {
        if (!Finished || Reported) return;
        Reported = true;
        View.Finished(*Outcome);
    }

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
    bool CancelRequested() override { return Outcome.has_value(); }

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

    void Start(const Project& project, DownloadJob job) {
        Proj = &project;
        Job = std::move(job);
        Started = true;
        Port.OnReceiveData = [this](const uint8_t* buffer, uint16_t length) { Receive(buffer, length); };
        View.ShowLabel(Text(texts::PreparePageContent));
        Position = 0;
        Maximum = kInitialProgressMaximum;
        ShowProgress();
        Timer1.Start(Job.OpenDelay, [this] { OpenStep(); });
    }

    void OpenStep() {
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsEnable);
        Port.SetCommName(Job.PortName);
        try {
            Port.OpenPort();
        } catch (const ECommsError& error) {
            std::string detail = Job.PortName + " is the device " + ResolvePortName(Job.PortName);
            if (!error.Reason.empty()) detail += ": " + error.Reason;
            return Fail(Text(texts::CanNotOpenCommPort) + Job.PortName + " !", MessageIcon::Warning, detail);
        }
        Timer1.Start(Job.WakeDelay, [this] { WakeStep(); });
    }

    void WakeStep() {
        const uint8_t payload[] = {kWakeUp};
        RetryLimit = kWakeUpRetryLimit;
        ReplyTimeout = Job.WakeTimeout;
        Request(Step::WakeUp, payload, texts::CommunicateWrong1);
    }

    // Sends the last request afresh; the reply time-out runs from here. A failed send ends the download
    // with the step's text.
    void SendRequest(const TextKey& errorText) {
        Received.clear();
        Timer2.Start(ReplyTimeout, [this] { TimeOut(); });
        ++FramesSent;
        if (CurrentStep == Step::WakeUp) View.ShowAttempt(RetryCount + 1, RetryLimit);
        View.Trace("request " + std::to_string(LastRequest.size()) + " bytes: " + HexBytes(LastRequest));
        if (!Port.WriteData(LastRequest.data(), LastRequest.size())) {
            --FramesSent;
            Timer2.Stop();
            Fail(Text(errorText), MessageIcon::Error);
        }
    }

    void TimeOut() {
        if (CurrentStep == Step::Idle) return;
        ++RetryCount;
        View.Trace("time-out; attempt " + std::to_string(RetryCount) + " of " + std::to_string(RetryLimit) +
                   (RetryCount < RetryLimit ? ", sent again" : ", giving up"));
        if (RetryCount < RetryLimit)
            SendRequest(texts::CommunicateWrong5);
        else
            Fail(Text(texts::TimeOutPleaseCheckDownloadAgain), MessageIcon::Warning);
    }

    // Bytes that arrive while a step is under way answer nothing: every step that processes events has
    // taken the reply its request waited for, and either sends a new request, whose reply is awaited
    // afresh, or ends the download.
    void Receive(const uint8_t* buffer, uint16_t length) {
        if (buffer == nullptr || Finished) return;
        View.Trace("reply " + std::to_string(length) + " bytes: " + HexBytes(std::span(buffer, length)));
        Gate.RunStep([&] { TakeReply(buffer, length); });
    }

    void TakeReply(const uint8_t* buffer, uint16_t length) {
        if (CurrentStep == Step::Idle) return;
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
            Timer2.Stop();
            RetryCount = 0;
            return SendRequest(texts::CommunicateWrong1);
        }
        if (!ReplyComplete(kWakeUpReplyLength)) return;
        Timer2.Stop();
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
        Timer2.Stop();
        if ((Received[1] & kDisplayFlagBits) == 0)
            return Fail(Text(texts::PleaseUseV80QXED), MessageIcon::Information);
        if (SystemVersion < kLowestSystemVersion)
            return Fail(Text(texts::PleaseUseV933QXED), MessageIcon::Information);
        const uint8_t payload[] = {kIdentityRequest, 0x02};
        Request(Step::Identity, payload, texts::CommunicateWrong7);
    }

    void IdentityReply() {
        if (!ReplyComplete(kIdentityReplyLength)) return;
        Timer2.Stop();
        std::copy_n(Received.begin(), Identity.size(), Identity.begin());
        // No request is out while the image builds: bytes arriving meanwhile answer nothing.
        CurrentStep = Step::Idle;
        if (!PrepareImage()) return;
        View.ShowLabel(Text(texts::DownloadPageContent));

        const int model = Proj->Settings.CurrentModel;
        if ((Identity[1] & kModelCodeIndexBits) != model + 1)
            return Fail(Text(texts::NotCompatibleCanNotDownload), MessageIcon::Error,
                        ModelMismatchDetail(model, (Identity[1] & kModelCodeIndexBits) - 1));

        DriverFilePath = DriverFolder(Job.ProgramFolder, static_cast<int>(Job.Build.Language),
                                      (Identity[0] & kGtkDisplay) != 0) +
                         "/" + DriverFileName(model, Proj->Settings.PlcType);
        DriverFile = file_access::ReadRegularFile(DriverFilePath, kLargestDriverFile);
        const std::optional<DriverValues> values = DriverFile ? ReadDriverValues(*DriverFile) : std::nullopt;
        Maximum = FullProgressMaximum(Image.Length());
        Position = 0;
        ShowProgress();
        if (!values) {
            const std::string why = DriverFile ? "too short: " + std::to_string(DriverFile->size()) +
                                                     " bytes, a driver file has at least " +
                                                     std::to_string(kDriverFileMinimumLength)
                                    : DriverFileMissing(DriverFilePath) ? "missing"
                                                                        : "not a readable regular file";
            return Fail(Text(texts::NotSupportPLCType), MessageIcon::Information,
                        "driver file " + DriverFilePath + ": " + why);
        }
        if (values->D4 < kLowestDriverSystemVersion)
            return Fail(Text(texts::PLCFileWrong) + " SysVer < 36", MessageIcon::Error);
        if (values->D1 != Identity[1])
            return Fail(Text(texts::NotSupportPLCType), MessageIcon::Information,
                        "driver file " + DriverFilePath + ": it has model code " + Hex2(values->D1) +
                            ", the panel reports " + Hex2(Identity[1]));
        if ((Identity[0] & kCheckPlcProtocol) != 0 && values->D2 != Identity[6])
            return Fail(Text(texts::NotSupportPLCType), MessageIcon::Error,
                        "driver file " + DriverFilePath + ": it has driver version " + Hex2(values->D2) +
                            ", the panel's PLC protocol is " + Hex2(Identity[6]));

        const bool upgrade = DecideUpgrade(Job.UpgradeMode, Identity, *values);
        if (!upgrade) Maximum -= kDriverProgressWeight;
        AddProgress(1);
        // The values were read, so the file holds the whole driver area.
        std::vector<uint8_t> driverBytes = upgrade ? *DriverArea(*DriverFile) : std::vector<uint8_t>{};
        const ImageSectorFlags sectors = ImageSectors(Image.Length());
        Maximum -= UnusedSectorWeight(sectors, Image.Length());
        ShowProgress();

        Plan.emplace(Image.Bytes, std::move(driverBytes), upgrade, sectors);
        CurrentStep = Step::Sending;
        SendPlanned();
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
        BuildMessages messages(Prompts, Outcome);
        BuildOutcome outcome = PreparePageContent(*Proj, Job.Build, *this, messages);
        if (Finished) return false;  // cancelled while building
        if (outcome.Status != BuildStatus::Built) {
            // The build has shown its message.
            Close(DownloadResult::Abort);
            return false;
        }
        Image = std::move(outcome.Image);
        return true;
    }

    void Acknowledgement() {
        if (Equals(Received, kOkReply)) {
            Timer2.Stop();
            AddProgress(AnswerWeight);
            SendPlanned();
        } else if (Equals(Received, kNgReply)) {
            Timer2.Stop();
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

    // The plan's next request, framed with the progress of the steps that passed before it; once the
    // finish frame has been answered, the download has succeeded.
    void SendPlanned() {
        const std::optional<SenderRequest> next = Plan->Next();
        if (!next) return Succeed();
        if (next->LeadProgress > 0) AddProgress(next->LeadProgress);
        AnswerWeight = next->Weight;
        LastRequest = Frame(next->Payload);
        RetryCount = 0;
        SendRequest(texts::CommunicateWrong3);
    }

    void Succeed() {
        Outcome = DownloadResult::Ok;
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsDisable);
        Timer2.Stop();
        Show(Text(texts::DownloadSuccessfully), MessageIcon::Information);
        Close(DownloadResult::Ok);
    }

    // One message, then the download ends with Abort. The end is decided before the message is shown, so
    // a cancel while it is up changes nothing, and nothing received or timed acts meanwhile.
    void Fail(const std::string& text, MessageIcon icon, const std::string& detail = {}) {
        if (Outcome) return;
        Outcome = DownloadResult::Abort;
        CurrentStep = Step::Idle;
        Timer1.Stop();
        Timer2.Stop();
        Prompts.ShowDetailedMessage(text, detail, Text(texts::DownloadFormCaption), icon);
        Close(DownloadResult::Abort);
    }

    // The close step. The port is closed at once; the view hears the result when the outermost call into
    // the download has returned (at once when there is none).
    void Close(DownloadResult result) {
        if (Finished) return;
        Finished = true;
        Outcome = result;
        CurrentStep = Step::Idle;
        Port.SetRtsControl(TRtsControl::RtsDisable);
        Port.ClosePort();
        Timer1.Stop();
        Timer2.Stop();
        DriverFile.reset();
        Plan.reset();
        if (!Gate.InCall()) ReportEnd();
    }

    bool Cancel() {
        if (Outcome) return true;  // ended, or ending with its message up
        if (Asking) return false;
        StepGate::Call call(Gate);
        Asking = true;
        const MessageResult answer =
            Show(Text(texts::ReallyCancelDownload), MessageIcon::Question, MessageButtons::OkCancel);
        Asking = false;
        if (Outcome) return true;  // the download ended while the question was up
        if (answer != MessageResult::Ok) return false;
        // During the image build the build stops at its next step, and the step that runs it ends.
        Outcome = DownloadResult::Cancel;
        Close(DownloadResult::Cancel);
        return true;
    }
};

Download::Download(EventLoop& loop, CommPort& port, DownloadView& view, UserPrompts& prompts)
    : state_(std::make_unique<State>(loop, port, view, prompts)) {}

Download::~Download() {
    if (!state_->Started) return;
    state_->Close(state_->Outcome.value_or(DownloadResult::Cancel));
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
    return state_->Finished ? state_->Outcome : std::nullopt;
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
