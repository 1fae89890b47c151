#include "link/step_gate.h"

#include <utility>

namespace qxed {

void StepTimer::Start(std::chrono::milliseconds interval, std::function<void()> task) {
    Stop();
    const uint64_t ticket = ++ticket_;
    id_ = loop_.StartTimer(interval, false,
                           [this, life = std::weak_ptr<int>(life_), ticket, task = std::move(task)] {
                               if (!life.expired()) Fire(ticket, task);
                           });
}

void StepTimer::Stop() {
    if (id_) loop_.StopTimer(*id_);
    id_.reset();
}

// A timer that fires while a step is under way is dropped with it. The owner's steps that process events
// have stopped their timers first, so what is dropped is never a time-out that still counts.
void StepTimer::Fire(uint64_t ticket, const std::function<void()>& task) {
    if (!id_ || ticket != ticket_) return;  // stopped or replaced since
    id_.reset();
    gate_.RunStep(task);
}

}  // namespace qxed
