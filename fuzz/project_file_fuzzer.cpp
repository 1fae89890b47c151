// Opens the input as a project file the way the editor does (LoadProject on a path), for every file version.
// A file that opens must also survive what the user does next: saving it gives a file that opens again to
// the same bytes, and its JSON form makes the same project again.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/project_file.h"
#include "files/project_json.h"
#include "gfx/gfx_session.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "utf8_check.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "project file fuzzer: %s\n", what);
    std::abort();
}

// Counts the messages instead of showing them; what a message box gets must be UTF-8.
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

// The input lives in an anonymous in-memory file, so every run reads a real path without touching a disk.
int inputFile = -1;
std::string inputPath;

void PutInput(const uint8_t* data, std::size_t size) {
    if (ftruncate(inputFile, 0) != 0) Fail("cannot empty the input file");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = pwrite(inputFile, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) Fail("cannot write the input file");
        done += static_cast<std::size_t>(put);
    }
}

// The JSON form holds only projects whose page numbers are distinct, as the page list keeps them. A file can
// hold a page number twice; it opens and saves, but its JSON form is refused, so it is left out of that
// comparison. (Pages come out of a file in ascending order, and unknown element kinds keep their code in
// the JSON form.)
bool JsonFormCanHold(const Project& project) {
    const Page* previous = nullptr;
    for (const Page& page : project.Pages()) {
        if (previous != nullptr && previous->Number >= page.Number) return false;
        previous = &page;
    }
    return true;
}

void CheckSavedFileReadsBack(const Project& project) {
    const std::vector<uint8_t> saved = SerializeProject(project);
    Project again;
    if (ReadProjectBytes(saved, again).Status != LoadStatus::Ok) Fail("a saved file does not open");
    if (SerializeProject(again) != saved) Fail("a saved file opens to another project");

    if (!JsonFormCanHold(project)) return;
    Project fromJson;
    if (const auto error = MakeProjectFromJson(DumpProjectJson(project, std::nullopt), fromJson)) {
        std::fprintf(stderr, "%s: %s\n", error->Path.c_str(), error->Message.c_str());
        Fail("the JSON form of an opened project is refused");
    }
    if (SerializeProject(fromJson) != saved) Fail("the JSON form makes another project");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    inputFile = memfd_create("qxed-fuzz-project", MFD_CLOEXEC);
    if (inputFile < 0) Fail("cannot create the input file");
    inputPath = "/proc/self/fd/" + std::to_string(inputFile);
    // The graphics application lives until the end; made here, it is no allocation of any one input.
    EnsureGraphics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    PutInput(data, size);
    const Language language;
    QuietPrompts prompts;
    Project project;
    project.ProjectFileName = inputPath;
    const bool opened = LoadProject(project, language, prompts);

    if (opened) {
        if (prompts.Shown != 0) Fail("a file that opens shows a message");
        CheckSavedFileReadsBack(project);
    } else {
        // Only a version of 0 or below fails without telling the user.
        const bool silent = ReadProjectHeader({data, size}).Status == LoadStatus::NotReadable;
        if (prompts.Shown != (silent ? 0 : 1)) Fail("a failed open does not show exactly its one message");
    }
    return 0;
}
