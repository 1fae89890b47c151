#include "link/comm.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/comm_custom_speed.h"
#include "text/settings_paths.h"

namespace qxed {
namespace {

using std::chrono::milliseconds;
using Bytes = std::vector<uint8_t>;

// The far end of the line: the master side of a pseudo-terminal in raw mode, the slave's path for TComm.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        path_ = ptsname(master_);
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
    ~PseudoTerminal() { CloseMaster(); }

    const std::string& Path() const { return path_; }
    int Master() const { return master_; }
    void CloseMaster() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }

    void Write(const Bytes& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t count = write(master_, bytes.data() + done, bytes.size() - done);
            ASSERT_GT(count, 0);
            done += static_cast<size_t>(count);
        }
    }

    // Reads until the count has arrived or nothing comes for the wait given.
    Bytes Read(size_t count, milliseconds quiet = milliseconds(2000)) {
        Bytes bytes;
        uint8_t buffer[4096];
        while (bytes.size() < count) {
            pollfd wait{master_, POLLIN, 0};
            if (poll(&wait, 1, static_cast<int>(quiet.count())) <= 0) break;
            const ssize_t got = read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (got <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

    // The terminal's settings: the master reports those of the slave, which the port set.
    termios Settings() const {
        termios settings{};
        tcgetattr(master_, &settings);
        return settings;
    }
    speed_t Speed() const {
        const termios settings = Settings();
        return cfgetospeed(&settings);
    }

  private:
    int master_ = -1;
    std::string path_;
};

Bytes Pattern(size_t length, int seed) {
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>((i * 7 + static_cast<size_t>(seed)) % 256);
    return bytes;
}

std::string OpenFailure(TComm& comm) {
    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        return error.what();
    }
    return "(opened)";
}

// Whether the terminal is in exclusive mode. Only privileged processes can open it then and ask.
bool Exclusive(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY;
    int exclusive = 0;
    ioctl(fd, TIOCGEXCL, &exclusive);
    close(fd);
    return exclusive != 0;
}

int ThreadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

// A port on a pseudo-terminal with the download's plain line (no flow control, so every byte value passes)
// and its events recorded; the loop runs until what a test waits for has happened.
class CommOnPty : public ::testing::Test {
  protected:
    CommOnPty() {
        comm.SetCommName(pty.Path());
        comm.SetOutx_XonXoffFlow(false);
        comm.SetInx_XonXoffFlow(false);
        comm.OnReceiveData = [this](const uint8_t* buffer, uint16_t length) {
            EXPECT_LE(length, 2048);
            received.insert(received.end(), buffer, buffer + length);
            ++pieces;
            Check();
        };
        comm.OnSendDataEmpty = [this] {
            ++emptyEvents;
            Check();
        };
        comm.OnRequestHangup = [this] {
            ++hangups;
            Check();
        };
    }

    // Runs the loop until the condition holds, for at most the limit.
    bool RunUntil(std::function<bool()> condition, milliseconds limit = milliseconds(3000)) {
        if (condition()) return true;
        done_ = std::move(condition);
        const TimerId guard = loop.StartTimer(limit, false, [this] { loop.Quit(); });
        loop.Run();
        loop.StopTimer(guard);
        const bool reached = done_();
        done_ = nullptr;
        return reached;
    }

    PseudoTerminal pty;
    StdEventLoop loop;
    TComm comm{loop};
    Bytes received;
    int pieces = 0;
    int emptyEvents = 0;
    int hangups = 0;

  private:
    void Check() {
        if (done_ && done_()) loop.Quit();
    }
    std::function<bool()> done_;
};

TEST_F(CommOnPty, WrittenBlocksReachTheFarEndInOrderAndInFull) {
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_TRUE(comm.IsOpen());
    Bytes expected;
    for (int block = 0; block < 3; ++block) {
        const Bytes bytes = Pattern(100 + static_cast<size_t>(block), block);
        ASSERT_TRUE(comm.WriteData(bytes.data(), bytes.size()));
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    const Bytes large = Pattern(60 * 1024, 5);
    ASSERT_TRUE(comm.WriteData(large.data(), large.size()));
    expected.insert(expected.end(), large.begin(), large.end());
    EXPECT_EQ(pty.Read(expected.size()), expected);
}

TEST_F(CommOnPty, BytesFromTheFarEndArriveAsEventsInOrder) {
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    Bytes expected;
    for (size_t size : {1u, 5000u, 3u, 20000u, 700u}) {
        const Bytes bytes = Pattern(size, static_cast<int>(size));
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    std::thread farEnd([&] { pty.Write(expected); });
    EXPECT_TRUE(RunUntil([&] { return received.size() >= expected.size(); }));
    farEnd.join();
    EXPECT_EQ(received, expected);
    EXPECT_GT(pieces, 1);  // no piece exceeds one read
}

TEST_F(CommOnPty, SendDataEmptyFollowsTheQueueAndItsEventComesOncePerBurst) {
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_TRUE(comm.SendDataEmpty());
    // The first blocks fill the terminal's buffer, so the burst is queued while the thread still writes.
    const Bytes large = Pattern(65535, 1);
    const Bytes small = Pattern(10, 2);
    size_t total = 0;
    for (int i = 0; i < 3; ++i, total += large.size())
        ASSERT_TRUE(comm.WriteData(large.data(), large.size()));
    EXPECT_FALSE(comm.SendDataEmpty());
    for (int i = 0; i < 8; ++i, total += small.size())
        ASSERT_TRUE(comm.WriteData(small.data(), small.size()));
    EXPECT_EQ(pty.Read(total).size(), total);
    EXPECT_TRUE(RunUntil([&] { return emptyEvents > 0; }));
    EXPECT_TRUE(comm.SendDataEmpty());

    // The next write brings the next event, and only one.
    ASSERT_TRUE(comm.WriteData(small.data(), small.size()));
    EXPECT_EQ(pty.Read(small.size()), small);
    EXPECT_TRUE(RunUntil([&] { return emptyEvents > 1; }));
    EXPECT_EQ(emptyEvents, 2);
}

TEST_F(CommOnPty, OpenFailuresNameTheirReasonAndLeaveThePortAsItWas) {
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_EQ(OpenFailure(comm), "This serial port already opened");
    EXPECT_TRUE(comm.IsOpen());
    const Bytes bytes = Pattern(16, 3);
    ASSERT_TRUE(comm.WriteData(bytes.data(), bytes.size()));
    EXPECT_EQ(pty.Read(bytes.size()), bytes);

    // The device is held: another port cannot have it until this one lets go.
    TComm second(loop);
    second.SetCommName(pty.Path());
    EXPECT_EQ(OpenFailure(second), "Error opening serial port");
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(Exclusive(pty.Path()));
    comm.ClosePort();
    // The far side keeps the terminal alive: the exclusive mode must not outlast the port.
    EXPECT_FALSE(Exclusive(pty.Path()));
    EXPECT_EQ(OpenFailure(second), "(opened)");
    second.ClosePort();

    TComm other(loop);
    other.SetCommName("/dev/qxed-no-such-port");
    EXPECT_EQ(OpenFailure(other), "Error opening serial port");
    const auto file = std::filesystem::temp_directory_path() / "qxed_comm_not_a_port";
    std::ofstream(file) << "data";
    other.SetCommName(file.string());
    EXPECT_EQ(OpenFailure(other), "File handle is not a comm handle ");
    EXPECT_FALSE(other.IsOpen());
    std::filesystem::remove(file);
    other.SetCommName("/dev/null");  // a character device, but no terminal
    EXPECT_EQ(OpenFailure(other), "File handle is not a comm handle ");
}

TEST_F(CommOnPty, WriteDataRefusesWhatItCannotSend) {
    const Bytes bytes = Pattern(65536, 4);
    EXPECT_FALSE(comm.WriteData(bytes.data(), 1));  // closed
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_FALSE(comm.WriteData(bytes.data(), 0));
    EXPECT_FALSE(comm.WriteData(bytes.data(), bytes.size()));
    EXPECT_TRUE(comm.SendDataEmpty());
    EXPECT_TRUE(pty.Read(1, milliseconds(50)).empty());
}

TEST_F(CommOnPty, LineSettingsReachTheOpenTerminalAtOnce) {
    comm.SetBaudRate(57600);  // closed: stored only
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_EQ(pty.Speed(), B57600);
    comm.SetBaudRate(19200);
    EXPECT_EQ(pty.Speed(), B19200);

    // Setting the same value leaves the terminal alone: a change made behind the port's back stays.
    termios changed = pty.Settings();
    cfsetspeed(&changed, B4800);
    tcsetattr(pty.Master(), TCSANOW, &changed);
    comm.SetBaudRate(19200);
    EXPECT_EQ(pty.Speed(), B4800);

    // A rate outside the standard table is set as it is.
    comm.SetBaudRate(14400);
    EXPECT_EQ(CurrentSpeed(pty.Master()), 14400u);
    comm.SetBaudRate(0);  // no rate: the speed stays (B0 would hang up the line)
    EXPECT_EQ(CurrentSpeed(pty.Master()), 14400u);

    // A pseudo-terminal keeps 8 data bits and no parity whatever it is told; the rest shows.
    comm.SetParity(TParity::Mark);
    comm.SetStopBits(TStopBits::_2);
    comm.SetOutx_CtsFlow(true);
    comm.SetOutx_XonXoffFlow(true);
    comm.SetXonChar('A');
    termios settings = pty.Settings();
    EXPECT_EQ(settings.c_cflag & (PARODD | CMSPAR), static_cast<tcflag_t>(PARODD | CMSPAR));
    EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
    EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(settings.c_iflag & IXON, 0u);
    EXPECT_EQ(settings.c_iflag & IXOFF, 0u);
    EXPECT_EQ(settings.c_cc[VSTART], 'A');

    comm.SetStopBits(TStopBits::_1);
    comm.SetOutx_CtsFlow(false);
    EXPECT_EQ(pty.Settings().c_cflag & (CSTOPB | CRTSCTS), 0u);
    comm.SetRtsControl(TRtsControl::RtsHandshake);
    EXPECT_NE(pty.Settings().c_cflag & CRTSCTS, 0u);
}

TEST_F(CommOnPty, ParityCheckedInputKeepsEveryByteAndNullsCanBeDropped) {
    // With parity checking the terminal escapes 0xFF in the input; the port undoes it.
    comm.SetParityCheck(true);
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    const Bytes bytes = {0x01, 0xFF, 0x00, 0xFF, 0xFF, 0x7F, 0x00};
    pty.Write(bytes);
    EXPECT_TRUE(RunUntil([&] { return received.size() >= bytes.size(); }));
    EXPECT_EQ(received, bytes);

    received.clear();
    comm.SetIgnoreNullChar(true);
    pty.Write(bytes);
    const Bytes withoutNulls = {0x01, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_TRUE(RunUntil([&] { return received.size() >= withoutNulls.size(); }));
    EXPECT_EQ(received, withoutNulls);
}

TEST_F(CommOnPty, ClosingAfterTheFarEndWentAwayIsPromptAndHangsUpOnce) {
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    pty.CloseMaster();
    EXPECT_TRUE(RunUntil([&] { return hangups > 0; }));
    // The transmit thread finds the line gone too; the port still asks only once.
    const Bytes bytes = Pattern(32, 6);
    comm.WriteData(bytes.data(), bytes.size());
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(2000);
    while (!comm.SendDataEmpty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(1));
    EXPECT_TRUE(comm.SendDataEmpty());
    loop.ProcessPending();
    EXPECT_EQ(hangups, 1);
    EXPECT_FALSE(comm.WriteData(bytes.data(), bytes.size()));  // nothing can be sent any more

    const auto start = std::chrono::steady_clock::now();
    comm.ClosePort();
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommOnPty, NoThreadOutlivesClosePortEvenWithAWriteStuck) {
    const int before = ThreadCount();
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_EQ(ThreadCount(), before + 2);
    // The far end reads nothing: the transmit thread waits for room in the middle of a block.
    const Bytes large = Pattern(65535, 7);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(comm.WriteData(large.data(), large.size()));
    const auto start = std::chrono::steady_clock::now();
    comm.ClosePort();
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
    EXPECT_EQ(ThreadCount(), before);
    EXPECT_TRUE(comm.SendDataEmpty());
    comm.ClosePort();  // closed: nothing happens

    // The port opens again afterwards.
    ASSERT_EQ(OpenFailure(comm), "(opened)");
    EXPECT_EQ(ThreadCount(), before + 2);
}

// Holds the posted tasks until the test runs them.
class HeldLoop : public EventLoop {
  public:
    void Post(Task task) override {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        posted_.notify_all();
    }
    TimerId StartTimer(milliseconds, bool, Task) override { return 0; }
    void StopTimer(TimerId) override {}
    void ProcessPending() override {
        std::vector<Task> tasks;
        {
            std::lock_guard lock(mutex_);
            tasks.swap(tasks_);
        }
        for (auto& task : tasks)
            task();
    }
    bool WaitForPost() {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, milliseconds(2000), [this] { return !tasks_.empty(); });
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<Task> tasks_;
};

TEST(Comm, EventsOfAPortClosedOrDestroyedBeforeTheyRunAreDropped) {
    PseudoTerminal pty;
    HeldLoop loop;
    int calls = 0;
    {
        TComm comm(loop);
        comm.SetCommName(pty.Path());
        comm.OnReceiveData = [&](const uint8_t*, uint16_t) { ++calls; };
        comm.OpenPort();
        pty.Write({1, 2, 3});
        ASSERT_TRUE(loop.WaitForPost());
    }
    loop.ProcessPending();
    EXPECT_EQ(calls, 0);

    // A reopened port does not hear what its previous opening posted.
    TComm comm(loop);
    comm.SetCommName(pty.Path());
    comm.OnReceiveData = [&](const uint8_t*, uint16_t length) { calls += length; };
    comm.OpenPort();
    pty.Write({4});
    ASSERT_TRUE(loop.WaitForPost());
    comm.ClosePort();
    comm.OpenPort();
    loop.ProcessPending();
    EXPECT_EQ(calls, 0);
    pty.Write({5, 6});
    ASSERT_TRUE(loop.WaitForPost());
    loop.ProcessPending();
    EXPECT_GE(calls, 1);
}

TEST(Comm, ComNamesResolveThroughTheUserSettings) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    const auto folder = std::filesystem::temp_directory_path() / "qxed_comm_settings";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "qxed");
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(UserSettingsPath(), (folder / "qxed" / "Qx200.Ini").string());

    PseudoTerminal pty;
    std::ofstream(folder / "qxed" / "Qx200.Ini")
        << "[Qx200]\nComm=6\n[ports]\ncom7 = " << pty.Path() << "\nCOM8=\n";
    EXPECT_EQ(ResolvePortName("COM7"), pty.Path());
    EXPECT_EQ(ResolvePortName("com7"), pty.Path());
    EXPECT_EQ(ResolvePortName("COM8"), "/dev/ttyS7");  // an empty value names nothing
    EXPECT_EQ(ResolvePortName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(ResolvePortName("COM0"), "COM0");
    EXPECT_EQ(ResolvePortName("COMX"), "COMX");
    EXPECT_EQ(ResolvePortName("COM-1"), "COM-1");

    // The download's names reach the device named in the settings.
    StdEventLoop loop;
    TComm comm(loop);
    comm.SetCommName("COM7");
    EXPECT_EQ(OpenFailure(comm), "(opened)");
    comm.ClosePort();

    setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_TRUE(UserSettingsPath().ends_with("/.config/qxed/Qx200.Ini"));
    if (saved) {
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qxed
