#pragma once
#include <QDialog>

#include <optional>

#include "link/download.h"
#include "workbench/editor_dialogs.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qxed {

class CommPort;
class EventLoop;
class Language;
class Project;
class UserPrompts;

// The download window: the step text, the progress bar and the cancel button, a view of one Download at a
// time. Closing the window in any way is the cancel button: the download asks whether to cancel.
class TDownloadForm : public QDialog, public DownloadView {
  public:
    TDownloadForm(const Language& language, QWidget* parent);

    // Runs a download of the project through the port on the loop, showing the window modally until the
    // download has finished. The project must stay as it is meanwhile.
    DownloadOutcome Run(EventLoop& loop, CommPort& port, UserPrompts& prompts, const Project& project,
                        DownloadJob job);

    // DownloadView
    void ShowLabel(const std::string& text) override;
    void ShowProgress(int position, int maximum) override;
    void Finished(DownloadResult result) override;
    // Escape and the window's close button come here too.
    void reject() override;

  private:
    void CancelBtnClick();

    Download* download_ = nullptr;  // the running download
    std::optional<DownloadResult> result_;
    QLabel* procInfoLabel_;
    QProgressBar* procInfoProgressBar_;
    QPushButton* cancelBtn_;
};

}  // namespace qxed
