// Imports the input as a data file (.odp) the way the editor does. A file that imports must export again to
// the header and image it was read from, and the export must import to the same contents; a refused file
// shows exactly one message.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "files/data_file.h"
#include "memory_input.h"
#include "model/user_prompts.h"
#include "text/language.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "data file fuzzer: %s\n", what);
    std::abort();
}

using fuzz::QuietPrompts;

// The input lives in an in-memory file; the export goes to a folder of its own.
const fuzz::MemoryInputFile* input = nullptr;
std::filesystem::path workFolder;

// The shortest driver file there can be, so that every export imports again.
const std::string& Driver() {
    static const std::string driver = [] {
        std::string bytes(kLeastDriverFileLength, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 13);
        return bytes;
    }();
    return driver;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    input = new fuzz::MemoryInputFile("qxed-fuzz-data-file");
    workFolder = std::filesystem::temp_directory_path() / ("qxed-data-file-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(workFolder);
    std::ofstream(workFolder / "driver.dat", std::ios::binary) << Driver();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    input->Put(data, size);
    static const Language language;
    QuietPrompts prompts;
    const std::optional<DataFileContents> contents = ImportData(input->Path(), language, prompts);
    if (!contents) {
        if (prompts.Shown != 1) Fail("a refused file did not show exactly one message");
        return 0;
    }
    if (prompts.Shown != 0) Fail("an imported file showed a message");
    if (!IsDataFile(std::string(reinterpret_cast<const char*>(data), size)))
        Fail("imported without the magic");

    const std::filesystem::path exported = workFolder / "again.odp";
    if (!ExportData(exported.string(), *contents, (workFolder / "driver.dat").string(), language, prompts))
        Fail("an imported file does not export");
    const std::string bytes = ReadAll(exported);
    const std::size_t kept = kDataFileHeaderLength + contents->Image.size();
    if (bytes.size() != kept + Driver().size() ||
        bytes.compare(0, kept, reinterpret_cast<const char*>(data), kept) != 0 ||
        bytes.compare(kept, Driver().size(), Driver()) != 0)
        Fail("the export differs from the file it was imported from");
    const std::optional<DataFileContents> again = ImportData(exported.string(), language, prompts);
    if (!again || again->Image != contents->Image || again->HeaderLength != contents->HeaderLength ||
        again->GlyphLength != contents->GlyphLength || again->CurrentModel != contents->CurrentModel ||
        again->PlcTypeLow != contents->PlcTypeLow)
        Fail("the export imports to other contents");
    return 0;
}
