#include <filesystem>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "files/data_file.h"
#include "standard_output.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli import FILE.odp [--json]\n"
    "\n"
    "Reads a data file written by the editor's data export or by 'qxed-cli export' and prints its header,\n"
    "one \"Key: value\" per line:\n"
    "  Model: <n>      the panel model index (0..12) the image was built for\n"
    "  PlcType: <n>    the PLC type (the low byte the file stores)\n"
    "  H: <n>          length of the image's directory and settings block\n"
    "  Glyphs: <n>     length of the image's glyph area\n"
    "  L: <n>          length of the image\n"
    "  Driver: <n>     length of the PLC driver file copied behind the image\n"
    "A file that is no complete data file is refused with \"FILE.odp: 该文件格式不正确！\".\n"
    "'qxed-cli download FILE.odp' sends the image it holds.\n"
    "\n"
    "Options:\n"
    "  --json          the header as a JSON object with the same keys\n"
    "  --data-dir DIR  read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help      show this help\n";

int Run(CommandContext& context) {
    CliSession& session = *context.Session;
    const std::string& file = context.File();
    const std::optional<DataFileContents> contents = ImportData(file, session.Lang(), session.Prompts());
    if (!contents) return kExitFailure;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::uintmax_t used = kDataFileHeaderLength + contents->Image.size();
    const std::uintmax_t driver = error || size < used ? 0 : size - used;
    if (context.Flag("--json")) {
        const nlohmann::ordered_json header = {
            {"Model", contents->CurrentModel}, {"PlcType", contents->PlcTypeLow},
            {"H", contents->HeaderLength},     {"Glyphs", contents->GlyphLength},
            {"L", contents->Image.size()},     {"Driver", driver}};
        return PrintResult(header.dump(2) + "\n");
    }
    return PrintResult("Model: " + std::to_string(contents->CurrentModel) + "\n" +
                       "PlcType: " + std::to_string(contents->PlcTypeLow) + "\n" +
                       "H: " + std::to_string(contents->HeaderLength) + "\n" +
                       "Glyphs: " + std::to_string(contents->GlyphLength) + "\n" +
                       "L: " + std::to_string(contents->Image.size()) + "\n" +
                       "Driver: " + std::to_string(driver) + "\n");
}

constexpr const char* kFlags[] = {"--json"};

}  // namespace

const Command kImportCommand = {
    .Name = "import",
    .Summary = "import FILE.odp              the header of a data file",
    .Help = kHelp,
    .FileName = "FILE.odp",
    .Output = OutputUse::None,
    .NoOutputReason = "import writes no file",
    .FlagOptions = kFlags,
    .Graphics = false,
    .Run = Run,
};

}  // namespace qxed::cli
