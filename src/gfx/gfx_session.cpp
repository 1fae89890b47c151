#include "gfx/gfx_session.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <mutex>
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

// Headless tools often run without a session (CI, cron, ssh): give the graphics layer a private runtime
// folder of its own, as a session would, instead of letting it warn on stderr about the missing one.
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

void CreateApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureRuntimeFolder();
    // The application keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "qxed";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // intentionally never deleted
}

void InstallSubstitutions() {
    // The font database needs a graphics application; a bare core application has none to ask.
    const QStringList families = qGuiApp != nullptr ? QFontDatabase::families() : QStringList();
    for (const FaceSubstitution& entry : kSubstitutions) {
        const QString substitute = QString::fromUtf8(entry.Substitute);
        if (entry.OnlyWhenInstalled && !families.contains(substitute, Qt::CaseInsensitive)) continue;
        QFont::insertSubstitution(QString::fromUtf8(entry.Face), substitute);
    }
}

}  // namespace

// The graphics application lives until the process ends, and fontconfig keeps its configuration with it.
// A sanitizer build's leak checker is told so, instead of failing every program that drew text.
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

void EnsureGraphics() {
    static std::once_flag once;
    std::call_once(once, [] {
        CreateApplication();
        InstallSubstitutions();
    });
}

}  // namespace qxed
