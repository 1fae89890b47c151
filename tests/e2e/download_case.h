#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/temp_folder.h"

namespace qxed::testing {

// The example project's panel (QX223) and PLC type.
constexpr int kExampleModel = 6;
constexpr int kExamplePlcType = 21;

// One download of qxed-cli against its own qxed-panelsim, with the panel's driver files in a data folder
// of its own.
struct DownloadCase {
    std::vector<std::string> Panel = {};  // simulator options besides --model, --once and the dumps
    std::string Command = "download";     // or "export"
    std::string File = QXED_EXAMPLE_QX2;
    std::vector<std::string> Cli = {};  // further qxed-cli options (--upgrade N, -o ...)
    int Model = kExampleModel;          // of the panel and of the driver files
    bool WriteDrivers = true;
    std::vector<std::string> DriverOptions = {};  // e.g. --driver-values for the driver files
    std::string Port = {};                        // instead of the panel's port, when given
    // No --port: the user's Qx200.Ini (in a config folder of the case's own) chooses COM7 as the download
    // port and maps it to the panel's port.
    bool PortFromSettings = false;
};

struct DownloadOutcome {
    RunResult Cli;
    RunResult Panel;                     // Out holds its line per finished download
    std::string Dump;                    // the image the panel received
    std::string Flash;                   // the panel's whole flash
    std::string DriverFile;              // the driver file the data folder holds for the panel
    std::shared_ptr<TempFolder> Folder;  // the data folder and the dumps, removed with the last copy
};

DownloadOutcome RunDownloadCase(const DownloadCase& downloadCase);
// Runs the cases at the same time: each costs the panel's 2.5 s wake-up delay.
std::vector<DownloadOutcome> RunDownloadCases(const std::vector<DownloadCase>& cases);

// The example project's image as qxed-cli build makes it, and the line it prints ("H=.. glyphs=.. L=..").
struct ExampleBuild {
    std::string Image;
    std::string Line;
};
const ExampleBuild& BuiltExample();

// A data file by hand: header for the model and PLC type, the image, and driver bytes behind it (padded with
// zeros to the length of the shortest driver file).
std::string MakeDataFile(int model, int plcType, const std::string& image, const std::string& driver = "");

// The bytes of "AA BB CC" hexadecimal text.
std::vector<uint8_t> ParseHex(const std::string& text);

}  // namespace qxed::testing
