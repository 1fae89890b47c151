#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "link/event_loop.h"

namespace qxed {

class TComm;

// Who receives the events of one opening of a port. Only the loop's thread reads or clears it: closing the
// port clears it, and the events still queued then find no one and are dropped.
struct CommOwner {
    std::atomic<TComm*> Port{nullptr};
};

// What an open port's threads share with the owner. The owner and each thread hold it by shared_ptr, so a
// thread never touches freed memory; the descriptors close with the last holder.
class CommLink {
  public:
    // Takes the three descriptors.
    CommLink(int fd, int closeEvent, int sendEvent, EventLoop& loop, std::shared_ptr<CommOwner> owner);
    ~CommLink();
    CommLink(const CommLink&) = delete;
    CommLink& operator=(const CommLink&) = delete;

    int Fd() const { return fd_; }
    // Both threads stop once it is signalled; it stays signalled.
    void SignalClose();

    // The receive options (ReceiveOptions::Pack) the owner changes while the receive thread runs.
    std::atomic<uint32_t> ReceiveWord{0};

    // Queues a block for the transmit thread; false when too many blocks wait already or the thread has
    // ended after a fault.
    bool Queue(std::vector<uint8_t> block);
    bool SendDataEmpty() const { return sendDataEmpty_; }

    // The threads' bodies.
    void Receive();
    void Transmit();

  private:
    void PostData(std::vector<uint8_t> bytes);
    void PostError(uint32_t flags);
    void PostModemChange(uint32_t event);
    void PostSendDataEmpty();
    // Posts OnRequestHangup, once for the port whichever thread finds the fault first.
    void RequestHangup();
    void Post(std::function<void(TComm&)> event);

    bool WaitForSend();                                // false when closing
    bool WriteAll(const std::vector<uint8_t>& block);  // false when the thread must end

    const int fd_;
    const int closeEvent_;
    const int sendEvent_;
    EventLoop& loop_;
    const std::shared_ptr<CommOwner> owner_;
    std::atomic<bool> hangupPosted_{false};

    std::mutex queueMutex_;  // guards queue_, transmitEnded_ and the writes of sendDataEmpty_
    std::deque<std::vector<uint8_t>> queue_;
    bool transmitEnded_ = false;
    std::atomic<bool> sendDataEmpty_{true};
};

// A thread that can be waited for with a time limit. std::thread cannot be killed: one that does not end in
// time is detached, which is safe because everything it uses is held by shared_ptr.
class CommThread {
  public:
    // Throws std::system_error when the thread cannot be created.
    explicit CommThread(std::function<void()> body);
    ~CommThread();
    CommThread(const CommThread&) = delete;
    CommThread& operator=(const CommThread&) = delete;

    // Waits until the body has returned or the limit has passed; true when it returned.
    bool Stop(std::chrono::milliseconds limit);

  private:
    struct Done {
        std::mutex Mutex;
        std::condition_variable Ended;
        bool Finished = false;
    };
    std::shared_ptr<Done> done_ = std::make_shared<Done>();
    std::thread thread_;
};

// Undoes the error marks the terminal puts into the input when parity checking is on (PARMRK): "\377\377"
// is a 0xFF byte, "\377\0" + X is byte X received with an error. A mark may be split over two reads.
class ParityMarkDecoder {
  public:
    // The bytes to deliver of one read. With marks off the bytes pass as they are (after a half-read mark,
    // which is passed on as it stood). errorFlags receives 4 (parity) when a byte came with an error; such a
    // byte is replaced when asked to.
    std::vector<uint8_t> Decode(const uint8_t* bytes, size_t length, bool marks, bool replace,
                                char replacedChar, uint32_t& errorFlags);

  private:
    int state_ = 0;  // 0 plain, 1 after 0xFF, 2 after 0xFF 0x00
};

}  // namespace qxed
