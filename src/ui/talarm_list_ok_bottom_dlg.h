#pragma once
#include <QDialog>
#include <QTableWidget>

#include <optional>

#include "panels/alarm_list_ok_bottom_dlg.h"

class QPushButton;

namespace qxed {

class Language;

// The alarm grid keeps Enter and Escape for itself: while it has the focus they edit, and never close the
// dialog.
class AlarmListStringGrid : public QTableWidget {
  public:
    explicit AlarmListStringGrid(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The alarm list dialog's window: the first alarm coil above, the grid of coils and alarm texts below.
class TAlarmListOKBottomDlg : public QDialog, private AlarmListOKBottomDlgView {
  public:
    TAlarmListOKBottomDlg(const Language& language, QWidget* parent);

    // Modal, on the project's list under its PLC type and model; the list to store after OK.
    std::optional<AlarmListChoice> Run(const Project& project);
    AlarmListOKBottomDlg& Logic() { return logic_; }

  private:
    void ShowState(const PanelState& fields, const AlarmGridState& grid) override;

    const Language& language_;
    AlarmListOKBottomDlg logic_;
    CodePage codePage_ = CodePage::Gbk;
    AlarmListStringGrid* grid_;
};

}  // namespace qxed
