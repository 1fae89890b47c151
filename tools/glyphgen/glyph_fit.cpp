#include "glyphgen/glyph_fit.h"

#include <optional>

namespace qxed {

namespace {

struct CodeRange {
    char32_t First;
    char32_t Last;
};

// Narrow glyphs whose lines run on to the edges of a full-width cell.
constexpr CodeRange kJoining[] = {
    {0x2014, 0x2015},  // em dash, horizontal bar
    {0x2500, 0x259F},  // box drawing, block elements
};

// Control characters: they show nothing.
constexpr CodeRange kInvisible[] = {
    {0x0000, 0x001F},
    {0x007F, 0x009F},
};

struct Substitute {
    char32_t From;
    char32_t To;
};

constexpr Substitute kSubstitutes[] = {
    {0x00AD, 0x002D},  // soft hyphen shows as a hyphen
};

bool InRanges(char32_t codePoint, const auto& ranges) {
    for (const CodeRange& range : ranges)
        if (codePoint >= range.First && codePoint <= range.Last) return true;
    return false;
}

std::optional<HexGlyph> Lookup(const HexFont& font, char32_t codePoint) {
    if (InRanges(codePoint, kInvisible)) return std::nullopt;
    for (const Substitute& substitute : kSubstitutes)
        if (substitute.From == codePoint) return font.Find(substitute.To);
    return font.Find(codePoint);
}

// A centred row whose dots on the glyph's outer columns run on to the cell's
// edges: lines keep their thickness and join the neighbouring cells.
std::uint16_t ExtendToEdges(std::uint16_t centred) {
    if (centred & 0x0800u) centred = static_cast<std::uint16_t>(centred | 0xF000u);
    if (centred & 0x0010u) centred = static_cast<std::uint16_t>(centred | 0x000Fu);
    return centred;
}

std::uint8_t Squeeze(std::uint16_t row) {
    std::uint8_t squeezed = 0;
    for (int column = 0; column < 8; ++column)
        if (row & (0xC000u >> (2 * column)))
            squeezed = static_cast<std::uint8_t>(squeezed | (0x80u >> column));
    return squeezed;
}

}  // namespace

Glyph FitFullWidth(const HexGlyph& glyph, char32_t codePoint) {
    if (glyph.Width == 16) return glyph.Rows;
    const bool extend = InRanges(codePoint, kJoining);
    Glyph fitted{};
    for (int row = 0; row < GlyphSize; ++row) {
        const auto centred = static_cast<std::uint16_t>(glyph.Rows[row] >> 4);
        fitted[row] = extend ? ExtendToEdges(centred) : centred;
    }
    return fitted;
}

NarrowGlyph FitNarrow(const HexGlyph& glyph) {
    NarrowGlyph fitted{};
    for (int row = 0; row < GlyphSize; ++row)
        fitted[row] =
            glyph.Width == 16 ? Squeeze(glyph.Rows[row]) : static_cast<std::uint8_t>(glyph.Rows[row] >> 8);
    return fitted;
}

Glyph FullWidthGlyphOf(const HexFont& font, char32_t codePoint) {
    const std::optional<HexGlyph> glyph = Lookup(font, codePoint);
    return glyph ? FitFullWidth(*glyph, codePoint) : Glyph{};
}

NarrowGlyph NarrowGlyphOf(const HexFont& font, char32_t codePoint) {
    const std::optional<HexGlyph> glyph = Lookup(font, codePoint);
    return glyph ? FitNarrow(*glyph) : NarrowGlyph{};
}

}  // namespace qxed
