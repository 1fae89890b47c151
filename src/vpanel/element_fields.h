#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "image/image_reader.h"

// Reading the decoded fields of an element record by name. A field the record lacks reads as zero or
// empty, so a drawing never fails on a record of an unexpected shape.
namespace qxed::element_fields {

uint32_t Number(const ImageElement& element, std::string_view name);
bool Bit(const ImageElement& element, std::string_view name, int bit);
ImageOperand Operand(const ImageElement& element, std::string_view name);
ImageKeyAction KeyAction(const ImageElement& element, std::string_view name);
const ImageText* Text(const ImageElement& element, std::string_view name);
// The image bytes of a field (a packed bitmap), within the image.
std::span<const uint8_t> Bytes(std::span<const uint8_t> image, const ImageElement& element,
                               std::string_view name);

// Attribute bits every kind shares.
inline bool Inverse(const ImageElement& element) {
    return Bit(element, "Attribute", 0);
}
inline int Scale(const ImageElement& element) {
    return Bit(element, "Attribute", 1) ? 2 : 1;
}

}  // namespace qxed::element_fields
