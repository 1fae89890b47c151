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
#include "support/file_messages.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace qxed {
namespace {

using testing::ReadBytes;
using testing::RecordedMessage;
using testing::RecordingPrompts;
using testing::TempFolder;
using testing::WriteBytes;

using testing::kCanNotSave;
using testing::kFormatWrong;
using testing::NamedLanguage;

std::vector<uint8_t> Counting(std::size_t count, uint8_t start) {
    std::vector<uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(start + i * 7);
    return bytes;
}

// Lengths that agree with each other: H of at least the directory, a glyph area of whole glyphs, both
// within the image.
DataFileContents SampleContents(std::size_t imageLength) {
    DataFileContents contents;
    contents.CurrentModel = 7;
    contents.PlcTypeLow = 38;
    contents.HeaderLength = static_cast<uint16_t>(std::min<std::size_t>(imageLength, 64));
    contents.GlyphLength = static_cast<uint16_t>((imageLength - contents.HeaderLength) / 2 / 16 * 16);
    contents.Image = Counting(imageLength, 3);
    return contents;
}

void PutU16(std::string& bytes, std::size_t offset, uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
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
    std::string driverBytes = AsString(Counting(kLeastDriverFileLength + 1000, 200));

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
        std::string("\x15NorvaleQXEDObjectData", 22) + std::string("\x07\x26\x40\x00\x70\x00\x2C\x01", 8);
    EXPECT_EQ(ReadBytes(path), expectedHeader + AsString(contents.Image) + driverBytes);
}

TEST_F(DataFileTest, ExportThenImportGivesTheContentsBack) {
    for (const std::size_t length : {std::size_t{0}, std::size_t{16}, std::size_t{128}, std::size_t{65532}}) {
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

    // What would not import again: an image longer than the panel's (or than the length field holds),
    // lengths that do not fit the image, a driver file too short to be one.
    EXPECT_FALSE(ExportData(path, SampleContents(65536), driverPath, language, prompts));
    EXPECT_FALSE(ExportData(path, SampleContents(65533), driverPath, language, prompts));
    DataFileContents tooLongHeader = SampleContents(100);
    tooLongHeader.HeaderLength = 101;
    EXPECT_FALSE(ExportData(path, tooLongHeader, driverPath, language, prompts));
    const std::string shortDriver = folder.File("short.dat");
    WriteBytes(shortDriver, driverBytes.substr(0, kLeastDriverFileLength - 1));
    EXPECT_FALSE(ExportData(path, SampleContents(100), shortDriver, language, prompts));
    EXPECT_EQ(prompts.Messages.size(), 6u);
    EXPECT_EQ(ReadBytes(path), "previous");

    // A disk that fills up during the write: no partial file is left beside the previous one.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
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
    EXPECT_EQ(names, (std::vector<std::string>{"746024.dat", "keep.odp", "short.dat"}));

    prompts.Clear();
    const std::string inMissingFolder = folder.File("no/such/folder/out.odp");
    EXPECT_FALSE(ExportData(inMissingFolder, SampleContents(10), driverPath, language, prompts));
    EXPECT_EQ(prompts.Last(), FileMessage(kCanNotSave, inMissingFolder));
}

TEST_F(DataFileTest, ImportRefusesWhatIsNoCompleteDataFile) {
    const std::string good = folder.File("good.odp");
    ASSERT_TRUE(ExportData(good, SampleContents(200), driverPath, language, prompts));
    const std::string bytes = ReadBytes(good);
    const auto withLengths = [&](uint16_t header, uint16_t glyphs, uint16_t image) {
        std::string changed = bytes;
        PutU16(changed, 24, header);
        PutU16(changed, 26, glyphs);
        PutU16(changed, 28, image);
        return changed;
    };
    std::string wrongLengthByte = bytes;
    wrongLengthByte[0] = 20;
    std::string wrongLetter = bytes;
    wrongLetter[21] = 'A';
    std::string beyondThePanel = withLengths(64, 0, 65533);
    beyondThePanel.append(65533, '\0');

    std::vector<std::pair<std::string, std::string>> cases = {
        {"wrong magic length byte", wrongLengthByte},
        {"wrong magic letter", wrongLetter},
        {"a project file", AsString(SerializeProject(testing::SampleProject()))},
        {"H beyond the image", withLengths(65450, 0, 200)},
        {"H just beyond the image", withLengths(201, 0, 200)},
        {"glyphs beyond the image", withLengths(64, 144, 200)},
        {"glyphs of no whole glyph", withLengths(64, 40, 200)},
        {"no room for the directory", withLengths(15, 0, 200)},
        {"an empty image with H", withLengths(16, 0, 0)},
        {"an empty image with glyphs", withLengths(0, 16, 0)},
        {"an image the panel cannot hold", beyondThePanel},
        {"an image length that leaves too little for the driver copy", withLengths(64, 0, 65532)},
    };
    // Cut anywhere: in the header, in the image, and in the driver copy.
    const std::size_t driverStart = kDataFileHeaderLength + 200;
    for (std::size_t length = 0; length < driverStart + 64; length += length < 40 ? 1 : 13)
        cases.emplace_back("cut at " + std::to_string(length), bytes.substr(0, length));
    for (std::size_t length = driverStart + 64; length < bytes.size(); length += 20011)
        cases.emplace_back("cut at " + std::to_string(length), bytes.substr(0, length));
    cases.emplace_back("cut by one byte", bytes.substr(0, driverStart + kLeastDriverFileLength - 1));

    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        const std::string path = folder.File("bad.odp");
        WriteBytes(path, content);
        prompts.Clear();
        EXPECT_FALSE(ImportData(path, language, prompts));
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{FileMessage(kFormatWrong, path)});
    }

    // The least that still is a data file: the lengths at their limits, the shortest driver copy.
    prompts.Clear();
    for (const std::string& content :
         {withLengths(200, 0, 200), withLengths(16, 176, 200),
          withLengths(0, 0, 0).substr(0, 30) + driverBytes.substr(0, kLeastDriverFileLength),
          bytes.substr(0, driverStart + kLeastDriverFileLength)}) {
        const std::string path = folder.File("least.odp");
        WriteBytes(path, content);
        EXPECT_TRUE(ImportData(path, language, prompts));
    }
    EXPECT_TRUE(prompts.Silent());
}

TEST_F(DataFileTest, ImportReadsNoDriverCopyAndTakesAnEmptyImage) {
    const std::string good = folder.File("good.odp");
    ASSERT_TRUE(ExportData(good, SampleContents(200), driverPath, language, prompts));
    // The copy behind the image is not looked at, only its length counts.
    const std::string otherDriver = folder.File("other-driver.odp");
    WriteBytes(otherDriver, ReadBytes(good).substr(0, kDataFileHeaderLength + 200) +
                                std::string(kLeastDriverFileLength, 'x'));
    const auto imported = ImportData(otherDriver, language, prompts);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->Image, SampleContents(200).Image);

    const std::string empty = folder.File("empty.odp");
    ASSERT_TRUE(ExportData(empty, SampleContents(0), driverPath, language, prompts));
    const auto emptyImage = ImportData(empty, language, prompts);
    ASSERT_TRUE(emptyImage);
    EXPECT_TRUE(emptyImage->Image.empty());
    EXPECT_EQ(emptyImage->HeaderLength, 0);
    EXPECT_EQ(emptyImage->GlyphLength, 0);
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
