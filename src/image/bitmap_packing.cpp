#include "image/bitmap_packing.h"

namespace qxed {

namespace {

// The shift of a position: its remainder within a byte of eight dots (positions are never negative in an
// image, but a negative one still gives a shift of 0..7).
int ShiftOf(int position) {
    const int remainder = position % 8;
    return remainder < 0 ? remainder + 8 : remainder;
}

int64_t BytesAcross(int64_t length, int shift) {
    return length <= 0 ? 0 : (length + shift + 7) / 8;
}

}  // namespace

int64_t PackedSize(int width, int height, int x0, int y0, bool rowLayout) {
    if (width <= 0 || height <= 0) return 0;
    if (rowLayout) return int64_t{height} * BytesAcross(width, ShiftOf(x0));
    return int64_t{width} * BytesAcross(height, ShiftOf(y0));
}

std::vector<uint8_t> PackBitmap(const MonoBitmap& bitmap, int x0, int y0, bool rowLayout) {
    const int width = bitmap.Width;
    const int height = bitmap.Height;
    std::vector<uint8_t> packed;
    packed.reserve(static_cast<std::size_t>(PackedSize(width, height, x0, y0, rowLayout)));
    if (rowLayout) {
        const int shift = ShiftOf(x0);
        const int64_t perRow = BytesAcross(width, shift);
        for (int row = 0; row < height; ++row) {
            for (int64_t group = 0; group < perRow; ++group) {
                uint8_t byte = 0;
                for (int j = 0; j < 8; ++j) {
                    const int64_t column = 8 * group + j - shift;
                    if (bitmap.IsSet(static_cast<int>(column), row)) byte |= static_cast<uint8_t>(0x80 >> j);
                }
                packed.push_back(byte);
            }
        }
        return packed;
    }
    const int shift = ShiftOf(y0);
    const int64_t bands = BytesAcross(height, shift);
    for (int column = 0; column < width; ++column) {
        for (int64_t band = 0; band < bands; ++band) {
            uint8_t byte = 0;
            for (int k = 0; k < 8; ++k) {
                const int64_t row = 8 * band + k - shift;
                if (bitmap.IsSet(column, static_cast<int>(row))) byte |= static_cast<uint8_t>(1 << k);
            }
            packed.push_back(byte);
        }
    }
    return packed;
}

}  // namespace qxed
