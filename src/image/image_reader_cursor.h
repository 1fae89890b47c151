#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "image/image_reader.h"

// The image reader's own bounded reading; not for use outside it.
namespace qxed::image_reader {

// Raised inside the reader when the image breaks its layout; the reader's entry point turns it into the
// error text of its result.
struct ImageLayoutError {
    std::string Message;
};

[[noreturn]] void Refuse(std::string message);

// "0x01A2 (address 0x101A6)": an image offset with the panel address it has.
std::string Where(std::size_t offset);
std::string Hex(uint32_t value, int digits);

// Reads little-endian fields of one region of the image, never past the region's end (itself within the
// image). A read that would pass it is refused, naming the region, the field and the offset.
class ImageCursor {
  public:
    ImageCursor(std::span<const uint8_t> image, std::size_t start, std::size_t end, std::string region);

    uint8_t U8(std::string_view field);
    uint16_t U16(std::string_view field);
    uint32_t U32(std::string_view field);
    std::span<const uint8_t> Bytes(std::size_t count, std::string_view field);
    ImageOperand Operand(std::string_view field);
    ImageKeyAction KeyAction(std::string_view field);
    // A length byte and as many index bytes.
    ImageText Text(std::string_view field);

    std::size_t Position() const { return position_; }
    std::size_t End() const { return end_; }
    const std::string& Region() const { return region_; }

  private:
    void Require(std::size_t count, std::string_view field) const;

    std::span<const uint8_t> image_;
    std::size_t position_;
    std::size_t end_;
    std::string region_;
};

// The fields of the record of one element directory entry, read from the cursor, which is bounded by the
// next record. Refuses kind codes the image never carries.
std::vector<ImageField> ReadElementRecord(ImageCursor& cursor, uint8_t kindCode, int modelIndex);

// "Text", "Reg", ...; "Pic/FontText" for 7, which both kinds are listed under.
std::string_view ImageKindName(uint8_t kindCode);

// The names of the set bits of a flag byte; names[k] for bit k, "bit k" where it is empty.
ImageFlags NameBits(uint8_t bits, std::span<const char* const, 8> names);

}  // namespace qxed::image_reader
