#include "files/data_file.h"

#include <algorithm>
#include <string_view>

#include "files/byte_io.h"
#include "files/project_file.h"
#include "model/user_prompts.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// Byte 21 (the length of the text that follows) and the text itself.
constexpr std::string_view kMagicText = "NorvaleQXEDObjectData";
constexpr std::size_t kMagicLength = 1 + kMagicText.size();
static_assert(kMagicLength == 22);

// Far above any driver set's file; larger files are not read into memory at all.
constexpr std::size_t kMaxDriverFileSize = std::size_t{64} << 20;

// The image's directory of four addresses, at its start and counted in H.
constexpr std::size_t kImageDirectoryLength = 16;
// Every glyph is a whole number of 16-byte units (a single-byte glyph one, a double-byte glyph two).
constexpr std::size_t kGlyphUnit = 16;

bool HasMagic(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMagicLength || bytes[0] != kMagicText.size()) return false;
    return std::equal(kMagicText.begin(), kMagicText.end(), bytes.begin() + 1,
                      [](char expected, uint8_t actual) { return static_cast<uint8_t>(expected) == actual; });
}

// Whether the lengths of a header can describe a data file of fileSize bytes: the image fits the panel and
// the file, holds its directory and H and the glyph area, and the driver copy behind it is no shorter than
// any driver file.
bool LengthsAgree(std::size_t headerLength, std::size_t glyphLength, std::size_t imageLength,
                  std::uint64_t fileSize) {
    if (imageLength > kLargestDataImage) return false;
    if (fileSize < kDataFileHeaderLength + imageLength + kLeastDriverFileLength) return false;
    if (headerLength + glyphLength > imageLength || glyphLength % kGlyphUnit != 0) return false;
    return imageLength == 0 || headerLength >= kImageDirectoryLength;
}

}  // namespace

bool IsDataFile(std::string_view bytes) {
    return bytes.size() >= kMagicLength && static_cast<uint8_t>(bytes[0]) == kMagicText.size() &&
           bytes.substr(1, kMagicText.size()) == kMagicText;
}

bool ExportData(const std::string& path, const DataFileContents& contents, const std::string& driverFilePath,
                const Language& language, UserPrompts& prompts) {
    const auto driver = file_access::ReadRegularFile(driverFilePath, kMaxDriverFileSize);
    // A file that would not import again (an image the panel cannot hold, lengths that do not fit it, a
    // driver file too short to be one) is not written.
    if (!driver || !LengthsAgree(contents.HeaderLength, contents.GlyphLength, contents.Image.size(),
                                 kDataFileHeaderLength + contents.Image.size() + driver->size())) {
        ShowFileMessage(prompts, language, path, language.TextUtf8(texts::CanNotSaveFile));
        return false;
    }

    ByteWriter writer(kDataFileHeaderLength + contents.Image.size() + driver->size());
    writer.U8(static_cast<uint8_t>(kMagicText.size()));
    for (const char c : kMagicText)
        writer.U8(static_cast<uint8_t>(c));
    writer.U8(contents.CurrentModel);
    writer.U8(contents.PlcTypeLow);
    writer.U16(contents.HeaderLength);
    writer.U16(contents.GlyphLength);
    writer.U16(static_cast<uint16_t>(contents.Image.size()));
    writer.Bytes(contents.Image);
    writer.Bytes(*driver);

    // Through a symbolic link to the linked file, keeping the permissions of the file it replaces.
    const std::string target = file_access::ResolveSaveTarget(path);
    if (!file_access::ReplaceFile(target, writer.Data(), file_access::FileMode(target))) {
        ShowFileMessage(prompts, language, path, language.TextUtf8(texts::CanNotSaveFile));
        return false;
    }
    return true;
}

std::optional<DataFileContents> ImportData(const std::string& path, const Language& language,
                                           UserPrompts& prompts) {
    // Only the header and the longest image are needed; of the driver copy behind them only the length
    // counts.
    const auto start = file_access::ReadFileStart(path, kDataFileHeaderLength + kLargestDataImage);
    try {
        if (!start || !HasMagic(start->Bytes)) throw FormatError("not a data file");
        ByteReader reader(start->Bytes);
        reader.Skip(kMagicLength);
        DataFileContents contents;
        contents.CurrentModel = reader.U8();
        contents.PlcTypeLow = reader.U8();
        contents.HeaderLength = reader.U16();
        contents.GlyphLength = reader.U16();
        const uint16_t length = reader.U16();
        if (!LengthsAgree(contents.HeaderLength, contents.GlyphLength, length, start->FileSize))
            throw FormatError("the lengths contradict each other or the file");
        const std::span<const uint8_t> image = reader.Bytes(length);
        contents.Image.assign(image.begin(), image.end());
        return contents;
    } catch (const FormatError& error) {
        ShowFileMessage(prompts, language, path, language.TextUtf8(texts::FileFormatWrong),
                        MessageIcon::Error, start ? path + ": " + error.what() : UnreadableFileDetail(path));
        return std::nullopt;
    }
}

}  // namespace qxed
