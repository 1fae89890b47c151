#include "files/json_form.h"

namespace qxed::json_form {

std::string MemberPath(const std::string& path, std::string_view key) {
    if (path.empty()) return std::string(key);
    std::string result = path;
    result += '.';
    result += key;
    return result;
}

std::string IndexPath(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string_view TypeName(const Json& value) {
    switch (value.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::object:
            return "an object";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::string:
            return "a string";
        case Json::value_t::boolean:
            return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return "an integer";
        case Json::value_t::number_float:
            return "a fractional number";
        case Json::value_t::binary:
            return "binary data";
        case Json::value_t::discarded:
            break;
    }
    return "nothing";
}

}  // namespace qxed::json_form
