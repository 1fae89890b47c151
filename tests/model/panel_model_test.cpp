#include "model/panel_model.h"

#include <gtest/gtest.h>

#include <set>

#include "model/editor_units.h"
#include "model/key_codes.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int QX220 = 1, QX420 = 2, QX204 = 5, QX421 = 7, QX205 = 9;

TEST(PanelModelTable, PreviewSizesFollowTheScreenAndScale) {
    auto size = [](int index) { return PreviewSizeOf(*FindPanelModel(index)); };
    EXPECT_EQ(size(QX220).Width, 432);
    EXPECT_EQ(size(QX220).Height, 144);
    EXPECT_EQ(size(QX204).Width, 288);
    EXPECT_EQ(size(QX204).Height, 144);
    EXPECT_EQ(size(QX421).Width, 300);
    EXPECT_EQ(size(QX421).Height, 160);
    EXPECT_EQ(size(QX420).Width, 400);
    EXPECT_EQ(size(QX420).Height, 300);
}

TEST(PanelModelTable, RowsAreConsistentWithTheirScreens) {
    for (int i = 0; i < PanelModelCount; ++i) {
        const PanelModel& m = *FindPanelModel(i);
        SCOPED_TRACE(std::string(m.Code));
        EXPECT_EQ(m.Index, i);
        // One text column per 8 dots; the grid steps 4 dots on the small panels, 8 on the large.
        EXPECT_EQ(m.CharsPerLine, m.ScreenWidth / 8);
        EXPECT_EQ(m.GridStep, ToEditorUnits(m.PreviewScale == 36 ? 4 : 8, m.PreviewScale));
        EXPECT_EQ(m.AlarmCapacity, IsLargePanel(i) ? 256 : 128);
        EXPECT_EQ(PanelModelOfCode(m.Code), i);
    }
    EXPECT_EQ(FindPanelModel(-1), nullptr);
    EXPECT_EQ(FindPanelModel(PanelModelCount), nullptr);
    EXPECT_EQ(PanelModelOfCode("qx220"), std::nullopt);
}

TEST(PanelModelTable, NamesComeFromTheLanguageFile) {
    Language builtIn;
    EXPECT_EQ(ModelName(builtIn, QX220), "QX-C");
    EXPECT_EQ(ModelName(builtIn, QX205), "QX-H");
    EXPECT_EQ(ModelName(builtIn, 99), "");

    Language custom(IniFile::FromBytes("[Model]\nModelQx220Str=Panel C\nModelQx204Str=\n"));
    EXPECT_EQ(ModelName(custom, QX220), "Panel C");
    EXPECT_EQ(ModelName(custom, QX204), "");
    EXPECT_EQ(ModelName(custom, QX421), "QX-M");
}

TEST(EditorUnits, DotsSurviveTheRoundTripOnEveryScale) {
    for (int z : {20, 36}) {
        for (int dots = 0; dots <= 400; ++dots) {
            ASSERT_EQ(ToPanelDots(ToEditorUnits(dots, z), z), dots) << "z " << z;
        }
    }
    EXPECT_EQ(ToEditorUnits(96, 36), 216);
    EXPECT_EQ(ToPanelDots(215, 36), 96);
    // Hostile stored values never overflow.
    EXPECT_EQ(ToPanelDots(INT32_MAX, 20), 1717986918);
    EXPECT_EQ(ToEditorUnits(INT32_MIN, 36), INT32_MIN);
}

TEST(Keypads, PositionsAndCodesAreInverse) {
    for (int i = 0; i < PanelModelCount; ++i) {
        std::span<const int> codes = KeypadKeyCodes(FindPanelModel(i)->KeypadLayout);
        std::set<int> seen;
        for (std::size_t p = 0; p < codes.size(); ++p) {
            EXPECT_TRUE(seen.insert(codes[p]).second) << "key code listed twice on model " << i;
            EXPECT_EQ(KeyCodeAt(i, static_cast<int>(p), -1), codes[p]);
            EXPECT_EQ(ListPositionOf(i, codes[p]), static_cast<int>(p));
        }
    }
}

TEST(Keypads, CodesOffTheKeypadSelectNothing) {
    // F1 is not on the QX220 keypad: the position is the list length.
    EXPECT_EQ(ListPositionOf(QX220, 22), 20);
    EXPECT_EQ(ListPositionOf(QX420, 22), 0);
    // QX205 has touch keys only: its list is empty and codes stay as they are.
    EXPECT_EQ(KeyCodeAt(QX205, 0, 17), 17);
    EXPECT_EQ(ListPositionOf(QX205, 17), 0);
    EXPECT_EQ(KeyCodeAt(QX220, 20, 5), 5);
    EXPECT_EQ(KeyCodeAt(QX220, -1, 5), 5);
    EXPECT_EQ(KeypadSection(FindPanelModel(QX420)->KeypadLayout), "Qx420Key");
}

TEST(KeyCodes, EachKeyShowsItsOwnSymbol) {
    Language builtIn;
    std::set<std::string> symbols;
    for (int code = 0; code < KeyCodeCount; ++code) {
        ASSERT_TRUE(KeySymbolOf(code).has_value());
        EXPECT_TRUE(symbols.insert(builtIn.Symbol(*KeySymbolOf(code))).second) << code;
    }
    EXPECT_EQ(KeySymbolOf(KeyCodeCount), std::nullopt);
    EXPECT_EQ(KeySymbolOf(-1), std::nullopt);
    // The digit keys use consecutive code positions, Home and Ent their own.
    for (int d = 0; d < 10; ++d) {
        std::string expected{'\xA4', static_cast<char>(0xF5 + d)};
        EXPECT_EQ(builtIn.Symbol(*KeySymbolOf(10 + d)), expected);
    }
    EXPECT_EQ(builtIn.Symbol(*KeySymbolOf(0)), "\xA2\xE4");
    EXPECT_EQ(builtIn.Symbol(*KeySymbolOf(6)), "\xA2\xB0");
    EXPECT_EQ(builtIn.Symbol(*KeySymbolOf(41)), "\xA6\xE6");
}

}  // namespace
}  // namespace qxed
