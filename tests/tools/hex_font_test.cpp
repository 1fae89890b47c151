#include "glyphgen/hex_font.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qxed {
namespace {

bool Read(HexFont& font, const std::string& text, std::string& error) {
    std::istringstream in(text);
    return font.Read(in, error);
}

TEST(HexFont, ReadsNarrowAndWideGlyphsWithTheLeftmostDotInBit15) {
    HexFont font;
    std::string error;
    ASSERT_TRUE(Read(font,
                     "0041:0000000018242442427E424242420000\n"
                     "554a:0000FFFF000000000000000000000000000000000000000000000000C0030001\r\n"
                     "\n",
                     error))
        << error;
    EXPECT_EQ(font.Size(), 2u);

    const auto narrow = font.Find(U'A');
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->Width, 8);
    EXPECT_EQ(narrow->Rows[4], 0x1800);
    EXPECT_EQ(narrow->Rows[9], 0x7E00);

    const auto wide = font.Find(0x554A);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->Width, 16);
    EXPECT_EQ(wide->Rows[0], 0x0000);
    EXPECT_EQ(wide->Rows[1], 0xFFFF);
    EXPECT_EQ(wide->Rows[14], 0xC003);
    EXPECT_EQ(wide->Rows[15], 0x0001);

    EXPECT_FALSE(font.Find(U'B'));
}

TEST(HexFont, RefusesMalformedLinesAndSaysWhichLine) {
    const std::string good = "0041:0000000018242442427E424242420000\n";
    const struct {
        std::string Line;
        std::string Reason;
    } cases[] = {
        {"0042 0000000018242442427E424242420000", "no ':'"},
        {":0000000018242442427E424242420000", "bad code point"},
        {"00G2:0000000018242442427E424242420000", "bad code point"},
        {"110000:0000000018242442427E424242420000", "code point out of range"},
        {"0042:0000000018242442427E4242424200", "expected 32 or 64 hex digits"},
        {"0042:0000000018242442427E42424242000000", "expected 32 or 64 hex digits"},
        {"0042:0000000018242442427E42424242000X", "bad hex digit"},
    };
    for (const auto& c : cases) {
        HexFont font;
        std::string error;
        EXPECT_FALSE(Read(font, good + c.Line + "\n" + good, error)) << c.Line;
        EXPECT_EQ(error, "line 2: " + c.Reason) << c.Line;
        EXPECT_EQ(font.Size(), 0u) << "a refused font keeps no glyphs";
    }
}

}  // namespace
}  // namespace qxed
