#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "files/project_file.h"
#include "files/project_json.h"
#include "model/element_defaults.h"
#include "support/old_version_files.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "text/ini_file.h"
#include "text/language.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::MakeOldVersionSample;
using testing::OldVersionSample;

constexpr int kOldest = 1;
constexpr int kNewestOld = 27;

LoadOutcome Read(const Bytes& bytes, Project& project) {
    return ReadProjectBytes(bytes, project);
}

Project Opened(const Bytes& bytes) {
    Project project;
    EXPECT_EQ(Read(bytes, project).Status, LoadStatus::Ok);
    return project;
}

std::string Json(const Project& project) {
    return DumpProjectJson(project, std::nullopt);
}

const Page& PageAt(const Project& project, std::size_t index) {
    return *std::next(project.Pages().begin(), static_cast<std::ptrdiff_t>(index));
}

std::vector<const Element*> ElementsOf(const Project& project, ElementKind kind) {
    std::vector<const Element*> found;
    for (const Page& page : project.Pages())
        for (const Element& element : page.Elements)
            if (element.Is(kind)) found.push_back(&element);
    return found;
}

TEST(OlderVersions, EveryVersionOpensWithItsStoredFieldsAndTheDefaultsOfTheRest) {
    for (int version = kOldest; version <= kNewestOld; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        const OldVersionSample sample = MakeOldVersionSample(version);
        Project project;
        const LoadOutcome outcome = Read(sample.Bytes, project);
        ASSERT_EQ(outcome.Status, LoadStatus::Ok);
        EXPECT_EQ(outcome.Header.Version, version);
        EXPECT_EQ(outcome.Header.VersionText.empty(), version < 12);
        // The text form names the field that differs; the comparison covers what it may not show.
        EXPECT_EQ(Json(project), Json(sample.Expected));
        EXPECT_TRUE(project == sample.Expected);
    }
}

TEST(OlderVersions, SavingAnOpenedOlderFileKeepsEverythingInTheCurrentVersion) {
    for (int version = kOldest; version <= kNewestOld; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        const Project old = Opened(testing::OldVersionFile(version));
        const Bytes saved = SerializeProject(old);
        Project again;
        const LoadOutcome outcome = Read(saved, again);
        ASSERT_EQ(outcome.Status, LoadStatus::Ok);
        EXPECT_EQ(outcome.Header.Version, kProjectVersion);
        EXPECT_TRUE(again == old);
        EXPECT_EQ(SerializeProject(again), saved);
    }
}

// The sample files name their faces "Face<n>" with charset 134; this gives every one of them charset 0
// (Western) and the GBK name 黑体, in place, so the file's layout stays as it was.
Bytes WithChineseFacesOfCharsetZero(Bytes bytes) {
    const std::string face = "Face";
    constexpr std::size_t kCharsetBeforeSlot = 1 + 4 + 4;  // charset, colour, height
    int changed = 0;
    for (std::size_t i = kCharsetBeforeSlot + 1; i + face.size() <= bytes.size(); ++i) {
        if (!std::equal(face.begin(), face.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i))) continue;
        const std::size_t slot = i - 1;
        if (bytes[slot - kCharsetBeforeSlot] != 134) continue;
        bytes[slot - kCharsetBeforeSlot] = 0;
        const Bytes name = {4, 0xBA, 0xDA, 0xCC, 0xE5};
        std::copy(name.begin(), name.end(), bytes.begin() + static_cast<std::ptrdiff_t>(slot));
        ++changed;
    }
    EXPECT_GT(changed, 0);
    return bytes;
}

