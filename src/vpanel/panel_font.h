#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gfx/mono_bitmap.h"

namespace qxed {

// The panel's own character generator, for what it writes itself (register digits, ASCII texts, its system
// pages): 256 glyphs of 8 x 16 dots, 16 row bytes each with bit 7 the leftmost dot, the record form of the
// single-byte glyph file beside the program.
class PanelFont {
  public:
    static constexpr std::size_t kBytes = 256 * 16;

    // Nullopt unless exactly the 4096 bytes of 256 records.
    static std::optional<PanelFont> FromBytes(std::span<const uint8_t> bytes);
    // The single-byte glyph file in `folder`; nullopt when it is missing or not of that size.
    static std::optional<PanelFont> Load(const std::string& folder);

    MonoBitmap Glyph(uint8_t code) const;

  private:
    std::array<uint8_t, kBytes> rows_{};
};

// Draws text in the panel font, 8 dots per character (16 with scale 2), at (x, y); returns the width drawn.
int DrawPanelText(MonoBitmap& screen, const PanelFont& font, std::string_view text, int x, int y, int scale,
                  bool inverse);

}  // namespace qxed
