#include "image/glyph_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/temp_folder.h"

namespace qxed {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

constexpr int kColumnModel = 0;
constexpr int kRowModel = 2;

// A glyph file whose record i holds i's low byte, i's high byte, then 0x5A, 0x5B, ... to its end.
std::string NumberedRecords(int count, int recordSize) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += static_cast<char>(i & 0xFF);
        bytes += static_cast<char>(i >> 8);
        for (int k = 2; k < recordSize; ++k)
            bytes += static_cast<char>(0x58 + k);
    }
    return bytes;
}

// In the row layout the first stored row's left byte comes first and its right byte sixteen bytes on.
int RecordOfRowLayout(const std::vector<uint8_t>& glyphs, size_t glyph) {
    return glyphs[glyph * 32] | glyphs[glyph * 32 + 16] << 8;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

TEST(GlyphFileTest, NamesFollowLanguageFamilyAndModelGroup) {
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::sCh, 0), "7460012.dat");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::En, 12), "7460013.dat");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::Ru, 7), "7460014.dat");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::Ko, 3), "6460015.dat");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::Ko, 11), "6460016.dat");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::sCh, 13), "");
    EXPECT_EQ(DoubleByteGlyphFileName(TextLanguage::sCh, -1), "");
}

TEST(GlyphFileTest, RecordIndexCoversOnlyTheRowCellArea) {
    EXPECT_EQ(DoubleByteRecordIndex(0xA1A1), 0);
    EXPECT_EQ(DoubleByteRecordIndex(0xA1A2), 1);
    EXPECT_EQ(DoubleByteRecordIndex(0xA2A1), 94);
    EXPECT_EQ(DoubleByteRecordIndex(0xB0A1), 1410);
    EXPECT_EQ(DoubleByteRecordIndex(0xFEFE), 94 * 94 - 1);
    for (uint16_t outside : {0xA0A1, 0xA1A0, 0xA1FF, 0xFFA1, 0x8140, 0x0041})
        EXPECT_LT(DoubleByteRecordIndex(outside), 0) << std::hex << outside;
}

TEST(GlyphLayoutTest, TopLeftDotLeadsBothLayouts) {
    std::array<uint8_t, 32> wide{};
    wide[0] = 0x80;
    EXPECT_EQ(ToModelLayout(std::span<const uint8_t, 32>(wide), kColumnModel)[0], 0x01);
    EXPECT_EQ(ToModelLayout(std::span<const uint8_t, 32>(wide), kRowModel)[0], 0x80);
    EXPECT_EQ(ToModelLayout(std::span<const uint8_t, 32>(wide), 7)[0], 0x80);

    std::array<uint8_t, 16> narrow{};
    narrow[0] = 0x80;
    EXPECT_EQ(ToModelLayout(std::span<const uint8_t, 16>(narrow), kColumnModel)[0], 0x01);
    EXPECT_EQ(ToModelLayout(std::span<const uint8_t, 16>(narrow), kRowModel)[0], 0x80);
}

// Every dot of a random glyph lands where the layout puts it, and nowhere else.
TEST(GlyphLayoutTest, EveryDotOfAWideGlyphFindsItsPlace) {
    std::mt19937 random(7);
    std::array<uint8_t, 32> glyph{};
    for (uint8_t& byte : glyph)
        byte = static_cast<uint8_t>(random());
    const auto dot = [&](int row, int column) {
        return (glyph[row * 2 + column / 8] >> (7 - column % 8)) & 1;
    };

    const auto columns = ToModelLayout(std::span<const uint8_t, 32>(glyph), kColumnModel);
    const auto rows = ToModelLayout(std::span<const uint8_t, 32>(glyph), kRowModel);
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            // Column layout: blocks left-top, left-bottom, right-top, right-bottom; a byte per column.
            const int block = (column / 8) * 2 + row / 8;
            EXPECT_EQ((columns[block * 8 + column % 8] >> (row % 8)) & 1, dot(row, column));
            // Row layout: the sixteen left bytes, then the sixteen right bytes.
            EXPECT_EQ((rows[(column / 8) * 16 + row] >> (7 - column % 8)) & 1, dot(row, column));
        }
    }
}

TEST(GlyphLayoutTest, EveryDotOfANarrowGlyphFindsItsPlace) {
    std::mt19937 random(11);
    std::array<uint8_t, 16> glyph{};
    for (uint8_t& byte : glyph)
        byte = static_cast<uint8_t>(random());

    const auto columns = ToModelLayout(std::span<const uint8_t, 16>(glyph), kColumnModel);
    const auto rows = ToModelLayout(std::span<const uint8_t, 16>(glyph), kRowModel);
    EXPECT_EQ(rows, glyph);
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ((columns[(row / 8) * 8 + column] >> (row % 8)) & 1, (glyph[row] >> (7 - column)) & 1);
}

TEST(GlyphReadTest, ReadsTheRecordOfEveryCodeInSetOrder) {
    TempFolder folder;
    WriteBytes(folder.File("7460014.dat"), NumberedRecords(3 * 94, 32));
    const std::vector<uint16_t> codes = {0xA1A1, 0xA1A3, 0xA3FE};
    std::vector<uint8_t> out = {1, 2, 3};
    int steps = 0;
    const GlyphReadResult result = ReadDoubleByteGlyphs(folder.Path().string(), TextLanguage::sCh, kRowModel,
                                                        codes, out, [&] { return ++steps, true; });

    EXPECT_EQ(result.State, GlyphReadResult::Read);
    EXPECT_EQ(steps, 3);
    ASSERT_EQ(out.size(), 3u * 32);
    EXPECT_EQ(RecordOfRowLayout(out, 0), 0);
    EXPECT_EQ(RecordOfRowLayout(out, 1), 2);
    EXPECT_EQ(RecordOfRowLayout(out, 2), 2 * 94 + 93);
}

