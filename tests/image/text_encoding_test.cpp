#include "image/text_encoding.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(TextEncodingTest, CharactersBecomeTheirPositionsInTheSortedSets) {
    CharacterSets sets;
    const std::string text =
        "Z\xB0\xA1"
        "A\xA1\xA1";
    sets.AddText(text, TextLanguage::sCh);
    // Single-byte: A 0, Z 1; double-byte: A1A1 0, B0A1 1. The length byte counts source bytes.
    EXPECT_EQ(EncodeText(text, sets, TextLanguage::sCh), (Bytes{6, 1, 0x80, 1, 0, 0x80, 0}));
    EXPECT_EQ(EncodeText("", sets, TextLanguage::sCh), Bytes{0});
}

TEST(TextEncodingTest, PositionsBeyond255KeepTheirHighBits) {
    CharacterSets sets;
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += static_cast<char>(0xB0 + i / 94);
        text += static_cast<char>(0xA1 + i % 94);
        sets.AddText(text.substr(text.size() - 2), TextLanguage::sCh);
    }
    const std::string last = text.substr(text.size() - 2);
    EXPECT_EQ(EncodeText(last, sets, TextLanguage::sCh), (Bytes{2, 0x81, 299 - 256}));
}

TEST(TextEncodingTest, RussianTextsAreSingleBytes) {
    CharacterSets sets;
    const std::string text = "\xC0\xC1";
    sets.AddText(text, TextLanguage::Ru);
    EXPECT_EQ(EncodeText(text, sets, TextLanguage::Ru), (Bytes{2, 0, 1}));
    // The same bytes read as Chinese form one character that the sets lack.
    EXPECT_EQ(EncodeText(text, sets, TextLanguage::sCh), std::nullopt);
}

TEST(TextEncodingTest, SymbolTextsPairEveryTwoBytes) {
    CharacterSets sets;
    const std::string symbols = "\x41\x42\xA2\xAB";
    sets.AddSymbolText(symbols);
    EXPECT_EQ(EncodeSymbolText(symbols, sets), (Bytes{4, 0x80, 0, 0x80, 1}));
    // As a plain text "AB" would be two single-byte characters, which the sets do not hold.
    EXPECT_EQ(EncodeText(symbols, sets, TextLanguage::sCh), std::nullopt);
}

TEST(TextEncodingTest, ALeadByteAtTheEndIsASingleByte) {
    CharacterSets sets;
    const std::string text = "A\xB0";
    sets.AddText(text, TextLanguage::sCh);
    EXPECT_EQ(EncodeText(text, sets, TextLanguage::sCh), (Bytes{2, 0, 1}));
}

TEST(TextEncodingTest, TextsWithoutAnImageFormGiveNothing) {
    CharacterSets sets;
    sets.AddText("A", TextLanguage::En);
    EXPECT_EQ(EncodeText("B", sets, TextLanguage::En), std::nullopt);
    EXPECT_EQ(EncodeText(std::string(255, 'A'), sets, TextLanguage::En)->size(), 256u);
    EXPECT_EQ(EncodeText(std::string(256, 'A'), sets, TextLanguage::En), std::nullopt);
}

}  // namespace
}  // namespace qxed
