#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <string>
#include <vector>

#include "document/document.h"
#include "modal_script.h"
#include "support/recording_prompts.h"
#include "text/language.h"
#include "ui/qt_editor_dialogs.h"
#include "ui/tabout_box.h"
#include "ui/tdownload_form.h"
#include "ui/tmodel_select_ok_bottom_dlg.h"
#include "ui/tplc_select_ok_bottom_dlg.h"
#include "ui/tselect_com_port_ok_bottom_dlg.h"
#include "ui/tset_comm_para_ok_bottom_dlg.h"
#include "workbench/about_box.h"

namespace qxed::testing {
namespace {

template <class T>
T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// A person clicks a push button in its middle, a radio button on its indicator.
void Click(QWidget* window, const char* name) {
    auto* button = Control<QAbstractButton>(window, name);
    if (button == nullptr) return;
    const QPoint at =
        qobject_cast<QRadioButton*>(button) ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// A radio group's item.
void ClickItem(QWidget* window, const char* group, int index) {
    Click(window, (std::string(group) + std::to_string(index)).c_str());
}

int CheckedItem(QWidget* window, const char* group) {
    auto* box = Control<QGroupBox>(window, group);
    if (box == nullptr) return -2;
    const QList<QRadioButton*> items = box->findChildren<QRadioButton*>();
    for (int index = 0; index < items.size(); ++index)
        if (items[index]->isChecked()) return index;
    return -1;
}

void Retype(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

class DialogsWidgetTest : public ::testing::Test {
  protected:
    Language language;
    AboutBox about{language, AboutConfig{}};
    RecordingPrompts prompts;
    Document document;
    QtEditorDialogs dialogs{document, language, about, prompts, nullptr};

    // A Halden_M link with none of the type's line defaults: 38400 baud, 7 data bits, 2 stop bits, odd.
    static PlcLink UnusualLink() {
        PlcLink link;
        link.PlcType = 21;
        link.PanelStation = 7;
        link.BaudCode = 9;
        link.SevenDataBits = 1;
        link.OneStopBit = 0;
        link.Parity = 1;
        return link;
    }
};

TEST_F(DialogsWidgetTest, EveryControlIsThereUnderItsName) {
    struct Window {
        QWidget* Dialog;
        std::vector<const char*> Names;
    };
    const Window windows[] = {
        {dialogs.AboutBoxWindow(),
         {"ProgramIcon", "ProductName", "Version", "VerNumLabel", "Copyright", "Comments", "UpgradeModeLabel",
          "OKButton"}},
        {dialogs.DownloadForm(), {"ProcInfoLabel", "ProcInfoProgressBar", "CancelBtn", "Label1"}},
        {dialogs.PlcSelectDialog(),
         {"SelectPLCTypeLabel", "PLCTypeLabel", "PlcTypeComboBox", "Qx200StationNoLabel",
          "Qx200StationSpinEdit", "CommParaLabel", "SetCommParaButton", "OkBtn", "CancelBtn"}},
        {dialogs.SelectComPortDialog(),
         {"SelectCommPortLabel", "CommPortLabel", "Label1", "CommNoComboBox", "OKBtn", "CancelBtn"}},
        {dialogs.SetCommParaDialog(),
         {"BaudRateRadioGroup", "DataBitRadioGroup", "StopBitRadioGroup", "ParityRadioGroup", "OKBtn",
          "CancelBtn"}},
        {dialogs.ModelSelectDialog(),
         {"SelectModelLabel", "Qx204RadioButton", "Qx210RadioButton", "Qx220RadioButton", "Qx2201RadioButton",
          "Qx221RadioButton", "Qx222RadioButton", "Qx205RadioButton", "Qx223RadioButton", "Qx325RadioButton",
          "Qx420RadioButton", "Qx421RadioButton", "Qx224RadioButton", "Qx225RadioButton", "OKBtn",
          "CancelBtn"}},
    };
    for (const Window& window : windows) {
        ASSERT_NE(window.Dialog, nullptr);
        EXPECT_TRUE(window.Dialog->isModal());
        EXPECT_EQ(window.Dialog->minimumSize(), window.Dialog->maximumSize()) << "fixed size";
        for (const char* name : window.Names)
            Control<QWidget>(window.Dialog, name);
    }
    EXPECT_EQ(Control<QLabel>(dialogs.AboutBoxWindow(), "VerNumLabel")->text(), "V9.4.3");
    EXPECT_TRUE(Control<QLabel>(dialogs.DownloadForm(), "Label1")->isHidden());
    EXPECT_EQ(Control<QPushButton>(dialogs.DownloadForm(), "CancelBtn")->text(), "取  消");
    EXPECT_EQ(dialogs.DownloadForm()->windowTitle(), "下载画面数据");
    EXPECT_EQ(Control<QComboBox>(dialogs.PlcSelectDialog(), "PlcTypeComboBox")->itemText(2), "Halden_M");
    EXPECT_EQ(Control<QSpinBox>(dialogs.PlcSelectDialog(), "Qx200StationSpinEdit")->maximum(), 255);
    EXPECT_EQ(Control<QRadioButton>(dialogs.SetCommParaDialog(), "DataBitRadioGroup0")->text(), "7 位");
}

TEST_F(DialogsWidgetTest, PortBoxTakesATypedNumber) {
    struct Case {
        const char* Typed;
        std::optional<int> Port;
        bool Ok;
    };
    const Case cases[] = {{"12", 11, true}, {"abc", 2, true}, {"5", std::nullopt, false}};
    TSelectComPortOKBottomDlg* dialog = dialogs.SelectComPortDialog();
    for (const Case& c : cases) {
        auto* box = Control<QComboBox>(dialog, "CommNoComboBox");
        QString shown;
        WhenShown(dialog, [&] {
            shown = box->currentText();
            Retype(box->lineEdit(), c.Typed);
            Click(dialog, c.Ok ? "OKBtn" : "CancelBtn");
        });
        EXPECT_EQ(dialogs.SelectComPort(2), c.Port) << c.Typed;
        EXPECT_EQ(shown, "3");
        EXPECT_EQ(box->count(), 8);
    }
}

TEST_F(DialogsWidgetTest, LineDialogShowsThePositionsAndGivesTheClickedOnes) {
    TSetCommParaOKBottomDlg* dialog = dialogs.SetCommParaDialog();
    const LinePositions given{4, 0, 1, 1};
    // Filling alone changes nothing.
    std::vector<int> shown;
    WhenShown(dialog, [&] {
        for (const char* group :
             {"BaudRateRadioGroup", "DataBitRadioGroup", "StopBitRadioGroup", "ParityRadioGroup"})
            shown.push_back(CheckedItem(dialog, group));
        Click(dialog, "OKBtn");
    });
    EXPECT_EQ(dialog->Run(given), given);
    EXPECT_EQ(shown, (std::vector<int>{4, 0, 1, 1}));

    WhenShown(dialog, [&] {
        ClickItem(dialog, "BaudRateRadioGroup", 5);
        ClickItem(dialog, "ParityRadioGroup", 2);
        Click(dialog, "OKBtn");
    });
    EXPECT_EQ(dialog->Run(given), (LinePositions{5, 0, 1, 2}));

    WhenShown(dialog, [&] {
        ClickItem(dialog, "DataBitRadioGroup", 1);
        Click(dialog, "CancelBtn");
    });
    EXPECT_EQ(dialog->Run(given), std::nullopt);
}

TEST_F(DialogsWidgetTest, PlcDialogKeepsTheLinkWhenOnlyShownAndAfterACancelledLineDialog) {
    TPlcSelectOKBottomDlg* dialog = dialogs.PlcSelectDialog();
    TSetCommParaOKBottomDlg* line = dialogs.SetCommParaDialog();
    // Shown on one type and then on another, the filled boxes tell the dialog nothing.
    for (const int plcType : {3, 21}) {
        PlcLink link = UnusualLink();
        link.PlcType = plcType;
        WhenShown(dialog, [&] { Click(dialog, "OkBtn"); });
        const PlcSelection shown = dialogs.SelectPlc(link, false);
        EXPECT_EQ(shown.Result, ModalResult::Ok);
        EXPECT_EQ(shown.Link, link);
    }
    PlcSelection selection;

    // The line dialog shows what the PLC dialog opened with; cancelled, its clicks are lost.
    std::vector<int> shownInLine;
    WhenShown(dialog, [&] {
        WhenShown(line, [&] {
            shownInLine = {CheckedItem(line, "BaudRateRadioGroup"), CheckedItem(line, "ParityRadioGroup")};
            ClickItem(line, "BaudRateRadioGroup", 0);
            Click(line, "CancelBtn");
        });
        Click(dialog, "SetCommParaButton");
        Click(dialog, "OkBtn");
    });
    selection = dialogs.SelectPlc(UnusualLink(), false);
    EXPECT_EQ(shownInLine, (std::vector<int>{4, 1}));
    EXPECT_EQ(selection.Link, UnusualLink());

    // Confirmed, 115200 baud is stored.
    WhenShown(dialog, [&] {
        WhenShown(line, [&] {
            ClickItem(line, "BaudRateRadioGroup", 5);
            Click(line, "OKBtn");
        });
        Click(dialog, "SetCommParaButton");
        Click(dialog, "OkBtn");
    });
    EXPECT_EQ(dialogs.SelectPlc(UnusualLink(), false).Link.BaudCode, 10);
}

TEST_F(DialogsWidgetTest, PlcTypeChoiceShowsTheStationRowAndResizesTheDialog) {
    TPlcSelectOKBottomDlg* dialog = dialogs.PlcSelectDialog();
    auto* type = Control<QComboBox>(dialog, "PlcTypeComboBox");
    auto* station = Control<QSpinBox>(dialog, "Qx200StationSpinEdit");
    auto* ok = Control<QPushButton>(dialog, "OkBtn");
    struct Seen {
        bool StationShown;
        int Height;
        int OkTop;
    };
    std::vector<Seen> seen;
    const auto look = [&] { seen.push_back({station->isVisible(), dialog->height(), ok->y()}); };
    WhenShown(dialog, [&] {
        look();
        QTest::keyClick(type, Qt::Key_End);  // the last item, "Free"
        look();
        Retype(station->findChild<QLineEdit*>(), "42");
        Click(dialog, "OkBtn");
    });
    const PlcSelection selection = dialogs.SelectPlc(UnusualLink(), false);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].StationShown);
    EXPECT_TRUE(seen[1].StationShown);
    EXPECT_EQ(seen[1].Height - seen[0].Height, 227 - 195);
    EXPECT_EQ(seen[1].OkTop, 160);
    EXPECT_EQ(seen[0].OkTop, 128);
    EXPECT_EQ(selection.Link.PlcType, 11);
    EXPECT_EQ(selection.Link.PanelStation, 42);
    // The type's defaults replaced the shown line: 9600 baud, 8 data bits, even parity, one stop bit.
    EXPECT_EQ(selection.Link.BaudCode, 5);
    EXPECT_EQ(selection.Link.SevenDataBits, 0);
    EXPECT_EQ(selection.Link.Parity, 2);
    EXPECT_EQ(selection.Link.OneStopBit, 1);
}

TEST_F(DialogsWidgetTest, LockedPlcTypeBoxIsDisabled) {
    TPlcSelectOKBottomDlg* dialog = dialogs.PlcSelectDialog();
    bool enabled = true;
    WhenShown(dialog, [&] {
        enabled = Control<QComboBox>(dialog, "PlcTypeComboBox")->isEnabled();
        Click(dialog, "CancelBtn");
    });
    PlcLink link;
    link.PlcType = 2;
    link.PanelStation = 9;
    const PlcSelection selection = dialogs.SelectPlc(link, true);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(selection.Result, ModalResult::Cancel);
    EXPECT_EQ(selection.StationField, 9);
}

TEST_F(DialogsWidgetTest, ModelDialogOffersItsModelsAndGivesTheCheckedOne) {
    TModelSelectOKBottomDlg* dialog = dialogs.ModelSelectDialog();
    const auto offered = [dialog] {
        std::vector<std::string> names;
        for (QRadioButton* button : dialog->findChildren<QRadioButton*>())
            if (button->isVisible()) names.push_back(button->objectName().toStdString());
        return names;
    };
    std::vector<std::string> first;
    bool currentChecked = false;
    WhenShown(dialog, [&] {
        first = offered();
        currentChecked = Control<QRadioButton>(dialog, "Qx224RadioButton")->isChecked();
        Click(dialog, "Qx220RadioButton");
        Click(dialog, "OKBtn");
    });
    EXPECT_EQ(dialogs.SelectModel(11, false), 1);
    EXPECT_EQ(first, (std::vector<std::string>{"Qx220RadioButton", "Qx224RadioButton"}));
    EXPECT_TRUE(currentChecked);

    std::vector<std::string> more;
    WhenShown(dialog, [&] {
        more = offered();
        Click(dialog, "Qx225RadioButton");
        Click(dialog, "CancelBtn");
    });
    EXPECT_EQ(dialogs.SelectModel(1, true), std::nullopt);
    EXPECT_EQ(more, (std::vector<std::string>{"Qx220RadioButton", "Qx221RadioButton", "Qx224RadioButton",
                                              "Qx225RadioButton"}));
    // After the cancel the current model is checked again.
    EXPECT_TRUE(Control<QRadioButton>(dialog, "Qx220RadioButton")->isChecked());
}

TEST_F(DialogsWidgetTest, UpgradeModeLabelStepsOnDoubleClicks) {
    TAboutBox* box = dialogs.AboutBoxWindow();
    auto* label = Control<QLabel>(box, "UpgradeModeLabel");
    std::vector<std::string> modes;
    WhenShown(box, [&] {
        for (int click = 0; click < 4; ++click) {
            modes.push_back(label->text().toStdString() + about.UpgradeMode());
            QTest::mouseDClick(label, Qt::LeftButton);
        }
        Click(box, "OKButton");
    });
    dialogs.ShowAbout();
    EXPECT_EQ(modes, (std::vector<std::string>{"SS", "UU", "NN", "SS"}));
    EXPECT_EQ(about.UpgradeMode(), "U");
}

}  // namespace
}  // namespace qxed::testing
