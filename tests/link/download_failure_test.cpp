#include <gtest/gtest.h>

#include "download_fixture.h"
#include "image/image_format.h"

namespace qxed::testing {
namespace {

using DownloadFailureTest = DownloadTest;

TEST_F(DownloadFailureTest, PortThatCannotBeOpenedIsNamedInTheMessage) {
    port.FailOpen = true;
    StartDownload();
    ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
    EXPECT_EQ(loop.Now(), 10ms);
    EXPECT_TRUE(port.Writes.empty());
    ExpectAbortWith(Text(texts::CanNotOpenCommPort) + "COM3 !", MessageIcon::Warning);
    EXPECT_EQ(Text(texts::CanNotOpenCommPort) + "COM3 !", "无法打开通信口　COM3 !");
}

TEST_F(DownloadFailureTest, SilentPanelExhaustsTheWakeUpRetries) {
    intercept = [](std::size_t, const Bytes&) { return true; };
    StartDownload();
    ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
    EXPECT_EQ(loop.Now(), 10ms + 2500ms + 300 * 100ms);
    ASSERT_EQ(port.Writes.size(), 300u);
    for (const auto& write : port.Writes)
        EXPECT_EQ(write.Frame, port.Writes[0].Frame);
    EXPECT_EQ(port.Writes.back().At, 10ms + 2500ms + 299 * 100ms);
    ExpectAbortWith(Text(texts::TimeOutPleaseCheckDownloadAgain), MessageIcon::Warning);
}

TEST_F(DownloadFailureTest, LaterRequestsAreTriedThreeTimesTenSecondsApart) {
    intercept = [](std::size_t, const Bytes& frame) { return Code(frame) == kIdentityRequest; };
    Run();
    ASSERT_EQ(port.Writes.size(), 2u + 3u);
    EXPECT_EQ(port.Writes[4].Frame, port.Writes[2].Frame);
    EXPECT_EQ(port.Writes[4].At - port.Writes[2].At, 20000ms);
    EXPECT_EQ(loop.Now() - port.Writes[4].At, 10000ms + std::chrono::hours(1));
    ExpectAbortWith(Text(texts::TimeOutPleaseCheckDownloadAgain), MessageIcon::Warning);
}

TEST_F(DownloadFailureTest, PanelTooOldForThisEditor) {
    struct Case {
        uint8_t SystemVersion;
        uint8_t DisplayFlags;
        Bytes VersionRequest;
        const TextKey* Text;
    };
    const Case cases[] = {
        {40, 0x1F, {kVersionRequest, 0x01}, &texts::PleaseUseV80QXED},  // none of the flags 0xE0
        {32, 0x20, {kVersionRequest, 0x01}, &texts::PleaseUseV933QXED},
        {2, 0xE0, {kOldVersionRequest}, &texts::PleaseUseV933QXED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.SystemVersion});
        ClearRecords();
        systemVersion = c.SystemVersion;
        displayFlags = c.DisplayFlags;
        Run();
        ASSERT_EQ(port.Writes.size(), 2u);
        EXPECT_EQ(port.Writes[1].Frame, MakeFrame(0, c.VersionRequest));
        ExpectAbortWith(Text(*c.Text), MessageIcon::Information);
    }
}

TEST_F(DownloadFailureTest, IdentityAndDriverFileChecksComeBeforeAnyErase) {
    struct Case {
        const char* What;
        std::function<void()> Arrange;
        std::string Text;
        MessageIcon Icon;
    };
    const std::string notSupported = Text(texts::NotSupportPLCType);
    const Case cases[] = {
        {"model index 1", [&] { identity[1] = 0x02; }, Text(texts::NotCompatibleCanNotDownload),
         MessageIcon::Error},
        {"no driver file", [&] { std::filesystem::remove(DriverPath(false)); }, notSupported,
         MessageIcon::Information},
        {"driver file too short",
         [&] { WriteBytes(DriverPath(false), std::string(kDriverFileMinimumLength - 1, '\0')); },
         notSupported, MessageIcon::Information},
        {"driver system version 35",
         [&] {
             WriteDriver({1, 5, 0, 35, 2}, false);
         },
         Text(texts::PLCFileWrong) + " SysVer < 36", MessageIcon::Error},
        // The model check reads the low five bits only; the driver file must match the whole byte.
        {"model code 0x21", [&] { identity[1] = 0x21; }, notSupported, MessageIcon::Information},
        {"PLC protocol 4 checked against driver version 5",
         [&] {
             identity[0] = kCheckPlcProtocol;
             identity[6] = 4;
         },
         notSupported, MessageIcon::Error},
        {"imported image too large", [&] { UsePrebuilt(image_format::kLargestImage + 1); },
         Text(texts::PleaseAdjust) + "," + Text(texts::PageContentOver), MessageIcon::Information},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ClearRecords();
        identity = {0x00, 0x01, 5, 40, 2, 0, 0};
        job.Prebuilt.reset();
        WriteDriver(kDriver, false);
        c.Arrange();
        Run();
        EXPECT_EQ(port.Writes.size(), 3u);
        EXPECT_TRUE(ErasedSectors().empty());
        ExpectAbortWith(c.Text, c.Icon);
    }

    // With the PLC protocol matching, the download goes on.
    ClearRecords();
    job.Prebuilt.reset();
    identity = {kCheckPlcProtocol, 0x01, 5, 40, 2, 0, 5};
    Run();
    ExpectClosedWith(DownloadResult::Ok);
}

TEST_F(DownloadFailureTest, NgNamesTheWholeFrameItAnswers) {
    // "NG" to the first erase: sent at 0 % of the sending part.
    intercept = [this](std::size_t, const Bytes& frame) {
        if (!IsErase(frame)) return false;
        port.Deliver(BytesOf("NG"));
        return true;
    };
    Run();
    ExpectAbortWith("receive \"NG\" when send \"00 03 81 03 79\"", MessageIcon::Warning);

    // "NG" to a write frame of the image, split in two.
    ClearRecords();
    job.UpgradeMode = "N";
    UsePrebuilt(300);
    intercept = [this](std::size_t, const Bytes& frame) {
        if (!IsWrite(frame) || WriteAddressOf(frame) != 0x10004 + 128) return false;
        port.Deliver(BytesOf("N"));
        port.Deliver(BytesOf("G"));
        return true;
    };
    Run();
    const Bytes& ngFrame = port.Writes.back().Frame;
    ASSERT_EQ(ngFrame.size(), 3 + 5 + 128u);
    ExpectAbortWith("receive \"NG\" when send \"" + HexBytes(ngFrame) + "\"", MessageIcon::Warning);
    EXPECT_EQ(prompts.Last().Text.size(), std::string("receive \"NG\" when send \"\"").size() + 136 * 3 - 1);
}

TEST_F(DownloadFailureTest, RequestThatCannotBeSentEndsWithTheStepsText) {
    struct Case {
        int FailingSend;  // 1-based
        bool SilentFirstWakeUp;
        const TextKey* Text;
    };
    const Case cases[] = {
        {1, false, &texts::CommunicateWrong1},   // wake-up
        {2, false, &texts::CommunicateWrong6},   // version request
        {3, false, &texts::CommunicateWrong7},   // identity request
        {4, false, &texts::CommunicateWrong3},   // first erase
        {30, false, &texts::CommunicateWrong3},  // a driver block
        {2, true, &texts::CommunicateWrong5},    // the wake-up after its time-out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.FailingSend);
        ScriptedPort failing(loop);
        failing.FailWritesFrom = c.FailingSend;
        failing.Responder = [&](const Bytes& frame) {
            if (c.SilentFirstWakeUp && failing.Writes.size() == 1) return;
            failing.Deliver(UsualAnswer(frame));
        };
        prompts.Clear();
        RecordingView failingView;
        Download failingDownload(loop, failing, failingView, prompts);
        failingDownload.Start(project, job);
        ASSERT_TRUE(loop.RunUntil([&] { return failingDownload.IsFinished(); }));
        EXPECT_EQ(failing.Writes.size(), static_cast<std::size_t>(c.FailingSend - 1));
        EXPECT_EQ(failingDownload.FramesSent(), c.FailingSend - 1);
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{Message(Text(*c.Text), MessageIcon::Error)});
        EXPECT_EQ(failingView.Results, std::vector<DownloadResult>{DownloadResult::Abort});
        EXPECT_FALSE(failing.IsOpen());
    }
}

}  // namespace
}  // namespace qxed::testing
