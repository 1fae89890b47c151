#pragma once
#include <array>
#include <cstdint>

#include "model/key_action.h"
#include "plc/operand_numbers.h"  // Octal and Hex, the digit readings the tables use
#include "plc/plc_address.h"

// How the panel receives PLC operands and key actions: every PLC type has its own numbering, which these
// rules map the editor's operand (station, type index, number) onto.
namespace qxed {

// Station, type code, number (u16 little-endian, its low 16 bits).
using EncodedOperand = std::array<uint8_t, 4>;
EncodedOperand EncodeWordOperand(const PlcAddress& address, int plcType);
EncodedOperand EncodeBitOperand(const PlcAddress& address, int plcType);

// Bytes of one register of the operand's type.
int RegisterByteWidth(const PlcAddress& address, int plcType);
// Register count x register byte width: the value of an image length byte. The caller refuses values
// beyond 255 rather than writing a wrapped byte.
int64_t OperandLength(int32_t registerCount, const PlcAddress& address, int plcType);

// 1-based position of a function key code in the panel's key order; 43 for a code not in it.
int KeyPosition(int32_t keyCode);

// The 13-byte image form of a key action: function, parameter, operand, page, length byte, set value.
// The length byte is OperandLength cut to its low byte; the builder checks it first.
std::array<uint8_t, 13> KeyActionBlock(const KeyAction& action, int plcType);

}  // namespace qxed
