#include "image/image_element_records.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "image/bitmap_packing.h"
#include "image/image_format.h"
#include "image/operand_encoding.h"
#include "image/text_bitmap.h"
#include "image/text_encoding.h"
#include "model/editor_units.h"
#include "model/element_symbols.h"
#include "model/panel_model.h"

namespace qxed {

namespace {

// Attribute bits that kinds add to bit 0 (inverse) and bit 1 (double).
constexpr uint8_t kDisappearBit = 0x04;
constexpr uint8_t kPre0Bit = 0x04;
constexpr uint8_t kIndicateBit = 0x08;
constexpr uint8_t kNeedSetBit = 0x08;
constexpr uint8_t kSignedBit = 0x10;
constexpr uint8_t kDecDispBit = 0x20;
constexpr uint8_t kEncryptBit = 0x40;
constexpr uint8_t kFloatBit = 0x80;

// Offsets of a touch key's label inside its frame, in panel dots.
constexpr int kTouchLabelOffset = 3;

uint8_t FlagBit(uint8_t flag, uint8_t bit) {
    return flag != 0 ? bit : 0;
}

// Writes the fields of one record with the element's position, the model's scale and layout at hand.
class RecordWriter {
  public:
    RecordWriter(ImageBuffer& out, const Element& element, const RecordContext& context)
        : out_(out), element_(element), context_(context) {
        const PanelModel* model = FindPanelModel(context.ModelIndex);
        if (model == nullptr) {
            out_.Refuse();
        } else {
            scale_ = model->PreviewScale;
        }
        coordinateWidth_ = image_format::CoordinateWidth(context.ModelIndex);
        rowLayout_ = image_format::UsesRowLayout(context.ModelIndex);
        x0_ = Dots(element.X);
        y0_ = Dots(element.Y);
    }

    ImageBuffer& Out() { return out_; }
    const Element& Subject() const { return element_; }
    const RecordContext& Context() const { return context_; }
    int X0() const { return x0_; }
    int Y0() const { return y0_; }

    int Dots(int32_t editorUnits) const { return ToPanelDots(editorUnits, scale_); }

    void Position() {
        Coordinate(x0_);
        Coordinate(y0_);
    }
    // A position or size in panel dots, at the model's coordinate width.
    void Coordinate(int64_t dots) { out_.Field(dots, coordinateWidth_); }
    void Attribute(uint8_t kindBits) {
        out_.U8(FlagBit(element_.Inverse, 0x01) | FlagBit(element_.Double, 0x02) | kindBits);
    }
    void WordOperand(const PlcAddress& address) { out_.Bytes(EncodeWordOperand(address, context_.PlcType)); }
    void BitOperand(const PlcAddress& address) { out_.Bytes(EncodeBitOperand(address, context_.PlcType)); }
    // Registers x register width; a length beyond one byte is refused, never wrapped.
    void LengthByte(int32_t registers, const PlcAddress& address) {
        out_.U8(OperandLength(registers, address, context_.PlcType));
    }
    void Action(const KeyAction& action) {
        const int64_t length = OperandLength(action.RegNum, action.RegAddress, context_.PlcType);
        if (length < 0 || length > 0xFF || action.PageNo < 0 || action.PageNo > 0xFFFF) out_.Refuse();
        out_.Bytes(KeyActionBlock(action, context_.PlcType));
    }
    void Text(std::string_view bytes) { Put(EncodeText(bytes, context_.Sets, context_.LanguageCode)); }
    void SymbolText(std::string_view bytes) { Put(EncodeSymbolText(bytes, context_.Sets)); }

    // Packs a bitmap of the given size for the panel position (x, y); the bitmap is made only when its packed
    // bytes can still fit, since a huge one would only trip the guard.
    template <class MakeBitmap>
    void Packed(int width, int height, int x, int y, bool withSize, MakeBitmap makeBitmap) {
        const int64_t size = PackedSize(width, height, x, y, rowLayout_);
        if (withSize) out_.U16(size);
        if (size == 0 || !out_.Fits(static_cast<uint64_t>(size))) return;
        out_.Bytes(PackBitmap(makeBitmap(), x, y, rowLayout_));
    }

    // A text drawn with a font: its width, optionally its height, then the packed dots.
    void FontBitmap(const FontDesc& font, std::string_view bytes, bool withHeight, bool withSize,
                    bool withBits, int x, int y) {
        const Size size = TextBitmapSize(font, bytes, context_.TextCodePage);
        Coordinate(size.Width);
        if (withHeight) Coordinate(size.Height);
        if (!withBits || !out_.Sound()) return;
        Packed(size.Width, size.Height, x, y, withSize,
               [&] { return TextBitmap(font, bytes, context_.TextCodePage, element_.Inverse != 0); });
    }

