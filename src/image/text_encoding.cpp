#include "image/text_encoding.h"

namespace qxed {

namespace {

// Splits and encodes; `pairAll` takes every two bytes as one double-byte character (symbol texts), otherwise
// a lead byte of 0x80 or above starts one unless the language is Russian.
std::optional<std::vector<uint8_t>> Encode(std::string_view bytes, const CharacterSets& sets, bool pairAll,
                                           bool leadBytesPair) {
    if (bytes.size() > 0xFF) return std::nullopt;
    std::vector<uint8_t> out;
    out.reserve(bytes.size() + 1);
    out.push_back(static_cast<uint8_t>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto first = static_cast<uint8_t>(bytes[i]);
        const bool paired = i + 1 < bytes.size() && (pairAll || (leadBytesPair && first >= 0x80));
        if (paired) {
            const auto code = static_cast<uint16_t>((first << 8) | static_cast<uint8_t>(bytes[i + 1]));
            const int index = sets.IndexOfDoubleByte(code);
            if (index < 0) return std::nullopt;
            out.push_back(static_cast<uint8_t>((index >> 8) | 0x80));
            out.push_back(static_cast<uint8_t>(index & 0xFF));
            i += 2;
        } else {
            const int index = sets.IndexOfSingleByte(first);
            if (index < 0) return std::nullopt;
            out.push_back(static_cast<uint8_t>(index));
            i += 1;
        }
    }
    return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodeText(std::string_view bytes, const CharacterSets& sets,
                                               TextLanguage language) {
    return Encode(bytes, sets, false, language != TextLanguage::Ru);
}

std::optional<std::vector<uint8_t>> EncodeSymbolText(std::string_view bytes, const CharacterSets& sets) {
    return Encode(bytes, sets, true, true);
}

}  // namespace qxed
