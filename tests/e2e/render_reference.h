#pragma once
#include <optional>
#include <vector>

#include "gfx/color.h"
#include "gfx/geometry.h"
#include "model/page.h"
#include "text/code_page.h"

namespace qxed::testing {

// The preview of a page worked out again from the drawing rules, apart from the editor's painter: the white
// ground, the grid dots, trend and bar lines, touch key frames, the white ground of variable font texts and
// the focus rectangle. Pixels that depend on the text rasteriser or on the element pictures (texts, lamps,
// keys, pictures) are left open.
struct ExpectedPreview {
    int Width = 0;
    int Height = 0;
    std::vector<std::optional<Color>> Pixels;  // top row first; nullopt: not fixed by the rules

    const std::optional<Color>& At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y * Width + x)];
    }
};

ExpectedPreview ReferencePreview(const Page& page, int model, bool grid, bool selected, CodePage codePage);

}  // namespace qxed::testing
