#include <gtest/gtest.h>

#include "download_fixture.h"
#include "image/image_format.h"

namespace qxed::testing {
namespace {

constexpr uint32_t kImageBase = image_format::kImageBase;

int Blocks(std::size_t length) {
    return static_cast<int>((length + 127) / 128);
}

std::vector<int> Range(int first, int last) {
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

using DownloadProtocolTest = DownloadTest;

TEST_F(DownloadProtocolTest, FullDownloadOfABuiltProjectSendsEveryFrameInOrder) {
    Run();
    ExpectClosedWith(DownloadResult::Ok);
    EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{
                                    Message(Text(texts::DownloadSuccessfully), MessageIcon::Information)});
    EXPECT_EQ(port.CommName(), "COM3");
    EXPECT_EQ(port.Rts.front(), TRtsControl::RtsEnable);
    EXPECT_EQ(view.Labels.front(), Text(texts::PreparePageContent));
    EXPECT_EQ(view.Labels.back(), Text(texts::DownloadPageContent));

    const ScreenDataImage& image = download->Image();
    const std::size_t length = image.Bytes.size();
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, 4092u);  // one image sector
    EXPECT_EQ(download->DriverFilePath(), DriverPath(false));

    const std::vector<Bytes> frames = Frames();
    ASSERT_EQ(frames.size(), 3 + 13 + 416 + 1 + Blocks(length) + 2);
    EXPECT_EQ(download->FramesSent(), static_cast<int>(frames.size()));
    for (const Bytes& frame : frames) {
        ASSERT_GE(frame.size(), 4u);
        EXPECT_EQ(frame[1], frame.size() - 2);
        EXPECT_TRUE(ChecksumHolds(frame));
    }
    EXPECT_EQ(frames[0], MakeFrame(0, Bytes{kWakeUp}));
    EXPECT_EQ(frames[1], MakeFrame(0, Bytes{kVersionRequest, 0x01}));
    EXPECT_EQ(frames[2], MakeFrame(0, Bytes{kIdentityRequest, 0x02}));

    std::vector<int> sectors = Range(3, 16);
    EXPECT_EQ(ErasedSectors(), sectors);
    // Driver blocks at rising addresses from 0x3000, all 128 bytes, the driver area unchanged.
    uint32_t address = kDriverAreaAddress;
    for (std::size_t i = 16; i < 16 + 416; ++i) {
        ASSERT_TRUE(IsWrite(frames[i]));
        EXPECT_EQ(WriteAddressOf(frames[i]), address);
        address += 128;
    }
    EXPECT_EQ(Written(kDriverAreaAddress, 0x10000), DriverBytes());
    EXPECT_EQ(Written(kImageBase, 0x20000), image.Bytes);
    EXPECT_EQ(frames[frames.size() - 2],
              MakeFrame(0x99, WritePayload(kMarkerAddress, Bytes{0xA5, 0x5A, 0xA5, 0x5A})));
    EXPECT_EQ(frames.back(), MakeFrame(0x99, Bytes{kFinish}));

