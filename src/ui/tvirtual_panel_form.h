#pragma once
#include <QWidget>

#include <memory>
#include <vector>

#include "vpanel/virtual_panel_form.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace qxed {

class Language;

// The panel window: the enlarged screen (touches by mouse), the model's keypad as buttons with the desktop
// keys mapped to them, and the table of the PLC operands, editable while the panel runs. A view of
// VirtualPanelForm; every control forwards to its handler.
class TVirtualPanelForm : public QWidget, public VirtualPanelView {
  public:
    TVirtualPanelForm(VirtualPanel panel, const Language& language, QWidget* parent);
    ~TVirtualPanelForm() override;

    VirtualPanelForm& Logic() { return *logic_; }

    // VirtualPanelView
    void ShowScreen(const RasterImage& screen) override;
    void ShowOperands(const std::vector<OperandRow>& rows) override;
    void ShowStatus(const std::string& text) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OperandGridCellChanged(int row, int column);

    QLabel* screenImage_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QTableWidget* operandGrid_ = nullptr;
    QTimer* timer_ = nullptr;
    bool filling_ = false;
    std::unique_ptr<VirtualPanelForm> logic_;  // made last: it draws into the controls at once
};

}  // namespace qxed
