// The element records of the image, kind by kind: each reader lists the fields in the order the panel
// reads them.
#include <array>
#include <utility>

#include "image/image_format.h"
#include "image/image_reader_cursor.h"

namespace qxed::image_reader {

namespace {

struct KindLayout {
    uint8_t Code;
    const char* Name;
    std::array<const char*, 8> AttributeBits;  // bit 0 first; empty: no meaning
};

// clang-format off
constexpr KindLayout kKindLayouts[] = {
//   code  name            bit 0      bit 1     bit 2        bit 3      bit 4     bit 5      bit 6      bit 7
    { 1, "Text",         {"Inverse", "Double", "",          "",        "",       "",        "",        ""}},
    { 2, "Reg",          {"Inverse", "Double", "Pre0",      "NeedSet", "Signed", "DecDisp", "Encrypt", "Float"}},
    { 3, "Lamp",         {"Inverse", "Double", "",          "",        "",       "",        "",        ""}},
    { 4, "FuncKey",      {"Inverse", "Double", "Disappear", "",        "",       "",        "Encrypt", ""}},
    { 5, "Trend",        {"Inverse", "Double", "",          "",        "Signed", "DecDisp", "",        "Float"}},
    { 6, "Bar",          {"Inverse", "Double", "",          "",        "Signed", "DecDisp", "",        "Float"}},
    { 7, "Pic/FontText", {"Inverse", "Double", "",          "",        "",       "",        "",        ""}},
    { 8, "VarText",      {"Inverse", "Double", "",          "",        "",       "DecDisp", "",        ""}},
    {10, "TouchKey",     {"Inverse", "Double", "Disappear", "Indicate", "",      "",        "Encrypt", ""}},
    {11, "VarFontText",  {"Inverse", "Double", "",          "",        "",       "DecDisp", "",        ""}},
    {12, "ASCIIText",    {"Inverse", "Double", "",          "",        "",       "",        "",        ""}},
};

// The second byte of a register record.
constexpr std::array<const char*, 8> kRegOptionBits = {"Limit", "Convert", "", "", "", "", "", ""};
// clang-format on

const KindLayout* FindLayout(uint8_t code) {
    for (const KindLayout& layout : kKindLayouts)
        if (layout.Code == code) return &layout;
    return nullptr;
}

// Reads fields one after the other and keeps each with its name, offset and size.
class RecordReader {
  public:
    RecordReader(ImageCursor& cursor, int modelIndex) : cursor_(cursor), model_(modelIndex) {}

    uint32_t Number(const std::string& name, int width) {
        const std::size_t start = cursor_.Position();
        uint32_t value = 0;
        switch (width) {
            case 1:
                value = cursor_.U8(name);
                break;
            case 2:
                value = cursor_.U16(name);
                break;
            default:
                value = cursor_.U32(name);
                break;
        }
        Add(name, start, value);
        return value;
    }
    uint32_t U8(const std::string& name) { return Number(name, 1); }
    uint32_t U16(const std::string& name) { return Number(name, 2); }
    uint32_t U32(const std::string& name) { return Number(name, 4); }
    uint32_t Coordinate(const std::string& name) {
        return Number(name, image_format::CoordinateWidth(model_));
    }

    ImageFlags Flags(const std::string& name, std::span<const char* const, 8> names) {
        const std::size_t start = cursor_.Position();
        ImageFlags flags = NameBits(cursor_.U8(name), names);
        Add(name, start, flags);
        return flags;
    }
    void Operand(const std::string& name) {
        const std::size_t start = cursor_.Position();
        Add(name, start, cursor_.Operand(name));
    }
    void KeyAction(const std::string& name) {
        const std::size_t start = cursor_.Position();
        Add(name, start, cursor_.KeyAction(name));
    }
    void Text(const std::string& name) {
        const std::size_t start = cursor_.Position();
        Add(name, start, cursor_.Text(name));
    }
    // A packed bitmap of w x h dots at the panel position (x0, y0), without a size word.
    void Bitmap(const std::string& name, uint32_t x0, uint32_t y0, uint32_t w, uint32_t h) {
        ImageBitmap shape;
        shape.RowLayout = image_format::UsesRowLayout(model_);
        shape.Shift = (shape.RowLayout ? x0 : y0) % 8;
        shape.Lines = shape.RowLayout ? h : w;
        shape.PerLine = ((shape.RowLayout ? w : h) + shape.Shift + 7) / 8;
        const uint64_t size = uint64_t{shape.Lines} * shape.PerLine;
        if (size > cursor_.End() - cursor_.Position())
            Refuse(cursor_.Region() + ": " + name + " at " + Where(cursor_.Position()) + " needs " +
                   std::to_string(size) + " bytes for " + std::to_string(w) + " x " + std::to_string(h) +
                   " dots, but the record ends at " + Where(cursor_.End()));
        shape.Size = static_cast<uint32_t>(size);
        SkipBitmap(name, shape);
    }
    // A packed bitmap of a given byte count.
    void SizedBitmap(const std::string& name, uint32_t size) {
        ImageBitmap shape;
        shape.RowLayout = image_format::UsesRowLayout(model_);
        shape.Size = size;
        SkipBitmap(name, shape);
    }

    std::vector<ImageField> Take() { return std::move(fields_); }

