#pragma once
#include <cstdint>

#include "plc/plc_link.h"

namespace qxed {

// The line parameter dialog shows the PLC line as four list positions; the project stores codes. The PLC
// selection dialog keeps the positions while it is open and turns them back into codes on OK.
struct LinePositions {
    int Baud = 3;      // 0 "2400", 1 "4800", 2 "9600", 3 "19200", 4 "38400", 5 "115200"
    int DataBits = 1;  // 0 "7", 1 "8"
    int StopBits = 0;  // 0 "1", 1 "2"
    int Parity = 2;    // 0 none, 1 odd, 2 even

    bool operator==(const LinePositions&) const = default;
};

constexpr int kBaudPositionCount = 6;

// The rate shown at a baud position ("2400" ...); nullptr outside the list.
const char* BaudRateText(int position);

// The positions of the link's codes. A code outside its list leaves that position as it was in `current`.
LinePositions PositionsOfLink(const PlcLink& link, const LinePositions& current);
// Stores the positions' codes into the link; a position outside its list leaves that code as it is.
void ApplyPositions(PlcLink& link, const LinePositions& positions);

}  // namespace qxed
