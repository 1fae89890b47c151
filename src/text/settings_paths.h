#pragma once
#include <string>

namespace qxed {

// The folder of the running program, where "Language.Ini", the configuration files and the generated data
// lie: the directory of /proc/self/exe. "." when the link cannot be read.
std::string ProgramFolder();

// The per-user program settings file: $XDG_CONFIG_HOME/qxed/Qx200.Ini, ~/.config/qxed/Qx200.Ini without it.
std::string UserSettingsPath();

}  // namespace qxed
