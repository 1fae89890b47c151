// Times the redraw of a page of 255 elements of every kind, as every edit redraws it, beside one fill of the
// whole preview image, on a 64-row and on the 320 x 240 panel; the first redraw, with nothing kept yet, is
// shown too. The element pictures are read from beside the program. Exits with 1 when a redraw takes longer
// than 5 ms (the aim) or fails.
// Usage: bench_preview [runs]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_graphics.h"
#include "gfx/canvas.h"
#include "preview_bench_page.h"
#include "text/settings_paths.h"
#include "workbench/preview_painter.h"

namespace {

using namespace qxed;

constexpr double kAimMicroseconds = 5000;

struct ModelRun {
    int Model;
    const char* Name;
};

constexpr ModelRun kModels[] = {{6, "QX223 192 x 64"}, {2, "QX420 320 x 240"}};

}  // namespace

int main(int argc, char** argv) {
    const bench::OffscreenGraphics graphics;
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 200;
    bool metAim = true;
    for (const ModelRun& run : kModels) {
        Project project;
        const Page page = bench::MixedElementsPage(project, run.Model);
        PreviewCache cache(ProgramFolder());
        const PreviewInput input{page, run.Model, project.Defaults.TextCodePage, cache, true, true};
        Canvas canvas(0, 0);
        // The first redraw loads the pictures and draws every text anew; the timed ones, as after an edit,
        // find what the page shows in the cache.
        bool complete = false;
        const double first =
            bench::MedianMicroseconds(1, [&] { complete = RedrawPage(canvas, input).Complete; });
        if (!complete) {
            std::fprintf(stderr, "bench_preview: the element pictures beside the program cannot be loaded\n");
            return 1;
        }
        const double redraw = bench::MedianMicroseconds(runs, [&] { RedrawPage(canvas, input); });
        const double fill = bench::MedianMicroseconds(runs, [&] { canvas.Fill(); });
        std::printf(
            "%-16s %3zu elements  redraw %6.0f us (first %6.0f us)   one image fill (%d x %d) %5.1f us"
            "   ratio %.0f\n",
            run.Name, page.Elements.size(), redraw, first, canvas.Width(), canvas.Height(), fill,
            fill > 0 ? redraw / fill : 0.0);
        if (redraw > kAimMicroseconds) metAim = false;
    }
    if (!metAim) std::printf("a redraw took longer than the aim of %.0f us\n", kAimMicroseconds);
    return metAim ? 0 : 1;
}
