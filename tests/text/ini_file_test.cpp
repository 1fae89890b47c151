#include "text/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "support/temp_folder.h"

namespace qxed {
namespace {

using ::qxed::testing::ReadBytes;
using ::qxed::testing::TempFolder;
using ::qxed::testing::WriteBytes;

TEST(IniFileRead, FollowsThePrivateProfileRules) {
    const IniFile file = IniFile::FromBytes(
        "\xEF\xBB\xBF[Font]\r\n"
        "; Version=Ko\r\n"
        "  Version = Ru \t\r\n"
        "FontName=\"  Arial  \"\r\n"
        "Empty=\r\n"
        "Quoted=\"\"\r\n"
        "Lone=\"x\r\n"
        "Formula=a=b\r\n"
        "Bare\r\n"
        "version=Ko\r\n"
        "[Other]\r\n"
        "FontSize=12\r\n"
        "[FONT]\r\n"
        "FontSize=10\r\n");

    EXPECT_TRUE(file.HasSection("font"));
    EXPECT_EQ(file.Find("fOnT", "VERSION"), "Ru");  // first key wins, any case
    EXPECT_EQ(file.Find("Font", "FontName"), "  Arial  ");
    EXPECT_EQ(file.Find("Font", "Empty"), "");
    EXPECT_EQ(file.ReadText("Font", "Empty", "default"), "");
    EXPECT_EQ(file.Find("Font", "Quoted"), "");
    EXPECT_EQ(file.Find("Font", "Lone"), "\"x");
    EXPECT_EQ(file.Find("Font", "Formula"), "a=b");
    // A key line without "=" has no value; a later duplicate section is never seen.
    EXPECT_EQ(file.Find("Font", "Bare"), std::nullopt);
    EXPECT_EQ(file.ReadText("Font", "Bare", "default"), "default");
    EXPECT_EQ(file.Find("Font", "FontSize"), std::nullopt);
    EXPECT_EQ(file.ReadText("Missing", "Version", "En"), "En");
    EXPECT_FALSE(file.HasSection("Missing"));
}

TEST(IniFileRead, ComparesOnlyAsciiLettersWithoutCase) {
    // 0xC0..0xDF and 0xE0..0xFF differ by 0x20 like ASCII letters do, but are
    // bytes of double-byte characters and must compare exactly.
    const IniFile file = IniFile::FromBytes("[S]\n\xC6\xC1=1\nKey=2\n");
    EXPECT_EQ(file.Find("s", "\xC6\xC1"), "1");
    EXPECT_EQ(file.Find("s", "\xE6\xE1"), std::nullopt);
    EXPECT_EQ(file.Find("s", "kEY"), "2");
}

TEST(IniFileRead, LinesBeforeTheFirstSectionBelongToNone) {
    const IniFile file = IniFile::FromBytes("Loose=1\n[S]\nKey=2");
    EXPECT_EQ(file.Find("", "Loose"), std::nullopt);
    EXPECT_EQ(file.Find("S", "Key"), "2");  // last line without a line break
}

TEST(IniFileRead, IntegersFallBackToTheDefaultWhenUnreadable) {
    struct Case {
        const char* Value;
        int Expected;
    };
    const Case cases[] = {
        {"12", 12},
        {" -7 ", -7},
        {"+5", 5},
        {"0x1F", 31},
        {"$ff", 255},
        {"-$10", -16},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0x7FFFFFFF", INT_MAX},
        // unreadable or out of range: the default
        {"", 99},
        {"12abc", 99},
        {"1 2", 99},
        {"--5", 99},
        {"0x", 99},
        {"$", 99},
        {"0x-5", 99},
        {"2147483648", 99},
        {"0x80000000", 99},
        {"99999999999999999999999", 99},
        {"abc", 99},
    };
    for (const Case& c : cases) {
        const IniFile file = IniFile::FromBytes(std::string("[S]\nN=") + c.Value + "\n");
        EXPECT_EQ(file.ReadInteger("S", "N", 99), c.Expected) << "value \"" << c.Value << "\"";
    }
    EXPECT_EQ(IniFile().ReadInteger("S", "N", 99), 99);
}

TEST(IniFileRead, KeyNamesKeepFileOrderSpellingAndDuplicates) {
    const IniFile file = IniFile::FromBytes(
        "[Qx210Key]\n"
        "; comment\n"
        "\n"
        "Home=0\n"
        "  Left \n"
        "HOME=9\n"
        "=orphan\n"
        "Enter=\n"
        "[Next]\n"
        "Other=1\n");
    EXPECT_EQ(file.ReadKeyNames("qx210key"), (std::vector<std::string>{"Home", "Left", "HOME", "Enter"}));
    EXPECT_TRUE(file.ReadKeyNames("Absent").empty());
}

TEST(IniFileLoad, MissingFileIsEmptyAndSaysSo) {
    TempFolder folder;
    const IniFile missing = IniFile::Load(folder.File("none.ini"));
    EXPECT_FALSE(missing.Exists());
    EXPECT_TRUE(missing.Bytes().empty());

    const IniFile directory = IniFile::Load(folder.Path().string());
    EXPECT_FALSE(directory.Exists());

    WriteBytes(folder.File("a.ini"), "[S]\r\nK=V\r\n");
    const IniFile present = IniFile::Load(folder.File("a.ini"));
    EXPECT_TRUE(present.Exists());
    EXPECT_EQ(present.Bytes(), "[S]\r\nK=V\r\n");
}

// Writes go through a real file so that every byte on disk is checked.
std::string WriteOnDisk(const std::string& before, std::string_view section, std::string_view key,
                        std::string_view value) {
    TempFolder folder;
    const std::string path = folder.File("Qx200.Ini");
    WriteBytes(path, before);
    EXPECT_TRUE(WriteProfileText(path, section, key, value));
    return ReadBytes(path);
}

TEST(IniFileWrite, ReplacesTheValueInPlace) {
    const std::string before =
        "; settings\r\n"
        "[Qx200]\r\n"
        "Grid = 1   ; not a comment\r\n"
        "Comm=3\r\n"
        "comm=4\r\n"
        "\r\n"
        "[PLC]\r\n"
        "Type=21\r\n";
    EXPECT_EQ(WriteOnDisk(before, "qx200", "COMM", "12"),
              "; settings\r\n[Qx200]\r\nGrid = 1   ; not a "
              "comment\r\nComm=12\r\ncomm=4\r\n\r\n[PLC]\r\nType=21\r\n");
    EXPECT_EQ(WriteOnDisk(before, "Qx200", "Grid", "0"),
              "; settings\r\n[Qx200]\r\nGrid = 0\r\nComm=3\r\ncomm=4\r\n\r\n[PLC]\r\nType=21\r\n");
}

TEST(IniFileWrite, GivesAValueToAKeyLineWithoutOne) {
    EXPECT_EQ(WriteOnDisk("[S]\nBare  \nNext=1\n", "S", "bare", "x"), "[S]\nBare=x\nNext=1\n");
}

TEST(IniFileWrite, AppendsTheKeyAtTheEndOfItsSection) {
    EXPECT_EQ(
        WriteOnDisk("[Qx200]\r\nGrid=1\r\n; last\r\n\r\n\r\n[PLC]\r\nType=21\r\n", "Qx200", "Dir", "/home/u"),
        "[Qx200]\r\nGrid=1\r\n; last\r\nDir=/home/u\r\n\r\n\r\n[PLC]\r\nType=21\r\n");
    // a section that ends the file without a final line break
    EXPECT_EQ(WriteOnDisk("[A]\nx=1\n[PLC]\nType=21", "plc", "Port", "2"),
              "[A]\nx=1\n[PLC]\nType=21\nPort=2\n");
    // an empty section right at the end
    EXPECT_EQ(WriteOnDisk("[A]\r\nx=1\r\n[B]", "B", "k", "v"), "[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    // the first of two sections of the same name is the one read
    EXPECT_EQ(WriteOnDisk("[S]\na=1\n[T]\n[S]\nb=2\n", "S", "b", "3"), "[S]\na=1\nb=3\n[T]\n[S]\nb=2\n");
}

TEST(IniFileWrite, AppendsAMissingSection) {
    EXPECT_EQ(WriteOnDisk("[Qx200]\r\nGrid=1\r\n", "PLC", "Type", "3"),
              "[Qx200]\r\nGrid=1\r\n[PLC]\r\nType=3\r\n");
    EXPECT_EQ(WriteOnDisk("[Qx200]\r\nGrid=1", "PLC", "Type", "3"),
              "[Qx200]\r\nGrid=1\r\n[PLC]\r\nType=3\r\n");
    EXPECT_EQ(WriteOnDisk("", "PLC", "Type", "3"), "[PLC]\nType=3\n");
    EXPECT_EQ(WriteOnDisk("\xEF\xBB\xBF", "PLC", "Type", "3"), "\xEF\xBB\xBF[PLC]\nType=3\n");
}

TEST(IniFileWrite, ValuesReadBackExactly) {
    for (std::string_view value : {"", " padded ", "\"quoted\"", "\"", "a = b", "\tx", "\xC6\xC1\x5C"}) {
        IniFile file = IniFile::FromBytes("[S]\nK=old\n");
        ASSERT_TRUE(file.WriteText("S", "K", value));
        EXPECT_EQ(file.Find("S", "K"), value) << file.Bytes();
        ASSERT_TRUE(file.WriteText("S", "New", value));
        EXPECT_EQ(file.Find("S", "New"), value) << file.Bytes();
    }
}

TEST(IniFileWrite, RefusesWhatCannotBeStoredOnOneLine) {
    const std::string before = "[S]\nK=1\n";
    struct Case {
        std::string_view Section, Key, Value;
    };
    const Case refused[] = {
        {"S", "K", "1\n[Evil]\nX=2"},
        {"S", "K", "a\rb"},
        {"S", "K=J", "1"},
        {"S", "", "1"},
        {"S", " K", "1"},
        {"S", ";K", "1"},
        {"S", "[K", "1"},
        {"S]", "K", "1"},
        {"", "K", "1"},
        {"S\n", "K", "1"},
    };
    for (const Case& c : refused) {
        IniFile file = IniFile::FromBytes(before);
        EXPECT_FALSE(file.WriteText(c.Section, c.Key, c.Value)) << c.Section << "/" << c.Key;
        EXPECT_EQ(file.Bytes(), before);
    }
}

TEST(IniFileSave, ReplacesTheFileAtomicallyAndKeepsItsMode) {
    TempFolder folder;
    const std::string path = folder.File("Qx200.Ini");
    WriteBytes(path, "[S]\nK=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);

    ASSERT_TRUE(WriteProfileText(path, "S", "K", "2"));
    EXPECT_EQ(ReadBytes(path), "[S]\nK=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // nothing but the target is left in the folder
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniFileSave, CreatesAMissingFile) {
    TempFolder folder;
    const std::string path = folder.File("new.ini");
    ASSERT_TRUE(WriteProfileText(path, "Qx200", "Comm", "0"));
    EXPECT_EQ(ReadBytes(path), "[Qx200]\nComm=0\n");
}

TEST(IniFileSave, FailureLeavesThePreviousStateAndNoLeftovers) {
    TempFolder folder;
    const IniFile file = IniFile::FromBytes("[S]\nK=1\n");
    EXPECT_FALSE(file.Save(folder.File("absent/sub.ini")));

    // a folder in the way of the target cannot be replaced by a file
    const std::string blocked = folder.File("blocked");
    std::filesystem::create_directory(blocked);
    WriteBytes(blocked + "/inside", "keep");
    EXPECT_FALSE(file.Save(blocked));
    EXPECT_EQ(ReadBytes(blocked + "/inside"), "keep");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniFileSave, WritesThroughASymbolicLink) {
    TempFolder folder;
    const std::string target = folder.File("real.ini");
    const std::string link = folder.File("link.ini");
    WriteBytes(target, "[S]\nK=1\n");
    std::filesystem::create_symlink(target, link);

    ASSERT_TRUE(WriteProfileText(link, "S", "K", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\nK=2\n");
}

TEST(IniFileSave, DoesNotRewriteAFileItCannotRead) {
    TempFolder folder;
    // Something that exists but is no readable settings file is left alone.
    const std::string pipePath = folder.File("pipe.ini");
    ASSERT_EQ(::mkfifo(pipePath.c_str(), 0600), 0);
    EXPECT_FALSE(WriteProfileText(pipePath, "S", "K", "2"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipePath));

    // The superuser reads every file, so only others can see a locked one refused.
    if (::geteuid() == 0) return;
    const std::string path = folder.File("locked.ini");
    WriteBytes(path, "[S]\nK=1\nOther=precious\n");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    EXPECT_FALSE(WriteProfileText(path, "S", "K", "2"));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\nOther=precious\n");
}

}  // namespace
}  // namespace qxed
