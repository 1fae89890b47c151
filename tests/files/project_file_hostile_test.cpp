#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "files/project_file.h"
#include "model/element_defaults.h"
#include "support/sample_project.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

// Offsets in a file with one page.
constexpr std::size_t kCurrentModel = 25;
constexpr std::size_t kAlarmCount = 38;
constexpr std::size_t kPageCount = 93;
constexpr std::size_t kTitle = 97 + 4;
constexpr std::size_t kElementCount = 97 + 53;
constexpr std::size_t kElementData = 97 + 57 + 14;

void PutI32(Bytes& bytes, std::size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

LoadStatus Read(const Bytes& bytes) {
    Project project;
    return ReadProjectBytes(bytes, project).Status;
}

// A file with one page holding one element of the kind.
Bytes FileWith(ElementKind kind, void (*adjust)(Element&) = nullptr) {
    Project project;
    Element element = NewElement(project, static_cast<int32_t>(kind));
    if (adjust) adjust(element);
    project.Pages().front().Elements.push_back(element);
    return SerializeProject(project);
}

TEST(ProjectFileHostile, EveryCutOfTheSampleIsRefused) {
    const Bytes whole = SerializeProject(testing::SampleProject());
    ASSERT_EQ(Read(whole), LoadStatus::Ok);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(Read(cut), LoadStatus::FormatWrong) << "length " << length;
    }
}

TEST(ProjectFileHostile, CorruptedBytesAreReadOrRefusedAndWhatIsReadSavesAgain) {
    const Bytes whole = SerializeProject(testing::SampleProject());
    std::mt19937 random(2024);
    // Half of the rounds hit the first kilobyte, where the settings, page records and the first element
    // headers lie; the rest of the file is mostly texts and values.
    std::uniform_int_distribution<std::size_t> anywhere(0, whole.size() - 1);
    std::uniform_int_distribution<std::size_t> structure(0, 1023);
    std::uniform_int_distribution<int> value(0, 255);
    for (int round = 0; round < 1000; ++round) {
        Bytes bytes = whole;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            bytes[round % 2 == 0 ? anywhere(random) : structure(random)] =
                static_cast<uint8_t>(value(random));
        Project loaded;
        if (ReadProjectBytes(bytes, loaded).Status != LoadStatus::Ok) continue;
        Project again;
        ASSERT_EQ(ReadProjectBytes(SerializeProject(loaded), again).Status, LoadStatus::Ok)
            << "round " << round;
        EXPECT_TRUE(again == loaded) << "round " << round;
    }
}

TEST(ProjectFileHostile, WrongMagicIsRefused) {
    Bytes bytes = SerializeProject(Project());
    bytes[0] = 4;
    EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
    EXPECT_EQ(Read(Bytes{'B', 'M', 0, 0, 0, 0, 28, 0, 0, 0}), LoadStatus::FormatWrong);
}

struct CountCase {
    const char* What;
    std::size_t Offset;
    int32_t Value;
};

// One alarm text and one global key on the small model 0.
Bytes SmallModelFile() {
    Project project;
    project.Settings.AlarmCount = 1;
    project.GlobalKeyCount = 1;
    return SerializeProject(project);
}

TEST(ProjectFileHostile, CountsAboveTheirTablesAreRefused) {
    const Bytes file = SmallModelFile();
    const std::size_t keyCount = file.size() - 47 - 4;
    // Trailing bytes are ignored, so that only the tables can refuse the counts below.
    Bytes valid = file;
    valid.resize(valid.size() + 256 * 47, 0);
    ASSERT_EQ(Read(valid), LoadStatus::Ok);
    const CountCase cases[] = {
        {"alarm count above the small model's 128", kAlarmCount, 129},
        {"negative alarm count", kAlarmCount, -1},
        {"global key count above 20", keyCount, 21},
        {"negative global key count", keyCount, -1},
        {"negative page count", kPageCount, -5},
        {"negative element count", kElementCount, INT32_MIN},
    };
    for (const CountCase& c : cases) {
        Bytes bytes = valid;
        PutI32(bytes, c.Offset, c.Value);
        EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong) << c.What;
    }
}

TEST(ProjectFileHostile, CountsBeyondTheFileAreRefused) {
    const Bytes valid = SmallModelFile();
    ASSERT_EQ(Read(valid), LoadStatus::Ok);
    const CountCase cases[] = {
        {"page count beyond the file", kPageCount, 1000},
        {"huge page count", kPageCount, INT32_MAX},
        {"element count beyond the file", kElementCount, 1000},
        {"huge element count", kElementCount, INT32_MAX},
        {"alarm count beyond the file", kAlarmCount, 100},
    };
    for (const CountCase& c : cases) {
        Bytes bytes = valid;
        PutI32(bytes, c.Offset, c.Value);
        EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong) << c.What;
    }
}

