// What arrives while a step of the download is under way: during the image build, which processes events,
// and during a message box that spins the loop as the editor's modal boxes do.
#include <gtest/gtest.h>

#include "download_fixture.h"

namespace qxed::testing {
namespace {

// Records, when told the result, whether the download was still inside a step or a message box, and may
// let the download go there as a window does.
class WatchingView : public RecordingView {
  public:
    const TestLoop* Loop = nullptr;
    const bool* BoxOpen = nullptr;
    std::unique_ptr<Download>* Owner = nullptr;  // released when told, when set
    std::vector<int> NestingAtEnd;
    bool EndedInBox = false;

    void Finished(DownloadResult result) override {
        RecordingView::Finished(result);
        NestingAtEnd.push_back(Loop->Nesting);
        if (BoxOpen != nullptr && *BoxOpen) EndedInBox = true;
        if (Owner != nullptr) Owner->reset();
    }
};

class DownloadReentryTest : public DownloadTest {
  protected:
    WatchingView watching;

    void SetUp() override {
        DownloadTest::SetUp();
        watching.Loop = &loop;
    }

    // The frames an undisturbed download of the job sends; the records are cleared afterwards.
    std::vector<Bytes> UndisturbedFrames() {
        Run();
        EXPECT_EQ(download->Result(), DownloadResult::Ok);
        std::vector<Bytes> frames = Frames();
        ClearRecords();
        return frames;
    }

    // Bytes that arrive while the image builds: queued behind the identity reply, they are received when
    // the build first processes events.
    void DeliverDuringBuild(Bytes bytes, int& receivedInBuild) {
        loop.Post([this, bytes = std::move(bytes), &receivedInBuild] {
            if (loop.Nesting > 0) ++receivedInBuild;
            if (port.OnReceiveData) port.OnReceiveData(bytes.data(), static_cast<uint16_t>(bytes.size()));
        });
    }
    // Runs the task when the build first processes events after the identity reply.
    void DuringBuild(std::function<void()> task) {
        intercept = [this, task](std::size_t, const Bytes& frame) {
            if (Code(frame) != kIdentityRequest) return false;
            port.Deliver(UsualAnswer(frame));
            loop.Post(task);
            return true;
        };
    }
};

TEST_F(DownloadReentryTest, RepliesDuringTheBuildAnswerNothing) {
    const std::vector<Bytes> undisturbed = UndisturbedFrames();
    // An acknowledgement, a refusal, a second identity reply and a start-up text, all while no request is
    // out: each taken as an answer would send, skip or refuse a frame.
    int receivedInBuild = 0;
    intercept = [&](std::size_t, const Bytes& frame) {
        if (Code(frame) != kIdentityRequest) return false;
        port.Deliver(UsualAnswer(frame));
        for (const char* text : {"OK", "NG", "STD"})
            DeliverDuringBuild(BytesOf(text), receivedInBuild);
        DeliverDuringBuild(UsualAnswer(frame), receivedInBuild);
        return true;
    };
    Run();
    EXPECT_EQ(receivedInBuild, 4);
    EXPECT_EQ(Frames(), undisturbed);
    EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{
                                    Message(Text(texts::DownloadSuccessfully), MessageIcon::Information)});
    ExpectClosedWith(DownloadResult::Ok);
}

TEST_F(DownloadReentryTest, TimeOutsOfAnsweredRequestsDoNothing) {
    const std::vector<Bytes> undisturbed = UndisturbedFrames();
    // Every stopped time-out still arrives at its due time, the panel answers each request after 60 ms and
    // the build takes ten seconds a step: the identity request's time-out arrives while the image builds,
    // the others while later requests wait for their replies. Taken as time-outs they would resend, or end
    // the download.
    loop.KeepStoppedTimers = true;
    loop.PendingCost = 10s;
    intercept = [this](std::size_t, const Bytes& frame) {
        loop.StartTimer(60ms, false, [this, reply = UsualAnswer(frame)] {
            if (port.OnReceiveData) port.OnReceiveData(reply.data(), static_cast<uint16_t>(reply.size()));
        });
        return true;
    };
    Run();
    EXPECT_GT(loop.LateEventsInBuild, 0);
    EXPECT_GT(loop.LateEvents, loop.LateEventsInBuild);
    EXPECT_EQ(Frames(), undisturbed);
    EXPECT_EQ(download->FramesSent(), static_cast<int>(undisturbed.size()));
    ExpectClosedWith(DownloadResult::Ok);
}

TEST_F(DownloadReentryTest, CancelConfirmedDuringTheBuildEndsAfterIt) {
    // The window lets the download go when told: that must not happen inside the build.
    watching.Owner = &download;
    bool confirmed = false;
    bool closedAtOnce = false;
    bool toldInsideBuild = true;
    int nestingAtCancel = 0;
    DuringBuild([&] {
        nestingAtCancel = loop.Nesting;
        confirmed = download->Cancel();
        closedAtOnce = !port.IsOpen();
        toldInsideBuild = !watching.Results.empty();
    });
    download = std::make_unique<Download>(loop, port, watching, prompts);
    download->Start(project, job);
    ASSERT_TRUE(loop.RunUntil([this] { return download == nullptr; }));
    loop.Advance(std::chrono::hours(1));

    EXPECT_EQ(nestingAtCancel, 1);
    EXPECT_TRUE(confirmed);
    EXPECT_TRUE(closedAtOnce);
    EXPECT_FALSE(toldInsideBuild);
    EXPECT_EQ(watching.Results, std::vector<DownloadResult>{DownloadResult::Cancel});
    EXPECT_EQ(watching.NestingAtEnd, std::vector<int>{0});
    EXPECT_EQ(port.Writes.size(), 3u);
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Messages[0].Text, Text(texts::ReallyCancelDownload));
    EXPECT_EQ(port.Rts.back(), TRtsControl::RtsDisable);
}

