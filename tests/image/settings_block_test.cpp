#include "image/settings_block.h"

#include <gtest/gtest.h>

#include "image/image_fixture.h"
#include "image/operand_encoding.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr std::size_t kPasswordAt = 9;
constexpr std::size_t kOptionsAt = 29;
constexpr std::size_t kLineTypeAt = 37;

Bytes Block(const Project& project, std::size_t pages = 1) {
    ImageBuffer keys;
    WriteGlobalKeys(keys, project);
    EXPECT_TRUE(keys.Sound());
    ImageBuffer out;
    WriteSettingsBlock(out, project, pages, keys.Data());
    EXPECT_TRUE(out.Sound());
    return Bytes(out.Data().begin(), out.Data().end());
}

bool Refused(const Project& project, std::size_t pages = 1) {
    ImageBuffer keys;
    WriteGlobalKeys(keys, project);
    ImageBuffer out;
    WriteSettingsBlock(out, project, pages, keys.Data());
    return keys.Refused() || out.Refused();
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
}

TEST(SettingsBlockTest, FieldsInPanelOrder) {
    Project project = testing::SmallProject(0);
    ProjectSettings& s = project.Settings;
    s.PanelStation = 7;
    s.AlarmCount = 3;
    s.AlarmCoil = {1, 2, 300};
    s.HomePageNo = 0x0203;
    s.Password = 4321;
    s.BaudCode = 9;
    s.Parity = 1;
    s.SevenDataBits = 1;
    s.OneStopBit = 0;
    s.CtrlFlags = ProjectSettings::kAutoPageNo | ProjectSettings::kAnalogInputOutput;
    s.BlueGroundWhiteText = 1;
    s.PowerBeep = 1;
    s.ExchangeWord = 0;
    s.WriteNWords = 1;
    s.CtrlReg = {3, 1, 1000};
    s.ModuleNum = 2;
    s.PanelStatusLedNum = 1;
    s.ScreenSaveTime = 4;
    s.ScreenSaveTurnOffLight = 0;
    s.ScreenSavePageNo = 300;
    // clang-format off
    const Bytes expected = {
        7, 2, 3,                       // station, pages, alarms
        0x01, 0x02, 0x2C, 0x01,        // alarm coil
        0x03, 0x02,                    // home page
        0, 0, 0, 0, 4, 3, 2, 1,        // password digits
        0xFF, 0xFF, 0xFF, 0xFF, 0xFB, 0xFC, 0xFD, 0xFE,
        9, 1, 1, 0,                    // line
        0xC9, 0x02,                    // options, word options
        0x03, 0x01, 0xE8, 0x03,        // control register
        2, 1, 0x20, 5, 0, 0x2C, 0x01,  // modules, lamps, line type, screen saver
    };
    // clang-format on
    EXPECT_EQ(Block(project, 2), expected);
}

TEST(SettingsBlockTest, ControlFlagsMoveToTheirOptionBits) {
    Project project = testing::SmallProject(0);
    const struct {
        uint8_t CtrlFlags;
        uint8_t Options;
    } cases[] = {
        {ProjectSettings::kReportPageNo, 0x02},
        {ProjectSettings::kPanelStatusLed, 0x10},
        {ProjectSettings::kDateTime, 0x20},
        {ProjectSettings::kAnalogInputOutput, 0x40},
        {0x8C, 0x00},  // bits without an option
    };
    for (const auto& c : cases) {
        project.Settings.CtrlFlags = c.CtrlFlags;
        EXPECT_EQ(Block(project)[kOptionsAt], c.Options) << int{c.CtrlFlags};
    }
}

TEST(SettingsBlockTest, PasswordKeepsItsLastEightDigits) {
    Project project = testing::SmallProject(0);
    project.Settings.Password = 123;
    EXPECT_EQ(Slice(Block(project), kPasswordAt, 16),
              (Bytes{0, 0, 0, 0, 0, 1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFD, 0xFC}));
    project.Settings.Password = 1234567890;
    EXPECT_EQ(Slice(Block(project), kPasswordAt, 8), (Bytes{3, 4, 5, 6, 7, 8, 9, 0}));
    project.Settings.Password = -1;
    EXPECT_TRUE(Refused(project));
}

TEST(SettingsBlockTest, LineTypeAndScreenSaverFollowTheirRules) {
    Project project = testing::SmallProject(0);
    EXPECT_EQ(Block(project)[kLineTypeAt], 0x20);
    project.Settings.PlcType = 1;
    EXPECT_EQ(Block(project)[kLineTypeAt], 0x00);

    EXPECT_EQ(ScreenSaveMinutes(11), 3);
    EXPECT_EQ(ScreenSaveMinutes(-1), 3);
}

TEST(SettingsBlockTest, GlobalKeysTravelOnlyWithTheModelsThatHaveThem) {
    Project project = testing::SmallProject(4);
    project.GlobalKeyCount = 2;
    project.GlobalKeys[0].Encrypt = 1;
    project.GlobalKeys[0].Function = KeyAction::kNoFunction;
    project.GlobalKeys[1].Function = KeyAction::kSetData;
    project.GlobalKeys[1].SetValue = 77;
    const Bytes block = Block(project);
    ASSERT_EQ(block.size(), 42u + 2 * 14);
    EXPECT_EQ(block[42], 0x40);
    EXPECT_EQ(block[56], 0x00);
    const auto second = KeyActionBlock(project.GlobalKeys[1], project.Settings.PlcType);
    EXPECT_EQ(Slice(block, 57, 13), Bytes(second.begin(), second.end()));

    project.Settings.CurrentModel = 1;
    EXPECT_EQ(Block(project).size(), 42u);
    project.Settings.CurrentModel = 2;
    project.GlobalKeyCount = 0;
    EXPECT_EQ(Block(project).size(), 42u);
    project.GlobalKeyCount = 21;
    EXPECT_TRUE(Refused(project));
}

TEST(SettingsBlockTest, CountsAndNumbersBeyondTheirFieldsAreRefused) {
    Project project = testing::SmallProject(0);
    EXPECT_FALSE(Refused(project, 255));
    EXPECT_TRUE(Refused(project, 256));
    project.Settings.HomePageNo = 65536;
    EXPECT_TRUE(Refused(project));
}

}  // namespace
}  // namespace qxed
