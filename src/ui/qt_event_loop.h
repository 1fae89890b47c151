#pragma once
#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

#include "link/event_loop.h"

class QTimer;

namespace qxed {

// The link's event loop on the widget application's own loop: posted tasks are queued to the thread the
// loop was made on (the GUI thread), timers are QTimers there, and ProcessPending lets the application
// handle what waits, input included, so a window stays usable during a long step. Tasks and timers not
// yet run when the loop is destroyed are dropped.
class QtEventLoop : public EventLoop {
  public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void Post(Task task) override;
    TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) override;
    void StopTimer(TimerId id) override;
    void ProcessPending() override;

  private:
    void Fire(TimerId id);

    // Receives the queued tasks and owns the timers; deleting it drops whatever is still queued for it.
    std::unique_ptr<QObject> context_;
    struct Timer {
        QTimer* Qt;
        bool Repeating;
        // Shared, so that a timer stopped by its own task stays alive until that task returns.
        std::shared_ptr<Task> Run;
    };
    std::map<TimerId, Timer> timers_;
    TimerId nextTimer_ = 1;
};

}  // namespace qxed
