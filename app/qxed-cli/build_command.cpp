#include <cerrno>
#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "image/image_build.h"
#include "silent_progress.h"
#include "standard_output.h"
#include "text/settings_paths.h"
#include "text/texts.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli build FILE -o IMAGE.bin [--lang En|Ko|sCh|Ru] [--json]\n"
    "\n"
    "Compiles the project into the screen data image its panel model receives and writes the image to\n"
    "IMAGE.bin. FILE is a project file of any readable version or the project's JSON form. Prints one line,\n"
    "\"H=<n> glyphs=<n> L=<n>\": the length of the directory and settings block, the bytes of the glyphs "
    "and\n"
    "the length of the image. Messages go to standard error; a project that does not fit is refused.\n"
    "\n"
    "The glyph files (7460012.dat ... 7460016.dat, 6460012.dat ... 6460016.dat for Korean texts, and\n"
    "7460022.dat) are read from beside the program, whatever --data-dir says.\n"
    "\n"
    "Options:\n"
    "  -o, --output IMAGE.bin  the image file to write (required; not FILE itself)\n"
    "  --lang En|Ko|sCh|Ru     the text language: how texts split into characters and which glyph files are\n"
    "                          read; by default the \"Version\" of Language.Ini\n"
    "  --json                  the summary as a JSON object: the lengths, the model, pages and elements\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

// A project file of any version, or the JSON form. False after the message.
bool OpenProject(CliSession& session, const std::string& file, Project& project) {
    const std::optional<std::string> bytes = ReadInputFile(file);
    return bytes && OpenProjectBytes(session, file, *bytes, project);
}

int Run(CommandContext& context) {
    const std::optional<std::string> languageName = context.Option("--lang");
    // Checked before anything is read; -1: the language file's choice.
    const int chosenLanguage = languageName ? static_cast<int>(LanguageOfName(*languageName)) : -1;
    CliSession& session = *context.Session;

    Project project = session.NewProject();
    if (!OpenProject(session, context.File(), project)) return kExitFailure;

    ImageBuildContext build;
    build.Texts = &session.Lang();
    build.Language =
        static_cast<TextLanguage>(chosenLanguage >= 0 ? chosenLanguage : session.Lang().LanguageIndex());
    build.GlyphFolder = ProgramFolder();
    SilentProgress progress;
    const BuildOutcome outcome = PreparePageContent(project, build, progress, session.Prompts());
    switch (outcome.Status) {
        case BuildStatus::Built:
            break;
        case BuildStatus::Aborted:  // the refusal has shown its message
            return kExitFailure;
        case BuildStatus::Cancelled:  // silent in the editor, where the person asked for it
            std::cerr << "qxed-cli: the build was cancelled\n";
            return kExitFailure;
    }

    const ScreenDataImage& image = outcome.Image;
    const std::string& output = *context.Parsed.Output;
    errno = 0;
    if (!WriteWholeFile(output, std::string(image.Bytes.begin(), image.Bytes.end()))) {
        session.ReportWriteFailure(output, errno);
        return kExitFailure;
    }
    if (context.Flag("--json")) {
        std::size_t elements = 0;
        for (const Page& page : project.Pages())
            elements += page.Elements.size();
        const nlohmann::ordered_json summary = {{"file", context.File()},
                                                {"output", output},
                                                {"model", project.Settings.CurrentModel},
                                                {"plcType", project.Settings.PlcType},
                                                {"pages", project.Pages().size()},
                                                {"elements", elements},
                                                {"H", image.HeaderLength},
                                                {"glyphs", image.GlyphLength},
                                                {"L", image.Length()}};
        return PrintResult(summary.dump(2) + "\n");
    }
    return PrintResult("H=" + std::to_string(image.HeaderLength) + " glyphs=" +
                       std::to_string(image.GlyphLength) + " L=" + std::to_string(image.Length()) + "\n");
}

constexpr const char* kOptions[] = {"--lang"};
constexpr const char* kFlags[] = {"--json"};

}  // namespace

const Command kBuildCommand = {
    .Name = "build",
    .Summary = "build FILE -o IMAGE.bin      the screen data image of a project [--lang L]",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::Required,
    .ValueOptions = kOptions,
    .FlagOptions = kFlags,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
