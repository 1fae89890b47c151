// Pictures of the editor's windows for a person to look at: the main window with a project, and every dialog
// as it opens. Run under a real display (scripts/screenshots.sh starts one): qxed-screenshots PROGRAM_FOLDER
// PROJECT OUT_FOLDER. The language is the user's choice (XDG_CONFIG_HOME), as for the editor itself.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "document/page_commands.h"
#include "document/element_commands.h"
#include "gfx/gfx_session.h"
#include "model/element_defaults.h"
#include "panels/panel_table.h"
#include "text/texts.h"
#include "ui/editor.h"
#include "ui/qt_editor_dialogs.h"
#include "ui/tdownload_form.h"
#include "ui/tproperty_panels.h"
#include "ui/tqx200_app_form.h"
#include "ui/tset_comm_para_ok_bottom_dlg.h"
#include "ui/tvirtual_panel_form.h"
#include "vpanel/panel_keys.h"

#include <unistd.h>
#include <QFile>

namespace {

QString outFolder;
int failures = 0;

void Save(QWidget* window, const QString& name) {
    if (window == nullptr) {
        std::fprintf(stderr, "qxed-screenshots: no window for %s\n", qPrintable(name));
        ++failures;
        return;
    }
    const QString path = outFolder + "/" + name + ".png";
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "qxed-screenshots: cannot write %s\n", qPrintable(path));
        ++failures;
    }
}

// Runs a modal dialog and takes its picture once it is on screen, then closes it as Cancel would.
void WhileModal(const QString& name, const std::function<void()>& run) {
    QTimer::singleShot(400, [name] {
        QWidget* dialog = QApplication::activeModalWidget();
        Save(dialog, name);
        if (dialog != nullptr) dialog->close();
    });
    run();
}

