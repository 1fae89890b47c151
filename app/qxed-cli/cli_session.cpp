#include "cli_session.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli_args.h"
#include "files/project_file.h"
#include "files/project_json.h"
#include "files/project_records.h"
#include "interrupted_writes.h"
#include "text/file_access.h"
#include "text/settings_paths.h"
#include "text/texts.h"

namespace qxed::cli {

namespace {

Language LanguageOf(const std::optional<std::string>& dataDir) {
    if (!dataDir) return Language::Load(LanguageFolder(ProgramFolder()));
    std::error_code error;
    if (!std::filesystem::is_directory(*dataDir, error))
        throw UsageError{"--data-dir " + *dataDir + " is not a folder"};
    return Language::Load(*dataDir);
}

struct LanguageName {
    const char* Name;
    TextLanguage Language;
};

constexpr LanguageName kLanguageNames[] = {
    {"En", TextLanguage::En},
    {"Ko", TextLanguage::Ko},
    {"sCh", TextLanguage::sCh},
    {"Ru", TextLanguage::Ru},
};

// The JSON form starts with an object; a project file starts with its magic byte 3, never with "{".
bool LooksLikeJson(const std::string& bytes) {
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string::npos && bytes[first] == '{';
}

// Magic, version and version text: all a project file's header holds.
constexpr std::size_t kHeaderBytes = records::kMagicSize + 4 + records::kVersionTextSlot;

// Far above any project's text form; larger inputs are not read into memory at all.
constexpr std::size_t kMaxInputSize = kLargestJsonForm;

}  // namespace

CliSession::CliSession(const std::optional<std::string>& dataDir)
    : language_(LanguageOf(dataDir)),
      defaults_(EditorDefaultsOf(language_)),
      prompts_(FileMessageCaption("", language_)) {}

void CliSession::ReportAbout(const std::string& file, const TextKey& key, const std::string& detail) {
    ShowFileMessage(prompts_, language_, file, language_.TextUtf8(key), MessageIcon::Error, detail);
}

void CliSession::ReportWriteFailure(const std::string& file, int error) {
    ReportAbout(file, texts::CanNotSaveFile, error != 0 ? file + ": " + std::strerror(error) : std::string());
}

bool CliSession::Open(const std::string& file, Project& project) {
    if (LoadProject(project, file, language_, prompts_)) return true;
    // The loader has told about every failure but a version of 0 or below, where the editor stays silent; a
    // script still needs to hear why it failed.
    if (ReadFileHeader(file).Status == LoadStatus::NotReadable) ReportAbout(file, texts::FileFormatWrong);
    return false;
}

LoadOutcome ReadFileHeader(const std::string& file) {
    const std::optional<file_access::FileStart> start = file_access::ReadFileStart(file, kHeaderBytes);
    if (!start) return {};
    return ReadProjectHeader(start->Bytes);
}

bool CliSession::Save(Project& project, const std::string& file) {
    const InterruptedWrites interrupted;
    return SaveProject(project, file, language_, prompts_);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) {
        error = std::strerror(ENOENT);
        return std::nullopt;
    }
    std::optional<std::string> bytes = file_access::ReadRegularText(path, kMaxInputSize);
    if (!bytes) error = "not a readable regular file of at most 256 MiB";
    return bytes;
}

std::optional<std::string> ReadInputFile(const std::string& path) {
    std::string error;
    std::optional<std::string> bytes = ReadWholeFile(path, error);
    if (!bytes) std::cerr << path << ": " << error << '\n';
    return bytes;
}

bool MakeFromJsonForm(const std::string& file, const std::string& text, Project& project) {
    const std::optional<JsonFormError> formError = MakeProjectFromJson(text, project);
    if (!formError) return true;
    std::cerr << file << ": ";
    if (!formError->Path.empty()) std::cerr << formError->Path << ": ";
    std::cerr << formError->Message << '\n';
    return false;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const InterruptedWrites interrupted;
    return file_access::SaveFile(path, bytes);
}

bool OpenProjectBytes(CliSession& session, const std::string& file, const std::string& bytes,
                      Project& project) {
    if (LooksLikeJson(bytes)) return MakeFromJsonForm(file, bytes, project);
    return session.Open(file, project);
}

TextLanguage LanguageOfName(const std::string& name) {
    for (const LanguageName& entry : kLanguageNames)
        if (SameLetters(name, entry.Name)) return entry.Language;
    throw UsageError{"unknown language " + name + " (En, Ko, sCh or Ru)"};
}

}  // namespace qxed::cli
