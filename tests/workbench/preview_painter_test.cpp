#include "workbench/preview_painter.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/mono_bitmap.h"
#include "gfx/text_render.h"
#include "preview_fixture.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"
#include "workbench/element_picture_names.h"

namespace qxed::testing {
namespace {

int CountColour(const Canvas& canvas, Color colour) {
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) == colour) ++count;
    return count;
}

// True when the image shows the picture with its top left at (x, y).
bool ShowsPicture(const Canvas& canvas, int x, int y, const RasterImage& picture) {
    for (int py = 0; py < picture.Height; ++py)
        for (int px = 0; px < picture.Width; ++px)
            if (canvas.Pixel(x + px, y + py) != picture.At(px, py)) return false;
    return true;
}

RasterImage PictureFile(const std::string& name) {
    const std::optional<RasterImage> picture =
        LoadBmpFile(std::filesystem::path(ProgramFolder()) / "element" / name);
    EXPECT_TRUE(picture) << name;
    return picture.value_or(RasterImage{});
}

Element Lamp(int32_t x, int32_t y) {
    return MakeElement(ElementKind::Lamp, x, y);
}

Element FuncKey(int32_t x, int32_t y, int32_t key, bool hand, bool doubled, bool inverse = false,
                bool invisible = false) {
    Element e = MakeElement(ElementKind::FuncKey, x, y);
    e.Double = doubled ? 1 : 0;
    e.Inverse = inverse ? 1 : 0;
    KeyAction& action = e.As<FuncKeyFields>().Action;
    action.Key = key;
    action.WithHand = hand ? 1 : 0;
    action.Disappear = invisible ? 1 : 0;
    return e;
}

TEST(PreviewGrid, DotsTwoStepsApartOnlyWhenShown) {
    struct Case {
        int Model;
        int Columns, Rows, Pitch, Block;
    };
    // 432 x 144 with step 9; 400 x 300 and 300 x 160 with step 10.
    const Case cases[] = {
        {kQx210, 23, 7, 18, 2}, {kQx204, 15, 7, 18, 2}, {kQx420, 19, 14, 20, 1}, {kQx421, 14, 7, 20, 1}};
    for (const Case& c : cases) {
        Preview preview;
        ASSERT_TRUE(preview.Draw(std::vector<Element>{Lamp(0, 0)}, c.Model, false).Complete);
        EXPECT_EQ(CountColour(preview.Image, kGray), 0) << c.Model;

        ASSERT_TRUE(preview.Draw(std::vector<Element>{}, c.Model, true).Complete);
        EXPECT_EQ(CountColour(preview.Image, kGray), c.Columns * c.Rows * c.Block * c.Block) << c.Model;
        for (int r = 1; r <= c.Rows; ++r) {
            for (int col = 1; col <= c.Columns; ++col) {
                const int x = col * c.Pitch, y = r * c.Pitch;
                EXPECT_EQ(preview.Image.Pixel(x, y), kGray);
                EXPECT_EQ(preview.Image.Pixel(x - c.Block + 1, y - c.Block + 1), kGray);
                EXPECT_EQ(preview.Image.Pixel(x + 1, y), kWhite);
            }
        }
    }
}

TEST(PreviewPainter, TheImageTakesTheModelsPreviewSize) {
    const struct {
        int Model;
        Size Expected;
    } cases[] = {{kQx210, {432, 144}}, {kQx204, {288, 144}}, {kQx421, {300, 160}}, {kQx420, {400, 300}}};
    Preview preview;
    for (const auto& c : cases) {
        preview.Draw(std::vector<Element>{}, c.Model);
        EXPECT_EQ((Size{preview.Image.Width(), preview.Image.Height()}), c.Expected) << c.Model;
    }
}

