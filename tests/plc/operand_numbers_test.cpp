#include "plc/operand_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "plc/plc_profile.h"

namespace qxed {
namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();
constexpr int Koyo = 1, Siemens = 2, Omron = 3, Schneider = 4, Free = 11, Crouzet = 24;

TEST(OperandNumbersTest, BitOperandsComposeAndRead) {
    EXPECT_EQ(ComposeBitNumber(Free, 0, 3, 12), 60);
    EXPECT_EQ(ComposeBitNumber(Siemens, 0, 10, 3), 83);
    EXPECT_EQ(FormatBitAddress(Siemens, 0, 83), "M103");
    EXPECT_EQ(ComposeBitNumber(Schneider, 1, 10, 3), 83);
    EXPECT_EQ(FormatBitAddress(Schneider, 1, 83), "MX10.3");
    EXPECT_EQ(ComposeBitNumber(Schneider, 0, 83, 5), 83);  // no bit field: the bit is ignored
    EXPECT_EQ(FormatBitAddress(Schneider, 0, 83), "M83");
    EXPECT_EQ(FormatBitAddress(Omron, 0, ComposeBitNumber(Omron, 0, 10, 5)), "IR1005");
    EXPECT_EQ(FormatBitAddress(6, 0, 2 * 16 + 10), "R2A");
    // Coil types or PLC types outside the catalogue still give a text.
    EXPECT_EQ(FormatBitAddress(Siemens, 9, 83), "?103");
    EXPECT_EQ(FormatBitAddress(Schneider, -1, 83), "?10.3");
    EXPECT_EQ(FormatBitAddress(-1, 0, 5), "?5");
}

// Every word of a short range; otherwise its first 2048 words, a spread and its last 64.
std::vector<int32_t> SampleWords(int32_t first, int32_t last) {
    std::vector<int32_t> words;
    for (int64_t word = first; word <= last;) {
        words.push_back(static_cast<int32_t>(word));
        const bool spread = word - first >= 2048 && last - word > 64;
        word += spread ? std::min<int64_t>(999'983, last - 64 - word) : 1;
    }
    return words;
}

TEST(OperandNumbersTest, SplitInvertsComposeOverTheCoilRange) {
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcProfile profile = PlcProfileOf(type);
        for (int coil = 0; coil < static_cast<int>(profile.CoilTypes.size()); ++coil) {
            const int bits = BitsPerWord(BitFieldOf(type, coil));
            if (bits == 0) continue;
            const bool bounded = profile.CoilNumberMin != 0 || profile.CoilNumberMax != 0;
            const int32_t last = bounded ? profile.CoilNumberMax : (Max - (bits - 1)) / bits;
            for (int32_t word : SampleWords(profile.CoilNumberMin, last))
                for (int bit = 0; bit < bits; ++bit)
                    ASSERT_EQ(SplitBitNumber(type, coil, ComposeBitNumber(type, coil, word, bit)),
                              (BitNumber{word, bit}))
                        << type << " " << coil;
        }
    }
}

TEST(OperandNumbersTest, NegativeAndExtremeBitNumbers) {
    // Truncating division: a negative number reads one word toward zero.
    EXPECT_EQ(SplitBitNumber(Siemens, 0, -1), (BitNumber{0, 7}));
    EXPECT_EQ(SplitBitNumber(Siemens, 0, -8), (BitNumber{-1, 0}));
    EXPECT_EQ(SplitBitNumber(Free, 0, -17), (BitNumber{-1, 15}));
    EXPECT_EQ(SplitBitNumber(Free, 0, Min), (BitNumber{Min / 16, 0}));
    EXPECT_EQ(ComposeBitNumber(Siemens, 0, Max, 7), Max);
    EXPECT_EQ(ComposeBitNumber(Free, 0, Min, 0), Min);
    EXPECT_EQ(FormatBitAddress(Schneider, 1, Min), "MX-268435456.0");
}

TEST(OperandNumbersTest, SiemensStoresRegisterBitAddresses) {
    EXPECT_EQ(StoredRegisterNumber(Siemens, 100), 800);
    EXPECT_EQ(ShownRegisterNumber(Siemens, 807), 100);
    EXPECT_EQ(ShownRegisterNumber(Omron, 807), 807);
    EXPECT_EQ(StoredRegisterNumber(Siemens, Max), Max);
    EXPECT_EQ(StoredRegisterNumber(Siemens, Min), Min);
    for (int32_t entered : {Max / 8, Min / 8, -5})
        EXPECT_EQ(ShownRegisterNumber(Siemens, StoredRegisterNumber(Siemens, entered)), entered);
}

TEST(OperandNumbersTest, DefaultOperands) {
    EXPECT_EQ(DefaultOperand(Koyo, OperandKind::Register), (PlcAddress{1, 0, 2000}));
    EXPECT_EQ(DefaultOperand(Omron, OperandKind::Coil), (PlcAddress{0, 0, 256}));
    EXPECT_EQ(DefaultOperand(33, OperandKind::Register).Station, 255);
    for (int type : {28, 31, 37})
        EXPECT_EQ(DefaultOperand(type, OperandKind::Coil).Station, 0);
    EXPECT_EQ(DefaultOperand(-1, OperandKind::Coil), (PlcAddress{1, 0, 0}));

    // Both Siemens register operands start at "VW", each in its own list.
    const std::vector<std::string> full = RegisterTypeNames(Siemens, RegisterList::Full);
    EXPECT_EQ(full.at(DefaultOperand(Siemens, OperandKind::Register).TypeIndex), "VW");
    EXPECT_EQ(DefaultOperand(Siemens, OperandKind::WordRegister).TypeIndex, 0);

    // New operands lie within the bounds of their type.
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcProfile profile = PlcProfileOf(type);
        const int32_t reg = DefaultOperand(type, OperandKind::Register).Number;
        const int32_t word = SplitBitNumber(type, 0, DefaultOperand(type, OperandKind::Coil).Number).Word;
        if (profile.RegisterNumberMax != 0) {
            EXPECT_TRUE(reg >= profile.RegisterNumberMin && reg <= profile.RegisterNumberMax) << type;
        }
        if (profile.CoilNumberMax != 0) {
            EXPECT_TRUE(word >= profile.CoilNumberMin && word <= profile.CoilNumberMax) << type;
        }
    }
    EXPECT_EQ(SplitBitNumber(Crouzet, 0, DefaultOperand(Crouzet, OperandKind::Coil).Number),
              (BitNumber{1, 0}));
}