  private:
    void SkipBitmap(const std::string& name, const ImageBitmap& shape) {
        const std::size_t start = cursor_.Position();
        cursor_.Bytes(shape.Size, name);
        Add(name, start, shape);
    }
    void Add(const std::string& name, std::size_t start, ImageFieldValue value) {
        fields_.push_back(ImageField{name, static_cast<uint32_t>(start),
                                     static_cast<uint32_t>(cursor_.Position() - start), std::move(value)});
    }

    ImageCursor& cursor_;
    int model_;
    std::vector<ImageField> fields_;
};

bool HasBit(const ImageFlags& flags, int bit) {
    return (flags.Bits >> bit & 1) != 0;
}

void ReadReg(RecordReader& r) {
    const ImageFlags options = r.Flags("Options", kRegOptionBits);
    r.Operand("Address");
    r.U8("Length");
    r.U8("Digits");
    r.U8("DecimalDigits");
    const bool limit = HasBit(options, 0);
    const bool convert = HasBit(options, 1);
    if (limit || convert) {
        r.U32("UpLimit");
        r.U32("LowLimit");
    }
    if (convert) {
        r.U32("ValUpLimit");
        r.U32("ValLowLimit");
    }
}

void ReadLamp(RecordReader& r) {
    r.Operand("Coil");
    // Two bytes the panel expects as 2 and 2; shown so that a wrong value is seen.
    r.U8("(fixed)");
    r.U8("(fixed)");
    r.Text("Symbol");
    r.Text("OtherSymbol");
}

void ReadFuncKey(RecordReader& r) {
    r.KeyAction("Action");
    r.Text("Label");
}

// Trend and bar share everything up to the zero value.
void ReadGraph(RecordReader& r) {
    r.Operand("Address");
    r.U8("Length");
    r.U8("DecimalDigits");
    r.Coordinate("Width");
    r.Coordinate("Height");
    r.U32("FullValue");
    r.U32("ZeroValue");
}

void ReadTrend(RecordReader& r) {
    ReadGraph(r);
    r.U8("SamplePoints");
    r.U16("SamplePeriod");
}

void ReadBar(RecordReader& r) {
    ReadGraph(r);
    r.U8("Direct");
}

void ReadPicture(RecordReader& r, uint32_t x, uint32_t y) {
    const uint32_t width = r.Coordinate("Width");
    const uint32_t height = r.Coordinate("Height");
    r.Bitmap("Bitmap", x, y, width, height);
}

void ReadVarText(RecordReader& r) {
    r.Operand("Address");
    const uint32_t count = r.U8("Count");
    r.U8("MaxLen");
    for (uint32_t i = 0; i < count; ++i)
        r.Text("Texts[" + std::to_string(i) + "]");
}

void ReadTouchKey(RecordReader& r, const ImageFlags& attribute, uint32_t x, uint32_t y) {
    r.KeyAction("Action");
    const uint32_t width = r.Coordinate("Width");
    const uint32_t height = r.Coordinate("Height");
    // An invisible key keeps its size for touching but shows nothing. The label sits inside its frame.
    if (!HasBit(attribute, 2)) r.Bitmap("Bitmap", x + 3, y + 3, width, height);
}

void ReadVarFontText(RecordReader& r) {
    r.Operand("Address");
    const uint32_t count = r.U8("Count");
    r.U8("MaxWidth");
    r.U8("MaxHeight");
    for (uint32_t i = 0; i < count; ++i) {
        const std::string entry = "Texts[" + std::to_string(i) + "]";
        r.Coordinate(entry + ".Width");
        const uint32_t size = r.U16(entry + ".Size");
        r.SizedBitmap(entry + ".Bitmap", size);
    }
}

void ReadASCIIText(RecordReader& r) {
    r.Operand("Address");
    r.U8("Length");
    r.U8("CharNum");
}

}  // namespace

std::string_view ImageKindName(uint8_t kindCode) {
    const KindLayout* layout = FindLayout(kindCode);
    return layout != nullptr ? layout->Name : "unknown";
}

std::vector<ImageField> ReadElementRecord(ImageCursor& cursor, uint8_t kindCode, int modelIndex) {
    const KindLayout* layout = FindLayout(kindCode);
    if (layout == nullptr)
        Refuse(cursor.Region() + ": kind code " + std::to_string(kindCode) +
               ", expected 1..12 other than 9 (font texts are listed as pictures)");

    RecordReader r(cursor, modelIndex);
    const uint32_t x = r.Coordinate("X");
    const uint32_t y = r.Coordinate("Y");
    // A function key's key position takes the attribute's place; its attribute follows.
    if (kindCode == 4) r.U8("KeyPosition");
    const ImageFlags attribute = r.Flags("Attribute", layout->AttributeBits);

    switch (kindCode) {
        case 1:
            r.Text("Content");
            break;
        case 2:
            ReadReg(r);
            break;
        case 3:
            ReadLamp(r);
            break;
        case 4:
            ReadFuncKey(r);
            break;
        case 5:
            ReadTrend(r);
            break;
        case 6:
            ReadBar(r);
            break;
        case 7:
            ReadPicture(r, x, y);
            break;
        case 8:
            ReadVarText(r);
            break;
        case 10:
            ReadTouchKey(r, attribute, x, y);
            break;
        case 11:
            ReadVarFontText(r);
            break;
        case 12:
            ReadASCIIText(r);
            break;
        default:
            break;
    }
    return r.Take();
}

}  // namespace qxed::image_reader
