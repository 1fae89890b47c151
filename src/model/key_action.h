#pragma once
#include <cstdint>

#include "plc/plc_address.h"

namespace qxed {

// What a key does on the panel: shared by function keys, touch keys and the project's global keys.
struct KeyAction {
    static constexpr uint8_t kSetCoil = 0;
    static constexpr uint8_t kPageJump = 1;
    static constexpr uint8_t kAdvanced = 2;
    static constexpr uint8_t kNoFunction = 3;  // global keys only
    static constexpr uint8_t kSetData = 4;

    int32_t Key = 1;  // panel key code; touch keys do not use it
    uint8_t Disappear = 0;
    uint8_t WithHand = 1;
    uint8_t Encrypt = 0;
    uint8_t Function = kSetCoil;
    PlcAddress Coil;
    uint8_t CoilAction = 0;  // 0 ON, 1 OFF, 2 invert, 3 momentary ON
    uint8_t Jump = 0;        // 0 page, 1 password page, 2 alarm list, 3 date/time page
    int32_t PageNo = 0;
    uint8_t PlcStop = 0;  // 0 run, 1 stop
    PlcAddress RegAddress;
    int32_t RegNum = 1;
    int32_t SetValue = 0;

    bool operator==(const KeyAction&) const = default;
};

}  // namespace qxed
