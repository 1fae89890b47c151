#pragma once
#include <QPointer>
#include <QWidget>

#include "model/user_prompts.h"

namespace qxed {

class Language;

// Message boxes: the text, the caption, the icon and the buttons asked for, with the answers' captions of
// the language file.
class QtPrompts : public UserPrompts {
  public:
    explicit QtPrompts(const Language& language) : language_(language) {}
    // The window the boxes belong to (centred on it, modal for it).
    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok) override;
    // The detail is the box's detailed text, shown on request below the message.
    MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) override;

  private:
    MessageResult Show(const std::string& text, const std::string& detail, const std::string& caption,
                       MessageIcon icon, MessageButtons buttons);

    const Language& language_;
    QPointer<QWidget> parent_;
};

}  // namespace qxed
