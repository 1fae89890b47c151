#include "image/image_element_records.h"

#include <gtest/gtest.h>

#include "image/bitmap_packing.h"
#include "image/image_fixture.h"
#include "image/text_bitmap.h"
#include "model/element_symbols.h"
#include "text/language.h"

namespace qxed {
namespace {

using testing::Units;
using Bytes = std::vector<uint8_t>;

constexpr int kRowModel = 2;  // QX420: two-byte coordinates, row layout, Z 20
// QX210 and QX220: one-byte coordinates, column layout, Z 36.
constexpr int kColumnModels[] = {0, 1};

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The position (16, 32) in panel dots as each layout writes it.
Bytes RowPosition() {
    return {0x10, 0x00, 0x20, 0x00};
}
Bytes ColumnPosition() {
    return {0x10, 0x20};
}

template <class Fields>
Element Place(ElementKind kind, int model, int x = 16, int y = 32) {
    Element element;
    element.Kind = static_cast<int32_t>(kind);
    element.Fields.emplace<Fields>();
    element.X = Units(x, model);
    element.Y = Units(y, model);
    return element;
}

// The character sets hold "A" and "B" and the symbols the lamp and key below show: the round lamp's two
// states (A1F0, A1F1), the hand (A2AB) and F1 (A5F9), at double-byte positions 0..3.
class ElementRecordTest : public ::testing::Test {
  protected:
    ElementRecordTest() {
        sets.AddText("AB", TextLanguage::En);
        sets.AddSymbolText(LampSymbol(texts, 0, true));
        sets.AddSymbolText(LampSymbol(texts, 0, false));
        sets.AddSymbolText(KeySymbol(texts, 22, true));
    }

    ImageBuffer Write(const Element& element, int model) {
        ImageBuffer out;
        WriteElementRecord(out, element, {sets, texts, TextLanguage::En, model, 3});
        return out;
    }
    Bytes Record(const Element& element, int model) {
        ImageBuffer out = Write(element, model);
        EXPECT_TRUE(out.Sound());
        return Bytes(out.Data().begin(), out.Data().end());
    }
    bool Refused(const Element& element, int model) { return Write(element, model).Refused(); }

    // Checks one kind on the row-layout model and on the column-layout models.
    template <class Make>
    void Expect(Make make, const Bytes& rowRecord, const Bytes& columnRecord) {
        EXPECT_EQ(Record(make(kRowModel), kRowModel), rowRecord);
        for (int model : kColumnModels)
            EXPECT_EQ(Record(make(model), model), columnRecord) << "model " << model;
    }

