#include "files/binary_fields.h"

#include <algorithm>

#include "files/project_records.h"
#include "gfx/raster_image.h"

namespace qxed::records {

void FieldWriter::TextTable(const char*, const char*, int32_t count, const VarTextTable& texts,
                            int capacity) {
    const int32_t stored = std::clamp<int32_t>(count, 0, kVarTextEntries);
    out_.I32(stored);
    for (int32_t i = 0; i < stored; ++i)
        out_.TextSlot(texts[static_cast<std::size_t>(i)], SlotOf(capacity));
}

void FieldWriter::Bitmap(const char*, const std::vector<uint8_t>& bmp) {
    out_.I32(static_cast<int32_t>(bmp.size()));
    out_.Bytes(bmp);
}

void FieldReader::Font(const char*, FontDesc& font) {
    fields::VisitFields(*this, font);
    // Height first and size last, so that the stored size decides the height.
    const int32_t size = font.Size;
    font.SetHeight(font.Height);
    font.SetSize(size);
}

void FieldReader::TextTable(const char*, const char*, int32_t& count, VarTextTable& texts, int capacity) {
    const std::size_t slotSize = SlotOf(capacity);
    count = ReadCount(in_, slotSize, kVarTextEntries);
    texts.Clear();
    for (int32_t i = 0; i < count; ++i)
        texts[static_cast<std::size_t>(i)] = in_.TextSlot(slotSize);
}

void FieldReader::Bitmap(const char*, std::vector<uint8_t>& bmp) {
    const int32_t length = in_.I32();
    if (length < 0) throw FormatError("negative picture length");
    const auto bytes = in_.Bytes(static_cast<std::size_t>(length));
    // An empty picture is how a picture element without a bitmap is stored.
    if (!bytes.empty() && !DecodeBmp(bytes)) throw FormatError("picture does not decode");
    bmp.assign(bytes.begin(), bytes.end());
}

}  // namespace qxed::records
