#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qxed {

// Element positions and sizes are kept in editor units (preview pixels):
// Z = PreviewScale preview pixels per 16 panel pixels. Both conversions
// round half up and are computed wide so that no stored value can overflow.

inline int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Panel length in dots to its stored editor-unit value: (L x Z + 8) div 16.
inline int32_t ToEditorUnits(int32_t dots, int z) {
    return ClampToInt32((static_cast<int64_t>(dots) * z + 8) / 16);
}

// Stored editor-unit value to panel dots: (v x 16 + Z div 2) div Z.
inline int32_t ToPanelDots(int32_t stored, int z) {
    if (z <= 0) return 0;
    return ClampToInt32((static_cast<int64_t>(stored) * 16 + z / 2) / z);
}

}  // namespace qxed
