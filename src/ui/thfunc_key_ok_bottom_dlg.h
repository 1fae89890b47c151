#pragma once
#include <QDialog>

#include <optional>

#include "panels/hfunc_key_ok_bottom_dlg.h"

class QTableWidget;

namespace qxed {

class Language;

// The global function key dialog's window: the key grid above, the function group of the current key
// below it.
class THFuncKeyOKBottomDlg : public QDialog, private HFuncKeyOKBottomDlgView {
  public:
    THFuncKeyOKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the project's keys under its PLC type and model; the keys to store after OK.
    std::optional<GlobalKeyChoice> Run(const Project& project);
    HFuncKeyOKBottomDlg& Logic() { return logic_; }

  private:
    void ShowState(const PanelState& state) override;
    void ShowCaptions();

    const Language& language_;
    HFuncKeyOKBottomDlg logic_;
    QTableWidget* grid_;
};

}  // namespace qxed
