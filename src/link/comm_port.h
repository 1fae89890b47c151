#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace qxed {

enum class TParity { None, Odd, Even, Mark, Space };
enum class TStopBits { _1, _1_5, _2 };
enum class TByteSize { _5, _6, _7, _8 };
enum class TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };

// Raised by OpenPort with the reason; the port is left closed.
class ECommsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    ECommsError(const std::string& what, std::string reason)
        : std::runtime_error(what), Reason(std::move(reason)) {}
    std::string Reason;  // the system's reason where there is one ("No such file or directory")
};

// What the download needs of a serial port. TComm is the real one; the protocol tests use a scripted port
// on the virtual clock.
class CommPort {
  public:
    // Bytes received, delivered on the event loop's thread in arrival order. A reply may come in pieces,
    // and several replies may come in one piece.
    std::function<void(const uint8_t* buffer, uint16_t length)> OnReceiveData;

    virtual ~CommPort() = default;
    virtual void SetCommName(const std::string& name) = 0;
    virtual const std::string& CommName() const = 0;
    virtual void SetRtsControl(TRtsControl value) = 0;
    // Throws ECommsError with the reason when the port cannot be opened.
    virtual void OpenPort() = 0;
    // Does nothing when closed. No thread of the port runs once it returns.
    virtual void ClosePort() = 0;
    virtual bool IsOpen() const = 0;
    // Queues a copy of 1..65535 bytes; false (nothing sent) on a closed port, 0 bytes or a full queue.
    virtual bool WriteData(const uint8_t* buffer, size_t length) = 0;
};

}  // namespace qxed
