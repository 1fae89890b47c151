#include "workbench/config_files.h"

#include "model/panel_model.h"
#include "plc/plc_catalogue.h"
#include "text/file_access.h"

namespace qxed {

namespace {

// Configuration files hold a line or two; anything larger is no configuration file.
constexpr std::size_t kMaxConfigFileSize = 64 * 1024;

constexpr int kQx220 = 1;

std::string Folder(const std::string& programFolder) {
    return programFolder.empty() || programFolder.back() == '/' ? programFolder : programFolder + "/";
}

std::optional<std::string> Line(const std::optional<std::vector<std::string>>& lines, std::size_t index) {
    if (!lines || index >= lines->size()) return std::nullopt;
    return (*lines)[index];
}

}  // namespace

std::optional<std::vector<std::string>> ReadConfigLines(const std::string& path) {
    const std::optional<std::string> text = file_access::ReadRegularText(path, kMaxConfigFileSize);
    if (!text) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

ModelSelectConfig ReadModelSelectConfig(const std::string& programFolder) {
    ModelSelectConfig config;
    const auto lines = ReadConfigLines(Folder(programFolder) + "7460031.dat");
    if (!lines) return config;
    config.Present = true;
    const std::optional<std::string> first = Line(lines, 0);
    config.DefaultModel = kQx220;
    if (!first) return config;
    if (*first == "model select") {
        config.ModelSelectEnabled = true;
    } else if (const std::optional<int> model = PanelModelOfCode(*first)) {
        config.DefaultModel = *model;
    }
    return config;
}

EditionConfig ReadEditionConfig(const std::string& programFolder) {
    EditionConfig config;
    const auto lines = ReadConfigLines(Folder(programFolder) + "7460011.dat");
    if (Line(lines, 0) != "Special Version") return config;
    config.Special = true;
    if (const std::optional<std::string> name = Line(lines, 1)) config.PlcType = PlcTypeOfIdentifier(*name);
    return config;
}

AboutConfig ReadAboutConfig(const std::string& programFolder) {
    AboutConfig config;
    const auto texts = ReadConfigLines(Folder(programFolder) + "7460001.dat");
    if (auto line = Line(texts, 0); line && !line->empty()) config.Copyright = line;
    if (auto line = Line(texts, 1); line && !line->empty()) config.Comments = line;
    config.IconHint = Line(ReadConfigLines(Folder(programFolder) + "7460021.dat"), 0);
    return config;
}

}  // namespace qxed
