#include "link/comm.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <exception>
#include <utility>
#include <vector>

#include "link/comm_line_state.h"
#include "link/comm_link.h"

// The port on Linux, and where it parts from the classic serial API (the line properties and their termios
// equivalents, or the lack of one, are tabled in comm_line_state.cpp):
// - Exclusive access is TIOCEXCL, which privileged processes pass through, plus an advisory lock that keeps
//   every other port of this program off the device whoever runs it. A device held by another port fails
//   to open like a busy one.
// - The driver's queue sizes cannot be set on Linux (its buffers are the driver's own); "Cannot setup comm
//   buffer" is raised when the exclusive mode cannot be set.
// - Time-outs: the receive thread waits with poll() and hands over whatever each read returns at once, which
//   is what the download asks for (a 1 ms read interval); the write time-outs are all 0, "none". Linux has
//   no per-port time-outs that fit that design, so the five properties are stored and re-applying them on
//   an open port does nothing.
// - Line errors are known only where the terminal marks them (parity checking on, see comm_line_state.cpp);
//   OnReceiveError then carries 4. Overruns are not reported: the per-port counters are missing on
//   pseudo-terminals and on many USB adapters.
// - Modem lines cannot be waited for with poll(); on a port that has them the receive thread looks at them
//   every 100 ms and raises OnModemStateChange with 8 for a carrier-detect change and 4 for a ring. A
//   pseudo-terminal has none and raises nothing.
// - Events that the threads posted but that had not run when the port closed are dropped: they belong to a
//   port the owner has given up, and a reopened port starts afresh.

namespace qxed {

namespace {

// How long closing waits for each thread. Both wake on the close event at once; the limit only guards
// against a driver call that never returns.
constexpr std::chrono::milliseconds kThreadLimit(10000);

// A descriptor closed when the open fails half way.
class PortDescriptor {
  public:
    explicit PortDescriptor(int fd) : fd_(fd) {}
    ~PortDescriptor() {
        if (fd_ < 0) return;
        if (exclusive_) ioctl(fd_, TIOCNXCL);
        close(fd_);
    }
    PortDescriptor(const PortDescriptor&) = delete;
    PortDescriptor& operator=(const PortDescriptor&) = delete;

