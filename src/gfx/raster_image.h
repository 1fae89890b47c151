#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "gfx/color.h"

namespace qxed {

// A colour picture, row-major with the top row first; pixels are plain 0x00BBGGRR colours.
struct RasterImage {
    int Width = 0;
    int Height = 0;
    std::vector<Color> Pixels;

    // Outside the picture: white, the colour of an empty canvas.
    Color At(int x, int y) const;

    bool operator==(const RasterImage&) const = default;
};

// Decodes a Windows bitmap file (1, 4, 8, 16, 24 or 32 bits, RLE or uncompressed, bottom-up or
// top-down). Anything that is not a complete, sensibly sized bitmap gives nullopt.
std::optional<RasterImage> DecodeBmp(std::span<const uint8_t> bytes);
std::optional<RasterImage> LoadBmpFile(const std::filesystem::path& path);

// PNG file bytes of the picture; empty for an empty picture.
std::vector<uint8_t> EncodePng(const RasterImage& image);

}  // namespace qxed
