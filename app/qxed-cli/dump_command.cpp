#include <iostream>

#include "commands.h"
#include "files/project_file.h"
#include "files/project_json.h"
#include "standard_output.h"
#include "text/texts.h"
#include "text_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli dump FILE [-o OUT.json]\n"
    "\n"
    "Writes the project file FILE, of any readable version, in its JSON form: to OUT.json when given,\n"
    "else to standard output. The JSON also names the file's version, which 'make' ignores. The keys and\n"
    "fields of the form: docs/json-form.md; 'qxed-cli schema' prints a JSON Schema of it.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.json   write the JSON to this file (not FILE itself); '-': standard output\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

int Run(CommandContext& context) {
    CliSession& session = *context.Session;
    const std::string& file = context.File();
    Project project = session.NewProject();
    if (!session.Open(file, project)) return kExitFailure;

    // The version the file was written in; the loader has read it already, so it is there.
    std::optional<ProjectFileHeader> header;
    if (const LoadOutcome outcome = ReadFileHeader(file); outcome.Status == LoadStatus::Ok)
        header = outcome.Header;

    const std::string json = DumpProjectJson(project, header);
    if (json.size() > kLargestJsonForm) {
        std::cerr << file << ": its JSON form would have " << json.size() << " bytes, more than the "
                  << (kLargestJsonForm >> 20) << " MiB that 'make' reads back; nothing is written\n";
        return kExitFailure;
    }
    return WriteTextResult(context, json);
}

}  // namespace

const Command kDumpCommand = {
    .Name = "dump",
    .Summary = "dump FILE [-o OUT.json]      a project file of any version in its JSON form",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::Optional,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
