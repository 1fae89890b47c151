#include "line_pacer.h"

#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "line_client.h"
#include "link/frames.h"
#include "panel_port.h"
#include "panel_server.h"

namespace qxed::panelsim {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr nanoseconds kByteTime(173'611);  // 10 bits at 57600 bit/s, truncated to whole nanoseconds

TEST(LinePacerTest, KeepsBytesOneByteTimeApart) {
    LinePacer line;
    const LineClock::time_point start{seconds(100)};
    // A burst: each byte after the previous one, counted from the first so that no rounding adds up.
    LineClock::time_point last{};
    for (int i = 1; i <= 1000; ++i)
        last = line.Arrival(start);
    EXPECT_EQ(last - start, nanoseconds(1000LL * 10 * 1'000'000'000 / 57600));
    // Handed over while the line is still busy: queued behind the burst.
    EXPECT_EQ(line.Arrival(start + 1ms), last + kByteTime);
    // Handed over after the line has gone quiet: one byte time from then.
    const LineClock::time_point later = start + 1s;
    EXPECT_EQ(line.Arrival(later), later + kByteTime);
}

// A server on a real pseudo-terminal, stopped through an event descriptor.
class ServedPanel {
  public:
    explicit ServedPanel(bool lineRate) : panel_(PanelOptions{}), server_(panel_, port_, lineRate) {
        opened_ = port_.Open();
        if (opened_) thread_ = std::thread([this] { server_.Run(stop_); });
    }
    ~ServedPanel() {
        const uint64_t one = 1;
        if (write(stop_, &one, sizeof one) < 0) return;
        if (thread_.joinable()) thread_.join();
        close(stop_);
    }
    bool Opened() const { return opened_; }
    const std::string& Path() const { return port_.SlavePath(); }

  private:
    SimulatedPanel panel_;
    PanelPort port_;
    PanelServer server_;
    int stop_ = eventfd(0, EFD_CLOEXEC);
    bool opened_ = false;
    std::thread thread_;
};

// The time from sending a request to the whole reply.
nanoseconds RoundTrip(LineClient& line, const std::vector<uint8_t>& frame, size_t replyLength) {
    const auto start = LineClock::now();
    EXPECT_TRUE(line.Send(frame));
    EXPECT_EQ(line.Receive(replyLength).size(), replyLength);
    return LineClock::now() - start;
}

TEST(PanelServerTest, PacesRequestsAndRepliesAtTheLineRate) {
    ServedPanel served(true);
    ASSERT_TRUE(served.Opened());
    LineClient line(served.Path());
    ASSERT_TRUE(line.IsOpen());
    RoundTrip(line, MakeFrame(0, std::vector<uint8_t>{kWakeUp}), kWakeUpReplyLength);
    RoundTrip(line, MakeFrame(0, ErasePayload(16)), 2);

    // 135 request bytes in, 2 reply bytes out.
    const std::vector<uint8_t> frame =
        MakeFrame(0, WritePayload(0x10004, std::vector<uint8_t>(kWriteBlock, 1)));
    const nanoseconds lineTime = kByteTime * (frame.size() + 2);
    const nanoseconds taken = RoundTrip(line, frame, 2);
    EXPECT_GE(taken, lineTime);
    EXPECT_LT(taken, lineTime + 30ms);  // generous: test machines are slow
}

TEST(PanelServerTest, AnswersAtOnceWithoutTheLineRate) {
    ServedPanel served(false);
    ASSERT_TRUE(served.Opened());
    LineClient line(served.Path());
    ASSERT_TRUE(line.IsOpen());
    std::vector<nanoseconds> times;
    for (int i = 0; i < 21; ++i)
        times.push_back(RoundTrip(line, MakeFrame(0, std::vector<uint8_t>{kIdentityRequest, 0x02}),
                                  kIdentityReplyLength));
    std::sort(times.begin(), times.end());
    EXPECT_LT(times[times.size() / 2], 2ms);  // the median: a loaded machine may delay a few
}

}  // namespace
}  // namespace qxed::panelsim
