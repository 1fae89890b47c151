#pragma once

#include <string_view>

#include "glyphgen/picture.h"

namespace qxed {

// The 3 x 5 dot font of key cap labels: digits and the capitals the labels use.
constexpr int DotFontWidth = 3;
constexpr int DotFontHeight = 5;

bool InDotFont(char c);

// A label in the dot font, one blank column between characters. A character
// the font lacks takes a blank cell.
Picture DotFontText(std::string_view text);

}  // namespace qxed
