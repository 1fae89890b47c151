#include "files/data_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/project_file.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "text/language.h"
#include "text/temp_folder.h"

namespace qxed {
namespace {

using testing::ReadBytes;
using testing::RecordedMessage;
using testing::RecordingPrompts;
using testing::TempFolder;
using testing::WriteBytes;

const char kFormatWrong[] = "该文件格式不正确！";
const char kCanNotSave[] = "无法保存该文件！";

Language NamedLanguage() {
    return Language(IniFile::FromBytes("[Name]\r\nAppName=QXED\r\n"));
}

std::vector<uint8_t> Counting(std::size_t count, uint8_t start) {
    std::vector<uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(start + i * 7);
    return bytes;
}

DataFileContents SampleContents(std::size_t imageLength) {
    DataFileContents contents;
    contents.CurrentModel = 7;
    contents.PlcTypeLow = 38;
    contents.HeaderLength = 0x0123;
    contents.GlyphLength = 0xA0B0;
    contents.Image = Counting(imageLength, 3);
    return contents;
}

std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class DataFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    Language language = NamedLanguage();
    RecordingPrompts prompts;
    std::string driverPath = folder.File("746024.dat");
    std::string driverBytes = AsString(Counting(1000, 200));

    void SetUp() override { WriteBytes(driverPath, driverBytes); }

    RecordedMessage FileMessage(const char* text, const std::string& path) const {
        return {text, FileMessageCaption(path, language), MessageIcon::Error, MessageButtons::Ok};
    }
};

TEST_F(DataFileTest, ExportWritesHeaderImageAndDriverFile) {
    const std::string path = folder.File("out.odp");
    const DataFileContents contents = SampleContents(300);
    ASSERT_TRUE(ExportData(path, contents, driverPath, language, prompts));
    EXPECT_TRUE(prompts.Silent());

    const std::string expectedHeader =
        std::string("\x15NorvaleQXEDObjectData", 22) + std::string("\x07\x26\x23\x01\xB0\xA0\x2C\x01", 8);
    EXPECT_EQ(ReadBytes(path), expectedHeader + AsString(contents.Image) + driverBytes);
}

TEST_F(DataFileTest, ExportThenImportGivesTheContentsBack) {
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{128}, std::size_t{65532}}) {
        SCOPED_TRACE(length);
        const std::string path = folder.File("round.odp");
        const DataFileContents contents = SampleContents(length);
        ASSERT_TRUE(ExportData(path, contents, driverPath, language, prompts));
        EXPECT_EQ(ReadBytes(path).size(), kDataFileHeaderLength + length + driverBytes.size());

        const auto imported = ImportData(path, language, prompts);
        ASSERT_TRUE(imported);
        EXPECT_EQ(imported->CurrentModel, contents.CurrentModel);
        EXPECT_EQ(imported->PlcTypeLow, contents.PlcTypeLow);
        EXPECT_EQ(imported->HeaderLength, contents.HeaderLength);
        EXPECT_EQ(imported->GlyphLength, contents.GlyphLength);
        EXPECT_EQ(imported->Image, contents.Image);
    }
    EXPECT_TRUE(prompts.Silent());
}

TEST_F(DataFileTest, ExportFailuresLeaveThePreviousFile) {
    const std::string path = folder.File("keep.odp");
    WriteBytes(path, "previous");

    EXPECT_FALSE(ExportData(path, SampleContents(10), folder.File("missing.dat"), language, prompts));
    EXPECT_EQ(prompts.Last(), FileMessage(kCanNotSave, path));
    EXPECT_FALSE(ExportData(path, SampleContents(10), folder.Path().string(), language, prompts));

    // Too long for the image length field: refused instead of writing a file that reads back shorter.
    EXPECT_FALSE(ExportData(path, SampleContents(65536), driverPath, language, prompts));
    EXPECT_EQ(prompts.Messages.size(), 3u);
    EXPECT_EQ(ReadBytes(path), "previous");

    // A disk that fills up during the write: no partial file is left beside the previous one.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool exported = ExportData(path, SampleContents(2000), driverPath, language, prompts);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
    EXPECT_FALSE(exported);
    EXPECT_EQ(ReadBytes(path), "previous");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"746024.dat", "keep.odp"}));

    prompts.Clear();
    const std::string inMissingFolder = folder.File("no/such/folder/out.odp");
    EXPECT_FALSE(ExportData(inMissingFolder, SampleContents(10), driverPath, language, prompts));
    EXPECT_EQ(prompts.Last(), FileMessage(kCanNotSave, inMissingFolder));
}

TEST_F(DataFileTest, ImportRefusesWhatIsNoCompleteDataFile) {
    const std::string good = folder.File("good.odp");
    ASSERT_TRUE(ExportData(good, SampleContents(200), driverPath, language, prompts));
    const std::string bytes = ReadBytes(good);

    std::string wrongLengthByte = bytes;
    wrongLengthByte[0] = 20;
    std::string wrongLetter = bytes;
    wrongLetter[21] = 'A';
    std::string imageTooLong = bytes.substr(0, kDataFileHeaderLength + 200);
    imageTooLong[28] = static_cast<char>(201);

    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"magic only", bytes.substr(0, 22)},
        {"header cut", bytes.substr(0, 29)},
        {"image cut", bytes.substr(0, kDataFileHeaderLength + 199)},
        {"length beyond the image", imageTooLong},
        {"wrong magic length byte", wrongLengthByte},
        {"wrong magic letter", wrongLetter},
        {"a project file", AsString(SerializeProject(testing::SampleProject()))},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        const std::string path = folder.File("bad.odp");
        WriteBytes(path, content);
        prompts.Clear();
        EXPECT_FALSE(ImportData(path, language, prompts));
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{FileMessage(kFormatWrong, path)});
    }
}

TEST_F(DataFileTest, ImportNeedsNoDriverCopyAndTakesAnEmptyImage) {
    const std::string good = folder.File("good.odp");
    ASSERT_TRUE(ExportData(good, SampleContents(200), driverPath, language, prompts));
    const std::string imageOnly = folder.File("image-only.odp");
    WriteBytes(imageOnly, ReadBytes(good).substr(0, kDataFileHeaderLength + 200));
    const auto imported = ImportData(imageOnly, language, prompts);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->Image, SampleContents(200).Image);

    const std::string empty = folder.File("empty.odp");
    WriteBytes(empty, ReadBytes(good).substr(0, 28) + std::string(2, '\0') + "driver");
    const auto emptyImage = ImportData(empty, language, prompts);
    ASSERT_TRUE(emptyImage);
    EXPECT_TRUE(emptyImage->Image.empty());
    EXPECT_EQ(emptyImage->HeaderLength, 0x0123);
    EXPECT_TRUE(prompts.Silent());
}

TEST_F(DataFileTest, ImportOfAMissingOrUnreadableFileShowsTheFormatMessage) {
    for (const std::string& path : {folder.File("missing.odp"), folder.Path().string()}) {
        prompts.Clear();
        EXPECT_FALSE(ImportData(path, language, prompts));
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{FileMessage(kFormatWrong, path)});
    }
}

}  // namespace
}  // namespace qxed
