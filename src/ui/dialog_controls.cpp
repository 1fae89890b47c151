#include "ui/dialog_controls.h"

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/qt_text.h"

namespace qxed {

namespace {

// Radio items inside a group box: below its title, one row per line of items.
constexpr int kGroupTitleHeight = 20;
constexpr int kGroupMargin = 10;
constexpr int kRadioRowHeight = 22;

}  // namespace

void PrepareDialog(QDialog& dialog, const Language& language, const std::string& caption, int width,
                   int height) {
    ApplyWindowFont(dialog, language);
    dialog.setWindowTitle(Qs(caption));
    dialog.setFixedSize(width, height);
    dialog.setModal(true);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const std::string& text, const QRect& place) {
    auto* label = new QLabel(Qs(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const std::string& text, const QRect& place) {
    auto* button = new QPushButton(Qs(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

DialogButtons MakeDialogButtons(QDialog& dialog, const char* okName, const std::string& okText,
                                const std::string& cancelText, int top, const std::function<void()>& onOk) {
    constexpr int kGap = 20;
    const int left = (dialog.width() - 2 * kButtonWidth - kGap) / 2;
    QPushButton* ok = MakeButton(&dialog, okName, okText, QRect(left, top, kButtonWidth, kButtonHeight));
    QPushButton* cancel = MakeButton(&dialog, "CancelBtn", cancelText,
                                     QRect(left + kButtonWidth + kGap, top, kButtonWidth, kButtonHeight));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [onOk] { onOk(); });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {ok, cancel};
}

RadioGroup::RadioGroup(QWidget* parent, const char* name, const std::string& caption,
                       const std::vector<std::string>& items, int columns, const QRect& place)
    : QGroupBox(Qs(caption), parent), group_(new QButtonGroup(this)) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(place);
    const int columnWidth = (place.width() - 2 * kGroupMargin) / columns;
    for (int index = 0; index < static_cast<int>(items.size()); ++index) {
        auto* item = new QRadioButton(Qs(items[static_cast<size_t>(index)]), this);
        item->setObjectName(QString::fromLatin1(name) + QString::number(index));
        item->setGeometry(kGroupMargin + (index % columns) * columnWidth,
                          kGroupTitleHeight + (index / columns) * kRadioRowHeight, columnWidth - 4,
                          kRadioRowHeight - 2);
        group_->addButton(item, index);
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int index) {
        if (OnClick) OnClick(index);
    });
}

void RadioGroup::Select(int index) {
    const QSignalBlocker blocker(group_);
    if (QAbstractButton* item = group_->button(index)) item->setChecked(true);
}

int RadioGroup::Selected() const {
    return group_->checkedId();
}

QRadioButton* RadioGroup::Item(int index) const {
    return static_cast<QRadioButton*>(group_->button(index));
}

}  // namespace qxed