    Language texts;
    CharacterSets sets;
};

TEST_F(ElementRecordTest, TextEncodesItsContent) {
    auto make = [](int model) {
        Element e = Place<TextFields>(ElementKind::Text, model);
        e.Inverse = 1;
        e.Double = 1;
        e.As<TextFields>().Content = "BA";
        return e;
    };
    const Bytes tail = {0x03, 0x02, 0x01, 0x00};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

TEST_F(ElementRecordTest, RegisterWithConversionCarriesBothLimitPairs) {
    auto make = [](int model) {
        Element e = Place<RegFields>(ElementKind::Reg, model);
        e.Inverse = 1;
        RegFields& r = e.As<RegFields>();
        r.Address = {1, 2, 0x1234};
        r.Num = 2;
        r.Digits = 5;
        r.DecimalDigits = 2;
        r.Pre0 = 1;
        r.NeedSet = 1;
        r.Unsigned = 0;
        r.DecDisp = 1;
        r.Encrypt = 1;
        r.Float = 0;
        r.Limit = 0;
        r.Convert = 1;
        r.UpLimit = 1000;
        r.LowLimit = -1;
        r.ValUpLimit = 70000;
        r.ValLowLimit = -2;
        return e;
    };
    const Bytes tail = {0x7D, 0x02, 0x01, 0x02, 0x34, 0x12, 0x04, 0x05, 0x02, 0xE8, 0x03, 0x00, 0x00,
                        0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, 0xFE, 0xFF, 0xFF, 0xFF};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

TEST_F(ElementRecordTest, RegisterWithoutLimitOrConversionEndsAfterItsDigits) {
    Element e = Place<RegFields>(ElementKind::Reg, kRowModel);
    RegFields& r = e.As<RegFields>();
    r.Address = {1, 0, 5};
    r.Float = 1;
    r.UpLimit = 99;
    EXPECT_EQ(Record(e, kRowModel),
              Concat(RowPosition(), {0xA0, 0x00, 0x01, 0x00, 0x05, 0x00, 0x02, 0x05, 0x00}));
    r.Limit = 1;
    EXPECT_EQ(Record(e, kRowModel).size(), RowPosition().size() + 9 + 8);
}

TEST_F(ElementRecordTest, LampShowsItsCurrentStateFirst) {
    auto make = [](int model) {
        Element e = Place<LampFields>(ElementKind::Lamp, model);
        e.Double = 1;
        LampFields& l = e.As<LampFields>();
        l.LampType = 0;
        l.PosLogic = 0;
        l.Coil = {2, 1, 300};
        return e;
    };
    // Negative logic: the off symbol (A1F0, position 0) first, then the on symbol (A1F1, position 1).
    const Bytes tail = {0x02, 0x02, 0x01, 0x2C, 0x01, 0x02, 0x02, 0x02, 0x80, 0x00, 0x02, 0x80, 0x01};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

TEST_F(ElementRecordTest, FunctionKeyStartsWithItsKeyPosition) {
    auto make = [](int model) {
        Element e = Place<FuncKeyFields>(ElementKind::FuncKey, model);
        KeyAction& a = e.As<FuncKeyFields>().Action;
        a.Key = 22;  // F1, position 33
        a.WithHand = 1;
        a.Disappear = 1;
        a.Encrypt = 1;
        a.Function = KeyAction::kPageJump;
        a.Jump = 2;
        a.PageNo = 0x0102;
        a.RegAddress = {1, 0, 5};
        a.RegNum = 2;
        a.SetValue = 0x01020304;
        return e;
    };
    const Bytes tail = {33,   0x44, 0x01, 0x02, 0x01, 0x00, 0x05, 0x00, 0x02, 0x01,
                        0x04, 0x04, 0x03, 0x02, 0x01, 0x04, 0x80, 0x02, 0x80, 0x03};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

TEST_F(ElementRecordTest, TrendAndBarScaleTheirSizes) {
    auto trend = [](int model) {
        Element e = Place<TrendFields>(ElementKind::Trend, model);
        TrendFields& t = e.As<TrendFields>();
        t.Address = {1, 0, 100};
        t.Num = 1;
        t.Unsigned = 0;
        t.DecDisp = 1;
        t.Float = 1;
        t.DecimalDigits = 1;
        t.Width = Units(96, model);
        t.Height = Units(48, model);
        t.FullValue = 1000;
        t.ZeroValue = -100;
        t.SamplePoints = 20;
        t.SamplePeriod = 300;
        return e;
    };
    const Bytes trendHead = {0xB0, 0x01, 0x00, 0x64, 0x00, 0x02, 0x01};
    const Bytes trendTail = {0xE8, 0x03, 0x00, 0x00, 0x9C, 0xFF, 0xFF, 0xFF, 0x14, 0x2C, 0x01};
    Expect(trend, Concat(Concat(Concat(RowPosition(), trendHead), {0x60, 0x00, 0x30, 0x00}), trendTail),
           Concat(Concat(Concat(ColumnPosition(), trendHead), {0x60, 0x30}), trendTail));

    auto bar = [](int model) {
        Element e = Place<BarFields>(ElementKind::Bar, model);
        BarFields& b = e.As<BarFields>();
        b.Address = {1, 1, 7};
        b.Unsigned = 1;
        b.DecDisp = 0;
        b.Width = Units(16, model);
        b.Height = Units(48, model);
        b.FullValue = 100;
        b.ZeroValue = 0;
        b.Direct = BarFields::kLeft;
        return e;
    };
    const Bytes barHead = {0x00, 0x01, 0x01, 0x07, 0x00, 0x02, 0x00};
    const Bytes barTail = {0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03};
    Expect(bar, Concat(Concat(Concat(RowPosition(), barHead), {0x10, 0x00, 0x30, 0x00}), barTail),
           Concat(Concat(Concat(ColumnPosition(), barHead), {0x10, 0x30}), barTail));
}

TEST_F(ElementRecordTest, PictureIsPackedForItsPosition) {
    // 10 x 3 dots: the two ends of the top row, the middle of row 1, the whole bottom row. Placed at
    // (19, 35), so both layouts shift by 3.
    MonoBitmap dots(10, 3);
    dots.Set(0, 0, true);
    dots.Set(9, 0, true);
    dots.Set(4, 1, true);
    for (int x = 0; x < 10; ++x)
        dots.Set(x, 2, true);
    auto make = [&](int model) {
        Element e = Place<PicFields>(ElementKind::Pic, model, 19, 35);
        PicFields& p = e.As<PicFields>();
        p.Width = Units(10, model);
        p.Height = Units(3, model);
        p.Bitmap = EncodeMonoBmp(dots);
        return e;
    };
    Expect(make, {0x13, 0x00, 0x23, 0x00, 0x00, 0x0A, 0x00, 0x03, 0x00, 0x10, 0x08, 0x01, 0x00, 0x1F, 0xF8},
           {0x13, 0x23, 0x00, 0x0A, 0x03, 0x28, 0x20, 0x20, 0x20, 0x30, 0x20, 0x20, 0x20, 0x20, 0x28});
}

TEST_F(ElementRecordTest, VariableTextWritesItsUsedEntriesOnly) {
    auto make = [](int model) {
        Element e = Place<VarTextFields>(ElementKind::VarText, model);
        VarTextFields& v = e.As<VarTextFields>();
        v.Address = {0, 0, 9};
        v.DecDisp = 1;
        v.Count = 2;
        v.MaxLen = 2;
        v.Texts[0] = "AB";
        v.Texts[1] = "";
        v.Texts[2] = "A";  // beyond Count
        return e;
    };
    const Bytes tail = {0x20, 0x00, 0x00, 0x09, 0x00, 0x02, 0x02, 0x02, 0x00, 0x01, 0x00};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

TEST_F(ElementRecordTest, AsciiTextCountsItsRegisterBytes) {
    auto make = [](int model) {
        Element e = Place<ASCIITextFields>(ElementKind::ASCIIText, model);
        e.Double = 1;
        ASCIITextFields& a = e.As<ASCIITextFields>();
        a.Address = {1, 3, 40};
        a.Num = 3;
        a.CharNum = 6;
        return e;
    };
    const Bytes tail = {0x02, 0x01, 0x03, 0x28, 0x00, 0x06, 0x06};
    Expect(make, Concat(RowPosition(), tail), Concat(ColumnPosition(), tail));
}

// Font-drawn kinds: blanks drawn inverse give a bitmap whose every dot is set, whatever the face, so the
// record can be checked against the packing of a full bitmap of the measured size.
class FontRecordTest : public ElementRecordTest {
  protected:
    static constexpr const char* kBlanks = "   ";
    FontDesc font;

    Bytes Field(int value, int model) {
        if (model == kRowModel) return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
        return {static_cast<uint8_t>(value)};
    }
    Bytes Full(int x0, int y0, int model) {
        const Size size = TextBitmapSize(font, kBlanks, CodePage::Gbk);
        MonoBitmap full(size.Width, size.Height);
        std::fill(full.Dots.begin(), full.Dots.end(), 1);
        return PackBitmap(full, x0, y0, model == kRowModel);
    }
    Bytes Position(int model) { return model == kRowModel ? RowPosition() : ColumnPosition(); }
};

TEST_F(FontRecordTest, FontTextCarriesItsSizeAndDots) {
    const Size size = TextBitmapSize(font, kBlanks, CodePage::Gbk);
    ASSERT_GT(size.Width, 0);
    ASSERT_GT(size.Height, 0);
    for (int model : {0, 2}) {
        Element e = Place<FontTextFields>(ElementKind::FontText, model);
        e.Inverse = 1;
        e.As<FontTextFields>().Content = kBlanks;
        e.As<FontTextFields>().Font = font;
        Bytes expected = Concat(Position(model), {0x01});
        expected = Concat(Concat(Concat(expected, Field(size.Width, model)), Field(size.Height, model)),
                          Full(16, 32, model));
        EXPECT_EQ(Record(e, model), expected) << "model " << model;
    }
}

TEST_F(FontRecordTest, TouchKeyLabelIsPackedInsideItsFrame) {
    const Size size = TextBitmapSize(font, kBlanks, CodePage::Gbk);
    for (int model : {0, 2}) {
        Element e = Place<TouchKeyFields>(ElementKind::TouchKey, model);
        e.Inverse = 1;
        TouchKeyFields& t = e.As<TouchKeyFields>();
        t.Content = kBlanks;
        t.Font = font;
        t.Indicate = 1;
        t.Action.Function = KeyAction::kSetCoil;
        t.Action.CoilAction = 3;
        t.Action.Coil = {1, 0, 4};
        t.Action.RegAddress = {1, 0, 0};
        const Bytes action = {0x00, 0x03, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00};
        const Bytes sizes = Concat(Field(size.Width, model), Field(size.Height, model));
        EXPECT_EQ(Record(e, model),
                  Concat(Concat(Concat(Concat(Position(model), {0x09}), action), sizes), Full(19, 35, model)))
            << "model " << model;

        // An invisible key keeps its label's size but sends no dots.
        t.Action.Disappear = 1;
        EXPECT_EQ(Record(e, model), Concat(Concat(Concat(Position(model), {0x0D}), action), sizes));
    }
}

TEST_F(FontRecordTest, VariableFontTextSendsEachEntryWithItsByteCount) {
    const Size size = TextBitmapSize(font, kBlanks, CodePage::Gbk);
    for (int model : {0, 2}) {
        Element e = Place<VarFontTextFields>(ElementKind::VarFontText, model);
        e.Inverse = 1;
        VarFontTextFields& v = e.As<VarFontTextFields>();
        v.Address = {1, 0, 3};
        v.DecDisp = 1;
        v.Count = 2;
        v.Texts[0] = kBlanks;
        v.Texts[1] = kBlanks;
        v.Font = font;
        v.MaxWidth = Units(200, model);
        v.MaxHeight = Units(20, model);
        const Bytes full = Full(16, 32, model);
        Bytes entry = Concat(Field(size.Width, model), {static_cast<uint8_t>(full.size() & 0xFF),
                                                        static_cast<uint8_t>(full.size() >> 8)});
        entry = Concat(entry, full);
        // The maximum sizes take one byte each on every model.
        const Bytes head = Concat(Position(model), {0x21, 0x01, 0x00, 0x03, 0x00, 0x02, 200, 20});
        EXPECT_EQ(Record(e, model), Concat(Concat(head, entry), entry)) << "model " << model;
    }
}

TEST_F(ElementRecordTest, ValuesBeyondTheirFieldsAreRefused) {
    // A position beyond one byte fits QX420's two-byte coordinates only.
    Element wide = Place<TextFields>(ElementKind::Text, 0, 256, 0);
    wide.As<TextFields>().Content = "A";
    EXPECT_TRUE(Refused(wide, 0));
    wide.X = Units(256, kRowModel);
    EXPECT_FALSE(Refused(wide, kRowModel));
    wide.X = -40;
    EXPECT_TRUE(Refused(wide, kRowModel));

    Element reg = Place<RegFields>(ElementKind::Reg, kRowModel);
    reg.As<RegFields>().Num = 128;  // 256 bytes of registers
    EXPECT_TRUE(Refused(reg, kRowModel));
    reg.As<RegFields>().Num = 127;
    EXPECT_FALSE(Refused(reg, kRowModel));

    Element key = Place<FuncKeyFields>(ElementKind::FuncKey, kRowModel);
    key.As<FuncKeyFields>().Action.Key = 22;
    key.As<FuncKeyFields>().Action.WithHand = 1;
    key.As<FuncKeyFields>().Action.PageNo = 65536;
    EXPECT_TRUE(Refused(key, kRowModel));
    key.As<FuncKeyFields>().Action.PageNo = 65535;
    key.As<FuncKeyFields>().Action.RegNum = 200;
    EXPECT_TRUE(Refused(key, kRowModel));
}

TEST_F(ElementRecordTest, ElementsWithoutAnImageFormAreRefused) {
    Element mismatched = Place<TextFields>(ElementKind::Text, kRowModel);
    mismatched.Kind = static_cast<int32_t>(ElementKind::Reg);
    EXPECT_TRUE(Refused(mismatched, kRowModel));

    Element missingGlyph = Place<TextFields>(ElementKind::Text, kRowModel);
    missingGlyph.As<TextFields>().Content = "ABC";  // "C" is not in the sets
    EXPECT_TRUE(Refused(missingGlyph, kRowModel));
}

}  // namespace
}  // namespace qxed
