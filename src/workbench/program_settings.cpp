#include "workbench/program_settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "link/comm_port_setting.h"
#include "text/ini_file.h"
#include "workbench/config_files.h"

namespace qxed {

namespace {

constexpr const char* kSection = "Qx200";

std::string Home() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

// The documents folder of the desktop's user folders file: XDG_DOCUMENTS_DIR="$HOME/Documents".
std::optional<std::string> UserDirsDocuments() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string folder = config && config[0] == '/' ? std::string(config) : Home() + "/.config";
    const auto lines = ReadConfigLines(folder + "/user-dirs.dirs");
    if (!lines) return std::nullopt;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    for (std::string line : *lines) {
        if (!line.starts_with(kKey)) continue;
        line.erase(0, kKey.size());
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
            line = line.substr(1, line.size() - 2);
        if (line.starts_with("$HOME")) line = Home() + line.substr(5);
        if (line.starts_with('/')) return line;
    }
    return std::nullopt;
}

// The settings folder is made on the first write; a fresh account has none.
void MakeFolderOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
}

void Write(const std::string& path, std::string_view section, std::string_view key,
           const std::string& value) {
    MakeFolderOf(path);
    WriteProfileText(path, section, key, value);
}

}  // namespace

std::string DefaultDocumentsFolder() {
    std::error_code error;
    for (const std::optional<std::string>& candidate :
         {UserDirsDocuments(), std::optional(Home() + "/Documents")})
        if (candidate && std::filesystem::is_directory(*candidate, error)) return *candidate;
    return Home();
}

ProgramSettings::ProgramSettings(std::string path)
    : path_(std::move(path)), lastDir_(DefaultDocumentsFolder()) {}

void ProgramSettings::Load() {
    const IniFile file = IniFile::Load(path_);
    grid_ = file.ReadInteger(kSection, "Grid", 1) != 0;
    commPort_ = ReadCommPortSetting(file);
    lastDir_ = file.ReadText(kSection, "Dir", DefaultDocumentsFolder());
    plcType_ = file.ReadInteger("PLC", "Type", 21);
    recent_.clear();
    for (std::size_t i = 1; i <= kRecentFiles; ++i) {
        std::string path = file.ReadText("Recent", "File" + std::to_string(i), "");
        if (!path.empty() && std::find(recent_.begin(), recent_.end(), path) == recent_.end())
            recent_.push_back(std::move(path));
    }
}

void ProgramSettings::AddRecentFile(const std::string& path) {
    std::erase(recent_, path);
    recent_.insert(recent_.begin(), path);
    if (recent_.size() > kRecentFiles) recent_.resize(kRecentFiles);
    WriteRecentFiles();
}

void ProgramSettings::RemoveRecentFile(const std::string& path) {
    if (std::erase(recent_, path) > 0) WriteRecentFiles();
}

// Every slot is written, the unused ones empty, so that no file from an older list stays behind.
void ProgramSettings::WriteRecentFiles() {
    MakeFolderOf(path_);
    for (std::size_t i = 0; i < kRecentFiles; ++i)
        WriteProfileText(path_, "Recent", "File" + std::to_string(i + 1),
                         i < recent_.size() ? recent_[i] : "");
}

void ProgramSettings::SetGrid(bool grid) {
    grid_ = grid;
    Write(path_, kSection, "Grid", grid ? "1" : "0");
}

void ProgramSettings::SetCommPort(int port) {
    commPort_ = port;
    MakeFolderOf(path_);
    WriteCommPortSetting(path_, port);
}

void ProgramSettings::SetLastDir(const std::string& folder) {
    lastDir_ = folder;
    Write(path_, kSection, "Dir", folder);
}

void ProgramSettings::SetPlcType(int plcType) {
    plcType_ = plcType;
    Write(path_, "PLC", "Type", std::to_string(plcType));
}

}  // namespace qxed
