#include "cli_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_args.h"
#include "files/project_file.h"
#include "text/program_folder.h"
#include "text/texts.h"

namespace qxed::cli {

namespace {

Language LanguageOf(const std::optional<std::string>& dataDir) {
    if (!dataDir) return Language::Load(ProgramFolder());
    std::error_code error;
    if (!std::filesystem::is_directory(*dataDir, error))
        throw UsageError{"--data-dir " + *dataDir + " is not a folder"};
    return Language::Load(*dataDir);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

CliSession::CliSession(const std::optional<std::string>& dataDir)
    : language_(LanguageOf(dataDir)), defaults_(EditorDefaultsOf(language_)) {}

void CliSession::Report(const TextKey& key) {
    prompts_.ShowMessage(language_.TextUtf8(key), "", MessageIcon::Error, MessageButtons::Ok);
}

bool CliSession::Open(const std::string& file, Project& project) {
    project.ProjectFileName = file;
    const int shownBefore = prompts_.Shown();
    if (LoadProject(project, language_, prompts_)) return true;
    // The editor stays silent on a version of 0 or below; a script still needs to hear why it failed.
    if (prompts_.Shown() == shownBefore) Report(texts::FileFormatWrong);
    return false;
}

bool CliSession::Save(Project& project, const std::string& file) {
    project.ProjectFileName = file;
    return SaveProject(project, language_, prompts_);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) {
        error = std::strerror(ENOENT);
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(path, status)) {
        error = "not a regular file";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "read error";
        return std::nullopt;
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty()) temp = "." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp creates the file for its owner alone; the output gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace qxed::cli