    int Get() const { return fd_; }
    void SetExclusive() { exclusive_ = true; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
    bool exclusive_ = false;
};

}  // namespace

struct TComm::Open {
    std::shared_ptr<CommOwner> Owner;
    std::shared_ptr<CommLink> Link;
    std::unique_ptr<CommThread> Reader;
    std::unique_ptr<CommThread> Writer;
};

TComm::TComm(EventLoop& loop) : loop_(loop) {}

TComm::~TComm() {
    ClosePort();
}

void TComm::OpenPort() {
    if (open_) throw ECommsError("This serial port already opened");

    const std::string path = ResolvePortName(commName_);
    PortDescriptor port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (port.Get() < 0) throw ECommsError("Error opening serial port", std::strerror(errno));
    struct stat status {};
    termios settings{};
    if (fstat(port.Get(), &status) != 0 || !S_ISCHR(status.st_mode) || tcgetattr(port.Get(), &settings) != 0)
        throw ECommsError("File handle is not a comm handle ", "not a serial device");
    if (flock(port.Get(), LOCK_EX | LOCK_NB) != 0)
        throw ECommsError("Error opening serial port", "in use by another program");
    if (ioctl(port.Get(), TIOCEXCL) != 0) throw ECommsError("Cannot setup comm buffer");
    port.SetExclusive();

    tcflush(port.Get(), TCIOFLUSH);
    const ReceiveOptions options = SetLineState(port.Get(), *this);

    const int closeEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    const int sendEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (closeEvent < 0 || sendEvent < 0) {
        if (closeEvent >= 0) close(closeEvent);
        if (sendEvent >= 0) close(sendEvent);
        throw ECommsError("Unable to create event");
    }

    auto open = std::make_unique<Open>();
    open->Owner = std::make_shared<CommOwner>();
    open->Owner->Port = this;
    open->Link = std::make_shared<CommLink>(port.Get(), closeEvent, sendEvent, loop_, open->Owner);
    port.Release();  // the link closes it now
    open->Link->ReceiveWord = options.Pack();
    try {
        open->Reader = std::make_unique<CommThread>([link = open->Link] { link->Receive(); });
    } catch (const std::exception&) {
        throw ECommsError("Unable to create read thread");
    }
    try {
        open->Writer = std::make_unique<CommThread>([link = open->Link] { link->Transmit(); });
    } catch (const std::exception&) {
        open->Link->SignalClose();
        open->Reader->Stop(kThreadLimit);
        throw ECommsError("Unable to create write thread");
    }
    open_ = std::move(open);
}

void TComm::ClosePort() {
    if (!open_) return;
    const std::unique_ptr<Open> open = std::move(open_);
    open->Owner->Port = nullptr;
    open->Link->SignalClose();
    open->Reader->Stop(kThreadLimit);
    open->Writer->Stop(kThreadLimit);
    tcflush(open->Link->Fd(), TCIOFLUSH);
    // The descriptors close with the last holder of the link: here, unless a thread had to be left behind.
}

bool TComm::IsOpen() const {
    return open_ != nullptr;
}

bool TComm::WriteData(const uint8_t* buffer, size_t length) {
    if (!open_ || buffer == nullptr || length == 0 || length > 65535) return false;
    return open_->Link->Queue(std::vector<uint8_t>(buffer, buffer + length));
}

bool TComm::SendDataEmpty() const {
    return !open_ || open_->Link->SendDataEmpty();
}

void TComm::ApplyLineState() {
    if (open_) open_->Link->ReceiveWord = SetLineState(open_->Link->Fd(), *this).Pack();
}

// Nothing to apply on Linux (see the top of this file); kept so the setters read as the others do.
void TComm::ApplyTimeouts() {}

template <typename T>
void TComm::StoreLineSetting(T& field, T value) {
    if (field == value) return;
    field = value;
    ApplyLineState();
}

template <typename T>
void TComm::StoreTimeout(T& field, T value) {
    if (field == value) return;
    field = value;
    ApplyTimeouts();
}

// The name is used by the next OpenPort.
void TComm::SetCommName(const std::string& name) {
    if (commName_ != name) commName_ = name;
}

void TComm::SetRtsControl(TRtsControl value) {
    StoreLineSetting(rtsControl_, value);
}
void TComm::SetBaudRate(uint32_t value) {
    StoreLineSetting(baudRate_, value);
}
void TComm::SetParityCheck(bool value) {
    StoreLineSetting(parityCheck_, value);
}
void TComm::SetOutx_CtsFlow(bool value) {
    StoreLineSetting(outxCtsFlow_, value);
}
void TComm::SetOutx_DsrFlow(bool value) {
    StoreLineSetting(outxDsrFlow_, value);
}
void TComm::SetDtrControl(TDtrControl value) {
    StoreLineSetting(dtrControl_, value);
}
void TComm::SetDsrSensitivity(bool value) {
    StoreLineSetting(dsrSensitivity_, value);
}
void TComm::SetTxContinueOnXoff(bool value) {
    StoreLineSetting(txContinueOnXoff_, value);
}
void TComm::SetOutx_XonXoffFlow(bool value) {
    StoreLineSetting(outxXonXoffFlow_, value);
}
void TComm::SetInx_XonXoffFlow(bool value) {
    StoreLineSetting(inxXonXoffFlow_, value);
}
void TComm::SetReplaceWhenParityError(bool value) {
    StoreLineSetting(replaceWhenParityError_, value);
}
void TComm::SetIgnoreNullChar(bool value) {
    StoreLineSetting(ignoreNullChar_, value);
}
void TComm::SetXonLimit(uint16_t value) {
    StoreLineSetting(xonLimit_, value);
}
void TComm::SetXoffLimit(uint16_t value) {
    StoreLineSetting(xoffLimit_, value);
}
void TComm::SetByteSize(TByteSize value) {
    StoreLineSetting(byteSize_, value);
}
void TComm::SetParity(TParity value) {
    StoreLineSetting(parity_, value);
}
void TComm::SetStopBits(TStopBits value) {
    StoreLineSetting(stopBits_, value);
}
void TComm::SetXonChar(char value) {
    StoreLineSetting(xonChar_, value);
}
void TComm::SetXoffChar(char value) {
    StoreLineSetting(xoffChar_, value);
}
void TComm::SetReplacedChar(char value) {
    StoreLineSetting(replacedChar_, value);
}

void TComm::SetReadIntervalTimeout(uint32_t value) {
    StoreTimeout(readIntervalTimeout_, value);
}
void TComm::SetReadTotalTimeoutMultiplier(uint32_t value) {
    StoreTimeout(readTotalTimeoutMultiplier_, value);
}
void TComm::SetReadTotalTimeoutConstant(uint32_t value) {
    StoreTimeout(readTotalTimeoutConstant_, value);
}
void TComm::SetWriteTotalTimeoutMultiplier(uint32_t value) {
    StoreTimeout(writeTotalTimeoutMultiplier_, value);
}
void TComm::SetWriteTotalTimeoutConstant(uint32_t value) {
    StoreTimeout(writeTotalTimeoutConstant_, value);
}

}  // namespace qxed
