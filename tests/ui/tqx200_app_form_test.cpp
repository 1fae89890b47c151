#include "ui/tqx200_app_form.h"
#include "ui/timage1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "workbench/workbench_fixture.h"

namespace qxed {
namespace {

// The window over the logic of the workbench tests: scripted dialogs, files in a fresh folder.
struct MainWindow {
    explicit MainWindow(const std::string& languageFile = {}) : bench(languageFile), window(bench.language) {
        bench.Show();
        window.SetLogic(&*bench.form);
    }
    template <class T>
    T* Find(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    testing::Workbench bench;
    TQX200AppForm window;
};

std::vector<QString> NamesOf(const QList<QAction*>& actions) {
    std::vector<QString> names;
    for (const QAction* action : actions)
        names.push_back(action->isSeparator() ? "-" : action->objectName());
    return names;
}

TEST(TQX200AppForm, MenusAndToolBarFollowTheActionTable) {
    MainWindow main;
    const QList<QAction*> menus = main.window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "文件(&F)");
    EXPECT_EQ(NamesOf(menus[2]->menu()->actions()),
              (std::vector<QString>{"ToolNewPage", "ToolPageAttr", "ToolDelPage", "-", "ToolAlarmList",
                                    "ToolSetQx200", "ToolHFuncKey", "-", "ToolVirtualPanel", "-",
                                    "ToolDispGrid"}));
    const QToolBar* toolBar = main.Find<QToolBar>("ToolBar1");
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(
        NamesOf(toolBar->actions()),
        (std::vector<QString>{"FileNew",       "FileOpen",     "FileSave",     "-",           "EditCut1",
                              "EditCopy1",     "EditPaste1",   "EditUndo",     "EditRedo",    "-",
                              "ToolNewPage",   "ToolPageAttr", "ToolCopyPage", "ToolDelPage", "-",
                              "ToolAlarmList", "ToolSetQx200", "ToolHFuncKey", "-",           "FileDown"}));
    const QAction* open = main.window.Action(ActionId::FileOpen);
    EXPECT_EQ(open->text(), "打开工程(&O)...");
    EXPECT_EQ(open->toolTip(), "打开工程");
    EXPECT_EQ(open->statusTip(), "打开现有工程文档");
    EXPECT_EQ(main.window.Action(ActionId::FileNew)->shortcut(), QKeySequence("Ctrl+I"));
    // The import entry is hidden in the menu, the export action at start.
    EXPECT_FALSE(main.window.Action(ActionId::FileImport)->isVisible());
    EXPECT_FALSE(main.window.Action(ActionId::FileOutport)->isVisible());
}

TEST(TQX200AppForm, TheWindowShowsItsLogicsStateAndForwardsItsActions) {
    MainWindow main;
    EXPECT_FALSE(main.window.Action(ActionId::FileSave)->isEnabled());
    EXPECT_FALSE(main.Find<QFrame>("ViewImagePanel")->isEnabled());
    EXPECT_FALSE(main.Find<QGroupBox>("PageGroupBox")->isEnabled());

    main.window.show();
    QApplication::setActiveWindow(&main.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window));
    QTest::keyClick(&main.window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(main.bench.dialogs.Calls, std::vector<std::string>{"plc"});
    EXPECT_TRUE(main.window.Action(ActionId::FileSave)->isEnabled());
    EXPECT_TRUE(main.Find<QFrame>("ViewImagePanel")->isEnabled());
    EXPECT_EQ(main.window.windowTitle(), " - 未命名");
    EXPECT_EQ(main.Find<QLabel>("Qx200ModelStatusBar")->text(), "QX-B");

    // The grid's check follows the logic, and the logic writes it to the settings.
    main.window.Action(ActionId::ToolDispGrid)->trigger();
    EXPECT_FALSE(main.window.Action(ActionId::ToolDispGrid)->isChecked());
    EXPECT_NE(main.bench.Settings().find("Grid=0"), std::string::npos);
}

TEST(TQX200AppForm, TheModelLaysOutTheWindow) {
    MainWindow main;
    main.bench.WriteProgramFile("7460031.dat", "model select");
    main.bench.Show();
    main.window.SetLogic(&*main.bench.form);
    struct Case {
        int model;
        int clientHeight;
        int visibleMarkers;
        bool touchKeyButton;
    };
    for (const Case& c : {Case{2, 609, 4, false}, Case{7, 469, 2, false}, Case{6, 453, 0, true}}) {
        SCOPED_TRACE(c.model);
        main.bench.dialogs.ModelAnswers.push_back(c.model);
        main.window.Action(ActionId::FileNew)->trigger();
        EXPECT_EQ(main.Find<QWidget>("ClientArea")->height(), c.clientHeight);
        EXPECT_EQ(main.Find<QWidget>("ClientArea")->width(), 721);
        int markers = 0;
        for (const char* name : {"F1Panel", "F2Panel", "F3Panel", "F4Panel"})
            markers += main.Find<QFrame>(name)->isVisibleTo(&main.window) ? 1 : 0;
        EXPECT_EQ(markers, c.visibleMarkers);
        EXPECT_EQ(main.Find<QToolButton>("TouchKeySpeedButton")->isVisibleTo(&main.window), c.touchKeyButton);
        const ModelLayout layout = ModelLayoutOf(c.model);
        EXPECT_EQ(main.window.Image1()->geometry(),
                  QRect(layout.Image.Left, layout.Image.Top, layout.Image.Width, layout.Image.Height));
        EXPECT_EQ(main.Find<QLabel>("Qx200ModelStatusBar")->geometry(),
                  QRect(721 - 97, layout.Rows.StatusBarsTop, 97, 20));
    }
}

TEST(TQX200AppForm, ADoubleClickOnTheModelStatusOffersTheModelChoice) {
    MainWindow main;
    QLabel* status = main.Find<QLabel>("Qx200ModelStatusBar");
    QTest::mouseDClick(status, Qt::LeftButton);
    EXPECT_TRUE(main.bench.form->ModelSelectEnabled());
    EXPECT_TRUE(main.bench.form->MoreModelsShown());
}

}  // namespace
}  // namespace qxed
