#include "plc/line_positions.h"

#include <array>
#include <iterator>

namespace qxed {

namespace {

struct BaudItem {
    const char* Text;
    uint8_t Code;
};

constexpr BaudItem kBaudItems[kBaudPositionCount] = {
    {"2400", 3}, {"4800", 4}, {"9600", 5}, {"19200", 6}, {"38400", 9}, {"115200", 10},
};

// Position → stored code of the other three lists.
constexpr uint8_t kSevenDataBitsCodes[] = {1, 0};
constexpr uint8_t kOneStopBitCodes[] = {1, 0};
constexpr uint8_t kParityCodes[] = {0, 1, 2};

template <typename Codes>
int PositionOf(const Codes& codes, uint8_t code, int current) {
    for (size_t i = 0; i < std::size(codes); ++i)
        if (codes[i] == code) return static_cast<int>(i);
    return current;
}

template <typename Codes>
void StoreCode(const Codes& codes, int position, uint8_t& code) {
    if (position >= 0 && position < static_cast<int>(std::size(codes))) code = codes[position];
}

constexpr std::array<uint8_t, kBaudPositionCount> BaudCodes() {
    std::array<uint8_t, kBaudPositionCount> codes{};
    for (int i = 0; i < kBaudPositionCount; ++i)
        codes[i] = kBaudItems[i].Code;
    return codes;
}

constexpr std::array<uint8_t, kBaudPositionCount> kBaudCodes = BaudCodes();

}  // namespace

const char* BaudRateText(int position) {
    if (position < 0 || position >= kBaudPositionCount) return nullptr;
    return kBaudItems[position].Text;
}

LinePositions PositionsOfLink(const PlcLink& link, const LinePositions& current) {
    return LinePositions{
        PositionOf(kBaudCodes, link.BaudCode, current.Baud),
        PositionOf(kSevenDataBitsCodes, link.SevenDataBits, current.DataBits),
        PositionOf(kOneStopBitCodes, link.OneStopBit, current.StopBits),
        PositionOf(kParityCodes, link.Parity, current.Parity),
    };
}

void ApplyPositions(PlcLink& link, const LinePositions& positions) {
    StoreCode(kBaudCodes, positions.Baud, link.BaudCode);
    StoreCode(kSevenDataBitsCodes, positions.DataBits, link.SevenDataBits);
    StoreCode(kOneStopBitCodes, positions.StopBits, link.OneStopBit);
    StoreCode(kParityCodes, positions.Parity, link.Parity);
}

}  // namespace qxed
