#include "ui/tabout_box.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "ui/dialog_controls.h"
#include "ui/qt_text.h"
#include "workbench/about_box.h"

namespace qxed {

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 212;
constexpr int kIconSize = 32;
}  // namespace

TAboutBox::TAboutBox(const Language& language, AboutBox& about, QWidget* parent)
    : QDialog(parent), about_(about) {
    const AboutBox::Texts& texts = about.Captions();
    PrepareDialog(*this, language, texts.Caption, kWidth, kHeight);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, kWidth - 16, 154);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(12, 12, kIconSize, kIconSize);
    // The program's own icon, which the application sets for all its windows.
    const QIcon programIcon = QApplication::windowIcon();
    if (!programIcon.isNull()) icon->setPixmap(programIcon.pixmap(kIconSize, kIconSize));
    icon->setToolTip(Qs(texts.IconHint));

    MakeLabel(panel, "ProductName", texts.ProductName, QRect(60, 12, 232, 20));
    MakeLabel(panel, "Version", texts.Version, QRect(60, 40, 80, 20));
    MakeLabel(panel, "VerNumLabel", texts.VersionNumber, QRect(144, 40, 120, 20));
    QLabel* copyright = MakeLabel(panel, "Copyright", texts.Copyright, QRect(12, 70, 280, 34));
    copyright->setWordWrap(true);
    copyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel* comments = MakeLabel(panel, "Comments", texts.Comments, QRect(12, 106, 270, 34));
    comments->setWordWrap(true);
    comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    upgradeModeLabel_ = MakeLabel(panel, "UpgradeModeLabel", about.UpgradeMode(), QRect(286, 132, 12, 16));
    upgradeModeLabel_->installEventFilter(this);

    QPushButton* ok = MakeButton(this, "OKButton", texts.OkButton,
                                 QRect((kWidth - kButtonWidth) / 2, 174, kButtonWidth, kButtonHeight));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == upgradeModeLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        UpgradeModeLabelDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::UpgradeModeLabelDblClick() {
    about_.UpgradeModeLabelDblClick();
    upgradeModeLabel_->setText(Qs(about_.UpgradeMode()));
}

}  // namespace qxed
