#include "image/image_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/image_build.h"
#include "image/image_format.h"
#include "model/element_defaults.h"
#include "model/panel_model.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "text/language.h"
#include "text/settings_paths.h"

namespace qxed {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kBase = 0x10004;

// Little-endian field appender for hand-made records.
struct Out {
    Bytes V;
    Out& U8(int v) {
        V.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Out& U16(int v) { return U8(v & 0xFF).U8(v >> 8 & 0xFF); }
    Out& U32(int64_t v) { return U16(static_cast<int>(v & 0xFFFF)).U16(static_cast<int>(v >> 16 & 0xFFFF)); }
    Out& Operand(int station, int type, int number) { return U8(station).U8(type).U16(number); }
    Out& Text(Bytes indexes) {
        U8(static_cast<int>(indexes.size()));
        V.insert(V.end(), indexes.begin(), indexes.end());
        return *this;
    }
    Out& Fill(std::size_t count, uint8_t value = 0xA5) {
        V.insert(V.end(), count, value);
        return *this;
    }
    // Function, parameter, operand, page, length byte, set value.
    Out& KeyAction(int function, int page) {
        return U8(function).U8(1).Operand(2, 3, 400).U16(page).U8(2).U32(-7);
    }
};

struct PageSpec {
    uint16_t Number;
    uint16_t Prev;
    uint16_t Next;
    std::vector<std::pair<uint8_t, Bytes>> Elements;  // kind code, record
};

// A small image laid out as the panel expects it: every address and count is derived from the parts.
struct TestImage {
    // clang-format off
    Bytes Settings = Out().U8(7).U8(0).U8(0).Operand(1, 2, 300).U16(0x1234)   // station, counts, coil, home
                         .U8(0).U8(0).U8(0).U8(0).U8(1).U8(2).U8(3).U8(4)         // password digits
                         .U8(0xFF).U8(0xFF).U8(0xFF).U8(0xFF).U8(0xFE).U8(0xFD).U8(0xFC).U8(0xFB)
                         .U8(6).U8(2).U8(0).U8(1).U8(0x81).U8(0x02).Operand(1, 0, 50)  // line, options, CtrlReg
                         .U8(1).U8(2).U8(0x20).U8(5).U8(1).U16(9)                 // modules ... saver page
                         .V;
    // clang-format on
    std::vector<Bytes> GlobalKeys;  // 14 bytes each
    int DoubleBytes = 2;
    int SingleBytes = 3;
    std::vector<PageSpec> Pages;
    std::vector<Bytes> Alarms;  // encoded texts

