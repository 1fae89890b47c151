#include "image/operand_encoding.h"

#include <algorithm>
#include <limits>
#include <span>

#include "plc/fixed_list.h"
#include "plc/operand_numbers.h"

namespace qxed {
namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
constexpr int kAnyTypeIndex = -1;
constexpr int kKeepTypeCode = -1;

// How a rule turns the operand number n into the panel's number: Scale(n - Base) + Offset.
enum class Scale {
    Plain,          // n
    Twice,          // 2 n
    Half,           // n div 2
    Octal,          // n read as octal digits
    BitInTypeCode,  // type code n mod 16, number n div 16 (Offset and Base unused)
};

// One line of an operand table: for this PLC type and type index, numbers From..To (inclusive) become
// Scale(n - Base) + Offset, and the type code becomes TypeCode unless it is kKeepTypeCode.
struct OperandRule {
    int PlcType;
    int TypeIndex;
    int32_t From;
    int32_t To;
    Scale How;
    int32_t Base;
    int32_t Offset;
    int TypeCode = kKeepTypeCode;
};

// Columns: PLC type, type index, number range, scale, base, offset, type code.
constexpr OperandRule kWordRules[] = {
    // clang-format off
    {13, 0,  kLowest, kHighest, Scale::Plain, 0, 1024},
    {13, 1,  kLowest, kHighest, Scale::Plain, 0, 3072},
    {13, 3,  kLowest, kHighest, Scale::Plain, 0, 512},
    {13, 4,  kLowest, kHighest, Scale::Plain, 0, 3984},

    {21, 0,  8000,    kHighest, Scale::Plain, 0, 8384},
    {21, 1,  8000,    kHighest, Scale::Plain, 0, 18624},
    {21, 1,  kLowest, 7999,     Scale::Plain, 0, 18432},
    {21, 2,  kLowest, kHighest, Scale::Plain, 0, 12288},
    {21, 3,  kLowest, kHighest, Scale::Plain, 0, 14336},
    {21, 4,  kLowest, kHighest, Scale::Plain, 0, 28672},
    {21, 5,  kLowest, kHighest, Scale::Plain, 0, 8000},
    {21, 6,  kLowest, kHighest, Scale::Plain, 0, 9100},

    {22, 1,  kLowest, kHighest, Scale::Plain, 0, 8500},
    {22, 2,  kLowest, kHighest, Scale::Plain, 0, 9000},
    {22, 3,  200,     kHighest, Scale::Twice, 0, 9300},
    {22, 3,  kLowest, 199,      Scale::Plain, 0, 9500},
    {22, 4,  kLowest, kHighest, Scale::Plain, 0, 8000},

    {26, 0,  kLowest, kHighest, Scale::Plain, 0, 17208},
    {26, 1,  kLowest, kHighest, Scale::Plain, 0, 16384},
    {26, 2,  200,     kHighest, Scale::Twice, 0, 16696},
    {26, 2,  kLowest, 199,      Scale::Plain, 0, 16896},
    {26, 3,  kLowest, kHighest, Scale::Plain, 0, 25752},
    {26, 4,  200,     kHighest, Scale::Twice, 0, 26064},
    {26, 4,  kLowest, 199,      Scale::Plain, 0, 26264},

    {30, 0,  kLowest, kHighest, Scale::Half,  0, 3000},

    {38, 1,  kLowest, kHighest, Scale::Plain, 0, 41088},
    {38, 2,  kLowest, kHighest, Scale::Plain, 0, 50368},
    {38, 3,  kLowest, 9999,     Scale::Plain, 0, 20480},
    {38, 3,  10000,   19999,    Scale::Plain, 0, 10736},
    {38, 3,  20000,   kHighest, Scale::Plain, 0, 2736},
    {38, 4,  kLowest, 9999,     Scale::Plain, 0, 24576},
    {38, 4,  10000,   19999,    Scale::Plain, 0, 14832},
    {38, 4,  20000,   kHighest, Scale::Plain, 0, 6832},
    {38, 5,  kLowest, kHighest, Scale::Plain, 0, 32768},
    {38, 6,  kLowest, kHighest, Scale::Plain, 0, 48256},
    {38, 7,  kLowest, kHighest, Scale::Plain, 0, 40960},
    {38, 8,  kLowest, kHighest, Scale::Plain, 0, 36864},
    {38, 9,  kLowest, kHighest, Scale::Plain, 0, 49280},
    {38, 10, kLowest, kHighest, Scale::Plain, 0, 50304},
    {38, 11, kLowest, kHighest, Scale::Plain, 0, 28672},
    {38, 12, kLowest, kHighest, Scale::Plain, 0, 47232},
    {38, 13, kLowest, kHighest, Scale::Plain, 0, 58560},

    {39, 0,  kLowest, kHighest, Scale::Plain, 0, 0,   0xA0},
    {39, 1,  kLowest, kHighest, Scale::Plain, 0, 0,   0xA1},
    {39, 2,  kLowest, kHighest, Scale::Plain, 0, 0,   0xA8},
    {39, 3,  kLowest, kHighest, Scale::Plain, 0, 0,   0xA2},
    {39, 4,  kLowest, kHighest, Scale::Plain, 0, 0,   0xAC},
    {39, 5,  kLowest, kHighest, Scale::Plain, 0, 200, 0xAD},
    // clang-format on
};

constexpr OperandRule kBitRules[] = {
    // clang-format off
    {0,  1,  kLowest, kHighest, Scale::Octal, 0, 0},
    {0,  2,  kLowest, kHighest, Scale::Octal, 0, 0},
    {36, 1,  kLowest, kHighest, Scale::Octal, 0, 0},
    {36, 2,  kLowest, kHighest, Scale::Octal, 0, 0},
    {37, 1,  kLowest, kHighest, Scale::Octal, 0, 0},
    {37, 2,  kLowest, kHighest, Scale::Octal, 0, 0},

    {4,  1,  kLowest, kHighest, Scale::Plain, 0, 0, 2},

    {21, 0,  8000,    kHighest, Scale::Plain, 0, 16576},
    {21, 1,  kLowest, kHighest, Scale::Octal, 0, 16384},
    {21, 2,  kLowest, kHighest, Scale::Octal, 0, 18432},
    {21, 3,  kLowest, kHighest, Scale::Plain, 0, 25600},
    {21, 4,  kLowest, kHighest, Scale::Plain, 0, 27648},
    {21, 5,  kLowest, kHighest, Scale::Plain, 0, 20480},

    {22, 0,  kLowest, kHighest, Scale::Plain, 0, 2000},
    {22, 1,  kLowest, kHighest, Scale::Octal, 0, 1200},
    {22, 2,  kLowest, kHighest, Scale::Octal, 0, 0},
    {22, 3,  kLowest, kHighest, Scale::Plain, 0, 8000},
    {22, 4,  kLowest, kHighest, Scale::Plain, 0, 9200},
    {22, 5,  kLowest, kHighest, Scale::Plain, 0, 6000},
    {22, 6,  kLowest, kHighest, Scale::Plain, 0, 4400},

    {26, 0,  kLowest, 1535,     Scale::Plain, 0, 512},
    {26, 0,  1536,    7679,     Scale::Plain, 0, 5888},
    {26, 0,  8000,    kHighest, Scale::Plain, 0, -4160},
    {26, 1,  kLowest, kHighest, Scale::Octal, 0, 0},
    {26, 2,  kLowest, kHighest, Scale::Octal, 0, 256},
    {26, 3,  kLowest, kHighest, Scale::Plain, 0, 3072},
    {26, 4,  kLowest, kHighest, Scale::Plain, 0, 3584},
    {26, 5,  kLowest, 1023,     Scale::Plain, 0, 2048},
    {26, 5,  1024,    kHighest, Scale::Plain, 0, 3328},

    {30, 0,  kLowest, kHighest, Scale::Plain, 0, 3000},

    {38, 1,  kLowest, kHighest, Scale::Plain, 0,     49408},
    {38, 2,  kLowest, 9999,     Scale::Octal, 0,     20480},
    {38, 2,  10000,   19999,    Scale::Octal, 10000, 20736},
    {38, 2,  20000,   kHighest, Scale::Octal, 20000, 22736},
    {38, 3,  kLowest, 9999,     Scale::Octal, 0,     24576},
    {38, 3,  10000,   19999,    Scale::Octal, 10000, 24832},
    {38, 3,  20000,   kHighest, Scale::Octal, 20000, 26832},
    {38, 4,  kLowest, kHighest, Scale::Plain, 0,     40960},
    {38, 5,  kLowest, kHighest, Scale::Plain, 0,     57600},
    {38, 6,  kLowest, kHighest, Scale::Plain, 0,     49152},
    {38, 7,  kLowest, kHighest, Scale::Plain, 0,     45056},
    {38, 8,  kLowest, kHighest, Scale::Plain, 0,     58624},
    {38, 9,  kLowest, kHighest, Scale::Plain, 0,     59648},
    {38, 10, kLowest, kHighest, Scale::Plain, 0,     28672},
    {38, 11, kLowest, kHighest, Scale::Plain, 0,     55552},
    {38, 12, kLowest, kHighest, Scale::Plain, 0,     36864},
    {38, 13, kLowest, kHighest, Scale::Plain, 0,     49280},

    {39, 0,  kLowest, kHighest, Scale::Plain, 0, 0, 146},
    {39, 1,  kLowest, kHighest, Scale::Octal, 0, 0, 144},
    {39, 2,  kLowest, kHighest, Scale::Octal, 0, 0, 145},
    {39, 3,  kLowest, kHighest, Scale::Plain, 0, 0, 147},
    {39, 4,  kLowest, kHighest, Scale::Plain, 0, 0, 152},
    {39, 5,  kLowest, kHighest, Scale::Plain, 0, 0, 153},
    {39, 6,  kLowest, kHighest, Scale::Plain, 0, 0, 156},
    {39, 7,  kLowest, kHighest, Scale::Plain, 0, 0, 157},
    {39, 8,  kLowest, kHighest, Scale::Plain, 0, 0, 148},
    {39, 9,  kLowest, kHighest, Scale::Plain, 0, 0, 149},
    {39, 10, kLowest, kHighest, Scale::Plain, 0, 0, 151},

    {27, kAnyTypeIndex, kLowest, kHighest, Scale::BitInTypeCode, 0, 0},
    // clang-format on
};

// PLC types whose operands all travel with type code 0: the number alone says what they are.
using PlcTypeList = FixedList<int, 5>;
constexpr PlcTypeList kWordTypeCodeZero = {13, 21, 22, 26, 38};
constexpr PlcTypeList kBitTypeCodeZero = {21, 22, 26, 38};

// The transform every number of a PLC type takes last, for both operand kinds.
enum class Finish {
    Octal,          // Octal(n)
    OctalHundreds,  // n mod 100 + 16 Octal(n div 100)
    Hex,            // Hex(n)
    Hundreds,       // n mod 100 + 16 (n div 100)
};

struct FinishRow {
    int PlcType;
    Finish How;
};

constexpr FinishRow kFinishes[] = {
    // clang-format off
    {1,  Finish::Octal},
    {14, Finish::OctalHundreds},
    {23, Finish::Hex},
    {27, Finish::Hundreds},
    // clang-format on
};

// Position order of the function keys: positions First..Last hold key codes FirstCode onwards.
struct KeyOrderRow {
    int First;
    int Last;
    int32_t FirstCode;
};

constexpr KeyOrderRow kKeyOrder[] = {
    // clang-format off
    {1,  8,  0},
    {9,  18, 10},
    {19, 19, 9},
    {20, 20, 8},
    {21, 21, 20},
    {22, 22, 21},
    {23, 32, 32},
    {33, 42, 22},
    // clang-format on
};
constexpr int kNoKeyPosition = 43;

// Octal and Hex read only the lowest five decimal digits, so a wide value may be cut to them first.
int64_t OctalOf(int64_t n) {
    return Octal(static_cast<int32_t>(n % 100000));
}
int64_t HexOf(int64_t n) {
    return Hex(static_cast<int32_t>(n % 100000));
}

const OperandRule* FindRule(std::span<const OperandRule> rules, int plcType, const PlcAddress& address) {
    for (const OperandRule& rule : rules) {
        if (rule.PlcType != plcType) continue;
        if (rule.TypeIndex != kAnyTypeIndex && rule.TypeIndex != address.TypeIndex) continue;
        if (address.Number < rule.From || address.Number > rule.To) continue;
        return &rule;
    }
    return nullptr;
}

int64_t FinishNumber(int plcType, int64_t n) {
    for (const FinishRow& row : kFinishes) {
        if (row.PlcType != plcType) continue;
        switch (row.How) {
            case Finish::Octal:
                return OctalOf(n);
            case Finish::OctalHundreds:
                return n % 100 + 16 * OctalOf(n / 100);
            case Finish::Hex:
                return HexOf(n);
            case Finish::Hundreds:
                return n % 100 + 16 * (n / 100);
        }
    }
    return n;
}

// Numbers are worked out in 64 bits so that no stored value can overflow; only the low 16 bits travel.
EncodedOperand Encode(std::span<const OperandRule> rules, const PlcTypeList& typeCodeZero,
                      const PlcAddress& address, int plcType) {
    int64_t typeCode = address.TypeIndex;
    int64_t number = address.Number;
    if (const OperandRule* rule = FindRule(rules, plcType, address)) {
        const int64_t n = number - rule->Base;
        switch (rule->How) {
            case Scale::Plain:
                number = n + rule->Offset;
                break;
            case Scale::Twice:
                number = 2 * n + rule->Offset;
                break;
            case Scale::Half:
                number = n / 2 + rule->Offset;
                break;
            case Scale::Octal:
                number = OctalOf(n) + rule->Offset;
                break;
            case Scale::BitInTypeCode:
                typeCode = n % 16;
                number = n / 16;
                break;
        }
        if (rule->TypeCode != kKeepTypeCode) typeCode = rule->TypeCode;
    }
    if (typeCodeZero.Contains(plcType)) typeCode = 0;
    number = FinishNumber(plcType, number);

    const auto low16 = static_cast<uint16_t>(static_cast<uint64_t>(number));
    return {static_cast<uint8_t>(address.Station), static_cast<uint8_t>(typeCode),
            static_cast<uint8_t>(low16 & 0xFF), static_cast<uint8_t>(low16 >> 8)};
}

template <size_t Size>
void PutLittleEndian(uint8_t* out, uint64_t value) {
    for (size_t i = 0; i < Size; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

EncodedOperand EncodeWordOperand(const PlcAddress& address, int plcType) {
    return Encode(kWordRules, kWordTypeCodeZero, address, plcType);
}

EncodedOperand EncodeBitOperand(const PlcAddress& address, int plcType) {
    return Encode(kBitRules, kBitTypeCodeZero, address, plcType);
}

int RegisterByteWidth(const PlcAddress& address, int plcType) {
    return RegisterWidth(plcType, address.TypeIndex);
}

int64_t OperandLength(int32_t registerCount, const PlcAddress& address, int plcType) {
    return int64_t{registerCount} * RegisterByteWidth(address, plcType);
}

int KeyPosition(int32_t keyCode) {
    for (const KeyOrderRow& row : kKeyOrder) {
        const int64_t offset = int64_t{keyCode} - row.FirstCode;
        if (offset >= 0 && offset <= row.Last - row.First) return row.First + static_cast<int>(offset);
    }
    return kNoKeyPosition;
}

std::array<uint8_t, 13> KeyActionBlock(const KeyAction& action, int plcType) {
    std::array<uint8_t, 13> block{};
    block[0] = action.Function;
    switch (action.Function) {
        case KeyAction::kSetCoil:
            block[1] = action.CoilAction;
            break;
        case KeyAction::kPageJump:
            block[1] = action.Jump;
            break;
        case KeyAction::kAdvanced:
            block[1] = action.PlcStop;
            break;
        default:
            break;
    }
    const EncodedOperand operand = action.Function == KeyAction::kSetCoil
                                       ? EncodeBitOperand(action.Coil, plcType)
                                       : EncodeWordOperand(action.RegAddress, plcType);
    std::copy(operand.begin(), operand.end(), block.begin() + 2);
    PutLittleEndian<2>(&block[6], static_cast<uint32_t>(action.PageNo));
    block[8] = static_cast<uint8_t>(OperandLength(action.RegNum, action.RegAddress, plcType));
    PutLittleEndian<4>(&block[9], static_cast<uint32_t>(action.SetValue));
    return block;
}

}  // namespace qxed
