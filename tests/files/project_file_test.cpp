#include "files/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "model/element_defaults.h"
#include "support/sample_project.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr std::size_t kHeaderEnd = 21;
constexpr std::size_t kFirstPage = 97;
constexpr std::size_t kFirstElement = kFirstPage + 57;

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// A text slot as the file holds it: length, text, zero padding.
Bytes Slot(const std::string& text, std::size_t size) {
    Bytes slot(size, 0);
    slot[0] = static_cast<uint8_t>(text.size());
    std::copy(text.begin(), text.end(), slot.begin() + 1);
    return slot;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

void PutI32(Bytes& bytes, std::size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

// One page 1 without elements on the default PLC type and model.
Project MinimalProject() {
    Project project;
    return project;
}

Project WithElement(Element element) {
    Project project = MinimalProject();
    project.Pages().front().Elements.push_back(std::move(element));
    return project;
}

TEST(ProjectFileLayout, MinimalProjectSizes) {
    Project project = MinimalProject();
    EXPECT_EQ(SerializeProject(project).size(), 158u);
    project.GlobalKeyCount = 8;
    EXPECT_EQ(SerializeProject(project).size(), 534u);
}

TEST(ProjectFileLayout, HeaderAndSettingsBlock) {
    const Bytes bytes = SerializeProject(testing::SampleProject());
    const Bytes header = {3, 'Q', 'X', '2', 0, 0, 28, 0, 0, 0, 5, 'V', '8', '.', '0', 'r', 0, 0, 0, 0, 0};
    EXPECT_EQ(Slice(bytes, 0, kHeaderEnd), header);

    // clang-format off
    const Bytes settings = {
        21, 0, 0, 0,                                  // PlcType
        2,                                            // CurrentModel
        7, 0, 0, 0,                                   // PanelStation
        2, 0, 0, 0,                                   // HomePageNo
        0xE1, 0x10, 0, 0,                             // Password 4321
        200, 0, 0, 0,                                 // AlarmCount
        1, 0, 0, 0, 2, 0, 0, 0, 0x2C, 0x01, 0, 0,     // AlarmCoil 1/2/300
        9, 1, 1, 0, 0x73,                             // BaudCode .. CtrlFlags
        3, 0, 0, 0, 1, 0, 0, 0, 0xE8, 0x03, 0, 0,     // CtrlReg 3/1/1000
        0x5A,                                         // ReservedByte
        2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0,           // ModuleNum, PanelStatusLedNum, ScreenSaveTime
        0,                                            // ScreenSaveTurnOffLight
        0x2C, 0x01, 0, 0,                             // ScreenSavePageNo 300
        1, 1, 1, 1,                                   // BlueGroundWhiteText .. WriteNWords
        4, 0, 0, 0,                                   // page count
    };
    // clang-format on
    EXPECT_EQ(Slice(bytes, kHeaderEnd, settings.size()), settings);
}

TEST(ProjectFileLayout, PageRecordStoresTheForwardLinkTwice) {
    Project project = MinimalProject();
    Page& page = project.Pages().front();
    page.Number = 0x8001;
    page.Title = "AB";
    page.PrvPageNo = 0xFFFF;
    page.NxtPageNo = 0x0102;
    const Bytes expected = Concat(
        {{0x01, 0x80, 0, 0}, Slot("AB", 41), {0xFF, 0xFF, 0x02, 0x01}, {0x02, 0x01, 0, 0}, {0, 0, 0, 0}});
    EXPECT_EQ(Slice(SerializeProject(project), kFirstPage, 57), expected);
}

TEST(ProjectFileLayout, FunctionKeyRecord) {
    Project project = MinimalProject();
    Element key = NewElement(project, static_cast<int32_t>(ElementKind::FuncKey));
    key.X = 10;
    key.Y = -1;
    key.Double = 1;
    KeyAction& a = key.As<FuncKeyFields>().Action;
    a.Key = 22;
    a.Disappear = 1;
    a.WithHand = 0;
    a.Encrypt = 1;
    a.Function = KeyAction::kSetData;
    a.Coil = {1, 2, 0x0304};
    a.CoilAction = 3;
    a.Jump = 2;
    a.PageNo = 65535;
    a.PlcStop = 1;
    a.RegAddress = {255, 0, -1};
    a.RegNum = 2;
    a.SetValue = -2;
    // clang-format off
    const Bytes expected = {
        10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 4, 0, 0, 0,   // header: X, Y, Double, Inverse, Kind 4
        22, 0, 0, 0, 1, 0, 1, 4,                                  // Key, Disappear, WithHand, Encrypt, Function
        1, 0, 0, 0, 2, 0, 0, 0, 0x04, 0x03, 0, 0,                 // Coil
        3, 2, 0xFF, 0xFF, 0, 0, 1,                                // CoilAction, Jump, PageNo, PlcStop
        0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,        // RegAddress
        2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,                       // RegNum, SetValue
    };
    // clang-format on
    const Bytes bytes = SerializeProject(WithElement(key));
    ASSERT_EQ(bytes.size(), 158u + 14 + 47);
    EXPECT_EQ(Slice(bytes, kFirstElement - 4, 4), (Bytes{1, 0, 0, 0}));  // element count
    EXPECT_EQ(Slice(bytes, kFirstElement, expected.size()), expected);
}

TEST(ProjectFileLayout, FontTextWithStoredFont) {
    Project project = MinimalProject();
    Element text = NewElement(project, static_cast<int32_t>(ElementKind::FontText));
    FontTextFields& f = text.As<FontTextFields>();
    f.Content = "Hi";
    f.Font.Charset = 134;
    f.Font.Color = 0xFF000008;
    f.Font.Name = "Arial";
    f.Font.Pitch = FontDesc::kFixedPitch;
    f.Font.SetSize(12);  // height -16
    f.Font.Style = FontDesc::kBold | FontDesc::kItalic;
    const Bytes expected = Concat({Slot("Hi", 121),
                                   {134, 0x08, 0, 0, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF},
                                   Slot("Arial", 129),
                                   {2, 12, 0, 0, 0, 3}});
    const Bytes bytes = SerializeProject(WithElement(text));
    ASSERT_EQ(bytes.size(), 158u + 14 + 265);
    EXPECT_EQ(Slice(bytes, kFirstElement + 14, expected.size()), expected);
}

TEST(ProjectFileLayout, VariableTextsStoreOnlyTheUsedEntries) {
    Project project = MinimalProject();
    Element empty = NewElement(project, static_cast<int32_t>(ElementKind::VarText));
    empty.As<VarTextFields>().Count = 0;
    EXPECT_EQ(SerializeProject(WithElement(empty)).size(), 158u + 14 + 21);

    Element three = NewElement(project, static_cast<int32_t>(ElementKind::VarFontText));
    three.As<VarFontTextFields>().Count = 3;
    EXPECT_EQ(SerializeProject(WithElement(three)).size(), 158u + 14 + 169 + 3 * 121);
}

TEST(ProjectFileLayout, PictureIsStoredAsItsBmpFile) {
    Project project = MinimalProject();
    Element pic = NewElement(project, static_cast<int32_t>(ElementKind::Pic));
    pic.As<PicFields>().Width = 5;
    pic.As<PicFields>().Height = 6;
    pic.As<PicFields>().Bitmap = testing::SampleColourBmp();
    const Bytes bytes = SerializeProject(WithElement(pic));
    const Bytes expected = Concat({{5, 0, 0, 0, 6, 0, 0, 0, 78, 0, 0, 0}, testing::SampleColourBmp()});
    EXPECT_EQ(Slice(bytes, kFirstElement + 14, expected.size()), expected);
}

TEST(ProjectFileLayout, TextsLongerThanTheirSlotAreCut) {
    Project project = MinimalProject();
    project.Pages().front().Title = std::string(60, 'x');
    const Bytes bytes = SerializeProject(project);
    ASSERT_EQ(bytes.size(), 158u);
    EXPECT_EQ(Slice(bytes, kFirstPage + 4, 41), Slot(std::string(40, 'x'), 41));
}

TEST(ProjectFileRoundTrip, SampleSavesLoadsAndSavesIdentically) {
    const Project sample = testing::SampleProject();
    const Bytes first = SerializeProject(sample);

    Project loaded;
    const LoadOutcome outcome = ReadProjectBytes(first, loaded);
    ASSERT_EQ(outcome.Status, LoadStatus::Ok);
    EXPECT_EQ(outcome.Header.Version, 28);
    EXPECT_EQ(outcome.Header.VersionText, "V8.0r");
    EXPECT_TRUE(loaded == sample);
    ASSERT_EQ(loaded.Pages().size(), sample.Pages().size());
    EXPECT_EQ(loaded.Pages().back().Number, 65535);
    EXPECT_EQ(SerializeProject(loaded), first);
}

TEST(ProjectFileRoundTrip, LoadingReplacesEverythingThatWasThere) {
    const Bytes minimal = SerializeProject(MinimalProject());
    Project project = testing::SampleProject();
    ASSERT_EQ(ReadProjectBytes(minimal, project).Status, LoadStatus::Ok);
    EXPECT_TRUE(project == MinimalProject());
    EXPECT_EQ(project.AlarmTexts[150], "");
}

TEST(ProjectFileRoundTrip, ModelDefaultsToZeroWhileLoading) {
    // The slots after GlobalKeyCount are not stored: they get the reset defaults, which follow the model
    // of a reset project while loading (0: key 1), not the project's default model.
    Project source = testing::SampleProject();
    source.GlobalKeyCount = 2;
    Project loaded;
    loaded.Defaults.DefaultModel = 4;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(source), loaded).Status, LoadStatus::Ok);
    EXPECT_EQ(loaded.Defaults.DefaultModel, 4);
    EXPECT_EQ(loaded.Settings.CurrentModel, 2);
    EXPECT_EQ(loaded.GlobalKeys[1], source.GlobalKeys[1]);
    EXPECT_EQ(loaded.GlobalKeys[2].Key, DefaultKeyOfModel(0));
    EXPECT_EQ(loaded.GlobalKeys[2].Function, KeyAction::kNoFunction);
}

