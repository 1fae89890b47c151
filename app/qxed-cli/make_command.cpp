#include "commands.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli make FILE.json -o OUT.qx2\n"
    "\n"
    "Makes a project file of the current version from the project's JSON form. Fields the JSON leaves out\n"
    "take the defaults of a new project and of new elements for its PlcType and CurrentModel. Unknown keys,\n"
    "wrong types and values out of range are refused with the JSON path of the value.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.qx2    the project file to write (required; not FILE.json itself)\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int Run(CommandContext& context) {
    const std::string& file = context.File();
    const std::optional<std::string> text = ReadInputFile(file);
    if (!text) return kExitFailure;
    Project project = context.Session->NewProject();
    if (!MakeFromJsonForm(file, *text, project)) return kExitFailure;
    return context.Session->Save(project, *context.Parsed.Output) ? kExitOk : kExitFailure;
}

}  // namespace

const Command kMakeCommand = {
    .Name = "make",
    .Summary = "make FILE.json -o OUT.qx2    a project file from its JSON form",
    .Help = kHelp,
    .FileName = "FILE.json",
    .Output = OutputUse::Required,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
