#include "ui/tdownload_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "text/language.h"
#include "text/texts.h"
#include "ui/dialog_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 112;
}  // namespace

TDownloadForm::TDownloadForm(const Language& language, QWidget* parent) : QDialog(parent) {
    PrepareDialog(*this, language, language.TextUtf8(texts::DownloadFormCaption), kWidth, kHeight);
    procInfoLabel_ = MakeLabel(this, "ProcInfoLabel", language.TextUtf8(texts::PreparePageContent),
                               QRect(16, 12, kWidth - 32, 20));
    procInfoProgressBar_ = new QProgressBar(this);
    procInfoProgressBar_->setObjectName(QStringLiteral("ProcInfoProgressBar"));
    procInfoProgressBar_->setGeometry(16, 38, kWidth - 32, 18);
    procInfoProgressBar_->setTextVisible(false);
    procInfoProgressBar_->setValue(0);
    // The step of the start-up timer, for the developers; the window never shows it.
    QLabel* step = MakeLabel(this, "Label1", "", QRect(16, 74, 40, 20));
    step->hide();
    cancelBtn_ = MakeButton(this, "CancelBtn", language.TextUtf8(texts::CancelBtnCaption),
                            QRect((kWidth - kButtonWidth) / 2, 72, kButtonWidth, kButtonHeight));
    connect(cancelBtn_, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

DownloadOutcome TDownloadForm::Run(EventLoop& loop, CommPort& port, UserPrompts& prompts,
                                   const Project& project, DownloadJob job) {
    Download download(loop, port, *this, prompts);
    download_ = &download;
    result_.reset();
    download.Start(project, std::move(job));
    // The download may have ended before the window could show (a closing step that failed at once).
    if (!result_) exec();
    download_ = nullptr;

    DownloadOutcome outcome;
    outcome.Result = result_.value_or(DownloadResult::Cancel);
    if (outcome.Result == DownloadResult::Ok) {
        outcome.Image = download.Image();
        outcome.DriverFilePath = download.DriverFilePath();
    }
    return outcome;
}

void TDownloadForm::ShowLabel(const std::string& text) {
    procInfoLabel_->setText(Qs(text));
}

void TDownloadForm::ShowProgress(int position, int maximum) {
    procInfoProgressBar_->setRange(0, maximum);
    procInfoProgressBar_->setValue(position);
}

void TDownloadForm::Finished(DownloadResult result) {
    result_ = result;
    done(result == DownloadResult::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void TDownloadForm::reject() {
    // Escape and the window's close button ask as the cancel button does; without a download the window
    // simply closes.
    if (download_ != nullptr && !result_) {
        CancelBtnClick();
        return;
    }
    QDialog::reject();
}

void TDownloadForm::CancelBtnClick() {
    if (download_ != nullptr) download_->Cancel();
}

}  // namespace qxed
