#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "modal_script.h"
#include "text/language.h"
#include "ui/talarm_list_ok_bottom_dlg.h"
#include "ui/thfunc_key_ok_bottom_dlg.h"
#include "ui/tset_qx200_ok_bottom_dlg.h"

namespace qxed::testing {
namespace {

template <class T>
T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void Click(QWidget* window, const char* name) {
    if (auto* button = Control<QAbstractButton>(window, name))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void ClickOk(QDialog* dialog) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, "OKBtn"), Qt::LeftButton);
}

Project ProjectOn(int model, int plcType = 0) {
    Project project;
    project.Settings.PlcType = plcType;
    ResetProject(project);
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    return project;
}

TEST(PanelDialogsWidget, OkWithoutChangesGivesBackWhatWasShown) {
    const Language language;
    Project project = ProjectOn(2);
    project.Settings.HomePageNo = 9;
    project.Settings.CtrlFlags = ProjectSettings::kReportPageNo | ProjectSettings::kDateTime;
    project.Settings.CtrlReg.Number = 30;
    project.Settings.AlarmCount = 2;
    project.AlarmTexts[0] = "A";
    project.AlarmTexts[1] = "B";
    project.GlobalKeys[4].Function = KeyAction::kPageJump;
    project.GlobalKeys[4].PageNo = 6;

    TSetQX200OKBottomDlg settings(language, nullptr);
    WhenShown(&settings, [&] { ClickOk(&settings); });
    EXPECT_EQ(settings.Run(project.Settings), project.Settings);

    TAlarmListOKBottomDlg alarms(language, nullptr);
    WhenShown(&alarms, [&] { ClickOk(&alarms); });
    const std::optional<AlarmListChoice> list = alarms.Run(project);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Count, 2);
    EXPECT_EQ(list->Coil, project.Settings.AlarmCoil);
    EXPECT_EQ(list->Texts, project.AlarmTexts);

    THFuncKeyOKBottomDlg keys(language, nullptr);
    WhenShown(&keys, [&] { ClickOk(&keys); });
    const std::optional<GlobalKeyChoice> chosen = keys.Run(project);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Keys, project.GlobalKeys);
}

TEST(PanelDialogsWidget, SettingsWindowShowsTheBlockAndTakesTheModelsHeight) {
    const Language language;
    TSetQX200OKBottomDlg dialog(language, nullptr);
    Project project = ProjectOn(2);
    project.Settings.CtrlReg.Number = 100;
    WhenShown(&dialog, [&] {
        EXPECT_FALSE(Control<QSpinBox>(&dialog, "CtrlRegNoSpinEdit")->isEnabled());
        Click(&dialog, "AutoPageNoCheckBox");
        Click(&dialog, "DateTimeCheckBox");
        EXPECT_TRUE(Control<QSpinBox>(&dialog, "CtrlRegNoSpinEdit")->isEnabled());
        EXPECT_EQ(Control<QLabel>(&dialog, "AutoPageNoRegLabel")->text(), "对应 D100");
        EXPECT_EQ(Control<QLabel>(&dialog, "DateTimeRegLabel")->text(), "对应 D101");
        EXPECT_TRUE(Control<QLabel>(&dialog, "ReportPageNoRegLabel")->isHidden());
        Click(&dialog, "ScreenSaveDispPageRadioButton");
        EXPECT_TRUE(Control<QSpinBox>(&dialog, "ScreenSavePageNoSpinEdit")->isEnabled());
        EXPECT_EQ(dialog.height(), 587 - 27);
        ClickOk(&dialog);
    });
    const std::optional<ProjectSettings> ok = dialog.Run(project.Settings);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->CtrlFlags, ProjectSettings::kAutoPageNo | ProjectSettings::kDateTime);
    EXPECT_EQ(ok->ScreenSaveTurnOffLight, 0);

    WhenShown(&dialog, [&] {
        EXPECT_EQ(dialog.height(), 510 - 27);
        EXPECT_TRUE(Control<QCheckBox>(&dialog, "DateTimeCheckBox")->isHidden());
        Click(&dialog, "AutoPageNoCheckBox");
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Run(ProjectOn(0).Settings));
}

TEST(PanelDialogsWidget, AlarmGridKeepsEnterAndEscapeAndAppendsRows) {
    const Language language;
    TAlarmListOKBottomDlg dialog(language, nullptr);
    Project project = ProjectOn(1);
    project.Settings.AlarmCoil.Number = 10;
    project.Settings.AlarmCount = 2;
    project.AlarmTexts[0] = "A";
    project.AlarmTexts[1] = "B";
    WhenShown(&dialog, [&] {
        auto* grid = Control<QTableWidget>(&dialog, "AlarmListStringGrid");
        EXPECT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(grid->item(1, 0)->text(), "M11");
        EXPECT_EQ(grid->item(2, 0)->text(), "");
        EXPECT_EQ(grid->currentColumn(), 1);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Escape);
        QTest::keyClick(grid, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        if (QWidget* editor = QApplication::focusWidget(); editor != nullptr && editor != grid)
            QTest::keyClick(editor, Qt::Key_Escape);
        // A text the project's code page cannot hold is not taken, and the stored text stays.
        grid->item(1, 1)->setText(QString::fromUtf8("B\xF0\x9F\x99\x82"));
        QApplication::processEvents();
        EXPECT_EQ(grid->item(1, 1)->text(), "B");
        grid->item(2, 1)->setText("C");
        QApplication::processEvents();
        EXPECT_EQ(grid->rowCount(), 4);
        EXPECT_EQ(grid->item(2, 0)->text(), "M12");
        ClickOk(&dialog);
    });
    const std::optional<AlarmListChoice> list = dialog.Run(project);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Count, 3);
    EXPECT_EQ(list->Texts[2], "C");
}

TEST(PanelDialogsWidget, KeyGridHidesTheFunctionGroupOutsideTheModelsKeys) {
    const Language language;
    THFuncKeyOKBottomDlg dialog(language, nullptr);
    Project project = ProjectOn(10);
    WhenShown(&dialog, [&] {
        auto* grid = Control<QTableWidget>(&dialog, "HFuncKeyStringGrid");
        auto* content = Control<QGroupBox>(&dialog, "HFuncKeyContentGroupBox");
        EXPECT_EQ(grid->item(0, 3)->text(), "  F4");
        EXPECT_EQ(grid->item(0, 4)->text(), "     ");
        grid->setCurrentCell(1, 0);
        EXPECT_TRUE(content->isHidden());
        grid->setCurrentCell(0, 5);
        EXPECT_TRUE(content->isHidden());
        grid->setCurrentCell(0, 2);
        EXPECT_FALSE(content->isHidden());
        Click(&dialog, "HFuncKeySetCoilRadioButton");
        EXPECT_FALSE(Control<QGroupBox>(&dialog, "HFuncKeyCoilGroupBox")->isHidden());
        ClickOk(&dialog);
    });
    const std::optional<GlobalKeyChoice> keys = dialog.Run(project);
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->Count, 4);
    EXPECT_EQ(keys->Keys[2].Function, KeyAction::kSetCoil);
    EXPECT_EQ(keys->Keys[0].Function, KeyAction::kNoFunction);
}

}  // namespace
}  // namespace qxed::testing
