#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordedMessage;
using testing::RecordingPrompts;
using testing::TempFolder;
using testing::WriteBytes;

using testing::kCanNotSave;
using testing::kFormatWrong;
using testing::NamedLanguage;

std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A file that starts like a project file of the version, with some body.
std::string HandMadeFile(int32_t version, const std::string& versionText) {
    std::string bytes = {3, 'Q', 'X', '2', 0, 0};
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(static_cast<uint32_t>(version) >> (8 * i));
    if (version >= 12) {
        std::string slot(11, '\0');
        slot[0] = static_cast<char>(versionText.size());
        slot.replace(1, versionText.size(), versionText);
        bytes += slot;
    }
    return bytes + "old body";
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ProjectFileDisk : public ::testing::Test {
  protected:
    bool Save(const std::string& name) { return SaveProject(project, folder.File(name), language, prompts); }
    bool Load(const std::string& name) { return LoadProject(loaded, folder.File(name), language, prompts); }
    std::string Saved() const { return AsString(SerializeProject(project)); }

    TempFolder folder;
    Language language = NamedLanguage();
    RecordingPrompts prompts;
    Project project = testing::SampleProject();
    Project loaded;
};

TEST_F(ProjectFileDisk, SaveThenLoad) {
    ASSERT_TRUE(Save("line1.qx2"));
    EXPECT_TRUE(prompts.Silent());
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2")), Saved());
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"line1.qx2"});  // no temporary file left

    ASSERT_TRUE(Load("line1.qx2"));
    EXPECT_TRUE(prompts.Silent());
    EXPECT_TRUE(loaded == project);
}

TEST_F(ProjectFileDisk, FailedSaveIsReported) {
    EXPECT_FALSE(SaveProject(project, folder.File("missing/line1.qx2"), language, prompts));
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Last(), (RecordedMessage{kCanNotSave, "line1.qx2 - QXED", MessageIcon::Error}));
    EXPECT_FALSE(fs::exists(folder.File("missing")));
}

TEST_F(ProjectFileDisk, FailedSaveLeavesThePreviousFile) {
    // A folder in the target's place cannot be replaced by a file.
    fs::create_directory(folder.File("line1.qx2"));
    WriteBytes(folder.File("line1.qx2/inside"), "kept");
    EXPECT_FALSE(Save("line1.qx2"));
    EXPECT_EQ(prompts.Last().Text, kCanNotSave);
    EXPECT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2/inside")), "kept");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"line1.qx2"});
}

TEST_F(ProjectFileDisk, SaveIntoReadOnlyFolderLeavesThePreviousFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string old = AsString(SerializeProject(Project()));
    WriteBytes(folder.File("line1.qx2"), old);
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool saved = Save("line1.qx2");
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_FALSE(saved);
    EXPECT_EQ(prompts.Last().Text, kCanNotSave);
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2")), old);
}

// A disk that fills up in the middle of the writing: the file size limit makes the write fail for any user.
TEST_F(ProjectFileDisk, WriteFailingHalfwayLeavesThePreviousFile) {
    const std::string old = AsString(SerializeProject(Project()));
    WriteBytes(folder.File("line1.qx2"), old);
    project = testing::SampleProject();
    ASSERT_GT(Saved().size(), 4096u);

    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = Save("line1.qx2");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(saved);
    EXPECT_EQ(prompts.Last().Text, kCanNotSave);
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2")), old);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"line1.qx2"});
}

// Saving over an older version: the backup comes after the new file is written, so a full disk leaves the
// old file under its name (and no backup, since nothing was replaced).
TEST_F(ProjectFileDisk, AFullDiskLeavesTheOlderVersionFileUnderItsName) {
    const std::string old = HandMadeFile(20, "V7.5");
    WriteBytes(folder.File("line1.qx2"), old);
    ASSERT_GT(Saved().size(), 4096u);

    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = Save("line1.qx2");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(saved);
    EXPECT_EQ(prompts.Messages,
              (std::vector<RecordedMessage>{{kCanNotSave, "line1.qx2 - QXED", MessageIcon::Error}}));
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2")), old);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"line1.qx2"});
}

