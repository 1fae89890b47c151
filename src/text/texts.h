#pragma once

#include <span>

#include "text/text_key.h"

// The language catalogue: one constant per key of "Language.Ini", named
// exactly as the key, with its section and built-in text, e.g.
// texts::FileNewCaption or texts::OKBtnCaption. A key read with two different
// built-in texts has a second constant with a suffix naming its second user
// (FloatCheckBoxCaptionTrendBar).

#define QXED_TEXT(section, key, text) inline constexpr TextKey key{#section, #key, text};
#define QXED_TEXT_AS(name, section, key, text) inline constexpr TextKey name{#section, #key, text};

namespace qxed::texts {

#include "text/texts_attr.inc"
#include "text/texts_dialogs.inc"
#include "text/texts_main.inc"

}  // namespace qxed::texts

#undef QXED_TEXT
#undef QXED_TEXT_AS

namespace qxed::texts {

// A key that its readers give two different built-in texts.
struct TwoDefaultKey {
    const TextKey* First;
    const TextKey* Second;
};

inline constexpr TwoDefaultKey TwoDefaultKeys[] = {
    {&FloatCheckBoxCaption, &FloatCheckBoxCaptionTrendBar},
    {&RegSignedCheckBoxCaption, &RegSignedCheckBoxCaptionTrendBar},
    {&FuncKeyAttrGroupBoxCaption, &FuncKeyAttrGroupBoxCaptionTouchKey},
};

// Every constant of the catalogue, in the order of its definition.
std::span<const TextKey* const> AllTexts();

}  // namespace qxed::texts
