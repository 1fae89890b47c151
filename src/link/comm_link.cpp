#include "link/comm_link.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "link/comm.h"
#include "link/comm_line_state.h"

namespace qxed {

namespace {

constexpr size_t kReadSize = 2048;
// As many blocks as a thread's message queue holds; the download has one frame outstanding at a time.
constexpr size_t kMaxQueued = 10000;
// Modem lines cannot be waited for with poll(), so where the port has them they are looked at this often.
constexpr int kModemPeriodMs = 100;

constexpr uint32_t kParityError = 4;
constexpr uint32_t kCarrierDetectChange = 8;
constexpr uint32_t kRing = 4;

}  // namespace

CommLink::CommLink(int fd, int closeEvent, int sendEvent, EventLoop& loop, std::shared_ptr<CommOwner> owner)
    : fd_(fd), closeEvent_(closeEvent), sendEvent_(sendEvent), loop_(loop), owner_(std::move(owner)) {}

CommLink::~CommLink() {
    // The exclusive mode stays on a terminal that another descriptor keeps open (the far side of a
    // pseudo-terminal), so it is given up before closing.
    ioctl(fd_, TIOCNXCL);
    close(fd_);
    close(closeEvent_);
    close(sendEvent_);
}

void CommLink::SignalClose() {
    const uint64_t one = 1;
    if (write(closeEvent_, &one, sizeof one) != sizeof one) {
        // Only a saturated counter refuses, and then it is signalled already.
    }
}

bool CommLink::Queue(std::vector<uint8_t> block) {
    {
        std::lock_guard lock(queueMutex_);
        if (transmitEnded_ || queue_.size() >= kMaxQueued) return false;
        queue_.push_back(std::move(block));
        sendDataEmpty_ = false;
    }
    const uint64_t one = 1;
    if (write(sendEvent_, &one, sizeof one) != sizeof one) {
        // A saturated counter keeps the transmit thread awake anyway.
    }
    return true;
}

void CommLink::Post(std::function<void(TComm&)> event) {
    loop_.Post([owner = owner_, event = std::move(event)] {
        if (TComm* port = owner->Port.load()) event(*port);
    });
}

// Each event takes a copy of its handler, so a handler that replaces itself (or closes the port) does not
// pull the running function away from under itself.
void CommLink::PostData(std::vector<uint8_t> bytes) {
    Post([bytes = std::move(bytes)](TComm& port) {
        if (auto handler = port.OnReceiveData) handler(bytes.data(), static_cast<uint16_t>(bytes.size()));
    });
}

void CommLink::PostError(uint32_t flags) {
    Post([flags](TComm& port) {
        if (auto handler = port.OnReceiveError) handler(flags);
    });
}

void CommLink::PostModemChange(uint32_t event) {
    Post([event](TComm& port) {
        if (auto handler = port.OnModemStateChange) handler(event);
    });
}

void CommLink::PostSendDataEmpty() {
    Post([](TComm& port) {
        if (auto handler = port.OnSendDataEmpty) handler();
    });
}

void CommLink::RequestHangup() {
    if (hangupPosted_.exchange(true)) return;
    Post([](TComm& port) {
        if (auto handler = port.OnRequestHangup) handler();
    });
}

void CommLink::Receive() {
    ParityMarkDecoder decoder;
    int lines = 0;
    const bool watchModem = ioctl(fd_, TIOCMGET, &lines) == 0;
    bool reading = true;
    uint8_t buffer[kReadSize];
    for (;;) {
        pollfd waits[2] = {{closeEvent_, POLLIN, 0}, {fd_, POLLIN, 0}};
        const int ready = poll(waits, reading ? 2 : 1, reading && watchModem ? kModemPeriodMs : -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            RequestHangup();
            return;
        }
        if (waits[0].revents != 0) return;
        if (!reading) continue;
        if (watchModem) {
            int now = 0;
            if (ioctl(fd_, TIOCMGET, &now) == 0) {
                uint32_t event = 0;
                if ((now ^ lines) & TIOCM_CD) event |= kCarrierDetectChange;
                if (now & ~lines & TIOCM_RI) event |= kRing;
                lines = now;
                if (event != 0) PostModemChange(event);
            }
        }
        const short got = waits[1].revents;
        if (got & POLLNVAL) return;  // the descriptor went away underneath: end quietly
        if (got == 0) continue;
        const ssize_t count = read(fd_, buffer, sizeof buffer);
        if (count > 0) {
            const ReceiveOptions options = ReceiveOptions::Unpack(ReceiveWord.load());
            uint32_t errors = 0;
            std::vector<uint8_t> bytes =
                decoder.Decode(buffer, static_cast<size_t>(count), options.ParityMarks, options.Replace,
                               options.ReplacedChar, errors);
            if (options.IgnoreNull) std::erase(bytes, 0);
            if (errors != 0) PostError(errors);
            if (!bytes.empty()) PostData(std::move(bytes));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR) && (got & (POLLHUP | POLLERR)) == 0) continue;
        if (count < 0 && errno == EBADF) return;
        // The far end is gone (a pseudo-terminal whose other side closed reads EIO and stays ready): report
        // it once and from now on wait only for the close.
        RequestHangup();
        reading = false;
    }
}

