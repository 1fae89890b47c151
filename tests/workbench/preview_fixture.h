#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"
#include "model/element_defaults.h"
#include "model/project.h"
#include "text/settings_paths.h"
#include "workbench/preview_painter.h"

namespace qxed::testing {

constexpr int kQx210 = 0;  // 192 x 64 dots, preview 432 x 144, Z 36
constexpr int kQx420 = 2;  // 320 x 240 dots, preview 400 x 300, Z 20
constexpr int kQx421 = 7;  // 240 x 128 dots, preview 300 x 160, Z 20
constexpr int kQx204 = 5;  // 128 x 64 dots, preview 288 x 144, Z 36

inline Element MakeElement(ElementKind kind, int32_t x, int32_t y) {
    Project project;
    Element e = NewElement(project, static_cast<int32_t>(kind));
    e.X = x;
    e.Y = y;
    return e;
}

// Draws pages with the element pictures the build puts beside the test program.
struct Preview {
    PreviewCache Cache{ProgramFolder()};
    Canvas Image{0, 0};

    PaintOutcome Draw(const Page& page, int model, bool grid = false, bool selected = false) {
        const PreviewInput input{page, model, CodePage::Gbk, Cache, grid, selected};
        return RedrawPage(Image, input);
    }
    PaintOutcome Draw(const std::vector<Element>& elements, int model, bool grid = false,
                      bool selected = false) {
        Page page;
        page.Elements = elements;
        return Draw(page, model, grid, selected);
    }
};

// The part of the image at (left, top) as rows of '#' (black), '.' (white), '+' (grey or silver) and '?'
// (any other colour), so that a test can hold the expected pixels as a picture.
inline std::vector<std::string> PictureOf(const Canvas& canvas, int left, int top, int width, int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            const Color c = canvas.Pixel(x, y);
            row += c == kBlack ? '#' : c == kWhite ? '.' : (c == kGray || c == kSilver) ? '+' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// Pixels that are not white outside the rectangle.
inline int InkOutside(const Canvas& canvas, const Rect& r) {
    int ink = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if ((x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) && canvas.Pixel(x, y) != kWhite)
                ++ink;
    return ink;
}

}  // namespace qxed::testing
