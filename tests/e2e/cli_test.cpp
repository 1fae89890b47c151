#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"
#include "files/byte_io.h"
#include "support/temp_folder.h"

namespace qxed::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kCli = QXED_CLI;
const std::string kDemo = std::string(QXED_EXAMPLES_DIR) + "/demo.json";
const std::string kFormatWrong = "该文件格式不正确！";

RunResult Cli(const std::vector<std::string>& args, const std::string& folder = {}) {
    return RunProgram(kCli, args, folder);
}

// Every value that `expected` gives is in `actual`; arrays must match entry by entry.
::testing::AssertionResult Contains(const json& actual, const json& expected, const std::string& path = "") {
    if (expected.is_object()) {
        if (!actual.is_object()) return ::testing::AssertionFailure() << path << " is not an object";
        for (const auto& [key, value] : expected.items()) {
            if (!actual.contains(key))
                return ::testing::AssertionFailure() << path << "." << key << " is missing";
            auto inner = Contains(actual[key], value, path + "." + key);
            if (!inner) return inner;
        }
        return ::testing::AssertionSuccess();
    }
    if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size())
            return ::testing::AssertionFailure() << path << " has another length";
        for (size_t i = 0; i < expected.size(); ++i) {
            auto inner = Contains(actual[i], expected[i], path + "[" + std::to_string(i) + "]");
            if (!inner) return inner;
        }
        return ::testing::AssertionSuccess();
    }
    if (actual != expected)
        return ::testing::AssertionFailure()
               << path << " is " << actual.dump() << ", not " << expected.dump();
    return ::testing::AssertionSuccess();
}

void PutElementHeader(ByteWriter& out, int32_t x, int32_t y, int32_t kind) {
    out.I32(x);
    out.I32(y);
    out.Zeros(2);  // Double, Inverse
    out.I32(kind);
}

// A project file of version 5: no version text, the 50-byte settings block, texts in 25-byte slots, the
// register and function key layouts of that version, alarm texts and no global keys.
std::string Version5File() {
    ByteWriter out;
    const uint8_t magic[] = {3, 'Q', 'X', '2', 0, 0};
    out.Bytes(magic);
    out.I32(5);
    out.I32(21);  // PlcType
    out.I32(3);   // HomePageNo
    out.I32(5);   // Password
    out.I32(2);   // AlarmCount
    for (int32_t value : {1, 0, 300})
        out.I32(value);  // AlarmCoil
    for (uint8_t value : {9, 1, 1, 0, 3})
        out.U8(value);  // BaudCode, Parity, SevenDataBits, OneStopBit, CtrlFlags
    for (int32_t value : {1, 0, 100})
        out.I32(value);  // CtrlReg
    out.U8(0x5A);        // ReservedByte
    out.I32(2);          // ScreenSaveTime

    out.I32(1);  // pages
    out.I32(7);  // Number and 2 ignored bytes
    out.TextSlot("Old", 41);
    out.U16(6);
    out.U16(8);
    out.I32(8);
    out.I32(4);  // elements

    PutElementHeader(out, 18, 36, 1);  // Text
    out.TextSlot("Hello", 25);
    PutElementHeader(out, 0, 0, 2);  // Reg
    for (int32_t value : {1, 0, 4096, 2, 6, 1})
        out.I32(value);  // Address, Num, Digits, DecimalDigits
    for (uint8_t value : {0, 0, 1, 1, 1})
        out.U8(value);                // DecDisp, Unsigned, NeedSet, Encrypt, Limit
    out.I32(999);                     // UpLimit
    out.I32(-999);                    // LowLimit
    PutElementHeader(out, 40, 0, 3);  // Lamp
    for (int32_t value : {1, 1, 0, 17})
        out.I32(value);               // LampType, Coil
    out.U8(0);                        // PosLogic
    PutElementHeader(out, 60, 0, 4);  // FuncKey
    out.I32(22);                      // Key
    for (uint8_t value : {1, 0, 1, 1})
        out.U8(value);  // Disappear, WithHand, Encrypt, Function
    for (int32_t value : {1, 0, 5})
        out.I32(value);  // Coil
    out.U8(2);           // CoilAction
    out.I32(7);          // PageNo
    out.U8(1);           // PlcStop

    out.TextSlot("Fire", 25);
    out.TextSlot("Stop", 25);
    return std::string(out.Data().begin(), out.Data().end());
}

