#include <iostream>

#include "commands.h"
#include "image/image_reader.h"
#include "model/panel_model.h"
#include "standard_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
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

int Run(CommandContext& context) {
    const std::optional<std::string> modelText = context.Option("--model");
    if (!modelText) throw UsageError{"missing --model N"};
    const int model = ModelOfArgument(*modelText);

    const std::string& file = context.File();
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes) return kExitFailure;
    const ImageReadResult result =
        ReadScreenDataImage(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()), model);
    if (!result.Image) {
        std::cerr << file << ": " << result.Error << '\n';
        return kExitFailure;
    }
    return PrintResult(FormatScreenDataImage(*result.Image));
}

constexpr const char* kOptions[] = {"--model"};

}  // namespace

const Command kInspectCommand = {
    .Name = "inspect",
    .Summary = "inspect IMAGE.bin --model N  a screen data image decoded field by field",
    .Help = kHelp,
    .FileName = "IMAGE.bin",
    .Output = OutputUse::None,
    .NoOutputReason = "inspect writes to standard output only",
    .ValueOptions = kOptions,
    .Graphics = false,
    .Run = Run,
};

}  // namespace qxed::cli
