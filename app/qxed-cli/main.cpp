// qxed-cli: the editor's project operations for scripts. Exit codes: 0 success, 1 failure (the message on
// stderr), 2 bad usage.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "commands.h"

namespace qxed::cli {

namespace {

// clang-format off
constexpr Command kCommands[] = {
    {"dump",    "dump FILE [-o OUT.json]      a project file of any version in its JSON form", kDumpHelp,    RunDump},
    {"make",    "make FILE.json -o OUT.qx2    a project file from its JSON form",              kMakeHelp,    RunMake},
    {"upgrade", "upgrade IN -o OUT            a project file of any version in the current one", kUpgradeHelp, RunUpgrade},
    {"build",   "build FILE -o IMAGE.bin      the screen data image of a project [--lang L]",  kBuildHelp,   RunBuild},
    {"inspect", "inspect IMAGE.bin --model N  a screen data image decoded field by field",    kInspectHelp, RunInspect},
    {"download", "download FILE --port PORT    a project or data file sent to the panel [--upgrade M]", kDownloadHelp, RunDownload},
    {"export",  "export FILE --port P -o OUT  a download, then its image and driver file as a data file", kExportHelp, RunExport},
    {"import",  "import FILE.odp              the header of a data file",                       kImportHelp,  RunImport},
};
// clang-format on

void PrintHelp() {
    std::cout << "Usage: qxed-cli [--data-dir DIR] COMMAND [ARGS...]\n\nCommands:\n";
    for (const Command& command : kCommands)
        std::cout << "  " << command.Summary << '\n';
    std::cout << "\nOptions:\n"
                 "  --data-dir DIR   read Language.Ini and the PLC driver files (fsc/) from DIR\n"
                 "  -h, --help       show this help\n"
                 "\nRun 'qxed-cli COMMAND --help' for the help of a command.\n";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.Name) return &command;
    return nullptr;
}

int Run(const std::vector<std::string>& args) {
    std::optional<std::string> dataDir;
    size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        if (args[i] == "-h" || args[i] == "--help") {
            PrintHelp();
            return kExitOk;
        }
        if (args[i] != "--data-dir") throw UsageError{"unknown option " + args[i]};
        if (++i == args.size()) throw UsageError{"option --data-dir needs a value"};
        dataDir = args[i];
    }
    if (i == args.size()) throw UsageError{"missing command"};
    const Command* command = FindCommand(args[i]);
    if (command == nullptr) throw UsageError{"unknown command " + args[i]};
    try {
        return command->Run(
            std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()), dataDir);
    } catch (UsageError& error) {
        error.Command = command->Name;
        throw;
    }
}

}  // namespace

}  // namespace qxed::cli

int main(int argc, char** argv) {
    using namespace qxed::cli;
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        const std::string help =
            error.Command.empty() ? "qxed-cli --help" : "qxed-cli " + error.Command + " --help";
        std::cerr << "qxed-cli: " << error.Message << "\nTry '" << help << "'.\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "qxed-cli: " << error.what() << '\n';
        return kExitFailure;
    }
}
