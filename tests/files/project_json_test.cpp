#include "files/project_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <nlohmann/json.hpp>

#include "files/base64.h"
#include "files/project_file.h"
#include "gfx/mono_bitmap.h"
#include "model/editor_units.h"
#include "model/element_defaults.h"
#include "model/element_rules.h"
#include "support/sample_project.h"
#include "text/code_page.h"

namespace qxed {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

Project Made(const std::string& text) {
    Project project;
    const std::optional<JsonFormError> error = MakeProjectFromJson(text, project);
    EXPECT_FALSE(error) << error->Path << ": " << error->Message;
    return project;
}

json Dumped(const Project& project) {
    return json::parse(DumpProjectJson(project, std::nullopt));
}

// The JSON of a one-page project whose page holds the given element.
std::string WithElement(const std::string& element, const std::string& settings = "{}") {
    return R"({"settings": )" + settings + R"(, "pages": [{"Number": 1, "elements": [)" + element + "]}]}";
}

TEST(ProjectJson, DumpThenMakeGivesTheSameProjectAndTheSameFile) {
    const Project sample = testing::SampleProject();
    const std::string text = DumpProjectJson(sample, ProjectFileHeader{27, "V7.5"});

    const Project made = Made(text);
    EXPECT_TRUE(made == sample);
    EXPECT_EQ(SerializeProject(made), SerializeProject(sample));
    // The header is information only: making ignores it, a dump without a source leaves it out.
    EXPECT_EQ(DumpProjectJson(made, ProjectFileHeader{27, "V7.5"}), text);
    EXPECT_FALSE(Dumped(made).contains("ProjectVersion"));
}

TEST(ProjectJson, DumpWritesNamesNestedRecordsAndUsedEntriesOnly) {
    const json dump = json::parse(DumpProjectJson(testing::SampleProject(), ProjectFileHeader{28, "V8.0r"}));
    EXPECT_EQ(dump["ProjectVersion"], 28);
    EXPECT_EQ(dump["VersionText"], "V8.0r");
    EXPECT_EQ(dump["settings"].size(), 23u);
    EXPECT_EQ(dump["settings"]["CtrlReg"], json::parse(R"({"Station": 3, "TypeIndex": 1, "Number": 1000})"));

    const json& first = dump["pages"][0];
    EXPECT_EQ(first["Title"], "主画面");
    EXPECT_EQ(first["elements"][1]["Kind"], "Reg");
    EXPECT_EQ(first["elements"][3]["Action"]["Coil"]["Number"], 103);

    const json& second = dump["pages"][1]["elements"];
    EXPECT_EQ(second[0]["Bitmap"], EncodeBase64(testing::SampleMonoBmp()));
    EXPECT_EQ(second[2]["Texts"], json::parse(R"(["停止", "", "运行中"])"));
    EXPECT_EQ(second[3]["Texts"], json::array());
    EXPECT_EQ(second[4]["Font"]["Name"], "宋体");
    EXPECT_EQ(second[4]["Font"]["Color"], 0x00123456);

    EXPECT_EQ(dump["AlarmTexts"].size(), 200u);
    EXPECT_EQ(dump["GlobalKeys"].size(), 20u);
}

TEST(ProjectJson, TextsThatDoNotSurviveTheCodePageAreHex) {
    const json dump = Dumped(testing::SampleProject());
    EXPECT_EQ(dump["AlarmTexts"][0], "报警1");
    EXPECT_EQ(dump["AlarmTexts"][1], json::parse(R"({"hex": "FFFF"})"));

    Project project = Made(R"({"pages": [{"Number": 1, "Title": {"hex": "b1a8ff"}}]})");
    EXPECT_EQ(project.Pages().front().Title, "\xB1\xA8\xFF");
    EXPECT_EQ(Dumped(project)["pages"][0]["Title"], json::parse(R"({"hex": "B1A8FF"})"));
}

TEST(ProjectJson, TextsAndFaceNamesFollowTheProjectCodePageWhateverTheCharset) {
    // A Chinese face of charset 0 (Western) keeps its GBK name through dump and make.
    const std::string text = WithElement(R"({"Kind": "FontText", "Font": {"Charset": 0, "Name": "黑体"}})");
    const Project made = Made(text);
    const FontTextFields& chinese = made.Pages().front().Elements[0].As<FontTextFields>();
    EXPECT_EQ(chinese.Font.Name, "\xBA\xDA\xCC\xE5");
    EXPECT_EQ(Dumped(made)["pages"][0]["elements"][0]["Font"]["Name"], "黑体");
    EXPECT_EQ(SerializeProject(Made(DumpProjectJson(made, std::nullopt))), SerializeProject(made));

    EditorDefaults russian = BuiltinEditorDefaults();
    russian.TextCodePage = CodePage::Cp1251;
    Project project(russian);
    ASSERT_FALSE(MakeProjectFromJson(
        WithElement(R"({"Kind": "FontText", "Content": "Пуск", "Font": {"Charset": 134, "Name": "Тест"}})"),
        project));
    const FontTextFields& fields = project.Pages().front().Elements[0].As<FontTextFields>();
    EXPECT_EQ(fields.Content, "\xCF\xF3\xF1\xEA");
    EXPECT_EQ(fields.Font.Name, "\xD2\xE5\xF1\xF2");
    EXPECT_EQ(Dumped(project)["pages"][0]["elements"][0]["Font"]["Name"], "Тест");
    // A name the project's code page cannot hold is refused, whatever the charset.
    const std::optional<JsonFormError> error = MakeProjectFromJson(
        WithElement(R"({"Kind": "FontText", "Font": {"Charset": 134, "Name": "宋体"}})"), project);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Path, "pages[0].elements[0].Font.Name");
    EXPECT_THAT(error->Message, HasSubstr("CP1251"));
}

