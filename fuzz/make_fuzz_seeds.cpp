// Writes the seed corpora of the project file fuzzer (one file per older version, the sample project in the
// current version, copies of the given project files such as the example project) and of the JSON form
// fuzzer (the JSON form of each of those projects).
// Usage: make_fuzz_seeds PROJECT_DIR JSON_DIR [PROJECT_FILE...]
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "files/project_file.h"
#include "files/project_json.h"
#include "gfx/gfx_session.h"
#include "support/old_version_files.h"
#include "support/sample_project.h"

namespace {

namespace fs = std::filesystem;

constexpr int kOldestVersion = 1;
constexpr int kNewestOldVersion = 27;

bool WriteSeed(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

// The project file under its name, and its JSON form when it opens.
bool WriteSeeds(const fs::path& projectDir, const fs::path& jsonDir, const std::string& name,
                const std::vector<uint8_t>& bytes) {
    bool ok = WriteSeed(projectDir / (name + ".qx2"), bytes);
    qxed::Project project;
    const qxed::LoadOutcome outcome = qxed::ReadProjectBytes(bytes, project);
    if (outcome.Status == qxed::LoadStatus::Ok) {
        const std::string json = qxed::DumpProjectJson(project, outcome.Header);
        ok = WriteSeed(jsonDir / (name + ".json"),
                       {reinterpret_cast<const uint8_t*>(json.data()), json.size()}) &&
             ok;
    }
    return ok;
}

std::optional<std::vector<uint8_t>> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::string VersionName(int version) {
    char name[32];
    std::snprintf(name, sizeof name, "version_%02d", version);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds PROJECT_DIR JSON_DIR [PROJECT_FILE...]\n");
        return 2;
    }
    // Opening the projects decodes their pictures, which needs the graphics.
    qxed::PrepareOffscreenGraphics();
    int applicationArgc = 1;
    char* applicationArgv[] = {argv[0], nullptr};
    QGuiApplication application(applicationArgc, applicationArgv);
    const qxed::GraphicsSession graphics;

    const fs::path projectDir = argv[1];
    const fs::path jsonDir = argv[2];
    std::error_code error;
    for (const fs::path& folder : {projectDir, jsonDir}) {
        fs::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot create %s\n", folder.c_str());
            return 1;
        }
    }

    bool ok = true;
    for (int version = kOldestVersion; version <= kNewestOldVersion; ++version) {
        ok = WriteSeeds(projectDir, jsonDir, VersionName(version), qxed::testing::OldVersionFile(version)) &&
             ok;
    }
    ok = WriteSeeds(projectDir, jsonDir, VersionName(qxed::kProjectVersion),
                    qxed::SerializeProject(qxed::testing::SampleProject())) &&
         ok;

    for (int i = 3; i < argc; ++i) {
        const fs::path source = argv[i];
        const std::optional<std::vector<uint8_t>> bytes = ReadFile(source);
        if (!bytes) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot read %s\n", source.c_str());
            ok = false;
            continue;
        }
        ok = WriteSeeds(projectDir, jsonDir, source.stem().string(), *bytes) && ok;
    }
    return ok ? 0 : 1;
}
