#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qxed {

// A work buffer of the image build. Every byte goes through one guarded advance: a buffer that would grow to
// the write limit stops there and is marked as overflowing. Numbers that do not fit their field are never
// wrapped: they mark the buffer as refused instead. Either mark turns the build into the "please adjust the
// project" message.
class ImageBuffer {
  public:
    // Room for `capacity` bytes up front, so that a build short of memory fails while sizing.
    void Reserve(std::size_t capacity) { bytes_.reserve(capacity); }

    // Little-endian fields, checked against the field's range.
    void U8(int64_t value);
    void U16(int64_t value);
    // Any 32-bit pattern: signed values travel as their two's complement.
    void U32(uint32_t value);
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    // A coordinate or size in panel dots, one or two bytes wide.
    void Field(int64_t value, int width);
    void Bytes(std::span<const uint8_t> bytes);

    // True when `count` more bytes still fit below the write limit; otherwise marks the overflow, so that a
    // block too large for the buffer is refused before it is made.
    bool Fits(uint64_t count);

    // Marks a value that has no valid image form.
    void Refuse() { refused_ = true; }

    std::size_t Size() const { return bytes_.size(); }
    std::span<const uint8_t> Data() const { return bytes_; }
    bool Overflowed() const { return overflowed_; }
    bool Refused() const { return refused_; }
    // Neither mark is set: the content is exact.
    bool Sound() const { return !overflowed_ && !refused_; }

  private:
    void Put(uint8_t byte);

    std::vector<uint8_t> bytes_;
    bool overflowed_ = false;
    bool refused_ = false;
};

}  // namespace qxed