TEST(ProjectJson, AColourIsTakenInItsSignedOrItsUnsignedReading) {
    const struct {
        const char* Given;
        uint32_t Color;
    } cases[] = {
        {"-16777208", 0xFF000008u},  // the window-text colour as the file's int32 holds it
        {"4278190088", 0xFF000008u}, {"-1", 0xFFFFFFFFu},  {"-2147483648", 0x80000000u},
        {"4294967295", 0xFFFFFFFFu}, {"255", 0x000000FFu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Given);
        const Project made =
            Made(WithElement(R"({"Kind": "FontText", "Font": {"Color": )" + std::string(c.Given) + "}}"));
        EXPECT_EQ(made.Pages().front().Elements[0].As<FontTextFields>().Font.Color, c.Color);
        EXPECT_EQ(Dumped(made)["pages"][0]["elements"][0]["Font"]["Color"], c.Color);
        // The file holds the colour's four bytes, low byte first.
        const std::vector<uint8_t> file = SerializeProject(made);
        const std::vector<uint8_t> stored = {
            static_cast<uint8_t>(c.Color), static_cast<uint8_t>(c.Color >> 8),
            static_cast<uint8_t>(c.Color >> 16), static_cast<uint8_t>(c.Color >> 24)};
        EXPECT_NE(std::search(file.begin(), file.end(), stored.begin(), stored.end()), file.end());
    }
}

