#include "glyphgen/glyph.h"

#include <algorithm>

namespace qxed {

bool IsBlank(const Glyph& glyph) {
    return std::all_of(glyph.begin(), glyph.end(), [](std::uint16_t row) { return row == 0; });
}

bool IsBlank(const NarrowGlyph& glyph) {
    return std::all_of(glyph.begin(), glyph.end(), [](std::uint8_t row) { return row == 0; });
}

bool DotAt(const Glyph& glyph, int x, int y) {
    if (x < 0 || x >= GlyphSize || y < 0 || y >= GlyphSize) return false;
    return (glyph[y] >> (15 - x)) & 1;
}

void SetDot(Glyph& glyph, int x, int y) {
    if (x < 0 || x >= GlyphSize || y < 0 || y >= GlyphSize) return;
    glyph[y] = static_cast<std::uint16_t>(glyph[y] | (1u << (15 - x)));
}

std::array<std::uint8_t, RecordBytes> ToRecord(const Glyph& glyph) {
    std::array<std::uint8_t, RecordBytes> record{};
    for (int row = 0; row < GlyphSize; ++row) {
        record[2 * row] = static_cast<std::uint8_t>(glyph[row] >> 8);
        record[2 * row + 1] = static_cast<std::uint8_t>(glyph[row] & 0xFF);
    }
    return record;
}

Glyph FromRecord(const std::array<std::uint8_t, RecordBytes>& record) {
    Glyph glyph{};
    for (int row = 0; row < GlyphSize; ++row)
        glyph[row] = static_cast<std::uint16_t>(record[2 * row] << 8 | record[2 * row + 1]);
    return glyph;
}

}  // namespace qxed
