#pragma once
#include <QWidget>

#include <vector>

#include "panels/property_panel.h"
#include "text/code_page.h"

class QGroupBox;

namespace qxed {

class Language;

// The property area's widgets: the page attribute group box and the twelve element group boxes, of which
// exactly one is shown. It shows the panel states of its logic and forwards every control's change to the
// handler of the same name.
class TPropertyPanels : public QWidget, public PropertyPanelView {
  public:
    TPropertyPanels(QWidget* area, const Language& language, PropertyPanel& logic, CodePage textCodePage);
    ~TPropertyPanels() override;

    void ShowPanel(const PanelState& state) override;
    // The shown group box.
    QGroupBox* ShownGroup() const;

  private:
    PropertyPanel& logic_;
    CodePage codePage_;
    std::vector<QGroupBox*> groups_;
};

}  // namespace qxed
