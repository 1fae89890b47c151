#pragma once
#include "gfx/color.h"
#include "gfx/raster_image.h"

namespace qxed {

class VirtualPanel;

// The colours the panel's screen shows: dark dots on a grey-green screen, or white dots on blue; with the
// back light off, a dark screen without dots.
struct ScreenColours {
    Color Background;
    Color Dots;
};
ScreenColours ScreenColoursOf(const VirtualPanel& panel);

// The panel's screen in its colours, every dot a scale x scale block (scale 1..16).
RasterImage ScreenPicture(const VirtualPanel& panel, int scale);

}  // namespace qxed
