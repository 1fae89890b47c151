#pragma once
#include <QDialog>

#include <array>
#include <optional>

#include "panels/model_select_ok_bottom_dlg.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace qxed {

class Language;

// The model dialog's window: one radio button per model offered, the others hidden; the window is as
// tall as the offered models need.
class TModelSelectOKBottomDlg : public QDialog, private ModelSelectOKBottomDlgView {
  public:
    TModelSelectOKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the project's model; moreModels: the model status bar was double-clicked. The chosen
    // model after OK.
    std::optional<int> Run(int currentModel, bool moreModels);

  private:
    void ShowState(const ModelSelectState& state) override;

    ModelSelectOKBottomDlg logic_;
    std::array<QRadioButton*, PanelModelCount> radioButtons_{};  // by model index
    QButtonGroup* group_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
};

}  // namespace qxed
