#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "gfx/canvas.h"
#include "gfx/text_render.h"
#include "picture_helpers.h"

namespace qxed {
namespace {

const std::string kSongFace = "\xCB\xCE\xCC\xE5";         // GBK 宋体
const std::string kChineseText = "AB\xD6\xD0\xCE\xC4yj";  // GBK AB中文yj

FontDesc SongFont(int32_t height) {
    FontDesc font;
    font.Charset = 134;
    font.Name = kSongFace;
    font.SetHeight(height);
    return font;
}

Canvas TextCanvas(const FontDesc& font, Color background) {
    Canvas canvas(120, 60);
    canvas.SetBrushColor(background);
    canvas.Fill();
    canvas.SetFont(font, CodePage::Gbk);
    return canvas;
}

TEST(FontDesc, SizeAndHeightFollowEachOtherAt96Dpi) {
    FontDesc font;
    font.SetHeight(-40);
    font.SetSize(11);  // applied last, the size decides the height: 14.67 pixels
    EXPECT_EQ(font.Height, -15);
    font.SetSize(-9);
    EXPECT_EQ(font.Height, 12);
    font.SetHeight(-14);  // 10.5 points: halves go away from zero
    EXPECT_EQ(font.Size, 11);
    font.SetHeight(14);
    EXPECT_EQ(font.Size, -11);
    font.SetSize(INT32_MAX);  // clamped, not overflowed
    EXPECT_EQ(font.Height, INT32_MIN);
}

// The face name and the text are bytes in the project's code page; the charset chooses only the repertoire,
// so a Chinese face of charset 0 (Western) is still found and still draws Chinese.
TEST(TextFont, FaceNamesAndTextsFollowTheProjectCodePageWhateverTheCharset) {
    const auto drawn = [](const FontDesc& font, const std::string& text, CodePage codePage) {
        Canvas canvas(120, 60);
        canvas.SetFont(font, codePage);
        canvas.TextOut(0, 0, text);
        return canvas.ToImage();
    };
    const RasterImage chinese = drawn(SongFont(-16), kChineseText, CodePage::Gbk);
    for (const uint8_t charset : {0, 1, 129, 204, 255}) {
        SCOPED_TRACE(int{charset});
        FontDesc font = SongFont(-16);
        font.Charset = charset;
        EXPECT_EQ(ResolvedFamily(font, CodePage::Gbk), "AR PL UMing CN");
        EXPECT_EQ(drawn(font, kChineseText, CodePage::Gbk), chinese);
    }

    // The same bytes read in another code page are other characters (and the name no Song face).
    FontDesc western = SongFont(-16);
    western.Charset = 0;
    EXPECT_NE(ResolvedFamily(western, CodePage::Cp1252), "AR PL UMing CN");
    const std::string russian = "\xCF\xF3\xF1\xEA";  // Пуск in CP1251
    FontDesc plain;
    plain.Charset = 0;
    plain.SetHeight(-16);
    FontDesc cyrillic = plain;
    cyrillic.Charset = 204;
    EXPECT_EQ(drawn(plain, russian, CodePage::Cp1251), drawn(cyrillic, russian, CodePage::Cp1251));
    EXPECT_NE(drawn(plain, russian, CodePage::Cp1251), drawn(plain, russian, CodePage::Gbk));
    // Bytes that do not convert still draw, one replacement mark each, never another code page's reading.
    EXPECT_EQ(drawn(plain, "a\xFF", CodePage::Gbk), drawn(plain, "a\xFE", CodePage::Gbk));
}

TEST(TextFont, SongFaceIsDrawnByTheInstalledSongFamily) {
    EXPECT_EQ(ResolvedFamily(SongFont(-16), CodePage::Gbk), "AR PL UMing CN");
    FontDesc simSun;
    simSun.Name = "SimSun";
    EXPECT_EQ(ResolvedFamily(simSun, CodePage::Gbk), "AR PL UMing CN");
}

TEST(TextFont, NegativeHeightIsTheEmHeightAndPositiveTheLargestFittingCell) {
    EXPECT_EQ(ResolvedPixelSize(SongFont(-16), CodePage::Gbk), 16);
    EXPECT_EQ(ResolvedPixelSize(SongFont(INT32_MIN), CodePage::Gbk), 1024);  // bounded
    for (const int cell : {12, 16, 20, 36}) {
        const int size = ResolvedPixelSize(SongFont(cell), CodePage::Gbk);
        EXPECT_LE(MeasureText(SongFont(-size), "A", CodePage::Gbk).Height, cell) << cell;
        EXPECT_GT(MeasureText(SongFont(-(size + 1)), "A", CodePage::Gbk).Height, cell) << cell;
    }
}

TEST(TextOut, FillsItsExtentWithTheBrushAndDrawsOnlyInside) {
    Canvas canvas = TextCanvas(SongFont(-16), kGray);
    canvas.SetBrushColor(kWhite);
    const Size extent = canvas.TextExtent(kChineseText);
    EXPECT_EQ(extent, (Size{canvas.TextWidth(kChineseText), canvas.TextHeight(kChineseText)}));
    ASSERT_GT(extent.Width, 4 * 8);
    ASSERT_GE(extent.Height, 16);
    canvas.TextOut(5, 7, kChineseText);
    int ink = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool inside = x >= 5 && x < 5 + extent.Width && y >= 7 && y < 7 + extent.Height;
            const Color c = canvas.Pixel(x, y);
            ASSERT_TRUE(inside ? c == kWhite || c == kBlack : c == kGray)
                << x << "," << y;  // not anti-aliased
            ink += c == kBlack ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 40);
}

TEST(TextOut, SwappedColoursGiveTheInvertedPixels) {
    Canvas normal = TextCanvas(SongFont(-16), kWhite);
    normal.TextOut(3, 2, kChineseText);
    Canvas inverse = TextCanvas(SongFont(-16), kWhite);
    inverse.SetFontColor(kWhite);
    inverse.SetBrushColor(kBlack);
    inverse.TextOut(3, 2, kChineseText);
    const Size extent = normal.TextExtent(kChineseText);
    for (int y = 2; y < 2 + extent.Height; ++y) {
        for (int x = 3; x < 3 + extent.Width; ++x)
            ASSERT_EQ(inverse.Pixel(x, y), normal.Pixel(x, y) ^ 0xFFFFFF);
    }
}

TEST(TextOut, IsReproducibleAndClipsLikeALargerCanvas) {
    Canvas first = TextCanvas(SongFont(-20), kWhite);
    first.TextOut(-9, -4, kChineseText);
    Canvas second = TextCanvas(SongFont(-20), kWhite);
    second.TextOut(-9, -4, kChineseText);
    EXPECT_EQ(first.ToImage(), second.ToImage());
    Canvas large(200, 100);
    large.SetFont(SongFont(-20), CodePage::Gbk);
    large.TextOut(41, 26, kChineseText);
    for (int y = 0; y < first.Height(); ++y) {
        for (int x = 0; x < first.Width(); ++x)
            ASSERT_EQ(first.Pixel(x, y), large.Pixel(x + 50, y + 30));
    }
}

TEST(TextOut, StyleBitsAddInkAtEverySize) {
    const auto inkOf = [](const FontDesc& font) {
        Canvas canvas = TextCanvas(font, kWhite);
        canvas.TextOut(0, 0, "Hello");
        return test::CountPixels(canvas.ToImage(), kBlack);
    };
    for (const int32_t height : {-12, -16, -20}) {
        for (const uint8_t style : {FontDesc::kBold, FontDesc::kUnderline, FontDesc::kStrikeOut}) {
            FontDesc styled = SongFont(height);
            styled.Style = style;
            EXPECT_GT(inkOf(styled), inkOf(SongFont(height))) << height << " " << int{style};
        }
    }
}

TEST(TextOut, DamagedBytesAndHugeFontsStillDraw) {
    Canvas canvas = TextCanvas(SongFont(-16), kWhite);
    canvas.TextOut(0, 0, "\xFF\xFE\x81");
    EXPECT_GT(test::CountPixels(canvas.ToImage(), kBlack), 0);
    FontDesc huge = SongFont(0);
    huge.SetSize(1000000);
    canvas.SetFont(huge, CodePage::Gbk);
    canvas.TextOut(INT_MAX - 5, INT_MAX - 5, kChineseText);
    canvas.TextOut(-500, -300, kChineseText);
    EXPECT_EQ(canvas.ToImage().Pixels.size(), 120u * 60u);
}

}  // namespace
}  // namespace qxed
