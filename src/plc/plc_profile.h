#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plc/plc_catalogue.h"

namespace qxed {

// What the editor offers for a PLC type: operand types, number bounds and options.
struct PlcProfile {
    std::vector<std::string> RegisterTypes;
    std::vector<std::string> CoilTypes;
    int32_t RegisterNumberMin = 0;  // both bounds 0: unbounded
    int32_t RegisterNumberMax = 0;
    int32_t CoilNumberMin = 0;  // the word part where a bit field exists
    int32_t CoilNumberMax = 0;
    qxed::BitField BitField = qxed::BitField::None;
    bool StationShown = false;
    bool RegisterCountSelectable = false;
    bool AdvancedFunctions = false;
    bool AlarmListAvailable = false;
    bool ClockModuleAvailable = false;
    int AnalogModuleMax = 0;
};

// Analog module bound of the types for which the catalogue defines none, and of the types
// without operands. No type offers analog modules, so it only has to keep the default
// module count of 1 valid.
constexpr int UndefinedAnalogModuleMax = 3;

// Sharp, AB and types outside the catalogue get an empty profile: no operand types,
// unbounded numbers, no options.
PlcProfile PlcProfileOf(int plcType);

// Which register-type list an operand group offers.
enum class RegisterList {
    Full,
    WordAlone,  // variable text, variable font text, ASCII text, panel control registers
};

std::vector<std::string> RegisterTypeNames(int plcType, RegisterList list);

// The bit field of a coil type; None for coil types of the PLC that have none (Schneider
// "M") and outside the catalogue.
BitField BitFieldOf(int plcType, int coilTypeIndex);

// Bits in one word: 8, 16, or 0 without bit field.
int BitsPerWord(BitField bitField);

// The labels of the bit list, indexed by bit.
std::vector<std::string> BitLabels(BitField bitField);

}  // namespace qxed
