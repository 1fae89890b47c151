// Downloads that fail or are cancelled: each ends with its one message on stderr and exit code 1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "download_case.h"
#include "panel_process.h"

namespace qxed::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

// The hexadecimal text inside `when send "..."` of an NG message.
std::string SentFrameText(const std::string& message) {
    const std::string opening = "receive \"NG\" when send \"";
    const std::size_t start = message.find(opening);
    if (start == std::string::npos) return {};
    const std::size_t from = start + opening.size();
    return message.substr(from, message.find('"', from) - from);
}

TEST(DownloadE2E, FailuresEndWithTheirMessage) {
    const std::vector<DownloadOutcome> outcomes = RunDownloadCases({
        {.Panel = {"--ng-at", "2"}},
        {.WriteDrivers = false},
        {.DriverOptions = {"--driver-values", "7,5,0,35,1"}},
        {.Model = 0},
        {.Port = "/nonexistent/qxed-port"},
    });
    for (const DownloadOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.Cli.ExitCode, 1);
        EXPECT_EQ(outcome.Cli.Out, "");
        EXPECT_THAT(outcome.Cli.Err, ::testing::Not(HasSubstr("已成功下载画面数据！")));
    }

    // The whole second write frame: image bytes 128..255 at 0x10084, with its progress byte and checksum.
    const std::vector<uint8_t> frame = ParseHex(SentFrameText(outcomes[0].Cli.Err));
    const std::string& image = BuiltExample().Image;
    ASSERT_EQ(frame.size(), 2 + 5 + 128 + 1u) << outcomes[0].Cli.Err;
    EXPECT_EQ(frame[1], 1 + 5 + 128);
    EXPECT_EQ(std::vector<uint8_t>(frame.begin() + 2, frame.begin() + 7),
              (std::vector<uint8_t>{0x82, 0x00, 0x01, 0x00, 0x84}));
    EXPECT_EQ(std::string(frame.begin() + 7, frame.end() - 1), image.substr(128, 128));
    EXPECT_EQ(std::accumulate(frame.begin(), frame.end(), 0) % 256, 0);

    // Each message exactly as the editor shows it, then what it is about on the line after it.
    EXPECT_THAT(outcomes[1].Cli.Err, HasSubstr("未支持的PLC类型！\n  driver file "));
    EXPECT_THAT(outcomes[1].Cli.Err, EndsWith(".dat: missing\n"));
    EXPECT_THAT(outcomes[2].Cli.Err, EndsWith("该PLC文件错误！ SysVer < 36\n"));
    EXPECT_THAT(outcomes[3].Cli.Err, HasSubstr("显示器不一致，无法下载！\n  the project is for QX223 (model "
                                               "6), the panel is QX210 (model 0)\n"));
    EXPECT_THAT(
        outcomes[4].Cli.Err,
        EndsWith(
            "无法打开通信口　/nonexistent/qxed-port !\n"
            "  /nonexistent/qxed-port is the device /nonexistent/qxed-port: No such file or directory\n"));
}

TEST(DownloadE2E, SilentPanelExhaustsTheRetries) {
    // 300 wake-ups 100 ms apart after the 2.5 s delay.
    const auto start = std::chrono::steady_clock::now();
    const DownloadOutcome outcome = RunDownloadCase({.Panel = {"--silent-after", "0"}});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(outcome.Cli.ExitCode, 1);
    EXPECT_THAT(outcome.Cli.Err, EndsWith("通信超时，请检查通信电缆和电源，再重新下载\n"));
    EXPECT_GE(took, std::chrono::seconds(32));
    // The progress line counts the wake-ups, so that a missing panel is seen at once: in a log the first
    // attempt and every fiftieth.
    for (const char* attempt : {"% 1/300\n", "% 50/300\n", "% 300/300\n"})
        EXPECT_THAT(outcome.Cli.Err, HasSubstr(attempt)) << attempt;
    EXPECT_THAT(outcome.Cli.Err, ::testing::Not(HasSubstr("% 2/300\n")));
}

