#pragma once
#include <optional>

#include "gfx/font_desc.h"

namespace qxed {

class FileChooser;

// The font dialog preset with an element's font. The chosen font is taken over with the system window-text
// colour, whatever colour was picked: the panel draws in one colour. nullopt when cancelled.
std::optional<FontDesc> ChooseElementFont(FileChooser& chooser, const FontDesc& current);

}  // namespace qxed
