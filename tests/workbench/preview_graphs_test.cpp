#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preview_fixture.h"

namespace qxed::testing {
namespace {

// The expected pictures are worked out from the drawing rules: every line from its first point to just
// before its last, diagonals on the nearest pixel with halves going to the smaller coordinate, filled bars
// without their right column and bottom row.

// A trend of 20 x 16: the value axis with its arrow (columns 0..5), ticks at rows 2/3, 5/6 and 8/9, the
// time axis on rows 10 and 11 with its arrow below, and the curve through (4,9) (6,7) (7,8) (13,4) (14,5)
// (20,2), twice.
const std::vector<std::string> kTrend20x16 = {
    "....##..............",  //
    "...###..............",  //
    "..####.............#",  //
    ".#####...........###",  //
    "##..##.......#.####.",  //
    "######.....######...",  //
    "######....###.#.....",  //
    "....###.###.........",  //
    "..########..........",  //
    "..####.#............",  //
    "####################",  //
    "####################",  //
    ".................##.",  //
    "................##..",  //
    "...............##...",  //
    "..............##....",  //
};

// Bars of 12 x 10 (right, left) and 10 x 12 (up, down): a double frame, the scale two pixels thick with
// ticks at the quarters, and the bar over a third of the length.
const std::vector<std::string> kBarRight = {
    "############",  //
    "############",  //
    "####......##",  //
    "####......##",  //
    "############",  //
    "############",  //
    "####.##.####",  //
    "####.##.####",  //
    "##...##...##",  //
    "##...##...##",  //
};

const std::vector<std::string> kBarLeft = {
    "############",  //
    "############",  //
    "##......####",  //
    "##......####",  //
    "############",  //
    "############",  //
    "####.##.####",  //
    "####.##.####",  //
    "##...##...##",  //
    "##...##...##",  //
};

const std::vector<std::string> kBarUp = {
    "##########",  //
    "##########",  //
    "..####..##",  //
    "..####..##",  //
    "....##..##",  //
    "######..##",  //
    "######..##",  //
    "....##..##",  //
    "..########",  //
    "..########",  //
    "##########",  //
    "##########",  //
};

const std::vector<std::string> kBarDown = {
    "##########",  //
    "##########",  //
    "..########",  //
    "..########",  //
    "....##..##",  //
    "######..##",  //
    "######..##",  //
    "....##..##",  //
    "..####..##",  //
    "..####..##",  //
    "##########",  //
    "##########",  //
};

Element Trend(int32_t x, int32_t y, int32_t w, int32_t h) {
    Element e = MakeElement(ElementKind::Trend, x, y);
    e.As<TrendFields>().Width = w;
    e.As<TrendFields>().Height = h;
    return e;
}

Element Bar(int32_t x, int32_t y, int32_t w, int32_t h, int32_t direct) {
    Element e = MakeElement(ElementKind::Bar, x, y);
    BarFields& b = e.As<BarFields>();
    b.Width = w;
    b.Height = h;
    b.Direct = direct;
    return e;
}

TEST(PreviewGraphs, TrendsAndBarsMatchTheirPixelsOnBothModelGroups) {
    struct Case {
        const char* What;
        Element E;
        const std::vector<std::string>* Expected;
    };
    const Case cases[] = {
        {"trend", Trend(0, 0, 20, 16), &kTrend20x16},
        {"bar right", Bar(0, 0, 12, 10, BarFields::kRight), &kBarRight},
        {"bar left", Bar(0, 0, 12, 10, BarFields::kLeft), &kBarLeft},
        {"bar up", Bar(0, 0, 10, 12, BarFields::kUp), &kBarUp},
        {"bar down", Bar(0, 0, 10, 12, BarFields::kDown), &kBarDown},
    };
    struct Place {
        int Model;
        int32_t X, Y;
    };
    const Place places[] = {{kQx210, 37, 21}, {kQx420, 291, 203}, {kQx204, 0, 0}};
    for (const Case& c : cases) {
        for (const Place& place : places) {
            Element e = c.E;
            e.X = place.X;
            e.Y = place.Y;
            Preview preview;
            ASSERT_TRUE(preview.Draw({e}, place.Model).Complete);
            const int w = static_cast<int>(c.Expected->front().size());
            const int h = static_cast<int>(c.Expected->size());
            EXPECT_EQ(PictureOf(preview.Image, place.X, place.Y, w, h), *c.Expected)
                << c.What << " on model " << place.Model;
            EXPECT_EQ(InkOutside(preview.Image, Rect{place.X, place.Y, place.X + w, place.Y + h}), 0)
                << c.What << " on model " << place.Model;
        }
    }
}

TEST(PreviewGraphs, AGraphCoversWhatLiesBehindItWithWhite) {
    // A bar in front of a picture-sized black area: inside the bar's rectangle only the bar's own pixels.
    Element behind = Bar(0, 0, 40, 40, BarFields::kRight);
    Element front = Bar(10, 10, 12, 10, BarFields::kLeft);
    Preview preview;
    ASSERT_TRUE(preview.Draw({front, behind}, kQx210).Complete);
    EXPECT_EQ(PictureOf(preview.Image, 10, 10, 12, 10), kBarLeft);
}

TEST(PreviewGraphs, HugeSizesFromADamagedFileAreClippedWithoutOverflow) {
    Preview preview;
    ASSERT_TRUE(preview
                    .Draw({Trend(INT32_MAX - 3, 0, INT32_MAX, INT32_MAX), Bar(-5, -5, INT32_MAX, 40, 7),
                           Trend(10, 10, -30, -30)},
                          kQx420)
                    .Complete);
    EXPECT_EQ(preview.Image.Width(), 400);
}

}  // namespace
}  // namespace qxed::testing
