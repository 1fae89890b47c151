#include "stderr_prompts.h"

#include <algorithm>
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

MessageResult StderrPrompts::ShowDetailedMessage(const std::string& text, const std::string& detail,
                                                 const std::string& caption, MessageIcon icon,
                                                 MessageButtons buttons) {
    const MessageResult answer = ShowMessage(text, caption, icon, buttons);
    if (detail.empty()) return answer;
    std::size_t start = 0;
    while (start <= detail.size()) {
        const std::size_t end = std::min(detail.find('\n', start), detail.size());
        if (end > start) std::cerr << "  " << std::string_view(detail).substr(start, end - start) << '\n';
        start = end + 1;
    }
    std::cerr << std::flush;
    return answer;
}

}  // namespace qxed