TEST(ProjectFileRoundTrip, StoredSizeDecidesTheFontHeight) {
    Project project = MinimalProject();
    Element text = NewElement(project, static_cast<int32_t>(ElementKind::FontText));
    text.As<FontTextFields>().Font.SetSize(12);
    Bytes bytes = SerializeProject(WithElement(text));
    PutI32(bytes, kFirstElement + 14 + 121 + 1 + 4, -40);  // a height that disagrees with the size

    Project loaded;
    ASSERT_EQ(ReadProjectBytes(bytes, loaded).Status, LoadStatus::Ok);
    const FontDesc& font = loaded.Pages().front().Elements.front().As<FontTextFields>().Font;
    EXPECT_EQ(font.Size, 12);
    EXPECT_EQ(font.Height, -16);
}

TEST(ProjectFileRoundTrip, UnknownKindsKeepTheirHeaderOnly) {
    Project project = MinimalProject();
    for (const int32_t kind : {0, 13, -7}) {
        Element element;
        element.Kind = kind;
        element.X = kind;
        project.Pages().front().Elements.push_back(element);
    }
    const Bytes bytes = SerializeProject(project);
    EXPECT_EQ(bytes.size(), 158u + 3 * 14);
    Project loaded;
    ASSERT_EQ(ReadProjectBytes(bytes, loaded).Status, LoadStatus::Ok);
    EXPECT_TRUE(loaded == project);
}

