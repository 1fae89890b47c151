#include "files/json_text.h"

#include <optional>

namespace qxed::json_form {

namespace {

constexpr std::string_view kHexKey = "hex";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]);
        const int low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

std::string HexBytesOf(const Json& value, const std::string& path) {
    for (const auto& [key, member] : value.items()) {
        if (key != kHexKey) throw FormError{MemberPath(path, key), "unknown key in a hex text"};
    }
    const auto hex = value.find(kHexKey);
    if (hex == value.end()) throw FormError{path, "a hex text needs the key \"hex\""};
    if (!hex->is_string()) throw FormError{MemberPath(path, kHexKey), "expected a string of hex digits"};
    std::optional<std::string> bytes = FromHex(hex->get_ref<const std::string&>());
    if (!bytes) throw FormError{MemberPath(path, kHexKey), "expected an even number of hex digits"};
    return *bytes;
}

}  // namespace

std::string ToHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        hex.push_back(kHexDigits[byte >> 4]);
        hex.push_back(kHexDigits[byte & 0x0F]);
    }
    return hex;
}

Json TextToJson(std::string_view bytes, CodePage codePage) {
    const Conversion utf8 = ToUtf8(bytes, codePage);
    if (utf8.Ok) {
        const Conversion back = FromUtf8(utf8.Text, codePage);
        if (back.Ok && back.Text == bytes) return utf8.Text;
    }
    Json hex = Json::object();
    hex[std::string(kHexKey)] = ToHex(bytes);
    return hex;
}

std::string TextFromJson(const Json& value, CodePage codePage, int capacity, const std::string& path) {
    std::string bytes;
    if (value.is_string()) {
        Conversion converted = FromUtf8(value.get_ref<const std::string&>(), codePage);
        if (!converted.Ok) {
            throw FormError{path, std::string("the text cannot be written in code page ") +
                                      IconvName(codePage) + " (byte " + std::to_string(converted.FailedAt) +
                                      " of its UTF-8); give its bytes as {\"hex\": \"...\"}"};
        }
        bytes = std::move(converted.Text);
    } else if (value.is_object()) {
        bytes = HexBytesOf(value, path);
    } else {
        throw FormError{
            path, "expected a text (a string or {\"hex\": \"...\"}), found " + std::string(TypeName(value))};
    }
    if (bytes.size() > static_cast<std::size_t>(capacity)) {
        throw FormError{path, "the text has " + std::to_string(bytes.size()) + " bytes, more than its " +
                                  std::to_string(capacity) + "-byte slot holds"};
    }
    return bytes;
}

}  // namespace qxed::json_form
