#include <charconv>
#include <iostream>

#include "commands.h"
#include "gfx/canvas.h"
#include "standard_output.h"
#include "text/settings_paths.h"
#include "text/texts.h"
#include "workbench/preview_painter.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli render FILE --page N [--model M] [--grid|--no-grid] [--selected] -o PAGE.png\n"
    "\n"
    "Draws the editor's preview of one page, at the preview size of the panel model (a 192 x 64 panel gives\n"
    "432 x 144 pixels, 320 x 240 gives 400 x 300), and writes it as PAGE.png. FILE is a project file of any\n"
    "readable version or the project's JSON form. The lamp, hand and key pictures are read from element/\n"
    "beside the program, whatever --data-dir says.\n"
    "\n"
    "Options:\n"
    "  --page N                the number of the page to draw (0..65535; required)\n"
    "  --model M               draw the page as it looks on another panel model: its index 0..12 or its "
    "code\n"
    "                          (QX210, QX420, ...); elements beyond that model's screen are drawn at 0, as\n"
    "                          the editor shows them after a model change. By default the project's model\n"
    "  --grid, --no-grid       show or hide the grid dots (shown by default)\n"
    "  --selected              mark the page's first element as selected, with its focus rectangle\n"
    "  -o, --output PAGE.png   the picture to write (required; not FILE itself)\n"
    "  --data-dir DIR          read Language.Ini (the lamp and key symbols, the code page) from DIR\n"
    "  -h, --help              show this help\n";

uint16_t PageOfArgument(const std::string& text) {
    unsigned number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number > 65535)
        throw UsageError{"page " + text + " is no page number (0..65535)"};
    return static_cast<uint16_t>(number);
}

const Page* FindPageNumbered(const Project& project, uint16_t number) {
    for (const Page& page : project.Pages())
        if (page.Number == number) return &page;
    return nullptr;
}

int Run(CommandContext& context) {
    const std::optional<std::string> pageText = context.Option("--page");
    if (!pageText) throw UsageError{"missing --page N"};
    const uint16_t pageNumber = PageOfArgument(*pageText);
    const std::optional<std::string> modelText = context.Option("--model");
    const std::optional<int> chosenModel =
        modelText ? std::optional<int>(ModelOfArgument(*modelText)) : std::nullopt;
    if (context.Flag("--grid") && context.Flag("--no-grid"))
        throw UsageError{"--grid and --no-grid exclude each other"};

    CliSession& session = *context.Session;
    const std::string& file = context.File();
    Project project = session.NewProject();
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes || !OpenProjectBytes(session, file, *bytes, project)) return kExitFailure;
    const Page* page = FindPageNumbered(project, pageNumber);
    if (page == nullptr) {
        std::cerr << file << ": there is no page " << pageNumber << '\n';
        return kExitFailure;
    }

    PreviewCache cache(ProgramFolder());
    const PreviewInput input{*page,
                             chosenModel.value_or(project.Settings.CurrentModel),
                             project.Defaults.TextCodePage,
                             cache,
                             !context.Flag("--no-grid"),
                             context.Flag("--selected")};
    Canvas canvas(0, 0);
    const PaintOutcome outcome = RedrawPage(canvas, input);
    if (!outcome.Complete) {
        std::cerr << outcome.MissingFile << ": the element picture cannot be loaded; nothing was written\n";
        return kExitFailure;
    }
    const std::vector<uint8_t> png = canvas.EncodePng();
    const std::string& output = *context.Parsed.Output;
    if (png.empty() || !WriteWholeFile(output, std::string(png.begin(), png.end()))) {
        session.ReportAbout(output, texts::CanNotSaveFile);
        return kExitFailure;
    }
    return kExitOk;
}

constexpr const char* kOptions[] = {"--page", "--model"};
constexpr const char* kFlags[] = {"--grid", "--no-grid", "--selected"};

}  // namespace

const Command kRenderCommand = {
    .Name = "render",
    .Summary = "render FILE --page N -o PNG  the editor's preview of a page [--model M] [--no-grid]",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::Required,
    .ValueOptions = kOptions,
    .FlagOptions = kFlags,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