TEST(OlderVersions, AChineseFaceOfCharsetZeroDumpsAsWrittenAndMakesTheSameFile) {
    for (int version = 21; version <= kProjectVersion; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        Bytes file;
        if (version < kProjectVersion) {
            file = WithChineseFacesOfCharsetZero(testing::OldVersionFile(version));
        } else {
            Project written = Opened(WithChineseFacesOfCharsetZero(testing::OldVersionFile(kNewestOld)));
            file = SerializeProject(written);
        }
        const Project opened = Opened(file);
        const std::string text = Json(opened);
        const nlohmann::json dump = nlohmann::json::parse(text);
        int faces = 0;
        for (const auto& page : dump["pages"]) {
            for (const auto& element : page["elements"]) {
                if (!element.contains("Font")) continue;
                EXPECT_EQ(element["Font"]["Charset"], 0);
                EXPECT_EQ(element["Font"]["Name"], "黑体");
                ++faces;
            }
        }
        EXPECT_EQ(faces, 3);  // font text, touch key, variable font text

        Project made;
        const std::optional<JsonFormError> error = MakeProjectFromJson(text, made);
        ASSERT_FALSE(error) << error->Path << ": " << error->Message;
        EXPECT_EQ(SerializeProject(made), SerializeProject(opened));
        if (version == kProjectVersion) EXPECT_EQ(SerializeProject(made), file);
    }
}

TEST(OlderVersions, EveryTruncationIsRefusedAndNothingPastTheReadBytesMatters) {
    for (int version = kOldest; version <= kNewestOld; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        const OldVersionSample sample = MakeOldVersionSample(version);
        for (std::size_t length = 0; length <= sample.Bytes.size(); ++length) {
            const Bytes cut(sample.Bytes.begin(), sample.Bytes.begin() + static_cast<std::ptrdiff_t>(length));
            Project project;
            const LoadStatus expected = length < sample.ReadEnd ? LoadStatus::FormatWrong : LoadStatus::Ok;
            ASSERT_EQ(Read(cut, project).Status, expected) << "length " << length;
        }
    }
}

TEST(OlderVersions, CorruptedBytesAreReadOrRefusedAndWhatIsReadSavesAgain) {
    std::mt19937 random(27);
    std::uniform_int_distribution<int> value(0, 255);
    for (int version = kOldest; version <= kNewestOld; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        const Bytes whole = testing::OldVersionFile(version);
        std::uniform_int_distribution<std::size_t> position(0, whole.size() - 1);
        for (int round = 0; round < 200; ++round) {
            Bytes bytes = whole;
            for (int hit = 0; hit < 3; ++hit)
                bytes[position(random)] = static_cast<uint8_t>(value(random));
            Project project;
            if (Read(bytes, project).Status != LoadStatus::Ok) continue;
            Project again;
            ASSERT_EQ(Read(SerializeProject(project), again).Status, LoadStatus::Ok) << "round " << round;
        }
    }
}

TEST(OlderVersions, ATruncatedFileOnDiskShowsTheFormatMessage) {
    testing::TempFolder folder;
    const Bytes whole = testing::OldVersionFile(9);
    const std::string bytes(whole.begin(), whole.end() - 1);
    testing::WriteBytes(folder.File("old.qx2"), bytes);

    Project project;
    testing::RecordingPrompts prompts;
    const Language language(IniFile::FromBytes("[Name]\r\nAppName=QXED\r\n"));
    EXPECT_FALSE(LoadProject(project, folder.File("old.qx2"), language, prompts));
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Last().Text, "该文件格式不正确！");
    EXPECT_EQ(prompts.Last().Caption, "old.qx2 - QXED");
}

