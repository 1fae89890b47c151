#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "glyphgen/glyph.h"

namespace qxed {

// A small picture written as rows of '#' (dot) and '.' (no dot), so that the
// picture data reads like the picture. All rows are as wide as the first.
struct Picture {
    std::vector<std::string> Rows;

    int Width() const { return Rows.empty() ? 0 : static_cast<int>(Rows.front().size()); }
    int Height() const { return static_cast<int>(Rows.size()); }
};

Picture PictureOf(std::span<const std::string_view> rows);

// Places a picture with its top-left corner at (x, y); dots falling outside
// the glyph are dropped.
void Draw(Glyph& glyph, const Picture& picture, int x, int y);

// A picture centred in the box of the given corner and size (odd leftover
// space goes to the right and bottom).
void DrawCentred(Glyph& glyph, const Picture& picture, int boxX, int boxY, int boxWidth, int boxHeight);

// Fills each row between its leftmost and rightmost dot: turns an outline
// into a solid shape.
Glyph FillRows(const Glyph& outline);

// The pictures side by side, with the given number of blank columns between
// them, aligned at the top.
Picture Join(std::span<const Picture> pictures, int gap);

}  // namespace qxed