TEST_F(DownloadReentryTest, CancelDeclinedDuringTheBuildLetsItGoOn) {
    const std::vector<Bytes> undisturbed = UndisturbedFrames();
    bool confirmed = true;
    DuringBuild([&] { confirmed = download->Cancel(); });
    prompts.Answer(MessageResult::Cancel);
    Run();
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(Frames(), undisturbed);
    ASSERT_EQ(prompts.Messages.size(), 2u);
    EXPECT_EQ(prompts.Messages[0].Icon, MessageIcon::Question);
    ExpectClosedWith(DownloadResult::Ok);
}

// Message boxes that, like the editor's modal ones, keep the loop running while they are up. While the
// box is up the panel sends more, an hour passes and the person presses cancel.
class ModalPrompts : public RecordingPrompts {
  public:
    bool Open = false;
    std::function<void()> WhileOpen;
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        const MessageResult answer = RecordingPrompts::ShowMessage(text, caption, icon, buttons);
        if (icon != MessageIcon::Question && !Open && WhileOpen) {
            Open = true;
            WhileOpen();
            Open = false;
        }
        return answer;
    }
};

TEST_F(DownloadReentryTest, MessageBoxOfAStepLetsNoOtherStepRun) {
    struct Case {
        const char* What;
        std::function<void()> Arrange;
        DownloadResult Result;
    };
    const Case cases[] = {
        {"NG to the first erase",
         [this] {
             intercept = [this](std::size_t, const Bytes& frame) {
                 if (!IsErase(frame)) return false;
                 port.Deliver(BytesOf("NG"));
                 return true;
             };
         },
         DownloadResult::Abort},
        {"panel of another model", [this] { identity[1] = 0x02; }, DownloadResult::Abort},
        {"the build's refusal: no glyph files",
         [this] {
             project.AlarmTexts[0] = "A";
             project.Settings.AlarmCount = 1;
             job.Build.GlyphFolder = (programFolder.Path() / "no-glyphs").string();
         },
         DownloadResult::Abort},
        {"success", [] {}, DownloadResult::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ClearRecords();
        watching = WatchingView{};
        watching.Loop = &loop;
        intercept = nullptr;
        identity = {0x00, 0x01, kDriver.D2, kDriver.D4, kDriver.D5, 0, 0};
        project = SmallProject(kModel);
        job.Build.GlyphFolder = ProgramFolder();
        c.Arrange();

        ModalPrompts modal;
        watching.BoxOpen = &modal.Open;
        std::size_t framesAtBox = 0;
        bool cancelled = false;
        modal.WhileOpen = [&] {
            framesAtBox = port.Writes.size();
            port.Deliver(BytesOf("OK"));
            port.Deliver(BinaryReply(kWakeUpReplyLength, {systemVersion}));
            loop.Advance(std::chrono::hours(1));
            cancelled = download->Cancel();
            loop.Advance(std::chrono::hours(1));
        };
        download = std::make_unique<Download>(loop, port, watching, modal);
        download->Start(project, job);
        ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
        loop.Advance(std::chrono::hours(1));

        // The cancel came after the end was decided: it asks nothing and keeps the result.
        EXPECT_TRUE(cancelled);
        ASSERT_EQ(modal.Messages.size(), 1u);
        EXPECT_NE(modal.Messages[0].Icon, MessageIcon::Question);
        EXPECT_EQ(modal.Messages[0].Icon == MessageIcon::Information, c.Result == DownloadResult::Ok)
            << modal.Messages[0].Text;
        EXPECT_GT(framesAtBox, 0u);
        EXPECT_EQ(port.Writes.size(), framesAtBox);
        EXPECT_EQ(watching.Results, std::vector<DownloadResult>{c.Result});
        EXPECT_FALSE(watching.EndedInBox);
        EXPECT_EQ(download->Result(), c.Result);
        EXPECT_FALSE(port.IsOpen());
    }
}

}  // namespace
}  // namespace qxed::testing
