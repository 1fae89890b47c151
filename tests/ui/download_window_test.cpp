#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

#include "document/document.h"
#include "driver_samples.h"
#include "files/project_file.h"
#include "link/comm.h"
#include "link/download_plan.h"
#include "panel_port.h"
#include "panel_server.h"
#include "simulated_panel.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "text/language.h"
#include "text/settings_paths.h"
#include "text/texts.h"
#include "ui/qt_editor_dialogs.h"
#include "ui/qt_event_loop.h"
#include "ui/qt_text.h"
#include "ui/tdownload_form.h"
#include "workbench/about_box.h"

namespace qxed::testing {
namespace {

using namespace std::chrono_literals;

// The example project's panel (QX223) and PLC type.
constexpr int kModel = 6;
constexpr int kPlcType = 21;

// The simulated panel serving its pseudo-terminal on a thread of its own until the test ends.
class PanelOnLine {
  public:
    explicit PanelOnLine(const panelsim::PanelOptions& options)
        : panel_(options), server_(panel_, port_, false) {
        opened_ = port_.Open();
        stopFd_ = ::eventfd(0, EFD_CLOEXEC);
        server_.OnFinished = [] { return false; };
        if (opened_) thread_ = std::thread([this] { server_.Run(stopFd_); });
    }
    ~PanelOnLine() { Stop(); }

    bool Opened() const { return opened_; }
    const std::string& Path() const { return port_.SlavePath(); }
    // Ends the server, after which the panel may be looked at.
    const panelsim::SimulatedPanel& Stop() {
        if (thread_.joinable()) {
            const uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = ::write(stopFd_, &one, sizeof one);
            thread_.join();
        }
        if (stopFd_ >= 0) ::close(stopFd_);
        stopFd_ = -1;
        return panel_;
    }

  private:
    panelsim::PanelPort port_;
    panelsim::SimulatedPanel panel_;
    panelsim::PanelServer server_;
    bool opened_ = false;
    int stopFd_ = -1;
    std::thread thread_;
};

class DownloadWindowTest : public ::testing::Test {
  protected:
    Language language;
    AboutBox about{language, AboutConfig{}};
    RecordingPrompts prompts;
    Document document;
    QtEditorDialogs dialogs{document, language, about, prompts, nullptr};
    TempFolder programFolder;
    Project project;
    panelsim::PanelOptions options;
    DownloadJob job;

    TDownloadForm* form = nullptr;
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* cancel = nullptr;

    void SetUp() override {
        RecordingPrompts loading;
        ASSERT_TRUE(LoadProject(project, QXED_EXAMPLE_QX2, language, loading)) << loading.Last();
        ASSERT_EQ(project.Settings.CurrentModel, kModel);
        ASSERT_EQ(project.Settings.PlcType, kPlcType);

        const DriverValues driver{kModel + 1, 9, 0, 40, 3};
        std::string error;
        ASSERT_TRUE(panelsim::WriteSampleDriverFiles(programFolder.Path().string(), kModel, false, kPlcType,
                                                     driver, error))
            << error;
        options.ModelIndex = kModel;
        options.IdentityFlags = kDriverIdentityValid;
        options.Installed = {kModel + 1, 8, 0, 40, 3};  // an older driver: the download rewrites the area

        job.ProgramFolder = programFolder.Path().string();
        job.Build.Texts = &language;
        job.Build.Language = static_cast<TextLanguage>(language.LanguageIndex());
        job.Build.GlyphFolder = ProgramFolder();
        job.WakeDelay = 20ms;

        form = dialogs.DownloadForm();
        label = form->findChild<QLabel*>("ProcInfoLabel");
        bar = form->findChild<QProgressBar*>("ProcInfoProgressBar");
        cancel = form->findChild<QPushButton*>("CancelBtn");
        ASSERT_TRUE(label && bar && cancel);
    }

    bool Preparing() const { return label->text() == Caption(language, texts::PreparePageContent); }
    bool Sending() const { return label->text() == Caption(language, texts::DownloadPageContent); }

