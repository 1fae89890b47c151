#include <gtest/gtest.h>

#include <algorithm>

#include "model/editor_units.h"
#include "model/element_rules.h"
#include "panel_bench.h"
#include "text/ini_file.h"

namespace qxed {
namespace {

using testing::PanelBench;

TEST(RegPanel, DigitsAndDecimalDigitsKeepDecimalsWithinDigits) {
    struct Case {
        int32_t Digits, Decimals;  // stored before
        bool ChangeDigits;         // else the decimal digits field
        int32_t Entered;
        int32_t WantDigits, WantDecimals;
    };
    const Case cases[] = {
        {5, 3, true, 2, 2, 2},   // digits below the decimals pull them down
        {5, 3, true, 4, 4, 3},   // still above: decimals stay
        {5, 0, false, 7, 7, 7},  // decimals above the digits push them up
        {5, 2, false, 4, 5, 4},  // within: digits stay
        {5, 3, true, 11, 5, 3},  // outside 1..10: the stored value comes back
        {5, 3, true, 0, 5, 3},  {5, 3, false, -1, 5, 3},
    };
    for (const Case& c : cases) {
        PanelBench bench;
        Element element = NewElement(bench.document.Contents(), 2);
        element.As<RegFields>().Digits = c.Digits;
        element.As<RegFields>().DecimalDigits = c.Decimals;
        bench.Put(element);
        const size_t shownBefore = bench.view.Shown.size();
        if (c.ChangeDigits)
            bench.panel.Reg().RegDigitsSpinEditChange(c.Entered);
        else
            bench.panel.Reg().RegDecimalDigitsSpinEditChange(c.Entered);
        const RegFields& reg = bench.Fields<RegFields>();
        EXPECT_EQ(reg.Digits, c.WantDigits) << c.Entered;
        EXPECT_EQ(reg.DecimalDigits, c.WantDecimals) << c.Entered;
        EXPECT_EQ(bench.At("RegDigitsSpinEdit").Value, c.WantDigits);
        EXPECT_EQ(bench.At("RegDecimalDigitsSpinEdit").Value, c.WantDecimals);
        // A refused entry is shown again although nothing changed.
        EXPECT_GT(bench.view.Shown.size(), shownBefore);
    }
}

TEST(RegPanel, HexBcdForcesUnsignedAndDecimalShowsTheSignAgain) {
    PanelBench bench;
    bench.Place(ElementKind::Reg);
    bench.panel.Reg().RegSignedCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<RegFields>().Unsigned, 0);
    EXPECT_TRUE(bench.At("RegSignedCheckBox").Checked());

    bench.panel.Reg().RegHexDispRadioButtonClick();
    EXPECT_EQ(bench.Fields<RegFields>().DecDisp, 0);
    EXPECT_EQ(bench.Fields<RegFields>().Unsigned, 1);
    EXPECT_FALSE(bench.At("RegSignedCheckBox").Checked());
    EXPECT_FALSE(bench.At("RegSignedCheckBox").Enabled);
    EXPECT_TRUE(bench.At("RegHexDispRadioButton").Checked());
    bench.panel.Reg().RegSignedCheckBoxClick(true);  // disabled: nothing is stored
    EXPECT_EQ(bench.Fields<RegFields>().Unsigned, 1);

