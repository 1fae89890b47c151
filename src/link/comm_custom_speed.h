#pragma once
#include <cstdint>
#include <optional>

namespace qxed {

// Line speeds outside the terminal's standard rate table, set through the kernel's free-rate interface
// (kept apart because its headers clash with <termios.h>). Both work on the open terminal descriptor.
bool SetCustomSpeed(int fd, uint32_t rate);
// The output speed in bit/s as the kernel holds it, whatever way it was set.
std::optional<uint32_t> CurrentSpeed(int fd);

}  // namespace qxed
