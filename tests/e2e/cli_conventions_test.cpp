#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"
#include "files/data_file.h"
#include "model/key_codes.h"
#include "model/panel_model.h"
#include "plc/plc_profile.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace qxed::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

const std::string kCli = QXED_CLI;
const std::string kDemo = std::string(QXED_EXAMPLES_DIR) + "/demo.json";

json ListJson(const std::vector<std::string>& args) {
    std::vector<std::string> command = {"list"};
    command.insert(command.end(), args.begin(), args.end());
    command.push_back("--json");
    const RunResult result = RunProgram(kCli, command);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    return json::parse(result.Out);
}

TEST(CliList, TheModelTableIsTheEditorsOwn) {
    const json models = ListJson({"models"});
    ASSERT_EQ(models.size(), static_cast<std::size_t>(PanelModelCount));
    for (int index = 0; index < PanelModelCount; ++index) {
        const PanelModel& model = *FindPanelModel(index);
        const json& row = models[static_cast<std::size_t>(index)];
        EXPECT_EQ(row["index"], index);
        EXPECT_EQ(row["code"], std::string(model.Code));
        EXPECT_EQ(row["width"], model.ScreenWidth) << model.Code;
        EXPECT_EQ(row["height"], model.ScreenHeight) << model.Code;
        EXPECT_EQ(row["Z"], model.PreviewScale) << model.Code;
        EXPECT_EQ(row["grid"], model.GridStep) << model.Code;
        EXPECT_EQ(row["chars"], model.CharsPerLine) << model.Code;
        EXPECT_EQ(row["touch"], model.TouchKeys) << model.Code;
        EXPECT_EQ(row["alarms"], model.AlarmCapacity) << model.Code;
        EXPECT_EQ(row["keypad"], model.KeypadLayout == Keypad::None
                                     ? "none"
                                     : std::string(KeypadSection(model.KeypadLayout)));
        if (model.GlobalKeyCount == kGlobalKeysUnchanged)
            EXPECT_EQ(row["globalKeys"], "-") << model.Code;
        else
            EXPECT_EQ(row["globalKeys"], model.GlobalKeyCount) << model.Code;
    }
}

TEST(CliList, PlcTypesKeysAndOperandListsFollowTheCatalogue) {
    const json types = ListJson({"plc"});
    ASSERT_EQ(types.size(), static_cast<std::size_t>(PlcTypeCount));
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcProfile profile = PlcProfileOf(type);
        const json& row = types[static_cast<std::size_t>(type)];
        EXPECT_EQ(row["type"], type);
        EXPECT_EQ(row["registers"], json(profile.RegisterTypes)) << type;
        EXPECT_EQ(row["coils"], json(profile.CoilTypes)) << type;
        const bool bounded = profile.RegisterNumberMin != 0 || profile.RegisterNumberMax != 0;
        EXPECT_EQ(row["registerNumbers"], bounded ? std::to_string(profile.RegisterNumberMin) + ".." +
                                                        std::to_string(profile.RegisterNumberMax)
                                                  : "any")
            << type;
    }

    // Keys by model code in any case, and by index given as --model=N.
    for (const auto& [model, argument] : {std::pair{4, "--model=qx222"}, std::pair{2, "--model=2"}}) {
        const json keys = ListJson({"keys", argument});
        const std::span<const int> codes = KeypadKeyCodes(FindPanelModel(model)->KeypadLayout);
        ASSERT_EQ(keys.size(), codes.size()) << argument;
        for (std::size_t i = 0; i < codes.size(); ++i)
            EXPECT_EQ(keys[i]["code"], codes[i]) << argument;
    }

    // The TypeIndex of each operand type is its position in its list.
    const json operands = ListJson({"operands", "--plc", "siemens"});
    std::vector<std::string> registers, words, coils;
    for (const json& row : operands) {
        std::vector<std::string>& list = row["list"] == "registers" ? registers
                                         : row["list"] == "coils"   ? coils
                                                                    : words;
        EXPECT_EQ(row["TypeIndex"], list.size());
        list.push_back(row["type"]);
    }
    EXPECT_EQ(registers, RegisterTypeNames(2, RegisterList::Full));
    EXPECT_EQ(words, RegisterTypeNames(2, RegisterList::WordAlone));
    EXPECT_EQ(coils, PlcProfileOf(2).CoilTypes);
}

TEST(CliList, BadTablesAndMisplacedOptionsAreBadUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"list"},
        {"list", "fonts"},
        {"list", "keys"},
        {"list", "models", "--model", "2"},
        {"list", "operands", "--plc", "99"},
        {"list", "keys", "--model", "QX9"},
        {"schema", "extra"},
        {"list", "models", "-o", "x"},
    };
    for (const auto& args : cases) {
        const RunResult result = RunProgram(kCli, args);
        EXPECT_EQ(result.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_THAT(result.Err, HasSubstr("--help")) << ::testing::PrintToString(args);
    }
}

TEST(CliConventions, EveryProgramTellsItsVersionAndRevision) {
    for (const auto& [program, name] : {std::pair{std::string(QXED_CLI), "qxed-cli"},
                                        std::pair{std::string(QXED_PANELSIM), "qxed-panelsim"},
                                        std::pair{std::string(QXED_EDITOR), "qxed"}}) {
        for (const char* option : {"--version", "-V"}) {
            const RunResult result = RunProgram(program, {option});
            EXPECT_EQ(result.ExitCode, 0) << name << " " << option << result.Err;
            EXPECT_THAT(result.Out,
                        MatchesRegex(std::string(name) + " [0-9]+\\.[0-9]+\\.[0-9]+ \\(git [0-9a-z-]+\\)\n"))
                << name;
        }
    }
}

