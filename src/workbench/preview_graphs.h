#pragma once
#include <cstdint>

#include "gfx/canvas.h"
#include "gfx/geometry.h"

namespace qxed {

// The line drawings of the preview, in black on a white ground: what a trend or a bar graph looks like,
// with a sample curve or bar, and the raised frame of a touch key. Lines end just before their last point,
// as the canvas draws them. The pen and brush are left black and white.

// A trend graph in (x, y, x + w, y + h): the value axis with its arrow and ticks, the time axis with its
// arrow, and a sample curve drawn two pixels thick.
void DrawTrendGraph(Canvas& canvas, int x, int y, int w, int h);

// A bar graph growing in the direction given (BarFields::kUp, kDown, kRight, kLeft): a double frame, the
// scale with its ticks, and a filled bar of a third of the length.
void DrawBarGraph(Canvas& canvas, int x, int y, int w, int h, int32_t direct);

// The raised double frame of a touch key around r, in the colour given (silver marks an invisible key).
void DrawTouchKeyFrame(Canvas& canvas, const Rect& r, Color color);

}  // namespace qxed
