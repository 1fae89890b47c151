#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "image/image_build.h"
#include "project_check.h"
#include "standard_output.h"
#include "text/settings_paths.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli check FILE [--json] [--lang En|Ko|sCh|Ru]\n"
    "\n"
    "Reports what in the project FILE (a project file of any readable version or its JSON form) opens and\n"
    "builds but can hardly be what was meant, one line per finding with the JSON path of the value as\n"
    "'dump' writes it: values outside their editing ranges and code lists, operands outside the PLC type's\n"
    "lists and bounds, keys not on the model's keypad, elements partly or wholly outside the screen, touch\n"
    "keys on a model without a touch screen, texts the language would refuse, counts beyond the model, and\n"
    "an image that would not fit (with the build's message and where the bytes go). Links and jumps to\n"
    "pages that do not exist are warnings. The fields, their ranges and codes: docs/json-form.md.\n"
    "\n"
    "Options:\n"
    "  --json                 one JSON object: the file, the counts and every finding\n"
    "  --lang En|Ko|sCh|Ru    the text language to judge texts and build with; by default the \"Version\"\n"
    "                         of Language.Ini\n"
    "  --data-dir DIR         read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help             show this help\n"
    "\n"
    "Exit codes: 0 no errors (warnings allowed), 1 errors or a file that does not open, 2 bad usage.\n";

// The build's messages, kept as findings instead of printed.
class CollectedMessages : public UserPrompts {
  public:
    std::vector<Finding> Findings;

    MessageResult ShowMessage(const std::string& text, const std::string&, MessageIcon,
                              MessageButtons) override {
        Findings.push_back({Severity::Error, "", "the image cannot be built: " + text});
        return MessageResult::Cancel;
    }
    MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail, const std::string&,
                                      MessageIcon, MessageButtons) override {
        std::string message = "the image cannot be built: " + text;
        if (!detail.empty()) message += "\n" + detail;
        Findings.push_back({Severity::Error, "", std::move(message)});
        return MessageResult::Cancel;
    }
};

class NoProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

const char* NameOf(Severity level) {
    return level == Severity::Error ? "error" : "warning";
}

std::string TextReport(const std::string& file, const std::vector<Finding>& findings, int errors,
                       int warnings) {
    std::string out;
    for (const Finding& finding : findings) {
        out += file + ": " + NameOf(finding.Level) + ": ";
        if (!finding.Path.empty()) out += finding.Path + ": ";
        // A message of several lines keeps its first on the finding's line and indents the others.
        for (char c : finding.Message)
            out += c == '\n' ? std::string("\n  ") : std::string(1, c);
        out += '\n';
    }
    out += file + ": " + std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings\n";
    return out;
}

std::string JsonReport(const std::string& file, const std::vector<Finding>& findings, int errors,
                       int warnings) {
    nlohmann::ordered_json report = {{"file", file}, {"errors", errors}, {"warnings", warnings}};
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& finding : findings)
        list.push_back(
            {{"severity", NameOf(finding.Level)}, {"path", finding.Path}, {"message", finding.Message}});
    report["findings"] = std::move(list);
    return report.dump(2) + "\n";
}

int Run(CommandContext& context) {
    const std::optional<std::string> languageName = context.Option("--lang");
    // Checked before anything is read; -1: the language file's choice.
    const int chosen = languageName ? static_cast<int>(LanguageOfName(*languageName)) : -1;
    CliSession& session = *context.Session;
    const std::string& file = context.File();

    Project project = session.NewProject();
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes || !OpenProjectBytes(session, file, *bytes, project)) return kExitFailure;

    CheckContext check;
    check.Language = static_cast<TextLanguage>(chosen >= 0 ? chosen : session.Lang().LanguageIndex());
    std::vector<Finding> findings = CheckProject(project, check);

    ImageBuildContext build;
    build.Texts = &session.Lang();
    build.Language = check.Language;
    build.GlyphFolder = ProgramFolder();
    NoProgress progress;
    CollectedMessages messages;
    PreparePageContent(project, build, progress, messages);
    findings.insert(findings.end(), messages.Findings.begin(), messages.Findings.end());

    int errors = 0;
    for (const Finding& finding : findings)
        if (finding.Level == Severity::Error) ++errors;
    const int warnings = static_cast<int>(findings.size()) - errors;
    const int printed = PrintResult(context.Flag("--json") ? JsonReport(file, findings, errors, warnings)
                                                           : TextReport(file, findings, errors, warnings));
    if (printed != kExitOk) return printed;
    return errors == 0 ? kExitOk : kExitFailure;
}

constexpr const char* kOptions[] = {"--lang"};
constexpr const char* kFlags[] = {"--json"};

}  // namespace

const Command kCheckCommand = {
    .Name = "check",
    .Summary = "check FILE [--json]          what a project holds that cannot be what was meant",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::None,
    .NoOutputReason = "check writes to standard output only",
    .ValueOptions = kOptions,
    .FlagOptions = kFlags,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
