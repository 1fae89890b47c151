#pragma once
#include "model/user_prompts.h"

namespace qxed {

// The command line's stand-in for message boxes: every message goes to stderr as its text alone, the text
// the editor would show. Nobody can answer a question here, so questions are declined.
class StderrPrompts : public UserPrompts {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;

    // How many messages were shown; a failure that showed none still needs one.
    int Shown() const { return shown_; }

  private:
    int shown_ = 0;
};

}  // namespace qxed
