#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/panel_model.h"
#include "text/symbols.h"

namespace qxed {

// The panel's key numbering: 0 Home .. 41 K10.
constexpr int KeyCodeCount = 42;

// The symbol of a key code, or nullopt outside 0..41.
std::optional<SymbolId> KeySymbolOf(int keyCode);

// The "Language.Ini" section that holds a keypad's key names (empty for None).
std::string_view KeypadSection(Keypad keypad);

// The key codes of a keypad in the order of its function key list.
std::span<const int> KeypadKeyCodes(Keypad keypad);

// The key code at a position of a model's function key list; a model without
// a keypad list (and a position off the list) leaves the current code.
int KeyCodeAt(int modelIndex, int position, int currentCode);

// The first list position holding a key code; a code not on the keypad gives
// the list length, which selects nothing.
int ListPositionOf(int modelIndex, int keyCode);

}  // namespace qxed