    bench.panel.Reg().RegDecDispRadioButtonClick();
    EXPECT_EQ(bench.Fields<RegFields>().DecDisp, 1);
    EXPECT_EQ(bench.Fields<RegFields>().Unsigned, 1);
    EXPECT_TRUE(bench.At("RegSignedCheckBox").Enabled);
    EXPECT_FALSE(bench.At("RegSignedCheckBox").Checked());
    EXPECT_TRUE(bench.At("RegDecDispRadioButton").Checked());
}

TEST(RegPanel, FloatAndConvertExcludeEachOtherAcrossSelections) {
    PanelBench bench;
    bench.Place(ElementKind::Reg);
    bench.panel.Reg().RegFloatCheckBoxClick(true);
    EXPECT_FALSE(bench.At("RegConvertCheckBox").Enabled);
    EXPECT_FALSE(bench.At("RegDispModeLabel").Enabled);
    EXPECT_FALSE(bench.At("RegDecDispRadioButton").Enabled);
    EXPECT_FALSE(bench.At("RegHexDispRadioButton").Enabled);

    bench.Place(ElementKind::Reg, 100, 50);  // another element in front, the float one second
    bench.panel.Reg().RegConvertCheckBoxClick(true);
    EXPECT_FALSE(bench.At("RegFloatCheckBox").Enabled);
    EXPECT_TRUE(bench.At("RegConvertCheckBox").Enabled);

    bench.Select(1);  // back to the float one
    EXPECT_EQ(bench.Fields<RegFields>().Float, 1);
    EXPECT_FALSE(bench.At("RegConvertCheckBox").Enabled);
    bench.panel.Reg().RegConvertCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<RegFields>().Convert, 0);

    bench.Select(1);  // and the converting one
    EXPECT_EQ(bench.Fields<RegFields>().Convert, 1);
    bench.panel.Reg().RegFloatCheckBoxClick(true);
    EXPECT_EQ(bench.Fields<RegFields>().Float, 0);
    EXPECT_TRUE(bench.At("RegValUpLimitSpinEdit").Enabled);
    EXPECT_TRUE(bench.At("RegUpLimitSpinEdit").Enabled);
}

TEST(RegPanel, ClearingNeedSetClearsEncryptAndLimit) {
    PanelBench bench;
    bench.Place(ElementKind::Reg);
    bench.panel.Reg().RegEncryptCheckBoxClick(true);  // not offered without "设定"
    EXPECT_EQ(bench.Fields<RegFields>().Encrypt, 0);
    bench.panel.Reg().RegNeedSetCheckBoxClick(true);
    EXPECT_TRUE(bench.At("RegEncryptCheckBox").Enabled);
    EXPECT_FALSE(bench.At("RegUpLimitSpinEdit").Enabled);
    bench.panel.Reg().RegEncryptCheckBoxClick(true);
    bench.panel.Reg().RegLimitCheckBoxClick(true);
    EXPECT_TRUE(bench.At("RegUpLimitSpinEdit").Enabled);
    EXPECT_FALSE(bench.At("RegValUpLimitSpinEdit").Enabled);
    bench.panel.Reg().RegUpLimitSpinEditChange(900);

    bench.panel.Reg().RegNeedSetCheckBoxClick(false);
    const RegFields& reg = bench.Fields<RegFields>();
    EXPECT_EQ(reg.NeedSet, 0);
    EXPECT_EQ(reg.Encrypt, 0);
    EXPECT_EQ(reg.Limit, 0);
    EXPECT_EQ(reg.UpLimit, 900);  // the limit values stay
    EXPECT_FALSE(bench.At("RegEncryptCheckBox").Checked());
    EXPECT_FALSE(bench.At("RegEncryptCheckBox").Enabled);
    EXPECT_FALSE(bench.At("RegLimitCheckBox").Enabled);
    EXPECT_FALSE(bench.At("RegUpLimitSpinEdit").Enabled);
}

TEST(RegPanel, SiemensRegisterNumbersAreByteAddresses) {
    PanelBench bench(0, 2);
    bench.Place(ElementKind::Reg);
    bench.panel.Reg().RegNoSpinEditChange(100);
    EXPECT_EQ(bench.Fields<RegFields>().Address.Number, 800);
    EXPECT_EQ(bench.At("RegNoSpinEdit").Value, 100);
    EXPECT_EQ(bench.At("RegTypeComboBox").Items, (std::vector<std::string>{"VB", "VW", "VD"}));
    EXPECT_EQ(bench.At("RegTypeComboBox").Value, 1);
    EXPECT_FALSE(bench.At("RegNumSpinEdit").Enabled);  // Siemens counts no registers
    bench.panel.Reg().RegNumSpinEditChange(2);
    EXPECT_EQ(bench.Fields<RegFields>().Num, 1);
}

