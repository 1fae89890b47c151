#include "ui/tselect_com_port_ok_bottom_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "ui/dialog_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 132;
}  // namespace

TSelectComPortOKBottomDlg::TSelectComPortOKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), logic_(language) {
    const SelectComPortOKBottomDlg::Texts& texts = logic_.Captions();
    PrepareDialog(*this, language, texts.Caption, kWidth, kHeight);
    QLabel* select =
        MakeLabel(this, "SelectCommPortLabel", texts.SelectCommPortLabel, QRect(16, 12, 348, 34));
    select->setWordWrap(true);
    select->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MakeLabel(this, "CommPortLabel", texts.CommPortLabel, QRect(40, 56, 96, 22));
    MakeLabel(this, "Label1", texts.Label1, QRect(140, 56, 32, 22));

    commNoComboBox_ = new QComboBox(this);
    commNoComboBox_->setObjectName(QStringLiteral("CommNoComboBox"));
    commNoComboBox_->setGeometry(176, 56, 88, 22);
    commNoComboBox_->setEditable(true);
    commNoComboBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : texts.PortItems)
        commNoComboBox_->addItem(Qs(item));
    connect(commNoComboBox_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { logic_.CommNoComboBoxChange(Utf8Of(text)); });

    MakeDialogButtons(*this, "OKBtn", texts.OkButton, texts.CancelButton, 94, [this] { accept(); });
    logic_.SetView(this);
}

std::optional<int> TSelectComPortOKBottomDlg::Run(int commPort) {
    logic_.FormShow(commPort);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return logic_.OKBtnClick();
}

void TSelectComPortOKBottomDlg::ShowPortText(const std::string& text) {
    const QSignalBlocker blocker(commNoComboBox_);
    commNoComboBox_->setEditText(Qs(text));
}

}  // namespace qxed