TEST(ProjectFileRoundTrip, ElementFieldsDecideTheStoredKind) {
    Project project = MinimalProject();
    Element lamp = NewElement(project, static_cast<int32_t>(ElementKind::Lamp));
    lamp.Kind = static_cast<int32_t>(ElementKind::Reg);  // header and fields disagree
    Element bare;
    bare.Kind = static_cast<int32_t>(ElementKind::Text);  // a known kind without its fields
    project.Pages().front().Elements = {lamp, bare};

    Project loaded;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(project), loaded).Status, LoadStatus::Ok);
    const auto& elements = loaded.Pages().front().Elements;
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_TRUE(elements[0].Is(ElementKind::Lamp));
    EXPECT_EQ(elements[0].As<LampFields>(), lamp.As<LampFields>());
    EXPECT_TRUE(elements[1].Is(ElementKind::Text));
}

TEST(ProjectFileRoundTrip, EntriesBeyondCountAreEmptyAfterLoading) {
    Project project = MinimalProject();
    Element element = NewElement(project, static_cast<int32_t>(ElementKind::VarText));
    element.As<VarTextFields>().Count = 0;  // the default entry 0 is not stored
    Project loaded;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(WithElement(element)), loaded).Status, LoadStatus::Ok);
    const auto& texts = loaded.Pages().front().Elements.front().As<VarTextFields>().Texts;
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], "") << i;
}

