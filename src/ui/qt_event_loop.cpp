#include "ui/qt_event_loop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <utility>

namespace qxed {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() {
    for (auto& [id, timer] : timers_)
        timer.Qt->stop();
    timers_.clear();
    context_.reset();  // the timers go with it, and the tasks queued for it are discarded
}

void QtEventLoop::Post(Task task) {
    // Queued calls to one receiver run in the order they were posted, whichever thread posted them.
    QMetaObject::invokeMethod(
        context_.get(), [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

TimerId QtEventLoop::StartTimer(std::chrono::milliseconds interval, bool repeating, Task task) {
    const TimerId id = nextTimer_++;
    auto* timer = new QTimer(context_.get());
    timer->setSingleShot(!repeating);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(static_cast<int>(interval.count()));
    QObject::connect(timer, &QTimer::timeout, context_.get(), [this, id] { Fire(id); });
    timers_.emplace(id, Timer{timer, repeating, std::make_shared<Task>(std::move(task))});
    timer->start();
    return id;
}

void QtEventLoop::StopTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second.Qt->stop();
    // The timer may be the one whose timeout is running now: it goes when control is back in the loop.
    found->second.Qt->deleteLater();
    timers_.erase(found);
}

void QtEventLoop::Fire(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    const std::shared_ptr<Task> run = found->second.Run;
    if (!found->second.Repeating) StopTimer(id);
    (*run)();
}

void QtEventLoop::ProcessPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace qxed
