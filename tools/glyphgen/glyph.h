#pragma once

#include <array>
#include <cstdint>

namespace qxed {

// A 16 x 16 dot pattern: one 16-bit word per row, top row first, bit 15 the
// leftmost dot.
using Glyph = std::array<std::uint16_t, 16>;

// An 8 x 16 dot pattern: one byte per row, top row first, bit 7 the leftmost dot.
using NarrowGlyph = std::array<std::uint8_t, 16>;

constexpr int GlyphSize = 16;
constexpr int RecordBytes = 32;
constexpr int NarrowRecordBytes = 16;

bool IsBlank(const Glyph& glyph);
bool IsBlank(const NarrowGlyph& glyph);

bool DotAt(const Glyph& glyph, int x, int y);
void SetDot(Glyph& glyph, int x, int y);

// The 32-byte record: 16 rows of two bytes, left byte first.
std::array<std::uint8_t, RecordBytes> ToRecord(const Glyph& glyph);
Glyph FromRecord(const std::array<std::uint8_t, RecordBytes>& record);

}  // namespace qxed
