#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/mono_bitmap.h"
#include "gfx/raster_image.h"

namespace qxed {
namespace {

namespace fs = std::filesystem;

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

std::vector<uint8_t> WithU32(std::vector<uint8_t> b, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return b;
}

MonoBitmap Pattern(int width, int height) {
    MonoBitmap bitmap(width, height);
    for (int i = 0; i < width * height; ++i)
        bitmap.Set(i % width, i / width, i % 5 == 0 || i % width == width - 1);
    return bitmap;
}

// clang-format off
const std::vector<uint8_t> kTopDownBmp{
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                  // file header
    40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0,    // 2 x -2, 24 bits
    0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,     // uncompressed, data size
    0, 0, 0, 0,
    0xFF, 0, 0, 0, 0, 0xFF, 0, 0,                                    // top row: blue, red
    0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0};                             // bottom row: green, white
const std::vector<uint8_t> kRunLengthBmp{
    'B', 'M', 72, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,                  // file header
    40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0,     // 4 x 2, 8 bits, run-length
    10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,     // data size, 2 colours
    0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0,                                 // palette
    2, 0, 2, 1, 0, 0,                                                // bottom row, end of line
    4, 1, 0, 1};                                                     // top row, end of picture
// clang-format on

TEST(MonoBitmap, MonochromeSetsWhatIsNotPureWhiteAndCropKeepsTheTopLeft) {
    const RasterImage image{4, 1, {kWhite, Rgb(254, 255, 255), kBlack, kSilver}};
    EXPECT_EQ(ToMonochrome(image).Dots, (std::vector<uint8_t>{0, 1, 1, 1}));
    EXPECT_EQ(ToRaster(ToMonochrome(image)).Pixels, (std::vector<Color>{kWhite, kBlack, kBlack, kBlack}));
    const MonoBitmap cropped = Crop(Pattern(9, 6), 4, 20);
    ASSERT_EQ(cropped.Width, 4);
    ASSERT_EQ(cropped.Height, 6);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(cropped.IsSet(i % 4, i / 4), Pattern(9, 6).IsSet(i % 4, i / 4));
}

TEST(MonoBmp, SameBytesEveryTimeZeroPaddingAndRoundTrip) {
    for (const int width : {1, 13, 32, 33}) {
        SCOPED_TRACE(width);
        const std::vector<uint8_t> bytes = EncodeMonoBmp(Pattern(width, 5));
        EXPECT_EQ(EncodeMonoBmp(Pattern(width, 5)), bytes);
        const uint32_t rowBytes = (width + 31) / 32 * 4;
        const uint32_t dataOffset = U32At(bytes, 10);
        ASSERT_EQ(bytes.size(), dataOffset + rowBytes * 5);
        EXPECT_EQ(U32At(bytes, 2), bytes.size());
        EXPECT_EQ(U32At(bytes, 34), rowBytes * 5);
        for (uint32_t row = 0; row < 5; ++row) {
            for (uint32_t bit = width; bit < rowBytes * 8; ++bit) {
                ASSERT_EQ(bytes[dataOffset + row * rowBytes + bit / 8] & (0x80 >> (bit % 8)), 0)
                    << row << " " << bit;
            }
        }
        const std::optional<RasterImage> decoded = DecodeBmp(bytes);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(ToMonochrome(*decoded), Pattern(width, 5));
    }
    EXPECT_TRUE(EncodeMonoBmp(MonoBitmap(0, 4)).empty());
}

TEST(BmpDecode, TopDownAndRunLengthBitmaps) {
    EXPECT_EQ(DecodeBmp(kTopDownBmp).value().Pixels,
              (std::vector<Color>{Rgb(0, 0, 255), Rgb(255, 0, 0), Rgb(0, 255, 0), kWhite}));
    EXPECT_EQ(DecodeBmp(kRunLengthBmp).value().Pixels,
              (std::vector<Color>{kWhite, kWhite, kWhite, kWhite, kBlack, kBlack, kWhite, kWhite}));
}

TEST(BmpDecode, RefusesDamagedAndOversizedFiles) {
    const std::vector<uint8_t> good = EncodeMonoBmp(Pattern(13, 5));
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(DecodeBmp(std::span(good).first(length))) << length;
    }
    EXPECT_FALSE(DecodeBmp(WithU32(good, 0, 0x4D43)));       // magic
    EXPECT_FALSE(DecodeBmp(WithU32(good, 18, 0)));           // width 0
    EXPECT_FALSE(DecodeBmp(WithU32(good, 18, 0xFFFFFFF3)));  // width -13
    EXPECT_FALSE(DecodeBmp(WithU32(good, 10, 5000)));        // pixels beyond the end
    const std::vector<uint8_t> huge = WithU32(WithU32(good, 18, 100000), 22, 100000);
    EXPECT_FALSE(DecodeBmp(huge));
    EXPECT_FALSE(DecodeBmp(WithU32(WithU32(huge, 28, 8), 30, 1)));  // run-length: few bytes, many pixels

