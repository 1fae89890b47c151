#pragma once

#include <cstdint>
#include <string>

#include "plc/plc_address.h"

namespace qxed {

// Byte width of one register of a register type. A type index outside the list counts as
// an ordinary two-byte register.
int RegisterWidth(int plcType, int typeIndex);

// Which operand field a new operand is made for.
enum class OperandKind {
    Register,      // Address of Reg, Trend and Bar elements; RegAddress of key actions
    WordRegister,  // variable text, variable font text and ASCII text; panel control registers
    Coil,          // bit operands
};

PlcAddress DefaultOperand(int plcType, OperandKind kind);

// Register numbers as entered and as stored (Siemens stores byte addresses: ×8).
// Stored values beyond int32 saturate.
int32_t StoredRegisterNumber(int plcType, int32_t entered);
int32_t ShownRegisterNumber(int plcType, int32_t stored);

// A bit operand entered as word and bit, stored as one number (word × bits per word + bit)
// where the coil type has a bit field; otherwise the word is the number and the bit is
// ignored. Results beyond int32 saturate.
int32_t ComposeBitNumber(int plcType, int coilTypeIndex, int32_t word, int bit);

struct BitNumber {
    int32_t Word = 0;
    int Bit = 0;

    bool operator==(const BitNumber&) const = default;
};

// The inverse of ComposeBitNumber for stored numbers of 0 and above. The word is the
// quotient truncated toward zero and a negative remainder is moved into the bit range by
// adding the bits per word, so -1 reads word 0 bit 7 (not word -1) with eight bits.
BitNumber SplitBitNumber(int plcType, int coilTypeIndex, int32_t stored);

// The text of a bit operand, e.g. "M103", "MX10.3", "IR1005", "M100". A coil type outside
// the type's list is named "?".
std::string FormatBitAddress(int plcType, int coilTypeIndex, int32_t stored);

// The register or coil that follows in the PLC's own numbering; +1 and +2 saturate at the
// int32 maximum.
int32_t NextRegisterNumber(int plcType, int32_t number);
int32_t NextCoilNumber(int plcType, int32_t number);

// The lowest five decimal digits of n read as octal or hexadecimal digits, digits 8 and 9
// taken as they are; negative n yields the negated reading of -n.
int32_t Octal(int32_t n);
int32_t Hex(int32_t n);

// A value written in octal digits, as a decimal number (0o17 gives 17).
int32_t OctalDigits(uint16_t value);

}  // namespace qxed
