#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/temp_folder.h"

namespace qxed::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

const std::string kCli = QXED_CLI;
const std::string kDemoQx2 = QXED_EXAMPLE_QX2;
const std::string kDemoJson = std::string(QXED_EXAMPLES_DIR) + "/demo.json";

RunResult Cli(const std::vector<std::string>& args) {
    return RunProgram(kCli, args);
}

struct BuildLine {
    unsigned H = 0;
    unsigned Glyphs = 0;
    unsigned L = 0;
};

BuildLine ParseBuildLine(const std::string& out) {
    BuildLine line;
    char rest = 0;
    EXPECT_EQ(std::sscanf(out.c_str(), "H=%u glyphs=%u L=%u%c", &line.H, &line.Glyphs, &line.L, &rest), 4)
        << out;
    EXPECT_EQ(rest, '\n');
    return line;
}

TEST(CliBuild, BuildsTheSameImageEveryTimeFromEitherFormAndReportsItsLengths) {
    TempFolder folder;
    const RunResult first = Cli({"build", kDemoQx2, "-o", folder.File("a.bin")});
    ASSERT_EQ(first.ExitCode, 0) << first.Err;
    EXPECT_THAT(first.Err, IsEmpty());
    EXPECT_THAT(first.Out, MatchesRegex("H=[0-9]+ glyphs=[0-9]+ L=[0-9]+\n"));
    const RunResult second = Cli({"build", kDemoQx2, "-o", folder.File("b.bin")});
    ASSERT_EQ(second.ExitCode, 0) << second.Err;

    const std::string image = ReadBytes(folder.File("a.bin"));
    EXPECT_EQ(image, ReadBytes(folder.File("b.bin")));
    EXPECT_EQ(first.Out, second.Out);
    const BuildLine line = ParseBuildLine(first.Out);
    EXPECT_EQ(line.L, image.size());
    EXPECT_GE(line.H, 58u);
    EXPECT_LT(line.H + line.Glyphs, line.L);
    EXPECT_EQ(line.Glyphs % 16, 0u);

    const RunResult fromJson = Cli({"build", kDemoJson, "-o", folder.File("json.bin")});
    ASSERT_EQ(fromJson.ExitCode, 0) << fromJson.Err;
    EXPECT_EQ(ReadBytes(folder.File("json.bin")), image);
}

TEST(CliBuild, TheLanguageDecidesHowTextsSplit) {
    TempFolder folder;
    const RunResult byDefault = Cli({"build", kDemoQx2, "-o", folder.File("default.bin")});
    const RunResult chinese = Cli({"build", kDemoQx2, "-o", folder.File("sch.bin"), "--lang", "sCh"});
    const RunResult russian = Cli({"build", "--lang", "Ru", kDemoQx2, "-o", folder.File("ru.bin")});
    ASSERT_EQ(chinese.ExitCode, 0) << chinese.Err;
    ASSERT_EQ(russian.ExitCode, 0) << russian.Err;
    // Without a language file the texts are Chinese in the same glyph family.
    EXPECT_EQ(ReadBytes(folder.File("sch.bin")), ReadBytes(folder.File("default.bin")));
    EXPECT_EQ(chinese.Out, byDefault.Out);
    // Russian texts are single bytes only: at most 256 glyphs of 16 bytes.
    EXPECT_LE(ParseBuildLine(russian.Out).Glyphs, 256u * 16u);
    EXPECT_NE(russian.Out, chinese.Out);
}

// Pages full of the longest static texts: far more than the image holds.
std::string OverfullProjectJson() {
    json pages = json::array();
    for (int p = 1; p <= 7; ++p) {
        json elements = json::array();
        for (int e = 0; e < 255; ++e)
            elements.push_back({{"Kind", "Text"}, {"X", 0}, {"Y", 0}, {"Content", std::string(40, 'A' + p)}});
        pages.push_back({{"Number", p}, {"elements", elements}});
    }
    return json{{"settings", {{"CurrentModel", 1}}}, {"pages", pages}}.dump();
}

