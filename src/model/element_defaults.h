#pragma once
#include <cstdint>
#include <vector>

#include "model/element.h"
#include "model/key_action.h"

namespace qxed {

class Project;

// A picture the user loaded for placing: its BMP file bytes and its size in dots.
struct LoadedPicture {
    std::vector<uint8_t> Bmp;
    int Width = 0;
    int Height = 0;
};

// A new element of the kind with every default, for the project's PlcType and CurrentModel, the language
// texts and the main window's font. The header is cleared. A Pic takes over the picture's size (scaled to
// editor units) and bitmap only when one is given; the file loader gives none and reads them itself.
// A kind code outside 1..12 gives an element without fields.
Element NewElement(const Project& project, int32_t kind, const LoadedPicture* picture = nullptr);
// For readers that set every field themselves: the same defaults, except that a variable font text is not
// measured (its MaxWidth and MaxHeight stay 0 until read), so reading needs no fonts.
Element NewElementForReading(const Project& project, int32_t kind);

// The defaults of a key action: the model's default key, set coil, the PLC type's operand defaults.
KeyAction NewKeyAction(const Project& project);
// A global key slot after a reset: the key action defaults with no function.
KeyAction NewGlobalKey(const Project& project);

// The default key of a new key action on a model: 22 on models with a large keypad (indexes 2, 4, 6, 7, 10,
// 11), 1 on the others, and 0 on the touch-only model 9, which has no keys.
int32_t DefaultKeyOfModel(int modelIndex);

}  // namespace qxed
