#pragma once

#include <string>
#include <string_view>

#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "gfx/mono_bitmap.h"

namespace qxed {

// Text measuring and glyph drawing with a stored font description. Texts are bytes in the code page
// of the font's charset (see DecodeForDisplay). Glyphs are drawn without anti-aliasing, so the same
// text gives the same dots on every run.

// Advance width, and ascent + descent as height.
Size MeasureText(const FontDesc& font, std::string_view bytes);

// The dots the glyphs cover when the text's extent starts at (0, 0), for the part of the extent given
// in extent coordinates; nothing outside the extent is ever drawn.
MonoBitmap RenderTextInk(const FontDesc& font, std::string_view bytes, const Rect& part);

// The family the font system actually uses for a font, and its character (em) height in pixels; for
// checking the face substitutions and the height rule.
std::string ResolvedFamily(const FontDesc& font);
int ResolvedPixelSize(const FontDesc& font);

}  // namespace qxed
