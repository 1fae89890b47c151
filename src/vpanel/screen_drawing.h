#pragma once
#include <cstdint>
#include <span>

#include "gfx/geometry.h"
#include "gfx/mono_bitmap.h"

// Drawing on the panel's one-bit screen. Everything clips to the screen, so a hostile position or size
// costs no more than the screen itself.
namespace qxed {

// The segment from `from` to just before `to`, as the preview's lines are drawn.
void DrawLine(MonoBitmap& screen, Point from, Point to);
// Every dot of the rectangle set or cleared.
void FillRect(MonoBitmap& screen, const Rect& rect, bool set);
void InvertRect(MonoBitmap& screen, const Rect& rect);
// The one-dot outline of the rectangle.
void FrameRect(MonoBitmap& screen, const Rect& rect);

// Copies the dots (set and clear alike) to (x, y), each dot as a scale x scale block, inverted when asked:
// the panel writes a cell into its display memory, it does not mix it with what was there.
void PutDots(MonoBitmap& screen, const MonoBitmap& dots, int x, int y, int scale, bool inverse);

// A packed bitmap back into its dots: the reverse of the builder's packing for a width x height bitmap at
// the panel position (x0, y0). Bytes beyond `packed` count as clear, so a short record draws a part.
MonoBitmap UnpackBitmap(std::span<const uint8_t> packed, int width, int height, int x0, int y0,
                        bool rowLayout);

// Draws a packed bitmap (as UnpackBitmap reads it) with its top left at its panel position (x0, y0),
// overwriting the dots beneath, within `clip` and the screen only: the work is bounded by the screen,
// whatever size the record claims.
void DrawPacked(MonoBitmap& screen, std::span<const uint8_t> packed, int width, int height, int x0, int y0,
                bool rowLayout, const Rect& clip);

// A glyph of the image in the model's layout as dots: 16 x 16 from 32 bytes, 8 x 16 from 16 bytes.
// Row layout: the rows of the left half, then those of the right half, bit 7 the leftmost dot. Column
// layout: 8 x 8 blocks (left top, left bottom, right top, right bottom) of 8 column bytes, bit 0 on top.
MonoBitmap GlyphDots(std::span<const uint8_t> glyph, bool rowLayout);

}  // namespace qxed
