// Opens the input as a project file the way the editor does (LoadProject on a path), for every file version.
// A file that opens must also survive what the user does next: saving it gives a file that opens again to
// the same bytes, and its JSON form makes the same project again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QGuiApplication>

#include "files/project_file.h"
#include "files/project_json.h"
#include "gfx/gfx_session.h"
#include "memory_input.h"
#include "model/user_prompts.h"
#include "text/language.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "project file fuzzer: %s\n", what);
    std::abort();
}

using fuzz::QuietPrompts;

// Made once the fuzzer starts, so it is no allocation of any one input.
const fuzz::MemoryInputFile* input = nullptr;

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
    input = new fuzz::MemoryInputFile("qxed-fuzz-project");
    // Pictures are decoded through the graphics application. Started here, it is no allocation of any one
    // input; it lives until the fuzzer ends the process.
    PrepareOffscreenGraphics();
    static int argc = 1;
    static char name[] = "fuzz_project_file";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    static const GraphicsSession graphics;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    input->Put(data, size);
    const Language language;
    QuietPrompts prompts;
    Project project;
    const bool opened = LoadProject(project, input->Path(), language, prompts);

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
