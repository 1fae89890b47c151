#pragma once
#include <optional>
#include <string>
#include <vector>

namespace qxed::cli {

// One subcommand: its name, its line in the overview, its help, and what runs it. `dataDir` is the global
// --data-dir given before the command, if any.
struct Command {
    const char* Name;
    const char* Summary;
    const char* Help;
    int (*Run)(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
};

int RunDump(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunMake(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunUpgrade(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunBuild(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunInspect(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunDownload(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunExport(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);
int RunImport(const std::vector<std::string>& args, const std::optional<std::string>& dataDir);

extern const char kDumpHelp[];
extern const char kMakeHelp[];
extern const char kUpgradeHelp[];
extern const char kBuildHelp[];
extern const char kInspectHelp[];
extern const char kDownloadHelp[];
extern const char kExportHelp[];
extern const char kImportHelp[];

}  // namespace qxed::cli
