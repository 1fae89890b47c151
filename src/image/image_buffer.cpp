#include "image/image_buffer.h"

#include "image/image_format.h"

namespace qxed {

void ImageBuffer::Put(uint8_t byte) {
    if (overflowed_) return;
    if (bytes_.size() >= image_format::kWriteLimit) {
        overflowed_ = true;
        return;
    }
    bytes_.push_back(byte);
}

void ImageBuffer::U8(int64_t value) {
    if (value < 0 || value > 0xFF) {
        refused_ = true;
        value = 0;
    }
    Put(static_cast<uint8_t>(value));
}

void ImageBuffer::U16(int64_t value) {
    if (value < 0 || value > 0xFFFF) {
        refused_ = true;
        value = 0;
    }
    Put(static_cast<uint8_t>(value & 0xFF));
    Put(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void ImageBuffer::U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        Put(static_cast<uint8_t>((value >> shift) & 0xFF));
}

void ImageBuffer::Field(int64_t value, int width) {
    if (width == 2) {
        U16(value);
    } else {
        U8(value);
    }
}

bool ImageBuffer::Fits(uint64_t count) {
    if (overflowed_ || bytes_.size() + count > image_format::kWriteLimit) {
        overflowed_ = true;
        return false;
    }
    return true;
}

void ImageBuffer::Bytes(std::span<const uint8_t> bytes) {
    // A block that cannot fit is not copied byte by byte: the guard would stop it anyway.
    if (!Fits(bytes.size())) return;
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

}  // namespace qxed
