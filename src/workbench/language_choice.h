#pragma once
#include <string>
#include <vector>

#include "text/settings_paths.h"

namespace qxed {

// One language file the program comes with: <program folder>/languages/<Id>/Language.Ini.
struct ShippedLanguage {
    std::string Id;    // the folder name, e.g. "en" or "zh_CN"
    std::string Name;  // the file's "LanguageName" as UTF-8; the Id when the file names no language
    std::string Path;  // the file itself

    bool operator==(const ShippedLanguage&) const = default;
};

// The shipped languages, ordered by Id; none when the program folder has no "languages" folder. Folders
// without a readable Language.Ini are left out.
std::vector<ShippedLanguage> ShippedLanguages(const std::string& programFolder);

// Makes the chosen language the user's: copies its file to <userFolder>/Language.Ini, making the folder
// when it is missing. The copy replaces the file there as a whole (a file a symbolic link there leads to is
// never written), so a failure leaves the previous choice as it was. False when the language file cannot be
// read or the copy cannot be written. The program reads the choice when it starts.
bool ChooseLanguage(const ShippedLanguage& language, const std::string& userFolder = UserSettingsFolder());

}  // namespace qxed