TEST(PreviewPainter, LampAndKeyPicturesAreDrawnAtTheirPlacesAndSizes) {
    struct Case {
        const char* What;
        Element E;
        int Model;
        std::vector<std::pair<int, std::string>> Pictures;  // x offset from X, file
        int RectWidth;
    };
    Element squareOff = Lamp(40, 20);
    squareOff.As<LampFields>().LampType = 1;
    squareOff.As<LampFields>().PosLogic = 0;
    squareOff.Double = 1;
    const Case cases[] = {
        {"round lamp, 64 rows", Lamp(40, 20), kQx210, {{0, "dlp1clps.dat"}}, 36},
        {"double square lamp off", squareOff, kQx210, {{0, "dlp2sqng.dat"}}, 72},
        {"lamp, large panel", Lamp(40, 20), kQx420, {{0, "olp1clps.dat"}}, 20},
        // A double key with hand is 4Z wide, its pictures at X and X + 2Z.
        {"double key with hand",
         FuncKey(40, 20, 5, true, true),
         kQx210,
         {{0, "dhd2ni.dat"}, {72, "dky205ni.dat"}},
         144},
        {"inverse key with hand, QX220",
         FuncKey(40, 20, 21, true, false, true),
         1,
         {{0, "dhd1i.dat"}, {36, "tky121i.dat"}},
         72},
        {"key without hand, QX421", FuncKey(40, 20, 41, false, false), kQx421, {{0, "oky141ni.dat"}}, 20},
        {"key of QX221", FuncKey(40, 20, 10, false, true), 3, {{0, "lky210ni.dat"}}, 72},
        {"key of QX325", FuncKey(40, 20, 22, true, false), 10, {{0, "dhd1ni.dat"}, {36, "sky122ni.dat"}}, 72},
    };
    for (const Case& c : cases) {
        Preview preview;
        ASSERT_TRUE(preview.Draw({c.E}, c.Model).Complete) << c.What;
        for (const auto& [offset, name] : c.Pictures)
            EXPECT_TRUE(ShowsPicture(preview.Image, 40 + offset, 20, PictureFile(name)))
                << c.What << " " << name;
        const Rect r = ElementRect(c.E, RectContextOf(c.Model, CodePage::Gbk));
        EXPECT_EQ(r.Right - r.Left, c.RectWidth) << c.What;
        EXPECT_EQ(InkOutside(preview.Image, r), 0) << c.What;
    }
}