int32_t VersionOf(const std::string& file) {
    const std::string bytes = ReadBytes(file);
    if (bytes.size() < 10) return -1;
    int32_t version = 0;
    for (int i = 3; i >= 0; --i)
        version = version * 256 + static_cast<uint8_t>(bytes[6 + static_cast<size_t>(i)]);
    return version;
}

TEST(CliMake, MinimalProjectsHaveTheStoredSizes) {
    TempFolder folder;
    WriteBytes(folder.File("one.json"), R"({"pages": [{"Number": 1}]})");
    WriteBytes(folder.File("keys.json"),
               R"({"pages": [{"Number": 1, "elements": []}], "GlobalKeyCount": 8})");

    EXPECT_EQ(Cli({"make", folder.File("one.json"), "-o", folder.File("one.qx2")}).ExitCode, 0);
    EXPECT_EQ(std::filesystem::file_size(folder.File("one.qx2")), 158u);
    EXPECT_EQ(Cli({"make", folder.File("keys.json"), "-o", folder.File("keys.qx2")}).ExitCode, 0);
    EXPECT_EQ(std::filesystem::file_size(folder.File("keys.qx2")), 534u);
}

TEST(CliMake, TheDemoSurvivesMakeAndDumpLosslessly) {
    TempFolder folder;
    const std::string made = folder.File("demo.qx2");
    const RunResult make = Cli({"make", kDemo, "-o", made});
    ASSERT_EQ(make.ExitCode, 0) << make.Err;

    const RunResult dump = Cli({"dump", made});
    ASSERT_EQ(dump.ExitCode, 0) << dump.Err;
    const json dumped = json::parse(dump.Out);
    EXPECT_TRUE(Contains(dumped, json::parse(ReadBytes(kDemo))));
    EXPECT_EQ(dumped["ProjectVersion"], 28);

    // Every kind is there, and the full dump makes the same file again.
    std::set<std::string> kinds;
    for (const json& page : dumped["pages"])
        for (const json& element : page["elements"])
            kinds.insert(element["Kind"].get<std::string>());
    EXPECT_EQ(kinds.size(), 12u);
    ASSERT_EQ(Cli({"dump", made, "-o", folder.File("full.json")}).ExitCode, 0);
    EXPECT_EQ(ReadBytes(folder.File("full.json")), dump.Out);
    ASSERT_EQ(Cli({"make", folder.File("full.json"), "-o", folder.File("again.qx2")}).ExitCode, 0);
    EXPECT_EQ(ReadBytes(folder.File("again.qx2")), ReadBytes(made));
}

// The minimal project of `make` as a file of version 29, which reads like the current one.
std::string Version29File(const std::string& folder) {
    WriteBytes(folder + "/v29.json",
               R"({"pages": [{"Number": 4, "Title": "新"}], "settings": {"Password": 77}})");
    if (Cli({"make", folder + "/v29.json", "-o", folder + "/v29.qx2"}).ExitCode != 0) return {};
    std::string bytes = ReadBytes(folder + "/v29.qx2");
    bytes[6] = 29;
    bytes.replace(10, 5, "\x04V9.0");
    return bytes;
}

