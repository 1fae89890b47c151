#include <gtest/gtest.h>

#include "image/bitmap_packing.h"
#include "image/glyph_store.h"
#include "image/text_bitmap.h"
#include "support/sample_project.h"
#include "vpanel/element_fields.h"
#include "vpanel/page_renderer.h"
#include "vpanel/panel_font.h"
#include "vpanel/register_format.h"
#include "vpanel/panel_fixture.h"
#include "vpanel/screen_drawing.h"

namespace qxed {
namespace {

using namespace testing;

// The dots of a record of a generated glyph file: 16 rows of `width` / 8 bytes, bit 7 the leftmost dot.
MonoBitmap GlyphFileDots(const std::string& file, std::size_t record, int width) {
    const std::vector<uint8_t> bytes = FileBytes(ProgramFolder() + "/" + file);
    const std::size_t size = static_cast<std::size_t>(width / 8 * 16);
    MonoBitmap dots(width, 16);
    EXPECT_GE(bytes.size(), (record + 1) * size) << file;
    if (bytes.size() < (record + 1) * size) return dots;
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < width; ++column) {
            const uint8_t byte = bytes[record * size + static_cast<std::size_t>(row * width / 8 + column / 8)];
            dots.Set(column, row, (byte >> (7 - column % 8) & 1) != 0);
        }
    return dots;
}

MonoBitmap Scaled(const MonoBitmap& dots, int scale, bool inverse) {
    MonoBitmap out(dots.Width * scale, dots.Height * scale);
    PutDots(out, dots, 0, 0, scale, inverse);
    return out;
}

struct TextCase {
    int Model;
    bool Double;
    bool Inverse;
};

class TextDots : public ::testing::TestWithParam<TextCase> {};

// "A" then the double-byte B0A1, which reads record 1410 of the model's 16 x 16 file.
TEST_P(TextDots, AreTheGlyphFileDotsAtTheTextPosition) {
    const TextCase c = GetParam();
    Project project = SmallProject(c.Model);
    Page& page = project.Pages().front();
    AddElement<TextFields>(page, ElementKind::Text, c.Model, 16, 8).Content = "A\xB0\xA1";
    page.Elements.back().Double = c.Double;
    page.Elements.back().Inverse = c.Inverse;
    const VirtualPanel panel = StartPanel(project);
    const MonoBitmap screen = panel.Screen();

    const int scale = c.Double ? 2 : 1;
    const MonoBitmap single = Scaled(GlyphFileDots(std::string(kSingleByteGlyphFile), 'A', 8), scale, c.Inverse);
    const MonoBitmap wide = Scaled(
        GlyphFileDots(DoubleByteGlyphFileName(TextLanguage::sCh, c.Model), 1410, 16), scale, c.Inverse);
    EXPECT_GT(CountSet(single), 0);
    EXPECT_EQ(Region(screen, 16, 8, single.Width, single.Height), single);
    EXPECT_EQ(Region(screen, 16 + 8 * scale, 8, wide.Width, wide.Height), wide);
    // Nothing beyond the text's cells.
    const int drawn = CountSet(single) + CountSet(wide);
    EXPECT_EQ(CountSet(screen), drawn);
}

INSTANTIATE_TEST_SUITE_P(ColumnAndRowLayout, TextDots,
                         ::testing::Values(TextCase{1, false, false}, TextCase{1, true, false},
                                           TextCase{1, false, true}, TextCase{2, false, false},
                                           TextCase{2, true, true}, TextCase{7, false, true},
                                           TextCase{5, true, false}));

TEST(RegisterText, ShowsTheDigitsOfEveryOption) {
    struct Case {
        const char* Name;
        RegisterFormat Format;
        uint32_t Raw;
        const char* Shown;
    };
    auto f = [](int digits, int decimals) {
        RegisterFormat format;
        format.Digits = digits;
        format.DecimalDigits = decimals;
        return format;
    };
    auto with = [](RegisterFormat format, auto change) {
        change(format);
        return format;
    };
    const float pi = 3.14159f;
    const Case cases[] = {
        {"plain", f(5, 0), 42, "   42"},
        {"leading zeros", with(f(5, 0), [](auto& x) { x.Pre0 = true; }), 42, "00042"},
        {"fixed point", f(5, 2), 12345, "123.45"},
        {"fixed point below one", f(5, 2), 5, "  0.05"},
        {"digits all decimals", f(3, 3), 123, "0.123"},
        {"signed negative", with(f(4, 0), [](auto& x) { x.Signed = true; }), 0xFFF6, "  -10"},
        {"signed positive keeps its sign place", with(f(4, 0), [](auto& x) { x.Signed = true; }), 10, "   10"},
        {"signed with zeros", with(f(4, 1), [](auto& x) { x.Signed = x.Pre0 = true; }), 0xFFF6, "-001.0"},
        {"unsigned reads the high bit as value", f(5, 0), 0xFFF6, "65526"},
        {"too wide", f(2, 0), 123, "**"},
        {"too wide with a point", f(3, 1), 1000, "****"},
        {"hex", with(f(4, 0), [](auto& x) { x.Decimal = false; }), 0x1A2F, "1A2F"},
        {"bcd with a point", with(f(4, 2), [](auto& x) { x.Decimal = false; }), 0x1234, "12.34"},
        {"hex too wide", with(f(3, 0), [](auto& x) { x.Decimal = false; }), 0x1234, "***"},
        {"two registers", with(f(10, 0), [](auto& x) { x.Length = 4; }), 1234567890, "1234567890"},
        {"two registers signed", with(f(6, 0), [](auto& x) { x.Length = 4; x.Signed = true; }),
         static_cast<uint32_t>(-123456), "-123456"},
        {"one byte register", with(f(3, 0), [](auto& x) { x.Length = 1; }), 0x1FF, "255"},
        {"float", with(f(4, 2), [](auto& x) { x.Length = 4; x.Float = true; }), std::bit_cast<uint32_t>(pi),
         "  3.14"},
        {"float negative", with(f(4, 1), [](auto& x) { x.Length = 4; x.Float = true; }),
         std::bit_cast<uint32_t>(-2.25f), "  -2.3"},
        {"float not a number", with(f(3, 0), [](auto& x) { x.Length = 4; x.Float = true; }), 0x7FC00000, "****"},
        {"conversion", with(f(5, 0), [](auto& x) { x.Convert = true; x.LowLimit = 0; x.UpLimit = 4000;
                                                   x.ValLowLimit = 0; x.ValUpLimit = 100; }), 1000, "   25"},
        {"conversion rounds", with(f(5, 0), [](auto& x) { x.Convert = true; x.LowLimit = 0; x.UpLimit = 3;
                                                          x.ValLowLimit = 0; x.ValUpLimit = 100; }), 1, "   33"},
        {"conversion with an offset", with(f(5, 1), [](auto& x) { x.Convert = true; x.Signed = true;
                                           x.LowLimit = 0; x.UpLimit = 1000; x.ValLowLimit = -500;
                                           x.ValUpLimit = 500; }), 200, "  -30.0"},
        {"conversion of an empty range", with(f(5, 0), [](auto& x) { x.Convert = true; x.LowLimit = 7;
                                              x.UpLimit = 7; x.ValLowLimit = 9; }), 1, "    9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatRegister(c.Format, c.Raw), c.Shown) << c.Name;
        EXPECT_EQ(FormatRegister(c.Format, c.Raw).size(), static_cast<std::size_t>(FieldWidth(c.Format))) << c.Name;
    }
}

// The record options reach the screen: the register element drawn equals its expected text in the panel
// font at its place.
TEST(RegisterElement, ShowsItsValueInThePanelFontAtItsPlace) {
    struct Case {
        int Model;
        RegFields Fields;
        uint16_t Value;
        const char* Shown;
        bool Double;
    };
    RegFields plain;
    plain.Digits = 4;
    RegFields signedFixed = plain;
    signedFixed.Unsigned = 0;
    signedFixed.DecimalDigits = 1;
    signedFixed.Pre0 = 1;
    RegFields hex = plain;
    hex.DecDisp = 0;
    const Case cases[] = {
        {1, plain, 77, "  77", false},
        {2, signedFixed, 0xFFF6, "-001.0", false},
        {1, hex, 0xBEEF, "BEEF", true},
    };
    const PanelFont font = GeneratedFont();
    for (const Case& c : cases) {
        Project project = SmallProject(c.Model);
        Page& page = project.Pages().front();
        RegFields& reg = AddElement<RegFields>(page, ElementKind::Reg, c.Model, 24, 16);
        reg = c.Fields;
        reg.Address = PlcAddress{1, 0, 100};
        page.Elements.back().Double = c.Double;
        VirtualPanel panel = StartPanel(project);
        panel.SetRegister(ImageOperand{1, 0, 100}, c.Value);
        MonoBitmap expected(panel.ScreenWidth(), panel.ScreenHeight());
        DrawPanelText(expected, font, c.Shown, 24, 16, c.Double ? 2 : 1, false);
        EXPECT_EQ(panel.Screen(), expected) << c.Shown;
    }
}

TEST(Lamp, ShowsTheLitSymbolWhileItsCoilFollowsItsLogic) {
    for (const int model : {1, 2}) {
        Project project = SmallProject(model);
        Page& page = project.Pages().front();
        AddElement<LampFields>(page, ElementKind::Lamp, model, 0, 0).Coil = PlcAddress{1, 1, 5};
        AddElement<LampFields>(page, ElementKind::Lamp, model, 32, 0) = LampFields{0, PlcAddress{1, 1, 5}, 0};
        VirtualPanel panel = StartPanel(project);
        const MonoBitmap off = panel.Screen();
        panel.SetCoil(ImageOperand{1, 1, 5}, true);
        const MonoBitmap on = panel.Screen();
        // Positive logic at 0, negative logic at 32: each shows what the other shows with the coil turned.
        EXPECT_NE(Region(on, 0, 0, 16, 16), Region(off, 0, 0, 16, 16)) << model;
        EXPECT_EQ(Region(on, 0, 0, 16, 16), Region(off, 32, 0, 16, 16)) << model;
        EXPECT_EQ(Region(off, 0, 0, 16, 16), Region(on, 32, 0, 16, 16)) << model;
        EXPECT_GT(CountSet(on), 0);
    }
}

TEST(Bar, FillsItsInsideByValueInItsDirection) {
    // A 30 x 40 bar at (8, 8) from 0 to 200: the inside is 22 x 36 upright, 26 x 32 across.
    struct Case {
        int32_t Direct;
        uint16_t Value;
        Rect Filled;
    };
    const Case cases[] = {
        {BarFields::kUp, 100, {14, 8 + 2 + 18, 36, 8 + 38}},
        {BarFields::kDown, 50, {14, 10, 36, 10 + 9}},
        {BarFields::kRight, 200, {10, 10, 36, 42}},
        {BarFields::kLeft, 65535, {10, 10, 36, 42}},  // beyond full: full
        {BarFields::kLeft, 52, {36 - 7, 10, 36, 42}},
        {BarFields::kUp, 0, {14, 46, 36, 46}},
    };
    for (const Case& c : cases) {
        const int model = 2;
        Project project = SmallProject(model);
        Page& page = project.Pages().front();
        BarFields& bar = AddElement<BarFields>(page, ElementKind::Bar, model, 8, 8);
        bar.Width = Units(30, model);
        bar.Height = Units(40, model);
        bar.FullValue = 200;
        bar.Direct = c.Direct;
        bar.Address = PlcAddress{1, 0, 7};
        VirtualPanel panel = StartPanel(project);
        const MonoBitmap empty = panel.Screen();
        panel.SetRegister(ImageOperand{1, 0, 7}, c.Value);
        const MonoBitmap screen = panel.Screen();
        int changed = 0;
        for (int y = 0; y < screen.Height; ++y)
            for (int x = 0; x < screen.Width; ++x) {
                const bool inside = x >= c.Filled.Left && x < c.Filled.Right && y >= c.Filled.Top &&
                                    y < c.Filled.Bottom;
                if (screen.IsSet(x, y) != empty.IsSet(x, y)) ++changed;
                if (inside) {
                    EXPECT_TRUE(screen.IsSet(x, y)) << c.Direct << " at " << x << "," << y;
                }
            }
        EXPECT_EQ(changed, (c.Filled.Right - c.Filled.Left) * (c.Filled.Bottom - c.Filled.Top)) << c.Direct;
    }
}

TEST(Trend, DrawsTheLastSamplesScaledBetweenZeroAndFull) {
    const int model = 2;
    Project project = SmallProject(model);
    Page& page = project.Pages().front();
    TrendFields& trend = AddElement<TrendFields>(page, ElementKind::Trend, model, 0, 0);
    trend.Width = Units(64, model);
    trend.Height = Units(44, model);
    trend.ZeroValue = 100;
    trend.FullValue = 500;
    trend.SamplePoints = 3;
    trend.SamplePeriod = 2;
    trend.Address = PlcAddress{1, 0, 3};
    VirtualPanel panel = StartPanel(project);
    const MonoBitmap axes = panel.Screen();
    // Plot area: from x 4, 60 wide, 40 high, base row 39; points at x 4, 33 and 63.
    const ImageOperand reg{1, 0, 3};
    panel.SetRegister(reg, 50);  // below zero: the base line
    panel.Advance(1999);
    EXPECT_EQ(panel.Screen(), axes) << "no sample before the first period";
    panel.Advance(1);
    panel.SetRegister(reg, 300);  // half way: row 39 - 20 = 19 (39 x 0.5 rounds to 20)
    panel.Advance(2000);
    panel.SetRegister(reg, 900);  // beyond full: the top row 0
    panel.Advance(2000);
    // Samples 50, 300, 900 at x 4, 33 and 63 (the first on the axis and the base line).
    auto anyInColumn = [](const MonoBitmap& screen, int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            if (screen.IsSet(x, y)) return true;
        return false;
    };
    MonoBitmap screen = panel.Screen();
    EXPECT_TRUE(screen.IsSet(33, 19));
    EXPECT_FALSE(screen.IsSet(33, 0));
    EXPECT_TRUE(screen.IsSet(63, 0));
    EXPECT_TRUE(screen.IsSet(63, 1));  // drawn twice, one dot lower
    EXPECT_TRUE(anyInColumn(screen, 10, 30, 38));
    // A fourth sample pushes the first one out: the curve now starts half way.
    panel.Advance(2000);
    screen = panel.Screen();
    EXPECT_TRUE(screen.IsSet(33, 0));
    EXPECT_FALSE(screen.IsSet(33, 19));
    EXPECT_FALSE(anyInColumn(screen, 10, 30, 38));
    EXPECT_TRUE(anyInColumn(screen, 10, 10, 20));
}

TEST(Unpacking, GivesBackTheDotsTheBuilderPacked) {
    MonoBitmap dots(13, 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            dots.Set(x, y, (x * 7 + y * 3) % 5 == 0 || x == 12 || y == 10);
    for (const bool rows : {false, true})
        for (int shift = 0; shift < 8; ++shift) {
            const std::vector<uint8_t> packed = PackBitmap(dots, 40 + shift, 16 + shift, rows);
            EXPECT_EQ(UnpackBitmap(packed, 13, 11, 40 + shift, 16 + shift, rows), dots) << rows << shift;
            // A record cut short draws what it has and no more.
            const MonoBitmap part = UnpackBitmap(std::span(packed).first(packed.size() / 2), 13, 11, 40 + shift,
                                                 16 + shift, rows);
            EXPECT_LT(CountSet(part), CountSet(dots));
        }
}

TEST(Pictures, AreTheDotsOfTheirBitmapAtTheirPlace) {
    for (const int model : {1, 2, 7}) {
        Project project = SmallProject(model);
        Page& page = project.Pages().front();
        const std::vector<uint8_t> bmp = SampleMonoBmp(21, 10);
        PicFields& pic = AddElement<PicFields>(page, ElementKind::Pic, model, 12, 4);
        pic.Bitmap = bmp;
        pic.Width = Units(21, model);
        pic.Height = Units(10, model);
        const FontDesc font = SampleFont("宋体", 12, 0);
        FontTextFields& text = AddElement<FontTextFields>(page, ElementKind::FontText, model, 44, 21);
        text.Content = "Ab";
        text.Font = font;
        page.Elements.back().Inverse = 1;
        const VirtualPanel panel = StartPanel(project);
        const MonoBitmap screen = panel.Screen();
        const MonoBitmap dots = PictureBitmap(bmp, 21, 10);
        EXPECT_GT(CountSet(dots), 0);
        EXPECT_EQ(Region(screen, 12, 4, 21, 10), dots) << model;
        const MonoBitmap label = TextBitmap(font, "Ab", CodePage::Gbk, true);
        EXPECT_GT(CountSet(label), 0);
        EXPECT_EQ(Region(screen, 44, 21, label.Width, label.Height), label) << model;
    }
}

TEST(TouchKey, ShowsItsFrameAndLabelUnlessInvisible) {
    const int model = 6;
    for (const uint8_t invisible : {0, 1}) {
        Project project = SmallProject(model);
        Page& page = project.Pages().front();
        TouchKeyFields& key = AddElement<TouchKeyFields>(page, ElementKind::TouchKey, model, 20, 9);
        key.Content = "Go";
        key.Font = SampleFont("宋体", 9, 0);
        key.Action.Disappear = invisible;
        const VirtualPanel panel = StartPanel(project);
        const MonoBitmap screen = panel.Screen();
        const MonoBitmap label = TextBitmap(key.Font, "Go", CodePage::Gbk, false);
        if (invisible != 0) {
            EXPECT_EQ(CountSet(screen), 0);
            continue;
        }
        EXPECT_EQ(Region(screen, 23, 12, label.Width, label.Height), label);
        EXPECT_TRUE(screen.IsSet(20, 9));
        EXPECT_TRUE(screen.IsSet(20 + label.Width + 5, 9 + label.Height + 5));
        EXPECT_TRUE(screen.IsSet(21, 10));
        EXPECT_FALSE(screen.IsSet(22, 11));
    }
}

TEST(VariableTexts, ShowTheEntryTheRegisterChooses) {
    const int model = 1;
    Project project = SmallProject(model);
    Page& page = project.Pages().front();
    VarTextFields& var = AddElement<VarTextFields>(page, ElementKind::VarText, model, 0, 0);
    var.Address = PlcAddress{1, 0, 1};
    var.Count = 2;
    var.Texts[0] = "AA";
    var.Texts[1] = "B";
    var.MaxLen = 2;
    ASCIITextFields& ascii = AddElement<ASCIITextFields>(page, ElementKind::ASCIIText, model, 0, 32);
    ascii.Address = PlcAddress{1, 0, 10};
    ascii.CharNum = 3;
    VirtualPanel panel = StartPanel(project);
    const PanelFont font = GeneratedFont();
    const MonoBitmap a = Region(panel.Screen(), 0, 0, 16, 16);
    EXPECT_EQ(Region(a, 0, 0, 8, 16), Region(a, 8, 0, 8, 16));
    EXPECT_GT(CountSet(a), 0);
    panel.SetRegister(ImageOperand{1, 0, 1}, 1);
    EXPECT_NE(Region(panel.Screen(), 0, 0, 8, 16), Region(a, 0, 0, 8, 16));
    EXPECT_EQ(CountSet(Region(panel.Screen(), 8, 0, 8, 16)), 0) << "padded to MaxLen";
    panel.SetRegister(ImageOperand{1, 0, 1}, 2);  // beyond Count: blank
    EXPECT_EQ(CountSet(Region(panel.Screen(), 0, 0, 16, 16)), 0);

    // "OK!" from two registers, low byte first.
    panel.SetRegister(ImageOperand{1, 0, 10}, 'O' | 'K' << 8);
    panel.SetRegister(ImageOperand{1, 0, 11}, '!');
    MonoBitmap expected(24, 16);
    DrawPanelText(expected, font, "OK!", 0, 0, 1, false);
    EXPECT_EQ(Region(panel.Screen(), 0, 32, 24, 16), expected);
}

// Every kind on every model: the image decodes, every page draws, every key and a touch anywhere run,
// and the screen keeps the model's size.
TEST(EveryKind, RendersOnEveryModel) {
    for (int model = 0; model < PanelModelCount; ++model) {
        Project project = AllKindsProject(model);
        VirtualPanel panel = StartPanel(project);
        const PanelModel& shape = *FindPanelModel(model);
        for (const int key : panel.Keys()) {
            panel.Press(key);
            const MonoBitmap screen = panel.Screen();
            EXPECT_EQ(screen.Width, shape.ScreenWidth);
            EXPECT_EQ(screen.Height, shape.ScreenHeight);
        }
        for (int y = 0; y < shape.ScreenHeight; y += 7)
            for (int x = 0; x < shape.ScreenWidth; x += 7)
                panel.Touch(x, y);
        panel.Advance(3600 * 1000);
        EXPECT_GT(CountSet(StartPanel(project).Screen()), 0) << model;
    }
}

}  // namespace
}  // namespace qxed
