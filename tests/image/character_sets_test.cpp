#include "image/character_sets.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/element.h"
#include "model/element_symbols.h"
#include "model/project.h"
#include "text/language.h"

namespace qxed {
namespace {

std::vector<uint16_t> DoubleBytesOf(const CharacterSets& sets) {
    return {sets.DoubleBytes().begin(), sets.DoubleBytes().end()};
}

std::vector<uint8_t> SingleBytesOf(const CharacterSets& sets) {
    return {sets.SingleBytes().begin(), sets.SingleBytes().end()};
}

TEST(CharacterSetsTest, KeepsCodeOrderAndEachCodeOnce) {
    CharacterSets sets;
    sets.AddText(
        "\xB0\xA1z\xA1\xA1\xB0\xA1"
        "a\xD6\xD0zz",
        TextLanguage::sCh);

    EXPECT_EQ(DoubleBytesOf(sets), (std::vector<uint16_t>{0xA1A1, 0xB0A1, 0xD6D0}));
    EXPECT_EQ(SingleBytesOf(sets), (std::vector<uint8_t>{'a', 'z'}));
    EXPECT_EQ(sets.IndexOfDoubleByte(0xA1A1), 0);
    EXPECT_EQ(sets.IndexOfDoubleByte(0xD6D0), 2);
    EXPECT_EQ(sets.IndexOfDoubleByte(0xB0A2), -1);
    EXPECT_EQ(sets.IndexOfSingleByte('z'), 1);
    EXPECT_EQ(sets.IndexOfSingleByte('b'), -1);
}

TEST(CharacterSetsTest, LanguageDecidesWhetherHighBytesPair) {
    for (TextLanguage language : {TextLanguage::En, TextLanguage::Ko, TextLanguage::sCh}) {
        CharacterSets sets;
        sets.AddText("\xC0\xC1", language);
        EXPECT_EQ(DoubleBytesOf(sets), std::vector<uint16_t>{0xC0C1});
        EXPECT_TRUE(sets.SingleBytes().empty());
    }
    CharacterSets russian;
    russian.AddText(
        "\xC1\xC0"
        "A",
        TextLanguage::Ru);
    EXPECT_TRUE(russian.DoubleBytes().empty());
    EXPECT_EQ(SingleBytesOf(russian), (std::vector<uint8_t>{'A', 0xC0, 0xC1}));
}

TEST(CharacterSetsTest, LoneTrailingBytesAreSingleByte) {
    CharacterSets sets;
    sets.AddText("a\xB0", TextLanguage::sCh);
    EXPECT_TRUE(sets.DoubleBytes().empty());
    EXPECT_EQ(SingleBytesOf(sets), (std::vector<uint8_t>{'a', 0xB0}));

    // A symbol text pairs every two bytes, low bytes too.
    CharacterSets symbols;
    symbols.AddSymbolText("\x41\x42\xA1\xF4\x7F");
    EXPECT_EQ(DoubleBytesOf(symbols), (std::vector<uint16_t>{0x4142, 0xA1F4}));
    EXPECT_EQ(SingleBytesOf(symbols), std::vector<uint8_t>{0x7F});
}

TEST(CharacterSetsTest, DoubleByteSetStopsAtItsCapacity) {
    CharacterSets sets;
    for (uint16_t i = 0; i < kDoubleByteCapacity; ++i)
        sets.AddDoubleByte(static_cast<uint16_t>(0xFFFF - i));
    EXPECT_FALSE(sets.DoubleByteOverflow());
    sets.AddDoubleByte(0xFFFF);  // already a member
    EXPECT_FALSE(sets.DoubleByteOverflow());

    sets.AddDoubleByte(0x8140);
    sets.AddDoubleByte(0x8141);
    sets.AddDoubleByte(0x8140);
    EXPECT_TRUE(sets.DoubleByteOverflow());
    EXPECT_EQ(sets.DoubleBytes().size(), kDoubleByteCapacity);
    EXPECT_EQ(sets.DoubleBytesOffered(), kDoubleByteCapacity + 2);
    EXPECT_EQ(sets.IndexOfDoubleByte(0x8140), -1);
    EXPECT_EQ(sets.DoubleBytes().front(), 0xFFFF - (kDoubleByteCapacity - 1));

    sets.Clear();
    EXPECT_FALSE(sets.DoubleByteOverflow());
    EXPECT_EQ(sets.DoubleBytesOffered(), 0u);
}

Element MakeElement(ElementKind kind, ElementFields fields) {
    Element element;
    element.Kind = static_cast<int32_t>(kind);
    element.Fields = std::move(fields);
    return element;
}

TEST(CharacterSetsCollectTest, GathersDisplayedTextsOnly) {
    Project project;
    project.ClearPages();
    Page& first = project.AddPage(1, "\xB1\xEA");  // page titles are not shown on the panel
    Page& second = project.AddPage(2, "");

    first.Elements.push_back(MakeElement(ElementKind::Text, TextFields{"A\xB0\xA1"}));
    LampFields lamp;
    lamp.LampType = 1;
    lamp.PosLogic = 0;
    first.Elements.push_back(MakeElement(ElementKind::Lamp, lamp));
    FuncKeyFields key;
    key.Action.Key = 3;
    key.Action.WithHand = 1;
    second.Elements.push_back(MakeElement(ElementKind::FuncKey, key));
    VarTextFields varText;
    varText.Count = 2;
    varText.Texts[0] = "B";
    varText.Texts[1] = "C";
    varText.Texts[2] = "D";  // beyond Count
    second.Elements.push_back(MakeElement(ElementKind::VarText, varText));
    FontTextFields fontText;
    fontText.Content = "E\xC4\xE3";  // travels as a bitmap
    second.Elements.push_back(MakeElement(ElementKind::FontText, fontText));

    project.Settings.AlarmCount = 1;
    project.AlarmTexts[0] = "F";
    project.AlarmTexts[1] = "G";  // beyond AlarmCount

    const Language language;
    CharacterSets sets;
    sets.AddText("stale", TextLanguage::sCh);
    const ProjectCounts counts = CollectCharacters(project, language, TextLanguage::sCh, sets);

    EXPECT_EQ(counts.Pages, 2u);
    EXPECT_EQ(counts.Elements, 5u);
    EXPECT_EQ(SingleBytesOf(sets), (std::vector<uint8_t>{'A', 'B', 'C', 'F'}));

    CharacterSets expected;
    expected.AddDoubleByte(0xB0A1);
    expected.AddSymbolText(LampSymbol(language, 1, true));
    expected.AddSymbolText(LampSymbol(language, 1, false));
    expected.AddSymbolText(KeySymbol(language, 3, true));
    ASSERT_EQ(expected.DoubleBytes().size(), 5u) << "lamp on, lamp off, hand and key are distinct symbols";
    EXPECT_EQ(DoubleBytesOf(sets), DoubleBytesOf(expected));
}

TEST(CharacterSetsCollectTest, EmptyProjectGivesEmptySets) {
    Project project;
    project.ClearPages();
    project.Settings.AlarmCount = 1000;  // beyond the table: reads what there is, no further
    CharacterSets sets;
    const ProjectCounts counts = CollectCharacters(project, Language(), TextLanguage::En, sets);
    EXPECT_EQ(counts.Pages, 0u);
    EXPECT_EQ(counts.Elements, 0u);
    EXPECT_TRUE(sets.DoubleBytes().empty());
    EXPECT_TRUE(sets.SingleBytes().empty());
}

}  // namespace
}  // namespace qxed
