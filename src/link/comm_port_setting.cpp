#include "link/comm_port_setting.h"

#include <charconv>

#include "text/ini_file.h"

namespace qxed {

namespace {
constexpr std::string_view kSection = "Qx200";
constexpr std::string_view kKey = "Comm";
}  // namespace

int ReadCommPortSetting(const IniFile& settings) {
    return settings.ReadInteger(kSection, kKey, 0);
}

bool WriteCommPortSetting(const std::string& settingsPath, int commPort) {
    return WriteProfileText(settingsPath, kSection, kKey, std::to_string(commPort));
}

std::string CommPortName(int commPort) {
    return "COM" + std::to_string(static_cast<long long>(commPort) + 1);
}

int CommPortOfText(std::string_view text, int current) {
    // Blanks around the number are forgiven, as a typed box often has them; signs and other text are not a
    // port number.
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return current;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1) return current;
    return number - 1;
}

std::string CommPortText(int commPort) {
    return std::to_string(static_cast<long long>(commPort) + 1);
}

}  // namespace qxed
