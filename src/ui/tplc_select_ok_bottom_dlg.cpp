#include "ui/tplc_select_ok_bottom_dlg.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "ui/dialog_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kWidth = 420;
// The designed heights count the window frame and caption; the client area is that much smaller.
constexpr int kDesignedFrameHeight = 27;
constexpr int kBevelTop = 8;
constexpr int kFieldsLeft = 180;
// The line parameter row stands at the bevel's bottom, whether or not the station row is above it.
constexpr int kCommParaRowFromBevelBottom = 36;

}  // namespace

TPlcSelectOKBottomDlg::TPlcSelectOKBottomDlg(const Language& language, LineParameterDialog& lineDialog,
                                             QWidget* parent)
    : QDialog(parent), logic_(language, lineDialog) {
    const PlcSelectOKBottomDlg::Texts& texts = logic_.Captions();
    const PlcSelectLayout& layout = logic_.State().Layout;
    PrepareDialog(*this, language, texts.Caption, kWidth, layout.DialogHeight - kDesignedFrameHeight);

    bevel_ = new QFrame(this);
    bevel_->setObjectName(QStringLiteral("Bevel1"));
    bevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel_->setGeometry(8, kBevelTop, kWidth - 16, layout.BevelHeight);

    MakeLabel(this, "SelectPLCTypeLabel", texts.SelectPLCTypeLabel, QRect(20, 16, kWidth - 40, 20));
    MakeLabel(this, "PLCTypeLabel", texts.PLCTypeLabel, QRect(20, 44, kFieldsLeft - 24, 22));
    plcTypeComboBox_ = new QComboBox(this);
    plcTypeComboBox_->setObjectName(QStringLiteral("PlcTypeComboBox"));
    plcTypeComboBox_->setGeometry(kFieldsLeft, 44, 220, 22);
    plcTypeComboBox_->setMaxVisibleItems(16);
    for (const std::string& name : texts.TypeNames)
        plcTypeComboBox_->addItem(Qs(name));
    connect(plcTypeComboBox_, &QComboBox::currentIndexChanged, this,
            [this](int position) { logic_.PlcTypeComboBoxChange(position); });

    qx200StationNoLabel_ = MakeLabel(this, "Qx200StationNoLabel", texts.Qx200StationNoLabel,
                                     QRect(20, 76, kFieldsLeft - 24, 22));
    qx200StationSpinEdit_ = new QSpinBox(this);
    qx200StationSpinEdit_->setObjectName(QStringLiteral("Qx200StationSpinEdit"));
    qx200StationSpinEdit_->setGeometry(kFieldsLeft, 76, 72, 22);
    qx200StationSpinEdit_->setRange(kPanelStationMin, kPanelStationMax);
    connect(qx200StationSpinEdit_, &QSpinBox::valueChanged, this,
            [this](int station) { logic_.Qx200StationSpinEditChange(station); });

    // A long text takes two lines beside the button.
    commParaLabel_ = MakeLabel(this, "CommParaLabel", texts.CommParaLabel, QRect(20, 0, 270, 32));
    commParaLabel_->setWordWrap(true);
    setCommParaButton_ =
        MakeButton(this, "SetCommParaButton", texts.SetCommParaButton, QRect(300, 0, 100, 25));
    connect(setCommParaButton_, &QPushButton::clicked, this, [this] { logic_.SetCommParaButtonClick(); });

    const DialogButtons buttons =
        MakeDialogButtons(*this, "OkBtn", texts.OkButton, texts.CancelButton, layout.ButtonsTop, [this] {
            selection_ = logic_.OKBtnClick();
            accept();
        });
    okBtn_ = buttons.Ok;
    cancelBtn_ = buttons.Cancel;
    logic_.SetView(this);
}

PlcSelection TPlcSelectOKBottomDlg::Run(const PlcLink& link, bool typeLocked) {
    logic_.FormShow(link, typeLocked);
    selection_ = logic_.CancelBtnClick();
    exec();
    return selection_;
}

void TPlcSelectOKBottomDlg::reject() {
    selection_ = logic_.CancelBtnClick();
    QDialog::reject();
}

void TPlcSelectOKBottomDlg::ShowState(const PlcSelectState& state) {
    {
        const QSignalBlocker typeBlocker(plcTypeComboBox_);
        const QSignalBlocker stationBlocker(qx200StationSpinEdit_);
        plcTypeComboBox_->setCurrentIndex(state.TypePosition);
        plcTypeComboBox_->setEnabled(!state.TypeLocked);
        qx200StationSpinEdit_->setValue(state.Station);
    }
    const PlcSelectLayout& layout = state.Layout;
    qx200StationNoLabel_->setVisible(layout.StationVisible);
    qx200StationSpinEdit_->setVisible(layout.StationVisible);
    setFixedSize(kWidth, layout.DialogHeight - kDesignedFrameHeight);
    bevel_->resize(bevel_->width(), layout.BevelHeight);
    const int commParaTop = kBevelTop + layout.BevelHeight - kCommParaRowFromBevelBottom;
    commParaLabel_->move(commParaLabel_->x(), commParaTop - (commParaLabel_->height() - kButtonHeight) / 2);
    setCommParaButton_->move(setCommParaButton_->x(), commParaTop);
    okBtn_->move(okBtn_->x(), layout.ButtonsTop);
    cancelBtn_->move(cancelBtn_->x(), layout.ButtonsTop);
}

}  // namespace qxed
