#pragma once
#include <iostream>
#include <string>

#include "model/user_prompts.h"

namespace qxed::bench {

// A timing run has no one to answer: messages go to stderr and are taken as confirmed.
class ConfirmingPrompts : public UserPrompts {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        std::cerr << caption << ": " << text << "\n";
        return MessageResult::Ok;
    }
};

}  // namespace qxed::bench
