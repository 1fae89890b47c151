#include "model/element_defaults.h"

#include <gtest/gtest.h>

#include "model/element_rules.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "text/code_page.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int QX220 = 1, QX420 = 2, QX204 = 5, QX205 = 9;  // Z 36, 20, 36, 36

Project ProjectFor(int plcType, int model = QX220) {
    Project project;
    project.Settings.PlcType = plcType;
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    return project;
}

template <class T>
T Fields(const Project& project, ElementKind kind) {
    return NewElement(project, static_cast<int32_t>(kind)).As<T>();
}

TEST(NewElement, HeaderIsClearedAndUnknownKindsHaveNoFields) {
    const Project project;
    for (int32_t kind = kFirstElementKind; kind <= kLastElementKind; ++kind) {
        const Element element = NewElement(project, kind);
        EXPECT_EQ(element.Kind, kind);
        EXPECT_EQ(element.Fields.index(), static_cast<size_t>(kind));
        EXPECT_EQ(element.X, 0);
        EXPECT_EQ(element.Y, 0);
        EXPECT_EQ(element.Double, 0);
        EXPECT_EQ(element.Inverse, 0);
    }
    for (int32_t kind : {0, 13, -1}) {
        const Element element = NewElement(project, kind);
        EXPECT_EQ(element.Kind, kind);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(element.Fields));
    }
}

TEST(NewElement, RegisterDisplayFollowsThePlcType) {
    const RegFields octal = Fields<RegFields>(ProjectFor(1), ElementKind::Reg);
    EXPECT_EQ(octal.Digits, 4);
    EXPECT_EQ(octal.DecDisp, 0);
    EXPECT_EQ(octal.Address.Number, 2000);

    const RegFields plain = Fields<RegFields>(ProjectFor(21), ElementKind::Reg);
    EXPECT_EQ(plain.Digits, 5);
    EXPECT_EQ(plain.DecDisp, 1);
    EXPECT_EQ(plain.Address, (PlcAddress{1, 0, 0}));
    EXPECT_EQ(Fields<VarTextFields>(ProjectFor(1), ElementKind::VarText).DecDisp, 0);
}

TEST(NewElement, GraphFullScaleFollowsThePlcType) {
    EXPECT_EQ(Fields<TrendFields>(ProjectFor(13), ElementKind::Trend).FullValue, 32767);
    EXPECT_EQ(Fields<TrendFields>(ProjectFor(1), ElementKind::Trend).FullValue, 9999);
    EXPECT_EQ(Fields<TrendFields>(ProjectFor(0), ElementKind::Trend).FullValue, 65535);
    EXPECT_EQ(Fields<BarFields>(ProjectFor(38), ElementKind::Bar).FullValue, 32767);
}

TEST(NewElement, CoilDefaultsFollowThePlcType) {
    EXPECT_EQ(Fields<LampFields>(ProjectFor(3), ElementKind::Lamp).Coil, (PlcAddress{0, 0, 256}));
    EXPECT_EQ(Fields<LampFields>(ProjectFor(33), ElementKind::Lamp).Coil, (PlcAddress{255, 0, 0}));
    EXPECT_EQ(Fields<LampFields>(ProjectFor(24), ElementKind::Lamp).Coil.Number, 16);
    EXPECT_EQ(Fields<LampFields>(ProjectFor(21), ElementKind::Lamp).Coil, (PlcAddress{1, 0, 0}));
    EXPECT_EQ(Fields<FuncKeyFields>(ProjectFor(3), ElementKind::FuncKey).Action.Coil,
              (PlcAddress{0, 0, 256}));
}

TEST(NewElement, GraphSizesAreStoredInTheModelsEditorUnits) {
    const TrendFields small = Fields<TrendFields>(ProjectFor(21, QX220), ElementKind::Trend);
    EXPECT_EQ(small.Width, 216);  // 96 x 48 dots at Z 36
    EXPECT_EQ(small.Height, 108);
    const TrendFields large = Fields<TrendFields>(ProjectFor(21, QX420), ElementKind::Trend);
    EXPECT_EQ(large.Width, 120);  // at Z 20
    EXPECT_EQ(large.Height, 60);

    const BarFields bar = Fields<BarFields>(ProjectFor(21, QX220), ElementKind::Bar);
    EXPECT_EQ(bar.Width, 36);  // 16 x 48 dots
    EXPECT_EQ(bar.Height, 108);
}

TEST(NewElement, KeyActionsFollowTheModelAndPlcType) {
    EXPECT_EQ(Fields<FuncKeyFields>(ProjectFor(21, QX420), ElementKind::FuncKey).Action.Key, 22);
    EXPECT_EQ(Fields<FuncKeyFields>(ProjectFor(21, QX220), ElementKind::FuncKey).Action.Key, 1);
    EXPECT_EQ(Fields<TouchKeyFields>(ProjectFor(21, QX205), ElementKind::TouchKey).Action.Key, 0);

    // Type 2 gives the word registers of register, trend, bar and key actions type index 1; the
    // variable texts and the string take the list's first type.
    const Project siemens = ProjectFor(2);
    EXPECT_EQ(Fields<FuncKeyFields>(siemens, ElementKind::FuncKey).Action.RegAddress.TypeIndex, 1);
    EXPECT_EQ(Fields<FuncKeyFields>(siemens, ElementKind::FuncKey).Action.Coil.TypeIndex, 0);
    EXPECT_EQ(Fields<RegFields>(siemens, ElementKind::Reg).Address.TypeIndex, 1);
    EXPECT_EQ(Fields<BarFields>(siemens, ElementKind::Bar).Address.TypeIndex, 1);
    EXPECT_EQ(Fields<VarTextFields>(siemens, ElementKind::VarText).Address.TypeIndex, 0);
    EXPECT_EQ(Fields<ASCIITextFields>(siemens, ElementKind::ASCIIText).Address.TypeIndex, 0);
}