    Bytes Build() const {
        std::size_t keyBytes = 0;
        for (const Bytes& key : GlobalKeys)
            keyBytes += key.size();
        const uint32_t h = static_cast<uint32_t>(16 + Settings.size() + keyBytes);
        const uint32_t g = h + 32 * DoubleBytes + 16 * SingleBytes;
        std::size_t elementCount = 0;
        for (const PageSpec& page : Pages)
            elementCount += page.Elements.size();
        const uint32_t directory = g + static_cast<uint32_t>(11 * Pages.size());
        const uint32_t data = directory + static_cast<uint32_t>(5 * elementCount);
        Bytes records;
        Out pages;
        Out entries;
        std::size_t entry = 0;
        for (const PageSpec& page : Pages) {
            pages.U16(page.Number).U8(static_cast<int>(page.Elements.size())).U16(page.Prev).U16(page.Next);
            pages.U32(kBase + directory + 5 * entry);
            for (const auto& [kind, record] : page.Elements) {
                entries.U8(kind).U32(kBase + data + records.size());
                records.insert(records.end(), record.begin(), record.end());
                ++entry;
            }
        }
        const uint32_t alarmDirectory = data + static_cast<uint32_t>(records.size());
        Out alarmEntries;
        Bytes texts;
        for (const Bytes& text : Alarms) {
            alarmEntries.U32(kBase + alarmDirectory + 4 * Alarms.size() + texts.size());
            texts.insert(texts.end(), text.begin(), text.end());
        }

        Out image;
        image.U32(kBase + g).U32(kBase + alarmDirectory).U32(kBase + h).U32(kBase + h + 32 * DoubleBytes);
        Bytes settings = Settings;
        settings[1] = static_cast<uint8_t>(Pages.size());
        settings[2] = static_cast<uint8_t>(Alarms.size());
        image.V.insert(image.V.end(), settings.begin(), settings.end());
        for (const Bytes& key : GlobalKeys)
            image.V.insert(image.V.end(), key.begin(), key.end());
        image.Fill(32 * DoubleBytes, 0x11).Fill(16 * SingleBytes, 0x22);
        for (const Bytes* part : {&pages.V, &entries.V, &records, &alarmEntries.V, &texts})
            image.V.insert(image.V.end(), part->begin(), part->end());
        return image.V;
    }
};

// One element of every kind the panel receives, for a model with one-byte coordinates.
TestImage EveryKind() {
    TestImage image;
    PageSpec first{1, 0, 2, {}};
    PageSpec second{2, 1, 0, {}};
    // clang-format off
    first.Elements = {
        {1, Out().U8(10).U8(20).U8(0x03).Text({0x80, 0x01, 0x02}).V},
        {2, Out().U8(0).U8(8).U8(0xB4).U8(0x03).Operand(1, 2, 300).U8(2).U8(5).U8(1).U32(100).U32(-5).U32(1000).U32(-50).V},
        {2, Out().U8(0).U8(16).U8(0).U8(0x01).Operand(1, 0, 7).U8(4).U8(3).U8(0).U32(9).U32(1).V},
        {3, Out().U8(30).U8(0).U8(0).Operand(0, 1, 12).U8(2).U8(2).Text({0x80, 0x00}).Text({0x80, 0x01}).V},
        {4, Out().U8(40).U8(0).U8(20).U8(0x44).KeyAction(1, 5).Text({0x80, 0x00}).V},
    };
    second.Elements = {
        {5, Out().U8(0).U8(0).U8(0x30).Operand(1, 0, 1).U8(2).U8(1).U8(50).U8(30).U32(1000).U32(0).U8(20).U16(300).V},
        {6, Out().U8(0).U8(0).U8(0).Operand(1, 0, 2).U8(2).U8(0).U8(8).U8(40).U32(100).U32(0).U8(3).V},
        // 3 x 10 dots at row 13: shifted by 5, two bands per column.
        {7, Out().U8(4).U8(13).U8(0x01).U8(3).U8(10).Fill(6).V},
        {8, Out().U8(0).U8(0).U8(0x20).Operand(1, 0, 3).U8(2).U8(4).Text({1, 2}).Text({3}).V},
        // The label sits 3 dots inside the frame: row 2 + 3 shifts by 5, so 6 rows need two bands.
        {10, Out().U8(0).U8(2).U8(0x08).KeyAction(0, 0).U8(4).U8(6).Fill(8).V},
        {10, Out().U8(9).U8(9).U8(0x04).KeyAction(4, 0).U8(4).U8(6).V},
        {11, Out().U8(0).U8(0).U8(0x20).Operand(1, 0, 4).U8(2).U8(20).U8(16).U8(5).U16(3).Fill(3).U8(0).U16(0).V},
        {12, Out().U8(0).U8(0).U8(0).Operand(1, 0, 5).U8(8).U8(16).V},
    };
    // clang-format on
    image.Pages = {first, second};
    image.Alarms = {Out().Text({0x80, 0x01, 0x00}).V, Out().Text({}).V};
    return image;
}

ImageReadResult Read(const Bytes& bytes, int model = 1) {
    return ReadScreenDataImage(bytes, model);
}

const ImageField& Field(const ImageElement& element, std::string_view name) {
    static const ImageField missing{"(missing)", 0, 0, uint32_t{0}};
    const ImageField* field = element.Find(name);
    EXPECT_NE(field, nullptr) << name;
    return field != nullptr ? *field : missing;
}

std::vector<std::string> Names(const ImageElement& element) {
    std::vector<std::string> names;
    for (const ImageField& field : element.Fields)
        names.push_back(field.Name);
    return names;
}

TEST(ImageReaderLayout, ReadsDirectorySettingsPagesAndAlarms) {
    const Bytes bytes = EveryKind().Build();
    const ImageReadResult result = Read(bytes);
    ASSERT_TRUE(result.Image) << result.Error;
    const DecodedImage& image = *result.Image;

    EXPECT_EQ(image.Length, bytes.size());
    EXPECT_EQ(image.HeaderLength, 58u);
    EXPECT_EQ(image.DoubleByteCount, 2u);
    EXPECT_EQ(image.SingleByteCount, 3u);
    EXPECT_EQ(image.Directory.DoubleByteGlyphs, kBase + 58);
    EXPECT_EQ(image.Directory.SingleByteGlyphs, kBase + 58 + 64);

    const ImageSettings& s = image.Settings;
    EXPECT_EQ(s.PanelStation, 7);
    EXPECT_EQ(s.PageCount, 2);
    EXPECT_EQ(s.AlarmCount, 2);
    EXPECT_EQ(s.AlarmCoil, (ImageOperand{1, 2, 300}));
    EXPECT_EQ(s.HomePageNo, 0x1234);
    EXPECT_THAT(s.PasswordDigits, ElementsAre(0, 0, 0, 0, 1, 2, 3, 4));
    EXPECT_THAT(s.Options.Set, ElementsAre("AutoPageNo", "PowerBeep"));
    EXPECT_THAT(s.WordOptions.Set, ElementsAre("WriteNWords"));
    EXPECT_EQ(s.CtrlReg, (ImageOperand{1, 0, 50}));
    EXPECT_EQ(s.ScreenSaveMinutes, 5);
    EXPECT_EQ(s.ScreenSavePageNo, 9);
    EXPECT_THAT(s.GlobalKeys, IsEmpty());

    ASSERT_EQ(image.Pages.size(), 2u);
    EXPECT_EQ(image.Pages[0].ElementCount, 5);
    EXPECT_EQ(image.Pages[1].Number, 2);
    EXPECT_EQ(image.Pages[1].PrvPageNo, 1);
    EXPECT_EQ(image.Pages[1].FirstEntry, image.Directory.PageTable + 22 + 5 * 5);
    ASSERT_EQ(image.Elements.size(), 13u);
    EXPECT_EQ(image.Elements[4].Page, 0u);
    EXPECT_EQ(image.Elements[5].Page, 1u);

    ASSERT_EQ(image.Alarms.size(), 2u);
    EXPECT_THAT(image.Alarms[0].Text.Indexes, ElementsAre(0x80, 0x01, 0x00));
    EXPECT_THAT(image.Alarms[1].Text.Indexes, IsEmpty());
    EXPECT_EQ(image.Alarms[1].Address + 1, kBase + bytes.size());
}

TEST(ImageReaderLayout, EmptyProjectImage) {
    TestImage empty;
    empty.DoubleBytes = 0;
    empty.SingleBytes = 0;
    const Bytes bytes = empty.Build();
    const ImageReadResult result = Read(bytes);
    ASSERT_TRUE(result.Image) << result.Error;
    EXPECT_EQ(result.Image->Directory.AlarmDirectory, kBase + bytes.size());
    EXPECT_EQ(result.Image->Directory.DoubleByteGlyphs, result.Image->Directory.SingleByteGlyphs);
    EXPECT_THAT(result.Image->Elements, IsEmpty());
}

TEST(ImageReaderKinds, EveryKindDecodesToItsFields) {
    const ImageReadResult result = Read(EveryKind().Build());
    ASSERT_TRUE(result.Image) << result.Error;
    const std::vector<ImageElement>& e = result.Image->Elements;
    ASSERT_EQ(e.size(), 13u);

    EXPECT_THAT(std::get<ImageFlags>(Field(e[0], "Attribute").Value).Set, ElementsAre("Inverse", "Double"));
    EXPECT_THAT(std::get<ImageText>(Field(e[0], "Content").Value).Indexes, ElementsAre(0x80, 0x01, 0x02));

    EXPECT_THAT(std::get<ImageFlags>(Field(e[1], "Attribute").Value).Set,
                ElementsAre("Pre0", "Signed", "DecDisp", "Float"));
    EXPECT_EQ(std::get<ImageOperand>(Field(e[1], "Address").Value), (ImageOperand{1, 2, 300}));
    EXPECT_EQ(static_cast<int32_t>(Field(e[1], "ValLowLimit").Number()), -50);
    // A limit without conversion carries the two limits only.
    EXPECT_THAT(Names(e[2]), ElementsAre("X", "Y", "Attribute", "Options", "Address", "Length", "Digits",
                                         "DecimalDigits", "UpLimit", "LowLimit"));

    EXPECT_THAT(std::get<ImageText>(Field(e[3], "OtherSymbol").Value).Indexes, ElementsAre(0x80, 0x01));

    // A function key's key position comes before its attribute.
    EXPECT_THAT(Names(e[4]), ElementsAre("X", "Y", "KeyPosition", "Attribute", "Action", "Label"));
    EXPECT_EQ(Field(e[4], "KeyPosition").Number(), 20u);
    EXPECT_THAT(std::get<ImageFlags>(Field(e[4], "Attribute").Value).Set,
                ElementsAre("Disappear", "Encrypt"));
    EXPECT_EQ(std::get<ImageKeyAction>(Field(e[4], "Action").Value),
              (ImageKeyAction{1, 1, {2, 3, 400}, 5, 2, static_cast<uint32_t>(-7)}));

    EXPECT_EQ(Field(e[5], "SamplePeriod").Number(), 300u);
    EXPECT_EQ(Field(e[6], "Direct").Number(), 3u);

    const ImageBitmap picture = std::get<ImageBitmap>(Field(e[7], "Bitmap").Value);
    EXPECT_EQ(picture.Shift, 5u);
    EXPECT_EQ(picture.Lines, 3u);
    EXPECT_EQ(picture.PerLine, 2u);
    EXPECT_EQ(picture.Size, 6u);
    EXPECT_EQ(e[7].Size, 11u);

    EXPECT_THAT(std::get<ImageText>(Field(e[8], "Texts[1]").Value).Indexes, ElementsAre(3));

    EXPECT_EQ(std::get<ImageBitmap>(Field(e[9], "Bitmap").Value).Size, 8u);
    // An invisible touch key keeps its size but has no bitmap.
    EXPECT_EQ(Field(e[10], "Height").Number(), 6u);
    EXPECT_EQ(e[10].Find("Bitmap"), nullptr);

    EXPECT_EQ(Field(e[11], "Texts[0].Size").Number(), 3u);
    EXPECT_EQ(std::get<ImageBitmap>(Field(e[11], "Texts[1].Bitmap").Value).Size, 0u);
    EXPECT_EQ(Field(e[12], "CharNum").Number(), 16u);
}

TEST(ImageReaderKinds, LargePanelUsesTwoByteCoordinatesRowBitmapsAndGlobalKeys) {
    TestImage image;
    image.GlobalKeys.push_back(Out().U8(0x40).KeyAction(1, 3).V);
    image.GlobalKeys.push_back(Out().U8(0).KeyAction(3, 0).V);
    // 10 x 3 dots at column 300: shifted by 4, two bytes per row.
    image.Pages = {{1, 0, 0, {{7, Out().U16(300).U16(200).U8(0).U16(10).U16(3).Fill(6).V}}}};
    const ImageReadResult result = Read(image.Build(), 2);
    ASSERT_TRUE(result.Image) << result.Error;
    EXPECT_EQ(result.Image->HeaderLength, 58u + 28u);
    ASSERT_EQ(result.Image->Settings.GlobalKeys.size(), 2u);
    EXPECT_EQ(result.Image->Settings.GlobalKeys[0].Attribute, 0x40);
    EXPECT_EQ(result.Image->Settings.GlobalKeys[0].Action.PageNo, 3);

    const ImageElement& picture = result.Image->Elements.at(0);
    EXPECT_EQ(Field(picture, "X").Number(), 300u);
    EXPECT_EQ(Field(picture, "X").Size, 2u);
    const ImageBitmap bitmap = std::get<ImageBitmap>(Field(picture, "Bitmap").Value);
    EXPECT_TRUE(bitmap.RowLayout);
    EXPECT_EQ(bitmap.Shift, 4u);
    EXPECT_EQ(bitmap.Lines, 3u);
    EXPECT_EQ(bitmap.PerLine, 2u);

    // The other large panel has one-byte coordinates: the same record no longer fits its space.
    EXPECT_THAT(Read(image.Build(), 7).Error, HasSubstr("element 1 (page 1, kind 7 Pic/FontText)"));
}

TEST(ImageReaderRefusal, EveryTruncationIsRefusedWithAMessage) {
    const Bytes bytes = EveryKind().Build();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const ImageReadResult result =
            Read(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_FALSE(result.Image) << "length " << length;
        EXPECT_THAT(result.Error, HasSubstr("0x")) << "length " << length;
    }
}

TEST(ImageReaderRefusal, AnyChangedByteGivesAnImageOrAMessage) {
    const Bytes bytes = EveryKind().Build();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, static_cast<uint8_t>(bytes[i] + 1)}) {
            Bytes changed = bytes;
            changed[i] = value;
            const ImageReadResult result = Read(changed);
            EXPECT_NE(result.Image.has_value(), !result.Error.empty()) << "byte " << i;
        }
    }
}

