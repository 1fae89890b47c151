// Writes the seed corpora of the project file fuzzer (one file per older version, the sample project in the
// current version, copies of the given project files such as the example project), of the JSON form fuzzer
// (the JSON form of each of those projects, and texts that nest too deep or repeat a key) and of the data
// file fuzzer (data files whose lengths agree, with the shortest driver copy).
// Usage: make_fuzz_seeds PROJECT_DIR JSON_DIR DATA_DIR [PROJECT_FILE...]
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

#include "files/data_file.h"
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

bool WriteText(const fs::path& path, const std::string& text) {
    return WriteSeed(path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// Nesting just within the limit and beyond it, wherever a value may stand, and keys given twice.
bool WriteHostileJsonSeeds(const fs::path& jsonDir) {
    const auto arrays = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const auto objects = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "{\"a\":";
        return text + "1" + std::string(depth, '}');
    };
    const std::string element = R"({"pages": [{"Number": 1, "elements": [{"Kind": "Text", "X": )";
    const std::pair<const char*, std::string> seeds[] = {
        {"deep_arrays_at_the_limit", element + arrays(27) + "}]}]}"},
        {"deep_arrays_beyond_the_limit", element + arrays(28) + "}]}]}"},
        {"deep_arrays_far_beyond", element + arrays(5000) + "}]}]}"},
        {"deep_objects_in_settings", R"({"settings": {"AlarmCoil": )" + objects(40) + "}}"},
        {"deep_objects_at_the_top", objects(32)},
        {"repeated_key", element + R"(1, "Y": 2, "X": 3}]}]})"},
        {"repeated_top_key", R"({"pages": [{"Number": 1}], "pages": [{"Number": 2}]})"},
    };
    bool ok = true;
    for (const auto& [name, text] : seeds)
        ok = WriteText(jsonDir / (std::string(name) + ".json"), text) && ok;
    return ok;
}

void PutU16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

// A data file with the given lengths, a patterned image and the shortest driver copy.
std::vector<uint8_t> DataFile(uint16_t headerLength, uint16_t glyphLength, uint16_t imageLength) {
    const std::string magic = "\x15NorvaleQXEDObjectData";
    std::vector<uint8_t> bytes(magic.begin(), magic.end());
    bytes.push_back(6);   // model
    bytes.push_back(21);  // PLC type
    PutU16(bytes, headerLength);
    PutU16(bytes, glyphLength);
    PutU16(bytes, imageLength);
    for (std::size_t i = 0; i < imageLength + qxed::kLeastDriverFileLength; ++i)
        bytes.push_back(static_cast<uint8_t>(i * 7 + 1));
    return bytes;
}

bool WriteDataSeeds(const fs::path& dataDir) {
    return WriteSeed(dataDir / "image_and_driver.odp", DataFile(64, 96, 300)) &&
           WriteSeed(dataDir / "empty_image_and_driver.odp", DataFile(0, 0, 0));
}

std::string VersionName(int version) {
    char name[32];
    std::snprintf(name, sizeof name, "version_%02d", version);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_fuzz_seeds PROJECT_DIR JSON_DIR DATA_DIR [PROJECT_FILE...]\n");
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
    const fs::path dataDir = argv[3];
    std::error_code error;
    for (const fs::path& folder : {projectDir, jsonDir, dataDir}) {
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

    ok = WriteHostileJsonSeeds(jsonDir) && ok;
    ok = WriteDataSeeds(dataDir) && ok;

    for (int i = 4; i < argc; ++i) {
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
