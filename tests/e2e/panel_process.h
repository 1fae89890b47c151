#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

namespace qxed::testing {

// qxed-panelsim serving a pseudo-terminal of its own; its first line names the port.
class PanelProcess {
  public:
    explicit PanelProcess(const std::vector<std::string>& args);

    // The slave path of the panel's pseudo-terminal; empty when the simulator did not start.
    const std::string& Port() const { return port_; }
    // Waits until the simulator ends by itself (with --once after the first finished download), stopping
    // it with SIGTERM after the time-out. Out holds the lines after the port's path.
    RunResult Finish(std::chrono::milliseconds timeout);
    // Stops it with SIGTERM.
    RunResult Stop();

  private:
    std::unique_ptr<ChildProcess> process_;
    std::string port_;
};

// Runs qxed-panelsim --write-drivers: the sample driver files of the panel model for the PLC type below
// dir/fsc/, with further simulator options (e.g. --driver-values) as given. False when it fails.
bool WriteDriverFiles(const std::string& dir, int model, int plcType,
                      const std::vector<std::string>& extra = {});

}  // namespace qxed::testing
