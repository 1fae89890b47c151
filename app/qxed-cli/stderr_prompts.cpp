#include "stderr_prompts.h"

#include <iostream>

namespace qxed {

MessageResult StderrPrompts::ShowMessage(const std::string& text, const std::string& /*caption*/,
                                         MessageIcon /*icon*/, MessageButtons buttons) {
    ++shown_;
    std::cerr << text << '\n' << std::flush;
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageResult::Ok;
        case MessageButtons::OkCancel:
            return MessageResult::Cancel;
        case MessageButtons::YesNo:
            return MessageResult::No;
        case MessageButtons::YesNoCancel:
            return MessageResult::Cancel;
    }
    return MessageResult::Cancel;
}

}  // namespace qxed
