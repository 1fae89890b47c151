#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "link/comm_port.h"
#include "link/event_loop.h"
#include "simulated_panel.h"

namespace qxed::testing {

// A line from the download to a simulated panel: what the download writes reaches the panel at once, and
// each piece of the panel's answer comes back as its own receive event through the loop, as from a port.
class PanelLoopback : public CommPort {
  public:
    PanelLoopback(EventLoop& loop, panelsim::SimulatedPanel& panel) : loop_(loop), panel_(panel) {}

    void SetCommName(const std::string& name) override { name_ = name; }
    const std::string& CommName() const override { return name_; }
    void SetRtsControl(TRtsControl) override {}
    void OpenPort() override {
        if (open_) throw ECommsError("This serial port already opened");
        open_ = true;
    }
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool WriteData(const uint8_t* buffer, size_t length) override {
        if (!open_ || length == 0) return false;
        for (std::vector<uint8_t>& piece : panel_.Receive({buffer, length})) {
            loop_.Post([this, piece = std::move(piece)] {
                if (OnReceiveData) OnReceiveData(piece.data(), static_cast<uint16_t>(piece.size()));
            });
        }
        return true;
    }

  private:
    EventLoop& loop_;
    panelsim::SimulatedPanel& panel_;
    std::string name_;
    bool open_ = false;
};

}  // namespace qxed::testing
