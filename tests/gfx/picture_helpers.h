#pragma once

#include <cstdint>

#include "gfx/canvas.h"
#include "gfx/raster_image.h"

namespace qxed::test {

inline int CountPixels(const RasterImage& image, Color color) {
    int count = 0;
    for (const Color c : image.Pixels)
        count += c == color ? 1 : 0;
    return count;
}

// Every pixel differs from the others and from white, so that misplaced copies show.
inline RasterImage NumberedPicture(int width, int height) {
    RasterImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.Pixels.push_back(Rgb(1, static_cast<uint8_t>(i / 256), i % 256));
    return image;
}

}  // namespace qxed::test
