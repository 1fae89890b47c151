#include <gtest/gtest.h>

#include <functional>

#include "image/image_build.h"
#include "image/image_fixture.h"
#include "image/image_format.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "text/language.h"

namespace qxed {
namespace {

using image_format::kImageBase;
using testing::ReadU16;
using testing::ReadU32;
using testing::Units;

const std::string kCaption = "下载画面数据";
const std::string kOverflow = "请调整工程!,画面数据溢出";

template <class Fields>
Element& Add(Page& page, ElementKind kind, int model, int x, int y) {
    Element element;
    element.Kind = static_cast<int32_t>(kind);
    element.Fields.emplace<Fields>();
    element.X = Units(x, model);
    element.Y = Units(y, model);
    page.Elements.push_back(std::move(element));
    return page.Elements.back();
}

Element& AddText(Page& page, int model, int x, const std::string& content) {
    Element& text = Add<TextFields>(page, ElementKind::Text, model, x, 0);
    text.As<TextFields>().Content = content;
    return text;
}

class ImageBuilderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        glyphs_ = new testing::TempFolder;
        testing::WriteGlyphFiles(*glyphs_);
    }
    static void TearDownTestSuite() {
        delete glyphs_;
        glyphs_ = nullptr;
    }

    BuildOutcome Build(const Project& project, TextLanguage language = TextLanguage::sCh,
                       const std::string& folder = glyphs_->Path().string()) {
        const ImageBuildContext context{&texts, language, folder};
        return PreparePageContent(project, context, progress, prompts);
    }

    // A build refused with the overflow message, which names the cause when `extra` is given.
    void ExpectRefused(const Project& project, const std::string& extra = "") {
        const BuildOutcome outcome = Build(project);
        EXPECT_EQ(outcome.Status, BuildStatus::Aborted);
        EXPECT_TRUE(outcome.Image.Bytes.empty());
        EXPECT_EQ(prompts.Last(),
                  (testing::RecordedMessage{extra.empty() ? kOverflow : kOverflow + "," + extra, kCaption,
                                            MessageIcon::Information}));
        prompts.Clear();
    }

    Language texts;
    testing::RecordingPrompts prompts;
    testing::CountingProgress progress;
    static testing::TempFolder* glyphs_;
};

testing::TempFolder* ImageBuilderTest::glyphs_ = nullptr;

// Two pages, three elements, two alarm texts and three global keys on the QX420; the texts use the
// single-byte "A" and "B" and the double-byte B0A1 and D6D0, the lamp A1F0 and A1F1.
Project LayoutProject() {
    Project project = testing::SmallProject(2);
    project.GlobalKeyCount = 3;
    Page& first = project.Pages().front();
    first.PrvPageNo = 9;
    first.NxtPageNo = 5;
    AddText(first, 2, 100, "AB\xD6\xD0");
    Add<LampFields>(first, ElementKind::Lamp, 2, 200, 0);
    Page& second = project.AddPage(5, "");
    Add<ASCIITextFields>(second, ElementKind::ASCIIText, 2, 300, 0);
    project.Settings.AlarmCount = 2;
    project.AlarmTexts[0] = "A";
    project.AlarmTexts[1] = "\xB0\xA1";
    project.AlarmTexts[2] = "not in use";
    return project;
}

