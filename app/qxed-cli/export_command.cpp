#include "commands.h"
#include "download_runner.h"
#include "files/data_file.h"
#include "interrupted_writes.h"
#include "standard_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli export FILE [--port PORT] -o OUT.odp [--upgrade S|U|N] [--lang En|Ko|sCh|Ru]\n"
    "\n"
    "Downloads FILE to the panel on PORT exactly as 'qxed-cli download' does and, once the download has\n"
    "succeeded, writes the data file OUT.odp: a 30-byte header (model, PLC type, the image's lengths),\n"
    "the image sent and a copy of the PLC driver file the download used. Nothing is written when the\n"
    "download fails or is cancelled; a failed write leaves a previous OUT.odp as it was.\n"
    "\n"
    "Prints the download's line \"H=<n> glyphs=<n> L=<n> frames=<n>\" on standard output.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.odp  the data file to write (required; not FILE itself)\n"
    "  --port PORT           the serial port, as for download (by default the editor's download port)\n"
    "  --upgrade S|U|N       the driver area, as for download (default S)\n"
    "  --lang En|Ko|sCh|Ru   the text language, as for download\n"
    "  -q                    no progress line, only the messages\n"
    "  -v                    every request and reply, time-outs and retries on standard error\n"
    "  --json                the summary on standard output as a JSON object\n"
    "  --data-dir DIR        read Language.Ini and fsc/ from DIR instead of the program folder\n"
    "  -h, --help            show this help\n"
    "\n"
    "Exit codes: 0 downloaded and written, 1 failed or cancelled, 2 bad usage.\n";

int Run(CommandContext& context) {
    CliSession& session = *context.Session;
    const DownloadArgs parsed = ParseDownloadArgs(context.Arguments);
    const std::optional<DownloadReport> report = DownloadFile(session, parsed, context.DataDir);
    if (!report || report->Result != DownloadResult::Ok) return kExitFailure;

    DataFileContents contents;
    contents.CurrentModel = report->CurrentModel;
    contents.PlcTypeLow = static_cast<uint8_t>(report->PlcType);
    contents.HeaderLength = static_cast<uint16_t>(report->Image.HeaderLength);
    contents.GlyphLength = static_cast<uint16_t>(report->Image.GlyphLength);
    contents.Image = report->Image.Bytes;
    const InterruptedWrites interrupted;
    if (!ExportData(*context.Parsed.Output, contents, report->DriverFilePath, session.Lang(),
                    session.Prompts()))
        return kExitFailure;
    return PrintResult(DownloadSummary(*report, parsed) + "\n");
}

}  // namespace

const Command kExportCommand = {
    .Name = "export",
    .Summary = "export FILE --port P -o OUT  a download, then its image and driver file as a data file",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::Required,
    .ValueOptions = kDownloadOptions,
    .FlagOptions = kDownloadFlags,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
