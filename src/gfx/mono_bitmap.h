#pragma once

#include <cstdint>
#include <vector>

#include "gfx/raster_image.h"

namespace qxed {

// A one-bit picture as the panel shows it: a set dot is black (lit). One byte per dot, row-major,
// top row first.
struct MonoBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Dots;

    MonoBitmap() = default;
    // All dots clear; negative sizes count as 0.
    MonoBitmap(int width, int height);

    // Outside the bitmap: clear. Set ignores positions outside.
    bool IsSet(int x, int y) const;
    void Set(int x, int y, bool set);

    bool operator==(const MonoBitmap&) const = default;
};

// Every pixel that is not pure white becomes a set dot.
MonoBitmap ToMonochrome(const RasterImage& image);
// Set dots black, clear dots white.
RasterImage ToRaster(const MonoBitmap& bitmap);
// The top-left part, at most width x height dots.
MonoBitmap Crop(const MonoBitmap& bitmap, int width, int height);

// A 1-bit Windows bitmap file (palette black then white, bottom-up, rows padded with zero bits):
// identical bitmaps give identical bytes. An empty bitmap has no file form and gives no bytes.
std::vector<uint8_t> EncodeMonoBmp(const MonoBitmap& bitmap);

}  // namespace qxed
