#include "line_pacer.h"

#include <cerrno>
#include <ctime>

namespace qxed::panelsim {

LinePacer::LinePacer(int64_t bitsPerSecond, int64_t bitsPerByte)
    : bitsPerSecond_(bitsPerSecond), bitsPerByte_(bitsPerByte) {}

LineClock::time_point LinePacer::Arrival(LineClock::time_point now) {
    if (burstBytes_ == 0 || now >= lastArrival_) {
        burstStart_ = now;
        burstBytes_ = 0;
    }
    ++burstBytes_;
    lastArrival_ = burstStart_ + std::chrono::duration_cast<LineClock::duration>(BytesTime(burstBytes_));
    return lastArrival_;
}

std::chrono::nanoseconds LinePacer::BytesTime(int64_t count) const {
    return std::chrono::nanoseconds(count * bitsPerByte_ * 1'000'000'000 / bitsPerSecond_);
}

void SleepUntil(LineClock::time_point deadline) {
    const auto since =
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec at{};
    at.tv_sec = static_cast<time_t>(since / 1'000'000'000);
    at.tv_nsec = static_cast<long>(since % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

}  // namespace qxed::panelsim
