#include "files/file_messages.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

std::string FileMessageCaption(const std::string& fileName, const Language& language) {
    return std::filesystem::path(fileName).filename().string() + " - " + language.TextUtf8(texts::AppName);
}

void ShowFileMessage(UserPrompts& prompts, const Language& language, const std::string& fileName,
                     const std::string& text, MessageIcon icon, const std::string& detail) {
    prompts.ShowDetailedMessage(text, detail, FileMessageCaption(fileName, language), icon);
}

std::string UnreadableFileDetail(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    std::string reason = "not a readable regular file of at most 256 MiB";
    if (!std::filesystem::exists(status))
        reason = std::strerror(ENOENT);
    else if (std::filesystem::is_directory(status))
        reason = std::strerror(EISDIR);
    return fileName + ": " + reason;
}

}  // namespace qxed
