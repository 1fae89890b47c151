#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "image/character_sets.h"

namespace qxed {

// A text as the panel reads it: a length byte (the number of source bytes, which is also the number of bytes
// that follow), then per character its glyph position: a double-byte character as two bytes, the high one
// with bit 7 set and written first, a single-byte character as one. Characters split as the character sets
// split them. Nothing when the text is longer than 255 bytes or uses a character the sets lack: such a text
// has no image form.
std::optional<std::vector<uint8_t>> EncodeText(std::string_view bytes, const CharacterSets& sets,
                                               TextLanguage language);

// The same for a lamp or key symbol text: every two bytes are one double-byte character.
std::optional<std::vector<uint8_t>> EncodeSymbolText(std::string_view bytes, const CharacterSets& sets);

}  // namespace qxed
