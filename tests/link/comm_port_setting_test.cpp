#include "link/comm_port_setting.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "text/ini_file.h"

namespace qxed {
namespace {

TEST(CommPortSetting, TheTypedNumberChoosesThePortAndOtherTextKeepsIt) {
    EXPECT_EQ(CommPortOfText("12", 0), 11);
    EXPECT_EQ(CommPortName(CommPortOfText("12", 0)), "COM12");
    EXPECT_EQ(CommPortOfText(" 3 ", 0), 2);
    EXPECT_EQ(CommPortOfText("abc", 4), 4);
    EXPECT_EQ(CommPortOfText("", 4), 4);
    EXPECT_EQ(CommPortOfText("2x", 4), 4);
    EXPECT_EQ(CommPortOfText("99999999999", 4), 4);
    // No port has a number below 1.
    EXPECT_EQ(CommPortOfText("0", 4), 4);
    EXPECT_EQ(CommPortOfText("-2", 4), 4);
    EXPECT_EQ(CommPortText(0), "1");
    EXPECT_EQ(CommPortName(0), "COM1");
}

TEST(CommPortSetting, IsKeptInTheUserSettingsBesideOtherKeys) {
    const auto folder = std::filesystem::temp_directory_path() / "qxed_comm_port_setting";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Qx200.Ini").string();

    EXPECT_EQ(ReadCommPortSetting(IniFile::Load(path)), 0);  // no file: COM1
    ASSERT_TRUE(IniFile::FromBytes("[Qx200]\r\nDir=/home/x\r\n").Save(path));
    ASSERT_TRUE(WriteCommPortSetting(path, 11));
    const IniFile settings = IniFile::Load(path);
    EXPECT_EQ(ReadCommPortSetting(settings), 11);
    EXPECT_EQ(settings.ReadText("Qx200", "Dir", ""), "/home/x");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qxed
