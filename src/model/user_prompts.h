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
};

}  // namespace qxed
