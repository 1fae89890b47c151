#include "model/element_rules.h"

#include <gtest/gtest.h>

#include "model/element_defaults.h"
#include "model/project.h"
#include "text/code_page.h"

namespace qxed {
namespace {

constexpr int kZ = 36;  // the 64-row panels

// "A" and then `count` double-byte characters: every lead byte sits at an odd offset, so a cut by
// bytes alone would keep half a character.
std::string MixedText(int count) {
    std::string text = "A";
    for (int i = 0; i < count; ++i)
        text += GbkFromUtf8("字");
    return text;
}

bool DecodesAsGbk(const std::string& text) {
    return ToUtf8(text, CodePage::Gbk).Ok;
}

Element New(ElementKind kind) {
    static const Project project;
    return NewElement(project, static_cast<int32_t>(kind));
}

int WidthOf(const FontDesc& font, const std::string& text) {
    return MeasureFontTextUnits(font, text, CodePage::Gbk, kZ).Width;
}

TEST(CutAtCharacter, KeepsDoubleByteCharactersWhole) {
    const std::string text = MixedText(2);
    EXPECT_EQ(CutAtCharacter(text, 2, CodePage::Gbk), "A");
    EXPECT_EQ(CutAtCharacter(text, 3, CodePage::Gbk), text.substr(0, 3));
    EXPECT_EQ(CutAtCharacter(text, 2, CodePage::Cp1252), text.substr(0, 2));
    EXPECT_EQ(CutAtCharacter(text, 0, CodePage::Gbk), "");
    EXPECT_EQ(CutAtCharacter(text, 99, CodePage::Gbk), text);
}

TEST(RecountVarText, CountsUpToTheLastFilledEntry) {
    VarTextFields var = New(ElementKind::VarText).As<VarTextFields>();
    var.Texts[0] = "A";
    var.Texts[2] = "CCC";
    EXPECT_TRUE(RecountVarText(var, 16, CodePage::Gbk));
    EXPECT_EQ(var.Count, 3);
    EXPECT_EQ(var.Texts[1], "");  // the empty middle entry stays in use
    EXPECT_EQ(var.MaxLen, 3);
    EXPECT_FALSE(RecountVarText(var, 16, CodePage::Gbk));

    var.Texts[2].clear();
    EXPECT_TRUE(RecountVarText(var, 16, CodePage::Gbk));
    EXPECT_EQ(var.Count, 1);
    EXPECT_EQ(var.MaxLen, 1);

    var.Texts[0].clear();
    RecountVarText(var, 16, CodePage::Gbk);
    EXPECT_EQ(var.Count, 0);
    EXPECT_EQ(var.MaxLen, 0);

    var.Texts[254] = "last";
    RecountVarText(var, 16, CodePage::Gbk);
    EXPECT_EQ(var.Count, 255);
}

TEST(RecountVarText, CutsEntriesToTheLineWithoutHalfCharacters) {
    VarTextFields var = New(ElementKind::VarText).As<VarTextFields>();
    var.Texts[0] = MixedText(9);  // 19 bytes
    var.Texts[1] = std::string(20, 'x');
    RecountVarText(var, 16, CodePage::Gbk);
    EXPECT_EQ(var.Texts[0], MixedText(7));
    EXPECT_EQ(var.Texts[1], std::string(16, 'x'));
    EXPECT_EQ(var.MaxLen, 16);

    // The slot holds 40 bytes whatever the line length says.
    var.Texts[1] = std::string(45, 'x');
    RecountVarText(var, 99, CodePage::Gbk);
    EXPECT_EQ(var.Texts[1].size(), 40u);
    EXPECT_EQ(var.MaxLen, 40);
}

TEST(RefitVarFontText, TheWidestEntryGivesTheSize) {
    VarFontTextFields var = New(ElementKind::VarFontText).As<VarFontTextFields>();
    var.Texts[0] = "AB";
    var.Texts[2] = "ABCDEFGH";
    var.Texts[3] = "ABC";
    EXPECT_TRUE(RefitVarFontText(var, CodePage::Gbk, kZ, 10000));
    EXPECT_EQ(var.Count, 4);
    EXPECT_EQ(var.Texts[2], "ABCDEFGH");
    EXPECT_EQ((Size{var.MaxWidth, var.MaxHeight}),
              MeasureFontTextUnits(var.Font, "ABCDEFGH", CodePage::Gbk, kZ));
    EXPECT_FALSE(RefitVarFontText(var, CodePage::Gbk, kZ, 10000));

    // Two entries of one width: that width, and the height of the first of them.
    var.Texts = {};
    var.Texts[0] = GbkFromUtf8("甲");
    var.Texts[1] = GbkFromUtf8("乙");
    ASSERT_EQ(WidthOf(var.Font, var.Texts[0]), WidthOf(var.Font, var.Texts[1]));
    RefitVarFontText(var, CodePage::Gbk, kZ, 10000);
    EXPECT_EQ(var.Count, 2);
    EXPECT_EQ((Size{var.MaxWidth, var.MaxHeight}),
              MeasureFontTextUnits(var.Font, var.Texts[0], CodePage::Gbk, kZ));
}

TEST(RefitVarFontText, ShortensEveryEntryToANarrowPreview) {
    VarFontTextFields var = New(ElementKind::VarFontText).As<VarFontTextFields>();
    const int preview = WidthOf(var.Font, "ABCDE");
    var.Texts[0] = "ABCDEFGHIJ";
    var.Texts[1] = MixedText(10);
    RefitVarFontText(var, CodePage::Gbk, kZ, preview);

    EXPECT_EQ(var.Texts[0], "ABCDE");
    const std::string& mixed = var.Texts[1];
    EXPECT_TRUE(DecodesAsGbk(mixed));
    EXPECT_EQ(MixedText(10).compare(0, mixed.size(), mixed), 0);
    EXPECT_LE(WidthOf(var.Font, mixed), preview);
    EXPECT_GT(WidthOf(var.Font, MixedText(10).substr(0, mixed.size() + 2)), preview);
    EXPECT_LE(var.MaxWidth, preview);
    EXPECT_EQ(var.Count, 2);
}

TEST(ShortenToFit, TouchKeyLabelsLeaveRoomForTheFrame) {
    const std::string label = MixedText(6);
    Element text = New(ElementKind::FontText);
    text.As<FontTextFields>().Content = label;
    const FontDesc& font = text.As<FontTextFields>().Font;
    const int width = WidthOf(font, label);

    EXPECT_FALSE(ShortenToFit(text, CodePage::Gbk, kZ, width));
    EXPECT_EQ(text.As<FontTextFields>().Content, label);

    Element key = New(ElementKind::TouchKey);
    key.As<TouchKeyFields>().Content = label;
    EXPECT_FALSE(ShortenToFit(key, CodePage::Gbk, kZ, width + 14));
    EXPECT_TRUE(ShortenToFit(key, CodePage::Gbk, kZ, width + 13));
    const std::string& shortened = key.As<TouchKeyFields>().Content;
    EXPECT_EQ(shortened, MixedText(5));  // one whole character less, never half of one
    EXPECT_LE(WidthOf(font, shortened) + 14, width + 13);

    EXPECT_TRUE(ShortenToFit(key, CodePage::Gbk, kZ, 1));
    EXPECT_EQ(key.As<TouchKeyFields>().Content, "");
    Element lamp = New(ElementKind::Lamp);
    EXPECT_FALSE(ShortenToFit(lamp, CodePage::Gbk, kZ, 1));
}

TEST(ShortenToFit, ContentBeyondTheSlotIsCutAtACharacter) {
    Element text = New(ElementKind::FontText);
    text.As<FontTextFields>().Content = MixedText(60);  // 121 bytes
    EXPECT_TRUE(ShortenToFit(text, CodePage::Gbk, kZ, 1000000));
    EXPECT_EQ(text.As<FontTextFields>().Content, MixedText(59));
}

TEST(SetBarDirection, SwapsOnlyBetweenVerticalAndHorizontal) {
    const Size preview{432, 144};
    Element bar = New(ElementKind::Bar);
    bar.X = 390;
    bar.Y = 20;
    BarFields& fields = bar.As<BarFields>();
    const int width = fields.Width, height = fields.Height;  // 36 x 108

    EXPECT_TRUE(SetBarDirection(bar, BarFields::kDown, preview));
    EXPECT_EQ(fields.Width, width);
    EXPECT_EQ(fields.Height, height);
    EXPECT_EQ(bar.X, 390);
    EXPECT_FALSE(SetBarDirection(bar, BarFields::kDown, preview));

    // Now 108 wide at X 390: pulled back to the right edge; 36 high at Y 20 still fits.
    EXPECT_TRUE(SetBarDirection(bar, BarFields::kRight, preview));
    EXPECT_EQ(fields.Direct, BarFields::kRight);
    EXPECT_EQ(fields.Width, height);
    EXPECT_EQ(fields.Height, width);
    EXPECT_EQ(bar.X, 432 - height);
    EXPECT_EQ(bar.Y, 20);

    EXPECT_TRUE(SetBarDirection(bar, BarFields::kLeft, preview));
    EXPECT_EQ(fields.Width, height);

    // Back to vertical near the bottom: pulled up.
    bar.Y = 100;
    EXPECT_TRUE(SetBarDirection(bar, BarFields::kUp, preview));
    EXPECT_EQ(fields.Height, height);
    EXPECT_EQ(bar.Y, 144 - height);

    // Larger than the preview: stops at 0.
    fields.Height = 500;
    EXPECT_TRUE(SetBarDirection(bar, BarFields::kRight, preview));
    EXPECT_EQ(bar.X, 0);

    Element trend = New(ElementKind::Trend);
    EXPECT_FALSE(SetBarDirection(trend, BarFields::kRight, preview));
}

TEST(SetKeyFunction, LeavingSetCoilClearsTheIndicator) {
    Element touch = New(ElementKind::TouchKey);
    touch.As<TouchKeyFields>().Indicate = 1;
    EXPECT_FALSE(SetKeyFunction(touch, KeyAction::kSetCoil));
    EXPECT_EQ(touch.As<TouchKeyFields>().Indicate, 1);
    EXPECT_TRUE(SetKeyFunction(touch, KeyAction::kPageJump));
    EXPECT_EQ(touch.As<TouchKeyFields>().Action.Function, KeyAction::kPageJump);
    EXPECT_EQ(touch.As<TouchKeyFields>().Indicate, 0);
    EXPECT_TRUE(SetKeyFunction(touch, KeyAction::kSetCoil));
    EXPECT_EQ(touch.As<TouchKeyFields>().Indicate, 0);

    Element key = New(ElementKind::FuncKey);
    EXPECT_TRUE(SetKeyFunction(key, KeyAction::kSetData));
    EXPECT_EQ(key.As<FuncKeyFields>().Action.Function, KeyAction::kSetData);
    EXPECT_FALSE(SetKeyFunction(key, KeyAction::kSetData));

    Element lamp = New(ElementKind::Lamp);
    EXPECT_FALSE(SetKeyFunction(lamp, KeyAction::kPageJump));
}

TEST(SetRegisterNumber, StoresTheTypesFormAndReportsOnlyRealChanges) {
    Project project;
    project.Settings.PlcType = 2;
    PlcAddress address;
    EXPECT_TRUE(SetRegisterNumber(project, address, 100));
    EXPECT_EQ(address.Number, 800);
    EXPECT_FALSE(SetRegisterNumber(project, address, 100));

    project.Settings.PlcType = 21;
    EXPECT_TRUE(SetRegisterNumber(project, address, 100));
    EXPECT_EQ(address.Number, 100);
}

}  // namespace
}  // namespace qxed
