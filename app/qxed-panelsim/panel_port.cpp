#include "panel_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace qxed::panelsim {

namespace {

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

PanelPort::~PanelPort() {
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
}

bool PanelPort::Fail(const std::string& what) {
    error_ = what + ": " + std::strerror(errno);
    return false;
}

bool PanelPort::Open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return Fail("cannot open a pseudo-terminal");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) return Fail("cannot unlock the pseudo-terminal");
    char name[256];
    if (ptsname_r(master_, name, sizeof name) != 0) return Fail("cannot name the pseudo-terminal");
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return Fail("cannot open " + slavePath_);
    if (!MakeRaw(slave_) || !MakeRaw(master_)) return Fail("cannot make " + slavePath_ + " raw");
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return Fail("cannot set up the master");
    return true;
}

const std::string& PanelPort::SlavePath() const {
    return slavePath_;
}

int PanelPort::ReadFd() const {
    return master_;
}

long PanelPort::Read(std::span<uint8_t> buffer) {
    for (;;) {
        const ssize_t count = read(master_, buffer.data(), buffer.size());
        if (count >= 0) return static_cast<long>(count);
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        Fail("cannot read from the line");
        return -1;
    }
}

bool PanelPort::Write(std::span<const uint8_t> bytes, int timeoutMs) {
    while (!bytes.empty()) {
        const ssize_t count = write(master_, bytes.data(), bytes.size());
        if (count > 0) {
            bytes = bytes.subspan(static_cast<size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return Fail("cannot write to the line");
        // The downloader's input is full: nobody reads it.
        pollfd room{master_, POLLOUT, 0};
        if (poll(&room, 1, timeoutMs) <= 0) {
            error_ = "nobody reads the line; reply dropped";
            return false;
        }
    }
    return true;
}

void PanelPort::Drain(int timeoutMs) {
    // Written bytes reach the slave's input queue a moment later, through the kernel's buffer worker, so a
    // queue seen empty counts only after a short settling time.
    using namespace std::chrono;
    constexpr auto kSettle = milliseconds(20);
    constexpr auto kStep = milliseconds(2);
    const auto start = steady_clock::now();
    auto emptySince = start;
    bool empty = false;
    while (steady_clock::now() - start < milliseconds(timeoutMs)) {
        int waiting = 0;
        if (ioctl(slave_, FIONREAD, &waiting) != 0) return;
        if (waiting > 0) {
            empty = false;
        } else if (!empty) {
            empty = true;
            emptySince = steady_clock::now();
        } else if (steady_clock::now() - emptySince >= kSettle) {
            return;
        }
        std::this_thread::sleep_for(kStep);
    }
}

void PanelPort::ReleaseExclusive() {
    if (slave_ >= 0) ioctl(slave_, TIOCNXCL);
}

const std::string& PanelPort::Error() const {
    return error_;
}

}  // namespace qxed::panelsim
