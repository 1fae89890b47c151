#include "glyphgen/preview.h"

#include <vector>

#include "glyphgen/glyph.h"
#include "glyphgen/symbol_pictures.h"
#include "text/symbols.h"

namespace qxed {

std::string SymbolPreviewPbm() {
    constexpr int perRow = 8;
    constexpr int gap = 4;
    constexpr int pitch = GlyphSize + gap;
    const auto symbols = Symbols();
    const int rows = (static_cast<int>(symbols.size()) + perRow - 1) / perRow;
    const int width = gap + perRow * pitch;
    const int height = gap + rows * pitch;

    std::vector<std::string> page(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), '0'));
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const Glyph glyph = SymbolPicture(symbols[i].Id);
        const int left = gap + static_cast<int>(i % perRow) * pitch;
        const int top = gap + static_cast<int>(i / perRow) * pitch;
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x)
                if (DotAt(glyph, x, y))
                    page[static_cast<std::size_t>(top + y)][static_cast<std::size_t>(left + x)] = '1';
    }

    std::string pbm = "P1\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    for (const std::string& line : page) {
        // Plain PBM lines should stay under 70 characters.
        for (std::size_t start = 0; start < line.size(); start += 64)
            pbm += line.substr(start, 64) + "\n";
    }
    return pbm;
}

}  // namespace qxed