TEST(ProjectJson, AbsentFieldsTakeTheDefaultsOfTheGivenPlcTypeAndModel) {
    const Project project = Made(R"({
        "settings": {"PlcType": 1, "CurrentModel": 2},
        "pages": [{"Number": 5, "elements": [{"Kind": "Reg"}, {"Kind": 5, "X": 9}]}],
        "GlobalKeys": [{"Function": 1}]})");

    Project expected;
    expected.Settings.PlcType = 1;
    expected.Settings.CurrentModel = 2;
    Element reg = NewElement(expected, static_cast<int32_t>(ElementKind::Reg));
    EXPECT_EQ(reg.As<RegFields>().Digits, 4);  // the PLC type 1 default, so the comparison means something
    Element trend = NewElement(expected, static_cast<int32_t>(ElementKind::Trend));
    trend.X = 9;

    const Page& page = project.Pages().front();
    EXPECT_EQ(page.PrvPageNo, 4);
    EXPECT_EQ(page.NxtPageNo, 6);
    EXPECT_EQ(page.Elements, (std::vector<Element>{reg, trend}));
    EXPECT_EQ(project.Settings.CurrentModel, 2);
    EXPECT_EQ(project.Settings.ScreenSaveTime, 3);

    // Global keys: the given one over the defaults of the model's keys, the rest as a reset leaves them.
    EXPECT_EQ(project.GlobalKeyCount, 1);
    KeyAction first = NewGlobalKey(expected);
    first.Function = KeyAction::kPageJump;
    EXPECT_EQ(project.GlobalKeys[0], first);
    EXPECT_EQ(project.GlobalKeys[1], NewGlobalKey(expected));
    EXPECT_EQ(project.GlobalKeys[1].Key, 22);
}

TEST(ProjectJson, MakeStartsFromAResetProject) {
    Project project = testing::SampleProject();
    ASSERT_FALSE(MakeProjectFromJson("{}", project));
    // PlcType, the model and the line settings are kept; everything else is new.
    EXPECT_EQ(project.Settings.PlcType, 21);
    EXPECT_EQ(project.Settings.CurrentModel, 2);
    EXPECT_EQ(project.Settings.BaudCode, 9);
    EXPECT_EQ(project.Settings.AlarmCount, 0);
    EXPECT_EQ(project.AlarmTexts[0], "");
    EXPECT_EQ(project.GlobalKeyCount, 0);
    ASSERT_EQ(project.Pages().size(), 1u);
    EXPECT_EQ(project.Pages().front().Number, 1);
    EXPECT_TRUE(project.Pages().front().Elements.empty());
}

TEST(ProjectJson, CountsDefaultToTheirArraysAndDerivedSizesFollowTheTexts) {
    const Project project = Made(R"({
        "settings": {"CurrentModel": 1},
        "pages": [{"Number": 3, "elements": [{"Kind": "VarText", "Texts": ["A", "", "运行中"]},
                                             {"Kind": "VarText", "Count": 0}]},
                  {"Number": 2}],
        "AlarmTexts": ["一", "二"],
        "GlobalKeys": [{}, {}, {}]})");
    EXPECT_EQ(project.Settings.AlarmCount, 2);
    EXPECT_EQ(project.GlobalKeyCount, 3);
    // Pages are kept in number order, whatever order the text gives.
    EXPECT_EQ(project.Pages().front().Number, 2);

    const auto& elements = project.Pages().back().Elements;
    const VarTextFields& table = elements[0].As<VarTextFields>();
    EXPECT_EQ(table.Count, 3);
    EXPECT_EQ(table.Texts[2], GbkFromUtf8("运行中"));
    EXPECT_EQ(table.MaxLen, 6);
    const VarTextFields& empty = elements[1].As<VarTextFields>();
    EXPECT_EQ(empty.Count, 0);
    EXPECT_EQ(empty.Texts[0], "");  // the default entry does not linger past the count
}

