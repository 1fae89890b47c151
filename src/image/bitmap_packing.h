#pragma once
#include <cstdint>
#include <vector>

#include "gfx/mono_bitmap.h"

namespace qxed {

// How a picture travels to the panel. Row layout (models 2 and 7): each row as bytes of eight dots, bit 7 the
// leftmost, shifted right by x0 mod 8 so that the bytes line up with the panel's display memory. Column
// layout (all other models): each column as bands of eight dots, bit 0 the top one, shifted down by y0 mod 8.
// (x0, y0) is the picture's panel position; dots outside the bitmap are clear.
std::vector<uint8_t> PackBitmap(const MonoBitmap& bitmap, int x0, int y0, bool rowLayout);

// The number of bytes PackBitmap gives for a width x height bitmap at (x0, y0), without packing it: the value
// of the size word (rows x bytes per row, or columns x bands).
int64_t PackedSize(int width, int height, int x0, int y0, bool rowLayout);

}  // namespace qxed