TEST(OlderVersions, Version1FillsWhatItLacksFromTheResetAndTheNewElements) {
    const OldVersionSample sample = MakeOldVersionSample(1);
    const Project project = Opened(sample.Bytes);
    const ProjectSettings& s = project.Settings;
    const ProjectSettings fresh = Project().Settings;

    // Stored: HomePageNo and Password before PlcType, held over the reset.
    EXPECT_EQ(s.PlcType, 3);
    EXPECT_EQ(s.HomePageNo, sample.Expected.Settings.HomePageNo);
    EXPECT_NE(s.HomePageNo, fresh.HomePageNo);
    EXPECT_EQ(s.Password, sample.Expected.Settings.Password);
    EXPECT_NE(s.Password, kDefaultPassword);

    EXPECT_EQ(s.CurrentModel, 0);
    EXPECT_EQ(s.AlarmCount, 0);
    EXPECT_EQ(project.GlobalKeyCount, 0);
    for (const KeyAction& key : project.GlobalKeys)
        EXPECT_EQ(key, NewGlobalKey(project));
    // A reset sets the panel station and keeps the line settings: those of the project opened into.
    EXPECT_EQ(s.PanelStation, 1);
    EXPECT_EQ(s.BaudCode, fresh.BaudCode);
    EXPECT_EQ(s.Parity, fresh.Parity);
    EXPECT_EQ(s.SevenDataBits, fresh.SevenDataBits);
    EXPECT_EQ(s.OneStopBit, fresh.OneStopBit);
    // PLC type 3 puts its operands on station 0; version 1 stores no station.
    EXPECT_EQ(s.CtrlReg.Station, 0);
    for (const Element* reg : ElementsOf(project, ElementKind::Reg))
        EXPECT_EQ(reg->As<RegFields>().Address.Station, 0);
    for (const Element* lamp : ElementsOf(project, ElementKind::Lamp))
        EXPECT_EQ(lamp->As<LampFields>().Coil.Station, 0);
    for (const Element* key : ElementsOf(project, ElementKind::FuncKey))
        EXPECT_EQ(key->As<FuncKeyFields>().Action.Coil.Station, 0);
}

TEST(OlderVersions, Version2LeavesTheControlRegisterStationAtItsDefault) {
    const OldVersionSample sample = MakeOldVersionSample(2);
    const Project project = Opened(sample.Bytes);
    EXPECT_EQ(project.Settings.PlcType, 33);
    EXPECT_EQ(project.Settings.CtrlReg.Station, 255);
    EXPECT_EQ(project.Settings.CtrlReg.Number, sample.Expected.Settings.CtrlReg.Number);
    EXPECT_NE(project.Settings.CtrlReg.Number, 0);
}

TEST(OlderVersions, TheAlarmListByteOfVersions7To10BecomesAJump) {
    for (int version : {7, 9, 10}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const Project project = Opened(testing::OldVersionFile(version));
        const auto keys = ElementsOf(project, ElementKind::FuncKey);
        ASSERT_EQ(keys.size(), 2u);
        EXPECT_EQ(keys[0]->As<FuncKeyFields>().Action.Jump, 2);  // byte 1: the alarm list
        EXPECT_EQ(keys[1]->As<FuncKeyFields>().Action.Jump, 0);  // byte 0: a page
    }
    // From version 11 the byte is the jump itself.
    const OldVersionSample v11 = MakeOldVersionSample(11);
    const Project project = Opened(v11.Bytes);
    const auto keys = ElementsOf(project, ElementKind::FuncKey);
    ASSERT_EQ(keys.size(), 2u);
    const uint8_t stored = ElementsOf(v11.Expected, ElementKind::FuncKey)[0]->As<FuncKeyFields>().Action.Jump;
    EXPECT_GT(stored, 2);
    EXPECT_EQ(keys[0]->As<FuncKeyFields>().Action.Jump, stored);
}

TEST(OlderVersions, AFullTextOfA25ByteSlotOpensUnchangedAndSavesIntoA41ByteSlot) {
    const OldVersionSample sample = MakeOldVersionSample(12);
    const Project project = Opened(sample.Bytes);
    const Element& text = *ElementsOf(project, ElementKind::Text).front();
    const std::string& stored =
        ElementsOf(sample.Expected, ElementKind::Text).front()->As<TextFields>().Content;
    ASSERT_EQ(stored.size(), 24u);
    EXPECT_EQ(text.As<TextFields>().Content, stored);

    Project single;
    single.Pages().front().Elements.push_back(text);
    const Bytes saved = SerializeProject(single);
    constexpr std::size_t kElementData = 97 + 57 + 14;
    EXPECT_EQ(saved.size(), 158u + 14 + 41);
    EXPECT_EQ(saved[kElementData], 24);
    EXPECT_TRUE(Opened(saved) == single);
}

