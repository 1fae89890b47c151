#pragma once
#include <chrono>
#include <cstdint>

namespace qxed::panelsim {

// The download's line: 57600 bit/s, and 8N1 puts 10 bits on the line per byte (173.6 us).
constexpr int64_t kLineBitsPerSecond = 57600;
constexpr int64_t kLineBitsPerByte = 10;

using LineClock = std::chrono::steady_clock;  // CLOCK_MONOTONIC

// One direction of a serial line: when each byte handed to it has completely arrived at the far end. A byte
// takes one byte time and cannot start before the previous one has arrived. The times of a burst are
// counted from its first byte, so rounding never accumulates.
class LinePacer {
  public:
    explicit LinePacer(int64_t bitsPerSecond = kLineBitsPerSecond, int64_t bitsPerByte = kLineBitsPerByte);

    // The arrival of the next byte, handed to the line at now.
    LineClock::time_point Arrival(LineClock::time_point now);
    // The time of count bytes in a row.
    std::chrono::nanoseconds BytesTime(int64_t count) const;

  private:
    int64_t bitsPerSecond_;
    int64_t bitsPerByte_;
    LineClock::time_point burstStart_{};
    LineClock::time_point lastArrival_{};
    int64_t burstBytes_ = 0;
};

// Sleeps until the deadline on the monotonic clock (an absolute deadline, so the sleep does not drift).
void SleepUntil(LineClock::time_point deadline);

}  // namespace qxed::panelsim
