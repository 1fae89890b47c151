#pragma once
#include <QDialog>

#include <optional>

#include "panels/set_qx200_ok_bottom_dlg.h"

class QGroupBox;
class QPushButton;

namespace qxed {

class Language;

// The panel settings dialog's window: the panel parameters above, the control register block below with
// the interaction and peripheral options; its height follows the model.
class TSetQX200OKBottomDlg : public QDialog, private SetQX200OKBottomDlgView {
  public:
    TSetQX200OKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the project's settings under its PLC type and model; the settings to store after OK.
    std::optional<ProjectSettings> Run(const ProjectSettings& settings);
    SetQX200OKBottomDlg& Logic() { return logic_; }

  private:
    void ShowState(const PanelState& state) override;
    void ApplyRows();

    const Language& language_;
    SetQX200OKBottomDlg logic_;
    QGroupBox* ctrlGroupBox_;
    QGroupBox* peripheralGroupBox_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
};

}  // namespace qxed
