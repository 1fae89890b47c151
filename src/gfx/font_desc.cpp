#include "gfx/font_desc.h"

#include <cstdlib>
#include <limits>

namespace qxed {

namespace {

// -round(value x mul / div), halves away from zero, clamped to the int32 range (a hostile file may
// hold any size, and 96/72 of the largest one does not fit).
int32_t NegatedScaled(int32_t value, int64_t mul, int64_t div) {
    const int64_t product = int64_t{value} * mul;
    const int64_t magnitude = (std::llabs(product) + div / 2) / div;
    const int64_t result = product < 0 ? magnitude : -magnitude;
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(result < lo ? lo : (result > hi ? hi : result));
}

}  // namespace

void FontDesc::SetSize(int32_t points) {
    Size = points;
    Height = NegatedScaled(points, 96, 72);
}

void FontDesc::SetHeight(int32_t pixels) {
    Height = pixels;
    Size = NegatedScaled(pixels, 72, 96);
}

}  // namespace qxed