TEST(RegPanel, BoundedRegisterNumbersRefuseWhatLiesOutside) {
    PanelBench bench(0, 11);  // Free: registers 0..159
    bench.Place(ElementKind::Reg);
    EXPECT_EQ(bench.At("RegNoSpinEdit").Min, 0);
    EXPECT_EQ(bench.At("RegNoSpinEdit").Max, 159);
    bench.panel.Reg().RegNoSpinEditChange(160);
    EXPECT_EQ(bench.Fields<RegFields>().Address.Number, 0);
    bench.panel.Reg().RegNoSpinEditChange(159);
    EXPECT_EQ(bench.Fields<RegFields>().Address.Number, 159);
    EXPECT_FALSE(bench.At("RegStationSpinEdit").Visible);
}

TEST(LampPanel, CoilWordAndBitComposeTheStoredNumber) {
    struct Case {
        int PlcType;
        int32_t CoilType;
        int32_t Word;
        int32_t Bit;  // -1: no bit list
        int32_t Stored;
    };
    const Case cases[] = {
        {4, 1, 10, 3, 83},   // Schneider "MX": word x 8 + bit
        {4, 0, 83, -1, 83},  // Schneider "M": the number as entered
        {11, 0, 3, 12, 60},  // Free: word x 16 + bit
        {2, 0, 10, 3, 83},   // Siemens "M"
        {29, 0, 2559, -1, 2559},
    };
    for (const Case& c : cases) {
        PanelBench bench(0, c.PlcType);
        bench.Place(ElementKind::Lamp);
        LampPanel& lamp = bench.panel.Lamp();
        lamp.LampCoilTypeComboBoxChange(c.CoilType);
        lamp.LampCoilNoSpinEditChange(c.Word);
        if (c.Bit >= 0) lamp.LampCoilNoComboBoxChange(c.Bit);
        EXPECT_EQ(bench.Fields<LampFields>().Coil.Number, c.Stored) << c.PlcType;
        EXPECT_EQ(bench.At("LampCoilNoComboBox").Visible, c.Bit >= 0) << c.PlcType;
        EXPECT_EQ(bench.At("LampCoilDotLabel").Visible, c.Bit >= 0);
        EXPECT_EQ(bench.At("LampCoilNoSpinEdit").Value, c.Word);
        if (c.Bit >= 0) EXPECT_EQ(bench.At("LampCoilNoComboBox").Value, c.Bit);
    }
}

TEST(LampPanel, ABitEntryOfTheSameBitStoresNothing) {
    PanelBench bench(0, 4);
    bench.Place(ElementKind::Lamp);
    bench.panel.Lamp().LampCoilTypeComboBoxChange(1);
    bench.document.SetModified(false);
    bench.panel.Lamp().LampCoilNoComboBoxChange(0);
    bench.panel.Lamp().LampCoilNoSpinEditChange(0);
    EXPECT_FALSE(bench.document.Modified());
    bench.panel.Lamp().LampNegLogicRadioButtonClick();
    EXPECT_EQ(bench.Fields<LampFields>().PosLogic, 0);
    EXPECT_TRUE(bench.At("LampNegLogicRadioButton").Checked());
}

TEST(TrendPanel, WidthBelowTheMinimumIsRefusedAndLimitsTheSamplePoints) {
    PanelBench bench;
    bench.Place(ElementKind::Trend);
    TrendPanel& trend = bench.panel.Trend();
    trend.TrendSamplePointsSpinEditChange(40);
    EXPECT_EQ(bench.Fields<TrendFields>().SamplePoints, 40);
    const int32_t before = bench.Fields<TrendFields>().Width;

    trend.WidthSpinEditExit(15);
    EXPECT_EQ(bench.Fields<TrendFields>().Width, before);
    EXPECT_EQ(bench.At("TrendWidthSpinEdit").Value, 96);

    trend.WidthSpinEditExit(30);
    EXPECT_EQ(bench.Fields<TrendFields>().Width, ToEditorUnits(30, 36));
    EXPECT_EQ(bench.At("TrendSamplePointsSpinEdit").Max, 28);
    EXPECT_EQ(bench.Fields<TrendFields>().SamplePoints, 28);
    trend.TrendSamplePointsSpinEditChange(29);
    EXPECT_EQ(bench.Fields<TrendFields>().SamplePoints, 28);

    trend.WidthSpinEditExit(193);  // beyond the 192-dot screen at X 0
    EXPECT_EQ(bench.At("TrendWidthSpinEdit").Value, 30);
    trend.HeightSpinEditExit(65);
    EXPECT_EQ(bench.At("TrendHeightSpinEdit").Value, 48);
    trend.HeightSpinEditExit(64);
    EXPECT_EQ(bench.At("TrendHeightSpinEdit").Value, 64);
}