TEST(CliConventions, TextResultsGoToStandardOutputWithADash) {
    TempFolder folder;
    const std::string image = folder.File("demo.bin");
    ASSERT_EQ(RunProgram(kCli, {"build", kDemo, "-o", image}).ExitCode, 0);
    const std::vector<std::vector<std::string>> commands = {
        {"schema"}, {"dump", QXED_EXAMPLE_QX2}, {"inspect", image, "--model", "QX223"}};
    for (const auto& command : commands) {
        const RunResult plain = RunProgram(kCli, command);
        std::vector<std::string> dashed = command;
        dashed.insert(dashed.end(), {"-o", "-"});
        const RunResult dash = RunProgram(kCli, dashed);
        ASSERT_EQ(plain.ExitCode, 0) << command[0] << plain.Err;
        EXPECT_EQ(dash.ExitCode, 0) << command[0] << dash.Err;
        EXPECT_EQ(dash.Out, plain.Out) << command[0];
        EXPECT_FALSE(std::filesystem::exists(folder.File("-")));
        // And to a file with --output=FILE, the same bytes.
        std::vector<std::string> toFile = command;
        toFile.push_back("--output=" + folder.File("out.txt"));
        EXPECT_EQ(RunProgram(kCli, toFile).ExitCode, 0) << command[0];
        EXPECT_EQ(ReadBytes(folder.File("out.txt")), plain.Out) << command[0];
    }
}

TEST(CliConventions, InspectTakesTheModelOfADataFileAndRefusesProjects) {
    TempFolder folder;
    const std::string image = folder.File("demo.bin");
    ASSERT_EQ(RunProgram(kCli, {"build", kDemo, "-o", image}).ExitCode, 0);
    const std::string bytes = ReadBytes(image);

    // A data file of the example's image with a driver file behind it, as long as the shortest one.
    const std::string driver = folder.File("driver.dat");
    WriteBytes(driver, std::string(0x33814, 'D'));
    DataFileContents contents;
    contents.CurrentModel = 6;
    contents.PlcTypeLow = 21;
    const RunResult lengths = RunProgram(kCli, {"build", kDemo, "-o", image, "--json"});
    const json summary = json::parse(lengths.Out);
    contents.HeaderLength = summary["H"];
    contents.GlyphLength = summary["glyphs"];
    contents.Image.assign(bytes.begin(), bytes.end());
    const Language language;
    RecordingPrompts prompts;
    ASSERT_TRUE(ExportData(folder.File("demo.odp"), contents, driver, language, prompts));

    const RunResult fromHeader = RunProgram(kCli, {"inspect", folder.File("demo.odp"), "--json"});
    ASSERT_EQ(fromHeader.ExitCode, 0) << fromHeader.Err;
    const RunResult fromImage = RunProgram(kCli, {"inspect", image, "--model", "6", "--json"});
    EXPECT_EQ(json::parse(fromHeader.Out), json::parse(fromImage.Out));
    EXPECT_EQ(json::parse(fromHeader.Out)["model"], 6);
    EXPECT_EQ(json::parse(fromHeader.Out)["pages"].size(), 3u);

    const RunResult otherModel = RunProgram(kCli, {"inspect", folder.File("demo.odp"), "--model", "2"});
    EXPECT_EQ(otherModel.ExitCode, 1);
    EXPECT_THAT(otherModel.Err, HasSubstr("the data file is for model 6, not 2"));

    for (const std::string& project : {kDemo, std::string(QXED_EXAMPLE_QX2)}) {
        const RunResult refused = RunProgram(kCli, {"inspect", project, "--model", "6"});
        EXPECT_EQ(refused.ExitCode, 1) << project;
        EXPECT_THAT(refused.Err, HasSubstr(": this is a project file: build it first")) << project;
        EXPECT_EQ(refused.Out, "");
    }
}

TEST(CliConventions, SummariesAsJsonAndEnumerationsInAnyCase) {
    TempFolder folder;
    const RunResult plain = RunProgram(kCli, {"build", kDemo, "-o", folder.File("a.bin")});
    const RunResult summary =
        RunProgram(kCli, {"build", kDemo, "--output=" + folder.File("b.bin"), "--json", "--lang=sch"});
    ASSERT_EQ(summary.ExitCode, 0) << summary.Err;
    const json built = json::parse(summary.Out);
    EXPECT_EQ(plain.Out, "H=" + built["H"].dump() + " glyphs=" + built["glyphs"].dump() +
                             " L=" + built["L"].dump() + "\n");
    EXPECT_EQ(built["pages"], 3);
    EXPECT_EQ(ReadBytes(folder.File("a.bin")), ReadBytes(folder.File("b.bin")));
    EXPECT_EQ(built["L"], ReadBytes(folder.File("a.bin")).size());
    // An enumerated value that is none of the list stays bad usage, whatever its case.
    EXPECT_EQ(RunProgram(kCli, {"build", kDemo, "-o", folder.File("c.bin"), "--lang", "fr"}).ExitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(folder.File("c.bin")));
}

}  // namespace
}  // namespace qxed::testing
