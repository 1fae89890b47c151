#pragma once
#include <cstddef>
#include <cstdint>

// The fixed shape of the screen data image the panel runs in place: every pointer inside it is an
// absolute panel address, image base plus offset. Shared by the builder and the image reader.
namespace qxed::image_format {

constexpr uint32_t kImageBase = 0x10004;  // panel address of image byte 0
constexpr uint32_t kLargestImage = 0xFFFC;
// A write position of a work buffer stops at this position and marks an overflow.
constexpr uint32_t kWriteLimit = 65515;
constexpr uint32_t kElementDataCapacity = 65516;

constexpr std::size_t kDirectorySize = 16;  // four u32 addresses
constexpr std::size_t kPageRecordSize = 11;
constexpr std::size_t kElementEntrySize = 5;
constexpr std::size_t kAlarmEntrySize = 4;
constexpr std::size_t kDoubleByteGlyphSize = 32;
constexpr std::size_t kSingleByteGlyphSize = 16;
constexpr std::size_t kOperandSize = 4;
constexpr std::size_t kKeyActionBlockSize = 13;
constexpr std::size_t kGlobalKeyEntrySize = 14;  // attribute byte + key action block
// The settings block without the global key table.
constexpr std::size_t kFixedSettingsSize = 42;

// The kind code a font text element is listed under: it travels as a picture.
constexpr uint8_t kFontTextImageKind = 7;

// The models with global function keys (2, 4, 6, 7, 10 and 11) carry their table in the settings block.
bool CarriesGlobalKeys(int modelIndex);
// Models 2 and 7 take row-layout bitmaps and glyphs; all others column layout.
bool UsesRowLayout(int modelIndex);
// Coordinates take two bytes on model 2, one byte elsewhere.
int CoordinateWidth(int modelIndex);

}  // namespace qxed::image_format
