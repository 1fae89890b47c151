#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/driver_file.h"

namespace qxed::panelsim {

// The driver bytes of a sample driver file: a pseudo-random pattern seeded by the panel model and the PLC
// type, so that files for different panels differ and a misplaced block shows in the flash.
std::vector<uint8_t> SampleDriverBytes(int modelIndex, int plcType);

// Writes the sample driver file for a panel model and PLC type into every language folder of
// dir/fsc/<En|sCh|Ru>/<GTK|HD6>, creating the folders. Returns the paths written, or nullopt with error set.
std::optional<std::vector<std::string>> WriteSampleDriverFiles(const std::string& dir, int modelIndex,
                                                               bool gtkDisplay, int plcType,
                                                               const DriverValues& values,
                                                               std::string& error);

}  // namespace qxed::panelsim
