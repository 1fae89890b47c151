#include "ui/tset_comm_para_ok_bottom_dlg.h"

#include "ui/dialog_controls.h"

namespace qxed {

namespace {
constexpr int kWidth = 384;
constexpr int kHeight = 232;
}  // namespace

TSetCommParaOKBottomDlg::TSetCommParaOKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), logic_(language) {
    const SetCommParaOKBottomDlg::Texts& texts = logic_.Captions();
    PrepareDialog(*this, language, texts.Caption, kWidth, kHeight);
    baudRateRadioGroup_ = new RadioGroup(this, "BaudRateRadioGroup", texts.BaudRate.Caption,
                                         texts.BaudRate.Items, 2, QRect(8, 8, 180, 112));
    dataBitRadioGroup_ = new RadioGroup(this, "DataBitRadioGroup", texts.DataBit.Caption, texts.DataBit.Items,
                                        2, QRect(196, 8, 180, 52));
    stopBitRadioGroup_ = new RadioGroup(this, "StopBitRadioGroup", texts.StopBit.Caption, texts.StopBit.Items,
                                        2, QRect(196, 68, 180, 52));
    parityRadioGroup_ = new RadioGroup(this, "ParityRadioGroup", texts.Parity.Caption, texts.Parity.Items, 3,
                                       QRect(8, 128, 368, 52));
    baudRateRadioGroup_->OnClick = [this](int index) { logic_.BaudRateRadioGroupClick(index); };
    dataBitRadioGroup_->OnClick = [this](int index) { logic_.DataBitRadioGroupClick(index); };
    stopBitRadioGroup_->OnClick = [this](int index) { logic_.StopBitRadioGroupClick(index); };
    parityRadioGroup_->OnClick = [this](int index) { logic_.ParityRadioGroupClick(index); };
    MakeDialogButtons(*this, "OKBtn", texts.OkButton, texts.CancelButton, 194, [this] { accept(); });
    logic_.SetView(this);
}

std::optional<LinePositions> TSetCommParaOKBottomDlg::Run(const LinePositions& positions) {
    logic_.FormShow(positions);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return logic_.OKBtnClick();
}

void TSetCommParaOKBottomDlg::ShowSelection(const LinePositions& positions) {
    baudRateRadioGroup_->Select(positions.Baud);
    dataBitRadioGroup_->Select(positions.DataBits);
    stopBitRadioGroup_->Select(positions.StopBits);
    parityRadioGroup_->Select(positions.Parity);
}

}  // namespace qxed
