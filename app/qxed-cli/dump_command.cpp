#include <iostream>
#include <span>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"
#include "files/project_file.h"
#include "files/project_json.h"
#include "text/texts.h"

namespace qxed::cli {

const char kDumpHelp[] =
    "Usage: qxed-cli dump FILE [-o OUT.json]\n"
    "\n"
    "Writes the project file FILE, of any readable version, in its JSON form: to OUT.json when given,\n"
    "else to standard output. The JSON also names the file's version, which 'make' ignores.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.json   write the JSON to this file\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int RunDump(const std::vector<std::string>& args, const std::optional<std::string>& dataDir) {
    const CommandArgs parsed = ParseCommandArgs(args);
    if (parsed.Help) {
        std::cout << kDumpHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "FILE");
    CliSession session(parsed.DataDir ? parsed.DataDir : dataDir);

    const std::string& file = parsed.Files[0];
    Project project = session.NewProject();
    if (!session.Open(file, project)) return kExitFailure;

    // The version the file was written in; the loader has read it already, so it is there.
    std::optional<ProjectFileHeader> header;
    std::string error;
    if (const std::optional<std::string> bytes = ReadWholeFile(file, error)) {
        const LoadOutcome outcome =
            ReadProjectHeader(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
        if (outcome.Status == LoadStatus::Ok) header = outcome.Header;
    }

    const std::string json = DumpProjectJson(project, header);
    if (json.size() > kLargestJsonForm) {
        std::cerr << file << ": its JSON form would have " << json.size() << " bytes, more than the "
                  << (kLargestJsonForm >> 20) << " MiB that 'make' reads back; nothing is written\n";
        return kExitFailure;
    }
    if (!parsed.Output) {
        std::cout << json << std::flush;
        return std::cout ? kExitOk : kExitFailure;
    }
    if (!WriteWholeFile(*parsed.Output, json)) {
        session.Report(texts::CanNotSaveFile);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace qxed::cli
