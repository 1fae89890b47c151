// Times saving and loading a large project against copying its file with plain file I/O.
// Usage: bench_project_file [pages [elements-per-page [runs]]]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_graphics.h"
#include "bench_prompts.h"
#include "files/project_file.h"
#include "gfx/mono_bitmap.h"
#include "model/element_defaults.h"
#include "model/project.h"
#include "model/user_prompts.h"
#include "text/language.h"

namespace {

using namespace qxed;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> SmallPicture(int seed) {
    MonoBitmap bitmap(24 + seed % 8, 16);
    for (int x = 0; x < bitmap.Width; ++x)
        bitmap.Set(x, (x + seed) % bitmap.Height, true);
    return EncodeMonoBmp(bitmap);
}

// Every kind in turn, with its defaults and a few fields set so that the elements differ.
Element MakeElement(const Project& project, int index) {
    const int32_t kind = 1 + index % kLastElementKind;
    Element element = NewElement(project, kind);
    element.X = (index * 7) % 300;
    element.Y = (index * 13) % 200;
    if (auto* pic = element.If<PicFields>()) {
        pic->Bitmap = SmallPicture(index);
        pic->Width = 40;
        pic->Height = 27;
    } else if (auto* var = element.If<VarTextFields>()) {
        var->Count = 4;
        for (int i = 0; i < var->Count; ++i)
            var->Texts[i] = "state " + std::to_string(i);
    } else if (auto* var = element.If<VarFontTextFields>()) {
        var->Count = 3;
        for (int i = 0; i < var->Count; ++i)
            var->Texts[i] = "value " + std::to_string(i);
    }
    return element;
}

Project MakeProject(int pages, int elementsPerPage) {
    Project project;
    project.Settings.CurrentModel = 2;
    project.Settings.AlarmCount = 256;
    for (int i = 0; i < 256; ++i)
        project.AlarmTexts[i] = "alarm " + std::to_string(i + 1);
    project.GlobalKeyCount = kGlobalKeySlots;
    project.ClearPages();
    for (int p = 1; p <= pages; ++p) {
        Page& page = project.AddPage(static_cast<uint16_t>(p), "page " + std::to_string(p));
        for (int e = 0; e < elementsPerPage; ++e)
            page.Elements.push_back(MakeElement(project, p * elementsPerPage + e));
    }
    return project;
}

// The plain copy: read the whole file, write it to a new file and flush it to disk, as a save does.
bool CopyFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    std::vector<uint8_t> bytes(static_cast<std::size_t>(fs::file_size(from)));
    const bool read = ::read(in, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(in);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) return false;
    const bool written = ::write(out, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    const bool synced = ::fsync(out) == 0;
    ::close(out);
    return read && written && synced;
}

// The fastest of the runs, in milliseconds: the least disturbed by other work on the machine.
double Fastest(int runs, const std::function<bool()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!work()) {
            std::cerr << "a run failed\n";
            std::exit(1);
        }
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const bench::OffscreenGraphics graphics;
    const int pages = argc > 1 ? std::atoi(argv[1]) : 200;
    const int elementsPerPage = argc > 2 ? std::atoi(argv[2]) : 50;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;

    std::string pattern = (fs::temp_directory_path() / "qxed-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path folder = pattern;

    const Language language;
    bench::ConfirmingPrompts prompts;
    Project project = MakeProject(pages, elementsPerPage);
    const std::string fileName = (folder / "bench.qx2").string();

    const double save = Fastest(runs, [&] { return SaveProject(project, fileName, language, prompts); });
    Project loaded;
    const double load = Fastest(runs, [&] { return LoadProject(loaded, fileName, language, prompts); });
    const std::string copyName = (folder / "copy.qx2").string();
    const double copy = Fastest(runs, [&] { return CopyFile(fileName, copyName); });

    std::vector<uint8_t> bytes;
    const double serialize = Fastest(runs, [&] {
        bytes = SerializeProject(project);
        return !bytes.empty();
    });
    const double parse = Fastest(runs, [&] {
        Project target;
        return ReadProjectBytes(bytes, target).Status == LoadStatus::Ok;
    });

    // What the loaded project's elements cost to make, without reading anything: the floor of a load.
    const double make = Fastest(runs, [&] {
        std::vector<std::vector<Element>> pagesOfElements(static_cast<std::size_t>(pages));
        int index = 0;
        for (auto& elements : pagesOfElements) {
            elements.reserve(static_cast<std::size_t>(elementsPerPage));
            for (int e = 0; e < elementsPerPage; ++e)
                elements.push_back(NewElementForReading(project, 1 + index++ % kLastElementKind));
        }
        return true;
    });

    const bool same = loaded == project;
    std::printf("project: %d pages x %d elements, file %zu bytes, loaded %s\n", pages, elementsPerPage,
                static_cast<std::size_t>(fs::file_size(fileName)), same ? "equal" : "DIFFERENT");
    std::printf("save   %8.2f ms  (%.2fx copy)\n", save, save / copy);
    std::printf("load   %8.2f ms  (%.2fx copy)\n", load, load / copy);
    std::printf("copy   %8.2f ms  (read, write, fsync)\n", copy);
    std::printf("in memory: serialize %.2f ms, parse %.2f ms\n", serialize, parse);
    std::printf("making the elements alone %.2f ms (%zu bytes each)\n", make, sizeof(Element));

    fs::remove_all(folder);
    return same ? 0 : 1;
}
