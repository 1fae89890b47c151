#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

#include "gfx/canvas.h"
#include "gfx/line_raster.h"
#include "picture_helpers.h"

namespace qxed {
namespace {

struct Segment {
    Point From;
    Point To;
};

constexpr std::array<Segment, 8> kSegments{{
    {{3, 5}, {20, 5}},   // horizontal
    {{7, 30}, {7, 2}},   // vertical, upwards
    {{12, 12}, {2, 2}},  // diagonal, up left
    {{30, 2}, {5, 27}},  // anti-diagonal
    {{1, 3}, {30, 14}},  // shallow
    {{30, 14}, {1, 3}},  // shallow, reversed
    {{4, 1}, {11, 33}},  // steep
    {{11, 33}, {4, 1}},  // steep, reversed
}};

TEST(CanvasLine, DrawsFromTheStartUpToButNotIncludingTheEnd) {
    for (const Segment& s : kSegments) {
        SCOPED_TRACE(testing::Message() << s.From.X << "," << s.From.Y << " to " << s.To.X << "," << s.To.Y);
        Canvas forward(40, 40);
        forward.Line(s.From.X, s.From.Y, s.To.X, s.To.Y);
        EXPECT_EQ(forward.Pixel(s.From.X, s.From.Y), kBlack);
        EXPECT_EQ(forward.Pixel(s.To.X, s.To.Y), kWhite);
        const int dx = s.To.X - s.From.X;
        const int dy = s.To.Y - s.From.Y;
        EXPECT_EQ(test::CountPixels(forward.ToImage(), kBlack), std::max(std::abs(dx), std::abs(dy)));
        // Every pixel lies within half a pixel of the ideal line, across its longer axis.
        for (const Point& p : LinePixels(s.From, s.To, Rect{0, 0, 40, 40})) {
            const int cross = std::abs((p.X - s.From.X) * dy - (p.Y - s.From.Y) * dx);
            EXPECT_LE(2 * cross, std::max(std::abs(dx), std::abs(dy)));
        }
        // The reversed segment covers the same pixels, apart from the swapped ends.
        Canvas backward(40, 40);
        backward.Line(s.To.X, s.To.Y, s.From.X, s.From.Y);
        forward.SetPixel(s.To.X, s.To.Y, kBlack);
        backward.SetPixel(s.From.X, s.From.Y, kBlack);
        EXPECT_EQ(forward.ToImage(), backward.ToImage());
    }
}

TEST(CanvasLine, JoinedSegmentsTouchWithoutTheLastPoint) {
    Canvas canvas(12, 12);
    canvas.SetPenColor(kGray);
    const std::array<Point, 4> points{{{1, 1}, {6, 1}, {6, 5}, {2, 9}}};
    canvas.Polyline(points);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kGray), 5 + 4 + 4);
    EXPECT_EQ(canvas.Pixel(6, 1), kGray);
    EXPECT_EQ(canvas.Pixel(3, 8), kGray);
    EXPECT_EQ(canvas.Pixel(2, 9), kWhite);

    Canvas chained(12, 12);
    chained.SetPenColor(kGray);
    chained.MoveTo(1, 1);
    for (std::size_t i = 1; i < points.size(); ++i)
        chained.LineTo(points[i].X, points[i].Y);
    EXPECT_EQ(chained.ToImage(), canvas.ToImage());
}

TEST(CanvasLine, ClippingKeepsThePixelsAndSurvivesExtremeCoordinates) {
    // The part of a line inside a small canvas equals that part of it drawn on a large one.
    for (const Segment& s : {Segment{{-50, -20}, {70, 40}}, Segment{{13, -90}, {2, 77}}}) {
        Canvas small(20, 20);
        small.Line(s.From.X, s.From.Y, s.To.X, s.To.Y);
        Canvas large(300, 300);
        large.Line(s.From.X + 100, s.From.Y + 100, s.To.X + 100, s.To.Y + 100);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + 100, y + 100));
        }
    }
    Canvas canvas(16, 16);
    canvas.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(canvas.Pixel(i, i), kBlack) << i;
    canvas.Line(INT_MIN, INT_MAX, INT_MIN + 5, INT_MIN);
    canvas.Line(20, 20, 1000000, 1000000);
    canvas.Line(3, 3, 3, 3);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kBlack), 16);
}

}  // namespace
}  // namespace qxed
