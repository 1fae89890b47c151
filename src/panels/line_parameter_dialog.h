#pragma once
#include <optional>

#include "plc/line_positions.h"

namespace qxed {

// The line parameter dialog as the PLC selection dialog opens it: shown on the pending positions, it gives
// the positions chosen with OK, or nullopt when cancelled.
class LineParameterDialog {
  public:
    virtual ~LineParameterDialog() = default;
    virtual std::optional<LinePositions> Run(const LinePositions& positions) = 0;
};

}  // namespace qxed
