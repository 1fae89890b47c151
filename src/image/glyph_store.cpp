#include "image/glyph_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "image/image_format.h"

namespace qxed {
namespace {

constexpr int kFirstRowCellByte = 0xA1;
constexpr int kLastRowCellByte = kFirstRowCellByte + kGlyphRowCells - 1;  // 0xFE

constexpr std::string_view kKoreanFamily = "6460";
constexpr std::string_view kDefaultFamily = "7460";

// Which double-byte glyph file group a panel model reads.
struct GlyphGroupRow {
    int ModelIndex;
    std::string_view Group;
};

constexpr GlyphGroupRow kGlyphGroups[] = {
    // clang-format off
    {0,  "012"}, {5,  "012"},
    {1,  "013"}, {8,  "013"}, {12, "013"},
    {2,  "014"}, {7,  "014"},
    {3,  "015"},
    {4,  "016"}, {6,  "016"}, {9,  "016"}, {10, "016"}, {11, "016"},
    // clang-format on
};

// Closes the descriptor on every way out of a read.
class GlyphFile {
  public:
    explicit GlyphFile(const std::string& path) {
        // Without waiting, so that a named pipe in place of a glyph file cannot hang the build.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat info {};
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~GlyphFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    GlyphFile(const GlyphFile&) = delete;
    GlyphFile& operator=(const GlyphFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // The whole record or failure: a negative index, a record beyond the end or a short one all fail.
    bool ReadRecord(int64_t index, std::span<uint8_t> record) const {
        if (index < 0) return false;
        const auto offset = static_cast<off_t>(index * static_cast<int64_t>(record.size()));
        size_t done = 0;
        while (done < record.size()) {
            const ssize_t got =
                ::pread(fd_, record.data() + done, record.size() - done, offset + static_cast<off_t>(done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            done += static_cast<size_t>(got);
        }
        return true;
    }

  private:
    int fd_ = -1;
};

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string path = folder;
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

// An 8 x 8 block of row bytes (bit 7 leftmost) as 8 column bytes (bit 0 the top dot).
void RowsToColumns(const uint8_t* rows, size_t rowStep, uint8_t* columns) {
    for (int column = 0; column < 8; ++column) {
        uint8_t value = 0;
        for (int row = 0; row < 8; ++row)
            if (rows[row * rowStep] & (0x80 >> column)) value |= static_cast<uint8_t>(1 << row);
        columns[column] = value;
    }
}

// Reads one record per code, converts it and appends it; the result names the file on any failure.
template <size_t RecordSize, class Code, class IndexOfCode>
GlyphReadResult ReadGlyphs(const std::string& folder, std::string_view fileName, int modelIndex,
                           std::span<const Code> codes, std::vector<uint8_t>& out, const GlyphStep& step,
                           IndexOfCode indexOfCode) {
    out.clear();
    if (codes.empty()) return {};
    const auto failed = [&](GlyphReadResult::Status status) {
        out.clear();
        return GlyphReadResult{status, std::string(fileName)};
    };
    for (const Code code : codes) {
        if (indexOfCode(code) < 0) return GlyphReadResult{GlyphReadResult::NoGlyph, {}, code};
    }
    if (fileName.empty()) return failed(GlyphReadResult::Missing);

    const GlyphFile file(JoinPath(folder, fileName));
    if (!file.IsOpen()) return failed(GlyphReadResult::Missing);

    out.reserve(codes.size() * RecordSize);
    std::array<uint8_t, RecordSize> record{};
    for (const Code code : codes) {
        if (!file.ReadRecord(indexOfCode(code), record)) return failed(GlyphReadResult::Missing);
        const auto converted = ToModelLayout(std::span<const uint8_t, RecordSize>(record), modelIndex);
        out.insert(out.end(), converted.begin(), converted.end());
        if (step && !step()) return failed(GlyphReadResult::Stopped);
    }
    return {};
}

}  // namespace

std::string DoubleByteGlyphFileName(TextLanguage language, int modelIndex) {
    for (const GlyphGroupRow& row : kGlyphGroups) {
        if (row.ModelIndex != modelIndex) continue;
        std::string name(language == TextLanguage::Ko ? kKoreanFamily : kDefaultFamily);
        name += row.Group;
        name += ".dat";
        return name;
    }
    return {};
}

int64_t DoubleByteRecordIndex(uint16_t code) {
    const int first = code >> 8;
    const int second = code & 0xFF;
    // A second byte of 0xFF would otherwise alias the first cell of the next row.
    if (first < kFirstRowCellByte || first > kLastRowCellByte || second < kFirstRowCellByte ||
        second > kLastRowCellByte)
        return -1;
    return int64_t{first - kFirstRowCellByte} * kGlyphRowCells + (second - kFirstRowCellByte);
}

std::array<uint8_t, 32> ToModelLayout(std::span<const uint8_t, 32> glyph, int modelIndex) {
    std::array<uint8_t, 32> out{};
    if (image_format::UsesRowLayout(modelIndex)) {
        for (size_t row = 0; row < 16; ++row) {
            out[row] = glyph[2 * row];
            out[16 + row] = glyph[2 * row + 1];
        }
        return out;
    }
    // Blocks: left top, left bottom, right top, right bottom; a row is two bytes apart.
    for (size_t half = 0; half < 2; ++half)
        for (size_t band = 0; band < 2; ++band)
            RowsToColumns(glyph.data() + band * 16 + half, 2, out.data() + (half * 2 + band) * 8);
    return out;
}

std::array<uint8_t, 16> ToModelLayout(std::span<const uint8_t, 16> glyph, int modelIndex) {
    std::array<uint8_t, 16> out{};
    if (image_format::UsesRowLayout(modelIndex)) {
        std::copy(glyph.begin(), glyph.end(), out.begin());
        return out;
    }
    RowsToColumns(glyph.data(), 1, out.data());
    RowsToColumns(glyph.data() + 8, 1, out.data() + 8);
    return out;
}

GlyphReadResult ReadDoubleByteGlyphs(const std::string& folder, TextLanguage language, int modelIndex,
                                     std::span<const uint16_t> codes, std::vector<uint8_t>& out,
                                     const GlyphStep& step) {
    return ReadGlyphs<image_format::kDoubleByteGlyphSize>(
        folder, DoubleByteGlyphFileName(language, modelIndex), modelIndex, codes, out, step,
        DoubleByteRecordIndex);
}

GlyphReadResult ReadSingleByteGlyphs(const std::string& folder, int modelIndex,
                                     std::span<const uint8_t> codes, std::vector<uint8_t>& out,
                                     const GlyphStep& step) {
    return ReadGlyphs<image_format::kSingleByteGlyphSize>(folder, kSingleByteGlyphFile, modelIndex, codes,
                                                          out, step,
                                                          [](uint8_t code) { return int64_t{code}; });
}

}  // namespace qxed
