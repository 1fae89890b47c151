#include "plc/plc_link.h"

#include <algorithm>
#include <iterator>

#include "plc/fixed_list.h"
#include "plc/plc_catalogue.h"

namespace qxed {
namespace {

// A line frame as written in the default table: data bits, parity letter, stop bits.
struct LineFrame {
    int DataBits;
    char Parity;  // 'N', 'O' or 'E'
    int StopBits;
};

struct LineDefaultRow {
    int Baud;
    LineFrame Frame;
    FixedList<int, 8> PlcTypes;
};

constexpr LineDefaultRow LineDefaults[] = {
    // clang-format off
    {4800,   {8, 'N', 1}, {25, 34}},
    {9600,   {8, 'N', 1}, {14, 17, 33, 35}},
    {9600,   {8, 'O', 1}, {1, 6, 13}},
    {9600,   {7, 'E', 1}, {0, 7, 8, 31, 36, 37}},
    {9600,   {7, 'E', 2}, {3, 28}},
    {9600,   {8, 'E', 1}, {2, 10, 11, 15, 18, 22, 26, 29}},
    {19200,  {8, 'N', 1}, {19, 32, 39}},
    {19200,  {7, 'E', 1}, {16, 23}},
    {19200,  {8, 'E', 1}, {4, 21, 38}},
    {38400,  {8, 'N', 1}, {12, 30}},
    {115200, {8, 'N', 1}, {27}},
    {115200, {7, 'E', 1}, {24}},
    {115200, {8, 'E', 1}, {20}},
    // clang-format on
};

// A type listed twice would silently take its first row; a type outside the catalogue
// would never be found.
constexpr bool EachTypeListedOnce() {
    int listed = 0;
    for (const LineDefaultRow& row : LineDefaults)
        listed += static_cast<int>(row.PlcTypes.size());
    int found = 0;
    for (int type = 0; type < PlcTypeCount; ++type) {
        int rows = 0;
        for (const LineDefaultRow& row : LineDefaults)
            rows += row.PlcTypes.Contains(type) ? 1 : 0;
        if (rows > 1) return false;
        found += rows;
    }
    return found == listed;
}
static_assert(EachTypeListedOnce());

struct BaudCodeRow {
    int Baud;
    uint8_t Code;
};

constexpr BaudCodeRow BaudCodes[] = {
    {2400, 3}, {4800, 4}, {9600, 5}, {19200, 6}, {38400, 9}, {115200, 10},
};

constexpr uint8_t BaudCodeOf(int baud) {
    for (const BaudCodeRow& row : BaudCodes)
        if (row.Baud == baud) return row.Code;
    return 0;
}

constexpr uint8_t ParityCodeOf(char letter) {
    switch (letter) {
        case 'O':
            return 1;
        case 'E':
            return 2;
        default:
            return 0;
    }
}

static_assert(std::all_of(std::begin(LineDefaults), std::end(LineDefaults),
                          [](const LineDefaultRow& row) { return BaudCodeOf(row.Baud) != 0; }));

}  // namespace

std::optional<LineSettings> DefaultLineSettings(int plcType) {
    for (const LineDefaultRow& row : LineDefaults) {
        if (!row.PlcTypes.Contains(plcType)) continue;
        return LineSettings{
            .BaudCode = BaudCodeOf(row.Baud),
            .Parity = ParityCodeOf(row.Frame.Parity),
            .SevenDataBits = static_cast<uint8_t>(row.Frame.DataBits == 7 ? 1 : 0),
            .OneStopBit = static_cast<uint8_t>(row.Frame.StopBits == 1 ? 1 : 0),
        };
    }
    return std::nullopt;
}

void ApplyLineSettings(PlcLink& link, const LineSettings& settings) {
    link.BaudCode = settings.BaudCode;
    link.Parity = settings.Parity;
    link.SevenDataBits = settings.SevenDataBits;
    link.OneStopBit = settings.OneStopBit;
}

}  // namespace qxed
