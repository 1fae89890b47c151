#include "glyphgen/picture.h"

#include <algorithm>
#include <bit>

namespace qxed {

Picture PictureOf(std::span<const std::string_view> rows) {
    Picture picture;
    for (std::string_view row : rows)
        picture.Rows.emplace_back(row);
    return picture;
}

void Draw(Glyph& glyph, const Picture& picture, int x, int y) {
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < static_cast<int>(picture.Rows[row].size()); ++column)
            if (picture.Rows[row][column] == '#') SetDot(glyph, x + column, y + row);
}

void DrawCentred(Glyph& glyph, const Picture& picture, int boxX, int boxY, int boxWidth, int boxHeight) {
    Draw(glyph, picture, boxX + (boxWidth - picture.Width()) / 2, boxY + (boxHeight - picture.Height()) / 2);
}

Glyph FillRows(const Glyph& outline) {
    Glyph filled{};
    for (int row = 0; row < GlyphSize; ++row) {
        const std::uint16_t bits = outline[row];
        if (bits == 0) continue;
        // From the highest set bit (leftmost dot) down to the lowest (rightmost dot).
        const int left = 15 - std::countl_zero(bits);
        const int right = std::countr_zero(bits);
        std::uint16_t span = 0;
        for (int bit = right; bit <= left; ++bit)
            span = static_cast<std::uint16_t>(span | (1u << bit));
        filled[row] = span;
    }
    return filled;
}

Picture Join(std::span<const Picture> pictures, int gap) {
    int height = 0;
    for (const Picture& picture : pictures)
        height = std::max(height, picture.Height());
    Picture joined;
    joined.Rows.assign(static_cast<std::size_t>(height), std::string());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const Picture& picture = pictures[i];
        for (int row = 0; row < height; ++row) {
            std::string& line = joined.Rows[static_cast<std::size_t>(row)];
            if (i > 0) line.append(static_cast<std::size_t>(gap), '.');
            if (row < picture.Height())
                line += picture.Rows[static_cast<std::size_t>(row)];
            else
                line.append(static_cast<std::size_t>(picture.Width()), '.');
        }
    }
    return joined;
}

}  // namespace qxed