// The directory entry of element `index` (0-based) in an image built from EveryKind().
std::size_t EntryOffset(const Bytes& bytes, std::size_t index) {
    const DecodedImage image = *Read(bytes).Image;
    return image.Elements.at(index).EntryOffset;
}

void AddToU32(Bytes& bytes, std::size_t offset, int delta) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | bytes[offset + static_cast<std::size_t>(i)];
    value += static_cast<uint32_t>(delta);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(ImageReaderRefusal, BadAddressesNameWhereAndWhatWasExpected) {
    const Bytes good = EveryKind().Build();
    const DecodedImage image = *Read(good).Image;

    Bytes bytes = good;
    AddToU32(bytes, EntryOffset(good, 3) + 1, 1);  // a record that starts a byte late
    ImageReadResult result = Read(bytes);
    EXPECT_THAT(result.Error, HasSubstr("element 3 (page 1, kind 2 Reg)"));
    EXPECT_THAT(result.Error, HasSubstr("ends at"));

    bytes = good;
    AddToU32(bytes, EntryOffset(good, 0) + 1, -1);
    result = Read(bytes);
    EXPECT_THAT(result.Error, HasSubstr("element 1 (page 1, kind 1 Text)"));
    EXPECT_THAT(result.Error, HasSubstr("where the element data begins"));

    bytes = good;
    AddToU32(bytes, EntryOffset(good, 6) + 1, 0x1000);  // far beyond the element data
    EXPECT_THAT(Read(bytes).Error, HasSubstr("outside the element data"));

    bytes = good;
    AddToU32(bytes, image.Pages[1].Offset + 7, 5);
    EXPECT_THAT(Read(bytes).Error, HasSubstr("page table: page 2 (record 2"));

    bytes = good;
    AddToU32(bytes, image.Directory.AlarmDirectory - kBase + 4, 1);
    EXPECT_THAT(Read(bytes).Error, HasSubstr("alarm directory: alarm 2"));

    bytes = good;
    AddToU32(bytes, 4, 0x10000);  // the alarm directory beyond the image
    EXPECT_THAT(Read(bytes).Error, HasSubstr("alarm directory address"));

    bytes = good;
    AddToU32(bytes, 12, 16);  // half a double-byte glyph
    EXPECT_THAT(Read(bytes).Error, HasSubstr("whole number of 32-byte glyphs"));

    bytes = good;
    bytes[EntryOffset(good, 7)] = 9;  // font texts are listed as pictures
    EXPECT_THAT(Read(bytes).Error, HasSubstr("kind code 9"));
}

