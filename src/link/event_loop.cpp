#include "link/event_loop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qxed {

namespace {

// A repeating timer of no interval would never let the loop rest; one millisecond is the shortest period.
std::chrono::milliseconds RepeatPeriod(std::chrono::milliseconds interval) {
    return std::max(interval, std::chrono::milliseconds(1));
}

}  // namespace

void StdEventLoop::Post(Task task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

TimerId StdEventLoop::StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) {
    const TimerId id = nextTimer_++;
    if (repeating) interval = RepeatPeriod(interval);
    timers_.emplace(id, Timer{std::chrono::steady_clock::now() + interval, interval, repeating,
                              std::make_shared<Task>(std::move(task))});
    return id;
}

void StdEventLoop::StopTimer(TimerId id) {
    timers_.erase(id);
}

// Runs the tasks that were queued when it started, one at a time so a task may post more (they wait for the
// next pass) and a Quit stops the rest.
void StdEventLoop::RunPostedTasks() {
    std::unique_lock lock(mutex_);
    for (size_t count = tasks_.size(); count > 0 && !quit_ && !tasks_.empty(); --count) {
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

// Fires each timer that is due now once, in due order (ties in start order). A timer stopped by an earlier
// task of the same pass does not fire; one started during the pass waits for the next.
void StdEventLoop::RunDueTimers() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<std::pair<std::chrono::steady_clock::time_point, TimerId>> due;
    for (const auto& [id, timer] : timers_)
        if (timer.Due <= now) due.emplace_back(timer.Due, id);
    std::sort(due.begin(), due.end());
    for (const auto& [when, id] : due) {
        {
            std::lock_guard lock(mutex_);
            if (quit_) return;
        }
        const auto found = timers_.find(id);
        if (found == timers_.end() || found->second.Due > now) continue;
        std::shared_ptr<Task> task = found->second.Run;
        if (found->second.Repeating) {
            // Keep the beat, but a loop that fell behind resumes from now instead of firing a burst.
            Timer& timer = found->second;
            timer.Due += timer.Interval;
            if (timer.Due <= now) timer.Due = now + timer.Interval;
        } else {
            timers_.erase(found);
        }
        (*task)();
    }
}

void StdEventLoop::ProcessPending() {
    RunPostedTasks();
    RunDueTimers();
}

void StdEventLoop::Run() {
    for (;;) {
        RunPostedTasks();
        RunDueTimers();
        std::unique_lock lock(mutex_);
        if (quit_) {
            quit_ = false;  // the loop may be run again
            return;
        }
        if (!tasks_.empty()) continue;
        const auto ready = [this] { return quit_ || !tasks_.empty(); };
        if (timers_.empty()) {
            wake_.wait(lock, ready);
        } else {
            auto next = timers_.begin()->second.Due;
            for (const auto& entry : timers_)
                next = std::min(next, entry.second.Due);
            wake_.wait_until(lock, next, ready);
        }
    }
}

void StdEventLoop::Quit() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
}

void VirtualClockLoop::Post(Task task) {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
}

TimerId VirtualClockLoop::StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) {
    const TimerId id = nextTimer_++;
    if (repeating) interval = RepeatPeriod(interval);
    timers_.emplace(
        id, Timer{now_ + interval, interval, repeating, order_++, std::make_shared<Task>(std::move(task))});
    return id;
}

void VirtualClockLoop::StopTimer(TimerId id) {
    timers_.erase(id);
}

void VirtualClockLoop::ProcessPending() {
    RunReady();
}

// Runs posted tasks until none is left, including those the tasks post themselves.
void VirtualClockLoop::RunPostedTasks() {
    for (;;) {
        Task task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

// Fires the earliest timer due at or before the time given, moving the clock to its due time, then runs
// what its task posted. False when no timer is due by then.
bool VirtualClockLoop::FireNextDue(std::chrono::milliseconds until) {
    RunPostedTasks();
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.Due > until) continue;
        if (next == timers_.end() || it->second.Due < next->second.Due ||
            (it->second.Due == next->second.Due && it->second.Order < next->second.Order))
            next = it;
    }
    if (next == timers_.end()) return false;
    now_ = std::max(now_, next->second.Due);
    std::shared_ptr<Task> task = next->second.Run;
    if (next->second.Repeating) {
        next->second.Due += next->second.Interval;
        next->second.Order = order_++;
    } else {
        timers_.erase(next);
    }
    (*task)();
    RunPostedTasks();
    return true;
}

void VirtualClockLoop::RunReady() {
    while (FireNextDue(now_)) {
    }
    RunPostedTasks();
}

void VirtualClockLoop::Advance(std::chrono::milliseconds span) {
    const auto until = now_ + span;
    while (FireNextDue(until)) {
    }
    now_ = until;
    RunPostedTasks();
}

bool VirtualClockLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = now_ + limit;
    for (;;) {
        RunPostedTasks();
        if (done()) return true;
        if (!FireNextDue(until)) return done();
    }
}

}  // namespace qxed
