#pragma once

#include <vector>

#include "gfx/geometry.h"

namespace qxed {

// The pixels of the segment from `from` towards `to`, in drawing order, that lie inside `clip`.
// The start pixel is drawn and the end pixel is not, so joined segments touch without overlap. Along
// the longer axis every pixel is drawn; the other coordinate is the nearest one to the ideal line,
// ties going to the smaller coordinate, so a segment covers the same pixels in either direction
// (apart from its two ends). Work is bounded by the clip size, whatever the coordinates.
std::vector<Point> LinePixels(Point from, Point to, const Rect& clip);

}  // namespace qxed
