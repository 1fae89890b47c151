#include "files/byte_io.h"

#include <algorithm>

namespace qxed {

void ByteWriter::U16(uint16_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    bytes_.insert(bytes_.end(), b, b + 2);
}

void ByteWriter::U32(uint32_t value) {
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    bytes_.insert(bytes_.end(), b, b + 4);
}

void ByteWriter::Bytes(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::Zeros(std::size_t count) {
    bytes_.resize(bytes_.size() + count, 0);
}

void ByteWriter::TextSlot(std::string_view text, std::size_t slotSize) {
    if (slotSize == 0) return;
    const std::size_t length = std::min({text.size(), slotSize - 1, std::size_t{255}});
    U8(static_cast<uint8_t>(length));
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    bytes_.insert(bytes_.end(), data, data + length);
    Zeros(slotSize - 1 - length);
}

void ByteReader::Require(std::size_t count) const {
    if (count > Remaining()) throw FormatError("unexpected end of file");
}

uint8_t ByteReader::U8() {
    Require(1);
    return bytes_[position_++];
}

uint16_t ByteReader::U16() {
    Require(2);
    const uint16_t value = static_cast<uint16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
    position_ += 2;
    return value;
}

uint32_t ByteReader::U32() {
    Require(4);
    const uint32_t value = uint32_t{bytes_[position_]} | (uint32_t{bytes_[position_ + 1]} << 8) |
                           (uint32_t{bytes_[position_ + 2]} << 16) | (uint32_t{bytes_[position_ + 3]} << 24);
    position_ += 4;
    return value;
}

std::span<const uint8_t> ByteReader::Bytes(std::size_t count) {
    Require(count);
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

std::string ByteReader::TextSlot(std::size_t slotSize) {
    const auto slot = Bytes(slotSize);
    if (slot.empty()) return {};
    const std::size_t length = std::min<std::size_t>(slot[0], slotSize - 1);
    return std::string(reinterpret_cast<const char*>(slot.data() + 1), length);
}

}  // namespace qxed
