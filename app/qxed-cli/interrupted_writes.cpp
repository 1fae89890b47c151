#include "interrupted_writes.h"

#include "text/file_access.h"

namespace qxed::cli {

namespace {

// Only async-signal-safe calls: the registry of temporary files is read without locks, and the signal is
// raised again with its default action, which takes effect once the handler returns.
extern "C" void RemoveTemporaryAndEnd(int signal) {
    file_access::RemoveTemporariesInProgress();
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(signal, &byDefault, nullptr);
    raise(signal);
}

}  // namespace

InterruptedWrites::InterruptedWrites() {
    struct sigaction handler {};
    handler.sa_handler = RemoveTemporaryAndEnd;
    sigemptyset(&handler.sa_mask);
    for (const int signal : kSignals)
        sigaddset(&handler.sa_mask, signal);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (sigaction(kSignals[i], nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN)
            continue;
        installed_[i] = sigaction(kSignals[i], &handler, nullptr) == 0;
    }
}

InterruptedWrites::~InterruptedWrites() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (installed_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
    }
}

}  // namespace qxed::cli