TEST(OlderVersions, GlobalKeysAreReadFromVersion17On) {
    const OldVersionSample v16 = MakeOldVersionSample(16);
    ASSERT_LT(v16.ReadEnd, v16.Bytes.size());  // the file holds keys
    const Project without = Opened(v16.Bytes);
    EXPECT_EQ(without.GlobalKeyCount, 0);
    // The slots keep what the reset gave them, before the model was read.
    Project reset;
    reset.Settings.PlcType = without.Settings.PlcType;
    ResetProject(reset);
    EXPECT_EQ(without.GlobalKeys, reset.GlobalKeys);

    // Version 17 stores them without the set-data fields, which keep their defaults.
    const Project with = Opened(testing::OldVersionFile(17));
    ASSERT_EQ(with.GlobalKeyCount, 4);
    reset.Settings.PlcType = with.Settings.PlcType;
    ResetProject(reset);
    const KeyAction& fresh = reset.GlobalKeys[0];
    for (int i = 0; i < with.GlobalKeyCount; ++i) {
        const KeyAction& key = with.GlobalKeys[static_cast<std::size_t>(i)];
        EXPECT_NE(key.Key, fresh.Key);
        EXPECT_NE(key.PageNo, fresh.PageNo);
        EXPECT_EQ(key.RegAddress, fresh.RegAddress);
        EXPECT_EQ(key.RegNum, fresh.RegNum);
        EXPECT_EQ(key.SetValue, fresh.SetValue);
    }
    EXPECT_EQ(with.GlobalKeys[4], fresh);
}

TEST(OlderVersions, AVersion19FontTextGetsTheToolkitsDefaultFont) {
    const Project project = Opened(testing::OldVersionFile(19));
    const auto fontTexts = ElementsOf(project, ElementKind::FontText);
    ASSERT_EQ(fontTexts.size(), 1u);
    EXPECT_EQ(fontTexts[0]->As<FontTextFields>().Font, FontDesc{});
    EXPECT_NE(fontTexts[0]->As<FontTextFields>().Font, project.Defaults.MainFont);
    EXPECT_EQ(fontTexts[0]->As<FontTextFields>().Content.size(), 120u);

    // From version 20 the font is stored.
    const Project v20 = Opened(testing::OldVersionFile(20));
    EXPECT_NE(ElementsOf(v20, ElementKind::FontText)[0]->As<FontTextFields>().Font, FontDesc{});
}

TEST(OlderVersions, KindsNewerThanTheFileReadNoData) {
    // Page 0x8003 starts with the first kind that the version does not know, then a text follows.
    const struct {
        int Version;
        ElementKind Newer;
    } cases[] = {{1, ElementKind::Trend},     {8, ElementKind::Pic},       {10, ElementKind::VarText},
                 {18, ElementKind::FontText}, {20, ElementKind::TouchKey}, {24, ElementKind::ASCIIText}};
    for (const auto& c : cases) {
        SCOPED_TRACE("version " + std::to_string(c.Version));
        const Project project = Opened(testing::OldVersionFile(c.Version));
        const Page& page = PageAt(project, 1);
        ASSERT_EQ(page.Elements.size(), 3u);
        const Element& newer = page.Elements[0];
        ASSERT_TRUE(newer.Is(c.Newer));
        EXPECT_EQ(newer.Fields, NewElementForReading(project, static_cast<int32_t>(c.Newer)).Fields);
        EXPECT_EQ(page.Elements[1].Kind, 13);
        EXPECT_TRUE(page.Elements[2].Is(ElementKind::Text));
    }
    // From version 25 every kind is known.
    EXPECT_EQ(PageAt(Opened(testing::OldVersionFile(25)), 1).Elements.size(), 2u);
}

TEST(OlderVersions, AModelOutsideTheTableIsRefused) {
    Bytes bytes = testing::OldVersionFile(12);
    constexpr std::size_t kCurrentModel = 6 + 4 + 11 + 4;
    Project project;
    for (const uint8_t model : {uint8_t{12}, uint8_t{13}, uint8_t{255}}) {
        bytes[kCurrentModel] = model;
        EXPECT_EQ(Read(bytes, project).Status, model <= 12 ? LoadStatus::Ok : LoadStatus::FormatWrong);
    }
}

}  // namespace
}  // namespace qxed