// The backup replaces an earlier one only as a whole, also when it already is a second name of the file.
TEST_F(ProjectFileDisk, ABackupReplacesAnEarlierOneWhateverItWas) {
    const std::string old = HandMadeFile(20, "V7.5");
    for (const char* earlier : {"an older backup", "a second name of the file"}) {
        SCOPED_TRACE(earlier);
        TempFolder place;
        const std::string target = place.File("line1.qx2");
        const std::string backup = place.File("line1_V7.5.qx2");
        WriteBytes(target, old);
        if (std::string(earlier) == "an older backup") {
            WriteBytes(backup, "earlier backup, longer than the file it gives way to");
        } else {
            fs::create_hard_link(target, backup);
        }
        ASSERT_TRUE(SaveProject(project, target, language, prompts));
        EXPECT_TRUE(prompts.Silent());
        EXPECT_EQ(Names(place.Path()), (std::vector<std::string>{"line1.qx2", "line1_V7.5.qx2"}));
        EXPECT_EQ(ReadBytes(target), Saved());
        EXPECT_EQ(ReadBytes(backup), old);
    }
}

// Temporary files of writers that no longer run are removed by the next save into their folder; those of
// running writers, and files that only look alike, stay.
TEST_F(ProjectFileDisk, ASaveRemovesTheTemporaryFilesOfKilledWriters) {
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone);
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> left = {
        ".line1.qx2.qxed-tmp-" + dead + "-0-123",
        ".other.qx2.qxed-tmp-" + dead + "-17-4",
        ".settings.ini.qxed-tmp-" + dead + "-3-999999",
    };
    const std::vector<std::string> kept = {
        ".line1.qx2.qxed-tmp-" + alive + "-0-1",  // a writer that still runs
        "line1.qx2.qxed-tmp-" + dead + "-0-1",    // not hidden
        ".line1.qx2.qxed-tmp-" + dead + "-0",     // not the whole pattern
        ".line1.qx2.qxed-tmp-" + dead + "-0-1x",  //
        ".line1.qx2.tmp-" + dead + "-0-1",        // another program's
        ".line1.qx2.qxed-tmp--" + dead + "-0-1",  //
    };
    for (const std::string& name : left)
        WriteBytes(folder.File(name), "left by a killed save");
    for (const std::string& name : kept)
        WriteBytes(folder.File(name), "kept");
    fs::create_directory(folder.File(".dir.qxed-tmp-" + dead + "-0-1"));  // not a file

    ASSERT_TRUE(Save("line1.qx2"));
    std::vector<std::string> expected = kept;
    expected.push_back(".dir.qxed-tmp-" + dead + "-0-1");
    expected.push_back("line1.qx2");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder.Path()), expected);
}

