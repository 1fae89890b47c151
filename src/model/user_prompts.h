#pragma once
#include <string>

namespace qxed {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// Everything that needs a person goes through here: the widgets implement it with message boxes, the
// command line prints to stderr, tests script the answers and record every message. Texts are UTF-8.
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    virtual MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;

    // The same message with what a person needs to find its cause beside it: a path, the system's reason,
    // byte counts. The text stays exactly as it is; the detail never replaces it. Prompts that show no
    // details (and the recorders of the tests) see the message alone.
    virtual MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail,
                                              const std::string& caption, MessageIcon icon,
                                              MessageButtons buttons = MessageButtons::Ok) {
        (void)detail;
        return ShowMessage(text, caption, icon, buttons);
    }
};

}  // namespace qxed
