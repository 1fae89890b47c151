#include "vpanel/panel_font.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "image/glyph_store.h"
#include "vpanel/screen_drawing.h"

namespace qxed {

std::optional<PanelFont> PanelFont::FromBytes(std::span<const uint8_t> bytes) {
    if (bytes.size() != kBytes) return std::nullopt;
    PanelFont font;
    std::copy(bytes.begin(), bytes.end(), font.rows_.begin());
    return font;
}

std::optional<PanelFont> PanelFont::Load(const std::string& folder) {
    std::ifstream in(folder + "/" + std::string(kSingleByteGlyphFile), std::ios::binary);
    if (!in) return std::nullopt;
    // One byte more than a font, so that a longer file is told apart.
    std::vector<uint8_t> bytes(kBytes + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return FromBytes(bytes);
}

MonoBitmap PanelFont::Glyph(uint8_t code) const {
    MonoBitmap dots(8, 16);
    for (int row = 0; row < 16; ++row) {
        const uint8_t bits = rows_[std::size_t{code} * 16 + static_cast<std::size_t>(row)];
        for (int j = 0; j < 8; ++j)
            dots.Set(j, row, (bits >> (7 - j) & 1) != 0);
    }
    return dots;
}

int DrawPanelText(MonoBitmap& screen, const PanelFont& font, std::string_view text, int x, int y, int scale,
                  bool inverse) {
    int advance = 0;
    for (const char c : text) {
        PutDots(screen, font.Glyph(static_cast<uint8_t>(c)), x + advance, y, scale, inverse);
        advance += 8 * scale;
    }
    return advance;
}

}  // namespace qxed