TEST_F(ImageBuilderTest, EverySectionIsWhereTheDirectoryPoints) {
    const BuildOutcome outcome = Build(LayoutProject());
    ASSERT_EQ(outcome.Status, BuildStatus::Built);
    EXPECT_TRUE(prompts.Silent());
    const std::vector<uint8_t>& image = outcome.Image.Bytes;
    const std::size_t length = image.size();

    const std::size_t h = 16 + 42 + 3 * 14;
    EXPECT_EQ(outcome.Image.HeaderLength, h);
    EXPECT_EQ(outcome.Image.GlyphLength, 4u * 32 + 2 * 16);
    EXPECT_EQ(ReadU32(image, 8), kImageBase + h);
    EXPECT_EQ(ReadU32(image, 12), kImageBase + h + 4 * 32);

    // Glyphs in code order, in row layout: A1F0 is record 79, whose first left byte is its number.
    EXPECT_EQ(image[h], 79);
    EXPECT_EQ(image[h + 32], 80);
    EXPECT_EQ(image[h + 4 * 32], 'A');
    EXPECT_EQ(image[h + 4 * 32 + 16], 'B');

    const std::size_t g = ReadU32(image, 0) - kImageBase;
    EXPECT_EQ(g, h + 4 * 32 + 2 * 16);
    const std::size_t directory = g + 2 * 11;
    EXPECT_EQ(ReadU16(image, g), 1);
    EXPECT_EQ(image[g + 2], 2);
    EXPECT_EQ(ReadU16(image, g + 3), 9);
    EXPECT_EQ(ReadU16(image, g + 5), 5);
    EXPECT_EQ(ReadU32(image, g + 7), kImageBase + directory);
    EXPECT_EQ(ReadU16(image, g + 11), 5);
    EXPECT_EQ(image[g + 13], 1);
    EXPECT_EQ(ReadU32(image, g + 18), kImageBase + directory + 2 * 5);

    // Each directory entry leads to a record that starts with the element's x coordinate.
    const struct {
        uint8_t Kind;
        uint16_t X;
    } entries[] = {{1, 100}, {3, 200}, {12, 300}};
    std::size_t previous = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(image[directory + 5 * i], entries[i].Kind);
        const std::size_t record = ReadU32(image, directory + 5 * i + 1) - kImageBase;
        EXPECT_GE(record, directory + 3 * 5);
        EXPECT_GE(record, previous);
        EXPECT_EQ(ReadU16(image, record), entries[i].X) << "entry " << i;
        previous = record;
    }

    // The alarm directory's texts: "A" and B0A1 (double-byte position 2, after the lamp symbols).
    const std::size_t alarms = ReadU32(image, 4) - kImageBase;
    const std::size_t first = ReadU32(image, alarms) - kImageBase;
    const std::size_t second = ReadU32(image, alarms + 4) - kImageBase;
    EXPECT_EQ(first, alarms + 8);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + first, image.end()),
              (std::vector<uint8_t>{1, 0, 2, 0x80, 2}));
    EXPECT_EQ(second, first + 2);
    EXPECT_EQ(length, second + 3);
}

TEST_F(ImageBuilderTest, EmptySectionsCollapse) {
    Project project = testing::SmallProject(0);
    AddText(project.Pages().front(), 0, 8, "AB");
    const BuildOutcome outcome = Build(project);
    ASSERT_EQ(outcome.Status, BuildStatus::Built);
    const std::vector<uint8_t>& image = outcome.Image.Bytes;
    // No alarms: the alarm directory starts at the very end. No double-byte characters: both glyph sections
    // start at the same address.
    EXPECT_EQ(ReadU32(image, 4), kImageBase + image.size());
    EXPECT_EQ(ReadU32(image, 8), ReadU32(image, 12));
    EXPECT_EQ(outcome.Image.HeaderLength, 58u);
    EXPECT_EQ(outcome.Image.GlyphLength, 32u);
}

TEST_F(ImageBuilderTest, FontTextIsListedAsAPictureAndFunctionKeysLeadWithTheirPosition) {
    Project project = testing::SmallProject(1);
    Page& page = project.Pages().front();
    Add<FontTextFields>(page, ElementKind::FontText, 1, 0, 0).As<FontTextFields>().Content = "x";
    Element& key = Add<FuncKeyFields>(page, ElementKind::FuncKey, 1, 40, 16);
    key.As<FuncKeyFields>().Action.Key = 8;  // Clr, position 20
    key.As<FuncKeyFields>().Action.Encrypt = 1;
    const BuildOutcome outcome = Build(project);
    ASSERT_EQ(outcome.Status, BuildStatus::Built);
    const std::vector<uint8_t>& image = outcome.Image.Bytes;
    const std::size_t directory = ReadU32(image, 0) - kImageBase + 11;
    EXPECT_EQ(image[directory], 7);
    EXPECT_EQ(image[directory + 5], 4);
    const std::size_t record = ReadU32(image, directory + 6) - kImageBase;
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + record, image.begin() + record + 4),
              (std::vector<uint8_t>{40, 16, 20, 0x40}));
}