TEST(CliBuild, FailuresExitWithOneAndTheirMessage) {
    TempFolder folder;
    WriteBytes(folder.File("big.json"), OverfullProjectJson());
    RunResult result = Cli({"build", folder.File("big.json"), "-o", folder.File("big.bin")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("画面数据溢出"));
    EXPECT_THAT(result.Out, IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("big.bin")));

    result = Cli({"build", folder.File("missing.qx2"), "-o", folder.File("x.bin")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("missing.qx2"));

    WriteBytes(folder.File("bad.json"), R"({"pages": [{"Number": "one"}]})");
    result = Cli({"build", folder.File("bad.json"), "-o", folder.File("x.bin")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("pages[0].Number"));
}

TEST(CliInspect, ShowsTheExamplesPagesAndElements) {
    TempFolder folder;
    ASSERT_EQ(Cli({"build", kDemoQx2, "-o", folder.File("demo.bin")}).ExitCode, 0);
    const json demo = json::parse(Cli({"dump", kDemoQx2}).Out);
    const int model = demo["settings"]["CurrentModel"].get<int>();

    const RunResult result = Cli({"inspect", folder.File("demo.bin"), "--model", std::to_string(model)});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_THAT(result.Err, IsEmpty());
    EXPECT_THAT(result.Out, HasSubstr("\n  pages: " + std::to_string(demo["pages"].size()) + "\n"));
    std::size_t elements = 0;
    for (const json& page : demo["pages"]) {
        const std::string number = std::to_string(page["Number"].get<int>());
        EXPECT_THAT(result.Out, HasSubstr("\n  page " + number + ": elements " +
                                          std::to_string(page["elements"].size()) + ", "));
        for (const json& element : page["elements"]) {
            const std::string prefix =
                "\n  element " + std::to_string(++elements) + " on page " + number + ": kind ";
            const std::size_t at = result.Out.find(prefix);
            ASSERT_NE(at, std::string::npos) << prefix;
            const std::string line = result.Out.substr(at + 1, result.Out.find('\n', at + 1) - at - 1);
            // Font texts travel as pictures and are listed under the picture's kind.
            const std::string kind = element["Kind"].get<std::string>();
            const std::string listed = kind == "FontText" || kind == "Pic" ? "7 Pic/FontText" : kind;
            EXPECT_THAT(line, HasSubstr(listed + ", entry"));
        }
    }
    EXPECT_THAT(result.Out, HasSubstr("\nelements: " + std::to_string(elements) + "\n"));

    // A model's code names it as well as its index.
    const RunResult byIndex = Cli({"inspect", folder.File("demo.bin"), "--model", "6"});
    const RunResult byCode = Cli({"inspect", folder.File("demo.bin"), "--model", "QX223"});
    EXPECT_EQ(byCode.ExitCode, byIndex.ExitCode);
    EXPECT_EQ(byCode.Out, byIndex.Out);
}

// The panel settings, the alarm list and the global keys as their dialogs store them, through the file and
// the image to what inspect shows of the settings block, the alarm directory and the key table.
TEST(CliInspect, ShowsThePanelSettingsAlarmsAndGlobalKeys) {
    TempFolder folder;
    json project = json::parse(R"({
      "settings": {"PlcType": 0, "CurrentModel": 2, "HomePageNo": 5, "CtrlFlags": 65,
                   "CtrlReg": {"Station": 1, "TypeIndex": 0, "Number": 100}, "PanelStatusLedNum": 2,
                   "ScreenSaveTurnOffLight": 0, "ScreenSavePageNo": 3,
                   "AlarmCoil": {"Station": 1, "TypeIndex": 0, "Number": 10}},
      "pages": [{"Number": 1, "Title": "", "PrvPageNo": 1, "NxtPageNo": 1, "elements": []}],
      "AlarmTexts": ["HOT", "STOP"],
      "GlobalKeyCount": 20
    })");
    json keys = json::array();
    for (int key = 0; key < 20; ++key)
        keys.push_back(key == 10 ? json{{"Function", 4}, {"Encrypt", 1}, {"SetValue", 42}}
                                 : json{{"Function", 3}});
    project["GlobalKeys"] = keys;
    WriteBytes(folder.File("panel.json"), project.dump());
    ASSERT_EQ(Cli({"make", folder.File("panel.json"), "-o", folder.File("panel.qx2")}).ExitCode, 0);
    const json dumped = json::parse(Cli({"dump", folder.File("panel.qx2")}).Out);
    EXPECT_EQ(dumped["settings"]["CtrlFlags"], 65);
    EXPECT_EQ(dumped["AlarmTexts"], json::array({"HOT", "STOP"}));
    EXPECT_EQ(dumped["GlobalKeys"][10]["SetValue"], 42);

    const RunResult build = Cli({"build", folder.File("panel.qx2"), "-o", folder.File("panel.bin")});
    ASSERT_EQ(build.ExitCode, 0) << build.Err;
    const RunResult result = Cli({"inspect", folder.File("panel.bin"), "--model", "2"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const char* line :
         {"\n  HomePageNo: 5\n", "\n  AlarmCount: 2\n", "\n  AlarmCoil: station 1, type code 0, number 10\n",
          "\n  options: 0x11 AutoPageNo PanelStatusLed\n",
          "\n  CtrlReg: station 1, type code 0, number 100\n", "\n  PanelStatusLedNum: 2\n",
          "\n  ScreenSaveTurnOffLight: 0\n", "\n  ScreenSavePageNo: 3\n", "\n  global keys: 20\n",
          "\n    key 11: attribute 0x40 Encrypt, function 4 (set data)", "\nalarm texts: 2 "})
        EXPECT_THAT(result.Out, HasSubstr(line));
}

TEST(CliInspect, MalformedImagesExitWithOneAndWhereTheyBreak) {
    TempFolder folder;
    ASSERT_EQ(Cli({"build", kDemoQx2, "-o", folder.File("demo.bin")}).ExitCode, 0);
    const std::string image = ReadBytes(folder.File("demo.bin"));
    WriteBytes(folder.File("cut.bin"), image.substr(0, image.size() - 1));
    RunResult result = Cli({"inspect", folder.File("cut.bin"), "--model", "6"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("cut.bin: alarm"));
    EXPECT_THAT(result.Out, IsEmpty());

    result = Cli({"inspect", folder.File("none.bin"), "--model", "6"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("none.bin"));
}

TEST(CliImageUsage, BadArgumentsExitWithTwo) {
    TempFolder folder;
    const std::string out = folder.File("x.bin");
    const std::vector<std::vector<std::string>> cases = {
        {"build", kDemoQx2},
        {"build", "-o", out},
        {"build", kDemoQx2, "-o", out, "--lang", "Fr"},
        {"build", kDemoQx2, "-o", out, "--lang"},
        {"build", kDemoQx2, "-o", out, "--lang", "En", "--lang", "Ru"},
        {"build", kDemoQx2, kDemoJson, "-o", out},
        {"inspect", out},
        {"inspect", out, "--model", "13"},
        {"inspect", out, "--model", "QX999"},
        {"inspect", out, "--model", "-1"},
        {"inspect", out, "--model", "2", "-o"},
        {"inspect", "--model", "2"},
    };
    for (const std::vector<std::string>& args : cases) {
        const RunResult result = Cli(args);
        EXPECT_EQ(result.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_THAT(result.Err, HasSubstr("--help")) << ::testing::PrintToString(args);
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_THAT(Cli({"build", "--help"}).Out, HasSubstr("read from beside the program"));
    EXPECT_EQ(Cli({"inspect", "--help"}).ExitCode, 0);
}

}  // namespace
}  // namespace qxed::testing
