#include "ui/tset_qx200_ok_bottom_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "text/language.h"
#include "text/texts.h"
#include "ui/dialog_controls.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"

namespace qxed {

namespace {

constexpr int kWidth = 440;
constexpr int kDesignedFrameHeight = 27;  // the designed heights count the frame and caption
constexpr int kBoxWidth = kWidth - 16;
constexpr int kCtrlTop = 176;
constexpr int kPeripheralTop = 166;  // inside the control group, below the interaction group
constexpr int kCtrlBelowPeripheral = 10;
constexpr int kLabelWidth = 100;
constexpr int kFieldLeft = 116;
// The option rows: box, direction label, "对应" label.
constexpr int kCheckLeft = 12;
constexpr int kCheckWidth = 196;
constexpr int kDirectLeft = 212;
constexpr int kDirectWidth = 100;
constexpr int kRegLeft = 316;
constexpr int kRegWidth = 86;
// Rows of the peripheral options; the status lamps take the first rows where they stand alone.
constexpr int kAnalogRow = 20;
constexpr int kDateTimeRow = 68;
constexpr int kStatusLedRow = 92;
constexpr int kCountRowBelow = 24;  // module count and lamp count under their option

}  // namespace

TSetQX200OKBottomDlg::TSetQX200OKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), language_(language), logic_(language) {
    const auto text = [&language](const TextKey& key) { return language.TextUtf8(key); };
    const ModelLayout& layout = logic_.Layout();
    PrepareDialog(*this, language, text(texts::SetQX200OKBottomDlgCaption), kWidth,
                  layout.SettingsRows.DialogHeight - kDesignedFrameHeight);
    SetQX200OKBottomDlg& logic = logic_;

    QGroupBox* para = MakeGroupBox(this, "Qx200ParaGroupBox", text(texts::Qx200ParaGroupBoxCaption),
                                   QRect(8, 8, kBoxWidth, 160));
    MakePanelLabel(para, "MasterPageNoLabel", text(texts::MasterPageNoLabelCaption), 12, 20, kLabelWidth);
    OnChange(MakeSpin(para, "HomePageNoSpinEdit", kFieldLeft, 20, 80),
             [&logic](int v) { logic.HomePageNoSpinEditChange(v); });
    MakePanelLabel(para, "PasswordLabel", text(texts::PasswordLabelCaption), 12, 46, kLabelWidth);
    OnChange(MakeSpin(para, "PasswordSpinEdit", kFieldLeft, 46, 100),
             [&logic](int v) { logic.PasswordSpinEditChange(v); });
    MakePanelLabel(para, "ScreenSaveLabel", text(texts::ScreenSaveLabelCaption), 12, 72, kLabelWidth);
    QComboBox* delay = MakeCombo(para, "ScreenSaveTimeComboBox", kFieldLeft, 72, 140);
    connect(delay, &QComboBox::activated, this, [&logic](int v) { logic.ScreenSaveTimeComboBoxChange(v); });
    auto* saver = new QButtonGroup(para);
    connect(MakeRadio(para, saver, "ScreenSaveDispPageRadioButton",
                      text(texts::ScreenSaveDispPageRadioButtonCaption), 30, 98, 100),
            &QRadioButton::clicked, this, [&logic] { logic.ScreenSaveDispPageRadioButtonClick(); });
    OnChange(MakeSpin(para, "ScreenSavePageNoSpinEdit", 136, 98, 80),
             [&logic](int v) { logic.ScreenSavePageNoSpinEditChange(v); });
    connect(MakeRadio(para, saver, "ScreenSaveTurnOffLightRadioButton",
                      text(texts::ScreenSaveTurnOffLightRadioButtonCaption), 30, 124, 160),
            &QRadioButton::clicked, this, [&logic] { logic.ScreenSaveTurnOffLightRadioButtonClick(); });
    const std::pair<const char*, const TextKey*> flags[] = {
        {"PowerBeepCheckBox", &texts::PowerBeepCheckBoxCaption},
        {"ExchangeWordCheckBox", &texts::ExchangeWordCheckBoxCaption},
        {"WriteNWordsCheckBox", &texts::WriteNWordsCheckBoxCaption},
        {"BlueGroundWhiteTextCheckBox", &texts::BlueGroundWhiteTextCheckBoxCaption},
    };
    void (SetQX200OKBottomDlg::*const flagHandlers[])(bool) = {
        &SetQX200OKBottomDlg::PowerBeepCheckBoxClick, &SetQX200OKBottomDlg::ExchangeWordCheckBoxClick,
        &SetQX200OKBottomDlg::WriteNWordsCheckBoxClick,
        &SetQX200OKBottomDlg::BlueGroundWhiteTextCheckBoxClick};
    for (int i = 0; i < 4; ++i) {
        const auto handler = flagHandlers[i];
        connect(MakeCheck(para, flags[i].first, text(*flags[i].second), 262, 20 + 26 * i, 152),
                &QCheckBox::clicked, this, [&logic, handler](bool checked) { (logic.*handler)(checked); });
    }

    ctrlGroupBox_ = MakeGroupBox(this, "Qx200CtrlGroupBox", text(texts::Qx200CtrlGroupBoxCaption),
                                 QRect(8, kCtrlTop, kBoxWidth, layout.SettingsRows.Qx200CtrlGroupBoxHeight));
    MakePanelLabel(ctrlGroupBox_, "CtrlRegStationNoLabel", text(texts::StationNoLabelCaption), 12, 20,
                   kLabelWidth);
    OnChange(MakeSpin(ctrlGroupBox_, "CtrlRegStationSpinEdit", kFieldLeft, 20, 80),
             [&logic](int v) { logic.CtrlStationSpinEditChange(v); });
    MakePanelLabel(ctrlGroupBox_, "CtrlRegNoLabel", text(texts::RegNoLabelCaption), 12, 46, kLabelWidth);
    QComboBox* type = MakeCombo(ctrlGroupBox_, "CtrlRegTypeComboBox", kFieldLeft, 46, 58);
    connect(type, &QComboBox::activated, this, [&logic](int v) { logic.CtrlRegTypeComboBoxChange(v); });
    OnChange(MakeSpin(ctrlGroupBox_, "CtrlRegNoSpinEdit", kFieldLeft + 60, 46, 80),
             [&logic](int v) { logic.CtrlRegNoSpinEditChange(v); });

    QGroupBox* interact =
        MakeGroupBox(ctrlGroupBox_, "InteractCtrlGroupBox", text(texts::InteractCtrlGroupBoxCaption),
                     QRect(8, 74, kBoxWidth - 16, 86));
    peripheralGroupBox_ = MakeGroupBox(
        ctrlGroupBox_, "PeripheralCtrlGroupBox", text(texts::PeripheralCtrlGroupBoxCaption),
        QRect(8, kPeripheralTop, kBoxWidth - 16, layout.SettingsRows.PeripheralCtrlGroupBoxHeight));
    struct OptionPlace {
        QWidget* Box;
        int Row;
        const TextKey* Caption;
        const TextKey* Direct;
    };
    const OptionPlace places[] = {
        {interact, 18, &texts::AutoPageNoCheckBoxCaption, &texts::AutoPageNoDirectLabelCaption},
        {interact, 58, &texts::ReportPageNoCheckBoxCaption, &texts::ReportPageNoDirectLabelCaption},
        {peripheralGroupBox_, kAnalogRow, &texts::AnalogInputOutputCheckBoxCaption,
         &texts::AnalogInputOutputDirectLabelCaption},
        {peripheralGroupBox_, kDateTimeRow, &texts::DateTimeCheckBoxCaption,
         &texts::DateTimeDirectLabelCaption},
        {peripheralGroupBox_, kStatusLedRow, &texts::PanelStatusLedCheckBoxCaption,
         &texts::PanelStatusLedDirectLabelCaption},
    };
    for (size_t i = 0; i < CtrlOptions().size(); ++i) {
        const CtrlOption& option = CtrlOptions()[i];
        const OptionPlace& place = places[i];
        const uint8_t bit = option.Bit;
        connect(
            MakeCheck(place.Box, option.CheckBox, text(*place.Caption), kCheckLeft, place.Row, kCheckWidth),
            &QCheckBox::clicked, this,
            [&logic, bit](bool checked) { logic.AutoPageNoCheckBoxClick(bit, checked); });
        MakePanelLabel(place.Box, option.DirectLabel, text(*place.Direct), kDirectLeft, place.Row,
                       kDirectWidth);
        MakePanelLabel(place.Box, option.RegLabel, "", kRegLeft, place.Row, kRegWidth);
    }
    MakePanelLabel(interact, "CtrlBeepLabel", text(texts::CtrlBeepLabelCaption), 30, 38, 180);
    MakePanelLabel(peripheralGroupBox_, "ModuleNumLabel", text(texts::ModuleNumLabelCaption), 32,
                   kAnalogRow + kCountRowBelow, 110);
    OnChange(MakeSpin(peripheralGroupBox_, "ModuleNumSpinEdit", 148, kAnalogRow + kCountRowBelow, 50),
             [&logic](int v) { logic.ModuleNumSpinEditChange(v); });
    MakePanelLabel(peripheralGroupBox_, "PanelStatusLedNumLabel", text(texts::PanelStatusLedNumLabelCaption),
                   32, kStatusLedRow + kCountRowBelow, 110);
    QComboBox* leds =
        MakeCombo(peripheralGroupBox_, "PanelStatusLedNumComboBox", 148, kStatusLedRow + kCountRowBelow, 56);
    connect(leds, &QComboBox::activated, this, [&logic](int v) { logic.PanelStatusLedNumComboBoxChange(v); });

    const DialogButtons buttons =
        MakeDialogButtons(*this, "OKBtn", text(texts::OKBtnCaption), text(texts::CancelBtnCaption),
                          layout.SettingsRows.ButtonsTop, [this] { accept(); });
    okBtn_ = buttons.Ok;
    cancelBtn_ = buttons.Cancel;
    logic_.SetView(this);
}

