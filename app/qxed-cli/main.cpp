// qxed-cli: the editor's project operations for scripts. Exit codes: 0 success, 1 failure (the message on
// stderr), 2 bad usage.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "commands.h"
#include "standard_output.h"
#include "version.h"

namespace qxed::cli {

namespace {

// One line per command added after the first ones, so that adding a command touches one line.
// clang-format off
constexpr const Command* kCommands[] = {
    &kDumpCommand,    &kMakeCommand,     &kUpgradeCommand, &kBuildCommand,  &kRenderCommand,
    &kInspectCommand, &kDownloadCommand, &kExportCommand,  &kImportCommand,
    &kCheckCommand,
    &kSchemaCommand,
    &kListCommand,
    &kPanelCommand,
};
// clang-format on

int PrintHelp() {
    std::string help = "Usage: qxed-cli [--data-dir DIR] COMMAND [ARGS...]\n\nCommands:\n";
    for (const Command* command : kCommands)
        help += std::string("  ") + command->Summary + '\n';
    help +=
        "\nOptions:\n"
        "  --data-dir DIR   read Language.Ini and the PLC driver files (fsc/) from DIR\n"
        "  -h, --help       show this help\n"
        "  -V, --version    show the version and the revision it was built from\n"
        "\nRun 'qxed-cli COMMAND --help' for the help of a command.\n";
    return PrintResult(help);
}

const Command* FindCommand(const std::string& name) {
    for (const Command* command : kCommands)
        if (name == command->Name) return command;
    return nullptr;
}

int Run(const std::vector<std::string>& given) {
    std::optional<std::string> dataDir;
    // Only the options before the command are split here; the command splits its own.
    std::size_t first = 0;
    while (first < given.size() && given[first].starts_with("-"))
        ++first;
    std::vector<std::string> args = SplitOptionValues(
        std::vector<std::string>(given.begin(), given.begin() + static_cast<std::ptrdiff_t>(first)));
    args.insert(args.end(), given.begin() + static_cast<std::ptrdiff_t>(first), given.end());
    size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        if (args[i] == "-h" || args[i] == "--help") return PrintHelp();
        if (args[i] == "-V" || args[i] == "--version") return PrintResult(VersionLine("qxed-cli"));
        if (args[i] != "--data-dir") throw UsageError{"unknown option " + args[i]};
        if (++i == args.size()) throw UsageError{"option --data-dir needs a value"};
        dataDir = args[i];
    }
    if (i == args.size()) throw UsageError{"missing command"};
    const Command* command = FindCommand(args[i]);
    if (command == nullptr) throw UsageError{"unknown command " + args[i]};
    try {
        return RunCommand(
            *command, std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()),
            dataDir);
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
