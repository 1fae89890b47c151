#include "plc/operand_numbers.h"

#include <algorithm>
#include <limits>

#include "plc/fixed_list.h"
#include "plc/plc_catalogue.h"
#include "plc/plc_profile.h"

namespace qxed {
namespace {

enum class WidthRule {
    FourForC32,      // 4 for the register type named "C32", else 2
    OneByteShifted,  // 1 shifted left by the type index: byte, word, double word
    Four,            // every register type 4
};

struct RegisterWidthRow {
    WidthRule Rule;
    FixedList<int, 4> PlcTypes;
};

constexpr RegisterWidthRow RegisterWidths[] = {
    // clang-format off
    {WidthRule::FourForC32,     {0, 36, 37, 39}},
    {WidthRule::OneByteShifted, {2, 35}},
    {WidthRule::Four,           {19, 20, 34}},
    // clang-format on
};

constexpr int OrdinaryRegisterWidth = 2;
constexpr int ShiftedWidthTypes = 3;  // byte, word and double word

// Operand defaults that differ from station 1, register 0 and coil 0.
struct OperandDefaultRow {
    int PlcType;
    int32_t Station;
    int32_t RegisterNumber;
    int32_t CoilNumber;
};

// Columns: PLC type, station, register number, coil number (stored form).
constexpr OperandDefaultRow OperandDefaults[] = {
    // clang-format off
    {1,  1,   2000, 0},    // Koyo: R2000
    {3,  0,   0,    256},  // Omron: IR word 16 bit 0
    {24, 1,   1,    16},   // Crouzet: D1, D word 1 bit 0 (its operands count from 1)
    {28, 0,   0,    0},
    {31, 0,   0,    0},
    {33, 255, 0,    0},
    {37, 0,   0,    0},
    // clang-format on
};

constexpr OperandDefaultRow PlainOperandDefault = {-1, 1, 0, 0};

// How a PLC type counts registers and coils.
constexpr int OctalNumberedType = 1;  // Koyo: octal digits
constexpr int ByteAddressedType = 2;  // Siemens: registers stored as bit addresses
constexpr int ByteAddressScale = 8;
constexpr FixedList<int, 2> WordStepTwoTypes = {2, 30};  // word registers at byte addresses

constexpr int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The lowest five decimal digits of n as digits of the given base. Truncating division
// keeps every digit of a negative n at or below zero.
constexpr int32_t ReadDigits(int32_t n, int32_t base) {
    int32_t value = 0;
    int32_t weight = 1;
    for (int digit = 0; digit < 5; ++digit) {
        value += n % 10 * weight;
        n /= 10;
        weight *= base;
    }
    return value;
}

// Koyo numbering: read as octal digits, step on the 16-bit value, write back as octal digits.
int32_t NextOctalNumber(int32_t number) {
    return OctalDigits(static_cast<uint16_t>(Octal(number) + 1));
}

const OperandDefaultRow& OperandDefaultOf(int plcType) {
    for (const OperandDefaultRow& row : OperandDefaults)
        if (row.PlcType == plcType) return row;
    return PlainOperandDefault;
}

// The index of the register type that the single-type lists offer, within the full list.
int32_t WordRegisterIndex(int plcType) {
    const PlcTypeRow* row = FindPlcType(plcType);
    if (!row || row->WordRegisterAlone.empty()) return 0;
    const auto& names = row->RegisterTypes;
    return static_cast<int32_t>(std::find(names.begin(), names.end(), row->WordRegisterAlone) -
                                names.begin());
}

}  // namespace

int RegisterWidth(int plcType, int typeIndex) {
    for (const RegisterWidthRow& row : RegisterWidths) {
        if (!row.PlcTypes.Contains(plcType)) continue;
        switch (row.Rule) {
            case WidthRule::FourForC32: {
                const auto& names = FindPlcType(plcType)->RegisterTypes;
                const bool listed = typeIndex >= 0 && static_cast<size_t>(typeIndex) < names.size();
                return listed && names[typeIndex] == "C32" ? 4 : OrdinaryRegisterWidth;
            }
            case WidthRule::OneByteShifted:
                // Follows the index literally, also where the list offers the word type alone.
                if (typeIndex < 0 || typeIndex >= ShiftedWidthTypes) return OrdinaryRegisterWidth;
                return 1 << typeIndex;
            case WidthRule::Four:
                return 4;
        }
    }
    return OrdinaryRegisterWidth;
}

PlcAddress DefaultOperand(int plcType, OperandKind kind) {
    const OperandDefaultRow& defaults = OperandDefaultOf(plcType);
    PlcAddress address;
    address.Station = defaults.Station;
    switch (kind) {
        case OperandKind::Register:
            address.TypeIndex = WordRegisterIndex(plcType);
            address.Number = defaults.RegisterNumber;
            break;
        case OperandKind::WordRegister:
            address.Number = defaults.RegisterNumber;
            break;
        case OperandKind::Coil:
            address.Number = defaults.CoilNumber;
            break;
    }
    return address;
}

int32_t StoredRegisterNumber(int plcType, int32_t entered) {
    if (plcType != ByteAddressedType) return entered;
    return Saturate(int64_t{entered} * ByteAddressScale);
}

int32_t ShownRegisterNumber(int plcType, int32_t stored) {
    if (plcType != ByteAddressedType) return stored;
    return stored / ByteAddressScale;
}

int32_t ComposeBitNumber(int plcType, int coilTypeIndex, int32_t word, int bit) {
    const int bits = BitsPerWord(BitFieldOf(plcType, coilTypeIndex));
    if (bits == 0) return word;
    return Saturate(int64_t{word} * bits + bit);
}

BitNumber SplitBitNumber(int plcType, int coilTypeIndex, int32_t stored) {
    const int bits = BitsPerWord(BitFieldOf(plcType, coilTypeIndex));
    if (bits == 0) return {stored, 0};
    BitNumber split{stored / bits, stored % bits};
    if (split.Bit < 0) split.Bit += bits;
    return split;
}

std::string FormatBitAddress(int plcType, int coilTypeIndex, int32_t stored) {
    const PlcTypeRow* row = FindPlcType(plcType);
    std::string text = "?";
    if (row && coilTypeIndex >= 0 && static_cast<size_t>(coilTypeIndex) < row->CoilTypes.size())
        text = row->CoilTypes[coilTypeIndex];

    const BitField bitField = BitFieldOf(plcType, coilTypeIndex);
    if (bitField == BitField::None) return text + std::to_string(stored);

    const BitNumber split = SplitBitNumber(plcType, coilTypeIndex, stored);
    text += std::to_string(split.Word);
    text += row->Bits.Separator;
    text += BitLabels(bitField)[split.Bit];
    return text;
}

int32_t NextRegisterNumber(int plcType, int32_t number) {
    if (plcType == OctalNumberedType) return NextOctalNumber(number);
    const int step = WordStepTwoTypes.Contains(plcType) ? 2 : 1;
    return Saturate(int64_t{number} + step);
}

int32_t NextCoilNumber(int plcType, int32_t number) {
    if (plcType == OctalNumberedType) return NextOctalNumber(number);
    return Saturate(int64_t{number} + 1);
}

int32_t Octal(int32_t n) {
    return ReadDigits(n, 8);
}

int32_t Hex(int32_t n) {
    return ReadDigits(n, 16);
}

int32_t OctalDigits(uint16_t value) {
    int32_t digits = 0;
    int32_t weight = 1;
    for (unsigned rest = value; rest != 0; rest /= 8) {
        digits += static_cast<int32_t>(rest % 8) * weight;
        weight *= 10;
    }
    return digits;
}

}  // namespace qxed
