#pragma once

#include <istream>
#include <optional>
#include <string>
#include <unordered_map>

#include "glyphgen/glyph.h"

namespace qxed {

// One glyph of a hex font. Narrow (8-dot) glyphs sit in the left half of
// Rows, so bit 15 is always the leftmost dot.
struct HexGlyph {
    int Width;
    Glyph Rows;
};

// A font in the hex format: one "XXXX:bits" line per character, the code
// point in hexadecimal, then 32 hex digits for an 8 x 16 glyph or 64 for a
// 16 x 16 one, rows top to bottom.
class HexFont {
  public:
    // Reads every line of the stream, replacing what was read before. On a
    // malformed line it stops and says which line is wrong and why.
    bool Read(std::istream& in, std::string& error);

    std::optional<HexGlyph> Find(char32_t codePoint) const;
    std::size_t Size() const { return glyphs_.size(); }

  private:
    std::unordered_map<char32_t, HexGlyph> glyphs_;
};

}  // namespace qxed
