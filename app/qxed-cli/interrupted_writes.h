#pragma once
#include <csignal>
#include <iterator>

namespace qxed::cli {

// Ctrl+C, SIGTERM or a closed terminal while a file is written: the temporary file beside the target is
// removed and the program then ends as the signal would have ended it, so an interrupted write leaves
// neither a part of the new file nor a hidden copy of it. Installed for the life of an instance (a write);
// the handlers found are put back afterwards, and a signal that was ignored stays ignored.
class InterruptedWrites {
  public:
    InterruptedWrites();
    ~InterruptedWrites();
    InterruptedWrites(const InterruptedWrites&) = delete;
    InterruptedWrites& operator=(const InterruptedWrites&) = delete;

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[std::size(kSignals)] = {};
    bool installed_[std::size(kSignals)] = {};
};

}  // namespace qxed::cli
