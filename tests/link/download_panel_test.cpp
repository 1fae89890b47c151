#include <gtest/gtest.h>

#include <filesystem>

#include "download_fixture.h"
#include "driver_samples.h"
#include "files/project_json.h"
#include "loopback_port.h"
#include "simulated_panel.h"
#include "text/file_access.h"

namespace qxed::testing {
namespace {

// The example project (a QX223 with PLC type 21 and every element kind) against the simulated panel,
// which checks every frame it is sent and keeps what it is written.
class DownloadPanelTest : public ::testing::Test {
  protected:
    static constexpr int kModel = 6;
    static constexpr int kPlcType = 21;
    static constexpr DriverValues kDriver{kModel + 1, 9, 0, 40, 3};

    VirtualClockLoop loop;
    RecordingView view;
    RecordingPrompts prompts;
    Language texts;
    TempFolder programFolder;
    Project project;
    DownloadJob job;
    panelsim::PanelOptions options;
    std::unique_ptr<panelsim::SimulatedPanel> panel;
    std::unique_ptr<PanelLoopback> line;
    std::unique_ptr<Download> download;

    void SetUp() override {
        const auto demo = std::filesystem::path(QXED_EXAMPLES_DIR) / "demo.json";
        const auto text = file_access::ReadRegularText(demo.string(), 1 << 20);
        ASSERT_TRUE(text) << demo;
        ASSERT_FALSE(MakeProjectFromJson(*text, project));
        ASSERT_EQ(project.Settings.CurrentModel, kModel);
        ASSERT_EQ(project.Settings.PlcType, kPlcType);

        std::string error;
        ASSERT_TRUE(panelsim::WriteSampleDriverFiles(programFolder.Path().string(), kModel, false, kPlcType,
                                                     kDriver, error))
            << error;
        options.ModelIndex = kModel;
        options.IdentityFlags = kDriverIdentityValid;
        options.Installed = {kModel + 1, 8, 0, 40, 3};  // an older driver version: "S" rewrites the area

        job.PortName = "/dev/pts/99";
        job.ProgramFolder = programFolder.Path().string();
        job.Build.Texts = &texts;
        job.Build.GlyphFolder = ProgramFolder();
    }
    void TearDown() override { Release(); }

    void Release() {
        download.reset();
        loop.RunReady();  // replies still on their way reach nobody
        line.reset();
    }

    // One download against a fresh panel with the options.
    void Run() {
        Release();
        panel = std::make_unique<panelsim::SimulatedPanel>(options);
        line = std::make_unique<PanelLoopback>(loop, *panel);
        download = std::make_unique<Download>(loop, *line, view, prompts);
        download->Start(project, job);
        ASSERT_TRUE(loop.RunUntil([this] { return download->IsFinished(); }));
    }
};

TEST_F(DownloadPanelTest, ExampleProjectArrivesWholeWithItsDriverArea) {
    Run();
    EXPECT_EQ(download->Result(), DownloadResult::Ok);
    EXPECT_TRUE(panel->Violations().empty()) << panel->Violations().front();
    EXPECT_TRUE(panel->Finished());
    EXPECT_TRUE(panel->MarkerWritten());
    EXPECT_EQ(panel->ReceivedImage(), download->Image().Bytes);
    const std::vector<uint8_t>& flash = panel->Flash();
    EXPECT_EQ(std::vector<uint8_t>(flash.begin() + kDriverAreaAddress, flash.begin() + 0x10000),
              panelsim::SampleDriverBytes(kModel, kPlcType));

    std::vector<int> sectors;
    for (int sector = 3; sector <= 16; ++sector)
        sectors.push_back(sector);
    const ImageSectorFlags used = ImageSectors(download->Image().Length());
    for (int i = 0; i < kFlaggedImageSectors; ++i)
        if (used[i]) sectors.push_back(17 + i);
    EXPECT_EQ(panel->ErasedSectors(), sectors);
    EXPECT_EQ(panel->Requests(), download->FramesSent());
    EXPECT_EQ(prompts.Last().Text, texts.TextUtf8(texts::DownloadSuccessfully));
}

}  // namespace
}  // namespace qxed::testing
