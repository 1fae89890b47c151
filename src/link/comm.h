#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/comm_port.h"
#include "link/event_loop.h"

namespace qxed {

// The serial port component on a Linux terminal device: one open port, a receive thread and a transmit
// thread that wait with poll() on the port and on an eventfd that plays the close event, and five events
// that run on the event loop's thread in the order the threads posted them. Bytes cross threads only inside
// posted tasks that own them.
//
// Properties keep the classic serial-port names and defaults. Those with a terminal equivalent are applied
// through termios (see comm_line_state.cpp for the mapping and for the ones Linux has no equivalent of).
// Events posted by a port's threads but not yet run when the port closes are dropped.
class TComm : public CommPort {
  public:
    explicit TComm(EventLoop& loop);
    ~TComm() override;  // closes the port
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // CommPort
    void SetCommName(const std::string& name) override;
    const std::string& CommName() const override { return commName_; }
    void SetRtsControl(TRtsControl value) override;
    void OpenPort() override;
    void ClosePort() override;
    bool IsOpen() const override;
    bool WriteData(const uint8_t* buffer, size_t length) override;

    // The remaining events (OnReceiveData is CommPort's).
    std::function<void(uint32_t eventMask)> OnReceiveError;
    std::function<void(uint32_t modemEvent)> OnModemStateChange;  // 8 carrier detect, 4 ring, OR-ed
    std::function<void()> OnRequestHangup;
    std::function<void()> OnSendDataEmpty;

    // Line-setting properties: a change on an open port re-applies the line state at once.
    uint32_t BaudRate() const { return baudRate_; }
    void SetBaudRate(uint32_t value);
    bool ParityCheck() const { return parityCheck_; }
    void SetParityCheck(bool value);
    bool Outx_CtsFlow() const { return outxCtsFlow_; }
    void SetOutx_CtsFlow(bool value);
    bool Outx_DsrFlow() const { return outxDsrFlow_; }
    void SetOutx_DsrFlow(bool value);
    TDtrControl DtrControl() const { return dtrControl_; }
    void SetDtrControl(TDtrControl value);
    bool DsrSensitivity() const { return dsrSensitivity_; }
    void SetDsrSensitivity(bool value);
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool value);
    bool Outx_XonXoffFlow() const { return outxXonXoffFlow_; }
    void SetOutx_XonXoffFlow(bool value);
    bool Inx_XonXoffFlow() const { return inxXonXoffFlow_; }
    void SetInx_XonXoffFlow(bool value);
    bool ReplaceWhenParityError() const { return replaceWhenParityError_; }
    void SetReplaceWhenParityError(bool value);
    bool IgnoreNullChar() const { return ignoreNullChar_; }
    void SetIgnoreNullChar(bool value);
    TRtsControl RtsControl() const { return rtsControl_; }
    uint16_t XonLimit() const { return xonLimit_; }
    void SetXonLimit(uint16_t value);
    uint16_t XoffLimit() const { return xoffLimit_; }
    void SetXoffLimit(uint16_t value);
    TByteSize ByteSize() const { return byteSize_; }
    void SetByteSize(TByteSize value);
    TParity Parity() const { return parity_; }
    void SetParity(TParity value);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits value);
    char XonChar() const { return xonChar_; }
    void SetXonChar(char value);
    char XoffChar() const { return xoffChar_; }
    void SetXoffChar(char value);
    char ReplacedChar() const { return replacedChar_; }
    void SetReplacedChar(char value);

    // Time-out properties (ms): a change on an open port re-applies the time-outs at once.
    uint32_t ReadIntervalTimeout() const { return readIntervalTimeout_; }
    void SetReadIntervalTimeout(uint32_t value);
    uint32_t ReadTotalTimeoutMultiplier() const { return readTotalTimeoutMultiplier_; }
    void SetReadTotalTimeoutMultiplier(uint32_t value);
    uint32_t ReadTotalTimeoutConstant() const { return readTotalTimeoutConstant_; }
    void SetReadTotalTimeoutConstant(uint32_t value);
    uint32_t WriteTotalTimeoutMultiplier() const { return writeTotalTimeoutMultiplier_; }
    void SetWriteTotalTimeoutMultiplier(uint32_t value);
    uint32_t WriteTotalTimeoutConstant() const { return writeTotalTimeoutConstant_; }
    void SetWriteTotalTimeoutConstant(uint32_t value);

    // True when nothing waits to be sent.
    bool SendDataEmpty() const;

  private:
    EventLoop& loop_;
    std::string commName_ = "COM2";
    uint32_t baudRate_ = 9600;
    bool parityCheck_ = false;
    bool outxCtsFlow_ = false;
    bool outxDsrFlow_ = false;
    TDtrControl dtrControl_ = TDtrControl::DtrEnable;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = true;
    bool outxXonXoffFlow_ = true;
    bool inxXonXoffFlow_ = true;
    bool replaceWhenParityError_ = false;
    bool ignoreNullChar_ = false;
    TRtsControl rtsControl_ = TRtsControl::RtsEnable;
    uint16_t xonLimit_ = 500;
    uint16_t xoffLimit_ = 500;
    TByteSize byteSize_ = TByteSize::_8;
    TParity parity_ = TParity::None;
    TStopBits stopBits_ = TStopBits::_1;
    char xonChar_ = 17;
    char xoffChar_ = 19;
    char replacedChar_ = 0;
    uint32_t readIntervalTimeout_ = 100;
    uint32_t readTotalTimeoutMultiplier_ = 0;
    uint32_t readTotalTimeoutConstant_ = 0;
    uint32_t writeTotalTimeoutMultiplier_ = 0;
    uint32_t writeTotalTimeoutConstant_ = 0;

    // Setters store a different value only and re-apply the line state or the time-outs of an open port.
    template <typename T>
    void StoreLineSetting(T& field, T value);
    template <typename T>
    void StoreTimeout(T& field, T value);
    void ApplyLineState();
    void ApplyTimeouts();

    // The open port, its threads and what they share (defined in comm.cpp).
    struct Open;
    std::unique_ptr<Open> open_;
};

// The device path of a port name: a name starting with "/" is used as it is; "COM<n>" (n >= 1) is the
// value of key "COM<n>" in section "Ports" of the user's Qx200.Ini when present, else /dev/ttyS<n-1>;
// anything else is used as it is (and fails to open).
std::string ResolvePortName(const std::string& name);

}  // namespace qxed
