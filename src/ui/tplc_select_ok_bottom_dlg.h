#pragma once
#include <QDialog>

#include "panels/plc_select_ok_bottom_dlg.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;

namespace qxed {

class Language;

// The PLC selection dialog's window: the type box, the panel station row of the types that need it and
// the button that opens the line parameter dialog.
class TPlcSelectOKBottomDlg : public QDialog, private PlcSelectOKBottomDlgView {
  public:
    TPlcSelectOKBottomDlg(const Language& language, LineParameterDialog& lineDialog, QWidget* parent);

    // Modal, on the project's link. OK gives the link to store; the station field is reported either way.
    PlcSelection Run(const PlcLink& link, bool typeLocked);
    // Escape and the window's close button come here too.
    void reject() override;

  private:
    void ShowState(const PlcSelectState& state) override;

    PlcSelectOKBottomDlg logic_;
    PlcSelection selection_;
    QFrame* bevel_;
    QComboBox* plcTypeComboBox_;
    QLabel* qx200StationNoLabel_;
    QSpinBox* qx200StationSpinEdit_;
    QLabel* commParaLabel_;
    QPushButton* setCommParaButton_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
};

}  // namespace qxed
