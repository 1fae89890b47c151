#pragma once
#include <cstdint>

#include "plc/plc_address.h"
#include "plc/plc_link.h"

namespace qxed {

// The project's settings block, field for field in stored order (72 bytes in the project file).
struct ProjectSettings {
    // Bits of CtrlFlags.
    static constexpr uint8_t kAutoPageNo = 0x01;
    static constexpr uint8_t kReportPageNo = 0x02;
    static constexpr uint8_t kAnalogInputOutput = 0x10;
    static constexpr uint8_t kDateTime = 0x20;
    static constexpr uint8_t kPanelStatusLed = 0x40;

    int32_t PlcType = 21;
    uint8_t CurrentModel = 0;
    int32_t PanelStation = 1;
    int32_t HomePageNo = 1;
    int32_t Password = 0;
    int32_t AlarmCount = 0;
    PlcAddress AlarmCoil;
    uint8_t BaudCode = 6;
    uint8_t Parity = 2;
    uint8_t SevenDataBits = 0;
    uint8_t OneStopBit = 1;
    uint8_t CtrlFlags = 0;
    PlcAddress CtrlReg;
    uint8_t ReservedByte = 0;  // kept through load and save, never edited
    int32_t ModuleNum = 1;
    int32_t PanelStatusLedNum = 1;  // 1 = 16 lamps, 2 = 32
    int32_t ScreenSaveTime = 3;     // index into the delay list
    uint8_t ScreenSaveTurnOffLight = 1;
    int32_t ScreenSavePageNo = 1;
    uint8_t BlueGroundWhiteText = 0;
    uint8_t PowerBeep = 0;
    uint8_t ExchangeWord = 0;
    uint8_t WriteNWords = 0;

    PlcLink Link() const;
    void SetLink(const PlcLink& link);

    bool operator==(const ProjectSettings&) const = default;
};

// The password a new or reset project gets: one decimal digit, so that the panel's password page can be
// opened with a single key press until the engineer chooses a real one.
constexpr int32_t kDefaultPassword = 0;

}  // namespace qxed
