// The editor: the widget application first, then the graphics session, then the windows.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/gfx_session.h"
#include "text/settings_paths.h"
#include "ui/editor.h"
#include "version.h"

namespace {

constexpr const char kHelp[] =
    "Usage: qxed [PROJECT]\n"
    "\n"
    "The screen editor for QX200 operator panels: pages of texts, registers, lamps, keys, graphs and\n"
    "pictures, the PLC link and panel settings, the alarm list, and the download to the panel. PROJECT, a\n"
    "project file (.qx2), is opened at start; without it a new project begins. The texts, PLC drivers and\n"
    "glyph files are read from beside the program, the user's settings from Qx200.Ini in the settings\n"
    "folder.\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help\n"
    "  -V, --version   show the version and the revision it was built from\n"
    "\n"
    "The headless tools: qxed-cli(1) for scripts, qxed-panelsim(1) for a panel on a pseudo-terminal.\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed, so that they work on a console.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return std::fputs(kHelp, stdout) < 0 ? 1 : 0;
        if (arg == "--version" || arg == "-V")
            return std::fputs(VersionLine("qxed").c_str(), stdout) < 0 ? 1 : 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qxed"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/qxed.svg")));
    const qxed::GraphicsSession graphics;

    // The toolkit has taken its own options; what is left are the editor's: a project to open.
    std::vector<std::string> arguments;
    const QStringList all = QApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toStdString());

    qxed::Editor editor(qxed::ProgramFolder(), qxed::UserSettingsPath());
    editor.Show(arguments);
    return QApplication::exec();
}
