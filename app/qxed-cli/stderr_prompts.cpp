#include "stderr_prompts.h"

#include <iostream>
#include <string_view>

namespace qxed {

MessageResult StderrPrompts::ShowMessage(const std::string& text, const std::string& caption,
                                         MessageIcon /*icon*/, MessageButtons buttons) {
    if (caption.size() > fileCaptionEnd_.size() && caption.ends_with(fileCaptionEnd_))
        std::cerr << std::string_view(caption).substr(0, caption.size() - fileCaptionEnd_.size()) << ": ";
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