TEST(ProjectJson, AVariableFontTextMeasuresItsWidestEntryUnlessGiven) {
    const Project project = Made(WithElement(R"({"Kind": "VarFontText", "Texts": ["i", "WWWW", "ii"]},
        {"Kind": "VarFontText", "Texts": ["i", "WWWW"], "MaxWidth": 5})"));
    const auto& elements = project.Pages().front().Elements;
    const VarFontTextFields& measured = elements[0].As<VarFontTextFields>();
    const Size widest = MeasureFontTextUnits(measured.Font, "WWWW", CodePage::Gbk, 36);
    EXPECT_GT(widest.Width, MeasureFontTextUnits(measured.Font, "ii", CodePage::Gbk, 36).Width);
    EXPECT_EQ(measured.MaxWidth, widest.Width);
    EXPECT_EQ(measured.MaxHeight, widest.Height);
    EXPECT_EQ(elements[1].As<VarFontTextFields>().MaxWidth, 5);
    EXPECT_EQ(elements[1].As<VarFontTextFields>().MaxHeight, widest.Height);
}

TEST(ProjectJson, PictureSizeDefaultsToItsBitmapAndFontSizeDecidesTheHeight) {
    MonoBitmap bitmap(32, 16);
    bitmap.Set(3, 3, true);
    const std::string bmp = EncodeBase64(EncodeMonoBmp(bitmap));
    const Project project = Made(WithElement(R"({"Kind": "Pic", "Bitmap": ")" + bmp + R"("},
        {"Kind": "TouchKey", "Font": {"Size": 12}}, {"Kind": "TouchKey", "Font": {"Height": -27, "Size": 20}})"));

    const auto& elements = project.Pages().front().Elements;
    const PicFields& picture = elements[0].As<PicFields>();
    EXPECT_EQ(picture.Width, ToEditorUnits(32, 36));
    EXPECT_EQ(picture.Height, ToEditorUnits(16, 36));
    EXPECT_EQ(picture.Bitmap, EncodeMonoBmp(bitmap));
    EXPECT_EQ(elements[1].As<TouchKeyFields>().Font.Height, -16);
    // Both given, and agreeing, as a dump of any stored font gives them: kept as they are.
    EXPECT_EQ(elements[2].As<TouchKeyFields>().Font.Height, -27);
    EXPECT_EQ(elements[2].As<TouchKeyFields>().Font.Size, 20);
}

struct BadForm {
    std::string Text;
    std::string Path;
    std::string Message;  // a part of the message
};

void PrintTo(const BadForm& form, std::ostream* out) {
    *out << form.Text;
}

class ProjectJsonErrors : public ::testing::TestWithParam<BadForm> {};

TEST_P(ProjectJsonErrors, NameThePathOfTheOffendingValue) {
    Project project;
    const std::optional<JsonFormError> error = MakeProjectFromJson(GetParam().Text, project);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Path, GetParam().Path);
    EXPECT_THAT(error->Message, HasSubstr(GetParam().Message));
}

const std::string kLongTitle(41, 'x');

INSTANTIATE_TEST_SUITE_P(
    Form, ProjectJsonErrors,
    ::testing::Values(
        BadForm{"[1, 2]", "", "expected an object"}, BadForm{"{\"pages\": [", "", "line 1"},
        BadForm{R"({"Pages": []})", "Pages", "unknown key"},
        BadForm{R"({"settings": {"PlcType": 21, "Baud": 6}})", "settings.Baud", "unknown key"},
        BadForm{R"({"settings": {"CurrentModel": 13}})", "settings.CurrentModel", "0..12"},
        BadForm{R"({"settings": {"HomePageNo": 2147483648}})", "settings.HomePageNo", "outside"},
        BadForm{R"({"settings": {"Password": -2147483649}})", "settings.Password", "outside"},
        BadForm{R"({"settings": {"AlarmCoil": {"Number": 1.5}}})", "settings.AlarmCoil.Number",
                "expected an integer"},
        BadForm{R"({"settings": {"AlarmCount": 1}, "AlarmTexts": []})", "settings.AlarmCount", "disagrees"},
        BadForm{R"({"settings": {"AlarmCount": 129}})", "settings.AlarmCount", "capacity"},
        BadForm{R"({"GlobalKeyCount": 2, "GlobalKeys": [{}]})", "GlobalKeyCount", "disagrees"},
        BadForm{R"({"GlobalKeyCount": 21})", "GlobalKeyCount", "outside 0..20"},
        BadForm{R"({"GlobalKeys": [{"Coil": {"Station": "1"}}]})", "GlobalKeys[0].Coil.Station", "a string"},
        BadForm{R"({"pages": []})", "pages", "at least one page"},
        BadForm{R"({"pages": [{"Title": "x"}]})", "pages[0].Number", "missing"},
        BadForm{R"({"pages": [{"Number": 1}, {"Number": 65536}]})", "pages[1].Number", "outside 0..65535"},
        BadForm{R"({"pages": [{"Number": 1}, {"Number": 1}]})", "pages[1].Number", "twice"},
        BadForm{R"({"pages": [{"Number": 1, "Title": ")" + kLongTitle + R"("}]})", "pages[0].Title",
                "41 bytes"},
        BadForm{R"({"pages": [{"Number": 1, "Title": "😀"}]})", "pages[0].Title", "code page GBK"},
        BadForm{R"({"pages": [{"Number": 1, "Title": {"hex": "ABC"}}]})", "pages[0].Title.hex", "hex digits"},
        BadForm{R"({"pages": [{"Number": 1, "Title": {"hex": "4G"}}]})", "pages[0].Title.hex", "hex digits"},
        BadForm{WithElement(R"({"X": 1})"), "pages[0].elements[0].Kind", "missing"},
        BadForm{WithElement(R"({"Kind": 2147483648})"), "pages[0].elements[0].Kind", "outside"},
        BadForm{WithElement(R"({"Kind": "Button"})"), "pages[0].elements[0].Kind", "unknown element kind"},
        BadForm{WithElement(R"({"Kind": "Reg", "Content": "x"})"), "pages[0].elements[0].Content",
                "unknown key"},
        BadForm{WithElement(R"({"Kind": "Text", "Double": true})"), "pages[0].elements[0].Double",
                "a boolean"},
        BadForm{WithElement(R"({"Kind": "VarText", "Count": 2, "Texts": ["a"]})"),
                "pages[0].elements[0].Count", "disagrees"},
        BadForm{WithElement(R"({"Kind": "VarText", "Count": 256})"), "pages[0].elements[0].Count", "0..255"},
        BadForm{WithElement(R"({"Kind": "VarFontText", "Texts": ["a", 1]})"), "pages[0].elements[0].Texts[1]",
                "expected a text"},
        BadForm{WithElement(R"({"Kind": "FuncKey", "Action": {"Function": -1}})"),
                "pages[0].elements[0].Action.Function", "outside 0..255"},
        BadForm{WithElement(R"({"Kind": "FontText", "Font": {"Name": ")" + std::string(129, 'n') + R"("}})"),
                "pages[0].elements[0].Font.Name", "128-byte"},
        BadForm{WithElement(R"({"Kind": "FontText", "Font": {"Color": -2147483649}})"),
                "pages[0].elements[0].Font.Color", "outside -2147483648..4294967295"},
        BadForm{WithElement(R"({"Kind": "FontText", "Font": {"Color": 4294967296}})"),
                "pages[0].elements[0].Font.Color", "outside -2147483648..4294967295"},
        BadForm{R"({"pages": [{"Number": 1}], "pages": []})", "pages", "twice"},
        BadForm{WithElement(R"({"Kind": "Text", "X": 1, "Y": 2, "X": 3})"), "pages[0].elements[0].X",
                "twice"},
        BadForm{R"({"pages": [{"Number": 1, "Title": {"hex": "41", "hex": "42"}}]})", "pages[0].Title.hex",
                "twice"},
        BadForm{WithElement(R"({"Kind": "Pic", "Bitmap": "Qk0=!"})"), "pages[0].elements[0].Bitmap",
                "base64"},
        BadForm{WithElement(R"({"Kind": "Pic", "Bitmap": "Qk1BQUFB"})"), "pages[0].elements[0].Bitmap",
                "not a readable BMP"}),
    // Short names: the case's number and the path it is about, instead of its whole JSON text.
    [](const ::testing::TestParamInfo<BadForm>& info) {
        std::string name = "Case" + std::to_string(info.index);
        if (!info.param.Path.empty()) name += "_";
        for (const char c : info.param.Path)
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(Base64, EncodesAndDecodesEveryTailLength) {
    EXPECT_EQ(EncodeBase64(std::vector<uint8_t>{'M', 'a', 'n'}), "TWFu");
    EXPECT_EQ(EncodeBase64(std::vector<uint8_t>{'M', 'a'}), "TWE=");
    EXPECT_EQ(EncodeBase64(std::vector<uint8_t>{'M'}), "TQ==");
    std::vector<uint8_t> bytes;
    for (int length = 0; length < 8; ++length) {
        EXPECT_EQ(DecodeBase64(EncodeBase64(bytes)), bytes) << length;
        bytes.push_back(static_cast<uint8_t>(0xF9 - 37 * length));
    }
    EXPECT_EQ(DecodeBase64("TW\nFu\r\n TQ=="), (std::vector<uint8_t>{'M', 'a', 'n', 'M'}));
}

TEST(Base64, RefusesAnythingButOneCanonicalEncoding) {
    for (const char* bad : {"TWF", "TW=u", "TQ==TWFu", "TWF*", "TWF=", "TR==", "====", "T==="})
        EXPECT_FALSE(DecodeBase64(bad)) << bad;
}

// Nesting deeper than the form can use is refused before anything walks it, wherever it starts; the deepest
// nesting allowed still reaches the readers, which name what is wrong with it.
TEST(ProjectJsonGuards, DeepNestingIsRefusedWithItsPath) {
    // An element sits at level 5 (the top object, pages, a page, elements, the element): 27 arrays in X
    // make the deepest nesting allowed.
    const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const auto members = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += R"({"a": )";
        return text;
    };
    struct Case {
        std::string Text;
        std::string PathStart;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {WithElement(R"({"Kind": "Text", "X": )" + nested(100000) + "}"), "pages[0].elements[0].X[0][0]",
         "nested deeper than 32 levels"},
        {WithElement(R"({"Kind": "Text", "X": )" + nested(28) + "}"), "pages[0].elements[0].X[0][0]",
         "nested deeper than 32 levels"},
        {WithElement(R"({"Kind": "Text", "X": )" + nested(27) + "}"), "pages[0].elements[0].X",
         "expected an integer, found an array"},
        {members(50000), "a.a.a", "nested deeper than 32 levels"},
        {R"({"settings": {"AlarmCoil": )" + members(40), "settings.AlarmCoil.a", "nested deeper"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 80));
        Project project;
        const std::optional<JsonFormError> error = MakeProjectFromJson(c.Text, project);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->Path.starts_with(c.PathStart)) << error->Path;
        EXPECT_THAT(error->Message, HasSubstr(c.Message));
    }
}

