#include "gfx/gfx_session.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qxed {

namespace {

struct FaceSubstitution {
    const char* Face;        // UTF-8
    const char* Substitute;  // installed family
    bool OnlyWhenInstalled;
};

// Project files name Chinese faces that Linux desktops do not have; these installed faces stand in for
// them, so a whole text comes from one real face instead of per-glyph fallback.
constexpr std::array<FaceSubstitution, 6> kSubstitutions{{
    {"宋体", "AR PL UMing CN", false},
    {"SimSun", "AR PL UMing CN", false},
    {"新宋体", "AR PL UMing CN", false},
    {"NSimSun", "AR PL UMing CN", false},
    {"黑体", "WenQuanYi Zen Hei", true},
    {"SimHei", "WenQuanYi Zen Hei", true},
}};

std::atomic<bool> running{false};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "qxed: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

// A private runtime folder, as a desktop session would give, when the process has none.
void EnsureRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const std::string folder = "/tmp/qxed-runtime-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 0777) != 0700)
        return;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
}

void InstallSubstitutions() {
    const QStringList families = QFontDatabase::families();
    for (const FaceSubstitution& entry : kSubstitutions) {
        const QString substitute = QString::fromUtf8(entry.Substitute);
        if (entry.OnlyWhenInstalled && !families.contains(substitute, Qt::CaseInsensitive)) continue;
        QFont::insertSubstitution(QString::fromUtf8(entry.Face), substitute);
    }
}

}  // namespace

// The graphics application lives until the end of main, and fontconfig keeps its configuration for the
// whole process. A sanitizer build's leak checker is told so, instead of failing every program that drew
// text.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QXED_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QXED_ADDRESS_SANITIZER)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
#endif

void PrepareOffscreenGraphics() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureRuntimeFolder();
}

GraphicsSession::GraphicsSession() {
    // A core application without graphics has no font database to ask.
    if (qGuiApp == nullptr)
        Fail(
            "the graphics session was started before the program's graphics application object exists; "
            "main creates the application first, then the session");
    if (running.exchange(true)) Fail("a second graphics session was started while one runs");
    InstallSubstitutions();
}

GraphicsSession::~GraphicsSession() {
    running = false;
}

bool GraphicsSessionRunning() {
    return running;
}

void RequireGraphicsSession(const char* caller) {
    // The application object going before the session would be the same mistake the other way round.
    if (running && qGuiApp != nullptr) return;
    Fail(std::string(caller) +
         " needs the graphics session, which this program has not started: its main creates the graphics "
         "application object and then a GraphicsSession before anything is drawn, measured or decoded");
}

}  // namespace qxed
