#pragma once
#include <QDialog>

#include "panels/line_parameter_dialog.h"
#include "panels/set_comm_para_ok_bottom_dlg.h"

namespace qxed {

class Language;
class RadioGroup;

// The line parameter dialog's window: four radio groups and OK/Cancel. The PLC selection dialog runs it.
class TSetCommParaOKBottomDlg : public QDialog,
                                public LineParameterDialog,
                                private SetCommParaOKBottomDlgView {
  public:
    TSetCommParaOKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the pending positions; the chosen positions after OK.
    std::optional<LinePositions> Run(const LinePositions& positions) override;

  private:
    void ShowSelection(const LinePositions& positions) override;

    SetCommParaOKBottomDlg logic_;
    RadioGroup* baudRateRadioGroup_;
    RadioGroup* dataBitRadioGroup_;
    RadioGroup* stopBitRadioGroup_;
    RadioGroup* parityRadioGroup_;
};

}  // namespace qxed
