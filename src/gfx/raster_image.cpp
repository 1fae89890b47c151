#include "gfx/raster_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "gfx/gfx_session.h"

namespace qxed {

namespace {

// Larger pictures are refused before anything is allocated for them. Run-length data can describe
// a huge picture in a few bytes, so those get a tighter bound than plain rows, which must be present.
constexpr int64_t kMaxPixels = int64_t{16384} * 16384;
constexpr int64_t kMaxCompressedPixels = int64_t{4096} * 4096;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

uint32_t U16At(std::span<const uint8_t> b, std::size_t at) {
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8);
}

uint32_t U32At(std::span<const uint8_t> b, std::size_t at) {
    return U16At(b, at) | (U16At(b, at + 2) << 16);
}

int32_t I32At(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<int32_t>(U32At(b, at));
}

// Checks the headers and that the declared picture is plausible and present, so that the decoder
// never sees a picture it would allocate gigabytes for or read past the end of.
bool HeadersLookSound(std::span<const uint8_t> b) {
    if (b.size() < kFileHeaderSize + 12 || b.size() > kMaxFileBytes) return false;
    if (b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t dataOffset = U32At(b, 10);
    const uint32_t infoSize = U32At(b, kFileHeaderSize);

    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitCount = 0;
    uint32_t compression = kRgb;
    if (infoSize == 12) {
        width = U16At(b, kFileHeaderSize + 4);
        height = U16At(b, kFileHeaderSize + 6);
        bitCount = U16At(b, kFileHeaderSize + 10);
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (b.size() < kFileHeaderSize + infoSize) return false;
        width = I32At(b, kFileHeaderSize + 4);
        height = std::llabs(int64_t{I32At(b, kFileHeaderSize + 8)});
        bitCount = U16At(b, kFileHeaderSize + 14);
        compression = U32At(b, kFileHeaderSize + 16);
    } else {
        return false;
    }
    if (width <= 0 || height <= 0 || width * height > kMaxPixels) return false;
    if (dataOffset < kFileHeaderSize + infoSize || dataOffset > b.size()) return false;

    switch (compression) {
        case kRgb:
        case kBitFields:
        case kAlphaBitFields: {
            if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
                bitCount != 32) {
                return false;
            }
            const int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
            return rowBytes * height <= static_cast<int64_t>(b.size() - dataOffset);
        }
        case kRle8:
        case kRle4:
            return bitCount == (compression == kRle8 ? 8u : 4u) && width * height <= kMaxCompressedPixels;
        default:
            return false;
    }
}

}  // namespace

Color RasterImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return kWhite;
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + x;
    return at < Pixels.size() ? Pixels[at] : kWhite;
}

std::optional<RasterImage> DecodeBmp(std::span<const uint8_t> bytes) {
    RequireGraphicsSession("decoding a picture");
    if (!HeadersLookSound(bytes)) return std::nullopt;
    QImage decoded;
    if (!decoded.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP") || decoded.isNull()) {
        return std::nullopt;
    }
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB32);
    RasterImage image;
    image.Width = rgb.width();
    image.Height = rgb.height();
    image.Pixels.reserve(static_cast<std::size_t>(image.Width) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < image.Width; ++x) {
            image.Pixels.push_back(Rgb(static_cast<uint8_t>(qRed(line[x])),
                                       static_cast<uint8_t>(qGreen(line[x])),
                                       static_cast<uint8_t>(qBlue(line[x]))));
        }
    }
    return image;
}

std::optional<RasterImage> LoadBmpFile(const std::filesystem::path& path) {
    // Only regular files: opening a named pipe would wait for a writer forever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<uint64_t>(size) > kMaxFileBytes) return std::nullopt;
    in.seekg(0, std::ios::beg);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() != static_cast<std::size_t>(size)) return std::nullopt;
    return DecodeBmp(bytes);
}

std::vector<uint8_t> EncodePng(const RasterImage& image) {
    RequireGraphicsSession("encoding a PNG picture");
    if (image.Width <= 0 || image.Height <= 0) return {};
    QImage out(image.Width, image.Height, QImage::Format_RGB32);
    if (out.isNull()) return {};
    for (int y = 0; y < image.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.Width; ++x) {
            const Color c = image.At(x, y);
            line[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!out.save(&buffer, "PNG")) return {};
    return {encoded.begin(), encoded.end()};
}

}  // namespace qxed
