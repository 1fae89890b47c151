#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "plc/fixed_list.h"

namespace qxed {

constexpr int PlcTypeCount = 40;

// How a bit operand splits into a word number and a bit within that word.
enum class BitField { None, Bits8, Bits16Hex, Bits16Dec };

// Operand type names as shown to the user (UTF-8).
using OperandTypeNames = FixedList<std::string_view, 14>;

// Bounds of an operand number as entered; Min == Max == 0 means unbounded.
struct NumberRange {
    int32_t Min = 0;
    int32_t Max = 0;
};

struct BitLayout {
    BitField Field = BitField::None;
    std::string_view PlainCoilType = {};  // a coil type without bit field although the PLC has one
    std::string_view Separator = {};      // between word and bit label in operand texts
};

// Editor options a PLC type enables, combined as flags.
enum PlcOption : unsigned {
    PlcOptionAdvancedFunctions = 1u << 0,  // PLC run/stop key function
    PlcOptionAlarmList = 1u << 1,
    PlcOptionClockModule = 1u << 2,
};

// One PLC type of the catalogue.
struct PlcTypeRow {
    int Type;
    std::string_view Identifier;  // the name the edition file uses for the type
    int ListPosition;             // position in the PLC selection list
    OperandTypeNames RegisterTypes;
    OperandTypeNames CoilTypes;
    BitLayout Bits;
    bool StationShown;
    bool RegisterCountSelectable;
    NumberRange RegisterRange;
    NumberRange CoilRange;  // the word part where the type has a bit field
    unsigned Options;       // PlcOption flags
    int AnalogModuleMax;    // 0: the catalogue defines no bound
    // The register type offered alone by the text groups and the panel control registers,
    // empty where they get the full list.
    std::string_view WordRegisterAlone = {};
};

// nullptr outside 0..PlcTypeCount - 1.
const PlcTypeRow* FindPlcType(int plcType);

// Empty outside the catalogue.
std::string_view PlcIdentifier(int plcType);

// Exact, case-sensitive match of an identifier.
std::optional<int> PlcTypeOfIdentifier(std::string_view identifier);

// The selection list order: a position outside the list gives type 21, a type outside the
// catalogue shows at position 2.
int PlcTypeAtListPosition(int position);
int ListPositionOfPlcType(int plcType);

}  // namespace qxed