    // Random damage gives a picture of consistent size or nothing, never a crash.
    uint32_t state = 2024;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = round % 2 == 0 ? good : kRunLengthBmp;
        for (int flips = 0; flips <= round % 4; ++flips) {
            state = state * 1103515245 + 12345;
            bytes[(state >> 8) % bytes.size()] = static_cast<uint8_t>(state >> 24);
        }
        if (const std::optional<RasterImage> image = DecodeBmp(bytes)) {
            ASSERT_EQ(image->Pixels.size(), static_cast<std::size_t>(image->Width) * image->Height);
        }
    }
}

// Reference bitmaps written by ImageMagick rather than by us.
TEST(BmpDecode, ReadsBitmapsWrittenByOtherTools) {
    const std::string tool = fs::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
    if (std::system((tool + " -version >/dev/null 2>&1").c_str()) != 0) GTEST_SKIP() << "no ImageMagick";
    const fs::path folder = fs::temp_directory_path() / ("qxed-gfx-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const auto convert = [&](const std::string& arguments) {
        const fs::path out = folder / "out.bmp";
        fs::remove(out);
        std::ignore = std::system((tool + " " + arguments + " BMP3:'" + out.string() + "'").c_str());
        return LoadBmpFile(out);
    };

    const auto bilevel = convert("-size 13x5 xc:white -fill black -draw 'point 3,2' -type bilevel");
    ASSERT_TRUE(bilevel.has_value());
    MonoBitmap expected(13, 5);
    expected.Set(3, 2, true);
    EXPECT_EQ(ToMonochrome(*bilevel), expected);

    // More than 16 colours give an 8-bit palette, run-length coded unless told otherwise.
    std::string points;
    for (int i = 0; i < 17; ++i)
        points +=
            " -fill 'rgb(" + std::to_string(i * 10) + ",20,30)' -draw 'point " + std::to_string(i) + ",0'";
    for (const std::string compression : {"", " -compress none"}) {
        const auto palette = convert("-size 17x3 xc:white" + points + " -type palette" + compression);
        ASSERT_TRUE(palette.has_value()) << compression;
        for (int i = 0; i < 17; ++i)
            EXPECT_EQ(palette->At(i, 0), Rgb(static_cast<uint8_t>(i * 10), 20, 30));
        EXPECT_EQ(palette->At(4, 2), kWhite);
    }

    const auto truecolor =
        convert("-size 6x3 xc:white -fill 'rgb(200,100,50)' -draw 'point 1,2' -type truecolor");
    ASSERT_TRUE(truecolor.has_value());
    EXPECT_EQ(truecolor->At(1, 2), Rgb(200, 100, 50));
    EXPECT_EQ(truecolor->At(0, 0), kWhite);

    EXPECT_FALSE(LoadBmpFile(folder / "missing.bmp"));
    fs::remove_all(folder);
}

TEST(BmpFile, LoadsRegularFilesOnly) {
    const fs::path folder = fs::temp_directory_path() / ("qxed-bmpfile-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    MonoBitmap dots(3, 2);
    dots.Set(1, 1, true);
    const std::vector<uint8_t> bytes = EncodeMonoBmp(dots);
    {
        std::ofstream out(folder / "dots.bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const auto loaded = LoadBmpFile(folder / "dots.bmp");
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->At(1, 1), kBlack);
    EXPECT_EQ(loaded->At(0, 1), kWhite);

    // A named pipe in a picture's place would otherwise block the editor forever.
    ASSERT_EQ(::mkfifo((folder / "pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(LoadBmpFile(folder / "pipe.bmp"));
    EXPECT_FALSE(LoadBmpFile(folder));
    EXPECT_FALSE(LoadBmpFile(folder / "missing.bmp"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qxed
