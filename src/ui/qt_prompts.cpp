#include "ui/qt_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

#include "text/texts.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct Answer {
    MessageResult Result;
    const TextKey* Caption;
    QMessageBox::ButtonRole Role;
};

std::vector<Answer> AnswersOf(MessageButtons buttons) {
    const Answer ok{MessageResult::Ok, &texts::OKBtnCaption, QMessageBox::AcceptRole};
    const Answer cancel{MessageResult::Cancel, &texts::CancelBtnCaption, QMessageBox::RejectRole};
    const Answer yes{MessageResult::Yes, &texts::YesBtnCaption, QMessageBox::YesRole};
    const Answer no{MessageResult::No, &texts::NoBtnCaption, QMessageBox::NoRole};
    switch (buttons) {
        case MessageButtons::Ok:
            return {ok};
        case MessageButtons::OkCancel:
            return {ok, cancel};
        case MessageButtons::YesNo:
            return {yes, no};
        case MessageButtons::YesNoCancel:
            return {yes, no, cancel};
    }
    return {ok};
}

}  // namespace

MessageResult QtPrompts::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons) {
    return Show(text, {}, caption, icon, buttons);
}

MessageResult QtPrompts::ShowDetailedMessage(const std::string& text, const std::string& detail,
                                             const std::string& caption, MessageIcon icon,
                                             MessageButtons buttons) {
    return Show(text, detail, caption, icon, buttons);
}

MessageResult QtPrompts::Show(const std::string& text, const std::string& detail, const std::string& caption,
                              MessageIcon icon, MessageButtons buttons) {
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    QMessageBox box(IconOf(icon), Qs(caption), Qs(text), QMessageBox::NoButton, parent);
    if (!detail.empty()) box.setDetailedText(Qs(detail));
    box.setFont(WindowFont(language_));
    std::vector<std::pair<QAbstractButton*, MessageResult>> answers;
    for (const Answer& answer : AnswersOf(buttons))
        answers.emplace_back(box.addButton(Caption(language_, *answer.Caption), answer.Role), answer.Result);
    box.setDefaultButton(qobject_cast<QPushButton*>(answers.front().first));
    // Closing the box with its frame or Escape is the last answer offered: Cancel, No or OK.
    box.setEscapeButton(answers.back().first);
    box.exec();
    for (const auto& [button, result] : answers)
        if (box.clickedButton() == button) return result;
    return answers.back().second;
}

}  // namespace qxed