TEST(ImageReaderRefusal, RecordsMustFillTheirSpaceExactly) {
    TestImage image;
    image.Pages = {{1, 0, 0, {{1, Out().U8(0).U8(0).U8(0).Text({1, 2}).U8(0xEE).V}}}};
    EXPECT_THAT(Read(image.Build()).Error, HasSubstr("but the alarm directory begins at"));

    image.Pages = {{1, 0, 0, {{1, Out().U8(0).U8(0).U8(0).Text({1, 2}).V}}}};
    image.Pages[0].Elements[0].second[3] = 7;  // a text length beyond the record
    EXPECT_THAT(Read(image.Build()).Error, HasSubstr("needs 7 byte(s)"));
}

TEST(ImageReaderRefusal, SettingsBlockMustSuitTheModel) {
    TestImage image;
    image.GlobalKeys.push_back(Out().U8(0).KeyAction(3, 0).V);
    EXPECT_THAT(Read(image.Build(), 1).Error, HasSubstr("carries no global key table"));
    EXPECT_TRUE(Read(image.Build(), 4).Image);
    image.GlobalKeys[0].pop_back();
    EXPECT_THAT(Read(image.Build(), 4).Error, HasSubstr("multiple of 14"));

    EXPECT_THAT(Read(TestImage().Build(), 13).Error, HasSubstr("panel model index 13"));
    EXPECT_THAT(Read(Bytes(0xFFFD, 0)).Error, HasSubstr("largest image"));
}

