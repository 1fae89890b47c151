#include "text/temporary_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <limits>

namespace qxed::file_access::temporaries {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarker = ".qxed-tmp-";
// Enough of the target's name to tell the file apart, short enough for a 255-byte folder entry.
constexpr std::size_t kKeptNameLength = 96;

// A registry slot is free, being filled or emptied, or holds the path of a file being written. Only
// lock-free atomics and a fixed buffer, so that a signal handler can read it at any moment.
enum SlotState : int { kFree = 0, kBusy = 1, kHeld = 2 };
constexpr std::size_t kSlots = 8;
constexpr std::size_t kPathCapacity = 4096;

struct Slot {
    std::atomic<int> State{kFree};
    char Path[kPathCapacity] = {};
};
static_assert(std::atomic<int>::is_always_lock_free);

// Constant-initialized, so that a signal handler never meets it half made.
constinit std::array<Slot, kSlots> registry{};

std::array<Slot, kSlots>& Registry() {
    return registry;
}

// Digits only, at least one.
bool ParseNumber(std::string_view text, long long& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && text.front() != '-';
}

bool Runs(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string NewName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000;
    return "." + target.filename().string().substr(0, kKeptNameLength) + std::string(kMarker) +
           std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::to_string(tick);
}

std::optional<pid_t> WriterOf(std::string_view name) {
    if (!name.starts_with('.')) return std::nullopt;
    const std::size_t marker = name.rfind(kMarker);
    if (marker == std::string_view::npos || marker == 0) return std::nullopt;
    // "<pid>-<n>-<tick>"
    std::string_view rest = name.substr(marker + kMarker.size());
    long long numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::size_t dash = i < 2 ? rest.find('-') : rest.size();
        if (dash == std::string_view::npos || !ParseNumber(rest.substr(0, dash), numbers[i]))
            return std::nullopt;
        rest = i < 2 ? rest.substr(dash + 1) : std::string_view{};
    }
    if (numbers[0] <= 0 || numbers[0] > std::numeric_limits<pid_t>::max()) return std::nullopt;
    return static_cast<pid_t>(numbers[0]);
}

int Register(const std::string& path) noexcept {
    if (path.size() >= kPathCapacity) return -1;
    auto& slots = Registry();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].State.compare_exchange_strong(expected, kBusy)) continue;
        std::memcpy(slots[i].Path, path.c_str(), path.size() + 1);
        slots[i].State.store(kHeld);
        return static_cast<int>(i);
    }
    return -1;
}

void Unregister(int slot) noexcept {
    if (slot < 0 || static_cast<std::size_t>(slot) >= kSlots) return;
    Slot& entry = Registry()[static_cast<std::size_t>(slot)];
    entry.State.store(kBusy);
    entry.Path[0] = '\0';
    entry.State.store(kFree);
}

void RemoveRegistered() noexcept {
    for (Slot& slot : Registry()) {
        if (slot.State.load() == kHeld) ::unlink(slot.Path);
    }
}

int RemoveStale(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    if (error) return 0;
    int removed = 0;
    const pid_t self = ::getpid();
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) break;
        const fs::directory_entry& entry = *entries;
        const std::string name = entry.path().filename().string();
        const std::optional<pid_t> writer = WriterOf(name);
        if (!writer || *writer == self || Runs(*writer)) continue;
        // Only what this user's writer could have left: a regular file of this user, never a link.
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (::unlink(entry.path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace qxed::file_access::temporaries