TEST(NewElement, PictureIsTakenOverOnlyWhenGiven) {
    const LoadedPicture picture{{'B', 'M', 1, 2, 3}, 20, 10};
    const Element placed =
        NewElement(ProjectFor(21, QX220), static_cast<int32_t>(ElementKind::Pic), &picture);
    EXPECT_EQ(placed.As<PicFields>().Width, 45);
    EXPECT_EQ(placed.As<PicFields>().Height, 23);
    EXPECT_EQ(placed.As<PicFields>().Bitmap, picture.Bmp);

    const PicFields read = Fields<PicFields>(ProjectFor(21, QX220), ElementKind::Pic);
    EXPECT_EQ(read.Width, 0);
    EXPECT_EQ(read.Height, 0);
    EXPECT_TRUE(read.Bitmap.empty());
}

TEST(NewElement, VariableFontTextIsMeasuredExceptForReading) {
    for (int model : {QX220, QX420}) {
        const Project project = ProjectFor(21, model);
        const int z = FindPanelModel(model)->PreviewScale;
        const VarFontTextFields placed = Fields<VarFontTextFields>(project, ElementKind::VarFontText);
        EXPECT_GT(placed.MaxWidth, 0);
        EXPECT_GT(placed.MaxHeight, 0);
        EXPECT_EQ((Size{placed.MaxWidth, placed.MaxHeight}),
                  MeasureFontTextUnits(placed.Font, placed.Texts[0], CodePage::Gbk, z));

        Element read = NewElementForReading(project, static_cast<int32_t>(ElementKind::VarFontText));
        EXPECT_EQ(read.As<VarFontTextFields>().MaxWidth, 0);
        EXPECT_EQ(read.As<VarFontTextFields>().MaxHeight, 0);
        read.As<VarFontTextFields>().MaxWidth = placed.MaxWidth;
        read.As<VarFontTextFields>().MaxHeight = placed.MaxHeight;
        EXPECT_EQ(read.As<VarFontTextFields>(), placed);
    }
}

const char* const kLanguageFile =
    "[Font]\r\nFontName=DejaVu Sans\r\nFontSize=12\r\nFontCharset=0\r\n"
    "[Message]\r\nDefaultMessage=Hello\r\nDefaultDynamicMessage=State\r\nDefaultTouchKeyMessage=Press\r\n";

TEST(EditorDefaults, TextsAndFontComeFromTheLanguageFile) {
    const EditorDefaults defaults = EditorDefaultsOf(Language(IniFile::FromBytes(kLanguageFile)), QX420);
    EXPECT_EQ(defaults.MainFont.Name, "DejaVu Sans");
    EXPECT_EQ(defaults.MainFont.Size, 12);
    EXPECT_EQ(defaults.MainFont.Height, -16);
    EXPECT_EQ(defaults.MainFont.Charset, 0);
    EXPECT_EQ(defaults.TextCodePage, CodePage::Cp1252);
    EXPECT_EQ(defaults.DefaultModel, QX420);

    Project project(defaults);
    EXPECT_EQ(project.Settings.CurrentModel, QX420);
    EXPECT_EQ(Fields<TextFields>(project, ElementKind::Text).Content, "Hello");
    const VarTextFields var = Fields<VarTextFields>(project, ElementKind::VarText);
    EXPECT_EQ(var.Texts[0], "State");
    EXPECT_EQ(var.MaxLen, 5);
    EXPECT_EQ(Fields<VarFontTextFields>(project, ElementKind::VarFontText).Texts[0], "State");

    const FontTextFields text = Fields<FontTextFields>(project, ElementKind::FontText);
    EXPECT_EQ(text.Content, "Hello");
    EXPECT_EQ(text.Font, defaults.MainFont);
    const TouchKeyFields touch = Fields<TouchKeyFields>(project, ElementKind::TouchKey);
    EXPECT_EQ(touch.Content, "Press");
    EXPECT_EQ(touch.Font, defaults.MainFont);
}

TEST(EditorDefaults, LongLanguageTextsFitTheLineWithoutHalfCharacters) {
    // 9 double-byte characters after one ASCII letter: 19 bytes, more than QX204's 16 columns.
    std::string longText = "A";
    for (int i = 0; i < 9; ++i)
        longText += GbkFromUtf8("字");
    EditorDefaults defaults = BuiltinEditorDefaults();
    defaults.DefaultMessage = longText;
    defaults.DefaultDynamicMessage = longText;
    Project project(defaults);
    project.Settings.CurrentModel = QX204;

    EXPECT_EQ(Fields<TextFields>(project, ElementKind::Text).Content, longText.substr(0, 15));
    const VarTextFields var = Fields<VarTextFields>(project, ElementKind::VarText);
    EXPECT_EQ(var.Texts[0], longText.substr(0, 15));
    EXPECT_EQ(var.MaxLen, 15);
    // Font texts are not bound to the text columns.
    EXPECT_EQ(Fields<FontTextFields>(project, ElementKind::FontText).Content, longText);
}

}  // namespace
}  // namespace qxed
