#include "driver_samples.h"

#include <filesystem>
#include <system_error>

#include "text/file_access.h"

namespace qxed::panelsim {

namespace {

// The text language codes whose driver folders differ (0 and 1 share "En").
constexpr int kFolderLanguages[] = {0, 2, 3};

}  // namespace

std::vector<uint8_t> SampleDriverBytes(int modelIndex, int plcType) {
    uint32_t state = 0x9E3779B9u ^ (static_cast<uint32_t>(modelIndex) << 8) ^ static_cast<uint32_t>(plcType);
    std::vector<uint8_t> bytes(kDriverAreaLength);
    for (uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

std::optional<std::vector<std::string>> WriteSampleDriverFiles(const std::string& dir, int modelIndex,
                                                               bool gtkDisplay, int plcType,
                                                               const DriverValues& values,
                                                               std::string& error) {
    const std::string name = DriverFileName(modelIndex, plcType);
    if (name.empty()) {
        error = "no driver file name for model " + std::to_string(modelIndex);
        return std::nullopt;
    }
    const std::vector<uint8_t> file = MakeDriverFile(values, SampleDriverBytes(modelIndex, plcType));
    std::vector<std::string> paths;
    for (const int language : kFolderLanguages) {
        const std::string folder = DriverFolder(dir, language, gtkDisplay);
        std::error_code failure;
        std::filesystem::create_directories(folder, failure);
        const std::string path = folder + "/" + name;
        if (failure || !file_access::ReplaceFile(path, file, std::nullopt)) {
            error = "cannot write " + path;
            return std::nullopt;
        }
        paths.push_back(path);
    }
    return paths;
}

}  // namespace qxed::panelsim