TEST(CliUpgrade, ANewerReadableFileIsSavedInTheCurrentVersionWithABackup) {
    TempFolder folder;
    const std::string original = Version29File(folder.Path().string());
    ASSERT_FALSE(original.empty());
    WriteBytes(folder.File("line.qx2"), original);

    ASSERT_EQ(Cli({"upgrade", "line.qx2", "-o", "new.qx2"}, folder.Path()).ExitCode, 0);
    EXPECT_EQ(VersionOf(folder.File("new.qx2")), 28);
    const RunResult dump = Cli({"dump", folder.File("line.qx2")});
    EXPECT_TRUE(Contains(json::parse(dump.Out), json::parse(R"({"ProjectVersion": 29, "VersionText": "V9.0",
        "settings": {"Password": 77}, "pages": [{"Number": 4, "Title": "新"}]})")));

    // Over another file of an older version: that file is kept beside it, named after its version text.
    WriteBytes(folder.File("older.qx2"), original);
    ASSERT_EQ(Cli({"upgrade", "line.qx2", "-o", "older.qx2"}, folder.Path()).ExitCode, 0);
    EXPECT_EQ(VersionOf(folder.File("older.qx2")), 28);
    EXPECT_EQ(ReadBytes(folder.File("older_V9.0.qx2")), original);
    EXPECT_EQ(ReadBytes(folder.File("older.qx2")), ReadBytes(folder.File("new.qx2")));
}

// The dump of a project without the header of the file it came from.
json Content(const RunResult& dump) {
    json content = json::parse(dump.Out);
    content.erase("ProjectVersion");
    content.erase("VersionText");
    return content;
}

TEST(CliUpgrade, AnOlderVersionFileIsSavedInTheCurrentVersionWithTheSameContent) {
    TempFolder folder;
    const std::string original = Version5File();
    WriteBytes(folder.File("old.qx2"), original);

    const RunResult upgrade = Cli({"upgrade", "old.qx2", "-o", "new.qx2"}, folder.Path());
    ASSERT_EQ(upgrade.ExitCode, 0) << upgrade.Err;
    EXPECT_EQ(VersionOf(folder.File("new.qx2")), 28);

    const RunResult oldDump = Cli({"dump", folder.File("old.qx2")});
    const RunResult newDump = Cli({"dump", folder.File("new.qx2")});
    ASSERT_EQ(oldDump.ExitCode, 0) << oldDump.Err;
    ASSERT_EQ(newDump.ExitCode, 0) << newDump.Err;
    EXPECT_EQ(json::parse(oldDump.Out)["ProjectVersion"], 5);
    EXPECT_EQ(Content(newDump), Content(oldDump));
    EXPECT_TRUE(Contains(json::parse(newDump.Out), json::parse(R"({"ProjectVersion": 28,
        "settings": {"PlcType": 21, "CurrentModel": 0, "HomePageNo": 3, "Password": 5, "AlarmCount": 2,
                     "BaudCode": 9, "CtrlFlags": 3, "ReservedByte": 90, "ScreenSaveTime": 2},
        "AlarmTexts": ["Fire", "Stop"], "GlobalKeyCount": 0,
        "pages": [{"Number": 7, "Title": "Old", "PrvPageNo": 6, "NxtPageNo": 8}]})")));
    const json elements = json::parse(newDump.Out)["pages"][0]["elements"];
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_TRUE(
        Contains(elements[0], json::parse(R"({"Kind": "Text", "X": 18, "Y": 36, "Content": "Hello"})")));
    EXPECT_TRUE(Contains(elements[1], json::parse(R"({"Kind": "Reg", "Digits": 6, "Pre0": 0, "Float": 0,
        "NeedSet": 1, "UpLimit": 999, "LowLimit": -999, "Convert": 0})")));
    EXPECT_TRUE(Contains(elements[3], json::parse(R"({"Kind": "FuncKey", "Action": {"Key": 22, "Disappear": 1,
        "WithHand": 0, "Function": 1, "Coil": {"Station": 1, "Number": 5}, "CoilAction": 2, "Jump": 0,
        "PageNo": 7, "PlcStop": 1, "RegNum": 1, "SetValue": 0}})")));

    // Over another old file: it is kept beside it; its version has no version text.
    WriteBytes(folder.File("other.qx2"), original);
    ASSERT_EQ(Cli({"upgrade", "old.qx2", "-o", "other.qx2"}, folder.Path()).ExitCode, 0);
    EXPECT_EQ(ReadBytes(folder.File("other_.qx2")), original);
    EXPECT_EQ(ReadBytes(folder.File("other.qx2")), ReadBytes(folder.File("new.qx2")));
}

// The messages about a file come after the name the editor's message box has as its caption.
TEST(CliErrors, FailuresExitWithOneAndTheEditorsMessageAfterTheFileName) {
    TempFolder folder;
    const RunResult missing = Cli({"dump", folder.File("none.qx2")});
    EXPECT_EQ(missing.ExitCode, 1);
    // The editor's message exactly, then the path and the system's reason on the line after it.
    EXPECT_EQ(missing.Err, "none.qx2: " + kFormatWrong + "\n  " + folder.File("none.qx2") +
                               ": No such file or directory\n");
    EXPECT_EQ(missing.Out, "");

    WriteBytes(folder.File("junk.qx2"), "\x03QX2..\x01\x00\x00");
    EXPECT_THAT(Cli({"upgrade", folder.File("junk.qx2"), "-o", folder.File("out.qx2")}).Err,
                ::testing::Eq("junk.qx2: " + kFormatWrong + "\n  " + folder.File("junk.qx2") +
                              ": unexpected end of file (reading stopped at byte 6 of 7)\n"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.qx2")));

    // A version of 0: the editor stays silent, a script still hears why, once.
    std::string zero("\x03QX2\0\0\0\0\0\0", 10);
    WriteBytes(folder.File("zero.qx2"), zero);
    const RunResult silent = Cli({"dump", folder.File("zero.qx2")});
    EXPECT_EQ(silent.ExitCode, 1);
    EXPECT_EQ(silent.Err, "zero.qx2: " + kFormatWrong + "\n");

    // A file that cannot be written is named too: the JSON of dump, the project of make, the image of build.
    const std::string nowhere = folder.File("no-such-folder");
    ASSERT_EQ(Cli({"make", kDemo, "-o", folder.File("demo.qx2")}).ExitCode, 0);
    const std::vector<std::vector<std::string>> unwritable = {
        {"dump", folder.File("demo.qx2"), "-o", nowhere + "/out.json"},
        {"make", kDemo, "-o", nowhere + "/out.qx2"},
        {"build", kDemo, "-o", nowhere + "/out.bin"},
    };
    for (const auto& args : unwritable) {
        const RunResult failed = Cli(args);
        EXPECT_EQ(failed.ExitCode, 1) << args[0];
        EXPECT_THAT(failed.Err,
                    StartsWith(std::filesystem::path(args[3]).filename().string() + ": 无法保存该文件！\n  "))
            << args[0];
        EXPECT_THAT(failed.Err, HasSubstr("out.")) << args[0];
        EXPECT_THAT(failed.Err, ::testing::EndsWith(": No such file or directory\n")) << args[0];
    }

    const RunResult noJson = Cli({"make", folder.File("none.json"), "-o", folder.File("x.qx2")});
    EXPECT_EQ(noJson.ExitCode, 1);
    EXPECT_THAT(noJson.Err, HasSubstr("none.json"));
}

TEST(CliErrors, ABadJsonNamesThePathAndWritesNothing) {
    TempFolder folder;
    WriteBytes(folder.File("bad.json"),
               R"({"pages": [{"Number": 1, "elements": [{"Kind": "Reg", "Digits": "five"}]}]})");
    const RunResult bad = Cli({"make", folder.File("bad.json"), "-o", folder.File("bad.qx2")});
    EXPECT_EQ(bad.ExitCode, 1);
    EXPECT_THAT(bad.Err,
                StartsWith(folder.File("bad.json") + ": pages[0].elements[0].Digits: expected an integer"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("bad.qx2")));

    WriteBytes(folder.File("broken.json"), "{\n  \"pages\": [\n}");
    const RunResult broken = Cli({"make", folder.File("broken.json"), "-o", folder.File("bad.qx2")});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_THAT(broken.Err, HasSubstr("line 3"));
}

TEST(CliUsage, BadUsageExitsWithTwoAndHelpWithZero) {
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"build", "x.qx2"},
        {"--verbose", "dump", "x.qx2"},
        {"dump"},
        {"dump", "a.qx2", "b.qx2"},
        {"make", "x.json"},
        {"make", "x.json", "-o"},
        {"upgrade", "x.qx2", "--force", "-o", "y.qx2"},
        {"--data-dir", "/nonexistent/folder", "dump", "x.qx2"},
    };
    for (const auto& args : misuses) {
        const RunResult result = Cli(args);
        EXPECT_EQ(result.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_THAT(result.Err, HasSubstr("--help")) << ::testing::PrintToString(args);
    }

    const RunResult help = Cli({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    for (const char* command :
         {"dump", "make", "upgrade", "build", "inspect", "download", "export", "import"}) {
        EXPECT_THAT(help.Out, HasSubstr(command));
        const RunResult commandHelp = Cli({command, "--help"});
        EXPECT_EQ(commandHelp.ExitCode, 0) << command;
        EXPECT_THAT(commandHelp.Out, StartsWith(std::string("Usage: qxed-cli ") + command));
    }
}

// A language file in CP1251: its messages reach stderr as UTF-8 and project texts use its code page.
void WriteRussianLanguage(const std::string& folder) {
    WriteBytes(folder + "/Language.Ini",
               "[Font]\r\nVersion=Ru\r\nFontCharset=204\r\n[Message]\r\nFileFormatWrong="
               "\xCD\xE5\xE2\xE5\xF0\xED\xFB\xE9 "
               "\xF4\xE0\xE9\xEB\r\n");
}

TEST(CliLanguage, TheDataFolderOrTheProgramFolderGivesTextsAndCodePage) {
    TempFolder folder;
    WriteRussianLanguage(folder.Path().string());
    const std::string json = folder.File("ru.json");
    WriteBytes(json, R"({"pages": [{"Number": 1, "Title": "Ґ"}]})");

    // "Ґ" exists in CP1251 but not in GBK.
    EXPECT_EQ(Cli({"make", json, "-o", folder.File("gbk.qx2")}).ExitCode, 1);
    ASSERT_EQ(Cli({"--data-dir", folder.Path().string(), "make", json, "-o", folder.File("ru.qx2")}).ExitCode,
              0);
    const RunResult dump = Cli({"dump", folder.File("ru.qx2"), "--data-dir", folder.Path().string()});
    EXPECT_EQ(json::parse(dump.Out)["pages"][0]["Title"], "Ґ");
    EXPECT_EQ(json::parse(Cli({"dump", folder.File("ru.qx2")}).Out)["pages"][0]["Title"],
              json::parse(R"({"hex": "A5"})"));

    const RunResult missing = Cli({"--data-dir", folder.Path().string(), "dump", folder.File("none.qx2")});
    const std::string reason = "\n  " + folder.File("none.qx2") + ": No such file or directory\n";
    EXPECT_EQ(missing.Err, "none.qx2: Неверный файл" + reason);

    // Without --data-dir the language file beside the program counts.
    const std::string copy = folder.File("qxed-cli");
    std::filesystem::copy_file(kCli, copy);
    EXPECT_EQ(RunProgram(copy, {"dump", folder.File("none.qx2")}).Err, "none.qx2: Неверный файл" + reason);
}

// The language the user chose (XDG_CONFIG_HOME/qxed/Language.Ini) comes before the program folder's file, and
// --data-dir before both.
TEST(CliLanguage, TheUsersChoiceOfLanguageComesBeforeTheProgramFolders) {
    TempFolder folder;
    const std::string program = folder.File("program");
    std::filesystem::create_directories(program);
    std::filesystem::copy_file(kCli, program + "/qxed-cli");
    WriteBytes(program + "/Language.Ini", "[Message]\nFileFormatWrong=Program folder\n");
    const std::string data = folder.File("data");
    std::filesystem::create_directories(data);
    WriteBytes(data + "/Language.Ini", "[Message]\nFileFormatWrong=Data folder\n");

    // What the user's settings folder holds.
    enum class User { Nothing, SettingsOnly, ChosenLanguage };
    struct Case {
        User Settings;
        bool DataDir;
        std::string Message;
    };
    const Case cases[] = {
        {User::Nothing, false, "Program folder"},       {User::SettingsOnly, false, "Program folder"},
        {User::ChosenLanguage, false, "Неверный файл"}, {User::ChosenLanguage, true, "Data folder"},
        {User::Nothing, true, "Data folder"},
    };
    for (const Case& test : cases) {
        TempFolder config;
        const std::string user = config.File("qxed");
        if (test.Settings != User::Nothing) std::filesystem::create_directories(user);
        if (test.Settings == User::SettingsOnly) WriteBytes(user + "/Qx200.Ini", "[Qx200]\nComm=1\n");
        if (test.Settings == User::ChosenLanguage) WriteRussianLanguage(user);

        std::vector<std::string> args = {"XDG_CONFIG_HOME=" + config.Path().string(), program + "/qxed-cli"};
        if (test.DataDir) args.insert(args.end(), {"--data-dir", data});
        args.insert(args.end(), {"dump", folder.File("none.qx2")});
        const RunResult result = RunProgram("/usr/bin/env", args);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err, "none.qx2: " + test.Message + "\n  " + folder.File("none.qx2") +
                                  ": No such file or directory\n")
            << static_cast<int>(test.Settings) << (test.DataDir ? " with --data-dir" : "");
    }
}

// Every command that writes refuses an output that is its input, however the path reaches it, before it
// writes anything; each of these inputs would otherwise be read and replaced.
TEST(CliSameFile, AnOutputThatIsTheInputIsRefusedAndTheInputStaysAsItWas) {
    TempFolder folder;
    ASSERT_EQ(Cli({"make", kDemo, "-o", folder.File("demo.qx2")}).ExitCode, 0);
    const std::string json = ReadBytes(kDemo);
    const std::string project = ReadBytes(folder.File("demo.qx2"));

    struct Case {
        const char* Command;
        const char* Input;
        std::vector<std::string> More;
    };
    const std::vector<Case> commands = {
        {"make", "in.json", {}},  {"dump", "in.qx2", {}},  {"upgrade", "in.qx2", {}},
        {"build", "in.json", {}}, {"build", "in.qx2", {}}, {"export", "in.qx2", {"--port", "/dev/null"}},
    };
    // How the output names the input: the same path, another spelling, a symbolic and a hard link.
    enum class Form { Same, DotSlash, SymbolicLink, HardLink };
    for (const Case& command : commands) {
        for (const Form form : {Form::Same, Form::DotSlash, Form::SymbolicLink, Form::HardLink}) {
            TempFolder work;
            const std::string input = command.Input;
            const std::string original = input.ends_with(".json") ? json : project;
            WriteBytes(work.File(input), original);
            std::string output = input;
            if (form == Form::DotSlash) output = "./" + input;
            if (form == Form::SymbolicLink)
                std::filesystem::create_symlink(input, work.File(output = "link"));
            if (form == Form::HardLink)
                std::filesystem::create_hard_link(work.File(input), work.File(output = "hard"));

            std::vector<std::string> args = {command.Command, input, "-o", output};
            args.insert(args.end(), command.More.begin(), command.More.end());
            const RunResult result = Cli(args, work.Path());
            const std::string what = std::string(command.Command) + " " + input + " -o " + output;
            EXPECT_EQ(result.ExitCode, 1) << what;
            EXPECT_EQ(result.Err, "qxed-cli: the output " + output + " is the input file " + input +
                                      "; nothing was written\n")
                << what;
            EXPECT_EQ(result.Out, "") << what;
            EXPECT_EQ(ReadBytes(work.File(input)), original) << what;
            // Nothing beside it either: no backup, no temporary file.
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Path()),
                                    std::filesystem::directory_iterator()),
                      form == Form::SymbolicLink || form == Form::HardLink ? 2 : 1)
                << what;
        }
    }

    // Another file of the same content is no reason to refuse.
    WriteBytes(folder.File("copy.qx2"), project);
    EXPECT_EQ(Cli({"upgrade", folder.File("demo.qx2"), "-o", folder.File("copy.qx2")}).ExitCode, 0);
}

// A result that cannot be written to standard output is a failure with its reason.
TEST(CliOutput, AFullStandardOutputExitsWithOneAndAMessage) {
    TempFolder folder;
    ASSERT_EQ(Cli({"make", kDemo, "-o", folder.File("demo.qx2")}).ExitCode, 0);
    ASSERT_EQ(Cli({"build", kDemo, "-o", folder.File("demo.bin")}).ExitCode, 0);
    const std::vector<std::vector<std::string>> printing = {
        {"dump", folder.File("demo.qx2")},
        {"build", kDemo, "-o", folder.File("again.bin")},
        {"inspect", folder.File("demo.bin"), "--model", "6"},
        {"--help"},
        {"make", "--help"},
    };
    for (const auto& args : printing) {
        std::string command = "exec \"$0\"";
        for (const std::string& arg : args)
            command += " '" + arg + "'";
        command += " >/dev/full";
        const RunResult result = RunProgram("/bin/sh", {"-c", command, kCli});
        EXPECT_EQ(result.ExitCode, 1) << command;
        EXPECT_EQ(result.Err, "qxed-cli: standard output: No space left on device\n") << command;
    }
}

}  // namespace
}  // namespace qxed::testing
