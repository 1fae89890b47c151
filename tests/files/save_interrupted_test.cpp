// Saves killed at random moments: whatever the moment, the project's name holds the old file or the new one
// (and a backup, when there is one, the old file), and the next save leaves no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "files/project_file.h"
#include "support/old_version_files.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace qxed {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr int kKills = 60;

std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Large enough that writing and flushing it takes a while, so that kills land inside the save.
Project LargeProject() {
    Project project = testing::SampleProject();
    Element picture = NewElement(project, static_cast<int32_t>(ElementKind::Pic));
    picture.As<PicFields>().Bitmap.assign(std::size_t{4} << 20, 0x5A);
    project.Pages().front().Elements.push_back(std::move(picture));
    return project;
}

std::vector<std::string> Temporaries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".qxed-tmp-") != std::string::npos) names.push_back(name);
    }
    return names;
}

bool SaveAs(Project& project, const std::string& file) {
    const Language language;
    testing::RecordingPrompts prompts;
    return SaveProject(project, file, language, prompts);
}

struct KillOutcome {
    int Old = 0;
    int New = 0;
    int Torn = 0;  // neither: never allowed
    int BackupsWrong = 0;
    int TemporariesLeft = 0;
};

// Kills a save over `old` after a random delay up to `longest`, kKills times.
KillOutcome KillSaves(const std::string& old, std::chrono::microseconds longest) {
    TempFolder folder;
    const std::string target = folder.File("proj.qx2");
    const std::string backup = folder.File("proj_V7.5.qx2");
    Project project = LargeProject();
    const std::string saved = AsString(SerializeProject(project));
    std::mt19937 random(2024);
    std::uniform_int_distribution<long> delay(0, longest.count());
    KillOutcome outcome;
    for (int i = 0; i < kKills; ++i) {
        WriteBytes(target, old);
        fs::remove(backup);
        const pid_t child = ::fork();
        if (child == 0) ::_exit(SaveAs(project, target) ? 0 : 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::string now = ReadBytes(target);
        outcome.Old += now == old ? 1 : 0;
        outcome.New += now == saved ? 1 : 0;
        outcome.Torn += now != old && now != saved ? 1 : 0;
        if (fs::exists(backup) && ReadBytes(backup) != old) ++outcome.BackupsWrong;
        outcome.TemporariesLeft += Temporaries(folder.Path()).empty() ? 0 : 1;
    }
    // The next save clears what the killed ones left.
    EXPECT_TRUE(SaveAs(project, target));
    EXPECT_EQ(Temporaries(folder.Path()), std::vector<std::string>{});
    return outcome;
}

// How long one save over the file takes here, to spread the kills over it.
std::chrono::microseconds SaveTime(const std::string& old) {
    TempFolder folder;
    Project project = LargeProject();
    WriteBytes(folder.File("proj.qx2"), old);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(SaveAs(project, folder.File("proj.qx2")));
    const auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    return std::max(took, std::chrono::microseconds(1000));
}

TEST(SaveInterrupted, AKilledSaveLeavesTheOldFileOrTheNew) {
    const struct {
        const char* What;
        std::string Old;
    } cases[] = {
        {"over an older version", AsString(testing::OldVersionFile(20))},
        {"over the current version", AsString(SerializeProject(testing::SampleProject()))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        // Half again as long as a save, so that some kills come before, some within and some after it.
        const std::chrono::microseconds took = SaveTime(c.Old);
        const KillOutcome outcome = KillSaves(c.Old, took * 3 / 2);
        std::cout << c.What << ": " << kKills << " kills within " << (took * 3 / 2).count()
                  << " us: " << outcome.Old << " left the old file, " << outcome.New << " the new one, "
                  << outcome.TemporariesLeft << " a temporary file\n";
        EXPECT_EQ(outcome.Torn, 0);
        EXPECT_EQ(outcome.BackupsWrong, 0);
        EXPECT_EQ(outcome.Old + outcome.New, kKills);
    }
}

}  // namespace
}  // namespace qxed
