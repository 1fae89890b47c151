#include "ui/qt_editor_dialogs.h"

#include "link/comm.h"
#include "link/download.h"
#include "ui/qt_event_loop.h"
#include "ui/tabout_box.h"
#include "ui/talarm_list_ok_bottom_dlg.h"
#include "ui/tdownload_form.h"
#include "ui/thfunc_key_ok_bottom_dlg.h"
#include "ui/tmodel_select_ok_bottom_dlg.h"
#include "ui/tpage_dialogs.h"
#include "ui/tplc_select_ok_bottom_dlg.h"
#include "ui/tselect_com_port_ok_bottom_dlg.h"
#include "ui/tset_comm_para_ok_bottom_dlg.h"
#include "ui/tset_qx200_ok_bottom_dlg.h"
#include "ui/tvirtual_panel_form.h"

namespace qxed {

QtEditorDialogs::QtEditorDialogs(const Document& document, const Language& language, AboutBox& about,
                                 UserPrompts& prompts, QWidget* parent)
    : prompts_(prompts), language_(language), parent_(parent) {
    // The order the program makes its windows in.
    about_ = new TAboutBox(language, about, parent);
    newPage_ = new TNewPageOKBottomDlg(document, language, prompts, parent);
    pageAttr_ = new TPageAttrOKBottomDlg(document, language, parent);
    download_ = new TDownloadForm(language, parent);
    copyPage_ = new TCopyPageOKBottomDlg(document, language, prompts, parent);
    plc_ = new TPlcSelectOKBottomDlg(language, lineLink_, parent);
    port_ = new TSelectComPortOKBottomDlg(language, parent);
    line_ = new TSetCommParaOKBottomDlg(language, parent);
    model_ = new TModelSelectOKBottomDlg(language, parent);
    settings_ = new TSetQX200OKBottomDlg(language, parent);
    alarms_ = new TAlarmListOKBottomDlg(language, parent);
    keys_ = new THFuncKeyOKBottomDlg(language, parent);
}

QtEditorDialogs::~QtEditorDialogs() {
    delete panel_.data();
    // The PLC dialog goes before the line dialog it links to.
    delete keys_.data();
    delete alarms_.data();
    delete settings_.data();
    delete model_.data();
    delete line_.data();
    delete port_.data();
    delete plc_.data();
    delete copyPage_.data();
    delete download_.data();
    delete pageAttr_.data();
    delete newPage_.data();
    delete about_.data();
}

std::optional<int> QtEditorDialogs::SelectModel(int currentModel, bool moreModels) {
    return model_ ? model_->Run(currentModel, moreModels) : std::nullopt;
}

PlcSelection QtEditorDialogs::SelectPlc(const PlcLink& link, bool typeLocked) {
    if (plc_) return plc_->Run(link, typeLocked);
    PlcSelection unchanged;
    unchanged.Link = link;
    unchanged.StationField = link.PanelStation;
    return unchanged;
}

std::optional<int> QtEditorDialogs::SelectComPort(int commPort) {
    return port_ ? port_->Run(commPort) : std::nullopt;
}

void QtEditorDialogs::ShowAbout() {
    if (about_) about_->Run();
}

std::optional<ProjectSettings> QtEditorDialogs::SetQX200(const Project& project) {
    return settings_ ? settings_->Run(project.Settings) : std::nullopt;
}

std::optional<AlarmListChoice> QtEditorDialogs::AlarmList(const Project& project) {
    return alarms_ ? alarms_->Run(project) : std::nullopt;
}

std::optional<GlobalKeyChoice> QtEditorDialogs::HFuncKey(const Project& project) {
    return keys_ ? keys_->Run(project) : std::nullopt;
}

DownloadOutcome QtEditorDialogs::RunDownload(const Project& project, DownloadJob job) {
    if (!download_) return DownloadOutcome{};
    // Declared in this order so that the port closes before the loop its events run on goes.
    QtEventLoop loop;
    TComm comm(loop);
    ApplyDownloadLineSettings(comm);
    return download_->Run(loop, comm, prompts_, project, std::move(job));
}

void QtEditorDialogs::ShowVirtualPanel(VirtualPanel panel) {
    delete panel_.data();
    panel_ = new TVirtualPanelForm(std::move(panel), language_, parent_);
    panel_->show();
    panel_->activateWindow();
}

TVirtualPanelForm* QtEditorDialogs::VirtualPanelWindow() const {
    return panel_.data();
}

std::optional<NewPageChoice> QtEditorDialogs::NewPage() {
    return newPage_ ? newPage_->Run() : std::nullopt;
}

std::optional<PageAttributes> QtEditorDialogs::PageAttr() {
    return pageAttr_ ? pageAttr_->Run() : std::nullopt;
}

std::optional<uint16_t> QtEditorDialogs::CopyPage() {
    return copyPage_ ? copyPage_->Run() : std::nullopt;
}

TNewPageOKBottomDlg* QtEditorDialogs::NewPageDialog() const {
    return newPage_;
}
TPageAttrOKBottomDlg* QtEditorDialogs::PageAttrDialog() const {
    return pageAttr_;
}
TCopyPageOKBottomDlg* QtEditorDialogs::CopyPageDialog() const {
    return copyPage_;
}
TSetQX200OKBottomDlg* QtEditorDialogs::SetQX200Dialog() const {
    return settings_;
}
TAlarmListOKBottomDlg* QtEditorDialogs::AlarmListDialog() const {
    return alarms_;
}
THFuncKeyOKBottomDlg* QtEditorDialogs::HFuncKeyDialog() const {
    return keys_;
}
TAboutBox* QtEditorDialogs::AboutBoxWindow() const {
    return about_;
}
TDownloadForm* QtEditorDialogs::DownloadForm() const {
    return download_;
}
TPlcSelectOKBottomDlg* QtEditorDialogs::PlcSelectDialog() const {
    return plc_;
}
TSelectComPortOKBottomDlg* QtEditorDialogs::SelectComPortDialog() const {
    return port_;
}
TSetCommParaOKBottomDlg* QtEditorDialogs::SetCommParaDialog() const {
    return line_;
}
TModelSelectOKBottomDlg* QtEditorDialogs::ModelSelectDialog() const {
    return model_;
}

std::optional<LinePositions> QtEditorDialogs::LineDialogLink::Run(const LinePositions& positions) {
    return owner_.line_ ? owner_.line_->Run(positions) : std::nullopt;
}

}  // namespace qxed
