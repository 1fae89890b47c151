#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"
#include "support/temp_folder.h"

namespace qxed::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

const std::string kCli = QXED_CLI;
const std::string kExamples = QXED_EXAMPLES_DIR;

// A QX223 (model 6: keypad and touch screen, 8 global keys, 24 characters per line, 432x144 editor units) on
// PLC type 21, with pages 1 and 2 and one element on page 1 that each case shapes.
json BaseProject() {
    return json::parse(R"({
      "settings": {"PlcType": 21, "CurrentModel": 6},
      "pages": [{"Number": 1, "elements": []}, {"Number": 2}]
    })");
}

json& FirstElement(json& project, const json& element) {
    project["pages"][0]["elements"].push_back(element);
    return project["pages"][0]["elements"][0];
}

struct CheckCase {
    const char* Name;
    std::function<void(json&)> Shape;
    std::string Path;      // of the one finding
    std::string Severity;  // "error" or "warning"
    std::string Says;      // part of its message
    std::vector<std::string> Extra = {};
};

const CheckCase kCases[] = {
    {"DigitsBeyondTen",
     [](json& p) {
         FirstElement(p, {{"Kind", "Reg"}, {"Digits", 12}});
     },
     "pages[0].elements[0].Digits", "error", "outside 1..10"},
    {"MoreDecimalsThanDigits",
     [](json& p) {
         FirstElement(p, {{"Kind", "Reg"}, {"Digits", 3}, {"DecimalDigits", 4}});
     },
     "pages[0].elements[0].DecimalDigits", "error", "more than the 3 digits"},
    {"LampTypeOutsideItsCodes",
     [](json& p) {
         FirstElement(p, {{"Kind", "Lamp"}, {"LampType", 2}});
     },
     "pages[0].elements[0].LampType", "error", "0 round, 1 square"},
    {"KeyNotOnTheKeypad",
     [](json& p) {
         FirstElement(p, {{"Kind", "FuncKey"}, {"Action", {{"Key", 1}}}});
     },
     "pages[0].elements[0].Action.Key", "error", "not on the QX223's keypad"},
    {"NoFunctionOnAnElement",
     [](json& p) {
         FirstElement(p, {{"Kind", "FuncKey"}, {"Action", {{"Function", 3}}}});
     },
     "pages[0].elements[0].Action.Function", "error", "global function keys only"},
    {"JumpToAMissingPage",
     [](json& p) {
         FirstElement(p, {{"Kind", "FuncKey"}, {"Action", {{"Function", 1}, {"PageNo", 9}}}});
     },
     "pages[0].elements[0].Action.PageNo", "warning", "page 9"},
    {"LinkToAMissingPage", [](json& p) { p["pages"][1]["PrvPageNo"] = 7; }, "pages[1].PrvPageNo", "warning",
     "page 7"},
    {"MasterPageMissing", [](json& p) { p["settings"]["HomePageNo"] = 5; }, "settings.HomePageNo", "warning",
     "5"},
    {"ElementWhollyOffTheScreen",
     [](json& p) {
         FirstElement(p, {{"Kind", "Text"}, {"X", 440}, {"Content", "A"}});
     },
     "pages[0].elements[0]", "error", "wholly outside"},
    {"ElementPartlyOffTheScreen",
     [](json& p) {
         FirstElement(p, {{"Kind", "Text"}, {"X", 400}, {"Content", "ABCD"}});
     },
     "pages[0].elements[0]", "error", "reaches outside"},
    {"TouchKeyOnAModelWithoutTouch",
     [](json& p) {
         p["settings"]["CurrentModel"] = 4;
         FirstElement(p, {{"Kind", "TouchKey"}, {"Content", "A"}});
     },
     "pages[0].elements[0].Kind", "error", "no touch screen"},
    {"TextTheLanguageRefuses",
     [](json& p) {
         FirstElement(p, {{"Kind", "Text"}, {"Content", "温度"}});
     },
     "pages[0].elements[0].Content",
     "error",
     "ASCII",
     {"--lang", "en"}},
    {"TextLongerThanALine",
     [](json& p) {
         FirstElement(p, {{"Kind", "VarText"}, {"Texts", {"A", std::string(30, 'B')}}});
     },
     "pages[0].elements[0].Texts[1]", "error", "24 characters per line"},
    {"GlobalKeysBeyondTheModel",
     [](json& p) {
         p["GlobalKeyCount"] = 12;
         p["GlobalKeys"] = json::array();
         for (int i = 0; i < 12; ++i)
             p["GlobalKeys"].push_back({{"Key", 22}});
     },
     "GlobalKeyCount", "error", "more than the 8"},
    {"OperandTypeOutsideTheList",
     [](json& p) {
         FirstElement(p, {{"Kind", "Reg"}, {"Address", {{"TypeIndex", 9}}}});
     },
     "pages[0].elements[0].Address.TypeIndex", "error", "0..6"},
    {"OperandNumberOutsideTheBounds",
     [](json& p) {
         p["settings"]["PlcType"] = 11;
         FirstElement(p, {{"Kind", "Reg"}, {"Address", {{"Number", 200}}}});
     },
     "pages[0].elements[0].Address.Number", "error", "0..159"},
    {"ScreenSaverDelayOutsideTheList", [](json& p) { p["settings"]["ScreenSaveTime"] = 11; },
     "settings.ScreenSaveTime", "error", "10 after 1 hour"},
    {"TrendNarrowerThanSixteenDots",
     [](json& p) {
         FirstElement(p, {{"Kind", "Trend"}, {"Width", 18}, {"SamplePoints", 2}});
     },
     "pages[0].elements[0].Width", "error", "less than the 16"},
    {"AsciiStringLongerThanTheModelHolds",
     [](json& p) {
         FirstElement(p, {{"Kind", "ASCIIText"}, {"Num", 9}});
     },
     "pages[0].elements[0].Num", "error", "16 bytes"},
    {"PageTooFullForTheImage",
     [](json& p) {
         for (int i = 0; i < 256; ++i)
             p["pages"][0]["elements"].push_back({{"Kind", "Lamp"}, {"X", 0}, {"Y", 0}});
     },
     "", "error", "page 1: 256 elements, at most 255"},
};

