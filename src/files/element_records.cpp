#include "files/element_records.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "files/project_records.h"
#include "gfx/raster_image.h"
#include "model/element_defaults.h"

namespace qxed::records {

namespace {

// The fields of a kind with their plain defaults: the alternative whose index is the kind code.
template <std::size_t... I>
ElementFields FieldsOfKind(std::size_t kind, std::index_sequence<I...>) {
    ElementFields fields;
    ((kind == I ? (fields.emplace<I>(), 0) : 0), ...);
    return fields;
}

ElementFields FieldsOfKind(int32_t kind) {
    if (!IsKnownKind(kind)) return {};
    return FieldsOfKind(static_cast<std::size_t>(kind),
                        std::make_index_sequence<std::variant_size_v<ElementFields>>{});
}

int32_t StoredCount(int32_t count) {
    return std::clamp<int32_t>(count, 0, kVarTextEntries);
}

// Writing, one overload per kind.

void WriteData(ByteWriter&, const std::monostate&) {}

void WriteData(ByteWriter& out, const TextFields& f) {
    out.TextSlot(f.Content, kShortTextSlot);
}

void WriteData(ByteWriter& out, const RegFields& f) {
    WritePlcAddress(out, f.Address);
    out.I32(f.Num);
    out.I32(f.Digits);
    out.I32(f.DecimalDigits);
    out.U8(f.Pre0);
    out.U8(f.Float);
    out.U8(f.DecDisp);
    out.U8(f.Unsigned);
    out.U8(f.NeedSet);
    out.U8(f.Encrypt);
    out.U8(f.Limit);
    out.U8(f.Convert);
    out.I32(f.UpLimit);
    out.I32(f.LowLimit);
    out.I32(f.ValUpLimit);
    out.I32(f.ValLowLimit);
}

void WriteData(ByteWriter& out, const LampFields& f) {
    out.I32(f.LampType);
    WritePlcAddress(out, f.Coil);
    out.U8(f.PosLogic);
}

void WriteData(ByteWriter& out, const FuncKeyFields& f) {
    WriteKeyAction(out, f.Action);
}

void WriteGraph(ByteWriter& out, const GraphFields& f) {
    WritePlcAddress(out, f.Address);
    out.I32(f.Num);
    out.U8(f.DecDisp);
    out.U8(f.Unsigned);
    out.U8(f.Float);
    out.I32(f.DecimalDigits);
    out.I32(f.Width);
    out.I32(f.Height);
    out.I32(f.ZeroValue);
    out.I32(f.FullValue);
}

void WriteData(ByteWriter& out, const TrendFields& f) {
    WriteGraph(out, f);
    out.I32(f.SamplePoints);
    out.I32(f.SamplePeriod);
}

void WriteData(ByteWriter& out, const BarFields& f) {
    WriteGraph(out, f);
    out.I32(f.Direct);
}

void WriteData(ByteWriter& out, const PicFields& f) {
    out.I32(f.Width);
    out.I32(f.Height);
    out.I32(static_cast<int32_t>(f.Bitmap.size()));
    out.Bytes(f.Bitmap);
}

void WriteTexts(ByteWriter& out, const VarTextTable& texts, int32_t count, std::size_t slotSize) {
    out.I32(count);
    for (int32_t i = 0; i < count; ++i)
        out.TextSlot(texts[i], slotSize);
}

void WriteData(ByteWriter& out, const VarTextFields& f) {
    WritePlcAddress(out, f.Address);
    out.U8(f.DecDisp);
    WriteTexts(out, f.Texts, StoredCount(f.Count), kShortTextSlot);
    out.I32(f.MaxLen);
}

void WriteData(ByteWriter& out, const FontTextFields& f) {
    out.TextSlot(f.Content, kLongTextSlot);
    WriteStoredFont(out, f.Font);
}

void WriteData(ByteWriter& out, const TouchKeyFields& f) {
    out.TextSlot(f.Content, kLongTextSlot);
    WriteStoredFont(out, f.Font);
    WriteKeyAction(out, f.Action);
    out.U8(f.Indicate);
}

void WriteData(ByteWriter& out, const VarFontTextFields& f) {
    WritePlcAddress(out, f.Address);
    out.U8(f.DecDisp);
    WriteTexts(out, f.Texts, StoredCount(f.Count), kLongTextSlot);
    WriteStoredFont(out, f.Font);
    out.I32(f.MaxWidth);
    out.I32(f.MaxHeight);
}

void WriteData(ByteWriter& out, const ASCIITextFields& f) {
    WritePlcAddress(out, f.Address);
    out.I32(f.Num);
    out.I32(f.CharNum);
}

// Reading, one overload per kind.

void ReadData(ByteReader&, std::monostate&) {}

void ReadData(ByteReader& in, TextFields& f) {
    f.Content = in.TextSlot(kShortTextSlot);
}

void ReadData(ByteReader& in, RegFields& f) {
    f.Address = ReadPlcAddress(in);
    f.Num = in.I32();
    f.Digits = in.I32();
    f.DecimalDigits = in.I32();
    f.Pre0 = in.U8();
    f.Float = in.U8();
    f.DecDisp = in.U8();
    f.Unsigned = in.U8();
    f.NeedSet = in.U8();
    f.Encrypt = in.U8();
    f.Limit = in.U8();
    f.Convert = in.U8();
    f.UpLimit = in.I32();
    f.LowLimit = in.I32();
    f.ValUpLimit = in.I32();
    f.ValLowLimit = in.I32();
}

void ReadData(ByteReader& in, LampFields& f) {
    f.LampType = in.I32();
    f.Coil = ReadPlcAddress(in);
    f.PosLogic = in.U8();
}

void ReadData(ByteReader& in, FuncKeyFields& f) {
    ReadKeyAction(in, f.Action);
}

void ReadGraph(ByteReader& in, GraphFields& f) {
    f.Address = ReadPlcAddress(in);
    f.Num = in.I32();
    f.DecDisp = in.U8();
    f.Unsigned = in.U8();
    f.Float = in.U8();
    f.DecimalDigits = in.I32();
    f.Width = in.I32();
    f.Height = in.I32();
    f.ZeroValue = in.I32();
    f.FullValue = in.I32();
}

void ReadData(ByteReader& in, TrendFields& f) {
    ReadGraph(in, f);
    f.SamplePoints = in.I32();
    f.SamplePeriod = in.I32();
}

void ReadData(ByteReader& in, BarFields& f) {
    ReadGraph(in, f);
    f.Direct = in.I32();
}

void ReadData(ByteReader& in, PicFields& f) {
    f.Width = in.I32();
    f.Height = in.I32();
    const int32_t length = in.I32();
    if (length < 0) throw FormatError("negative picture length");
    const auto bmp = in.Bytes(static_cast<std::size_t>(length));
    // An empty picture is how a picture element without a bitmap is stored.
    if (!bmp.empty() && !DecodeBmp(bmp)) throw FormatError("picture does not decode");
    f.Bitmap.assign(bmp.begin(), bmp.end());
}

// Only the used entries are stored; the others are left empty.
int32_t ReadTexts(ByteReader& in, VarTextTable& texts, std::size_t slotSize) {
    const int32_t count = ReadCount(in, slotSize, kVarTextEntries);
    texts.Clear();
    for (int32_t i = 0; i < count; ++i)
        texts[i] = in.TextSlot(slotSize);
    return count;
}

void ReadData(ByteReader& in, VarTextFields& f) {
    f.Address = ReadPlcAddress(in);
    f.DecDisp = in.U8();
    f.Count = ReadTexts(in, f.Texts, kShortTextSlot);
    f.MaxLen = in.I32();
}

void ReadData(ByteReader& in, FontTextFields& f) {
    f.Content = in.TextSlot(kLongTextSlot);
    f.Font = ReadStoredFont(in);
}

void ReadData(ByteReader& in, TouchKeyFields& f) {
    f.Content = in.TextSlot(kLongTextSlot);
    f.Font = ReadStoredFont(in);
    ReadKeyAction(in, f.Action);
    f.Indicate = in.U8();
}

void ReadData(ByteReader& in, VarFontTextFields& f) {
    f.Address = ReadPlcAddress(in);
    f.DecDisp = in.U8();
    f.Count = ReadTexts(in, f.Texts, kLongTextSlot);
    f.Font = ReadStoredFont(in);
    f.MaxWidth = in.I32();
    f.MaxHeight = in.I32();
}

void ReadData(ByteReader& in, ASCIITextFields& f) {
    f.Address = ReadPlcAddress(in);
    f.Num = in.I32();
    f.CharNum = in.I32();
}

}  // namespace

ElementHeader ReadElementHeader(ByteReader& in) {
    ElementHeader header;
    header.X = in.I32();
    header.Y = in.I32();
    header.Double = in.U8();
    header.Inverse = in.U8();
    header.Kind = in.I32();
    return header;
}

Element MakeElement(const Project& project, const ElementHeader& header) {
    Element element = NewElementForReading(project, header.Kind);
    element.X = header.X;
    element.Y = header.Y;
    element.Double = header.Double;
    element.Inverse = header.Inverse;
    element.Kind = header.Kind;
    // The data that follows is read by the kind code: the fields must be of that kind.
    if (element.Fields.index() != static_cast<std::size_t>(IsKnownKind(header.Kind) ? header.Kind : 0)) {
        element.Fields = FieldsOfKind(header.Kind);
    }
    return element;
}

void WriteElement(ByteWriter& out, const Element& element) {
    const std::size_t fieldsKind = element.Fields.index();
    // Fields decide the kind; an element without fields keeps its code and, for a known kind, gets that
    // kind's plain data so that the record stays readable.
    const int32_t kind = fieldsKind != 0 ? static_cast<int32_t>(fieldsKind) : element.Kind;
    out.I32(element.X);
    out.I32(element.Y);
    out.U8(element.Double);
    out.U8(element.Inverse);
    out.I32(kind);
    if (fieldsKind == 0 && IsKnownKind(kind)) {
        std::visit([&out](const auto& fields) { WriteData(out, fields); }, FieldsOfKind(kind));
    } else {
        std::visit([&out](const auto& fields) { WriteData(out, fields); }, element.Fields);
    }
}

void ReadElementData(ByteReader& in, Element& element) {
    std::visit([&in](auto& fields) { ReadData(in, fields); }, element.Fields);
}

}  // namespace qxed::records
