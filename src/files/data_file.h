#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxed {

class UserPrompts;
class Language;

// The data file (".odp"): a compiled screen data image with its lengths, the panel model and PLC type it
// was built for, and a copy of the PLC driver file the download used, so the compiled data can be kept and
// downloaded again without the project.
//   0  22  byte 21 then "NorvaleQXEDObjectData"
//  22   1  CurrentModel
//  23   1  PlcType, low byte
//  24   2  H (uint16 LE): directory and settings block
//  26   2  glyph area length (uint16 LE)
//  28   2  L (uint16 LE): image length
//  30   L  the image bytes
//  30+L    the driver file, unchanged, to the end
struct DataFileContents {
    uint8_t CurrentModel = 0;
    uint8_t PlcTypeLow = 0;
    uint16_t HeaderLength = 0;
    uint16_t GlyphLength = 0;
    std::vector<uint8_t> Image;  // L bytes
};

constexpr size_t kDataFileHeaderLength = 30;

// The largest image the panel holds (its image area is 65532 bytes), and the least a driver file holds: it
// ends no earlier than its five driver values at 0x33800..0x33813. A data file whose lengths say otherwise
// was cut or damaged.
constexpr size_t kLargestDataImage = 0xFFFC;
constexpr size_t kLeastDriverFileLength = 0x33800 + 5 * 4;

// Whether the bytes start with the data file's magic (a project file starts with byte 3, its JSON form
// with "{").
bool IsDataFile(std::string_view bytes);

// Writes the data file: the header and image, then every byte of the driver file. False after its message
// (through the prompts, with the file messages of the language) when a file cannot be read or written, or
// when the lengths and the driver file would make a file that ImportData refuses (see there); a failed export
// leaves no half-written file behind.
bool ExportData(const std::string& path, const DataFileContents& contents, const std::string& driverFilePath,
                const Language& language, UserPrompts& prompts);

// Reads the header and the image; the driver copy is not read, only its length checked. Nullopt after
// "该文件格式不正确！" when the magic is wrong, when the file cannot be read, or when its lengths contradict
// each other or the file's size: an image longer than the panel's area or than the file, H and the glyph
// area not fitting in the image, a glyph area that is no whole number of glyphs, an image without its
// 16-byte directory, a driver copy shorter than any driver file.
std::optional<DataFileContents> ImportData(const std::string& path, const Language& language,
                                           UserPrompts& prompts);

}  // namespace qxed
