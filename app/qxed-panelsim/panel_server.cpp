#include "panel_server.h"

#include <poll.h>

#include <array>
#include <cerrno>
#include <optional>

namespace qxed::panelsim {

namespace {

constexpr int kWriteTimeoutMs = 1000;
constexpr int kDrainTimeoutMs = 2000;
// A line quiet this long is between downloads (or the downloader went away without a word): the port is
// released for the next open.
constexpr int kIdleMs = 1000;

}  // namespace

PanelServer::PanelServer(SimulatedPanel& panel, PanelPort& port, bool lineRate)
    : panel_(panel), port_(port), lineRate_(lineRate) {}

bool PanelServer::Run(int stopFd) {
    for (;;) {
        if (RunDue(LineClock::now())) {
            port_.Drain(kDrainTimeoutMs);
            return true;
        }

        // The next byte due on either side of the line.
        std::optional<LineClock::time_point> due;
        if (!incoming_.empty()) due = incoming_.front().At;
        if (!outgoing_.empty() && (!due || outgoing_.front().At < *due)) due = outgoing_.front().At;

        std::array<pollfd, 2> fds{pollfd{port_.ReadFd(), POLLIN, 0}, pollfd{stopFd, POLLIN, 0}};
        const int timeout = due ? 0 : kIdleMs;
        const int ready = poll(fds.data(), stopFd >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR) return false;
        if (stopFd >= 0 && (fds[1].revents & POLLIN) != 0) return true;
        if (ready == 0 && !due) {
            port_.ReleaseExclusive();
            continue;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !ReadLine(LineClock::now())) return false;
        if (ready == 0 && due) SleepUntil(*due);
    }
}

bool PanelServer::ReadLine(LineClock::time_point now) {
    std::array<uint8_t, 4096> buffer;
    const long count = port_.Read(buffer);
    if (count < 0) return false;
    if (count == 0) return true;
    const std::span<const uint8_t> bytes(buffer.data(), static_cast<size_t>(count));
    if (!lineRate_) {
        Feed(bytes, now);
        return true;
    }
    for (const uint8_t byte : bytes)
        incoming_.push_back({inbound_.Arrival(now), {byte}});
    return true;
}

void PanelServer::Feed(std::span<const uint8_t> bytes, LineClock::time_point now) {
    const bool wasFinished = panel_.Finished();
    for (std::vector<uint8_t>& piece : panel_.Receive(bytes)) {
        if (lineRate_ || piece.size() == 1) {  // single bytes are split replies
            // A piece is written when its last byte would have arrived.
            LineClock::time_point at{};
            for (size_t i = 0; i < piece.size(); ++i)
                at = outbound_.Arrival(now);
            outgoing_.push_back({at, std::move(piece)});
        } else {
            outgoing_.push_back({now, std::move(piece)});
        }
    }
    if (!wasFinished && panel_.Finished()) finishPending_ = true;
    ReportViolations();
}

bool PanelServer::RunDue(LineClock::time_point now) {
    while (!incoming_.empty() && incoming_.front().At <= now) {
        const Timed byte = std::move(incoming_.front());
        incoming_.pop_front();
        Feed(byte.Bytes, byte.At);
    }
    while (!outgoing_.empty() && outgoing_.front().At <= now) {
        const Timed piece = std::move(outgoing_.front());
        outgoing_.pop_front();
        if (!port_.Write(piece.Bytes, kWriteTimeoutMs)) {
            ++lineFaults_;
            if (OnLineFault) OnLineFault(port_.Error());
        }
    }
    if (finishPending_ && outgoing_.empty()) {
        finishPending_ = false;
        // The downloader closes the port after this reply; the next one must be able to open it.
        port_.ReleaseExclusive();
        return OnFinished && !OnFinished();
    }
    return false;
}

void PanelServer::ReportViolations() {
    const std::vector<std::string>& violations = panel_.Violations();
    for (; violationsReported_ < violations.size(); ++violationsReported_)
        if (OnViolation) OnViolation(violations[violationsReported_]);
}

}  // namespace qxed::panelsim