TEST(TrendPanel, FullValueStaysAboveTheZeroValue) {
    struct Case {
        bool Full;
        int32_t Entered;
        int32_t WantFull, WantZero;
    };
    // The new trend has zero 0 and full 32767 (Halden_M).
    const Case cases[] = {
        {true, 0, 32767, 0},      {true, -1, 32767, 0},     {true, 1, 1, 0},
        {false, 32767, 32767, 0}, {false, 40000, 32767, 0}, {false, 32766, 32767, 32766},
    };
    for (const Case& c : cases) {
        PanelBench bench;
        bench.Place(ElementKind::Trend);
        if (c.Full)
            bench.panel.Trend().FullValueSpinEditExit(c.Entered);
        else
            bench.panel.Trend().ZeroValueSpinEditExit(c.Entered);
        EXPECT_EQ(bench.Fields<TrendFields>().FullValue, c.WantFull) << c.Entered;
        EXPECT_EQ(bench.Fields<TrendFields>().ZeroValue, c.WantZero) << c.Entered;
        EXPECT_EQ(bench.At("TrendFullValueSpinEdit").Value, c.WantFull);
        EXPECT_EQ(bench.At("TrendZeroValueSpinEdit").Value, c.WantZero);
    }
}

TEST(TrendPanel, FloatShowsDecimalsInsteadOfBaseAndSign) {
    PanelBench bench;
    bench.Place(ElementKind::Trend);
    EXPECT_TRUE(bench.At("TrendRegDecRadioButton").Visible);
    EXPECT_FALSE(bench.At("TrendDecimalDigitsSpinEdit").Visible);
    bench.panel.Trend().FloatCheckBoxClick(true);
    for (const char* name : {"TrendRegDecRadioButton", "TrendRegHexRadioButton", "TrendRegSignedCheckBox"})
        EXPECT_FALSE(bench.At(name).Visible) << name;
    EXPECT_TRUE(bench.At("TrendDecimalDigitsSpinEdit").Visible);
    EXPECT_TRUE(bench.At("TrendDecimalDigitsLabel").Visible);
    bench.panel.Trend().DecimalDigitsSpinEditChange(3);
    EXPECT_EQ(bench.Fields<TrendFields>().DecimalDigits, 3);
}

TEST(BarPanel, TurningABarSwapsItsSizeAndKeepsItInside) {
    PanelBench bench;  // 432 x 144 editor units
    Element element = NewElement(bench.document.Contents(), 6);
    BarFields& fields = element.As<BarFields>();
    fields.Width = ToEditorUnits(40, 36);
    fields.Height = ToEditorUnits(10, 36);
    element.X = 300;
    element.Y = 100;
    bench.Put(element);

    bench.panel.Bar().BarDirectComboBoxChange(BarFields::kDown);  // still vertical: nothing turns
    EXPECT_EQ(bench.Fields<BarFields>().Width, 90);
    bench.panel.Bar().BarDirectComboBoxChange(BarFields::kRight);
    const BarFields& bar = bench.Fields<BarFields>();
    EXPECT_EQ(bar.Direct, BarFields::kRight);
    EXPECT_EQ(bar.Width, ToEditorUnits(10, 36));
    EXPECT_EQ(bar.Height, ToEditorUnits(40, 36));
    EXPECT_EQ(bench.Selected().X, 300);
    EXPECT_EQ(bench.Selected().Y, 144 - bar.Height);
    EXPECT_EQ(bench.At("BarWidthSpinEdit").Value, 10);
    EXPECT_EQ(bench.At("BarHeightSpinEdit").Value, 40);
    EXPECT_EQ(bench.At("BarDirectComboBox").Value, BarFields::kRight);
    EXPECT_EQ(bench.At("BarCoordYSpinEdit").Value, ToPanelDots(bench.Selected().Y, 36));
}

