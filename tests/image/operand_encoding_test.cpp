#include "image/operand_encoding.h"

#include <gtest/gtest.h>

#include <set>

namespace qxed {
namespace {

// One operand and what the panel receives for it: type code and the 16-bit number.
struct OperandCase {
    int plcType;
    int32_t typeIndex;
    int32_t number;
    int typeCode;
    int encoded;
};

void ExpectEncodings(EncodedOperand (*encode)(const PlcAddress&, int),
                     std::initializer_list<OperandCase> cases) {
    for (const OperandCase& c : cases) {
        const EncodedOperand bytes = encode({7, c.typeIndex, c.number}, c.plcType);
        const std::string where = "PLC " + std::to_string(c.plcType) + " t" + std::to_string(c.typeIndex) +
                                  " n" + std::to_string(c.number);
        EXPECT_EQ(bytes[0], 7) << where;
        EXPECT_EQ(bytes[1], c.typeCode) << where;
        EXPECT_EQ(bytes[2] | bytes[3] << 8, c.encoded) << where;
    }
}

TEST(OperandWordTest, OffsetTypesWriteTypeCodeZero) {
    ExpectEncodings(
        EncodeWordOperand,
        {
            {13, 0, 5, 0, 1029},    {13, 1, 5, 0, 3077},     {13, 2, 5, 0, 5},        {13, 3, 5, 0, 517},
            {13, 4, 5, 0, 3989},

            {21, 0, 7999, 0, 7999}, {21, 0, 8000, 0, 16384}, {21, 1, 7999, 0, 26431}, {21, 1, 8000, 0, 26624},
            {21, 2, 10, 0, 12298},  {21, 3, 10, 0, 14346},   {21, 4, 10, 0, 28682},   {21, 5, 10, 0, 8010},
            {21, 6, 10, 0, 9110},   {21, 7, 10, 0, 10},

            {22, 0, 10, 0, 10},     {22, 1, 10, 0, 8510},    {22, 2, 10, 0, 9010},    {22, 3, 199, 0, 9699},
            {22, 3, 200, 0, 9700},  {22, 4, 10, 0, 8010},

            {26, 0, 10, 0, 17218},  {26, 1, 10, 0, 16394},   {26, 2, 199, 0, 17095},  {26, 2, 200, 0, 17096},
            {26, 3, 10, 0, 25762},  {26, 4, 199, 0, 26463},  {26, 4, 200, 0, 26464},
        });
}

TEST(OperandWordTest, HaldenXdRanges) {
    ExpectEncodings(EncodeWordOperand, {
                                           {38, 0, 10, 0, 10},       {38, 1, 10, 0, 41098},
                                           {38, 2, 10, 0, 50378},    {38, 3, 9999, 0, 30479},
                                           {38, 3, 10000, 0, 20736}, {38, 3, 19999, 0, 30735},
                                           {38, 3, 20000, 0, 22736}, {38, 4, 9999, 0, 34575},
                                           {38, 4, 10000, 0, 24832}, {38, 4, 19999, 0, 34831},
                                           {38, 4, 20000, 0, 26832}, {38, 5, 1, 0, 32769},
                                           {38, 6, 1, 0, 48257},     {38, 7, 1, 0, 40961},
                                           {38, 8, 1, 0, 36865},     {38, 9, 1, 0, 49281},
                                           {38, 10, 1, 0, 50305},    {38, 11, 1, 0, 28673},
                                           {38, 12, 1, 0, 47233},    {38, 13, 1, 0, 58561},
                                           {38, 13, 10000, 0, 3024},  // 68560 keeps its low 16 bits
                                       });
}

TEST(OperandWordTest, TypeCodesAndHalvedNumbers) {
    ExpectEncodings(EncodeWordOperand, {
                                           {30, 0, 7, 0, 3003},
                                           {30, 0, -7, 0, 2997},
                                           {30, 1, 7, 1, 7},

                                           {39, 0, 5, 0xA0, 5},
                                           {39, 1, 5, 0xA1, 5},
                                           {39, 2, 5, 0xA8, 5},
                                           {39, 3, 5, 0xA2, 5},
                                           {39, 4, 5, 0xAC, 5},
                                           {39, 5, 5, 0xAD, 205},
                                           {39, 6, 5, 6, 5},

                                           {18, 1, 40000, 1, 40000},
                                           {18, 0, 70000, 0, 4464},
                                           {18, 0, -1, 0, 0xFFFF},
                                       });
}

TEST(OperandBitTest, OctalCoilsOfTheMitsubishiFamily) {
    ExpectEncodings(EncodeBitOperand, {
                                          {0, 0, 17, 0, 17},
                                          {0, 1, 17, 1, 15},
                                          {0, 2, 17, 2, 15},
                                          {0, 3, 17, 3, 17},
                                          {36, 1, 17, 1, 15},
                                          {36, 2, 89, 2, 73},
                                          {37, 1, 17, 1, 15},
                                          {37, 2, 17, 2, 15},
                                          {37, 6, 17, 6, 17},
                                          {4, 0, 5, 0, 5},
                                          {4, 1, 5, 2, 5},
                                          {30, 0, 1, 0, 3001},
                                          {30, 1, 1, 1, 1},
                                      });
}

TEST(OperandBitTest, OffsetTypesWriteTypeCodeZero) {
    ExpectEncodings(
        EncodeBitOperand,
        {
            {21, 0, 7999, 0, 7999}, {21, 0, 8000, 0, 24576}, {21, 1, 17, 0, 16399},   {21, 2, 17, 0, 18447},
            {21, 3, 1, 0, 25601},   {21, 4, 1, 0, 27649},    {21, 5, 1, 0, 20481},    {21, 6, 3, 0, 3},

            {22, 0, 1, 0, 2001},    {22, 1, 17, 0, 1215},    {22, 2, 17, 0, 15},      {22, 3, 1, 0, 8001},
            {22, 4, 1, 0, 9201},    {22, 5, 1, 0, 6001},     {22, 6, 1, 0, 4401},

            {26, 0, 1535, 0, 2047}, {26, 0, 1536, 0, 7424},  {26, 0, 7679, 0, 13567}, {26, 0, 7680, 0, 7680},
            {26, 0, 7999, 0, 7999}, {26, 0, 8000, 0, 3840},  {26, 1, 17, 0, 15},      {26, 2, 17, 0, 271},
            {26, 3, 1, 0, 3073},    {26, 4, 1, 0, 3585},     {26, 5, 1023, 0, 3071},  {26, 5, 1024, 0, 4352},
        });
}

TEST(OperandBitTest, HaldenXdRanges) {
    ExpectEncodings(EncodeBitOperand,
                    {
                        {38, 0, 5, 0, 5},         {38, 1, 1, 0, 49409},     {38, 2, 17, 0, 20495},
                        {38, 2, 9999, 0, 25745},  {38, 2, 10000, 0, 20736}, {38, 2, 10017, 0, 20751},
                        {38, 2, 19999, 0, 26001}, {38, 2, 20000, 0, 22736}, {38, 2, 20017, 0, 22751},
                        {38, 3, 9999, 0, 29841},  {38, 3, 10000, 0, 24832}, {38, 3, 19999, 0, 30097},
                        {38, 3, 20000, 0, 26832}, {38, 4, 1, 0, 40961},     {38, 5, 1, 0, 57601},
                        {38, 6, 1, 0, 49153},     {38, 7, 1, 0, 45057},     {38, 8, 1, 0, 58625},
                        {38, 9, 1, 0, 59649},     {38, 10, 1, 0, 28673},    {38, 11, 1, 0, 55553},
                        {38, 12, 1, 0, 36865},    {38, 13, 1, 0, 49281},
                    });
}

TEST(OperandBitTest, VigorSTypeCodes) {
    ExpectEncodings(EncodeBitOperand, {
                                          {39, 0, 5, 146, 5},
                                          {39, 1, 17, 144, 15},
                                          {39, 2, 17, 145, 15},
                                          {39, 3, 5, 147, 5},
                                          {39, 4, 5, 152, 5},
                                          {39, 5, 5, 153, 5},
                                          {39, 6, 5, 156, 5},
                                          {39, 7, 5, 157, 5},
                                          {39, 8, 5, 148, 5},
                                          {39, 9, 5, 149, 5},
                                          {39, 10, 5, 151, 5},
                                          {39, 11, 5, 11, 5},
                                      });
}

TEST(OperandFinishTest, LastTransformByPlcType) {
    for (auto encode : {EncodeWordOperand, EncodeBitOperand}) {
        ExpectEncodings(encode, {
                                    {1, 0, 17, 0, 15},
                                    {1, 0, 2000, 0, 1024},
                                    {1, 0, 89, 0, 73},
                                    {14, 0, 1234, 0, 194},
                                    {14, 0, 99, 0, 99},
                                    {23, 1, 1234, 1, 0x1234},
                                    {23, 0, 99999, 0, 0x9999},
                                    {23, 0, -1, 0, 0xFFFF},
                                });
    }
    ExpectEncodings(EncodeWordOperand, {{27, 0, 1234, 0, 226}});
}

TEST(OperandFinishTest, Compax3CoilsCarryTheBitInTheTypeCode) {
    // Word 123 bit 5 is stored as 123 x 16 + 5; the word then reads 23 + 16 x 1.
    ExpectEncodings(EncodeBitOperand,
                    {{27, 0, 123 * 16 + 5, 5, 39}, {27, 0, 16 * 250 + 15, 15, 50 + 16 * 2}});
}

TEST(OperandEncodingTest, StationKeepsItsLowByte) {
    EXPECT_EQ(EncodeWordOperand({0x1FF, 0, 0}, 18)[0], 0xFF);
    EXPECT_EQ(EncodeBitOperand({256, 0, 0}, 18)[0], 0);
}

TEST(OctalTest, ReadsTheLowestFiveDigits) {
    EXPECT_EQ(Octal(17), 15);
    EXPECT_EQ(Octal(89), 73);
    EXPECT_EQ(Octal(123456), 10030);
    EXPECT_EQ(Octal(-17), -15);
    EXPECT_EQ(Hex(1234), 0x1234);
    EXPECT_EQ(Hex(99999), 629145);
    EXPECT_EQ(Hex(-1234), -0x1234);
}

TEST(OperandWidthTest, RegisterByteWidthAndLength) {
    EXPECT_EQ(RegisterByteWidth({0, 0, 0}, 2), 1);
    EXPECT_EQ(RegisterByteWidth({0, 1, 0}, 2), 2);
    EXPECT_EQ(RegisterByteWidth({0, 2, 0}, 35), 4);
    EXPECT_EQ(RegisterByteWidth({0, 0, 0}, 19), 4);
    EXPECT_EQ(RegisterByteWidth({0, 0, 0}, 34), 4);
    EXPECT_EQ(RegisterByteWidth({0, 3, 0}, 0), 4);   // "C32"
    EXPECT_EQ(RegisterByteWidth({0, 2, 0}, 37), 2);  // "C16"
    EXPECT_EQ(RegisterByteWidth({0, 5, 0}, 39), 4);
    EXPECT_EQ(RegisterByteWidth({0, 3, 0}, 39), 2);
    EXPECT_EQ(RegisterByteWidth({0, 0, 0}, 21), 2);

    EXPECT_EQ(OperandLength(3, {0, 2, 0}, 2), 12);
    EXPECT_EQ(OperandLength(100, {0, 3, 0}, 36), 400);
}

TEST(KeyActionTest, KeyPositionsFollowThePanelKeyOrder) {
    EXPECT_EQ(KeyPosition(0), 1);
    EXPECT_EQ(KeyPosition(7), 8);
    EXPECT_EQ(KeyPosition(8), 20);
    EXPECT_EQ(KeyPosition(9), 19);
    EXPECT_EQ(KeyPosition(10), 9);
    EXPECT_EQ(KeyPosition(19), 18);
    EXPECT_EQ(KeyPosition(20), 21);
    EXPECT_EQ(KeyPosition(21), 22);
    EXPECT_EQ(KeyPosition(22), 33);
    EXPECT_EQ(KeyPosition(31), 42);
    EXPECT_EQ(KeyPosition(32), 23);
    EXPECT_EQ(KeyPosition(41), 32);
    EXPECT_EQ(KeyPosition(42), 43);
    EXPECT_EQ(KeyPosition(-1), 43);

    std::set<int> positions;
    for (int32_t code = 0; code <= 41; ++code)
        positions.insert(KeyPosition(code));
    EXPECT_EQ(positions.size(), 42u);
    EXPECT_EQ(*positions.begin(), 1);
    EXPECT_EQ(*positions.rbegin(), 42);
}

TEST(KeyActionTest, SetCoilBlock) {
    KeyAction action;
    action.Function = KeyAction::kSetCoil;
    action.Coil = {3, 1, 17};  // Halden_M X17: octal, offset 16384
    action.CoilAction = 2;
    action.Jump = 3;
    action.PageNo = 0x1234;
    action.RegAddress = {1, 0, 0};
    action.RegNum = 2;
    action.SetValue = 0x11223344;
    const std::array<uint8_t, 13> expected = {0, 2, 3, 0, 0x0F, 0x40, 0x34, 0x12, 4, 0x44, 0x33, 0x22, 0x11};
    EXPECT_EQ(KeyActionBlock(action, 21), expected);
}

TEST(KeyActionTest, ParameterAndOperandFollowTheFunction) {
    KeyAction action;
    action.Coil = {9, 1, 17};
    action.CoilAction = 1;
    action.Jump = 3;
    action.PlcStop = 1;
    action.RegAddress = {2, 3, 100};  // "C32" on Mitsubishi
    action.RegNum = 100;
    action.PageNo = 70000;
    action.SetValue = -1;

    struct Case {
        uint8_t function;
        uint8_t parameter;
    };
    for (const Case c : {Case{KeyAction::kPageJump, 3}, Case{KeyAction::kAdvanced, 1},
                         Case{KeyAction::kNoFunction, 0}, Case{KeyAction::kSetData, 0}}) {
        action.Function = c.function;
        const std::array<uint8_t, 13> expected = {c.function, c.parameter, 2,    3,    100,  0,   0x70,
                                                  0x11,       0x90,        0xFF, 0xFF, 0xFF, 0xFF};
        EXPECT_EQ(KeyActionBlock(action, 0), expected) << int{c.function};
    }
}

}  // namespace
}  // namespace qxed
