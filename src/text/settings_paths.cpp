#include "text/settings_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qxed {

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
    return ".";
}

}  // namespace

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) return ".";
    return program.parent_path().string();
}

std::string UserSettingsFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules ask.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string folder = config && config[0] == '/' ? std::string(config) : HomeFolder() + "/.config";
    return folder + "/qxed";
}

std::string UserSettingsPath() {
    return UserSettingsFolder() + "/Qx200.Ini";
}

std::string LanguageFolder(const std::string& programFolder) {
    std::error_code error;
    const std::string user = UserSettingsFolder();
    return std::filesystem::is_regular_file(user + "/Language.Ini", error) ? user : programFolder;
}

}  // namespace qxed
