#include "glyphgen/symbol_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "glyphgen/dot_font.h"
#include "glyphgen/picture.h"

namespace qxed {
namespace {

bool Inside(const DotBox& box, int x, int y) {
    return x >= box.X && x < box.X + box.Width && y >= box.Y && y < box.Y + box.Height;
}

struct Extent {
    int Left = GlyphSize, Right = -1, Top = GlyphSize, Bottom = -1;
};

// The extent of the dots inside a box.
Extent DotsIn(const Glyph& glyph, const DotBox& box) {
    Extent extent;
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x)
            if (Inside(box, x, y) && DotAt(glyph, x, y)) {
                extent.Left = std::min(extent.Left, x);
                extent.Right = std::max(extent.Right, x);
                extent.Top = std::min(extent.Top, y);
                extent.Bottom = std::max(extent.Bottom, y);
            }
    return extent;
}

bool IsKeySymbol(SymbolId id) {
    return id >= SymbolId::LeftKey;
}

TEST(Picture, FillRowsTurnsAnOutlineSolid) {
    Glyph outline{};
    outline[2] = 0x4002;
    outline[3] = 0x0100;
    outline[4] = 0x8001;
    const Glyph filled = FillRows(outline);
    EXPECT_EQ(filled[2], 0x7FFE);
    EXPECT_EQ(filled[3], 0x0100);
    EXPECT_EQ(filled[4], 0xFFFF);
    EXPECT_EQ(filled[5], 0);
}

TEST(DotFont, SetsCharactersOneColumnApart) {
    EXPECT_EQ(DotFontText("1").Width(), DotFontWidth);
    const Picture label = DotFontText("F10");
    EXPECT_EQ(label.Width(), 3 * DotFontWidth + 2);
    EXPECT_EQ(label.Height(), DotFontHeight);
    EXPECT_EQ(label.Rows[0].substr(3, 1), ".") << "the gap after the first character";
    // An unknown character keeps its place, blank.
    const Picture unknown = DotFontText("?");
    EXPECT_EQ(unknown.Width(), DotFontWidth);
    for (const std::string& row : unknown.Rows)
        EXPECT_EQ(row.find('#'), std::string::npos);
}

TEST(KeyCap, CentresTheLabelInsideTheFrameWithoutTouchingIt) {
    for (std::string_view text : {"1", "F1", "K10", "SET"}) {
        const Picture label = DotFontText(text);
        const Glyph cap = KeyCap(label);
        const Extent dots = DotsIn(cap, KeyCapInterior);
        EXPECT_EQ(dots.Right - dots.Left + 1, label.Width()) << text;
        const int leftMargin = dots.Left - KeyCapInterior.X;
        const int rightMargin = KeyCapInterior.X + KeyCapInterior.Width - 1 - dots.Right;
        const int topMargin = dots.Top - KeyCapInterior.Y;
        const int bottomMargin = KeyCapInterior.Y + KeyCapInterior.Height - 1 - dots.Bottom;
        EXPECT_GE(leftMargin, 1) << text;
        EXPECT_LE(std::abs(leftMargin - rightMargin), 1) << text;
        EXPECT_LE(std::abs(topMargin - bottomMargin), 1) << text;
    }
}

TEST(SymbolPictures, EveryKeyHasTheSameFrameAndAVisibleLabel) {
    const Glyph frame = KeyCapFrame();
    for (const SymbolInfo& symbol : Symbols()) {
        if (!IsKeySymbol(symbol.Id)) continue;
        const Glyph picture = SymbolPicture(symbol.Id);
        for (int y = 0; y < GlyphSize; ++y) {
            for (int x = 0; x < GlyphSize; ++x) {
                if (!Inside(KeyCapInterior, x, y)) {
                    ASSERT_EQ(DotAt(picture, x, y), DotAt(frame, x, y))
                        << symbol.Name << " at " << x << "," << y;
                }
            }
        }
        const Extent label = DotsIn(picture, KeyCapInterior);
        EXPECT_GE(label.Right - label.Left + 1, 3) << symbol.Name;
        EXPECT_GE(label.Bottom - label.Top + 1, 4) << symbol.Name;
        EXPECT_GE(label.Left, KeyCapInterior.X + 1) << symbol.Name << " touches the frame";
    }
}

TEST(SymbolPictures, AreDistinctAndStayInsideTheSymbolBox) {
    std::set<Glyph> seen;
    for (const SymbolInfo& symbol : Symbols()) {
        const Glyph picture = SymbolPicture(symbol.Id);
        EXPECT_FALSE(IsBlank(picture)) << symbol.Name;
        EXPECT_TRUE(seen.insert(picture).second) << symbol.Name << " looks like another symbol";
        for (int y = 0; y < GlyphSize; ++y) {
            for (int x = 0; x < GlyphSize; ++x) {
                if (DotAt(picture, x, y)) {
                    EXPECT_TRUE(Inside(SymbolBox, x, y)) << symbol.Name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(SymbolPictures, LitLampsAreTheUnlitOnesFilledIn) {
    const std::pair<SymbolId, SymbolId> lamps[] = {
        {SymbolId::CircleLampOn, SymbolId::CircleLampOff},
        {SymbolId::SquareLampOn, SymbolId::SquareLampOff},
    };
    for (const auto& [on, off] : lamps) {
        const Glyph lit = SymbolPicture(on);
        const Glyph unlit = SymbolPicture(off);
        EXPECT_EQ(FillRows(unlit), lit) << SymbolName(on);
        // The unlit lamp is an outline: its centre is empty.
        EXPECT_FALSE(DotAt(unlit, 7, 7)) << SymbolName(off);
        EXPECT_TRUE(DotAt(lit, 7, 7)) << SymbolName(on);
    }
}

}  // namespace
}  // namespace qxed
