// Downloads by qxed-cli to qxed-panelsim over real pseudo-terminals: the whole exchange, the harmless faults
// a panel may show, and the driver area by upgrade mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "download_case.h"

namespace qxed::testing {
namespace {

using ::testing::HasSubstr;

constexpr std::size_t kDriverAreaStart = 0x3000;
constexpr std::size_t kDriverAreaEnd = 0x10000;

// The summary line's frame count.
int FramesOf(const RunResult& cli) {
    const std::size_t at = cli.Out.find("frames=");
    return at == std::string::npos ? -1 : std::stoi(cli.Out.substr(at + 7));
}

// Frame counts as the downloads give them. A wake-up reply the machine stalls past its 100 ms time-out costs
// a resent wake-up, so a busy test machine may add one or two frames to any count.
constexpr int kStallAllowance = 2;

void ExpectFramesNear(int frames, int expected) {
    EXPECT_GE(frames, expected - kStallAllowance);
    EXPECT_LE(frames, expected + kStallAllowance);
}

std::string DriverArea(const std::string& bytes) {
    return bytes.size() < kDriverAreaEnd ? std::string()
                                         : bytes.substr(kDriverAreaStart, kDriverAreaEnd - kDriverAreaStart);
}

TEST(DownloadE2E, ExampleProjectArrivesWholeDespiteHarmlessPanelFaults) {
    const std::string& image = BuiltExample().Image;
    ASSERT_FALSE(image.empty());
    const std::vector<DownloadOutcome> outcomes = RunDownloadCases({
        {},
        {.Panel = {"--std", "3"}},
        {.Panel = {"--split"}},
        {.Panel = {"--bad-checksum", "1"}},
    });
    const char* names[] = {"plain", "STD first", "split replies", "bad wake-up checksum"};
    // Each "STD" and the ignored reply cost one more wake-up frame.
    const int extraFrames[] = {0, 3, 0, 1};
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const DownloadOutcome& outcome = outcomes[i];
        EXPECT_EQ(outcome.Cli.ExitCode, 0) << outcome.Cli.Err;
        EXPECT_THAT(outcome.Cli.Out, ::testing::StartsWith(BuiltExample().Line + " frames="));
        ExpectFramesNear(FramesOf(outcome.Cli), FramesOf(outcomes[0].Cli) + extraFrames[i]);
        EXPECT_THAT(outcome.Cli.Err, HasSubstr("已成功下载画面数据！\n"));
        EXPECT_EQ(outcome.Dump, image);
        // The simulator ends with 0 only when every frame kept the rules.
        EXPECT_EQ(outcome.Panel.ExitCode, 0) << outcome.Panel.Err;
        EXPECT_THAT(outcome.Panel.Out, HasSubstr("marker written, driver area kept"));
    }
}

TEST(DownloadE2E, WithoutAPortTheEditorsDownloadPortIsUsed) {
    const DownloadOutcome outcome = RunDownloadCase({.PortFromSettings = true});
    EXPECT_EQ(outcome.Cli.ExitCode, 0) << outcome.Cli.Err;
    EXPECT_EQ(outcome.Dump, BuiltExample().Image);
}

TEST(DownloadE2E, ImageOf128BytesGoesInOneWriteFrameBeforeTheMarker) {
    TempFolder folder;
    std::string image(128, '\0');
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 5 + 1);
    const std::string odp = folder.File("small.odp");
    WriteBytes(odp, MakeDataFile(kExampleModel, kExamplePlcType, image));

    const DownloadOutcome outcome = RunDownloadCase({.File = odp});
    EXPECT_EQ(outcome.Cli.ExitCode, 0) << outcome.Cli.Err;
    // Wake-up, version, identity, erase of sector 16, one write, the marker and the finish.
    EXPECT_GE(FramesOf(outcome.Cli), 7);
    EXPECT_LE(FramesOf(outcome.Cli), 7 + kStallAllowance);
    EXPECT_EQ(outcome.Dump, image);
    EXPECT_EQ(outcome.Panel.ExitCode, 0) << outcome.Panel.Err;
    EXPECT_THAT(outcome.Panel.Out, HasSubstr("marker written"));
}

TEST(DownloadE2E, UpgradeModeDecidesTheDriverArea) {
    // The installed driver differs from the file's (D2 6, not 5), so "S" alone would rewrite it.
    const std::vector<DownloadOutcome> outcomes = RunDownloadCases({
        {.Panel = {"--driver", "6,40,1"}, .Cli = {"--upgrade", "N"}},
        {.Cli = {"--upgrade", "U"}},
        {.Panel = {"--driver", "6,40,1"}},
    });
    const DownloadOutcome& never = outcomes[0];
    EXPECT_EQ(never.Cli.ExitCode, 0) << never.Cli.Err;
    EXPECT_THAT(never.Cli.Err, HasSubstr("] 100%"));
    EXPECT_THAT(never.Panel.Out, HasSubstr("driver area kept"));
    EXPECT_EQ(DriverArea(never.Flash), std::string(kDriverAreaEnd - kDriverAreaStart, '\xFF'));

    for (const DownloadOutcome* rewritten : {&outcomes[1], &outcomes[2]}) {
        EXPECT_EQ(rewritten->Cli.ExitCode, 0) << rewritten->Cli.Err;
        EXPECT_THAT(rewritten->Panel.Out, HasSubstr("driver area rewritten"));
        EXPECT_EQ(DriverArea(rewritten->Flash), DriverArea(rewritten->DriverFile));
        // 13 erases and 416 writes more than without the driver.
        ExpectFramesNear(FramesOf(rewritten->Cli), FramesOf(never.Cli) + 13 + 416);
        EXPECT_EQ(rewritten->Dump, BuiltExample().Image);
    }
}

}  // namespace
}  // namespace qxed::testing