TEST(OperandNumbersTest, RegisterWidths) {
    for (int type : {0, 36, 37, 39}) {
        const std::vector<std::string> names = RegisterTypeNames(type, RegisterList::Full);
        for (size_t index = 0; index < names.size(); ++index)
            EXPECT_EQ(RegisterWidth(type, static_cast<int>(index)), names[index] == "C32" ? 4 : 2) << type;
        EXPECT_EQ(RegisterWidth(type, -1), 2);
    }
    for (int type : {Siemens, 35}) {
        EXPECT_EQ(RegisterWidth(type, 0), 1);
        EXPECT_EQ(RegisterWidth(type, 1), 2);
        EXPECT_EQ(RegisterWidth(type, 2), 4);
    }
    EXPECT_EQ(RegisterWidth(34, 1), 4);
    // Indices outside the list, as stored after a PLC change, never shift out of range.
    for (int index : {-1, 3, 32, Min, Max})
        EXPECT_EQ(RegisterWidth(Siemens, index), 2) << index;
}

TEST(OperandNumbersTest, NextNumbersFollowThePlcNumbering) {
    EXPECT_EQ(NextRegisterNumber(Koyo, 2007), 2010);
    EXPECT_EQ(NextCoilNumber(Koyo, 7), 10);
    EXPECT_EQ(NextRegisterNumber(Koyo, 77777), 100000);
    EXPECT_EQ(NextRegisterNumber(Koyo, 2008), 2011);  // digit 8 read as it is
    EXPECT_EQ(NextRegisterNumber(30, 100), 102);
    EXPECT_EQ(NextRegisterNumber(21, 100), 101);
    EXPECT_EQ(NextCoilNumber(Siemens, 100), 101);
    // Stepping coils walks through the bits of a word into the next word.
    EXPECT_EQ(SplitBitNumber(Free, 0, NextCoilNumber(Free, 63)), (BitNumber{4, 0}));
    for (int type : {0, Siemens}) {
        EXPECT_EQ(NextRegisterNumber(type, Max - 1), Max);
        EXPECT_EQ(NextCoilNumber(type, Max), Max);
    }
    EXPECT_GE(NextRegisterNumber(Koyo, Min), 0);
}

TEST(OperandNumbersTest, OctalAndHexReadings) {
    EXPECT_EQ(Octal(2007), 1031);
    EXPECT_EQ(Octal(19), 17);
    EXPECT_EQ(Octal(177777), 32767);  // the lowest five digits only
    EXPECT_EQ(Octal(-17), -15);
    EXPECT_EQ(Octal(Min), -(8 * 4096 + 3 * 512 + 6 * 64 + 4 * 8 + 8));
    EXPECT_EQ(Hex(98), 9 * 16 + 8);
    EXPECT_EQ(Hex(123456), 0x23456);
    EXPECT_EQ(Hex(-10), -16);
    EXPECT_EQ(Hex(Max), 0x83647);
    EXPECT_EQ(OctalDigits(65535), 177777);
    for (int32_t n : {0, 7, 10, 1234, 77777})
        EXPECT_EQ(OctalDigits(static_cast<uint16_t>(Octal(n))), n);
}

}  // namespace
}  // namespace qxed
