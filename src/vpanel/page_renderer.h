#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "gfx/geometry.h"
#include "gfx/mono_bitmap.h"
#include "image/image_reader.h"
#include "vpanel/panel_font.h"
#include "vpanel/simulated_plc.h"

namespace qxed {

// What a page is drawn from: the image bytes and their decoded form, the panel's own font, the PLC's
// state, the trend samples taken so far and the register being entered.
struct RenderInput {
    std::span<const uint8_t> Bytes;
    const DecodedImage* Image = nullptr;
    const PanelFont* Font = nullptr;
    const SimulatedPlc* Plc = nullptr;
    const std::map<std::size_t, std::deque<uint32_t>>* TrendSamples = nullptr;  // by element index
    std::optional<std::size_t> EntryElement;  // element index of the register being entered
    std::string EntryText;                    // what has been typed, as it is shown
};

// Draws an encoded text with the image's glyphs at (x, y): a byte of 0x80 or above with the one after it
// names a double-byte glyph (16 dots wide), any other byte a single-byte glyph (8 dots). An image without
// double-byte glyphs takes every byte as a single-byte index. An index beyond its section draws a blank
// cell. Returns the width drawn.
int DrawImageText(MonoBitmap& screen, const RenderInput& input, const ImageText& text, int x, int y, int scale,
                  bool inverse);

// Draws one element of the image as the panel shows it.
void DrawElement(MonoBitmap& screen, const RenderInput& input, std::size_t elementIndex);
// Draws the elements of a page onto the screen, the last of the page first, so the first is on top.
void DrawPage(MonoBitmap& screen, const RenderInput& input, std::size_t pageIndex);

// Where a touch key takes presses: its label and a three-dot frame around it.
Rect TouchKeyRect(const ImageElement& element);

// A trend or bar value as a fraction 0..1 of the way from the zero value to the full value.
double GraphFraction(const ImageElement& element, uint32_t raw);

}  // namespace qxed
