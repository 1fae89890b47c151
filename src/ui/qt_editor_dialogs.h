#pragma once
#include <QPointer>

#include "panels/line_parameter_dialog.h"
#include "workbench/editor_dialogs.h"
#include "workbench/page_dialogs.h"

class QWidget;

namespace qxed {

class AboutBox;
class Document;
class Language;
class TCopyPageOKBottomDlg;
class TNewPageOKBottomDlg;
class TPageAttrOKBottomDlg;
class UserPrompts;
class TAboutBox;
class TDownloadForm;
class TModelSelectOKBottomDlg;
class TPlcSelectOKBottomDlg;
class TSelectComPortOKBottomDlg;
class TSetCommParaOKBottomDlg;
class TSetQX200OKBottomDlg;
class TAlarmListOKBottomDlg;
class THFuncKeyOKBottomDlg;
class TVirtualPanelForm;

// The editor's dialogs as the main window's logic and the page list ask for them. Each window is made once,
// at start-up, and reused; each runs modally over the parent.
class QtEditorDialogs : public EditorDialogs, public PageDialogs {
  public:
    QtEditorDialogs(const Document& document, const Language& language, AboutBox& about, UserPrompts& prompts,
                    QWidget* parent);
    ~QtEditorDialogs() override;
    QtEditorDialogs(const QtEditorDialogs&) = delete;
    QtEditorDialogs& operator=(const QtEditorDialogs&) = delete;

    std::optional<int> SelectModel(int currentModel, bool moreModels) override;
    PlcSelection SelectPlc(const PlcLink& link, bool typeLocked) override;
    std::optional<int> SelectComPort(int commPort) override;
    void ShowAbout() override;
    std::optional<ProjectSettings> SetQX200(const Project& project) override;
    std::optional<AlarmListChoice> AlarmList(const Project& project) override;
    std::optional<GlobalKeyChoice> HFuncKey(const Project& project) override;
    // The download on the editor's event loop through the download port, at the download's fixed line.
    DownloadOutcome RunDownload(const Project& project, DownloadJob job) override;
    // One panel window at a time: a new run replaces the window of the one before.
    void ShowVirtualPanel(VirtualPanel panel) override;

    std::optional<NewPageChoice> NewPage() override;
    std::optional<PageAttributes> PageAttr() override;
    std::optional<uint16_t> CopyPage() override;

    // The windows themselves, for pictures of them and for tests.
    TAboutBox* AboutBoxWindow() const;
    TDownloadForm* DownloadForm() const;
    TPlcSelectOKBottomDlg* PlcSelectDialog() const;
    TSelectComPortOKBottomDlg* SelectComPortDialog() const;
    TSetCommParaOKBottomDlg* SetCommParaDialog() const;
    TModelSelectOKBottomDlg* ModelSelectDialog() const;
    TNewPageOKBottomDlg* NewPageDialog() const;
    TPageAttrOKBottomDlg* PageAttrDialog() const;
    TCopyPageOKBottomDlg* CopyPageDialog() const;
    TSetQX200OKBottomDlg* SetQX200Dialog() const;
    TAlarmListOKBottomDlg* AlarmListDialog() const;
    THFuncKeyOKBottomDlg* HFuncKeyDialog() const;
    TVirtualPanelForm* VirtualPanelWindow() const;

  private:
    // The PLC dialog opens the line dialog, which is made after it.
    class LineDialogLink : public LineParameterDialog {
      public:
        explicit LineDialogLink(QtEditorDialogs& owner) : owner_(owner) {}
        std::optional<LinePositions> Run(const LinePositions& positions) override;

      private:
        QtEditorDialogs& owner_;
    };

    UserPrompts& prompts_;
    const Language& language_;
    QWidget* parent_;
    QPointer<TVirtualPanelForm> panel_;
    LineDialogLink lineLink_{*this};
    // Owned by the parent when there is one; whatever is left is deleted with this object.
    QPointer<TAboutBox> about_;
    QPointer<TNewPageOKBottomDlg> newPage_;
    QPointer<TPageAttrOKBottomDlg> pageAttr_;
    QPointer<TCopyPageOKBottomDlg> copyPage_;
    QPointer<TDownloadForm> download_;
    QPointer<TPlcSelectOKBottomDlg> plc_;
    QPointer<TSelectComPortOKBottomDlg> port_;
    QPointer<TSetCommParaOKBottomDlg> line_;
    QPointer<TModelSelectOKBottomDlg> model_;
    QPointer<TSetQX200OKBottomDlg> settings_;
    QPointer<TAlarmListOKBottomDlg> alarms_;
    QPointer<THFuncKeyOKBottomDlg> keys_;
};

}  // namespace qxed
