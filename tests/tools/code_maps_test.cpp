#include "glyphgen/code_maps.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

TEST(RecordIndex, CoversTheRowCellGridAndNothingElse) {
    EXPECT_EQ(RecordIndex(0xA1, 0xA1), 0);
    EXPECT_EQ(RecordIndex(0xA1, 0xFE), 93);
    EXPECT_EQ(RecordIndex(0xA2, 0xA1), 94);
    EXPECT_EQ(RecordIndex(0xB0, 0xA1), 1410);
    EXPECT_EQ(RecordIndex(0xFE, 0xFE), GridRecords - 1);
    EXPECT_FALSE(RecordIndex(0xA0, 0xA1));
    EXPECT_FALSE(RecordIndex(0xA1, 0xA0));
    EXPECT_FALSE(RecordIndex(0xFF, 0xA1));
    EXPECT_FALSE(RecordIndex(0xA1, 0xFF));
    EXPECT_FALSE(RecordIndex(0x41, 0x42));
}

TEST(CharsetDecoder, DecodesOneAssignedCharacter) {
    CharsetDecoder gb(GlyphCharset::Gb2312);
    CharsetDecoder ks(GlyphCharset::KsX1001);
    CharsetDecoder cyrillic(GlyphCharset::Cp1251);
    ASSERT_TRUE(gb.IsOpen() && ks.IsOpen() && cyrillic.IsOpen());

    EXPECT_EQ(gb.Decode("\xB0\xA1"), U'啊');
    EXPECT_EQ(gb.Decode("\xA1\xF1"), U'●');
    EXPECT_EQ(ks.Decode("\xB0\xA1"), U'가');
    EXPECT_EQ(cyrillic.Decode("\xC0"), U'А');
    EXPECT_EQ(cyrillic.Decode("\xFF"), U'я');
    EXPECT_EQ(cyrillic.Decode("A"), U'A');
}

TEST(CharsetDecoder, GivesNothingForUnassignedPartialOrSeveralCharacters) {
    CharsetDecoder gb(GlyphCharset::Gb2312);
    EXPECT_FALSE(gb.Decode("\xAA\xA1")) << "row 10 is empty";
    EXPECT_FALSE(gb.Decode("\xD7\xFA")) << "past the last character of row 55";
    EXPECT_FALSE(gb.Decode("\xB0")) << "a lone first byte";
    EXPECT_FALSE(gb.Decode("\xB0\xA1\xB0\xA1"));
    EXPECT_FALSE(gb.Decode(""));
    // A failed character leaves no state behind for the next one.
    EXPECT_EQ(gb.Decode("\xB0\xA1"), U'啊');

    CharsetDecoder cyrillic(GlyphCharset::Cp1251);
    EXPECT_FALSE(cyrillic.Decode("\x98"));
}

}  // namespace
}  // namespace qxed