std::optional<ProjectSettings> TSetQX200OKBottomDlg::Run(const ProjectSettings& settings) {
    logic_.ApplyPlcProfile(settings.PlcType);
    logic_.ApplyModel(settings.CurrentModel);
    ApplyRows();
    logic_.FormShow(settings);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return logic_.OKBtnClick();
}

// The model decides the heights, and where the status lamps stand when they are the only peripheral.
void TSetQX200OKBottomDlg::ApplyRows() {
    const ModelLayout& layout = logic_.Layout();
    const PanelSettingsRows& rows = layout.SettingsRows;
    setFixedSize(kWidth, rows.DialogHeight - kDesignedFrameHeight);
    ctrlGroupBox_->resize(kBoxWidth, rows.Qx200CtrlGroupBoxHeight);
    peripheralGroupBox_->resize(peripheralGroupBox_->width(), rows.PeripheralCtrlGroupBoxHeight);
    okBtn_->move(okBtn_->x(), rows.ButtonsTop);
    cancelBtn_->move(cancelBtn_->x(), rows.ButtonsTop);
    const int ledRow = layout.StatusLedMoved ? kAnalogRow : kStatusLedRow;
    const auto moveRow = [this](const char* name, int top) {
        if (auto* widget = peripheralGroupBox_->findChild<QWidget*>(QString::fromLatin1(name)))
            widget->move(widget->x(), top);
    };
    for (const char* name : {"PanelStatusLedCheckBox", "PanelStatusLedDirectLabel", "PanelStatusLedRegLabel"})
        moveRow(name, ledRow);
    moveRow("PanelStatusLedNumLabel", ledRow + kCountRowBelow);
    moveRow("PanelStatusLedNumComboBox", ledRow + kCountRowBelow);
}

void TSetQX200OKBottomDlg::ShowState(const PanelState& state) {
    ApplyPanelState(*this, state, language_.FileCodePage());
}

}  // namespace qxed
