#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "elementgen/element_picture_set.h"
#include "glyphgen/symbol_pictures.h"
#include "model/panel_model.h"

namespace qxed {
namespace {

// The pixels of a bottom-up 1-bit Windows bitmap, read here without the program's decoder so that the
// writer is checked against the format itself.
struct Pixels {
    int Width = 0;
    int Height = 0;
    std::vector<Color> Colours;  // top row first
    Color At(int x, int y) const { return Colours[static_cast<std::size_t>(y * Width + x)]; }
};

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

Pixels ReadOneBitBmp(const std::vector<uint8_t>& b) {
    Pixels p;
    if (b.size() < 62 || b[0] != 'B' || b[1] != 'M' || (b[28] | b[29] << 8) != 1) return p;
    const uint32_t offset = U32(b, 10);
    const int width = static_cast<int>(U32(b, 18));
    const int height = static_cast<int>(U32(b, 22));
    const std::size_t rowBytes = static_cast<std::size_t>((width + 31) / 32 * 4);
    if (width <= 0 || height <= 0 || b.size() < offset + rowBytes * static_cast<std::size_t>(height))
        return p;
    const Color palette[2] = {Rgb(b[56], b[55], b[54]), Rgb(b[60], b[59], b[58])};
    p.Width = width;
    p.Height = height;
    p.Colours.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const int bit = (b[row + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
            p.Colours[static_cast<std::size_t>(y * width + x)] = palette[bit];
        }
    }
    return p;
}

std::map<std::string, ElementPicture> ByName() {
    std::map<std::string, ElementPicture> all;
    for (const ElementPicture& picture : AllElementPictures())
        all.emplace(picture.Name, picture);
    return all;
}

Pixels Decoded(const std::string& name) {
    return ReadOneBitBmp(EncodeElementPicture(ByName().at(name)));
}

TEST(ElementPictures, NamesCoverEveryLetterSizeStateAndKey) {
    const std::map<std::string, ElementPicture> all = ByName();
    // Lamps 2 letters x 2 sizes x 4, hands 2 x 2 x 2, keys 5 letters x 2 sizes x 42 codes x 2 x 2.
    EXPECT_EQ(AllElementPictures().size(), all.size()) << "a name is given twice";
    EXPECT_EQ(all.size(), 16u + 8u + 5u * 2u * 42u * 4u);
    const char* expected[] = {
        "dlp1clps.dat", "dlp1clng.dat",  "dlp2sqps.dat", "olp1sqng.dat", "olp2clps.dat", "dhd1ni.dat",
        "dhd2i.dat",    "ohd1i.dat",     "dky100ni.dat", "dky106i.dat",  "tky219ni.dat", "lky108nid.dat",
        "sky122i.dat",  "sky229nid.dat", "oky141ni.dat", "oky241id.dat", "oky121i.dat",  "tky109ni.dat",
    };
    for (const char* name : expected)
        EXPECT_TRUE(all.contains(name)) << name;
    const char* absent[] = {"dky142ni.dat", "dhd1nid.dat", "xlp1clps.dat", "dlp3clps.dat", "dky1-1ni.dat"};
    for (const char* name : absent)
        EXPECT_FALSE(all.contains(name)) << name;
}

TEST(ElementPictures, EachLetterIsDrawnAtThePreviewScaleOfItsModels) {
    const std::map<std::string, ElementPicture> all = ByName();
    // Every model finds its lamp, hand and key pictures at its own Z, in both sizes.
    for (int index = 0; index < PanelModelCount; ++index) {
        const PanelModel& model = *FindPanelModel(index);
        for (int size : {1, 2}) {
            const std::string s = std::to_string(size);
            const std::string names[] = {std::string(1, model.LampLetter) + "lp" + s + "sqng.dat",
                                         std::string(1, model.LampLetter) + "hd" + s + "i.dat",
                                         std::string(1, model.KeypadLetter) + "ky" + s + "05ni.dat"};
            for (const std::string& name : names) {
                const Pixels p = Decoded(name);
                EXPECT_EQ(p.Width, model.PreviewScale * size) << model.Code << " " << name;
                EXPECT_EQ(p.Height, model.PreviewScale * size) << model.Code << " " << name;
            }
        }
    }
    const std::map<char, int> sides = {{'d', 36}, {'t', 36}, {'l', 36}, {'s', 36}, {'o', 20}};
    for (const auto& [name, picture] : all) {
        const int size = name[3] - '0';
        EXPECT_EQ(picture.Side, sides.at(name[0]) * size) << name;
    }
}

TEST(ElementPictures, ShowTheSymbolDotsOfTheGlyphFiles) {
    // Every dot of the symbol shows, at the first pixel of its cell, in every size, for every picture:
    // enlarging by a factor that is not whole drops none of them.
    for (const ElementPicture& picture : AllElementPictures()) {
        const Glyph glyph = SymbolPicture(picture.Symbol);
        const Pixels p = ReadOneBitBmp(EncodeElementPicture(picture));
        ASSERT_EQ(p.Width, picture.Side) << picture.Name;
        const Color ink = picture.Look == PictureLook::Invisible ? kSilver : kBlack;
        const Color paper = kWhite;
        const bool inverse = picture.Look == PictureLook::Inverse;
        int mismatches = 0;
        for (int dy = 0; dy < GlyphSize; ++dy) {
            for (int dx = 0; dx < GlyphSize; ++dx) {
                const int x = (dx * picture.Side + GlyphSize - 1) / GlyphSize;
                const int y = (dy * picture.Side + GlyphSize - 1) / GlyphSize;
                const bool dark = DotAt(glyph, dx, dy) != inverse;
                if (p.At(x, y) != (dark ? ink : paper)) ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0) << picture.Name;
    }
}

TEST(ElementPictures, InverseIsTheComplementOfNormal) {
    const std::map<std::string, ElementPicture> all = ByName();
    int pairs = 0;
    for (const auto& [name, picture] : all) {
        if (!name.ends_with("ni.dat")) continue;
        const std::string inverseName = name.substr(0, name.size() - 6) + "i.dat";
        ASSERT_TRUE(all.contains(inverseName)) << inverseName;
        const Pixels normal = Decoded(name);
        const Pixels inverse = Decoded(inverseName);
        ASSERT_EQ(normal.Colours.size(), inverse.Colours.size()) << name;
        for (std::size_t i = 0; i < normal.Colours.size(); ++i) {
            ASSERT_EQ(inverse.Colours[i], normal.Colours[i] ^ 0x00FFFFFF) << inverseName << " pixel " << i;
        }
        ++pairs;
    }
    EXPECT_EQ(pairs, 4 + 5 * 2 * 42);  // hands and keys
}

TEST(ElementPictures, InvisibleKeysHaveTheTransparentColourInTheCornerAndNowhereInTheKey) {
    int checked = 0;
    for (const ElementPicture& picture : AllElementPictures()) {
        if (picture.Look != PictureLook::Invisible) continue;
        // The visible key of the same size, normal look: its black pixels are the key's dots.
        const std::string visibleName = picture.Name.substr(0, 6) + "ni.dat";  // letter, "ky", size, code
        const Pixels visible = Decoded(visibleName);
        const Pixels invisible = ReadOneBitBmp(EncodeElementPicture(picture));
        ASSERT_EQ(invisible.Colours.size(), visible.Colours.size()) << picture.Name;
        // Transparent drawing skips the colour of the bottom-left pixel: the paper, never a dot.
        const Color corner = invisible.At(0, invisible.Height - 1);
        EXPECT_EQ(corner, kWhite) << picture.Name;
        for (std::size_t i = 0; i < visible.Colours.size(); ++i) {
            const bool dot = visible.Colours[i] == kBlack;
            ASSERT_EQ(invisible.Colours[i], dot ? kSilver : corner) << picture.Name << " pixel " << i;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 5 * 2 * 42 * 2);
}

TEST(ElementPictures, TheBuildWritesExactlyTheSetBesideThePrograms) {
    const std::filesystem::path folder = std::filesystem::path(QXED_GLYPH_FOLDER) / "element";
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        written.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (const ElementPicture& picture : AllElementPictures())
        expected.insert(picture.Name);
    EXPECT_EQ(written, expected);
    for (const char* name : {"dlp1clps.dat", "oky241id.dat", "dhd2i.dat"}) {
        std::ifstream in(folder / name, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(bytes, EncodeElementPicture(ByName().at(name))) << name;
    }
}

TEST(ElementPictures, WritingReplacesTheWholeFolder) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("qxed-elementgen-" + std::to_string(getpid()));
    const std::filesystem::path folder = base / "element";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "stale.dat") << "old";
    std::string error;
    ASSERT_TRUE(WriteElementPictures(base / "element/", error)) << error;
    EXPECT_FALSE(std::filesystem::exists(folder / "stale.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder / "dlp1clps.dat"));
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(base))
        ++count;
    EXPECT_EQ(count, 1u) << "only the folder itself stays";
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace qxed
