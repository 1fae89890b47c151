#include "gfx/line_raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace qxed {

namespace {

// Products of two 33-bit coordinate differences need more than 64 bits.
__extension__ using Wide = __int128;

Wide FloorDiv(Wide num, Wide den) {
    Wide q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0))) --q;
    return q;
}

struct Axis {
    int64_t Start;                     // along the longer axis
    int64_t Delta;                     // along the longer axis, never 0
    int64_t Other;                     // start on the shorter axis
    int64_t OtherDelta;                // along the shorter axis
    int64_t ClipLo, ClipHi;            // longer axis, half-open
    int64_t OtherClipLo, OtherClipHi;  // shorter axis, half-open
};

// The shorter-axis coordinate at `major`: round(Other + (major - Start) x OtherDelta / Delta) with
// halves rounded down, which depends only on the ideal line and not on the drawing direction.
int64_t OtherAt(const Axis& a, int64_t major) {
    Wide num = Wide{major - a.Start} * a.OtherDelta;
    Wide den = a.Delta;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    // ceil(num / den - 1/2) = -floor((den - 2 num) / (2 den))
    return a.Other - static_cast<int64_t>(FloorDiv(den - 2 * num, 2 * den));
}

}  // namespace

std::vector<Point> LinePixels(Point from, Point to, const Rect& clip) {
    const int64_t dx = int64_t{to.X} - from.X;
    const int64_t dy = int64_t{to.Y} - from.Y;
    if (dx == 0 && dy == 0) return {};
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const Axis a = xMajor ? Axis{from.X, dx, from.Y, dy, clip.Left, clip.Right, clip.Top, clip.Bottom}
                          : Axis{from.Y, dy, from.X, dx, clip.Top, clip.Bottom, clip.Left, clip.Right};

    // Longer-axis positions from the start up to, not including, the end, limited to the clip.
    const int64_t step = a.Delta > 0 ? 1 : -1;
    const int64_t last = a.Start + a.Delta - step;
    const int64_t lo = std::max(std::min(a.Start, last), a.ClipLo);
    const int64_t hi = std::min(std::max(a.Start, last), a.ClipHi - 1);
    std::vector<Point> pixels;
    if (lo > hi) return pixels;
    pixels.reserve(static_cast<std::size_t>(hi - lo + 1));
    const int64_t first = step > 0 ? lo : hi;
    for (int64_t major = first; major >= lo && major <= hi; major += step) {
        const int64_t other = OtherAt(a, major);
        if (other < a.OtherClipLo || other >= a.OtherClipHi) continue;
        const int majorPos = static_cast<int>(major);
        const int otherPos = static_cast<int>(other);
        pixels.push_back(xMajor ? Point{majorPos, otherPos} : Point{otherPos, majorPos});
    }
    return pixels;
}

}  // namespace qxed
