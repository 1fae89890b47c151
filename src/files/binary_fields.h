#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/byte_io.h"
#include "files/record_fields.h"

// The project file's side of the shared field lists: a visitor that writes the fields in stored order and
// one that reads them back. Ints, colours and counts take four bytes, flags one, a text its slot of
// capacity + 1 bytes.
namespace qxed::records {

constexpr std::size_t SlotOf(int capacity) {
    return static_cast<std::size_t>(capacity) + 1;
}

class FieldWriter {
  public:
    explicit FieldWriter(ByteWriter& out) : out_(out) {}

    void Int(const char*, int32_t value) { out_.I32(value); }
    void Byte(const char*, uint8_t value) { out_.U8(value); }
    void Color(const char*, uint32_t value) { out_.U32(value); }
    void Address(const char*, const PlcAddress& address) { fields::VisitFields(*this, address); }
    void Action(const char*, const KeyAction& action) { fields::VisitFields(*this, action); }
    void Font(const char*, const FontDesc& font) { fields::VisitFields(*this, font); }
    void Text(const char*, const std::string& text, int capacity) { out_.TextSlot(text, SlotOf(capacity)); }
    // Only the used entries are stored, at most a table's worth.
    void TextTable(const char*, const char*, int32_t count, const VarTextTable& texts, int capacity);
    // The length, then the BMP file as it was loaded.
    void Bitmap(const char*, const std::vector<uint8_t>& bmp);

  private:
    ByteWriter& out_;
};

// Every count is checked against its table and the bytes left, and a picture must decode; FormatError
// otherwise.
class FieldReader {
  public:
    explicit FieldReader(ByteReader& in) : in_(in) {}

    void Int(const char*, int32_t& field) { field = in_.I32(); }
    void Byte(const char*, uint8_t& field) { field = in_.U8(); }
    void Color(const char*, uint32_t& field) { field = in_.U32(); }
    void Address(const char*, PlcAddress& address) { fields::VisitFields(*this, address); }
    void Action(const char*, KeyAction& action) { fields::VisitFields(*this, action); }
    // The stored size decides the height, whatever height is stored with it.
    void Font(const char*, FontDesc& font);
    void Text(const char*, std::string& field, int capacity) { field = in_.TextSlot(SlotOf(capacity)); }
    // The entries past the count are left empty.
    void TextTable(const char*, const char*, int32_t& count, VarTextTable& texts, int capacity);
    void Bitmap(const char*, std::vector<uint8_t>& bmp);

  private:
    ByteReader& in_;
};

}  // namespace qxed::records
