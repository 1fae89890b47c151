#include "link/comm_line_state.h"

#include <sys/ioctl.h>

#include <cstddef>
#include <type_traits>

#include "link/comm.h"
#include "link/comm_custom_speed.h"

// How the port's line properties map onto a Linux terminal (raw mode, CLOCAL and CREAD always on):
//
// | property                 | Linux                                                                    |
// |--------------------------|--------------------------------------------------------------------------|
// | BaudRate                 | cfsetspeed with the standard rate (kSpeeds); another rate through the    |
// |                          | kernel's free-rate call; when the driver refuses it, or for 0 (which     |
// |                          | would hang up the line), the speed stays as it was                       |
// | ByteSize                 | CS5..CS8                                                                 |
// | Parity                   | PARENB, PARODD; Mark and Space add CMSPAR                                |
// | StopBits                 | _2 sets CSTOPB; _1_5 sets it too: the UART sends 1.5 stop bits with 5    |
// |                          | data bits, the one size where 1.5 is valid, and 2 with the others        |
// | ParityCheck              | INPCK with PARMRK: the receive thread decodes the marks, reports the     |
// |                          | error through OnReceiveError (flag 4, parity; framing errors and breaks  |
// |                          | are marked the same way) and passes the byte on                          |
// | ReplaceWhenParityError,  | done by the receive thread on the marked bytes                           |
// |   ReplacedChar           |                                                                          |
// | IgnoreNullChar           | done by the receive thread: zero bytes are dropped                       |
// | Outx_CtsFlow             | CRTSCTS                                                                  |
// | RtsControl               | Enable: RTS raised; Disable: lowered; Handshake: CRTSCTS, the kernel     |
// |                          | drives RTS; TransmissionAvailable (toggle): no equivalent, RTS raised    |
// | DtrControl               | Enable: DTR raised; Disable: lowered; Handshake: no DTR flow control on  |
// |                          | Linux, DTR raised                                                        |
// | Outx_XonXoffFlow         | IXON                                                                     |
// | Inx_XonXoffFlow          | IXOFF                                                                    |
// | XonChar, XoffChar        | c_cc[VSTART], c_cc[VSTOP]                                                |
// | Outx_DsrFlow             | no equivalent (no DSR flow control): stored only                         |
// | DsrSensitivity           | no equivalent: stored only                                               |
// | TxContinueOnXoff         | no equivalent (the kernel always keeps sending): stored only             |
// | XonLimit, XoffLimit      | no equivalent (the kernel's thresholds are fixed): stored only           |
//
// Raising and lowering the modem lines fails on a pseudo-terminal, which has none; such failures are ignored
// so that a pseudo-terminal is a valid port.