void PrintTo(const CheckCase& c, std::ostream* out) {
    *out << c.Name;
}

class CliCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CliCheck, ReportsTheOneFindingWithItsPath) {
    const CheckCase& c = GetParam();
    TempFolder folder;
    json project = BaseProject();
    c.Shape(project);
    const std::string file = folder.File("project.json");
    WriteBytes(file, project.dump());
    std::vector<std::string> args = {"check", file, "--json"};
    args.insert(args.end(), c.Extra.begin(), c.Extra.end());
    const RunResult result = RunProgram(kCli, args);
    ASSERT_EQ(result.ExitCode, c.Severity == "error" ? 1 : 0) << result.Out << result.Err;
    const json report = json::parse(result.Out);
    ASSERT_EQ(report["findings"].size(), 1u) << result.Out;
    const json& finding = report["findings"][0];
    EXPECT_EQ(finding["path"], c.Path);
    EXPECT_EQ(finding["severity"], c.Severity);
    EXPECT_THAT(finding["message"].get<std::string>(), HasSubstr(c.Says));
    EXPECT_EQ(report["errors"], c.Severity == "error" ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Findings, CliCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CliCheckExamples, TheExampleProjectsAreClean) {
    for (const auto& [file, args] : {std::pair{"demo.json", std::vector<std::string>{}},
                                     std::pair{"demo-en.json", std::vector<std::string>{"--lang", "En"}}}) {
        std::vector<std::string> command = {"check", kExamples + "/" + file};
        command.insert(command.end(), args.begin(), args.end());
        const RunResult result = RunProgram(kCli, command);
        EXPECT_EQ(result.ExitCode, 0) << file << ": " << result.Out << result.Err;
        EXPECT_THAT(result.Out, HasSubstr(": 0 errors, 0 warnings\n")) << file;
    }
}

TEST(CliCheckExamples, TheBuildRefusalKeepsItsExactMessageAndAddsTheBytes) {
    TempFolder folder;
    json project = BaseProject();
    for (int i = 0; i < 256; ++i)
        project["pages"][0]["elements"].push_back({{"Kind", "Lamp"}});
    const std::string file = folder.File("full.json");
    WriteBytes(file, project.dump());
    const RunResult check = RunProgram(kCli, {"check", file});
    EXPECT_EQ(check.ExitCode, 1);
    EXPECT_THAT(
        check.Out,
        HasSubstr("error: the image cannot be built: 请调整工程!,画面数据溢出\n  page 1: 256 elements"));
    // The build prints the same message, then the detail on the lines after it.
    const RunResult build = RunProgram(kCli, {"build", file, "-o", folder.File("full.bin")});
    EXPECT_EQ(build.ExitCode, 1);
    EXPECT_THAT(build.Err, HasSubstr("\n  page 1: 256 elements, at most 255 on a page\n"));
}

}  // namespace
}  // namespace qxed::testing
