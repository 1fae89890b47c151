#include "image/image_reader_cursor.h"

#include <cstdio>
#include <utility>

#include "image/image_format.h"

namespace qxed::image_reader {

void Refuse(std::string message) {
    throw ImageLayoutError{std::move(message)};
}

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string Where(std::size_t offset) {
    return Hex(static_cast<uint32_t>(offset), 4) + " (address " +
           Hex(static_cast<uint32_t>(offset + image_format::kImageBase), 5) + ")";
}

ImageCursor::ImageCursor(std::span<const uint8_t> image, std::size_t start, std::size_t end,
                         std::string region)
    : image_(image),
      position_(start),
      end_(end < image.size() ? end : image.size()),
      region_(std::move(region)) {
    if (position_ > end_) position_ = end_;
}

void ImageCursor::Require(std::size_t count, std::string_view field) const {
    if (count <= end_ - position_) return;
    Refuse(region_ + ": " + std::string(field) + " at " + Where(position_) + " needs " +
           std::to_string(count) + " byte(s), but the " + (end_ == image_.size() ? "image" : "region") +
           " ends at " + Where(end_));
}

uint8_t ImageCursor::U8(std::string_view field) {
    Require(1, field);
    return image_[position_++];
}

uint16_t ImageCursor::U16(std::string_view field) {
    Require(2, field);
    const uint16_t value = static_cast<uint16_t>(image_[position_] | (image_[position_ + 1] << 8));
    position_ += 2;
    return value;
}

uint32_t ImageCursor::U32(std::string_view field) {
    Require(4, field);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | image_[position_ + static_cast<std::size_t>(i)];
    position_ += 4;
    return value;
}

std::span<const uint8_t> ImageCursor::Bytes(std::size_t count, std::string_view field) {
    Require(count, field);
    const std::span<const uint8_t> bytes = image_.subspan(position_, count);
    position_ += count;
    return bytes;
}

ImageOperand ImageCursor::Operand(std::string_view field) {
    Require(image_format::kOperandSize, field);
    ImageOperand operand;
    operand.Station = U8(field);
    operand.TypeCode = U8(field);
    operand.Number = U16(field);
    return operand;
}

ImageKeyAction ImageCursor::KeyAction(std::string_view field) {
    Require(image_format::kKeyActionBlockSize, field);
    ImageKeyAction action;
    action.Function = U8(field);
    action.Parameter = U8(field);
    action.Operand = Operand(field);
    action.PageNo = U16(field);
    action.Length = U8(field);
    action.SetValue = U32(field);
    return action;
}

ImageText ImageCursor::Text(std::string_view field) {
    const uint8_t length = U8(field);
    const std::span<const uint8_t> indexes = Bytes(length, field);
    return ImageText{std::vector<uint8_t>(indexes.begin(), indexes.end())};
}

ImageFlags NameBits(uint8_t bits, std::span<const char* const, 8> names) {
    ImageFlags flags{bits, {}};
    for (std::size_t k = 0; k < 8; ++k) {
        if ((bits >> k & 1) == 0) continue;
        const char* name = names[k];
        flags.Set.push_back(name != nullptr && *name != '\0' ? std::string(name)
                                                             : "bit " + std::to_string(k));
    }
    return flags;
}

}  // namespace qxed::image_reader
