#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "line_client.h"
#include "link/frames.h"

extern char** environ;

namespace qxed::panelsim {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace fs = std::filesystem;

std::string ProgramPath() {
    return (fs::read_symlink("/proc/self/exe").parent_path() / "qxed-panelsim").string();
}

fs::path TemporaryFolder() {
    const fs::path folder = fs::temp_directory_path() / ("panelsim-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
    return folder;
}

// The simulator as a child process with its output on pipes.
class Simulator {
  public:
    explicit Simulator(std::vector<std::string> args) {
        args.insert(args.begin(), ProgramPath());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Simulator() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
        close(err_);
    }

    // The first line of its output, waiting up to five seconds.
    std::string FirstLine() {
        std::string line;
        char c = 0;
        pollfd ready{out_, POLLIN, 0};
        while (poll(&ready, 1, 5000) > 0 && read(out_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    // The exit code, waiting up to five seconds; nullopt when it does not end.
    std::optional<int> Wait() {
        for (int i = 0; i < 500 && pid_ > 0; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return std::nullopt;
    }

    void Signal(int number) { kill(pid_, number); }
    std::string Output() { return ReadAll(out_); }
    std::string Errors() { return ReadAll(err_); }

  private:
    static std::string ReadAll(int fd) {
        std::string text;
        char buffer[512];
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<size_t>(got));
        return text;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

Bytes Request(LineClient& line, const Bytes& payload, size_t replyLength) {
    EXPECT_TRUE(line.Send(MakeFrame(0x42, payload)));
    return line.Receive(replyLength);
}

const Bytes kOk{'O', 'K'};

TEST(PanelSimProgramTest, ServesOneDownloadOverItsPort) {
    ASSERT_TRUE(fs::exists(ProgramPath())) << "qxed-panelsim is built beside the test";
    const fs::path folder = TemporaryFolder();
    const fs::path dump = folder / "image.bin";
    Simulator simulator({"--once", "--model", "QX220", "--split", "--dump", dump.string()});
    const std::string port = simulator.FirstLine();
    ASSERT_THAT(port, StartsWith("/dev/"));
    {
        LineClient line(port);
        ASSERT_TRUE(line.IsOpen());
        EXPECT_EQ(Request(line, {kWakeUp}, kWakeUpReplyLength).size(), size_t{kWakeUpReplyLength});
        const Bytes identity = Request(line, {kIdentityRequest, 0x02}, kIdentityReplyLength);
        ASSERT_EQ(identity.size(), size_t{kIdentityReplyLength});
        EXPECT_EQ(identity[1], 2);
        EXPECT_EQ(identity[2], 5);  // the default installed driver 5,40,1
        EXPECT_EQ(identity[6], 5);  // the PLC protocol follows D2
        EXPECT_EQ(Request(line, ErasePayload(16), 2), kOk);
        EXPECT_EQ(Request(line, WritePayload(0x10004, Bytes{1, 2, 3}), 2), kOk);
        EXPECT_EQ(Request(line, WritePayload(kMarkerAddress, Bytes{0xA5, 0x5A, 0xA5, 0x5A}), 2), kOk);
        EXPECT_EQ(Request(line, {kFinish}, 2), kOk);
    }
    EXPECT_EQ(simulator.Wait(), 0);
    EXPECT_EQ(simulator.Output(),
              "panel QX220 received 3 image bytes in 6 frames, marker written, driver area kept\n");
    EXPECT_EQ(simulator.Errors(), "");
    std::ifstream file(dump, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(file), {}), (Bytes{1, 2, 3}));
    fs::remove_all(folder);
}

// Without --once it serves until stopped, then removes its link; a violation makes the exit code 1.
TEST(PanelSimProgramTest, ReportsViolationsAndRemovesItsLinkWhenStopped) {
    ASSERT_TRUE(fs::exists(ProgramPath())) << "qxed-panelsim is built beside the test";
    const fs::path folder = TemporaryFolder();
    const fs::path link = folder / "ttyPanel";
    fs::create_symlink("/dev/null", link);  // a stale link is replaced
    Simulator simulator({"--link", link.string()});
    for (int i = 0; i < 500 && fs::read_symlink(link) == "/dev/null"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    {
        LineClient line(link.string());
        ASSERT_TRUE(line.IsOpen());
        EXPECT_EQ(Request(line, ErasePayload(3), 2), kOk);
        EXPECT_EQ(Request(line, WritePayload(0x5000, Bytes{1}), 2), (Bytes{'N', 'G'}));
        EXPECT_EQ(Request(line, {kFinish}, 2), kOk);
        EXPECT_EQ(Request(line, {kFinish}, 2), kOk);  // resent: the same download
        EXPECT_EQ(Request(line, {kWakeUp}, kWakeUpReplyLength).size(), size_t{kWakeUpReplyLength});
        EXPECT_EQ(Request(line, {kFinish}, 2), kOk);  // still serving
    }
    simulator.Signal(SIGTERM);
    EXPECT_EQ(simulator.Wait(), 1);
    EXPECT_EQ(simulator.Output(),
              "panel QX210 received 0 image bytes in 3 frames, marker missing, driver area rewritten\n"
              "panel QX210 received 0 image bytes in 3 frames, marker missing, driver area kept\n");
    EXPECT_THAT(simulator.Errors(), HasSubstr("not erased"));
    EXPECT_FALSE(fs::is_symlink(link));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qxed::panelsim