    // The person presses the cancel button once `when` holds, from the window's own event handling.
    void CancelWhen(std::function<bool()> when) {
        QObject::connect(bar, &QProgressBar::valueChanged, form, [this, when, pressed = false](int) mutable {
            if (pressed || !when()) return;
            pressed = true;
            QMetaObject::invokeMethod(
                cancel, [this] { QTest::mouseClick(cancel, Qt::LeftButton); }, Qt::QueuedConnection);
        });
    }

    RecordedMessage CancelQuestion() const {
        return {language.TextUtf8(texts::ReallyCancelDownload), language.TextUtf8(texts::DownloadFormCaption),
                MessageIcon::Question, MessageButtons::OkCancel};
    }
};

TEST_F(DownloadWindowTest, ExampleProjectReachesThePanelWhileTheWindowStaysResponsive) {
    PanelOnLine panel(options);
    ASSERT_TRUE(panel.Opened());
    job.PortName = panel.Path();

    std::vector<int> positions;
    bool handledDuringBuild = false;
    QObject::connect(bar, &QProgressBar::valueChanged, form, [&](int value) {
        positions.push_back(value);
        // An event queued while the image is built is handled before the build has ended.
        if (Preparing() && value == 1)
            QMetaObject::invokeMethod(
                form, [&] { handledDuringBuild = Preparing(); }, Qt::QueuedConnection);
    });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(5);

    const DownloadOutcome outcome = dialogs.RunDownload(project, job);
    ticker.stop();
    const panelsim::SimulatedPanel& received = panel.Stop();

    EXPECT_EQ(outcome.Result, DownloadResult::Ok);
    EXPECT_EQ(prompts.Last().Text, language.TextUtf8(texts::DownloadSuccessfully));
    EXPECT_EQ(prompts.Messages.size(), 1u);
    EXPECT_TRUE(received.Violations().empty()) << received.Violations().front();
    EXPECT_TRUE(received.Finished());
    EXPECT_TRUE(received.MarkerWritten());
    EXPECT_EQ(received.ReceivedImage(), outcome.Image.Bytes);
    EXPECT_FALSE(outcome.DriverFilePath.empty());

    EXPECT_TRUE(handledDuringBuild);
    EXPECT_GT(ticks, 3);
    // While sending, the bar only moves on, up to its end.
    const auto sendingFrom = std::find(positions.rbegin(), positions.rend(), 0).base();
    ASSERT_GT(positions.end() - sendingFrom, 100);
    EXPECT_TRUE(std::is_sorted(sendingFrom, positions.end()));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DownloadWindowTest, CancelEndsTheDownloadWithThePortClosed) {
    struct Case {
        const char* When;
        std::function<bool()> Pressed;
        bool Erased;  // the panel's flash was being written
    };
    const Case cases[] = {
        {"during the image build", [this] { return Preparing() && bar->value() > 0; }, false},
        {"while writing", [this] { return Sending() && bar->value() > bar->maximum() / 2; }, true},
    };
    for (const Case& c : cases) {
        PanelOnLine panel(options);
        ASSERT_TRUE(panel.Opened());
        job.PortName = panel.Path();
        prompts.Clear();
        CancelWhen(c.Pressed);

        QtEventLoop loop;
        TComm comm(loop);
        ApplyDownloadLineSettings(comm);
        const DownloadOutcome outcome = form->Run(loop, comm, prompts, project, job);
        EXPECT_FALSE(comm.IsOpen()) << c.When;
        const panelsim::SimulatedPanel& received = panel.Stop();

        EXPECT_EQ(outcome.Result, DownloadResult::Cancel) << c.When;
        EXPECT_EQ(prompts.Messages, std::vector<RecordedMessage>{CancelQuestion()}) << c.When;
        EXPECT_FALSE(received.Finished()) << c.When;
        EXPECT_FALSE(received.MarkerWritten()) << c.When;
        EXPECT_EQ(!received.ErasedSectors().empty(), c.Erased) << c.When;
        EXPECT_FALSE(form->isVisible());
        QObject::disconnect(bar, nullptr, form, nullptr);
    }
}

}  // namespace
}  // namespace qxed::testing
