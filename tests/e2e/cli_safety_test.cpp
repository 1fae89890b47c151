// The command line under hostile conditions: writes interrupted by signals, killed writers, hostile JSON.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "cli_runner.h"
#include "support/temp_folder.h"

namespace qxed::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kCli = QXED_CLI;
const std::string kOld = "the file before the write";

// A project of some megabytes, so that its file takes a while to write: many texts on one page.
std::string LargeProjectJson() {
    std::string elements;
    for (int i = 0; i < 100000; ++i)
        elements += i == 0 ? R"({"Kind": "Text"})" : R"(, {"Kind": "Text"})";
    return R"({"pages": [{"Number": 1, "elements": [)" + elements + "]}]}";
}

std::vector<std::string> Temporaries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".qxed-tmp-") != std::string::npos) names.push_back(name);
    }
    return names;
}

// Runs the command and sends the signal as soon as its temporary file shows in the folder. True when the
// signal came while the file was being written (the command did not end by itself first).
bool SignalDuringTheWrite(const std::vector<std::string>& args, const fs::path& folder, int signal,
                          RunResult& result) {
    ChildProcess child(kCli, args);
    bool sent = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline && !child.Exited(std::chrono::milliseconds(0))) {
        if (!Temporaries(folder).empty()) {
            child.Signal(signal);
            sent = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    result = child.Wait(std::chrono::seconds(30));
    return sent && result.ExitCode == -1;
}

class CliSafety : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(json, LargeProjectJson());
        const RunResult made = RunProgram(kCli, {"make", json, "-o", qx2});
        ASSERT_EQ(made.ExitCode, 0) << made.Err;
        const RunResult dumped = RunProgram(kCli, {"dump", qx2, "-o", dumpedJson});
        ASSERT_EQ(dumped.ExitCode, 0) << dumped.Err;
    }

    TempFolder inputs;
    std::string json = inputs.File("large.json");
    std::string qx2 = inputs.File("large.qx2");
    std::string dumpedJson = inputs.File("dumped.json");
};

// Ctrl+C, SIGTERM or a closed terminal during a write: the program ends by the signal, the output keeps its
// old contents (or has the whole new file, when the signal came after the rename) and no temporary file is
// left.
TEST_F(CliSafety, ASignalDuringAWriteLeavesTheOldFileAndNoTemporary) {
    const struct {
        const char* What;
        std::vector<std::string> Args;
        std::string Written;
    } commands[] = {
        {"make", {"make", json, "-o", ""}, ReadBytes(qx2)},
        {"dump", {"dump", qx2, "-o", ""}, ReadBytes(dumpedJson)},
    };
    int interrupted = 0;
    for (const auto& command : commands) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            SCOPED_TRACE(std::string(command.What) + " signal " + std::to_string(signal));
            TempFolder folder;
            const std::string output = folder.File("out");
            WriteBytes(output, kOld);
            std::vector<std::string> args = command.Args;
            args.back() = output;
            RunResult result;
            interrupted += SignalDuringTheWrite(args, folder.Path(), signal, result) ? 1 : 0;
            EXPECT_EQ(Temporaries(folder.Path()), std::vector<std::string>{});
            const std::string now = ReadBytes(output);
            EXPECT_TRUE(now == kOld || now == command.Written) << now.substr(0, 40);
            if (result.ExitCode == -1) EXPECT_EQ(now, kOld);
        }
    }
    // The writes take long enough for the signals to land inside them.
    EXPECT_GT(interrupted, 0);
}

// A writer killed outright leaves its temporary file; the next write into the folder removes it.
TEST_F(CliSafety, TheNextWriteRemovesWhatAKilledWriterLeft) {
    TempFolder folder;
    const std::string output = folder.File("out.qx2");
    RunResult result;
    SignalDuringTheWrite({"make", json, "-o", output}, folder.Path(), SIGKILL, result);
    const RunResult again = RunProgram(kCli, {"make", json, "-o", folder.File("other.qx2")});
    EXPECT_EQ(again.ExitCode, 0) << again.Err;
    EXPECT_EQ(Temporaries(folder.Path()), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(folder.File("other.qx2")), ReadBytes(qx2));
}

// Deep nesting and keys given twice are refused with their path, and nothing is written.
TEST(CliHostileJson, DeepNestingAndRepeatedKeysAreRefusedWithTheirPath) {
    const struct {
        std::string Json;
        std::string Message;
    } cases[] = {
        {R"({"pages": [{"Number": 1, "elements": [{"Kind": "Text", "X": )" + std::string(100000, '[') +
             std::string(100000, ']') + "}]}]}",
         ": pages[0].elements[0].X[0]"},
        {R"({"pages": [{"Number": 1, "elements": [{"Kind": "Text", "X": 1, "X": 2}]}]})",
         ": pages[0].elements[0].X: this key appears twice in one object"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder.File("in.json"), c.Json);
        for (const char* command : {"make", "build"}) {
            SCOPED_TRACE(command);
            const RunResult run =
                RunProgram(kCli, {command, folder.File("in.json"), "-o", folder.File("out")});
            EXPECT_EQ(run.ExitCode, 1);
            EXPECT_THAT(run.Err, HasSubstr(c.Message));
            EXPECT_FALSE(fs::exists(folder.File("out")));
        }
    }
}

}  // namespace
}  // namespace qxed::testing
