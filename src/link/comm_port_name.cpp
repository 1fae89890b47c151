#include <cctype>
#include <charconv>
#include <string_view>

#include "link/comm.h"
#include "text/ini_file.h"
#include "text/settings_paths.h"

namespace qxed {

namespace {

// The number of "COM<n>" (any letter case, as the classic device names); 0 for other names.
int ComNumber(std::string_view name) {
    constexpr std::string_view kPrefix = "COM";
    if (name.size() <= kPrefix.size()) return 0;
    for (size_t i = 0; i < kPrefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != kPrefix[i]) return 0;
    const std::string_view digits = name.substr(kPrefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1) return 0;
    return number;
}

}  // namespace

std::string ResolvePortName(const std::string& name) {
    if (name.starts_with('/')) return name;
    const int number = ComNumber(name);
    if (number == 0) return name;
    const std::string key = "COM" + std::to_string(number);
    // An empty value names no device: the default stands.
    const std::string configured = IniFile::Load(UserSettingsPath()).ReadText("Ports", key, "");
    if (!configured.empty()) return configured;
    return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace qxed
