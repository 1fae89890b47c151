#include "workbench/element_rect.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/element_rules.h"
#include "model/element_symbols.h"
#include "support/sample_project.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int kQx210 = 0;  // 192 x 64, Z 36
constexpr int kQx420 = 2;  // 320 x 240, Z 20
constexpr int kQx204 = 5;  // 128 x 64, Z 36

Element Make(ElementKind kind, int32_t x = 10, int32_t y = 20, bool doubled = false) {
    Project project;
    Element e = NewElement(project, static_cast<int32_t>(kind));
    e.X = x;
    e.Y = y;
    e.Double = doubled ? 1 : 0;
    return e;
}

Element FuncKey(int32_t key, bool hand, bool doubled) {
    Element e = Make(ElementKind::FuncKey, 10, 20, doubled);
    e.As<FuncKeyFields>().Action.Key = key;
    e.As<FuncKeyFields>().Action.WithHand = hand ? 1 : 0;
    return e;
}

TEST(ElementRect, TextKindsTakeTheirSizeFromTheirCharacters) {
    Element text = Make(ElementKind::Text, 10, 20, true);
    text.As<TextFields>().Content = "ABCD";
    Element reg = Make(ElementKind::Reg);
    reg.As<RegFields>().Digits = 3;
    reg.As<RegFields>().DecimalDigits = 3;  // "0.123"
    Element lamp = Make(ElementKind::Lamp);
    Element varText = Make(ElementKind::VarText);
    varText.As<VarTextFields>().MaxLen = 7;
    Element ascii = Make(ElementKind::ASCIIText, 10, 20, true);
    ascii.As<ASCIITextFields>().CharNum = 3;
    Element trend = Make(ElementKind::Trend);
    trend.As<TrendFields>().Width = 100;
    trend.As<TrendFields>().Height = 50;
    Element bar = Make(ElementKind::Bar);
    bar.As<BarFields>().Width = 9;
    bar.As<BarFields>().Height = 27;
    Element pic = Make(ElementKind::Pic);
    pic.As<PicFields>().Width = 33;
    pic.As<PicFields>().Height = 11;
    Element varFont = Make(ElementKind::VarFontText);
    varFont.As<VarFontTextFields>().MaxWidth = 77;
    varFont.As<VarFontTextFields>().MaxHeight = 19;
    Element unknown;
    unknown.X = 5;
    unknown.Y = 6;
    unknown.Kind = 13;

    struct Case {
        const char* What;
        Element E;
        int Model;
        Rect Expected;
    };
    const Case cases[] = {
        {"double text of 4 bytes, 64 rows", text, kQx210, {10, 20, 10 + 144, 20 + 72}},
        {"double text of 4 bytes, Z 20", text, kQx420, {10, 20, 10 + 80, 20 + 40}},
        {"register 0.123 (odd product halved)", reg, kQx420, {10, 20, 10 + 50, 20 + 20}},
        {"lamp", lamp, kQx210, {10, 20, 10 + 36, 20 + 36}},
        {"function key with hand, double", FuncKey(5, true, true), kQx210, {10, 20, 10 + 144, 20 + 72}},
        {"function key without hand", FuncKey(5, false, false), kQx204, {10, 20, 10 + 36, 20 + 36}},
        {"key code without symbol shows the hand only", FuncKey(42, true, false), kQx210, {10, 20, 46, 56}},
        {"variable text", varText, kQx210, {10, 20, 10 + 126, 20 + 36}},
        {"ASCII text, double", ascii, kQx420, {10, 20, 10 + 60, 20 + 40}},
        {"trend", trend, kQx210, {10, 20, 110, 70}},
        {"bar", bar, kQx420, {10, 20, 19, 47}},
        {"picture", pic, kQx210, {10, 20, 43, 31}},
        {"variable font text", varFont, kQx210, {10, 20, 87, 39}},
        {"unknown kind", unknown, kQx210, {5, 6, 5, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ElementRect(c.E, RectContextOf(c.Model, CodePage::Gbk)), c.Expected) << c.What;
    }
}

TEST(ElementRect, LampsAndKeysAreAsWideAsTheirSymbolsInAnyLanguage) {
    // Symbols the language file changes, with values beyond a byte and of zero: still one character each.
    const Language changed(IniFile::FromBytes(
        "[Font]\nVersion=Ru\n[RuSymbolStr]\nHandStrHi=300\nHandStrLo=0\nSquareLampOffStrHi=-1\n"
        "F1KeyStrLo=0\n"));
    for (const Language* language : {&changed, static_cast<const Language*>(nullptr)}) {
        const Language builtIn;
        const Language& symbols = language ? *language : builtIn;
        for (int32_t type : {0, 1, 5}) {
            for (bool positive : {true, false}) {
                Element lamp = Make(ElementKind::Lamp);
                lamp.As<LampFields>().LampType = type;
                lamp.As<LampFields>().PosLogic = positive ? 1 : 0;
                const Rect r = ElementRect(lamp, RectContextOf(kQx420, CodePage::Gbk));
                EXPECT_EQ(r.Right - r.Left,
                          static_cast<int>(LampSymbol(symbols, type, positive).size()) * 20 / 2);
            }
        }
        for (int32_t key = -1; key <= 43; ++key) {
            for (bool hand : {true, false}) {
                const Rect r = ElementRect(FuncKey(key, hand, false), RectContextOf(kQx420, CodePage::Gbk));
                EXPECT_EQ(r.Right - r.Left, static_cast<int>(KeySymbol(symbols, key, hand).size()) * 20 / 2)
                    << key;
            }
        }
    }
}

TEST(ElementRect, FontTextsAreMeasuredAtTheirStoredSizeOverAtMost120Bytes) {
    const RectContext context = RectContextOf(kQx210, CodePage::Gbk);
    Element fontText = Make(ElementKind::FontText);
    FontTextFields& f = fontText.As<FontTextFields>();
    f.Font = testing::SampleFont("宋体", 12, 0);
    f.Content = std::string(120, 'M');
    const Size units = MeasureFontTextUnits(f.Font, f.Content, CodePage::Gbk, 36);
    ASSERT_GT(units.Width, 0);
    EXPECT_EQ(ElementRect(fontText, context), (Rect{10, 20, 10 + units.Width, 20 + units.Height}));
    f.Content += std::string(80, 'M');  // only the first 120 bytes count
    EXPECT_EQ(ElementRect(fontText, context), (Rect{10, 20, 10 + units.Width, 20 + units.Height}));

    Element touch = Make(ElementKind::TouchKey);
    TouchKeyFields& t = touch.As<TouchKeyFields>();
    t.Font = f.Font;
    t.Content = std::string(120, 'M');
    EXPECT_EQ(ElementRect(touch, context), (Rect{10, 20, 10 + units.Width + 14, 20 + units.Height + 14}));
}

TEST(ElementRect, EdgesBeyondTheIntegerRangeAreHeldAtItsEnd) {
    Element trend = Make(ElementKind::Trend, INT32_MAX - 5, INT32_MIN);
    trend.As<TrendFields>().Width = 100;
    trend.As<TrendFields>().Height = -100;
    const Rect r = ElementRect(trend, RectContextOf(kQx210, CodePage::Gbk));
    EXPECT_EQ(r, (Rect{INT32_MAX - 5, INT32_MIN, INT32_MAX, INT32_MIN}));
}

TEST(SampleRegisterText, FollowsDigitsDecimalsSignAndLeadingZeros) {
    struct Case {
        int32_t Digits, Decimals;
        bool Signed, Float, Pre0;
        const char* Expected;
    };
    const Case cases[] = {
        {5, 2, false, false, false, "123.45"},    {5, 2, true, false, false, "-123.45"},
        {5, 2, false, false, true, "000.00"},     {2, 2, false, false, false, "0.12"},
        {3, 3, false, false, false, "0.123"},     {1, 0, true, false, false, "-1"},
        {2, 0, false, true, false, "-12"},        {12, 0, false, false, false, "123456789012"},
        {8, 3, false, false, false, "12345.678"}, {2, 3, false, false, false, "0.123"},
        {0, 0, false, false, false, "0"},         {3, -2, false, false, true, "00000"},
    };
    for (const Case& c : cases) {
        RegFields reg;
        reg.Digits = c.Digits;
        reg.DecimalDigits = c.Decimals;
        reg.Unsigned = c.Signed ? 0 : 1;
        reg.Float = c.Float ? 1 : 0;
        reg.Pre0 = c.Pre0 ? 1 : 0;
        EXPECT_EQ(SampleRegisterText(reg), c.Expected) << c.Digits << "/" << c.Decimals;
    }
}

TEST(SampleRegisterText, ADamagedDigitCountGivesABoundedText) {
    RegFields reg;
    reg.Digits = INT32_MAX;
    reg.DecimalDigits = INT32_MIN + 1;  // the difference does not fit 32 bits
    EXPECT_LE(SampleRegisterText(reg).size(), 256u);
    reg.Digits = 3;
    reg.DecimalDigits = INT32_MAX;
    EXPECT_LE(SampleRegisterText(reg).size(), 2u + 255u);
}

TEST(PullBack, ElementsOffASmallerImageAreDrawnAtZero) {
    const RectContext qx204 = RectContextOf(kQx204, CodePage::Gbk);
    const Size image = PreviewImageSize(kQx204);
    ASSERT_EQ(image, (Size{288, 144}));
    struct Case {
        int32_t X, Y;
        PulledBack Expected;
    };
    // A lamp is 36 x 36 here.
    const Case cases[] = {
        {300, 10, {0, 0, 10, true, false}},     // beyond the width of the smaller model
        {288, 10, {0, 0, 10, true, false}},     // exactly at the width
        {287, 10, {0, 287, 10, false, false}},  // its first column still shows
        {-37, 10, {0, 0, 10, true, false}},     // right edge below 0
        {-36, 10, {0, -36, 10, false, false}},  // right edge at 0 is not below it
        {10, 144, {0, 10, 0, false, true}},    {400, 300, {0, 0, 0, true, true}},
        {0, 200, {0, 0, 0, false, true}},
    };
    for (const Case& c : cases) {
        const Element lamp = Make(ElementKind::Lamp, c.X, c.Y);
        EXPECT_EQ(PullBackPosition(lamp, qx204, image), c.Expected) << c.X << "," << c.Y;
    }

    Page page;
    page.Elements = {Make(ElementKind::Lamp, 10, 10), Make(ElementKind::Lamp, 290, 10),
                     Make(ElementKind::Lamp, 100, 100), Make(ElementKind::Lamp, 350, 230)};
    const std::vector<PulledBack> moved = ElementsPulledBack(page, qx204, image);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0], (PulledBack{1, 0, 10, true, false}));
    EXPECT_EQ(moved[1], (PulledBack{3, 0, 0, true, true}));
    EXPECT_EQ(page.Elements[1].X, 290);  // the page itself is left alone
}

TEST(ToggleFocusRect, DrawnTwiceLeavesTheImageAsItWas) {
    Canvas canvas(40, 30);
    canvas.SetBrushColor(kBlack);
    canvas.FillRect(5, 5, 20, 15);
    const RasterImage before = canvas.ToImage();
    ToggleFocusRect(canvas, Rect{2, 3, 30, 25});
    EXPECT_NE(canvas.ToImage(), before);
    EXPECT_EQ(canvas.Pixel(3, 3), kBlack);  // on the dotted pattern of the top row
    ToggleFocusRect(canvas, Rect{2, 3, 30, 25});
    EXPECT_EQ(canvas.ToImage(), before);
}

}  // namespace
}  // namespace qxed
