#include "files/file_messages.h"
#include "files/project_file.h"
#include "model/user_prompts.h"
#include "text/file_access.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

// Far above any project a panel can hold; larger files are not read into memory at all.
constexpr std::size_t kMaxProjectFileSize = std::size_t{256} << 20;

}  // namespace

bool LoadProject(Project& project, const std::string& fileName, const Language& language,
                 UserPrompts& prompts) {
    const auto bytes = file_access::ReadRegularFile(fileName, kMaxProjectFileSize);
    LoadOutcome outcome;
    if (bytes) outcome = ReadProjectBytes(*bytes, project);

    switch (outcome.Status) {
        case LoadStatus::Ok:
            return true;
        case LoadStatus::FormatWrong:
            ShowFileMessage(prompts, language, fileName, language.TextUtf8(texts::FileFormatWrong),
                            MessageIcon::Error,
                            bytes ? fileName + ": " + outcome.Reason : UnreadableFileDetail(fileName));
            return false;
        case LoadStatus::TooNew:
            ShowFileMessage(prompts, language, fileName,
                            language.TextUtf8(texts::PleaseUse) +
                                language.DisplayUtf8(outcome.Header.VersionText) +
                                language.TextUtf8(texts::OrHighVerQX200ToOpenFile),
                            MessageIcon::Information);
            return false;
        case LoadStatus::NotReadable:
            return false;
    }
    return false;
}

}  // namespace qxed
