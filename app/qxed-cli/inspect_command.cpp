#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "image/image_reader.h"
#include "image_json.h"
#include "model/panel_model.h"
#include "standard_output.h"
#include "text_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli inspect IMAGE.bin|DATA.odp [--model N] [--json] [-o OUT]\n"
    "\n"
    "Decodes a screen data image, as 'build' writes it, and prints what the panel receives: the directory,\n"
    "the settings block with the global key table, the glyph sections, the page table, every element's\n"
    "directory entry with the fields of its record, and the alarm texts. Texts show as the glyph index "
    "bytes\n"
    "they are encoded to. An image that breaks the layout is refused with the offset where it breaks and\n"
    "what was expected there. A data file (.odp, as 'export' writes it) names its model in its header; a\n"
    "project file is refused: build it first.\n"
    "\n"
    "Options:\n"
    "  --model N               the panel model the image was built for (required for an image): its index\n"
    "                          0..12 or its code (QX210, qx420, ...); it decides the coordinate width and\n"
    "                          bitmap layout\n"
    "  --json                  the decoded image as one JSON object\n"
    "  -o, --output OUT        write to this file; '-' or none: standard output\n"
    "  -h, --help              show this help\n";

// A project file starts with its magic byte 3 and "QX2"; its JSON form with "{".
bool LooksLikeProject(const std::string& bytes) {
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return bytes.starts_with("\x03QX2") || (first != std::string::npos && bytes[first] == '{');
}

int Run(CommandContext& context) {
    const std::optional<std::string> modelText = context.Option("--model");
    std::optional<int> model;
    if (modelText) model = ModelOfArgument(*modelText);

    const std::string& file = context.File();
    // Without --model only a data file, which names its model, can be read; anything else is bad usage.
    std::string unreadable;
    const std::optional<std::string> bytes = model ? ReadInputFile(file) : ReadWholeFile(file, unreadable);
    if (!bytes && !model) throw UsageError{"missing --model N (an image does not name its model)"};
    if (!bytes) return kExitFailure;
    if (LooksLikeProject(*bytes)) {
        std::cerr << file << ": this is a project file: build it first ('qxed-cli build " << file
                  << " -o IMAGE.bin')\n";
        return kExitFailure;
    }
    std::span<const uint8_t> image(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
    if (IsDataFile(*bytes)) {
        // The header names the model; the image follows it for its own length.
        const std::optional<DataFileContents> contents =
            ImportData(file, context.Session->Lang(), context.Session->Prompts());
        if (!contents) return kExitFailure;
        if (model && *model != contents->CurrentModel) {
            std::cerr << file << ": the data file is for model " << int{contents->CurrentModel} << ", not "
                      << *model << '\n';
            return kExitFailure;
        }
        model = contents->CurrentModel;
        image = image.subspan(kDataFileHeaderLength, contents->Image.size());
    }
    if (!model) throw UsageError{"missing --model N (an image does not name its model)"};
    const ImageReadResult result = ReadScreenDataImage(image, *model);
    if (!result.Image) {
        std::cerr << file << ": " << result.Error << '\n';
        return kExitFailure;
    }
    return WriteTextResult(
        context, context.Flag("--json") ? ImageJson(*result.Image) : FormatScreenDataImage(*result.Image));
}

constexpr const char* kOptions[] = {"--model"};
constexpr const char* kFlags[] = {"--json"};

}  // namespace

const Command kInspectCommand = {
    .Name = "inspect",
    .Summary = "inspect IMAGE.bin --model N  a screen data image (or data file) decoded field by field",
    .Help = kHelp,
    .FileName = "IMAGE.bin",
    .Output = OutputUse::Optional,
    .ValueOptions = kOptions,
    .FlagOptions = kFlags,
    .Graphics = false,
    .Run = Run,
};

}  // namespace qxed::cli