TEST(ProjectFileHostile, AlarmCapacityFollowsTheStoredModel) {
    Project large;
    large.Settings.CurrentModel = 2;  // 256 alarm texts
    large.Settings.AlarmCount = 256;
    Bytes bytes = SerializeProject(large);
    ASSERT_EQ(Read(bytes), LoadStatus::Ok);
    PutI32(bytes, kAlarmCount, 257);
    bytes.resize(bytes.size() + 41, 0);
    EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
}

TEST(ProjectFileHostile, ModelOutsideTheTableIsRefused) {
    Bytes bytes = SerializeProject(Project());
    bytes[kCurrentModel] = 12;
    EXPECT_EQ(Read(bytes), LoadStatus::Ok);
    bytes[kCurrentModel] = 13;
    EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
    bytes[kCurrentModel] = 255;
    EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
}

TEST(ProjectFileHostile, VariableTextCountOutsideZeroTo255IsRefused) {
    const std::size_t count = kElementData + 13;
    for (const ElementKind kind : {ElementKind::VarText, ElementKind::VarFontText}) {
        Bytes bytes = FileWith(kind, [](Element& e) {
            if (auto* f = e.If<VarTextFields>()) f->Count = 0;
            if (auto* f = e.If<VarFontTextFields>()) f->Count = 0;
        });
        ASSERT_EQ(Read(bytes), LoadStatus::Ok);
        // Enough bytes behind the count that only its range can refuse it.
        bytes.resize(bytes.size() + 256 * 121, 0);
        PutI32(bytes, count, 256);
        EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
        PutI32(bytes, count, -1);
        EXPECT_EQ(Read(bytes), LoadStatus::FormatWrong);
    }
}

TEST(ProjectFileHostile, PictureLengthsAndContentsAreChecked) {
    const std::size_t length = kElementData + 8;
    const Bytes valid =
        FileWith(ElementKind::Pic, [](Element& e) { e.As<PicFields>().Bitmap = testing::SampleMonoBmp(); });
    ASSERT_EQ(Read(valid), LoadStatus::Ok);

    Bytes beyond = valid;
    PutI32(beyond, length, static_cast<int32_t>(valid.size()));
    EXPECT_EQ(Read(beyond), LoadStatus::FormatWrong);
    Bytes negative = valid;
    PutI32(negative, length, -1);
    EXPECT_EQ(Read(negative), LoadStatus::FormatWrong);

    Bytes broken = valid;
    broken[length + 4] = 'X';  // "BM" no longer starts the picture
    EXPECT_EQ(Read(broken), LoadStatus::FormatWrong);

    const Bytes empty = FileWith(ElementKind::Pic);  // a picture element without a bitmap
    EXPECT_EQ(Read(empty), LoadStatus::Ok);
}

TEST(ProjectFileHostile, OverlongTextLengthIsCutToTheSlot) {
    Project project;
    project.Pages().front().Title = "x";
    Bytes bytes = SerializeProject(project);
    bytes[kTitle] = 255;
    for (std::size_t i = 1; i < 41; ++i)
        bytes[kTitle + i] = static_cast<uint8_t>('a' + i % 26);
    Project loaded;
    ASSERT_EQ(ReadProjectBytes(bytes, loaded).Status, LoadStatus::Ok);
    const Page& page = loaded.Pages().front();
    EXPECT_EQ(page.Title.size(), 40u);
    EXPECT_EQ(page.Title.back(), 'a' + 40 % 26);
    // Nothing past the slot was taken: the links after it are intact.
    EXPECT_EQ(page.PrvPageNo, 1);
    EXPECT_EQ(page.NxtPageNo, 2);
}

TEST(ProjectFileHostile, FileWithoutPagesOpensWithPageOne) {
    Bytes bytes = SerializeProject(Project());
    bytes.erase(bytes.begin() + 97, bytes.begin() + 97 + 57);
    PutI32(bytes, kPageCount, 0);
    Project loaded;
    ASSERT_EQ(ReadProjectBytes(bytes, loaded).Status, LoadStatus::Ok);
    ASSERT_EQ(loaded.Pages().size(), 1u);
    EXPECT_EQ(loaded.Pages().front().Number, 1);
}

}  // namespace
}  // namespace qxed
