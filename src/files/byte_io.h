#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qxed {

// Raised inside the readers when a file does not hold what its version says; the load boundary turns it
// into the format message.
struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Appends little-endian fields to one growing buffer.
class ByteWriter {
  public:
    ByteWriter() = default;
    explicit ByteWriter(std::size_t expectedSize) { bytes_.reserve(expectedSize); }

    void U8(uint8_t value) { bytes_.push_back(value); }
    void I16(int16_t value) { U16(static_cast<uint16_t>(value)); }
    void U16(uint16_t value);
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void U32(uint32_t value);
    void Bytes(std::span<const uint8_t> bytes);
    void Zeros(std::size_t count);
    // A fixed slot of slotSize bytes: the length byte, at most slotSize - 1 bytes of the text (a longer
    // text is cut), zero padding.
    void TextSlot(std::string_view text, std::size_t slotSize);

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Data() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

// Reads little-endian fields from a buffer; every read that would pass the end throws FormatError.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint8_t U8();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint16_t U16();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint32_t U32();
    // The next count bytes, without copying them.
    std::span<const uint8_t> Bytes(std::size_t count);
    void Skip(std::size_t count) { Bytes(count); }
    // A fixed slot of slotSize bytes; a length byte above the capacity (slotSize - 1) is cut to the
    // capacity. The whole slot is consumed and nothing past it is read.
    std::string TextSlot(std::size_t slotSize);

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    // Throws unless count more bytes are there.
    void Require(std::size_t count) const;

  private:
    std::span<const uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace qxed