    // Progress bytes rise, never pass 0x99 and are valid BCD.
    for (std::size_t i = 1; i < frames.size(); ++i) {
        EXPECT_GE(frames[i][0], frames[i - 1][0]) << "frame " << i;
        EXPECT_LE(frames[i][0] >> 4, 9);
        EXPECT_LE(frames[i][0] & 0x0F, 9);
    }
    // The maximum: driver area, image blocks and the rest, less the 15 unused image sectors.
    const int maximum = 416 + Blocks(length) + 199 - 6 * 15;
    EXPECT_EQ(view.Progress.back(), std::make_pair(maximum, maximum));
    for (const auto& [position, shownMaximum] : view.Progress)
        EXPECT_LE(position, shownMaximum);
}

TEST_F(DownloadProtocolTest, ProgressByteOfEveryFrameFollowsThePositionAtItsSending) {
    // Without the driver area: one step for the identity, thirteen driver erase steps and the driver data
    // step fall through before the erase of sector 16.
    // An image reaching into sectors 17..20 then erases those four, each answered "OK" worth 7 steps, and
    // steps over the eleven unused sectors before its first block.
    job.UpgradeMode = "N";
    UsePrebuilt(20000);
    Run();
    const int maximum = 416 + Blocks(20000) + 199 - 500 - 6 * 11;
    const std::vector<Bytes> frames = Frames();
    ASSERT_EQ(frames.size(), 3 + 5 + Blocks(20000) + 2u);
    EXPECT_EQ(frames[3], MakeFrame(ProgressByte(15, maximum), ErasePayload(16)));
    const int positions[] = {22, 29, 36, 43, 50 + 11, 62};
    for (std::size_t i = 0; i < std::size(positions); ++i)
        EXPECT_EQ(frames[4 + i][0], ProgressByte(positions[i], maximum)) << "frame " << 4 + i;
    EXPECT_NE(frames[4][0], frames[8][0]);
}

TEST_F(DownloadProtocolTest, ImageLengthDecidesTheSectorsAndBlocks) {
    struct Case {
        std::size_t Length;
        std::vector<int> ImageSectors;
        int UnusedWeight;
    };
    const Case cases[] = {
        {128, {16}, 6 * 15},         // one write frame, then the marker
        {4092, {16}, 6 * 15},        // ends at 0x10FFF: the last byte of sector 16
        {4093, {16, 17}, 6 * 14},    // one byte into sector 17
        {61436, Range(16, 30), 6},   // ends at 0x1EFFF
        {61437, Range(16, 31), -6},  // reaches sector 31, which the maximum counts twice
        {65532, Range(16, 31), -6},  // the largest image
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Length);
        ClearRecords();
        job.UpgradeMode = "N";
        UsePrebuilt(c.Length);
        Run();
        ExpectClosedWith(DownloadResult::Ok);
        EXPECT_EQ(ErasedSectors(), c.ImageSectors);

        std::vector<Bytes> blocks;
        for (const auto& write : port.Writes)
            if (IsWrite(write.Frame) && WriteAddressOf(write.Frame) >= kImageBase)
                blocks.push_back(write.Frame);
        ASSERT_EQ(blocks.size(), static_cast<std::size_t>(Blocks(c.Length)));
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            EXPECT_EQ(WriteAddressOf(blocks[i]), kImageBase + 128 * i);
            EXPECT_EQ(WriteDataOf(blocks[i]).size(), std::min<std::size_t>(128, c.Length - 128 * i));
        }
        EXPECT_EQ(Written(kImageBase, 0x20000), job.Prebuilt->Bytes);
        const int maximum = 416 + Blocks(c.Length) + 199 - 500 - c.UnusedWeight;
        EXPECT_EQ(view.Progress.back(), std::make_pair(maximum, maximum));
        EXPECT_EQ(port.Writes.back().Frame, MakeFrame(0x99, Bytes{kFinish}));
    }
}

