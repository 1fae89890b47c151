#include "panels/select_com_port_ok_bottom_dlg.h"

#include "link/comm_port_setting.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {
constexpr int kListedPorts = 8;
}  // namespace

SelectComPortOKBottomDlg::SelectComPortOKBottomDlg(const Language& language) {
    texts_.Caption = language.TextUtf8(texts::SelectComPortOKBottomDlgCaption);
    texts_.SelectCommPortLabel = language.TextUtf8(texts::SelectCommPortLabelCaption);
    texts_.CommPortLabel = language.TextUtf8(texts::CommPortLabelCaption);
    texts_.Label1 = "COM";
    for (int port = 0; port < kListedPorts; ++port)
        texts_.PortItems.push_back(CommPortText(port));
    texts_.OkButton = language.TextUtf8(texts::OKBtnCaption);
    texts_.CancelButton = language.TextUtf8(texts::CancelBtnCaption);
    text_ = CommPortText(commPort_);
}

void SelectComPortOKBottomDlg::SetView(SelectComPortOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void SelectComPortOKBottomDlg::FormShow(int commPort) {
    commPort_ = commPort;
    text_ = CommPortText(commPort);
    Publish();
}

void SelectComPortOKBottomDlg::CommNoComboBoxChange(const std::string& text) {
    text_ = text;
}

int SelectComPortOKBottomDlg::OKBtnClick() const {
    return CommPortOfText(text_, commPort_);
}

void SelectComPortOKBottomDlg::Publish() {
    if (view_ != nullptr) view_->ShowPortText(text_);
}

}  // namespace qxed
