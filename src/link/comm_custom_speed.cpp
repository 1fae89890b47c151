#include "link/comm_custom_speed.h"

// <asm/termbits.h> defines its own struct termios; <termios.h> and <sys/ioctl.h> must stay out of this file.
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace qxed {

bool SetCustomSpeed(int fd, uint32_t rate) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = rate;
    settings.c_ospeed = rate;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

std::optional<uint32_t> CurrentSpeed(int fd) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return settings.c_ospeed;
}

}  // namespace qxed
