#include "commands.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli upgrade IN -o OUT\n"
    "\n"
    "Opens the project file IN, of any readable version, and saves it as OUT in the current version.\n"
    "As in the editor, an older project file that OUT replaces is kept beside it as a backup,\n"
    "<name>_<version text>.qx2. OUT must be another file than IN (also through a link): that is refused\n"
    "before anything is written.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT        the project file to write (required; not IN itself)\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int Run(CommandContext& context) {
    CliSession& session = *context.Session;
    Project project = session.NewProject();
    if (!session.Open(context.File(), project)) return kExitFailure;
    return session.Save(project, *context.Parsed.Output) ? kExitOk : kExitFailure;
}

}  // namespace

const Command kUpgradeCommand = {
    .Name = "upgrade",
    .Summary = "upgrade IN -o OUT            a project file of any version in the current one",
    .Help = kHelp,
    .FileName = "IN",
    .Output = OutputUse::Required,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
