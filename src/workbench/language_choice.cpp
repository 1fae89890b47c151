#include "workbench/language_choice.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "text/file_access.h"
#include "text/ini_file.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

constexpr char kLanguageFile[] = "Language.Ini";

// Far above any language file; a larger file is not one.
constexpr std::size_t kMaxLanguageFileSize = 4u << 20;

// The language's own name for itself, decoded in the file's code page.
std::string NameOf(const Language& language, const std::string& id) {
    const std::optional<std::string> name =
        language.File().Find(texts::LanguageName.Section, texts::LanguageName.Key);
    return name && !name->empty() ? language.DisplayUtf8(*name) : id;
}

}  // namespace

std::vector<ShippedLanguage> ShippedLanguages(const std::string& programFolder) {
    std::vector<ShippedLanguage> languages;
    std::error_code error;
    // Stepped with an error code: a folder that cannot be read to its end gives the languages read so far.
    std::filesystem::directory_iterator entry(std::filesystem::path(programFolder) / "languages", error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code notAFolder;
        if (!entry->is_directory(notAFolder)) continue;
        const std::string path = (entry->path() / kLanguageFile).string();
        std::optional<std::string> bytes = file_access::ReadRegularText(path, kMaxLanguageFileSize);
        if (!bytes) continue;
        const std::string id = entry->path().filename().string();
        const Language language(IniFile::FromBytes(std::move(*bytes)));
        languages.push_back({id, NameOf(language, id), path});
    }
    std::ranges::sort(languages, {}, &ShippedLanguage::Id);
    return languages;
}

bool ChooseLanguage(const ShippedLanguage& language, const std::string& userFolder) {
    const std::optional<std::vector<uint8_t>> bytes =
        file_access::ReadRegularFile(language.Path, kMaxLanguageFileSize);
    if (!bytes) return false;
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    if (error) return false;
    return file_access::ReplaceFile(userFolder + "/" + kLanguageFile, *bytes, std::nullopt);
}

}  // namespace qxed
