#include <iostream>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"

namespace qxed::cli {

const char kMakeHelp[] =
    "Usage: qxed-cli make FILE.json -o OUT.qx2\n"
    "\n"
    "Makes a project file of the current version from the project's JSON form. Fields the JSON leaves out\n"
    "take the defaults of a new project and of new elements for its PlcType and CurrentModel. Unknown keys,\n"
    "wrong types and values out of range are refused with the JSON path of the value.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.qx2    the project file to write (required)\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int RunMake(const std::vector<std::string>& args, const std::optional<std::string>& dataDir) {
    const CommandArgs parsed = ParseCommandArgs(args);
    if (parsed.Help) {
        std::cout << kMakeHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "FILE.json");
    const std::string& output = RequireOutput(parsed);
    CliSession session(parsed.DataDir ? parsed.DataDir : dataDir);

    const std::string& file = parsed.Files[0];
    const std::optional<std::string> text = ReadInputFile(file);
    if (!text) return kExitFailure;
    Project project = session.NewProject();
    if (!MakeFromJsonForm(file, *text, project)) return kExitFailure;
    return session.Save(project, output) ? kExitOk : kExitFailure;
}

}  // namespace qxed::cli