TEST(ImageReaderText, ShowsSectionsFieldsAndAddresses) {
    const DecodedImage image = *Read(EveryKind().Build()).Image;
    const std::string text = FormatScreenDataImage(image);
    EXPECT_THAT(text, HasSubstr("model 1 (QX220)"));
    EXPECT_THAT(text, HasSubstr("\n  Password: 00001234 (complement bytes match)\n"));
    char page[96];
    std::snprintf(page, sizeof page, "\n  page 2: elements 8, prev 1, next 0, first entry 0x%05X\n",
                  image.Pages[1].FirstEntry);
    EXPECT_THAT(text, HasSubstr(page));
    EXPECT_THAT(text, HasSubstr("\n  element 2 on page 1: kind 2 Reg, entry "));
    EXPECT_THAT(text, HasSubstr("\n    LowLimit: -5\n"));
    EXPECT_THAT(
        text,
        HasSubstr("\n    Action: function 1 (page jump), parameter 1, RegAddress station 2, type code 3, "
                  "number 400, PageNo 5, length 2, SetValue -7\n"));
    EXPECT_THAT(text, HasSubstr("\n    Bitmap: 6 bytes, column layout, 3 columns x 2 bands, shift 5\n"));
    EXPECT_THAT(text, HasSubstr("\n  alarm 2 at "));
}

