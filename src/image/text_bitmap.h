#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "gfx/mono_bitmap.h"
#include "text/code_page.h"

namespace qxed {

// The dots of a font text, touch key label or variable font text entry as the panel shows them: the text
// drawn with the font at its own size at (0, 0) of a white 320 x 240 canvas, black on white, or white on
// black for an inverse element. The bitmap is the drawn width by the text height; every pixel that is not
// pure white is a set dot, and the part beyond the canvas is clear. The bytes and the face name are in the
// project's code page.
MonoBitmap TextBitmap(const FontDesc& font, std::string_view bytes, CodePage codePage, bool inverse);
// Its size without drawing it, so that a text too large for its image field is refused before it is drawn.
Size TextBitmapSize(const FontDesc& font, std::string_view bytes, CodePage codePage);

// The dots of a picture: the stored bitmap file's pixels 0..width-1, 0..height-1, set when not pure white.
// Pixels beyond the picture, and every pixel of a file that cannot be decoded, are clear.
MonoBitmap PictureBitmap(std::span<const uint8_t> bmpFile, int width, int height);

}  // namespace qxed
