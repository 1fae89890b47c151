#pragma once
#include <string>
#include <vector>

#include "panels/line_parameter_dialog.h"
#include "plc/line_positions.h"
#include "plc/plc_link.h"
#include "workbench/editor_dialogs.h"

namespace qxed {

class Language;

// The dialog's height and the places that follow from whether the panel station row is shown.
struct PlcSelectLayout {
    bool StationVisible = false;  // Qx200StationNoLabel, Qx200StationSpinEdit
    int DialogHeight = 195;       // outer height, frame and caption included
    int BevelHeight = 105;
    int ButtonsTop = 128;  // OkBtn, CancelBtn
    bool operator==(const PlcSelectLayout&) const = default;
};

// What the PLC selection dialog shows.
struct PlcSelectState {
    int TypePosition = 2;  // selected item of PlcTypeComboBox
    bool TypeLocked = false;
    int Station = 1;
    LinePositions Pending;  // what the line parameter dialog will show
    PlcSelectLayout Layout;
    bool operator==(const PlcSelectState&) const = default;
};

class PlcSelectOKBottomDlgView {
  public:
    virtual ~PlcSelectOKBottomDlgView() = default;
    virtual void ShowState(const PlcSelectState& state) = 0;
};

// The panel station number range of Qx200StationSpinEdit.
constexpr int kPanelStationMin = 1;
constexpr int kPanelStationMax = 255;

// The layout for a PLC type: only the types through which the panel is addressed as a station (Free and
// ModbusSlave) show the panel station row.
PlcSelectLayout PlcSelectLayoutOf(int plcType);

// The PLC selection dialog: the PLC type from the selection list, the panel's station number and, through
// the line parameter dialog, the pending line parameters. Shown on the project's link; OK gives the link
// to store, any other close leaves the link as it was.
class PlcSelectOKBottomDlg {
  public:
    // Texts as the window shows them (UTF-8).
    struct Texts {
        std::string Caption;
        std::string SelectPLCTypeLabel;
        std::string PLCTypeLabel;
        std::string Qx200StationNoLabel;
        std::string CommParaLabel;
        std::string SetCommParaButton;
        std::vector<std::string> TypeNames;  // in selection list order
        std::string OkButton;
        std::string CancelButton;
    };

    PlcSelectOKBottomDlg(const Language& language, LineParameterDialog& lineDialog);

    const Texts& Captions() const { return texts_; }
    const PlcSelectState& State() const { return state_; }
    void SetView(PlcSelectOKBottomDlgView* view);

    // Shown on the project's link; typeLocked: the edition fixes the PLC type, the type box is disabled.
    void FormShow(const PlcLink& link, bool typeLocked);
    // Another type was chosen: its station row, and its default line parameters replace the pending ones
    // (types without defaults keep them).
    void PlcTypeComboBoxChange(int position);
    void Qx200StationSpinEditChange(int station);
    // Opens the line parameter dialog on the pending parameters; its OK replaces them.
    void SetCommParaButtonClick();
    PlcSelection OKBtnClick() const;
    PlcSelection CancelBtnClick() const;

  private:
    void Publish();

    Texts texts_;
    LineParameterDialog& lineDialog_;
    PlcLink shown_;  // the link the dialog was shown on
    PlcSelectState state_;
    PlcSelectOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
