// The preamble every command shares, written once: its own options, --help, the one file, -o, --data-dir,
// an output that would replace the input, the session and, for the commands that open projects, the
// graphics.
#include <QGuiApplication>

#include <iostream>
#include <optional>

#include "commands.h"
#include "gfx/gfx_session.h"
#include "same_file.h"
#include "standard_output.h"

namespace qxed::cli {

namespace {

// Offscreen graphics for as long as a command runs: the platform, then the application object, then the
// session, and the other way round at the end. The application sees none of the command line.
class OffscreenGraphics {
  public:
    OffscreenGraphics() : application_((PrepareOffscreenGraphics(), argc_), argv_) {}

  private:
    int argc_ = 1;
    char name_[9] = "qxed-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
    GraphicsSession session_;
};

void CheckOutput(const Command& command, const CommandArgs& parsed) {
    switch (command.Output) {
        case OutputUse::None:
            if (parsed.Output) throw UsageError{command.NoOutputReason};
            break;
        case OutputUse::Optional:
            break;
        case OutputUse::Required:
            RequireOutput(parsed);
            break;
    }
}

}  // namespace

std::optional<std::string> CommandContext::Option(std::string_view name) const {
    const auto found = Options.find(name);
    if (found == Options.end()) return std::nullopt;
    return found->second;
}

int RunCommand(const Command& command, const std::vector<std::string>& given,
               const std::optional<std::string>& dataDir) {
    CommandContext context;
    const std::vector<std::string> args = SplitOptionValues(given);
    context.Arguments = args;
    std::vector<std::string> rest = args;
    for (const char* name : command.ValueOptions) {
        if (std::optional<std::string> value = TakeOption(rest, name)) context.Options.emplace(name, *value);
    }
    for (const char* name : command.FlagOptions) {
        if (TakeFlag(rest, name)) context.Flags.emplace(name);
    }
    context.Parsed = ParseCommandArgs(rest);
    if (context.Parsed.Help) return PrintResult(command.Help);
    ExpectFiles(context.Parsed, static_cast<size_t>(command.FileCount), command.FileName);
    CheckOutput(command, context.Parsed);
    context.DataDir = context.Parsed.DataDir ? context.Parsed.DataDir : dataDir;
    CliSession session(context.DataDir);
    context.Session = &session;

    // Writing over the input would lose it, with nothing left to make it again; through a link or another
    // spelling of the path as well.
    if (context.Parsed.Output && context.HasFile() && IsSameFile(context.File(), *context.Parsed.Output)) {
        std::cerr << "qxed-cli: the output " << *context.Parsed.Output << " is the input file "
                  << context.File() << "; nothing was written\n";
        return kExitFailure;
    }

    std::optional<OffscreenGraphics> graphics;
    if (command.Graphics) graphics.emplace();
    return command.Run(context);
}

}  // namespace qxed::cli
