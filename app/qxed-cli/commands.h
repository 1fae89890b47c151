#pragma once
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli_args.h"
#include "cli_session.h"

namespace qxed::cli {

// Whether a command writes a file given with "-o OUT".
enum class OutputUse { None, Optional, Required };

// What a command finds ready when it runs: its arguments checked against its entry, the session, and the
// graphics when it asked for them.
struct CommandContext {
    std::vector<std::string> Arguments;                       // as given after the command's name
    CommandArgs Parsed;                                       // the one file, -o, --data-dir
    std::map<std::string, std::string, std::less<>> Options;  // those of the command's own options given
    std::set<std::string, std::less<>> Flags;                 // its own options without a value given
    std::optional<std::string> DataDir;  // the command's --data-dir, else the one given before it
    CliSession* Session = nullptr;

    const std::string& File() const { return Parsed.Files.front(); }
    bool HasFile() const { return !Parsed.Files.empty(); }
    std::optional<std::string> Option(std::string_view name) const;
    bool Flag(std::string_view name) const { return Flags.contains(name); }
};

// One subcommand, as data: its name, its line in the overview, its help, the file it takes, whether it
// writes "-o OUT", the options with a value and those without one that it alone knows, whether it opens
// projects (which decodes pictures and measures texts through the graphics), and what runs it. The preamble
// all commands share (help, the arguments, --data-dir, an output that is the input, the session and the
// graphics) is done before Run.
struct Command {
    const char* Name;
    const char* Summary;
    const char* Help;
    const char* FileName;
    OutputUse Output;
    const char* NoOutputReason = nullptr;  // why "-o" is refused, when the command writes no file
    std::span<const char* const> ValueOptions = {};
    std::span<const char* const> FlagOptions = {};
    bool Graphics = false;
    int (*Run)(CommandContext& context);
    int FileCount = 1;  // the file names (or words) it takes after its name
};

// The options with a value of the download and the export, which ParseDownloadArgs reads.
inline constexpr const char* kDownloadOptions[] = {"--port", "--upgrade", "--lang"};
// Their options without a value: no progress, every exchange with the panel, the summary as JSON.
inline constexpr const char* kDownloadFlags[] = {"-q", "-v", "--json"};

extern const Command kDumpCommand;
extern const Command kMakeCommand;
extern const Command kUpgradeCommand;
extern const Command kBuildCommand;
extern const Command kInspectCommand;
extern const Command kDownloadCommand;
extern const Command kExportCommand;
extern const Command kImportCommand;
extern const Command kRenderCommand;
extern const Command kPanelCommand;
extern const Command kCheckCommand;
extern const Command kSchemaCommand;
extern const Command kListCommand;

// Runs the command on the arguments after its name, with the --data-dir given before it, if any: the shared
// preamble, then the command. Bad usage is thrown as UsageError.
int RunCommand(const Command& command, const std::vector<std::string>& args,
               const std::optional<std::string>& dataDir);

}  // namespace qxed::cli