namespace qxed {

namespace {

struct SpeedCode {
    uint32_t Rate;
    speed_t Code;
};

constexpr SpeedCode kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

struct ByteSizeBits {
    TByteSize Size;
    tcflag_t Bits;
};

constexpr ByteSizeBits kByteSizes[] = {
    {TByteSize::_5, CS5},
    {TByteSize::_6, CS6},
    {TByteSize::_7, CS7},
    {TByteSize::_8, CS8},
};

struct ParityBits {
    TParity Parity;
    tcflag_t Bits;
};

constexpr ParityBits kParities[] = {
    {TParity::None, 0},
    {TParity::Odd, PARENB | PARODD},
    {TParity::Even, PARENB},
    {TParity::Mark, PARENB | PARODD | CMSPAR},
    {TParity::Space, PARENB | CMSPAR},
};

struct StopBitsBits {
    TStopBits Stop;
    tcflag_t Bits;
};

constexpr StopBitsBits kStopBits[] = {
    {TStopBits::_1, 0},
    {TStopBits::_1_5, CSTOPB},
    {TStopBits::_2, CSTOPB},
};

enum class Line { Raise, Lower, Kernel };

struct DtrUse {
    TDtrControl Control;
    Line Dtr;
};

constexpr DtrUse kDtrUses[] = {
    {TDtrControl::DtrEnable, Line::Raise},
    {TDtrControl::DtrDisable, Line::Lower},
    {TDtrControl::DtrHandshake, Line::Raise},
};

struct RtsUse {
    TRtsControl Control;
    Line Rts;
    bool Handshake;  // CRTSCTS
};

constexpr RtsUse kRtsUses[] = {
    {TRtsControl::RtsEnable, Line::Raise, false},
    {TRtsControl::RtsDisable, Line::Lower, false},
    {TRtsControl::RtsHandshake, Line::Kernel, true},
    {TRtsControl::RtsTransmissionAvailable, Line::Raise, false},
};

// The entry of a table whose field holds the key; null when none does.
template <typename Entry, size_t N, typename Key>
const Entry* Find(const Entry (&table)[N], Key Entry::*field, std::type_identity_t<Key> key) {
    for (const Entry& entry : table)
        if (entry.*field == key) return &entry;
    return nullptr;
}

void SetModemLine(int fd, int line, Line use) {
    if (use == Line::Kernel) return;
    int bits = line;
    (void)ioctl(fd, use == Line::Raise ? TIOCMBIS : TIOCMBIC, &bits);
}

}  // namespace

uint32_t ReceiveOptions::Pack() const {
    return (ParityMarks ? 1u : 0u) | (Replace ? 2u : 0u) | (IgnoreNull ? 4u : 0u) |
           (static_cast<uint32_t>(static_cast<uint8_t>(ReplacedChar)) << 8);
}

ReceiveOptions ReceiveOptions::Unpack(uint32_t word) {
    ReceiveOptions options;
    options.ParityMarks = (word & 1u) != 0;
    options.Replace = (word & 2u) != 0;
    options.IgnoreNull = (word & 4u) != 0;
    options.ReplacedChar = static_cast<char>((word >> 8) & 0xFFu);
    return options;
}

ReceiveOptions ReceiveOptionsOf(const TComm& comm) {
    ReceiveOptions options;
    options.ParityMarks = comm.ParityCheck();
    options.Replace = comm.ParityCheck() && comm.ReplaceWhenParityError();
    options.ReplacedChar = comm.ReplacedChar();
    options.IgnoreNull = comm.IgnoreNullChar();
    return options;
}

termios LineTermios(const termios& present, const TComm& comm) {
    termios settings = present;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    if (const auto* speed = Find(kSpeeds, &SpeedCode::Rate, comm.BaudRate()))
        cfsetspeed(&settings, speed->Code);

    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    if (const auto* size = Find(kByteSizes, &ByteSizeBits::Size, comm.ByteSize()))
        settings.c_cflag |= size->Bits;
    if (const auto* parity = Find(kParities, &ParityBits::Parity, comm.Parity()))
        settings.c_cflag |= parity->Bits;
    if (const auto* stop = Find(kStopBits, &StopBitsBits::Stop, comm.StopBits()))
        settings.c_cflag |= stop->Bits;
    const RtsUse* rts = Find(kRtsUses, &RtsUse::Control, comm.RtsControl());
    if (comm.Outx_CtsFlow() || (rts && rts->Handshake)) settings.c_cflag |= CRTSCTS;

    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
    if (comm.Outx_XonXoffFlow()) settings.c_iflag |= IXON;
    if (comm.Inx_XonXoffFlow()) settings.c_iflag |= IXOFF;
    if (comm.ParityCheck()) settings.c_iflag |= INPCK | PARMRK;
    settings.c_cc[VSTART] = static_cast<cc_t>(comm.XonChar());
    settings.c_cc[VSTOP] = static_cast<cc_t>(comm.XoffChar());
    return settings;
}

ReceiveOptions SetLineState(int fd, const TComm& comm) {
    termios present{};
    if (tcgetattr(fd, &present) == 0) {
        const termios settings = LineTermios(present, comm);
        (void)tcsetattr(fd, TCSANOW, &settings);
        if (!Find(kSpeeds, &SpeedCode::Rate, comm.BaudRate()) && comm.BaudRate() != 0)
            (void)SetCustomSpeed(fd, comm.BaudRate());
    }
    if (const auto* dtr = Find(kDtrUses, &DtrUse::Control, comm.DtrControl()))
        SetModemLine(fd, TIOCM_DTR, dtr->Dtr);
    if (const auto* rts = Find(kRtsUses, &RtsUse::Control, comm.RtsControl()))
        SetModemLine(fd, TIOCM_RTS, rts->Rts);
    return ReceiveOptionsOf(comm);
}

}  // namespace qxed