// How much a download tells: -q only the messages, -v every request, reply, time-out and retry; --json the
// summary as an object with the same counts as the line.
TEST(DownloadE2E, QuietVerboseAndJsonSummaries) {
    const std::vector<DownloadOutcome> outcomes = RunDownloadCases({
        {.Cli = {}},
        {.Cli = {"-q"}},
        {.Panel = {"--std", "1"}, .Cli = {"-v", "--json"}},
    });
    for (const DownloadOutcome& outcome : outcomes)
        ASSERT_EQ(outcome.Cli.ExitCode, 0) << outcome.Cli.Err;
    EXPECT_THAT(outcomes[0].Cli.Err, HasSubstr("] 100%"));
    EXPECT_THAT(outcomes[0].Cli.Err, ::testing::Not(HasSubstr("request ")));
    EXPECT_THAT(outcomes[1].Cli.Err, ::testing::Not(HasSubstr("%")));
    EXPECT_THAT(outcomes[1].Cli.Err, HasSubstr("已成功下载画面数据！"));
    EXPECT_THAT(outcomes[2].Cli.Err, HasSubstr("\nrequest "));
    EXPECT_THAT(outcomes[2].Cli.Err, HasSubstr("\nreply 3 bytes: 53 54 44\n"));  // "STD", the start-up reply
    const nlohmann::json summary = nlohmann::json::parse(outcomes[2].Cli.Out);
    EXPECT_EQ(
        "H=" + summary["H"].dump() + " glyphs=" + summary["glyphs"].dump() + " L=" + summary["L"].dump(),
        BuiltExample().Line);
    EXPECT_GT(summary["frames"].get<int>(), 2);
    EXPECT_EQ(summary["model"], kExampleModel);
    EXPECT_THAT(summary["driverFile"].get<std::string>(), EndsWith(".dat"));
}

// A download stopped by the signal once the port is open and the wake-ups go unanswered.
RunResult CancelledBy(int signal, std::chrono::steady_clock::duration& reaction) {
    TempFolder folder;
    const std::string dataDir = folder.File("data");
    WriteDriverFiles(dataDir, kExampleModel, kExamplePlcType);
    PanelProcess panel({"--model", std::to_string(kExampleModel), "--silent-after", "0"});
    ChildProcess cli(QXED_CLI, {"--data-dir", dataDir, "download", QXED_EXAMPLE_QX2, "--port", panel.Port()});
    cli.WaitForErr("正在准备画面数据", std::chrono::seconds(10));
    // Past the 2.5 s wake-up delay.
    std::this_thread::sleep_for(std::chrono::milliseconds(3000));
    cli.Signal(signal);
    const auto signalled = std::chrono::steady_clock::now();
    RunResult result = cli.Wait(std::chrono::seconds(10));
    reaction = std::chrono::steady_clock::now() - signalled;
    panel.Stop();
    return result;
}

TEST(DownloadE2E, InterruptAndTerminateCancelAsConfirmed) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        std::chrono::steady_clock::duration reaction{};
        const RunResult result = CancelledBy(signal, reaction);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_THAT(result.Err, EndsWith("确实要取消吗？\n"));
        EXPECT_EQ(result.Out, "");
        EXPECT_LT(reaction, std::chrono::seconds(2));
    }
}

TEST(DownloadE2E, HangUpCancelsLikeTerminate) {
    // The terminal closing: without its handling the signal would end the program with the port as it
    // was, no message and no exit code of its own.
    std::chrono::steady_clock::duration reaction{};
    const RunResult result = CancelledBy(SIGHUP, reaction);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, EndsWith("确实要取消吗？\n"));
    EXPECT_EQ(result.Out, "");
    EXPECT_LT(reaction, std::chrono::seconds(2));
}

}  // namespace
}  // namespace qxed::testing