TEST(GlyphReadTest, KoreanTextsReadTheirOwnFamily) {
    TempFolder folder;
    WriteBytes(folder.File("6460012.dat"), NumberedRecords(2, 32));
    std::vector<uint8_t> out;
    const std::vector<uint16_t> codes = {0xA1A2};
    EXPECT_EQ(ReadDoubleByteGlyphs(folder.Path().string(), TextLanguage::Ko, 5, codes, out, {}).State,
              GlyphReadResult::Read);
    // Record 1 in column layout: its first row byte 0x01 is the dot at column 7 of row 0.
    EXPECT_EQ(out.size(), 32u);
    EXPECT_EQ(out[7] & 1, 1);
}

TEST(GlyphReadTest, SingleByteRecordsAreIndexedByTheByte) {
    TempFolder folder;
    WriteBytes(folder.File("7460022.dat"), NumberedRecords(256, 16));
    const std::vector<uint8_t> codes = {0x00, 'A', 0xFF};
    std::vector<uint8_t> out;
    const GlyphReadResult result = ReadSingleByteGlyphs(folder.Path().string(), 7, codes, out, {});
    EXPECT_EQ(result.State, GlyphReadResult::Read);
    ASSERT_EQ(out.size(), 3u * 16);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[16], 'A');
    EXPECT_EQ(out[32], 0xFF);
    EXPECT_EQ(out[33], 0x00);
}

TEST(GlyphReadTest, EmptySetsOpenNoFile) {
    std::vector<uint8_t> out = {9};
    int steps = 0;
    const auto step = [&] { return ++steps, true; };
    EXPECT_EQ(ReadDoubleByteGlyphs("/nonexistent-folder", TextLanguage::sCh, 0, {}, out, step).State,
              GlyphReadResult::Read);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ReadSingleByteGlyphs("/nonexistent-folder", 0, {}, out, step).State, GlyphReadResult::Read);
    EXPECT_EQ(steps, 0);
}

TEST(GlyphReadTest, FailuresNameTheFileAndCloseIt) {
    TempFolder folder;
    const std::string path = folder.Path().string();
    // Two whole records and half of a third.
    WriteBytes(folder.File("7460012.dat"), NumberedRecords(3, 32).substr(0, 80));
    WriteBytes(folder.File("7460022.dat"), NumberedRecords(0x41, 16));
    std::filesystem::create_directory(folder.File("7460016.dat"));
    const int descriptorsBefore = OpenDescriptors();

    struct Case {
        const char* what;
        int model;
        std::vector<uint16_t> codes;
        GlyphReadResult::Status state;
        std::string file;
        uint16_t code;  // without a glyph
    };
    // A character outside the row/cell area has no glyph in any file: that, not the file, is named, also
    // when the file is missing too.
    const Case cases[] = {
        {"missing file", 1, {0xA1A1}, GlyphReadResult::Missing, "7460013.dat", 0},
        {"short record", 0, {0xA1A1, 0xA1A3}, GlyphReadResult::Missing, "7460012.dat", 0},
        {"beyond the end", 0, {0xB0A1}, GlyphReadResult::Missing, "7460012.dat", 0},
        {"a folder in its place", 4, {0xA1A1}, GlyphReadResult::Missing, "7460016.dat", 0},
        {"GBK outside GB 2312", 0, {0xA1A1, 0x8140}, GlyphReadResult::NoGlyph, "", 0x8140},
        {"second byte 0xFF", 0, {0xA1FF}, GlyphReadResult::NoGlyph, "", 0xA1FF},
        {"first byte 0xFF", 0, {0xFFA1}, GlyphReadResult::NoGlyph, "", 0xFFA1},
        {"no glyph and no file", 1, {0x8140}, GlyphReadResult::NoGlyph, "", 0x8140},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out;
        const GlyphReadResult result =
            ReadDoubleByteGlyphs(path, TextLanguage::sCh, c.model, c.codes, out, {});
        EXPECT_EQ(result.State, c.state) << c.what;
        EXPECT_EQ(result.FileName, c.file) << c.what;
        EXPECT_EQ(result.Code, c.code) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }

    std::vector<uint8_t> out;
    const std::vector<uint8_t> beyond = {0x40, 0x41};
    const GlyphReadResult single = ReadSingleByteGlyphs(path, 0, beyond, out, {});
    EXPECT_EQ(single.State, GlyphReadResult::Missing);
    EXPECT_EQ(single.FileName, "7460022.dat");

    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
}

TEST(GlyphReadTest, StepCanStopTheReading) {
    TempFolder folder;
    WriteBytes(folder.File("7460022.dat"), NumberedRecords(256, 16));
    const int descriptorsBefore = OpenDescriptors();
    const std::vector<uint8_t> codes = {1, 2, 3};
    std::vector<uint8_t> out;
    int steps = 0;
    const GlyphReadResult result =
        ReadSingleByteGlyphs(folder.Path().string(), 0, codes, out, [&] { return ++steps < 2; });
    EXPECT_EQ(result.State, GlyphReadResult::Stopped);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
}

}  // namespace
}  // namespace qxed
