#pragma once
#include <string>

#include "model/user_prompts.h"

namespace qxed {

class Language;

// "file.qx2 - <AppName>": the caption of the messages about a project or data file.
std::string FileMessageCaption(const std::string& fileName, const Language& language);

// One message about a file, captioned with the file's name; the detail (the path and why) beside it.
void ShowFileMessage(UserPrompts& prompts, const Language& language, const std::string& fileName,
                     const std::string& text, MessageIcon icon = MessageIcon::Error,
                     const std::string& detail = {});

// Why a file cannot be read, as the system says it: "/a/b.qx2: No such file or directory".
std::string UnreadableFileDetail(const std::string& fileName);

}  // namespace qxed
