#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "link/event_loop.h"

namespace qxed {

// Keeps the steps of an exchange on the event loop from running inside one another. A step (the handler
// of a reply or a timer) may process events: a long computation calls ProcessPending, and a modal message
// box in the editor spins the loop. A reply or a timer that arrives meanwhile finds a step under way and
// is dropped. Other calls (a cancel from the window) may run inside a step; all of them count as calls,
// and when the outermost call leaves, the gate says so: the owner reports what must wait until nothing of
// it is on the stack any more.
class StepGate {
  public:
    explicit StepGate(std::function<void()> onOutermostLeft) : onOutermostLeft_(std::move(onOutermostLeft)) {}

    // One call into the owner, for as long as it lives.
    class Call {
      public:
        explicit Call(StepGate& gate) : gate_(gate) { ++gate_.calls_; }
        // The callback may release the owner, gate included: it is the last thing done.
        ~Call() {
            if (--gate_.calls_ == 0) gate_.onOutermostLeft_();
        }
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

      private:
        StepGate& gate_;
    };

    // Runs the step unless one is under way; false when it was dropped.
    template <typename Body>
    bool RunStep(Body&& body) {
        if (stepping_) return false;
        Call call(*this);
        Stepping step(stepping_);
        body();
        return true;
    }

    bool InCall() const { return calls_ > 0; }

  private:
    class Stepping {
      public:
        explicit Stepping(bool& flag) : flag_(flag) { flag_ = true; }
        ~Stepping() { flag_ = false; }
        Stepping(const Stepping&) = delete;
        Stepping& operator=(const Stepping&) = delete;

      private:
        bool& flag_;
    };

    std::function<void()> onOutermostLeft_;
    int calls_ = 0;
    bool stepping_ = false;
};

// A single-shot timer whose task runs as a step of the gate. A ticket tells the timer started last from one
// stopped or replaced since, whose event a loop may still deliver when it had already queued it: such an
// event does nothing, also after the timer is gone.
class StepTimer {
  public:
    StepTimer(EventLoop& loop, StepGate& gate) : loop_(loop), gate_(gate) {}
    ~StepTimer() { Stop(); }
    StepTimer(const StepTimer&) = delete;
    StepTimer& operator=(const StepTimer&) = delete;

    void Start(std::chrono::milliseconds interval, std::function<void()> task);
    void Stop();

  private:
    void Fire(uint64_t ticket, const std::function<void()>& task);

    EventLoop& loop_;
    StepGate& gate_;
    std::optional<TimerId> id_;
    uint64_t ticket_ = 0;
    std::shared_ptr<int> life_ = std::make_shared<int>(0);  // its events look whether the timer still lives
};

}  // namespace qxed
