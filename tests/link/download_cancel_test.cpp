#include <gtest/gtest.h>

#include "download_fixture.h"

namespace qxed::testing {
namespace {

class DownloadCancelTest : public DownloadTest {
  protected:
    // The person presses cancel once the request with the given index has gone out, before its reply.
    void CancelAtRequest(std::size_t index, bool& result) {
        intercept = [this, index, &result](std::size_t at, const Bytes&) {
            if (at == index) loop.Post([this, &result] { result = download->Cancel(); });
            return false;
        };
    }
};

RecordedMessage Question(const std::string& text, const std::string& caption) {
    return {text, caption, MessageIcon::Question, MessageButtons::OkCancel};
}

TEST_F(DownloadCancelTest, DeclinedCancelLetsTheDownloadGoOn) {
    bool cancelled = true;
    CancelAtRequest(20, cancelled);
    prompts.Answer(MessageResult::Cancel);
    UsePrebuilt(300);
    Run();
    EXPECT_FALSE(cancelled);
    ExpectClosedWith(DownloadResult::Ok);
    ASSERT_EQ(prompts.Messages.size(), 2u);
    EXPECT_EQ(prompts.Messages[0],
              Question(Text(texts::ReallyCancelDownload), Text(texts::DownloadFormCaption)));
}

TEST_F(DownloadCancelTest, ConfirmedCancelClosesAtOnceAndIgnoresWhatFollows) {
    bool cancelled = false;
    CancelAtRequest(20, cancelled);
    StartDownload();
    ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(port.Writes.size(), 21u);
    // The reply to the last request arrives after the end, and time passes: nothing is sent or shown.
    loop.Advance(std::chrono::hours(1));
    port.Deliver(BytesOf("OK"));
    loop.Advance(std::chrono::hours(1));
    EXPECT_EQ(port.Writes.size(), 21u);
    EXPECT_EQ(prompts.Messages.size(), 1u);
    ExpectClosedWith(DownloadResult::Cancel);
    // Once finished, a cancel does nothing and asks nothing.
    EXPECT_TRUE(download->Cancel());
    EXPECT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(view.Results.size(), 1u);
}

TEST_F(DownloadCancelTest, CancelDuringTheBuildStopsItWithoutAMessage) {
    intercept = [this](std::size_t, const Bytes& frame) {
        if (Code(frame) != kIdentityRequest) return false;
        port.Deliver(UsualAnswer(frame));
        // Runs while the image is being built from the identity reply.
        loop.Post([this] { download->Cancel(); });
        return true;
    };
    Run();
    EXPECT_EQ(port.Writes.size(), 3u);
    EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{Question(Text(texts::ReallyCancelDownload),
                                                                      Text(texts::DownloadFormCaption))});
    ExpectClosedWith(DownloadResult::Cancel);
}

TEST_F(DownloadCancelTest, CancelBeforeThePortIsOpened) {
    StartDownload();
    EXPECT_TRUE(download->Cancel());
    loop.Advance(std::chrono::hours(1));
    EXPECT_EQ(port.Opens, 0);
    EXPECT_TRUE(port.Writes.empty());
    ExpectClosedWith(DownloadResult::Cancel);
}

// A person who, while the question is up, lets the program run on until the download has ended, and
// then confirms.
class SlowPerson : public RecordingPrompts {
  public:
    std::function<void()> WhileAsked;
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        const MessageResult answer = RecordingPrompts::ShowMessage(text, caption, icon, buttons);
        if (icon == MessageIcon::Question && WhileAsked) WhileAsked();
        return answer;
    }
};

TEST_F(DownloadCancelTest, DownloadThatEndsWhileTheQuestionIsUpKeepsItsResult) {
    // The reply to the fifth request is held back until the question is up; then the download runs to
    // its end while the person hesitates, and the person confirms afterwards.
    Bytes held;
    intercept = [&](std::size_t index, const Bytes& frame) {
        if (index != 4) return false;
        held = UsualAnswer(frame);
        return true;
    };
    SlowPerson person;
    person.WhileAsked = [&] {
        port.Deliver(held);
        loop.RunUntil([this] { return download->IsFinished(); });
    };
    job.UpgradeMode = "N";
    UsePrebuilt(500);
    download = std::make_unique<Download>(loop, port, view, person);
    download->Start(project, job);
    loop.RunUntil([this] { return port.Writes.size() == 5; });
    ASSERT_FALSE(download->IsFinished());
    EXPECT_TRUE(download->Cancel());
    ExpectClosedWith(DownloadResult::Ok);
    ASSERT_EQ(person.Messages.size(), 2u);
    EXPECT_EQ(person.Messages[0].Icon, MessageIcon::Question);
    EXPECT_EQ(person.Messages[1].Text, Text(texts::DownloadSuccessfully));
}

TEST_F(DownloadCancelTest, DestroyingARunningDownloadClosesIt) {
    intercept = [](std::size_t index, const Bytes&) { return index == 9; };  // no answer to the tenth
    UsePrebuilt(300);
    StartDownload();
    loop.RunUntil([this] { return port.Writes.size() == 10; });
    ASSERT_TRUE(port.IsOpen());
    download.reset();
    EXPECT_EQ(view.Results, std::vector<DownloadResult>{DownloadResult::Cancel});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Rts.back(), TRtsControl::RtsDisable);
    EXPECT_FALSE(port.OnReceiveData);
    loop.Advance(std::chrono::hours(1));
    EXPECT_EQ(port.Writes.size(), 10u);
}

// A window that lets the download go as soon as it has its result.
class ClosingView : public RecordingView {
  public:
    std::unique_ptr<Download>* Owner = nullptr;
    void Finished(DownloadResult result) override {
        RecordingView::Finished(result);
        Owner->reset();
    }
};

TEST_F(DownloadCancelTest, ViewMayReleaseTheDownloadWhenToldTheResult) {
    for (const bool failing : {false, true}) {
        ClosingView closing;
        closing.Owner = &download;
        if (failing) port.FailWritesFrom = static_cast<int>(port.Writes.size()) + 5;
        UsePrebuilt(300);
        download = std::make_unique<Download>(loop, port, closing, prompts);
        download->Start(project, job);
        ASSERT_TRUE(loop.RunUntil([this] { return download == nullptr; }));
        loop.Advance(std::chrono::hours(1));
        EXPECT_EQ(closing.Results.size(), 1u);
        EXPECT_EQ(closing.Results.back(), failing ? DownloadResult::Abort : DownloadResult::Ok);
    }
}

}  // namespace
}  // namespace qxed::testing
