#include "panels/plc_select_ok_bottom_dlg.h"

#include <algorithm>

#include "plc/plc_catalogue.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

constexpr int kFreePlcType = 11;
constexpr int kModbusSlavePlcType = 29;

constexpr PlcSelectLayout kWithStation{true, 227, 137, 160};
constexpr PlcSelectLayout kWithoutStation{false, 195, 105, 128};

}  // namespace

PlcSelectLayout PlcSelectLayoutOf(int plcType) {
    return plcType == kFreePlcType || plcType == kModbusSlavePlcType ? kWithStation : kWithoutStation;
}

PlcSelectOKBottomDlg::PlcSelectOKBottomDlg(const Language& language, LineParameterDialog& lineDialog)
    : lineDialog_(lineDialog) {
    texts_.Caption = language.TextUtf8(texts::PlcSelectOKBottomDlgCaption);
    texts_.SelectPLCTypeLabel = language.TextUtf8(texts::SelectPLCTypeLabelCaption);
    texts_.PLCTypeLabel = language.TextUtf8(texts::PLCTypeLabelCaption);
    texts_.Qx200StationNoLabel = language.TextUtf8(texts::Qx200StationNoLabelCaption);
    texts_.CommParaLabel = language.TextUtf8(texts::CommParaLabelCaption);
    texts_.SetCommParaButton = language.TextUtf8(texts::SetCommParaButtonCaption);
    for (const std::string& name : language.PlcTypeNames())
        texts_.TypeNames.push_back(language.DisplayUtf8(name));
    texts_.OkButton = language.TextUtf8(texts::OKBtnCaption);
    texts_.CancelButton = language.TextUtf8(texts::CancelBtnCaption);
    state_.Layout = PlcSelectLayoutOf(shown_.PlcType);
}

void PlcSelectOKBottomDlg::SetView(PlcSelectOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void PlcSelectOKBottomDlg::FormShow(const PlcLink& link, bool typeLocked) {
    shown_ = link;
    state_.TypePosition = ListPositionOfPlcType(link.PlcType);
    state_.TypeLocked = typeLocked;
    state_.Layout = PlcSelectLayoutOf(link.PlcType);
    state_.Station = std::clamp(link.PanelStation, kPanelStationMin, kPanelStationMax);
    // A code outside its list leaves the position the dialog had.
    state_.Pending = PositionsOfLink(link, state_.Pending);
    Publish();
}

void PlcSelectOKBottomDlg::PlcTypeComboBoxChange(int position) {
    if (state_.TypeLocked) return;
    const int plcType = PlcTypeAtListPosition(position);
    state_.TypePosition = ListPositionOfPlcType(plcType);
    state_.Layout = PlcSelectLayoutOf(plcType);
    if (const std::optional<LineSettings> line = DefaultLineSettings(plcType)) {
        PlcLink defaults;
        ApplyLineSettings(defaults, *line);
        state_.Pending = PositionsOfLink(defaults, state_.Pending);
    }
    Publish();
}

void PlcSelectOKBottomDlg::Qx200StationSpinEditChange(int station) {
    state_.Station = std::clamp(station, kPanelStationMin, kPanelStationMax);
}

void PlcSelectOKBottomDlg::SetCommParaButtonClick() {
    if (const std::optional<LinePositions> chosen = lineDialog_.Run(state_.Pending)) {
        state_.Pending = *chosen;
        Publish();
    }
}

PlcSelection PlcSelectOKBottomDlg::OKBtnClick() const {
    PlcSelection selection;
    selection.Result = ModalResult::Ok;
    selection.Link = shown_;
    selection.Link.PanelStation = state_.Station;
    selection.Link.PlcType = PlcTypeAtListPosition(state_.TypePosition);
    ApplyPositions(selection.Link, state_.Pending);
    selection.StationField = state_.Station;
    return selection;
}

PlcSelection PlcSelectOKBottomDlg::CancelBtnClick() const {
    PlcSelection selection;
    selection.Result = ModalResult::Cancel;
    selection.Link = shown_;
    selection.StationField = state_.Station;
    return selection;
}

void PlcSelectOKBottomDlg::Publish() {
    if (view_ != nullptr) view_->ShowState(state_);
}

}  // namespace qxed
