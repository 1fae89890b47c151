#include "cancel_signals.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

namespace qxed::cli {

namespace {

// How long the watcher waits for a signal before it looks whether it should stop.
constexpr long kWatchSliceNanoseconds = 50'000'000;

}  // namespace

CancelSignals::CancelSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    sigaddset(&signals_, SIGHUP);  // the terminal was closed
    pthread_sigmask(SIG_BLOCK, &signals_, &previousMask_);
    watcher_ = std::thread([this] {
        const timespec slice{0, kWatchSliceNanoseconds};
        while (!stop_.load()) {
            if (sigtimedwait(&signals_, nullptr, &slice) > 0 && onSignal_) onSignal_();
        }
    });
}

CancelSignals::~CancelSignals() {
    stop_.store(true);
    watcher_.join();
    const timespec now{0, 0};
    while (sigtimedwait(&signals_, nullptr, &now) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace qxed::cli