TEST(ProjectFileRoundTrip, AlarmCountBeyondTheModelIsCutWhenSaving) {
    // A smaller model keeps at most its own number of alarm texts, so the file stays readable.
    Project project = testing::SampleProject();
    project.Settings.CurrentModel = 0;  // 128 alarm texts
    Project loaded;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(project), loaded).Status, LoadStatus::Ok);
    EXPECT_EQ(loaded.Settings.AlarmCount, 128);
    EXPECT_EQ(loaded.AlarmTexts[127], project.AlarmTexts[127]);
    EXPECT_EQ(loaded.AlarmTexts[128], "");
}

TEST(ProjectFileVersions, Version29OpensLike28) {
    Bytes bytes = SerializeProject(testing::SampleProject());
    PutI32(bytes, 6, 29);
    Project loaded;
    const LoadOutcome outcome = ReadProjectBytes(bytes, loaded);
    EXPECT_EQ(outcome.Status, LoadStatus::Ok);
    EXPECT_EQ(outcome.Header.Version, 29);
    EXPECT_TRUE(loaded == testing::SampleProject());
}

TEST(ProjectFileVersions, DispatchByVersion) {
    const Bytes current = SerializeProject(MinimalProject());
    struct Case {
        int32_t Version;
        LoadStatus Status;
    };
    const Case cases[] = {
        {30, LoadStatus::TooNew},
        {INT32_MAX, LoadStatus::TooNew},
        {0, LoadStatus::NotReadable},
        {-1, LoadStatus::NotReadable},
    };
    for (const Case& c : cases) {
        Bytes bytes = current;
        PutI32(bytes, 6, c.Version);
        Project project;
        EXPECT_EQ(ReadProjectBytes(bytes, project).Status, c.Status) << "version " << c.Version;
    }
    EXPECT_TRUE(HasVersionReader(28));
    EXPECT_TRUE(HasVersionReader(29));
    EXPECT_TRUE(HasVersionReader(1));
    EXPECT_TRUE(HasVersionReader(27));
    EXPECT_FALSE(HasVersionReader(30));
}

TEST(ProjectFileVersions, HeaderNamesTheVersionText) {
    Bytes bytes = {3, 'Q', 'X', '2', 0, 0, 30, 0, 0, 0, 4, 'V', '9', '.', '9', 0, 0, 0, 0, 0, 0};
    const LoadOutcome newer = ReadProjectHeader(bytes);
    EXPECT_EQ(newer.Status, LoadStatus::TooNew);
    EXPECT_EQ(newer.Header.VersionText, "V9.9");

    // Before version 12 there is no version text: the header ends after the version.
    const Bytes old = {3, 'Q', 'X', '2', 0, 0, 11, 0, 0, 0};
    const LoadOutcome older = ReadProjectHeader(old);
    EXPECT_EQ(older.Status, LoadStatus::Ok);
    EXPECT_EQ(older.Header.Version, 11);
    EXPECT_EQ(older.Header.VersionText, "");

    bytes[3] = '3';
    EXPECT_EQ(ReadProjectHeader(bytes).Status, LoadStatus::FormatWrong);
}

}  // namespace
}  // namespace qxed
