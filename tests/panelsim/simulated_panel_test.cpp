#include "simulated_panel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "link/frames.h"

namespace qxed::panelsim {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const Bytes kOk{'O', 'K'};
const Bytes kNg{'N', 'G'};
const Bytes kMarker{0xA5, 0x5A, 0xA5, 0x5A};

Bytes Frame(const Bytes& payload, uint8_t progress = 0) {
    return MakeFrame(progress, payload);
}

Bytes Join(const std::vector<Bytes>& pieces) {
    Bytes joined;
    for (const Bytes& piece : pieces)
        joined.insert(joined.end(), piece.begin(), piece.end());
    return joined;
}

// The panel's one reply to a request; fails when it answers with more or fewer pieces.
Bytes Ask(SimulatedPanel& panel, const Bytes& payload) {
    const std::vector<Bytes> pieces = panel.Receive(Frame(payload));
    EXPECT_THAT(pieces, SizeIs(1)) << HexBytes(payload);
    return pieces.empty() ? Bytes{} : pieces.front();
}

Bytes Pattern(size_t count, uint8_t seed) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

Bytes Write(uint32_t address, const Bytes& data) {
    return WritePayload(address, data);
}

PanelOptions Qx220() {
    PanelOptions options;
    options.ModelIndex = 1;
    options.SystemVersion = 41;
    options.DisplayFlags = 0xC0;
    options.IdentityFlags = 0x41;
    options.Installed = DriverValues{0, 5, 0, 40, 1};
    options.PlcProtocol = 9;
    return options;
}

// The PC's side of a small download: the replies it checks and the flash it leaves.
TEST(SimulatedPanelTest, AnswersAWholeDownload) {
    SimulatedPanel panel(Qx220());

    const Bytes wake = Ask(panel, {kWakeUp});
    ASSERT_THAT(wake, SizeIs(kWakeUpReplyLength));
    EXPECT_EQ(wake[0], 41);
    EXPECT_TRUE(ChecksumHolds(wake));

    for (const Bytes& request : {Bytes{kOldVersionRequest}, Bytes{kVersionRequest, 0x01}}) {
        const Bytes version = Ask(panel, request);
        ASSERT_THAT(version, SizeIs(kVersionReplyLength));
        EXPECT_EQ(version[1], 0xC0);
        EXPECT_TRUE(ChecksumHolds(version));
    }

    const Bytes identity = Ask(panel, {kIdentityRequest, 0x02});
    ASSERT_THAT(identity, SizeIs(kIdentityReplyLength));
    EXPECT_THAT(Bytes(identity.begin(), identity.begin() + 7), ElementsAre(0x41, 2, 5, 40, 1, 0, 9));
    EXPECT_TRUE(ChecksumHolds(identity));

    const Bytes image = Pattern(200, 7);
    EXPECT_EQ(Ask(panel, ErasePayload(16)), kOk);
    EXPECT_EQ(Ask(panel, ErasePayload(17)), kOk);
    EXPECT_EQ(Ask(panel, Write(0x10004, Bytes(image.begin(), image.begin() + kWriteBlock))), kOk);
    EXPECT_EQ(Ask(panel, Write(0x10004 + kWriteBlock, Bytes(image.begin() + kWriteBlock, image.end()))), kOk);
    EXPECT_FALSE(panel.MarkerWritten());
    EXPECT_EQ(Ask(panel, Write(kMarkerAddress, kMarker)), kOk);
    EXPECT_FALSE(panel.Finished());
    EXPECT_EQ(Ask(panel, {kFinish}), kOk);

    EXPECT_TRUE(panel.Finished());
    EXPECT_TRUE(panel.MarkerWritten());
    EXPECT_EQ(panel.ReceivedImage(), image);
    EXPECT_THAT(panel.ErasedSectors(), ElementsAre(16, 17));
    EXPECT_EQ(panel.Requests(), 10);
    EXPECT_THAT(panel.Violations(), IsEmpty());
    EXPECT_EQ(panel.Flash()[0x10004 + 200], 0xFF);  // erased, never written

    PanelOptions mismatched = Qx220();
    mismatched.ModelCode = 0x22;
    SimulatedPanel other(mismatched);
    EXPECT_EQ(Ask(other, {kIdentityRequest, 0x02})[1], 0x22);
}

TEST(SimulatedPanelTest, FramesMayComeInAnyPieces) {
    const Bytes stream = Join(
        {Frame({kWakeUp}), Frame(ErasePayload(5)), Frame(Write(0x5000, Pattern(128, 1))), Frame({kFinish})});
    SimulatedPanel whole(Qx220());
    const std::vector<Bytes> together = whole.Receive(stream);
    ASSERT_THAT(together, SizeIs(4));
    EXPECT_THAT(together[0], SizeIs(kWakeUpReplyLength));
    EXPECT_EQ(together[1], kOk);
    EXPECT_EQ(together[2], kOk);
    EXPECT_EQ(together[3], kOk);

    SimulatedPanel bytewise(Qx220());
    std::vector<Bytes> pieces;
    for (const uint8_t byte : stream) {
        std::vector<Bytes> replies = bytewise.Receive(Bytes{byte});
        pieces.insert(pieces.end(), replies.begin(), replies.end());
    }
    EXPECT_EQ(pieces, together);
    EXPECT_EQ(bytewise.Flash(), whole.Flash());
    EXPECT_TRUE(bytewise.Finished());
    EXPECT_THAT(bytewise.Violations(), IsEmpty());
}

TEST(SimulatedPanelTest, InjectsTheChosenFaults) {
    {
        PanelOptions options = Qx220();
        options.StdReplies = 2;
        SimulatedPanel panel(options);
        EXPECT_EQ(Ask(panel, {kWakeUp}), (Bytes{'S', 'T', 'D'}));
        EXPECT_EQ(Ask(panel, {kWakeUp}), (Bytes{'S', 'T', 'D'}));
        EXPECT_THAT(Ask(panel, {kWakeUp}), SizeIs(kWakeUpReplyLength));
    }
    {
        PanelOptions options = Qx220();
        options.SplitReplies = true;
        SimulatedPanel panel(options);
        const std::vector<Bytes> pieces = panel.Receive(Frame({kIdentityRequest, 0x02}));
        ASSERT_THAT(pieces, SizeIs(kIdentityReplyLength));
        for (const Bytes& piece : pieces)
            EXPECT_THAT(piece, SizeIs(1));
        EXPECT_TRUE(ChecksumHolds(Join(pieces)));
        EXPECT_THAT(panel.Receive(Frame(ErasePayload(3))), ElementsAre(Bytes{'O'}, Bytes{'K'}));
    }
    {
        // Only binary replies count; the corrupted one differs from the good one in its last byte alone.
        PanelOptions options = Qx220();
        options.BadChecksums = 2;
        options.StdReplies = 1;
        SimulatedPanel panel(options);
        EXPECT_EQ(Ask(panel, {kWakeUp}), (Bytes{'S', 'T', 'D'}));
        const Bytes bad = Ask(panel, {kWakeUp});
        EXPECT_FALSE(ChecksumHolds(bad));
        EXPECT_FALSE(ChecksumHolds(Ask(panel, {kVersionRequest, 0x01})));
        const Bytes good = Ask(panel, {kWakeUp});
        EXPECT_TRUE(ChecksumHolds(good));
        EXPECT_EQ(Bytes(bad.begin(), bad.end() - 1), Bytes(good.begin(), good.end() - 1));
        EXPECT_THAT(panel.Violations(), IsEmpty());
    }
    {
        PanelOptions options = Qx220();
        options.NgAtWrite = 2;
        SimulatedPanel panel(options);
        Ask(panel, ErasePayload(16));
        EXPECT_EQ(Ask(panel, Write(0x10004, {1})), kOk);
        EXPECT_EQ(Ask(panel, Write(0x10005, {2})), kNg);
        EXPECT_EQ(panel.Flash()[0x10005], 0xFF);
        EXPECT_EQ(Ask(panel, Write(0x10005, {3})), kOk);  // the byte was never written, so it still takes one
        EXPECT_EQ(panel.Flash()[0x10005], 3);
        EXPECT_THAT(panel.Violations(), IsEmpty());
    }
    {
        // A silent panel neither answers nor acts, but counts what it is sent.
        PanelOptions options = Qx220();
        options.SilentAfter = 2;
        SimulatedPanel panel(options);
        Ask(panel, {kWakeUp});
        Ask(panel, ErasePayload(16));
        EXPECT_THAT(panel.Receive(Frame(ErasePayload(17))), IsEmpty());
        EXPECT_THAT(panel.Receive(Frame({kFinish})), IsEmpty());
        EXPECT_THAT(panel.ErasedSectors(), ElementsAre(16));
        EXPECT_FALSE(panel.Finished());
        EXPECT_EQ(panel.Requests(), 4);
    }
}

TEST(SimulatedPanelTest, ABadChecksumIsRecordedAndNotAnswered) {
    SimulatedPanel panel(Qx220());
    Bytes frame = Frame(ErasePayload(16));
    frame.back() ^= 0x01;
    EXPECT_THAT(panel.Receive(frame), IsEmpty());
    ASSERT_THAT(panel.Violations(), SizeIs(1));
    EXPECT_THAT(panel.Violations()[0], HasSubstr("checksum"));
    EXPECT_THAT(panel.ErasedSectors(), IsEmpty());
    // The resent frame is read from its own first byte.
    EXPECT_EQ(Ask(panel, ErasePayload(16)), kOk);
}

TEST(SimulatedPanelTest, RefusesMalformedRequestsWithNg) {
    const Bytes refused[] = {
        {},                                    // no payload at all
        {0x55},                                // unknown code
        {kWakeUp, 0x00},                       // too long for its code
        {kVersionRequest, 0x02},               // wrong second byte
        {kIdentityRequest},                    // too short
        {kEraseSector, 0},                     // the start-up sector
        {kEraseSector, 32},                    // beyond the flash
        {kWriteData, 0x00, 0x01, 0x00, 0x04},  // no data bytes
        {kFinish, 0x00},
    };
    for (const Bytes& payload : refused) {
        SimulatedPanel panel(Qx220());
        EXPECT_EQ(Ask(panel, payload), kNg) << HexBytes(payload);
        EXPECT_THAT(panel.Violations(), SizeIs(1)) << HexBytes(payload);
        EXPECT_FALSE(panel.Finished());
    }
    SimulatedPanel panel(Qx220());
    Ask(panel, ErasePayload(16));
    EXPECT_EQ(Ask(panel, Write(0x10004, Pattern(kWriteBlock + 1, 0))), kNg);
    EXPECT_EQ(panel.Flash()[0x10004], 0xFF);
}

TEST(SimulatedPanelTest, WritesOnlyOnceIntoErasedFlash) {
    SimulatedPanel panel(Qx220());
    Ask(panel, ErasePayload(30));
    Ask(panel, ErasePayload(31));
    const std::vector<std::pair<Bytes, const char*>> cases = {
        {Write(0x1D000, {1}), "not erased"},                    // sector 29 was never erased
        {Write(0x1DFFF, {1, 2}), "not erased"},                 // starts just before the erased ones
        {Write(0x1FFF0, Pattern(17, 0)), "outside the flash"},  // one byte past the end
        {Write(0xFFFFFFFF, {1}), "outside the flash"},          // the address must not wrap around
    };
    for (const auto& [payload, reason] : cases) {
        EXPECT_EQ(Ask(panel, payload), kNg) << HexBytes(payload);
        EXPECT_THAT(panel.Violations().back(), HasSubstr(reason)) << HexBytes(payload);
    }
    EXPECT_EQ(Ask(panel, Write(0x1EFFF, {1, 2})), kOk);  // across two erased sectors
    EXPECT_EQ(Ask(panel, Write(0x1F000, {3})), kNg);     // written twice since its erase
    EXPECT_THAT(panel.Violations().back(), HasSubstr("twice"));
    EXPECT_EQ(panel.Flash()[0x1F000], 2);
    EXPECT_EQ(Ask(panel, Write(0x1EFFF, {1, 2})), kOk);  // a resend after a lost "OK" rewrites the same bytes
    EXPECT_EQ(Ask(panel, Write(0x1FFF0, Pattern(16, 0))), kOk);  // up to the last byte
    Ask(panel, ErasePayload(31));
    EXPECT_EQ(Ask(panel, Write(0x1F000, {3})), kOk);  // erased again
    EXPECT_THAT(panel.Violations(), SizeIs(5));
}

// A stray byte before a frame of progress 0 (every wake-up has it) makes a length byte of 0; dropping the
// stray byte finds the frame.
TEST(SimulatedPanelTest, ResynchronisesAfterALengthByteOfZero) {
    SimulatedPanel panel(Qx220());
    const std::vector<Bytes> replies = panel.Receive(Join({{0x07}, Frame({kWakeUp}, 0x00)}));
    ASSERT_THAT(replies, SizeIs(1));
    EXPECT_THAT(replies[0], SizeIs(kWakeUpReplyLength));
    ASSERT_THAT(panel.Violations(), SizeIs(1));
    EXPECT_THAT(panel.Violations()[0], HasSubstr("length byte 0"));
    EXPECT_EQ(panel.Requests(), 1);
}

// A second download against the same panel: the flash stays, the image and the finish start afresh.
TEST(SimulatedPanelTest, KeepsItsFlashAcrossDownloads) {
    SimulatedPanel panel(Qx220());
    Ask(panel, {kWakeUp});
    Ask(panel, ErasePayload(16));
    Ask(panel, ErasePayload(17));
    Ask(panel, Write(0x11000, Pattern(8, 50)));
    Ask(panel, Write(kMarkerAddress, kMarker));
    Ask(panel, {kFinish});
    EXPECT_THAT(panel.ReceivedImage(), SizeIs(0x11008 - 0x10004));

    Ask(panel, {kWakeUp});
    EXPECT_FALSE(panel.Finished());
    EXPECT_THAT(panel.ReceivedImage(), IsEmpty());
    EXPECT_TRUE(panel.MarkerWritten());
    EXPECT_EQ(Ask(panel, Write(kMarkerAddress, {1, 2, 3, 4})), kNg);  // not erased since the first download
    Ask(panel, ErasePayload(16));
    EXPECT_FALSE(panel.MarkerWritten());
    EXPECT_EQ(Ask(panel, Write(0x10004, {9, 8})), kOk);
    EXPECT_EQ(panel.ReceivedImage(), (Bytes{9, 8}));
    EXPECT_EQ(panel.Flash()[0x11000], 50);
    EXPECT_THAT(panel.ErasedSectors(), ElementsAre(16, 17, 16));
}

}  // namespace
}  // namespace qxed::panelsim
