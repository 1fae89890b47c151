#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "text/language.h"
#include "ui/tvirtual_panel_form.h"
#include "vpanel/panel_fixture.h"
#include "vpanel/panel_keys.h"

namespace qxed::testing {
namespace {

using namespace panel_keys;

// A QX220 page with a momentary key on 5 for coil 1:1:20, shown by a lamp, and a register 1:0:50.
Project WindowProject() {
    const int model = 1;
    Project project = SmallProject(model);
    project.AddPage(2, "");
    Page& page = project.Pages().front();
    AddElement<LampFields>(page, ElementKind::Lamp, model, 0, 0).Coil = PlcAddress{1, 1, 20};
    FuncKeyFields& key = AddElement<FuncKeyFields>(page, ElementKind::FuncKey, model, 40, 0);
    key.Action.Key = kNum0 + 5;
    key.Action.Coil = PlcAddress{1, 1, 20};
    key.Action.CoilAction = 3;
    AddElement<RegFields>(page, ElementKind::Reg, model, 0, 32).Address = PlcAddress{1, 0, 50};
    return project;
}

QImage ScreenOf(QWidget& window) {
    const QLabel* screen = window.findChild<QLabel*>(QStringLiteral("ScreenImage"));
    EXPECT_NE(screen, nullptr);
    return screen != nullptr ? screen->pixmap().toImage() : QImage();
}

TEST(TVirtualPanelForm, KeypadButtonsTableAndKeyboardDriveThePanel) {
    const Language language;
    TVirtualPanelForm window(StartPanel(WindowProject()), language, nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("模拟运行"));
    EXPECT_EQ(ScreenOf(window).size(), QSize(192 * 3, 64 * 3));
    const QLabel* status = window.findChild<QLabel*>(QStringLiteral("StatusLabel"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QString::fromUtf8("画面 1"));
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("OperandGrid"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("coil:1:1:20"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("0"));
    const ImageOperand coil{1, 1, 20};

    // The key button holds the momentary coil while it is down; the screen and the table follow at once.
    auto* five = window.findChild<QPushButton*>(QStringLiteral("Key15Button"));
    ASSERT_NE(five, nullptr);
    const QImage off = ScreenOf(window);
    QTest::mousePress(five, Qt::LeftButton);
    EXPECT_TRUE(window.Logic().Panel().Plc().Coil(coil));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("1"));
    EXPECT_NE(ScreenOf(window), off);
    QTest::mouseRelease(five, Qt::LeftButton);
    EXPECT_FALSE(window.Logic().Panel().Plc().Coil(coil));
    EXPECT_EQ(ScreenOf(window), off);

    // An edit of the table writes the register; filling the table wrote nothing.
    grid->item(0, 1)->setText(QStringLiteral("77"));
    EXPECT_EQ(window.Logic().Panel().Plc().Word(ImageOperand{1, 0, 50}), 77);
    grid->item(0, 1)->setText(QStringLiteral("x"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("77")) << "a refused value shows the value again";

    // The desktop's arrow key is the panel's: page 1 goes on to page 2.
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(window.Logic().Panel().CurrentPage(), 2);
}

}  // namespace
}  // namespace qxed::testing
