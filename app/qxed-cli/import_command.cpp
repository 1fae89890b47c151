#include <filesystem>
#include <iostream>

#include "cli_args.h"
#include "cli_session.h"
#include "commands.h"
#include "files/data_file.h"

namespace qxed::cli {

const char kImportHelp[] =
    "Usage: qxed-cli import FILE.odp\n"
    "\n"
    "Reads a data file written by the editor's data export or by 'qxed-cli export' and prints its header,\n"
    "one \"Key: value\" per line:\n"
    "  Model: <n>      the panel model index (0..12) the image was built for\n"
    "  PlcType: <n>    the PLC type (the low byte the file stores)\n"
    "  H: <n>          length of the image's directory and settings block\n"
    "  Glyphs: <n>     length of the image's glyph area\n"
    "  L: <n>          length of the image\n"
    "  Driver: <n>     length of the PLC driver file copied behind the image\n"
    "A file that is no complete data file is refused with \"该文件格式不正确！\". 'qxed-cli download "
    "FILE.odp'\n"
    "sends the image it holds.\n"
    "\n"
    "Options:\n"
    "  --data-dir DIR  read Language.Ini from DIR instead of the program folder\n"
    "  -h, --help      show this help\n";

int RunImport(const std::vector<std::string>& args, const std::optional<std::string>& dataDir) {
    const CommandArgs parsed = ParseCommandArgs(args);
    if (parsed.Help) {
        std::cout << kImportHelp;
        return kExitOk;
    }
    ExpectFiles(parsed, 1, "FILE.odp");
    if (parsed.Output) throw UsageError{"import writes no file"};
    CliSession session(parsed.DataDir ? parsed.DataDir : dataDir);

    const std::string& file = parsed.Files[0];
    const std::optional<DataFileContents> contents = ImportData(file, session.Lang(), session.Prompts());
    if (!contents) return kExitFailure;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::uintmax_t used = kDataFileHeaderLength + contents->Image.size();
    std::cout << "Model: " << static_cast<int>(contents->CurrentModel) << '\n'
              << "PlcType: " << static_cast<int>(contents->PlcTypeLow) << '\n'
              << "H: " << contents->HeaderLength << '\n'
              << "Glyphs: " << contents->GlyphLength << '\n'
              << "L: " << contents->Image.size() << '\n'
              << "Driver: " << (error || size < used ? 0 : size - used) << '\n'
              << std::flush;
    return std::cout ? kExitOk : kExitFailure;
}

}  // namespace qxed::cli
