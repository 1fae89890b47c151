#include <cerrno>
#include <cstring>
#include <filesystem>

#include "files/project_file.h"
#include "files/project_records.h"
#include "model/user_prompts.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// Magic, version and version text: all that the backup needs to know of an existing file.
constexpr std::size_t kHeaderSize = records::kMagicSize + 4 + records::kVersionTextSlot;

void ReportBackupFailure(UserPrompts& prompts, const Language& language, const std::string& backupName) {
    prompts.ShowMessage("Unable to create backup file. \"" + backupName + "\"",
                        language.TextUtf8(texts::AppName), MessageIcon::Error);
}

}  // namespace

std::string BackupFileName(const std::string& fileName, std::string_view versionText) {
    std::string name = std::filesystem::path(fileName).stem().string() + "_";
    for (const char c : versionText) {
        const auto byte = static_cast<unsigned char>(c);
        const bool safe = byte >= 0x20 && byte < 0x7F && c != '/' && c != '\\';
        name += safe ? c : '_';
    }
    name += ".qx2";
    return (std::filesystem::path(fileName).parent_path() / name).string();
}

void BackupProjectFile(const std::string& fileName, const Language& language, UserPrompts& prompts) {
    // A folder or a device in the file's place is no project file; the save reports what then fails.
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) return;
    const auto start = file_access::ReadFileStart(fileName, kHeaderSize);
    if (!start) {
        ReportBackupFailure(prompts, language, BackupFileName(fileName, ""));
        return;
    }
    // Not a project file: it is overwritten without a backup.
    if (!records::StartsWithMagic(start->Bytes)) return;

    const LoadOutcome header = ReadProjectHeader(start->Bytes);
    if (header.Status == LoadStatus::FormatWrong) {
        // The magic is there but the version or its text is cut off.
        ReportBackupFailure(prompts, language, BackupFileName(fileName, ""));
        return;
    }
    if (header.Header.Version == kProjectVersion) return;

    // The file stays where it is until the new one replaces it: the backup is a second name for it (or a
    // copy), so that the project's name holds a whole project at every moment of the save.
    const std::string backupName = BackupFileName(fileName, header.Header.VersionText);
    if (!file_access::KeepCopy(fileName, backupName)) ReportBackupFailure(prompts, language, backupName);
}

// The new file is written and flushed beside the target first, the backup of an older version made next,
// and only then is the new file renamed over the target: whenever the save stops, on a full disk or killed,
// the project's name holds the old file or the new one.
bool SaveProject(const Project& project, const std::string& fileName, const Language& language,
                 UserPrompts& prompts) {
    const std::string target = file_access::ResolveSaveTarget(fileName);
    const auto failed = [&] {
        const int reason = errno;
        ShowFileMessage(prompts, language, fileName, language.TextUtf8(texts::CanNotSaveFile),
                        MessageIcon::Error,
                        reason != 0 ? target + ": " + std::strerror(reason) : std::string());
        return false;
    };
    errno = 0;
    // The new file keeps the old one's permissions.
    std::optional<file_access::PendingReplacement> pending = file_access::PendingReplacement::Write(
        target, SerializeProject(project), file_access::FileMode(target));
    if (!pending) return failed();
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
        BackupProjectFile(target, language, prompts);
    }
    if (!pending->Commit()) return failed();
    return true;
}

}  // namespace qxed
