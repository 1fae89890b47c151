#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/character_sets.h"

namespace qxed {

// The glyph files beside the program: 94 x 94 records of a 16 x 16 glyph (32 bytes: 16 rows of a left and
// a right byte, bit 7 the leftmost dot) per language family and model group, and one file of 256 records
// of an 8 x 16 glyph (16 rows of one byte).
constexpr std::string_view kSingleByteGlyphFile = "7460022.dat";
constexpr int kGlyphRowCells = 94;

// "6460" for Korean texts, "7460" for the others, then the model's group: "7460012.dat", ...
// Empty for a model index outside 0..12.
std::string DoubleByteGlyphFileName(TextLanguage language, int modelIndex);

// The record of a double-byte code: (first byte - 0xA1) x 94 + (second byte - 0xA1). Negative or beyond
// the file for codes outside the row/cell area.
int64_t DoubleByteRecordIndex(uint16_t code);

// A stored glyph turned into the layout of a model: row layout (models 2 and 7) keeps rows, the left
// bytes first; column layout gives 8 x 8 blocks as 8 column bytes each, bit 0 the top dot.
std::array<uint8_t, 32> ToModelLayout(std::span<const uint8_t, 32> glyph, int modelIndex);
std::array<uint8_t, 16> ToModelLayout(std::span<const uint8_t, 16> glyph, int modelIndex);

// Called after every glyph read: the build advances its progress there. Returning false stops reading
// (the build was cancelled).
using GlyphStep = std::function<bool()>;

struct GlyphReadResult {
    // NoGlyph: a character outside the files' row/cell area (such as a GBK character that GB 2312 lacks),
    // which no glyph file holds.
    enum Status { Read, Missing, NoGlyph, Stopped } State = Read;
    std::string FileName;  // the glyph file that is missing, unreadable or too short
    uint16_t Code = 0;     // the character without a glyph
};

// Reads the glyph of every member of a set, in set order, from the file in `folder`, converted to the
// model's layout, into `out` (cleared first: 32 or 16 bytes per member). An empty set opens no file; a
// set with a character that has no record is refused before any file is opened.
GlyphReadResult ReadDoubleByteGlyphs(const std::string& folder, TextLanguage language, int modelIndex,
                                     std::span<const uint16_t> codes, std::vector<uint8_t>& out,
                                     const GlyphStep& step);
GlyphReadResult ReadSingleByteGlyphs(const std::string& folder, int modelIndex,
                                     std::span<const uint8_t> codes, std::vector<uint8_t>& out,
                                     const GlyphStep& step);

}  // namespace qxed
