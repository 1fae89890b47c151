#pragma once
#include <cstdint>
#include <optional>

#include "image/character_sets.h"
#include "image/image_buffer.h"
#include "model/element.h"
#include "text/code_page.h"

namespace qxed {

class Language;

// What an element's image record depends on besides the element.
struct RecordContext {
    const CharacterSets& Sets;                     // glyph positions of the texts
    const Language& Texts;                         // the lamp and key symbol bytes
    TextLanguage LanguageCode = TextLanguage::En;  // how text bytes split into characters
    int ModelIndex = 0;                            // coordinate width, preview scale and bitmap layout
    int PlcType = 0;                               // operand encodings
    CodePage TextCodePage = CodePage::Gbk;         // of the texts and face names drawn as bitmaps
};

// The kind code an element is listed under in the element directory: its own, except font text, which travels
// as a picture. Nothing for a code outside 1..12.
std::optional<uint8_t> DirectoryKind(int32_t kindCode);

// Appends the element's data record: position, attribute byte and the kind's fields. An element that has no
// image form (unknown kind, a value beyond its field, a text without glyphs) marks the buffer refused.
void WriteElementRecord(ImageBuffer& out, const Element& element, const RecordContext& context);

}  // namespace qxed
