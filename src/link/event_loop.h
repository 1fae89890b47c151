#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace qxed {

using TimerId = uint64_t;

// Where the link's work runs: the serial port's events, the download's timers and its steps. Everything
// posted or timed runs on the one thread that runs the loop, in order, so the download needs no locks.
// The command line and the simulator use StdEventLoop, the editor a Qt-backed loop, tests VirtualClockLoop.
class EventLoop {
  public:
    using Task = std::function<void()>;
    virtual ~EventLoop() = default;

    // Runs the task on the loop's thread after every task posted before it. Safe from any thread.
    virtual void Post(Task task) = 0;
    // Runs the task once after the interval, or every interval until stopped. Loop thread only.
    virtual TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) = 0;
    // Stopping a timer that has fired its last time or was never started is harmless. Loop thread only.
    virtual void StopTimer(TimerId id) = 0;
    // Runs what is due now without waiting: a long step on the loop's thread (the image build) calls it so
    // the port's events and a cancel keep being handled. Loop thread only.
    virtual void ProcessPending() = 0;
};

// The std-only loop: a task queue and timers on the steady clock.
class StdEventLoop : public EventLoop {
  public:
    void Post(Task task) override;
    TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) override;
    void StopTimer(TimerId id) override;
    void ProcessPending() override;

    // Runs tasks and timers until Quit() is called (from any thread, or from a task).
    void Run();
    void Quit();

  private:
    // The task is shared so that a timer stopped by its own task stays alive until that task returns.
    struct Timer {
        std::chrono::steady_clock::time_point Due;
        std::chrono::milliseconds Interval;
        bool Repeating;
        std::shared_ptr<Task> Run;
    };
    void RunDueTimers();
    void RunPostedTasks();

    std::mutex mutex_;  // guards tasks_ and quit_: other threads post and quit
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    bool quit_ = false;
    std::map<TimerId, Timer> timers_;  // loop thread only
    TimerId nextTimer_ = 1;
};

// A loop on a virtual clock for tests: time stands still until the test lets it pass, and then it passes
// at once, so 300 retries of 100 ms cost nothing. Tasks posted from other threads are queued as well.
class VirtualClockLoop : public EventLoop {
  public:
    void Post(Task task) override;
    TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) override;
    void StopTimer(TimerId id) override;
    void ProcessPending() override;

    std::chrono::milliseconds Now() const { return now_; }
    // Runs every posted task and every timer due at the present virtual time.
    void RunReady();
    // Lets the virtual time pass, firing timers at their due times in order (ties in start order) and
    // running the posted tasks after each.
    void Advance(std::chrono::milliseconds span);
    // Advances from due timer to due timer, running everything, until the predicate holds or nothing is
    // left to run or the limit of virtual time has passed. True when the predicate holds.
    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::hours(24));

  private:
    struct Timer {
        std::chrono::milliseconds Due;
        std::chrono::milliseconds Interval;
        bool Repeating;
        uint64_t Order;
        std::shared_ptr<Task> Run;
    };
    void RunPostedTasks();
    bool FireNextDue(std::chrono::milliseconds until);

    std::mutex mutex_;  // guards tasks_ only: other threads may post
    std::deque<Task> tasks_;
    std::map<TimerId, Timer> timers_;
    TimerId nextTimer_ = 1;
    uint64_t order_ = 0;
    std::chrono::milliseconds now_{0};
};

}  // namespace qxed
