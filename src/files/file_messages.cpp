#include "files/file_messages.h"

#include <filesystem>

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

std::string FileMessageCaption(const std::string& fileName, const Language& language) {
    return std::filesystem::path(fileName).filename().string() + " - " + language.TextUtf8(texts::AppName);
}

void ShowFileMessage(UserPrompts& prompts, const Language& language, const std::string& fileName,
                     const std::string& text, MessageIcon icon) {
    prompts.ShowMessage(text, FileMessageCaption(fileName, language), icon);
}

}  // namespace qxed
