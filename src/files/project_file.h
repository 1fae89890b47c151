#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/byte_io.h"  // FormatError
#include "files/file_messages.h"
#include "model/project.h"

namespace qxed {

class Language;
class UserPrompts;

constexpr int32_t kProjectVersion = 28;
constexpr int32_t kNewestReadableVersion = 29;
inline constexpr char kProjectVersionText[] = "V8.0r";

// The header every project file starts with.
struct ProjectFileHeader {
    int32_t Version = 0;
    std::string VersionText;  // empty before version 12
};

// The project in the current file version, byte for byte. Texts longer than their slots are cut; counts are
// kept within their tables (AlarmCount within the model's alarm list, GlobalKeyCount within 0..20, variable
// text Count within 0..255), so that every file written can be read again.
std::vector<uint8_t> SerializeProject(const Project& project);

// Outcome of reading project file bytes without any user interaction.
enum class LoadStatus {
    Ok,
    FormatWrong,  // wrong magic, truncated, or contents its version cannot hold
    TooNew,       // version above the newest readable one: Header.VersionText names it
    NotReadable,  // version 0 or below: fails without a message
};
struct LoadOutcome {
    LoadStatus Status = LoadStatus::FormatWrong;
    ProjectFileHeader Header;
    std::string Reason;  // for FormatWrong: what was wrong and at which byte
};

// Reads project file bytes into the project (settings, pages, alarm texts, global keys); a file without
// pages gets an empty page 1. The project's defaults are used for every new
// element; the model defaults to 0 while reading. Counts beyond their tables or beyond the bytes left, a
// model outside the table and pictures that do not decode are FormatWrong. On failure the project is left
// partly filled and must be replaced by the caller. Bytes after the last global key are ignored.
LoadOutcome ReadProjectBytes(std::span<const uint8_t> bytes, Project& project);

// Reads only the magic, version and version text. Ok for every version up to the newest readable one,
// TooNew and NotReadable as for reading; FormatWrong for anything that is not a project file.
LoadOutcome ReadProjectHeader(std::span<const uint8_t> bytes);

// The versions the body readers know; the others up to the newest readable one are refused as FormatWrong.
bool HasVersionReader(int32_t version);

// Writes the project to the file: the bytes to a temporary file in the same folder and fsync, then the
// backup of an older-version file beside it, then the rename over the target. On failure shows
// "无法保存该文件！" and leaves the previous file as it was.
bool SaveProject(const Project& project, const std::string& fileName, const Language& language,
                 UserPrompts& prompts);

// Reads the file into the project. Failures have shown their message already (none for a version of 0 or
// below); the caller then starts a new project.
bool LoadProject(Project& project, const std::string& fileName, const Language& language,
                 UserPrompts& prompts);

// Before a save over an existing file: an older-version project file is kept as "<name>_<versiontext>.qx2"
// beside it (a hard link, or a flushed copy), while the file itself stays in place until the save replaces
// it. Files of the current version and non-project files get no backup. A failed backup is reported
// ("Unable to create backup file. ..."); the save goes on either way.
void BackupProjectFile(const std::string& fileName, const Language& language, UserPrompts& prompts);

// The backup path of a project file: its folder, its name without extension, "_", the version text and
// ".qx2". Bytes of the version text that cannot stand in a file name (control bytes, "/", "\\" and bytes
// of 0x7F and above) become "_".
std::string BackupFileName(const std::string& fileName, std::string_view versionText);

}  // namespace qxed
