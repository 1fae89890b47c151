#include "simulator_options.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "driver_samples.h"
#include "link/driver_file.h"

namespace qxed::panelsim {
namespace {

namespace fs = std::filesystem;

TEST(SimulatorOptionsTest, ReadsNumbersAndDerivesDefaults) {
    SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimulatorOptions(
        {"--model", "7", "--driver", "0x10,41,2", "--gtk", "--identity-flags", "0", "--silent-after", "0"},
        options, error))
        << error;
    EXPECT_EQ(options.Panel.ModelIndex, 7);
    EXPECT_EQ(options.Panel.IdentityFlags, 0x40);
    EXPECT_EQ(options.Panel.Installed, (DriverValues{0, 0x10, 0, 41, 2}));
    EXPECT_EQ(options.Panel.PlcProtocol, 0x10);
    EXPECT_EQ(options.Panel.SilentAfter, 0);

    ASSERT_TRUE(ParseSimulatorOptions(
        {"--model", "QX421", "--model-code", "0x28", "--write-drivers", "d", "--plc", "39"}, options, error));
    EXPECT_EQ(options.DriverFileValues, (DriverValues{0x28, 5, 0, 40, 1}));
    EXPECT_EQ(options.Panel.IdentityFlags, 0x01);

    // clang-format off
    const std::vector<std::vector<std::string>> bad = {
        {"--model", "13"}, {"--model", "QX999"}, {"--std"}, {"--ng-at", "-1"}, {"--system-version", "256"},
        {"--driver", "1,2"}, {"--display-flags", "0x"}, {"--plc", "3"}, {"--write-drivers", "d"},
        {"--write-drivers", "d", "--plc", "40"}, {"extra"},
    };
    // clang-format on
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseSimulatorOptions(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(SampleDriverFilesTest, MatchTheSimulatedPanel) {
    const fs::path folder = fs::temp_directory_path() / ("panelsim-drivers-" + std::to_string(getpid()));
    std::string error;
    const DriverValues values{3, 5, 0, 40, 1};
    const auto paths = WriteSampleDriverFiles(folder.string(), 2, false, 21, values, error);
    ASSERT_TRUE(paths) << error;
    ASSERT_EQ(paths->size(), 3u);
    for (const int language : {0, 1, 2, 3})
        EXPECT_TRUE(fs::exists(DriverFolder(folder.string(), language, false) + "/" + DriverFileName(2, 21)));
    std::ifstream stream(paths->front(), std::ios::binary);
    const std::vector<uint8_t> file(std::istreambuf_iterator<char>(stream), {});
    EXPECT_EQ(ReadDriverValues(file), values);
    EXPECT_EQ(DriverArea(file), SampleDriverBytes(2, 21));
    EXPECT_NE(SampleDriverBytes(2, 21), SampleDriverBytes(2, 22));
    EXPECT_NE(SampleDriverBytes(2, 21), SampleDriverBytes(3, 21));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qxed::panelsim