// Reading an object takes time in proportion to its size: a 1 MB object answers at once, whether with its
// first unknown key or with a key given twice at its end.
// The sanitizers slow the reader down about fourfold; a reading that grows with the square of the key count
// takes tens of seconds on this object either way.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QXED_TEST_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QXED_TEST_SANITIZED)
constexpr std::chrono::milliseconds kMegabyteObjectBudget{2000};
#else
constexpr std::chrono::milliseconds kMegabyteObjectBudget{500};
#endif

TEST(ProjectJsonGuards, AMegabyteObjectIsAnsweredWellUnderASecond) {
    std::string members;
    for (int i = 0; members.size() < (1u << 20); ++i)
        members += ",\"k" + std::to_string(i) + "\": " + std::to_string(i);
    const struct {
        std::string Element;
        std::string Path;
    } cases[] = {
        {R"({"Kind": "Text")" + members + "}", "pages[0].elements[0].k0"},
        {R"({"Kind": "Text")" + members + R"(, "k7": 0})", "pages[0].elements[0].k7"},
    };
    for (const auto& c : cases) {
        Project project;
        const auto start = std::chrono::steady_clock::now();
        const std::optional<JsonFormError> error = MakeProjectFromJson(WithElement(c.Element), project);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Path, c.Path);
        EXPECT_LT(elapsed, kMegabyteObjectBudget);
    }
}

}  // namespace
}  // namespace qxed
