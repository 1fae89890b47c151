#pragma once
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace qxed::panelsim {

// The downloader's end of a simulated panel's port, for the tests.
class LineClient {
  public:
    explicit LineClient(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        termios settings{};
        if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~LineClient() {
        if (fd_ >= 0) close(fd_);
    }
    LineClient(const LineClient&) = delete;
    LineClient& operator=(const LineClient&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    bool Send(const std::vector<uint8_t>& bytes) {
        return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads until count bytes have come or nothing came for timeoutMs.
    std::vector<uint8_t> Receive(size_t count, int timeoutMs = 2000) {
        std::vector<uint8_t> bytes;
        while (bytes.size() < count) {
            pollfd ready{fd_, POLLIN, 0};
            if (poll(&ready, 1, timeoutMs) <= 0) break;
            uint8_t buffer[256];
            const ssize_t got = read(fd_, buffer, sizeof buffer);
            if (got <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

  private:
    int fd_;
};

}  // namespace qxed::panelsim