TEST_F(ProjectFileDisk, SaveKeepsPermissions) {
    WriteBytes(folder.File("line1.qx2"), Saved());
    fs::permissions(folder.File("line1.qx2"), fs::perms(0640));
    ASSERT_TRUE(Save("line1.qx2"));
    EXPECT_EQ(fs::status(folder.File("line1.qx2")).permissions(), fs::perms(0640));

    const mode_t previous = ::umask(022);
    const bool saved = Save("fresh.qx2");
    ::umask(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(fs::status(folder.File("fresh.qx2")).permissions(), fs::perms(0644));
}

TEST_F(ProjectFileDisk, SaveUnderTheLongestFileName) {
    const std::string name = std::string(251, 'n') + ".qx2";
    ASSERT_TRUE(Save(name));
    EXPECT_EQ(ReadBytes(folder.File(name)), Saved());
}

TEST_F(ProjectFileDisk, SaveThroughALinkUpdatesTheLinkedFile) {
    WriteBytes(folder.File("real.qx2"), "not a project");
    fs::create_symlink("real.qx2", folder.File("link.qx2"));
    ASSERT_TRUE(Save("link.qx2"));
    EXPECT_TRUE(fs::is_symlink(folder.File("link.qx2")));
    EXPECT_EQ(ReadBytes(folder.File("real.qx2")), Saved());
}

TEST_F(ProjectFileDisk, BackupOnlyOfOlderProjectFiles) {
    struct Case {
        const char* What;
        std::string Old;
        std::vector<std::string> After;  // folder contents after the save
    };
    const Case cases[] = {
        {"current version", HandMadeFile(28, "V8.0r"), {"line1.qx2"}},
        {"not a project file", "BM plain picture", {"line1.qx2"}},
        {"version 20", HandMadeFile(20, "V7.5"), {"line1.qx2", "line1_V7.5.qx2"}},
        {"version 29", HandMadeFile(29, "V8.1"), {"line1.qx2", "line1_V8.1.qx2"}},
        {"version 11 without version text", HandMadeFile(11, ""), {"line1.qx2", "line1_.qx2"}},
        {"version text with a folder in it", HandMadeFile(27, "../x\n"), {"line1.qx2", "line1_.._x_.qx2"}},
    };
    for (const Case& c : cases) {
        TempFolder place;
        const std::string target = place.File("line1.qx2");
        WriteBytes(target, c.Old);
        ASSERT_TRUE(SaveProject(project, target, language, prompts)) << c.What;
        EXPECT_TRUE(prompts.Silent()) << c.What;
        EXPECT_EQ(Names(place.Path()), c.After) << c.What;
        EXPECT_EQ(ReadBytes(target), Saved()) << c.What;
        if (c.After.size() == 2) {
            EXPECT_EQ(ReadBytes(place.File(c.After[1])), c.Old) << c.What;
        }
    }
}

TEST_F(ProjectFileDisk, BackupLandsBesideTheFileNotInTheWorkingFolder) {
    WriteBytes(folder.File("line1.qx2"), HandMadeFile(20, "V7.5"));
    TempFolder elsewhere;
    const fs::path previous = fs::current_path();
    fs::current_path(elsewhere.Path());
    const bool saved = Save("line1.qx2");
    fs::current_path(previous);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(fs::is_empty(elsewhere.Path()));
    EXPECT_TRUE(fs::exists(folder.File("line1_V7.5.qx2")));
}

TEST_F(ProjectFileDisk, FailedBackupIsReportedAndTheSaveGoesOn) {
    WriteBytes(folder.File("line1.qx2"), HandMadeFile(20, "V7.5"));
    fs::create_directory(folder.File("line1_V7.5.qx2"));
    WriteBytes(folder.File("line1_V7.5.qx2/occupied"), "x");
    ASSERT_TRUE(Save("line1.qx2"));
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Last(),
              (RecordedMessage{"Unable to create backup file. \"" + folder.File("line1_V7.5.qx2") + "\"",
                               "QXED", MessageIcon::Error}));
    EXPECT_EQ(ReadBytes(folder.File("line1.qx2")), Saved());
}

TEST_F(ProjectFileDisk, LoadMessages) {
    struct Case {
        const char* What;
        std::string Contents;
        std::vector<RecordedMessage> Messages;
    };
    const Case cases[] = {
        {"newer version",
         HandMadeFile(30, "V9.9"),
         {{"请使用　V9.9 或更高版本的QX200来打开该文件", "p.qx2 - QXED", MessageIcon::Information}}},
        {"wrong magic", "\x03QX3\0\0", {{kFormatWrong, "p.qx2 - QXED", MessageIcon::Error}}},
        {"empty file", "", {{kFormatWrong, "p.qx2 - QXED", MessageIcon::Error}}},
        {"cut project", Saved().substr(0, 500), {{kFormatWrong, "p.qx2 - QXED", MessageIcon::Error}}},
        {"version 0", HandMadeFile(0, ""), {}},
    };
    for (const Case& c : cases) {
        prompts.Clear();
        WriteBytes(folder.File("p.qx2"), c.Contents);
        EXPECT_FALSE(Load("p.qx2")) << c.What;
        EXPECT_EQ(prompts.Messages, c.Messages) << c.What;
    }
}

TEST_F(ProjectFileDisk, LoadRefusesWhatIsNoRegularFile) {
    EXPECT_FALSE(Load("missing.qx2"));
    EXPECT_EQ(prompts.Last().Text, kFormatWrong);

    // A named pipe without a writer must not make the load wait.
    ASSERT_EQ(::mkfifo(folder.File("pipe.qx2").c_str(), 0600), 0);
    prompts.Clear();
    EXPECT_FALSE(Load("pipe.qx2"));
    EXPECT_EQ(prompts.Last().Text, kFormatWrong);
}

}  // namespace
}  // namespace qxed
