#include "glyphgen/glyph_fit.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qxed {
namespace {

// A narrow glyph with one dot in its leftmost and one in its rightmost column.
HexGlyph NarrowEdges() {
    HexGlyph glyph{8, {}};
    glyph.Rows[3] = 0x8100;
    return glyph;
}

TEST(GlyphFit, CentresANarrowGlyphInAFullWidthCell) {
    const Glyph fitted = FitFullWidth(NarrowEdges(), U'Α');
    EXPECT_EQ(fitted[3], 0x0810);
    for (int row = 0; row < GlyphSize; ++row) {
        if (row != 3) {
            EXPECT_EQ(fitted[row], 0) << row;
        }
    }
}

TEST(GlyphFit, RunsLineDrawingOnToTheCellEdgesSoThatItJoinsTheNextCell) {
    HexGlyph horizontal{8, {}};
    horizontal.Rows[7] = 0xFF00;
    horizontal.Rows[8] = 0x1000;  // a vertical stroke keeps its width and place
    horizontal.Rows[9] = 0xF000;  // a left half line stays on the left
    const Glyph line = FitFullWidth(horizontal, U'┼');
    EXPECT_EQ(line[7], 0xFFFF);
    EXPECT_EQ(line[8], 0x0100);
    EXPECT_EQ(line[9], 0xFF00);
    EXPECT_EQ(FitFullWidth(horizontal, U'—')[7], 0xFFFF);
    EXPECT_EQ(FitFullWidth(NarrowEdges(), U'─')[3], 0xF81F);
    // Just outside those ranges the glyph is only centred.
    EXPECT_EQ(FitFullWidth(horizontal, U'⒈')[7], 0x0FF0);
}

TEST(GlyphFit, NarrowCellsTakeNarrowGlyphsAsTheyAreAndSqueezeWideOnes) {
    EXPECT_EQ(FitNarrow(NarrowEdges())[3], 0x81);

    HexGlyph wide{16, {}};
    wide.Rows[0] = 0x8001;  // edge dots stay at the edges
    wide.Rows[1] = 0x4002;  // a dot in either column of a pair shows
    wide.Rows[2] = 0xAAAA;  // a dot in every pair fills the row
    const NarrowGlyph squeezed = FitNarrow(wide);
    EXPECT_EQ(squeezed[0], 0x81);
    EXPECT_EQ(squeezed[1], 0x81);
    EXPECT_EQ(squeezed[2], 0xFF);
    EXPECT_EQ(squeezed[3], 0x00);
}

TEST(GlyphFit, ControlCharactersAreBlankAndASoftHyphenShowsAsAHyphen) {
    HexFont font;
    std::string error;
    std::istringstream in(
        "0001:AAAA00018000000180004A51EA505A51C99E0001800000018000000180005555\n"
        "002D:0000000000000000007E000000000000\n"
        "0041:0000000018242442427E424242420000\n"
        "0085:AAAA00018000000180004A51EA505A51C99E0001800000018000000180005555\n"
        "00AD:AAAA000180003A63C25433C98A48724980000001800003C18000000180005555\n");
    ASSERT_TRUE(font.Read(in, error)) << error;

    EXPECT_TRUE(IsBlank(NarrowGlyphOf(font, 0x01)));
    EXPECT_TRUE(IsBlank(NarrowGlyphOf(font, 0x85)));
    EXPECT_TRUE(IsBlank(FullWidthGlyphOf(font, 0x01)));
    EXPECT_EQ(NarrowGlyphOf(font, 0xAD), NarrowGlyphOf(font, U'-'));
    EXPECT_EQ(NarrowGlyphOf(font, U'A')[9], 0x7E);
    EXPECT_TRUE(IsBlank(NarrowGlyphOf(font, U'B'))) << "a character the font lacks";
    EXPECT_TRUE(IsBlank(FullWidthGlyphOf(font, U'啊')));
}

TEST(Glyph, RecordsHoldEachRowLeftByteFirst) {
    Glyph glyph{};
    SetDot(glyph, 0, 0);
    SetDot(glyph, 15, 0);
    SetDot(glyph, 8, 15);
    SetDot(glyph, 16, 0);  // outside: ignored
    SetDot(glyph, 0, -1);
    const auto record = ToRecord(glyph);
    EXPECT_EQ(record[0], 0x80);
    EXPECT_EQ(record[1], 0x01);
    EXPECT_EQ(record[30], 0x00);
    EXPECT_EQ(record[31], 0x80);
    EXPECT_EQ(FromRecord(record), glyph);
    EXPECT_TRUE(DotAt(glyph, 8, 15));
    EXPECT_FALSE(DotAt(glyph, 16, 0));
}

}  // namespace
}  // namespace qxed
