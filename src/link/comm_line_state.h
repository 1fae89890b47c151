#pragma once
#include <termios.h>

#include <cstdint>

namespace qxed {

class TComm;

// What the receive thread does to the bytes it reads, from the line settings that termios cannot do.
struct ReceiveOptions {
    bool ParityMarks = false;  // errors arrive marked (PARMRK): decode them
    bool Replace = false;      // a byte with an error becomes ReplacedChar
    char ReplacedChar = 0;
    bool IgnoreNull = false;  // zero bytes are dropped

    // One word, so the receive thread can read the options the owner changes while it runs.
    uint32_t Pack() const;
    static ReceiveOptions Unpack(uint32_t word);
};

// The terminal settings for the port's line settings, made from the terminal's present ones. The speed is
// set only when it is in the standard table (see SetLineState for the others).
termios LineTermios(const termios& present, const TComm& comm);
// What the receive thread has to do for the port's line settings.
ReceiveOptions ReceiveOptionsOf(const TComm& comm);

// Applies the port's line settings to an open terminal at once; failures of the modem-line calls (a
// pseudo-terminal has no modem lines) are ignored. Returns what is left for the receive thread.
ReceiveOptions SetLineState(int fd, const TComm& comm);

}  // namespace qxed