bool CommLink::WaitForSend() {
    for (;;) {
        pollfd waits[2] = {{closeEvent_, POLLIN, 0}, {sendEvent_, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0) {
            if (errno == EINTR) continue;
            RequestHangup();
            return false;
        }
        if (waits[0].revents != 0) return false;
        uint64_t count = 0;
        if (read(sendEvent_, &count, sizeof count) < 0) {
            // Nothing to take: another wake-up consumed it; the queue tells what there is to do.
        }
        return true;
    }
}

bool CommLink::WriteAll(const std::vector<uint8_t>& block) {
    size_t done = 0;
    bool lineFault = false;
    while (done < block.size()) {
        const ssize_t count = write(fd_, block.data() + done, block.size() - done);
        if (count > 0) {
            done += static_cast<size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno == EAGAIN && !lineFault) {
            pollfd waits[2] = {{closeEvent_, POLLIN, 0}, {fd_, POLLOUT, 0}};
            if (poll(waits, 2, -1) < 0 && errno != EINTR) break;
            if (waits[0].revents != 0) return false;
            if (waits[1].revents & POLLNVAL) return false;
            // A line that reports a fault and still cannot take bytes will not take them.
            lineFault = (waits[1].revents & (POLLHUP | POLLERR)) != 0;
            continue;
        }
        if (count < 0 && errno == EBADF) return false;
        break;
    }
    if (done == block.size()) return true;
    RequestHangup();
    return false;
}

void CommLink::Transmit() {
    bool wrote = false;  // written since the queue last ran empty
    for (;;) {
        std::vector<uint8_t> block;
        bool have = false;
        {
            std::lock_guard lock(queueMutex_);
            if (!queue_.empty()) {
                block = std::move(queue_.front());
                queue_.pop_front();
                have = true;
            } else {
                sendDataEmpty_ = true;
            }
        }
        if (!have) {
            if (wrote) PostSendDataEmpty();
            wrote = false;
            if (!WaitForSend()) break;
            continue;
        }
        if (!WriteAll(block)) break;
        wrote = true;
    }
    // What is left will never be sent: drop it and refuse more.
    std::lock_guard lock(queueMutex_);
    queue_.clear();
    transmitEnded_ = true;
    sendDataEmpty_ = true;
}

CommThread::CommThread(std::function<void()> body) {
    thread_ = std::thread([done = done_, body = std::move(body)] {
        body();
        std::lock_guard lock(done->Mutex);
        done->Finished = true;
        done->Ended.notify_all();
    });
}

CommThread::~CommThread() {
    if (thread_.joinable()) Stop(std::chrono::milliseconds(0));
}

bool CommThread::Stop(std::chrono::milliseconds limit) {
    if (!thread_.joinable()) return true;
    bool finished = false;
    {
        std::unique_lock lock(done_->Mutex);
        finished = done_->Ended.wait_for(lock, limit, [this] { return done_->Finished; });
    }
    if (finished) {
        thread_.join();  // the body has returned: only the thread's own end is left
    } else {
        thread_.detach();
    }
    return finished;
}

std::vector<uint8_t> ParityMarkDecoder::Decode(const uint8_t* bytes, size_t length, bool marks, bool replace,
                                               char replacedChar, uint32_t& errorFlags) {
    std::vector<uint8_t> out;
    out.reserve(length + 2);
    if (!marks) {
        if (state_ >= 1) out.push_back(0xFF);
        if (state_ == 2) out.push_back(0x00);
        state_ = 0;
        out.insert(out.end(), bytes, bytes + length);
        return out;
    }
    for (size_t i = 0; i < length; ++i) {
        const uint8_t byte = bytes[i];
        if (state_ == 0) {
            if (byte == 0xFF) {
                state_ = 1;
            } else {
                out.push_back(byte);
            }
        } else if (state_ == 1) {
            if (byte == 0x00) {
                state_ = 2;
            } else {
                // "\377\377" is a real 0xFF; anything else is no mark and passes as it came.
                out.push_back(0xFF);
                if (byte != 0xFF) out.push_back(byte);
                state_ = 0;
            }
        } else {
            errorFlags |= kParityError;
            out.push_back(replace ? static_cast<uint8_t>(replacedChar) : byte);
            state_ = 0;
        }
    }
    return out;
}

}  // namespace qxed
