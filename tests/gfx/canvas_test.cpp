#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "gfx/canvas.h"
#include "picture_helpers.h"

namespace qxed {
namespace {

TEST(Canvas, FillsClipAndIgnoreTheOutside) {
    Canvas canvas(10, 10);
    canvas.SetBrushColor(kGray);
    canvas.FillRect(2, 3, 5, 7);  // right and bottom exclusive
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kGray), 3 * 4);
    EXPECT_EQ(canvas.Pixel(4, 6), kGray);
    EXPECT_EQ(canvas.Pixel(5, 6), kWhite);
    canvas.FillRect(6, 6, 2, 2);        // inverted: nothing
    canvas.SetBrushColor(kButtonFace);  // system colours draw in the preview scheme
    canvas.FillRect(INT_MIN, 8, INT_MAX, INT_MAX);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kSilver), 20);
    EXPECT_EQ(canvas.BrushColor(), kButtonFace);

    canvas.SetPixel(-1, 0, kBlack);
    canvas.SetPixel(10, 0, kBlack);
    EXPECT_EQ(canvas.Pixel(-1, 0), kWhite);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kBlack), 0);
    canvas.Resize(3, 2);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kWhite), 6);
}

TEST(CanvasFocusRect, DrawnTwiceRestoresTheImageExactly) {
    for (const Rect& r : {Rect{2, 3, 17, 11}, Rect{-4, -4, 9, 30}, Rect{5, 5, 6, 15}, Rect{4, 9, 12, 10}}) {
        SCOPED_TRACE(testing::Message() << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom);
        Canvas canvas(20, 20);
        for (int i = 0; i < 400; ++i)
            canvas.SetPixel(i % 20, i / 20, Rgb(i % 7 * 30, i % 13 * 19, i % 3 * 90));
        const RasterImage before = canvas.ToImage();
        canvas.DrawFocusRect(r);
        EXPECT_NE(canvas.ToImage(), before);
        canvas.DrawFocusRect(r);
        EXPECT_EQ(canvas.ToImage(), before);
    }
}

TEST(CanvasFocusRect, InvertsEveryOtherBorderPixelOnce) {
    Canvas canvas(20, 20);
    const Rect r{3, 3, 14, 9};  // two corners on the dotted phase
    canvas.DrawFocusRect(r);
    canvas.DrawFocusRect(Rect{5, 5, 5, 9});  // empty
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            const bool border =
                inside && (x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1);
            EXPECT_EQ(canvas.Pixel(x, y), border && (x + y) % 2 == 0 ? kBlack : kWhite) << x << "," << y;
        }
    }
}

TEST(CanvasPicture, DrawCopiesAndClipsAtEveryEdge) {
    const RasterImage picture = test::NumberedPicture(5, 4);
    for (const Point& at : {Point{0, 0}, Point{-2, -1}, Point{8, 7}, Point{-4, 8}, Point{9, -3}}) {
        SCOPED_TRACE(testing::Message() << at.X << "," << at.Y);
        Canvas canvas(10, 9);
        canvas.Draw(at.X, at.Y, picture);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(canvas.Pixel(x, y), picture.At(x - at.X, y - at.Y));
        }
    }
    Canvas canvas(10, 9);
    canvas.Draw(INT_MAX - 1, INT_MAX - 1, picture);
    canvas.Draw(INT_MIN, 0, picture);
    EXPECT_EQ(test::CountPixels(canvas.ToImage(), kWhite), 90);
}

TEST(CanvasPicture, TransparentDrawingSkipsTheBottomLeftColour) {
    RasterImage picture = test::NumberedPicture(3, 3);
    picture.Pixels[6] = kGray;  // bottom left
    picture.Pixels[1] = kGray;
    Canvas canvas(3, 3);
    canvas.SetBrushColor(kBlack);
    canvas.Fill();
    canvas.DrawTransparent(0, 0, picture);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(canvas.Pixel(i % 3, i / 3), picture.Pixels[i] == kGray ? kBlack : picture.Pixels[i]) << i;
    }
}

TEST(CanvasPicture, StretchScalesTheWholeTargetByNearestNeighbour) {
    const RasterImage picture = test::NumberedPicture(2, 3);
    Canvas canvas(8, 9);
    canvas.StretchDraw(Rect{1, 0, 7, 9}, picture);  // 3 x wider and higher
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(canvas.Pixel(x, y), x == 0 || x == 7 ? kWhite : picture.At((x - 1) / 3, y / 3))
                << x << "," << y;
        }
    }
    // Partly outside: the visible part keeps the scale of the whole target.
    Canvas clipped(6, 6);
    clipped.StretchDraw(Rect{-5, -3, 11, 13}, test::NumberedPicture(4, 4));
    Canvas whole(20, 20);
    whole.StretchDraw(Rect{0, 0, 16, 16}, test::NumberedPicture(4, 4));
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(clipped.Pixel(i % 6, i / 6), whole.Pixel(i % 6 + 5, i / 6 + 3)) << i;
    clipped.StretchDraw(Rect{0, 0, INT_MAX, INT_MAX}, picture);
    EXPECT_EQ(clipped.Pixel(5, 5), picture.At(0, 0));
}

TEST(CanvasPicture, EncodesPng) {
    const std::vector<uint8_t> png = Canvas(3, 2).EncodePng();
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 8), std::string("\x89PNG\r\n\x1A\n", 8));
    EXPECT_FALSE(Canvas(3, 2).SavePng("/nonexistent-folder/out.png"));
}

}  // namespace
}  // namespace qxed