TEST(BarPanel, BarsAreAtLeastEightDots) {
    PanelBench bench;
    bench.Place(ElementKind::Bar);
    bench.panel.Bar().WidthSpinEditExit(7);
    EXPECT_EQ(bench.At("BarWidthSpinEdit").Value, 16);
    bench.panel.Bar().WidthSpinEditExit(8);
    EXPECT_EQ(bench.At("BarWidthSpinEdit").Value, 8);
    EXPECT_EQ(bench.At("BarWidthSpinEdit").Min, 8);
}

TEST(PicPanel, TheSizeIsShownOnly) {
    PanelBench bench;
    Element element = NewElement(bench.document.Contents(), 7);
    element.As<PicFields>().Width = 72;
    element.As<PicFields>().Height = 36;
    bench.Put(element);
    EXPECT_EQ(bench.State().Group, "PicAttrGroupBox");
    EXPECT_EQ(bench.At("PicWidthSpinEdit").Value, 32);
    EXPECT_EQ(bench.At("PicHeightSpinEdit").Value, 16);
    EXPECT_FALSE(bench.At("PicWidthSpinEdit").Enabled);
    EXPECT_FALSE(bench.State().Has("PicDoubleCheckBox"));
}

TEST(CoordinatesGroup, PositionsBeyondThePreviewAreRefused) {
    PanelBench bench;  // 432 wide, extent of a text: 10 per byte
    bench.Place(ElementKind::Text);
    const int32_t width = 10 * static_cast<int32_t>(bench.Fields<TextFields>().Content.size());
    bench.panel.Text().CoordXSpinEditExit(-1);
    EXPECT_EQ(bench.Selected().X, 0);
    const int32_t lastDots = ToPanelDots(432 - width, 36);
    bench.panel.Text().CoordXSpinEditExit(lastDots + 1);
    EXPECT_EQ(bench.Selected().X, 0);
    EXPECT_EQ(bench.At("TextCoordXSpinEdit").Value, 0);
    bench.panel.Text().CoordXSpinEditExit(lastDots);
    EXPECT_EQ(bench.Selected().X, ToEditorUnits(lastDots, 36));
    bench.panel.Text().CoordYSpinEditExit(20);
    EXPECT_EQ(bench.Selected().Y, ToEditorUnits(20, 36));
    EXPECT_EQ(bench.At("TextCoordYSpinEdit").Value, 20);
}

TEST(CoordinatesGroup, LargePanelsDisableTheXFieldsOfTenKinds) {
    PanelBench bench(2);
    const std::pair<ElementKind, bool> kinds[] = {
        {ElementKind::Text, false},    {ElementKind::Reg, false},      {ElementKind::Pic, false},
        {ElementKind::TouchKey, true}, {ElementKind::ASCIIText, true}, {ElementKind::VarFontText, false},
    };
    for (const auto& [kind, enabled] : kinds) {
        bench.Place(kind);
        const std::string prefix(PanelRowOf(static_cast<int32_t>(kind)).Prefix);
        EXPECT_EQ(bench.At(prefix + "CoordXSpinEdit").Enabled, enabled) << prefix;
        EXPECT_TRUE(bench.At(prefix + "CoordYSpinEdit").Enabled) << prefix;
    }
}

