#pragma once
#include <cstdint>
#include <string_view>

#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "model/element.h"
#include "text/code_page.h"

namespace qxed {

class Project;

// The editing rules that keep an element consistent after a change. Each returns true when it changed
// something; none of them marks the project modified, the caller's store does.

// Size of a text drawn in a font, in editor units: at most 120 bytes are measured, in desktop pixels that
// count as panel dots, then scaled by Z. The text and the face name are in the project's code page.
Size MeasureFontTextUnits(const FontDesc& font, std::string_view text, CodePage codePage, int z);

// The text cut to at most `capacity` bytes without splitting a double-byte character of the code page
// (a lead byte of 0x80 or above and the byte after it, in GBK and CP949).
std::string CutAtCharacter(std::string_view text, int capacity, CodePage codePage);

// Variable text table after an edit: entries cut to the characters per line, Count = number of the last
// non-empty entry (empty entries in between count), MaxLen = longest entry, capped.
bool RecountVarText(VarTextFields& fields, int charsPerLine, CodePage codePage);

// Shortening drops one character at a time from the end (a double-byte character of the project's code
// page as a whole, so no text is left ending in half a character).

// Variable font text after an edit of its table or font: each entry shortened from its end until it fits
// the preview width, Count as for variable texts, MaxWidth/MaxHeight of the widest entry (first on ties).
bool RefitVarFontText(VarFontTextFields& fields, CodePage codePage, int z, int previewWidth);

// Font text and touch key after a change of content or font: the text is shortened one byte at a time from
// its end until the element (a touch key with its 14-unit frame) is no wider than the preview.
bool ShortenToFit(Element& element, CodePage codePage, int z, int previewWidth);

// Bar direction change: switching between vertical (up, down) and horizontal (right, left) swaps width and
// height, then pulls the element left/up (not below 0) to keep it inside the preview.
bool SetBarDirection(Element& element, int32_t direct, Size preview);

// A touch key's function change: any function other than set coil clears Indicate.
bool SetKeyFunction(Element& element, uint8_t function);

// Applies a register number as the user enters it, in the PLC type's stored form.
bool SetRegisterNumber(Project& project, PlcAddress& address, int32_t shownNumber);

}  // namespace qxed