TEST(PreviewPainter, AnInvisibleKeyLetsWhatLiesBehindShowThrough) {
    Element bar = MakeElement(ElementKind::Bar, 30, 10);
    bar.As<BarFields>().Width = 60;
    bar.As<BarFields>().Height = 60;
    bar.As<BarFields>().Direct = BarFields::kRight;  // black over (30..49, 10..65)
    Preview preview;
    ASSERT_TRUE(preview.Draw({FuncKey(30, 10, 5, false, false, false, true), bar}, kQx210).Complete);
    const RasterImage key = PictureFile("dky105nid.dat");
    int silver = 0;
    for (int y = 0; y < key.Height; ++y) {
        for (int x = 0; x < key.Width; ++x) {
            const Color shown = preview.Image.Pixel(30 + x, 10 + y);
            if (key.At(x, y) == kSilver) {
                EXPECT_EQ(shown, kSilver);
                ++silver;
            } else if (x < 20) {  // inside the filled bar
                EXPECT_EQ(shown, kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_GT(silver, 20);
}

TEST(PreviewPainter, AMissingPictureIsReplacedByTheFallback) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "element");
    std::filesystem::copy_file(std::filesystem::path(ProgramFolder()) / "element" / "dlp1clps.dat",
                               folder.Path() / "element" / "dlp1clps.dat");
    Preview preview;
    PreviewCache pictures(folder.Path().string());
    Page page;
    page.Elements = {FuncKey(100, 50, 5, true, false)};
    ASSERT_TRUE(RedrawPage(preview.Image, {page, kQx210, CodePage::Gbk, pictures, false, false}).Complete);
    const RasterImage fallback = PictureFile("dlp1clps.dat");
    EXPECT_TRUE(ShowsPicture(preview.Image, 100, 50, fallback));       // the hand
    EXPECT_TRUE(ShowsPicture(preview.Image, 100 + 36, 50, fallback));  // the key
}

TEST(PreviewPainter, WithoutTheFallbackTheRedrawStopsAndNamesIt) {
    TempFolder folder;
    Preview preview;
    PreviewCache pictures(folder.Path().string());
    Element text = MakeElement(ElementKind::Text, 0, 100);
    text.Inverse = 1;
    Page page;
    // Drawn from the last: the text, then the lamp fails; the first element and the focus are left out.
    page.Elements = {MakeElement(ElementKind::Trend, 200, 0), Lamp(100, 0), text};
    page.Elements[0].As<TrendFields>().Width = 50;
    page.Elements[0].As<TrendFields>().Height = 50;
    const PaintOutcome outcome =
        RedrawPage(preview.Image, {page, kQx210, CodePage::Gbk, pictures, false, true});
    EXPECT_FALSE(outcome.Complete);
    EXPECT_EQ(outcome.MissingFile, (folder.Path() / "element" / "dlp1clps.dat").string());
    EXPECT_EQ(preview.Image.Pixel(2, 102), kBlack) << "the text behind was drawn";
    EXPECT_EQ(InkOutside(preview.Image, Rect{0, 100, 432, 144}), 0) << "nothing after the failure";
}

TEST(PreviewPainter, ElementsOffTheImageAreDrawnAtZeroWithoutChangingThePage) {
    Page large;
    Element lamp = Lamp(300, 20);
    Element trend = MakeElement(ElementKind::Trend, 10, 250);
    trend.As<TrendFields>().Width = 40;
    trend.As<TrendFields>().Height = 30;
    large.Elements = {lamp, trend};
    Page pulled;
    Element lampAtZero = lamp;
    lampAtZero.X = 0;
    Element trendAtZero = trend;
    trendAtZero.Y = 0;
    pulled.Elements = {lampAtZero, trendAtZero};

    const Page before = large;
    Preview moved, expected;
    ASSERT_TRUE(moved.Draw(large, kQx204, true, true).Complete);
    ASSERT_TRUE(expected.Draw(pulled, kQx204, true, true).Complete);
    EXPECT_EQ(moved.Image.ToImage(), expected.Image.ToImage());
    EXPECT_EQ(large, before);
    // On the large panel both stay where they are.
    ASSERT_TRUE(moved.Draw(large, kQx420).Complete);
    EXPECT_TRUE(ShowsPicture(moved.Image, 300, 20, PictureFile("olp1clps.dat")));
}

TEST(PreviewPainter, TheSelectionGetsAFocusRectangleAroundTheFirstElement) {
    Element text = MakeElement(ElementKind::Text, 18, 36);
    text.As<TextFields>().Content = "AB";
    Preview plain, selected;
    ASSERT_TRUE(plain.Draw({text, Lamp(200, 0)}, kQx210).Complete);
    ASSERT_TRUE(selected.Draw({text, Lamp(200, 0)}, kQx210, false, true).Complete);
    Canvas unmarked(0, 0);
    std::swap(unmarked, selected.Image);
    ToggleFocusRect(unmarked, Rect{18, 36, 18 + 36, 36 + 36});
    EXPECT_EQ(unmarked.ToImage(), plain.Image.ToImage());
}

TEST(PreviewPainter, InverseTextsSwapInkAndGroundOnlyForThemselves) {
    Element inverse = MakeElement(ElementKind::Text, 0, 0);
    inverse.As<TextFields>().Content = "    ";  // spaces: the ground alone
    inverse.Inverse = 1;
    Element normal = MakeElement(ElementKind::Text, 0, 72);
    normal.As<TextFields>().Content = "    ";
    Preview preview;
    // The inverse one is drawn first (it is last), then the normal one must have white ground again.
    ASSERT_TRUE(preview.Draw({normal, inverse}, kQx210).Complete);
    EXPECT_EQ(preview.Image.Pixel(5, 5), kBlack);
    EXPECT_EQ(preview.Image.Pixel(30, 20), kBlack);
    EXPECT_EQ(preview.Image.Pixel(5, 77), kWhite);
    EXPECT_EQ(preview.Image.Font().Height, 36) << "the canvas font comes back";
    EXPECT_EQ(preview.Image.BrushColor(), kWhite);
}

TEST(PreviewPainter, PaddedAndRepeatedTextsReachTheirLengthAndStopAtTheImageEdge) {
    Element varText = MakeElement(ElementKind::VarText, 0, 0);
    VarTextFields& v = varText.As<VarTextFields>();
    v.Texts[0] = " ";
    v.MaxLen = 6;  // six spaces of inverse ground
    varText.Inverse = 1;
    const int padded = MeasureText(PreviewCanvasFont(CodePage::Gbk, 36), "      ", CodePage::Gbk).Width;
    Element ascii = MakeElement(ElementKind::ASCIIText, 300, 72);
    ascii.As<ASCIITextFields>().CharNum = 65535;  // far beyond the image
    ascii.Inverse = 1;
    Preview preview;
    ASSERT_TRUE(preview.Draw({varText, ascii}, kQx210).Complete);
    EXPECT_EQ(preview.Image.Pixel(padded - 1, 2), kBlack);
    EXPECT_EQ(preview.Image.Pixel(padded, 2), kWhite);
    // The letters' inverse ground runs to the right edge.
    int black = 0;
    for (int x = 300; x < 432; ++x)
        black += preview.Image.Pixel(x, 72 + 1) == kBlack ? 1 : 0;
    EXPECT_GT(black, 120);
    EXPECT_EQ(preview.Image.Pixel(431, 73), kBlack);
}

TEST(PreviewPainter, PicturesAreStretchedAndShownAsThePanelShowsThem) {
    MonoBitmap dots(4, 2);
    dots.Set(0, 0, true);
    dots.Set(3, 1, true);
    Element mono = MakeElement(ElementKind::Pic, 10, 10);
    mono.As<PicFields>().Bitmap = EncodeMonoBmp(dots);
    mono.As<PicFields>().Width = 8;
    mono.As<PicFields>().Height = 4;
    Element colour = MakeElement(ElementKind::Pic, 100, 10);
    colour.As<PicFields>().Bitmap = SampleColourBmp();  // 3 x 2: red green blue / white black grey
    colour.As<PicFields>().Width = 3;
    colour.As<PicFields>().Height = 2;
    Element broken = MakeElement(ElementKind::Pic, 200, 10);
    broken.As<PicFields>().Bitmap = {'B', 'M', 1, 2};
    broken.As<PicFields>().Width = 20;
    broken.As<PicFields>().Height = 20;
    Preview preview;
    ASSERT_TRUE(preview.Draw({mono, colour, broken}, kQx210).Complete);
    const std::vector<std::string> stretched = {"##......", "##......", "......##", "......##"};
    EXPECT_EQ(PictureOf(preview.Image, 10, 10, 8, 4), stretched);
    const std::vector<std::string> panelDots = {".##", "###"};
    EXPECT_EQ(PictureOf(preview.Image, 100, 10, 3, 2), panelDots);
    EXPECT_EQ(InkOutside(preview.Image, Rect{0, 0, 110, 20}), 0) << "an undecodable picture draws nothing";
}

TEST(PreviewPainter, TouchKeysAndVariableFontTextsCoverTheirRectangles) {
    Element touch = MakeElement(ElementKind::TouchKey, 20, 20);
    touch.As<TouchKeyFields>().Content = "";
    touch.As<TouchKeyFields>().Action.Disappear = 1;
    Element var = MakeElement(ElementKind::VarFontText, 200, 20);
    var.As<VarFontTextFields>().Texts[0] = "";
    var.As<VarFontTextFields>().MaxWidth = 30;
    var.As<VarFontTextFields>().MaxHeight = 12;
    Element behind = MakeElement(ElementKind::Bar, 190, 10);
    behind.As<BarFields>().Width = 60;
    behind.As<BarFields>().Height = 60;
    behind.As<BarFields>().Direct = BarFields::kRight;
    Preview preview;
    ASSERT_TRUE(preview.Draw({touch, var, behind}, kQx210).Complete);
    const Rect r = ElementRect(touch, RectContextOf(kQx210, CodePage::Gbk));
    ASSERT_EQ(r.Right - r.Left, 14 + 0);
    // An empty invisible touch key: a frame of 14 x h in silver.
    EXPECT_EQ(preview.Image.Pixel(r.Left, r.Top), kSilver);
    EXPECT_EQ(preview.Image.Pixel(r.Right - 1, r.Bottom - 2), kSilver);
    EXPECT_EQ(preview.Image.Pixel(r.Right - 1, r.Top), kWhite);
    // The variable font text's rectangle is white over the bar behind it.
    for (int y = 20; y < 32; ++y)
        for (int x = 200; x < 230; ++x)
            ASSERT_EQ(preview.Image.Pixel(x, y), kWhite) << x << "," << y;
    EXPECT_EQ(preview.Image.Pixel(195, 25), kBlack);
}

TEST(PreviewPainter, FontTextsAreDrawnAtTheirScaledSize) {
    // A 12-point font is 16 pixels high; at Z 36 it is drawn at 27 points, 36 pixels.
    Element fontText = MakeElement(ElementKind::FontText, 0, 0);
    fontText.As<FontTextFields>().Font = SampleFont("宋体", 12, 0);
    fontText.As<FontTextFields>().Font.Color = kWindowText;  // as the font dialog leaves it: black here
    fontText.As<FontTextFields>().Content = "IIII";
    fontText.Inverse = 1;
    Preview preview;
    ASSERT_TRUE(preview.Draw({fontText}, kQx210).Complete);
    FontDesc scaled = fontText.As<FontTextFields>().Font;
    scaled.SetSize(27);
    const Size drawn = MeasureText(scaled, "IIII", CodePage::Gbk);
    // The inverse ground spans the scaled text's extent.
    EXPECT_EQ(preview.Image.Pixel(drawn.Width - 1, drawn.Height - 1), kBlack);
    EXPECT_EQ(preview.Image.Pixel(drawn.Width, 0), kWhite);
    EXPECT_EQ(preview.Image.Pixel(0, drawn.Height), kWhite);
}

TEST(PreviewPainter, TheCanvasFontIsTheSongFaceInTheProjectsCodePage) {
    EXPECT_EQ(PreviewCanvasFont(CodePage::Gbk, 36).Name, GbkFromUtf8("宋体"));
    EXPECT_EQ(PreviewCanvasFont(CodePage::Cp1252, 20).Name, "SimSun");
    EXPECT_EQ(ResolvedFamily(PreviewCanvasFont(CodePage::Gbk, 36), CodePage::Gbk),
              ResolvedFamily(PreviewCanvasFont(CodePage::Cp1251, 36), CodePage::Cp1251));
    EXPECT_EQ(PreviewCanvasFont(CodePage::Gbk, 20).Height, 20);
}

TEST(PreviewCache, KeptTextsDrawTheSamePixelsAsDirectTextOutput) {
    struct Case {
        const char* What;
        int X, Y;
        const char* Utf8;
        int Height;
        bool Inverse;
    };
    const Case cases[] = {
        {"inside", 10, 10, "温度AB", 36, false},
        {"inverse", 10, 10, "-123.45", 36, true},
        {"cut at the left and top", -13, -7, "温度AB", 72, false},
        {"cut at the right and bottom", 400, 120, "ABCDEFG", 36, true},
        {"a large font", 0, 0, "Wg", 300, false},
    };
    for (const Case& c : cases) {
        Canvas direct(432, 144), cached(432, 144);
        FontDesc font = PreviewCanvasFont(CodePage::Gbk, c.Height);
        const std::string bytes = GbkFromUtf8(c.Utf8);
        direct.SetFont(font, CodePage::Gbk);
        direct.SetFontColor(c.Inverse ? kWhite : kBlack);
        direct.SetBrushColor(c.Inverse ? kBlack : kWhite);
        direct.TextOut(c.X, c.Y, bytes);

        PreviewCache cache(ProgramFolder());
        const RasterImage* kept =
            cache.Text(font, CodePage::Gbk, bytes, c.Inverse ? kWhite : kBlack, c.Inverse ? kBlack : kWhite);
        ASSERT_NE(kept, nullptr) << c.What;
        cached.Draw(c.X, c.Y, *kept);
        EXPECT_EQ(cached.ToImage(), direct.ToImage()) << c.What;
        EXPECT_NE(CountColour(direct, kBlack), 0) << c.What;
    }
    // A text far larger than the image is not kept; the painter draws it directly.
    PreviewCache cache(ProgramFolder());
    EXPECT_EQ(cache.Text(PreviewCanvasFont(CodePage::Gbk, 1000), CodePage::Gbk, std::string(120, 'W'), kBlack,
                         kWhite),
              nullptr);
}

TEST(PreviewCache, RedrawsAreAlikeAndKeepOnlyWhatThePageUses) {
    Project project = SampleProject();
    const Page& first = project.Pages().front();
    const Page& second = *std::next(project.Pages().begin());
    Preview preview;
    ASSERT_TRUE(preview.Draw(second, kQx420, true, true).Complete);
    const RasterImage fresh = preview.Image.ToImage();
    const std::size_t keptForSecond = preview.Cache.KeptCount();
    EXPECT_GT(keptForSecond, 0u);
    ASSERT_TRUE(preview.Draw(second, kQx420, true, true).Complete);
    EXPECT_EQ(preview.Image.ToImage(), fresh) << "drawn from what was kept";
    EXPECT_EQ(preview.Cache.KeptCount(), keptForSecond);
    // Drawing another page lets the second page's texts and pictures go.
    ASSERT_TRUE(preview.Draw(first, kQx420).Complete);
    Preview other;
    ASSERT_TRUE(other.Draw(first, kQx420).Complete);
    EXPECT_EQ(preview.Cache.KeptCount(), other.Cache.KeptCount());
    EXPECT_EQ(preview.Image.ToImage(), other.Image.ToImage());
}

TEST(ElementPictureCache, DecodesOnceAndLooksForMissingFilesAgain) {
    TempFolder folder;
    ElementPictureCache pictures(folder.Path().string());
    EXPECT_EQ(pictures.Find("dlp1clps.dat"), nullptr);
    std::filesystem::create_directories(folder.Path() / "element");
    std::filesystem::copy_file(std::filesystem::path(ProgramFolder()) / "element" / "dlp1clps.dat",
                               folder.Path() / "element" / "dlp1clps.dat");
    const RasterImage* first = pictures.Find("dlp1clps.dat");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width, 36);
    std::filesystem::remove(folder.Path() / "element" / "dlp1clps.dat");
    EXPECT_EQ(pictures.Find("dlp1clps.dat"), first) << "kept from its first load";
}

TEST(ElementPictureNames, FollowTheNamingRules) {
    EXPECT_EQ(LampPictureName('d', 1, 0, true), "dlp1clps.dat");
    EXPECT_EQ(LampPictureName('o', 2, 1, false), "olp2sqng.dat");
    EXPECT_EQ(LampPictureName('d', 1, 7, false), "dlp1clng.dat");  // any type but square is round
    EXPECT_EQ(HandPictureName('o', 2, true), "ohd2i.dat");
    EXPECT_EQ(HandPictureName('d', 1, false), "dhd1ni.dat");
    EXPECT_EQ(KeyPictureName('t', 1, 5, false, false), "tky105ni.dat");
    EXPECT_EQ(KeyPictureName('s', 2, 29, true, true), "sky229id.dat");
    EXPECT_EQ(KeyPictureName('l', 1, 41, false, true), "lky141nid.dat");
}

}  // namespace
}  // namespace qxed::testing
