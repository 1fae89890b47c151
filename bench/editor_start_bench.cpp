// The editor's start with the example project, as a person waits for it: from the process start to the main
// window shown with the project open, on the offscreen platform. Each run is a fresh process (the program
// runs itself), so nothing is warm but the disk cache; the result is the median.
#include <QApplication>
#include <QTimer>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/gfx_session.h"
#include "text/settings_paths.h"
#include "ui/editor.h"
#include "ui/tqx200_app_form.h"

namespace {

constexpr double kLimitSeconds = 0.5;
constexpr int kRuns = 7;

// When this process started, in seconds of the boot clock (the kernel counts in clock ticks).
double ProcessStartSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // The fields after the command's closing bracket: state is field 3, start time field 22.
    std::size_t at = line.rfind(')');
    for (int field = 2; field < 22 && at != std::string::npos; ++field)
        at = line.find(' ', at + 1);
    if (at == std::string::npos) return 0;
    return std::strtod(line.c_str() + at + 1, nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double BootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One start: prints the seconds it took.
int StartOnce(int argc, char** argv, const std::string& project) {
    qxed::PrepareOffscreenGraphics();
    QApplication application(argc, argv);
    const qxed::GraphicsSession graphics;
    const std::string settings = "/tmp/qxed-start-bench-" + std::to_string(getpid()) + ".ini";
    qxed::Editor editor(qxed::ProgramFolder(), settings);
    editor.Show({project});
    QTimer::singleShot(0, [&] {
        // The window has been shown and its first events handled.
        const bool shown = editor.MainWindow().isVisible() && editor.Doc().Contents().Pages().size() > 1;
        std::printf("%.6f %d\n", BootSeconds() - ProcessStartSeconds(), shown ? 1 : 0);
        QApplication::quit();
    });
    QApplication::exec();
    std::remove(settings.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string project = qxed::ProgramFolder() + "/../examples/demo.qx2";
    if (argc > 1 && std::string(argv[1]) == "--once") return StartOnce(argc, argv, project);

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        // The offscreen platform's notes about window sizes are not the bench's business.
        const std::string command = std::string("'") + argv[0] + "' --once 2>/dev/null";
        FILE* child = popen(command.c_str(), "r");
        double seconds = 0;
        int shown = 0;
        if (child == nullptr || std::fscanf(child, "%lf %d", &seconds, &shown) != 2 || shown != 1) {
            std::fprintf(stderr, "bench_editor_start: the editor did not show the example project\n");
            if (child != nullptr) pclose(child);
            return 1;
        }
        pclose(child);
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf(
        "editor start with the example project: median %.3f s of %d runs (fastest %.3f s, limit %.1f s)\n",
        median, kRuns, times.front(), kLimitSeconds);
    return median <= kLimitSeconds ? 0 : 1;
}