void Settle() {
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/qxed.svg")));
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: qxed-screenshots PROGRAM_FOLDER PROJECT OUT_FOLDER\n");
        return 2;
    }
    const qxed::GraphicsSession graphics;
    outFolder = args[3];
    QDir().mkpath(outFolder);

    const QString settings = QDir::temp().filePath(QStringLiteral("qxed-screenshots-%1.ini").arg(getpid()));
    qxed::Editor editor(args[1].toStdString(), settings.toStdString());
    editor.Show({args[2].toStdString()});
    Settle();
    QTimer::singleShot(300, [] {});
    Settle();
    Save(&editor.MainWindow(), QStringLiteral("main-window"));
    // Every page of the example: between them they hold every element kind.
    for (const qxed::Page& page : editor.Doc().Contents().Pages()) {
        editor.Doc().Apply(qxed::ChangeCurrentPage(page.Number));
        Settle();
        Save(&editor.MainWindow(), QStringLiteral("main-window-page%1").arg(page.Number));
    }
    editor.Doc().Apply(qxed::ChangeCurrentPage(editor.Doc().Contents().Pages().front().Number));

    qxed::QtEditorDialogs& dialogs = editor.Dialogs();
    const qxed::Project& project = editor.Doc().Contents();
    WhileModal(QStringLiteral("about"), [&] { dialogs.ShowAbout(); });
    WhileModal(QStringLiteral("model-select"),
               [&] { dialogs.SelectModel(project.Settings.CurrentModel, true); });
    WhileModal(QStringLiteral("plc-select"), [&] { dialogs.SelectPlc(project.Settings.Link(), false); });
    WhileModal(QStringLiteral("plc-select-station"), [&] {
        qxed::PlcLink free = project.Settings.Link();
        free.PlcType = 11;
        dialogs.SelectPlc(free, false);
    });
    WhileModal(QStringLiteral("line-parameters"),
               [&] { dialogs.SetCommParaDialog()->Run(qxed::LinePositions{}); });
    WhileModal(QStringLiteral("port-select"), [&] { dialogs.SelectComPort(0); });
    WhileModal(QStringLiteral("new-page"), [&] { dialogs.NewPage(); });
    WhileModal(QStringLiteral("page-attributes"), [&] { dialogs.PageAttr(); });
    WhileModal(QStringLiteral("copy-page"), [&] { dialogs.CopyPage(); });

    // The panel settings, alarm list and global key dialogs on a 64-row model with keys and on QX420, with
    // the control block in use and a few alarms.
    for (const auto& [model, suffix] : {std::pair{4, "64rows"}, std::pair{2, "qx420"}}) {
        qxed::Project shown = project;
        shown.Settings.CurrentModel = static_cast<uint8_t>(model);
        shown.Settings.CtrlFlags = qxed::ProjectSettings::kAutoPageNo | qxed::ProjectSettings::kReportPageNo |
                                   qxed::ProjectSettings::kDateTime | qxed::ProjectSettings::kPanelStatusLed;
        if (shown.Settings.AlarmCount == 0) {
            shown.Settings.AlarmCount = 3;
            shown.AlarmTexts[0] = "Motor overload";
            shown.AlarmTexts[1] = "Pressure low";
            shown.AlarmTexts[2] = "Door open";
        }
        shown.GlobalKeys[0].Function = qxed::KeyAction::kSetCoil;
        const QString name = QString::fromLatin1(suffix);
        WhileModal(QStringLiteral("panel-settings-") + name, [&] { dialogs.SetQX200(shown); });
        WhileModal(QStringLiteral("alarm-list-") + name, [&] { dialogs.AlarmList(shown); });
        WhileModal(QStringLiteral("global-keys-") + name, [&] { dialogs.HFuncKey(shown); });
    }

    // The download window as it shows a download under way.
    qxed::TDownloadForm* download = dialogs.DownloadForm();
    download->ShowLabel(editor.Texts().TextUtf8(qxed::texts::DownloadPageContent));
    download->ShowProgress(40, 100);
    download->show();
    Settle();
    Save(download, QStringLiteral("download"));
    download->hide();

    // The panel window on the example, as the Tool menu opens it: the home page, then the next page.
    editor.MainWindow().Action(qxed::ActionId::ToolVirtualPanel)->trigger();
    Settle();
    if (qxed::TVirtualPanelForm* panel = dialogs.VirtualPanelWindow()) {
        Save(panel, QStringLiteral("virtual-panel"));
        panel->Logic().KeyButtonPress(qxed::panel_keys::kDown);
        panel->Logic().KeyButtonRelease(qxed::panel_keys::kDown);
        Settle();
        Save(panel, QStringLiteral("virtual-panel-next"));
        panel->close();
    } else {
        Save(nullptr, QStringLiteral("virtual-panel"));
    }

    // Every property panel, filled from a new element of its kind placed on the current page; the page
    // attributes with nothing selected. The elements are not saved.
    QWidget* area = editor.MainWindow().PropertyArea();
    area->setVisible(true);
    editor.Doc().Apply(qxed::SelectElement(std::nullopt));
    Settle();
    Save(area, QStringLiteral("panel-AttrGroupBox"));
    for (const qxed::PanelRow& row : qxed::PanelRows()) {
        if (row.Kind == 0) continue;
        qxed::Element element = qxed::NewElement(editor.Doc().Contents(), row.Kind);
        element.X = 40;
        element.Y = 20;
        if (row.Kind == static_cast<int32_t>(qxed::ElementKind::Pic)) {
            element.As<qxed::PicFields>().Width = 120;
            element.As<qxed::PicFields>().Height = 60;
        }
        editor.Doc().Apply(qxed::PlaceElement(std::move(element)));
        Settle();
        Save(area, QStringLiteral("panel-") +
                       QString::fromLatin1(row.GroupBox.data(), static_cast<int>(row.GroupBox.size())));
    }

    QFile::remove(settings);
    return failures == 0 ? 0 : 1;
}
