#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "files/project_json.h"
#include "support/temp_folder.h"
#include "vpanel/panel_fixture.h"
#include "vpanel/panel_keys.h"
#include "vpanel/screen_picture.h"

namespace qxed::testing {
namespace {

using ::testing::HasSubstr;
using namespace panel_keys;

const std::string kCli = QXED_CLI;
const std::string kDemoJson = std::string(QXED_EXAMPLES_DIR) + "/demo.json";

RasterImage ReadPng(const std::string& path) {
    QImage image(QString::fromStdString(path), "PNG");
    RasterImage picture;
    if (image.isNull()) return picture;
    image = image.convertToFormat(QImage::Format_RGB32);
    picture.Width = image.width();
    picture.Height = image.height();
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x) {
            const QRgb c = image.pixel(x, y);
            picture.Pixels.push_back(
                Rgb(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c))));
        }
    return picture;
}

Project ProjectOfJson(const std::string& path) {
    Project project;
    const std::optional<JsonFormError> error = MakeProjectFromJson(ReadBytes(path), project);
    EXPECT_FALSE(error) << path;
    return project;
}

// A QX220 page: a key on 1 that writes 321 into reg:1:0:50, a settable register 1:0:60 and a lamp on
// coil:1:1:7.
Project ScriptProject() {
    const int model = 1;
    Project project = SmallProject(model);
    Page& page = project.Pages().front();
    FuncKeyFields& key = AddElement<FuncKeyFields>(page, ElementKind::FuncKey, model, 0, 0);
    key.Action.Key = kNum0 + 1;
    key.Action.Function = KeyAction::kSetData;
    key.Action.RegAddress = PlcAddress{1, 0, 50};
    key.Action.SetValue = 321;
    RegFields& reg = AddElement<RegFields>(page, ElementKind::Reg, model, 0, 16);
    reg.Address = PlcAddress{1, 0, 60};
    reg.NeedSet = 1;
    AddElement<LampFields>(page, ElementKind::Lamp, model, 0, 40).Coil = PlcAddress{1, 1, 7};
    return project;
}

class CliPanel : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    RunResult Panel(std::vector<std::string> args) {
        args.insert(args.begin(), "panel");
        return RunProgram(kCli, args);
    }
    TempFolder folder;
};

TEST_F(CliPanel, ShowsTheHomePageOfTheExample) {
    const std::string png = folder.File("home.png");
    const RunResult run = Panel({kDemoJson, "-o", png});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const Project project = ProjectOfJson(kDemoJson);
    const VirtualPanel panel = StartPanel(project);
    ASSERT_EQ(panel.CurrentPage(), project.Settings.HomePageNo);
    EXPECT_GT(CountSet(panel.Screen()), 0) << "the home page shows something";
    EXPECT_EQ(ReadPng(png), ScreenPicture(panel, 1));

    // Enlarged three times, every dot a block of 3 x 3 pixels.
    const std::string large = folder.File("large.png");
    ASSERT_EQ(Panel({kDemoJson, "--scale", "3", "-o", large}).ExitCode, 0);
    EXPECT_EQ(ReadPng(large), ScreenPicture(panel, 3));
}

TEST_F(CliPanel, RunsAnImageWithItsModelAsTheProjectRuns) {
    const std::string json = Write("script.json", DumpProjectJson(ScriptProject(), std::nullopt));
    const std::string image = folder.File("script.bin");
    ASSERT_EQ(RunProgram(kCli, {"build", json, "-o", image}).ExitCode, 0);
    const std::string fromImage = folder.File("image.png"), fromProject = folder.File("project.png");
    const RunResult run = Panel({image, "--model", "QX220", "--keys", "SET 4 2 ENT", "-o", fromImage});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    ASSERT_EQ(Panel({json, "--keys", "SET 4 2 ENT", "-o", fromProject}).ExitCode, 0);
    EXPECT_EQ(ReadPng(fromImage), ReadPng(fromProject));

    VirtualPanel panel = StartPanel(ScriptProject());
    for (const int key : {kSet, kNum0 + 4, kNum0 + 2, kEnt})
        panel.Press(key);
    EXPECT_EQ(ReadPng(fromImage), ScreenPicture(panel, 1));
}

TEST_F(CliPanel, PressesTheKeysAndWritesThePlcStateAfterThem) {
    const std::string json = Write("script.json", DumpProjectJson(ScriptProject(), std::nullopt));
    const std::string state = Write("in.json", R"({"coil:1:1:7": true, "reg:1:0:70": -2})");
    const std::string out = folder.File("out.json");
    const RunResult run = Panel({json, "--plc", state, "--keys", "1 SET 1 2 3 ENT", "--state-out", out, "-o",
                                 folder.File("s.png")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const nlohmann::json written = nlohmann::json::parse(ReadBytes(out));
    EXPECT_EQ(written, nlohmann::json::parse(R"({"coil:1:1:7": 1, "reg:1:0:50": 321, "reg:1:0:60": 123,
                                                "reg:1:0:70": 65534})"));

    // The state written reads back as a start state: the lamp and the register show as they were left.
    const std::string again = folder.File("again.png");
    ASSERT_EQ(Panel({json, "--plc", out, "-o", again}).ExitCode, 0);
    EXPECT_EQ(ReadPng(again), ReadPng(folder.File("s.png")));
    const std::string dark = folder.File("dark.png");
    ASSERT_EQ(Panel({json, "-o", dark}).ExitCode, 0);
    EXPECT_NE(ReadPng(dark), ReadPng(again));
}

TEST_F(CliPanel, RefusesBadKeysStatesAndPages) {
    const std::string json = Write("script.json", DumpProjectJson(ScriptProject(), std::nullopt));
    const std::string png = folder.File("x.png");
    struct Case {
        std::vector<std::string> Args;
        int Exit;
        const char* Message;
    };
    const Case cases[] = {
        {{json, "--keys", "F1 SHIFT", "-o", png}, 2, "\"SHIFT\" is no key"},
        {{json, "--keys", "DOWN F6", "-o", png}, 1, "the QX220 has no key F6"},
        {{json, "--page", "7", "-o", png}, 1, "there is no page 7"},
        {{json, "--scale", "17", "-o", png}, 2, "--scale 17"},
        {{json, "--plc", Write("bad.json", "[1]"), "-o", png}, 1, "not a JSON object"},
        {{json, "--plc", Write("name.json", R"({"D100": 1})"), "-o", png}, 1, "\"D100\" is no operand"},
        {{json, "--plc", Write("coil.json", R"({"coil:1:1:7": 2})"), "-o", png}, 1, "a coil is 0, 1"},
        {{json, "--plc", Write("reg.json", R"({"reg:1:0:1": 70000})"), "-o", png}, 1, "-32768..65535"},
        {{Write("short.bin", "\x01\x02"), "--model", "1", "-o", png}, 1, "directory"},
    };
    for (const Case& c : cases) {
        const RunResult run = Panel(c.Args);
        EXPECT_EQ(run.ExitCode, c.Exit) << c.Message << ": " << run.Err;
        EXPECT_THAT(run.Err, HasSubstr(c.Message));
        EXPECT_FALSE(std::filesystem::exists(png)) << c.Message;
    }
}

}  // namespace
}  // namespace qxed::testing
