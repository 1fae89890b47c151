#include "ui/tmodel_select_ok_bottom_dlg.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/dialog_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kWidth = 280;
constexpr int kFirstButtonTop = 40;
constexpr int kButtonStep = 24;
constexpr int kButtonsGap = 16;  // between the last model and OK/Cancel
constexpr int kBottomMargin = 14;

int HeightFor(int visibleButtons) {
    return kFirstButtonTop + visibleButtons * kButtonStep + kButtonsGap + kButtonHeight + kBottomMargin;
}

}  // namespace

TModelSelectOKBottomDlg::TModelSelectOKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), logic_(language), group_(new QButtonGroup(this)) {
    const ModelSelectOKBottomDlg::Texts& texts = logic_.Captions();
    PrepareDialog(*this, language, texts.Caption, kWidth, HeightFor(2));
    MakeLabel(this, "SelectModelLabel", texts.SelectModelLabel, QRect(16, 12, kWidth - 32, 20));
    for (const ModelRadioButton& entry : ModelRadioButtons()) {
        auto* button = new QRadioButton(Qs(texts.ModelNames[static_cast<size_t>(entry.Model)]), this);
        button->setObjectName(
            QString::fromLatin1(entry.ControlName.data(), static_cast<qsizetype>(entry.ControlName.size())));
        button->hide();
        group_->addButton(button, entry.Model);
        radioButtons_[static_cast<size_t>(entry.Model)] = button;
    }
    connect(group_, &QButtonGroup::idClicked, this,
            [this](int model) { logic_.ModelRadioButtonClick(model); });
    const DialogButtons buttons =
        MakeDialogButtons(*this, "OKBtn", texts.OkButton, texts.CancelButton, 0, [this] { accept(); });
    okBtn_ = buttons.Ok;
    cancelBtn_ = buttons.Cancel;
    logic_.SetView(this);
}

std::optional<int> TModelSelectOKBottomDlg::Run(int currentModel, bool moreModels) {
    if (moreModels) logic_.ShowMoreModels();
    logic_.FormShow(currentModel);
    if (exec() != QDialog::Accepted) {
        logic_.CancelBtnClick();
        return std::nullopt;
    }
    return logic_.OKBtnClick();
}

void TModelSelectOKBottomDlg::ShowState(const ModelSelectState& state) {
    const QSignalBlocker blocker(group_);
    // The offered models one below the other, in the dialog's order.
    int row = 0;
    for (const ModelRadioButton& entry : ModelRadioButtons()) {
        QRadioButton* button = radioButtons_[static_cast<size_t>(entry.Model)];
        const bool visible = state.Visible[static_cast<size_t>(entry.Model)];
        button->setVisible(visible);
        if (visible) button->setGeometry(40, kFirstButtonTop + row++ * kButtonStep, kWidth - 64, 22);
    }
    if (QAbstractButton* checked = group_->button(state.Checked)) checked->setChecked(true);

    setFixedSize(kWidth, HeightFor(row));
    const int buttonsTop = kFirstButtonTop + row * kButtonStep + kButtonsGap;
    okBtn_->move(okBtn_->x(), buttonsTop);
    cancelBtn_->move(cancelBtn_->x(), buttonsTop);
}

}  // namespace qxed
