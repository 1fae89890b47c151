#include "panels/set_comm_para_ok_bottom_dlg.h"

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

SetCommParaOKBottomDlg::SetCommParaOKBottomDlg(const Language& language) {
    texts_.Caption = language.TextUtf8(texts::SetCommParaOKBottomDlgCaption);

    texts_.BaudRate.Caption = language.TextUtf8(texts::BaudRateRadioGroupCaption);
    // The rates are numbers everywhere; they are not translated.
    for (int position = 0; position < kBaudPositionCount; ++position)
        texts_.BaudRate.Items.emplace_back(BaudRateText(position));

    // "Bits" follows the counts above one, "Bit" the single stop bit.
    const std::string bits = language.TextUtf8(texts::Bits);
    const std::string bit = language.TextUtf8(texts::Bit);
    texts_.DataBit.Caption = language.TextUtf8(texts::DataBitRadioGroupCaption);
    texts_.DataBit.Items = {"7 " + bits, "8 " + bits};
    texts_.StopBit.Caption = language.TextUtf8(texts::StopBitRadioGroupCaption);
    texts_.StopBit.Items = {"1 " + bit, "2 " + bits};

    texts_.Parity.Caption = language.TextUtf8(texts::ParityRadioGroupCaption);
    texts_.Parity.Items = {language.TextUtf8(texts::ParityRadioGroupItems0),
                           language.TextUtf8(texts::ParityRadioGroupItems1),
                           language.TextUtf8(texts::ParityRadioGroupItems2)};

    texts_.OkButton = language.TextUtf8(texts::OKBtnCaption);
    texts_.CancelButton = language.TextUtf8(texts::CancelBtnCaption);
}

void SetCommParaOKBottomDlg::SetView(SetCommParaOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void SetCommParaOKBottomDlg::FormShow(const LinePositions& positions) {
    selection_ = positions;
    Publish();
}

void SetCommParaOKBottomDlg::BaudRateRadioGroupClick(int index) {
    Select(selection_.Baud, index, texts_.BaudRate);
}

void SetCommParaOKBottomDlg::DataBitRadioGroupClick(int index) {
    Select(selection_.DataBits, index, texts_.DataBit);
}

void SetCommParaOKBottomDlg::StopBitRadioGroupClick(int index) {
    Select(selection_.StopBits, index, texts_.StopBit);
}

void SetCommParaOKBottomDlg::ParityRadioGroupClick(int index) {
    Select(selection_.Parity, index, texts_.Parity);
}

void SetCommParaOKBottomDlg::Select(int& position, int index, const RadioGroupTexts& group) {
    if (index < 0 || index >= static_cast<int>(group.Items.size())) return;
    position = index;
    Publish();
}

void SetCommParaOKBottomDlg::Publish() {
    if (view_ != nullptr) view_->ShowSelection(selection_);
}

}  // namespace qxed