  private:
    void Put(const std::optional<std::vector<uint8_t>>& encoded) {
        if (!encoded) {
            out_.Refuse();
            return;
        }
        out_.Bytes(*encoded);
    }

    ImageBuffer& out_;
    const Element& element_;
    const RecordContext& context_;
    int scale_ = 16;
    int coordinateWidth_ = 1;
    bool rowLayout_ = false;
    int x0_ = 0;
    int y0_ = 0;
};

void WriteText(RecordWriter& w, const TextFields& f) {
    w.Attribute(0);
    w.Text(f.Content);
}

void WriteReg(RecordWriter& w, const RegFields& f) {
    w.Attribute(FlagBit(f.Pre0, kPre0Bit) | FlagBit(f.NeedSet, kNeedSetBit) |
                (f.Unsigned == 0 ? kSignedBit : 0) | FlagBit(f.DecDisp, kDecDispBit) |
                FlagBit(f.Encrypt, kEncryptBit) | FlagBit(f.Float, kFloatBit));
    ImageBuffer& out = w.Out();
    out.U8(FlagBit(f.Limit, 0x01) | FlagBit(f.Convert, 0x02));
    w.WordOperand(f.Address);
    w.LengthByte(f.Num, f.Address);
    out.U8(f.Digits);
    out.U8(f.DecimalDigits);
    if (f.Limit != 0 || f.Convert != 0) {
        out.I32(f.UpLimit);
        out.I32(f.LowLimit);
    }
    if (f.Convert != 0) {
        out.I32(f.ValUpLimit);
        out.I32(f.ValLowLimit);
    }
}

void WriteLamp(RecordWriter& w, const LampFields& f) {
    w.Attribute(0);
    w.BitOperand(f.Coil);
    w.Out().U8(2);
    w.Out().U8(2);
    const Language& texts = w.Context().Texts;
    const bool positive = f.PosLogic != 0;
    w.SymbolText(LampSymbol(texts, f.LampType, positive));
    w.SymbolText(LampSymbol(texts, f.LampType, !positive));
}

void WriteFuncKey(RecordWriter& w, const FuncKeyFields& f) {
    const KeyAction& a = f.Action;
    // The key's position stands where other kinds have their attribute byte.
    w.Out().U8(KeyPosition(a.Key));
    w.Attribute(FlagBit(a.Disappear, kDisappearBit) | FlagBit(a.Encrypt, kEncryptBit));
    w.Action(a);
    w.SymbolText(KeySymbol(w.Context().Texts, a.Key, a.WithHand != 0));
}

// The fields trends and bars share, up to the zero value.
void WriteGraph(RecordWriter& w, const GraphFields& f) {
    w.Attribute((f.Unsigned == 0 ? kSignedBit : 0) | FlagBit(f.DecDisp, kDecDispBit) |
                FlagBit(f.Float, kFloatBit));
    w.WordOperand(f.Address);
    w.LengthByte(f.Num, f.Address);
    w.Out().U8(f.DecimalDigits);
    w.Coordinate(w.Dots(f.Width));
    w.Coordinate(w.Dots(f.Height));
    w.Out().I32(f.FullValue);
    w.Out().I32(f.ZeroValue);
}

void WriteTrend(RecordWriter& w, const TrendFields& f) {
    WriteGraph(w, f);
    w.Out().U8(f.SamplePoints);
    w.Out().U16(f.SamplePeriod);
}

void WriteBar(RecordWriter& w, const BarFields& f) {
    WriteGraph(w, f);
    w.Out().U8(f.Direct);
}

void WritePic(RecordWriter& w, const PicFields& f) {
    w.Attribute(0);
    const int width = w.Dots(f.Width);
    const int height = w.Dots(f.Height);
    w.Coordinate(width);
    w.Coordinate(height);
    if (!w.Out().Sound()) return;
    w.Packed(width, height, w.X0(), w.Y0(), false, [&] { return PictureBitmap(f.Bitmap, width, height); });
}

void WriteVarText(RecordWriter& w, const VarTextFields& f) {
    w.Attribute(FlagBit(f.DecDisp, kDecDispBit));
    w.WordOperand(f.Address);
    w.Out().U8(f.Count);
    w.Out().U8(f.MaxLen);
    const int count = std::clamp<int32_t>(f.Count, 0, kVarTextEntries);
    for (int i = 0; i < count; ++i)
        w.Text(f.Texts[static_cast<std::size_t>(i)]);
}

void WriteFontText(RecordWriter& w, const FontTextFields& f) {
    w.Attribute(0);
    w.FontBitmap(f.Font, f.Content, true, false, true, w.X0(), w.Y0());
}

void WriteTouchKey(RecordWriter& w, const TouchKeyFields& f) {
    const KeyAction& a = f.Action;
    w.Attribute(FlagBit(a.Disappear, kDisappearBit) | FlagBit(f.Indicate, kIndicateBit) |
                FlagBit(a.Encrypt, kEncryptBit));
    w.Action(a);
    // An invisible key keeps its size but sends no label.
    w.FontBitmap(f.Font, f.Content, true, false, a.Disappear == 0, w.X0() + kTouchLabelOffset,
                 w.Y0() + kTouchLabelOffset);
}

void WriteVarFontText(RecordWriter& w, const VarFontTextFields& f) {
    w.Attribute(FlagBit(f.DecDisp, kDecDispBit));
    w.WordOperand(f.Address);
    w.Out().U8(f.Count);
    // Always one byte each, whatever the coordinate width.
    w.Out().U8(w.Dots(f.MaxWidth));
    w.Out().U8(w.Dots(f.MaxHeight));
    const int count = std::clamp<int32_t>(f.Count, 0, kVarTextEntries);
    for (int i = 0; i < count && w.Out().Sound(); ++i)
        w.FontBitmap(f.Font, f.Texts[static_cast<std::size_t>(i)], false, true, true, w.X0(), w.Y0());
}

void WriteASCIIText(RecordWriter& w, const ASCIITextFields& f) {
    w.Attribute(0);
    w.WordOperand(f.Address);
    w.LengthByte(f.Num, f.Address);
    w.Out().U8(f.CharNum);
}

// Calls the kind's serialiser with its fields; an element whose fields are not its kind's is refused.
template <class Fields, void (*Write)(RecordWriter&, const Fields&)>
void Dispatch(RecordWriter& w) {
    const Fields* fields = w.Subject().template If<Fields>();
    if (fields == nullptr) {
        w.Out().Refuse();
        return;
    }
    Write(w, *fields);
}

struct KindRecord {
    ElementKind Kind;
    uint8_t DirectoryCode;
    void (*Write)(RecordWriter&);
};

constexpr std::array<KindRecord, 12> kKindRecords = {{
    {ElementKind::Text, 1, Dispatch<TextFields, WriteText>},
    {ElementKind::Reg, 2, Dispatch<RegFields, WriteReg>},
    {ElementKind::Lamp, 3, Dispatch<LampFields, WriteLamp>},
    {ElementKind::FuncKey, 4, Dispatch<FuncKeyFields, WriteFuncKey>},
    {ElementKind::Trend, 5, Dispatch<TrendFields, WriteTrend>},
    {ElementKind::Bar, 6, Dispatch<BarFields, WriteBar>},
    {ElementKind::Pic, 7, Dispatch<PicFields, WritePic>},
    {ElementKind::VarText, 8, Dispatch<VarTextFields, WriteVarText>},
    {ElementKind::FontText, image_format::kFontTextImageKind, Dispatch<FontTextFields, WriteFontText>},
    {ElementKind::TouchKey, 10, Dispatch<TouchKeyFields, WriteTouchKey>},
    {ElementKind::VarFontText, 11, Dispatch<VarFontTextFields, WriteVarFontText>},
    {ElementKind::ASCIIText, 12, Dispatch<ASCIITextFields, WriteASCIIText>},
}};

const KindRecord* FindKindRecord(int32_t kindCode) {
    for (const KindRecord& record : kKindRecords) {
        if (static_cast<int32_t>(record.Kind) == kindCode) return &record;
    }
    return nullptr;
}

}  // namespace

std::optional<uint8_t> DirectoryKind(int32_t kindCode) {
    const KindRecord* record = FindKindRecord(kindCode);
    if (record == nullptr) return std::nullopt;
    return record->DirectoryCode;
}

void WriteElementRecord(ImageBuffer& out, const Element& element, const RecordContext& context) {
    const KindRecord* record = FindKindRecord(element.Kind);
    if (record == nullptr) {
        out.Refuse();
        return;
    }
    RecordWriter writer(out, element, context);
    writer.Position();
    record->Write(writer);
}

}  // namespace qxed
