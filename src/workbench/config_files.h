#pragma once
#include <optional>
#include <string>
#include <vector>

namespace qxed {

// The optional configuration files beside the program. Each is plain text read line by line; lines are
// compared whole and case-sensitively (a line break of either kind is not part of the line). A missing
// file, or one that cannot be read, counts as absent.

// "7460031.dat": which model new projects get and whether the user may choose another.
struct ModelSelectConfig {
    bool Present = false;  // the file was read: the window applies the default model at once
    bool ModelSelectEnabled = false;
    int DefaultModel = 0;  // QX210 without the file
};
ModelSelectConfig ReadModelSelectConfig(const std::string& programFolder);

// "7460011.dat": an edition that fixes the PLC type and locks its choice.
struct EditionConfig {
    bool Special = false;        // line 1 "Special Version": the PLC type box is locked
    std::optional<int> PlcType;  // line 2 named a known PLC type
};
EditionConfig ReadEditionConfig(const std::string& programFolder);

// "7460001.dat" and "7460021.dat": texts of the About box (bytes as they stand in the file).
struct AboutConfig {
    std::optional<std::string> Copyright;  // line 1 of 7460001.dat when not empty
    std::optional<std::string> Comments;   // line 2 of 7460001.dat when not empty
    std::optional<std::string> IconHint;   // line 1 of 7460021.dat
};
AboutConfig ReadAboutConfig(const std::string& programFolder);

// The lines of a small text file; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadConfigLines(const std::string& path);

}  // namespace qxed
