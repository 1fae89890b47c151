#pragma once

#include "glyphgen/glyph.h"
#include "glyphgen/hex_font.h"

namespace qxed {

// A hex glyph in a 16 x 16 cell. A narrow glyph is centred (four blank
// columns on either side), as full-width fonts show half-width forms; in box
// drawing, block elements and the long dashes, dots on the glyph's outer
// columns also run on to the cell's edges, so that lines join the next cell.
Glyph FitFullWidth(const HexGlyph& glyph, char32_t codePoint);

// A hex glyph in an 8 x 16 cell. A wide glyph is squeezed: each pair of
// columns becomes one column holding the dots of both, which keeps every
// stroke visible.
NarrowGlyph FitNarrow(const HexGlyph& glyph);

// The dots a glyph file shows for a code point: control characters are
// blank, a soft hyphen shows as a hyphen (the font draws it as a named box),
// and a character the font lacks is blank.
Glyph FullWidthGlyphOf(const HexFont& font, char32_t codePoint);
NarrowGlyph NarrowGlyphOf(const HexFont& font, char32_t codePoint);

}  // namespace qxed
