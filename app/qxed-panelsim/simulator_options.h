#pragma once
#include <string>
#include <vector>

#include "link/driver_file.h"
#include "simulated_panel.h"

namespace qxed::panelsim {

// The command line of qxed-panelsim.
struct SimulatorOptions {
    PanelOptions Panel;
    std::string LinkPath;           // symbolic link to the port; empty: print the port's path
    bool LineRate = false;          // emulate 57600 bit/s
    bool Once = false;              // exit after the first finished download
    std::string DumpPath;           // the received image, written on finish
    std::string DumpFlashPath;      // the whole flash, written on finish
    std::string WriteDriversDir;    // set: write the sample driver files there and exit
    int PlcType = -1;               // of the driver files
    DriverValues DriverFileValues;  // D1..D5 of the driver files
    bool Help = false;
};

// The options of the arguments after the program name; false with a message for bad usage. Numbers are
// decimal or 0x hexadecimal.
bool ParseSimulatorOptions(const std::vector<std::string>& args, SimulatorOptions& options,
                           std::string& error);

extern const char kSimulatorHelp[];

}  // namespace qxed::panelsim
