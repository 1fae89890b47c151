#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "line_pacer.h"
#include "panel_port.h"
#include "simulated_panel.h"

namespace qxed::panelsim {

// Serves a simulated panel on its port: reads the downloader's bytes, feeds them to the panel and writes
// its replies. Without line-rate emulation a reply goes out as soon as its request is complete; with it,
// each request byte counts as received only when it would have arrived at 57600 bit/s, and a reply is
// written when its last byte would have arrived. Split replies always go out one byte per byte time, so
// that the downloader reads them as separate pieces.
class PanelServer {
  public:
    PanelServer(SimulatedPanel& panel, PanelPort& port, bool lineRate);

    // Called when the finish frame's "OK" has been written; returning false ends Run.
    std::function<bool()> OnFinished;
    // Called with each new violation of the panel's rules, and with each reply the line could not take.
    std::function<void(const std::string&)> OnViolation;
    std::function<void(const std::string&)> OnLineFault;

    // Serves until OnFinished asks to stop (then waits for the line to drain) or stopFd becomes readable.
    // Returns false after a failure of the line (the reason in the port's Error()).
    bool Run(int stopFd);
    // Replies the line could not take.
    int LineFaults() const { return lineFaults_; }

  private:
    struct Timed {
        LineClock::time_point At;
        std::vector<uint8_t> Bytes;
    };

    void Feed(std::span<const uint8_t> bytes, LineClock::time_point now);
    // Feeds the request bytes and writes the reply pieces that are due; true when OnFinished asked to stop.
    bool RunDue(LineClock::time_point now);
    bool ReadLine(LineClock::time_point now);
    void ReportViolations();

    SimulatedPanel& panel_;
    PanelPort& port_;
    bool lineRate_;
    LinePacer inbound_;
    LinePacer outbound_;
    std::deque<Timed> incoming_;  // request bytes not yet arrived (line rate only)
    std::deque<Timed> outgoing_;  // reply pieces to write at their time
    size_t violationsReported_ = 0;
    int lineFaults_ = 0;
    bool finishPending_ = false;
};

}  // namespace qxed::panelsim
