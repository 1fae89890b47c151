// Checks the glyph files the build wrote beside the programs, against the
// font they come from.
#include "glyphgen/glyph_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include <unistd.h>

#include "glyphgen/glyph_fit.h"
#include "glyphgen/symbol_pictures.h"
#include "text/symbols.h"

namespace qxed {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kFolder = QXED_GLYPH_FOLDER;

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Glyph RecordAt(const Bytes& file, std::uint8_t first, std::uint8_t second) {
    std::array<std::uint8_t, RecordBytes> record{};
    const int index = *RecordIndex(first, second);
    std::copy_n(file.begin() + index * RecordBytes, RecordBytes, record.begin());
    return FromRecord(record);
}

NarrowGlyph NarrowRecordAt(const Bytes& file, std::uint8_t code) {
    NarrowGlyph glyph{};
    std::copy_n(file.begin() + code * NarrowRecordBytes, NarrowRecordBytes, glyph.begin());
    return glyph;
}

class GlyphFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        font_ = std::make_unique<HexFont>();
        std::ifstream in(QXED_UNIFONT_HEX);
        std::string error;
        ASSERT_TRUE(font_->Read(in, error)) << error;
        for (const GlyphFile& file : qxed::GlyphFiles())
            files_[std::string(file.Name)] = ReadFile(kFolder / file.Name);
    }
    static void TearDownTestSuite() {
        font_.reset();
        files_.clear();
    }

    static const Bytes& File(const std::string& name) { return files_.at(name); }

    // The font's glyph as it should stand in a 16 x 16 record.
    static Glyph Wide(char32_t codePoint) { return FitFullWidth(*font_->Find(codePoint), codePoint); }

    static std::unique_ptr<HexFont> font_;
    static std::map<std::string, Bytes> files_;
};

std::unique_ptr<HexFont> GlyphFiles::font_;
std::map<std::string, Bytes> GlyphFiles::files_;

TEST_F(GlyphFiles, AllElevenAreThereWithTheirRecordCounts) {
    ASSERT_EQ(std::size(qxed::GlyphFiles()), 11u);
    for (const GlyphFile& file : qxed::GlyphFiles()) {
        const std::size_t expected = IsSingleByte(file.Charset) ? 256u * 16 : 94u * 94 * 32;
        EXPECT_EQ(File(std::string(file.Name)).size(), expected) << file.Name;
        EXPECT_FALSE(std::filesystem::exists(kFolder / (std::string(file.Name) + ".tmp"))) << file.Name;
    }
}

TEST_F(GlyphFiles, TheModelGroupsOfAFamilyHoldTheSameDots) {
    for (const char* family : {"7460", "6460"}) {
        const Bytes& first = File(std::string(family) + "012.dat");
        for (const char* group : {"013", "014", "015", "016"})
            EXPECT_TRUE(File(std::string(family) + group + ".dat") == first) << family << group;
    }
}

TEST_F(GlyphFiles, CharactersStandAtTheirRowAndCell) {
    const Bytes& chinese = File("7460012.dat");
    const Bytes& korean = File("6460012.dat");

    // Record 1410 holds the first character of row 16, rows left byte first.
    const auto ah = ToRecord(Wide(U'啊'));
    EXPECT_FALSE(IsBlank(Wide(U'啊')));
    EXPECT_TRUE(std::equal(ah.begin(), ah.end(), chinese.begin() + 1410 * 32));
    EXPECT_EQ(RecordAt(korean, 0xB0, 0xA1), Wide(U'가'));
    EXPECT_EQ(RecordAt(chinese, 0xF7, 0xFE), Wide(U'齄')) << "the last character";
    EXPECT_TRUE(IsBlank(RecordAt(chinese, 0xFE, 0xFE))) << "rows 88 to 94 are empty";
    EXPECT_EQ(RecordAt(korean, 0xCA, 0xA1), Wide(U'伽')) << "hanja";

    // Half-width forms are centred, line drawing joins up.
    const Glyph alpha = RecordAt(chinese, 0xA6, 0xA1);
    EXPECT_EQ(alpha, Wide(U'Α'));
    for (std::uint16_t row : alpha)
        EXPECT_EQ(row & 0xF00F, 0) << "Α should be centred";
    EXPECT_EQ(RecordAt(chinese, 0xA9, 0xA4), Wide(U'─'));
    EXPECT_NE(RecordAt(chinese, 0xA9, 0xA4)[7] & 0x8001, 0) << "─ should reach both edges";
}

