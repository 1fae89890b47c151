// Imports the input as a data file (.odp) the way the editor does. A file that imports must export again to
// the header and image it was read from, and the export must import to the same contents; a refused file
// shows exactly one message.
#include <sys/mman.h>
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
#include "model/user_prompts.h"
#include "text/language.h"
#include "utf8_check.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "data file fuzzer: %s\n", what);
    std::abort();
}

class QuietPrompts : public UserPrompts {
  public:
    int Shown = 0;
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        if (!fuzz::IsUtf8(text) || !fuzz::IsUtf8(caption)) Fail("a message is no UTF-8");
        ++Shown;
        return MessageResult::Ok;
    }
};

// The input lives in an anonymous in-memory file; the export goes to a folder of its own.
int inputFile = -1;
std::string inputPath;
std::filesystem::path workFolder;

void PutInput(const uint8_t* data, std::size_t size) {
    if (ftruncate(inputFile, 0) != 0) Fail("cannot empty the input file");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = pwrite(inputFile, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) Fail("cannot write the input file");
        done += static_cast<std::size_t>(put);
    }
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    inputFile = memfd_create("qxed-fuzz-data-file", MFD_CLOEXEC);
    if (inputFile < 0) Fail("cannot create the input file");
    inputPath = "/proc/self/fd/" + std::to_string(inputFile);
    workFolder = std::filesystem::temp_directory_path() / ("qxed-data-file-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(workFolder);
    std::ofstream(workFolder / "driver.dat", std::ios::binary) << "driver";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PutInput(data, size);
    static const Language language;
    QuietPrompts prompts;
    const std::optional<DataFileContents> contents = ImportData(inputPath, language, prompts);
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
    if (bytes.size() != kept + 6 || bytes.compare(0, kept, reinterpret_cast<const char*>(data), kept) != 0 ||
        bytes.compare(kept, 6, "driver") != 0)
        Fail("the export differs from the file it was imported from");
    const std::optional<DataFileContents> again = ImportData(exported.string(), language, prompts);
    if (!again || again->Image != contents->Image || again->HeaderLength != contents->HeaderLength ||
        again->GlyphLength != contents->GlyphLength || again->CurrentModel != contents->CurrentModel ||
        again->PlcTypeLow != contents->PlcTypeLow)
        Fail("the export imports to other contents");
    return 0;
}
