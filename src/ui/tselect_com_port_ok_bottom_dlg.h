#pragma once
#include <QDialog>

#include <optional>

#include "panels/select_com_port_ok_bottom_dlg.h"

class QComboBox;

namespace qxed {

class Language;

// The port dialog's window: the port number typed or chosen in an editable box after "COM".
class TSelectComPortOKBottomDlg : public QDialog, private SelectComPortOKBottomDlgView {
  public:
    TSelectComPortOKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the download port's index; the new index after OK.
    std::optional<int> Run(int commPort);

  private:
    void ShowPortText(const std::string& text) override;

    SelectComPortOKBottomDlg logic_;
    QComboBox* commNoComboBox_;
};

}  // namespace qxed