TEST_F(DownloadProtocolTest, UpgradeModeDecidesWhetherTheDriverAreaIsRewritten) {
    // The driver file holds version 5, system version 40 and revision 2.
    const PanelIdentity matching{0x01, 0x01, 5, 40, 2, 0, 0};
    struct Case {
        const char* Mode;
        PanelIdentity Identity;
        bool Upgrade;
    };
    const Case cases[] = {
        {"S", matching, false},
        {"S", {0x00, 0x01, 5, 40, 2, 0, 0}, true},  // the installed driver is not valid
        {"S", {0x01, 0x01, 6, 40, 2, 0, 0}, true},
        {"S", {0x01, 0x01, 5, 41, 2, 0, 0}, true},
        {"S", {0x01, 0x01, 5, 40, 3, 0, 0}, true},
        {"s", matching, false},  // any other mode decides as "S"
        {"U", matching, true},
        {"N", {0x00, 0x01, 0, 0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        ClearRecords();
        job.UpgradeMode = c.Mode;
        identity = c.Identity;
        UsePrebuilt(300);
        Run();
        ExpectClosedWith(DownloadResult::Ok);
        const std::vector<int> driverSectors = c.Upgrade ? Range(3, 15) : std::vector<int>{};
        std::vector<int> expected = driverSectors;
        expected.push_back(16);
        EXPECT_EQ(ErasedSectors(), expected);
        EXPECT_EQ(Written(kDriverAreaAddress, 0x10000), c.Upgrade ? DriverBytes() : Bytes{});
        // The bar reaches its maximum either way.
        const int maximum = 416 + Blocks(300) + 199 - (c.Upgrade ? 0 : 500) - 6 * 15;
        EXPECT_EQ(view.Progress.back(), std::make_pair(maximum, maximum));
    }
}

TEST_F(DownloadProtocolTest, StdReplyWakesAgainAtOnceWithoutCountingARetry) {
    // 299 silent wake-ups, "STD", 299 more silent ones, then the answer: a counted STD would end the
    // download with the time-out message after the 300th.
    intercept = [this](std::size_t index, const Bytes&) {
        if (index == 299) port.Deliver(BytesOf("STD\r\n"));
        return index < 599;
    };
    UsePrebuilt(128);
    Run();
    ExpectClosedWith(DownloadResult::Ok);
    EXPECT_EQ(port.Writes[300].At, port.Writes[299].At) << "resent at once";
    EXPECT_EQ(port.Writes[299].Frame, port.Writes[0].Frame);
    EXPECT_EQ(port.Writes[600].Frame, MakeFrame(0, Bytes{kVersionRequest, 0x01}));
}

TEST_F(DownloadProtocolTest, RepliesMayArriveInPieces) {
    // Every reply byte by byte: "STD" and "OK" split, binary replies complete only with their last byte.
    bool stdSent = false;
    intercept = [&](std::size_t, const Bytes& frame) {
        Bytes reply = UsualAnswer(frame);
        if (Code(frame) == kWakeUp && !stdSent) {
            stdSent = true;
            reply = BytesOf("STD");
        }
        for (const uint8_t byte : reply)
            port.Deliver({byte});
        return true;
    };
    UsePrebuilt(200);
    Run();
    ExpectClosedWith(DownloadResult::Ok);
    EXPECT_EQ(port.Writes[0].Frame, port.Writes[1].Frame);
    EXPECT_EQ(Written(kImageBase, 0x20000), job.Prebuilt->Bytes);
}

TEST_F(DownloadProtocolTest, RepliesThatDoNotMatchWaitForTheTimeOut) {
    // A wake-up reply with a bad checksum, an identity reply with one byte too many and "OK" followed by a
    // stray byte are each ignored; the request goes out again after its time-out, unchanged.
    int faults = 0;
    intercept = [&](std::size_t, const Bytes& frame) {
        Bytes reply = UsualAnswer(frame);
        if (faults == 0 && Code(frame) == kWakeUp) {
            reply.back() ^= 1;
        } else if (faults == 1 && Code(frame) == kIdentityRequest) {
            reply.push_back(0);
        } else if (faults == 2 && IsErase(frame)) {
            reply = BytesOf("OKX");
        } else {
            port.Deliver(reply);
            return true;
        }
        ++faults;
        port.Deliver(reply);
        return true;
    };
    job.UpgradeMode = "N";
    UsePrebuilt(128);
    Run();
    ExpectClosedWith(DownloadResult::Ok);
    const auto& w = port.Writes;
    ASSERT_GE(w.size(), 7u);
    EXPECT_EQ(w[0].At, 10ms + 2500ms);
    EXPECT_EQ(w[1].Frame, w[0].Frame);
    EXPECT_EQ(w[1].At - w[0].At, 100ms);
    EXPECT_EQ(w[4].Frame, w[3].Frame);  // the identity request
    EXPECT_EQ(w[4].At - w[3].At, 10000ms);
    EXPECT_EQ(w[6].Frame, w[5].Frame);  // the erase of sector 16
    EXPECT_EQ(w[6].At - w[5].At, 10000ms);
}

TEST_F(DownloadProtocolTest, DriverFileFollowsTheDisplayVariantOfTheIdentity) {
    std::filesystem::remove_all(programFolder.Path() / "fsc");
    WriteDriver(kDriver, true);
    identity[0] = kGtkDisplay;
    UsePrebuilt(128);
    Run();
    ExpectClosedWith(DownloadResult::Ok);
    EXPECT_EQ(download->DriverFilePath(), DriverPath(true));
    EXPECT_NE(download->DriverFilePath().find("/fsc/En/GTK/"), std::string::npos);
}

}  // namespace
}  // namespace qxed::testing
