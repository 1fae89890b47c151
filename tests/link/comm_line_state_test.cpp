#include "link/comm_line_state.h"

#include <gtest/gtest.h>

#include "link/comm.h"

namespace qxed {
namespace {

// A terminal as some other program may have left it: cooked, 7 data bits, even parity, 2 stop bits, flow
// control on.
termios UsedTerminal() {
    termios settings{};
    settings.c_iflag = ICRNL | IXON | IXOFF | INPCK | IGNPAR;
    settings.c_oflag = OPOST | ONLCR;
    settings.c_lflag = ICANON | ECHO | ISIG;
    settings.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
    cfsetspeed(&settings, B1200);
    return settings;
}

TEST(CommLineState, TheLineIsRawAndTakesOnlyThePortsSettings) {
    StdEventLoop loop;
    TComm comm(loop);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    const termios settings = LineTermios(UsedTerminal(), comm);
    EXPECT_EQ(cfgetospeed(&settings), B9600);
    EXPECT_EQ(cfgetispeed(&settings), B9600);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(settings.c_iflag & (ICRNL | IXON | IXOFF | INPCK | IGNPAR | PARMRK), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

TEST(CommLineState, SizeParityStopBitsAndFlowFollowTheProperties) {
    StdEventLoop loop;
    TComm comm(loop);
    comm.SetByteSize(TByteSize::_5);
    comm.SetStopBits(TStopBits::_1_5);  // sent as 1.5 stop bits with 5 data bits
    comm.SetParity(TParity::Space);
    comm.SetParityCheck(true);
    termios settings = LineTermios(UsedTerminal(), comm);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS5));
    EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), static_cast<tcflag_t>(PARENB | CMSPAR));
    EXPECT_EQ(settings.c_iflag & (INPCK | PARMRK | IGNPAR), static_cast<tcflag_t>(INPCK | PARMRK));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));  // the defaults
    EXPECT_TRUE(ReceiveOptionsOf(comm).ParityMarks);

    comm.SetParity(TParity::Odd);
    comm.SetByteSize(TByteSize::_7);
    comm.SetRtsControl(TRtsControl::RtsHandshake);
    comm.SetInx_XonXoffFlow(false);
    settings = LineTermios(UsedTerminal(), comm);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), static_cast<tcflag_t>(PARENB | PARODD));
    EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON));

    // A rate outside the table leaves the speed to the free-rate call.
    comm.SetBaudRate(14400);
    settings = LineTermios(UsedTerminal(), comm);
    EXPECT_EQ(cfgetospeed(&settings), B1200);
}

}  // namespace
}  // namespace qxed
