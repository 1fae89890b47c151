#pragma once
#include <atomic>
#include <csignal>
#include <functional>
#include <thread>

namespace qxed::cli {

// SIGINT, SIGTERM and SIGHUP (the terminal closing) as the download window's cancel button. While an
// instance lives the three signals are blocked in every thread started after it (the serial port's threads
// included) and a watcher thread takes them and calls onSignal there; the caller posts the cancel to its
// event loop. Signals still pending at the end are taken, not delivered, so a late Ctrl+C cannot kill the
// program while it reports the result.
class CancelSignals {
  public:
    explicit CancelSignals(std::function<void()> onSignal);
    ~CancelSignals();
    CancelSignals(const CancelSignals&) = delete;
    CancelSignals& operator=(const CancelSignals&) = delete;

  private:
    std::function<void()> onSignal_;
    sigset_t signals_;
    sigset_t previousMask_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

}  // namespace qxed::cli
