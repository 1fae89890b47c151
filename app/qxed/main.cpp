// The editor: the widget application first, then the graphics session, then the windows.
#include <QApplication>
#include <QIcon>

#include <string>
#include <vector>

#include "gfx/gfx_session.h"
#include "text/settings_paths.h"
#include "ui/editor.h"

int main(int argc, char** argv) {
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