TEST_F(GlyphFiles, UnassignedPositionsAreBlankAndAssignedOnesAreDrawn) {
    std::set<int> symbolRecords;
    for (const SymbolInfo& symbol : Symbols())
        symbolRecords.insert(*RecordIndex(symbol.DefaultHi, symbol.DefaultLo));

    const std::pair<const char*, GlyphCharset> families[] = {
        {"7460012.dat", GlyphCharset::Gb2312},
        {"6460012.dat", GlyphCharset::KsX1001},
    };
    for (const auto& [name, charset] : families) {
        const Bytes& file = File(name);
        CharsetDecoder decoder(charset);
        int assigned = 0;
        int blankAssigned = 0;
        for (int first = GridFirstByte; first <= GridLastByte; ++first) {
            for (int second = GridFirstByte; second <= GridLastByte; ++second) {
                const auto hi = static_cast<std::uint8_t>(first);
                const auto lo = static_cast<std::uint8_t>(second);
                if (symbolRecords.count(*RecordIndex(hi, lo))) continue;
                const char code[] = {static_cast<char>(hi), static_cast<char>(lo)};
                const bool isAssigned = decoder.Decode(std::string_view(code, 2)).has_value();
                const bool blank = IsBlank(RecordAt(file, hi, lo));
                if (!isAssigned) {
                    ASSERT_TRUE(blank) << name << " " << std::hex << first << second;
                    continue;
                }
                ++assigned;
                if (blank) ++blankAssigned;
            }
        }
        EXPECT_GT(assigned, 7000) << name;
        // Only the ideographic space is blank on purpose.
        EXPECT_EQ(blankAssigned, 1) << name;
        EXPECT_TRUE(IsBlank(RecordAt(file, 0xA1, 0xA1))) << name;
    }
    EXPECT_TRUE(IsBlank(RecordAt(File("7460012.dat"), 0xAA, 0xA1)));
    EXPECT_TRUE(IsBlank(RecordAt(File("7460012.dat"), 0xD7, 0xFA)));
}

TEST_F(GlyphFiles, EverySymbolPositionHoldsItsOwnPictureInBothFamilies) {
    for (const GlyphFile& file : qxed::GlyphFiles()) {
        if (IsSingleByte(file.Charset)) continue;
        const Bytes& bytes = File(std::string(file.Name));
        std::set<Glyph> seen;
        for (const SymbolInfo& symbol : Symbols()) {
            const Glyph glyph = RecordAt(bytes, symbol.DefaultHi, symbol.DefaultLo);
            EXPECT_FALSE(IsBlank(glyph)) << file.Name << " " << symbol.Name;
            EXPECT_EQ(glyph, SymbolPicture(symbol.Id)) << file.Name << " " << symbol.Name;
            EXPECT_TRUE(seen.insert(glyph).second) << file.Name << " " << symbol.Name;
        }
    }
}

TEST_F(GlyphFiles, TheSingleByteFileHoldsAsciiBelow0x80AndCyrillicAbove) {
    const Bytes& file = File("7460022.dat");
    const auto narrow = [&](char32_t codePoint) { return FitNarrow(*font_->Find(codePoint)); };
    EXPECT_EQ(NarrowRecordAt(file, 'A'), narrow(U'A'));
    EXPECT_EQ(NarrowRecordAt(file, '~'), narrow(U'~'));
    EXPECT_EQ(NarrowRecordAt(file, 0xC0), narrow(U'А'));
    EXPECT_EQ(NarrowRecordAt(file, 0xFF), narrow(U'я'));
    EXPECT_EQ(NarrowRecordAt(file, 0xA8), narrow(U'Ё'));
    EXPECT_EQ(NarrowRecordAt(file, 0xB9), narrow(U'№'));
    EXPECT_EQ(NarrowRecordAt(file, 0xAD), narrow(U'-')) << "soft hyphen";
    for (int code : {0x00, 0x0A, 0x1F, 0x20, 0x7F, 0x98, 0xA0})
        EXPECT_TRUE(IsBlank(NarrowRecordAt(file, static_cast<std::uint8_t>(code)))) << std::hex << code;
}

TEST_F(GlyphFiles, BuildingIsRepeatableAndMatchesWhatTheBuildWrote) {
    for (const auto& [name, charset] :
         {std::pair{"7460016.dat", GlyphCharset::Gb2312}, std::pair{"6460016.dat", GlyphCharset::KsX1001},
          std::pair{"7460022.dat", GlyphCharset::Cp1251}}) {
        const GlyphFileContents first = BuildGlyphFile(*font_, charset);
        const GlyphFileContents second = BuildGlyphFile(*font_, charset);
        ASSERT_TRUE(first.Ok) << first.Error;
        EXPECT_TRUE(first.Bytes == second.Bytes) << name;
        EXPECT_TRUE(first.Bytes == File(name)) << name << " is out of date";
    }
}

TEST(WriteWholeFile, ReplacesTheFileAndLeavesNoTemporary) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("glyphgen-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "7460022.dat";
    std::string error;
    const Bytes longer(100, 0xAA);
    const Bytes shorter = {1, 2, 3};
    ASSERT_TRUE(WriteWholeFile(path, longer, error)) << error;
    ASSERT_TRUE(WriteWholeFile(path, shorter, error)) << error;
    EXPECT_EQ(ReadFile(path), shorter);
    // Nothing but the file itself is left in the folder: no temporary survives.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    EXPECT_FALSE(WriteWholeFile(folder / "missing" / "x.dat", shorter, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qxed
