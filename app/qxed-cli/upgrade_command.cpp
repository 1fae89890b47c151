#include <iostream>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"

namespace qxed::cli {

const char kUpgradeHelp[] =
    "Usage: qxed-cli upgrade IN -o OUT\n"
    "\n"
    "Opens the project file IN, of any readable version, and saves it as OUT in the current version.\n"
    "As in the editor, an older project file that OUT would replace is first renamed to a backup.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT        the project file to write (required)\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int RunUpgrade(const std::vector<std::string>& args, const std::optional<std::string>& dataDir) {
    const CommandArgs parsed = ParseCommandArgs(args);
    if (parsed.Help) {
        std::cout << kUpgradeHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "IN");
    const std::string& output = RequireOutput(parsed);
    CliSession session(parsed.DataDir ? parsed.DataDir : dataDir);

    Project project = session.NewProject();
    if (!session.Open(parsed.Files[0], project)) return kExitFailure;
    return session.Save(project, output) ? kExitOk : kExitFailure;
}

}  // namespace qxed::cli
