#pragma once
// Shared pieces of the project's text form: the JSON type, the error raised while reading, and the paths
// that name a value in messages. Only the form's own .cpp files include this.
#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qxed::json_form {

// Keys keep their insertion order, so a dump lists fields in stored order.
using Json = nlohmann::ordered_json;

// Raised by the readers; MakeProjectFromJson turns it into its result.
struct FormError {
    std::string Path;
    std::string Message;
};

// "settings" + "AlarmCoil" -> "settings.AlarmCoil"; "" + "pages" -> "pages".
std::string MemberPath(const std::string& path, std::string_view key);
// "pages" + 1 -> "pages[1]".
std::string IndexPath(const std::string& path, std::size_t index);

// Names the JSON type of a value for messages ("a string", "an array", ...).
std::string_view TypeName(const Json& value);

}  // namespace qxed::json_form
