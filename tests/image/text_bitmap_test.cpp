#include "image/text_bitmap.h"

#include <gtest/gtest.h>

#include "support/sample_project.h"

namespace qxed {
namespace {

int CountSet(const MonoBitmap& bitmap) {
    int count = 0;
    for (uint8_t dot : bitmap.Dots)
        count += dot != 0 ? 1 : 0;
    return count;
}

TEST(TextBitmapTest, InverseTextIsTheComplementWithinItsExtent) {
    FontDesc font;
    font.SetSize(12);
    const MonoBitmap normal = TextBitmap(font, "H-1", CodePage::Gbk, false);
    const MonoBitmap inverse = TextBitmap(font, "H-1", CodePage::Gbk, true);
    const Size size = TextBitmapSize(font, "H-1", CodePage::Gbk);
    ASSERT_EQ(normal.Width, size.Width);
    ASSERT_EQ(normal.Height, size.Height);
    ASSERT_EQ(inverse.Width, size.Width);
    const int set = CountSet(normal);
    EXPECT_GT(set, 0);
    EXPECT_LT(set, size.Width * size.Height);
    for (std::size_t i = 0; i < normal.Dots.size(); ++i)
        ASSERT_NE(normal.Dots[i] != 0, inverse.Dots[i] != 0) << "dot " << i;
}

TEST(TextBitmapTest, TheFontColourDoesNotMatter) {
    FontDesc font;
    font.SetSize(12);
    FontDesc white = font;
    white.Color = kWhite;
    EXPECT_EQ(TextBitmap(white, "H-1", CodePage::Gbk, false), TextBitmap(font, "H-1", CodePage::Gbk, false));
}

TEST(TextBitmapTest, DotsBeyondTheCanvasAreClear) {
    FontDesc font;
    font.SetSize(36);
    const std::string blanks(40, ' ');
    const MonoBitmap bitmap = TextBitmap(font, blanks, CodePage::Gbk, true);
    ASSERT_GT(bitmap.Width, 320);
    EXPECT_TRUE(bitmap.IsSet(319, 0));
    EXPECT_FALSE(bitmap.IsSet(320, 0));
    EXPECT_EQ(CountSet(bitmap), 320 * std::min(bitmap.Height, 240));
}

TEST(PictureBitmapTest, EveryPixelThatIsNotWhiteIsSet) {
    // The sample's top row is white, black, grey; its bottom row red, green, blue.
    const MonoBitmap dots = PictureBitmap(testing::SampleColourBmp(), 4, 3);
    MonoBitmap expected(4, 3);
    for (auto [x, y] : {std::pair{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}})
        expected.Set(x, y, true);
    EXPECT_EQ(dots, expected);
}

TEST(PictureBitmapTest, AnUnreadablePictureIsBlank) {
    const std::vector<uint8_t> junk = {'B', 'M', 1, 2, 3};
    EXPECT_EQ(PictureBitmap(junk, 5, 2), MonoBitmap(5, 2));
    EXPECT_EQ(PictureBitmap({}, 0, 0), MonoBitmap());
}

}  // namespace
}  // namespace qxed