TEST(TextPanel, EnglishRefusesNonAsciiAndPutsThePreviousTextBack) {
    PanelBench bench;
    bench.Place(ElementKind::Text);
    TextPanel& text = bench.panel.Text();
    text.TextContentEditEnter(bench.Fields<TextFields>().Content);
    text.TextContentEditChange("Pump");
    text.TextContentEditReturn("Pump");
    text.TextContentEditChange("Pump 1");
    text.TextContentEditChange("Pump \xB1");  // a byte of 0x80 and above
    EXPECT_EQ(bench.Fields<TextFields>().Content, "Pump");
    EXPECT_EQ(bench.At("TextContentEdit").Text, "Pump");
    text.TextContentEditChange("Pump 2");
    text.TextContentEditEscape();
    EXPECT_EQ(bench.Fields<TextFields>().Content, "Pump");
    EXPECT_EQ(bench.At("TextContentEdit").MaxLength, 24);
}

TEST(TextPanel, OtherVersionsTakeAnyTextCutTo40Bytes) {
    PanelBench bench(2, 21, Language(IniFile::FromBytes("[Font]\nVersion=sCh\n")));
    bench.Place(ElementKind::Text);
    const std::string chinese = "\xCE\xC4\xD7\xD6";  // GBK
    bench.panel.Text().TextContentEditChange(chinese);
    EXPECT_EQ(bench.Fields<TextFields>().Content, chinese);
    std::string long41(39, 'a');
    long41 += chinese;  // a double-byte character across the 40th byte is left out whole
    bench.panel.Text().TextContentEditChange(long41);
    EXPECT_EQ(bench.Fields<TextFields>().Content, std::string(39, 'a'));
    EXPECT_EQ(bench.At("TextContentEdit").MaxLength, 40);
}

TEST(FontTextPanel, ATooWideTextLosesBytesFromItsEndUntilItFits) {
    PanelBench bench;
    bench.Place(ElementKind::FontText);
    const std::string wide(120, 'W');
    bench.panel.FontText().FontTextContentEditChange(wide);
    const FontTextFields& text = bench.Fields<FontTextFields>();
    ASSERT_FALSE(text.Content.empty());
    EXPECT_LT(text.Content.size(), wide.size());
    EXPECT_EQ(text.Content, wide.substr(0, text.Content.size()));
    const CodePage codePage = bench.document.Defaults().TextCodePage;
    EXPECT_LE(MeasureFontTextUnits(text.Font, text.Content, codePage, 36).Width, 432);
    EXPECT_GT(MeasureFontTextUnits(text.Font, text.Content + "W", codePage, 36).Width, 432);
    EXPECT_EQ(bench.At("FontTextContentEdit").Text, text.Content);
}

TEST(FontTextPanel, TheChosenFontTakesTheWindowTextColour) {
    PanelBench bench;
    bench.Place(ElementKind::FontText);
    FontDesc chosen = bench.Fields<FontTextFields>().Font;
    chosen.SetSize(20);
    chosen.Color = 0x000000FF;
    bench.fonts.Answers.push_back(chosen);
    bench.panel.FontText().FontTextFontButtonClick();
    ASSERT_EQ(bench.fonts.Presets.size(), 1u);
    EXPECT_EQ(bench.Fields<FontTextFields>().Font.Size, 20);
    EXPECT_EQ(bench.Fields<FontTextFields>().Font.Color, kWindowText);
    bench.document.SetModified(false);
    bench.panel.FontText().FontTextFontButtonClick();  // cancelled
    EXPECT_FALSE(bench.document.Modified());
}

TEST(VarTextPanel, EditedCellsRenumberTheUsedRows) {
    PanelBench bench;
    bench.Place(ElementKind::VarText);
    VarTextPanel& var = bench.panel.VarText();
    var.VarTextContentStringGridSetEditText(3, "third");
    const VarTextFields& text = bench.Fields<VarTextFields>();
    EXPECT_EQ(text.Count, 3);
    EXPECT_EQ(text.Texts[1], "");
    EXPECT_EQ(text.MaxLen, std::max<int32_t>(static_cast<int32_t>(text.Texts[0].size()), 5));
    const auto& rows = bench.At("VarTextContentStringGrid").Rows;
    ASSERT_EQ(rows.size(), 255u);
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"1", ""}));
    EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"2", "third"}));
    EXPECT_EQ(rows[3], (std::pair<std::string, std::string>{"", ""}));

    var.VarTextContentStringGridSetEditText(3, "");
    EXPECT_EQ(bench.Fields<VarTextFields>().Count, 1);
    EXPECT_EQ(bench.At("VarTextContentStringGrid").Rows[1].first, "");

    var.VarTextContentStringGridSetEditText(2, std::string(30, 'x'));  // cut to 24 columns
    EXPECT_EQ(bench.Fields<VarTextFields>().Texts[1], std::string(24, 'x'));
    EXPECT_EQ(bench.Fields<VarTextFields>().MaxLen, 24);

    var.VarTextContentStringGridKeyPress("ok");
    var.VarTextContentStringGridSetEditText(2, "o\xE9");
    EXPECT_EQ(bench.Fields<VarTextFields>().Texts[1], "ok");
}

