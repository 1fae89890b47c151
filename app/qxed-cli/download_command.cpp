#include "commands.h"
#include "download_runner.h"
#include "standard_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli download FILE [--port PORT] [--upgrade S|U|N] [--lang En|Ko|sCh|Ru]\n"
    "\n"
    "Downloads FILE to the panel on PORT as the editor's download window does: wakes the panel, checks its\n"
    "version, identity and PLC driver file, compiles the project, rewrites the panel's driver area when\n"
    "needed, then erases and writes the flash. FILE is a project file of any readable version, its JSON\n"
    "form, or a data file (.odp), whose image is sent as it is, for the model and PLC type it names.\n"
    "\n"
    "The step, a progress bar and the messages go to standard error; on success one line goes to standard\n"
    "output: \"H=<n> glyphs=<n> L=<n> frames=<n>\", the image's directory and settings block, glyph bytes,\n"
    "length, and the request frames sent. Ctrl+C (SIGINT), SIGTERM or SIGHUP (the terminal closing)\n"
    "cancels the download: the question \"确实要取消吗？\" is printed and taken as confirmed, the port is\n"
    "closed and the exit code is 1.\n"
    "\n"
    "The PLC driver files are read from fsc/<En|sCh|Ru>/<GTK|HD6>/ below the program folder, or below\n"
    "--data-dir DIR; the glyph files always from beside the program.\n"
    "\n"
    "Options:\n"
    "  --port PORT          the serial port: \"COM<n>\" (section [Ports] of the user's Qx200.Ini, else\n"
    "                       /dev/ttyS<n-1>) or a device path, a pseudo-terminal included; by default the\n"
    "                       editor's download port (key \"Comm\" of section [Qx200] in Qx200.Ini, COM1)\n"
    "  --upgrade S|U|N      the driver area: S rewrite it unless the panel has this driver already\n"
    "                       (default), U always rewrite it, N never\n"
    "  --lang En|Ko|sCh|Ru  the text language: characters, glyph files and driver folder; by default the\n"
    "                       \"Version\" of Language.Ini\n"
    "  -q                   no progress line, only the messages\n"
    "  -v                   every request and reply, time-outs and retries on standard error\n"
    "  --json               the summary on standard output as a JSON object\n"
    "  --data-dir DIR       read Language.Ini and fsc/ from DIR instead of the program folder\n"
    "  -h, --help           show this help\n"
    "\n"
    "Exit codes: 0 downloaded, 1 failed or cancelled (the message on standard error), 2 bad usage.\n";

int Run(CommandContext& context) {
    const DownloadArgs parsed = ParseDownloadArgs(context.Arguments);
    const std::optional<DownloadReport> report = DownloadFile(*context.Session, parsed, context.DataDir);
    if (!report || report->Result != DownloadResult::Ok) return kExitFailure;
    return PrintResult(DownloadSummary(*report, parsed) + "\n");
}

}  // namespace

const Command kDownloadCommand = {
    .Name = "download",
    .Summary = "download FILE --port PORT    a project or data file sent to the panel [--upgrade M]",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::None,
    .NoOutputReason = "download writes no file; use export for -o",
    .ValueOptions = kDownloadOptions,
    .FlagOptions = kDownloadFlags,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
