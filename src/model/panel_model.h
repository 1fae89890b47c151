#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/text_key.h"

namespace qxed {

class Language;

constexpr int PanelModelCount = 13;

// Marks a model that leaves the project's global key count as it is.
constexpr int kGlobalKeysUnchanged = -1;

// The keypad layouts; each names the "Language.Ini" section whose key names
// caption the function key list.
enum class Keypad { None, Qx210Key, Qx22Key, Qx222Key, Qx325Key, Qx420Key };

// One panel model. The index is what a project stores as its model.
struct PanelModel {
    int Index;
    std::string_view Code;
    const TextKey* DisplayName;  // "Model" section key with its default
    int ScreenWidth;
    int ScreenHeight;
    int PreviewScale;  // Z: preview pixels per 16 panel pixels
    int GridStep;      // placing and dragging step in preview pixels
    int CharsPerLine;
    int AlarmCapacity;
    int GlobalKeyCount;  // or kGlobalKeysUnchanged
    Keypad KeypadLayout;
    bool TouchKeys;
    char KeypadLetter;  // key pictures of the preview
    char LampLetter;    // lamp and hand pictures of the preview
};

// The model with this index, or nullptr outside 0..12.
const PanelModel* FindPanelModel(int index);

// The model whose code ("QX220", ...) matches exactly, as the model file names it.
std::optional<int> PanelModelOfCode(std::string_view code);

// The display name of a model (bytes in the language file's code page); empty
// for an index outside the table.
std::string ModelName(const Language& language, int index);

// Preview size of a model's screen in editor units.
struct PreviewSize {
    int Width;
    int Height;
};
PreviewSize PreviewSizeOf(const PanelModel& model);

// Models indexed 2 (QX420) and 7 (QX421): the large panels.
inline bool IsLargePanel(int index) {
    return index == 2 || index == 7;
}

}  // namespace qxed
