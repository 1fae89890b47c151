#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "files/project_json.h"
#include "model/editor_units.h"
#include "model/element_defaults.h"
#include "model/element_rules.h"
#include "model/panel_model.h"
#include "render_reference.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"

namespace qxed::testing {
namespace {

using ::testing::HasSubstr;

const std::string kCli = QXED_CLI;
const std::string kDemoJson = std::string(QXED_EXAMPLES_DIR) + "/demo.json";
const std::string kDemoQx2 = QXED_EXAMPLE_QX2;

RunResult Cli(const std::vector<std::string>& args) {
    return RunProgram(kCli, args);
}

struct Png {
    int Width = 0;
    int Height = 0;
    std::vector<Color> Pixels;
    Color At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

Png ReadPng(const std::string& path) {
    QImage image(QString::fromStdString(path), "PNG");
    Png png;
    if (image.isNull()) return png;
    image = image.convertToFormat(QImage::Format_RGB32);
    png.Width = image.width();
    png.Height = image.height();
    for (int y = 0; y < png.Height; ++y)
        for (int x = 0; x < png.Width; ++x) {
            const QRgb c = image.pixel(x, y);
            png.Pixels.push_back(Rgb(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                                     static_cast<uint8_t>(qBlue(c))));
        }
    return png;
}

FontDesc LabelFont(int points) {
    FontDesc font = SampleFont("宋体", points, 0);
    font.Color = kWindowText;
    return font;
}

// A page with every element kind, laid out over the model's preview by fractions of its size so that the
// same page serves every screen; some elements overlap, and the first (a touch key) is on top.
Page EveryKindPage(Project& project, int model) {
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    const PanelModel& panel = *FindPanelModel(model);
    const int W = (panel.ScreenWidth * panel.PreviewScale + 8) / 16;
    const int H = (panel.ScreenHeight * panel.PreviewScale + 8) / 16;
    const int z = panel.PreviewScale;
    auto make = [&](ElementKind kind, int percentX, int percentY) {
        Element e = NewElement(project, static_cast<int32_t>(kind));
        e.X = W * percentX / 100;
        e.Y = H * percentY / 100;
        return e;
    };
    std::vector<Element> elements;

    Element touch = make(ElementKind::TouchKey, 60, 55);
    touch.As<TouchKeyFields>().Content = "OK";
    touch.As<TouchKeyFields>().Font = LabelFont(9);
    elements.push_back(touch);

    Element hidden = make(ElementKind::TouchKey, 2, 70);
    hidden.As<TouchKeyFields>().Content = "Hidden";
    hidden.As<TouchKeyFields>().Font = LabelFont(9);
    hidden.As<TouchKeyFields>().Action.Disappear = 1;
    elements.push_back(hidden);

    Element text = make(ElementKind::Text, 0, 0);
    text.As<TextFields>().Content = GbkFromUtf8("温度AB");
    elements.push_back(text);

    Element inverse = make(ElementKind::Text, 50, 0);
    inverse.As<TextFields>().Content = "Hi";
    inverse.Inverse = 1;
    inverse.Double = 1;
    elements.push_back(inverse);

    Element reg = make(ElementKind::Reg, 30, 0);
    reg.As<RegFields>().Digits = 5;
    reg.As<RegFields>().DecimalDigits = 2;
    reg.As<RegFields>().Unsigned = 0;
    elements.push_back(reg);

    Element lamp = make(ElementKind::Lamp, 85, 0);
    lamp.As<LampFields>().LampType = 1;
    lamp.As<LampFields>().PosLogic = 0;
    elements.push_back(lamp);

    Element key = make(ElementKind::FuncKey, 70, 30);
    key.As<FuncKeyFields>().Action.Key = 22;
    key.As<FuncKeyFields>().Action.WithHand = 1;
    elements.push_back(key);

    Element invisibleKey = make(ElementKind::FuncKey, 88, 30);
    invisibleKey.As<FuncKeyFields>().Action.Key = 6;
    invisibleKey.As<FuncKeyFields>().Action.WithHand = 0;
    invisibleKey.As<FuncKeyFields>().Action.Disappear = 1;
    invisibleKey.Inverse = 1;
    elements.push_back(invisibleKey);

    // Its white ground covers part of the trend behind it.
    Element varFont = make(ElementKind::VarFontText, 20, 50);
    varFont.As<VarFontTextFields>().Texts[0] = "v";
    varFont.As<VarFontTextFields>().Font = LabelFont(8);
    varFont.As<VarFontTextFields>().MaxWidth = W / 8;
    varFont.As<VarFontTextFields>().MaxHeight = H / 6;
    elements.push_back(varFont);

    Element trend = make(ElementKind::Trend, 2, 28);
    trend.As<TrendFields>().Width = W / 3;
    trend.As<TrendFields>().Height = H / 2;
    elements.push_back(trend);

    const int32_t directions[] = {BarFields::kUp, BarFields::kDown, BarFields::kRight, BarFields::kLeft};
    for (int i = 0; i < 4; ++i) {
        Element bar = make(ElementKind::Bar, 38 + 8 * i, 30 + (i % 2) * 5);
        const bool vertical = i < 2;
        bar.As<BarFields>().Width = vertical ? ToEditorUnits(10, z) : ToEditorUnits(24, z);
        bar.As<BarFields>().Height = vertical ? ToEditorUnits(24, z) : ToEditorUnits(10, z);
        bar.As<BarFields>().Direct = directions[i];
        elements.push_back(bar);
    }

    Element pic = make(ElementKind::Pic, 38, 80);
    pic.As<PicFields>().Bitmap = SampleMonoBmp();
    pic.As<PicFields>().Width = ToEditorUnits(21, z);
    pic.As<PicFields>().Height = ToEditorUnits(10, z);
    elements.push_back(pic);

    Element varText = make(ElementKind::VarText, 0, 88);
    varText.As<VarTextFields>().Texts[0] = "ab";
    varText.As<VarTextFields>().MaxLen = 4;
    varText.Inverse = 1;
    elements.push_back(varText);

    Element fontText = make(ElementKind::FontText, 55, 75);
    fontText.As<FontTextFields>().Content = "Font";
    fontText.As<FontTextFields>().Font = LabelFont(8);
    elements.push_back(fontText);

    Element ascii = make(ElementKind::ASCIIText, 75, 88);
    ascii.As<ASCIITextFields>().CharNum = 3;
    ascii.Double = 0;
    elements.push_back(ascii);

    Page page;
    page.Number = 1;
    page.Elements = elements;
    return page;
}

struct RenderCase {
    const char* What;
    int BuiltFor;                 // the project's model
    std::optional<int> DrawnFor;  // --model
    bool Grid;
    bool Selected;
};

std::vector<std::string> RenderArgs(const std::string& file, const RenderCase& c, const std::string& out) {
    std::vector<std::string> args = {"render", file, "--page", "1", "-o", out};
    if (c.DrawnFor) args.insert(args.end(), {"--model", std::to_string(*c.DrawnFor)});
    args.push_back(c.Grid ? "--grid" : "--no-grid");
    if (c.Selected) args.push_back("--selected");
    return args;
}

TEST(CliRender, ThePixelsTheRulesFixMatchAnIndependentReference) {
    const RenderCase cases[] = {
        {"64 rows, 192 wide", 6, std::nullopt, true, true},
        {"64 rows, 128 wide", 5, std::nullopt, false, false},
        {"240 x 128", 7, std::nullopt, true, true},
        {"320 x 240", 2, std::nullopt, false, true},
        {"320 x 240 drawn on 128 x 64", 2, 5, true, true},
        {"240 x 128 drawn on 192 x 64", 7, 0, true, false},
    };
    for (const RenderCase& c : cases) {
        TempFolder folder;
        Project project;
        project.ClearPages();
        const Page page = EveryKindPage(project, c.BuiltFor);
        project.AppendPage(page);
        const std::string file = folder.File("every-kind.json");
        WriteBytes(file, DumpProjectJson(project, std::nullopt));
        const std::string out = folder.File("page.png");
        const RunResult result = Cli(RenderArgs(file, c, out));
        ASSERT_EQ(result.ExitCode, 0) << c.What << ": " << result.Err;
        EXPECT_EQ(result.Out, "");

        const int model = c.DrawnFor.value_or(c.BuiltFor);
        const ExpectedPreview expected = ReferencePreview(page, model, c.Grid, c.Selected, CodePage::Gbk);
        const Png png = ReadPng(out);
        ASSERT_EQ(png.Width, expected.Width) << c.What;
        ASSERT_EQ(png.Height, expected.Height) << c.What;
        int compared = 0, differing = 0, dark = 0;
        std::string first;
        for (int y = 0; y < png.Height; ++y) {
            for (int x = 0; x < png.Width; ++x) {
                const std::optional<Color>& want = expected.At(x, y);
                if (!want) continue;
                ++compared;
                if (*want != kWhite) ++dark;
                if (png.At(x, y) == *want) continue;
                if (differing++ == 0) first = std::to_string(x) + "," + std::to_string(y);
            }
        }
        EXPECT_EQ(differing, 0) << c.What << ": first at " << first;
        // Most of the picture is fixed by the rules, lines and dots included.
        EXPECT_GT(compared, png.Width * png.Height / 2) << c.What;
        EXPECT_GT(dark, 300) << c.What;
    }
}

TEST(CliRender, DrawsTheExampleProjectFromEitherFileForm) {
    TempFolder folder;
    for (const std::string& file : {kDemoJson, kDemoQx2}) {
        const std::string out = folder.File("demo.png");
        const RunResult result = Cli({"render", file, "--page", "2", "-o", out});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const Png png = ReadPng(out);
        EXPECT_EQ(png.Width, 432);  // the example is a 192 x 64 panel
        EXPECT_EQ(png.Height, 144);
        EXPECT_EQ(png.At(180, 18), kGray) << "the grid is shown by default";
    }
    const std::string large = folder.File("large.png");
    ASSERT_EQ(Cli({"render", kDemoJson, "--page", "1", "--model", "QX420", "-o", large}).ExitCode, 0);
    EXPECT_EQ(ReadPng(large).Width, 400);
    // Both runs of one page give the same file.
    const std::string again = folder.File("again.png");
    ASSERT_EQ(Cli({"render", kDemoJson, "--page", "1", "--model", "2", "-o", again}).ExitCode, 0);
    EXPECT_EQ(ReadBytes(large), ReadBytes(again));
}

TEST(CliRender, APageThatDoesNotExistIsAFailureNamingIt) {
    TempFolder folder;
    const std::string out = folder.File("none.png");
    const RunResult result = Cli({"render", kDemoJson, "--page", "9", "-o", out});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("demo.json: there is no page 9"));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliRender, BadUsageIsRefusedBeforeAnythingIsWritten) {
    TempFolder folder;
    const std::string out = folder.File("x.png");
    const std::vector<std::vector<std::string>> usages = {
        {"render", kDemoJson, "-o", out},
        {"render", kDemoJson, "--page", "1"},
        {"render", kDemoJson, "--page", "one", "-o", out},
        {"render", kDemoJson, "--page", "65536", "-o", out},
        {"render", kDemoJson, "--page", "-1", "-o", out},
        {"render", kDemoJson, "--page", "1", "--model", "13", "-o", out},
        {"render", kDemoJson, "--page", "1", "--model", "QX999", "-o", out},
        {"render", kDemoJson, "--page", "1", "--grid", "--no-grid", "-o", out},
        {"render", kDemoJson, "--page", "1", "--selected", "--selected", "-o", out},
        {"render", kDemoJson, "--page", "1", "--page", "2", "-o", out},
        {"render", "--page", "1", "-o", out},
    };
    for (const std::vector<std::string>& args : usages) {
        const RunResult result = Cli(args);
        EXPECT_EQ(result.ExitCode, 2) << args[3] << " " << result.Err;
        EXPECT_THAT(result.Err, HasSubstr("qxed-cli render --help"));
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    const RunResult help = Cli({"render", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_THAT(help.Out, HasSubstr("--selected"));
    EXPECT_THAT(Cli({"--help"}).Out, HasSubstr("render FILE --page N"));
}

TEST(CliRender, AnUnreadableProjectIsAFailure) {
    TempFolder folder;
    const std::string broken = folder.File("broken.qx2");
    WriteBytes(broken, "not a project");
    const RunResult result = Cli({"render", broken, "--page", "1", "-o", folder.File("b.png")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("broken.qx2"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("b.png")));
}

TEST(CliRender, WithoutTheElementPicturesTheRenderFailsAndWritesNothing) {
    // A copy of the program in a folder of its own has no element pictures beside it.
    TempFolder folder;
    const std::string program = folder.File("qxed-cli");
    std::filesystem::copy_file(kCli, program);
    const std::string out = folder.File("page.png");
    const RunResult result = RunProgram(program, {"render", kDemoJson, "--page", "1", "-o", out});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr((folder.Path() / "element" / "dlp1clps.dat").string()));
    EXPECT_FALSE(std::filesystem::exists(out));
    // A page without lamps and keys needs none.
    EXPECT_EQ(RunProgram(program, {"render", kDemoJson, "--page", "3", "-o", out}).ExitCode, 0);
}

}  // namespace
}  // namespace qxed::testing