TEST(VarFontTextPanel, EntriesFitThePreviewAndTheWidestGivesTheSize) {
    PanelBench bench;
    bench.Place(ElementKind::VarFontText, 300, 0);
    VarFontTextPanel& var = bench.panel.VarFontText();
    var.VarFontTextContentStringGridSetEditText(2, std::string(120, 'M'));
    const VarFontTextFields& text = bench.Fields<VarFontTextFields>();
    const CodePage codePage = bench.document.Defaults().TextCodePage;
    EXPECT_EQ(text.Count, 2);
    EXPECT_LT(text.Texts[1].size(), 120u);
    const Size widest = MeasureFontTextUnits(text.Font, text.Texts[1], codePage, 36);
    EXPECT_LE(widest.Width, 432);
    EXPECT_EQ(text.MaxWidth, widest.Width);
    EXPECT_EQ(text.MaxHeight, widest.Height);
    EXPECT_EQ(bench.Selected().X, 432 - widest.Width);
}

TEST(ASCIITextPanel, RegisterCountFollowsTheBudgetAndTheRegisterWidth) {
    struct Case {
        int Model, PlcType;
        int32_t TypeIndex;
        int32_t CountMax;
        bool CountEnabled;
    };
    const Case cases[] = {
        {0, 21, 0, 8, true},   // 16 bytes, 2-byte registers
        {2, 21, 0, 16, true},  // 32 bytes
        {2, 2, 0, 32, true},   // Siemens "VW" alone counts one byte, its count is always enabled
        {0, 19, 0, 4, false},  // Saia: 4-byte registers, no count
    };
    for (const Case& c : cases) {
        PanelBench bench(c.Model, c.PlcType);
        bench.Place(ElementKind::ASCIIText);
        bench.panel.ASCIIText().ASCIITextRegTypeComboBoxChange(c.TypeIndex);
        EXPECT_EQ(bench.At("ASCIITextRegNumSpinEdit").Max, c.CountMax) << c.PlcType;
        EXPECT_EQ(bench.At("ASCIITextRegNumSpinEdit").Enabled, c.CountEnabled) << c.PlcType;
        EXPECT_EQ(bench.At("ASCIITextCharNumSpinEdit").Max, c.Model == 2 ? 32 : 16);
    }
    PanelBench siemens(0, 2);
    siemens.Place(ElementKind::ASCIIText);
    EXPECT_EQ(siemens.At("ASCIITextRegTypeComboBox").Items, std::vector<std::string>{"VW"});
}

TEST(ASCIITextPanel, ALargerRegisterTypeLowersTheCount) {
    PanelBench bench(0, 0);  // Mitsubishi: "C32" holds 4 bytes
    bench.Place(ElementKind::ASCIIText);
    bench.panel.ASCIIText().ASCIITextRegNumSpinEditChange(8);
    EXPECT_EQ(bench.Fields<ASCIITextFields>().Num, 8);
    bench.panel.ASCIIText().ASCIITextRegTypeComboBoxChange(3);
    EXPECT_EQ(bench.Fields<ASCIITextFields>().Num, 4);
    bench.panel.ASCIIText().ASCIITextCharNumSpinEditChange(17);
    EXPECT_EQ(bench.Fields<ASCIITextFields>().CharNum, 1);
}

}  // namespace
}  // namespace qxed
