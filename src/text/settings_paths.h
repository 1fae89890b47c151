#pragma once
#include <string>

namespace qxed {

// The folder of the running program, where "Language.Ini", the configuration files and the generated data
// lie: the directory of /proc/self/exe. "." when the link cannot be read.
std::string ProgramFolder();

// The per-user program settings file: $XDG_CONFIG_HOME/qxed/Qx200.Ini, ~/.config/qxed/Qx200.Ini without it.
std::string UserSettingsPath();

// The per-user folder of the settings file and of the user's choice of language.
std::string UserSettingsFolder();

// The folder whose "Language.Ini" the program reads: the per-user folder when the user chose a language
// (its Language.Ini exists), else the program folder.
std::string LanguageFolder(const std::string& programFolder);

}  // namespace qxed