// A project of two blank pictures on the QX420 whose image is 65497 bytes plus the height of the second.
Project FilledProject(int lastHeight) {
    Project project = testing::SmallProject(2);
    Page& page = project.Pages().front();
    PicFields& large = Add<PicFields>(page, ElementKind::Pic, 2, 0, 0).As<PicFields>();
    large.Width = Units(320, 2);
    large.Height = Units(1635, 2);
    PicFields& small = Add<PicFields>(page, ElementKind::Pic, 2, 0, 0).As<PicFields>();
    small.Width = Units(8, 2);
    small.Height = Units(lastHeight, 2);
    return project;
}

TEST_F(ImageBuilderTest, TheLargestImageIs65532Bytes) {
    const BuildOutcome largest = Build(FilledProject(35));
    ASSERT_EQ(largest.Status, BuildStatus::Built);
    EXPECT_EQ(largest.Image.Length(), 65532u);
    ExpectRefused(FilledProject(36));
}

TEST_F(ImageBuilderTest, ValuesBeyondTheirFieldsRefuseTheBuild) {
    const std::pair<const char*, std::function<void(Project&)>> cases[] = {
        {"256 pages",
         [](Project& p) {
             for (int i = 2; i <= 256; ++i)
                 p.AddPage(static_cast<uint16_t>(i), "");
         }},
        {"256 elements",
         [](Project& p) {
             for (int i = 0; i < 256; ++i)
                 AddText(p.Pages().front(), 0, 0, "A");
         }},
        {"256 alarms", [](Project& p) { p.Settings.AlarmCount = 256; }},
        {"256 sample points",
         [](Project& p) {
             Add<TrendFields>(p.Pages().front(), ElementKind::Trend, 0, 0, 0).As<TrendFields>().SamplePoints =
                 256;
         }},
        {"x beyond one byte", [](Project& p) { AddText(p.Pages().front(), 0, 256, "A"); }},
        {"unknown kind", [](Project& p) { AddText(p.Pages().front(), 0, 0, "A").Kind = 13; }},
        {"unknown model", [](Project& p) { p.Settings.CurrentModel = 13; }},
        {"sample project's maximum width",
         [](Project& p) {
             p = testing::SampleProject();
             p.AlarmTexts[1] = "A";
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        Project project = testing::SmallProject(0);
        change(project);
        ExpectRefused(project);
    }
}

// Alarm texts of distinct double-byte characters, 20 to a text.
Project DoubleByteProject(int characters) {
    Project project = testing::SmallProject(0);
    for (int i = 0; i < characters; ++i) {
        project.AlarmTexts[static_cast<std::size_t>(i / 20)] +=
            std::string{static_cast<char>(0xB0 + i / 94), static_cast<char>(0xA1 + i % 94)};
    }
    project.Settings.AlarmCount = (characters + 19) / 20;
    return project;
}

TEST_F(ImageBuilderTest, AThousandDoubleByteCharactersAreTheLimit) {
    const BuildOutcome outcome = Build(DoubleByteProject(1000));
    ASSERT_EQ(outcome.Status, BuildStatus::Built);
    EXPECT_EQ(outcome.Image.GlyphLength, 32000u);
    ExpectRefused(DoubleByteProject(1001), "双字节字符超过1000个");
}

TEST_F(ImageBuilderTest, AMissingGlyphFileIsNamed) {
    const testing::TempFolder empty;
    Project project = testing::SmallProject(0);
    AddText(project.Pages().front(), 0, 0, "A");
    BuildOutcome outcome = Build(project, TextLanguage::sCh, empty.Path().string());
    EXPECT_EQ(outcome.Status, BuildStatus::Aborted);
    EXPECT_EQ(prompts.Last(),
              (testing::RecordedMessage{"7460022.dat 不存在！", kCaption, MessageIcon::Error}));

    project.Settings.CurrentModel = 2;
    project.Pages().front().Elements.clear();
    AddText(project.Pages().front(), 2, 0, "\xB0\xA1");
    outcome = Build(project, TextLanguage::Ko, empty.Path().string());
    EXPECT_EQ(outcome.Status, BuildStatus::Aborted);
    EXPECT_EQ(prompts.Last().Text, "6460014.dat 不存在！");
}

// A GBK character that GB 2312 lacks has no glyph in any file: the message names it, whether the glyph files
// are there or not.
TEST_F(ImageBuilderTest, ACharacterWithoutAGlyphIsNamed) {
    const testing::TempFolder empty;
    Project project = testing::SmallProject(0);
    AddText(project.Pages().front(), 0, 0, "A\xB0\xA1\x81\x40");  // A啊丂
    for (const std::string& folder : {glyphs_->Path().string(), empty.Path().string()}) {
        const BuildOutcome outcome = Build(project, TextLanguage::sCh, folder);
        EXPECT_EQ(outcome.Status, BuildStatus::Aborted);
        EXPECT_EQ(prompts.Last(), (testing::RecordedMessage{"请调整工程!,字库中没有这个字符：“丂” (8140)",
                                                            kCaption, MessageIcon::Information}));
    }
}

TEST_F(ImageBuilderTest, EveryStepAdvancesTheProgressOnce) {
    const Project project = LayoutProject();
    ASSERT_EQ(Build(project).Status, BuildStatus::Built);
    EXPECT_EQ(progress.Label, "正在准备画面数据...");
    EXPECT_EQ(progress.Begins, 1);
    // 2 pages, 3 elements, 6 glyphs, 2 alarm texts and 11 sections.
    EXPECT_EQ(progress.Maximum, 2 + 3 + 6 + 2 + 11);
    EXPECT_EQ(progress.Position, progress.Maximum);
}

TEST_F(ImageBuilderTest, ACancelAtAnyStepEndsTheBuildSilently) {
    const Project project = LayoutProject();
    const int steps = 2 + 3 + 6 + 2 + 11;
    for (int cancelAfter = 1; cancelAfter <= steps; ++cancelAfter) {
        progress.CancelAfter = cancelAfter;
        const BuildOutcome outcome = Build(project);
        EXPECT_EQ(outcome.Status, BuildStatus::Cancelled) << "after " << cancelAfter;
        EXPECT_TRUE(outcome.Image.Bytes.empty());
    }
    EXPECT_TRUE(prompts.Silent());
    progress.CancelAfter = -1;
    EXPECT_EQ(Build(project).Status, BuildStatus::Built);
}

TEST_F(ImageBuilderTest, TheSameProjectGivesTheSameImage) {
    Project project = testing::SampleProject();
    for (Page& page : project.Pages()) {
        for (Element& element : page.Elements) {
            if (auto* varFont = element.If<VarFontTextFields>()) varFont->MaxWidth = Units(255, 2);
        }
    }
    project.AlarmTexts[1] = "A";  // the sample's non-GBK text has no glyph
    const BuildOutcome first = Build(project);
    ASSERT_EQ(first.Status, BuildStatus::Built) << prompts.Last();
    const BuildOutcome second = Build(project);
    EXPECT_EQ(first.Image.Bytes, second.Image.Bytes);
    EXPECT_EQ(first.Image.HeaderLength, 16u + 42 + 20 * 14);
}

}  // namespace
}  // namespace qxed
