#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qxed {

// Standard base64 with padding, as the text form carries pictures.
std::string EncodeBase64(std::span<const uint8_t> bytes);

// Strict decoding: ASCII white space between characters is skipped (long lines may be wrapped), anything
// else outside the alphabet, a wrong length or misplaced padding gives nullopt.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);

}  // namespace qxed
