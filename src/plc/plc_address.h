#pragma once

#include <cstdint>

namespace qxed {

// One operand reference into the PLC: a register (word operand) or a coil (bit operand).
struct PlcAddress {
    int32_t Station = 0;
    int32_t TypeIndex = 0;  // into the PLC type's register-type or coil-type list
    int32_t Number = 0;     // in stored form, see operand_numbers.h

    bool operator==(const PlcAddress&) const = default;
};

}  // namespace qxed
