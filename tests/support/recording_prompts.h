#pragma once
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "model/user_prompts.h"

namespace qxed::testing {

// One message as a person would have seen it.
struct RecordedMessage {
    std::string Text;
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::Ok;

    bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedMessage& message) {
    return out << "{\"" << message.Text << "\", caption \"" << message.Caption << "\", icon "
               << static_cast<int>(message.Icon) << ", buttons " << static_cast<int>(message.Buttons) << "}";
}

// A scripted person: records every message and answers from a queue. With the queue empty it presses the
// first button offered (OK or Yes).
class RecordingPrompts : public UserPrompts {
  public:
    std::vector<RecordedMessage> Messages;
    std::deque<MessageResult> Answers;

    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok) override {
        Messages.push_back({text, caption, icon, buttons});
        if (!Answers.empty()) {
            const MessageResult answer = Answers.front();
            Answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageResult::Ok
                                                                                    : MessageResult::Yes;
    }

    // Queues the answer to a coming message.
    void Answer(MessageResult answer) { Answers.push_back(answer); }
    bool Silent() const { return Messages.empty(); }
    // The latest message; an empty one when none was shown, so that a test fails instead of crashing.
    RecordedMessage Last() const { return Messages.empty() ? RecordedMessage{} : Messages.back(); }
    void Clear() { Messages.clear(); }
};

}  // namespace qxed::testing
