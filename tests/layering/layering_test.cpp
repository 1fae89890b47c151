#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The order of the modules: each may include the modules of lower rank, none of its own rank but itself.
const std::map<std::string, int> kRank = {
    {"text", 0}, {"plc", 0},      {"gfx", 1},       {"model", 2},  {"files", 3}, {"image", 3},
    {"link", 4}, {"vpanel", 4}, {"document", 5}, {"workbench", 6}, {"panels", 7}, {"ui", 8},
};

struct Include {
    std::string File;
    int Line;
    std::string Text;
};

// The #include lines of every C++ file below a folder.
std::vector<Include> IncludesBelow(const fs::path& folder) {
    std::vector<Include> includes;
    const std::regex include(R"(^\s*#\s*include\s*([<"][^>"]+[>"]))");
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp" && extension != ".inc") continue;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            std::smatch match;
            if (std::regex_search(line, match, include))
                includes.push_back({entry.path().string(), number, match[1]});
        }
    }
    return includes;
}

std::string ModuleOf(const fs::path& file, const fs::path& src) {
    return fs::relative(file, src).begin()->string();
}

TEST(Layering, ModulesIncludeOnlyTheModulesAboveThem) {
    const fs::path src = fs::path(QXED_SOURCE_DIR) / "src";
    std::vector<std::string> violations;
    for (const Include& include : IncludesBelow(src)) {
        const std::string from = ModuleOf(include.File, src);
        ASSERT_TRUE(kRank.contains(from)) << "a module without a place in the order: " << from;
        if (include.Text.front() != '"') continue;
        const std::string target = include.Text.substr(1, include.Text.find('/') - 1);
        if (target == from || !kRank.contains(target)) continue;
        if (kRank.at(target) >= kRank.at(from))
            violations.push_back(include.File + ":" + std::to_string(include.Line) + " " + include.Text);
    }
    EXPECT_TRUE(violations.empty()) << [&] {
        std::string all;
        for (const std::string& v : violations)
            all += v + "\n";
        return all;
    }();
}

TEST(Layering, TheToolkitStaysInTheGraphicsSourcesAndTheWidgets) {
    const fs::path src = fs::path(QXED_SOURCE_DIR) / "src";
    std::vector<std::string> violations;
    for (const Include& include : IncludesBelow(src)) {
        if (!include.Text.starts_with("<Q")) continue;
        const std::string module = ModuleOf(include.File, src);
        const bool allowed = module == "ui" || (module == "gfx" && include.File.ends_with(".cpp"));
        if (!allowed)
            violations.push_back(include.File + ":" + std::to_string(include.Line) + " " + include.Text);
    }
    EXPECT_TRUE(violations.empty()) << violations.size() << " toolkit includes, first: "
                                    << (violations.empty() ? "" : violations.front());
}

// The check itself must see includes: a tree where it finds none would pass whatever the code does.
TEST(Layering, TheScanFindsTheIncludes) {
    const auto includes = IncludesBelow(fs::path(QXED_SOURCE_DIR) / "src" / "workbench");
    const bool found = std::any_of(includes.begin(), includes.end(),
                                   [](const Include& i) { return i.Text == "\"document/document.h\""; });
    EXPECT_TRUE(found);
}

}  // namespace
