#pragma once

#include <cstdint>
#include <optional>

namespace qxed {

// The serial line parameters between panel and PLC, as stored in the project.
struct LineSettings {
    uint8_t BaudCode = 6;  // 3 = 2400, 4 = 4800, 5 = 9600, 6 = 19200, 9 = 38400, 10 = 115200
    uint8_t Parity = 2;    // 0 none, 1 odd, 2 even
    uint8_t SevenDataBits = 0;
    uint8_t OneStopBit = 1;

    bool operator==(const LineSettings&) const = default;
};

// The project's link to its PLC. The line defaults are those of the default type 21.
struct PlcLink {
    int32_t PlcType = 21;
    int32_t PanelStation = 1;
    uint8_t BaudCode = 6;
    uint8_t Parity = 2;
    uint8_t SevenDataBits = 0;
    uint8_t OneStopBit = 1;

    bool operator==(const PlcLink&) const = default;
};

// The line parameters a PLC type starts with; nullopt where the type has none (5, 9 and
// types outside the catalogue), meaning the current parameters stay.
std::optional<LineSettings> DefaultLineSettings(int plcType);

void ApplyLineSettings(PlcLink& link, const LineSettings& settings);

}  // namespace qxed