// Two pages with every kind, an invisible touch key, alarm texts and global keys; texts with single- and
// double-byte characters.
Project EveryKindProject(int model) {
    Project project;
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    project.ClearPages();
    Page& odd = project.AddPage(1, "");
    Page& even = project.AddPage(2, "");
    for (int32_t kind = kFirstElementKind; kind <= kLastElementKind; ++kind) {
        Element element = NewElement(project, kind);
        element.X = 5 * kind;
        element.Y = 3 * kind;
        if (auto* text = element.If<TextFields>()) text->Content = "Ab\xB0\xA1";
        if (auto* picture = element.If<PicFields>()) {
            picture->Bitmap = testing::SampleMonoBmp();
            picture->Width = 21;
            picture->Height = 10;
        }
        if (auto* var = element.If<VarTextFields>()) {
            var->Count = 2;
            var->Texts[0] = "on";
            var->Texts[1] = "off";
        }
        if (auto* font = element.If<FontTextFields>()) font->Content = "Ab";
        if (auto* key = element.If<TouchKeyFields>()) key->Content = "OK";
        if (auto* var = element.If<VarFontTextFields>()) {
            var->Count = 2;
            var->Texts[0] = "1";
            var->Texts[1] = "22";
        }
        (kind % 2 == 1 ? odd : even).Elements.push_back(element);
    }
    Element hidden = NewElement(project, static_cast<int32_t>(ElementKind::TouchKey));
    hidden.As<TouchKeyFields>().Action.Disappear = 1;
    even.Elements.push_back(hidden);
    project.Settings.AlarmCount = 2;
    project.AlarmTexts[0] = "A1";
    project.AlarmTexts[1] = "\xB0\xA2";
    project.GlobalKeyCount = 3;
    return project;
}

class SilentProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

TEST(ImageReaderRoundTrip, ReadsWhatTheBuilderWritesOnEveryModel) {
    const Language language;
    for (int model = 0; model < PanelModelCount; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        testing::RecordingPrompts prompts;
        SilentProgress progress;
        const BuildOutcome built = PreparePageContent(
            EveryKindProject(model), {&language, TextLanguage::sCh, ProgramFolder()}, progress, prompts);
        ASSERT_EQ(built.Status, BuildStatus::Built) << prompts.Last();

        const ImageReadResult result = Read(built.Image.Bytes, model);
        ASSERT_TRUE(result.Image) << result.Error;
        const DecodedImage& image = *result.Image;
        EXPECT_EQ(image.HeaderLength, built.Image.HeaderLength);
        EXPECT_EQ(32 * image.DoubleByteCount + 16 * image.SingleByteCount, built.Image.GlyphLength);
        EXPECT_EQ(image.Settings.GlobalKeys.size(), image_format::CarriesGlobalKeys(model) ? 3u : 0u);
        EXPECT_EQ(image.Alarms.size(), 2u);

        std::vector<int> kinds;
        for (const ImageElement& element : image.Elements)
            kinds.push_back(element.KindCode);
        EXPECT_THAT(kinds, ElementsAre(1, 3, 5, 7, 7, 11, 2, 4, 6, 8, 10, 12, 10));
        EXPECT_NE(image.Elements[10].Find("Bitmap"), nullptr);
        EXPECT_EQ(image.Elements.back().Find("Bitmap"), nullptr);
    }
}

}  // namespace
}  // namespace qxed
