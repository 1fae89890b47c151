#include "link/comm.h"
#include "link/download.h"

namespace qxed {

void ApplyDownloadLineSettings(TComm& comm) {
    comm.SetBaudRate(57600);
    comm.SetByteSize(TByteSize::_8);
    comm.SetParity(TParity::None);
    comm.SetStopBits(TStopBits::_1);
    comm.SetDtrControl(TDtrControl::DtrEnable);
    comm.SetRtsControl(TRtsControl::RtsDisable);
    comm.SetOutx_CtsFlow(false);
    comm.SetOutx_DsrFlow(false);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    // Bytes are handed over as soon as the line pauses for a millisecond.
    comm.SetReadIntervalTimeout(1);
    comm.SetReadTotalTimeoutMultiplier(0);
    comm.SetReadTotalTimeoutConstant(0);
    comm.SetWriteTotalTimeoutMultiplier(0);
    comm.SetWriteTotalTimeoutConstant(0);
}

}  // namespace qxed
