#pragma once
#include <string>
#include <utility>

#include "model/user_prompts.h"

namespace qxed {

// The command line's stand-in for message boxes: every message goes to stderr as the text the editor would
// show. A message about a file, whose box the editor captions with the file's name ("demo.qx2 - <AppName>"),
// is printed after that name: "demo.qx2: 该文件格式不正确！". Nobody can answer a question here, so questions
// are declined.
class StderrPrompts : public UserPrompts {
  public:
    // fileCaptionEnd: what a file message's caption has after the file name (" - <AppName>").
    explicit StderrPrompts(std::string fileCaptionEnd) : fileCaptionEnd_(std::move(fileCaptionEnd)) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    // The message as above, then its detail on the lines after it, each indented.
    MessageResult ShowDetailedMessage(const std::string& text, const std::string& detail,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) override;

  private:
    std::string fileCaptionEnd_;
};

}  // namespace qxed
