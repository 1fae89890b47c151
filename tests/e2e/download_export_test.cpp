// The data file through the command line: export after a download, import of its header, and the download
// of an exported file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "download_case.h"

namespace qxed::testing {
namespace {

using ::testing::EndsWith;

TEST(ExportE2E, WritesTheImageSentAndTheDriverFileAndDownloadsAgain) {
    TempFolder folder;
    const std::string odp = folder.File("demo.odp");
    const DownloadOutcome exported = RunDownloadCase({.Command = "export", .Cli = {"-o", odp}});
    ASSERT_EQ(exported.Cli.ExitCode, 0) << exported.Cli.Err;
    const std::string& image = BuiltExample().Image;
    ASSERT_EQ(exported.Dump, image);

    const std::string bytes = ReadBytes(odp);
    ASSERT_FALSE(exported.DriverFile.empty());
    EXPECT_EQ(bytes.size(), 30 + image.size() + exported.DriverFile.size());
    EXPECT_EQ(bytes.substr(30, image.size()), exported.Dump);
    EXPECT_EQ(bytes.substr(30 + image.size()), exported.DriverFile);

    const RunResult header = RunProgram(QXED_CLI, {"import", odp});
    EXPECT_EQ(header.ExitCode, 0) << header.Err;
    EXPECT_EQ(header.Out, "Model: 6\nPlcType: 21\nH: 170\nGlyphs: 1008\nL: " + std::to_string(image.size()) +
                              "\nDriver: " + std::to_string(exported.DriverFile.size()) + "\n");

    // The exported file sends the same image without the project.
    const DownloadOutcome again = RunDownloadCase({.File = odp});
    EXPECT_EQ(again.Cli.ExitCode, 0) << again.Cli.Err;
    EXPECT_EQ(again.Dump, image);
}

TEST(ExportE2E, WritesNothingAfterAFailedDownload) {
    TempFolder folder;
    const std::string odp = folder.File("none.odp");
    const DownloadOutcome outcome = RunDownloadCase({.Command = "export", .Cli = {"-o", odp}, .Model = 0});
    EXPECT_EQ(outcome.Cli.ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(odp));
}

TEST(ImportE2E, RefusesAProjectFileAndTakesAnEmptyImage) {
    const RunResult project = RunProgram(QXED_CLI, {"import", QXED_EXAMPLE_QX2});
    EXPECT_EQ(project.ExitCode, 1);
    EXPECT_EQ(project.Out, "");
    EXPECT_EQ(project.Err,
              "demo.qx2: 该文件格式不正确！\n  " + std::string(QXED_EXAMPLE_QX2) + ": not a data file\n");

    TempFolder folder;
    const std::string empty = folder.File("empty.odp");
    WriteBytes(empty, MakeDataFile(3, 38, "", "drv"));
    const RunResult header = RunProgram(QXED_CLI, {"import", empty});
    EXPECT_EQ(header.ExitCode, 0) << header.Err;
    EXPECT_EQ(header.Out, "Model: 3\nPlcType: 38\nH: 0\nGlyphs: 0\nL: 0\nDriver: 210964\n");
}

TEST(DownloadE2E, BadUsageExitsWith2) {
    const std::vector<std::vector<std::string>> usages = {
        {"download", QXED_EXAMPLE_QX2, "--port", ""},
        {"download", QXED_EXAMPLE_QX2, "--port", "/dev/null", "--upgrade", "X"},
        {"download", QXED_EXAMPLE_QX2, "--port", "/dev/null", "--lang", "De"},
        {"export", QXED_EXAMPLE_QX2, "--port", "/dev/null"},
        {"import"},
    };
    for (const auto& args : usages) {
        const RunResult run = RunProgram(QXED_CLI, args);
        EXPECT_EQ(run.ExitCode, 2) << args[0] << ' ' << run.Err;
        EXPECT_THAT(run.Err, EndsWith(" --help'.\n"));
    }
}

}  // namespace
}  // namespace qxed::testing
