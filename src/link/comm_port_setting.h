#pragma once
#include <string>
#include <string_view>

namespace qxed {

class IniFile;

// The download port chosen in the port dialog: an index, 0 for "COM1", kept in the user's Qx200.Ini,
// section "Qx200", key "Comm".
int ReadCommPortSetting(const IniFile& settings);
// Writes the key in the file (created when missing). False when the file cannot be written.
bool WriteCommPortSetting(const std::string& settingsPath, int commPort);

// "COM" + (index + 1): the name the download opens.
std::string CommPortName(int commPort);

// The port dialog's box holds a port number as typed: a whole number n gives index n - 1 (any number, not
// only 1..8); anything else keeps the current index.
int CommPortOfText(std::string_view text, int current);
// What the box shows for an index.
std::string CommPortText(int commPort);

}  // namespace qxed
