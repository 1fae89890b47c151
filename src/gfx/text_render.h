#pragma once

#include <string>
#include <string_view>

#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "gfx/mono_bitmap.h"
#include "text/code_page.h"

namespace qxed {

// Text measuring and glyph drawing with a stored font description. The text bytes and the font's face name
// are both in the code page given, the project's (whatever the font's charset): decoded strictly, else with
// U+FFFD for each byte that does not convert, so that a damaged text still shows something. Glyphs are
// drawn without anti-aliasing, so the same text gives the same dots on every run.

// Advance width, and ascent + descent as height.
Size MeasureText(const FontDesc& font, std::string_view bytes, CodePage codePage);

// The dots the glyphs cover when the text's extent starts at (0, 0), for the part of the extent given
// in extent coordinates; nothing outside the extent is ever drawn.
MonoBitmap RenderTextInk(const FontDesc& font, std::string_view bytes, CodePage codePage, const Rect& part);

// The family the font system actually uses for a font, and its character (em) height in pixels; for
// checking the face substitutions and the height rule.
std::string ResolvedFamily(const FontDesc& font, CodePage codePage);
int ResolvedPixelSize(const FontDesc& font, CodePage codePage);

}  // namespace qxed
