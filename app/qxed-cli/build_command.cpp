#include <cstdio>
#include <iostream>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"
#include "image/image_build.h"
#include "text/settings_paths.h"
#include "text/texts.h"

namespace qxed::cli {

const char kBuildHelp[] =
    "Usage: qxed-cli build FILE -o IMAGE.bin [--lang En|Ko|sCh|Ru]\n"
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
    "  -o, --output IMAGE.bin  the image file to write (required)\n"
    "  --lang En|Ko|sCh|Ru     the text language: how texts split into characters and which glyph files are\n"
    "                          read; by default the \"Version\" of Language.Ini\n"
    "  --data-dir DIR          read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help              show this help\n";

namespace {

// The command line shows no progress: stdout carries the result line alone, and nobody can cancel.
class SilentProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

// A project file of any version, or the JSON form. False after the message.
bool OpenProject(CliSession& session, const std::string& file, Project& project) {
    const std::optional<std::string> bytes = ReadInputFile(file);
    return bytes && OpenProjectBytes(session, file, *bytes, project);
}

}  // namespace

int RunBuild(const std::vector<std::string>& args, const std::optional<std::string>& dataDir) {
    std::vector<std::string> rest = args;
    const std::optional<std::string> languageName = TakeOption(rest, "--lang");
    const CommandArgs parsed = ParseCommandArgs(rest);
    if (parsed.Help) {
        std::cout << kBuildHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "FILE");
    const std::string& output = RequireOutput(parsed);
    // Checked before anything is read; -1: the language file's choice.
    const int chosenLanguage = languageName ? static_cast<int>(LanguageOfName(*languageName)) : -1;
    CliSession session(parsed.DataDir ? parsed.DataDir : dataDir);

    Project project = session.NewProject();
    if (!OpenProject(session, parsed.Files[0], project)) return kExitFailure;

    ImageBuildContext context;
    context.Texts = &session.Lang();
    context.Language =
        static_cast<TextLanguage>(chosenLanguage >= 0 ? chosenLanguage : session.Lang().LanguageIndex());
    context.GlyphFolder = ProgramFolder();
    SilentProgress progress;
    const int shownBefore = session.Prompts().Shown();
    const BuildOutcome outcome = PreparePageContent(project, context, progress, session.Prompts());
    if (outcome.Status != BuildStatus::Built) {
        // A refusal has shown its message; make sure a script hears why in every case.
        if (session.Prompts().Shown() == shownBefore)
            std::cerr << (outcome.Status == BuildStatus::Cancelled ? "the build was cancelled"
                                                                   : "the image could not be built")
                      << '\n';
        return kExitFailure;
    }

    const ScreenDataImage& image = outcome.Image;
    if (!WriteWholeFile(output, std::string(image.Bytes.begin(), image.Bytes.end()))) {
        session.Report(texts::CanNotSaveFile);
        return kExitFailure;
    }
    std::cout << "H=" << image.HeaderLength << " glyphs=" << image.GlyphLength << " L=" << image.Length()
              << '\n'
              << std::flush;
    return std::cout ? kExitOk : kExitFailure;
}

}  // namespace qxed::cli
