#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "cli_session.h"
#include "image/image_build.h"
#include "link/download.h"
#include "progress_bar.h"

namespace qxed::cli {

// What the download and the export are given besides their file names.
struct DownloadArgs {
    CommandArgs Parsed;  // FILE, -o, --data-dir, --help
    std::string Port;    // the port name as given: "COM3" or a device path
    std::string UpgradeMode = "S";
    std::optional<TextLanguage> Language;  // nullopt: the "Version" of Language.Ini
    ProgressBar::Detail Detail = ProgressBar::Detail::Progress;
    bool Json = false;  // the summary as a JSON object
};

// Takes --port (required unless --help is asked), --upgrade S|U|N and --lang En|Ko|sCh|Ru from the arguments
// and parses the rest.
DownloadArgs ParseDownloadArgs(const std::vector<std::string>& args);

// The outcome of a download, with what the data export writes.
struct DownloadReport {
    DownloadResult Result = DownloadResult::Abort;
    ScreenDataImage Image;  // the image sent (after Ok)
    std::string DriverFilePath;
    int FramesSent = 0;
    uint8_t CurrentModel = 0;
    int32_t PlcType = 0;
};

// Opens FILE (a project file of any version, its JSON form, or a data file whose image is then sent as it is)
// and downloads it through the port, drawing the progress on stderr. SIGINT, SIGTERM and SIGHUP (the
// terminal closing) cancel the download as confirmed. The driver files are read from dataDir when given,
// else from the program folder. Nullopt when FILE cannot be opened (after its message).
std::optional<DownloadReport> DownloadFile(CliSession& session, const DownloadArgs& args,
                                           const std::optional<std::string>& dataDir);

// "H=<n> glyphs=<n> L=<n> frames=<n>": the summary a successful download prints on stdout; as a JSON object
// with the port and driver file besides when asked for.
std::string DownloadSummary(const DownloadReport& report, const DownloadArgs& args);

}  // namespace qxed::cli
