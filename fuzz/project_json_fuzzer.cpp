// Makes a project from the input as its JSON form (what `qxed-cli make` reads). A project that is made must
// save to a file that opens to the same bytes, and its own JSON form must make the same project again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "files/project_file.h"
#include "files/project_json.h"
#include "gfx/gfx_session.h"

namespace {

using namespace qxed;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "project JSON fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Pictures are decoded through the graphics application. Started here, it is no allocation of any one
    // input; it lives until the fuzzer ends the process.
    PrepareOffscreenGraphics();
    static int argc = 1;
    static char name[] = "fuzz_project_json";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    static const GraphicsSession graphics;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Project project;
    if (MakeProjectFromJson(std::string(reinterpret_cast<const char*>(data), size), project)) return 0;

    const std::vector<uint8_t> saved = SerializeProject(project);
    Project opened;
    if (ReadProjectBytes(saved, opened).Status != LoadStatus::Ok) Fail("a made project saves to a bad file");
    if (SerializeProject(opened) != saved) Fail("a made project's file opens to another project");

    Project again;
    if (const auto error = MakeProjectFromJson(DumpProjectJson(project, std::nullopt), again)) {
        std::fprintf(stderr, "%s: %s\n", error->Path.c_str(), error->Message.c_str());
        Fail("the JSON form of a made project is refused");
    }
    if (SerializeProject(again) != saved) Fail("the JSON form of a made project makes another project");
    return 0;
}
