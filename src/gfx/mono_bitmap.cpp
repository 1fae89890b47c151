#include "gfx/mono_bitmap.h"

#include <algorithm>
#include <cstdint>

namespace qxed {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteSize = 2 * 4;
// 96 dots per inch, in dots per metre.
constexpr uint32_t kDotsPerMetre = 3780;

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

std::size_t DotIndex(const MonoBitmap& bitmap, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.Width) + static_cast<std::size_t>(x);
}

}  // namespace

MonoBitmap::MonoBitmap(int width, int height)
    : Width(std::max(width, 0)),
      Height(std::max(height, 0)),
      Dots(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0) {}

bool MonoBitmap::IsSet(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return false;
    const std::size_t at = DotIndex(*this, x, y);
    return at < Dots.size() && Dots[at] != 0;
}

void MonoBitmap::Set(int x, int y, bool set) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    const std::size_t at = DotIndex(*this, x, y);
    if (at < Dots.size()) Dots[at] = set ? 1 : 0;
}

MonoBitmap ToMonochrome(const RasterImage& image) {
    MonoBitmap bitmap(image.Width, image.Height);
    for (int y = 0; y < bitmap.Height; ++y) {
        for (int x = 0; x < bitmap.Width; ++x)
            bitmap.Set(x, y, (image.At(x, y) & 0x00FFFFFF) != kWhite);
    }
    return bitmap;
}

RasterImage ToRaster(const MonoBitmap& bitmap) {
    RasterImage image;
    image.Width = bitmap.Width;
    image.Height = bitmap.Height;
    image.Pixels.reserve(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x)
            image.Pixels.push_back(bitmap.IsSet(x, y) ? kBlack : kWhite);
    }
    return image;
}

MonoBitmap Crop(const MonoBitmap& bitmap, int width, int height) {
    MonoBitmap cropped(std::min(width, bitmap.Width), std::min(height, bitmap.Height));
    for (int y = 0; y < cropped.Height; ++y) {
        for (int x = 0; x < cropped.Width; ++x)
            cropped.Set(x, y, bitmap.IsSet(x, y));
    }
    return cropped;
}

std::vector<uint8_t> EncodeMonoBmp(const MonoBitmap& bitmap) {
    if (bitmap.Width <= 0 || bitmap.Height <= 0) return {};
    const uint32_t width = static_cast<uint32_t>(bitmap.Width);
    const uint32_t height = static_cast<uint32_t>(bitmap.Height);
    const uint32_t rowBytes = (width + 31) / 32 * 4;
    const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    // The file's size fields are 32 bits wide.
    if (uint64_t{rowBytes} * height + dataOffset > UINT32_MAX) return {};
    const uint32_t imageSize = rowBytes * height;

    std::vector<uint8_t> out;
    out.reserve(dataOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, dataOffset + imageSize);
    PutU32(out, 0);  // two reserved words
    PutU32(out, dataOffset);

    PutU32(out, kInfoHeaderSize);
    PutU32(out, width);
    PutU32(out, height);  // positive: bottom row first
    PutU16(out, 1);       // planes
    PutU16(out, 1);       // bits per pixel
    PutU32(out, 0);       // no compression
    PutU32(out, imageSize);
    PutU32(out, kDotsPerMetre);
    PutU32(out, kDotsPerMetre);
    PutU32(out, 2);  // colours used
    PutU32(out, 2);  // colours important

    // Palette entries are blue, green, red, reserved: index 0 black (a set dot), index 1 white.
    PutU32(out, 0x00000000);
    PutU32(out, 0x00FFFFFF);

    for (int y = bitmap.Height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        out.resize(rowStart + rowBytes, 0);
        for (int x = 0; x < bitmap.Width; ++x) {
            if (!bitmap.IsSet(x, y)) out[rowStart + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return out;
}

}  // namespace qxed
