#include <charconv>
#include <iostream>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"
#include "image/image_reader.h"
#include "model/panel_model.h"

namespace qxed::cli {

const char kInspectHelp[] =
    "Usage: qxed-cli inspect IMAGE.bin --model N\n"
    "\n"
    "Decodes a screen data image, as 'build' writes it, and prints what the panel receives: the directory,\n"
    "the settings block with the global key table, the glyph sections, the page table, every element's\n"
    "directory entry with the fields of its record, and the alarm texts. Texts show as the glyph index "
    "bytes\n"
    "they are encoded to. An image that breaks the layout is refused with the offset where it breaks and\n"
    "what was expected there.\n"
    "\n"
    "Options:\n"
    "  --model N               the panel model the image was built for (required): its index 0..12 or its\n"
    "                          code (QX210, QX420, ...); it decides the coordinate width and bitmap layout\n"
    "  -h, --help              show this help\n";

namespace {

int ModelOfArgument(const std::string& text) {
    int index = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    if (error == std::errc() && stop == end) {
        if (FindPanelModel(index) == nullptr)
            throw UsageError{"model " + text + " is outside 0.." + std::to_string(PanelModelCount - 1)};
        return index;
    }
    if (const std::optional<int> model = PanelModelOfCode(text)) return *model;
    throw UsageError{"unknown model " + text};
}

}  // namespace

int RunInspect(const std::vector<std::string>& args, const std::optional<std::string>& /*dataDir*/) {
    std::vector<std::string> rest = args;
    const std::optional<std::string> modelText = TakeOption(rest, "--model");
    const CommandArgs parsed = ParseCommandArgs(rest);
    if (parsed.Help) {
        std::cout << kInspectHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "IMAGE.bin");
    if (parsed.Output) throw UsageError{"inspect writes to standard output only"};
    if (!modelText) throw UsageError{"missing --model N"};
    const int model = ModelOfArgument(*modelText);

    const std::string& file = parsed.Files[0];
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes) return kExitFailure;
    const ImageReadResult result =
        ReadScreenDataImage(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()), model);
    if (!result.Image) {
        std::cerr << file << ": " << result.Error << '\n';
        return kExitFailure;
    }
    std::cout << FormatScreenDataImage(*result.Image) << std::flush;
    return std::cout ? kExitOk : kExitFailure;
}

}  // namespace qxed::cli
